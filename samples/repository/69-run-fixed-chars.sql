-- The function RUNHFLD of the process DEMORUN (68-run-samples.sql), run by
-- the tests under the test run time: product codes in the dictionary's
-- fields of fixed characters (FCODE and TXCODE, 12 characters, held as
-- short character fields; FNOTE, 200 characters) set, computed, compared
-- and taken as a CASE subject.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMORUN', 'RUNHFLD', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMORUN', 'RUNHFLD', 'ENG', 'Product codes of fixed characters');
