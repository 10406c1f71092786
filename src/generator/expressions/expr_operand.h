/*
** expr_operand.h: operand descriptors of p-code operand nodes.
**
** EXPR_DescribeOperand tells the table writers and the direct-code writers
** how generated code names the field, list entry, record member or system
** variable behind an operand node, how long it is and how many decimals it
** has, and how it must be treated: reached through dispatch operations, an
** array, its vector index set after a store, held with the full field
** information, carrying an SQL-null state. The facts come from the
** generator's field dictionary, reached through ExprFieldDictionary.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_OPERAND_H
#define GENERATOR_EXPRESSIONS_EXPR_OPERAND_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dqoo/dqoo_pcode.h"

/* Longest operand text that a descriptor holds. */
inline constexpr size_t EXPR_OPERAND_TEXT_MAX = 40;

/* What EXPR_DescribeOperand knows of one operand node. */
struct EXPR_OPERAND_DESCRIPTOR {
    EXPR_OPERAND_NODE* node = nullptr; /* the described node, wrappers skipped */
    char typeLetter = 0;               /* the field's type letter */
    std::string text;                  /* the C name: the vector name as generated
                                          code writes it, at most 40 characters */
    std::string base;                  /* the field table the C name indexes ("pX_Fld") */
    std::string listReference;         /* kind 1015: the list field-vector reference */
    std::string recordName;            /* kind 1020: the record variable */
    std::string systemVariable;        /* kind 1008: the system variable's name */
    char systemClass = 0;              /* kind 1008: its class letter ('D': set before use) */
    char systemFlag = 0;               /* kind 1008: 'Y' when its definition word is 1 */
    int32_t length = 0;                /* digits or characters */
    int32_t decimals = 0;
    bool fieldClass = false;     /* the used field's class is "FL" */
    bool dispatch = false;       /* reached through dispatch operations */
    bool array = false;          /* the field is an array: a vector element */
    bool indexed = false;        /* the vector index is set after a store */
    bool record = false;         /* a component record member (1020) */
    bool fieldFlag = false;      /* the definition's flag character is 'Y' */
    bool converted = false;      /* held with the full field information (X_FLD_INFO) */
    int32_t fieldWord = 0;       /* a definition word that forces `converted` */
    bool flag40 = false;         /* node flag 0x40 */
    int32_t fieldWord2 = 0;      /* a further word of the definition */
    bool sqlNull = false;        /* carries an SQL-null state (node flag 0x4) */
    bool unsignedInt = false;    /* an unsigned integer field */
    bool packedOrSigned = false; /* a wrapped packed or signed field outside the
                                    iSeries variant: read into a numeric work variable */
    bool target = false;         /* the wrapper is the expression's result */
    bool plain = false;          /* set when filled; cleared for a wrapped packed or
                                    signed field without the field word */

    /* The length text: "strlen( <text> )" for kind 1010, else
    ** "BYTE_LEN_<text>"; empty when nothing is described. Put together
    ** when asked, as few operands need it. */
    std::string LengthText() const;
};

/* What the field dictionary knows of one field. */
struct ExprFieldFacts {
    std::string vectorName; /* the field's vector name in generated code */
    char typeLetter = 0;    /* the field's type letter */
    bool isArray = false;   /* the definition marks the field as an array */
    int32_t dispatchOp = 0; /* the definition's dispatch operation, 0 for none */
    int32_t length = 0;     /* digits or characters */
    int32_t decimals = 0;
    bool fieldClass = false; /* the used field's class is "FL" (a field, not a
                                literal or a system variable) */
    char flag = 'N';         /* the definition's flag character */
    int32_t fieldWord = 0;   /* definition words the describer carries */
    int32_t fieldWord2 = 0;
    bool unsignedInt = false;   /* an unsigned integer (attribute SUNS or SUNI) */
    std::string systemVariable; /* a system variable: its name, */
    char systemClass = ' ';     /* its class letter ('D' when it is set before
                                   every use) and */
    int32_t systemWord = 0;     /* its definition word (1 for such a variable) */
};

/* The three names of a list or record member: the table its C name indexes,
** the list reference or record variable, and the C name. */
struct ExprMemberNames {
    std::string base = "pX_Fld";
    std::string reference;
    std::string cName;
};

/* The generator's used-field lookups, as the describer needs them. */
class ExprFieldDictionary {
public:
    virtual ~ExprFieldDictionary() = default;
    /* The field a field node names (EXPR_OPERAND_NODE::fieldRef). */
    virtual bool FindField(const char* fieldRef, ExprFieldFacts& facts) const = 0;
    /* The same facts without a copy: they stay valid until the dictionary's
    ** next lookup, nullptr when the field is not found. By default FindField
    ** into a slot of the dictionary's own. */
    virtual const ExprFieldFacts* KnownField(const char* fieldRef) const;
    /* The component field of a kind-1019 node. */
    virtual bool FindComponentField(const char* ref, ExprFieldFacts& facts) const = 0;
    /* Kind 1015: the list field-vector reference that generated code writes. */
    virtual std::string ListFieldVectorRef(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const = 0;
    /* Kind 1020: the record member reference that generated code writes. */
    virtual std::string RecordFieldVectorRef(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const = 0;
    /* Kind 1015: base, list field-vector reference and C name of the member.
    ** By default the field table, ListFieldVectorRef and that reference again. */
    virtual ExprMemberNames ListFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const;
    /* Kind 1020: base, record variable and C name of the member. By default
    ** the field table, the node's record and RecordFieldVectorRef. */
    virtual ExprMemberNames RecordFieldNames(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const;

private:
    mutable ExprFieldFacts found_; /* KnownField's answer by default */
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
int EXPR_DescribeOperand(const ExprFieldDictionary& fields, EXPR_OPERAND_DESCRIPTOR& descriptor,
                         EXPR_OPERAND_NODE* node);

/* What a table row of a plain field node (kind 1007 itself, not a wrapper)
** reads of it: the C name, whether it is reached through dispatch
** operations and whether it is an array, as EXPR_DescribeOperand gives them
** (with its one effect on the node), without the rest of the descriptor put
** together. The name is the dictionary's text or a constant: read it
** before the dictionary's next lookup. */
struct ExprPlainField {
    std::string_view text;
    bool dispatch = false;
    bool array = false;
};
ExprPlainField EXPR_DescribePlainField(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE& node);

#endif
