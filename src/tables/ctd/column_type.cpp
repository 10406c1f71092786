// Column type clauses: the SQL type text of a column for the current DBMS,
// with type substitutions where the DBMS lacks a type or a limit is exceeded,
// and the ALTER TABLE statement that adds or changes one column.
#include "tables/ctd/ctd.h"

namespace {

constexpr int kMaxPasses = 5;

struct Substitution {
    char to = 0;      // new type code, 0 for none
    int message = 0;  // 0, 390, 392 or 909
    X_CTD_TYPE from = T_CHAR;
    X_CTD_TYPE target = T_CHAR;
};

// The type whose native name stands for a type code in messages.
X_CTD_TYPE typeOfCode(char code)
{
    switch (code) {
    case 'H':
    case 'X':
    case 'A': return T_CHAR;
    case '1': return T_VARCHAR;
    case '3': return T_LONGVARCHAR;
    case 'B':
    case 'F':
    case 'W': return T_BINARY;
    case '2': return T_VARBINARY;
    case '4': return T_LONGVARBINARY;
    case 'D': return T_DECIMAL;
    case 'N': return T_NUMERIC;
    case 'Q': return T_TINYINT;
    case 'S': return T_SMALLINT;
    case 'I': return T_INTEGER;
    case 'G': return T_BIGINT;
    case 'R': return T_REAL;
    case 'U': return T_DOUBLE;
    case 'E': return T_DATE;
    case 'T': return T_TIME;
    case 'Z': return T_DATETIME;
    case 'C': return T_UCHAR;
    case 'V': return T_UVARCHAR;
    case 'L': return T_UCLOB;
    default: return X_CTD_TYPE_COUNT;
    }
}

// The first row of the substitution table that holds for the column.
Substitution substitute(const X_CTD_COLUMN& c, const X_CTD_TYPE_SETTINGS& s)
{
    auto sup = [&](X_CTD_TYPE t) { return s.supported[t] != 0; };
    auto tooLong = [&](X_CTD_TYPE t) { return c.length > static_cast<uint32_t>(s.maxDigits[t]); };
    auto to = [](char code, int message, X_CTD_TYPE from, X_CTD_TYPE target) {
        return Substitution{code, message, from, target};
    };
    auto fatal = [](X_CTD_TYPE t) { return Substitution{0, 390, t, t}; };
    const bool c2b = s.charToBinary != 0;
    switch (c.type) {
    case 'A': return (!s.alphaAsFixed && c.length > 50) ? to('1', 0, T_CHAR, T_VARCHAR) : to('H', 0, T_CHAR, T_CHAR);
    case 'W':
        return (!s.alphaAsFixed && c.length > 50) ? to('2', 0, T_BINARY, T_VARBINARY) : to('B', 0, T_BINARY, T_BINARY);
    case 'X':
        if (c2b)
            return to('F', 0, T_CHAR, T_BINARY);
        if (!sup(T_CHAR))
            return fatal(T_CHAR);
        return {};
    case 'H':
        if (c2b)
            return to('B', 0, T_CHAR, T_BINARY);
        if (!sup(T_CHAR))
            return fatal(T_CHAR);
        if (tooLong(T_CHAR))
            return to('1', 909, T_CHAR, T_VARCHAR);
        return {};
    case '1':
        if (c2b)
            return to('2', 0, T_VARCHAR, T_VARBINARY);
        if (!sup(T_VARCHAR))
            return fatal(T_VARCHAR);
        if (tooLong(T_VARCHAR))
            return to('3', 909, T_VARCHAR, T_LONGVARCHAR);
        return {};
    case '3':
        if (c2b)
            return to('4', 0, T_LONGVARCHAR, T_LONGVARBINARY);
        if (!sup(T_LONGVARCHAR))
            return fatal(T_LONGVARCHAR);
        return {};
    case 'B':
        if (!sup(T_BINARY) && !sup(T_VARBINARY) && !sup(T_LONGVARBINARY))
            return fatal(T_BINARY);
        if (!sup(T_BINARY))
            return to('2', 392, T_BINARY, T_VARBINARY);
        if (tooLong(T_BINARY))
            return to('2', 909, T_BINARY, T_VARBINARY);
        return {};
    case 'F':
        if (!sup(T_BINARY))
            return fatal(T_BINARY);
        return {};
    case '2':
        if (!sup(T_VARBINARY) && !sup(T_LONGVARBINARY))
            return fatal(T_VARBINARY);
        if (!sup(T_VARBINARY))
            return to('4', 392, T_VARBINARY, T_LONGVARBINARY);
        if (tooLong(T_VARBINARY))
            return to('4', 909, T_VARBINARY, T_LONGVARBINARY);
        return {};
    case '4':
        if (!sup(T_LONGVARBINARY))
            return fatal(T_LONGVARBINARY);
        return {};
    case 'D':
    case 'N': {
        X_CTD_TYPE own = c.type == 'D' ? T_DECIMAL : T_NUMERIC;
        if (sup(own))
            return {};
        if (c.decimals == 0 && c.length <= static_cast<uint32_t>(s.maxDigits[T_INTEGER]))
            return to('I', 392, own, T_INTEGER);
        if (sup(T_BIGINT) && c.decimals == 0)
            return to('G', 392, own, T_BIGINT);
        return to('U', 392, own, T_DOUBLE);
    }
    case 'Q': return sup(T_TINYINT) ? Substitution{} : to('S', 392, T_TINYINT, T_SMALLINT);
    case 'S': return sup(T_SMALLINT) ? Substitution{} : to('I', 392, T_SMALLINT, T_INTEGER);
    case 'I':
        if (sup(T_INTEGER))
            return {};
        if (sup(T_BIGINT))
            return to('G', 392, T_INTEGER, T_BIGINT);
        return to('U', 392, T_INTEGER, T_DOUBLE);
    case 'G': return sup(T_BIGINT) ? Substitution{} : fatal(T_BIGINT);
    case 'R': return sup(T_REAL) ? Substitution{} : to('U', 392, T_REAL, T_DOUBLE);
    case 'U': return sup(T_DOUBLE) ? Substitution{} : fatal(T_DOUBLE);
    case 'E': return sup(T_DATE) ? Substitution{} : to('Z', 392, T_DATE, T_DATETIME);
    case 'T': return sup(T_TIME) ? Substitution{} : to('Z', 392, T_TIME, T_DATETIME);
    case 'Z': return sup(T_DATETIME) ? Substitution{} : fatal(T_DATETIME);
    case 'C':
        if (!sup(T_UCHAR))
            return fatal(T_UCHAR);
        if (tooLong(T_UCHAR))
            return to('V', 909, T_UCHAR, T_UVARCHAR);
        return {};
    case 'V':
        if (!sup(T_UVARCHAR))
            return fatal(T_UVARCHAR);
        if (tooLong(T_UVARCHAR))
            return to('L', 909, T_UVARCHAR, T_UCLOB);
        return {};
    case 'L': return sup(T_UCLOB) ? Substitution{} : fatal(T_UCLOB);
    default: return {};
    }
}

const std::string kUnknown = "UNKNOWN";

}  // namespace

void X_CTD_AppendColumnDefinition(X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms,
                                  const X_CTD_TYPE_SETTINGS& s, std::string& out, int16_t productCode,
                                  std::string_view tableName, uint16_t columnNumber, int32_t withType,
                                  std::string* defaultOut, const std::string** typeNameOut)
{
    if (columnNumber >= record.columns.size())
        return;
    X_CTD_COLUMN& c = record.columns[columnNumber];
    X_CTD_TrimRight(c.name);
    X_CTD_TrimRight(c.internalName);
    const char d = dbms.delimiter;
    out.push_back(d);
    out += X_CTD_Quote(dbms.useInternalNames ? c.internalName : c.name, d);
    out.push_back(d);
    out.push_back(' ');
    if (typeNameOut)
        out += "AS ";
    if (!withType && !typeNameOut)
        return;

    const bool oracle = productCode == X_CTD_ORACLE;
    std::string literal = oracle ? "' '" : "''";
    const std::string alloc = std::to_string(c.alloc);
    auto allocClause = [&] {
        return (dbms.allocBehaviour && c.alloc != 0) ? " ALLOCATE(" + alloc + ")" : std::string();
    };
    auto kshClause = [&] { return (dbms.kshBehaviour && c.ksh != 0) ? " " + s.kshAppend : std::string(); };
    const int32_t internal = dbms.useInternalNames;
    auto check = [&](X_CTD_TYPE t, bool onlyWhenLength) {
        if (onlyWhenLength && c.length == 0)
            return;
        X_CTD_CheckPrecision(record, columnNumber, static_cast<uint32_t>(s.maxDigits[t]),
                             static_cast<uint32_t>(s.maxDecimals[t]), internal);
    };

    if (!(c.autoFlag && productCode == X_CTD_MSACCESS)) {
        for (int pass = 0; pass < kMaxPasses; ++pass) {
            if (c.type == 'D' || c.type == 'N')
                literal = "0";
            Substitution sub = substitute(c, s);
            if (sub.message == 390) {
                X_CTD_IssueMessage(record, 'F', 390, {tableName, s.name[sub.from]});
                break;
            }
            if (sub.to) {
                c.type = sub.to;
                if (sub.to == 'Z' && (sub.from == T_DATE || sub.from == T_TIME))
                    c.length = 19;
                if (sub.message == 392)
                    X_CTD_WarnTypeChanged(record, columnNumber, s.name[sub.from], s.name[sub.target], internal);
                else if (sub.message == 909)
                    X_CTD_WarnTypePrecision(record, columnNumber, s.name[sub.from], s.name[sub.target], internal);
                continue;
            }
            // No substitution: write the type text of the code.
            std::string text;
            const std::string* name = &kUnknown;
            auto lengthText = [&] { return std::to_string(static_cast<int32_t>(c.length)); };
            auto decimalsText = [&] { return std::to_string(static_cast<int16_t>(c.decimals & 0xFFFF)); };
            auto binaryLiteral = [&] { literal = oracle ? "'0'" : "0"; };
            switch (c.type) {
            case 'H':
                check(T_CHAR, false);
                name = &s.name[T_CHAR];
                text = *name + "(" + lengthText() + ")" + kshClause();
                break;
            case 'X':
                name = &s.name[T_CHAR];
                text = *name + "(" + lengthText() + ")";
                break;
            case '1':
                check(T_VARCHAR, false);
                name = &s.name[T_VARCHAR];
                text = *name + "(" + lengthText() + ")" + allocClause() + kshClause();
                break;
            case '3':
                check(T_LONGVARCHAR, true);
                name = &s.name[T_LONGVARCHAR];
                text = *name;
                if (s.lvcRequiresLen)
                    text += "(" + (c.length == 0 ? s.lvcDefaultLen : lengthText()) + ")";
                text += allocClause() + kshClause();
                break;
            case 'B':
            case 'F':
                if (c.type == 'B')
                    check(T_BINARY, false);
                name = &s.name[T_BINARY];
                text = *name + "(" + lengthText() + ") " + s.binaryAppend;
                binaryLiteral();
                break;
            case '2':
                check(T_VARBINARY, false);
                name = &s.name[T_VARBINARY];
                text = *name + "(" + lengthText() + ") ";
                if (!typeNameOut) {
                    if (dbms.allocBehaviour && c.alloc != 0)
                        text += "ALLOCATE(" + alloc + ") ";
                    text += s.varbinaryAppend;
                    binaryLiteral();
                }
                break;
            case '4':
                check(T_LONGVARBINARY, true);
                name = &s.name[T_LONGVARBINARY];
                text = *name;
                if (s.lvbRequiresLen) {
                    text += "(" + (c.length == 0 ? s.lvbDefaultLen : lengthText()) + ") ";
                    if (dbms.allocBehaviour && c.alloc != 0)
                        text += " ALLOCATE(" + alloc + ") ";
                }
                binaryLiteral();
                break;
            case 'D':
            case 'N': {
                // A DBMS that gives no limit for the type leaves the precision
                // as defined (a limit of 0 would make it DECIMAL(0,0)); a limit
                // of digits without one of decimals allows as many decimals.
                X_CTD_TYPE t = c.type == 'D' ? T_DECIMAL : T_NUMERIC;
                const uint32_t digits = static_cast<uint32_t>(s.maxDigits[t]);
                if (digits != 0)
                    X_CTD_CheckPrecision(record, columnNumber, digits,
                                         s.maxDecimals[t] != 0 ? static_cast<uint32_t>(s.maxDecimals[t]) : digits,
                                         internal);
                name = &s.name[t];
                text = *name + "(" + lengthText() + "," + decimalsText() + ")";
                break;
            }
            case 'I':
            case 'U': {
                X_CTD_TYPE t = c.type == 'I' ? T_INTEGER : T_DOUBLE;
                check(t, true);
                name = &s.name[t];
                text = *name;
                break;
            }
            case 'Q':
            case 'S':
            case 'G':
            case 'R':
            case 'E':
            case 'T':
                name = &s.name[typeOfCode(c.type)];
                text = *name;
                break;
            case 'Z':
                check(T_DATETIME, true);
                name = &s.name[T_DATETIME];
                text = *name;
                if (s.datetimeAppend == ">D<")
                    text += "(" + decimalsText() + ") ";
                break;
            case 'C':
                X_CTD_CheckPrecision(record, columnNumber, static_cast<uint32_t>(s.maxDigits[T_UCHAR]), 0, internal);
                name = &s.name[T_UCHAR];
                text = *name + "(" + lengthText() + ")" + s.ucharAppend;
                break;
            case 'V':
                X_CTD_CheckPrecision(record, columnNumber, static_cast<uint32_t>(s.maxDigits[T_UVARCHAR]), 0, internal);
                name = &s.name[T_UVARCHAR];
                text = *name + "(" + lengthText() + ")" + s.uvarcharAppend + allocClause();
                break;
            case 'L':
                if (c.length != 0)
                    X_CTD_CheckPrecision(record, columnNumber, static_cast<uint32_t>(s.maxDigits[T_UCLOB]), 0,
                                         internal);
                name = &s.name[T_UCLOB];
                text = *name;
                if (s.uclobRequiresLen)
                    text += "(" + (c.length == 0 ? s.uclobDefaultLen : lengthText()) + ")";
                text += s.uclobAppend + allocClause();
                break;
            default: text = kUnknown; break;
            }
            if (name->empty()) {
                // A type without a native name cannot be written.
                X_CTD_IssueMessage(record, 'F', 390, {tableName, X_CTD_TYPE_KEYWORDS[typeOfCode(c.type)]});
                break;
            }
            if (withType)
                out += text;
            if (typeNameOut)
                *typeNameOut = name;
            break;
        }
    }
    if (withType && defaultOut)
        *defaultOut = literal;
}

void X_CTD_BuildAlterColumnStatement(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                     const X_CTD_DBMS_INFO& dbms, const X_CTD_TYPE_SETTINGS& settings,
                                     int16_t productCode, std::string_view tableName, uint16_t columnNumber,
                                     int32_t withType, std::string& out)
{
    out = "ALTER TABLE ";
    X_CTD_AppendQualifiedName(dbms, record, out, X_CTD_CollectionsSupported(table, dbms.name));
    if (columnNumber >= record.columns.size())
        return;
    const bool isNew = record.columns[columnNumber].newColumn != 0;
    if (withType && isNew)
        X_CTD_AppendText(out, " ADD ");
    else if (productCode == X_CTD_MSACCESS || productCode == X_CTD_ORACLE || productCode == X_CTD_SQLANYWHERE ||
             productCode == X_CTD_MYSQL)
        X_CTD_AppendText(out, " MODIFY ");
    else if (productCode == X_CTD_SQLSERVER)
        X_CTD_AppendText(out, " ALTER COLUMN ");
    else
        X_CTD_IssueMessage(record, 'W', 657, {tableName});
    if (productCode == X_CTD_ORACLE)
        X_CTD_AppendText(out, " (");
    std::string literal;
    X_CTD_AppendColumnDefinition(record, dbms, settings, out, productCode, tableName, columnNumber, withType, &literal,
                                 nullptr);
    const X_CTD_COLUMN& c = record.columns[columnNumber];
    if (isNew) {
        if (productCode == X_CTD_ORACLE)
            X_CTD_AppendText(out, " DEFAULT " + literal + " NOT NULL");
        else if (productCode == X_CTD_SQLSERVER)
            X_CTD_AppendText(out, " NOT NULL DEFAULT " + literal);
        else if (productCode == X_CTD_SQLANYWHERE)
            X_CTD_AppendText(out, withType ? " DEFAULT '' " : " NOT NULL ");
        else
            X_CTD_IssueMessage(record, 'W', 657, {tableName});
    } else if (productCode != X_CTD_ORACLE && c.notNull) {
        if (settings.notNullSupported)
            X_CTD_AppendText(out, " NOT NULL");
        else
            X_CTD_IssueMessage(record, 'W', 391, {tableName});
    }
    if (productCode == X_CTD_ORACLE)
        X_CTD_AppendText(out, ")");
}
