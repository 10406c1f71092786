-- Commands of database I/O: the process DEMOIO whose functions use each of
-- them (IOFETCH reads records by keys of one to five parts, through a view,
-- with WHERE and KEEP_LAST, IOCHNG changes records and controls files
-- and the unit of work, IOSEL loops over records and SQL rows and calls
-- built-in functions), the order files they work on, and the generator's
-- message of a built-in function without its user DLL entry. The
-- functions' source is in sources/DEM/DEMOIO.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1191', 'ENG', 'F', '20',
   'Built-in function &1 names no entry of a user DLL in x_usedll.dat; its call cannot be generated.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOIO', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOIO', 'IOFETCH', '', 'N', 'Y'),
  ('DEM', 'DEMOIO', 'IOCHNG', '', 'N', 'Y'),
  ('DEM', 'DEMOIO', 'IOSEL', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOIO', 'IOFETCH', 'ENG', 'Read orders by key and condition'),
  ('DEM', 'DEMOIO', 'IOCHNG', 'ENG', 'Change orders and control files'),
  ('DEM', 'DEMOIO', 'IOSEL', 'ENG', 'Loop over orders and order lines');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMOIO', 'ENG', 1, 'Order files');

-- The fields of the order files and the functions' own fields.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT) VALUES
  ('DEM', 'IOCOMP',   'A', 3, 0,  '', '', ''),
  ('DEM', 'IOORDNO',  'P', 7, 0,  '', '', ''),
  ('DEM', 'IOCUST',   'P', 7, 0,  '', '', ''),
  ('DEM', 'IOSTAT',   'A', 1, 0,  '', '', ''),
  ('DEM', 'IOTOTAL',  'P', 11, 2, '', '', ''),
  ('DEM', 'IOLINE',   'P', 3, 0,  '', '', ''),
  ('DEM', 'IOSUBL',   'P', 3, 0,  '', '', ''),
  ('DEM', 'IOSEQ',    'P', 3, 0,  '', '', ''),
  ('DEM', 'IOPROD',   'A', 10, 0, '', '', ''),
  ('DEM', 'IOQTY',    'P', 7, 0,  '', '', ''),
  ('DEM', 'IOPRICE',  'P', 9, 2,  '', '', ''),
  ('DEM', 'IOLSTAT',  'A', 1, 0,  '', '', ''),
  ('DEM', 'IOLVALUE', 'P', 11, 2, '', '', ''),
  ('DEM', 'IOLIMIT',  'P', 7, 0,  '', '', ''),
  ('DEM', 'IOCOUNT',  'P', 7, 0,  '', '', ''),
  ('DEM', 'IOSUM',    'P', 11, 2, '', '', ''),
  ('DEM', 'IORRN',    'P', 9, 0,  '', '', ''),
  ('DEM', 'IOFILE',   'A', 10, 0, '', '', ''),
  ('DEM', 'IOSQL',    'A', 200, 0, '', '', '');

-- IOORDHD, order headers keyed by company and order number (two parts);
-- IOORDLN, order lines keyed by company, order, line, sub-line and sequence
-- (five parts), whose IOLVALUE is a virtual field; the views IOORDLNV3 and
-- IOORDLNV4 over the lines, keyed by three and four parts.
INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'IOORDHD', 'DEMLIB', 'N', ''),
  ('DEM', 'IOORDLN', 'DEMLIB', 'N', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'IOORDHD', 'DEMLIB', 'FFD', 'IOCOMP', 1, 'IOCOMP'),
  ('DEM', 'IOORDHD', 'DEMLIB', 'FFD', 'IOORDNO', 2, 'IOORDNO'),
  ('DEM', 'IOORDHD', 'DEMLIB', 'FFD', 'IOCUST', 3, 'IOCUST'),
  ('DEM', 'IOORDHD', 'DEMLIB', 'FFD', 'IOSTAT', 4, 'IOSTAT'),
  ('DEM', 'IOORDHD', 'DEMLIB', 'FFD', 'IOTOTAL', 5, 'IOTOTAL'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOCOMP', 1, 'IOCOMP'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOORDNO', 2, 'IOORDNO'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOLINE', 3, 'IOLINE'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOSUBL', 4, 'IOSUBL'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOSEQ', 5, 'IOSEQ'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOPROD', 6, 'IOPROD'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOQTY', 7, 'IOQTY'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOPRICE', 8, 'IOPRICE'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'FFD', 'IOLSTAT', 9, 'IOLSTAT'),
  ('DEM', 'IOORDLN', 'DEMLIB', 'VFD', 'IOLVALUE', 10, 'IOLVALUE');

INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES
  ('DEM', 'IOORDHD', 'DEMLIB', 'IOCOMP', 1),
  ('DEM', 'IOORDHD', 'DEMLIB', 'IOORDNO', 2),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOCOMP', 1),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDNO', 2),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOLINE', 3),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOSUBL', 4),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOSEQ', 5);

INSERT INTO QV_F15 (X15P_I, X15LGL, X15PFL, X15PLB) VALUES
  ('DEM', 'IOORDLNV3', 'IOORDLN', 'DEMLIB'),
  ('DEM', 'IOORDLNV4', 'IOORDLN', 'DEMLIB');

INSERT INTO QV_F43 (X43P_I, X43PFL, X43PLB, X43LGL, X43LVK, X43SEQ) VALUES
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV3', 'IOCOMP', 1),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV3', 'IOORDNO', 2),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV3', 'IOLINE', 3),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV4', 'IOCOMP', 1),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV4', 'IOORDNO', 2),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV4', 'IOLINE', 3),
  ('DEM', 'IOORDLN', 'DEMLIB', 'IOORDLNV4', 'IOSUBL', 4);

-- Built-in functions of each kind of implementation: DEM_IO_LINES is
-- written in ZOPH (a negative identifier; the function IOSEL implements
-- it), UD_IO_LOG is a user program, DEM_IO_EXCHANGE (identifier 148)
-- exchanges the function's always-exchanged fields before it runs;
-- DEM_IO_LIST_SIZE receives a working list.
INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM) VALUES
  ('DEM_IO_LINES', -7, 1, 1, 'N', 'Number of lines of an order', 'IOSEL'),
  ('UD_IO_LOG', 903, 1, 0, 'Y', 'Log a product code', 'UD_IOLOG'),
  ('DEM_IO_EXCHANGE', 148, 0, 0, 'Y', 'Exchange all fields', 'X148'),
  ('DEM_IO_LIST_SIZE', 904, 1, 1, 'Y', 'Entries of a working list', 'X904');

INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP, X48PLN, X48PDP, X48DFT, X48FLD) VALUES
  ('DEM_IO_LINES', 'A', 1, 'R', 'N', 7, 0, '*ZERO', 'IOORDNO'),
  ('DEM_IO_LINES', 'R', 1, 'R', 'N', 7, 0, '*ZERO', 'IOCOUNT'),
  ('UD_IO_LOG', 'A', 1, 'R', 'A', 10, 0, '*BLANKS', 'IOPROD'),
  ('DEM_IO_LIST_SIZE', 'A', 1, 'R', 'L', 0, 0, '', ''),
  ('DEM_IO_LIST_SIZE', 'R', 1, 'R', 'N', 7, 0, '*ZERO', 'IOCOUNT');
