/*
** expr_operand.cpp: the operand describer.
*/
#include "generator/expressions/expr_operand.h"

#include <string_view>
#include <utility>

namespace {

/* The field table a plain field's C name indexes. */
constexpr std::string_view kFieldTable = "pX_Fld";

bool IsDescribedKind(int32_t kind)
{
    switch (kind) {
    case EXPR_NODE_FIELD:
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
    case EXPR_NODE_FIELD_STRLEN:
    case EXPR_NODE_COMPONENT_FIELD:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_COMPONENT_FIELD_REF:
    case EXPR_NODE_RECORD_FIELD: return true;
    default: return false;
    }
}

/* Kinds whose length and decimals are the node's own (the field behind them
** gives only its type and name). */
bool TakesNodeSize(int32_t kind)
{
    return kind == EXPR_NODE_SYSTEM_VARIABLE || kind == EXPR_NODE_FIELD_BYTE_LENGTH || kind == EXPR_NODE_FIELD_STRLEN;
}

/* The descriptor's text field holds at most 40 characters. */
void setBounded(std::string& text, const std::string& name)
{
    text.assign(name, 0, EXPR_OPERAND_TEXT_MAX);
}

/* A field is held with its full field information when the node says so,
** the definition forces it, or its type has a field structure of its own
** (a packed or signed field only beyond 30 digits or 9 decimals). */
bool IsConverted(const EXPR_OPERAND_NODE& node, const EXPR_OPERAND_DESCRIPTOR& d)
{
    if ((node.flags & EXPR_NODE_FLAG_CONVERTED) != 0 || d.fieldWord != 0)
        return true;
    switch (d.typeLetter) {
    case '1':
    case '2':
    case '3':
    case '4':
    case 'B':
    case 'E':
    case 'F':
    case 'H':
    case 'I':
    case 'M':
    case 'U':
    case 'Y':
    case 'Z': return true;
    case 'P':
    case 'S': return d.length > 30 || d.decimals > 9;
    default: return false;
    }
}

/* Sets every member to its default; the strings are emptied and keep their
** room. */
void clearDescriptor(EXPR_OPERAND_DESCRIPTOR& d)
{
    /* a member added to the descriptor must be cleared here as well */
    static_assert(sizeof(EXPR_OPERAND_DESCRIPTOR) == 5 * sizeof(std::string) + 56);
    d.node = nullptr;
    d.typeLetter = 0;
    d.text.clear();
    d.base.clear();
    d.listReference.clear();
    d.recordName.clear();
    d.systemVariable.clear();
    d.systemClass = 0;
    d.systemFlag = 0;
    d.length = 0;
    d.decimals = 0;
    d.fieldClass = false;
    d.dispatch = false;
    d.array = false;
    d.indexed = false;
    d.record = false;
    d.fieldFlag = false;
    d.converted = false;
    d.fieldWord = 0;
    d.flag40 = false;
    d.fieldWord2 = 0;
    d.sqlNull = false;
    d.unsignedInt = false;
    d.packedOrSigned = false;
    d.target = false;
    d.plain = false;
}

}  // namespace

std::string EXPR_OPERAND_DESCRIPTOR::LengthText() const
{
    if (node == nullptr)
        return std::string();
    if (node->kind == EXPR_NODE_FIELD_STRLEN)
        return "strlen( " + text + " )";
    return "BYTE_LEN_" + text;
}

const ExprFieldFacts* ExprFieldDictionary::KnownField(const char* fieldRef) const
{
    return FindField(fieldRef, found_) ? &found_ : nullptr;
}

ExprMemberNames ExprFieldDictionary::ListFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const
{
    ExprMemberNames names;
    names.reference = ListFieldVectorRef(node, facts);
    names.cName = names.reference;
    return names;
}

ExprMemberNames ExprFieldDictionary::RecordFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const
{
    ExprMemberNames names;
    names.reference = node.recordRef != nullptr ? node.recordRef : "";
    names.cName = RecordFieldVectorRef(node, facts);
    return names;
}

int EXPR_DescribeOperand(const ExprFieldDictionary& fields, EXPR_OPERAND_DESCRIPTOR& descriptor,
                         EXPR_OPERAND_NODE* node)
{
    clearDescriptor(descriptor);
    /* A wrapper may wrap another wrapper; a chain is bounded by the records
    ** the object layer built, but guard against a cycle all the same. */
    for (int depth = 0; node != nullptr && node->kind == EXPR_TAG_INSTRUCTION; ++depth) {
        if (depth > 64)
            return 0;
        node = node->operand;
    }
    if (node == nullptr || !IsDescribedKind(node->kind))
        return 0;

    EXPR_OPERAND_DESCRIPTOR& d = descriptor;
    d.node = node;
    d.base.assign(kFieldTable);
    d.plain = true;
    d.indexed = (node->flags & EXPR_NODE_FLAG_INDEXED) != 0;
    d.flag40 = (node->flags & EXPR_NODE_FLAG_40) != 0;
    d.sqlNull = (node->flags & EXPR_NODE_FLAG_SQLNULL_STATE) != 0;
    d.record = node->kind == EXPR_NODE_RECORD_FIELD;

    /* the facts are read where the dictionary keeps them (no copy) */
    ExprFieldFacts componentFacts;
    const ExprFieldFacts* known = nullptr;
    if (node->kind == EXPR_NODE_COMPONENT_FIELD_REF) {
        if (node->componentFieldRef != nullptr && fields.FindComponentField(node->componentFieldRef, componentFacts))
            known = &componentFacts;
        if (known != nullptr)
            setBounded(d.text, known->vectorName);
        else
            d.text = "V_UNKNOWN";
    } else {
        known = node->fieldRef != nullptr ? fields.KnownField(node->fieldRef) : nullptr;
        if (known == nullptr) {
            d.text = "V_NOT_AVAILABLE";
        } else if (node->kind == EXPR_NODE_LIST_FIELD) {
            ExprMemberNames names = fields.ListFieldNames(*node, *known);
            d.base = std::move(names.base);
            d.listReference = std::move(names.reference);
            setBounded(d.text, names.cName);
        } else if (node->kind == EXPR_NODE_RECORD_FIELD) {
            ExprMemberNames names = fields.RecordFieldNames(*node, *known);
            d.base = std::move(names.base);
            d.recordName = std::move(names.reference);
            setBounded(d.text, names.cName);
        } else {
            setBounded(d.text, known->vectorName);
        }
    }
    const bool found = known != nullptr;
    const ExprFieldFacts& facts = found ? *known : componentFacts;
    if (found) {
        d.typeLetter = facts.typeLetter;
        d.array = facts.isArray;
        d.unsignedInt = facts.unsignedInt;
    }

    if (TakesNodeSize(node->kind) || !found) {
        d.length = static_cast<int32_t>(node->value);
        d.decimals = static_cast<int32_t>(node->second);
    } else {
        d.length = facts.length;
        d.decimals = facts.decimals;
    }
    if (node->kind == EXPR_NODE_SYSTEM_VARIABLE) {
        d.systemVariable = found ? facts.systemVariable : "";
        d.systemClass = found ? facts.systemClass : ' ';
        d.systemFlag = found && facts.systemWord == 1 ? 'Y' : 'N';
    }
    if (TakesNodeSize(node->kind))
        return 1;

    if (found) {
        d.fieldClass = facts.fieldClass;
        d.fieldFlag = facts.flag == 'Y';
        d.fieldWord = facts.fieldWord;
        d.fieldWord2 = facts.fieldWord2;
    }
    /* Plain and component fields may be reached through dispatch operations:
    ** by the node's own bit, or else by the field's definition, whose number
    ** the dispatch rows then print from the node. */
    if (node->kind == EXPR_NODE_FIELD || node->kind == EXPR_NODE_COMPONENT_FIELD) {
        if (node->flags & EXPR_NODE_FLAG_DISPATCH) {
            d.dispatch = true;
        } else if (found && facts.dispatchOp != 0) {
            d.dispatch = true;
            node->dispatchOp = facts.dispatchOp;
        }
    }
    d.converted = IsConverted(*node, d);
    return 1;
}

ExprPlainField EXPR_DescribePlainField(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE& node)
{
    ExprPlainField f;
    f.dispatch = (node.flags & EXPR_NODE_FLAG_DISPATCH) != 0;
    const ExprFieldFacts* known = node.fieldRef != nullptr ? fields.KnownField(node.fieldRef) : nullptr;
    if (known == nullptr) {
        f.text = "V_NOT_AVAILABLE";
        return f;
    }
    f.text = std::string_view(known->vectorName).substr(0, EXPR_OPERAND_TEXT_MAX);
    f.array = known->isArray;
    if (!f.dispatch && known->dispatchOp != 0) {
        f.dispatch = true;
        node.dispatchOp = known->dispatchOp;
    }
    return f;
}
