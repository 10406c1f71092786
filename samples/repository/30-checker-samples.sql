-- Sample functions of the checker: CUSTERR holds a finding of each kind
-- the list and condition checks give (a sort field outside its list, a
-- condition comparing a name with a number, a list without DEF_LIST).
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOPRC', 'CUSTERR', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOPRC', 'CUSTERR', 'ENG', 'List commands with findings');
