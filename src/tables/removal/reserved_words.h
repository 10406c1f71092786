// SQL reserved words that a generated object name must not equal (ascending,
// at most ten characters: longer names are cut to ten before the comparison).
#pragma once

#include <string_view>

#include "platform/qvutil/word_list.h"

using OBJDEL_RESERVED_WORD = qvutil::Word<10>;

inline constexpr OBJDEL_RESERVED_WORD OBJDEL_RESERVED_WORDS[] = {
    "ABSOLUTE",   "ACCESS",     "ACQUIRE",    "ACTION",     "ADA",        "ADD",        "ADDRESS",    "AFTER",
    "AGGREGATE",  "AHEAD",      "ALIAS",      "ALL",        "ALLOCATE",   "ALTER",      "ANALYZE",    "AND",
    "ANY",        "APPEND",     "ARE",        "ARRAY",      "ARRAYLEN",   "AS",         "ASC",        "ASCII",
    "ASENSITIVE", "ASSERTION",  "ASYMKEY_ID", "ASYMMETRIC", "AT",         "ATOMIC",     "AUDIT",      "AVERAGE",
    "AVG",        "BACKUP",     "BADFILE",    "BDDN",       "BEFORE",     "BEGIN",      "BEGINDATA",  "BETWEEN",
    "BINARY",     "BIND",       "BINDADD",    "BIT",        "BIT_LENGTH", "BLANKS",     "BLOB",       "BLOCK",
    "BLOCKSIZE",  "BOOLEAN",    "BOTH",       "BREADTH",    "BREAK",      "BROWSE",     "BUFFERPOOL", "BULK",
    "BY",         "C",          "CACHE",      "CALL",       "CALLED",     "CASCADE",    "CASCADED",   "CASE",
    "CAST",       "CATALOG",    "CERT_ID",    "CHAR",       "CHARACTER",  "CHARINDEX",  "CHECK",      "CHECKPOINT",
    "CHECKSUM",   "CLASS",      "CLOB",       "CLOSE",      "CLUSTER",    "CLUSTERED",  "COALESCE",   "COBOL",
    "COLLATE",    "COLLATION",  "COLLECT",    "COLUMN",     "COMMENT",    "COMMIT",     "COMMITTED",  "COMPLETION",
    "COMPRESS",   "COMPUTE",    "CONDITION",  "CONFIRM",    "CONNECT",    "CONNECTION", "CONSTANT",   "CONSTRAINT",
    "CONTAINS",   "CONTINUE",   "CONTINUEIF", "CONTROL",    "CONTROLROW", "CONVERT",    "CORR",       "COUNT",
    "COUNT_BIG",  "COVAR_POP",  "COVAR_SAMP", "CREATE",     "CREATETAB",  "CROSS",      "CUBE",       "CUME_DIST",
    "CURRENT",    "CURSOR",     "CYCLE",      "DATA",       "DATABASE",   "DATATYPE",   "DATE",       "DATEADD",
    "DATEDIFF",   "DATENAME",   "DATEPART",   "DATETIME",   "DAY",        "DAYS",       "DBA",        "DBADM",
    "DBCC",       "DBCS",       "DBSPACE",    "DEALLOCATE", "DEC",        "DECIMAL",    "DECLARE",    "DEFAULT",
    "DEFAULTIF",  "DEFERRABLE", "DEFERRED",   "DELETE",     "DELIMITED",  "DENY",       "DEPTH",      "DEREF",
    "DESC",       "DESCRIBE",   "DESCRIPTOR", "DESTROY",    "DICTIONARY", "DIFFERENCE", "DISCARDDN",  "DISCARDMAX",
    "DISCARDS",   "DISCONNECT", "DISK",       "DISTINCT",   "DO",         "DOMAIN",     "DOUBLE",     "DROP",
    "DUAL",       "DUMMY",      "DUMP",       "DURATION",   "DYNAMIC",    "EACH",       "EDITPROC",   "ELSE",
    "ELSEIF",     "ENCLOSED",   "ENCRYPTED",  "END",        "ENDIF",      "END_EXEC",   "ERASE",      "ERRLVL",
    "ERROREXIT",  "ESCAPE",     "ESCAPES",    "EVERY",      "EXCEPT",     "EXCEPTION",  "EXCLUSIVE",  "EXEC",
    "EXECUTE",    "EXEMPT",     "EXISTS",     "EXIT",       "EXPLAIN",    "EXTEND",     "EXTENDED",   "EXTERNAL",
    "EXTRACT",    "FALSE",      "FETCH",      "FIELDPROC",  "FIELDS",     "FILE",       "FILLFACTOR", "FIRST",
    "FIXED",      "FLOAT",      "FLOPPY",     "FOR",        "FOREIGN",    "FORMAT",     "FORTRAN",    "FOUND",
    "FRACTION",   "FREETEXT",   "FROM",       "FULL",       "FUNCTION",   "GENERATED",  "GET",        "GETDATE",
    "GETUTCDATE", "GLOBAL",     "GO",         "GOTO",       "GRANT",      "GRAPHIC",    "GROUP",      "GROUPING",
    "HAVING",     "HOLD",       "HOLDLOCK",   "HOUR",       "HOURS",      "IDENTIFIED", "IDENTITY",   "IF",
    "IMMEDIATE",  "IN",         "INCLUDE",    "INCREMENT",  "INDDN",      "INDEX",      "INDEXES",    "INDICATOR",
    "INFILE",     "INITIAL",    "INITIALLY",  "INNER",      "INOUT",      "INPUT",      "INSERT",     "INSTEAD",
    "INT",        "INTEGER",    "INTERSECT",  "INTERVAL",   "INTO",       "IS",         "ISDATE",     "ISNULL",
    "ISNUMERIC",  "ISOLATION",  "JOIN",       "KEY",        "KEY_GUID",   "KEY_ID",     "KEY_NAME",   "KILL",
    "LABEL",      "LABELS",     "LANGUAGE",   "LAST",       "LEADING",    "LEAVE",      "LEFT",       "LEN",
    "LENGTH",     "LEVEL",      "LIKE",       "LINENO",     "LIST",       "LOAD",       "LOCAL",      "LOCK",
    "LOCKSIZE",   "LOG",        "LONG",       "LOOP",       "LOWER",      "LTRIM",      "MATCH",      "MAX",
    "MAXEXTENTS", "MEMBERSHIP", "MERGE",      "MESSAGE",    "MIN",        "MINUS",      "MINUTE",     "MINUTES",
    "MIRROREXIT", "MIXED",      "MODE",       "MODIFY",     "MODULE",     "MONTH",      "MONTHS",     "N",
    "NAME",       "NAMED",      "NAMES",      "NATIONAL",   "NATURAL",    "NCHAR",      "NETWORK",    "NEW",
    "NEXT",       "NHEADER",    "NO",         "NOAUDIT",    "NOCHECK",    "NOCOMPRESS", "NOHOLDLOCK", "NONE",
    "NOT",        "NOTFOUND",   "NOWAIT",     "NULL",       "NULLCOLS",   "NULLIF",     "NUMBER",     "NUMERIC",
    "NUMPARTS",   "NVARCHAR",   "OF",         "OFF",        "OFFLINE",    "OFFSET",     "OFFSETS",    "OLD",
    "ON",         "ONCE",       "ONLINE",     "ONLY",       "OPEN",       "OPENQUERY",  "OPENROWSET", "OPENXML",
    "OPTIMIZER",  "OPTION",     "OPTIONALLY", "OPTIONS",    "OR",         "ORDER",      "OTHERS",     "OUT",
    "OUTER",      "OUTPUT",     "OVER",       "OVERLAPS",   "PACKAGE",    "PAD",        "PAGE",       "PAGES",
    "PARALLEL",   "PART",       "PARTIAL",    "PASCAL",     "PATINDEX",   "PCTFREE",    "PCTINDEX",   "PENDANT",
    "PERCENT",    "PERM",       "PERMANENT",  "PIECED",     "PIPE",       "PIVOT",      "PLAN",       "PLI",
    "POSITION",   "PRECISION",  "PREPARE",    "PRESERVE",   "PRIMARY",    "PRINT",      "PRIOR",      "PRIQTY",
    "PRIVATE",    "PRIVILEGES", "PROC",       "PROCEDURE",  "PROGRAM",    "PUBLIC",     "PUBLISH",    "PUBLISHER",
    "PURGE",      "PUT",        "QUOTENAME",  "QUOTES",     "RAISERROR",  "RAND",       "RAW",        "READ",
    "READTEXT",   "REAL",       "RECEIVED",   "RECLEN",     "RECNUM",     "RECOMPILE",  "RECORD",     "REFERENCE",
    "REFERENCES", "RELATIVE",   "RELEASE",    "REMOTE",     "RENAME",     "REOPEN",     "REPEATABLE", "REPLACE",
    "REPLICATE",  "RERECEIVE",  "RESEND",     "RESET",      "RESIGNAL",   "RESOLVE",    "RESOURCE",   "RESTORE",
    "RESTRICT",   "RESULT",     "RESUME",     "RETURN",     "RETURNS",    "REVERSE",    "REVERT",     "REVOKE",
    "RIGHT",      "ROLLBACK",   "ROUND",      "ROW",        "ROWCOUNT",   "ROWGUIDCOL", "ROWID",      "ROWLABEL",
    "ROWNUM",     "ROWS",       "RTRIM",      "RULE",       "RUN",        "SAVE",       "SAVEPOINT",  "SBCS",
    "SCHEDULE",   "SCHEMA",     "SCROLL",     "SECOND",     "SECONDS",    "SECQTY",     "SECTION",    "SELECT",
    "SEND",       "SENT",       "SEQUENCE",   "SESSION",    "SET",        "SETTING",    "SETUSER",    "SHARE",
    "SHUTDOWN",   "SIGNAL",     "SIGNBYCERT", "SIZE",       "SKIP",       "SMALLINT",   "SOME",       "SORTDEVT",
    "SORTED",     "SORTNUM",    "SOUNDEX",    "SPACE",      "SQL",        "SQLBUF",     "SQLCA",      "SQLCODE",
    "SQLERROR",   "SQLSTATE",   "SQLWARNING", "SQRT",       "SQUARE",     "START",      "STATEMENT",  "STATISTICS",
    "STDEV",      "STDEVP",     "STOGROUP",   "STOP",       "STORPOOL",   "STR",        "STREAM",     "STRIP",
    "STUFF",      "SUBSCRIBE",  "SUBSTR",     "SUBSTRING",  "SUBTRANS",   "SUCCESSFUL", "SUM",        "SYNONYM",
    "SYSDATE",    "SYSTEM",     "TABLE",      "TABLEGROUP", "TABLESPACE", "TAPE",       "TEMP",       "TEMPORARY",
    "TERMINATED", "TEST",       "TEXT",       "TEXTPTR",    "TEXTSIZE",   "TEXTVALID",  "THEN",       "THIS",
    "TIME",       "TIMESTAMP",  "TINYINT",    "TO",         "TOP",        "TRAILING",   "TRAN",       "TRANSLATE",
    "TRIGGER",    "TRIM",       "TRUE",       "TRUNCATE",   "TSEQUAL",    "TYPE",       "UID",        "UNICODE",
    "UNION",      "UNIQUE",     "UNITS",      "UNKNOWN",    "UNLOAD",     "UNLOCK",     "UNPIVOT",    "UNTIL",
    "UPDATE",     "UPDATETEXT", "UPPER",      "USAGE",      "USE",        "USER",       "USING",      "VALIDATE",
    "VALIDPROC",  "VALUE",      "VALUES",     "VAR",        "VARBINARY",  "VARCHAR",    "VARCHAR2",   "VARGRAPHIC",
    "VARIABLE",   "VARIABLES",  "VARP",       "VARYING",    "VCAT",       "VERIFY",     "VIEW",       "VOLUMES",
    "WAIT",       "WAITFOR",    "WHEN",       "WHENEVER",   "WHERE",      "WHILE",      "WHITESPACE", "WITH",
    "WORK",       "WORKDDM",    "WRITE",      "WRITETEXT",  "YEAR",       "YEARS",      "YES",        "ZONE",
    "ZONED",
};

static_assert(qvutil::IsSortedWordList(OBJDEL_RESERVED_WORDS), "the reserved words are searched by halving");

// The word (upper case, at most ten characters) is one of the reserved words.
inline bool OBJDEL_IsReservedWord(std::string_view word)
{
    return qvutil::InWordList(OBJDEL_RESERVED_WORDS, word);
}
