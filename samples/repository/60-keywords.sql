-- Keyword table (QV_F98) and command alias table (QV_F97) of the sample
-- repository: every parameter of every command with its place in the
-- parsed command, written from the parameter definitions of the library
-- (src/checker/params/parsed_command.h; a test holds both equal).
-- Row types of QV_F98: 'P' one element of a parameter (X98KWD its
-- default), 'V' an allowed value of a flag-set parameter (X98ELM its
-- order). X98ROC 'M': rows the checker loads.
-- QV_F97: an alias (X97ALS) of a parameter keyword (X97PRM) of a
-- command (X97CMD); a blank X97PRM makes the alias a command name.
DROP TABLE IF EXISTS QV_F97;
CREATE TABLE QV_F97 (
  X97CMD CHAR(10) COLLATE RTRIM NOT NULL,
  X97ALS CHAR(10) COLLATE RTRIM NOT NULL,
  X97PRM CHAR(10) COLLATE RTRIM NOT NULL DEFAULT ' ',
  PRIMARY KEY (X97CMD, X97ALS)
);
DROP TABLE IF EXISTS QV_F98;
CREATE TABLE QV_F98 (
  X98CMD CHAR(10) COLLATE RTRIM NOT NULL,  -- command
  X98PRM CHAR(10) COLLATE RTRIM NOT NULL,  -- parameter keyword
  X98SEQ INTEGER  NOT NULL,                -- parameter number, from 1
  X98ELM INTEGER  NOT NULL,                -- element number, from 1 (order of a value)
  X98TYP CHAR(1)  COLLATE RTRIM NOT NULL,  -- 'P' element, 'V' allowed value
  X98LAY CHAR(1)  COLLATE RTRIM NOT NULL,  -- S single, R rows, C columns, F flag set
  X98KND CHAR(1)  COLLATE RTRIM NOT NULL,  -- A T X S C N H
  X98LEN INTEGER  NOT NULL,                -- width
  X98ENT INTEGER  NOT NULL,                -- entries of a list
  X98OFS INTEGER  NOT NULL,                -- element of the first entry in the parameter area
  X98CNT INTEGER  NOT NULL,                -- the 32-bit count, -1 none
  X98POS CHAR(1)  COLLATE RTRIM NOT NULL,  -- 'Y' may be given by position
  X98KWD CHAR(20) COLLATE RTRIM NOT NULL,  -- default of the element, or the value
  X98ROC CHAR(1)  COLLATE RTRIM NOT NULL DEFAULT 'M',
  PRIMARY KEY (X98CMD, X98SEQ, X98TYP, X98ELM)
);
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('GROUP_BY', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('GROUP_BY', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SELECT', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('SELECT', 'FROM_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'Y', '*FIRST', 'M'),
  ('SELECT', 'FROM_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 1014, -1, 'Y', '*FIRST', 'M'),
  ('SELECT', 'WHERE', 3, 1, 'P', 'S', 'X', 500, 1, 1024, -1, 'N', ' ', 'M'),
  ('SELECT', 'WITH_KEY', 4, 1, 'P', 'R', 'A', 20, 20, 1528, 1524, 'N', ' ', 'M'),
  ('SELECT', '@KEYCODES', 5, 1, 'P', 'R', 'A', 2, 20, 1932, 1928, 'N', ' ', 'M'),
  ('SELECT', 'NBR_KEYS', 6, 1, 'P', 'S', 'A', 10, 1, 1972, -1, 'N', '*WITHKEY', 'M'),
  ('SELECT', 'GENERIC', 7, 1, 'P', 'S', 'A', 4, 1, 1982, -1, 'N', '*NO', 'M'),
  ('SELECT', 'OPTIONS', 8, 1, 'P', 'F', 'A', 12, 6, 1990, 1986, 'N', ' ', 'M'),
  ('SELECT', 'OPTIONS', 8, 1, 'V', 'F', 'A', 12, 6, 1990, 1986, 'N', '*BACKWARDS', 'M'),
  ('SELECT', 'OPTIONS', 8, 2, 'V', 'F', 'A', 12, 6, 1990, 1986, 'N', '*STARTKEY', 'M'),
  ('SELECT', 'OPTIONS', 8, 3, 'V', 'F', 'A', 12, 6, 1990, 1986, 'N', '*ENDWHERE', 'M'),
  ('SELECT', 'OPTIONS', 8, 4, 'V', 'F', 'A', 12, 6, 1990, 1986, 'N', '*ENDWHERESQL', 'M'),
  ('SELECT', 'OPTIONS', 8, 5, 'V', 'F', 'A', 12, 6, 1990, 1986, 'N', '*BLOCK', 'M'),
  ('SELECT', 'IO_STATUS', 9, 1, 'P', 'S', 'A', 10, 1, 2067, -1, 'N', '*STATUS', 'M'),
  ('SELECT', 'IO_ERROR', 10, 1, 'P', 'S', 'A', 10, 1, 2077, -1, 'N', '*ABORT', 'M'),
  ('SELECT', 'VAL_ERROR', 11, 1, 'P', 'S', 'A', 10, 1, 2087, -1, 'N', '*LASTDIS', 'M'),
  ('SELECT', 'END_FILE', 12, 1, 'P', 'S', 'A', 10, 1, 2097, -1, 'N', '*NEXT', 'M'),
  ('SELECT', 'LOCK', 13, 1, 'P', 'S', 'A', 10, 1, 2107, -1, 'N', '*NO', 'M'),
  ('SELECT', 'WITH_RRN', 14, 1, 'P', 'S', 'A', 10, 1, 2117, -1, 'N', '*NONE', 'M'),
  ('SELECT', 'RETURN_RRN', 15, 1, 'P', 'S', 'A', 10, 1, 2127, -1, 'N', '*NONE', 'M'),
  ('SELECT', 'ISSUE_MSG', 16, 1, 'P', 'S', 'A', 4, 1, 2137, -1, 'N', '*NO', 'M'),
  ('SELECT', 'CHECK_ONLY', 17, 1, 'P', 'S', 'A', 4, 1, 2141, -1, 'N', '*NO', 'M'),
  ('SELECT', '@PHYSFILE', 18, 1, 'P', 'S', 'A', 10, 1, 2145, -1, 'N', ' ', 'M'),
  ('SELECT', '@PHYSLIB', 19, 1, 'P', 'S', 'A', 10, 1, 2155, -1, 'N', ' ', 'M'),
  ('SELECT', '@FILECLASS', 20, 1, 'P', 'S', 'C', 1, 1, 2165, -1, 'N', ' ', 'M'),
  ('SELECT', '@FILEMARK', 21, 1, 'P', 'S', 'C', 1, 1, 2166, -1, 'N', ' ', 'M'),
  ('SELECT', '@GROUPNAME', 22, 1, 'P', 'S', 'A', 10, 1, 2167, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF', 'COND', 1, 1, 'P', 'S', 'X', 1000, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('GOTO', 'LABEL', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DOWHILE', 'COND', 1, 1, 'P', 'S', 'X', 1000, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DOUNTIL', 'COND', 1, 1, 'P', 'S', 'X', 1000, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('FETCH', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('FETCH', 'FROM_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'Y', '*FIRST', 'M'),
  ('FETCH', 'FROM_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 1014, -1, 'Y', '*FIRST', 'M'),
  ('FETCH', 'WHERE', 3, 1, 'P', 'S', 'X', 500, 1, 1024, -1, 'N', ' ', 'M'),
  ('FETCH', 'WITH_KEY', 4, 1, 'P', 'R', 'A', 20, 20, 1528, 1524, 'N', ' ', 'M'),
  ('FETCH', '@KEYCODES', 5, 1, 'P', 'R', 'A', 2, 20, 1932, 1928, 'N', ' ', 'M'),
  ('FETCH', 'NBR_KEYS', 6, 1, 'P', 'S', 'A', 10, 1, 1972, -1, 'N', '*WITHKEY', 'M'),
  ('FETCH', 'IO_STATUS', 7, 1, 'P', 'S', 'A', 10, 1, 1982, -1, 'N', '*STATUS', 'M'),
  ('FETCH', 'IO_ERROR', 8, 1, 'P', 'S', 'A', 10, 1, 1992, -1, 'N', '*ABORT', 'M'),
  ('FETCH', 'VAL_ERROR', 9, 1, 'P', 'S', 'A', 10, 1, 2002, -1, 'N', '*LASTDIS', 'M'),
  ('FETCH', 'NOT_FOUND', 10, 1, 'P', 'S', 'A', 10, 1, 2012, -1, 'N', '*NEXT', 'M'),
  ('FETCH', 'LOCK', 11, 1, 'P', 'S', 'A', 10, 1, 2022, -1, 'N', '*NO', 'M'),
  ('FETCH', 'KEEP_LAST', 12, 1, 'P', 'S', 'N', 4, 1, 2032, -1, 'N', '0', 'M'),
  ('FETCH', 'WITH_RRN', 13, 1, 'P', 'S', 'A', 10, 1, 2036, -1, 'N', '*NONE', 'M'),
  ('FETCH', 'RETURN_RRN', 14, 1, 'P', 'S', 'A', 10, 1, 2046, -1, 'N', '*NONE', 'M'),
  ('FETCH', 'ISSUE_MSG', 15, 1, 'P', 'S', 'A', 4, 1, 2056, -1, 'N', '*NO', 'M'),
  ('FETCH', 'CHECK_ONLY', 16, 1, 'P', 'S', 'A', 4, 1, 2060, -1, 'N', '*NO', 'M'),
  ('FETCH', '@PHYSFILE', 17, 1, 'P', 'S', 'A', 10, 1, 2064, -1, 'N', ' ', 'M'),
  ('FETCH', '@PHYSLIB', 18, 1, 'P', 'S', 'A', 10, 1, 2074, -1, 'N', ' ', 'M'),
  ('FETCH', '@FILECLASS', 19, 1, 'P', 'S', 'C', 1, 1, 2084, -1, 'N', ' ', 'M'),
  ('FETCH', '@FILEMARK', 20, 1, 'P', 'S', 'C', 1, 1, 2085, -1, 'N', ' ', 'M'),
  ('FETCH', '@GROUPNAME', 21, 1, 'P', 'S', 'A', 10, 1, 2086, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('INSERT', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('INSERT', 'TO_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'Y', '*FIRST', 'M'),
  ('INSERT', 'TO_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 1014, -1, 'Y', '*FIRST', 'M'),
  ('INSERT', 'IO_STATUS', 3, 1, 'P', 'S', 'A', 10, 1, 1024, -1, 'N', '*STATUS', 'M'),
  ('INSERT', 'IO_ERROR', 4, 1, 'P', 'S', 'A', 10, 1, 1034, -1, 'N', '*ABORT', 'M'),
  ('INSERT', 'VAL_ERROR', 5, 1, 'P', 'S', 'A', 10, 1, 1044, -1, 'N', '*LASTDIS', 'M'),
  ('INSERT', 'AUTOCOMMIT', 6, 1, 'P', 'S', 'A', 8, 1, 1054, -1, 'N', '*FILEDEF', 'M'),
  ('INSERT', 'CHECK_ONLY', 7, 1, 'P', 'S', 'A', 4, 1, 1062, -1, 'N', '*NO', 'M'),
  ('INSERT', 'ISSUE_MSG', 8, 1, 'P', 'S', 'A', 4, 1, 1066, -1, 'N', '*NO', 'M'),
  ('INSERT', 'RETURN_RRN', 9, 1, 'P', 'S', 'A', 10, 1, 1070, -1, 'N', '*NONE', 'M'),
  ('INSERT', 'NBR_KEYS', 10, 1, 'P', 'S', 'A', 10, 1, 1080, -1, 'N', '*WITHKEY', 'M'),
  ('INSERT', '@PHYSFILE', 11, 1, 'P', 'S', 'A', 10, 1, 1090, -1, 'N', ' ', 'M'),
  ('INSERT', '@PHYSLIB', 12, 1, 'P', 'S', 'A', 10, 1, 1100, -1, 'N', ' ', 'M'),
  ('INSERT', '@FILECLASS', 13, 1, 'P', 'S', 'C', 1, 1, 1110, -1, 'N', ' ', 'M'),
  ('INSERT', '@FILEMARK', 14, 1, 'P', 'S', 'C', 1, 1, 1111, -1, 'N', ' ', 'M'),
  ('INSERT', '@GROUPNAME', 15, 1, 'P', 'S', 'A', 10, 1, 1112, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('UREQUEST', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('UREQUEST', 'IO_STATUS', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*STATUS', 'M'),
  ('UREQUEST', 'IO_ERROR', 3, 1, 'P', 'S', 'A', 10, 1, 1014, -1, 'N', '*ABORT', 'M'),
  ('UREQUEST', 'VAL_ERROR', 4, 1, 'P', 'S', 'A', 10, 1, 1024, -1, 'N', '*LASTDIS', 'M'),
  ('UREQUEST', 'EXIT_KEY', 5, 1, 'P', 'S', 'A', 10, 1, 1034, -1, 'N', '*EXIT', 'M'),
  ('UREQUEST', 'MENU_KEY', 6, 1, 'P', 'S', 'A', 10, 1, 1044, -1, 'N', '*MENU', 'M'),
  ('UREQUEST', '@GROUPNAME', 7, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('UDISPLAY', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('UDISPLAY', 'IO_STATUS', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*STATUS', 'M'),
  ('UDISPLAY', 'IO_ERROR', 3, 1, 'P', 'S', 'A', 10, 1, 1014, -1, 'N', '*ABORT', 'M'),
  ('UDISPLAY', 'VAL_ERROR', 4, 1, 'P', 'S', 'A', 10, 1, 1024, -1, 'N', '*LASTDIS', 'M'),
  ('UDISPLAY', 'EXIT_KEY', 5, 1, 'P', 'S', 'A', 10, 1, 1034, -1, 'N', '*EXIT', 'M'),
  ('UDISPLAY', 'MENU_KEY', 6, 1, 'P', 'S', 'A', 10, 1, 1044, -1, 'N', '*MENU', 'M'),
  ('UDISPLAY', '@GROUPNAME', 7, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SET_MODE', 'TO', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF_MODE', 'IS', 1, 1, 'P', 'R', 'A', 10, 4, 4, 0, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CHANGE', 'FIELD', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('CHANGE', 'TO', 2, 1, 'P', 'S', 'X', 1000, 1, 1004, -1, 'Y', '*NULL', 'M'),
  ('CHANGE', 'ROUND_UP', 3, 1, 'P', 'S', 'A', 4, 1, 2004, -1, 'N', '*NO', 'M'),
  ('CHANGE', '@LITKIND', 4, 1, 'P', 'S', 'A', 3, 1, 2008, -1, 'N', ' ', 'M'),
  ('CHANGE', '@LITLENGTH', 5, 1, 'P', 'S', 'N', 4, 1, 2011, -1, 'N', ' ', 'M'),
  ('CHANGE', '@PRECISION', 6, 1, 'P', 'S', 'N', 4, 1, 2015, -1, 'N', ' ', 'M'),
  ('CHANGE', '@PRECISION', 6, 2, 'P', 'S', 'N', 4, 1, 2019, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DELETE', 'FROM_FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('DELETE', 'FROM_FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('DELETE', 'WHERE', 2, 1, 'P', 'S', 'X', 500, 1, 20, -1, 'N', ' ', 'M'),
  ('DELETE', 'WITH_KEY', 3, 1, 'P', 'R', 'A', 20, 20, 524, 520, 'N', ' ', 'M'),
  ('DELETE', '@KEYCODES', 4, 1, 'P', 'R', 'A', 2, 20, 928, 924, 'N', ' ', 'M'),
  ('DELETE', 'NBR_KEYS', 5, 1, 'P', 'S', 'A', 10, 1, 968, -1, 'N', '*WITHKEY', 'M'),
  ('DELETE', 'IO_STATUS', 6, 1, 'P', 'S', 'A', 10, 1, 978, -1, 'N', '*STATUS', 'M'),
  ('DELETE', 'IO_ERROR', 7, 1, 'P', 'S', 'A', 10, 1, 988, -1, 'N', '*ABORT', 'M'),
  ('DELETE', 'VAL_ERROR', 8, 1, 'P', 'S', 'A', 10, 1, 998, -1, 'N', '*LASTDIS', 'M'),
  ('DELETE', 'NOT_FOUND', 9, 1, 'P', 'S', 'A', 10, 1, 1008, -1, 'N', '*NEXT', 'M'),
  ('DELETE', 'AUTOCOMMIT', 10, 1, 'P', 'S', 'A', 8, 1, 1018, -1, 'N', '*FILEDEF', 'M'),
  ('DELETE', 'WITH_RRN', 11, 1, 'P', 'S', 'A', 10, 1, 1026, -1, 'N', '*NONE', 'M'),
  ('DELETE', 'RETURN_RRN', 12, 1, 'P', 'S', 'A', 10, 1, 1036, -1, 'N', '*NONE', 'M'),
  ('DELETE', 'ISSUE_MSG', 13, 1, 'P', 'S', 'A', 4, 1, 1046, -1, 'N', '*NO', 'M'),
  ('DELETE', 'CHECK_ONLY', 14, 1, 'P', 'S', 'A', 4, 1, 1050, -1, 'N', '*NO', 'M'),
  ('DELETE', '@PHYSFILE', 15, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', ' ', 'M'),
  ('DELETE', '@PHYSLIB', 16, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', ' ', 'M'),
  ('DELETE', '@FILECLASS', 17, 1, 'P', 'S', 'C', 1, 1, 1074, -1, 'N', ' ', 'M'),
  ('DELETE', '@FILEMARK', 18, 1, 'P', 'S', 'C', 1, 1, 1075, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('UPDATE', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('UPDATE', 'IN_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'Y', '*FIRST', 'M'),
  ('UPDATE', 'IN_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 1014, -1, 'Y', '*FIRST', 'M'),
  ('UPDATE', 'WHERE', 3, 1, 'P', 'S', 'X', 500, 1, 1024, -1, 'N', ' ', 'M'),
  ('UPDATE', 'WITH_KEY', 4, 1, 'P', 'R', 'A', 20, 20, 1528, 1524, 'N', ' ', 'M'),
  ('UPDATE', '@KEYCODES', 5, 1, 'P', 'R', 'A', 2, 20, 1932, 1928, 'N', ' ', 'M'),
  ('UPDATE', 'NBR_KEYS', 6, 1, 'P', 'S', 'A', 10, 1, 1972, -1, 'N', '*WITHKEY', 'M'),
  ('UPDATE', 'IO_STATUS', 7, 1, 'P', 'S', 'A', 10, 1, 1982, -1, 'N', '*STATUS', 'M'),
  ('UPDATE', 'IO_ERROR', 8, 1, 'P', 'S', 'A', 10, 1, 1992, -1, 'N', '*ABORT', 'M'),
  ('UPDATE', 'VAL_ERROR', 9, 1, 'P', 'S', 'A', 10, 1, 2002, -1, 'N', '*LASTDIS', 'M'),
  ('UPDATE', 'NOT_FOUND', 10, 1, 'P', 'S', 'A', 10, 1, 2012, -1, 'N', '*NEXT', 'M'),
  ('UPDATE', 'AUTOCOMMIT', 11, 1, 'P', 'S', 'A', 8, 1, 2022, -1, 'N', '*FILEDEF', 'M'),
  ('UPDATE', 'WITH_RRN', 12, 1, 'P', 'S', 'A', 10, 1, 2030, -1, 'N', '*NONE', 'M'),
  ('UPDATE', 'RETURN_RRN', 13, 1, 'P', 'S', 'A', 10, 1, 2040, -1, 'N', '*NONE', 'M'),
  ('UPDATE', 'ISSUE_MSG', 14, 1, 'P', 'S', 'A', 4, 1, 2050, -1, 'N', '*NO', 'M'),
  ('UPDATE', 'CHECK_ONLY', 15, 1, 'P', 'S', 'A', 4, 1, 2054, -1, 'N', '*NO', 'M'),
  ('UPDATE', '@PHYSFILE', 16, 1, 'P', 'S', 'A', 10, 1, 2058, -1, 'N', ' ', 'M'),
  ('UPDATE', '@PHYSLIB', 17, 1, 'P', 'S', 'A', 10, 1, 2068, -1, 'N', ' ', 'M'),
  ('UPDATE', '@FILECLASS', 18, 1, 'P', 'S', 'C', 1, 1, 2078, -1, 'N', ' ', 'M'),
  ('UPDATE', '@FILEMARK', 19, 1, 'P', 'S', 'C', 1, 1, 2079, -1, 'N', ' ', 'M'),
  ('UPDATE', '@GROUPNAME', 20, 1, 'P', 'S', 'A', 10, 1, 2080, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CHECK_FOR', 'FOR_FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('CHECK_FOR', 'FOR_FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('CHECK_FOR', 'WITH_KEY', 2, 1, 'P', 'R', 'A', 20, 20, 24, 20, 'N', ' ', 'M'),
  ('CHECK_FOR', '@KEYCODES', 3, 1, 'P', 'R', 'A', 2, 20, 428, 424, 'N', ' ', 'M'),
  ('CHECK_FOR', 'NBR_KEYS', 4, 1, 'P', 'S', 'A', 10, 1, 468, -1, 'N', '*WITHKEY', 'M'),
  ('CHECK_FOR', 'IO_STATUS', 5, 1, 'P', 'S', 'A', 10, 1, 478, -1, 'N', '*STATUS', 'M'),
  ('CHECK_FOR', 'IO_ERROR', 6, 1, 'P', 'S', 'A', 10, 1, 488, -1, 'N', '*ABORT', 'M'),
  ('CHECK_FOR', 'VAL_ERROR', 7, 1, 'P', 'S', 'A', 10, 1, 498, -1, 'N', '*LASTDIS', 'M'),
  ('CHECK_FOR', 'NOT_FOUND', 8, 1, 'P', 'S', 'A', 10, 1, 508, -1, 'N', '*NEXT', 'M'),
  ('CHECK_FOR', 'ISSUE_MSG', 9, 1, 'P', 'S', 'A', 4, 1, 518, -1, 'N', '*NO', 'M'),
  ('CHECK_FOR', '@PHYSFILE', 10, 1, 'P', 'S', 'A', 10, 1, 522, -1, 'N', ' ', 'M'),
  ('CHECK_FOR', '@PHYSLIB', 11, 1, 'P', 'S', 'A', 10, 1, 532, -1, 'N', ' ', 'M'),
  ('CHECK_FOR', '@FILECLASS', 12, 1, 'P', 'S', 'C', 1, 1, 542, -1, 'N', ' ', 'M'),
  ('CHECK_FOR', '@FILEMARK', 13, 1, 'P', 'S', 'C', 1, 1, 543, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('RENAME', 'FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('RENAME', 'FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('RENAME', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 24, 20, 'Y', ' ', 'M'),
  ('RENAME', 'FIELDS', 2, 2, 'P', 'R', 'A', 10, 100, 34, 20, 'Y', ' ', 'M'),
  ('RENAME', '@PHYSFILE', 3, 1, 'P', 'S', 'A', 10, 1, 2024, -1, 'N', ' ', 'M'),
  ('RENAME', '@PHYSLIB', 4, 1, 'P', 'S', 'A', 10, 1, 2034, -1, 'N', ' ', 'M'),
  ('RENAME', '@FILECLASS', 5, 1, 'P', 'S', 'C', 1, 1, 2044, -1, 'N', ' ', 'M'),
  ('RENAME', '@FILEMARK', 6, 1, 'P', 'S', 'C', 1, 1, 2045, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEFINE', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEFINE', 'REFFLD', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'N', '*NONE', 'M'),
  ('DEFINE', 'TYPE', 3, 1, 'P', 'S', 'A', 10, 1, 20, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'LENGTH', 4, 1, 'P', 'S', 'A', 10, 1, 30, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'DECIMALS', 5, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'EDIT_CODE', 6, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'EDIT_WORD', 7, 1, 'P', 'S', 'T', 24, 1, 60, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'LABEL', 8, 1, 'P', 'S', 'T', 15, 1, 84, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'DESC', 9, 1, 'P', 'S', 'T', 40, 1, 99, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'COLHDG', 10, 1, 'P', 'R', 'T', 20, 3, 143, 139, 'N', ' ', 'M'),
  ('DEFINE', 'DEFAULT', 11, 1, 'P', 'S', 'A', 50, 1, 203, -1, 'N', '*SAME', 'M'),
  ('DEFINE', 'INPUT_ATR', 12, 1, 'P', 'R', 'A', 4, 10, 257, 253, 'N', ' ', 'M'),
  ('DEFINE', 'OUTPUT_ATR', 13, 1, 'P', 'R', 'A', 4, 10, 301, 297, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('OVERRIDE', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('OVERRIDE', 'REFFLD', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'N', '*NONE', 'M'),
  ('OVERRIDE', 'TYPE', 3, 1, 'P', 'S', 'A', 10, 1, 20, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'LENGTH', 4, 1, 'P', 'S', 'A', 10, 1, 30, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'DECIMALS', 5, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'EDIT_CODE', 6, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'EDIT_WORD', 7, 1, 'P', 'S', 'T', 24, 1, 60, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'LABEL', 8, 1, 'P', 'S', 'T', 15, 1, 84, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'DESC', 9, 1, 'P', 'S', 'T', 40, 1, 99, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'COLHDG', 10, 1, 'P', 'R', 'T', 20, 3, 143, 139, 'N', ' ', 'M'),
  ('OVERRIDE', 'DEFAULT', 11, 1, 'P', 'S', 'A', 50, 1, 203, -1, 'N', '*SAME', 'M'),
  ('OVERRIDE', 'INPUT_ATR', 12, 1, 'P', 'R', 'A', 4, 10, 257, 253, 'N', ' ', 'M'),
  ('OVERRIDE', 'OUTPUT_ATR', 13, 1, 'P', 'R', 'A', 4, 10, 301, 297, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('MESSAGE', 'MSGID', 1, 1, 'P', 'S', 'A', 7, 1, 0, -1, 'N', '*NONE', 'M'),
  ('MESSAGE', 'MSGFILE', 2, 1, 'P', 'S', 'A', 10, 1, 7, -1, 'N', '*NONE', 'M'),
  ('MESSAGE', 'MSGTXT', 3, 1, 'P', 'S', 'T', 80, 1, 17, -1, 'N', '*NONE', 'M'),
  ('MESSAGE', 'TYPE', 4, 1, 'P', 'S', 'A', 10, 1, 97, -1, 'N', '*INFO', 'M'),
  ('MESSAGE', 'MIN_TIME', 5, 1, 'P', 'S', 'N', 4, 1, 107, -1, 'N', '1', 'M'),
  ('MESSAGE', 'WINDOW_FLD', 6, 1, 'P', 'S', 'A', 10, 1, 111, -1, 'N', '*NONE', 'M'),
  ('MESSAGE', '@MSGKIND', 7, 1, 'P', 'S', 'C', 1, 1, 121, -1, 'N', ' ', 'M'),
  ('MESSAGE', 'MSG_OPTION', 8, 1, 'P', 'S', 'C', 1, 1, 122, -1, 'N', ' ', 'M'),
  ('MESSAGE', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 127, 123, 'N', ' ', 'M'),
  ('MESSAGE', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 148, 123, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ABORT', 'MSGID', 1, 1, 'P', 'S', 'A', 7, 1, 0, -1, 'N', '*NONE', 'M'),
  ('ABORT', 'MSGFILE', 2, 1, 'P', 'S', 'A', 10, 1, 7, -1, 'N', '*NONE', 'M'),
  ('ABORT', 'MSGTXT', 3, 1, 'P', 'S', 'T', 80, 1, 17, -1, 'N', '*NONE', 'M'),
  ('ABORT', 'TYPE', 4, 1, 'P', 'S', 'A', 10, 1, 97, -1, 'N', '*INFO', 'M'),
  ('ABORT', 'MIN_TIME', 5, 1, 'P', 'S', 'N', 4, 1, 107, -1, 'N', '1', 'M'),
  ('ABORT', 'WINDOW_FLD', 6, 1, 'P', 'S', 'A', 10, 1, 111, -1, 'N', '*NONE', 'M'),
  ('ABORT', '@MSGKIND', 7, 1, 'P', 'S', 'C', 1, 1, 121, -1, 'N', ' ', 'M'),
  ('ABORT', 'MSG_OPTION', 8, 1, 'P', 'S', 'C', 1, 1, 122, -1, 'N', ' ', 'M'),
  ('ABORT', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 127, 123, 'N', ' ', 'M'),
  ('ABORT', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 148, 123, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EXIT', 'MSGID', 1, 1, 'P', 'S', 'A', 7, 1, 0, -1, 'N', '*NONE', 'M'),
  ('EXIT', 'MSGFILE', 2, 1, 'P', 'S', 'A', 10, 1, 7, -1, 'N', '*NONE', 'M'),
  ('EXIT', 'MSGTXT', 3, 1, 'P', 'S', 'T', 80, 1, 17, -1, 'N', '*NONE', 'M'),
  ('EXIT', 'TYPE', 4, 1, 'P', 'S', 'A', 10, 1, 97, -1, 'N', '*INFO', 'M'),
  ('EXIT', 'MIN_TIME', 5, 1, 'P', 'S', 'N', 4, 1, 107, -1, 'N', '1', 'M'),
  ('EXIT', 'WINDOW_FLD', 6, 1, 'P', 'S', 'A', 10, 1, 111, -1, 'N', '*NONE', 'M'),
  ('EXIT', '@MSGKIND', 7, 1, 'P', 'S', 'C', 1, 1, 121, -1, 'N', ' ', 'M'),
  ('EXIT', 'MSG_OPTION', 8, 1, 'P', 'S', 'C', 1, 1, 122, -1, 'N', ' ', 'M'),
  ('EXIT', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 127, 123, 'N', ' ', 'M'),
  ('EXIT', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 148, 123, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('MENU', 'MSGID', 1, 1, 'P', 'S', 'A', 7, 1, 0, -1, 'N', '*NONE', 'M'),
  ('MENU', 'MSGFILE', 2, 1, 'P', 'S', 'A', 10, 1, 7, -1, 'N', '*NONE', 'M'),
  ('MENU', 'MSGTXT', 3, 1, 'P', 'S', 'T', 80, 1, 17, -1, 'N', '*NONE', 'M'),
  ('MENU', 'TYPE', 4, 1, 'P', 'S', 'A', 10, 1, 97, -1, 'N', '*INFO', 'M'),
  ('MENU', 'MIN_TIME', 5, 1, 'P', 'S', 'N', 4, 1, 107, -1, 'N', '1', 'M'),
  ('MENU', 'WINDOW_FLD', 6, 1, 'P', 'S', 'A', 10, 1, 111, -1, 'N', '*NONE', 'M'),
  ('MENU', '@MSGKIND', 7, 1, 'P', 'S', 'C', 1, 1, 121, -1, 'N', ' ', 'M'),
  ('MENU', 'MSG_OPTION', 8, 1, 'P', 'S', 'C', 1, 1, 122, -1, 'N', ' ', 'M'),
  ('MENU', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 127, 123, 'N', ' ', 'M'),
  ('MENU', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 148, 123, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('TRANSFER', 'TOFUNCTION', 1, 1, 'P', 'S', 'A', 50, 1, 0, -1, 'Y', ' ', 'M'),
  ('TRANSFER', 'EXCHANGE', 2, 1, 'P', 'R', 'A', 10, 200, 54, 50, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('BEGINCHECK', 'KEEP_COUNT', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*NONE', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ENDCHECK', 'IF_ERROR', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*LASTDIS', 'M'),
  ('ENDCHECK', 'MSGID', 2, 1, 'P', 'S', 'A', 7, 1, 10, -1, 'N', '*NONE', 'M'),
  ('ENDCHECK', 'MSGFILE', 3, 1, 'P', 'S', 'A', 10, 1, 17, -1, 'N', '*NONE', 'M'),
  ('ENDCHECK', 'MSGTXT', 4, 1, 'P', 'S', 'T', 80, 1, 27, -1, 'N', '*NONE', 'M'),
  ('ENDCHECK', 'TYPE', 5, 1, 'P', 'S', 'A', 10, 1, 107, -1, 'N', '*INFO', 'M'),
  ('ENDCHECK', 'MIN_TIME', 6, 1, 'P', 'S', 'N', 4, 1, 117, -1, 'N', '1', 'M'),
  ('ENDCHECK', 'WINDOW_FLD', 7, 1, 'P', 'S', 'A', 10, 1, 121, -1, 'N', '*NONE', 'M'),
  ('ENDCHECK', '@MSGKIND', 8, 1, 'P', 'S', 'C', 1, 1, 131, -1, 'N', ' ', 'M'),
  ('ENDCHECK', 'MSG_OPTION', 9, 1, 'P', 'S', 'C', 1, 1, 132, -1, 'N', ' ', 'M'),
  ('ENDCHECK', 'MSGDTA', 10, 1, 'P', 'R', 'A', 21, 20, 137, 133, 'N', ' ', 'M'),
  ('ENDCHECK', 'MSGDTA', 10, 2, 'P', 'R', 'C', 1, 20, 158, 133, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ON_ERROR', 'IF_ERROR', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*LASTDIS', 'M'),
  ('ON_ERROR', 'MSGID', 2, 1, 'P', 'S', 'A', 7, 1, 10, -1, 'N', '*NONE', 'M'),
  ('ON_ERROR', 'MSGFILE', 3, 1, 'P', 'S', 'A', 10, 1, 17, -1, 'N', '*NONE', 'M'),
  ('ON_ERROR', 'MSGTXT', 4, 1, 'P', 'S', 'T', 80, 1, 27, -1, 'N', '*NONE', 'M'),
  ('ON_ERROR', 'TYPE', 5, 1, 'P', 'S', 'A', 10, 1, 107, -1, 'N', '*INFO', 'M'),
  ('ON_ERROR', 'MIN_TIME', 6, 1, 'P', 'S', 'N', 4, 1, 117, -1, 'N', '1', 'M'),
  ('ON_ERROR', 'WINDOW_FLD', 7, 1, 'P', 'S', 'A', 10, 1, 121, -1, 'N', '*NONE', 'M'),
  ('ON_ERROR', '@MSGKIND', 8, 1, 'P', 'S', 'C', 1, 1, 131, -1, 'N', ' ', 'M'),
  ('ON_ERROR', 'MSG_OPTION', 9, 1, 'P', 'S', 'C', 1, 1, 132, -1, 'N', ' ', 'M'),
  ('ON_ERROR', 'MSGDTA', 10, 1, 'P', 'R', 'A', 21, 20, 137, 133, 'N', ' ', 'M'),
  ('ON_ERROR', 'MSGDTA', 10, 2, 'P', 'R', 'C', 1, 20, 158, 133, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF_ERROR', 'MSGID', 1, 1, 'P', 'S', 'A', 7, 1, 0, -1, 'N', '*NONE', 'M'),
  ('IF_ERROR', 'MSGFILE', 2, 1, 'P', 'S', 'A', 10, 1, 7, -1, 'N', '*NONE', 'M'),
  ('IF_ERROR', 'MSGTXT', 3, 1, 'P', 'S', 'T', 80, 1, 17, -1, 'N', '*NONE', 'M'),
  ('IF_ERROR', 'TYPE', 4, 1, 'P', 'S', 'A', 10, 1, 97, -1, 'N', '*INFO', 'M'),
  ('IF_ERROR', 'MIN_TIME', 5, 1, 'P', 'S', 'N', 4, 1, 107, -1, 'N', '1', 'M'),
  ('IF_ERROR', 'WINDOW_FLD', 6, 1, 'P', 'S', 'A', 10, 1, 111, -1, 'N', '*NONE', 'M'),
  ('IF_ERROR', '@MSGKIND', 7, 1, 'P', 'S', 'C', 1, 1, 121, -1, 'N', ' ', 'M'),
  ('IF_ERROR', 'MSG_OPTION', 8, 1, 'P', 'S', 'C', 1, 1, 122, -1, 'N', ' ', 'M'),
  ('IF_ERROR', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 127, 123, 'N', ' ', 'M'),
  ('IF_ERROR', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 148, 123, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SET_ERROR', 'FOR_FIELD', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('SET_ERROR', 'MSGID', 2, 1, 'P', 'S', 'A', 7, 1, 1004, -1, 'N', '*NONE', 'M'),
  ('SET_ERROR', 'MSGFILE', 3, 1, 'P', 'S', 'A', 10, 1, 1011, -1, 'N', '*NONE', 'M'),
  ('SET_ERROR', 'MSGTXT', 4, 1, 'P', 'S', 'T', 80, 1, 1021, -1, 'N', '*NONE', 'M'),
  ('SET_ERROR', 'TYPE', 5, 1, 'P', 'S', 'A', 10, 1, 1101, -1, 'N', '*INFO', 'M'),
  ('SET_ERROR', 'MIN_TIME', 6, 1, 'P', 'S', 'N', 4, 1, 1111, -1, 'N', '1', 'M'),
  ('SET_ERROR', 'WINDOW_FLD', 7, 1, 'P', 'S', 'A', 10, 1, 1115, -1, 'N', '*NONE', 'M'),
  ('SET_ERROR', '@MSGKIND', 8, 1, 'P', 'S', 'C', 1, 1, 1125, -1, 'N', ' ', 'M'),
  ('SET_ERROR', 'MSG_OPTION', 9, 1, 'P', 'S', 'C', 1, 1, 1126, -1, 'N', ' ', 'M'),
  ('SET_ERROR', 'MSGDTA', 10, 1, 'P', 'R', 'A', 21, 20, 1131, 1127, 'N', ' ', 'M'),
  ('SET_ERROR', 'MSGDTA', 10, 2, 'P', 'R', 'C', 1, 20, 1152, 1127, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DATECHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DATECHECK', 'IN_FORMAT', 2, 1, 'P', 'S', 'A', 8, 1, 10, -1, 'N', '*SYSFMT', 'M'),
  ('DATECHECK', 'DAY_RANGE', 3, 1, 'P', 'S', 'N', 4, 1, 18, -1, 'N', '0', 'M'),
  ('DATECHECK', 'DAY_RANGE', 3, 2, 'P', 'S', 'N', 4, 1, 22, -1, 'N', '0', 'M'),
  ('DATECHECK', 'IF_VALID', 4, 1, 'P', 'S', 'A', 10, 1, 26, -1, 'N', '*NEXT', 'M'),
  ('DATECHECK', 'IF_INVALID', 5, 1, 'P', 'S', 'A', 10, 1, 36, -1, 'N', '*ERROR', 'M'),
  ('DATECHECK', 'MSGID', 6, 1, 'P', 'S', 'A', 7, 1, 46, -1, 'N', '*NONE', 'M'),
  ('DATECHECK', 'MSGFILE', 7, 1, 'P', 'S', 'A', 10, 1, 53, -1, 'N', '*NONE', 'M'),
  ('DATECHECK', 'MSGTXT', 8, 1, 'P', 'S', 'T', 80, 1, 63, -1, 'N', '*NONE', 'M'),
  ('DATECHECK', 'MSGDTA', 9, 1, 'P', 'R', 'A', 21, 20, 147, 143, 'N', ' ', 'M'),
  ('DATECHECK', 'MSGDTA', 9, 2, 'P', 'R', 'C', 1, 20, 168, 143, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('RANGECHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('RANGECHECK', 'RANGE', 2, 1, 'P', 'R', 'A', 20, 50, 14, 10, 'Y', ' ', 'M'),
  ('RANGECHECK', 'RANGE', 2, 2, 'P', 'R', 'A', 20, 50, 34, 10, 'Y', ' ', 'M'),
  ('RANGECHECK', 'IN_RANGE', 3, 1, 'P', 'S', 'A', 10, 1, 2014, -1, 'N', '*NEXT', 'M'),
  ('RANGECHECK', 'OUT_RANGE', 4, 1, 'P', 'S', 'A', 10, 1, 2024, -1, 'N', '*ERROR', 'M'),
  ('RANGECHECK', 'MSGID', 5, 1, 'P', 'S', 'A', 7, 1, 2034, -1, 'N', '*NONE', 'M'),
  ('RANGECHECK', 'MSGFILE', 6, 1, 'P', 'S', 'A', 10, 1, 2041, -1, 'N', '*NONE', 'M'),
  ('RANGECHECK', 'MSGTXT', 7, 1, 'P', 'S', 'T', 80, 1, 2051, -1, 'N', '*NONE', 'M'),
  ('RANGECHECK', 'MSGDTA', 8, 1, 'P', 'R', 'A', 21, 20, 2135, 2131, 'N', ' ', 'M'),
  ('RANGECHECK', 'MSGDTA', 8, 2, 'P', 'R', 'C', 1, 20, 2156, 2131, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('VALUECHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('VALUECHECK', 'WITH_LIST', 2, 1, 'P', 'R', 'A', 20, 50, 14, 10, 'Y', ' ', 'M'),
  ('VALUECHECK', 'IN_LIST', 3, 1, 'P', 'S', 'A', 10, 1, 1014, -1, 'N', '*NEXT', 'M'),
  ('VALUECHECK', 'NOT_INLIST', 4, 1, 'P', 'S', 'A', 10, 1, 1024, -1, 'N', '*ERROR', 'M'),
  ('VALUECHECK', 'MSGID', 5, 1, 'P', 'S', 'A', 7, 1, 1034, -1, 'N', '*NONE', 'M'),
  ('VALUECHECK', 'MSGFILE', 6, 1, 'P', 'S', 'A', 10, 1, 1041, -1, 'N', '*NONE', 'M'),
  ('VALUECHECK', 'MSGTXT', 7, 1, 'P', 'S', 'T', 80, 1, 1051, -1, 'N', '*NONE', 'M'),
  ('VALUECHECK', 'MSGDTA', 8, 1, 'P', 'R', 'A', 21, 20, 1135, 1131, 'N', ' ', 'M'),
  ('VALUECHECK', 'MSGDTA', 8, 2, 'P', 'R', 'C', 1, 20, 1156, 1131, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CONDCHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('CONDCHECK', 'COND', 2, 1, 'P', 'S', 'X', 1000, 1, 10, -1, 'Y', ' ', 'M'),
  ('CONDCHECK', 'IF_TRUE', 3, 1, 'P', 'S', 'A', 10, 1, 1010, -1, 'N', '*NEXT', 'M'),
  ('CONDCHECK', 'IF_FALSE', 4, 1, 'P', 'S', 'A', 10, 1, 1020, -1, 'N', '*ERROR', 'M'),
  ('CONDCHECK', 'MSGID', 5, 1, 'P', 'S', 'A', 7, 1, 1030, -1, 'N', '*NONE', 'M'),
  ('CONDCHECK', 'MSGFILE', 6, 1, 'P', 'S', 'A', 10, 1, 1037, -1, 'N', '*NONE', 'M'),
  ('CONDCHECK', 'MSGTXT', 7, 1, 'P', 'S', 'T', 80, 1, 1047, -1, 'N', '*NONE', 'M'),
  ('CONDCHECK', 'MSGDTA', 8, 1, 'P', 'R', 'A', 21, 20, 1131, 1127, 'N', ' ', 'M'),
  ('CONDCHECK', 'MSGDTA', 8, 2, 'P', 'R', 'C', 1, 20, 1152, 1127, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('FILECHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('FILECHECK', 'USING_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('FILECHECK', 'USING_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 20, -1, 'Y', '*FIRST', 'M'),
  ('FILECHECK', 'WITH_KEY', 3, 1, 'P', 'R', 'A', 20, 20, 34, 30, 'N', ' ', 'M'),
  ('FILECHECK', '@KEYCODES', 4, 1, 'P', 'R', 'A', 2, 20, 438, 434, 'N', ' ', 'M'),
  ('FILECHECK', 'NBR_KEYS', 5, 1, 'P', 'S', 'A', 10, 1, 478, -1, 'N', '*WITHKEY', 'M'),
  ('FILECHECK', 'IN_FILE', 6, 1, 'P', 'S', 'A', 10, 1, 488, -1, 'N', '*NEXT', 'M'),
  ('FILECHECK', 'NOT_INFILE', 7, 1, 'P', 'S', 'A', 10, 1, 498, -1, 'N', '*ERROR', 'M'),
  ('FILECHECK', 'ISSUE_MSG', 8, 1, 'P', 'S', 'A', 4, 1, 508, -1, 'N', '*NO', 'M'),
  ('FILECHECK', 'MSGID', 9, 1, 'P', 'S', 'A', 7, 1, 512, -1, 'N', '*NONE', 'M'),
  ('FILECHECK', 'MSGFILE', 10, 1, 'P', 'S', 'A', 10, 1, 519, -1, 'N', '*NONE', 'M'),
  ('FILECHECK', 'MSGTXT', 11, 1, 'P', 'S', 'T', 80, 1, 529, -1, 'N', '*NONE', 'M'),
  ('FILECHECK', 'MSGDTA', 12, 1, 'P', 'R', 'A', 21, 20, 613, 609, 'N', ' ', 'M'),
  ('FILECHECK', 'MSGDTA', 12, 2, 'P', 'R', 'C', 1, 20, 634, 609, 'N', ' ', 'M'),
  ('FILECHECK', '@PHYSFILE', 13, 1, 'P', 'S', 'A', 10, 1, 1053, -1, 'N', ' ', 'M'),
  ('FILECHECK', '@PHYSLIB', 14, 1, 'P', 'S', 'A', 10, 1, 1063, -1, 'N', ' ', 'M'),
  ('FILECHECK', '@FILECLASS', 15, 1, 'P', 'S', 'C', 1, 1, 1073, -1, 'N', ' ', 'M'),
  ('FILECHECK', '@FILEMARK', 16, 1, 'P', 'S', 'C', 1, 1, 1074, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CALLCHECK', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('CALLCHECK', 'BY_CALLING', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', ' ', 'M'),
  ('CALLCHECK', 'BY_CALLING', 2, 2, 'P', 'S', 'A', 10, 1, 20, -1, 'Y', ' ', 'M'),
  ('CALLCHECK', '@PGMKIND', 3, 1, 'P', 'S', 'C', 1, 1, 30, -1, 'N', ' ', 'M'),
  ('CALLCHECK', 'PROG_PARM', 4, 1, 'P', 'R', 'A', 20, 50, 35, 31, 'N', ' ', 'M'),
  ('CALLCHECK', 'IF_VALID', 5, 1, 'P', 'S', 'A', 10, 1, 1035, -1, 'N', '*NEXT', 'M'),
  ('CALLCHECK', 'IF_INVALID', 6, 1, 'P', 'S', 'A', 10, 1, 1045, -1, 'N', '*ERROR', 'M'),
  ('CALLCHECK', 'MSGID', 7, 1, 'P', 'S', 'A', 7, 1, 1055, -1, 'N', '*NONE', 'M'),
  ('CALLCHECK', 'MSGFILE', 8, 1, 'P', 'S', 'A', 10, 1, 1062, -1, 'N', '*NONE', 'M'),
  ('CALLCHECK', 'MSGTXT', 9, 1, 'P', 'S', 'T', 80, 1, 1072, -1, 'N', '*NONE', 'M'),
  ('CALLCHECK', 'MSGDTA', 10, 1, 'P', 'R', 'A', 21, 20, 1156, 1152, 'N', ' ', 'M'),
  ('CALLCHECK', 'MSGDTA', 10, 2, 'P', 'R', 'C', 1, 20, 1177, 1152, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CALL', 'PROCESS', 1, 1, 'P', 'S', 'A', 20, 1, 0, -1, 'Y', '*DIRECT', 'M'),
  ('CALL', 'FUNCTION', 2, 1, 'P', 'S', 'A', 20, 1, 20, -1, 'Y', '*MENU', 'M'),
  ('CALL', 'PGM', 3, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', '*NONE', 'M'),
  ('CALL', 'PGM_LIB', 4, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', '*LIBL', 'M'),
  ('CALL', 'PARMS', 5, 1, 'P', 'R', 'A', 20, 50, 64, 60, 'N', ' ', 'M'),
  ('CALL', 'PASS_LST', 6, 1, 'P', 'R', 'A', 10, 20, 1068, 1064, 'N', ' ', 'M'),
  ('CALL', 'PASS_DS', 7, 1, 'P', 'R', 'A', 10, 20, 1272, 1268, 'N', ' ', 'M'),
  ('CALL', 'NUM_LEN', 8, 1, 'P', 'S', 'C', 1, 1, 1472, -1, 'N', '*DEFINED', 'M'),
  ('CALL', 'PGM_EXCH', 9, 1, 'P', 'S', 'C', 1, 1, 1473, -1, 'N', '*NO', 'M'),
  ('CALL', 'IF_ERROR', 10, 1, 'P', 'S', 'A', 10, 1, 1474, -1, 'N', '*ABORT', 'M'),
  ('CALL', 'EXIT_USED', 11, 1, 'P', 'S', 'A', 10, 1, 1484, -1, 'N', '*EXIT', 'M'),
  ('CALL', 'MENU_USED', 12, 1, 'P', 'S', 'A', 10, 1, 1494, -1, 'N', '*MENU', 'M'),
  ('CALL', 'EXCHANGE', 13, 1, 'P', 'R', 'A', 10, 200, 1508, 1504, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('UPRINT', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('UPRINT', 'IO_STATUS', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*STATUS', 'M'),
  ('UPRINT', 'IO_ERROR', 3, 1, 'P', 'S', 'A', 10, 1, 1014, -1, 'N', '*ABORT', 'M'),
  ('UPRINT', 'VAL_ERROR', 4, 1, 'P', 'S', 'A', 10, 1, 1024, -1, 'N', '*LASTDIS', 'M'),
  ('UPRINT', '@GROUPNAME', 5, 1, 'P', 'S', 'A', 10, 1, 1034, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ENDPRINT', 'REPORT_NUM', 1, 1, 'P', 'S', 'N', 4, 1, 0, -1, 'Y', '1', 'M'),
  ('ENDPRINT', 'IO_STATUS', 2, 1, 'P', 'S', 'A', 10, 1, 4, -1, 'N', '*STATUS', 'M'),
  ('ENDPRINT', 'IO_ERROR', 3, 1, 'P', 'S', 'A', 10, 1, 14, -1, 'N', '*ABORT', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('REQUEST', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('REQUEST', 'PANEL_ID', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'PANEL_TITL', 3, 1, 'P', 'S', 'T', 40, 1, 1014, -1, 'N', '*FUNCTION', 'M'),
  ('REQUEST', '@GROUPNAME', 4, 1, 'P', 'S', 'A', 10, 1, 1061, -1, 'N', ' ', 'M'),
  ('REQUEST', 'BROWSELIST', 5, 1, 'P', 'S', 'A', 10, 1, 2228, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'BROWSELIST', 5, 2, 'P', 'S', 'N', 4, 1, 1072, -1, 'N', '0', 'M'),
  ('REQUEST', 'EXIT_KEY', 6, 1, 'P', 'S', 'A', 10, 1, 1096, -1, 'N', '*YES', 'M'),
  ('REQUEST', 'EXIT_KEY', 6, 2, 'P', 'S', 'A', 10, 1, 1166, -1, 'N', '*EXIT', 'M'),
  ('REQUEST', 'EXIT_KEY', 6, 3, 'P', 'S', 'A', 10, 1, 1176, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'EXIT_KEY', 6, 4, 'P', 'S', 'A', 5, 1, 1699, -1, 'N', '*HIGH', 'M'),
  ('REQUEST', '@EXITVAL', 7, 1, 'P', 'S', 'N', 4, 1, 1106, -1, 'N', ' ', 'M'),
  ('REQUEST', 'MENU_KEY', 8, 1, 'P', 'S', 'A', 10, 1, 1110, -1, 'N', '*YES', 'M'),
  ('REQUEST', 'MENU_KEY', 8, 2, 'P', 'S', 'A', 10, 1, 1186, -1, 'N', '*MENU', 'M'),
  ('REQUEST', 'MENU_KEY', 8, 3, 'P', 'S', 'A', 10, 1, 1196, -1, 'N', '*NONE', 'M'),
  ('REQUEST', '@MENUVAL', 9, 1, 'P', 'S', 'N', 4, 1, 1120, -1, 'N', ' ', 'M'),
  ('REQUEST', 'ADD_KEY', 10, 1, 'P', 'S', 'A', 10, 1, 1124, -1, 'N', '*NO', 'M'),
  ('REQUEST', 'ADD_KEY', 10, 2, 'P', 'S', 'A', 10, 1, 1206, -1, 'N', '*NEXT', 'M'),
  ('REQUEST', 'ADD_KEY', 10, 3, 'P', 'S', 'A', 10, 1, 1216, -1, 'N', '*NONE', 'M'),
  ('REQUEST', '@ADDVAL', 11, 1, 'P', 'S', 'N', 4, 1, 1134, -1, 'N', ' ', 'M'),
  ('REQUEST', 'CHANGE_KEY', 12, 1, 'P', 'S', 'A', 10, 1, 1138, -1, 'N', '*NO', 'M'),
  ('REQUEST', 'CHANGE_KEY', 12, 2, 'P', 'S', 'A', 10, 1, 1226, -1, 'N', '*NEXT', 'M'),
  ('REQUEST', 'CHANGE_KEY', 12, 3, 'P', 'S', 'A', 10, 1, 1236, -1, 'N', '*NONE', 'M'),
  ('REQUEST', '@CHGVAL', 13, 1, 'P', 'S', 'N', 4, 1, 1148, -1, 'N', ' ', 'M'),
  ('REQUEST', 'DELETE_KEY', 14, 1, 'P', 'S', 'A', 10, 1, 1152, -1, 'N', '*NO', 'M'),
  ('REQUEST', 'DELETE_KEY', 14, 2, 'P', 'S', 'A', 10, 1, 1246, -1, 'N', '*NEXT', 'M'),
  ('REQUEST', 'DELETE_KEY', 14, 3, 'P', 'S', 'A', 10, 1, 1256, -1, 'N', '*NONE', 'M'),
  ('REQUEST', '@DLTVAL', 15, 1, 'P', 'S', 'N', 4, 1, 1162, -1, 'N', ' ', 'M'),
  ('REQUEST', 'PROMPT_KEY', 16, 1, 'P', 'S', 'A', 10, 1, 1770, -1, 'N', '*DFT', 'M'),
  ('REQUEST', 'PROMPT_KEY', 16, 2, 'P', 'S', 'A', 10, 1, 1266, -1, 'N', '*AUTO', 'M'),
  ('REQUEST', 'PROMPT_KEY', 16, 3, 'P', 'S', 'A', 10, 1, 1276, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'CURSOR_LOC', 17, 1, 'P', 'S', 'A', 10, 1, 1286, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'CURSOR_LOC', 17, 2, 'P', 'S', 'A', 10, 1, 1296, -1, 'N', '*NONE', 'M'),
  ('REQUEST', 'USER_KEYS', 18, 1, 'P', 'C', 'H', 2, 5, 1560, -1, 'N', ' ', 'M'),
  ('REQUEST', 'USER_KEYS', 18, 2, 'P', 'C', 'T', 8, 5, 1580, -1, 'N', ' ', 'M'),
  ('REQUEST', 'USER_KEYS', 18, 3, 'P', 'C', 'A', 10, 5, 1306, -1, 'N', ' ', 'M'),
  ('REQUEST', 'USER_KEYS', 18, 4, 'P', 'C', 'A', 10, 5, 1356, -1, 'N', ' ', 'M'),
  ('REQUEST', 'OPTIONS', 19, 1, 'P', 'R', 'A', 8, 10, 1912, 1908, 'N', ' ', 'M'),
  ('REQUEST', 'DESIGN', 20, 1, 'P', 'S', 'S', 10, 1, 2238, -1, 'N', '*ACROSS', 'M'),
  ('REQUEST', 'IDENTIFY', 21, 1, 'P', 'S', 'S', 10, 1, 2248, -1, 'N', '*COLHDG', 'M'),
  ('REQUEST', 'DOWN_SEP', 22, 1, 'P', 'S', 'N', 4, 1, 2258, -1, 'N', '1', 'M'),
  ('REQUEST', 'ACROSS_SEP', 23, 1, 'P', 'S', 'N', 4, 1, 2262, -1, 'N', '1', 'M'),
  ('REQUEST', 'LINE_22', 24, 1, 'P', 'S', 'A', 10, 1, 2408, -1, 'N', '*NO', 'M'),
  ('REQUEST', 'STD_HEAD', 25, 1, 'P', 'S', 'C', 1, 1, 2543, -1, 'N', '*X', 'M'),
  ('REQUEST', 'TEXTS', 26, 1, 'P', 'C', 'T', 20, 50, 3740, -1, 'N', ' ', 'M'),
  ('REQUEST', 'TEXTS', 26, 2, 'P', 'C', 'H', 2, 50, 4740, -1, 'N', ' ', 'M'),
  ('REQUEST', 'TEXTS', 26, 3, 'P', 'C', 'H', 2, 50, 4840, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DISPLAY', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('DISPLAY', 'PANEL_ID', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'PANEL_TITL', 3, 1, 'P', 'S', 'T', 40, 1, 1014, -1, 'N', '*FUNCTION', 'M'),
  ('DISPLAY', '@GROUPNAME', 4, 1, 'P', 'S', 'A', 10, 1, 1061, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'BROWSELIST', 5, 1, 'P', 'S', 'A', 10, 1, 2228, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'BROWSELIST', 5, 2, 'P', 'S', 'N', 4, 1, 1072, -1, 'N', '0', 'M'),
  ('DISPLAY', 'EXIT_KEY', 6, 1, 'P', 'S', 'A', 10, 1, 1096, -1, 'N', '*YES', 'M'),
  ('DISPLAY', 'EXIT_KEY', 6, 2, 'P', 'S', 'A', 10, 1, 1166, -1, 'N', '*EXIT', 'M'),
  ('DISPLAY', 'EXIT_KEY', 6, 3, 'P', 'S', 'A', 10, 1, 1176, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'EXIT_KEY', 6, 4, 'P', 'S', 'A', 5, 1, 1699, -1, 'N', '*HIGH', 'M'),
  ('DISPLAY', '@EXITVAL', 7, 1, 'P', 'S', 'N', 4, 1, 1106, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'MENU_KEY', 8, 1, 'P', 'S', 'A', 10, 1, 1110, -1, 'N', '*YES', 'M'),
  ('DISPLAY', 'MENU_KEY', 8, 2, 'P', 'S', 'A', 10, 1, 1186, -1, 'N', '*MENU', 'M'),
  ('DISPLAY', 'MENU_KEY', 8, 3, 'P', 'S', 'A', 10, 1, 1196, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', '@MENUVAL', 9, 1, 'P', 'S', 'N', 4, 1, 1120, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'ADD_KEY', 10, 1, 'P', 'S', 'A', 10, 1, 1124, -1, 'N', '*NO', 'M'),
  ('DISPLAY', 'ADD_KEY', 10, 2, 'P', 'S', 'A', 10, 1, 1206, -1, 'N', '*NEXT', 'M'),
  ('DISPLAY', 'ADD_KEY', 10, 3, 'P', 'S', 'A', 10, 1, 1216, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', '@ADDVAL', 11, 1, 'P', 'S', 'N', 4, 1, 1134, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'CHANGE_KEY', 12, 1, 'P', 'S', 'A', 10, 1, 1138, -1, 'N', '*NO', 'M'),
  ('DISPLAY', 'CHANGE_KEY', 12, 2, 'P', 'S', 'A', 10, 1, 1226, -1, 'N', '*NEXT', 'M'),
  ('DISPLAY', 'CHANGE_KEY', 12, 3, 'P', 'S', 'A', 10, 1, 1236, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', '@CHGVAL', 13, 1, 'P', 'S', 'N', 4, 1, 1148, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'DELETE_KEY', 14, 1, 'P', 'S', 'A', 10, 1, 1152, -1, 'N', '*NO', 'M'),
  ('DISPLAY', 'DELETE_KEY', 14, 2, 'P', 'S', 'A', 10, 1, 1246, -1, 'N', '*NEXT', 'M'),
  ('DISPLAY', 'DELETE_KEY', 14, 3, 'P', 'S', 'A', 10, 1, 1256, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', '@DLTVAL', 15, 1, 'P', 'S', 'N', 4, 1, 1162, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'PROMPT_KEY', 16, 1, 'P', 'S', 'A', 10, 1, 1770, -1, 'N', '*DFT', 'M'),
  ('DISPLAY', 'PROMPT_KEY', 16, 2, 'P', 'S', 'A', 10, 1, 1266, -1, 'N', '*AUTO', 'M'),
  ('DISPLAY', 'PROMPT_KEY', 16, 3, 'P', 'S', 'A', 10, 1, 1276, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'CURSOR_LOC', 17, 1, 'P', 'S', 'A', 10, 1, 1286, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'CURSOR_LOC', 17, 2, 'P', 'S', 'A', 10, 1, 1296, -1, 'N', '*NONE', 'M'),
  ('DISPLAY', 'USER_KEYS', 18, 1, 'P', 'C', 'H', 2, 5, 1560, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'USER_KEYS', 18, 2, 'P', 'C', 'T', 8, 5, 1580, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'USER_KEYS', 18, 3, 'P', 'C', 'A', 10, 5, 1306, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'USER_KEYS', 18, 4, 'P', 'C', 'A', 10, 5, 1356, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'OPTIONS', 19, 1, 'P', 'R', 'A', 8, 10, 1912, 1908, 'N', ' ', 'M'),
  ('DISPLAY', 'DESIGN', 20, 1, 'P', 'S', 'S', 10, 1, 2238, -1, 'N', '*ACROSS', 'M'),
  ('DISPLAY', 'IDENTIFY', 21, 1, 'P', 'S', 'S', 10, 1, 2248, -1, 'N', '*COLHDG', 'M'),
  ('DISPLAY', 'DOWN_SEP', 22, 1, 'P', 'S', 'N', 4, 1, 2258, -1, 'N', '1', 'M'),
  ('DISPLAY', 'ACROSS_SEP', 23, 1, 'P', 'S', 'N', 4, 1, 2262, -1, 'N', '1', 'M'),
  ('DISPLAY', 'LINE_22', 24, 1, 'P', 'S', 'A', 10, 1, 2408, -1, 'N', '*NO', 'M'),
  ('DISPLAY', 'STD_HEAD', 25, 1, 'P', 'S', 'C', 1, 1, 2543, -1, 'N', '*X', 'M'),
  ('DISPLAY', 'TEXTS', 26, 1, 'P', 'C', 'T', 20, 50, 3740, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'TEXTS', 26, 2, 'P', 'C', 'H', 2, 50, 4740, -1, 'N', ' ', 'M'),
  ('DISPLAY', 'TEXTS', 26, 3, 'P', 'C', 'H', 2, 50, 4840, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF_NULL', 'FIELD', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_LIST', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_LIST', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('DEF_LIST', 'TYPE', 3, 1, 'P', 'S', 'A', 10, 1, 1014, -1, 'N', '*WORKING', 'M'),
  ('DEF_LIST', 'ENTRYS', 4, 1, 'P', 'S', 'N', 4, 1, 1024, -1, 'N', '50', 'M'),
  ('DEF_LIST', 'MAX_ENTRYS', 5, 1, 'P', 'S', 'N', 4, 1, 1028, -1, 'N', '0', 'M'),
  ('DEF_LIST', 'COUNTER', 6, 1, 'P', 'S', 'A', 10, 1, 1032, -1, 'N', '*NONE', 'M'),
  ('DEF_LIST', 'PAGE_SIZE', 7, 1, 'P', 'S', 'A', 10, 1, 1042, -1, 'N', '*NONE', 'M'),
  ('DEF_LIST', 'TOP_ENTRY', 8, 1, 'P', 'S', 'A', 10, 1, 1052, -1, 'N', '*NONE', 'M'),
  ('DEF_LIST', 'SEL_ENTRY', 9, 1, 'P', 'S', 'A', 10, 1, 1062, -1, 'N', '*NONE', 'M'),
  ('DEF_LIST', 'SCROLL_TXT', 10, 1, 'P', 'S', 'A', 10, 1, 1072, -1, 'N', '*NONE', 'M'),
  ('DEF_LIST', 'LONG_LIST', 11, 1, 'P', 'S', 'N', 4, 1, 1082, -1, 'N', '0', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ADD_ENTRY', 'TO_LIST', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('ADD_ENTRY', 'WITH_MODE', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'N', '*CURRENT', 'M'),
  ('ADD_ENTRY', 'INZ_ENTRY', 3, 1, 'P', 'S', 'A', 4, 1, 20, -1, 'N', '*YES', 'M'),
  ('ADD_ENTRY', 'AFTER', 4, 1, 'P', 'S', 'A', 10, 1, 24, -1, 'N', '*END', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CLR_LIST', 'NAMED', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('INZ_LIST', 'NAMED', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('INZ_LIST', 'NUM_ENTRYS', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', '1', 'M'),
  ('INZ_LIST', 'WITH_MODE', 3, 1, 'P', 'S', 'A', 10, 1, 14, -1, 'N', '*CURRENT', 'M'),
  ('INZ_LIST', 'INZ_ENTRY', 4, 1, 'P', 'S', 'A', 4, 1, 24, -1, 'N', '*YES', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DLT_LIST', 'NAMED', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('UPD_ENTRY', 'IN_LIST', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('UPD_ENTRY', 'WITH_MODE', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'N', '*CURRENT', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SELECTLIST', 'NAMED', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('SELECTLIST', 'GET_ENTRYS', 2, 1, 'P', 'R', 'A', 10, 10, 14, 10, 'N', '*ALL', 'M'),
  ('SELECTLIST', 'WHERE', 3, 1, 'P', 'S', 'X', 500, 1, 114, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF_STATUS', 'IS', 1, 1, 'P', 'R', 'A', 20, 10, 4, 0, 'Y', '*OKAY', 'M'),
  ('IF_STATUS', 'IS_NOT', 2, 1, 'P', 'R', 'A', 20, 10, 208, 204, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CASE', 'OF_FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('WHEN', 'VALUE_IS', 1, 1, 'P', 'R', 'X', 50, 20, 4, 0, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EXCHANGE', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 200, 4, 0, 'Y', ' ', 'M'),
  ('EXCHANGE', 'OPTION', 2, 1, 'P', 'S', 'C', 1, 1, 2004, -1, 'N', '*NONE', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SUBSTRING', 'FIELD', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('SUBSTRING', 'FIELD', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', ' ', 'M'),
  ('SUBSTRING', 'FIELD', 1, 3, 'P', 'S', 'A', 10, 1, 20, -1, 'Y', ' ', 'M'),
  ('SUBSTRING', 'INTO_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 30, -1, 'Y', ' ', 'M'),
  ('SUBSTRING', 'INTO_FIELD', 2, 2, 'P', 'S', 'A', 10, 1, 40, -1, 'Y', ' ', 'M'),
  ('SUBSTRING', 'INTO_FIELD', 2, 3, 'P', 'S', 'A', 10, 1, 50, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EXEC_CPF', 'COMMAND', 1, 1, 'P', 'S', 'T', 250, 1, 0, -1, 'Y', ' ', 'M'),
  ('EXEC_CPF', 'IF_ERROR', 2, 1, 'P', 'S', 'A', 10, 1, 250, -1, 'N', '*ABORT', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('BEGIN_LOOP', 'USING', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*INTERNAL', 'M'),
  ('BEGIN_LOOP', 'FROM', 2, 1, 'P', 'S', 'A', 20, 1, 10, -1, 'N', '1', 'M'),
  ('BEGIN_LOOP', 'TO', 3, 1, 'P', 'S', 'A', 20, 1, 30, -1, 'N', '9999999', 'M'),
  ('BEGIN_LOOP', 'STEP', 4, 1, 'P', 'S', 'A', 20, 1, 50, -1, 'N', '1', 'M'),
  ('BEGIN_LOOP', '@STEPVALUE', 5, 1, 'P', 'S', 'N', 4, 1, 70, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('COMMIT', '@FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('ROLLBACK', '@FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SUBROUTINE', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('SUBROUTINE', 'PARMS', 2, 1, 'P', 'R', 'A', 10, 50, 14, 10, 'Y', ' ', 'M'),
  ('SUBROUTINE', 'PARMS', 2, 2, 'P', 'R', 'A', 10, 50, 24, 10, 'Y', ' ', 'M'),
  ('SUBROUTINE', '@VALUE1', 3, 1, 'P', 'S', 'N', 4, 1, 1014, -1, 'N', ' ', 'M'),
  ('SUBROUTINE', '@VALUE2', 4, 1, 'P', 'S', 'N', 4, 1, 1018, -1, 'N', ' ', 'M'),
  ('SUBROUTINE', '@VALUE3', 5, 1, 'P', 'S', 'H', 2, 1, 1022, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EXECUTE', 'SUBROUTINE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('EXECUTE', 'WITH_PARMS', 2, 1, 'P', 'R', 'A', 50, 50, 14, 10, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_REPORT', 'REPORT_NUM', 1, 1, 'P', 'S', 'N', 4, 1, 0, -1, 'Y', '1', 'M'),
  ('DEF_REPORT', 'PRT_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 4, -1, 'N', 'QSYSPRT', 'M'),
  ('DEF_REPORT', 'PRT_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 14, -1, 'N', '*LIBL', 'M'),
  ('DEF_REPORT', 'NAME', 3, 1, 'P', 'S', 'A', 10, 1, 24, -1, 'N', ' ', 'M'),
  ('DEF_REPORT', 'FORMSIZE', 4, 1, 'P', 'S', 'N', 4, 1, 34, -1, 'N', '0', 'M'),
  ('DEF_REPORT', 'FORMSIZE', 4, 2, 'P', 'S', 'N', 4, 1, 38, -1, 'N', '0', 'M'),
  ('DEF_REPORT', 'OVERFLOW', 5, 1, 'P', 'S', 'N', 4, 1, 42, -1, 'N', '0', 'M'),
  ('DEF_REPORT', 'LAST_LINE', 6, 1, 'P', 'S', 'N', 4, 1, 46, -1, 'N', '0', 'M'),
  ('DEF_REPORT', 'OUTQ', 7, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', '*FILE', 'M'),
  ('DEF_REPORT', 'COPIES', 8, 1, 'P', 'S', 'A', 10, 1, 60, -1, 'N', '*FILE', 'M'),
  ('DEF_REPORT', 'FORMTYPE', 9, 1, 'P', 'S', 'A', 10, 1, 70, -1, 'N', '*FILE', 'M'),
  ('DEF_REPORT', 'OTHER_OVRD', 10, 1, 'P', 'S', 'T', 50, 1, 80, -1, 'N', '*NONE', 'M'),
  ('DEF_REPORT', 'RET_LENGTH', 11, 1, 'P', 'S', 'A', 10, 1, 130, -1, 'N', '*NONE', 'M'),
  ('DEF_REPORT', 'RET_WIDTH', 12, 1, 'P', 'S', 'A', 10, 1, 140, -1, 'N', '*NONE', 'M'),
  ('DEF_REPORT', 'RET_OVRFLW', 13, 1, 'P', 'S', 'A', 10, 1, 150, -1, 'N', '*NONE', 'M'),
  ('DEF_REPORT', 'RET_LINE', 14, 1, 'P', 'S', 'A', 10, 1, 160, -1, 'N', '*NONE', 'M'),
  ('DEF_REPORT', 'RET_PAGE', 15, 1, 'P', 'S', 'A', 10, 1, 170, -1, 'N', '*NONE', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_HEAD', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_HEAD', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('DEF_HEAD', 'REPORT_NUM', 3, 1, 'P', 'S', 'N', 4, 1, 1014, -1, 'N', '1', 'M'),
  ('DEF_HEAD', 'DESIGN', 4, 1, 'P', 'S', 'S', 10, 1, 1018, -1, 'N', '*ACROSS', 'M'),
  ('DEF_HEAD', 'IDENTIFY', 5, 1, 'P', 'S', 'S', 10, 1, 1028, -1, 'N', '*COLHDG', 'M'),
  ('DEF_HEAD', 'DOWN_SEP', 6, 1, 'P', 'S', 'N', 4, 1, 1038, -1, 'N', '1', 'M'),
  ('DEF_HEAD', 'ACROSS_SEP', 7, 1, 'P', 'S', 'N', 4, 1, 1042, -1, 'N', '1', 'M'),
  ('DEF_HEAD', 'SPACE_BEF', 8, 1, 'P', 'S', 'N', 4, 1, 1046, -1, 'N', '0', 'M'),
  ('DEF_HEAD', 'SPACE_AFT', 9, 1, 'P', 'S', 'N', 4, 1, 1050, -1, 'N', '0', 'M'),
  ('DEF_HEAD', 'PRINT_CTL', 10, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', '*NONE', 'M'),
  ('DEF_HEAD', '@GROUPNAME', 11, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', ' ', 'M'),
  ('DEF_HEAD', 'TEXTS', 12, 1, 'P', 'C', 'T', 20, 50, 1074, -1, 'N', ' ', 'M'),
  ('DEF_HEAD', 'TEXTS', 12, 2, 'P', 'C', 'H', 2, 50, 2074, -1, 'N', ' ', 'M'),
  ('DEF_HEAD', 'TEXTS', 12, 3, 'P', 'C', 'H', 2, 50, 2174, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_FOOT', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_FOOT', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('DEF_FOOT', 'REPORT_NUM', 3, 1, 'P', 'S', 'N', 4, 1, 1014, -1, 'N', '1', 'M'),
  ('DEF_FOOT', 'DESIGN', 4, 1, 'P', 'S', 'S', 10, 1, 1018, -1, 'N', '*ACROSS', 'M'),
  ('DEF_FOOT', 'IDENTIFY', 5, 1, 'P', 'S', 'S', 10, 1, 1028, -1, 'N', '*COLHDG', 'M'),
  ('DEF_FOOT', 'DOWN_SEP', 6, 1, 'P', 'S', 'N', 4, 1, 1038, -1, 'N', '1', 'M'),
  ('DEF_FOOT', 'ACROSS_SEP', 7, 1, 'P', 'S', 'N', 4, 1, 1042, -1, 'N', '1', 'M'),
  ('DEF_FOOT', 'SPACE_BEF', 8, 1, 'P', 'S', 'N', 4, 1, 1046, -1, 'N', '0', 'M'),
  ('DEF_FOOT', 'SPACE_AFT', 9, 1, 'P', 'S', 'N', 4, 1, 1050, -1, 'N', '0', 'M'),
  ('DEF_FOOT', 'PRINT_CTL', 10, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', '*NONE', 'M'),
  ('DEF_FOOT', '@GROUPNAME', 11, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', ' ', 'M'),
  ('DEF_FOOT', 'TEXTS', 12, 1, 'P', 'C', 'T', 20, 50, 1074, -1, 'N', ' ', 'M'),
  ('DEF_FOOT', 'TEXTS', 12, 2, 'P', 'C', 'H', 2, 50, 2074, -1, 'N', ' ', 'M'),
  ('DEF_FOOT', 'TEXTS', 12, 3, 'P', 'C', 'H', 2, 50, 2174, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_LINE', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_LINE', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('DEF_LINE', 'REPORT_NUM', 3, 1, 'P', 'S', 'N', 4, 1, 1014, -1, 'N', '1', 'M'),
  ('DEF_LINE', 'DESIGN', 4, 1, 'P', 'S', 'S', 10, 1, 1018, -1, 'N', '*ACROSS', 'M'),
  ('DEF_LINE', 'IDENTIFY', 5, 1, 'P', 'S', 'S', 10, 1, 1028, -1, 'N', '*COLHDG', 'M'),
  ('DEF_LINE', 'DOWN_SEP', 6, 1, 'P', 'S', 'N', 4, 1, 1038, -1, 'N', '1', 'M'),
  ('DEF_LINE', 'ACROSS_SEP', 7, 1, 'P', 'S', 'N', 4, 1, 1042, -1, 'N', '1', 'M'),
  ('DEF_LINE', 'SPACE_BEF', 8, 1, 'P', 'S', 'N', 4, 1, 1046, -1, 'N', '0', 'M'),
  ('DEF_LINE', 'SPACE_AFT', 9, 1, 'P', 'S', 'N', 4, 1, 1050, -1, 'N', '0', 'M'),
  ('DEF_LINE', 'PRINT_CTL', 10, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', '*NONE', 'M'),
  ('DEF_LINE', '@GROUPNAME', 11, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', ' ', 'M'),
  ('DEF_LINE', 'TEXTS', 12, 1, 'P', 'C', 'T', 20, 50, 1074, -1, 'N', ' ', 'M'),
  ('DEF_LINE', 'TEXTS', 12, 2, 'P', 'C', 'H', 2, 50, 2074, -1, 'N', ' ', 'M'),
  ('DEF_LINE', 'TEXTS', 12, 3, 'P', 'C', 'H', 2, 50, 2174, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_BREAK', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_BREAK', 'FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('DEF_BREAK', 'REPORT_NUM', 3, 1, 'P', 'S', 'N', 4, 1, 1014, -1, 'N', '1', 'M'),
  ('DEF_BREAK', 'DESIGN', 4, 1, 'P', 'S', 'S', 10, 1, 1018, -1, 'N', '*ACROSS', 'M'),
  ('DEF_BREAK', 'IDENTIFY', 5, 1, 'P', 'S', 'S', 10, 1, 1028, -1, 'N', '*COLHDG', 'M'),
  ('DEF_BREAK', 'DOWN_SEP', 6, 1, 'P', 'S', 'N', 4, 1, 1038, -1, 'N', '1', 'M'),
  ('DEF_BREAK', 'ACROSS_SEP', 7, 1, 'P', 'S', 'N', 4, 1, 1042, -1, 'N', '1', 'M'),
  ('DEF_BREAK', 'SPACE_BEF', 8, 1, 'P', 'S', 'N', 4, 1, 1046, -1, 'N', '0', 'M'),
  ('DEF_BREAK', 'SPACE_AFT', 9, 1, 'P', 'S', 'N', 4, 1, 1050, -1, 'N', '0', 'M'),
  ('DEF_BREAK', 'PRINT_CTL', 10, 1, 'P', 'S', 'A', 10, 1, 1054, -1, 'N', '*NONE', 'M'),
  ('DEF_BREAK', '@GROUPNAME', 11, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', ' ', 'M'),
  ('DEF_BREAK', 'TEXTS', 12, 1, 'P', 'C', 'T', 20, 50, 1074, -1, 'N', ' ', 'M'),
  ('DEF_BREAK', 'TEXTS', 12, 2, 'P', 'C', 'H', 2, 50, 2074, -1, 'N', ' ', 'M'),
  ('DEF_BREAK', 'TEXTS', 12, 3, 'P', 'C', 'H', 2, 50, 2174, -1, 'N', ' ', 'M'),
  ('DEF_BREAK', 'TRIGGER_BY', 13, 1, 'P', 'S', 'C', 1, 1, 2274, -1, 'N', '*TRAILING', 'M'),
  ('DEF_BREAK', 'TRIG_FLDS', 14, 1, 'P', 'R', 'A', 10, 20, 2279, 2275, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('PRINT', 'LINE', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', '*ALL', 'M'),
  ('PRINT', 'REPORT_NUM', 2, 1, 'P', 'S', 'N', 4, 1, 204, -1, 'N', '1', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('KEEP_TOTAL', 'OF_FIELD', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', ' ', 'M'),
  ('KEEP_TOTAL', 'IN_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 204, -1, 'Y', ' ', 'M'),
  ('KEEP_TOTAL', 'BY_FIELD', 3, 1, 'P', 'R', 'A', 10, 20, 218, 214, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('KEEP_COUNT', 'OF_FIELD', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', ' ', 'M'),
  ('KEEP_COUNT', 'IN_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 204, -1, 'Y', ' ', 'M'),
  ('KEEP_COUNT', 'BY_FIELD', 3, 1, 'P', 'R', 'A', 10, 20, 218, 214, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('KEEP_AVG', 'OF_FIELD', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', ' ', 'M'),
  ('KEEP_AVG', 'IN_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 204, -1, 'Y', ' ', 'M'),
  ('KEEP_AVG', 'BY_FIELD', 3, 1, 'P', 'R', 'A', 10, 20, 218, 214, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('KEEP_MAX', 'OF_FIELD', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', ' ', 'M'),
  ('KEEP_MAX', 'IN_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 204, -1, 'Y', ' ', 'M'),
  ('KEEP_MAX', 'BY_FIELD', 3, 1, 'P', 'R', 'A', 10, 20, 218, 214, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('KEEP_MIN', 'OF_FIELD', 1, 1, 'P', 'R', 'A', 10, 20, 4, 0, 'Y', ' ', 'M'),
  ('KEEP_MIN', 'IN_FIELD', 2, 1, 'P', 'S', 'A', 10, 1, 204, -1, 'Y', ' ', 'M'),
  ('KEEP_MIN', 'BY_FIELD', 3, 1, 'P', 'R', 'A', 10, 20, 218, 214, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SPACE', 'LINES', 1, 1, 'P', 'S', 'N', 4, 1, 0, -1, 'Y', '1', 'M'),
  ('SPACE', 'REPORT_NUM', 2, 1, 'P', 'S', 'N', 4, 1, 4, -1, 'N', '1', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SKIP', 'TO_LINE', 1, 1, 'P', 'S', 'N', 4, 1, 0, -1, 'Y', '1', 'M'),
  ('SKIP', 'REPORT_NUM', 2, 1, 'P', 'S', 'N', 4, 1, 4, -1, 'N', '1', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CLOSE', 'FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*ALL', 'M'),
  ('CLOSE', 'FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('CLOSE', 'IO_STATUS', 2, 1, 'P', 'S', 'A', 10, 1, 20, -1, 'N', '*STATUS', 'M'),
  ('CLOSE', 'IO_ERROR', 3, 1, 'P', 'S', 'A', 10, 1, 30, -1, 'N', '*ABORT', 'M'),
  ('CLOSE', '@PHYSFILE', 4, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', ' ', 'M'),
  ('CLOSE', '@PHYSLIB', 5, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', ' ', 'M'),
  ('CLOSE', '@FILECLASS', 6, 1, 'P', 'S', 'C', 1, 1, 60, -1, 'N', ' ', 'M'),
  ('CLOSE', '@FILEMARK', 7, 1, 'P', 'S', 'C', 1, 1, 61, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('GET_ENTRY', 'NUMBER', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('GET_ENTRY', 'FROM_LIST', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('GET_ENTRY', 'RET_STATUS', 3, 1, 'P', 'S', 'A', 10, 1, 20, -1, 'N', '*STATUS', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('LOC_ENTRY', 'IN_LIST', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('LOC_ENTRY', 'WHERE', 2, 1, 'P', 'S', 'X', 500, 1, 10, -1, 'N', ' ', 'M'),
  ('LOC_ENTRY', 'RET_NUMBER', 3, 1, 'P', 'S', 'A', 10, 1, 510, -1, 'N', '*NONE', 'M'),
  ('LOC_ENTRY', 'GET_ENTRY', 4, 1, 'P', 'S', 'A', 4, 1, 520, -1, 'N', '*YES', 'M'),
  ('LOC_ENTRY', 'RET_STATUS', 5, 1, 'P', 'S', 'A', 10, 1, 524, -1, 'N', '*STATUS', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SORT_LIST', 'NAMED', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('SORT_LIST', 'BY_FIELDS', 2, 1, 'P', 'R', 'A', 10, 100, 14, 10, 'Y', ' ', 'M'),
  ('SORT_LIST', 'BY_FIELDS', 2, 2, 'P', 'R', 'A', 12, 100, 24, 10, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('IF_KEY', 'WAS', 1, 1, 'P', 'R', 'A', 20, 10, 4, 0, 'Y', '*ENTER', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('BROWSE', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('BROWSE', 'FROM_FILE', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'Y', '*FIRST', 'M'),
  ('BROWSE', 'FROM_FILE', 2, 2, 'P', 'S', 'A', 10, 1, 1014, -1, 'Y', '*FIRST', 'M'),
  ('BROWSE', 'WHERE', 3, 1, 'P', 'S', 'X', 500, 1, 1024, -1, 'N', ' ', 'M'),
  ('BROWSE', 'WITH_KEY', 4, 1, 'P', 'R', 'A', 20, 20, 1528, 1524, 'N', ' ', 'M'),
  ('BROWSE', '@KEYCODES', 5, 1, 'P', 'R', 'A', 2, 20, 1932, 1928, 'N', ' ', 'M'),
  ('BROWSE', 'NBR_KEYS', 6, 1, 'P', 'S', 'A', 10, 1, 1972, -1, 'N', '*WITHKEY', 'M'),
  ('BROWSE', 'IO_STATUS', 7, 1, 'P', 'S', 'A', 10, 1, 1982, -1, 'N', '*STATUS', 'M'),
  ('BROWSE', 'IO_ERROR', 8, 1, 'P', 'S', 'A', 10, 1, 1992, -1, 'N', '*ABORT', 'M'),
  ('BROWSE', 'VAL_ERROR', 9, 1, 'P', 'S', 'A', 10, 1, 2002, -1, 'N', '*LASTDIS', 'M'),
  ('BROWSE', 'END_FILE', 10, 1, 'P', 'S', 'A', 10, 1, 2012, -1, 'N', '*NEXT', 'M'),
  ('BROWSE', 'EXIT_KEY', 11, 1, 'P', 'S', 'A', 10, 1, 2022, -1, 'N', '*EXIT', 'M'),
  ('BROWSE', 'MENU_KEY', 12, 1, 'P', 'S', 'A', 10, 1, 2032, -1, 'N', '*MENU', 'M'),
  ('BROWSE', 'RETURN_RRN', 13, 1, 'P', 'S', 'A', 10, 1, 2042, -1, 'N', '*NONE', 'M'),
  ('BROWSE', 'ISSUE_MSG', 14, 1, 'P', 'S', 'A', 4, 1, 2052, -1, 'N', '*NO', 'M'),
  ('BROWSE', '@PHYSFILE', 15, 1, 'P', 'S', 'A', 10, 1, 2056, -1, 'N', ' ', 'M'),
  ('BROWSE', '@PHYSLIB', 16, 1, 'P', 'S', 'A', 10, 1, 2066, -1, 'N', ' ', 'M'),
  ('BROWSE', '@FILECLASS', 17, 1, 'P', 'S', 'C', 1, 1, 2076, -1, 'N', ' ', 'M'),
  ('BROWSE', '@FILEMARK', 18, 1, 'P', 'S', 'C', 1, 1, 2077, -1, 'N', ' ', 'M'),
  ('BROWSE', '@GROUPNAME', 19, 1, 'P', 'S', 'A', 10, 1, 2078, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SUBMIT', 'PROCESS', 1, 1, 'P', 'S', 'A', 20, 1, 0, -1, 'Y', '*NONE', 'M'),
  ('SUBMIT', 'FUNCTION', 2, 1, 'P', 'S', 'A', 20, 1, 20, -1, 'Y', '*FIRST', 'M'),
  ('SUBMIT', 'PGM', 3, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', '*NONE', 'M'),
  ('SUBMIT', 'PGM_LIB', 4, 1, 'P', 'S', 'A', 10, 1, 50, -1, 'N', '*LIBL', 'M'),
  ('SUBMIT', 'PARMS', 5, 1, 'P', 'R', 'A', 20, 50, 64, 60, 'N', ' ', 'M'),
  ('SUBMIT', 'JOB', 6, 1, 'P', 'S', 'A', 10, 1, 1064, -1, 'N', '*PGMPRO', 'M'),
  ('SUBMIT', 'JOBD', 7, 1, 'P', 'S', 'A', 10, 1, 1074, -1, 'N', '*USRPRF', 'M'),
  ('SUBMIT', 'JOBD', 7, 2, 'P', 'S', 'A', 10, 1, 1084, -1, 'N', '*LIBL', 'M'),
  ('SUBMIT', 'JOBQ', 8, 1, 'P', 'S', 'A', 10, 1, 1094, -1, 'N', '*JOBD', 'M'),
  ('SUBMIT', 'JOBQ', 8, 2, 'P', 'S', 'A', 10, 1, 1104, -1, 'N', '*LIBL', 'M'),
  ('SUBMIT', 'OUTQ', 9, 1, 'P', 'S', 'A', 10, 1, 1114, -1, 'N', '*JOBD', 'M'),
  ('SUBMIT', 'OUTQ', 9, 2, 'P', 'S', 'A', 10, 1, 1124, -1, 'N', '*LIBL', 'M'),
  ('SUBMIT', 'EXCHANGE', 10, 1, 'P', 'R', 'A', 10, 200, 1138, 1134, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('USE', 'BUILTIN', 1, 1, 'P', 'S', 'A', 20, 1, 0, -1, 'Y', ' ', 'M'),
  ('USE', 'WITH_ARGS', 2, 1, 'P', 'R', 'A', 50, 50, 24, 20, 'Y', ' ', 'M'),
  ('USE', 'TO_GET', 3, 1, 'P', 'R', 'A', 20, 50, 2528, 2524, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('POINT', 'FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*FIRST', 'M'),
  ('POINT', 'FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('POINT', 'TO_FILE', 2, 1, 'P', 'S', 'A', 20, 1, 20, -1, 'N', '*SAME', 'M'),
  ('POINT', 'TO_LIBRARY', 3, 1, 'P', 'S', 'A', 20, 1, 40, -1, 'N', '*LIBL', 'M'),
  ('POINT', 'TO_MEMBER', 4, 1, 'P', 'S', 'A', 20, 1, 60, -1, 'N', '*FIRST', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('OPEN', 'FILE', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*ALL', 'M'),
  ('OPEN', 'FILE', 1, 2, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M'),
  ('OPEN', 'USE_OPTION', 2, 1, 'P', 'S', 'A', 10, 1, 20, -1, 'N', '*ONDEMAND', 'M'),
  ('OPEN', 'IO_STATUS', 3, 1, 'P', 'S', 'A', 10, 1, 30, -1, 'N', '*STATUS', 'M'),
  ('OPEN', 'IO_ERROR', 4, 1, 'P', 'S', 'A', 10, 1, 40, -1, 'N', '*ABORT', 'M'),
  ('OPEN', 'QRYSLT', 5, 1, 'P', 'S', 'A', 50, 1, 50, -1, 'N', '*ALL', 'M'),
  ('OPEN', 'KEYFLD', 6, 1, 'P', 'S', 'A', 10, 1, 100, -1, 'N', '*NONE', 'M'),
  ('OPEN', 'ALWCPYDTA', 7, 1, 'P', 'S', 'A', 4, 1, 110, -1, 'N', '*YES', 'M'),
  ('OPEN', 'OPTIMIZE', 8, 1, 'P', 'S', 'A', 8, 1, 114, -1, 'N', '*ALLIO', 'M'),
  ('OPEN', 'SEQONLY', 9, 1, 'P', 'S', 'A', 4, 1, 122, -1, 'N', '*NO', 'M'),
  ('OPEN', 'SEQONLY', 9, 2, 'P', 'S', 'N', 4, 1, 126, -1, 'N', '0', 'M'),
  ('OPEN', 'COMMIT', 10, 1, 'P', 'S', 'A', 4, 1, 130, -1, 'N', '*NO', 'M'),
  ('OPEN', 'OPEN_TYPE', 11, 1, 'P', 'S', 'A', 8, 1, 134, -1, 'N', '*NORMAL', 'M'),
  ('OPEN', '@OPENCODE', 12, 1, 'P', 'S', 'A', 3, 1, 142, -1, 'N', ' ', 'M'),
  ('OPEN', '@PHYSFILE', 13, 1, 'P', 'S', 'A', 10, 1, 145, -1, 'N', ' ', 'M'),
  ('OPEN', '@PHYSLIB', 14, 1, 'P', 'S', 'A', 10, 1, 155, -1, 'N', ' ', 'M'),
  ('OPEN', '@FILECLASS', 15, 1, 'P', 'S', 'C', 1, 1, 165, -1, 'N', ' ', 'M'),
  ('OPEN', '@FILEMARK', 16, 1, 'P', 'S', 'C', 1, 1, 166, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EXEC_OS400', 'CPFCMD', 1, 1, 'P', 'S', 'T', 250, 1, 0, -1, 'Y', ' ', 'M'),
  ('EXEC_OS400', 'IF_ERROR', 2, 1, 'P', 'S', 'A', 10, 1, 250, -1, 'N', '*ABORT', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('POP_UP', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('POP_UP', 'PANEL_ID', 2, 1, 'P', 'S', 'A', 10, 1, 1004, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'PANEL_TITL', 3, 1, 'P', 'S', 'T', 40, 1, 1014, -1, 'N', '*FUNCTION', 'M'),
  ('POP_UP', '@GROUPNAME', 4, 1, 'P', 'S', 'A', 10, 1, 1061, -1, 'N', ' ', 'M'),
  ('POP_UP', 'BROWSELIST', 5, 1, 'P', 'S', 'A', 10, 1, 2228, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'BROWSELIST', 5, 2, 'P', 'S', 'N', 4, 1, 1072, -1, 'N', '0', 'M'),
  ('POP_UP', 'EXIT_KEY', 6, 1, 'P', 'S', 'A', 10, 1, 1096, -1, 'N', '*YES', 'M'),
  ('POP_UP', 'EXIT_KEY', 6, 2, 'P', 'S', 'A', 10, 1, 1166, -1, 'N', '*EXIT', 'M'),
  ('POP_UP', 'EXIT_KEY', 6, 3, 'P', 'S', 'A', 10, 1, 1176, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'EXIT_KEY', 6, 4, 'P', 'S', 'A', 5, 1, 1699, -1, 'N', '*HIGH', 'M'),
  ('POP_UP', '@EXITVAL', 7, 1, 'P', 'S', 'N', 4, 1, 1106, -1, 'N', ' ', 'M'),
  ('POP_UP', 'MENU_KEY', 8, 1, 'P', 'S', 'A', 10, 1, 1110, -1, 'N', '*YES', 'M'),
  ('POP_UP', 'MENU_KEY', 8, 2, 'P', 'S', 'A', 10, 1, 1186, -1, 'N', '*MENU', 'M'),
  ('POP_UP', 'MENU_KEY', 8, 3, 'P', 'S', 'A', 10, 1, 1196, -1, 'N', '*NONE', 'M'),
  ('POP_UP', '@MENUVAL', 9, 1, 'P', 'S', 'N', 4, 1, 1120, -1, 'N', ' ', 'M'),
  ('POP_UP', 'ADD_KEY', 10, 1, 'P', 'S', 'A', 10, 1, 1124, -1, 'N', '*NO', 'M'),
  ('POP_UP', 'ADD_KEY', 10, 2, 'P', 'S', 'A', 10, 1, 1206, -1, 'N', '*NEXT', 'M'),
  ('POP_UP', 'ADD_KEY', 10, 3, 'P', 'S', 'A', 10, 1, 1216, -1, 'N', '*NONE', 'M'),
  ('POP_UP', '@ADDVAL', 11, 1, 'P', 'S', 'N', 4, 1, 1134, -1, 'N', ' ', 'M'),
  ('POP_UP', 'CHANGE_KEY', 12, 1, 'P', 'S', 'A', 10, 1, 1138, -1, 'N', '*NO', 'M'),
  ('POP_UP', 'CHANGE_KEY', 12, 2, 'P', 'S', 'A', 10, 1, 1226, -1, 'N', '*NEXT', 'M'),
  ('POP_UP', 'CHANGE_KEY', 12, 3, 'P', 'S', 'A', 10, 1, 1236, -1, 'N', '*NONE', 'M'),
  ('POP_UP', '@CHGVAL', 13, 1, 'P', 'S', 'N', 4, 1, 1148, -1, 'N', ' ', 'M'),
  ('POP_UP', 'DELETE_KEY', 14, 1, 'P', 'S', 'A', 10, 1, 1152, -1, 'N', '*NO', 'M'),
  ('POP_UP', 'DELETE_KEY', 14, 2, 'P', 'S', 'A', 10, 1, 1246, -1, 'N', '*NEXT', 'M'),
  ('POP_UP', 'DELETE_KEY', 14, 3, 'P', 'S', 'A', 10, 1, 1256, -1, 'N', '*NONE', 'M'),
  ('POP_UP', '@DLTVAL', 15, 1, 'P', 'S', 'N', 4, 1, 1162, -1, 'N', ' ', 'M'),
  ('POP_UP', 'PROMPT_KEY', 16, 1, 'P', 'S', 'A', 10, 1, 1770, -1, 'N', '*DFT', 'M'),
  ('POP_UP', 'PROMPT_KEY', 16, 2, 'P', 'S', 'A', 10, 1, 1266, -1, 'N', '*AUTO', 'M'),
  ('POP_UP', 'PROMPT_KEY', 16, 3, 'P', 'S', 'A', 10, 1, 1276, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'CURSOR_LOC', 17, 1, 'P', 'S', 'A', 10, 1, 1286, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'CURSOR_LOC', 17, 2, 'P', 'S', 'A', 10, 1, 1296, -1, 'N', '*NONE', 'M'),
  ('POP_UP', 'USER_KEYS', 18, 1, 'P', 'C', 'H', 2, 5, 1560, -1, 'N', ' ', 'M'),
  ('POP_UP', 'USER_KEYS', 18, 2, 'P', 'C', 'T', 8, 5, 1580, -1, 'N', ' ', 'M'),
  ('POP_UP', 'USER_KEYS', 18, 3, 'P', 'C', 'A', 10, 5, 1306, -1, 'N', ' ', 'M'),
  ('POP_UP', 'USER_KEYS', 18, 4, 'P', 'C', 'A', 10, 5, 1356, -1, 'N', ' ', 'M'),
  ('POP_UP', 'OPTIONS', 19, 1, 'P', 'R', 'A', 8, 10, 1912, 1908, 'N', ' ', 'M'),
  ('POP_UP', 'DESIGN', 20, 1, 'P', 'S', 'S', 10, 1, 2238, -1, 'N', '*ACROSS', 'M'),
  ('POP_UP', 'IDENTIFY', 21, 1, 'P', 'S', 'S', 10, 1, 2248, -1, 'N', '*COLHDG', 'M'),
  ('POP_UP', 'DOWN_SEP', 22, 1, 'P', 'S', 'N', 4, 1, 2258, -1, 'N', '1', 'M'),
  ('POP_UP', 'ACROSS_SEP', 23, 1, 'P', 'S', 'N', 4, 1, 2262, -1, 'N', '1', 'M'),
  ('POP_UP', 'LINE_22', 24, 1, 'P', 'S', 'A', 10, 1, 2408, -1, 'N', '*NO', 'M'),
  ('POP_UP', 'STD_HEAD', 25, 1, 'P', 'S', 'C', 1, 1, 2543, -1, 'N', '*X', 'M'),
  ('POP_UP', 'TEXTS', 26, 1, 'P', 'C', 'T', 20, 50, 3740, -1, 'N', ' ', 'M'),
  ('POP_UP', 'TEXTS', 26, 2, 'P', 'C', 'H', 2, 50, 4740, -1, 'N', ' ', 'M'),
  ('POP_UP', 'TEXTS', 26, 3, 'P', 'C', 'H', 2, 50, 4840, -1, 'N', ' ', 'M'),
  ('POP_UP', 'AT_LOC', 27, 1, 'P', 'S', 'N', 4, 1, 2266, -1, 'N', '1', 'M'),
  ('POP_UP', 'AT_LOC', 27, 2, 'P', 'S', 'N', 4, 1, 2270, -1, 'N', '1', 'M'),
  ('POP_UP', 'DIMENSIONS', 28, 1, 'P', 'S', 'N', 4, 1, 2274, -1, 'N', '40', 'M'),
  ('POP_UP', 'DIMENSIONS', 28, 2, 'P', 'S', 'N', 4, 1, 2278, -1, 'N', '10', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_COND', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_COND', 'COND', 2, 1, 'P', 'S', 'X', 1000, 1, 10, -1, 'Y', ' ', 'M'),
  ('DEF_COND', 'AVAL_DFTC', 3, 1, 'P', 'S', 'A', 4, 1, 1010, -1, 'N', '*YES', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('FUNCTION', 'OPTIONS', 1, 1, 'P', 'F', 'A', 20, 26, 4, 0, 'Y', ' ', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 1, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NOMESSAGES', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 2, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DEFERWRITE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 3, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*HEAVYUSAGE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 4, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*LIGHTUSAGE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 5, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DBOPTIMISE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 6, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DBOPTIMIZE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 7, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*PGMCOMMIT', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 8, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DIRECT', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 9, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NOIGCCNV', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 10, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NO_RLTB_MIRROR', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 11, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*CLOSE_DISPLAY', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 12, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DBOPTIMISE_BATCH', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 13, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*DBOPTIMIZE_BATCH', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 14, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NOPGMCOMMIT', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 15, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*MLOPTIMISE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 16, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*MLOPTIMIZE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 17, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*ALP_SYSTEM_VARIABLE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 18, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NUM_SYSTEM_VARIABLE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 19, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*ALP_FIELD_VALIDATE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 20, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*NUM_FIELD_VALIDATE', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 21, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*MINI_SCREEN', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 22, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*OS400_EXT_PRINT', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 23, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*WEBEVENT', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 24, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*BUILTIN', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 25, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*QUINTARO_EDITION', 'M'),
  ('FUNCTION', 'OPTIONS', 1, 26, 'V', 'F', 'A', 20, 26, 4, 0, 'Y', '*STRICT_NULL_ASSIGN', 'M'),
  ('FUNCTION', 'TRIGGER', 2, 1, 'P', 'S', 'A', 10, 1, 550, -1, 'N', '*NONE', 'M'),
  ('FUNCTION', 'TRIGGER', 2, 2, 'P', 'S', 'A', 10, 1, 560, -1, 'N', ' ', 'M'),
  ('FUNCTION', 'TRIGGER', 2, 3, 'P', 'S', 'A', 10, 1, 570, -1, 'N', ' ', 'M'),
  ('FUNCTION', 'RCV_DS', 3, 1, 'P', 'S', 'A', 10, 1, 580, -1, 'N', '*NONE', 'M'),
  ('FUNCTION', '@TRIGFLAG', 4, 1, 'P', 'S', 'C', 1, 1, 590, -1, 'N', ' ', 'M'),
  ('FUNCTION', '@TRIGRET', 5, 1, 'P', 'S', 'C', 1, 1, 591, -1, 'N', ' ', 'M'),
  ('FUNCTION', '@TRIGRET', 5, 2, 'P', 'S', 'C', 1, 1, 592, -1, 'N', ' ', 'M'),
  ('FUNCTION', '@DSEXCHG', 6, 1, 'P', 'S', 'C', 1, 1, 593, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DEF_ARRAY', 'NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', ' ', 'M'),
  ('DEF_ARRAY', '@ELEMLEN', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', ' ', 'M'),
  ('DEF_ARRAY', 'INDEXES', 3, 1, 'P', 'R', 'A', 10, 10, 18, 14, 'Y', ' ', 'M'),
  ('DEF_ARRAY', 'OVERLAYING', 4, 1, 'P', 'S', 'A', 10, 1, 118, -1, 'N', '*NONE', 'M'),
  ('DEF_ARRAY', 'OVERLAYING', 4, 2, 'P', 'S', 'N', 4, 1, 128, -1, 'N', '1', 'M'),
  ('DEF_ARRAY', 'ENTRYS', 5, 1, 'P', 'S', 'N', 4, 1, 132, -1, 'N', '1', 'M'),
  ('DEF_ARRAY', 'OF_FIELDS', 6, 1, 'P', 'R', 'A', 10, 100, 140, 136, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('SELECT_SQL', 'FIELDS', 1, 1, 'P', 'R', 'A', 10, 100, 4, 0, 'Y', ' ', 'M'),
  ('SELECT_SQL', 'FROM_FILES', 2, 1, 'P', 'R', 'A', 10, 10, 1008, 1004, 'Y', ' ', 'M'),
  ('SELECT_SQL', 'FROM_FILES', 2, 2, 'P', 'R', 'A', 3, 10, 1018, 1004, 'Y', ' ', 'M'),
  ('SELECT_SQL', '@FILESLOTS', 3, 1, 'P', 'R', 'A', 10, 10, 1142, 1138, 'N', ' ', 'M'),
  ('SELECT_SQL', '@FILESLOTS', 3, 2, 'P', 'R', 'A', 10, 10, 1152, 1138, 'N', ' ', 'M'),
  ('SELECT_SQL', '@FILESLOTS', 3, 3, 'P', 'R', 'C', 1, 10, 1162, 1138, 'N', ' ', 'M'),
  ('SELECT_SQL', '@FILESLOTS', 3, 4, 'P', 'R', 'C', 1, 10, 1163, 1138, 'N', ' ', 'M'),
  ('SELECT_SQL', '@CLASS', 4, 1, 'P', 'S', 'C', 1, 1, 1362, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'WHERE', 5, 1, 'P', 'S', 'X', 1000, 1, 1363, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'GROUP_BY', 6, 1, 'P', 'S', 'T', 250, 1, 2363, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'HAVING', 7, 1, 'P', 'S', 'X', 1000, 1, 2613, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'ORDER_BY', 8, 1, 'P', 'S', 'T', 250, 1, 3613, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'DISTINCT', 9, 1, 'P', 'S', 'A', 4, 1, 3863, -1, 'N', '*NO', 'M'),
  ('SELECT_SQL', 'IO_STATUS', 10, 1, 'P', 'S', 'A', 10, 1, 3867, -1, 'N', '*STATUS', 'M'),
  ('SELECT_SQL', 'IO_ERROR', 11, 1, 'P', 'S', 'A', 10, 1, 3877, -1, 'N', '*ABORT', 'M'),
  ('SELECT_SQL', '@WHOLE', 12, 1, 'P', 'S', 'C', 1, 1, 3887, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'USING', 13, 1, 'P', 'S', 'T', 1000, 1, 3888, -1, 'N', ' ', 'M'),
  ('SELECT_SQL', 'CONNECT', 14, 1, 'P', 'S', 'C', 1, 1, 4888, -1, 'N', '*NO', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('CONTINUE', 'COND', 1, 1, 'P', 'S', 'X', 1000, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('LEAVE', 'COND', 1, 1, 'P', 'S', 'X', 1000, 1, 0, -1, 'Y', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('DLT_ENTRY', 'NUMBER', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*CURRENT', 'M'),
  ('DLT_ENTRY', 'FROM_LIST', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', '*FIRST', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('PTYROUTINE', '@NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M'),
  ('PTYROUTINE', '@PARMCOUNT', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('EVTROUTINE', '@NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M'),
  ('EVTROUTINE', '@PARMCOUNT', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('MTHROUTINE', '@NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M'),
  ('MTHROUTINE', '@PARMCOUNT', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('WEBROUTINE', '@NAME', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'N', ' ', 'M'),
  ('WEBROUTINE', '@PARMCOUNT', 2, 1, 'P', 'S', 'N', 4, 1, 10, -1, 'N', ' ', 'M');
INSERT INTO QV_F98 (X98CMD, X98PRM, X98SEQ, X98ELM, X98TYP, X98LAY, X98KND, X98LEN, X98ENT, X98OFS, X98CNT, X98POS, X98KWD, X98ROC) VALUES
  ('INCLUDE', 'PROCESS', 1, 1, 'P', 'S', 'A', 10, 1, 0, -1, 'Y', '*DIRECT', 'M'),
  ('INCLUDE', 'FUNCTION', 2, 1, 'P', 'S', 'A', 10, 1, 10, -1, 'Y', ' ', 'M');
INSERT INTO QV_F97 (X97CMD, X97ALS, X97PRM) VALUES
  ('LOC_ENTRY', 'RET_NUMB', 'RET_NUMBER');
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'DCM0301', 'ENG', 'F', '10,10', 'Command &1 has no parameter &2.'),
  ('DC@F23', 'DCM0302', 'ENG', 'F', '10,10', 'Parameter &2 of command &1 is given more than once.'),
  ('DC@F23', 'DCM0303', 'ENG', 'F', '10,20', 'Command &1 takes no further value by position; value &2 cannot be placed.'),
  ('DC@F23', 'DCM0304', 'ENG', 'F', '10,8,20', 'Value &3 of parameter &1 is longer than its &2 characters or digits.'),
  ('DC@F23', 'DCM0305', 'ENG', 'F', '10,8', 'Parameter &1 takes at most &2 entries.'),
  ('DC@F23', 'DCM0306', 'ENG', 'F', '10,8', 'The literal beginning at column &2 of command &1 is not closed.'),
  ('DC@F23', 'DCM0307', 'ENG', 'F', '10,8', 'The bracket opened at column &2 of command &1 is not closed.'),
  ('DC@F23', 'DCM0308', 'ENG', 'F', '10,8', 'The bracket at column &2 of command &1 closes nothing.'),
  ('DC@F23', 'DCM0309', 'ENG', 'F', '10,20', 'Value &2 of parameter &1 is not a whole number.'),
  ('DC@F23', 'DCM0310', 'ENG', 'F', '10,20', 'Value &2 is not allowed for parameter &1.'),
  ('DC@F23', 'DCM0311', 'ENG', 'F', '10,8', 'Parameter &1 takes at most &2 values per entry.'),
  ('DC@F23', 'DCM0504', 'ENG', 'F', '10,1', 'Edit code &2 of field &1 is not known.'),
  ('DC@F23', 'DCM0505', 'ENG', 'F', '10', 'Field &1 has both an edit code and an edit word; give one of them.'),
  ('DC@F23', 'DCM0601', 'ENG', 'F', '4', 'Attribute code &1 is not known.'),
  ('DC@F23', 'DCM0602', 'ENG', 'F', '4', 'Attribute code &1 is given more than once.'),
  ('DC@F23', 'DCM0603', 'ENG', 'F', '4', 'Attribute code &1 cannot be used with the type of this field.'),
  ('DC@F23', 'DCM0401', 'ENG', 'F', '20', 'Field &1 is not defined in the function or the dictionary.'),
  ('DC@F23', 'DCM0402', 'ENG', 'F', '20,1,1', 'Operand &1 is of type class &3 where type class &2 is expected.'),
  ('DC@F23', 'DCM0403', 'ENG', 'F', '20,8,8', 'Operand &1 is &3 long; at most &2 is allowed here.'),
  ('DC@F23', 'DCM0404', 'ENG', 'F', '20,8,8', 'Operand &1 has &3 decimal positions; at most &2 are allowed here.'),
  ('DC@F23', 'DCM0405', 'ENG', 'F', '20', 'Literal &1 is not correctly formed.'),
  ('DC@F23', 'DCM0406', 'ENG', 'F', '20', 'System variable &1 is not known.'),
  ('DC@F23', 'DCM0407', 'ENG', 'F', '20', 'Multilingual variable &1 is not defined in the partition.'),
  ('DC@F23', 'DCM0408', 'ENG', 'F', '20', 'Component property &1 is not known.'),
  ('DC@F23', 'DCM0409', 'ENG', 'F', '', 'An operand is required here.'),
  ('DC@F23', 'DCM0410', 'ENG', 'F', '20,2', 'Operand &1 (kind &2) cannot be used here.'),
  ('DC@F23', 'DCM0451', 'ENG', 'F', '8', 'The bracket opened at position &1 of the expression is not closed.'),
  ('DC@F23', 'DCM0452', 'ENG', 'F', '8', 'The bracket at position &1 of the expression closes nothing.'),
  ('DC@F23', 'DCM0453', 'ENG', 'F', '10,8', 'Operator &1 at position &2 of the expression is not known.'),
  ('DC@F23', 'DCM0454', 'ENG', 'F', '10,8', 'Operator &1 at position &2 of the expression has no operand.'),
  ('DC@F23', 'DCM0455', 'ENG', 'F', '20,8', 'Operand &1 at position &2 of the expression follows an operand without an operator.'),
  ('DC@F23', 'DCM0456', 'ENG', 'F', '20,20', 'Operands &1 and &2 cannot be compared or combined: their types differ.'),
  ('DC@F23', 'DCM0457', 'ENG', 'F', '20', 'Operand &1 is alphanumeric and cannot take part in arithmetic.'),
  ('DC@F23', 'DCM0458', 'ENG', 'F', '8', 'Division by zero at position &1 of the expression.'),
  ('DC@F23', 'DCM0459', 'ENG', 'F', '1,1', 'The expression gives a result of class &2 where class &1 is expected.'),
  ('DC@F23', 'DCM0460', 'ENG', 'F', '', 'The expression or condition is empty.'),
  ('DC@F23', 'DCM0461', 'ENG', 'F', '8', 'The literal at position &1 of the expression is not closed.'),
  ('DC@F23', 'DCM0462', 'ENG', 'F', '8', 'The expression has more than &1 tokens or operands.');
