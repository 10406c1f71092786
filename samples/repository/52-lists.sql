-- Working lists, screens with a browse list and a window, and a report
-- with headings, breaks and footings: the process DEMOLST (LSTMNT keeps a
-- working list, LSTINQ shows a browse list and a window, LSTRPT prints a
-- report) and the fields they use. The functions' source is in
-- sources/DEM/DEMOLST.
INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOLST', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOLST', 'LSTMNT', '', 'N', 'Y'),
  ('DEM', 'DEMOLST', 'LSTINQ', '', 'N', 'Y'),
  ('DEM', 'DEMOLST', 'LSTRPT', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOLST', 'LSTMNT', 'ENG', 'Keep a working list'),
  ('DEM', 'DEMOLST', 'LSTINQ', 'ENG', 'Browse the entries of a list'),
  ('DEM', 'DEMOLST', 'LSTRPT', 'ENG', 'Report of the entries by region');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'LSTNO',  'P', 5, 0,  '', '', ''),
  ('DEM', 'LSTNAM', 'A', 20, 0, '', '', ''),
  ('DEM', 'LSTREG', 'A', 3, 0,  '', '', ''),
  ('DEM', 'LSTAMT', 'P', 9, 0,  '', '', ''),
  ('DEM', 'LSTPOS', 'P', 5, 0,  '', '', ''),
  ('DEM', 'LSTCNT', 'P', 5, 0,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'LSTNO',  'ENG', 'Entry', 'Entry', 'number', '', 'Number of the entry'),
  ('DEM', 'LSTNAM', 'ENG', 'Name', 'Name', '', '', 'Name of the entry'),
  ('DEM', 'LSTREG', 'ENG', 'Region', 'Region', '', '', 'Region of the entry'),
  ('DEM', 'LSTAMT', 'ENG', 'Amount', 'Amount', '', '', 'Amount of the entry'),
  ('DEM', 'LSTPOS', 'ENG', 'Position', 'Position', '', '', 'Position in the list'),
  ('DEM', 'LSTCNT', 'ENG', 'Entries', 'Entries', '', '', 'Entries in the list');
