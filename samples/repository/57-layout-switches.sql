-- Screens of the sample process DEMOSCR for the layouts that the run's
-- system flags and the system definition choose (dqov --system-flag N,
-- --double-byte CP): a field wider than a screen line (ORDWIDE, refused
-- under the single-page flag 33), a pop-up window at the screen's top left
-- corner (ORDEDG, which fits only without a frame, flag 45), and a screen
-- whose field texts and stored text are double-byte Shift-JIS (ORDDBC, in
-- a job of code page 932). ORDACR, ORDDWN and ORDRPT show the mirrored
-- layout (flag 28). The functions' source is in samples/sources/DEM/DEMOSCR.

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOSCR', 'ORDWIDE', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDEDG', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDDBC', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOSCR', 'ORDWIDE', 'ENG', 'Order with a long note'),
  ('DEM', 'DEMOSCR', 'ORDEDG', 'ENG', 'Order window at the edge'),
  ('DEM', 'DEMOSCR', 'ORDDBC', 'ENG', 'Order in double-byte texts');

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'ORDLONG', 'A', 70, 0, '', '', ''),
  ('DEM', 'ORDKANJ', 'A', 10, 0, '', '', '');

-- ORDKANJ's texts in Shift-JIS: label and description "受注番号" (4
-- double-byte characters, 8 bytes), first column heading "受注" (4 bytes).
INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'ORDLONG', 'ENG', 'Long note', 'Long note', '', '', 'Long note on the order'),
  ('DEM', 'ORDKANJ', 'ENG', CAST(X'8EF3928D94D48D86' AS TEXT), CAST(X'8EF3928D' AS TEXT), '', '',
   CAST(X'8EF3928D94D48D86' AS TEXT));

-- ORDDBC's stored text, text map *TMAP001: "受注 list" (two double-byte
-- characters and five single-byte ones) at line 5, column 10.
INSERT INTO QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ, X85DTA) VALUES
  ('DEM', 'DEMOSCR', 'ORDDBC', 'TEXTMAPS', '*TMAP001', 1,
   CAST(X'8EF3928D' AS TEXT) || ' list' || substr('                                                                                ', 1, 71) ||
   '005010YNNNNNNNNNNNNN');
