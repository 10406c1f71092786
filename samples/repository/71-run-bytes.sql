-- The function RUNBYTE of the process DEMORUN (68-run-samples.sql), run by
-- the tests in C and in C#: fields of one byte (an alphanumeric and a packed
-- decimal) changed, a field of eight characters set from a field of one,
-- and literals handed to a subroutine that hands them back.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMORUN', 'RUNBYTE', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMORUN', 'RUNBYTE', 'ENG', 'Flags, letters and literals handed back');
