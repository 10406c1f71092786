// DBMS capability table: the database environment file, capability lookup
// with defaults, the DBMS description and the column-type settings.
#include "tables/ctd/ctd.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

// ---------------------------------------------------------------------------
// Line reader
// ---------------------------------------------------------------------------

X_CTD_LINE_READER::~X_CTD_LINE_READER()
{
    X_CTD_CloseLineReader(*this);
}

void X_CTD_OpenLineReader(X_CTD_LINE_READER& reader, const char* path, int chunkKb, int flags, int mode)
{
    X_CTD_CloseLineReader(reader);
    reader.chunkSize = chunkKb < 1 ? 1024 : static_cast<size_t>(chunkKb) * 1024;
    reader.inChunk = reader.position = 0;
    reader.lastWasCut = false;
    reader.fd = path ? ::open(path, flags, mode) : -1;
}

long X_CTD_ReadLine(std::string& buffer, size_t bufferSize, X_CTD_LINE_READER& reader)
{
    buffer.clear();
    reader.lastWasCut = false;
    if (reader.fd < 0 || bufferSize < 2)
        return -1;
    if (reader.chunk.size() != reader.chunkSize)
        reader.chunk.assign(reader.chunkSize, 0);
    for (;;) {
        if (reader.position >= reader.inChunk) {
            ssize_t got = ::read(reader.fd, reader.chunk.data(), reader.chunkSize);
            if (got <= 0) {
                if (!buffer.empty())
                    return static_cast<long>(buffer.size());
                return got < 0 ? -1 : 0;
            }
            reader.inChunk = static_cast<size_t>(got);
            reader.position = 0;
        }
        char c = reader.chunk[reader.position++];
        if (c == '\n') {
            if (!buffer.empty() && buffer.back() == '\r')
                buffer.pop_back();
            buffer.push_back('\n');
            return static_cast<long>(buffer.size());
        }
        buffer.push_back(c);
        if (buffer.size() >= bufferSize - 1) {
            // A CR at the cut may still belong to a CR LF ending.
            reader.lastWasCut = true;
            return static_cast<long>(buffer.size());
        }
    }
}

int X_CTD_CloseLineReader(X_CTD_LINE_READER& reader)
{
    reader.chunk.clear();
    reader.chunk.shrink_to_fit();
    if (reader.fd >= 0)
        ::close(reader.fd);
    reader.fd = -1;
    return 0;
}

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

namespace {

void warn(std::vector<std::string>* warnings, int number, std::string_view line)
{
    if (!warnings)
        return;
    std::string shown(line.substr(0, X_CTD_QUOTED_LINE_LEN));
    warnings->push_back(X_CTD_FormatMessage(X_CTD_GetMessageText(number), {shown}));
}

const X_CTD_CAPABILITY* findCapability(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key)
{
    if (!table)
        return nullptr;
    for (const auto& entry : table->entries) {
        if (entry.name != dbms)
            continue;
        for (const auto& cap : entry.capabilities)
            if (cap.key == key)
                return &cap;
        return nullptr;
    }
    return nullptr;
}

}  // namespace

int16_t X_CTD_Load_Capabilities(const char* path, X_CTD_CAPABILITY_TABLE_PTR& table, std::string& errorText,
                                std::vector<std::string>* warnings)
{
    errorText.clear();
    if (table)
        return 0;
    X_CTD_LINE_READER reader;
    X_CTD_OpenLineReader(reader, path, 1, O_RDONLY, 0);
    if (reader.fd < 0) {
        errorText = X_CTD_FormatMessage("UNABLE TO FIND OR OPEN DATABASE ENVIRONMENT FILE %s.", {path ? path : ""});
        return -1;
    }
    table = std::make_unique<X_CTD_CAPABILITY_TABLE>();
    X_CTD_DBMS_ENTRY* current = nullptr;
    std::string raw;
    long got;
    bool skippingRest = false;  // inside the remainder of an over-long line
    while ((got = X_CTD_ReadLine(raw, X_CTD_ENV_LINE_LEN + 2, reader)) > 0) {
        bool cut = reader.lastWasCut;
        if (skippingRest) {
            skippingRest = cut;
            continue;
        }
        if (cut) {
            // A line longer than the format allows is refused whole rather
            // than read as several lines.
            warn(warnings, 388, X_CTD_TrimLine(raw));
            skippingRest = true;
            continue;
        }
        std::string line = X_CTD_TrimLine(raw);
        if (line.empty() || line[0] == '*')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            warn(warnings, 388, line);
            continue;
        }
        for (size_t i = 0; i < eq; ++i)
            line[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(line[i])));
        if (X_CTD_KeywordDiffers(line, "DATABASE_TYPE=") == 0) {
            std::string name;
            X_CTD_SetText(name, std::string_view(line).substr(eq + 1), X_CTD_DBMS_NAME_LEN);
            if (name.empty())
                warn(warnings, 388, line);
            for (const auto& entry : table->entries)
                if (entry.name == name)
                    warn(warnings, 387, line);  // a second section of one name is never looked up
            table->entries.push_back(X_CTD_DBMS_ENTRY{name, {}});
            current = &table->entries.back();
            continue;
        }
        std::string_view value = std::string_view(line).substr(eq + 1);
        if (!current || value.empty()) {
            warn(warnings, current ? 388 : 387, line);
            continue;
        }
        X_CTD_CAPABILITY cap;
        X_CTD_SetText(cap.key, std::string_view(line).substr(0, eq), X_CTD_CAP_KEY_LEN);
        X_CTD_SetText(cap.value, value, X_CTD_CAP_VALUE_LEN);
        cap.number = static_cast<int32_t>(std::atol(cap.value.c_str()));
        cap.yes = cap.value[0] == 'Y' ? 1 : 0;
        for (const auto& other : current->capabilities)
            if (other.key == cap.key) {
                warn(warnings, 387, line);  // the first value stays in force
                break;
            }
        current->capabilities.push_back(std::move(cap));
    }
    int16_t result = 0;
    if (got < 0) {
        errorText =
            X_CTD_FormatMessage("FATAL ERROR DETECTED WHILE READING FROM DATABASE ENVIRONMENT FILE %s.", {path});
        result = -3;
    }
    X_CTD_CloseLineReader(reader);
    return result;
}

void X_CTD_FreeCapabilities(X_CTD_CAPABILITY_TABLE_PTR& table)
{
    table.reset();
}

int32_t X_CTD_sGetCapability(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                             std::string* valueOut, int32_t* numberOut, int32_t* yesOut)
{
    const X_CTD_CAPABILITY* cap = findCapability(table, dbms, key);
    if (!cap)
        return 0;
    if (valueOut)
        *valueOut = cap->value;
    if (numberOut)
        *numberOut = cap->number;
    if (yesOut)
        *yesOut = cap->yes;
    return 1;
}

static int32_t getWithDefault(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                              std::string* valueOut, int32_t* numberOut, int32_t* yesOut, int32_t yesDefault)
{
    if (X_CTD_sGetCapability(table, dbms, key, valueOut, numberOut, yesOut))
        return 1;
    if (valueOut)
        valueOut->clear();
    if (numberOut)
        *numberOut = 0;
    if (yesOut)
        *yesOut = yesDefault;
    return 0;
}

int32_t X_CTD_GetCapabilityDefaultNo(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                                     std::string* valueOut, int32_t* numberOut, int32_t* yesOut)
{
    return getWithDefault(table, dbms, key, valueOut, numberOut, yesOut, 0);
}

int32_t X_CTD_GetCapabilityDefaultYes(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                                      std::string* valueOut, int32_t* numberOut, int32_t* yesOut)
{
    return getWithDefault(table, dbms, key, valueOut, numberOut, yesOut, 1);
}

int32_t X_CTD_YesFlag(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key, int32_t missing)
{
    int32_t yes = missing;
    X_CTD_sGetCapability(table, dbms, key, nullptr, nullptr, &yes);
    return yes;
}

namespace {

// Number and value text of a key, or `missing` when the DBMS has no such key.
int32_t numberOr(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key, int32_t missing)
{
    int32_t number = missing;
    X_CTD_sGetCapability(table, dbms, key, nullptr, &number, nullptr);
    return number;
}

std::string textOr(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                   std::string missing)
{
    X_CTD_sGetCapability(table, dbms, key, &missing, nullptr, nullptr);
    return missing;
}

}  // namespace

void X_CTD_ListDBMS(const X_CTD_CAPABILITY_TABLE* table, uint16_t& count, const X_CTD_DBMS_ENTRY** out)
{
    uint16_t capacity = count;
    count = 0;
    if (!table)
        return;
    for (const auto& entry : table->entries) {
        if (count >= capacity)
            break;
        out[count++] = &entry;
    }
}

void X_CTD_FindDBMSWithCapability(const X_CTD_CAPABILITY_TABLE* table, std::string_view key, std::string_view value,
                                  uint16_t& count, const X_CTD_DBMS_ENTRY** out)
{
    uint16_t capacity = count;
    count = 0;
    if (!table)
        return;
    for (const auto& entry : table->entries)
        for (const auto& cap : entry.capabilities) {
            if (count >= capacity)
                return;
            if (cap.key == key && value.substr(0, cap.value.size()) == cap.value)
                out[count++] = &entry;
        }
}

template <size_t N> static int32_t indexOf(const char* const (&names)[N], std::string_view name, uint16_t& index)
{
    for (size_t i = 0; i < N; ++i)
        if (name == names[i]) {
            index = static_cast<uint16_t>(i);
            return 1;
        }
    return 0;
}

int32_t X_CTD_GetCategoryIndex(std::string_view name, uint16_t& index)
{
    return indexOf(X_CTD_CATEGORY_NAMES, name, index);
}

int32_t X_CTD_GetProductIndex(std::string_view name, uint16_t& index)
{
    return indexOf(X_CTD_PRODUCT_NAMES, name, index);
}

int16_t X_CTD_ProductCode(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms)
{
    std::string product;
    uint16_t index = 0;
    if (!X_CTD_sGetCapability(table, dbms, "DATABASE_PRODUCT", &product, nullptr, nullptr))
        return X_CTD_NO_PRODUCT;
    if (!X_CTD_GetProductIndex(product, index))
        return X_CTD_NO_PRODUCT;
    return static_cast<int16_t>(index);
}

int32_t X_CTD_KeywordDiffers(std::string_view line, std::string_view keyword)
{
    if (line == keyword)
        return 0;
    size_t eq = keyword.find('=');
    if (eq == std::string_view::npos)
        return 1;
    return line.substr(0, eq + 1) == keyword.substr(0, eq + 1) ? 0 : 1;
}

// ---------------------------------------------------------------------------
// DBMS description
// ---------------------------------------------------------------------------

int32_t X_CTD_FillDBMSInfo(const X_CTD_CAPABILITY_TABLE* table, X_CTD_DBMS_INFO& d, std::string& errorText)
{
    errorText.clear();
    const std::string dbms = d.name;
    auto yes = [&](const char* key, int32_t missing) { return X_CTD_YesFlag(table, dbms, key, missing); };
    auto num = [&](const char* key, int32_t missing) { return numberOr(table, dbms, key, missing); };
    auto text = [&](const char* key) { return textOr(table, dbms, key, ""); };
    auto lower = [](std::string v) {
        for (char& c : v)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return v;
    };
    uint16_t index = 0;
    d.categoryName = text("DATABASE_CATEGORY");
    if (d.categoryName.empty())
        d.categoryIndex = 1;
    else if (X_CTD_GetCategoryIndex(d.categoryName, index))
        d.categoryIndex = static_cast<int16_t>(index);
    d.productName = text("DATABASE_PRODUCT");
    if (d.productName.empty())
        d.productIndex = 0;
    else if (X_CTD_GetProductIndex(d.productName, index))
        d.productIndex = static_cast<int16_t>(index);
    d.collectionsSupported = yes("SUPPORTS_COLLECTIONS", 1);
    d.emulateCollections = yes("EMULATE_COLLECTIONS", 0);
    d.collectionsOnIndexes = yes("SUPPORTS_COLLECTIONS_IDX", 1);
    d.descKeysSupported = yes("SUPPORTS_DESC_KEYS", 1);
    d.userDatabaseDll = lower(text("USER_DATABASE_DLL"));
    d.repositoryDatabaseDll = lower(text("REPOSITORY_DATABASE_DLL"));
    d.rcOk = num("DBMS_RETCODE_OK", 0);
    d.rcDuplicateRow = num("DBMS_RETCODE_DUPLICATE_ROW", 0);
    d.rcDuplicateRow2 = num("DBMS_RETCODE_DUPLICATE_ROW_2", d.rcDuplicateRow);
    d.rcDuplicateRow3 = num("DBMS_RETCODE_DUPLICATE_ROW_3", d.rcDuplicateRow);
    d.rcRowNotFound = num("DBMS_RETCODE_ROW_NOT_FOUND", 0);
    d.rcTableNotExist = num("DBMS_RETCODE_TABLE_DOES_NOT_EXIST", 0);
    d.rcTableNotExist2 = num("DBMS_RETCODE_TABLE_DOES_NOT_EXIST_2", 0);
    d.rcTableExists = num("DBMS_RETCODE_TABLE_ALREADY_EXISTS", 0);
    d.rcIndexExists = num("DBMS_RETCODE_INDEX_ALREADY_EXISTS", 0);
    d.rcIndexExists2 = num("DBMS_RETCODE_INDEX_ALREADY_EXISTS_2", 0);
    d.rcViewExists = num("DBMS_RETCODE_VIEW_ALREADY_EXISTS", 0);
    d.rcInsuffPrivileges = num("DBMS_RETCODE_INSUFF_PRIVILEGES", 0);
    d.rcUserExists = num("DBMS_RETCODE_USER_ALREADY_EXISTS", 0);
    d.rcRowLocked = num("DBMS_RETCODE_ROW_LOCKED", 0);
    d.mixedModeCommitment = yes("MIXED_MODE_COMMITMENT", 0);
    d.indexDroppedWithTable = yes("INDEX_DROPPED_WITH_TABLE", 1);
    d.rcIndexNotExist = num("DBMS_RETCODE_INDEX_DOES_NOT_EXIST", 0);
    d.rcColumnExists = num("DBMS_RETCODE_COLUMN_ALREADY_EXISTS", 0);
    d.rcColumnDecreasePrecision = num("DBMS_RETCODE_COLUMN_DECREASE_PRECISION", 0);
    d.charNativeName = text("TYPE_CHAR_NATIVE_NAME");
    d.developmentDatabaseDll = lower(text("DEVELOPMENT_DATABASE_DLL"));
    d.useInternalNames = yes("USE_INTERNAL_NAMES", 0);
    d.ignoreNativeSupport = yes("IGNORE_NATIVE_SUPPORT", 1);
    d.nativeCommitment = yes("NATIVE_COMMITMENT", 0);
    d.velmoDefinedDb = yes("SUPPORTS_VELMO_DEFINED_DB", 0);
    d.allocBehaviour = yes("SUPPORTS_ALLOC_BEHAVIOUR", 1);
    d.kshBehaviour = yes("SUPPORTS_KSH_BEHAVIOUR", 0);
    d.datetimeMaxDigits = num("TYPE_DATETIME_MAX_DIGITS", 19);
    d.nativeDatetimeOnly = yes("NATIVE_DATETIME_ONLY", 0);
    if (d.nativeDatetimeOnly == 0) {
        d.dateAsDatetimeLiteral = 1;
        d.timeAsDatetimeLiteral = 1;
    } else {
        d.dateAsDatetimeLiteral = yes("DATE_AS_DATETIME_LITERAL", 0);
        d.timeAsDatetimeLiteral = yes("TIME_AS_DATETIME_LITERAL", 0);
    }
    d.singleConnection = yes("USE_SINGLE_CONNECTION", 1);
    d.lockType = text("LOCK_TYPE");
    d.lockTimeout = num("LOCK_TIMEOUT", 0);
    d.cmdLockTimeout = text("CMD_LOCK_TIMEOUT");
    d.delimiter = '"';
    d.separator = '.';
    return 0;
}

// ---------------------------------------------------------------------------
// Column-type settings
// ---------------------------------------------------------------------------

int X_CTD_SetDefaultCapabilities(const X_CTD_TABLE_DEFINITION& record, std::unique_ptr<X_CTD_TYPE_SETTINGS>& out,
                                 const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms)
{
    out = std::make_unique<X_CTD_TYPE_SETTINGS>();
    X_CTD_TYPE_SETTINGS& s = *out;
    const std::string& n = dbms.name;
    auto text = [&](const std::string& key, const std::string& missing) { return textOr(table, n, key, missing); };
    auto num = [&](const std::string& key, int32_t missing) { return numberOr(table, n, key, missing); };
    auto yes = [&](const std::string& key, int32_t missing) { return X_CTD_YesFlag(table, n, key, missing); };

    s.alphaAsFixed = yes("CREATE_ALPHA_AS_FIXED", 0);
    // TINYINT has a name of its own like its neighbours: without one its
    // columns would be written without a type.
    static constexpr const char* defaultNames[X_CTD_TYPE_COUNT] = {
        "CHAR",    "VARCHAR",   "LONGVARCHAR", nullptr, "DECIMAL",  "TINYINT", "SMALLINT",
        "INTEGER", nullptr,     "DOUBLE",      "REAL",  "DATE",     "TIME",    "TIMESTAMP",
        "BINARY",  "VARBINARY", "BINARY",      "NCHAR", "NVARCHAR", "NCLOB"};
    // DECIMAL first, so that NUMERIC and BIGINT can copy the name it settles on.
    s.name[T_DECIMAL] = text("TYPE_DECIMAL_NAME", "DECIMAL");
    for (int t = 0; t < X_CTD_TYPE_COUNT; ++t) {
        std::string kw = X_CTD_TYPE_KEYWORDS[t];
        if (t != T_DECIMAL)
            s.name[t] = text("TYPE_" + kw + "_NAME", defaultNames[t] ? defaultNames[t] : s.name[T_DECIMAL]);
        if (t < T_UCHAR)
            s.supported[t] = yes("SUPPORTS_TYPE_" + kw, 1);
    }
    s.supported[T_UCHAR] = yes("SUPPORTS_TYPE_CHAR", 0);
    s.supported[T_UVARCHAR] = yes("SUPPORTS_TYPE_VARCHAR", 0);
    s.supported[T_UCLOB] = yes("SUPPORTS_TYPE_LONGVARCHAR", 0);
    s.binaryAppend = text("TYPE_BINARY_APPEND", "");
    s.varbinaryAppend = text("TYPE_VARBINARY_APPEND", "");
    s.kshAppend = text("KSH_EOJ_APPEND", "");
    s.notNullSupported = yes("SUPPORTS_NOT_NULL", 1);
    static constexpr X_CTD_TYPE limited[] = {T_CHAR,      T_VARCHAR,       T_LONGVARCHAR, T_DECIMAL, T_SMALLINT,
                                             T_INTEGER,   T_DOUBLE,        T_NUMERIC,     T_BIGINT,  T_BINARY,
                                             T_VARBINARY, T_LONGVARBINARY, T_DATETIME};
    // NUMERIC takes DECIMAL's limits when it has none of its own, as it takes
    // its name (DECIMAL comes first in the list).
    for (X_CTD_TYPE t : limited) {
        int32_t missing = (t == T_BINARY || t == T_VARBINARY || t == T_LONGVARBINARY) ? 255
                          : t == T_DATETIME                                           ? 19
                          : t == T_NUMERIC                                            ? s.maxDigits[T_DECIMAL]
                                                                                      : 0;
        s.maxDigits[t] = num(std::string("TYPE_") + X_CTD_TYPE_KEYWORDS[t] + "_MAX_DIGITS", missing);
    }
    for (X_CTD_TYPE t : limited)
        s.maxDecimals[t] = num(std::string("TYPE_") + X_CTD_TYPE_KEYWORDS[t] + "_MAX_DECIMALS",
                               t == T_NUMERIC ? s.maxDecimals[T_DECIMAL] : 0);
    s.lvcRequiresLen = yes("TYPE_LONGVARCHAR_REQUIRES_LEN", 0);
    s.lvcDefaultLen = text("TYPE_LONGVARCHAR_DEFAULT_LEN", "0");
    s.lvbRequiresLen = yes("TYPE_LONGVARBINARY_REQUIRES_LEN", 0);
    s.lvbDefaultLen = text("TYPE_LONGVARBINARY_DEFAULT_LEN", "0");
    s.datetimeAppend = text("TYPE_DATETIME_APPEND", "");
    s.charToBinary = static_cast<int32_t>(record.charToBinary);
    if (s.charToBinary) {
        int32_t ignoreYes = 0;
        bool keep =
            X_CTD_sGetCapability(table, n, "IGNORE_CHAR_TO_BINARY", nullptr, nullptr, &ignoreYes) && ignoreYes == 0;
        if (!keep)
            s.charToBinary = 0;
    }
    s.ucharAppend = text("TYPE_UCHAR_APPEND", "");
    s.uvarcharAppend = text("TYPE_UVARCHAR_APPEND", "");
    s.uclobAppend = text("TYPE_UCLOB_APPEND", "");
    for (X_CTD_TYPE t : {T_UCHAR, T_UVARCHAR, T_UCLOB})
        s.maxDigits[t] = num(std::string("TYPE_") + X_CTD_TYPE_KEYWORDS[t] + "_MAX_DIGITS", 0);
    s.uclobRequiresLen = yes("TYPE_UCLOB_REQUIRES_LEN", 0);
    s.uclobDefaultLen = text("TYPE_UCLOB_DEFAULT_LEN", "0");
    return 1;
}
