/* The operand check: one operand (a literal, a system variable, a field of
 * the function or the repository, a multilingual variable or a component
 * property) against the type class, length and decimals expected of it. */
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "params/operand_internal.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace dqov::operand {
namespace {

using dqov::text::Upper;

/* System variables and the special values taken where a value is expected.
 * Class ' ' fits every type class and has no length to check. */
struct SystemVariable {
    std::string_view name;
    char cls;
    char type;
    int32_t length;
    int16_t decimals;
};

constexpr SystemVariable kSystemVariables[] = {
    {"*BLANK", ' ', 'A', 0, 0},     {"*BLANKS", ' ', 'A', 0, 0},    {"*ZERO", ' ', 'P', 0, 0},
    {"*ZEROS", ' ', 'P', 0, 0},     {"*ZEROES", ' ', 'P', 0, 0},    {"*NULL", ' ', 'A', 0, 0},
    {"*HIVAL", ' ', 'A', 0, 0},     {"*LOVAL", ' ', 'A', 0, 0},     {"*DEFAULT", ' ', 'A', 0, 0},
    {"*NAVAIL", ' ', 'A', 0, 0},    {"*DATE", 'N', 'S', 6, 0},      {"*YYMMDD", 'N', 'S', 6, 0},
    {"*DDMMYY", 'N', 'S', 6, 0},    {"*MMDDYY", 'N', 'S', 6, 0},    {"*YYYYMMDD", 'N', 'S', 8, 0},
    {"*TIME", 'N', 'S', 6, 0},      {"*TIMEC", 'A', 'A', 8, 0},     {"*DATEC", 'A', 'A', 8, 0},
    {"*USER", 'A', 'A', 10, 0},     {"*JOB", 'A', 'A', 10, 0},      {"*JOBNBR", 'A', 'A', 6, 0},
    {"*PROCESS", 'A', 'A', 10, 0},  {"*FUNCTION", 'A', 'A', 7, 0},  {"*PARTITION", 'A', 'A', 3, 0},
    {"*LANGUAGE", 'A', 'A', 4, 0},  {"*PARTDESC", 'A', 'A', 40, 0}, {"*FUNCDESC", 'A', 'A', 40, 0},
    {"*PROCDESC", 'A', 'A', 40, 0}, {"*CPUTYPE", 'A', 'A', 10, 0},  {"*DBMS_TYPE", 'A', 'A', 10, 0},
    {"*DEVICE", 'A', 'A', 10, 0},   {"*MONTH", 'N', 'S', 2, 0},     {"*DAY", 'N', 'S', 2, 0},
    {"*YEAR", 'N', 'S', 2, 0},      {"*YEAR4", 'N', 'S', 4, 0},     {"*CURRENT_DATE", 'A', 'A', 10, 0},
};

/* The work-file cursor slot of the condition-name lookup. */
constexpr uint16_t kConditionSlot = 12;

bool IsNameChar(char c, const FFC_CONTEXT* ctx)
{
    return dqov::text::IsAlnum(c) || c == '_' || c == '@' ||
           (ctx && (c == ctx->cNatChar1 || c == ctx->cNatChar2 || c == ctx->cNatChar3) && c != ' ' && c != 0);
}

/* Multilingual variables are rows of QV_F61 for the partition. */
bool MultilingualExists(const FFC_CONTEXT* ctx, const std::string& name)
{
    /* a failed statement ends the run through the fatal SQL path: a
    ** variable is never refused for a repository that did not answer */
    constexpr char kTag[] = "DC_P8007/QV_F61/A";
    SSQL_AREA area;
    SSQL_SetLocation(kTag);
    std::string partition(ctx->acPartition, 3);
    if (SSQL_DeclareExt(&area, "SELECT COUNT(*) FROM QV_DTA.QV_F61 WHERE X61P_I = '%s' AND X61MTX = '%s'",
                        partition.c_str(), name.c_str()) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, kTag);
    uint32_t count = 0;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(&count));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(nullptr, kTag);
    return rc == SSQL_RC_OK && count > 0;
}

/* A condition the function names with DEF_COND (its "DEF_COND" record,
 * written in pass 1; the name keeps its '*'). */
bool ConditionDefined(FFC_CONTEXT* ctx, const std::string& name)
{
    if (!ctx || !ctx->pWorkFile || name.size() > FFC_WORK_NAME_LEN)
        return false;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_DEF_COND, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, name.data(), name.size());
    return WF_cFindFirst(ctx, kConditionSlot, &r, 2) == '0';
}

DC_PROPERTY_LOOKUP g_propertyLookup = nullptr;
void* g_propertyUser = nullptr;

}  // namespace

namespace {

/* The answers kept: a slot per name hash, the latest answer in it. */
struct KnownDefinition {
    uint64_t stamp = 0;
    const FFC_CONTEXT* ctx = nullptr;
    bool component = false;
    char found = '1';
    char local = 'N';
    FFC_FIELD_DEFINITION def;
};
constexpr size_t kKnownDefinitions = 256;
KnownDefinition g_known[kKnownDefinitions];

size_t KnownSlot(const char* name, bool component)
{
    return static_cast<size_t>(dqov::text::NameFieldHash(name, component ? 1 : 0) >> 56);
}

/* The answer kept for the field of the name (blank-padded to the name's
 * width) while the field cache is as it was when it was asked; nullptr
 * when none is kept. */
const KnownDefinition* KeptDefinition(const FFC_CONTEXT* ctx, bool component, const char* name)
{
    const uint64_t stamp = P310C_ulFieldCacheStamp() + 1; /* never the 0 of an empty slot */
    const KnownDefinition& k = g_known[KnownSlot(name, component)];
    if (k.stamp == stamp && k.ctx == ctx && k.component == component &&
        std::memcmp(k.def.acName, name, sizeof k.def.acName) == 0)
        return &k;
    return nullptr;
}

}  // namespace

Resolution Resolve(FFC_CONTEXT* ctx, std::string_view operand, const ResolveOptions& opt)
{
    Resolution r;
    while (!operand.empty() && operand.back() == ' ')
        operand.remove_suffix(1);
    while (!operand.empty() && operand.front() == ' ')
        operand.remove_prefix(1);
    r.written.assign(operand);
    const std::string& text = r.written; /* r.written is not changed below */
    // every return gives r itself, so that it is built in the caller's place
    auto fail = [&](Msg msg, std::string data) {
        r.ok = false;
        r.messageId = dqov::MsgId(msg);
        r.data = std::move(data);
    };
    auto allowed = [&](int option) { return opt.options[option - 1] == 'Y'; };
    auto notAllowed = [&]() { fail(Msg::OperandKindNotAllowed, Fixed(text, 20) + Fixed(r.code, 2)); };
    if (text.empty()) {
        fail(Msg::OperandRequired, "");
        return r;
    }
    const char point = ctx && ctx->cDecimalPoint != 0 && ctx->cDecimalPoint != ' ' ? ctx->cDecimalPoint : '.';
    char c0 = text[0];

    /* alphanumeric literal */
    if (c0 == '\'') {
        std::string content;
        content.reserve(text.size());
        size_t i = 1;
        bool closed = false;
        while (i < text.size()) {
            /* the text up to the next quote as it stands */
            const size_t quote = text.find('\'', i);
            if (quote == std::string::npos) {
                content.append(text, i, std::string::npos);
                i = text.size();
                break;
            }
            content.append(text, i, quote - i);
            i = quote;
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                content += '\'';
                i += 2;
                continue;
            }
            closed = true;
            break;
        }
        if (!closed || i + 1 != text.size()) {
            fail(Msg::LiteralMalformed, Fixed(text, 20));
            return r;
        }
        r.code = "AL", r.kind = DC_OPERAND_ALPHA_LITERAL, r.cls = 'A', r.type = 'A';
        r.length = static_cast<int32_t>(content.size());
        r.resolved = text;
        r.value = std::move(content);
        if (!allowed(1))
            notAllowed();
        return r;
    }
    /* hex literal X'..' */
    if ((c0 == 'X' || c0 == 'x') && text.size() >= 2 && text[1] == '\'') {
        bool good = text.size() >= 4 && text.back() == '\'' && (text.size() - 3) % 2 == 0;
        for (size_t i = 2; good && i + 1 < text.size(); ++i)
            good = std::isxdigit(static_cast<unsigned char>(text[i]));
        if (!good) {
            fail(Msg::LiteralMalformed, Fixed(text, 20));
            return r;
        }
        r.code = "HL", r.kind = DC_OPERAND_HEX_LITERAL, r.cls = 'A', r.type = 'A';
        r.length = static_cast<int32_t>((text.size() - 3) / 2);
        r.resolved = Upper(text);
        if (!allowed(3))
            notAllowed();
        return r;
    }
    /* numeric literal */
    if (std::isdigit(static_cast<unsigned char>(c0)) || ((c0 == '+' || c0 == '-' || c0 == point) && text.size() > 1)) {
        size_t i = (c0 == '+' || c0 == '-') ? 1 : 0;
        std::string whole, fraction;
        bool seenPoint = false, good = i < text.size();
        for (; good && i < text.size(); ++i) {
            char c = text[i];
            if (std::isdigit(static_cast<unsigned char>(c)))
                (seenPoint ? fraction : whole) += c;
            else if (c == point && !seenPoint)
                seenPoint = true;
            else
                good = false;
        }
        if (!good || (whole.empty() && fraction.empty())) {
            fail(Msg::LiteralMalformed, Fixed(text, 20));
            return r;
        }
        whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
        r.code = "NL", r.kind = DC_OPERAND_NUMERIC_LITERAL, r.cls = 'N', r.type = 'P';
        /* the leading zeros of the whole part do not count, but a number
           has at least one digit: 0 (and 000) is one digit long */
        r.length = static_cast<int32_t>(std::max<size_t>(whole.size() + fraction.size(), 1));
        r.decimals = static_cast<int16_t>(fraction.size());
        r.integerDigits = static_cast<int32_t>(whole.size());
        r.resolved = text;
        long long iv = 0;
        for (char c : whole)
            iv = std::min<long long>(iv * 10 + (c - '0'), INT32_MAX);
        r.integerValue = static_cast<int32_t>(c0 == '-' ? -iv : iv);
        long long fv = 0;
        for (char c : fraction.substr(0, 9))
            fv = fv * 10 + (c - '0');
        r.fractionValue = static_cast<int32_t>(fv);
        if (!allowed(2))
            notAllowed();
        return r;
    }
    /* multilingual variable and system variables */
    if (c0 == '*') {
        std::string u = Upper(text);
        if (u.rfind("*MTXT", 0) == 0) {
            /* the repository keeps the variable under its whole name */
            r.code = "ML", r.kind = DC_OPERAND_MULTILINGUAL, r.cls = 'A', r.type = 'A';
            r.resolved = u;
            if (u.size() == 5 || u.size() > 20 || !MultilingualExists(ctx, u)) {
                fail(Msg::MultilingualVariableNotDefined, Fixed(u, 20));
                return r;
            }
            r.length = 78;
            if (!allowed(6))
                notAllowed();
            return r;
        }
        for (const SystemVariable& sv : kSystemVariables) {
            if (sv.name != u)
                continue;
            r.code = "SV", r.kind = DC_OPERAND_SYSTEM_VARIABLE, r.cls = sv.cls, r.type = sv.type;
            r.length = sv.length, r.decimals = sv.decimals, r.integerDigits = sv.length - sv.decimals;
            r.resolved = u;
            if (!allowed(4))
                notAllowed();
            return r;
        }
        if (ConditionDefined(ctx, u)) {
            r.code = "CN", r.kind = DC_OPERAND_CONDITION, r.cls = 'L', r.type = 'L';
            r.length = 1;
            r.resolved = u;
            return r;
        }
        {
            fail(Msg::SystemVariableUnknown, Fixed(u, 20));
            return r;
        }
    }
    /* component property: component.property */
    size_t dot = text.find('.');
    if (dot != std::string::npos) {
        std::string comp = Upper(text.substr(0, dot)), prop = Upper(text.substr(dot + 1));
        if (ctx && !comp.empty() && comp[0] == ctx->cNatChar1)
            comp.erase(0, 1);
        char type = 'A';
        int32_t len = 0, dec = 0;
        bool known = false;
        if (opt.component && !comp.empty() && !prop.empty())
            known = g_propertyLookup
                        ? g_propertyLookup(g_propertyUser, comp.c_str(), prop.c_str(), &type, &len, &dec) != 0
                        : LookUpComponentProperty(ctx, comp, prop, &type, &len, &dec);
        if (!known) {
            fail(Msg::ComponentPropertyUnknown, Fixed(Upper(text), 20));
            return r;
        }
        r.code = "CP", r.kind = DC_OPERAND_COMPONENT_PROPERTY, r.cls = P3100_chTypeClass(type), r.type = type;
        r.length = len, r.decimals = static_cast<int16_t>(dec), r.integerDigits = len - dec;
        r.resolved = comp + "." + prop;
        if (!allowed(7))
            notAllowed();
        return r;
    }
    /* a field, named with or without the national name character */
    bool prefixed = ctx && c0 == ctx->cNatChar1 && c0 != ' ' && c0 != 0;
    /* the name in capitals, made where a field found keeps it */
    std::string& name = r.resolved;
    name.assign(text, prefixed ? 1 : 0);
    for (char& c : name)
        c = dqov::text::UpperChar(c);
    bool nameLike = !name.empty() && name.size() <= 10 &&
                    std::all_of(name.begin(), name.end(), [&](char c) { return IsNameChar(c, ctx); });
    if (nameLike && opt.lookUp && ctx) {
        /* a kept answer is read where it is kept */
        char padded[sizeof FFC_FIELD_DEFINITION::acName];
        std::memset(padded, ' ', sizeof padded);
        std::memcpy(padded, name.data(), name.size());
        FFC_FIELD_DEFINITION asked;
        const FFC_FIELD_DEFINITION* def = &asked;
        char local = 'N';
        char found;
        if (const KnownDefinition* k = KeptDefinition(ctx, opt.component, padded)) {
            found = k->found;
            def = &k->def;
            local = found == '0' ? k->local : local;
        } else {
            std::memset(&asked, ' ', sizeof asked);
            std::memcpy(asked.acName, padded, sizeof padded);
            found = LookUpDefinition(ctx, opt.component, asked, &local);
        }
        if (found == '0') {
            r.code = "FL", r.kind = DC_OPERAND_FIELD, r.type = def->cType, r.cls = P3100_chTypeClass(def->cType);
            r.length = def->lLength, r.decimals = static_cast<int16_t>(def->lDecimals);
            r.integerDigits = def->lLength - def->lDecimals;
            r.local = local == 'Y';
            if (!allowed(5))
                notAllowed();
            return r;
        }
    }
    /* a value that names no field: an alphanumeric literal where allowed */
    if (!prefixed && allowed(8) && !name.empty() &&
        std::none_of(name.begin(), name.end(), [](char c) { return c == '\''; })) {
        r.code = "AL", r.kind = DC_OPERAND_ALPHA_LITERAL, r.cls = 'A', r.type = 'A';
        r.length = static_cast<int32_t>(text.size());
        r.resolved = text;
        r.value = text;
        return r;
    }
    {
        name.clear();
        fail(Msg::OperandFieldNotDefined, Fixed(Upper(text), 20));
        return r;
    }
}


char LookUpDefinition(FFC_CONTEXT* ctx, bool component, FFC_FIELD_DEFINITION& def, char* local)
{
    static_assert(kKnownDefinitions == 256, "KnownSlot keeps eight bits");
    const uint64_t stamp = P310C_ulFieldCacheStamp() + 1; /* never the 0 of an empty slot */
    KnownDefinition& k = g_known[KnownSlot(def.acName, component)];
    if (k.stamp == stamp && k.ctx == ctx && k.component == component &&
        std::memcmp(k.def.acName, def.acName, sizeof def.acName) == 0) {
        if (k.found == '0') {
            def = k.def;
            if (local)
                *local = k.local;
        }
        return k.found;
    }
    char foundLocal = local ? *local : 'N';
    const char found = component ? Get_Function_Field_Allow_Component(ctx, &foundLocal, &def, nullptr, nullptr)
                                 : Get_Function_Field(ctx, &foundLocal, &def, nullptr, nullptr);
    if (local)
        *local = foundLocal;
    k.stamp = stamp;
    k.ctx = ctx;
    k.component = component;
    k.found = found;
    k.local = foundLocal;
    k.def = def;
    return found;
}

void ForgetDefinitions()
{
    for (KnownDefinition& k : g_known)
        k.stamp = 0;
}

/* Checks a resolved operand against the expected class, length and decimals. */
bool CheckFit(Resolution& r, char expectedClass, int32_t length, int32_t decimals, bool checkSize)
{
    auto fail = [&](Msg msg, std::string data) {
        r.ok = false;
        r.messageId = dqov::MsgId(msg);
        r.data = std::move(data);
        return false;
    };
    /* the operand as message data, made only for a finding */
    auto name = [&r] { return Fixed(r.written, 20); };
    if (expectedClass != ' ' && expectedClass != 0 && r.cls != ' ' && r.cls != expectedClass)
        return fail(Msg::OperandWrongTypeClass, name() + expectedClass + r.cls);
    if (!checkSize || length <= 0 || r.cls == ' ')
        return true;
    if (r.cls == 'A') {
        if (r.length > length)
            return fail(Msg::OperandTooLong, name() + Signed7(length) + Signed7(r.length));
        return true;
    }
    if (r.decimals > decimals)
        return fail(Msg::OperandTooManyDecimals, name() + Signed7(decimals) + Signed7(r.decimals));
    if (r.integerDigits > length - decimals)
        return fail(Msg::OperandTooLong, name() + Signed7(length) + Signed7(r.integerDigits + decimals));
    return true;
}

}  // namespace dqov::operand

using namespace dqov::operand;

namespace {

int16_t CheckOperand(FFC_CONTEXT* ctx, DC_OPERAND_BLOCK* b, const char* queue, int16_t issue, int16_t lookUp,
                     int16_t checkFlag, bool component)
{
    if (!b)
        return 1;
    b->cValid = 'N';
    std::memset(b->acResolved, ' ', sizeof b->acResolved);
    std::memcpy(b->acCode, "  ", 2);
    b->cTypeCode = ' ';
    b->lResultLength = 0, b->sResultDecimals = 0, b->sOperandKind = 0, b->sLocal = 0;
    b->lIntegerValue = 0, b->lFractionValue = 0;
    ResolveOptions opt;
    std::memcpy(opt.options, b->acOptions, 8);
    opt.lookUp = lookUp != 0;
    opt.component = component;
    size_t n = std::min<size_t>(b->usOperandLength, DC_OPERAND_TEXT_SIZE);
    Resolution r = Resolve(ctx, std::string_view(b->acOperand, n), opt);
    if (r.ok)
        CheckFit(r, b->cTypeClass, b->lLength, b->lDecimals, checkFlag != 0);
    if (!r.ok) {
        if (issue && ctx && queue)
            P9006_sQueueMessage(ctx, queue, r.messageId, static_cast<uint16_t>(r.data.size()), r.data.data());
        return 1;
    }
    b->cValid = 'Y';
    dqov::text::Pad(b->acResolved, DC_OPERAND_TEXT_SIZE, r.resolved);
    std::memcpy(b->acCode, r.code.data(), 2);
    b->cTypeCode = r.type;
    b->lResultLength = r.length;
    b->sResultDecimals = r.decimals;
    b->sOperandKind = static_cast<int16_t>(r.kind);
    b->sLocal = r.local ? 1 : 0;
    b->lIntegerValue = r.integerValue;
    b->lFractionValue = r.fractionValue;
    return 0;
}

}  // namespace

extern "C" {

void DC_SetComponentPropertyLookup(DC_PROPERTY_LOOKUP pfnLookup, void* pUser)
{
    g_propertyLookup = pfnLookup;
    g_propertyUser = pUser;
}

int16_t DC_P8007(FFC_CONTEXT* pContext, DC_OPERAND_BLOCK* pBlock, const char* acQueue, int16_t sIssue, int16_t sLookUp,
                 int16_t sCheckFlag, int16_t)
{
    return CheckOperand(pContext, pBlock, acQueue, sIssue, sLookUp, sCheckFlag, false);
}

int16_t Component_P8007(FFC_CONTEXT* pContext, DC_OPERAND_BLOCK* pBlock, const char* acQueue, int16_t sIssue,
                        int16_t sLookUp, int16_t sCheckFlag, int16_t sComponent)
{
    return CheckOperand(pContext, pBlock, acQueue, sIssue, sLookUp, sCheckFlag, sComponent != 0);
}

}  // extern "C"
