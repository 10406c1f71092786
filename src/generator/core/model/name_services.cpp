/*
** name_services.cpp: generated names and used-name registries.
*/
#include "generator/core/model/name_services.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/definitions.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

struct Registries {
    uint16_t usInstanceCounter = 0;
    std::vector<GEN_INSTANCE_NAME> instances;
    std::vector<std::pair<std::string, std::string>> fieldTexts; /* field, kinds used */
    std::unordered_map<std::string, size_t> fieldTextAt;           /* the entry of a field */
    std::vector<std::string> multilingual;
};

Registries& reg()
{
    static Registries r;
    return r;
}

}  // namespace

void P3109_ResetNameServices()
{
    reg() = Registries{};
}

std::string P3109_MakeInstanceName(std::string_view base, std::string_view text1, std::string_view text2,
                                   std::string_view text3)
{
    Registries& r = reg();
    ++r.usInstanceCounter;
    std::string name = std::string(base) + "_" + std::to_string(r.usInstanceCounter);
    r.instances.push_back({name, std::string(text1), std::string(text2), std::string(text3)});
    return "INSTANCE(" + name + ")";
}

const std::vector<GEN_INSTANCE_NAME>& P3109_InstanceNames()
{
    return reg().instances;
}

std::string P3109_MakeFieldNameFromLiteral(std::string_view name)
{
    std::string field = P3109_Padded(name, 10);
    return field.substr(1) + " ";
}

void P3109_AppendLineComment(std::string& line, std::string_view text)
{
    if (!text.empty())
        line += " // " + std::string(text);
}

namespace {

/* The work file's answers to the names asked for as field groups, kept
** while no group record changes (the file's stamp of the kind stays the
** same): the emitters ask for the same few names again and again. */
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct GroupAnswers {
    uint64_t stamp = 0;
    std::unordered_map<std::string, bool, NameHash, std::equal_to<>> known;
};

GroupAnswers& groupAnswers()
{
    static GroupAnswers answers;
    return answers;
}

/* The name part of a work record key as text: cut to the key's width and
** without trailing blanks, which the blank-filled key holds anyway. */
std::string_view keyName(std::string_view name)
{
    name = name.substr(0, std::min<size_t>(name.size(), FFC_WORK_NAME_LEN));
    const size_t end = name.find_last_not_of(' ');
    return name.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

}  // namespace

bool P3109_fIsGroupName(std::string_view name)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return false;
    /* the name without the national character */
    std::string_view key = name;
    if (ctx->cNatChar1 != ' ' && ctx->cNatChar1 != '\0' && !key.empty() && key[0] == ctx->cNatChar1)
        key.remove_prefix(1);
    GroupAnswers& answers = groupAnswers();
    const uint64_t stamp = WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPNAM);
    if (stamp != answers.stamp) {
        answers.known.clear();
        answers.stamp = stamp;
    }
    const std::string_view known = keyName(key);
    if (const auto found = answers.known.find(known); found != answers.known.end())
        return found->second;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, "GROUPNAM", 8);
    if (!key.empty())
        std::memcpy(r.acName, key.data(), std::min<size_t>(key.size(), FFC_WORK_NAME_LEN));
    const bool group = WF_cReadFirst(ctx, 2, &r, 2) == '0';
    answers.known.emplace(std::string(known), group);
    return group;
}

void P3109_NoteGroupRecorded(std::string_view name, uint64_t ulStampBefore, uint64_t ulStampAfter)
{
    GroupAnswers& answers = groupAnswers();
    /* one record added since the answers were given: only its name's answer changes */
    if (answers.stamp == 0 || answers.stamp != ulStampBefore || ulStampAfter != ulStampBefore + 1)
        return;
    answers.stamp = ulStampAfter;
    answers.known[std::string(keyName(name))] = true;
}

void P3109_AddUniqueName(std::vector<std::string>& names, std::string_view name)
{
    std::string key = P3109_Padded(name, 10);
    for (const std::string& n : names)
        if (n == key)
            return;
    names.push_back(key);
}

bool P3109_fInList10(int32_t lValue, const int32_t alList[10])
{
    return std::find(alList, alList + 10, lValue) != alList + 10;
}

int P3109_lCompare12(const void* pKey1, const void* pKey2)
{
    int r = std::memcmp(pKey1, pKey2, 12);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

namespace {

/* A field is known by its 10-character name, without the national name
** character it may be written with (the field text records know it so);
** a member of a component by its qualified name, which is longer and is
** not cut. */
std::string fieldTextKey(std::string_view field)
{
    const std::string name = P3109_TrimRight(field);
    return name.size() > 11 ? name : P3109_Padded(P3109_DropNationalChar(name), 10);
}

}  // namespace

void P3109_RegisterFieldTextUse(std::string_view field, char cKind)
{
    Registries& r = reg();
    std::string key = fieldTextKey(field);
    if (const auto known = r.fieldTextAt.find(key); known != r.fieldTextAt.end()) {
        std::string& kinds = r.fieldTexts[known->second].second;
        if (kinds.find(cKind) == std::string::npos)
            kinds += cKind;
        return;
    }
    r.fieldTextAt.emplace(key, r.fieldTexts.size());
    r.fieldTexts.push_back({std::move(key), std::string(1, cKind)});
    ++P3109_State().lUsedFieldTexts;
}

const std::vector<std::pair<std::string, std::string>>& P3109_FieldTextUses()
{
    return reg().fieldTexts;
}

const std::vector<std::string>& P3109_MultilingualVariables()
{
    return reg().multilingual;
}

int16_t P3109_sFieldTextIndex(std::string_view field)
{
    const auto& at = reg().fieldTextAt;
    const auto found = at.find(fieldTextKey(field));
    return found == at.end() ? int16_t{-1} : static_cast<int16_t>(found->second);
}

std::string P3109_MakeMultilingualFieldRef(std::string_view field, char cKind)
{
    int16_t index = P3109_sFieldTextIndex(field);
    const bool cs = P3109_State().cTarget == GEN_TARGET_CSHARP;
    if (index < 0)
        return cs ? "null" : "pX_NULL";
    char text[64];
    std::snprintf(text, sizeof text,
                  cs ? "X_Get_MFld(%d,FunctionGlobalStatic3.sLangNo,'%c')" : "X_Get_MFld(%d,INSTANCE_S3(sLangNo),'%c')",
                  index, cKind);
    return text;
}

int16_t P3109_sMultilingualVariableIndex(std::string_view name)
{
    std::string key = P3109_Padded(P3109_CopyUpper(name, 20), 20);
    const auto& vars = reg().multilingual;
    for (size_t i = 0; i < vars.size(); ++i)
        if (vars[i] == key)
            return static_cast<int16_t>(i);
    return -1;
}

int16_t P3109_pFindMultilingualVariable(std::string_view name)
{
    int16_t index = P3109_sMultilingualVariableIndex(name);
    if (index >= 0)
        return index;
    reg().multilingual.push_back(P3109_Padded(P3109_CopyUpper(name, 20), 20));
    ++P3109_State().lMultilingualVariables;
    return static_cast<int16_t>(reg().multilingual.size() - 1);
}

int16_t P3109_SetCurrentCommand(uint16_t usNumber, uint16_t usSequence)
{
    const GEN_COMMAND_SOURCE* s = P3109_pCommandSource();
    GEN_COMMAND_RECORD r;
    if (!s || !s->pfnFind || s->pfnFind(P3109_Context(), usNumber, usSequence, &r) != 0)
        return 1;
    P3109_MakeCurrentCommand(r);
    P3109_State().cLabelFlag = 'Y';
    return 0;
}

int P3109_fCheckReportLimit(int32_t lValue, int32_t lLimit, std::string_view text)
{
    if (lValue < lLimit)
        return 0;
    P3109_sIssueMessage(Msg::LimitReached, text);
    return 1;
}

void P3109_WriteCloseCursors(std::string_view offset)
{
    if (P3109_State().sSqlCursorCount <= 0)
        return;
    if (P3109_State().cTarget == GEN_TARGET_CSHARP) {
        /* C#: the close routines are the delegates the loops registered */
        const std::string entry = offset == "0" ? "sEntryCursors" : "( sEntryCursors + " + std::string(offset) + " )";
        P3109_Line("if ( pGlobal1.sCurrentCursors > " + entry +
                   " ) X_RUN_DLL.X_Close_Cursors( pGlobal1.pfCloseCursor, ref pGlobal1.sCurrentCursors, " + entry +
                   " );");
        return;
    }
    if (offset == "0") {
        P3109_Line(
            "if ( INSTANCE(sCurrentCursors) > sEntryCursors ) X_Close_Cursors( FUNCTION_STD_PARMS, sEntryCursors );");
        return;
    }
    const std::string o(offset);
    P3109_Line("if ( INSTANCE(sCurrentCursors) > ( sEntryCursors + " + o +
               " ) ) X_Close_Cursors( FUNCTION_STD_PARMS, ((X_SHORT)( sEntryCursors + " + o + " )) );");
}

namespace {

constexpr const char* kDisplayStyles[] = {"PBIN", "PBFP", "PBBR", "PBCM", "PBGH", "PBNT",
                                          "PBET", "PBEN", "PBEE", "PBCN", "PBCE", "PBSI"};

struct AttributeRow {
    int index;      /* attribute flag index */
    char appliesTo; /* 'I' input, 'O' output, 'B' both */
    char cls;       /* 'C' colour, 'A' attribute */
    char colour;    /* colour letter of a colour row */
    int position;   /* position of an attribute row in the 16 flags */
};

constexpr AttributeRow kAttributeRows[] = {
    {15, 'B', 'C', 'G', 0},  {16, 'B', 'C', 'W', 0}, {17, 'B', 'C', 'R', 0}, {18, 'B', 'C', 'T', 0},
    {19, 'B', 'C', 'Y', 0},  {20, 'B', 'C', 'P', 0}, {21, 'B', 'C', 'B', 0}, {25, 'B', 'A', ' ', 14},
    {3, 'I', 'A', ' ', 0},   {9, 'I', 'A', ' ', 6},  {4, 'I', 'A', ' ', 1},  {11, 'I', 'A', ' ', 8},
    {12, 'I', 'A', ' ', 9},  {7, 'I', 'A', ' ', 4},  {8, 'I', 'A', ' ', 5},  {10, 'I', 'A', ' ', 7},
    {26, 'I', 'A', ' ', 15}, {5, 'I', 'A', ' ', 2},  {6, 'I', 'A', ' ', 3},
};

const char* findStyle(const char (&codes)[10][4])
{
    /* every style's code starts "PB": most lists hold none of them */
    bool candidate = false;
    for (const auto& code : codes)
        candidate = candidate || (code[0] == 'P' && code[1] == 'B');
    if (!candidate)
        return nullptr;
    for (const char* style : kDisplayStyles)
        for (const auto& code : codes)
            if (std::memcmp(code, style, 4) == 0)
                return style;
    return nullptr;
}

void applyRow(const AttributeRow& row, std::string& colour, std::string& attributes)
{
    if (row.cls == 'C') {
        colour = std::string("'") + row.colour + "'";
        return;
    }
    if (attributes.size() != 18 || attributes.front() != '"')
        attributes = "\"" + std::string(16, 'N') + "\"";
    attributes[static_cast<size_t>(row.position) + 1] = 'Y';
}

}  // namespace

GEN_COLOUR_NAMES P3109_MakeColourNames(const GEN_DISPLAY_ATTRIBUTES& f)
{
    GEN_COLOUR_NAMES n{"X_DEFAULT_INPUT_COLOUR", "X_DEFAULT_OUTPUT_COLOUR", "X_DEFAULT_INPUT_ATTRIBUTES",
                       "X_DEFAULT_OUTPUT_ATTRIBUTES"};
    if (const char* style = findStyle(f.acInputStyles)) {
        n.inputColour = std::string("X_") + style + "_INPUT_COLOUR";
        n.inputAttributes = std::string("X_") + style + "_INPUT_ATTRIBUTES";
    }
    if (const char* style = findStyle(f.acOutputStyles)) {
        n.outputColour = std::string("X_") + style + "_OUTPUT_COLOUR";
        n.outputAttributes = std::string("X_") + style + "_OUTPUT_ATTRIBUTES";
    }
    for (const AttributeRow& row : kAttributeRows) {
        if (row.appliesTo != 'O' && f.acInputFlags[row.index] == '1')
            applyRow(row, n.inputColour, n.inputAttributes);
        if (row.appliesTo != 'I' && f.acOutputFlags[row.index] == '1')
            applyRow(row, n.outputColour, n.outputAttributes);
    }
    return n;
}

int16_t P3109_ResolveFieldCondition(std::string_view valueKeyword, std::string_view conditionName)
{
    const std::string keyword = P3109_TrimRight(valueKeyword);
    if (keyword != "*YES" && keyword != "*DFT")
        return 1;
    const std::string name = P3109_TrimRight(conditionName);
    if (name == "*NONE")
        return 0;
    GEN_CONDITION* c = P3109_pFindConditionForUpdate(name);
    if (!c)
        return -1;
    c->cUsed = 'Y';
    return c->sNumber;
}
