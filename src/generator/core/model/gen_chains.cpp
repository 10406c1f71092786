/*
** gen_chains.cpp: the chains of generated evaluations, SELECT loops and
** POINT entries. Nodes live in deques, so a node handed out stays where it
** is while later nodes are added.
*/
#include "generator/core/model/gen_chains.h"

#include <algorithm>
#include <cstring>

#include "generator/core/output/command_state.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace {

struct Chains {
    std::deque<GEN_EVALUATION_NODE> evaluations;
    std::deque<GEN_SELECT_NODE> selects;
    std::deque<GEN_POINT_ENTRY> points;
    int32_t lMacroCounter = 0;
    int32_t lRoutineCounter = 0;
};

Chains& chains()
{
    static Chains c;
    return c;
}

std::string key10(std::string_view key)
{
    std::string k = P3109_CopyUpper(key.substr(0, std::min<size_t>(key.size(), 10)), 10);
    k.resize(10, ' ');
    return k;
}

std::string commandName()
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    return st ? std::string(st->acCommand, 10) : std::string(10, ' ');
}

int32_t currentLineNumber()
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    return st ? st->lLineNumber : 0;
}

std::string numbered(const char* stem, int32_t n)
{
    return stem + std::to_string(n);
}

}  // namespace

void P3109_ResetChains()
{
    chains() = Chains{};
}

const std::deque<GEN_EVALUATION_NODE>& P3109_EvaluationChain()
{
    return chains().evaluations;
}
std::deque<GEN_EVALUATION_NODE>& P3109_EvaluationChainForUpdate()
{
    return chains().evaluations;
}
const std::deque<GEN_SELECT_NODE>& P3109_SelectChain()
{
    return chains().selects;
}
const std::deque<GEN_POINT_ENTRY>& P3109_PointChain()
{
    return chains().points;
}

GEN_EVALUATION_NODE* P3109_pFindNamedCondition(std::string_view name)
{
    const std::string k = key10(name);
    for (GEN_EVALUATION_NODE& n : chains().evaluations)
        if (n.key == k && n.mark == GEN_EVAL_NAMED_CONDITION)
            return &n;
    return nullptr;
}

/* A named condition ('*' key, GEN_EVAL_SHARE_NAMED, no macro) shares the node
** of an earlier use of the same key marked 'Y'. A new node is a macro when
** the macro switch is set, the object does not use ZOPHX and the key's
** first byte is not 3; otherwise a routine. */
GEN_EVALUATION_NODE* P3109_pszMakeEvaluationName(std::string_view key, char cKind, size_t ulTextLength,
                                                 std::string_view text, GEN_EVAL_MARK mark, GEN_EVAL_REUSE reuse,
                                                 int32_t lMacroSwitch)
{
    Chains& c = chains();
    const std::string k = key10(key);
    if (!key.empty() && key[0] == '*' && reuse == GEN_EVAL_SHARE_NAMED && lMacroSwitch == 0)
        if (GEN_EVALUATION_NODE* named = P3109_pFindNamedCondition(key))
            return named;

    GEN_EVALUATION_NODE n;
    n.key = k;
    n.cKind = cKind;
    n.mark = mark;
    const FFC_CONTEXT* ctx = P3109_Context();
    const bool zophx = ctx && ctx->lZophxUsed != 0;
    const bool keyByte3 = !key.empty() && key[0] == '\x03';
    if (lMacroSwitch != 0 && !zophx && !keyByte3)
        n.name = numbered("EVALUATION_MACRO_", ++c.lMacroCounter);
    else
        n.name = numbered("Evaluation_Routine_", ++c.lRoutineCounter);
    n.text = std::string(text.substr(0, std::min({ulTextLength, text.size(), GEN_EVALUATION_TEXT_MAX})));
    if (const FFC_CHECK_STATE* st = P3109_CheckState()) {
        n.lLine = st->lLine;
        n.lSequence = st->lSequence;
        n.lLineNumber = st->lLineNumber;
        n.pFieldTable = st->pFieldTable;
    }
    const std::string cmd = commandName();
    if (cmd == "LOC_ENTRY " || cmd == "SELECTLIST")
        n.sList = P3109_State().sCurrentList;
    c.evaluations.push_back(std::move(n));
    return &c.evaluations.back();
}

uint16_t P3109_usCountMarkedNames(const std::vector<std::string>& names)
{
    uint16_t count = 0;
    for (const std::string& name : names)
        if (P3109_pFindNamedCondition(name))
            ++count;
    return count;
}

GEN_SELECT_NODE* P3109_MakeSelectNames(bool fNamesConnection)
{
    GEN_MODULE_STATE& g = P3109_State();
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const int32_t line = currentLineNumber();
    GEN_SELECT_NODE n;
    n.usNumber = r.usNumber;
    n.usSequence = r.usSequence;
    n.cKind = commandName() == "SELECT_SQL" ? 'Q' : 'N';
    n.loopName = numbered("X_Sel_", line);
    n.routineName = numbered("Select_Routine_", line);
    n.closeName = "Close_" + g.cName + "_" + std::to_string(line);
    n.lRoutineValue1 = g.lRoutineValue1;
    n.lRoutineValue2 = g.lRoutineValue2;
    n.sRoutineValue3 = g.sRoutineValue3;
    if (n.cKind == 'Q') {
        n.cursorName = numbered("SQL_CURSOR_", line);
        n.odbcSelectName = numbered("pODBCSelect_", line);
        if (fNamesConnection)
            n.connectName = numbered("pX_ConnectDB_", line);
        CGEN_AddStaticWorkingEntry(0, "struct X_ODBC_SELECT_2 * " + n.odbcSelectName,
                                   "INSTANCE(" + n.odbcSelectName + ") = pX_NULL;",
                                   "public X_ODBC_SELECT_2[] " + n.odbcSelectName,
                                   "pGlobal1." + n.odbcSelectName + " = null;", GEN_STATIC_ALWAYS);
    }
    Chains& c = chains();
    c.selects.push_back(std::move(n));
    GEN_SELECT_NODE* node = &c.selects.back();
    if (g.sBlockDepth >= 0 && g.sBlockDepth < GEN_BLOCK_STACK_CAPACITY)
        g.blocks[static_cast<size_t>(g.sBlockDepth)].pSelect = node;
    return node;
}

GEN_POINT_ENTRY* P3109_pFindUsedFile(std::string_view file, std::string_view library)
{
    const std::string f = P3109_TrimRight(file), l = P3109_TrimRight(library);
    for (GEN_POINT_ENTRY& e : chains().points)
        if (e.file == f && e.library == l)
            return &e;
    return nullptr;
}

GEN_POINT_ENTRY* P3109_pszMakePointName(std::string_view file, std::string_view library)
{
    if (GEN_POINT_ENTRY* found = P3109_pFindUsedFile(file, library))
        return found;
    const GEN_MODULE_STATE& g = P3109_State();
    GEN_POINT_ENTRY e;
    e.lRoutineValue1 = g.lRoutineValue1;
    e.lRoutineValue2 = g.lRoutineValue2;
    e.sRoutineValue3 = g.sRoutineValue3;
    e.file = P3109_TrimRight(file);
    e.library = P3109_TrimRight(library);
    e.name = "X_Point_" + e.file + "x" + e.library;
    chains().points.push_back(std::move(e));
    return &chains().points.back();
}
