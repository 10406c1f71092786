-- The fields of the sample function EXPSHRT of the process EXPRPRC
-- (sources/DEM/EXPRPRC/EXPSHRT.zoph): short character fields of 2, 5, 10
-- and 20 characters, one that may hold SQL null, set from and into
-- characters of every kind, set to the special values, compared and taken
-- as a CASE subject. The tests that generate EXPSHRT register it
-- (tests/generator/expressions).
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'SCCODE',   'U', 10, 0, '', '', ''),
  ('DEM', 'SCLONG',   'U', 20, 0, '', '', ''),
  ('DEM', 'SCTINY',   'U', 2, 0,  '', '', ''),
  ('DEM', 'SCFIVE',   'U', 5, 0,  '', '', ''),
  ('DEM', 'SCNULL',   'U', 10, 0, '', 'ASQN', '');

-- The fields of the sample function EXPARRY of the process EXPRPRC: three
-- fields of each kind that its arrays are made of (packed and signed
-- numbers, characters, dates, integers, characters of varying length).
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'AXPK1', 'P', 7, 2, '', '', ''), ('DEM', 'AXPK2', 'P', 7, 2, '', '', ''), ('DEM', 'AXPK3', 'P', 7, 2, '', '', ''),
  ('DEM', 'AXSG1', 'S', 5, 0, '', '', ''), ('DEM', 'AXSG2', 'S', 5, 0, '', '', ''), ('DEM', 'AXSG3', 'S', 5, 0, '', '', ''),
  ('DEM', 'AXAL1', 'A', 8, 0, '', '', ''), ('DEM', 'AXAL2', 'A', 8, 0, '', '', ''), ('DEM', 'AXAL3', 'A', 8, 0, '', '', ''),
  ('DEM', 'AXDT1', 'E', 10, 0, '', '', ''), ('DEM', 'AXDT2', 'E', 10, 0, '', '', ''), ('DEM', 'AXDT3', 'E', 10, 0, '', '', ''),
  ('DEM', 'AXIN1', 'I', 4, 0, '', '', ''), ('DEM', 'AXIN2', 'I', 4, 0, '', '', ''), ('DEM', 'AXIN3', 'I', 4, 0, '', '', ''),
  ('DEM', 'AXCH1', 'H', 10, 0, '', '', ''), ('DEM', 'AXCH2', 'H', 10, 0, '', '', ''), ('DEM', 'AXCH3', 'H', 10, 0, '', '', '');
