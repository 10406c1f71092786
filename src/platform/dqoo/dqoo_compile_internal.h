// The object layer's expression compiler, inside: one expression at a time
// is built into the store as p-code (with the stack depth it needs) and as
// the statements of a direct-code variant that share the p-code's
// instruction records. A direct variant is offered only where its value
// types hold every value of the expression exactly; otherwise, and for a
// construct without a direct form, the expression has no variants and the
// run-time evaluator runs its p-code.
#ifndef DQOV_PLATFORM_DQOO_COMPILE_INTERNAL_H
#define DQOV_PLATFORM_DQOO_COMPILE_INTERNAL_H

#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/dqoo_opcodes.h"
#include "platform/dqoo/dqoo_store.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dqoo::compile {

// A construct the compiler has no code for; the reason goes to the caller.
struct Unsupported : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What kind of value an operand or a result is.
enum class Family : char {
    Number = 'N',
    Alpha = 'A',
    VarChar = 'V',
    Lob = 'L',
    Binary = 'B',
    Date = 'E',
    Time = 'M',
    DateTime = 'Z',
    Boolean = 'Y',
    Null = '0',
    HiLo = 'H',
};

// The exact size of a number: its integer digits and its decimals.
struct Size {
    int32_t ints = 0;
    int32_t decimals = 0;
    int32_t Digits() const { return ints + decimals; }
};

// The size of every operation's result, by the index of its work result:
// an expression has a few operations, kept side by side in the order
// their sizes are found.
class ResultSizes {
public:
    void Set(int idx, const Size& s)
    {
        for (auto& [at, size] : sizes_)
            if (at == idx) {
                size = s;
                return;
            }
        sizes_.emplace_back(idx, s);
    }
    // The size of the result idx, or null when none is known.
    const Size* Find(int idx) const
    {
        for (const auto& [at, size] : sizes_)
            if (at == idx)
                return &size;
        return nullptr;
    }
    bool Empty() const { return sizes_.empty(); }
    void Reserve(size_t n) { sizes_.reserve(n); }

private:
    std::vector<std::pair<int, Size>> sizes_;
};

// How the numbers of one expression are computed: the value type of its
// arithmetic, whether a direct-code variant computes them exactly, and the
// size of every operation's result.
struct Plan {
    op::ValueType numeric = op::Long;
    bool direct = true;
    ResultSizes sizes;
};

// A value the p-code leaves on the stack, and the instruction whose value
// the direct code reads (a coercion the p-code needs is no statement: C
// converts the value where it is used).
struct Value {
    EXPR_OPERAND_NODE* instruction = nullptr;
    EXPR_STATEMENT* statement = nullptr;  // the operation that made it, if any
    Family family = Family::Number;
    int32_t length = 0;  // digits or characters
    int32_t decimals = 0;
    bool tracksNull = false;                     // may be SQL null
    const DQOO_CHECKED_OPERAND* leaf = nullptr;  // a plain operand
    EXPR_OPERAND_NODE* node = nullptr;           // its operand node
};

// Builds one expression's records.
class Builder {
public:
    // The lists of a short expression have their room at once, instead of
    // growing it from one item by doubling.
    explicit Builder(ExpressionStore& store) : store_(store)
    {
        code_.reserve(16);
        statements_.reserve(8);
    }
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;

    ExpressionStore& Store() { return store_; }
    EXPR_OPERAND_NODE* Node(int32_t kind);
    // An instruction of the p-code; stackEffect is what it does to the depth.
    EXPR_OPERAND_NODE* Instruction(uint32_t opcode, EXPR_OPERAND_NODE* operand, int stackEffect);
    EXPR_STATEMENT* Statement(int32_t kind, EXPR_OPERAND_NODE* operation, EXPR_OPERAND_NODE* result,
                              EXPR_OPERAND_NODE* left, EXPR_OPERAND_NODE* right = nullptr);
    // An intermediate-result node holding digits and decimals.
    EXPR_OPERAND_NODE* Intermediate(int32_t digits, int32_t decimals);
    void NoDirectForm() { direct_ = false; }
    void IncludeISeries() { iSeries_ = true; }
    void IncludeNoLongLong() { noLongLong_ = true; }
    // The expression: its p-code, its variants (52, 51, 50) when every
    // construct has a direct form, and its result node.
    EXPR_EXPRESSION* Finish(EXPR_OPERAND_NODE* result);
    uint32_t MaxDepth() const { return maxDepth_ > 0 ? static_cast<uint32_t>(maxDepth_) : 1u; }

private:
    ExpressionStore& store_;
    std::vector<EXPR_OPERAND_NODE*> code_;
    std::vector<EXPR_STATEMENT*> statements_;
    int depth_ = 0;
    int maxDepth_ = 0;
    bool direct_ = true;
    bool iSeries_ = false;
    bool noLongLong_ = false;
};

// The operation (not the last) whose work result is operand idx, or null
// for an operand no operation makes.
const DQOO_CHECKED_OPERATION* ProducerOf(const DQOO_CHECKED_EXPRESSION& e, int idx);

// ProducerOf for every operand of a short expression, worked out once: a
// compile asks for the operations behind its operands many times. An
// expression of more operands, and an operand outside its table, are
// answered by ProducerOf itself.
class Producers {
public:
    explicit Producers(const DQOO_CHECKED_EXPRESSION& e) : e_(e)
    {
        const uint32_t operands = e.ulOperandCount;
        if (operands >= kHeld)
            return;
        held_ = true;
        for (uint32_t i = 0; i <= operands; ++i)
            at_[i] = -1;
        /* from the last operation but one back, so that the first that
        ** makes an operand is the one kept */
        for (uint32_t i = e.ulOperationCount > 0 ? e.ulOperationCount - 1 : 0; i-- > 0;) {
            const int result = e.pOperations[i].sResult;
            if (result >= 1 && static_cast<uint32_t>(result) <= operands)
                at_[result] = static_cast<int16_t>(i);
        }
    }
    const DQOO_CHECKED_OPERATION* Of(int idx) const
    {
        if (!held_ || idx < 1 || static_cast<uint32_t>(idx) > e_.ulOperandCount)
            return ProducerOf(e_, idx);
        return at_[idx] < 0 ? nullptr : &e_.pOperations[at_[idx]];
    }

private:
    static constexpr uint32_t kHeld = 64;
    const DQOO_CHECKED_EXPRESSION& e_;
    bool held_ = false;
    int16_t at_[kHeld];
};

// The family of a checked operand; throws for operands without one.
Family FamilyOf(const DQOO_CHECKED_OPERAND& o);
// The family of a field of the given type letter.
Family FieldFamily(char type);
// A packed or signed field held with its full field information (VECTOR2):
// one that can be SQL null, or one beyond 30 digits or 9 decimals.
bool HeldWithFieldInformation(const DQOO_CHECKED_OPERAND& o);
// True for the special system variables that stand for a value test.
bool IsNullValue(const DQOO_CHECKED_OPERAND& o);
// Whether a component property's scope names a data record of the
// component's description that holds the property's field, and no dispatch
// record among the members of the description's root has that name.
bool ScopeIsDataRecord(const std::string& scope, const std::string& field);
// The description of the component whose expressions are being compiled,
// for the lifetime of the object (none for a function).
class CompiledDescription {
public:
    explicit CompiledDescription(const BOM_DESCRIPTION_NODE* root);
    ~CompiledDescription();
    CompiledDescription(const CompiledDescription&) = delete;
    CompiledDescription& operator=(const CompiledDescription&) = delete;

private:
    const BOM_DESCRIPTION_NODE* previous_;
};
// The operand node of a field, system variable or literal.
EXPR_OPERAND_NODE* OperandNode(Builder& b, const DQOO_CHECKED_OPERAND& o);
// The value type an integer or floating-point field holds (INT32, INT64 or
// FLOAT64); the numeric type of its arithmetic for any other operand.
op::ValueType OwnType(const DQOO_CHECKED_OPERAND& o, op::ValueType numeric);
// The exact size of a numeric operand: a literal as written, a field by its
// length and decimals, an integer field as many digits as its bytes hold.
Size SizeOf(const DQOO_CHECKED_OPERAND& o);
// Pushes a plain operand as a value of the family wanted; numbers with the
// expression's numeric type.
Value PushLeaf(Builder& b, const DQOO_CHECKED_OPERAND& o, Family want, op::ValueType numeric, bool forAssignment);
// The p-code's coercion of the value on the stack from one numeric type to
// another (none when they are the same); the direct code reads the value
// as it was.
void Coerce(Builder& b, op::ValueType from, op::ValueType to);

// The plan of an expression's numbers; `target` is the field a value is
// assigned to (null for a condition), `round` asks for half-up rounding to
// it. Throws for an expression whose operations refer to their own results.
Plan PlanNumbers(const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND* target, bool round);

// The place of a family (and numeric type) among the When subject types.
uint32_t SubjectIndex(Family family, op::ValueType numeric);

// Compiles the operations of one checked expression.
class ExpressionCompiler {
public:
    ExpressionCompiler(Builder& b, const DQOO_CHECKED_EXPRESSION& e, Plan plan)
        : b_(b), e_(e), producers_(e), plan_(std::move(plan)), numeric_(plan_.numeric)
    {
        if (!plan_.direct)
            b_.NoDirectForm();
    }
    // The value of operand idx (1-based): an operation's result or a leaf.
    Value Emit(int idx, Family want, bool forAssignment = false);
    // The final operation's first operand, or 0.
    int Root() const;
    // The subject of a When test replaces operand 1; a number held as
    // `held` is taken as the test's numeric type.
    void SetSubject(EXPR_OPERAND_NODE* subject, Family family, op::ValueType held)
    {
        subject_ = subject;
        subjectFamily_ = family;
        subjectHeld_ = held;
    }
    const DQOO_CHECKED_OPERAND& Operand(int idx) const;
    const DQOO_CHECKED_OPERATION* Producer(int idx) const;
    op::ValueType Numeric() const { return numeric_; }

private:
    Value Operation(const DQOO_CHECKED_OPERATION& op, Family want);
    Value Arithmetic(const DQOO_CHECKED_OPERATION& op);
    Value Comparison(const DQOO_CHECKED_OPERATION& op);
    Value ValueTest(const DQOO_CHECKED_OPERATION& op, int tested, bool negate);
    Value Logic(const DQOO_CHECKED_OPERATION& op);
    Family NaturalFamily(int idx) const;
    Size NumberSize(int idx) const;
    Value Subject();

    Builder& b_;
    const DQOO_CHECKED_EXPRESSION& e_;
    Producers producers_;
    Plan plan_;
    op::ValueType numeric_;
    EXPR_OPERAND_NODE* subject_ = nullptr;
    Family subjectFamily_ = Family::Number;
    op::ValueType subjectHeld_ = op::Long;
    uint32_t depth_ = 0;  // operations being emitted, one inside the other
};

// Appends to the elements of a WHERE's routine the tables that hand it to
// the I/O module, when the module can evaluate it (dqoo_compile_where.cpp).
void AppendWhereTables(ExpressionStore& store, const DQOO_CHECKED_EXPRESSION& e,
                       std::vector<EXPR_PCODE_ROUTINE*>& elements);

// Makes a condition's final value the routine's result (bResult).
void FinishCondition(Builder& b, const Value& v);

// The expression that gives a field its default (a quoted text, a number
// or a special value as written), assigned as CHANGE assigns a value; the
// operand stack it needs in depth. Throws Unsupported.
EXPR_EXPRESSION* CompileDefaultValue(ExpressionStore& store, const DQOO_CHECKED_OPERAND& target,
                                     const std::string& written, uint32_t& depth);

}  // namespace dqoo::compile

#endif
