-- Interactive design of screens and reports: the process DEMODSN with an
-- action bar (choices and a help process), a report function, a pop-up
-- window and a screen with a browse list. The functions' source is in
-- samples/sources/DEM/DEMODSN; painter scripts that design them are in
-- samples/painter.

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMODSN', 'A', 'L', ''),
  ('DEM', 'HELP$$AB', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMODSN', 'DSNRPT', '', 'N', 'Y'),
  ('DEM', 'DEMODSN', 'DSNPOP', '', 'N', 'Y'),
  ('DEM', 'DEMODSN', 'DSNLST', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMODSN', 'DSNRPT', 'ENG', 'Orders report to design'),
  ('DEM', 'DEMODSN', 'DSNPOP', 'ENG', 'Order window to design'),
  ('DEM', 'DEMODSN', 'DSNLST', 'ENG', 'Orders with a list to design');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMODSN', 'ENG', 1, 'File'),
  ('DEM', 'DEMODSN', 'ENG', 2, 'Edit'),
  ('DEM', 'DEMODSN', 'ENG', 3, 'View');

-- A field to add to the designed screens and reports.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'DSNCMT', 'A', 12, 0, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'DSNCMT', 'ENG', 'Comment', 'Comment', '', '', 'Comment');
