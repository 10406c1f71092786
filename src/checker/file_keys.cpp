// Key checks of the file commands: the key fields of the file (QV_F24 for
// a physical file, QV_F43 for a logical view) with their dictionary
// attributes, and each WITH_KEY value checked as an operand of its key
// field's type.
#include "checker/file_keys.h"

#include "checker/checker.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

struct KeyField {
    char name[10];
    char typeClass;
    int32_t length;
    int32_t decimals;
};

// The key tables of the last request.
KeyField g_keys[P3105_MAX_KEYS];
int g_keyCount = 0;
P3105_KEY_RESULTS g_results;

// What this check read of the repository: the key field names of each
// file (by kind, file, library and physical file), and each key field's
// answer of P3105_sGetFieldAttributes.
struct FieldAnswer {
    char result;
    P3105_FIELD_REQUEST field;
};
std::unordered_map<std::string, std::vector<std::string>> g_keyNames;
std::unordered_map<std::string, FieldAnswer> g_fieldAnswers;

std::string Partition(const FFC_CONTEXT* ctx)
{
    return checker::Trim(ctx->acPartition, 3);
}

std::string Field(const char* text, size_t width)
{
    return checker::Trim(text, width);
}

void Queue(FFC_CONTEXT* ctx, const char* queue, Msg msg, const std::string& data)
{
    P9006_sQueueMessage(ctx, queue, dqov::MsgId(msg), static_cast<uint16_t>(data.size()), data.data());
}

std::string Padded(const std::string& text, size_t width)
{
    std::string s = text.substr(0, width);
    s.resize(width, ' ');
    return s;
}

std::string Number8(long n)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "+%07ld", n);
    return buffer;
}

bool Blank(const char* text, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        if (text[i] != ' ' && text[i] != '\0')
            return false;
    return true;
}

// Reads the key field names of the request's file in key order.
void ReadKeyNames(FFC_CONTEXT* ctx, const P3105_KEY_REQUEST& rq, std::vector<std::string>& names)
{
    bool physical = std::memcmp(rq.acFileKind, "PHY", 3) == 0;
    std::string partition = Partition(ctx);
    std::string file = Field(rq.acFile, 10), library = Field(rq.acLibrary, 10), base = Field(rq.acPhysical, 10);
    SSQL_AREA area;
    const char* tags[4] = {
        physical ? "DC_P3105/SQL001" : "DC_P3105/SQL006", physical ? "DC_P3105/SQL002" : "DC_P3105/SQL007",
        physical ? "DC_P3105/SQL004" : "DC_P3105/SQL009", physical ? "DC_P3105/SQL005" : "DC_P3105/SQL010"};
    SSQL_SetLocation(tags[0]);
    if (physical)
        SSQL_DeclareExt(&area,
                        "SELECT X24FLD, X24KSQ FROM QV_DTA.QV_F24 WHERE X24P_I = '%s' AND X24PFL = '%s' AND "
                        "X24PLB = '%s' ORDER BY X24KSQ",
                        partition.c_str(), file.c_str(), library.c_str());
    else
        SSQL_DeclareExt(&area,
                        "SELECT X43LVK, X43SEQ FROM QV_DTA.QV_F43 WHERE X43P_I = '%s' AND X43PFL = '%s' AND "
                        "X43PLB = '%s' AND X43LGL = '%s' ORDER BY X43SEQ",
                        partition.c_str(), base.c_str(), library.c_str(), file.c_str());
    for (std::string& name : checker::FetchNames(area, tags))
        names.push_back(std::move(name));
}

// The key field names of the request's file, read at its first check.
const std::vector<std::string>& KeyNames(FFC_CONTEXT* ctx, const P3105_KEY_REQUEST& rq)
{
    std::string key(rq.acFileKind, 3 + 10 + 10 + 10);
    static_assert(offsetof(P3105_KEY_REQUEST, acPhysical) == 23, "kind, file, library and physical file adjoin");
    auto it = g_keyNames.find(key);
    if (it != g_keyNames.end())
        return it->second;
    std::vector<std::string> names;
    ReadKeyNames(ctx, rq, names);
    return g_keyNames.emplace(std::move(key), std::move(names)).first->second;
}

// P3105_sGetFieldAttributes of a key field, asked once per check.
char KeyFieldAttributes(FFC_CONTEXT* ctx, P3105_FIELD_REQUEST& field)
{
    std::string key(field.acName, 10);
    auto it = g_fieldAnswers.find(key);
    if (it == g_fieldAnswers.end()) {
        FieldAnswer answer{' ', field};
        answer.result = P3105_sGetFieldAttributes(ctx, &answer.field);
        it = g_fieldAnswers.emplace(std::move(key), answer).first;
    }
    field = it->second.field;
    return it->second.result;
}

}  // namespace

extern "C" {

char P3105_sGetFieldAttributes(FFC_CONTEXT* pContext, P3105_FIELD_REQUEST* pField)
{
    std::string partition = Partition(pContext), name = Field(pField->acName, 10);
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    SSQL_SetLocation("DC_P3105/SQL004");
    SSQL_DeclareExt(&area,
                    "SELECT X03TYP, X03LEN, X03DEC, X03SP1 FROM QV_DTA.QV_F03 WHERE X03P_I = '%s' AND X03FLD = '%s'",
                    partition.c_str(), name.c_str());
    char type = ' ';
    int32_t length = 0, decimals = 0;
    struct {
        uint16_t length;
        char text[256];
    } options{};
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 4, SSQL_FIXED(&type, 1), SSQL_I32(&length), SSQL_I32(&decimals),
                                     SSQL_VARYING(&options, 256));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, "DC_P3105/SQL004");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return '1';
    // Characters 14 to 18 of the option string: five blanks or five zeros
    // mark a field usable as a key.
    size_t used = std::min<size_t>(options.length, sizeof options.text);
    if (used >= 14) {
        std::string mark(options.text + 13, std::min<size_t>(used - 13, 5));
        mark.resize(5, ' ');
        if (mark != "     " && mark != "00000")
            return '1';
    }
    pField->cType = type;
    pField->lLength = length;
    pField->lDecimals = decimals;
    return '0';
}

void P3105_sCheckFileKeys(FFC_CONTEXT* pContext, int16_t sCheckFlag, P3105_KEY_REQUEST* pRequest, const char* acQueue)
{
    P3105_KEY_REQUEST& rq = *pRequest;
    std::memset(&g_results, 0, sizeof g_results);
    rq.cResult = 'Y';
    std::memset(g_keys, 0xFF, sizeof g_keys);
    g_keyCount = 0;
    int32_t values = std::clamp<int32_t>(rq.lValueCount, 0, P3105_MAX_KEYS);
    std::string file = Padded(Field(rq.acFile, 10), 10), library = Padded(Field(rq.acLibrary, 10), 10);

    for (int32_t i = 0; i < values; ++i) {
        if (Blank(rq.aacValues[i], P3105_VALUE_LEN)) {
            Queue(pContext, acQueue, Msg::KeyValueBlank, Number8(i + 1));
            rq.cResult = 'N';
        }
    }
    if (rq.cResult == 'N')
        return;

    for (const std::string& name : KeyNames(pContext, rq)) {
        P3105_FIELD_REQUEST field{};
        checker::Pad(field.acName, 10, name);
        if (KeyFieldAttributes(pContext, field) != '0') {
            Queue(pContext, acQueue, Msg::KeyFieldNotUsable, file + library + "0000001" + Padded(name, 10));
            rq.cResult = 'N';
            return;
        }
        if (g_keyCount >= P3105_MAX_KEYS)
            break;  // no slot beyond the twentieth key field
        KeyField& k = g_keys[g_keyCount++];
        std::memcpy(k.name, field.acName, 10);
        k.typeClass = P3100_chTypeClass(field.cType);
        k.length = field.lLength;
        k.decimals = field.lDecimals;
    }

    for (int32_t i = 0; i < values; ++i) {
        char* value = rq.aacValues[i];
        if (i >= g_keyCount) {
            Queue(pContext, acQueue, Msg::KeyValueHasNoKeyField,
                  file + library + "+0000001" + std::string(value, P3105_VALUE_LEN));
            rq.cResult = 'N';
            std::memcpy(rq.aacCodes[i], "ER", 2);
            continue;
        }
        std::string text = Field(value, P3105_VALUE_LEN);
        std::string upper = text;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper.compare(0, 5, "*MTXT") == 0) {
            Queue(pContext, acQueue, Msg::MultilingualTextAsKeyValue, Padded(text, 50));
            rq.cResult = 'N';
            std::memcpy(rq.aacCodes[i], "ER", 2);
            continue;
        }
        // A value the run generates for the key field: no operand to check;
        // the file check has its name made (P3100_CheckAutoGenerate).
        if (upper.compare(0, std::strlen(P3105_AUTOGENERATE), P3105_AUTOGENERATE) == 0) {
            std::memcpy(rq.aacCodes[i], P3105_AUTOGENERATE_CODE, 2);
            continue;
        }
        auto block = std::make_unique<DC_OPERAND_BLOCK>();
        std::memset(block.get(), ' ', sizeof *block);
        std::memcpy(block->acOperand, value, P3105_VALUE_LEN);
        block->usOperandLength = static_cast<uint16_t>(text.size());
        const KeyField& k = g_keys[i];
        block->cTypeClass = k.typeClass;
        block->lLength = k.length;
        block->lDecimals = k.decimals;
        std::memcpy(block->acField, k.name, 10);
        block->cFlag = 'Y';
        std::memcpy(block->acOptions, rq.acOptions, 8);
        std::memcpy(block->acSourceKind, rq.acSourceKind, 6);
        std::memcpy(block->acProcess, rq.acProcess, 10);
        std::memcpy(block->acFunction, rq.acFunction, 10);
        block->lResultLength = 0;
        block->sResultDecimals = block->sOperandKind = block->sLocal = 0;
        block->lIntegerValue = block->lFractionValue = 0;
        Component_P8007(pContext, block.get(), acQueue, 1, 1, sCheckFlag, 1);
        if (block->cValid != 'Y') {
            rq.cResult = 'N';
            std::memcpy(rq.aacCodes[i], "ER", 2);
            continue;
        }
        std::memcpy(value, block->acResolved, P3105_VALUE_LEN);
        std::memcpy(rq.aacCodes[i], block->acCode, 2);
        g_results.alLength[i + 1] = block->lResultLength;
        g_results.asDecimals[i + 1] = block->sResultDecimals;
        g_results.asKind[i + 1] = block->sOperandKind;
        g_results.asLocal[i + 1] = block->sLocal;
        g_results.alInteger[i + 1] = block->lIntegerValue;
        g_results.alFraction[i + 1] = block->lFractionValue;
    }

    for (int k = 0; k < g_keyCount; ++k) {
        if (k < values && !Blank(rq.aacValues[k], P3105_VALUE_LEN))
            continue;
        Queue(pContext, acQueue, Msg::KeyFieldHasNoValue, file + library + "0000001" + std::string(g_keys[k].name, 10));
        if (rq.cPartialAllowed != 'Y')
            rq.cResult = 'N';
    }
}

const char* P3105_pKeyFieldName(int32_t lPosition)
{
    return lPosition >= 1 && lPosition <= g_keyCount ? g_keys[lPosition - 1].name : nullptr;
}

const P3105_KEY_RESULTS* P3105_pKeyResults(void)
{
    return &g_results;
}

}  // extern "C"

void checker::ForgetFileKeys()
{
    g_keyNames.clear();
    g_fieldAnswers.clear();
}
