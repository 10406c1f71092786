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
