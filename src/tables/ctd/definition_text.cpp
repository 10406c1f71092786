// Table-definition text: the sectioned keyword file that describes one table,
// read into a table-definition record and written back from one.
#include "tables/ctd/ctd.h"

#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <set>

namespace {

constexpr size_t kLineBuffer = 5050;

enum class Section { None, Table, Columns, PrimaryKey, View, Index, IndexKeys };

struct TypeName {
    char code;
    const char* name;
    bool writeLength;
    bool writeDecimals;
};

constexpr TypeName kTypes[] = {
    {'A', "ALPHA", true, false},     {'W', "ALPHASBIN", true, false},      {'H', "CHAR", true, false},
    {'X', "FIXCHAR", true, false},   {'1', "VARCHAR", true, false},        {'3', "LONGVARCHAR", false, false},
    {'D', "DECIMAL", true, true},    {'N', "NUMERIC", true, true},         {'Q', "TINYINT", false, false},
    {'S', "SMALLINT", false, false}, {'I', "INTEGER", false, false},       {'R', "REAL", false, false},
    {'U', "DOUBLE", false, false},   {'G', "BIGINT", false, false},        {'B', "BINARY", true, false},
    {'2', "VARBINARY", true, false}, {'4', "LONGVARBINARY", false, false}, {'E', "DATE", false, false},
    {'T', "TIME", false, false},     {'Z', "DATETIME", true, true},        {'C', "UCHAR", true, false},
    {'V', "UVARCHAR", true, false},  {'L', "UCLOB", false, false},
};

const TypeName* typeByCode(char code)
{
    for (const auto& t : kTypes)
        if (t.code == code)
            return &t;
    return nullptr;
}

const TypeName* typeByName(std::string_view upper)
{
    for (const auto& t : kTypes)
        if (upper == t.name)
            return &t;
    return nullptr;
}

class Reader {
public:
    Reader(X_CTD_TABLE_DEFINITION& r, const X_CTD_CAPABILITY_TABLE* caps, std::string_view dbms) : r_(r)
    {
        rrnoRule_ = caps && X_CTD_YesFlag(caps, dbms, "CREATE_RRNO_INDEXES", 0) != 0;
        std::string name(dbms.substr(0, X_CTD_DBMS_NAME_LEN));
        dbms_ = name;
        tableAppend_ = "CREATE_TABLE_APPEND_" + name + "=";
        indexAppend_ = "CREATE_INDEX_APPEND_" + name + "=";
    }

    void line(const std::string& text);
    void rejectPiece(const std::string& text)
    {
        X_CTD_IssueMessage(r_, 'W', 388, {text.substr(0, X_CTD_QUOTED_LINE_LEN)});
    }
    void finish() { applyRrnoRule(); }

private:
    void applyRrnoRule();
    bool keyword(std::string_view kw) const
    {
        if (kw.back() == '=')
            return X_CTD_KeywordDiffers(upper_, kw) == 0;
        return upper_ == kw;
    }
    void outOfContext() { X_CTD_IssueMessage(r_, 'W', 387, {line_.substr(0, X_CTD_QUOTED_LINE_LEN)}); }
    void unknown() { X_CTD_IssueMessage(r_, 'W', 388, {line_.substr(0, X_CTD_QUOTED_LINE_LEN)}); }
    void enter(Section s)
    {
        section_ = s;
        seen_.clear();
    }
    // True when the keyword was not yet given for the entry being filled.
    bool firstTime(std::string_view kw)
    {
        if (seen_.insert(std::string(kw)).second)
            return true;
        outOfContext();
        return false;
    }
    bool tableKeyword(std::string_view kw);
    bool columnKeyword(std::string_view kw);

    X_CTD_TABLE_DEFINITION& r_;
    bool rrnoRule_ = false;
    bool hasRrnoColumn_ = false;
    std::string dbms_;
    std::string tableAppend_, indexAppend_;
    Section section_ = Section::None;
    std::set<std::string> seen_;
    std::string line_, upper_, value_;
    bool columnOpen_ = false, viewOpen_ = false, indexOpen_ = false;
};

void Reader::applyRrnoRule()
{
    if (!rrnoRule_ || !hasRrnoColumn_ || r_.otherDatabase || section_ != Section::IndexKeys || r_.indexes.empty())
        return;
    const X_CTD_INDEX& last = r_.indexes.back();
    if (last.unique || (last.keys.size() == 1 && last.name.size() == 21))
        return;
    X_CTD_AddKeyToLastIndex(r_, X_CTD_RrnoKeyName(r_), 0);
}

bool Reader::tableKeyword(std::string_view kw)
{
    if (section_ != Section::Table) {
        outOfContext();
        return false;
    }
    return firstTime(kw);
}

bool Reader::columnKeyword(std::string_view kw)
{
    if (section_ != Section::Columns || !columnOpen_) {
        outOfContext();
        return false;
    }
    return firstTime(kw);
}

void Reader::line(const std::string& raw)
{
    line_ = X_CTD_TrimLine(raw);
    if (line_.empty() || line_[0] == '*')
        return;
    upper_ = line_;
    for (char& c : upper_)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    size_t eq = line_.find('=');
    value_ = eq == std::string::npos ? std::string() : line_.substr(eq + 1);

    // Section keywords.
    if (upper_ == "DEFINE_TABLE")
        return enter(Section::Table);
    if (upper_ == "DEFINE_COLUMNS")
        return enter(Section::Columns);
    if (upper_ == "DEFINE_PRIMARY_KEYS")
        return enter(Section::PrimaryKey);
    if (upper_ == "IGNORE_IF_NATIVE") {
        if (section_ == Section::Columns && columnOpen_)
            r_.columns.back().ignoreIfNative = 1;
        return;
    }
    if (upper_ == "DEFINE_VIEW") {
        enter(Section::View);
        r_.views.emplace_back();
        viewOpen_ = true;
        return;
    }
    if (upper_ == "DEFINE_INDEX") {
        applyRrnoRule();
        enter(Section::Index);
        r_.indexes.emplace_back();
        indexOpen_ = true;
        return;
    }
    if (upper_ == "DEFINE_INDEX_KEYS") {
        if (section_ != Section::Index || !indexOpen_)
            return outOfContext();
        return enter(Section::IndexKeys);
    }

    auto cut = [&](std::string& field, size_t width) { X_CTD_SetText(field, value_, width); };
    auto first = [&]() { return value_.empty() ? '\0' : value_[0]; };
    // A flag character written as a blank comes back as an empty value.
    auto flag = [&]() { return value_.empty() ? ' ' : value_[0]; };

    if (keyword("INTERNAL=")) {
        switch (section_) {
        case Section::Table:
            if (firstTime("INTERNAL="))
                cut(r_.internalName, X_CTD_NAME_LEN);
            return;
        case Section::Columns:
            if (columnKeyword("INTERNAL="))
                cut(r_.columns.back().internalName, X_CTD_NAME_LEN);
            return;
        case Section::IndexKeys:
            if (!indexOpen_ || r_.indexes.back().keys.empty())
                return outOfContext();
            if (firstTime("INTERNAL="))
                cut(r_.indexes.back().keys.back().internalName, X_CTD_NAME_LEN);
            return;
        case Section::PrimaryKey:
            if (r_.primaryKey.empty())
                return outOfContext();
            if (firstTime("INTERNAL="))
                cut(r_.primaryKey.back().internalName, X_CTD_NAME_LEN);
            return;
        case Section::View:
            if (!viewOpen_)
                return outOfContext();
            if (firstTime("INTERNAL="))
                cut(r_.views.back().internalName, X_CTD_NAME_LEN);
            return;
        default: return outOfContext();
        }
    }
    if (keyword("TABLE=")) {
        if (tableKeyword("TABLE="))
            cut(r_.table, X_CTD_NAME_LEN);
        return;
    }
    if (keyword("DTALIB=")) {
        if (tableKeyword("DTALIB="))
            cut(r_.dataLibrary, X_CTD_NAME_LEN);
        return;
    }
    if (keyword("COLLECTION=")) {
        if (tableKeyword("COLLECTION=")) {
            cut(r_.collection, X_CTD_NAME_LEN);
            cut(r_.dataLibrary, X_CTD_NAME_LEN);
        }
        return;
    }
    if (keyword("DESC=")) {
        if (section_ == Section::Table) {
            if (firstTime("DESC="))
                cut(r_.description, X_CTD_DESC_LEN);
        } else if (columnKeyword("DESC=")) {
            cut(r_.columns.back().description, X_CTD_DESC_LEN);
        }
        return;
    }
    if (keyword("CMTCTL=")) {
        if (tableKeyword("CMTCTL="))
            r_.commitmentControl = flag();
        return;
    }
    if (keyword("CHAR_TO_BINARY")) {
        if (tableKeyword("CHAR_TO_BINARY"))
            r_.charToBinary = 1;
        return;
    }
    if (keyword("ALTER")) {
        if (tableKeyword("ALTER"))
            r_.otherDatabase = 1;
        return;
    }
    if (keyword("DSN=")) {
        if (tableKeyword("DSN="))
            cut(r_.dsn, X_CTD_NAME_LEN);
        return;
    }
    if (keyword("QUALIFIER=")) {
        if (tableKeyword("QUALIFIER="))
            cut(r_.qualifier, X_CTD_NAME_LEN);
        return;
    }
    if (keyword("DBTYPE=")) {
        if (tableKeyword("DBTYPE="))
            cut(r_.dbType, X_CTD_NAME_LEN);
        return;
    }
    if (keyword("CONNECTION=")) {
        if (tableKeyword("CONNECTION="))
            cut(r_.connection, X_CTD_CONNECTION_LEN);
        return;
    }
    if (keyword("ENCRYPTED=")) {
        if (tableKeyword("ENCRYPTED="))
            r_.encrypted = first();
        return;
    }
    if (keyword("SPARE=")) {
        if (tableKeyword("SPARE="))
            cut(r_.spare, X_CTD_SPARE_LEN);
        return;
    }
    if (keyword("NAME=")) {
        switch (section_) {
        case Section::Columns: {
            if (value_.empty())
                return unknown();
            enter(Section::Columns);
            seen_.insert("NAME=");
            X_CTD_COLUMN c;
            cut(c.name, X_CTD_NAME_LEN);
            cut(c.internalName, X_CTD_NAME_LEN);
            if (rrnoRule_ && X_CTD_IsRrnoColumn(c.name, r_.atSign))
                hasRrnoColumn_ = true;
            r_.columns.push_back(std::move(c));
            columnOpen_ = true;
            return;
        }
        case Section::PrimaryKey:
            if (firstTime("NAME="))
                cut(r_.primaryKeyName, X_CTD_NAME_LEN);
            return;
        case Section::View:
            if (!viewOpen_)
                return outOfContext();
            if (firstTime("NAME="))
                cut(r_.views.back().name, X_CTD_NAME_LEN);
            return;
        case Section::Index:
            if (!indexOpen_)
                return outOfContext();
            if (value_.empty())
                return unknown();
            if (firstTime("NAME="))
                cut(r_.indexes.back().name, X_CTD_NAME_LEN);
            return;
        default: return outOfContext();
        }
    }
    if (keyword("TYPE=")) {
        if (!columnKeyword("TYPE="))
            return;
        std::string upperValue = upper_.substr(upper_.find('=') + 1);
        const TypeName* t = typeByName(upperValue);
        if (!t) {
            seen_.erase("TYPE=");
            return unknown();
        }
        r_.columns.back().type = t->code;
        return;
    }
    auto number = [&](std::string_view kw, auto apply) {
        if (!columnKeyword(kw))
            return;
        if (value_.empty()) {
            seen_.erase(std::string(kw));
            return unknown();
        }
        apply(std::atol(value_.c_str()));
    };
    if (keyword("LEN="))
        return number("LEN=", [&](long v) { r_.columns.back().length = static_cast<uint32_t>(v); });
    if (keyword("NOT_NULL")) {
        if (columnKeyword("NOT_NULL"))
            r_.columns.back().notNull = 1;
        return;
    }
    if (keyword("AUTO")) {
        if (columnKeyword("AUTO"))
            r_.columns.back().autoFlag = 1;
        return;
    }
    if (keyword("COLUMN=")) {
        if (value_.empty() && (section_ == Section::PrimaryKey || section_ == Section::IndexKeys))
            return unknown();
        if (section_ == Section::PrimaryKey) {
            std::string keyName = r_.primaryKeyName;
            X_CTD_AddPrimaryKeyColumn(r_, keyName, value_);
            r_.primaryKey.back().internalName = r_.primaryKey.back().column;
        } else if (section_ == Section::IndexKeys && indexOpen_) {
            X_CTD_AddKeyToLastIndex(r_, value_, 0);
            r_.indexes.back().keys.back().internalName = r_.indexes.back().keys.back().column;
        } else {
            return outOfContext();
        }
        seen_.clear();
        return;
    }
    if (keyword("DEC="))
        return number("DEC=", [&](long v) { r_.columns.back().decimals = static_cast<uint32_t>(v); });
    if (keyword("UNIQUE")) {
        if (section_ != Section::Index || !indexOpen_)
            return outOfContext();
        if (firstTime("UNIQUE"))
            r_.indexes.back().unique = 1;
        return;
    }
    if (keyword("DESCENDING")) {
        if (section_ != Section::IndexKeys || !indexOpen_ || r_.indexes.back().keys.empty())
            return outOfContext();
        if (firstTime("DESCENDING"))
            r_.indexes.back().keys.back().descending = 1;
        return;
    }
    if (keyword("COMMAND=")) {
        if (section_ != Section::View || !viewOpen_)
            return outOfContext();
        if (firstTime("COMMAND="))
            cut(r_.views.back().text, X_CTD_TEXT_LEN);
        return;
    }
    if (keyword("INTCMD=")) {
        if (section_ != Section::View || !viewOpen_)
            return outOfContext();
        if (firstTime("INTCMD="))
            cut(r_.views.back().internalText, X_CTD_TEXT_LEN);
        return;
    }
    // ALLOC= follows the atoi rules: the atol value cut to an int.
    if (keyword("ALLOC=")) {
        return number("ALLOC=", [&](long v) { r_.columns.back().alloc = static_cast<uint16_t>(static_cast<int>(v)); });
    }
    if (keyword(tableAppend_)) {
        if (section_ != Section::Table)
            return outOfContext();
        if (!X_CTD_AddAppendClause(r_, dbms_, value_))
            return outOfContext();
        return;
    }
    if (keyword(indexAppend_)) {
        // Index append lines are taken before and after the index's keys, so
        // that a text written by this module reads back whole.
        if ((section_ != Section::Index && section_ != Section::IndexKeys) || !indexOpen_)
            return outOfContext();
        std::string indexName = r_.indexes.back().name;
        if (!X_CTD_AddIndexAppendClause(r_, indexName, dbms_, value_))
            return outOfContext();
        return;
    }
    if (keyword("KSH=")) {
        if (columnKeyword("KSH="))
            r_.columns.back().ksh = first();
        return;
    }
    if (keyword("NAMEFLAG=")) {
        if (tableKeyword("NAMEFLAG="))
            r_.nameFlag = flag();
        return;
    }
    if (keyword("ATSIGN=")) {
        if (tableKeyword("ATSIGN="))
            r_.atSign = flag();
        return;
    }
    unknown();
}

}  // namespace

void X_CTD_ReadDefinition(const char* path, X_CTD_TABLE_DEFINITION_PTR& record, X_CTD_MESSAGE_FUNCTION messageText,
                          int keepViews, int keepIndexes, const X_CTD_CAPABILITY_TABLE* table,
                          std::string_view dbmsName)
{
    X_CTD_FreeTableDefinition(record);
    X_CTD_CreateTableDefinition(record, "", "", "", "", 0, 0, "", "", "", "", nullptr, "", messageText, "", 'Y', ' ',
                                '@');
    if (!record)
        return;
    X_CTD_TABLE_DEFINITION& r = *record;
    const std::string shownPath = path ? path : "";
    X_CTD_LINE_READER reader;
    X_CTD_OpenLineReader(reader, path, 1, O_RDONLY, 0);
    if (reader.fd < 0) {
        X_CTD_IssueMessage(r, 'F', 336, {shownPath, "read"});
        return;
    }
    Reader parser(r, table, dbmsName);
    std::string raw;
    long got;
    bool continuation = false;
    while ((got = X_CTD_ReadLine(raw, kLineBuffer, reader)) > 0) {
        // The rest of an over-long line is refused rather than read as
        // keywords of its own.
        if (continuation)
            parser.rejectPiece(raw);
        else
            parser.line(raw);
        continuation = reader.lastWasCut;
    }
    X_CTD_CloseLineReader(reader);
    if (got < 0) {
        X_CTD_IssueMessage(r, 'F', 242, {shownPath});
        return;
    }
    parser.finish();
    if (!keepViews)
        r.views.clear();
    if (!keepIndexes)
        r.indexes.clear();
}

void X_CTD_WriteDefinition(const char* path, X_CTD_TABLE_DEFINITION& r)
{
    X_CTD_ResolveKeyColumnNames(&r);
    const std::string shownPath = path ? path : "";
    std::FILE* f = path ? std::fopen(path, "wb") : nullptr;
    if (!f) {
        X_CTD_IssueMessage(r, 'F', 336, {shownPath, "write"});
        return;
    }
    auto put = [&](int indent, std::string_view text) {
        std::string line(static_cast<size_t>(indent), ' ');
        line.append(text);
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
    };
    auto chr = [](char c) { return c ? std::string(1, c) : std::string(); };
    put(0, "DEFINE_TABLE");
    put(2, "INTERNAL=" + r.internalName);
    put(2, "TABLE=" + r.table);
    put(2, "COLLECTION=" + r.collection);
    put(2, "DTALIB=" + r.dataLibrary);
    put(2, "DESC=" + r.description);
    put(2, "CMTCTL=" + chr(r.commitmentControl));
    put(2, "NAMEFLAG=" + chr(r.nameFlag));
    put(2, "ATSIGN=" + chr(r.atSign));
    for (const auto& clause : r.appends)
        put(2, "CREATE_TABLE_APPEND_" + clause.dbmsType + "=" + clause.text);
    if (r.otherDatabase) {
        put(2, "ALTER");
        put(2, "DSN=" + r.dsn);
        put(2, "QUALIFIER=" + r.qualifier);
        put(2, "DBTYPE=" + r.dbType);
        put(2, "CONNECTION=" + r.connection);
        put(2, "SPARE=" + r.spare);
        put(2, "ENCRYPTED=" + chr(r.encrypted));
    }
    if (!r.columns.empty())
        put(0, "DEFINE_COLUMNS");
    for (auto& c : r.columns) {
        put(2, "NAME=" + c.name);
        put(2, "INTERNAL=" + c.internalName);
        put(4, "DESC=" + c.description);
        const TypeName* t = typeByCode(c.type);
        put(4, std::string("TYPE=") + (t ? t->name : "UNKNOWN"));
        if ((t && t->writeLength) || c.type == 'F')
            put(4, "LEN=" + std::to_string(static_cast<long>(c.length)));
        if (c.type == 'Z') {
            // Fractional-second digits: none for the 19-character form, and
            // never fewer than none for a shorter length.
            c.decimals = c.length > 20 ? c.length - 20 : 0;
        }
        if (c.type == 'D' || c.type == 'N' || c.type == 'Z')
            put(4, "DEC=" + std::to_string(c.decimals));
        if (c.notNull)
            put(4, "NOT_NULL");
        if (c.autoFlag)
            put(4, "AUTO");
        if (c.ignoreIfNative && !r.otherDatabase)
            put(4, "IGNORE_IF_NATIVE");
        if (c.ksh != ' ')
            put(4, "KSH=" + chr(c.ksh));
        if (c.alloc)
            put(4, "ALLOC=" + std::to_string(c.alloc));
    }
    if (!r.primaryKey.empty()) {
        put(0, "DEFINE_PRIMARY_KEYS");
        put(2, "NAME=" + r.primaryKeyName);
        for (const auto& key : r.primaryKey) {
            put(4, "COLUMN=" + key.column);
            put(4, "INTERNAL=" + key.internalName);
        }
    }
    for (const auto& v : r.views) {
        put(0, "DEFINE_VIEW");
        put(2, "NAME=" + v.name);
        put(2, "INTERNAL=" + v.internalName);
        put(2, "COMMAND=" + v.text);
        put(2, "INTCMD=" + v.internalText);
    }
    for (const auto& index : r.indexes) {
        put(0, "DEFINE_INDEX");
        put(2, "NAME=" + index.name);
        if (index.unique)
            put(2, "UNIQUE");
        if (!index.keys.empty())
            put(2, "DEFINE_INDEX_KEYS");
        for (const auto& key : index.keys) {
            put(4, "COLUMN=" + key.column);
            put(4, "INTERNAL=" + key.internalName);
            if (key.descending)
                put(4, "DESCENDING");
        }
        for (const auto& clause : index.appends)
            put(2, "CREATE_INDEX_APPEND_" + clause.dbmsType + "=" + clause.text);
    }
    bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0)
        failed = true;
    if (failed)
        X_CTD_IssueMessage(r, 'F', 234, {shownPath});
}
