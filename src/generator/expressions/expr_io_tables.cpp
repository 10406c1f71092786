/*
** expr_io_tables.cpp: the rows of the X_DBM_WHERE, X_DBM_COMPONENT and
** X_DBM_ACTIVITY tables that an I/O command hands to the run-time database
** layer, from the elements of a compiled routine.
**
** Rows are collected in a line buffer and written one step late, so that
** the separating comma can be added: WHERE rows two to a line, component
** and activity rows one to a line, the last line without its comma. Rows
** outside a start and end element are never written. An element the tables
** cannot express leaves "???" in the row, which does not compile.
**
** The rows are the same text for C and C#, except that a C# row is made by
** its structure's constructor with the run time's constants qualified
** ("new X_DBM_WHERE( DqooDef.X_DBM_WHERE_EQ, 0 )"): the C text is no C#.
*/
#include <array>

#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

namespace {

struct RowState {
    int32_t state = 0;
    bool started = false;
    std::string buffer;
};

struct TableKinds {
    int32_t start, end, row;
};

constexpr TableKinds kWhere{EXPR_ELEMENT_WHERE_START, EXPR_ELEMENT_WHERE_END, EXPR_ELEMENT_WHERE_ROW};
constexpr TableKinds kComponent{EXPR_ELEMENT_COMPONENT_START, EXPR_ELEMENT_COMPONENT_END, EXPR_ELEMENT_COMPONENT_ROW};
constexpr TableKinds kActivity{EXPR_ELEMENT_ACTIVITY_START, EXPR_ELEMENT_ACTIVITY_END, EXPR_ELEMENT_ACTIVITY_ROW};

constexpr std::array<const char*, 14> kWhereOperators = {
    "X_DBM_WHERE_OB, 0", "X_DBM_WHERE_CB, 0", "X_DBM_WHERE_AD, 0", "X_DBM_WHERE_SU, 0", "X_DBM_WHERE_MU, 0",
    "X_DBM_WHERE_DV, 0", "X_DBM_WHERE_EQ, 0", "X_DBM_WHERE_NE, 0", "X_DBM_WHERE_LT, 0", "X_DBM_WHERE_LE, 0",
    "X_DBM_WHERE_GT, 0", "X_DBM_WHERE_GE, 0", "X_DBM_WHERE_AN, 0", "X_DBM_WHERE_OR, 0"};

constexpr std::array<const char*, 13> kActivities = {"IF", "AN", "OR", "AD", "SU", "MU", "DV",
                                                     "EQ", "NE", "LT", "LE", "GT", "GE"};

/* An entry as the target language writes it. */
std::string row(ExprWriterServices& gen, const char* type, std::string entry)
{
    if (entry.empty() || !gen.CSharp())
        return entry;
    return std::string("new ") + type + "( DqooDef." + entry + " )";
}

std::string cName(ExprWriterServices& gen, EXPR_OPERAND_NODE* node)
{
    EXPR_OPERAND_DESCRIPTOR d;
    EXPR_DescribeOperand(gen.Fields(), d, node);
    return d.text;
}

bool isValueKind(const EXPR_OPERAND_NODE* node)
{
    if (node == nullptr)
        return false;
    return node->kind == EXPR_NODE_FIELD || node->kind == EXPR_NODE_SYSTEM_VARIABLE ||
           node->kind == EXPR_NODE_FIELD_BYTE_LENGTH || node->kind == EXPR_NODE_FIELD_STRLEN;
}

std::string whereEntry(ExprWriterServices& gen, const EXPR_ROUTINE& e)
{
    if (e.code >= 'A' && e.code <= 'N')
        return kWhereOperators[static_cast<size_t>(e.code - 'A')];
    if (e.code == 'O')
        return "X_DBM_WHERE_NAME, " + cName(gen, e.node);
    if (e.code != 'P')
        return "";
    if (isValueKind(e.node))
        return "X_DBM_WHERE_VALUE, " + cName(gen, e.node);
    if (e.node != nullptr && e.node->kind == EXPR_NODE_SQLNULL)
        return "X_DBM_WHERE_SQLNULL, 0";
    return "X_DBM_WHERE_VALUE, ???";
}

/* "" for a letter the component table has no row for. */
std::string componentEntry(ExprWriterServices& gen, const EXPR_ROUTINE& e)
{
    switch (e.code) {
    case 'A': return "X_DBM_COMPONENT_FIELD_NAME, " + cName(gen, e.node);
    case 'B':
        return isValueKind(e.node) ? "X_DBM_COMPONENT_FIELD_VALUE, " + cName(gen, e.node) : "X_DBM_WHERE_VALUE, ???";
    case 'C': return "X_DBM_COMPONENT_LGL_RESULT, V_NOT_AVAILABLE";
    case 'D': return "X_DBM_COMPONENT_NUM_RESULT, V_NOT_AVAILABLE";
    case 'F': return "X_DBM_COMPONENT_SQLNULL_VALUE, V_NOT_AVAILABLE";
    default: return "";
    }
}

std::string activityEntry(const EXPR_ROUTINE& e)
{
    if (e.code < 'A' || e.code > 'M')
        return "X_DBM_ACTIVITY_???, ???, ???, ???";
    const char* op = kActivities[static_cast<size_t>(e.code - 'A')];
    if (e.code <= 'C')
        return EXPR_Format("X_DBM_ACTIVITY_%s, 0, %ld, %ld", op, static_cast<long>(e.second),
                           static_cast<long>(e.third));
    return EXPR_Format("X_DBM_ACTIVITY_%s, %ld, %ld, %ld", op, static_cast<long>(e.first), static_cast<long>(e.second),
                       static_cast<long>(e.third));
}

/* The start and end of a table; true when the element was one of them. */
bool frame(ExprWriterServices& gen, const EXPR_ROUTINE& e, const TableKinds& kinds, RowState& s)
{
    if (e.kind == kinds.start) {
        if (s.state == 0) {
            s.state = 1;
            s.started = true;
            s.buffer.clear();
        }
        return true;
    }
    if (e.kind == kinds.end) {
        if (s.state > 0 && s.started)
            gen.Line(s.buffer);
        s.state = 0;
        s.started = false;
        return true;
    }
    return false;
}

void flush(ExprWriterServices& gen, RowState& s)
{
    if (s.started)
        gen.Line(s.buffer);
    s.buffer.clear();
}

void runRows(ExprWriterServices& gen, const char* reference, DQOO_FCC_ROUTINE_PCODE_CALLBACK callback)
{
    if (reference == nullptr || static_cast<unsigned char>(reference[0]) != 3)
        return;
    std::array<char, 10> copy{};
    for (size_t i = 0; i < 9 && reference[i] != '\0'; ++i)
        copy[i] = reference[i];
    RowState state;
    ExprWriterScope scope(gen);
    const long rc = DQOO_FCC_EnumerateRoutinePcode(copy.data(), callback, &state, &state.buffer);
    if (rc != 0)
        gen.ObjectLayerFailure("DQOO_FCC_EnumerateRoutinePcode", rc);
}

}  // namespace

long EXPR_lWriteDbmWhereRow(EXPR_ROUTINE* element, void* user, void*)
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    RowState* s = static_cast<RowState*>(user);
    if (gen == nullptr || element == nullptr || s == nullptr || frame(*gen, *element, kWhere, *s) ||
        element->kind != kWhere.row)
        return 0;
    if (s->state == 2) {
        s->buffer += ", ";
    } else if (s->state == 3) {
        s->buffer += ",";
        flush(*gen, *s);
        s->state = 1;
    }
    ++s->state;
    s->buffer += row(*gen, "X_DBM_WHERE", whereEntry(*gen, *element));
    return 0;
}

namespace {

long oneRowPerLine(EXPR_ROUTINE* element, void* user, const TableKinds& kinds, const char* type,
                   std::string (*entry)(ExprWriterServices&, const EXPR_ROUTINE&))
{
    ExprWriterServices* gen = EXPR_CurrentWriter();
    RowState* s = static_cast<RowState*>(user);
    if (gen == nullptr || element == nullptr || s == nullptr || frame(*gen, *element, kinds, *s) ||
        element->kind != kinds.row)
        return 0;
    const std::string text = row(*gen, type, entry(*gen, *element));
    if (text.empty())
        return 0;
    if (s->state == 2) {
        s->buffer += ",";
        flush(*gen, *s);
    }
    s->state = 2;
    s->buffer = text;
    return 0;
}

std::string activityOf(ExprWriterServices&, const EXPR_ROUTINE& e)
{
    return activityEntry(e);
}

}  // namespace

long EXPR_lWriteDbmComponentRow(EXPR_ROUTINE* element, void* user, void*)
{
    return oneRowPerLine(element, user, kComponent, "X_DBM_EXPRESSION_COMPONENT", componentEntry);
}

long EXPR_lWriteDbmActivityRow(EXPR_ROUTINE* element, void* user, void*)
{
    return oneRowPerLine(element, user, kActivity, "X_DBM_EXPRESSION_ACTIVITY", activityOf);
}

void EXPR_WriteDbmWhereRows(ExprWriterServices& gen, const char* reference)
{
    runRows(gen, reference, EXPR_lWriteDbmWhereRow);
}

void EXPR_WriteDbmComponentRows(ExprWriterServices& gen, const char* reference)
{
    runRows(gen, reference, EXPR_lWriteDbmComponentRow);
}

void EXPR_WriteDbmActivityRows(ExprWriterServices& gen, const char* reference)
{
    runRows(gen, reference, EXPR_lWriteDbmActivityRow);
}
