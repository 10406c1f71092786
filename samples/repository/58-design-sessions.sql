-- Functions of the sample process DEMODSN that the design sessions of
-- samples/painter/screen-edit.txt and report-edit.txt rework: DSNEDT, a
-- screen with its own field list and a screen that shows a field group of
-- GROUP_BY, and DSNREP, a report with a heading line and a detail line.
-- The functions' source is in samples/sources/DEM/DEMODSN.

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMODSN', 'DSNEDT', '', 'N', 'Y'),
  ('DEM', 'DEMODSN', 'DSNREP', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMODSN', 'DSNEDT', 'ENG', 'Order screens to rework'),
  ('DEM', 'DEMODSN', 'DSNREP', 'ENG', 'Order report to rework');
