-- Fields of every type the generator maps, a data structure and the process
-- DEMOTYP whose functions use them: TYPALL (one field of each type),
-- TYPDS (receives the data structure DEMDS) and TYPWEB (web-enabled).
-- The functions' source is in sources/DEM/DEMOTYP.

INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1601', 'ENG', 'F', '10,1,7', 'Field &1 of type &2 and length &3 cannot be held by generated code.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOTYP', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOTYP', 'TYPALL', '', 'N', 'Y'),
  ('DEM', 'DEMOTYP', 'TYPDS', '', 'N', 'Y'),
  ('DEM', 'DEMOTYP', 'TYPWEB', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOTYP', 'TYPALL', 'ENG', 'One field of every type'),
  ('DEM', 'DEMOTYP', 'TYPDS', 'ENG', 'Receives a data structure'),
  ('DEM', 'DEMOTYP', 'TYPWEB', 'ENG', 'A web-enabled function');

-- Type letters: A alpha, P packed, S signed, I integer (1, 2, 4 or 8 bytes),
-- F float (4 or 8 bytes), E date, M time, Z timestamp, H character of
-- varying length (up to 32 characters a short one), B bytes, Y boolean,
-- 3 and 4 large objects. ASQN: the field may hold the SQL null value; SUNI:
-- an unsigned integer; SUNS: national characters.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'FALPHA',  'A', 20, 0, '', '', ''),
  ('DEM', 'FPACKED', 'P', 9, 2,  '', '', ''),
  ('DEM', 'FSIGNED', 'S', 7, 0,  '', '', ''),
  ('DEM', 'FBIGDEC', 'P', 31, 5, '', '', ''),
  ('DEM', 'FNULLAMT','P', 11, 2, '', 'ASQN', ''),
  ('DEM', 'FINT2',   'I', 2, 0,  '', '', ''),
  ('DEM', 'FCOUNT',  'I', 4, 0,  '', 'SUNI', ''),
  ('DEM', 'FINT8',   'I', 8, 0,  '', '', ''),
  ('DEM', 'FRATE',   'F', 4, 0,  '', '', ''),
  ('DEM', 'FAMOUNT', 'F', 8, 0,  '', '', ''),
  ('DEM', 'FDATE',   'E', 10, 0, '', '', ''),
  ('DEM', 'FTIME',   'M', 8, 0,  '', '', ''),
  ('DEM', 'FSTAMP',  'Z', 26, 0, '', '', ''),
  ('DEM', 'FNOTE',   'H', 200, 0, '', '', ''),
  ('DEM', 'FCODE',   'H', 12, 0, '', '', ''),
  ('DEM', 'FNATNAME','H', 20, 0, '', 'SUNS', ''),
  ('DEM', 'FIMAGE',  'B', 100, 0, '', '', ''),
  ('DEM', 'FACTIVE', 'Y', 1, 0,  '', '', ''),
  ('DEM', 'FDOC',    '3', 0, 0,  '', '', '');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'FALPHA',  'ENG', 'Alpha', 'Alpha', '', '', 'Alphanumeric field'),
  ('DEM', 'FDATE',   'ENG', 'Date', 'Date', '', '', 'Date field');

-- The data structure DEMDS: a file whose real fields travel as one record.
-- It has fields in two libraries; the library that sorts first is taken.
INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'DEMDS', 'DEMLIB', 'N', ''),
  ('DEM', 'DEMDS', 'DEMLIB2', 'N', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'DEMDS', 'DEMLIB', 'FFD', 'FALPHA', 1, 'FALPHA'),
  ('DEM', 'DEMDS', 'DEMLIB', 'FFD', 'FNULLAMT', 2, 'FNULLAMT'),
  ('DEM', 'DEMDS', 'DEMLIB', 'FFD', 'FCOUNT', 3, 'FCOUNT'),
  ('DEM', 'DEMDS', 'DEMLIB2', 'FFD', 'FDATE', 1, 'FDATE');
