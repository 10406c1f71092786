-- The fields of the sample functions EXPTYPE, EXPSPEC and EXPCOND of the process
-- EXPRPRC (sources/DEM/EXPRPRC): EXPTYPE compiles expressions over every
-- kind of field the object layer's compiler takes (dates, times and
-- timestamps moved into one another, characters of varying length, bytes,
-- large objects, booleans, integers of every size, floats, numbers and
-- dates that may be SQL null, the I/O status field set by an expression);
-- EXPSPEC sets the highest, lowest, not-available, SQL-null and empty
-- values into fields of every kind; EXPCOND tests their empty values,
-- compares dates with timestamps and fixed with varying characters, and
-- takes subjects of every kind. The three functions are registered here,
-- so make run and the tests generate and compile their C and C# sets.

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

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'EXPRPRC', 'EXPTYPE', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPSPEC', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPCOND', '', 'N', 'Y');
