-- Sample partition DEM: settings, language, the process DEMOPRC with its
-- functions, the fields and the customer file they use. The functions'
-- source is loaded from samples/sources by load-sources.

INSERT INTO QV_SET (SETKEY, SETVAL) VALUES
  ('DEFLANG', 'ENG'),
  ('MAXSET', '2');

INSERT INTO QV_F60 (X60P_I, X60PLN, X60DBC, X60RLT, X60KDS, X60KLG, X60PHM, X60PRM, X60PEM, X60CHR, X60DLN) VALUES
  ('DEM', 'ENG', 'N', 'N', '', 'English', 'Help', 'Prompt', 'Error', '1140 1252 ', 'Y');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOPRC', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOPRC', 'DEMOMIN', '', 'N', 'Y'),
  ('DEM', 'DEMOPRC', 'CUSTLST', '', 'N', 'Y'),
  ('DEM', 'DEMOPRC', 'CUSTUPD', '', 'N', 'Y'),
  ('DEM', 'DEMOPRC', 'DEMINC', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOPRC', 'DEMOMIN', 'ENG', 'Smallest function'),
  ('DEM', 'DEMOPRC', 'CUSTLST', 'ENG', 'List active customers'),
  ('DEM', 'DEMOPRC', 'CUSTUPD', 'ENG', 'Maintain a customer'),
  ('DEM', 'DEMOPRC', 'DEMINC', 'ENG', 'Commands shared by INCLUDE');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMOPRC', 'ENG', 1, 'Customers'),
  ('DEM', 'DEMOPRC', 'ENG', 2, 'Help');

-- Fields. X03SP1 characters 14-18 are blanks or zeros for fields usable as keys.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'CUSTNO',    'P', 7, 0,  '             00000', '', ''),
  ('DEM', 'CUSTNAM',   'A', 30, 0, '             00000', 'ASQN', ''),
  ('DEM', 'CREDIT',    'P', 11, 2, '', '', ''),
  ('DEM', 'CUSTSTS',   'A', 1, 0,  '', '', ''),
  ('DEM', 'WRKCNT',    'P', 5, 0,  '', '', ''),
  ('DEM', 'IO$STS',    'A', 2, 0,  '', '', ''),
  ('DEM', 'IO$MDE',    'A', 3, 0,  '', '', ''),
  ('DEM', 'IO$MSGTXT', 'A', 80, 0, '', '', ''),
  ('DEM', 'CURLOC$FN', 'P', 7, 0,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'CUSTNO',  'ENG', 'Customer no.', 'Customer', 'number', '', 'Customer number'),
  ('DEM', 'CUSTNAM', 'ENG', 'Name', 'Customer', 'name', '', 'Customer''s name'),
  ('DEM', 'CREDIT',  'ENG', 'Credit limit', 'Credit', 'limit', '', 'Credit limit in local currency'),
  ('DEM', 'CUSTSTS', 'ENG', 'Status', 'Status', '', '', 'Customer status: A active, I inactive'),
  ('DEM', 'WRKCNT',  'ENG', 'Count', 'Count', '', '', 'Working counter'),
  ('DEM', 'IO$STS',  'ENG', 'I/O status', 'I/O', 'status', '', 'Status of the last file operation'),
  ('DEM', 'IO$MDE',  'ENG', 'Mode', 'Mode', '', '', 'Screen mode'),
  ('DEM', 'IO$MSGTXT', 'ENG', 'Message', 'Message', 'text', '', 'Text of the last message issued');

-- The customer file CUSTMST in library DEMLIB, keyed by CUSTNO, with a
-- logical view CUSTMSTL1 by name.
INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'CUSTMST', 'DEMLIB', 'N', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'CUSTMST', 'DEMLIB', 'FFD', 'CUSTNO', 1, 'CUSTNO'),
  ('DEM', 'CUSTMST', 'DEMLIB', 'FFD', 'CUSTNAM', 2, 'CUSTNAM'),
  ('DEM', 'CUSTMST', 'DEMLIB', 'FFD', 'CREDIT', 3, 'CREDIT'),
  ('DEM', 'CUSTMST', 'DEMLIB', 'FFD', 'CUSTSTS', 4, 'CUSTSTS');

INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES
  ('DEM', 'CUSTMST', 'DEMLIB', 'CUSTNO', 1);

INSERT INTO QV_F15 (X15P_I, X15LGL, X15PFL, X15PLB) VALUES
  ('DEM', 'CUSTMSTL1', 'CUSTMST', 'DEMLIB');

INSERT INTO QV_F43 (X43P_I, X43PFL, X43PLB, X43LGL, X43LVK, X43SEQ) VALUES
  ('DEM', 'CUSTMST', 'DEMLIB', 'CUSTMSTL1', 'CUSTNAM', 1);
