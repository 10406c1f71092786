-- Functions of the process DEMORUN (68-run-samples.sql) in corners of the
-- language, run by the tests under the test run time: RUNRND rounds values
-- of every numeric kind half up into fields of every numeric kind
-- (ROUND_UP), RUNKAVG keeps running values of a list's lines in fields of
-- several decimals (KEEP_*), and RUNMLV gives fields and messages the text
-- of a multilingual variable. The fields of the integer, floating-point and
-- long decimal kinds are the dictionary's.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMORUN', 'RUNRND', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNKAVG', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNMLV', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMORUN', 'RUNRND', 'ENG', 'Rates rounded into every kind'),
  ('DEM', 'DEMORUN', 'RUNKAVG', 'ENG', 'Running values of stock moves'),
  ('DEM', 'DEMORUN', 'RUNMLV', 'ENG', 'The order list title in words');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'RNI1',  'I', 1, 0,  '', '', ''),
  ('DEM', 'RNI1B', 'I', 1, 0,  '', '', ''),
  ('DEM', 'RNI2',  'I', 2, 0,  '', '', ''),
  ('DEM', 'RNI2B', 'I', 2, 0,  '', '', ''),
  ('DEM', 'RNI4',  'I', 4, 0,  '', '', ''),
  ('DEM', 'RNI4B', 'I', 4, 0,  '', '', ''),
  ('DEM', 'RNI8',  'I', 8, 0,  '', '', ''),
  ('DEM', 'RNI8B', 'I', 8, 0,  '', '', ''),
  ('DEM', 'RNF4',  'F', 4, 0,  '', '', ''),
  ('DEM', 'RNF8',  'F', 8, 0,  '', '', ''),
  ('DEM', 'RNP40', 'P', 40, 10, '', '', ''),
  ('DEM', 'RNS15', 'S', 15, 3, '', '', '');

-- The function ORDWEV of the web-enabled process DEMOWEB (47-pages.sql): a
-- web event page that asks for a customer's name and the two lines of the
-- address, fields whose names are nine characters long.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOWEB', 'ORDWEV', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOWEB', 'ORDWEV', 'ENG', 'Delivery address on the web');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'CUSTADDR1', 'A', 30, 0, '', '', ''),
  ('DEM', 'CUSTADDR2', 'A', 30, 0, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'CUSTADDR1', 'ENG', 'Street', 'Street', '', '', 'First line of the address'),
  ('DEM', 'CUSTADDR2', 'ENG', 'Town', 'Town', '', '', 'Second line of the address');
