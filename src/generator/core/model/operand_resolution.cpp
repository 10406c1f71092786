/*
** operand_resolution.cpp: GEN_FIELD_INFO from a used-field record and the
** operand's definition; work values; the choice of machine types.
**
** A field's definition comes from the job's field cache, which holds the
** fields the function defines and the dictionary's fields. Literals and
** system variables are described by the operand check itself. The
** dictionary's attribute codes give the flag words: ASQN (the field may
** hold the SQL null value, which gives it the extended size), SUNI
** (unsigned) and SUNS (national characters).
*/
#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/record_store.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "params/literal_key.h"
#include "params/operand_internal.h"
#include "params/parsed_command.h"
#include "platform/dqoo/dqoo.h"

namespace {

constexpr const char* kNotAvailable = "V_NOT_AVAILABLE";

static_assert(sizeof(WR_ARRAY_ELEMENT_DATA) <= sizeof(WR_USEFIELD_DATA::acArrayData));

/* What the resolver needs of an operand's definition. */
struct Definition {
    bool found = false;
    char cType = ' ';
    int32_t lLength = 0;
    int16_t sDecimals = 0;
    char cShift = ' ';
    /* the attribute lists as 40 characters each, terminated */
    char input[41] = "                                        ";
    char output[41] = "                                        ";
};

/* The list's codes as 40 characters, put into `text`. */
void setListText(char (&text)[41], const FFC_ATTRIBUTE_LIST& list)
{
    const size_t n = std::min<size_t>({list.usLength, sizeof list.acCodes, 40});
    std::memcpy(text, list.acCodes, n);
    std::memset(text + n, ' ', 40 - n);
    text[40] = '\0';
}

/* A field description as a default-constructed one: copied over a kept
** description, its texts keep their storage. */
const GEN_FIELD_INFO& blankFieldInfo()
{
    static const GEN_FIELD_INFO blank;
    return blank;
}

Definition fieldDefinition(FFC_CONTEXT* ctx, std::string_view name)
{
    Definition d;
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, name.data(), std::min(name.size(), sizeof def.acName));
    char local = 'N';
    const char found = ctx->lComponentRun ? Get_Function_Field_Allow_Component(ctx, &local, &def, nullptr, nullptr)
                                          : Get_Function_Field(ctx, &local, &def, nullptr, nullptr);
    if (found != '0')
        return d;
    d.found = true;
    d.cType = def.cType;
    d.lLength = def.lLength;
    d.sDecimals = static_cast<int16_t>(def.lDecimals);
    d.cShift = def.cShift;
    setListText(d.input, def.input);
    setListText(d.output, def.output);
    return d;
}

/* A literal, a system variable or a user parameter: what the operand
** check makes of the operand as written. */
Definition operandDefinition(FFC_CONTEXT* ctx, std::string_view written)
{
    Definition d;
    dqov::operand::ResolveOptions options;
    options.component = ctx->lComponentRun != 0;
    const dqov::operand::Resolution r = dqov::operand::Resolve(ctx, written, options);
    if (!r.ok || r.type == ' ')
        return d;
    d.found = true;
    d.cType = r.type;
    d.lLength = r.length;
    d.sDecimals = r.decimals;
    return d;
}

int32_t digits(const char* p, size_t n)
{
    int32_t v = 0;
    bool any = false;
    for (size_t i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            continue;
        v = v * 10 + (p[i] - '0');
        any = true;
    }
    return any ? v : 1;
}

void copyArrayData(const WR_USEFIELD_DATA& d, GEN_FIELD_INFO& info)
{
    /* the checker's layout: kind, array or referenced field, index field, start */
    const auto& a = *reinterpret_cast<const WR_ARRAY_ELEMENT_DATA*>(d.acArrayData);
    info.array.cKind = a.cKind == '\0' ? ' ' : a.cKind;
    info.array.referenced.assign(P3109_TrimmedField(std::string_view(a.acArray, sizeof a.acArray)));
    info.array.sStart = static_cast<int16_t>(digits(a.acStart, sizeof a.acStart));
    info.array.indexField.assign(P3109_TrimmedField(std::string_view(a.acIndex, sizeof a.acIndex)));
    info.cArrayElement = info.array.cKind == 'A' || info.array.cKind == 'B' ? 'Y' : 'N';
    /* an array element is reached through its index at run time */
    info.fIndexed = info.cArrayElement == 'Y';
}

/* The length unit that bounds a short character field: the bytes of one
** character in the partition's texts. */
int32_t lengthUnit(const FFC_CONTEXT* ctx)
{
    return ctx->cDoubleByte == 'Y' ? 2 : 1;
}

void applyDefinition(const FFC_CONTEXT* ctx, const Definition& def, GEN_FIELD_INFO& info)
{
    info.fDefined = def.found;
    info.cType = def.cType;
    info.cDeclaredType = def.cType;
    info.lLength = def.lLength;
    info.sDecimals = def.sDecimals;
    std::memcpy(info.inputAttributes.data(), def.input, info.inputAttributes.size());
    std::memcpy(info.outputAttributes.data(), def.output, info.outputAttributes.size());
    /* the shift class by the dictionary's keyboard shift: double-byte text
       (E, J, O), G, U, or none */
    switch (def.cShift) {
    case 'E':
    case 'J':
    case 'O': info.cShift = 'Y'; break;
    case 'G':
    case 'U': info.cShift = def.cShift; break;
    default: info.cShift = 'N'; break;
    }
    char asqn = 'N', suns = 'N', suni = 'N';
    P310C_ScanFieldAttributeCodes(def.input, def.output, &asqn, &suns, &suni);
    info.alFlags[GEN_FLAG_EXTENDED_SIZE] = asqn == 'Y';
    info.alFlags[GEN_FLAG_UNSIGNED] = suni == 'Y';
    info.alFlags[GEN_FLAG_NATIONAL] = suns == 'Y';
    if ((info.cType == '1' || info.cType == 'H') && info.lLength > 0 && info.lLength <= 32 * lengthUnit(ctx) &&
        info.alFlags[GEN_FLAG_NATIONAL] == 0)
        info.cType = 'U';
    else if (info.cType == '2' || info.cType == 'B')
        info.cType = 'B';
    uint32_t size = 0;
    P3109_GetFieldStorageSize(info.cType, info.lLength, info.sDecimals, info.fNullable(), info.fUnsigned(),
                              info.fNational(), size);
    info.usByteLength = static_cast<uint16_t>(std::min<uint32_t>(size, UINT16_MAX));
}

/* Control codes and the two time zone codes of the attribute lists. */
void scanAttributes(GEN_FIELD_INFO& info)
{
    for (const std::array<char, 40>* list : {&info.inputAttributes, &info.outputAttributes})
        for (size_t i = 0; i + 4 <= list->size() && i < 40; i += 4) {
            const std::string_view code(list->data() + i, 4);
            if (code == "    ")
                continue;
            if ((code >= "PB01" && code <= "PB20") || (code >= "RB01" && code <= "RB99") ||
                (code.compare(0, 2, "DD") == 0 && code[2] != ' ')) {
                info.cControl = code[0] == 'P' ? 'P' : code[0] == 'R' ? 'R' : 'D';
                info.acControlNumber[0] = code[2];
                info.acControlNumber[1] = code[3];
            } else if (code == "CBOX") {
                info.cControl = 'X';
            } else if (code == "SUTC") {
                info.lSutc = 1;
            } else if (code == "DUTC") {
                info.lDutc = 1;
            }
        }
}

void setNames(GEN_FIELD_INFO& info, std::string_view identifier, const char* local, const char* vector)
{
    info.identifier.assign(identifier);
    if (identifier.empty()) {
        info.localName.clear();
        info.vectorName = kNotAvailable;
        return;
    }
    info.localName.assign(local).append(identifier);
    info.vectorName.assign(vector).append(identifier);
}

void resolveField(const FFC_WORK_RECORD& r, GEN_FIELD_INFO& info)
{
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    const std::string_view fieldName(d.acFieldName, sizeof d.acFieldName);
    std::string_view source = fieldName;
    if (info.cResolved == '\0') {
        info.operandName.assign(fieldName).append(20 - fieldName.size(), ' ');
    } else if (info.cResolved == 'R' || info.cResolved == 'r') {
        source = std::string_view(d.acQualified, sizeof d.acQualified);
        info.operandName.assign(source);
    } else {
        info.operandName = P3109_Padded("p" + info.operandText.substr(0, 19), 20);
    }
    setNames(info, P3109_MakeCIdentifier(source, source.size()), "f", "V_FIELD_");
    scanAttributes(info);
}

/* The object layer's information on a literal of marker 'L'. */
void queryLiteral(GEN_FIELD_INFO& info)
{
    DQOO_LITERAL_INFO literal{};
    const std::string item = P3109_Padded(info.operandText, 9);
    const long rc = DQOO_FCC_LL2_ETT_QueryGetLiteralInfo(item.c_str(), &literal);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_LL2_ETT_QueryGetLiteralInfo", rc);
    info.usLiteralLength1 = literal.usLength;
    info.usLiteralLength2 = literal.usSecond;
    /* kind 2: a whole number that machine arithmetic holds */
    bool whole = literal.pszText && *literal.pszText;
    for (const char* p = literal.pszText; whole && *p; ++p)
        whole = (*p >= '0' && *p <= '9') || ((*p == '-' || *p == '+') && p == literal.pszText);
    info.lLiteralKind = whole && std::strlen(literal.pszText) <= 9 ? 2 : 1;
}

/* A plain integer of at most 9 digits sets the integer literal flag. */
void scanNumericLiteral(GEN_FIELD_INFO& info)
{
    char sign = '+';
    int64_t value = 0;
    int digitCount = 0;
    bool plain = true;
    /* (the blanks a padded text would add are passed over) */
    for (char c : std::string_view(info.operandText).substr(0, GEN_OPERAND_NAME_WIDTH)) {
        if (c == ' ')
            continue;
        if (c == '+' || c == '-')
            sign = c;
        else if (c >= '0' && c <= '9') {
            /* the value is kept for at most 9 digits: a longer literal
            ** would overflow it and sets no integer flag anyway */
            plain = plain && ++digitCount <= 9;
            if (plain)
                value = value * 10 + (c - '0');
        } else
            plain = false;
    }
    if (!plain || digitCount == 0)
        return;
    info.cIntegerLiteral = 'Y';
    info.cSign = sign;
    info.lIntegerValue = static_cast<int32_t>(value);
}

void resolveNumericLiteral(GEN_FIELD_INFO& info)
{
    if (info.cResolved != 'L')
        scanNumericLiteral(info);
    if (P3109_MakeUpperName(info.fieldName, info.fieldName.size())) {
        info.cType = 'S';
        info.usByteLength = static_cast<uint16_t>(std::max<int32_t>(info.lLength, 0));
        return;
    }
    const bool machineLong = info.cResolved == 'L' ? info.lLiteralKind == 2 : info.lLength <= 9 && info.sDecimals == 0;
    info.cType = machineLong ? 'L' : 'D';
    info.usByteLength = machineLong ? 4 : 8;
}

/* An alphanumeric literal longer than the record's name holds: its whole
** text as written in the command of its first use, the literal there whose
** record name is the record's (a record of an older check holds the
** literal's first 50 characters, the closing quote cut off: the literal
** there that begins with them); the name itself when the command does not
** hold it. */
std::string wholeLiteral(FFC_CONTEXT* ctx, std::string_view name, const WR_USEFIELD_DATA& d)
{
    const std::string written = P3109_TrimRight(name);
    const bool keyed = dqov::literal::IsLongKey(written);
    const bool closed = written.size() >= 2 && written.back() == '\'';
    if (written.empty() || written[0] != '\'' || (closed && !keyed) || !ctx || !ctx->pCommandStore)
        return written;
    const int32_t line = FIX_lDigitsToLong(d.acFirstLine, sizeof d.acFirstLine, nullptr);
    if (line <= 0 || line > INT16_MAX)
        return written;
    uint32_t length = 0;
    const auto* command =
        static_cast<const FFC_PARSED_COMMAND*>(RS_pViewCommandRecord(ctx, static_cast<int16_t>(line), 0, &length));
    if (!command || length < sizeof(FFC_PARSED_COMMAND))
        return written;
    const std::string_view area(command->acParms, sizeof command->acParms);
    if (keyed) {
        /* each quoted text to its closing quote, as the check reads them */
        for (size_t at = area.find('\''); at != std::string_view::npos; at = area.find('\'', at + 1)) {
            const size_t end = area.find('\'', at + 1);
            if (end == std::string_view::npos)
                break;
            const std::string_view literal = area.substr(at, end + 1 - at);
            if (literal.size() > dqov::literal::kKeyLength && dqov::literal::RecordKey(literal) == written)
                return std::string(literal);
        }
        return written;
    }
    const size_t at = area.find(name);
    if (at == std::string_view::npos)
        return written;
    /* to the closing quote, as the check reads the literals of a value */
    const size_t end = area.find('\'', at + 1);
    return end == std::string_view::npos ? written : std::string(area.substr(at, end + 1 - at));
}

}  // namespace

void P3109_ResolveOperandName(const FFC_WORK_RECORD& r, GEN_FIELD_INFO& info)
{
    /* 1-3: names cleared */
    info = blankFieldInfo();
    P3109_ResolveNewOperandName(r, info);
}

void P3109_ResolveNewOperandName(const FFC_WORK_RECORD& r, GEN_FIELD_INFO& info)
{
    FFC_CONTEXT* ctx = P3109_Context();
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    /* the operand as written: a long literal's whole text is made anew */
    std::string whole;
    std::string_view written = P3109_TrimmedField(std::string_view(r.acName, FFC_WORK_NAME_LEN));
    if (std::memcmp(d.acClass, "AL", 2) == 0)
        written = whole = wholeLiteral(ctx, std::string_view(r.acName, FFC_WORK_NAME_LEN), d);

    /* 1-3: type, lengths and flags from the definition */
    std::memcpy(info.acKind, d.acClass, 2);
    info.operandText.assign(written);
    info.fieldName.assign(d.acFieldName, sizeof d.acFieldName);
    const bool field = info.fKind("FL");
    const std::string_view fieldName = P3109_TrimmedField(info.fieldName);
    Definition def = ctx && !fieldName.empty() ? fieldDefinition(ctx, fieldName) : Definition{};
    if (ctx && !def.found && !field)
        def = operandDefinition(ctx, written);
    if (ctx)
        applyDefinition(ctx, def, info);
    copyArrayData(d, info);
    /* a default is the value item of its routine; a description is copied
       often, so a field without one holds no text for it */
    if (static_cast<unsigned char>(d.acValueItem[0]) == 3)
        info.defaultValue.assign(d.acValueItem, sizeof d.acValueItem);
    else
        info.defaultValue.clear();

    /* 4: the marker and the load kind, then the work type (an extended
       field keeps its type) */
    info.cResolved = d.cResolved;
    info.cLoadKind = d.cLoadKind == '2' || d.cLoadKind == 2 ? 2 : 1;
    P3109_chChooseWorkFieldType(info);

    /* a field computed by a routine: the evaluation reference of its value
       item (3, the evaluation kind, the routine's 7 digits) */
    if (info.cResolved == 'E' && static_cast<unsigned char>(d.acValueItem[0]) == 3) {
        info.cEvaluationKind = d.acValueItem[1] == 'R' ? 'R' : 'N';
        const std::string routine(d.acValueItem + 2, 7);
        if (routine.find_first_not_of("0123456789") == std::string::npos)
            info.evaluationRoutine = std::to_string(std::stol(routine));
    }

    /* 5: by the operand kind */
    if (field) {
        resolveField(r, info);
        return;
    }
    if (info.cResolved == 'L')
        queryLiteral(info);
    if (info.fKind("AL") || info.fKind("NL")) {
        const std::string_view number(d.acLiteralNumber, sizeof d.acLiteralNumber);
        const bool alpha = info.fKind("AL");
        /* the storage name: the kind's prefix and the number, 20 characters */
        info.operandName.assign(alpha ? "aALPHA_LITERAL_" : "nNUMERIC_LITERAL_").append(number).resize(20, ' ');
        setNames(info, P3109_TrimmedField(number), alpha ? "ALPHA_LITERAL_" : "NUMERIC_LITERAL_",
                 alpha ? "V_ALPHA_LITERAL_" : "V_NUMERIC_LITERAL_");
        if (!alpha)
            resolveNumericLiteral(info);
        return;
    }
    const std::string_view tail(r.acName + 1, 19);
    if (info.fKind("SV")) {
        info.operandName.assign(r.acName, 20);
        setNames(info, P3109_MakeCIdentifier(tail, tail.size()), "v", "V_SV_");
        info.cRefresh = d.cDynamic != ' ' && d.cDynamic != '\0' ? 'D' : 'S';
        const std::string name = P3109_TrimRight(std::string(d.acSystemVariable, sizeof d.acSystemVariable) +
                                                 std::string(d.acSysVarTail, sizeof d.acSysVarTail));
        info.systemVariable = name.empty() ? written.substr(0, 11) : name;
        return;
    }
    if (info.fKind("UP"))
        setNames(info, P3109_MakeCIdentifier(tail, tail.size()), "p", "V_UP_");
}

void P3109_MakeWorkFieldFromWork(const GEN_WORK_VALUE& work, GEN_FIELD_INFO& info)
{
    if (P3109_fNeedsZophxHandling(info))
        P3109_ZophxFieldMisuse("Make_pFld_from_pWork()", info.DisplayName());
    info = blankFieldInfo();
    info.operandName = P3109_Padded(work.operandName, 20);
    info.localName = work.localName;
    info.vectorName = work.vectorName;
    info.cType = work.cKind == 'L' || work.cKind == 'C' ? 'A' : 'P';
    info.cDeclaredType = info.cType;
    info.lLength = work.lLength;
    const uint32_t length = static_cast<uint32_t>(std::max<int32_t>(work.lLength, 0));
    info.usByteLength = static_cast<uint16_t>(info.cType == 'P' ? length / 2 + 1 : length);
    info.sDecimals = work.sDecimals;
    info.acKind[0] = 'F';
    info.acKind[1] = 'L';
    info.fDefined = true;
    P3109_chChooseWorkFieldType(info);
}

char P3109_chChooseWorkFieldType(GEN_FIELD_INFO& info)
{
    if (info.cType == 'A' || P3109_fNeedsZophxHandling(info))
        return info.cType;
    if (!P3109_fFastMathsAllowed(info))
        return info.cType;
    if (P3109_MakeUpperName(info.fieldName, info.fieldName.size()))
        return info.cType;
    if (info.sDecimals == 0 && info.lLength < 10) {
        info.cType = 'L';
        info.usByteLength = 4;
    } else {
        info.cType = 'D';
        info.usByteLength = 8;
    }
    return info.cType;
}

bool P3109_fFastMathsAllowed(const GEN_FIELD_INFO& info)
{
    if (P3109_fNeedsZophxHandling(info))
        P3109_ZophxFieldMisuse("Fast_Maths_Allowed()", info.DisplayName());
    if (info.cFastMaths == 'Y')
        return true;
    return P3109_State().process.compare(0, 4, "QTW$") == 0;
}

std::string P3109_ResolveFieldVectorName(const FFC_WORK_RECORD& record)
{
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(record);
    if (d.cMangled == 'F') {
        /* the file field the mangled name stands for */
        const std::string id = P3109_MakeCIdentifier(std::string_view(d.acFieldName, 10), 10);
        return id.empty() ? kNotAvailable : "V_FIELD_" + id;
    }
    GEN_FIELD_INFO info;
    P3109_ResolveNewOperandName(record, info);
    return info.vectorName.empty() ? kNotAvailable : info.vectorName;
}
