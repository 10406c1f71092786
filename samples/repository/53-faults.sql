-- Faults mended in the generator: the process DEMOFLT whose functions keep
-- a total inside a DOWHILE loop, once within the rows of a SELECTLIST
-- (FLTKEEP, generated) and once outside every loop that counts rows
-- (FLTLOOP, refused by the generator), and name two field groups, each of
-- which gets its field array (FLTGRP); the fields they use; the generator's
-- messages of a KEEP_ command with no rows to count and of a command it has
-- no code for. The functions' source is in sources/DEM/DEMOFLT.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1192', 'ENG', 'F', '10',
   'Command &1 is not inside a SELECT, SELECT_SQL or SELECTLIST loop; it has no rows to keep a value over.'),
  ('DC@F23', 'PRC1193', 'ENG', 'F', '10',
   'The generator has no code for command &1; a program without it would be incomplete, so none is generated.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOFLT', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOFLT', 'FLTKEEP', '', 'N', 'Y'),
  ('DEM', 'DEMOFLT', 'FLTLOOP', '', 'N', 'Y'),
  ('DEM', 'DEMOFLT', 'FLTGRP', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOFLT', 'FLTKEEP', 'ENG', 'A total kept within the rows of a list'),
  ('DEM', 'DEMOFLT', 'FLTLOOP', 'ENG', 'A total kept where no rows are counted'),
  ('DEM', 'DEMOFLT', 'FLTGRP', 'ENG', 'Two field groups set to null');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'FLTNO',  'P', 5, 0,  '', '', ''),
  ('DEM', 'FLTCNT', 'P', 5, 0,  '', '', ''),
  ('DEM', 'FLTAMT', 'P', 9, 2,  '', '', ''),
  ('DEM', 'FLTTOT', 'P', 11, 2, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'FLTNO',  'ENG', 'Number', 'Number', '', '', 'Number of the entry'),
  ('DEM', 'FLTCNT', 'ENG', 'Count', 'Count', '', '', 'Passes of the loop'),
  ('DEM', 'FLTAMT', 'ENG', 'Amount', 'Amount', '', '', 'Amount of the entry'),
  ('DEM', 'FLTTOT', 'ENG', 'Total', 'Total', '', '', 'Total of the amounts');
