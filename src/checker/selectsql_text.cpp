// The SQL texts of SELECT_SQL: split into tokens, their host fields used
// and checked like any operand, and their names tested against the
// reserved words of SQL; the column list the statement is built from.
#include "checker/selectsql.h"

#include "checker/checker.h"
#include "checker/operand_checks.h"
#include "checker/sql_reserved_words.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/fix.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

constexpr char kEscapedParameter = 3;
constexpr size_t kColumnListLimit = 1000;

struct SqlToken {
    std::string text;
    bool quoted = false;
};

bool Blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool Delimiter(char c)
{
    return c == ',' || c == '(' || c == ')';
}

// Tokens of an SQL text: blanks between them skipped; a token in single or
// double quotes runs to its closing quote (a doubled quote stays inside);
// any other runs to a blank, comma or bracket; a lone delimiter is a token
// of its own. A NUL ends the text.
std::vector<SqlToken> Tokens(std::string_view text)
{
    std::vector<SqlToken> tokens;
    size_t i = 0;
    while (i < text.size() && text[i] != '\0') {
        char c = text[i];
        if (Blank(c)) {
            ++i;
            continue;
        }
        size_t j = i + 1;
        if (c == '\'' || c == '"') {
            while (j < text.size() && text[j] != '\0') {
                if (text[j] == c && (j + 1 >= text.size() || text[j + 1] != c)) {
                    ++j;
                    break;
                }
                j += text[j] == c ? 2 : 1;
            }
            tokens.push_back({std::string(text.substr(i, j - i)), true});
            i = j;
            continue;
        }
        if (!Delimiter(c))
            while (j < text.size() && text[j] != '\0' && !Blank(text[j]) && !Delimiter(text[j]))
                ++j;
        tokens.push_back({std::string(text.substr(i, j - i)), false});
        i = j;
    }
    return tokens;
}

bool HostNameChar(char c)
{
    const FFC_CONTEXT* ctx = G().ctx;
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '$' ||
           (ctx && c != ' ' && (c == ctx->cNatChar1 || c == ctx->cNatChar2 || c == ctx->cNatChar3));
}

// The host fields of a token: each ':' followed by a name ("CUSTNO=:#CUSTNO"
// names one, as ":#CUSTNO" does); the first token of the text may name one
// by beginning with the national name character or the escaped-parameter
// marker.
std::vector<std::string> HostFields(const SqlToken& token, bool first)
{
    std::vector<std::string> names;
    const std::string& t = token.text;
    const char nat = G().ctx ? G().ctx->cNatChar1 : '#';
    if (token.quoted || t.empty())
        return names;
    if (first && (t[0] == nat || t[0] == kEscapedParameter)) {
        names.push_back(t[0] == kEscapedParameter ? t.substr(1) : t);
        return names;
    }
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != ':')
            continue;
        size_t j = i + 1;
        while (j < t.size() && HostNameChar(t[j]))
            ++j;
        names.push_back(t.substr(i + 1, j - i - 1));
        i = j - 1;
    }
    return names;
}

// One host field: its use in pass 1, its check as a field in pass 2 (a
// colon naming nothing is refused as such).
void UseHostField(const std::string& written)
{
    // ":IOLIMIT" names the field #IOLIMIT as ":#IOLIMIT" does.
    const char nat = G().ctx ? G().ctx->cNatChar1 : '#';
    std::string name = written.empty() ? ":" : written;
    if (!written.empty() && nat != ' ' && std::isalpha(static_cast<unsigned char>(written[0])))
        name.insert(name.begin(), nat);
    if (Pass() == 1)
        RecordOperand(name);
    else
        CheckFieldOperand(name);
}

}  // namespace

extern "C" {

int16_t P3100_ScanSelectSqlText(const char* pchText, uint32_t ulLength, bool fHostFields, int32_t lOption)
{
    if (!pchText)
        return 0;
    std::vector<SqlToken> tokens = Tokens(std::string_view(pchText, ulLength));
    int16_t hostFields = 0;
    bool afterAs = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        std::vector<std::string> names;
        if (fHostFields)
            names = HostFields(token, i == 0);
        for (const std::string& name : names) {
            ++hostFields;
            if (lOption == 1)
                UseHostField(name);
        }
        if (!names.empty() || token.quoted) {
            afterAs = false;
            continue;
        }
        std::string word = Upper(token.text);
        // A name given to a column or a table must not be a word of SQL.
        if (afterAs && lOption == 1 && Pass() == 2 && IsSqlReservedWord(word))
            Issue(Msg::SqlReservedWord, Fixed(token.text, 30));
        afterAs = word == "AS";
    }
    return hostFields;
}

void P3100_CheckSelectSqlColumns(int32_t lOption)
{
    Globals& g = G();
    std::string columns;
    int32_t fields = ParmCount("FIELDS");
    for (int32_t i = 0; i < fields; ++i) {
        const char* column = FFC_ExtensionColumnText(&g.extension, i);
        std::string text =
            column && FFC_ExtensionSwitch(g.parsed) == 'Y' ? Trim(column, FFC_EXTENSION_COLUMN_WIDTH) : std::string();
        if (!text.empty())
            P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), true, lOption);
        else
            text = NameOf(ParmEntry("FIELDS", i));
        if (!columns.empty())
            columns += ", ";
        columns += text;
    }
    for (const char* keyword : {"GROUP_BY", "ORDER_BY"}) {
        std::string text = Parm(keyword);
        P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), true, lOption);
    }
    if (lOption != 1 || Pass() != 2 || columns.size() <= kColumnListLimit)
        return;
    char digits[7];
    int32_t length = static_cast<int32_t>(columns.size());
    FIX_LongToDigits(&length, 7, digits);
    Issue(Msg::SelectSqlColumnsTooLong, std::string_view(digits, 7));
}

}  // extern "C"
