-- Web Application Module generation: the web application build entries of
-- partition DEM (the technology-service applications the web routines'
-- stylesheets are made for: TSP, application, description), the
-- descriptions of the sample WAM and its component, and the message texts
-- the generation issues besides the ones of 10-messages.sql.
DELETE FROM QV_WBA WHERE WBAP_I = 'DEM';
INSERT INTO QV_WBA (WBAP_I, WBANUM, WBANM1, WBANM2, WBANM3) VALUES
  ('DEM', 1, 'HTML', 'DESKTOP', 'Desktop'),
  ('DEM', 2, 'HTML', 'MOBILE', 'Mobile');

INSERT OR REPLACE INTO QV_F62 (X62P_I, X62FLD, X62PLN, X62DES) VALUES
  ('DEM', 'OrderWAM', 'ENG', 'Order entry'),
  ('DEM', 'DEMOWEB', 'ENG', 'Order entry on the web');

INSERT OR REPLACE INTO QV_SMS (SMSNUM, SMSLNG, SMSTXT) VALUES
  (857, 'ENG', 'The weblet %s could not be saved: %s.');
