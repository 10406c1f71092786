// The tables that hand the WHERE of a file command to the I/O module, as
// elements of its routine (written by the generator's I/O table writers):
//   WHERE      (200, 270 rows, 210) the condition in the order of its text,
//              one row per operand, operator and bracket: 'A' opening and
//              'B' closing bracket, 'C'..'N' the operators AD SU MU DV EQ
//              NE LT LE GT GE AN OR, 'O' a field of the file by name, 'P'
//              a value the function supplies (a field, a system variable,
//              a literal by its vector, or SQL null)
//   COMPONENT  (220, 271 rows, 230) one row per operand of the checked
//              expression, in its order: 'A' a field of the file, 'B' a
//              value, 'C' a condition's result, 'D' a number's result,
//              'F' SQL null
//   ACTIVITY   (240, 272 rows, 250) one row per operation, in evaluation
//              order, with operand numbers of the component table (0 for
//              none): 'A' IF (0, the condition tested, 0), 'B' AN and 'C' OR
//              (their result, the two conditions), 'D'..'M' AD SU MU DV EQ
//              NE LT LE GT GE (the two operands, their result)
// A system variable among the values (a 1008 node) is set before the
// request by the settings of the same rows.
#include "platform/dqoo/dqoo_compile_internal.h"

#include <cctype>
#include <cstring>

namespace dqoo::compile {

namespace {

constexpr const char* kOperators = "ADSUMUDVEQNELTLEGTGEANOR"; /* 'C' .. 'N' */
constexpr const char* kActivities = "IFANORADSUMUDVEQNELTLEGTGE"; /* 'A' .. 'M' */

char letterOf(const char* codes, const DQOO_CHECKED_OPERATION& op, char first)
{
    for (size_t i = 0; codes[2 * i] != '\0'; ++i)
        if (std::memcmp(codes + 2 * i, op.achCode, 2) == 0)
            return static_cast<char>(first + i);
    return 0;
}

bool isComparison(const DQOO_CHECKED_OPERATION& op)
{
    for (const char* c : {"EQ", "NE", "LT", "LE", "GT", "GE"})
        if (std::memcmp(op.achCode, c, 2) == 0)
            return true;
    return false;
}

std::string upperName(const DQOO_CHECKED_OPERAND& o)
{
    std::string n = o.pszName != nullptr ? o.pszName : "";
    for (char& c : n)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return n;
}

class WhereTables {
public:
    WhereTables(Builder& b, const DQOO_CHECKED_EXPRESSION& e) : b_(b), e_(e) {}

    // Whether the module can evaluate the WHERE: every comparison names a
    // field of the file, no virtual field of the file is named, and every
    // value is one the function can supply.
    bool ForModule() const
    {
        if (e_.ulOperationCount < 2)
            return false;
        const int root = e_.pOperations[e_.ulOperationCount - 1].sFirst;
        const DQOO_CHECKED_OPERATION* op = producer(root);
        return op != nullptr && !std::memcmp(e_.pOperations[e_.ulOperationCount - 1].achCode, "IF", 2) &&
               letterOf(kOperators, *op, 'C') >= 'G' && suits(root, 0);
    }

    void Append(std::vector<EXPR_PCODE_ROUTINE*>& elements)
    {
        out_ = &elements;
        element(EXPR_ELEMENT_WHERE_START, 0, nullptr);
        rows(e_.pOperations[e_.ulOperationCount - 1].sFirst, true, 0);
        element(EXPR_ELEMENT_WHERE_END, 0, nullptr);

        element(EXPR_ELEMENT_COMPONENT_START, 0, nullptr);
        for (uint32_t i = 1; i <= e_.ulOperandCount; ++i)
            component(static_cast<int>(i));
        element(EXPR_ELEMENT_COMPONENT_END, 0, nullptr);

        element(EXPR_ELEMENT_ACTIVITY_START, 0, nullptr);
        for (uint32_t i = 0; i < e_.ulOperationCount; ++i)
            activity(e_.pOperations[i]);
        element(EXPR_ELEMENT_ACTIVITY_END, 0, nullptr);
    }

private:
    const DQOO_CHECKED_OPERATION* producer(int idx) const { return ProducerOf(e_, idx); }
    const DQOO_CHECKED_OPERAND* operand(int idx) const
    {
        return idx >= 1 && static_cast<uint32_t>(idx) <= e_.ulOperandCount ? &e_.pOperands[idx - 1] : nullptr;
    }
    static bool isClass(const DQOO_CHECKED_OPERAND& o, const char* cls) { return !std::memcmp(o.achClass, cls, 2); }
    static bool fileField(const DQOO_CHECKED_OPERAND& o)
    {
        return isClass(o, "FL") && (o.ulFlags & DQOO_OPERAND_FILE_FIELD) != 0;
    }
    static bool sqlNull(const DQOO_CHECKED_OPERAND& o) { return isClass(o, "SV") && upperName(o) == "*SQLNULL"; }

    bool namesFileField(int idx, uint32_t depth) const
    {
        if (depth > e_.ulOperationCount)
            return false;
        if (const DQOO_CHECKED_OPERATION* op = producer(idx))
            return namesFileField(op->sFirst, depth + 1) || namesFileField(op->sSecond, depth + 1);
        const DQOO_CHECKED_OPERAND* o = operand(idx);
        return o != nullptr && fileField(*o);
    }
    bool suits(int idx, uint32_t depth) const
    {
        if (depth > e_.ulOperationCount)
            return false;
        if (const DQOO_CHECKED_OPERATION* op = producer(idx)) {
            if (letterOf(kOperators, *op, 'C') == 0)
                return false;
            if (isComparison(*op) && !namesFileField(idx, depth))
                return false;
            return suits(op->sFirst, depth + 1) && suits(op->sSecond, depth + 1);
        }
        const DQOO_CHECKED_OPERAND* o = operand(idx);
        if (o == nullptr)
            return false;
        if (isClass(*o, "FL"))
            return (o->ulFlags & DQOO_OPERAND_VIRTUAL_FIELD) == 0;
        if (isClass(*o, "NL") || isClass(*o, "AL") || isClass(*o, "HL"))
            return true;
        /* a system variable's value, or SQL null; not the special values */
        return isClass(*o, "SV") && (sqlNull(*o) || (o->lLength > 0 && !IsNullValue(*o) && FamilyOf(*o) != Family::HiLo));
    }

    void element(int32_t kind, char code, EXPR_OPERAND_NODE* node, int32_t first = 0, int32_t second = 0,
                 int32_t third = 0)
    {
        EXPR_PCODE_ROUTINE& r = b_.Store().routines.emplace_back();
        std::memset(&r, 0, sizeof r);
        r.kind = kind;
        r.code = code;
        r.node = node;
        r.first = first;
        r.second = second;
        r.third = third;
        out_->push_back(&r);
    }

    // The operand node of a value: a field or system variable itself, a
    // literal as the vector the function keeps it in, SQL null as such.
    EXPR_OPERAND_NODE* valueNode(const DQOO_CHECKED_OPERAND& o)
    {
        if (sqlNull(o))
            return b_.Node(EXPR_NODE_SQLNULL);
        if (isClass(o, "FL") || isClass(o, "SV"))
            return OperandNode(b_, o);
        EXPR_OPERAND_NODE* n = b_.Node(EXPR_NODE_FIELD);
        n->fieldRef = b_.Store().keepText(o.pszName != nullptr ? o.pszName : "");
        return n;
    }

    void rows(int idx, bool top, uint32_t depth)
    {
        if (depth > e_.ulOperationCount)
            throw Unsupported("an operation that depends on its own result");
        const DQOO_CHECKED_OPERATION* op = producer(idx);
        if (op == nullptr) {
            const DQOO_CHECKED_OPERAND& o = *operand(idx);
            if (fileField(o))
                element(EXPR_ELEMENT_WHERE_ROW, 'O', OperandNode(b_, o));
            else
                element(EXPR_ELEMENT_WHERE_ROW, 'P', valueNode(o));
            return;
        }
        if (!top)
            element(EXPR_ELEMENT_WHERE_ROW, 'A', nullptr);
        rows(op->sFirst, false, depth + 1);
        element(EXPR_ELEMENT_WHERE_ROW, letterOf(kOperators, *op, 'C'), nullptr);
        rows(op->sSecond, false, depth + 1);
        if (!top)
            element(EXPR_ELEMENT_WHERE_ROW, 'B', nullptr);
    }

    void component(int idx)
    {
        const DQOO_CHECKED_OPERAND& o = *operand(idx);
        if (isClass(o, "  ")) {
            element(EXPR_ELEMENT_COMPONENT_ROW, o.chType == 'L' || o.chType == ' ' ? 'C' : 'D', nullptr);
            return;
        }
        if (sqlNull(o))
            element(EXPR_ELEMENT_COMPONENT_ROW, 'F', nullptr);
        else if (fileField(o))
            element(EXPR_ELEMENT_COMPONENT_ROW, 'A', OperandNode(b_, o));
        else
            element(EXPR_ELEMENT_COMPONENT_ROW, 'B', valueNode(o));
    }

    static int32_t number(int16_t n) { return n >= 1 && n <= 198 ? n : 0; }

    void activity(const DQOO_CHECKED_OPERATION& op)
    {
        const char letter = letterOf(kActivities, op, 'A');
        if (letter == 'A')
            element(EXPR_ELEMENT_ACTIVITY_ROW, letter, nullptr, 0, number(op.sFirst), 0);
        else if (letter == 'B' || letter == 'C')
            element(EXPR_ELEMENT_ACTIVITY_ROW, letter, nullptr, number(op.sResult), number(op.sFirst),
                    number(op.sSecond));
        else
            element(EXPR_ELEMENT_ACTIVITY_ROW, letter, nullptr, number(op.sFirst), number(op.sSecond),
                    number(op.sResult));
    }

    Builder& b_;
    const DQOO_CHECKED_EXPRESSION& e_;
    std::vector<EXPR_PCODE_ROUTINE*>* out_ = nullptr;
};

}  // namespace

void AppendWhereTables(ExpressionStore& store, const DQOO_CHECKED_EXPRESSION& e,
                       std::vector<EXPR_PCODE_ROUTINE*>& elements)
{
    Builder b(store);
    WhereTables tables(b, e);
    if (tables.ForModule())
        tables.Append(elements);
}

}  // namespace dqoo::compile
