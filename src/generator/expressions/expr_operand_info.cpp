/*
** expr_operand_info.cpp: lengths, scales, string classes, compare
** strategies, work-variable numbers and the one-line operand writers.
*/
#include "generator/expressions/expr_operand_info.h"

#include <cctype>

#include "generator/expressions/expr_opcode_traits.h"

EXPR_OPERAND_NODE* EXPR_pUnwrap(EXPR_OPERAND_NODE* node)
{
    for (int depth = 0; node != nullptr && node->kind == EXPR_TAG_INSTRUCTION; ++depth) {
        if (depth > 64)
            return nullptr;
        node = node->operand;
    }
    return node;
}

int EXPR_fDescribeWrappedOperand(const ExprFieldDictionary& fields, const EXPR_VARIANT* variant,
                                 const EXPR_EXPRESSION* expression, EXPR_OPERAND_NODE* node, EXPR_OPERAND_DESCRIPTOR& d)
{
    if (!EXPR_IsInstruction(node)) {
        d = EXPR_OPERAND_DESCRIPTOR{};
        return 0;
    }
    /* the describer clears the descriptor first */
    if (EXPR_DescribeOperand(fields, d, node) == 0)
        return 0;
    const bool iSeries = variant != nullptr && variant->tag == EXPR_VARIANT_ISERIES;
    if (!iSeries && (d.typeLetter == 'P' || d.typeLetter == 'S')) {
        d.packedOrSigned = true;
        if (d.fieldWord == 0)
            d.plain = false;
    }
    d.target = expression != nullptr && expression->result == node;
    return 1;
}

int32_t EXPR_lOperandLength(const EXPR_OPERAND_NODE* node)
{
    node = EXPR_pUnwrap(const_cast<EXPR_OPERAND_NODE*>(node));
    if (node == nullptr)
        return 0;
    switch (node->kind) {
    case EXPR_NODE_INT32_CONSTANT:
    case EXPR_NODE_DECIMAL_CONSTANT:
    case EXPR_NODE_STRING_CONSTANT:
    case EXPR_NODE_PACKED_CONSTANT:
    case EXPR_NODE_DISPATCH_CONSTANT:
    case EXPR_NODE_FIELD:
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
    case EXPR_NODE_INT64_CONSTANT:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_INT32_LOVAL:
    case EXPR_NODE_INT64_LOVAL:
    case EXPR_NODE_RECORD_FIELD:
    case EXPR_TAG_INTERMEDIATE_1:
    case EXPR_TAG_INTERMEDIATE_2: return static_cast<int32_t>(node->value);
    default: return 0;
    }
}

int32_t EXPR_lOperandMaxLength(const EXPR_OPERAND_NODE* node)
{
    const EXPR_OPERAND_NODE* n = EXPR_pUnwrap(const_cast<EXPR_OPERAND_NODE*>(node));
    if (n != nullptr && n->kind == EXPR_NODE_STRING_CONSTANT)
        return n->maxLength;
    return EXPR_lOperandLength(node);
}

int32_t EXPR_lOperandScale(const EXPR_OPERAND_NODE* node)
{
    node = EXPR_pUnwrap(const_cast<EXPR_OPERAND_NODE*>(node));
    if (node == nullptr)
        return 0;
    switch (node->kind) {
    case EXPR_NODE_DECIMAL_CONSTANT:
    case EXPR_NODE_PACKED_CONSTANT:
    case EXPR_NODE_DISPATCH_CONSTANT:
    case EXPR_NODE_FIELD:
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_RECORD_FIELD:
    case EXPR_TAG_INTERMEDIATE_1:
    case EXPR_TAG_INTERMEDIATE_2: return static_cast<int32_t>(node->second);
    default: return 0;
    }
}

std::string_view EXPR_StringConstantText(const EXPR_OPERAND_NODE* node)
{
    if (node == nullptr || node->valueText == nullptr)
        return {};
    if (node->kind != EXPR_NODE_STRING_CONSTANT)
        return node->valueText;
    return {node->valueText, node->value};
}

std::string EXPR_BuildVarCharLengthText(const EXPR_OPERAND_NODE* node, bool fCSharp)
{
    const int32_t length = EXPR_lOperandLength(node);
    const int32_t maximum = EXPR_lOperandMaxLength(node);
    if (length == maximum)
        return std::to_string(length);
    return std::string(fCSharp ? "X_DEFS." : "") + "X_RESOLVE_VARCHAR_LENGTH(" + std::to_string(length) + "," +
           std::to_string(maximum) + ")";
}

namespace {

/* The type letter of a field, list entry, record member or system variable
** node (never a wrapper), 0 when its field is not found. A plain field, a
** system variable or a byte length is looked up in the dictionary without
** putting the whole descriptor together (the describer's one effect on such
** a node, a plain field taking its definition's dispatch operation, is
** kept); a list entry or record member is described, since naming it goes
** through the list and record definitions. */
char fieldTypeLetter(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node)
{
    if (node->kind == EXPR_NODE_LIST_FIELD || node->kind == EXPR_NODE_RECORD_FIELD) {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(fields, d, node);
        return d.typeLetter;
    }
    const ExprFieldFacts* facts = node->fieldRef != nullptr ? fields.KnownField(node->fieldRef) : nullptr;
    if (facts == nullptr)
        return 0;
    if (node->kind == EXPR_NODE_FIELD && (node->flags & EXPR_NODE_FLAG_DISPATCH) == 0 && facts->dispatchOp != 0)
        node->dispatchOp = facts->dispatchOp;
    return facts->typeLetter;
}

int16_t fieldStringClass(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node)
{
    switch (fieldTypeLetter(fields, node)) {
    case '1':
    case 'H': return 8;
    case '2':
    case 'B': return 10;
    case '3':
    case '4': return 3;
    case 'A': return (node->flags & EXPR_NODE_FLAG_ALPHA_CLASS4) != 0 ? 4 : 6;
    case 'U': return 9;
    default: return 11;
    }
}

}  // namespace

int16_t EXPR_sOperandStringClass(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node)
{
    if (node == nullptr)
        return 11;
    if (node->kind == EXPR_TAG_INSTRUCTION) {
        if (node->operand == nullptr)
            return node->opcode == EXPR_OP_PUSH_NULL_CONSTANT_AS_STRING || node->opcode == EXPR_OP_PUSH_NULL_50 ? 1
                                                                                                                : 11;
        int16_t c = EXPR_sOperandStringClass(fields, node->operand);
        if (node->opcode == EXPR_OP_PUSH_ALPHA_VECTOR_AS_STRING ||
            (node->instructionFlags & EXPR_INSTR_FLAG_ALPHA) != 0) {
            if (c == 6)
                c = 7;
            else if (c == 4)
                c = 5;
        }
        return c;
    }
    switch (node->kind) {
    case EXPR_NODE_STRING_CONSTANT:
        if (node->maxLength > 256)
            return 2;
        return static_cast<int32_t>(node->value) == node->maxLength ? 1 : 0;
    case EXPR_NODE_FIELD:
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_RECORD_FIELD: return fieldStringClass(fields, node);
    default: return 11;
    }
}

int16_t EXPR_sStringCompareStrategy(const ExprFieldDictionary& fields, const EXPR_STATEMENT* comparison)
{
    if (comparison == nullptr || comparison->operation == nullptr)
        return 6;
    const uint32_t opcode = comparison->operation->opcode;
    if (opcode < 878 || opcode > 883)
        return 6;
    const int16_t c1 = EXPR_sOperandStringClass(fields, comparison->left);
    const int16_t c2 = EXPR_sOperandStringClass(fields, comparison->right);
    const int32_t l1 = EXPR_lOperandLength(comparison->left);
    const int32_t l2 = EXPR_lOperandLength(comparison->right);
    auto byLength = [&]() -> int16_t { return l1 == l2 ? 1 : (l1 > l2 ? 3 : 4); };
    auto in = [](int16_t c, std::initializer_list<int16_t> set) {
        for (int16_t s : set)
            if (c == s)
                return true;
        return false;
    };
    switch (c1) {
    case 0: return in(c2, {0, 1, 4, 5, 6, 7}) ? 5 : 6;
    case 1:
    case 6:
    case 7:
        if (c2 == 0)
            return 5;
        if (in(c2, {1, 6, 7}))
            return l1 == l2 ? 1 : 2;
        if (in(c2, {4, 5}))
            return byLength();
        return 6;
    case 4:
    case 5:
        if (c2 == 0)
            return 5;
        if (in(c2, {1, 4, 5, 6, 7}))
            return byLength();
        return 6;
    default: return 6;
    }
}

int32_t EXPR_lInstructionPosition(const EXPR_OPERAND_NODE* instruction, const EXPR_EXPRESSION* expression)
{
    if (instruction == nullptr || expression == nullptr || expression->instructions == nullptr)
        return 0;
    for (uint32_t i = 0; i < expression->instructionCount; ++i)
        if (expression->instructions[i] == instruction)
            return static_cast<int32_t>(i + 1);
    return 0;
}

int EXPR_BuildFieldStateText(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node, std::string* text)
{
    EXPR_OPERAND_NODE* n = EXPR_pUnwrap(node);
    if (n == nullptr || (n->flags & EXPR_NODE_FLAG_SQLNULL_STATE) == 0)
        return 0;
    if (n->kind != EXPR_NODE_FIELD && n->kind != EXPR_NODE_LIST_FIELD && n->kind != EXPR_NODE_RECORD_FIELD)
        return 0;
    if (text != nullptr) {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(fields, d, n);
        *text = "((X_FLD_INFO*)( " + d.base + "[" + d.text + "].pField ))->bFieldState";
    }
    return 1;
}

int EXPR_WriteVectorSetIndex(ExprWriterServices& gen, EXPR_OPERAND_NODE* node, const EXPR_OPERAND_DESCRIPTOR& d,
                             uint32_t stream, uint16_t indent, int sw)
{
    if (sw != 0 && EXPR_IsInstruction(node) && d.indexed)
        gen.LineAt(stream, indent, "X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, " + d.base + ", " + d.text + " );");
    return sw;
}

int EXPR_WriteSetFieldDataDispatch(ExprWriterServices& gen, const EXPR_OPERAND_DESCRIPTOR& d, EXPR_OPERAND_NODE* node,
                                   uint32_t stream, uint16_t indent, int sw)
{
    if (sw == 0 || !EXPR_IsInstruction(node) || !d.dispatch)
        return sw;
    const std::string call =
        "X_VAR_SetFldDataUsingDispatchOperation( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + d.text + " );";
    gen.LineAt(stream, indent, gen.CSharp() ? "X_VAR_DLL." + call : call);
    return sw;
}

void EXPR_WriteIoStatusLoad(ExprWriterServices& gen, EXPR_OPERAND_NODE* node, uint32_t stream, uint16_t indent)
{
    EXPR_OPERAND_NODE* n = EXPR_pUnwrap(node);
    if (n == nullptr || n->kind != EXPR_NODE_FIELD || n->fieldRef == nullptr)
        return;
    gen.LoadIoStatusFromField(n->fieldRef, stream, indent);
}
