-- The process DEMORUN: small functions of a shop's order lines whose
-- generated programs are run by the tests (tests/generator/runs) under
-- the test run time of tests/runtime, and whose fields' values after the
-- run were worked out by hand from their source: flow of control, moves
-- and arithmetic, arrays, working lists, sorting, running totals,
-- substrings, defaults, subroutines, validation, report totals and the
-- extended field kinds. The functions' source is in sources/DEM/DEMORUN;
-- their fields are defined in the functions themselves, but for RUNKIND's
-- fields of the extended kinds, which are the dictionary's (42-fields.sql).
INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMORUN', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMORUN', 'RUNFLOW', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNMOVE', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNCALC', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNARR', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNARRA', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNARRO', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNLST', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNSORT', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNKEEP', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNSUBS', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNDFT', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNSUBR', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNVAL', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNRPT', '', 'N', 'Y'),
  ('DEM', 'DEMORUN', 'RUNKIND', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMORUN', 'RUNFLOW', 'ENG', 'Count down, add up and classify'),
  ('DEM', 'DEMORUN', 'RUNMOVE', 'ENG', 'Prices and codes moved between fields'),
  ('DEM', 'DEMORUN', 'RUNCALC', 'ENG', 'The net, VAT and daily share of a line'),
  ('DEM', 'DEMORUN', 'RUNARR', 'ENG', 'Weekly figures in an array'),
  ('DEM', 'DEMORUN', 'RUNARRA', 'ENG', 'Regions in an array of two indexes'),
  ('DEM', 'DEMORUN', 'RUNARRO', 'ENG', 'Codes in an array over one field'),
  ('DEM', 'DEMORUN', 'RUNLST', 'ENG', 'Order lines in working lists'),
  ('DEM', 'DEMORUN', 'RUNSORT', 'ENG', 'Orders sorted, thinned and raised'),
  ('DEM', 'DEMORUN', 'RUNKEEP', 'ENG', 'Running totals of order lines'),
  ('DEM', 'DEMORUN', 'RUNSUBS', 'ENG', 'Parts of an order reference'),
  ('DEM', 'DEMORUN', 'RUNDFT', 'ENG', 'Starting values of an order line'),
  ('DEM', 'DEMORUN', 'RUNSUBR', 'ENG', 'A balance kept by subroutines'),
  ('DEM', 'DEMORUN', 'RUNVAL', 'ENG', 'Check an order line twice'),
  ('DEM', 'DEMORUN', 'RUNRPT', 'ENG', 'Order lines printed with totals'),
  ('DEM', 'DEMORUN', 'RUNKIND', 'ENG', 'Amounts in the extended field kinds');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMORUN', 'ENG', 1, 'Order lines');
