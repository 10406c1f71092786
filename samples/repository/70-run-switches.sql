-- The function RUNSWCH of the process DEMORUN (68-run-samples.sql), run by
-- the tests under the test run time: named conditions over *BLANK, *ZERO
-- and arithmetic, a CASE over an amount with decimals, an array element
-- set to its default and reached again, IF_NULL over dates, timestamps,
-- times and varying characters, and an ABORT that ends the function.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMORUN', 'RUNSWCH', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMORUN', 'RUNSWCH', 'ENG', 'Order checks of the run step');
