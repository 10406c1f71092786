-- Screens and reports of the sample process DEMOSCR that use the layouts'
-- keyword variants together: ORDSCRN (screens laid out down and across,
-- identified by descriptions, labels and column headings, fixed positions,
-- *REPEAT and *NEWPAGE fields, hidden, output-only and selection fields, a
-- check box and a push button, a browse list and a pop-up window) and
-- ORDREPS (a report with headings, leading and trailing breaks, detail
-- lines across and down, a footing with a stored text map, texts of the
-- commands and a conditioned field). The source is in
-- samples/sources/DEM/DEMOSCR.

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOSCR', 'ORDSCRN', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDREPS', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOSCR', 'ORDSCRN', 'ENG', 'Order screens'),
  ('DEM', 'DEMOSCR', 'ORDREPS', 'ENG', 'Order listing');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'ORDCUST',  'A', 30, 0, '', '', ''),
  ('DEM', 'ORDHIDE',  'A', 8, 0,  '', '', ''),
  ('DEM', 'ORDFLAG',  'A', 1, 0,  '', 'CBOX', ''),
  ('DEM', 'ORDOKB',   'A', 6, 0,  '', 'PB01', ''),
  ('DEM', 'ORDAMT',   'P', 11, 2, '', '', ''),
  ('DEM', 'ORDNOTE2', 'A', 40, 0, '', '', ''),
  ('DEM', 'ORDNOTE3', 'A', 40, 0, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'ORDCUST',  'ENG', 'Customer', 'Customer', 'name', '', 'Customer name'),
  ('DEM', 'ORDHIDE',  'ENG', 'Hidden key', 'Key', '', '', 'Hidden key'),
  ('DEM', 'ORDFLAG',  'ENG', 'Urgent', 'Urgent', '', '', 'Urgent order'),
  ('DEM', 'ORDOKB',   'ENG', '', '', '', '', 'Confirm button'),
  ('DEM', 'ORDAMT',   'ENG', 'Amount', 'Order', 'amount', '', 'Order amount'),
  ('DEM', 'ORDNOTE2', 'ENG', 'Second note', 'Note 2', '', '', 'Second note'),
  ('DEM', 'ORDNOTE3', 'ENG', 'Third note', 'Note 3', '', '', 'Third note');

-- ORDREPS's footing, text map *TMAP002: two texts at line 2, columns 5 and
-- 40 (120 characters of text, 3-digit line, 3-digit column), and a row
-- whose line is not numeric, which the layout passes over.
INSERT INTO QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ, X85DTA) VALUES
  ('DEM', 'DEMOSCR', 'ORDREPS', 'TEXTMAPS', '*TMAP002', 1,
   substr('End of order listing' || printf('%120s', ''), 1, 120) || '002005'),
  ('DEM', 'DEMOSCR', 'ORDREPS', 'TEXTMAPS', '*TMAP002', 2,
   substr('Printed by DEMOSCR' || printf('%120s', ''), 1, 120) || '002040'),
  ('DEM', 'DEMOSCR', 'ORDREPS', 'TEXTMAPS', '*TMAP002', 3,
   substr('Not a text' || printf('%120s', ''), 1, 120) || '0 2060');

-- ORDLFLT: screens and report lines the layouts refuse, each for its own
-- reason (a binary field and a long integer on a report line, positions
-- without line or column, overlapping and over-wide fields, a text past its
-- line, two push buttons of one number, a check box under column headings,
-- a field of eleven display attributes, pop-up windows that do not fit).
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOSCR', 'ORDLFLT', '', 'N', 'Y');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'ORDBIN',  'A', 8, 0, '', '', 'SBIN'),
  ('DEM', 'ORDCNT',  'L', 9, 0, '', '', ''),
  ('DEM', 'ORDOK2',  'A', 6, 0, '', 'PB01', ''),
  ('DEM', 'ORDATTR', 'A', 12, 0, '', 'AB  ME  MF  M10 M11 VN  FE  RB  RZ  RL  GRN ', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'ORDBIN', 'ENG', 'Binary key', 'Key', '', '', 'Binary key'),
  ('DEM', 'ORDCNT', 'ENG', 'Count', 'Count', '', '', 'Line count'),
  ('DEM', 'ORDOK2', 'ENG', '', '', '', '', 'Second confirm button'),
  ('DEM', 'ORDATTR', 'ENG', 'Attributes', 'Attributes', '', '', 'Field of many attributes');

-- ORDSCRN's key F6, captioned by a multilingual text variable.
INSERT INTO QV_F61 (X61P_I, X61PLN, X61MTX, X61VAL, X61LEN) VALUES
  ('DEM', 'ENG', '*MTXTADD', 'New', 3),
  ('DEM', 'FRA', '*MTXTADD', 'Nouveau', 7);
