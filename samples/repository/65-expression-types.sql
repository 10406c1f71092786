-- The fields of the sample functions EXPTYPE, EXPSPEC and EXPCOND of the process
-- EXPRPRC (sources/DEM/EXPRPRC): EXPTYPE compiles expressions over every
-- kind of field the object layer's compiler takes (dates, times and
-- timestamps moved into one another, characters of varying length, bytes,
-- large objects, booleans, integers of every size, floats, numbers and
-- dates that may be SQL null, the I/O status field set by an expression);
-- EXPSPEC sets the highest, lowest, not-available, SQL-null and empty
-- values into fields of every kind; EXPCOND tests their empty values,
-- compares dates with timestamps and fixed with varying characters, and
-- takes subjects of every kind; EXPMOVE moves fields into fields of
-- identical layout; EXPVALS sets the edge values into short fields.
-- EXPTYPE, EXPSPEC and EXPCOND are registered here, so make run and the
-- tests generate and compile their C and C# sets; EXPMOVE and EXPVALS are
-- registered by the tests that generate them (tests/generator/expressions).

-- Second fields of the types of DEMOTYP's fields (42-fields.sql), and some
-- that may hold SQL null (ASQN).
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'TXDATE',   'E', 10, 0, '', '', ''),
  ('DEM', 'TXTIME',   'M', 8, 0,  '', '', ''),
  ('DEM', 'TXSTAMP',  'Z', 26, 0, '', '', ''),
  ('DEM', 'TXCODE',   'H', 12, 0, '', '', ''),
  ('DEM', 'TXLONG',   'H', 300, 0, '', '', ''),
  ('DEM', 'TXIMAGE',  'B', 100, 0, '', '', ''),
  ('DEM', 'TXFLAG',   'Y', 1, 0,  '', '', ''),
  ('DEM', 'TXINT1',   'I', 1, 0,  '', '', ''),
  ('DEM', 'TXUINT1',  'I', 1, 0,  '', 'SUNI', ''),
  ('DEM', 'TXFLT4',   'F', 4, 0,  '', '', ''),
  ('DEM', 'TXNDATE',  'E', 10, 0, '', 'ASQN', ''),
  ('DEM', 'TXNCODE',  'H', 12, 0, '', 'ASQN', ''),
  ('DEM', 'TXNINT',   'I', 4, 0,  '', 'ASQN', ''),
  ('DEM', 'TXNAMT',   'P', 9, 2,  '', 'ASQN', ''),
  ('DEM', 'TXDOC',    '4', 0, 0,  '', '', '');

-- Third fields for EXPMOVE, which moves fields into fields of identical
-- layout: characters and bytes of varying length that may or may not hold
-- SQL null (characters of up to 32 are held as short character fields,
-- longer ones as varying ones), packed numbers beyond 30 digits, and
-- numbers that may be null.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'TXALPHA',  'A', 20, 0, '', '', ''),
  ('DEM', 'TXNOTE',   'H', 200, 0, '', '', ''),
  ('DEM', 'TXNNOTE',  'H', 200, 0, '', 'ASQN', ''),
  ('DEM', 'TXNNOTE2', 'H', 200, 0, '', 'ASQN', ''),
  ('DEM', 'TXNCODE2', 'H', 12, 0, '', 'ASQN', ''),
  ('DEM', 'TXNIMAGE', 'B', 100, 0, '', 'ASQN', ''),
  ('DEM', 'TXBIGDEC', 'P', 31, 5, '', '', ''),
  ('DEM', 'TXNAMT2',  'P', 9, 2,  '', 'ASQN', ''),
  ('DEM', 'TXSIGNED', 'S', 7, 0,  '', '', ''),
  ('DEM', 'TXPACKED', 'P', 9, 2,  '', '', '');

-- Short fields for EXPVALS, which sets the highest, lowest and
-- not-available values into fields of one to ten characters or digits.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'TXA1',     'A', 1, 0,  '', '', ''),
  ('DEM', 'TXA2',     'A', 2, 0,  '', '', ''),
  ('DEM', 'TXA5',     'A', 5, 0,  '', '', ''),
  ('DEM', 'TXA10',    'A', 10, 0, '', '', ''),
  ('DEM', 'TXP1',     'P', 1, 0,  '', '', ''),
  ('DEM', 'TXP2',     'P', 2, 0,  '', '', ''),
  ('DEM', 'TXP3',     'P', 3, 0,  '', '', ''),
  ('DEM', 'TXP4',     'P', 4, 0,  '', '', ''),
  ('DEM', 'TXP5',     'P', 5, 0,  '', '', ''),
  ('DEM', 'TXS1',     'S', 1, 0,  '', '', ''),
  ('DEM', 'TXS2',     'S', 2, 0,  '', '', ''),
  ('DEM', 'TXS3',     'S', 3, 0,  '', '', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'EXPRPRC', 'EXPTYPE', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPSPEC', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPCOND', '', 'N', 'Y');
