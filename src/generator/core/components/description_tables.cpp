/*
** description_tables.cpp: the language table, the description table of
** the function or component, the evaluation routine prototypes and the
** condition blocks.
**
** A member pass of a compound component (a pass before its last) declares
** the tables as external only; the last pass (the home pass) defines them
** for every member.
*/
#include "generator/core/components/description_tables.h"

#include <cstring>

#include "generator/core/model/definitions.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

constexpr size_t kDescriptionSlots = GEN_MAX_LANGUAGES;
constexpr size_t kDescriptionWidth = 40;
constexpr GEN_STREAM kListQueue = 1;
constexpr size_t kValuesPerLine = 10;

std::vector<std::string>& webDescriptions()
{
    static std::vector<std::string> names;
    return names;
}

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}
bool targetKnown()
{
    return g().cTarget == GEN_TARGET_C || g().cTarget == GEN_TARGET_CSHARP;
}

bool compound()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lCompoundComponent != 0;
}
bool memberPass()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return compound() && ctx->lCurrentPass < ctx->lPassCount;
}
bool homePass()
{
    return compound() && !memberPass();
}

void line(const std::string& text)
{
    P3109_WriteLine(g().out.mainOutput, static_cast<int16_t>(g().skel.usColumn), text);
}
void row(const std::string& text)
{
    P3109_WriteLine(g().out.mainOutput, static_cast<int16_t>(g().skel.usColumn + 3), text);
}

/* Registers a text literal; the reference for C, the declared name for C#. */
std::string literal(const char* namePart, std::string_view text, const std::string& language, std::string* pReference)
{
    CGEN_SetTextLiteralPrefix(namePart);
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(text, language.c_str(), nullptr, GEN_LITERAL_TRIMMED, &reference, &declared);
    if (pReference)
        *pReference = reference ? reference : "";
    const char* chosen = csharp() ? declared : reference;
    return chosen ? chosen : "";
}

void writeLanguageRows()
{
    const std::vector<GEN_LANGUAGE>& languages = P3109_ProcessDefinitions().languages;
    for (size_t i = 0; i < languages.size(); ++i) {
        const GEN_LANGUAGE& l = languages[i];
        const std::string name = literal("LANGUAGE", P3109_Padded(l.code, 4), l.code, nullptr);
        const std::string comma = i + 1 < languages.size() ? "," : "";
        const std::string direction(1, l.cDirection);
        row(csharp() ? "new X_LANG( " + name + ",'" + direction + "' )" + comma
                     : name + ",'" + direction + "'" + comma);
    }
}

void writeLanguageTable()
{
    const size_t count = P3109_ProcessDefinitions().languages.size();
    if (memberPass()) {
        if (!csharp()) {
            line("extern const X_SHORT        s_LanguageCount;");
            line("extern const struct X_LANG  s_LanguageTable[];");
        }
        return;
    }
    if (!csharp())
        /* the home pass defines for its members what they declare "extern":
           a definition with an initialiser and the word extern is no C */
        line(homePass() ? "const struct X_LANG s_LanguageTable[] ="
                        : "static struct X_LANG s_LanguageTable[] =");
    else if (!compound())
        line("private static X_LANG[] s_LanguageTable = new X_LANG[" + std::to_string(count) + "]");
    line("{");
    writeLanguageRows();
    line("};");
    if (!csharp())
        line(std::string(homePass() ? "const" : "static") +
             " X_SHORT s_LanguageCount = (sizeof(s_LanguageTable) / sizeof(struct X_LANG));");
    else if (!compound())
        line("private static int s_LanguageCount = s_LanguageTable.Length;");
}

/* The description of each partition language (40 blanks when it has none). */
std::vector<std::string> fetchDescriptions()
{
    const std::vector<GEN_LANGUAGE>& languages = P3109_ProcessDefinitions().languages;
    std::vector<std::string> slots(kDescriptionSlots, std::string(kDescriptionWidth, ' '));
    const FFC_CONTEXT* ctx = P3109_Context();
    GenSqlCursor c("DC_P3109/QV_F67 or 62");
    SSQL_AREA* a = c.Begin();
    const GEN_MODULE_STATE& s = g();
    if (ctx && ctx->lComponentRun) {
        const std::string component = P3109_TrimRight(std::string_view(ctx->acComponent, 10));
        c.Open(SSQL_DeclareExt(a, "SELECT X62PLN, X62DES FROM QV_DTA.QV_F62 WHERE X62P_I = '%s' AND   X62FLD = '%s' ",
                               s.partition.c_str(), component.c_str()));
    } else {
        c.Open(SSQL_DeclareExt(a,
                               "SELECT X67PLN, X67DES FROM QV_DTA.QV_F67 WHERE X67P_I = '%s' AND   X67MOD = '%s' AND   "
                               "X67FMT = '%s'",
                               s.partition.c_str(), s.process.c_str(), s.function.c_str()));
    }
    for (;;) {
        char code[4];
        struct {
            uint16_t length;
            char text[kDescriptionWidth + 1];
        } description{};
        if (!c.Fetch(SSQL_FIXED(code, 4), SSQL_VARYING(&description, kDescriptionWidth)))
            break;
        const std::string language = P3109_TrimRight(std::string_view(code, 4));
        for (size_t i = 0; i < languages.size() && i < kDescriptionSlots; ++i)
            if (languages[i].code == language) {
                slots[i] = P3109_Padded(
                    std::string_view(description.text, std::min<size_t>(description.length, kDescriptionWidth)),
                    kDescriptionWidth);
                break;
            }
    }
    c.Close();
    return slots;
}

void writeDescriptionTable()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    P3109_WriteDoubleBoxComment(g().out.mainOutput, ctx && ctx->lComponentRun ? "Component Description Details"
                                                                              : "Function Description Details");
    if (memberPass()) {
        if (!csharp())
            line("extern const X_PVCHAR s_FunctionDescriptionTable[];");
        return;
    }
    const std::vector<std::string> slots = fetchDescriptions();
    if (!csharp())
        line(homePass() ? "const X_PVCHAR s_FunctionDescriptionTable[] ="
                        : "const X_PVCHAR s_FunctionDescriptionTable[] =");
    else if (!compound())
        line("private static string[] s_FunctionDescriptionTable =");
    line("{");
    if (!webDescriptions().empty())
        P3109_InternalError("pWebFuncDesc == NULL");
    const size_t count = P3109_ProcessDefinitions().languages.size();
    for (size_t i = 0; i < count; ++i) {
        std::string reference;
        const std::string& text = i < slots.size() ? slots[i] : std::string(kDescriptionWidth, ' ');
        const std::string name = literal("FUNCDESC", text, "", &reference);
        row((i == 0 ? " " : ",") + name);
        webDescriptions().push_back(reference.substr(0, 31));
    }
    line("};");
    GEN_WEB_NAME_BLOCKS& blocks = P3109_WebNameBlocks();
    blocks.fFunctionDescriptions = true;
    blocks.functionDescriptions = webDescriptions();
}

/* The initial values of a browse list's condition block: YES for the
** first condition, NO for every other, ten to a line. */
void writeConditionValues(size_t conditions)
{
    if (conditions == 0) {
        P3109_WriteLine(kListQueue, 6, "};");
        return;
    }
    /* C# makes each condition an object of its value */
    const bool cs = g().cTarget == GEN_TARGET_CSHARP;
    std::string text = "{";
    for (size_t i = 0; i < conditions; ++i) {
        text += cs ? (i == 0 ? "new X_COND( YES )" : "new X_COND( NO )") : (i == 0 ? "YES" : "NO");
        if (i + 1 == conditions) {
            P3109_WriteLine(kListQueue, 6, text + "};");
            return;
        }
        text += ",";
        if ((i + 1) % kValuesPerLine == 0) {
            P3109_WriteLine(kListQueue, 6, text);
            text = " ";
        }
    }
}

}  // namespace

const std::vector<std::string>& P3109_WebFunctionDescriptions()
{
    return webDescriptions();
}

void P3109_ResetDescriptionTables()
{
    std::vector<std::string>().swap(webDescriptions());
}

void P3109_WriteLanguageTables()
{
    g().skel.cKeep = 'N';
    if (!targetKnown())
        return;
    writeLanguageTable();
    writeDescriptionTable();
}

void P3109_WriteEvaluationPrototypes()
{
    g().skel.cKeep = 'N';
    const std::deque<GEN_EVALUATION_NODE>& chain = P3109_EvaluationChain();
    if (!chain.empty()) {
        P3109_WriteDashedBoxComment(g().header, "Evaluation and Expression Function Prototypes");
        for (const GEN_EVALUATION_NODE& n : chain) {
            if (n.name.rfind("EVALUATION_MACRO_", 0) == 0)
                continue;
            P3109_WriteLine(g().header, 3,
                            (n.cResultKind == 'L' ? "X_YES_NO_FUNCTION " : "X_VOID_FUNCTION ") + n.name +
                                " (FUNCTION_STD_ARGS);");
        }
    }
    /* the macros and prototypes of the routines the object layer compiled
       follow, under the LITERALX name part */
    P3109_Parts().pfnRunEvaluationHeaderPoint();
}

void P3109_WriteConditionBlocks()
{
    g().skel.cKeep = 'N';
    const GEN_DEFINITIONS& d = P3109_Definitions();
    if (!d.renames.empty()) {
        const std::string n = std::to_string(d.renames.size());
        CGEN_AddStaticWorkingEntry(0, "struct X_RENAME_STACK X_RenameStack[" + n + "]", "",
                                   "public X_RENAME_STACK[] X_RenameStack = new X_RENAME_STACK[" + n + "]", "",
                                   GEN_STATIC_ALWAYS);
        CGEN_AddStaticWorkingEntry(0, "X_SHORT scX_RenameStack", "", "public int scX_RenameStack", "",
                                   GEN_STATIC_ALWAYS);
    }
    const std::string count = std::to_string(d.conditions.size());
    CGEN_AddStaticWorkingEntry(0, "struct X_COND X_Cond[" + count + "]", "",
                               "public X_COND[] X_Cond = new X_COND[" + count + "]", "", GEN_STATIC_ALWAYS);
    const std::deque<GEN_LIST_DEFINITION>& lists = P3109_ListDefinitions();
    if (lists.empty())
        return;
    P3109_WriteDashedBoxComment(kListQueue, "Browse List Condition Block Definitions");
    for (const GEN_LIST_DEFINITION& l : lists) {
        if (l.cKind != 'B')
            continue;
        P3109_WriteLine(kListQueue, 3,
                        g().cTarget == GEN_TARGET_CSHARP ? "private static X_COND[] X_ListC_" + l.identifier + " = "
                                                         : "static struct X_COND X_ListC_" + l.identifier + "[] = ");
        writeConditionValues(d.conditions.size());
    }
}
