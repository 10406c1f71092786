-- Screens and reports of the sample process DEMOSCR: its functions, the
-- fields they show, multilingual titles, a stored text map and the message
-- texts of the layouts. The functions' source is in samples/sources/DEM/DEMOSCR.

INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC0322', 'ENG', 'F', '10', 'Condition &1 cannot be used: a screen format holds at most 50 condition names.'),
  ('DC@F23', 'PRC0323', 'ENG', 'F', '10', 'Field &1 and the fields after it cannot be laid out: the layout holds no more fields.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOSCR', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOSCR', 'ORDACR', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDDWN', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDPOP', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDTMAP', '', 'N', 'Y'),
  ('DEM', 'DEMOSCR', 'ORDRPT', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOSCR', 'ORDACR', 'ENG', 'Orders across'),
  ('DEM', 'DEMOSCR', 'ORDDWN', 'ENG', 'Orders down with a browse list'),
  ('DEM', 'DEMOSCR', 'ORDPOP', 'ENG', 'Order window'),
  ('DEM', 'DEMOSCR', 'ORDPOP', 'FRA', 'Fenetre de la commande client'),
  ('DEM', 'DEMOSCR', 'ORDTMAP', 'ENG', 'Order with designed texts'),
  ('DEM', 'DEMOSCR', 'ORDRPT', 'ENG', 'Order report');

-- A multilingual title, longer in French than in English.
INSERT INTO QV_F61 (X61P_I, X61PLN, X61MTX, X61VAL, X61LEN) VALUES
  ('DEM', 'ENG', '*MTXTORDTITLE', 'Orders', 6),
  ('DEM', 'FRA', '*MTXTORDTITLE', 'Commandes du client', 19);

INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'ORDREF',  'A', 10, 0, '', '', ''),
  ('DEM', 'ORDCODE', 'A', 5, 0,  '', '', ''),
  ('DEM', 'ORDQTY',  'P', 5, 0,  '', '', ''),
  ('DEM', 'ORDNOTE', 'A', 20, 0, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'ORDREF',  'ENG', 'Order ref', 'Order reference text', '', '', 'Order reference'),
  ('DEM', 'ORDCODE', 'ENG', 'Code', 'Code', '', '', 'Order code'),
  ('DEM', 'ORDQTY',  'ENG', 'Quantity', 'Qty', '', '', 'Quantity ordered'),
  ('DEM', 'ORDNOTE', 'ENG', 'Note', 'Note', '', '', 'Note on the order');

-- The designed texts of ORDTMAP's screen: text map *TMAP001, one text at
-- line 5, column 10 (80 characters of text, line, column, 14 attribute flags).
INSERT INTO QV_F85 (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ, X85DTA) VALUES
  ('DEM', 'DEMOSCR', 'ORDTMAP', 'TEXTMAPS', '*TMAP001', 1,
   'Designed order text                                                             005010YNNNNNNNNNNNNN');
