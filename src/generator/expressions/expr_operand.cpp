/*
** expr_operand.cpp: the operand describer.
*/
#include "generator/expressions/expr_operand.h"

namespace {

bool IsDescribedKind(int32_t kind) {
    switch (kind) {
    case EXPR_NODE_FIELD:
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
    case EXPR_NODE_FIELD_STRLEN:
    case EXPR_NODE_COMPONENT_FIELD:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_COMPONENT_FIELD_REF:
    case EXPR_NODE_RECORD_FIELD:
        return true;
    default:
        return false;
    }
}

/* The descriptor's text field holds at most 40 characters. */
std::string Bounded(std::string text) {
    if (text.size() > EXPR_OPERAND_TEXT_MAX) text.resize(EXPR_OPERAND_TEXT_MAX);
    return text;
}

} // namespace

int EXPR_DescribeOperand(const ExprFieldDictionary& fields,
                         EXPR_OPERAND_DESCRIPTOR& descriptor,
                         EXPR_OPERAND_NODE* node) {
    descriptor = EXPR_OPERAND_DESCRIPTOR{};
    /* A wrapper may wrap another wrapper; a chain is bounded by the records
    ** the object layer built, but guard against a cycle all the same. */
    for (int depth = 0; node != nullptr && node->kind == EXPR_TAG_INSTRUCTION; ++depth) {
        if (depth > 64) return 0;
        node = node->operand;
    }
    if (node == nullptr || !IsDescribedKind(node->kind)) return 0;

    descriptor.node = node;
    descriptor.indexed = (node->flags & EXPR_NODE_FLAG_INDEXED) != 0;
    descriptor.record = node->kind == EXPR_NODE_RECORD_FIELD;

    ExprFieldFacts facts;
    bool found = false;
    if (node->kind == EXPR_NODE_COMPONENT_FIELD_REF) {
        found = node->componentFieldRef != nullptr &&
                fields.FindComponentField(node->componentFieldRef, facts);
        descriptor.text = found ? Bounded(facts.vectorName) : "V_UNKNOWN";
    } else {
        found = node->fieldRef != nullptr && fields.FindField(node->fieldRef, facts);
        if (!found) {
            descriptor.text = "V_NOT_AVAILABLE";
        } else if (node->kind == EXPR_NODE_LIST_FIELD) {
            descriptor.text = Bounded(fields.ListFieldVectorRef(*node, facts));
        } else if (node->kind == EXPR_NODE_RECORD_FIELD) {
            descriptor.text = Bounded(fields.RecordFieldVectorRef(*node, facts));
        } else {
            descriptor.text = Bounded(facts.vectorName);
        }
    }
    if (found) {
        descriptor.typeLetter = facts.typeLetter;
        descriptor.array = facts.isArray;
    }
    descriptor.lengthText = node->kind == EXPR_NODE_FIELD_STRLEN
                                ? "strlen( " + descriptor.text + " )"
                                : "BYTE_LEN_" + descriptor.text;

    /* Plain and component fields may be reached through dispatch operations:
    ** by the node's own bit, or else by the field's definition, whose number
    ** the dispatch rows then print from the node. */
    if (node->kind == EXPR_NODE_FIELD || node->kind == EXPR_NODE_COMPONENT_FIELD) {
        if (node->flags & EXPR_NODE_FLAG_DISPATCH) {
            descriptor.dispatch = true;
        } else if (found && facts.dispatchOp != 0) {
            descriptor.dispatch = true;
            node->dispatchOp = facts.dispatchOp;
        }
    }
    return 1;
}
