-- Web pages of the sample process DEMOWEB: a web-enabled process (its
-- option string asks for HTML and XML pages at positions 14 and 15), the
-- function ORDWEB with a REQUEST and a DISPLAY panel, the function ORDLST
-- with a browse list and a window, the fields they show
-- (texts with apostrophes, quotes, '&' and '<' on purpose) and a stored
-- text map. The functions' source is in samples/sources/DEM/DEMOWEB.

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOWEB', ' ', 'L', 'NNNNNNNNNNNNNYY');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOWEB', 'ORDWEB', '', 'N', 'Y'),
  ('DEM', 'DEMOWEB', 'ORDLST', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOWEB', 'ORDWEB', 'ENG', 'Orders on the web'),
  ('DEM', 'DEMOWEB', 'ORDLST', 'ENG', 'Order list and window');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'WEBCUST', 'A', 20, 0, '', 'LC  ', ''),
  ('DEM', 'WEBAMT',  'P', 7, 2,  '', '', ''),
  ('DEM', 'WEBPASS', 'A', 8, 0,  '', 'ND  ', 'ND  ');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'WEBCUST', 'ENG', 'Customer''s name', 'Customer', '', '"A&B" <name>', 'Name of the customer'),
  ('DEM', 'WEBAMT',  'ENG', 'Amount', '', '', 'Amount', 'Amount of the order'),
  ('DEM', 'WEBPASS', 'ENG', 'Password', '', '', 'Password', 'Password of the customer');

-- Text map *TMAP001 of ORDWEB's REQUEST: 80 characters of text, line and
-- column (3 digits each) and 14 attribute flags per text.
INSERT INTO QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ, X85DTA) VALUES
  ('DEM', 'DEMOWEB', 'ORDWEB', 'TEXTMAPS', '*TMAP001', 1,
   'Orders & ''returns'' <on the web>                                                 004050YNNNNNNNNNNNNN'),
  ('DEM', 'DEMOWEB', 'ORDWEB', 'TEXTMAPS', '*TMAP001', 2,
   'Enter the "customer" first                                                      010002YNNNNNNNNNNNNN');
