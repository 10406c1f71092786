-- The process DEMODEF: functions whose generated programs carry the
-- definitions and tables of the generator core. DEFLIST (browse and working
-- lists of both layouts, conditions, a SELECT), DEFBIF (the program of the
-- built-in function DEM_ADD_VAT), DEFUSE (a call of it), DEFRPT (a report)
-- and DEFSQL (a SELECT_SQL over a file of this database and a file whose
-- fields carry alternate names). The functions' source is in
-- sources/DEM/DEMODEF.

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMODEF', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMODEF', 'DEFLIST', '', 'N', 'Y'),
  ('DEM', 'DEMODEF', 'DEFBIF', '', 'N', 'Y'),
  ('DEM', 'DEMODEF', 'DEFUSE', '', 'N', 'Y'),
  ('DEM', 'DEMODEF', 'DEFRPT', '', 'N', 'Y'),
  ('DEM', 'DEMODEF', 'DEFSQL', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMODEF', 'DEFLIST', 'ENG', 'Active customers and credit limits'),
  ('DEM', 'DEMODEF', 'DEFBIF', 'ENG', 'Program of built-in DEM_ADD_VAT'),
  ('DEM', 'DEMODEF', 'DEFUSE', 'ENG', 'Uses built-in DEM_ADD_VAT'),
  ('DEM', 'DEMODEF', 'DEFRPT', 'ENG', 'Customer report'),
  ('DEM', 'DEMODEF', 'DEFSQL', 'ENG', 'Customers by region (SQL)'),
  ('DEM', 'DEMODEF', 'DEFSQL', 'XXX', 'A language the partition does not have');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'DEFAMT',  'P', 11, 2, '', '', ''),
  ('DEM', 'DEFVAT',  'P', 11, 2, '', '', ''),
  ('DEM', 'CUSTRGN', 'A', 4, 0,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'DEFAMT',  'ENG', 'Amount', 'Amount', '', '', 'Amount before tax'),
  ('DEM', 'DEFVAT',  'ENG', 'VAT', 'VAT', '', '', 'Value added tax of the amount'),
  ('DEM', 'CUSTRGN', 'ENG', 'Region', 'Region', '', '', 'Sales region of the customer');

-- The built-in function DEM_ADD_VAT: its program is the function DEFBIF,
-- whose field DEFAMT receives the argument and DEFVAT holds the result.
INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM) VALUES
  ('DEM_ADD_VAT', 901, 1, 1, 'N', 'Value added tax of an amount', 'DEFBIF');

INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP, X48PLN, X48PDP, X48DFT, X48FLD) VALUES
  ('DEM_ADD_VAT', 'A', 1, 'R', 'N', 11, 2, '*ZERO', 'DEFAMT'),
  ('DEM_ADD_VAT', 'R', 1, 'R', 'N', 11, 2, '*ZERO', 'DEFVAT');

-- CUSTRGN: the region of each customer, in a file whose fields may carry
-- alternate key names (X27EXF 'Y'); its CUSTNO is known as CUST_NUMBER.
INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'CUSTRGN', 'DEMLIB', 'Y', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'CUSTRGN', 'DEMLIB', 'FFD', 'CUSTNO', 1, 'CUSTNO'),
  ('DEM', 'CUSTRGN', 'DEMLIB', 'FFD', 'CUSTRGN', 2, 'CUSTRGN');

INSERT INTO QV_F54 (X54P_I, X54PFL, X54PLB, X54TYP, X54VAL, X54AKI) VALUES
  ('DEM', 'CUSTRGN', 'DEMLIB', 'AN$', 'CUSTNO', 'CUST_NUMBER');
