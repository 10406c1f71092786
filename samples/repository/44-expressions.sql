-- Compiled expressions: the message of an expression the object layer
-- cannot compile, and the sample process EXPRPRC whose function EXPCALC
-- uses every form of expression the checker accepts (arithmetic with
-- rounding, comparisons of numbers, names and dates, AND/OR in both
-- forms, value tests, a system variable, CASE/WHEN groups and the special
-- values of CHANGE), with the fields it needs; EXPEDGE holds the values
-- at the edges: a quotient rounded, 18-digit fields whose product only
-- the exact decimal arithmetic holds, *HIVAL compared, a literal with a
-- zero byte, SQL null into a field that cannot hold it, and integer,
-- floating-point and boolean fields.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1810', 'ENG', 'F', '10,60,62',
   'The expression of command &1 cannot be compiled: &2 (&3).');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'EXPRPRC', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'EXPRPRC', 'EXPCALC', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPTEXT', '', 'N', 'Y'),
  ('DEM', 'EXPRPRC', 'EXPEDGE', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'EXPRPRC', 'EXPCALC', 'ENG', 'Arithmetic, conditions and When groups'),
  ('DEM', 'EXPRPRC', 'EXPTEXT', 'ENG', 'Names compared with literals'),
  ('DEM', 'EXPRPRC', 'EXPEDGE', 'ENG', 'Values at the edges of the arithmetic');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'EXPRPRC', 'ENG', 1, 'Expressions');

-- EXNULL can hold SQL null (attribute ASQN).
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'EXA',      'P', 7, 0,  '', '', ''),
  ('DEM', 'EXB',      'P', 7, 0,  '', '', ''),
  ('DEM', 'EXTOTAL',  'P', 9, 0,  '', '', ''),
  ('DEM', 'EXPRICE',  'P', 9, 2,  '', '', ''),
  ('DEM', 'EXRATE',   'P', 5, 3,  '', '', ''),
  ('DEM', 'EXAMOUNT', 'P', 11, 2, '', '', ''),
  ('DEM', 'EXSIGN',   'S', 5, 0,  '', '', ''),
  ('DEM', 'EXNULL',   'P', 7, 0,  '', 'ASQN', ''),
  ('DEM', 'EXNAME',   'A', 10, 0, '', '', ''),
  ('DEM', 'EXNAME2',  'A', 10, 0, '', '', ''),
  ('DEM', 'EXCODE',   'A', 1, 0,  '', '', ''),
  ('DEM', 'EXDATE',   'E', 10, 0, '', '', ''),
  ('DEM', 'EXDATE2',  'E', 10, 0, '', '', ''),
  ('DEM', 'EXBIG',    'P', 18, 0, '', '', ''),
  ('DEM', 'EXBIG2',   'P', 18, 0, '', '', ''),
  ('DEM', 'EXQUOT',   'P', 9, 4,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'EXA',      'ENG', 'A', 'A', '', '', 'First operand'),
  ('DEM', 'EXB',      'ENG', 'B', 'B', '', '', 'Second operand'),
  ('DEM', 'EXTOTAL',  'ENG', 'Total', 'Total', '', '', 'Result of the arithmetic'),
  ('DEM', 'EXPRICE',  'ENG', 'Price', 'Price', '', '', 'Unit price'),
  ('DEM', 'EXRATE',   'ENG', 'Rate', 'Rate', '', '', 'Rate with three decimals'),
  ('DEM', 'EXAMOUNT', 'ENG', 'Amount', 'Amount', '', '', 'Price times rate, rounded'),
  ('DEM', 'EXSIGN',   'ENG', 'Difference', 'Difference', '', '', 'Signed difference'),
  ('DEM', 'EXNULL',   'ENG', 'Optional', 'Optional', '', '', 'A number that may be SQL null'),
  ('DEM', 'EXNAME',   'ENG', 'Name', 'Name', '', '', 'A name'),
  ('DEM', 'EXNAME2',  'ENG', 'Other name', 'Other', 'name', '', 'Another name'),
  ('DEM', 'EXCODE',   'ENG', 'Code', 'Code', '', '', 'A one-letter code'),
  ('DEM', 'EXDATE',   'ENG', 'Date', 'Date', '', '', 'A date'),
  ('DEM', 'EXDATE2',  'ENG', 'Other date', 'Other', 'date', '', 'Another date'),
  ('DEM', 'EXBIG',    'ENG', 'Big', 'Big', '', '', 'An 18-digit number'),
  ('DEM', 'EXBIG2',   'ENG', 'Big 2', 'Big', '2', '', 'Another 18-digit number'),
  ('DEM', 'EXQUOT',   'ENG', 'Quotient', 'Quotient', '', '', 'A quotient with four decimals');
