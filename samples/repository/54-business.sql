-- The business sample process DEMOBIZ: order entry, order reports, order
-- lists, calls and exchanges, SQL and file access, defaults. Its
-- functions use the keyword variants of every command family the
-- generator writes. The functions' source is in sources/DEM/DEMOBIZ.
INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOBIZ', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOBIZ', 'BZENTRY', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZCHECK', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZRPT', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZLISTS', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZCALLS', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZSQL', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZFILES', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZDFT', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZTRIG', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZRCV', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZFOLW', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZVALC', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZVATR', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZVALN', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZVATA', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZSHIP', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZSCRN', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZSTATS', '', 'N', 'Y'),
  ('DEM', 'DEMOBIZ', 'BZPRTY', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOBIZ', 'BZENTRY', 'ENG', 'Enter and change sales orders'),
  ('DEM', 'DEMOBIZ', 'BZCHECK', 'ENG', 'Validate an order header'),
  ('DEM', 'DEMOBIZ', 'BZRPT', 'ENG', 'Sales by region and customer'),
  ('DEM', 'DEMOBIZ', 'BZLISTS', 'ENG', 'Work on the lines of an order'),
  ('DEM', 'DEMOBIZ', 'BZCALLS', 'ENG', 'Release an order to shipping'),
  ('DEM', 'DEMOBIZ', 'BZSQL', 'ENG', 'Order statistics by SQL'),
  ('DEM', 'DEMOBIZ', 'BZFILES', 'ENG', 'Post order lines'),
  ('DEM', 'DEMOBIZ', 'BZDFT', 'ENG', 'Start a new order'),
  ('DEM', 'DEMOBIZ', 'BZTRIG', 'ENG', 'Order header trigger'),
  ('DEM', 'DEMOBIZ', 'BZRCV', 'ENG', 'Price the lines of an order'),
  ('DEM', 'DEMOBIZ', 'BZFOLW', 'ENG', 'Follow up an order'),
  ('DEM', 'DEMOBIZ', 'BZVALC', 'ENG', 'Validate a currency code'),
  ('DEM', 'DEMOBIZ', 'BZVATR', 'ENG', 'The VAT rate system variable'),
  ('DEM', 'DEMOBIZ', 'BZVALN', 'ENG', 'Validate a percentage'),
  ('DEM', 'DEMOBIZ', 'BZVATA', 'ENG', 'The sales region system variable'),
  ('DEM', 'DEMOBIZ', 'BZSHIP', 'ENG', 'Ship an order'),
  ('DEM', 'DEMOBIZ', 'BZSCRN', 'ENG', 'Look up customers and their orders'),
  ('DEM', 'DEMOBIZ', 'BZSTATS', 'ENG', 'Order statistics by customer'),
  ('DEM', 'DEMOBIZ', 'BZPRTY', 'ENG', 'Work on orders by priority');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMOBIZ', 'ENG', 1, 'Sales orders');

-- The fields of the sales files and the functions' own fields. BZSTAT
-- has a default in the dictionary ('N', a new order), BZPRIO too (5);
-- BZNAME is entered with the keyboard shift U; BZNULAMT may hold the SQL
-- null value, BZPLAIN has its type and size and cannot.
INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1, X03IAT, X03OAT, X03DFT, X03KBS) VALUES
  ('DEM', 'BZCOMP',   'A', 3, 0,  '', '', '', '', ' '),
  ('DEM', 'BZORDNO',  'P', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZCUST',   'P', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZNAME',   'A', 30, 0, '', '', '', '', 'U'),
  ('DEM', 'BZODATE',  'P', 8, 0,  '', '', '', '', ' '),
  ('DEM', 'BZSTAT',   'A', 1, 0,  '', '', '', '''N''', ' '),
  ('DEM', 'BZPRIO',   'P', 1, 0,  '', '', '', '5', ' '),
  ('DEM', 'BZTOTAL',  'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZDISC',   'P', 5, 2,  '', '', '', '', ' '),
  ('DEM', 'BZCURR',   'A', 3, 0,  '', '', '', '', ' '),
  ('DEM', 'BZREGN',   'A', 4, 0,  '', '', '', '', ' '),
  ('DEM', 'BZLINE',   'P', 3, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPROD',   'A', 10, 0, '', '', '', '', ' '),
  ('DEM', 'BZQTY',    'P', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPRICE',  'P', 9, 2,  '', '', '', '', ' '),
  ('DEM', 'BZLAMT',   'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZPDESC',  'A', 30, 0, '', '', '', '', ' '),
  ('DEM', 'BZPPRICE', 'P', 9, 2,  '', '', '', '', ' '),
  ('DEM', 'BZSTOCK',  'P', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPCAT',   'A', 2, 0,  '', '', '', '', ' '),
  ('DEM', 'BZCOUNT',  'P', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZLINES',  'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZSUM',    'P', 13, 2, '', '', '', '', ' '),
  ('DEM', 'BZAVG',    'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZMAX',    'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZMIN',    'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZERRS',   'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPOS',    'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZTOP',    'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZSEL',    'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPAGE',   'P', 5, 0,  '', '', '', '', ' '),
  ('DEM', 'BZSCROLL', 'A', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZROW',    'P', 3, 0,  '', '', '', '', ' '),
  ('DEM', 'BZCOL',    'P', 3, 0,  '', '', '', '', ' '),
  ('DEM', 'BZKEYS',   'P', 1, 0,  '', '', '', '', ' '),
  ('DEM', 'BZRRN',    'P', 9, 0,  '', '', '', '', ' '),
  ('DEM', 'BZSTS2',   'A', 2, 0,  '', '', '', '', ' '),
  ('DEM', 'BZPGM',    'A', 10, 0, '', '', '', '', ' '),
  ('DEM', 'BZLIB',    'A', 10, 0, '', '', '', '', ' '),
  ('DEM', 'BZJOB',    'A', 10, 0, '', '', '', '', ' '),
  ('DEM', 'BZNEXT',   'A', 7, 0,  '', '', '', '', ' '),
  ('DEM', 'BZMSG',    'A', 40, 0, '', '', '', '', ' '),
  ('DEM', 'BZRATE',   'P', 5, 3,  '', '', '', '', ' '),
  ('DEM', 'BZLIMIT',  'P', 11, 2, '', '', '', '', ' '),
  ('DEM', 'BZFILE',   'A', 10, 0, '', '', '', '', ' '),
  ('DEM', 'BZNULAMT', 'P', 11, 2, '', 'ASQN', '', '', ' '),
  ('DEM', 'BZPLAIN',  'P', 11, 2, '', '', '', '', ' ');

INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES
  ('DEM', 'BZORDNO', 'ENG', 'Order', 'Order', 'number', '', 'Sales order number'),
  ('DEM', 'BZCUST', 'ENG', 'Customer', 'Customer', '', '', 'Customer number'),
  ('DEM', 'BZNAME', 'ENG', 'Name', 'Customer', 'name', '', 'Name of the customer'),
  ('DEM', 'BZODATE', 'ENG', 'Order date', 'Date', '', '', 'Date the order was placed'),
  ('DEM', 'BZSTAT', 'ENG', 'Status', 'St', '', '', 'Order status: N, O or C'),
  ('DEM', 'BZPRIO', 'ENG', 'Priority', 'Prio', '', '', 'Priority, 1 highest'),
  ('DEM', 'BZTOTAL', 'ENG', 'Total', 'Order', 'total', '', 'Total value of the order'),
  ('DEM', 'BZDISC', 'ENG', 'Discount %', 'Disc', '%', '', 'Discount in percent'),
  ('DEM', 'BZCURR', 'ENG', 'Currency', 'Cur', '', '', 'Currency of the order'),
  ('DEM', 'BZREGN', 'ENG', 'Region', 'Region', '', '', 'Sales region'),
  ('DEM', 'BZLINE', 'ENG', 'Line', 'Line', '', '', 'Order line number'),
  ('DEM', 'BZPROD', 'ENG', 'Product', 'Product', '', '', 'Product code'),
  ('DEM', 'BZQTY', 'ENG', 'Quantity', 'Qty', '', '', 'Quantity ordered'),
  ('DEM', 'BZPRICE', 'ENG', 'Price', 'Unit', 'price', '', 'Unit price'),
  ('DEM', 'BZLAMT', 'ENG', 'Amount', 'Line', 'amount', '', 'Amount of the line'),
  ('DEM', 'BZLINES', 'ENG', 'Lines', 'Lines', '', '', 'Number of lines');

-- BZORDHD, order headers keyed by company and order number; BZORDLN, order
-- lines keyed by company, order and line, whose amount BZLAMT is a virtual
-- field; BZPRODS, products keyed by product code; the view BZORDLNV1 over
-- the lines, keyed by company and product.
INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES
  ('DEM', 'BZORDHD', 'DEMLIB', 'N', ''),
  ('DEM', 'BZORDLN', 'DEMLIB', 'N', ''),
  ('DEM', 'BZPRODS', 'DEMLIB', 'N', '');

INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZCOMP', 1, 'BZCOMP'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZORDNO', 2, 'BZORDNO'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZCUST', 3, 'BZCUST'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZODATE', 4, 'BZODATE'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZSTAT', 5, 'BZSTAT'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZPRIO', 6, 'BZPRIO'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZTOTAL', 7, 'BZTOTAL'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZDISC', 8, 'BZDISC'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZCURR', 9, 'BZCURR'),
  ('DEM', 'BZORDHD', 'DEMLIB', 'FFD', 'BZREGN', 10, 'BZREGN'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZCOMP', 1, 'BZCOMP'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZORDNO', 2, 'BZORDNO'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZLINE', 3, 'BZLINE'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZPROD', 4, 'BZPROD'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZQTY', 5, 'BZQTY'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'FFD', 'BZPRICE', 6, 'BZPRICE'),
  ('DEM', 'BZORDLN', 'DEMLIB', 'VFD', 'BZLAMT', 7, 'BZLAMT'),
  ('DEM', 'BZPRODS', 'DEMLIB', 'FFD', 'BZPROD', 1, 'BZPROD'),
  ('DEM', 'BZPRODS', 'DEMLIB', 'FFD', 'BZPDESC', 2, 'BZPDESC'),
  ('DEM', 'BZPRODS', 'DEMLIB', 'FFD', 'BZPPRICE', 3, 'BZPPRICE'),
  ('DEM', 'BZPRODS', 'DEMLIB', 'FFD', 'BZSTOCK', 4, 'BZSTOCK'),
  ('DEM', 'BZPRODS', 'DEMLIB', 'FFD', 'BZPCAT', 5, 'BZPCAT');

INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES
  ('DEM', 'BZORDHD', 'DEMLIB', 'BZCOMP', 1),
  ('DEM', 'BZORDHD', 'DEMLIB', 'BZORDNO', 2),
  ('DEM', 'BZORDLN', 'DEMLIB', 'BZCOMP', 1),
  ('DEM', 'BZORDLN', 'DEMLIB', 'BZORDNO', 2),
  ('DEM', 'BZORDLN', 'DEMLIB', 'BZLINE', 3),
  ('DEM', 'BZPRODS', 'DEMLIB', 'BZPROD', 1);

INSERT INTO QV_F15 (X15P_I, X15LGL, X15PFL, X15PLB) VALUES
  ('DEM', 'BZORDLNV1', 'BZORDLN', 'DEMLIB');

INSERT INTO QV_F43 (X43P_I, X43PFL, X43PLB, X43LGL, X43LVK, X43SEQ) VALUES
  ('DEM', 'BZORDLN', 'DEMLIB', 'BZORDLNV1', 'BZCOMP', 1),
  ('DEM', 'BZORDLN', 'DEMLIB', 'BZORDLNV1', 'BZPROD', 2);

-- The title of the order entry panel and the text of its user key, by
-- language.
INSERT INTO QV_F61 (X61P_I, X61PLN, X61MTX, X61VAL, X61LEN) VALUES
  ('DEM', 'ENG', '*MTXTBZLINES', 'Lines of the order', 18),
  ('DEM', 'ENG', '*MTXTSAV', 'Save', 4);

-- A built-in function of a user DLL (program "DLL"): its first two
-- arguments name the DLL and the entry by their aliases in x_usedll.dat.
INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM) VALUES
  ('BZ_ROUND_AMOUNT', 910, 3, 1, 'N', 'Round an amount to the currency', 'DLL');

INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP, X48PLN, X48PDP, X48DFT, X48FLD) VALUES
  ('BZ_ROUND_AMOUNT', 'A', 1, 'R', 'A', 10, 0, '', ''),
  ('BZ_ROUND_AMOUNT', 'A', 2, 'R', 'A', 10, 0, '', ''),
  ('BZ_ROUND_AMOUNT', 'A', 3, 'R', 'N', 11, 2, '*ZERO', ''),
  ('BZ_ROUND_AMOUNT', 'R', 1, 'R', 'N', 11, 2, '*ZERO', '');
