-- The whole generated file set: the sample component DEMOREC (its source and
-- business-object description are in samples/objlayer/50-fileset.sql) as a
-- row of the field dictionary, whose option string the component job
-- records, and its description text.
DELETE FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'DEMOREC';
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'DEMOREC', 'X', 0, 0, 'Order records', '', '');

INSERT OR REPLACE INTO QV_F62 (X62P_I, X62FLD, X62PLN, X62DES) VALUES
  ('DEM', 'DEMOREC', 'ENG', 'Orders with their records and services');
