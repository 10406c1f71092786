// The table-definition generator's exported entry points (dqov/tables/dqov_tables.h):
// C-linkage forms of the module's operations for the environment's table
// tools, over the opaque capability table, DBMS description, table
// definition and export-file handle. Texts come in as NUL-terminated texts
// and go out into the caller's buffers, never past their size.
#include "tables/ctd/ctd.h"

#include <algorithm>
#include <cstring>

namespace {

std::string_view text(const char* value)
{
    return value ? std::string_view(value) : std::string_view();
}

// Copies `value` (NULs inside it included) and a closing NUL into out when
// they fit in `size` bytes, else leaves "" there; returns the value's length.
size_t put(const std::string& value, char* out, size_t size)
{
    if (out && size > 0) {
        if (value.size() < size)
            std::memcpy(out, value.c_str(), value.size() + 1);
        else
            out[0] = '\0';
    }
    return value.size();
}

// The text a caller's buffer holds, to be appended to.
std::string held(const char* buffer, size_t size)
{
    return buffer && size > 0 ? std::string(buffer, strnlen(buffer, size)) : std::string();
}

// Runs a statement builder into a text when the inputs are there and hands
// the statement to the caller's buffer.
template <class Build> size_t statement(bool ready, char* out, size_t size, Build build)
{
    std::string text;
    if (ready)
        build(text);
    return put(text, out, size);
}

bool fits(const std::string& value, size_t size)
{
    return value.size() < size;
}

// The names of entries that a listing stored.
void names(const X_CTD_DBMS_ENTRY* const* entries, uint16_t count, const char** out)
{
    for (uint16_t i = 0; i < count; ++i)
        out[i] = entries[i]->name.c_str();
}

}  // namespace

// ---- capabilities ----------------------------------------------------------

extern "C" int16_t X_CTD_Load_Capabilities(const char* path, X_CTD_CAPABILITY_TABLE** table, char* error,
                                           size_t errorSize)
{
    put("", error, errorSize);
    if (!table)
        return -1;
    if (*table)
        return 0;
    X_CTD_CAPABILITY_TABLE_PTR loaded;
    std::string message;
    int16_t rc = X_CTD_Load_Capabilities(path ? path : "", loaded, message);
    if (!message.empty() && error && errorSize > 0) {
        // a message cut to the buffer is better than none
        size_t n = std::min(message.size(), errorSize - 1);
        std::memcpy(error, message.data(), n);
        error[n] = '\0';
    }
    *table = loaded.release();
    return rc;
}

extern "C" void X_CTD_FreeCapabilities(X_CTD_CAPABILITY_TABLE** table)
{
    if (!table)
        return;
    X_CTD_CAPABILITY_TABLE_PTR owned(*table);
    X_CTD_FreeCapabilities(owned);
    *table = nullptr;
}

extern "C" int32_t X_CTD_GetCapabilityDefaultNo(const X_CTD_CAPABILITY_TABLE* table, const char* dbms, const char* key,
                                                char* value, size_t valueSize, int32_t* number, int32_t* yes)
{
    std::string found;
    int32_t rc = X_CTD_GetCapabilityDefaultNo(table, text(dbms), text(key), &found, number, yes);
    put(found, value, valueSize);
    return rc;
}

extern "C" void X_CTD_ListDBMS(const X_CTD_CAPABILITY_TABLE* table, uint16_t* count, const char** out)
{
    if (!count)
        return;
    std::vector<const X_CTD_DBMS_ENTRY*> entries(*count);
    X_CTD_ListDBMS(table, *count, entries.data());
    names(entries.data(), *count, out);
}

extern "C" void X_CTD_FindDBMSWithCapability(const X_CTD_CAPABILITY_TABLE* table, const char* key, const char* value,
                                             uint16_t* count, const char** out)
{
    if (!count)
        return;
    std::vector<const X_CTD_DBMS_ENTRY*> entries(*count);
    X_CTD_FindDBMSWithCapability(table, text(key), text(value), *count, entries.data());
    names(entries.data(), *count, out);
}

// ---- table definitions -----------------------------------------------------

extern "C" void X_CTD_CreateTableDefinition(X_CTD_TABLE_DEFINITION** record, const char* internalName,
                                            const char* table, const char* description, const char* collection,
                                            uint16_t otherDatabase, int16_t creationValue, const char* dsn,
                                            const char* qualifier, const char* dbType, const char* connection,
                                            const char* encrypted, const char* spare, const char* dataLibrary,
                                            char commitmentControl, char nameFlag, char atSign)
{
    if (!record)
        return;
    X_CTD_TABLE_DEFINITION_PTR made;
    X_CTD_CreateTableDefinition(made, text(internalName), text(table), text(description), text(collection),
                                otherDatabase, creationValue, text(dsn), text(qualifier), text(dbType),
                                text(connection), encrypted, text(spare), nullptr, text(dataLibrary), commitmentControl,
                                nameFlag, atSign);
    *record = made.release();
}

extern "C" void X_CTD_FreeTableDefinition(X_CTD_TABLE_DEFINITION** record)
{
    if (!record)
        return;
    X_CTD_TABLE_DEFINITION_PTR owned(*record);
    X_CTD_FreeTableDefinition(owned);
    *record = nullptr;
}

extern "C" void X_CTD_ReadDefinition(const char* path, X_CTD_TABLE_DEFINITION** record, int keepViews, int keepIndexes,
                                     const X_CTD_CAPABILITY_TABLE* table, const char* dbms)
{
    if (!record)
        return;
    X_CTD_TABLE_DEFINITION_PTR owned(*record);
    X_CTD_ReadDefinition(path ? path : "", owned, nullptr, keepViews, keepIndexes, table, text(dbms));
    *record = owned.release();
}

extern "C" void X_CTD_WriteDefinition(const char* path, X_CTD_TABLE_DEFINITION* record)
{
    if (path && record)
        X_CTD_WriteDefinition(path, *record);
}

extern "C" int32_t X_CTD_AddAppendClause(X_CTD_TABLE_DEFINITION* record, const char* dbmsType, const char* clause)
{
    return record && X_CTD_AddAppendClause(*record, text(dbmsType), text(clause)) ? 1 : 0;
}

extern "C" uint16_t X_CTD_AddColumn(X_CTD_TABLE_DEFINITION* record, const char* name, const char* description,
                                    char type, uint32_t length, uint32_t decimals, int notNull, uint32_t autoFlag,
                                    const char* internalName, uint32_t ignoreIfNative, char ksh, uint16_t alloc)
{
    if (!record)
        return alloc;
    return X_CTD_AddColumn(*record, text(name), text(description), type, length, decimals, notNull, autoFlag,
                           text(internalName), ignoreIfNative, ksh, alloc);
}

extern "C" void X_CTD_AddPrimaryKeyColumn(X_CTD_TABLE_DEFINITION* record, const char* keyName, const char* column)
{
    if (record)
        X_CTD_AddPrimaryKeyColumn(*record, text(keyName), text(column));
}

extern "C" void X_CTD_AddView(X_CTD_TABLE_DEFINITION* record, const char* name, const char* internalName,
                              const char* viewText, const char* internalText)
{
    if (record)
        X_CTD_AddView(*record, text(name), text(internalName), text(viewText), text(internalText));
}

extern "C" void X_CTD_AddIndex(X_CTD_TABLE_DEFINITION* record, const char* name, int unique)
{
    if (record)
        X_CTD_AddIndex(*record, text(name), unique);
}

extern "C" void X_CTD_AddKeyToLastIndex(X_CTD_TABLE_DEFINITION* record, const char* column, int descending)
{
    if (record)
        X_CTD_AddKeyToLastIndex(*record, text(column), descending);
}

extern "C" int32_t X_CTD_AddIndexAppendClause(X_CTD_TABLE_DEFINITION* record, const char* index, const char* dbmsType,
                                              const char* clause)
{
    return record && X_CTD_AddIndexAppendClause(*record, text(index), text(dbmsType), text(clause)) ? 1 : 0;
}

extern "C" void X_CTD_RemoveLastIndex(X_CTD_TABLE_DEFINITION* record)
{
    if (record)
        X_CTD_RemoveLastIndex(*record);
}

extern "C" void X_CTD_NextMessage(X_CTD_TABLE_DEFINITION* record, char* textOut, size_t textSize, char restart,
                                  char fatalOnly)
{
    std::string message;
    if (record)
        X_CTD_NextMessage(*record, message, restart, fatalOnly);
    put(message, textOut, textSize);
}

extern "C" char X_CTD_CountMessages(const X_CTD_TABLE_DEFINITION* record, uint16_t* information, uint16_t* warnings,
                                    uint16_t* fatal)
{
    uint16_t counts[3] = {};
    char last = record ? X_CTD_CountMessages(*record, counts[0], counts[1], counts[2]) : 0;
    if (information)
        *information = counts[0];
    if (warnings)
        *warnings = counts[1];
    if (fatal)
        *fatal = counts[2];
    return last;
}

extern "C" void X_CTD_ClearMessages(X_CTD_TABLE_DEFINITION* record)
{
    if (record)
        X_CTD_ClearMessages(*record);
}

// ---- statements ------------------------------------------------------------
// A missing record or DBMS description builds no statement.

extern "C" int32_t X_CTD_AppendSplitName(const X_CTD_TABLE_DEFINITION* record, const X_CTD_DBMS_INFO* dbms,
                                         char* tableOut, size_t tableSize, char* collectionOut, size_t collectionSize)
{
    std::string table = held(tableOut, tableSize), collection = held(collectionOut, collectionSize);
    if (record && dbms)
        X_CTD_AppendSplitName(*record, *dbms, table, collection);
    put(table, tableOut, tableSize);
    put(collection, collectionOut, collectionSize);
    return fits(table, tableSize) && fits(collection, collectionSize) ? 1 : 0;
}

extern "C" size_t X_CTD_AppendCreateName(const X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                         const X_CTD_DBMS_INFO* dbms, char* out, size_t outSize)
{
    std::string statement = held(out, outSize);
    if (record && dbms)
        X_CTD_AppendCreateName(*record, table, *dbms, statement);
    return put(statement, out, outSize);
}

extern "C" size_t X_CTD_BuildCreateTable(X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                         const X_CTD_DBMS_INFO* dbms, char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_BuildCreateTable(*record, table, *dbms, text); });
}

extern "C" size_t X_CTD_BuildIdentityColumnStatement(X_CTD_TABLE_DEFINITION* record,
                                                     const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO* dbms,
                                                     char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_BuildIdentityColumnStatement(*record, table, *dbms, text); });
}

extern "C" size_t X_CTD_BuildPrimaryKeyStatements(const X_CTD_TABLE_DEFINITION* record,
                                                  const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO* dbms,
                                                  const char* constraint, int drop, int add, uint16_t* count, char* out,
                                                  size_t outSize)
{
    std::string statements;
    uint16_t made = 0;
    if (record && dbms)
        X_CTD_BuildPrimaryKeyStatements(*record, table, *dbms, constraint, drop, add, made, statements);
    if (count)
        *count = made;
    // the buffer holds every statement with its own NUL; the length counts all but the last NUL
    if (!statements.empty() && statements.back() == '\0')
        statements.pop_back();
    return put(statements, out, outSize);
}

extern "C" size_t X_CTD_BuildOracleRrnoBlock(const X_CTD_TABLE_DEFINITION* record, const void* unused,
                                             const X_CTD_DBMS_INFO* dbms, char* out, size_t outSize)
{
    std::string block;
    if (record && dbms)
        X_CTD_BuildOracleRrnoBlock(*record, unused, *dbms, block);
    // no block leaves the caller's buffer as it was
    return block.empty() ? 0 : put(block, out, outSize);
}

extern "C" size_t X_CTD_BuildCreateIndex(X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                         const X_CTD_DBMS_INFO* dbms, uint16_t index, char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_BuildCreateIndex(*record, table, *dbms, index, text); });
}

extern "C" size_t X_CTD_BuildCreateView(const X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                        const X_CTD_DBMS_INFO* dbms, uint16_t view, char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_BuildCreateView(*record, table, *dbms, view, text); });
}

extern "C" size_t X_CTD_DropPrefixedTableStatement(const X_CTD_TABLE_DEFINITION* record,
                                                   const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO* dbms,
                                                   const char* suffix, char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_DropPrefixedTableStatement(*record, table, *dbms, suffix, text); });
}

extern "C" size_t X_CTD_DropViewStatement(const X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                          const X_CTD_DBMS_INFO* dbms, uint16_t view, char* out, size_t outSize)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_DropViewStatement(*record, table, *dbms, view, text); });
}

extern "C" size_t X_CTD_DropIndexStatement(const X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                           const X_CTD_DBMS_INFO* dbms, uint16_t index, char* out, size_t outSize,
                                           int always)
{
    return statement(record && dbms, out, outSize,
                     [&](std::string& text) { X_CTD_DropIndexStatement(*record, table, *dbms, index, text, always); });
}

extern "C" size_t X_CTD_BuildTableCopy(const X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                       const X_CTD_DBMS_INFO* dbms, const char* suffix, char* out, size_t outSize)
{
    return statement(record && dbms && out, out, outSize,
                     [&](std::string& text) { X_CTD_BuildTableCopy(*record, table, *dbms, suffix, &text); });
}

extern "C" size_t X_CTD_BuildInsertFromCopy(X_CTD_TABLE_DEFINITION* newRecord, const X_CTD_TABLE_DEFINITION* oldRecord,
                                            const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO* dbms,
                                            const char* suffix, char* out, size_t outSize)
{
    // the old record is read column by column for every new one
    const bool ready = newRecord && oldRecord && dbms && out && oldRecord->columns.size() >= newRecord->columns.size();
    return statement(ready, out, outSize, [&](std::string& text) {
        X_CTD_BuildInsertFromCopy(*newRecord, *oldRecord, table, *dbms, suffix, &text);
    });
}

extern "C" int32_t X_CTD_BuildCollectionCommands(X_CTD_TABLE_DEFINITION* record, const X_CTD_CAPABILITY_TABLE* table,
                                                 const X_CTD_DBMS_INFO* dbms, char* create, char* grantCollection,
                                                 char* grantTable, size_t bufferSize)
{
    std::string commands[3];
    if (record && dbms)
        X_CTD_BuildCollectionCommands(*record, table, *dbms, commands[0], commands[1], commands[2]);
    put(commands[0], create, bufferSize);
    put(commands[1], grantCollection, bufferSize);
    put(commands[2], grantTable, bufferSize);
    return fits(commands[0], bufferSize) && fits(commands[1], bufferSize) && fits(commands[2], bufferSize) ? 1 : 0;
}

// ---- export file -----------------------------------------------------------

extern "C" int X_CTD_OpenExportFile(const char* path, X_CTD_EXPORT_FILE** handle, int mode)
{
    if (!handle)
        return 0;
    X_CTD_EXPORT_FILE_PTR opened(*handle);
    int rc = X_CTD_OpenExportFile(path ? path : "", opened, mode);
    *handle = opened.release();
    return rc;
}

extern "C" X_CTD_EXPORT_FIELD* X_CTD_ExportRecord(X_CTD_EXPORT_FILE* handle, uint16_t** code, uint16_t** fieldCount)
{
    if (!handle)
        return nullptr;
    if (code)
        *code = &handle->recordCode;
    if (fieldCount)
        *fieldCount = &handle->fieldCount;
    return handle->fields;
}

extern "C" int32_t X_CTD_WriteExportRecord(X_CTD_EXPORT_FILE* handle)
{
    return handle ? X_CTD_WriteExportRecord(*handle) : 2;
}

extern "C" int32_t X_CTD_ReadExportRecord(X_CTD_EXPORT_FILE* handle)
{
    return handle ? X_CTD_ReadExportRecord(*handle) : 2;
}

extern "C" int32_t X_CTD_CloseExportFile(X_CTD_EXPORT_FILE** handle)
{
    if (!handle)
        return 1;
    X_CTD_EXPORT_FILE_PTR owned(*handle);
    *handle = nullptr;
    return X_CTD_CloseExportFile(owned);
}
