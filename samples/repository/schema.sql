-- Repository schema. The file is attached to the services library's
-- connection as QV_DTA, so statements name the tables "QV_DTA.QV_F23".
--
-- Conventions:
--  * Fixed-width character columns (names, keys, codes) are CHAR(n) COLLATE
--    RTRIM: a key written blank-padded matches the same key written trimmed.
--  * Texts whose length carries meaning (the *SP1 option strings,
--    descriptions, stored design data) are VARCHAR and keep their length.
--  * *_P_I is always the three-character partition.
-- The tables QV_F.. and QV_X.. belong to the environment; the tables after
-- them (QV_MSG and on) hold what the services library itself serves.

PRAGMA foreign_keys = OFF;

-- Field dictionary: one row per field of a partition.
CREATE TABLE QV_F03 (
  X03P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X03FLD CHAR(10) COLLATE RTRIM NOT NULL,  -- field name
  X03TYP CHAR(1)  COLLATE RTRIM NOT NULL,  -- A alpha, P packed, S signed, 1-4 integer, B binary, E, H, M, Z ...
  X03LEN INTEGER  NOT NULL DEFAULT 0,      -- length
  X03DEC INTEGER  NOT NULL DEFAULT 0,      -- decimals
  X03SP1 VARCHAR(256) NOT NULL DEFAULT '', -- option string; characters 14-18 blanks or zeros mark a usable key field
  X03IAT VARCHAR(256) NOT NULL DEFAULT '', -- input attributes, 4-character codes
  X03OAT VARCHAR(256) NOT NULL DEFAULT '', -- output attributes, 4-character codes
  X03DFT VARCHAR(50)  NOT NULL DEFAULT '', -- default value as written ('text', a number, *BLANK, *ZERO); '' none
  X03KBS CHAR(1)      COLLATE RTRIM NOT NULL DEFAULT ' ', -- keyboard shift letter (E, J, O double-byte; G; U; ...)
  PRIMARY KEY (X03P_I, X03FLD)
);

-- Fields of a physical file ('FFD' real, 'VFD' virtual), in order.
CREATE TABLE QV_F14 (
  X14P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X14PFL CHAR(10) COLLATE RTRIM NOT NULL,  -- physical file
  X14PLB CHAR(10) COLLATE RTRIM NOT NULL,  -- library
  X14TYP CHAR(3)  COLLATE RTRIM NOT NULL,  -- 'FFD' or 'VFD'
  X14FLD CHAR(10) COLLATE RTRIM NOT NULL,  -- field
  X14SEQ INTEGER  NOT NULL,                -- order within the file
  X14SP1 VARCHAR(256) NOT NULL DEFAULT '', -- characters 1-10 are matched against QV_FCN.XCNPTR
  PRIMARY KEY (X14P_I, X14PFL, X14PLB, X14TYP, X14SEQ)
);

-- Logical views over physical files.
CREATE TABLE QV_F15 (
  X15P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X15LGL CHAR(10) COLLATE RTRIM NOT NULL,  -- logical view
  X15PFL CHAR(10) COLLATE RTRIM NOT NULL,  -- its physical file
  X15PLB CHAR(10) COLLATE RTRIM NOT NULL,  -- library
  PRIMARY KEY (X15P_I, X15LGL, X15PLB)
);

-- Processes.
CREATE TABLE QV_F20 (
  X20P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X20MOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process
  X20MUS CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT ' ', -- menu style: 'A' action bar, 'S'
  X20RCL CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'L', -- 'H' or 'L'
  X20SP1 VARCHAR(256) NOT NULL DEFAULT '', -- option string; position 14 'Y' HTML pages, 15 'Y' XML pages
  PRIMARY KEY (X20P_I, X20MOD)
);

-- Functions of processes.
CREATE TABLE QV_F23 (
  X23P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X23MOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process
  X23FMT CHAR(7)  COLLATE RTRIM NOT NULL,  -- function
  X23SP1 VARCHAR(100) NOT NULL DEFAULT '', -- option string (13 characters, then 4 digits after generation)
  X23SQL CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N', -- 'Y' when SELECT_SQL code was generated
  X23APM CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N',
  PRIMARY KEY (X23P_I, X23MOD, X23FMT)
);

-- Key fields of physical files, in key order.
CREATE TABLE QV_F24 (
  X24P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X24PFL CHAR(10) COLLATE RTRIM NOT NULL,
  X24PLB CHAR(10) COLLATE RTRIM NOT NULL,
  X24FLD CHAR(10) COLLATE RTRIM NOT NULL,  -- key field
  X24KSQ INTEGER  NOT NULL,                -- key order
  PRIMARY KEY (X24P_I, X24PFL, X24PLB, X24KSQ)
);

-- Physical files.
CREATE TABLE QV_F27 (
  X27P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X27PFL CHAR(10) COLLATE RTRIM NOT NULL,  -- file
  X27PLB CHAR(10) COLLATE RTRIM NOT NULL,  -- library
  X27EXF CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N', -- 'N' class N, 'Y' class I, other: another database
  X27SP1 VARCHAR(256) NOT NULL DEFAULT '', -- option string; character 18 is the file mark
  PRIMARY KEY (X27P_I, X27PFL, X27PLB)
);

-- Parameters of processes (counted per process).
CREATE TABLE QV_F32 (
  X32P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X32MOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process
  X32SEQ INTEGER  NOT NULL,                -- parameter order
  X32FLD CHAR(10) COLLATE RTRIM NOT NULL,  -- parameter field
  PRIMARY KEY (X32P_I, X32MOD, X32SEQ)
);

-- Named by the environment; this library reads and writes no row of it.
CREATE TABLE QV_F40 (
  X40P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X40MOD CHAR(10) COLLATE RTRIM NOT NULL,
  PRIMARY KEY (X40P_I, X40MOD)
);

-- Key fields of logical views, in key order.
CREATE TABLE QV_F43 (
  X43P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X43PFL CHAR(10) COLLATE RTRIM NOT NULL,
  X43PLB CHAR(10) COLLATE RTRIM NOT NULL,
  X43LGL CHAR(10) COLLATE RTRIM NOT NULL,  -- logical view
  X43LVK CHAR(10) COLLATE RTRIM NOT NULL,  -- key field
  X43SEQ INTEGER  NOT NULL,
  PRIMARY KEY (X43P_I, X43PFL, X43PLB, X43LGL, X43SEQ)
);

-- Built-in functions (read in table order).
CREATE TABLE QV_F47 (
  X47BIF CHAR(20) COLLATE RTRIM NOT NULL PRIMARY KEY, -- function name
  X47IDN INTEGER  NOT NULL,                -- identifier; negative for kind 'R'
  X47ARG INTEGER  NOT NULL DEFAULT 0,      -- number of arguments
  X47RET INTEGER  NOT NULL DEFAULT 0,      -- number of return values
  X47SLR CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N',
  X47DES CHAR(40) COLLATE RTRIM NOT NULL DEFAULT '', -- description
  X47PGM CHAR(10) COLLATE RTRIM NOT NULL DEFAULT ''  -- program (8 characters used)
);

-- Arguments and return values of built-in functions.
CREATE TABLE QV_F48 (
  X48BIF CHAR(20) COLLATE RTRIM NOT NULL,
  X48AOR CHAR(1)  COLLATE RTRIM NOT NULL,  -- 'A' argument, else return value
  X48SEQ INTEGER  NOT NULL,                -- 1 to 50
  X48ROO CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'R',
  X48TYP CHAR(1)  COLLATE RTRIM NOT NULL,  -- type
  X48PLN INTEGER  NOT NULL DEFAULT 0,      -- length
  X48PDP INTEGER  NOT NULL DEFAULT 0,      -- decimals
  X48DFT CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '', -- default: *BLANK, *ZERO or a quoted value
  X48FLD CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '', -- the field (or working list) of the implementing
                                                     -- function that receives or returns the value
  PRIMARY KEY (X48BIF, X48AOR, X48SEQ)
);

-- Alternate names of file fields (type 'AN$').
CREATE TABLE QV_F54 (
  X54P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X54PFL CHAR(10) COLLATE RTRIM NOT NULL,
  X54PLB CHAR(10) COLLATE RTRIM NOT NULL,
  X54TYP CHAR(3)  COLLATE RTRIM NOT NULL,
  X54VAL CHAR(10) COLLATE RTRIM NOT NULL,  -- field
  X54AKI VARCHAR(128) NOT NULL DEFAULT '', -- alternate name
  PRIMARY KEY (X54P_I, X54PFL, X54PLB, X54TYP, X54VAL)
);

-- Languages of a partition; X60DLN orders them (descending puts the default first).
CREATE TABLE QV_F60 (
  X60P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X60PLN CHAR(5)  COLLATE RTRIM NOT NULL,  -- language (up to 4 characters)
  X60DBC CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N', -- double-byte language
  X60RLT CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N', -- right to left
  X60KDS CHAR(300) COLLATE RTRIM NOT NULL DEFAULT '',
  X60KLG CHAR(60) COLLATE RTRIM NOT NULL DEFAULT '',
  X60PHM CHAR(40) COLLATE RTRIM NOT NULL DEFAULT '',
  X60PRM CHAR(40) COLLATE RTRIM NOT NULL DEFAULT '',
  X60PEM CHAR(40) COLLATE RTRIM NOT NULL DEFAULT '',
  X60CHR CHAR(20) COLLATE RTRIM NOT NULL DEFAULT '', -- CCSID in 1-5, Windows code page in 6-10
  X60DLN CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N', -- 'Y' for the default language
  PRIMARY KEY (X60P_I, X60PLN)
);

-- Multilingual variables.
CREATE TABLE QV_F61 (
  X61P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X61PLN CHAR(4)  COLLATE RTRIM NOT NULL,
  X61MTX CHAR(20) COLLATE RTRIM NOT NULL,  -- variable name
  X61VAL VARCHAR(78) NOT NULL DEFAULT '',  -- value
  X61LEN INTEGER  NOT NULL DEFAULT 0,
  X61OPT CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '',
  X61CLN INTEGER  NOT NULL DEFAULT 0,
  PRIMARY KEY (X61P_I, X61MTX, X61PLN)
);

-- Descriptions of components per language.
CREATE TABLE QV_F62 (
  X62P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X62FLD CHAR(10) COLLATE RTRIM NOT NULL,  -- component
  X62PLN CHAR(4)  COLLATE RTRIM NOT NULL,
  X62DES VARCHAR(40) NOT NULL DEFAULT '',
  PRIMARY KEY (X62P_I, X62FLD, X62PLN)
);

-- Descriptions of functions per language.
CREATE TABLE QV_F67 (
  X67P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X67MOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process
  X67FMT CHAR(7)  COLLATE RTRIM NOT NULL,  -- function
  X67PLN CHAR(4)  COLLATE RTRIM NOT NULL,
  X67DES VARCHAR(40) NOT NULL DEFAULT '',
  PRIMARY KEY (X67P_I, X67MOD, X67FMT, X67PLN)
);

-- Action-bar choices of processes per language.
CREATE TABLE QV_F71 (
  X71P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X71MOD CHAR(10) COLLATE RTRIM NOT NULL,
  X71PLN CHAR(4)  COLLATE RTRIM NOT NULL,
  X71BNO INTEGER  NOT NULL,                -- choice number
  X71BDS CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '', -- choice text
  PRIMARY KEY (X71P_I, X71MOD, X71PLN, X71BNO)
);

-- Stored design data of screens and reports (text maps and images).
CREATE TABLE QV_F85 (
  X85P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X85MOD CHAR(10) COLLATE RTRIM NOT NULL,
  X85FMT CHAR(7)  COLLATE RTRIM NOT NULL,
  X85KV1 CHAR(10) COLLATE RTRIM NOT NULL,  -- "FUNCREP"+3 digits or "TEXTMAPS"
  X85KV2 CHAR(10) COLLATE RTRIM NOT NULL,  -- line and chunk, or "*TMAPnnn"
  X85SEQ INTEGER  NOT NULL,
  X85DTA VARCHAR(133) NOT NULL DEFAULT '', -- payload, its length significant
  PRIMARY KEY (X85P_I, X85MOD, X85FMT, X85KV1, X85KV2, X85SEQ)
);

-- Command alias table: an alias (X97ALS) of a parameter keyword (X97PRM) of
-- a command (X97CMD); a blank X97PRM makes the alias a command name.
CREATE TABLE QV_F97 (
  X97CMD CHAR(10) COLLATE RTRIM NOT NULL,
  X97ALS CHAR(10) COLLATE RTRIM NOT NULL,
  X97PRM CHAR(10) COLLATE RTRIM NOT NULL DEFAULT ' ',
  PRIMARY KEY (X97CMD, X97ALS)
);

-- Keyword table: every parameter of every command with its place in the
-- parsed command. Row types: 'P' one element of a parameter (X98KWD its
-- default), 'V' an allowed value of a flag-set parameter (X98ELM its order).
-- Rows of class 'M' (X98ROC) are loaded by the checker.
CREATE TABLE QV_F98 (
  X98CMD CHAR(10) COLLATE RTRIM NOT NULL,  -- command
  X98PRM CHAR(10) COLLATE RTRIM NOT NULL,  -- parameter keyword
  X98SEQ INTEGER  NOT NULL,                -- parameter number, from 1
  X98ELM INTEGER  NOT NULL,                -- element number, from 1 (order of a value)
  X98TYP CHAR(1)  COLLATE RTRIM NOT NULL,  -- 'P' element, 'V' allowed value
  X98LAY CHAR(1)  COLLATE RTRIM NOT NULL,  -- S single, R rows, C columns, F flag set
  X98KND CHAR(1)  COLLATE RTRIM NOT NULL,  -- A T X S M C N H
  X98LEN INTEGER  NOT NULL,                -- width
  X98ENT INTEGER  NOT NULL,                -- entries of a list
  X98OFS INTEGER  NOT NULL,                -- element of the first entry in the parameter area
  X98CNT INTEGER  NOT NULL,                -- the 32-bit count, -1 none
  X98POS CHAR(1)  COLLATE RTRIM NOT NULL,  -- 'Y' may be given by position
  X98KWD CHAR(20) COLLATE RTRIM NOT NULL,  -- default of the element, or the value
  X98ROC CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'M',
  PRIMARY KEY (X98CMD, X98SEQ, X98TYP, X98ELM)
);

-- Component group usage.
CREATE TABLE QV_FCG (
  XCGP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XCGCID CHAR(10) COLLATE RTRIM NOT NULL,  -- component
  XCGGI1 INTEGER  NOT NULL,
  XCGGI2 INTEGER  NOT NULL,
  PRIMARY KEY (XCGP_I, XCGCID, XCGGI1, XCGGI2)
);

-- Column names of files kept in other databases.
CREATE TABLE QV_FCN (
  XCNP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XCNCOL CHAR(32) COLLATE RTRIM NOT NULL,  -- column
  XCNPTR CHAR(10) COLLATE RTRIM NOT NULL,  -- matched against substr(QV_F14.X14SP1, 1, 10)
  XCNSP1 VARCHAR(256) NOT NULL DEFAULT '', -- characters 1-9: the field name
  PRIMARY KEY (XCNP_I, XCNCOL, XCNPTR)
);

-- Component frameworks.
CREATE TABLE QV_FFR (
  XFRP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XFRFI1 INTEGER  NOT NULL,
  XFRFI2 INTEGER  NOT NULL,
  XFRFSN VARCHAR(20) NOT NULL DEFAULT '',  -- short name
  XFRFLN VARCHAR(256) NOT NULL DEFAULT '', -- long name (40 used)
  PRIMARY KEY (XFRP_I, XFRFI1, XFRFI2)
);

-- Component groups.
CREATE TABLE QV_FGI (
  XGIP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XGIGI1 INTEGER  NOT NULL,
  XGIGI2 INTEGER  NOT NULL,
  XGIGSN VARCHAR(20) NOT NULL DEFAULT '',
  XGIGLN VARCHAR(256) NOT NULL DEFAULT '',
  PRIMARY KEY (XGIP_I, XGIGI1, XGIGI2)
);

-- Files of other databases: data-source name and DBMS type.
CREATE TABLE QV_FOF (
  XOFP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XOFPFL CHAR(10) COLLATE RTRIM NOT NULL,
  XOFPLB CHAR(10) COLLATE RTRIM NOT NULL,
  XOFDSN VARCHAR(128) NOT NULL DEFAULT '',
  XOFTYP VARCHAR(32) NOT NULL DEFAULT '',
  PRIMARY KEY (XOFP_I, XOFPFL, XOFPLB)
);

-- Web page headers.
CREATE TABLE QV_X01 (
  X01P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X01PEN CHAR(3)  COLLATE RTRIM NOT NULL,  -- "HTM" or "XML"
  X01SEN CHAR(5)  COLLATE RTRIM NOT NULL,
  X01PAG CHAR(20) COLLATE RTRIM NOT NULL,  -- process, function and 3-digit number
  X01DES VARCHAR(256) NOT NULL DEFAULT '',
  X01SP1 VARCHAR(256),
  PRIMARY KEY (X01P_I, X01PEN, X01SEN, X01PAG)
);

-- Web page lines, per generation set.
CREATE TABLE QV_X02 (
  X02P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X02PEN CHAR(3)  COLLATE RTRIM NOT NULL,
  X02SEN CHAR(5)  COLLATE RTRIM NOT NULL,
  X02PLN CHAR(4)  COLLATE RTRIM NOT NULL,
  X02PAG CHAR(20) COLLATE RTRIM NOT NULL,
  X02SET INTEGER  NOT NULL,                -- generation 0..n
  X02SEQ INTEGER  NOT NULL,
  X02TXT VARCHAR(255) NOT NULL DEFAULT '',
  X02SP1 VARCHAR(256),
  PRIMARY KEY (X02P_I, X02PEN, X02SEN, X02PLN, X02PAG, X02SET, X02SEQ)
);

-- Component usage of web pages: 'I' input, 'O' output, 'H' hidden.
CREATE TABLE QV_X03 (
  X03P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X03PEN CHAR(3)  COLLATE RTRIM NOT NULL,
  X03SEN CHAR(5)  COLLATE RTRIM NOT NULL,
  X03CMP CHAR(10) COLLATE RTRIM NOT NULL,  -- field
  X03IOV CHAR(1)  COLLATE RTRIM NOT NULL,
  PRIMARY KEY (X03P_I, X03PEN, X03SEN, X03CMP, X03IOV)
);

-- Browse-list columns of web pages.
CREATE TABLE QV_X04 (
  X04P_I CHAR(3)  COLLATE RTRIM NOT NULL,
  X04PEN CHAR(3)  COLLATE RTRIM NOT NULL,
  X04SEN CHAR(5)  COLLATE RTRIM NOT NULL,
  X04MOD CHAR(10) COLLATE RTRIM NOT NULL,
  X04FMT CHAR(7)  COLLATE RTRIM NOT NULL,
  X04BRW CHAR(10) COLLATE RTRIM NOT NULL,  -- browse list
  X04FNO INTEGER  NOT NULL,                -- column number
  X04FLD CHAR(10) COLLATE RTRIM NOT NULL,
  X04USG CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT '',
  X04TYP CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT '',
  X04LEN INTEGER  NOT NULL DEFAULT 0,
  X04DEC INTEGER  NOT NULL DEFAULT 0,
  X04CH1 VARCHAR(64) NOT NULL DEFAULT '',
  X04CH2 VARCHAR(64) NOT NULL DEFAULT '',
  X04CH3 VARCHAR(64) NOT NULL DEFAULT '',
  X04INA VARCHAR(40) NOT NULL DEFAULT '',
  X04OUA VARCHAR(40) NOT NULL DEFAULT '',
  X04ROW INTEGER  NOT NULL DEFAULT 0,
  X04COL INTEGER  NOT NULL DEFAULT 0,
  X04ECD VARCHAR(4) NOT NULL DEFAULT '',
  X04EWD VARCHAR(24) NOT NULL DEFAULT '',
  X04MLN INTEGER  NOT NULL DEFAULT 0,
  X04NMV CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'N',
  X04KSH CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT '',
  X04SP1 VARCHAR(256) NOT NULL DEFAULT '',
  PRIMARY KEY (X04P_I, X04PEN, X04SEN, X04MOD, X04FMT, X04BRW, X04FNO)
);

-- ---------------------------------------------------------------------
-- Tables of the services library.
-- ---------------------------------------------------------------------

-- Message texts by message file, id and language. MSGTXT is the text with
-- substitution markers &1, &2 ...; MSGSUB gives the width of each
-- substitution field in the fixed-width substitution data, in marker
-- order ("10,10" for two 10-character fields; empty: no data, "*" the whole
-- data as one text). MSGSEV is the default severity ('F', 'W', 'I').
-- A text missing in the asked language is taken from the default language.
CREATE TABLE QV_MSG (
  MSGFIL CHAR(10) COLLATE RTRIM NOT NULL,
  MSGID  CHAR(7)  COLLATE RTRIM NOT NULL,
  MSGLNG CHAR(4)  COLLATE RTRIM NOT NULL,
  MSGSEV CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT ' ',
  MSGSUB VARCHAR(64) NOT NULL DEFAULT '',
  MSGTXT VARCHAR(512) NOT NULL,
  PRIMARY KEY (MSGFIL, MSGID, MSGLNG)
);

-- Numbered services messages: printf formats with up to three %s.
CREATE TABLE QV_SMS (
  SMSNUM INTEGER NOT NULL,
  SMSLNG CHAR(4) COLLATE RTRIM NOT NULL,
  SMSTXT VARCHAR(512) NOT NULL,
  PRIMARY KEY (SMSNUM, SMSLNG)
);

-- Settings of the services library: the default language (DEFLANG) and the
-- number of older web page sets to keep (MAXSET).
CREATE TABLE QV_SET (
  SETKEY CHAR(10) COLLATE RTRIM NOT NULL PRIMARY KEY,
  SETVAL VARCHAR(256) NOT NULL
);

-- Stored source: the commands of a function in order. SRCKND is the list
-- kind of the function's source ('Z' and '1': the command is kept as one
-- text; any other letter: label, name and parameters apart), the same on
-- every row of a function. SRCCOD is the command's code (0 when unknown).
CREATE TABLE QV_SRC (
  SRCP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  SRCMOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process
  SRCFMT CHAR(7)  COLLATE RTRIM NOT NULL,  -- function
  SRCSEQ INTEGER  NOT NULL,                -- command number, from 1
  SRCKND CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'F',
  SRCLBL CHAR(3)  COLLATE RTRIM NOT NULL DEFAULT '', -- label
  SRCCMD CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '', -- command name as written
  SRCCOD INTEGER  NOT NULL DEFAULT 0,
  SRCPRM VARCHAR(11000) NOT NULL DEFAULT '', -- parameters as written
  PRIMARY KEY (SRCP_I, SRCMOD, SRCFMT, SRCSEQ)
);

-- Field texts per language: label, three column headings, description.
CREATE TABLE QV_FTX (
  FTXP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  FTXFLD CHAR(10) COLLATE RTRIM NOT NULL,
  FTXPLN CHAR(4)  COLLATE RTRIM NOT NULL,
  FTXLBL CHAR(15) COLLATE RTRIM NOT NULL DEFAULT '',
  FTXCH1 CHAR(20) COLLATE RTRIM NOT NULL DEFAULT '',
  FTXCH2 CHAR(20) COLLATE RTRIM NOT NULL DEFAULT '',
  FTXCH3 CHAR(20) COLLATE RTRIM NOT NULL DEFAULT '',
  FTXDES CHAR(40) COLLATE RTRIM NOT NULL DEFAULT '',
  PRIMARY KEY (FTXP_I, FTXFLD, FTXPLN)
);

-- Object state: the last check or build state of an object ('7' checked
-- without errors, '6' with errors) and when it was set.
CREATE TABLE QV_OST (
  OSTP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  OSTMOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process, or the component name
  OSTFMT CHAR(7)  COLLATE RTRIM NOT NULL,  -- function, blank for a component
  OSTSTA CHAR(1)  COLLATE RTRIM NOT NULL,
  OSTTMS VARCHAR(26) NOT NULL DEFAULT '',  -- UTC time stamp of the change
  PRIMARY KEY (OSTP_I, OSTMOD, OSTFMT)
);

-- Cross-reference of a checked object: every reference it makes, with the
-- kind of the referenced object, its name, and the command line.
CREATE TABLE QV_XRF (
  XRFP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  XRFMOD CHAR(10) COLLATE RTRIM NOT NULL,  -- process of the referring object
  XRFFMT CHAR(7)  COLLATE RTRIM NOT NULL,  -- function of the referring object
  XRFSEQ INTEGER  NOT NULL,                -- order of recording
  XRFKND CHAR(10) COLLATE RTRIM NOT NULL,  -- kind of the referenced object (FIELD, FILE, ...)
  XRFNAM VARCHAR(50) NOT NULL,             -- referenced name
  XRFUSG CHAR(10) COLLATE RTRIM NOT NULL DEFAULT '', -- how it is used
  XRFLIN INTEGER  NOT NULL DEFAULT 0,      -- command line
  PRIMARY KEY (XRFP_I, XRFMOD, XRFFMT, XRFSEQ)
);

-- Web application build entries of a partition, handed in number order to
-- the callback of SMISC_LoadBuildWamApp (a number and three names of at
-- most 11 characters).
CREATE TABLE QV_WBA (
  WBAP_I CHAR(3)  COLLATE RTRIM NOT NULL,
  WBANUM INTEGER  NOT NULL,
  WBANM1 CHAR(11) COLLATE RTRIM NOT NULL DEFAULT '',
  WBANM2 CHAR(11) COLLATE RTRIM NOT NULL DEFAULT '',
  WBANM3 CHAR(11) COLLATE RTRIM NOT NULL DEFAULT '',
  PRIMARY KEY (WBAP_I, WBANUM)
);
