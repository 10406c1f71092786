// Table-definition generator: the DBMS capability table loaded from the
// database environment file, the in-memory table definition with its message
// list, its text form and binary export file, and the builders of the DDL
// statements that create, alter and drop tables, indexes and views for the
// current DBMS.
//
// Texts are owned std::string fields; every setter cuts a value to the width
// its field has in the text form, so a record written out and read back is
// the same. Statement outputs are std::string, so no builder can overrun a
// caller's buffer.
#pragma once

#include "dqov/tables/dqov_tables.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------------------
// Capability table (database environment file)
// ---------------------------------------------------------------------------

inline constexpr size_t X_CTD_DBMS_NAME_LEN = 32;
inline constexpr size_t X_CTD_CAP_KEY_LEN = 50;
inline constexpr size_t X_CTD_CAP_VALUE_LEN = 150;
inline constexpr size_t X_CTD_ENV_LINE_LEN = 2047;

struct X_CTD_CAPABILITY {
    std::string key;     // up to 50 characters
    int32_t number = 0;  // value read with the atol rules
    int32_t yes = 0;     // 1 when the value begins with 'Y'
    std::string value;   // up to 150 characters
};

struct X_CTD_DBMS_ENTRY {
    std::string name;  // up to 32 characters
    std::vector<X_CTD_CAPABILITY> capabilities;
};

struct X_CTD_CAPABILITY_TABLE {
    std::vector<X_CTD_DBMS_ENTRY> entries;  // file order
};

using X_CTD_CAPABILITY_TABLE_PTR = std::unique_ptr<X_CTD_CAPABILITY_TABLE>;

// Categories and products, by index.
inline constexpr const char* X_CTD_CATEGORY_NAMES[] = {"DB2", "ODBC", "ORACLE"};
inline constexpr const char* X_CTD_PRODUCT_NAMES[] = {"DB2400",      "MSACCESS", "ORACLE",      "SQLSERVER",
                                                      "SQLANYWHERE", "MYSQL",    "USERDEFINED", "DB2UWO"};
enum X_CTD_PRODUCT : int16_t {
    X_CTD_DB2400 = 0,
    X_CTD_MSACCESS = 1,
    X_CTD_ORACLE = 2,
    X_CTD_SQLSERVER = 3,
    X_CTD_SQLANYWHERE = 4,
    X_CTD_MYSQL = 5,
    X_CTD_USERDEFINED = 6,
    X_CTD_DB2UWO = 7,
    X_CTD_NO_PRODUCT = -1
};

// The DBMS description of the current database.
struct X_CTD_DBMS_INFO {
    std::string name;  // key of every capability lookup (32)
    std::string categoryName;
    int16_t categoryIndex = 1;
    std::string productName;
    int16_t productIndex = 0;
    int32_t collectionsSupported = 1;
    int32_t emulateCollections = 0;
    int32_t collectionsOnIndexes = 1;
    int32_t descKeysSupported = 1;
    std::string userDatabaseDll;
    std::string repositoryDatabaseDll;
    int32_t rcOk = 0, rcDuplicateRow = 0, rcDuplicateRow2 = 0, rcDuplicateRow3 = 0;
    int32_t rcRowNotFound = 0, rcTableNotExist = 0, rcTableNotExist2 = 0, rcTableExists = 0;
    int32_t rcIndexExists = 0, rcIndexExists2 = 0, rcViewExists = 0, rcInsuffPrivileges = 0;
    int32_t rcUserExists = 0, rcRowLocked = 0;
    int32_t mixedModeCommitment = 0;
    int32_t indexDroppedWithTable = 1;
    int32_t rcIndexNotExist = 0, rcColumnExists = 0, rcColumnDecreasePrecision = 0;
    std::string charNativeName;
    std::string developmentDatabaseDll;
    int32_t useInternalNames = 0;
    int32_t ignoreNativeSupport = 1;
    int32_t nativeCommitment = 0;
    int32_t velmoDefinedDb = 0;
    int32_t allocBehaviour = 1;
    int32_t kshBehaviour = 0;
    int32_t datetimeMaxDigits = 19;
    int32_t nativeDatetimeOnly = 0;
    int32_t dateAsDatetimeLiteral = 0;
    int32_t timeAsDatetimeLiteral = 0;
    int32_t singleConnection = 1;
    std::string lockType;
    int32_t lockTimeout = 0;
    std::string cmdLockTimeout;
    char delimiter = '"';
    char separator = '.';
    // Set by the services library for the connection in use.
    int16_t kind = 0;           // 2: copy with CREATE TABLE AS, 3: index names qualified by table, 5: identity ALTER
    int32_t foreign = 1;        // 0: the native database (ignore-if-native columns are left out)
    std::string serverVersion;  // e.g. "8.00.2039"
};

int16_t X_CTD_Load_Capabilities(const char* path, X_CTD_CAPABILITY_TABLE_PTR& table, std::string& errorText,
                                std::vector<std::string>* warnings = nullptr);
void X_CTD_FreeCapabilities(X_CTD_CAPABILITY_TABLE_PTR& table);
int32_t X_CTD_sGetCapability(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                             std::string* valueOut, int32_t* numberOut, int32_t* yesOut);
int32_t X_CTD_GetCapabilityDefaultNo(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                                     std::string* valueOut, int32_t* numberOut, int32_t* yesOut);
int32_t X_CTD_GetCapabilityDefaultYes(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                                      std::string* valueOut, int32_t* numberOut, int32_t* yesOut);
// Yes flag of a key, or `missing` when the DBMS has no such key.
int32_t X_CTD_YesFlag(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                      int32_t missing);
void X_CTD_ListDBMS(const X_CTD_CAPABILITY_TABLE* table, uint16_t& count, const X_CTD_DBMS_ENTRY** out);
void X_CTD_FindDBMSWithCapability(const X_CTD_CAPABILITY_TABLE* table, std::string_view key, std::string_view value,
                                  uint16_t& count, const X_CTD_DBMS_ENTRY** out);
int32_t X_CTD_GetCategoryIndex(std::string_view name, uint16_t& index);
int32_t X_CTD_GetProductIndex(std::string_view name, uint16_t& index);
int32_t X_CTD_KeywordDiffers(std::string_view line, std::string_view keyword);
int32_t X_CTD_FillDBMSInfo(const X_CTD_CAPABILITY_TABLE* table, X_CTD_DBMS_INFO& dbms, std::string& errorText);
// Product index of the DBMS from its DATABASE_PRODUCT capability; X_CTD_NO_PRODUCT when absent or unknown.
int16_t X_CTD_ProductCode(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms);

// Column-type settings.
enum X_CTD_TYPE : int {
    T_CHAR,
    T_VARCHAR,
    T_LONGVARCHAR,
    T_NUMERIC,
    T_DECIMAL,
    T_TINYINT,
    T_SMALLINT,
    T_INTEGER,
    T_BIGINT,
    T_DOUBLE,
    T_REAL,
    T_DATE,
    T_TIME,
    T_DATETIME,
    T_BINARY,
    T_VARBINARY,
    T_LONGVARBINARY,
    T_UCHAR,
    T_UVARCHAR,
    T_UCLOB,
    X_CTD_TYPE_COUNT
};
inline constexpr const char* X_CTD_TYPE_KEYWORDS[X_CTD_TYPE_COUNT] = {
    "CHAR",    "VARCHAR",   "LONGVARCHAR",   "NUMERIC", "DECIMAL",  "TINYINT", "SMALLINT",
    "INTEGER", "BIGINT",    "DOUBLE",        "REAL",    "DATE",     "TIME",    "DATETIME",
    "BINARY",  "VARBINARY", "LONGVARBINARY", "UCHAR",   "UVARCHAR", "UCLOB"};

struct X_CTD_TYPE_SETTINGS {
    int32_t alphaAsFixed = 0;
    std::string name[X_CTD_TYPE_COUNT];
    int32_t supported[X_CTD_TYPE_COUNT] = {};
    int32_t maxDigits[X_CTD_TYPE_COUNT] = {};
    int32_t maxDecimals[X_CTD_TYPE_COUNT] = {};
    std::string binaryAppend, varbinaryAppend, kshAppend, datetimeAppend;
    std::string ucharAppend, uvarcharAppend, uclobAppend;
    int32_t notNullSupported = 1;
    int32_t lvcRequiresLen = 0, lvbRequiresLen = 0, uclobRequiresLen = 0;
    std::string lvcDefaultLen = "0", lvbDefaultLen = "0", uclobDefaultLen = "0";
    int32_t charToBinary = 0;
};

// ---------------------------------------------------------------------------
// Line reader (shared by the environment file and the table-definition text)
// ---------------------------------------------------------------------------

struct X_CTD_LINE_READER {
    int fd = -1;
    std::vector<char> chunk;
    size_t chunkSize = 1024;
    size_t inChunk = 0;
    size_t position = 0;
    bool lastWasCut = false;  // the last line returned did not end at a line feed and more follows
    ~X_CTD_LINE_READER();
};

void X_CTD_OpenLineReader(X_CTD_LINE_READER& reader, const char* path, int chunkKb, int flags, int mode);
// Reads one line into `buffer` (LF kept, CR LF made LF). Returns its length, 0 at end of file, < 0 on error.
long X_CTD_ReadLine(std::string& buffer, size_t bufferSize, X_CTD_LINE_READER& reader);
int X_CTD_CloseLineReader(X_CTD_LINE_READER& reader);

// ---------------------------------------------------------------------------
// Table definition
// ---------------------------------------------------------------------------

inline constexpr size_t X_CTD_NAME_LEN = 128;
inline constexpr size_t X_CTD_DESC_LEN = 40;
inline constexpr size_t X_CTD_TEXT_LEN = 5000;
inline constexpr size_t X_CTD_CONNECTION_LEN = 2000;
inline constexpr size_t X_CTD_SPARE_LEN = 255;
inline constexpr size_t X_CTD_MESSAGE_LEN = 256;
inline constexpr size_t X_CTD_MAX_APPENDS = 50;

struct X_CTD_MESSAGE {
    char level = 'I';
    std::string text;
};

struct X_CTD_APPEND_CLAUSE {
    std::string dbmsType;  // 32
    std::string text;      // 5000
};

struct X_CTD_COLUMN {
    std::string name;
    std::string description;
    char type = 0;
    uint32_t length = 0;
    uint32_t decimals = 0;
    uint32_t notNull = 0;
    uint32_t autoFlag = 0;
    std::string internalName;
    uint32_t ignoreIfNative = 0;
    int32_t alter = 0;
    char ksh = 0;
    int32_t newColumn = 0;
    uint16_t alloc = 0;
};

struct X_CTD_KEY_COLUMN {
    std::string column;
    std::string internalName;
};

struct X_CTD_INDEX_KEY {
    std::string column;
    uint32_t descending = 0;
    std::string internalName;
};

struct X_CTD_INDEX {
    std::string name;
    std::vector<X_CTD_INDEX_KEY> keys;
    uint32_t unique = 0;
    std::vector<X_CTD_APPEND_CLAUSE> appends;
};

struct X_CTD_VIEW {
    std::string name;
    std::string text;
    std::string internalName;
    std::string internalText;
};

// Returns the format text of a message number; "%s" and "%d" are filled in order.
using X_CTD_MESSAGE_FUNCTION = std::string (*)(int number);

struct X_CTD_TABLE_DEFINITION {
    std::string internalName;
    std::string table;
    std::string collection;
    std::string description;
    std::vector<X_CTD_MESSAGE> messages;
    size_t messageCursor = 0;
    std::vector<X_CTD_APPEND_CLAUSE> appends;
    std::vector<X_CTD_COLUMN> columns;
    std::string primaryKeyName;
    std::vector<X_CTD_KEY_COLUMN> primaryKey;
    std::vector<X_CTD_VIEW> views;
    std::vector<X_CTD_INDEX> indexes;
    X_CTD_MESSAGE_FUNCTION messageText = nullptr;
    uint16_t otherDatabase = 0;
    std::string dsn, qualifier, dbType, connection;
    char encrypted = 0;
    std::string spare;
    int16_t creationValue = 0;
    std::string dataLibrary;
    uint32_t charToBinary = 0;
    uint32_t keysChanged = 0;
    char commitmentControl = 'Y';
    char nameFlag = ' ';
    char atSign = '@';
};

using X_CTD_TABLE_DEFINITION_PTR = std::unique_ptr<X_CTD_TABLE_DEFINITION>;

// Copies `value` into `field`, cut to `width` characters.
void X_CTD_SetText(std::string& field, std::string_view value, size_t width);
// The text of an identifier between delimiters: every delimiter character in
// it is doubled, so a name holding the delimiter stays one identifier.
std::string X_CTD_Quote(std::string_view name, char delimiter);
// Removes trailing blanks, NUL, form feed, LF and CR.
void X_CTD_TrimRight(std::string& text);
// A line of a keyword file as it is parsed: X_CTD_TrimRight, then leading blanks removed.
std::string X_CTD_TrimLine(std::string line);
// Fills "%s" and "%d" of a message format in order; any other '%' is text.
std::string X_CTD_FormatMessage(std::string_view format, std::initializer_list<std::string_view> values);

void X_CTD_CreateTableDefinition(X_CTD_TABLE_DEFINITION_PTR& record, std::string_view internalName,
                                 std::string_view table, std::string_view description, std::string_view collection,
                                 uint16_t otherDatabase, int16_t creationValue, std::string_view dsn,
                                 std::string_view qualifier, std::string_view dbType, std::string_view connection,
                                 const char* encrypted, std::string_view spare, X_CTD_MESSAGE_FUNCTION messageText,
                                 std::string_view dataLibrary, char commitmentControl, char nameFlag, char atSign);
void X_CTD_FreeTableDefinition(X_CTD_TABLE_DEFINITION_PTR& record);
bool X_CTD_AddAppendClause(X_CTD_TABLE_DEFINITION& record, std::string_view dbmsType, std::string_view text);
uint16_t X_CTD_AddColumn(X_CTD_TABLE_DEFINITION& record, std::string_view name, std::string_view description, char type,
                         uint32_t length, uint32_t decimals, int notNullRequest, uint32_t autoFlag,
                         std::string_view internalName, uint32_t ignoreIfNative, char ksh, uint16_t alloc);
void X_CTD_AddPrimaryKeyColumn(X_CTD_TABLE_DEFINITION& record, std::string_view keyName, std::string_view column);
void X_CTD_AddView(X_CTD_TABLE_DEFINITION& record, std::string_view name, std::string_view internalName,
                   std::string_view text, std::string_view internalText);
void X_CTD_AddIndex(X_CTD_TABLE_DEFINITION& record, std::string_view name, int uniqueRequest);
void X_CTD_AddIndexKey(X_CTD_TABLE_DEFINITION& record, X_CTD_INDEX& index, std::string_view column,
                       int descendingRequest);
void X_CTD_AddKeyToLastIndex(X_CTD_TABLE_DEFINITION& record, std::string_view column, int descendingRequest);
bool X_CTD_AddIndexAppendClause(X_CTD_TABLE_DEFINITION& record, std::string_view indexName, std::string_view dbmsType,
                                std::string_view text);
void X_CTD_RemoveLastIndex(X_CTD_TABLE_DEFINITION& record);
void X_CTD_ResolveKeyColumnNames(X_CTD_TABLE_DEFINITION* record);
std::string X_CTD_ColumnInternalName(const X_CTD_TABLE_DEFINITION* record, std::string_view name);
// True when the record's name flag ('0' or blank) makes columns carry their
// given names; otherwise they carry their internal names.
inline bool X_CTD_UsesGivenNames(const X_CTD_TABLE_DEFINITION& record)
{
    return record.nameFlag == '0' || record.nameFlag == ' ';
}
void X_CTD_ObjectNames(std::string& tableOut, std::string& collectionOut, const X_CTD_TABLE_DEFINITION& record,
                       int32_t useInternalNames);

void X_CTD_AddMessage(X_CTD_TABLE_DEFINITION& record, char level, std::string_view text);
void X_CTD_NextMessage(X_CTD_TABLE_DEFINITION& record, std::string& textOut, char restart, char fatalOnly);
char X_CTD_CountMessages(const X_CTD_TABLE_DEFINITION& record, uint16_t& information, uint16_t& warnings,
                         uint16_t& fatal);
void X_CTD_ClearMessages(X_CTD_TABLE_DEFINITION& record);
std::string X_CTD_GetMessageText(int number);
// Characters of a rejected or unknown line that its warning quotes.
inline constexpr size_t X_CTD_QUOTED_LINE_LEN = 200;
// Formats message `number` through the record's message function and adds it.
void X_CTD_IssueMessage(X_CTD_TABLE_DEFINITION& record, char level, int number,
                        std::initializer_list<std::string_view> values);
void X_CTD_WarnTypeChanged(X_CTD_TABLE_DEFINITION& record, size_t column, std::string_view given, std::string_view now,
                           int32_t useInternalNames);
void X_CTD_WarnTypePrecision(X_CTD_TABLE_DEFINITION& record, size_t column, std::string_view given,
                             std::string_view now, int32_t useInternalNames);
void X_CTD_InfoKeyAsIndex(X_CTD_TABLE_DEFINITION& record, std::string_view indexName, int32_t useInternalNames);
int X_CTD_CheckPrecision(X_CTD_TABLE_DEFINITION& record, size_t column, uint32_t maxDigits, uint32_t maxDecimals,
                         int32_t useInternalNames);

// Column-type settings of the current DBMS for a table.
int X_CTD_SetDefaultCapabilities(const X_CTD_TABLE_DEFINITION& record, std::unique_ptr<X_CTD_TYPE_SETTINGS>& out,
                                 const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms);

// ---------------------------------------------------------------------------
// Names and statement-text helpers
// ---------------------------------------------------------------------------

// True when emulated collections leave the library prefix off the table: the
// repository's own QV_ tables in QV_DTA and, with `alsoWork`, its work tables.
bool X_CTD_RepositoryTableWithoutPrefix(const X_CTD_TABLE_DEFINITION& record, std::string_view collection,
                                        bool alsoWork);
void X_CTD_AppendQualifiedName(const X_CTD_DBMS_INFO& dbms, const X_CTD_TABLE_DEFINITION& record, std::string& out,
                               int32_t useCollections);
// The qualified name in two pieces: the delimited collection (appended to
// collectionOut, without the '.') and the rest (appended to tableOut).
void X_CTD_AppendSplitName(const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms, std::string& tableOut,
                           std::string& collectionOut);
void X_CTD_UseCollections(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                          std::string* valueOut, int32_t* numberOut, int32_t* yesOut);
int32_t X_CTD_CollectionsSupported(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms);
void X_CTD_AppendCreateName(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, std::string& out);
void X_CTD_ExpandTemplate(const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms, std::string_view templ,
                          std::string& out);
void X_CTD_ReplaceOutsideQuotes(std::string& text, char find, char replacement);
void X_CTD_RemoveNativeColumns(const X_CTD_TABLE_DEFINITION& record, std::string& columnList, int32_t useInternalNames,
                               char delimiter);
int32_t X_CTD_IncludeColumn(const X_CTD_TABLE_DEFINITION* record, const X_CTD_DBMS_INFO* dbms, std::string_view column);

// ---------------------------------------------------------------------------
// Statement builders
// ---------------------------------------------------------------------------

int32_t X_CTD_IsRrnoColumn(std::string_view name, char c);
// Name of the record-number column that index keys get: "{at}{at}RRNO" when
// the name flag is '1', else "X_RRNO".
std::string X_CTD_RrnoKeyName(const X_CTD_TABLE_DEFINITION& record);
void X_CTD_BuildOracleRrnoBlock(const X_CTD_TABLE_DEFINITION& record, const void* unused, const X_CTD_DBMS_INFO& dbms,
                                std::string& out);

// A statement buffer holds several statements, each ended by a NUL.
size_t X_CTD_AppendText(std::string& buffer, std::string_view text);
void X_CTD_BuildPrimaryKeyStatements(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                     const X_CTD_DBMS_INFO& dbms, const char* constraintName, int drop, int add,
                                     uint16_t& count, std::string& out);
// The name of the table's primary-key constraint when the DBMS adds and
// drops the key by name (SQL Server, or NAMED_PRIMARY_KEY=Y): the given name
// when there is one, else "PK_" and the table name; "" when it does not.
std::string X_CTD_PrimaryKeyConstraint(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                       const X_CTD_DBMS_INFO& dbms, const char* given);
// Splits a statement buffer into its NUL-ended statements.
std::vector<std::string> X_CTD_SplitStatements(const std::string& buffer);

void X_CTD_AppendColumnDefinition(X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms,
                                  const X_CTD_TYPE_SETTINGS& settings, std::string& out, int16_t productCode,
                                  std::string_view tableName, uint16_t columnNumber, int32_t withType,
                                  std::string* defaultOut, const std::string** typeNameOut);
void X_CTD_BuildAlterColumnStatement(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                     const X_CTD_DBMS_INFO& dbms, const X_CTD_TYPE_SETTINGS& settings,
                                     int16_t productCode, std::string_view tableName, uint16_t columnNumber,
                                     int32_t withType, std::string& out);

void X_CTD_DropTableStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                              const X_CTD_DBMS_INFO& dbms, std::string& out);
void X_CTD_DropPrefixedTableStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                      const X_CTD_DBMS_INFO& dbms, const char* suffix, std::string& out);
void X_CTD_BuildDropTable(const char* suffix, const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms,
                          const X_CTD_CAPABILITY_TABLE* table, std::string& out);
void X_CTD_DropViewStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                             const X_CTD_DBMS_INFO& dbms, uint16_t viewNumber, std::string& out);
void X_CTD_DropIndexStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                              const X_CTD_DBMS_INFO& dbms, uint16_t indexNumber, std::string& out, int always);
void X_CTD_BuildCreateIndex(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, uint16_t indexNumber, std::string& out);
void X_CTD_BuildCreateView(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                           const X_CTD_DBMS_INFO& dbms, uint16_t viewNumber, std::string& out);
void X_CTD_BuildTableCopy(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                          const X_CTD_DBMS_INFO& dbms, const char* suffix, std::string* out);
void X_CTD_BuildInsertFromCopy(X_CTD_TABLE_DEFINITION& newRecord, const X_CTD_TABLE_DEFINITION& oldRecord,
                               const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms, const char* suffix,
                               std::string* out);

void X_CTD_BuildCreateTable(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, std::string& out);
void X_CTD_BuildColumnAddStatements(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                    const X_CTD_DBMS_INFO& dbms, uint16_t columnNumber, uint16_t& count,
                                    std::string& out);
void X_CTD_BuildIdentityColumnStatement(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                        const X_CTD_DBMS_INFO& dbms, std::string& out);

void X_CTD_BuildCollectionCommands(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                   const X_CTD_DBMS_INFO& dbms, std::string& createOut, std::string& grantCollectionOut,
                                   std::string& grantTableOut);

// ---------------------------------------------------------------------------
// Table-definition text
// ---------------------------------------------------------------------------

void X_CTD_ReadDefinition(const char* path, X_CTD_TABLE_DEFINITION_PTR& record, X_CTD_MESSAGE_FUNCTION messageText,
                          int keepViews, int keepIndexes, const X_CTD_CAPABILITY_TABLE* table,
                          std::string_view dbmsName);
void X_CTD_WriteDefinition(const char* path, X_CTD_TABLE_DEFINITION& record);

// ---------------------------------------------------------------------------
// Export file
// ---------------------------------------------------------------------------

// X_CTD_EXPORT_FIELDS, X_CTD_EXPORT_FIELD_LEN and X_CTD_EXPORT_FIELD: dqov/tables/dqov_tables.h.
inline constexpr size_t X_CTD_EXPORT_BUFFER = 90100;
inline constexpr char X_CTD_EXPORT_HEADER_NORM[] = "VELMORK731EXPORTFILE=NORM=";
inline constexpr char X_CTD_EXPORT_HEADER_COMP[] = "VELMORK731EXPORTFILE=COMP=";

struct X_CTD_EXPORT_FILE {
    X_CTD_EXPORT_FILE() = default;
    X_CTD_EXPORT_FILE(const X_CTD_EXPORT_FILE&) = delete;
    X_CTD_EXPORT_FILE& operator=(const X_CTD_EXPORT_FILE&) = delete;
    // A handle released without X_CTD_CloseExportFile (a refused open that is
    // dropped, a handle pointer opened again) still closes its stream; no end
    // record is written then.
    ~X_CTD_EXPORT_FILE();

    std::FILE* stream = nullptr;
    int compressed = 0;
    int mode = 0;  // 1 read, 2 write plain, 3 write compressed
    uint16_t recordCode = 0;
    uint16_t fieldCount = 0;
    X_CTD_EXPORT_FIELD fields[X_CTD_EXPORT_FIELDS] = {};
    std::vector<unsigned char> stored;  // stored-record buffer
    std::vector<unsigned char> work;    // work buffer
};

using X_CTD_EXPORT_FILE_PTR = std::unique_ptr<X_CTD_EXPORT_FILE>;

int X_CTD_OpenExportFile(const char* path, X_CTD_EXPORT_FILE_PTR& handle, int mode);
void X_CTD_PackDecimal(unsigned char* buffer, size_t n, uint32_t value);
uint32_t X_CTD_UnpackDecimal(const unsigned char* buffer, size_t n);
size_t X_CTD_CompressRecord(const X_CTD_EXPORT_FILE& handle, const unsigned char* body, size_t length,
                            unsigned char* output, size_t outputSize);
// Returns the body length, or (size_t)-1 when the stored body does not expand into `outputSize` bytes.
size_t X_CTD_ExpandRecord(const X_CTD_EXPORT_FILE& handle, const unsigned char* stored, size_t length,
                          unsigned char* output, size_t outputSize);
int32_t X_CTD_WriteExportRecord(X_CTD_EXPORT_FILE& handle);
int32_t X_CTD_ReadExportRecord(X_CTD_EXPORT_FILE& handle);
int32_t X_CTD_CloseExportFile(X_CTD_EXPORT_FILE_PTR& handle);
