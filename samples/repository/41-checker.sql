-- Data the checker's own checks need in the sample partition: the page
-- number fields of the nine reports a function may print, and the texts of
-- the checker's messages that the other files do not hold.

-- A report's page number is kept in the field REPnPAGE of report n.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'REP1PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP2PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP3PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP4PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP5PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP6PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP7PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP8PAGE', 'P', 5, 0, '', '', ''),
  ('DEM', 'REP9PAGE', 'P', 5, 0, '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'REP1PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 1'),
  ('DEM', 'REP2PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 2'),
  ('DEM', 'REP3PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 3'),
  ('DEM', 'REP4PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 4'),
  ('DEM', 'REP5PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 5'),
  ('DEM', 'REP6PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 6'),
  ('DEM', 'REP7PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 7'),
  ('DEM', 'REP8PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 8'),
  ('DEM', 'REP9PAGE', 'ENG', 'Page', 'Page', '', '', 'Page number of report 9');

-- The order lines ORDLIN in library DEMLIB, keyed by order and line number,
-- so that a function may read all lines of one order by its number alone.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'ORDNO',  'P', 7, 0,  '             00000', '', ''),
  ('DEM', 'LINNO',  'P', 3, 0,  '             00000', '', ''),
  ('DEM', 'ITEM',   'A', 15, 0, '', '', ''),
  ('DEM', 'QTY',    'P', 7, 2,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'ORDNO', 'ENG', 'Order no.', 'Order', 'number', '', 'Order number'),
  ('DEM', 'LINNO', 'ENG', 'Line', 'Line', '', '', 'Line number within the order'),
  ('DEM', 'ITEM',  'ENG', 'Item', 'Item', '', '', 'Item ordered'),
  ('DEM', 'QTY',   'ENG', 'Quantity', 'Quantity', '', '', 'Quantity ordered');

INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'ORDLIN', 'DEMLIB', 'N', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'ORDLIN', 'DEMLIB', 'FFD', 'ORDNO', 1, 'ORDNO'),
  ('DEM', 'ORDLIN', 'DEMLIB', 'FFD', 'LINNO', 2, 'LINNO'),
  ('DEM', 'ORDLIN', 'DEMLIB', 'FFD', 'ITEM', 3, 'ITEM'),
  ('DEM', 'ORDLIN', 'DEMLIB', 'FFD', 'QTY', 4, 'QTY');

INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES
  ('DEM', 'ORDLIN', 'DEMLIB', 'ORDNO', 1),
  ('DEM', 'ORDLIN', 'DEMLIB', 'LINNO', 2);

INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1401', 'ENG', 'I', '10,10', 'The key values of command &1 were not checked: file &2 is not defined.'),
  ('DC@F23', 'PRC1402', 'ENG', 'F', '7', 'Character &1 of the command''s parameters is a NUL byte, which a command cannot hold.'),
  ('DC@F23', 'PRC1403', 'ENG', 'F', '30', '&1 is a reserved word of SQL and cannot name a column, table or correlation.'),
  ('DC@F23', 'PRC1404', 'ENG', 'F', '7', 'The column list of SELECT_SQL is &1 characters long; at most 1000 fit the statement.'),
  ('DC@F23', 'PRC1405', 'ENG', 'W', '10,10', 'Print file &1 in library &2 could not be validated: the repository does not describe it.'),
  ('DC@F23', 'PRC1406', 'ENG', 'F', '20,10', 'Built-in function &1 is already defined for program &2.'),
  ('DC@F23', 'PRC1407', 'ENG', 'I', '20', 'Built-in function &1 was not entered in the catalogue: its arguments and return values are not declared in a form the check can read.');

-- A command whose text is longer than a command holds: what lies past the
-- end would be neither checked nor generated. A branch target of a file
-- command (END_FILE, NOT_FOUND, VAL_ERROR) that names no label of the
-- routine, named with its keyword.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1408', 'ENG', 'F', '7', 'The command''s text is &1 characters long; a command can hold at most 11000 characters.'),
  ('DC@F23', 'PRC1409', 'ENG', 'F', '10,*', '&1 label &2 is not defined in this routine.');
