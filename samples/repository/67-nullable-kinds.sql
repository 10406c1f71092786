-- The fields of the sample function EXPNULK of the process EXPRPRC
-- (sources/DEM/EXPRPRC/EXPNULK.zoph), each able to hold SQL null: integers
-- of one, two and eight bytes, a float, a boolean, a time and a timestamp
-- (held in a structure with a field state), set to the special values,
-- computed, compared with timestamps and tested; characters and bytes of
-- varying length of 2, set to the highest and not-available values. The
-- test that generates EXPNULK registers it (tests/generator/expressions).
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'NKINT1',   'I', 1, 0,  '', 'ASQN', ''),
  ('DEM', 'NKUINT1',  'I', 1, 0,  '', 'ASQN', 'SUNI'),
  ('DEM', 'NKINT2',   'I', 2, 0,  '', 'ASQN', ''),
  ('DEM', 'NKINT8',   'I', 8, 0,  '', 'ASQN', ''),
  ('DEM', 'NKFLT8',   'F', 8, 0,  '', 'ASQN', ''),
  ('DEM', 'NKFLAG',   'Y', 1, 0,  '', 'ASQN', ''),
  ('DEM', 'NKTIME',   'M', 8, 0,  '', 'ASQN', ''),
  ('DEM', 'NKSTAMP',  'Z', 26, 0, '', 'ASQN', ''),
  ('DEM', 'NKCHR2',   'H', 2, 0,  '', 'ASQN', ''),
  ('DEM', 'NKBIN2',   'B', 2, 0,  '', 'ASQN', '');
