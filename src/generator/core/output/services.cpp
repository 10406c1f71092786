/*
** services.cpp: messages, fatal reports, identifiers and literals of the
** generator.
*/
#include "generator/core/output/services.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "generator/core/output/gen_state.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

namespace {

constexpr const char kVendorAdvice[] =
    " Please record details of this error and then report it to your product vendor.";
constexpr const char kRestartAdvice[] = " You MUST completely stop and restart your VELMO development environment "
                                        "after encountering an error of this type.";

constexpr const char kIdentifierCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890";

bool isIdentifierCharacter(char c)
{
    return c != '\0' && std::strchr(kIdentifierCharacters, c) != nullptr;
}

std::string makeIdentifier(std::string_view name, size_t ulLength, const char* national)
{
    std::string out;
    for (size_t i = 0; i < ulLength && i < name.size(); ++i) {
        char c = name[i];
        if (c == '\0' || c == ' ')
            break;
        if (national && c == national[0])
            out += 'h';
        else if (national && c == national[1])
            out += 'a';
        else if (national && c == national[2])
            out += 'd';
        else if (isIdentifierCharacter(c))
            out += c;
        else
            out += i == 0 ? 'X' : '_';
    }
    return out;
}

}  // namespace

int16_t P3109_sIssueMessage(dqov::Msg msg, std::string_view data)
{
    return P3109_sIssueMessage(msg, dqov::MsgSeverity(msg), data);
}

int16_t P3109_sIssueMessage(dqov::Msg msg, char cSeverity, std::string_view data)
{
    return P3109_sIssueMessage(dqov::MsgId(msg), cSeverity, data);
}

int16_t P3109_sIssueMessage(const char* pszMsgId, char cSeverity, std::string_view data)
{
    GEN_MODULE_STATE& g = P3109_State();
    FFC_CHECK_STATE* st = g.args.pState;
    FFC_CHECK_MESSAGE m;
    std::memset(&m, ' ', sizeof m);
    if (st) {
        m.ulLine = st->lLine > 0 ? static_cast<uint32_t>(st->lLine) : 0;
        m.ulSubLine = st->lLineWord > 0 ? static_cast<uint32_t>(st->lLineWord) : 0;
        m.usPass = static_cast<uint16_t>(st->lPass);
        std::memcpy(m.acCommand, st->acCommand, sizeof m.acCommand);
    }
    m.cSeverity = cSeverity;
    std::memcpy(m.acMsgId, pszMsgId, std::min<size_t>(std::strlen(pszMsgId), sizeof m.acMsgId));
    if (g.args.pContext)
        std::memcpy(m.acObject, g.args.pContext->acObjectName, sizeof m.acObject);
    std::memcpy(m.acText, data.data(), std::min(data.size(), sizeof m.acText));
    /* a finding of the C pass that the C# pass meets again at the same
       command is the same finding: it is counted once */
    const std::string key = std::to_string(m.ulLine) + "." + std::to_string(m.ulSubLine) + " " +
                            std::string(m.acMsgId, sizeof m.acMsgId) + std::string(m.acText, sizeof m.acText);
    if (g.cTarget == GEN_TARGET_CSHARP) {
        if (g.issuedMessages.count(key) > 0)
            return 0;
    } else {
        g.issuedMessages.insert(key);
    }
    int16_t rc = g.args.pContext ? RS_sAddRunMessage(g.args.pContext, &m) : int16_t(-9);
    if (!st)
        return rc;
    if (P9006_fCountMessage(&st->stats, cSeverity, st->lPass))
        st->cLastSeverity = cSeverity;
    return rc;
}

void P3109_IssueFileMessage(dqov::Msg msg, const std::string& fileName)
{
    /* a file that cannot be opened is a fault of the environment, not of the object */
    ++P3109_State().lOutputFailures;
    std::string data = fileName;
    data.resize(256, ' ');
    P3109_sIssueMessage(msg, data);
}

void P3109_IssueFileMessage(dqov::Msg msg, const std::string& fileName, std::string_view reason)
{
    P3109_IssueFileMessage(msg, fileName);
    if (!reason.empty())
        P3109_sIssueMessage(dqov::Msg::CheckerText, 'I', "File " + fileName + ": " + std::string(reason) + ".");
}

void P3109_IssueTextMessage(char cSeverity, std::string_view text)
{
    std::string data(text.substr(0, std::min<size_t>(text.size(), 80)));
    data.resize(80, ' ');
    P3109_sIssueMessage(dqov::Msg::DiskSpaceLow, cSeverity, data);
}

void P3109_InternalError(std::string_view text)
{
    std::string full(text);
    full += kVendorAdvice;
    full += kRestartAdvice;
    FFC_Fatal_Error(full.c_str());
}

void P3109_FatalSqlError(const char* pszLocation)
{
    FFC_Fatal_SQL_Location(pszLocation);
}

void P3109_ZophxFieldMisuse(std::string_view routine, std::string_view field)
{
    P3109_InternalError("Internal error: " + std::string(routine) + " unexpected use of ZOPHX Field " +
                        std::string(field));
}

void P3109_ReportException()
{
    P3109_InternalError("Internal error: FFC/FCC encounters an exception.");
}

std::string P3109_MakeCIdentifier(std::string_view name, size_t ulLength)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    char national[3] = {'\0', '\0', '\0'};
    if (ctx) {
        /* a blank national character takes no part: blanks end the name anyway */
        national[0] = ctx->cNatChar1 != ' ' ? ctx->cNatChar1 : '\0';
        national[1] = ctx->cNatChar2 != ' ' ? ctx->cNatChar2 : '\0';
        national[2] = ctx->cNatChar3 != ' ' ? ctx->cNatChar3 : '\0';
    }
    return makeIdentifier(name, ulLength, national);
}

std::string P3109_MakeCIdentifierShort(size_t ulLength, std::string_view name)
{
    return makeIdentifier(name, ulLength, nullptr);
}

std::string P3109_MakeCIdentifierExt(std::string_view name)
{
    return P3109_MakeCIdentifier(name, name.size());
}

std::string P3109_MakeShortCIdentifier(std::string_view name, size_t n)
{
    const std::string trimmed = P3109_TrimRight(name);
    const std::string_view tail = std::string_view(trimmed).substr(trimmed.size() > n ? trimmed.size() - n : 0);
    std::string id = P3109_MakeCIdentifierShort(tail.size(), tail);
    if (!id.empty() && std::isdigit(static_cast<unsigned char>(id[0])))
        id.insert(id.begin(), 'X');
    return id;
}

std::string P3109_MakeHexLiteral(std::string_view text, size_t ulLength)
{
    std::string out;
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < ulLength && i < text.size() && text[i] != '\0'; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '?' || c == '\'' || c == '"') {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
            out += "\"\"";
        } else {
            out += static_cast<char>(c);
        }
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string P3109_MakeCSharpLiteral(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    /* the runs of characters kept as they are are appended whole */
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* escape;
        switch (text[i]) {
        case '\\': escape = "\\\\"; break;
        case '"': escape = "\\\""; break;
        case '\r': escape = "\\r"; break;
        case '\n': escape = "\\n"; break;
        case '\t': escape = "\\t"; break;
        case '\0': escape = "\\0"; break;
        default: continue;
        }
        out.append(text.data() + run, i - run).append(escape, 2);
        run = i + 1;
    }
    out.append(text.data() + run, text.size() - run);
    return out;
}

std::string P3109_MakeStringLiteral(std::string_view text)
{
    if (P3109_State().cTarget == GEN_TARGET_CSHARP)
        return "\"" + P3109_MakeCSharpLiteral(text) + "\"";
    return "\"" + P3109_MakeHexLiteral(text, text.size()) + "\"";
}

std::string P3109_MakeShortLiteral(long lNumber)
{
    char text[40];
    if (P3109_State().cTarget == GEN_TARGET_CSHARP)
        std::snprintf(text, sizeof text, "(%ld)", lNumber);
    else
        std::snprintf(text, sizeof text, "((X_SHORT)%ld)", lNumber);
    return text;
}

std::string P3109_pszCopyTrimmed(std::string_view field, size_t n)
{
    std::string out(field.substr(0, std::min(n, field.size())));
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out.empty() ? std::string(" ") : out;
}

std::string P3109_CopyUpper(std::string_view text, size_t n)
{
    std::string out(text.substr(0, std::min(n, text.size())));
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string P3109_Padded(std::string_view text, size_t n)
{
    return dqov::text::Fixed(text, n);
}

const char* P3109_pszFieldTypeConstName(char cType)
{
    switch (cType) {
    case '1':
    case 'H': return "X_TYPE_CHAR";
    case '2':
    case 'B': return "X_TYPE_BINARY";
    case '3': return "X_TYPE_CLOB";
    case '4': return "X_TYPE_BLOB";
    case '6': return "X_TYPE_VARIANT";
    case 'A': return "X_TYPE_ALPHA";
    case 'D': return "X_TYPE_DOUBLE";
    case 'E': return "X_TYPE_DATE";
    case 'F': return "X_TYPE_FLOAT";
    case 'I': return "X_TYPE_INTEGER";
    case 'L': return "X_TYPE_LONG";
    case 'M': return "X_TYPE_TIME";
    case 'P': return "X_TYPE_PACKED";
    case 'S': return "X_TYPE_SIGNED";
    case 'U': return "X_TYPE_SHORT_CHAR";
    case 'Y': return "X_TYPE_BOOLEAN";
    case 'Z': return "X_TYPE_DATETIME";
    default: return "X_TYPE_UNKNOWN";
    }
}

const char* P3109_pszFieldSubtypeName(char cSubtype)
{
    switch (cSubtype) {
    case 'F': return "X_SUBTYPE_SIMPLE_FIELD";
    case 'I': return "X_SUBTYPE_INDEX";
    case 'L': return "X_SUBTYPE_LITERAL";
    case 'P': return "X_SUBTYPE_USER_PARAMETER";
    case 'R': return "X_SUBTYPE_ARRAY";
    case 'V': return "X_SUBTYPE_SYSTEM_VARIABLE";
    default: return "X_SUBTYPE_UNKNOWN";
    }
}

void P3109_MakeActionName(std::string_view keyword, std::string& output)
{
    if (keyword.size() < 2 || keyword[0] != '*')
        return;
    switch (keyword[1]) {
    case 'E': output = "X_ERROR_ACTION"; break;
    case 'N': output = "X_NEXT_ACTION"; break;
    case 'A': output = "X_ACCEPT_ACTION"; break;
    default: break;
    }
}

bool P3109_fIsObjectTypeCode(std::string_view code)
{
    const std::string_view type = code.substr(0, 2);
    return type == "FL" || type == "CO" || type == "PR";
}

bool P3109_fIsPageField(std::string_view name)
{
    return name.size() >= 10 && name[0] == 'R' && name[1] == 'E' && name[2] == 'P' && name.substr(4, 4) == "PAGE" &&
           name[8] == ' ';
}

int P3109_lCompareCommandName(const void* pName1, const void* pName2)
{
    int r = std::memcmp(pName1, pName2, 10);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

std::string P3109_DropNationalChar(std::string_view name)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->cNatChar1 != ' ' && ctx->cNatChar1 != '\0' && !name.empty() && name[0] == ctx->cNatChar1)
        name.remove_prefix(1);
    return std::string(name);
}

std::string_view P3109_TrimmedRight(std::string_view text)
{
    return dqov::text::TrimmedRight(text);
}

bool P3109_fBlankText(std::string_view text)
{
    /* a blank field is mostly blanks: eight of them are passed at a time */
    constexpr uint64_t kEightBlanks = 0x2020202020202020ull;
    size_t i = 0;
    for (; i < text.size(); ++i) {
        uint64_t eight;
        if (text.size() - i >= sizeof eight) {
            std::memcpy(&eight, text.data() + i, sizeof eight);
            if (eight == kEightBlanks) {
                i += sizeof eight - 1;
                continue;
            }
        }
        const char c = text[i];
        if (c != ' ' && c != '\0' && c != '\f' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

std::string P3109_TrimRight(std::string_view text)
{
    /* a field's blank words passed first (fields are mostly blank), then
       its last bytes as TrimmedRight takes them */
    text = text.substr(0, dqov::text::BeforeBlankWords(text.data(), text.size()));
    return std::string(dqov::text::TrimmedRight(text));
}

std::string P3109_NameText(const char* pField, size_t ulLength)
{
    std::string s = P3109_TrimRight(std::string_view(pField, ulLength));
    return s.empty() ? std::string(" ") : s;
}

const std::string& P3109_GuidText(int iWhich)
{
    GEN_MODULE_STATE& g = P3109_State();
    std::string& text = iWhich == 0 ? g.guid161 : g.guid162;
    if (!text.empty())
        return text;
    DQOZ_GUID guid{};
    DosCreateGuid(&guid);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(guid.data1), guid.data2, guid.data3, guid.data4[0], guid.data4[1],
                  guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5], guid.data4[6], guid.data4[7]);
    text = buffer;
    return text;
}

void P3109_FourDigits(int iNumber, std::string& out)
{
    if (iNumber >= 0 && iNumber <= 9999) {
        /* the common number: four digits, written here */
        const char text[4] = {static_cast<char>('0' + iNumber / 1000), static_cast<char>('0' + iNumber / 100 % 10),
                              static_cast<char>('0' + iNumber / 10 % 10), static_cast<char>('0' + iNumber % 10)};
        out.assign(text, 4);
        return;
    }
    char text[24];
    out.assign(text, FIX_ulZeroPadded(iNumber, 4, text));
}

std::string P3109_Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    /* most texts are short: formatted once into a buffer here */
    char buffer[256];
    const int n = std::vsnprintf(buffer, sizeof buffer, pszFormat, copy);
    va_end(copy);
    std::string text;
    if (n > 0 && static_cast<size_t>(n) < sizeof buffer) {
        text.assign(buffer, static_cast<size_t>(n));
    } else if (n > 0) {
        text.assign(static_cast<size_t>(n), '\0');
        std::vsnprintf(text.data(), text.size() + 1, pszFormat, args);
    }
    va_end(args);
    return text;
}
