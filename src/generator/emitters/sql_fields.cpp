/*
** sql_fields.cpp: the fields of SELECT_SQL statements. Every field a
** statement uses, as a column or as a host variable, is registered in the
** SQL field list (insertion point 42 walks the commands before any
** routine is written), which declares its host variable. A clause of a
** statement is cut into tokens; host variables, date and time literals
** and file fields become numbered markers in the clause text that goes to
** the I/O module, each with an information entry that tells the module
** what the marker stands for. Text of the source is never changed but for
** the markers, and reaches generated C only as registered text literals.
*/
#include <algorithm>
#include <cctype>
#include <cstring>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/sql_support.h"
#include "params/command_records.h"
#include "platform/dqos/dqos.h"

namespace {

constexpr char kMarker = '\x01';
constexpr size_t kMaxUses = 50;

/* The DBMS's global variables, which a clause may name as they stand. */
constexpr std::string_view kGlobalVariables[] = {
    "@@CURSOR_ROWS", "@@DATEFIRST", "@@DBTS",         "@@ERROR",           "@@FETCH_STATUS",  "@@IDENTITY",
    "@@LANGID",      "@@LANGUAGE",  "@@LOCK_TIMEOUT", "@@MAX_CONNECTIONS", "@@MAX_PRECISION", "@@NESTLEVEL",
    "@@OPTIONS",     "@@PROCID",    "@@REMSERVER",    "@@ROWCOUNT",        "@@SERVERNAME",    "@@SERVICENAME",
    "@@SPID",        "@@TEXTSIZE",  "@@TRANCOUNT",    "@@VERSION"};

bool globalVariable(const std::string& name)
{
    for (std::string_view v : kGlobalVariables) {
        if (v == name)
            return true;
        if (v > name)
            return false;
    }
    return false;
}

char national(int i)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx)
        return ' ';
    return i == 0 ? ctx->cNatChar1 : i == 1 ? ctx->cNatChar2 : ctx->cNatChar3;
}

bool nationalCharacter(char c)
{
    return c != ' ' && c != '\0' && (c == national(0) || c == national(1) || c == national(2));
}

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

/* The key of a field name: a leading national name character dropped,
** upper-cased, 10 characters. */
std::string fieldKey(std::string_view name)
{
    std::string text = P3109_TrimRight(name);
    if (!text.empty() && national(0) != ' ' && text[0] == national(0))
        text.erase(0, 1);
    return P3109_Padded(upper(text), 10);
}

/* The tokens of a clause: a quoted literal to its closing quote (a doubled
** quote inside it stays part of it), a delimiter on its own, any other
** token up to a blank or a delimiter. */
std::vector<std::string> tokenise(std::string_view text)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\0') {
            ++i;
            continue;
        }
        const char c = text[i];
        size_t end = i + 1;
        if (c == '\'' || c == '"') {
            while (end < text.size()) {
                if (text[end] == c) {
                    if (end + 1 < text.size() && text[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
        } else {
            end = i;
            while (end < text.size() && std::strchr(" ,()", text[end]) == nullptr && text[end] != '\0')
                ++end;
            if (end == i)
                end = i + 1;
        }
        tokens.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return tokens;
}

std::string marker(int32_t lNumber, bool fFileField)
{
    return std::string(1, kMarker) + (fFileField ? "C" : "") + std::to_string(lNumber) + std::string(1, kMarker);
}

/* The host variable a token names, when it names one: ':' and a field, or
** as the first token of the clause the national name character or the
** escape byte and a field. */
bool hostName(const std::string& token, bool fFirst, std::string& name)
{
    if (token.size() < 2)
        return false;
    const bool colon = token[0] == ':';
    const bool escape = fFirst && ((national(0) != ' ' && token[0] == national(0)) || token[0] == '\x03');
    if (!colon && !escape)
        return false;
    if (token.size() - 1 > 10)
        return false;
    name = token.substr(1);
    return true;
}

/* The register used as the name rule's mapping letter: a file of another
** database or of alternate names gives its class, a plain file its mark. */
char mappingLetter(char cClass, char cMark)
{
    return cClass == 'Y' || cClass == 'I' ? cClass : cMark;
}

void countOrWrite(GEN_ODBC_PASS& pass)
{
    ++pass.lCount;
}

bool recordedBy(const GEN_SQL_FIELD& f, const GEN_COMMAND_RECORD& r)
{
    for (const GEN_SQL_FIELD_USE& u : f.uses)
        if (u.sPosition1 == static_cast<int16_t>(r.usNumber) && u.sPosition2 == static_cast<int16_t>(r.usSequence))
            return true;
    return false;
}

void setLetters(GEN_SQL_FIELD& f, char cUsage1, char cUsage2)
{
    if (f.acUsage[0] == 'N')
        f.acUsage[0] = cUsage1;
    if (f.acUsage[1] == 'N')
        f.acUsage[1] = cUsage2;
}

/* The field as the function uses it, and the host variable it needs. */
void resolve(GEN_SQL_FIELD& f)
{
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(f.name, info))
        return;
    f.fResolved = true;
    f.vectorName = info.vectorName;
    f.cType = info.cDeclaredType != ' ' ? info.cDeclaredType : info.cType;
    f.sDecimals = info.sDecimals;
    f.fUsed = true;
    f.lLength = info.lLength;
    if (f.cType == 'A')
        f.cSqlType = 'A';
    else if ((f.cType == 'P' || f.cType == 'S') && info.sDecimals == 0 && info.lLength <= 9)
        f.cSqlType = 'L';
    else if (f.cType == 'P' || f.cType == 'S')
        f.cSqlType = 'D';
    else
        f.fUsed = false;
}

std::string vectorOf(const GEN_SQL_FIELD& f)
{
    return f.fResolved ? f.vectorName : P3109_FieldVector(f.name);
}

/* A host field of a clause: a field of the function, or the generation
** stops (the statement would bind nothing to the name). */
std::string hostVector(const GEN_SQL_FIELD& f, std::string_view fieldKind)
{
    if (f.fResolved)
        return f.vectorName;
    const char* keyword = fieldKind.find("HAVING") != std::string_view::npos  ? "HAVING"
                          : fieldKind.find("WHERE") != std::string_view::npos ? "WHERE"
                                                                              : "USING";
    return P3109_RequiredFieldVector(keyword, f.name);
}

/* The host fields a clause names, registered for their variables. */
void registerHostFields(std::string_view text)
{
    const std::vector<std::string> tokens = tokenise(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string name;
        if (hostName(tokens[i], i == 0, name))
            P3109_RegisterSqlFieldUse(name, name.size(), 'N', 'Y', false, true);
    }
}

/* The column text of field entry i of the current command. */
std::string columnText(const FFC_COMMAND_EXTENSION* pExtension, int32_t lEntry)
{
    const char* text = FFC_ExtensionColumnText(pExtension, lEntry);
    return text ? std::string(text, FFC_EXTENSION_COLUMN_WIDTH) : std::string(FFC_EXTENSION_COLUMN_WIDTH, ' ');
}

}  // namespace

void P3109_SetCommandSqlFiles()
{
    std::vector<GEN_SQL_FILE> files;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FROM_FILES"), 10);
    for (int32_t i = 0; i < count; ++i) {
        GEN_SQL_FILE f;
        f.name = P3109_ParmField("@FILESLOTS", 0, i);
        f.library = P3109_ParmField("@FILESLOTS", 1, i);
        f.correlation = P3109_Parm("FROM_FILES", 1, i);
        const std::string cls = P3109_Parm("@FILESLOTS", 2, i), mark = P3109_ParmField("@FILESLOTS", 3, i);
        f.cClass = cls.empty() ? 'N' : cls[0];
        f.cMark = mark.empty() ? ' ' : mark[0];
        if (!P3109_TrimRight(f.name).empty())
            files.push_back(std::move(f));
    }
    P3109_SetSelectSqlFiles(std::move(files), P3109_Context());
}

void P3109_RegisterSqlFieldUse(std::string_view name, size_t ulLength, char cUsage1, char cUsage2, bool fCheck,
                               bool fLookUp)
{
    const std::string key = fieldKey(name.substr(0, std::min(ulLength, name.size())));
    if (P3109_TrimRight(key).empty())
        return;
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const GEN_SQL_FIELD_USE use{static_cast<int16_t>(r.usNumber), static_cast<int16_t>(r.usSequence), 'N', ' '};
    int found = 0;
    if (GEN_SQL_FIELD* e = P3109_pFindSqlField(found, 10, key)) {
        if (!e->fResolved && fLookUp)
            resolve(*e);
        if (recordedBy(*e, r)) {
            setLetters(*e, cUsage1, cUsage2);
            return;
        }
        if (e->uses.size() >= kMaxUses) {
            P3109_sIssueNumberedMessage('F', 897, {P3109_TrimRight(key)});
            return;
        }
        e->uses.push_back(use);
        P3109_sCheckFileFieldMangling(key, e, 1, 0);
        setLetters(*e, cUsage1, cUsage2);
        return;
    }
    GEN_SQL_FIELD scratch;
    scratch.name = key;
    scratch.identifier = P3109_MakeCIdentifierExt(P3109_TrimRight(key));
    scratch.uses.push_back(use);
    if (P3109_sCheckFileFieldMangling(key, &scratch, 1, 0) == 0 && fCheck)
        return;
    GEN_SQL_FIELD& f = P3109_AddSqlField(key);
    f.uses = scratch.uses;
    f.column = scratch.column;
    if (fLookUp)
        resolve(f);
    setLetters(f, cUsage1, cUsage2);
}

std::vector<std::string> P3109_SqlHostFieldNames(std::string_view text)
{
    std::vector<std::string> names;
    const std::vector<std::string> tokens = tokenise(text);
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string name;
        if (hostName(tokens[i], i == 0, name))
            names.push_back(name);
    }
    return names;
}

std::string P3109_SqlLiteral(std::string_view text)
{
    CGEN_SetTextLiteralPrefix("SQL");
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(text, nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    return reference ? reference : "pX_NULL";
}

std::string P3109_SqlQuotedLiteral(std::string_view name)
{
    return P3109_SqlLiteral("\"" + P3109_TrimRight(name) + "\"");
}

void P3109_SqlNameRule(const GEN_SQL_FIELD& entry, char cMapping, std::string& value3, std::string& realName)
{
    value3.clear();
    if (!P3109_TrimRight(entry.column).empty() && (cMapping == 'Y' || cMapping == 'I')) {
        realName = P3109_SqlQuotedLiteral(entry.column);
        return;
    }
    if (cMapping != ' ' && cMapping != '\0') {
        realName = P3109_SqlQuotedLiteral(entry.name);
        return;
    }
    value3 = P3109_SqlQuotedLiteral(entry.name);
    realName = P3109_SqlQuotedLiteral(entry.identifier);
}

const GEN_SQL_FIELD* P3109_pResolveSqlFieldToken(std::string& token, const GEN_SELECT_NODE&, std::string_view fieldKind,
                                                 GEN_ODBC_PASS& pass, std::string_view value2)
{
    size_t start = token.find_first_not_of(',');
    if (start == std::string::npos)
        return nullptr;
    const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(token[start])));
    const bool letter = (first >= 'A' && first <= 'Z') || nationalCharacter(first);
    if (first != '@' && (!letter || std::strchr(".,+-\"'=<>:%", first) != nullptr))
        return nullptr;
    std::string qualifier, name = token.substr(start);
    const size_t dot = name.find('.');
    if (dot != std::string::npos) {
        qualifier = name.substr(0, dot);
        name = name.substr(dot + 1);
    }
    if (name.empty() || name.size() > 10)
        return nullptr;
    if (qualifier.empty() && globalVariable(upper(P3109_TrimRight(name))))
        return nullptr;
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const int16_t pair[2] = {static_cast<int16_t>(r.usNumber), static_cast<int16_t>(r.usSequence)};
    int found = 0;
    char cClass = 'N', cMark = ' ';
    std::string column;
    const GEN_SQL_FIELD* entry =
        P3109_sCheckSelectSqlFileField(upper(name), name.size(), pair, found, cClass, cMark, upper(qualifier), column);
    if (!entry || found == 0)
        return nullptr;
    if (!pass.fWriting) {
        countOrWrite(pass);
        return entry;
    }
    GEN_SQL_FIELD shown = *entry;
    if (!column.empty())
        shown.column = column;
    std::string value3, realName;
    P3109_SqlNameRule(shown, mappingLetter(cClass, cMark), value3, realName);
    const int32_t number = pass.lReference++;
    P3109_EmitOdbcInfoEntry(fieldKind, std::to_string(number), value2, value3, realName);
    token = token.substr(0, start) + (qualifier.empty() ? "" : qualifier + ".") + marker(number, true);
    return entry;
}

void P3109_EmitOdbcColumnEntries(const GEN_SELECT_NODE& select, std::string_view text, size_t ulLength,
                                 GEN_ODBC_PASS& pass, const GEN_ODBC_CLAUSE& clause)
{
    std::vector<std::string> tokens = tokenise(text.substr(0, std::min(ulLength, text.size())));
    const GEN_SQL_FIELD* resolved = nullptr;
    std::string rebuilt;
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string& token = tokens[i];
        std::string name;
        if (clause.cHost == 'Y' && hostName(token, i == 0, name)) {
            int found = 0;
            const GEN_SQL_FIELD* entry = P3109_pFindSqlField(found, 10, fieldKey(name));
            if (entry && !pass.fWriting) {
                countOrWrite(pass);
                token = ":" + entry->hostName;
            } else if (entry) {
                std::string_view kind = clause.fieldKind;
                if (token[0] != ':' && kind == "X_ODBC_SELECT_WHERE_FIELD")
                    kind = "X_ODBC_SELECT_WHERE_REF_FIELD";
                else if (token[0] != ':' && kind == "X_ODBC_SELECT_HAVING_FIELD")
                    kind = "X_ODBC_SELECT_HAVING_REF_FIELD";
                const int32_t number = pass.lReference++;
                P3109_EmitOdbcInfoEntry(kind, std::to_string(number), hostVector(*entry, kind), "pX_NULL", "");
                token = marker(number, false);
            }
        } else if (token[0] == '\'') {
            if (!pass.fWriting) {
                countOrWrite(pass);
            } else if (!resolved) {
                P3109_sIssueNumberedMessage('W', 890, {P3109_TrimRight(token)});
            } else if (resolved->cType == 'E' || resolved->cType == 'M' || resolved->cType == 'Z') {
                const std::string inner =
                    token.size() >= 2 && token.back() == '\'' ? token.substr(1, token.size() - 2) : token.substr(1);
                const int32_t number = pass.lReference++;
                P3109_EmitOdbcInfoEntry(clause.fieldKind, std::to_string(number), vectorOf(*resolved),
                                        P3109_SqlLiteral(inner), "");
                token = marker(number, false);
            }
        } else if (clause.cList != 'Y' || i == 0 || tokens[i - 1] == ",") {
            if (const GEN_SQL_FIELD* entry =
                    P3109_pResolveSqlFieldToken(token, select, clause.fieldKind, pass, clause.clauseValue))
                resolved = entry;
        }
        rebuilt += " " + token;
    }
    if (!pass.fWriting) {
        countOrWrite(pass);
        return;
    }
    const std::string trimmed = P3109_TrimRight(rebuilt);
    P3109_EmitOdbcInfoEntry(clause.clauseKind, clause.clauseValue, clause.columnVector,
                            trimmed.empty() ? std::string("pX_NULL") : P3109_SqlLiteral(trimmed), "");
}

void P3109_LoadSelectSqlCommands()
{
    GEN_MODULE_STATE& s = g();
    s.skel.cKeep = 'N';
    if (!P3109_fSysFlag(37))
        return;
    const GEN_STREAM savedStream = s.out.current;
    const uint16_t savedIndent = s.out.usIndent;
    const int16_t savedDepth = s.out.sDepth;
    s.out.usIndent = 0;
    s.out.sDepth = 0;
    P31O2_ShowStatusText("Loading/Analysing SELECT_SQL commands   ", 40);
    FFC_CONTEXT* ctx = P3109_Context();
    for (const GEN_COMMAND_RECORD& r : P3109_CommandSurvey().records) {
        if (std::memcmp(r.acName, "SELECT_SQL", 10) != 0)
            continue;
        P3109_MakeCurrentCommand(r);
        s.cLabelFlag = 'Y';
        P3109_SetCommandSqlFiles();
        FFC_COMMAND_EXTENSION extension{};
        extension.sLine = static_cast<int16_t>(r.usNumber);
        extension.sSubLine = static_cast<int16_t>(r.usSequence);
        const bool columns = ctx && RS_fFindCommandExtension(ctx, &extension, sizeof extension) == 0;
        const bool whole = P3109_Parm("@WHOLE") == "Y";
        const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELDS"), 100);
        for (int32_t i = 0; i < count; ++i) {
            const bool plain = !columns || P3109_TrimRight(columnText(&extension, i)).empty();
            P3109_RegisterSqlFieldUse(P3109_ParmField("FIELDS", 0, i), 10, 'Y', 'N', plain && !whole, true);
        }
        if (whole) {
            const std::string statement = P3109_ParmField("USING");
            if (!statement.empty() && static_cast<unsigned char>(statement[0]) != 3)
                registerHostFields(statement);
            continue;
        }
        for (int32_t i = 0; columns && i < count; ++i)
            registerHostFields(columnText(&extension, i));
        registerHostFields(P3109_ParmField("WHERE"));
        registerHostFields(P3109_ParmField("HAVING"));
    }
    P3109_WriteSqlHostVariables();
    s.out.current = savedStream;
    s.out.usIndent = savedIndent;
    s.out.sDepth = savedDepth;
}
