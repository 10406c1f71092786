// Table-definition record: constructors, adders, name resolution and the
// message list with the module's own message texts.
#include "tables/ctd/ctd.h"

#include <algorithm>
#include <cstdio>

void X_CTD_SetText(std::string& field, std::string_view value, size_t width)
{
    size_t nul = value.find('\0');
    if (nul != std::string_view::npos)
        value = value.substr(0, nul);
    field.assign(value.substr(0, width));
}

std::string X_CTD_Quote(std::string_view name, char delimiter)
{
    std::string out;
    for (char c : name) {
        out.push_back(c);
        if (c == delimiter)
            out.push_back(c);
    }
    return out;
}

void X_CTD_TrimRight(std::string& text)
{
    while (!text.empty()) {
        char c = text.back();
        if (c != ' ' && c != '\0' && c != '\f' && c != '\n' && c != '\r')
            break;
        text.pop_back();
    }
}

std::string X_CTD_TrimLine(std::string line)
{
    X_CTD_TrimRight(line);
    size_t start = line.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : line.substr(start);
}

std::string X_CTD_FormatMessage(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto next = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd')) {
            if (next != values.end())
                out.append(*next++);
            ++i;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

namespace {

struct MessageEntry {
    int number;
    const char* text;
};

constexpr MessageEntry kMessages[] = {
    {234, "(0234) Fatal error detected when writing to file %s."},
    {242, "(0242) Fatal error detected when reading from file %s."},
    {336, "(0336) Fatal error detected when opening %s for %s."},
    {387, "(0387) WARNING - CTD identifier/string \"%s\" used out of context or invalidly. String has been ignored."},
    {388, "(0388) WARNING - CTD identifier/string \"%s\" is unknown or invalid. String has been ignored."},
    {389, "(0389) FATAL - Table %s definition specifies a PRIMARY KEY, but the current DBMS is indicated as not "
          "supporting primary keys."},
    {390, "(0390) FATAL - Table %s uses type %s in its definition, but the current DBMS is indicated as not "
          "supporting this type."},
    {391, "(0391) WARNING - Table %s uses NOT NULL in its definition, but the current DBMS is indicated as not "
          "supporting this. NOT NULL option ignored."},
    {392, "(0392) WARNING - Table %s (column %s) is specified as type %s, which is not supported by the current "
          "DBMS. Type has been changed to %s."},
    {393, "(0393) WARNING - In table %s the definition of column %s exceeds the precision limits of the current "
          "DBMS. The effects of this loss of precision should be investigated."},
    {394, "(0394) INFORMATION - Current DBMS does not support primary keys, so primary key of table %s will be "
          "implemented as a unique index named %s."},
    {547, "(0547) WARNING - Table %s has an index %s with a descending key, but the current DBMS is indicated as "
          "not supporting descending keys. Descending has been ignored."},
    {884, "FATAL - Empty table, %s, cannot be created."},
    {909, "(0909) WARNING - In table %s the definition of column %s exceeds the precision limits of type %s. Type "
          "has been changed to %s."},
    {910, "(0910) FATAL - VELMO does not support this operation in databases of type %s%."},
    {911, "(0911) FATAL - Table %s uses the name %s, which is longer than the %s characters the current DBMS "
          "accepts."},
};

}  // namespace

std::string X_CTD_GetMessageText(int number)
{
    for (const auto& m : kMessages)
        if (m.number == number)
            return m.text;
    return X_CTD_FormatMessage("UNEXPECTED MESSAGE NUMBER %d ISSUED - REFER TO x_txtmsg.dat FOR DETAILS",
                               {std::to_string(number)});
}

void X_CTD_CreateTableDefinition(X_CTD_TABLE_DEFINITION_PTR& record, std::string_view internalName,
                                 std::string_view table, std::string_view description, std::string_view collection,
                                 uint16_t otherDatabase, int16_t creationValue, std::string_view dsn,
                                 std::string_view qualifier, std::string_view dbType, std::string_view connection,
                                 const char* encrypted, std::string_view spare, X_CTD_MESSAGE_FUNCTION messageText,
                                 std::string_view dataLibrary, char commitmentControl, char nameFlag, char atSign)
{
    record = std::make_unique<X_CTD_TABLE_DEFINITION>();
    X_CTD_TABLE_DEFINITION& r = *record;
    X_CTD_SetText(r.internalName, internalName, X_CTD_NAME_LEN);
    X_CTD_SetText(r.table, table, X_CTD_NAME_LEN);
    X_CTD_SetText(r.description, description, X_CTD_DESC_LEN);
    X_CTD_SetText(r.collection, collection, X_CTD_NAME_LEN);
    r.otherDatabase = otherDatabase;
    r.creationValue = creationValue;
    if (otherDatabase) {
        X_CTD_SetText(r.dsn, dsn, X_CTD_NAME_LEN);
        X_CTD_SetText(r.qualifier, qualifier, X_CTD_NAME_LEN);
        X_CTD_SetText(r.dbType, dbType, X_CTD_NAME_LEN);
        X_CTD_SetText(r.connection, connection, X_CTD_CONNECTION_LEN);
        r.encrypted = encrypted ? *encrypted : 0;
        X_CTD_SetText(r.spare, spare, X_CTD_SPARE_LEN);
    }
    r.messageText = messageText ? messageText : X_CTD_GetMessageText;
    X_CTD_SetText(r.dataLibrary, dataLibrary, X_CTD_NAME_LEN);
    r.commitmentControl = commitmentControl;
    r.nameFlag = nameFlag;
    r.atSign = atSign;
}

void X_CTD_FreeTableDefinition(X_CTD_TABLE_DEFINITION_PTR& record)
{
    record.reset();
}

bool X_CTD_AddAppendClause(X_CTD_TABLE_DEFINITION& record, std::string_view dbmsType, std::string_view text)
{
    if (record.appends.size() >= X_CTD_MAX_APPENDS)
        return false;
    X_CTD_APPEND_CLAUSE clause;
    X_CTD_SetText(clause.dbmsType, dbmsType, X_CTD_DBMS_NAME_LEN);
    X_CTD_SetText(clause.text, text, X_CTD_TEXT_LEN);
    record.appends.push_back(std::move(clause));
    return true;
}

uint16_t X_CTD_AddColumn(X_CTD_TABLE_DEFINITION& record, std::string_view name, std::string_view description, char type,
                         uint32_t length, uint32_t decimals, int notNullRequest, uint32_t autoFlag,
                         std::string_view internalName, uint32_t ignoreIfNative, char ksh, uint16_t alloc)
{
    X_CTD_COLUMN c;
    X_CTD_SetText(c.name, X_CTD_UsesGivenNames(record) ? name : internalName, X_CTD_NAME_LEN);
    X_CTD_SetText(c.description, description, X_CTD_DESC_LEN);
    c.type = type;
    c.length = length;
    c.decimals = decimals;
    c.notNull = notNullRequest == 1 ? 1 : 0;
    c.autoFlag = autoFlag;
    X_CTD_SetText(c.internalName, internalName, X_CTD_NAME_LEN);
    c.ignoreIfNative = ignoreIfNative;
    c.ksh = ksh;
    c.alloc = alloc;
    record.columns.push_back(std::move(c));
    return alloc;
}

void X_CTD_AddPrimaryKeyColumn(X_CTD_TABLE_DEFINITION& record, std::string_view keyName, std::string_view column)
{
    X_CTD_SetText(record.primaryKeyName, keyName, X_CTD_NAME_LEN);
    X_CTD_KEY_COLUMN key;
    X_CTD_SetText(key.column, column, X_CTD_NAME_LEN);
    record.primaryKey.push_back(std::move(key));
    record.keysChanged = 1;
}

void X_CTD_AddView(X_CTD_TABLE_DEFINITION& record, std::string_view name, std::string_view internalName,
                   std::string_view text, std::string_view internalText)
{
    X_CTD_VIEW v;
    X_CTD_SetText(v.name, name, X_CTD_NAME_LEN);
    X_CTD_SetText(v.internalName, internalName, X_CTD_NAME_LEN);
    X_CTD_SetText(v.text, text, X_CTD_TEXT_LEN);
    X_CTD_SetText(v.internalText, internalText, X_CTD_TEXT_LEN);
    record.views.push_back(std::move(v));
}

void X_CTD_AddIndex(X_CTD_TABLE_DEFINITION& record, std::string_view name, int uniqueRequest)
{
    X_CTD_INDEX index;
    X_CTD_SetText(index.name, name, X_CTD_NAME_LEN);
    index.unique = uniqueRequest == 1 ? 1 : 0;
    record.indexes.push_back(std::move(index));
}

void X_CTD_AddIndexKey(X_CTD_TABLE_DEFINITION& record, X_CTD_INDEX& index, std::string_view column,
                       int descendingRequest)
{
    X_CTD_INDEX_KEY key;
    X_CTD_SetText(key.column, column, X_CTD_NAME_LEN);
    key.descending = descendingRequest == 1 ? 1 : 0;
    index.keys.push_back(std::move(key));
    record.keysChanged = 1;
}

void X_CTD_AddKeyToLastIndex(X_CTD_TABLE_DEFINITION& record, std::string_view column, int descendingRequest)
{
    if (record.indexes.empty())
        return;
    X_CTD_AddIndexKey(record, record.indexes.back(), column, descendingRequest);
}

bool X_CTD_AddIndexAppendClause(X_CTD_TABLE_DEFINITION& record, std::string_view indexName, std::string_view dbmsType,
                                std::string_view text)
{
    for (auto& index : record.indexes) {
        if (index.name != indexName)
            continue;
        if (index.appends.size() >= X_CTD_MAX_APPENDS)
            return false;
        X_CTD_APPEND_CLAUSE clause;
        X_CTD_SetText(clause.dbmsType, dbmsType, X_CTD_DBMS_NAME_LEN);
        X_CTD_SetText(clause.text, text, X_CTD_TEXT_LEN);
        index.appends.push_back(std::move(clause));
        return true;
    }
    return false;
}

void X_CTD_RemoveLastIndex(X_CTD_TABLE_DEFINITION& record)
{
    if (!record.indexes.empty())
        record.indexes.pop_back();
}

std::string X_CTD_ColumnInternalName(const X_CTD_TABLE_DEFINITION* record, std::string_view name)
{
    if (record && X_CTD_UsesGivenNames(*record))
        for (const auto& c : record->columns)
            if (c.name == name)
                return c.internalName;
    return std::string(name);
}

void X_CTD_ResolveKeyColumnNames(X_CTD_TABLE_DEFINITION* record)
{
    if (!record || !record->keysChanged)
        return;
    for (auto& key : record->primaryKey)
        key.internalName = X_CTD_ColumnInternalName(record, key.column);
    for (auto& index : record->indexes)
        for (auto& key : index.keys)
            key.internalName = X_CTD_ColumnInternalName(record, key.column);
    record->keysChanged = 0;
}

void X_CTD_ObjectNames(std::string& tableOut, std::string& collectionOut, const X_CTD_TABLE_DEFINITION& record,
                       int32_t useInternalNames)
{
    tableOut = record.table;
    collectionOut = record.collection;
    if (!useInternalNames)
        return;
    if (!record.internalName.empty())
        tableOut = record.internalName;
    if (!record.dataLibrary.empty())
        collectionOut = record.dataLibrary;
}

// ---------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------

void X_CTD_AddMessage(X_CTD_TABLE_DEFINITION& record, char level, std::string_view text)
{
    X_CTD_MESSAGE m;
    m.level = level;
    X_CTD_SetText(m.text, text, X_CTD_MESSAGE_LEN);
    record.messages.push_back(std::move(m));
}

void X_CTD_NextMessage(X_CTD_TABLE_DEFINITION& record, std::string& textOut, char restart, char fatalOnly)
{
    textOut.clear();
    if (restart == 'Y')
        record.messageCursor = 0;
    while (record.messageCursor < record.messages.size()) {
        const X_CTD_MESSAGE& m = record.messages[record.messageCursor++];
        if (fatalOnly == 'Y' && m.level != 'F')
            continue;
        textOut = m.text;
        return;
    }
}

char X_CTD_CountMessages(const X_CTD_TABLE_DEFINITION& record, uint16_t& information, uint16_t& warnings,
                         uint16_t& fatal)
{
    information = warnings = fatal = 0;
    for (const auto& m : record.messages) {
        if (m.level == 'I')
            ++information;
        else if (m.level == 'W')
            ++warnings;
        else if (m.level == 'F')
            ++fatal;
    }
    return record.messages.empty() ? 0 : record.messages.back().level;
}

void X_CTD_ClearMessages(X_CTD_TABLE_DEFINITION& record)
{
    record.messages.clear();
    record.messageCursor = 0;
}

void X_CTD_IssueMessage(X_CTD_TABLE_DEFINITION& record, char level, int number,
                        std::initializer_list<std::string_view> values)
{
    X_CTD_MESSAGE_FUNCTION fn = record.messageText ? record.messageText : X_CTD_GetMessageText;
    X_CTD_AddMessage(record, level, X_CTD_FormatMessage(fn(number), values));
}

static std::string messageTable(const X_CTD_TABLE_DEFINITION& r, int32_t internal)
{
    return internal ? r.internalName : r.table;
}

static std::string messageColumn(const X_CTD_TABLE_DEFINITION& r, size_t column, int32_t internal)
{
    if (column >= r.columns.size())
        return {};
    return internal ? r.columns[column].internalName : r.columns[column].name;
}

void X_CTD_WarnTypeChanged(X_CTD_TABLE_DEFINITION& record, size_t column, std::string_view given, std::string_view now,
                           int32_t useInternalNames)
{
    X_CTD_IssueMessage(
        record, 'W', 392,
        {messageTable(record, useInternalNames), messageColumn(record, column, useInternalNames), given, now});
}

void X_CTD_WarnTypePrecision(X_CTD_TABLE_DEFINITION& record, size_t column, std::string_view given,
                             std::string_view now, int32_t useInternalNames)
{
    X_CTD_IssueMessage(
        record, 'W', 909,
        {messageTable(record, useInternalNames), messageColumn(record, column, useInternalNames), given, now});
}

void X_CTD_InfoKeyAsIndex(X_CTD_TABLE_DEFINITION& record, std::string_view indexName, int32_t useInternalNames)
{
    X_CTD_IssueMessage(record, 'I', 394, {messageTable(record, useInternalNames), indexName});
}

int X_CTD_CheckPrecision(X_CTD_TABLE_DEFINITION& record, size_t column, uint32_t maxDigits, uint32_t maxDecimals,
                         int32_t useInternalNames)
{
    if (column >= record.columns.size())
        return 0;
    X_CTD_COLUMN& c = record.columns[column];
    if (c.length <= maxDigits && c.decimals <= maxDecimals)
        return 0;
    X_CTD_IssueMessage(record, 'W', 393,
                       {messageTable(record, useInternalNames), messageColumn(record, column, useInternalNames)});
    if (c.type != 'D' && c.type != 'N')
        return 0;
    c.length = std::min(c.length, maxDigits);
    c.decimals = std::min(c.decimals, maxDecimals);
    return 1;
}
