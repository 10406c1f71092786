/*
** expr_operand.h: operand descriptors of p-code operand nodes.
**
** EXPR_DescribeOperand tells the table writers how generated code names the
** field, list entry or record member behind an operand node, and whether it
** is reached through dispatch operations, is an array, or has its vector
** index set after a store. The facts come from the generator's field
** dictionary, reached through ExprFieldDictionary.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_OPERAND_H
#define GENERATOR_EXPRESSIONS_EXPR_OPERAND_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/dqoo/dqoo_pcode.h"

/* Longest operand text that a descriptor holds. */
inline constexpr size_t EXPR_OPERAND_TEXT_MAX = 40;

/* What EXPR_DescribeOperand knows of one operand node. */
struct EXPR_OPERAND_DESCRIPTOR {
    EXPR_OPERAND_NODE* node = nullptr; /* the described node, wrappers skipped */
    char typeLetter = 0;               /* the field's type letter */
    std::string text;                  /* the vector name as generated code writes
                                          it, at most 40 characters */
    std::string lengthText;            /* "BYTE_LEN_%s" or "strlen( %s )" */
    bool dispatch = false;             /* reached through dispatch operations */
    bool array = false;                /* the field is an array */
    bool indexed = false;              /* the vector index is set after a store */
    bool record = false;               /* a component record member (1020) */
};

/* What the field dictionary knows of one field. */
struct ExprFieldFacts {
    std::string vectorName;  /* the field's vector name in generated code */
    char typeLetter = 0;     /* the field's type letter */
    bool isArray = false;    /* the definition marks the field as an array */
    int32_t dispatchOp = 0;  /* the definition's dispatch operation, 0 for none */
};

/* The generator's used-field lookups, as the describer needs them. */
class ExprFieldDictionary {
public:
    virtual ~ExprFieldDictionary() = default;
    /* The field a field node names (EXPR_OPERAND_NODE::fieldRef). */
    virtual bool FindField(const char* fieldRef, ExprFieldFacts& facts) const = 0;
    /* The component field of a kind-1019 node. */
    virtual bool FindComponentField(const char* ref, ExprFieldFacts& facts) const = 0;
    /* Kind 1015: the list field-vector reference that generated code writes. */
    virtual std::string ListFieldVectorRef(const EXPR_OPERAND_NODE& node,
                                           const ExprFieldFacts& facts) const = 0;
    /* Kind 1020: the record member reference that generated code writes. */
    virtual std::string RecordFieldVectorRef(const EXPR_OPERAND_NODE& node,
                                             const ExprFieldFacts& facts) const = 0;
};

/*
** Describes `node` into `descriptor` (cleared first). Wrapper nodes (kind 40)
** are followed to the node they wrap. Returns 1 for the kinds 1007, 1008,
** 1009, 1013, 1014, 1015, 1019 and 1020, else 0 with the descriptor clear.
** A field that is not found is named "V_NOT_AVAILABLE" ("V_UNKNOWN" for a
** component field). When the field's definition names a dispatch operation
** and the node's own dispatch bit is clear, the number is stored into the
** node's dispatchOp, which is why the node is not const.
*/
int EXPR_DescribeOperand(const ExprFieldDictionary& fields,
                         EXPR_OPERAND_DESCRIPTOR& descriptor,
                         EXPR_OPERAND_NODE* node);

#endif
