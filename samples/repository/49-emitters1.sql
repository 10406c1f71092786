-- Commands of flow control, validation, messages, calls and the entry and
-- exit interface: the process DEMOFLW whose functions use each of them
-- (FLWMAIN flow control and field values, FLWCHK validation blocks and
-- messages, FLWCALL calls, submission, exchange and transfer), the fields
-- they use and the generator's message of a test it cannot write.
-- The functions' source is in sources/DEM/DEMOFLW.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1190', 'ENG', 'F', '10',
   'Command &1 names no value that the generator can test; its block is never entered.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOFLW', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOFLW', 'FLWMAIN', '', 'N', 'Y'),
  ('DEM', 'DEMOFLW', 'FLWCHK', '', 'N', 'Y'),
  ('DEM', 'DEMOFLW', 'FLWCALL', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOFLW', 'FLWMAIN', 'ENG', 'Flow control and field values'),
  ('DEM', 'DEMOFLW', 'FLWCHK', 'ENG', 'Validation blocks and messages'),
  ('DEM', 'DEMOFLW', 'FLWCALL', 'ENG', 'Calls, submission and exchange');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMOFLW', 'ENG', 1, 'Command flow');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'FLWCNT',   'P', 5, 0,  '', '', ''),
  ('DEM', 'FLWTOP',   'P', 5, 0,  '', '', ''),
  ('DEM', 'FLWBOT',   'P', 5, 0,  '', '', ''),
  ('DEM', 'FLWAMT',   'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWLOW1',  'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWLOW2',  'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWLOW3',  'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWHIGH1', 'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWHIGH2', 'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWHIGH3', 'P', 9, 2,  '', '', ''),
  ('DEM', 'FLWDATE',  'P', 6, 0,  '', '', ''),
  ('DEM', 'FLWNAME',  'A', 20, 0, '', '', ''),
  ('DEM', 'FLWCODE',  'A', 1, 0,  '', '', ''),
  ('DEM', 'FLWVAL1',  'A', 1, 0,  '', '', ''),
  ('DEM', 'FLWVAL2',  'A', 1, 0,  '', '', '');
