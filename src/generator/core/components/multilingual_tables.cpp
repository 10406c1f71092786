/*
** multilingual_tables.cpp: the multilingual text and field tables.
**
** MultiText holds one text per multilingual variable and partition
** language (QV_F61); MultiField one label, three column headings and one
** description per used field and language, from the field text records of
** the field text service ("MFLD_3109 "). A text that is not needed, or
** blank, stands as the null pointer (C) or the empty string (C#). In C#
** both tables are members of the function's class, whose Run registers
** them with the run time.
*/
#include "generator/core/components/multilingual_tables.h"

#include <algorithm>
#include <cstring>

#include "checker/checker.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "params/field_texts.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr GEN_STREAM kFieldQueue = 3;
constexpr GEN_STREAM kTextQueue = 4;
constexpr size_t kTextWidth = 78;
constexpr size_t kLabelAt = 2, kHeadingAt[3] = {24, 45, 66}, kDescriptionAt = 90;

struct WebNames {
    std::vector<std::string> texts;
    std::vector<GEN_WEB_FIELD_TEXTS> fields;
};

WebNames& web()
{
    static WebNames w;
    return w;
}

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}

const std::vector<GEN_LANGUAGE>& languages()
{
    return P3109_ProcessDefinitions().languages;
}

/* Registers a text; returns its reference, and the name written (the
** reference for C, the declared name for C#) through pWritten. */
std::string registerText(const char* namePart, std::string_view text, const std::string& language,
                         std::string* pWritten)
{
    CGEN_SetTextLiteralPrefix(namePart);
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(text, language.c_str(), nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
    if (pWritten)
        *pWritten = (csharp() ? declared : reference) ? (csharp() ? declared : reference) : "";
    return reference ? std::string(reference).substr(0, 31) : std::string();
}

void writeBifSections()
{
    for (const GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs) {
        if (b.cUsed != 'Y')
            continue;
        if (b.cCall == 'Y')
            CGEN_AddStaticWorkingEntry(0, "X_YES_NO " + b.routine + "_Called",
                                       "INSTANCE(" + b.routine + "_Called) = NO;",
                                       "public char " + b.routine + "_Called = 'N'",
                                       "pGlobal1." + b.routine + "_Called = NO;", GEN_STATIC_ALWAYS);
        /* C# resolves the routines through their classes: no prototypes */
        if (b.cKind != 'L' || csharp())
            continue;
        P3109_WriteLine(g().header, 3,
                        "X_VOID_FUNCTION " + b.routine + " (struct X_IDS *,struct X_PRO *,struct X_FUN *,");
        P3109_WriteLine(g().header, 3, "    struct X_BIF *,struct X_FLD [],struct X_LIST [],");
        P3109_WriteLine(g().header, 3, "    X_SHORT,X_SHORT [],X_SHORT,X_SHORT []);");
    }
    if (csharp())
        return;
    if (FILE* header = P3109_pStreamFile(g().header))
        USEDLL_WritePrototypes(g().pUserDlls, header);
}

/* The text of the variable in each partition language; false when no row
** of the variable has a partition language. */
bool variableTexts(const std::string& variable, std::vector<std::string>& slots)
{
    const std::vector<GEN_LANGUAGE>& langs = languages();
    slots.assign(langs.size(), std::string());
    GenSqlCursor c("DC_P3109/QV_F61");
    SSQL_AREA* a = c.Begin();
    c.Open(SSQL_DeclareExt(a,
                           "SELECT X61P_I, X61PLN, X61MTX, X61VAL, X61LEN, X61OPT, X61CLN FROM QV_DTA.QV_F61 WHERE "
                           "X61P_I = '%s' AND   X61MTX = '%s'",
                           g().partition.c_str(), P3109_TrimRight(variable).c_str()));
    bool matched = false;
    for (;;) {
        char partition[3], code[4], name[20], option[10];
        struct {
            uint16_t length;
            char text[kTextWidth + 1];
        } value{};
        int32_t length = 0, codeLength = 0;
        if (!c.Fetch(SSQL_FIXED(partition, 3), SSQL_FIXED(code, 4), SSQL_FIXED(name, 20),
                     SSQL_VARYING(&value, kTextWidth), SSQL_I32(&length), SSQL_FIXED(option, 10),
                     SSQL_I32(&codeLength)))
            break;
        const std::string language = P3109_TrimRight(std::string_view(code, 4));
        for (size_t l = 0; l < langs.size(); ++l)
            if (langs[l].code == language) {
                slots[l].assign(value.text, std::min<size_t>(value.length, kTextWidth));
                matched = true;
                break;
            }
    }
    c.Close();
    return matched;
}

/* The multilingual variables the function's expressions read are operands
** of their own, loaded when the program starts (which is written after
** this table): they enter the function's variables here, so that the
** table holds them. */
void enterOperandVariables()
{
    P3109_ForEachGeneratedUse(
        P3109_Context(), GEN_SLOT_SECTIONS,
        [](const FFC_WORK_RECORD& r) {
            if (std::memcmp(r.acName, "*MTXT", 5) == 0)
                P3109_pFindMultilingualVariable(P3109_TrimRight(std::string_view(r.acName, 20)));
        },
        "SV");
}

void writeMultiText()
{
    enterOperandVariables();
    const std::vector<std::string>& variables = P3109_MultilingualVariables();
    if (variables.empty())
        return;
    const std::vector<GEN_LANGUAGE>& langs = languages();
    std::vector<std::string> names(variables.size() * langs.size());
    P3109_WriteDashedBoxComment(kTextQueue, "Global multilingual text definition structure");
    /* C# has no structure initialisers: the table is an array of text
       objects, each made from its literal, as MultiField's rows are */
    const std::string counts = std::to_string(variables.size()), languageCount = std::to_string(langs.size());
    P3109_WriteLine(kTextQueue, 3,
                    csharp() ? "public X_MTXT[,] MultiText = new X_MTXT[" + counts + "," + languageCount + "] "
                             : "static struct X_MTXT MultiText [" + counts + "] /* Variables */ [" + languageCount +
                                   "] /* Languages */ = ");
    P3109_WriteLine(kTextQueue, 3, "{");
    for (size_t v = 0; v < variables.size(); ++v) {
        std::vector<std::string> slots;
        const bool matched = variableTexts(variables[v], slots);
        P3109_WriteLine(kTextQueue, 5, v == 0 ? " {" : ",{");
        for (size_t l = 0; l < langs.size(); ++l) {
            std::string written;
            names[v * langs.size() + l] = registerText("MTEXT", slots[l], langs[l].code, &written);
            if (csharp())
                written = "new X_MTXT( " + written + " )";
            P3109_WriteLine(kTextQueue, 8, (l == 0 ? " " : ",") + written);
        }
        P3109_WriteLine(kTextQueue, 6, "}");
        if (!matched)
            P3109_sIssueMessage(Msg::MultilingualWithoutText, P3109_Padded(variables[v], 20));
    }
    P3109_WriteLine(kTextQueue, 3, "};");
    /* the names the web pages' text tags refer to: the C set's, whose text
       strings file the pages name (the C# pass numbers its own) */
    if (csharp())
        return;
    web().texts = names;
    GEN_WEB_NAME_BLOCKS& blocks = P3109_WebNameBlocks();
    blocks.fMultilingualTexts = true;
    blocks.multilingualTexts.assign(variables.size(), std::vector<std::string>(langs.size()));
    for (size_t v = 0; v < variables.size(); ++v)
        for (size_t l = 0; l < langs.size(); ++l)
            blocks.multilingualTexts[v][l] = names[v * langs.size() + l];
}

/* One text of a field in one language: its reference (stored) and the
** element written, or the absent form. */
std::string fieldText(const char* namePart, bool fNeeded, const FFC_WORK_RECORD* record, size_t at, size_t width,
                      const std::string& language, std::string& stored)
{
    const std::string absent = csharp() ? "\"\"" : "pX_NULL";
    if (!fNeeded || !record)
        return absent;
    const std::string text = P3109_TrimRight(std::string_view(record->acData + at, width));
    if (text.empty())
        return absent;
    stored = registerText(namePart, text, language, nullptr);
    return stored;
}

void writeFieldLanguage(const std::string& field, const std::string& kinds, const GEN_LANGUAGE& language, bool fFirst,
                        GEN_WEB_FIELD_TEXTS& names)
{
    FFC_CONTEXT* ctx = P3109_Context();
    FFC_WORK_RECORD r;
    bool found = false;
    if (ctx && ctx->pWorkFile) {
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, "MFLD_3109 ", FFC_WORK_KIND_LEN);
        std::memcpy(r.acName, P3109_Padded(P3109_TrimRight(field), FFC_WORK_NAME_LEN).data(), FFC_WORK_NAME_LEN);
        std::memcpy(r.acQualifier, P3109_Padded(language.code, FFC_WORK_QUAL_LEN).data(), FFC_WORK_QUAL_LEN);
        const FFC_WORK_RECORD key = r;
        found = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 3) == '0';
        /* a field whose texts no layout step asked for yet: the field text
           service writes its records now, from the repository and, for a
           field the function defines or overrides, its DEFINE or OVERRIDE */
        if (!found && fFirst) {
            P8061_sGetMultilingualFieldTexts(ctx, P3109_Padded(field, 10).c_str(), nullptr, nullptr, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, nullptr);
            r = key;
            found = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 3) == '0';
        }
    }
    const FFC_WORK_RECORD* record = found ? &r : nullptr;
    const bool label = kinds.find('L') != std::string::npos;
    const bool headings = kinds.find_first_of("C123") != std::string::npos;
    const bool description = kinds.find('D') != std::string::npos;
    if (csharp()) {
        if (!fFirst)
            P3109_WriteLine(kFieldQueue, 5, ",");
        P3109_WriteLine(kFieldQueue, 5, "new X_MFLD(");
    }
    const std::string& code = language.code;
    names.field = P3109_Padded(field, 10);
    const std::string lead = csharp() ? " " : (fFirst ? " " : ",");
    P3109_WriteLine(kFieldQueue, 8, lead + fieldText("LABEL", label, record, kLabelAt, 15, code, names.label));
    for (int h = 0; h < 3; ++h)
        P3109_WriteLine(kFieldQueue, 8,
                        "," + fieldText("COLHDG", headings, record, kHeadingAt[h], 20, code, names.headings[h]));
    P3109_WriteLine(kFieldQueue, 8,
                    "," + fieldText("DESC", description, record, kDescriptionAt, 40, code, names.description));
    if (csharp())
        P3109_WriteLine(kFieldQueue, 5, " )");
}

void writeMultiField()
{
    const std::vector<std::pair<std::string, std::string>>& fields = P3109_FieldTextUses();
    if (fields.empty())
        return;
    const std::vector<GEN_LANGUAGE>& langs = languages();
    std::vector<GEN_WEB_FIELD_TEXTS> names(fields.size() * langs.size());
    P3109_WriteDashedBoxComment(kFieldQueue, "Global field labels, column headings and descriptions");
    const std::string counts = std::to_string(fields.size()), languageCount = std::to_string(langs.size());
    P3109_WriteLine(kFieldQueue, 3,
                    csharp() ? "public X_MFLD[,] MultiField = new X_MFLD[" + counts + "," + languageCount + "] "
                             : "static struct X_MFLD MultiField[" + counts + "] /* Fields */ [" + languageCount +
                                   "] /* Languages */ = ");
    P3109_WriteLine(kFieldQueue, 3, "{");
    for (size_t f = 0; f < fields.size(); ++f) {
        P3109_WriteLine(kFieldQueue, 5, std::string(1, f == 0 ? ' ' : ',') + "{");
        for (size_t l = 0; l < langs.size(); ++l)
            writeFieldLanguage(fields[f].first, fields[f].second, langs[l], l == 0, names[f * langs.size() + l]);
        P3109_WriteLine(kFieldQueue, 5, " }");
    }
    P3109_WriteLine(kFieldQueue, 3, "};");
    /* the names the web pages' text tags refer to: label, three column
       headings and description of each field row, by language (the C
       set's, as above) */
    if (csharp())
        return;
    web().fields = names;
    GEN_WEB_NAME_BLOCKS& blocks = P3109_WebNameBlocks();
    blocks.fFieldTexts = true;
    blocks.fieldTexts.assign(fields.size(), std::vector<std::array<std::string, 5>>(langs.size()));
    for (size_t f = 0; f < fields.size(); ++f)
        for (size_t l = 0; l < langs.size(); ++l) {
            const GEN_WEB_FIELD_TEXTS& n = names[f * langs.size() + l];
            blocks.fieldTexts[f][l] = {n.label, n.headings[0], n.headings[1], n.headings[2], n.description};
        }
}

}  // namespace

const std::vector<std::string>& P3109_WebMultilingualTexts()
{
    return web().texts;
}
const std::vector<GEN_WEB_FIELD_TEXTS>& P3109_WebFieldTexts()
{
    return web().fields;
}

void P3109_ResetMultilingualTables()
{
    web() = WebNames{};
}

void P3109_WriteMultilingualTables()
{
    g().skel.cKeep = 'N';
    writeBifSections();
    writeMultiText();
    writeMultiField();
}
