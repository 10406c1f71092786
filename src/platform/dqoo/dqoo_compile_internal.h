// The object layer's expression compiler, inside: one expression at a time
// is built into the store as p-code (with the stack depth it needs) and as
// the statements of a direct-code variant that share the p-code's
// instruction records. A construct without a direct form leaves the
// expression without variants: the run-time evaluator then runs its p-code.
#ifndef DQOV_PLATFORM_DQOO_COMPILE_INTERNAL_H
#define DQOV_PLATFORM_DQOO_COMPILE_INTERNAL_H

#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/dqoo_store.h"

#include <stdexcept>
#include <string>
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

// The p-code arithmetic of an expression's numbers.
enum Numeric { kLong = 0, kLongLong = 1, kDouble = 2 };

// A value the p-code leaves on the stack, and the instruction that made it.
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
    explicit Builder(ExpressionStore& store) : store_(store) {}

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

// The family of a checked operand; throws for operands without one.
Family FamilyOf(const DQOO_CHECKED_OPERAND& o);
// The family of a field of the given type letter.
Family FieldFamily(char type);
// A packed or signed field held with its full field information (VECTOR2):
// one that can be SQL null, or one beyond 30 digits or 9 decimals.
bool HeldWithFieldInformation(const DQOO_CHECKED_OPERAND& o);
// True for the special system variables that stand for a value test.
bool IsNullValue(const DQOO_CHECKED_OPERAND& o);
// The operand node of a field, system variable or literal.
EXPR_OPERAND_NODE* OperandNode(Builder& b, const DQOO_CHECKED_OPERAND& o);
// Pushes a plain operand as a value of the family wanted; numbers with the
// expression's numeric type.
Value PushLeaf(Builder& b, const DQOO_CHECKED_OPERAND& o, Family want, Numeric numeric, bool forAssignment);
// The push of an integer or floating-point field and its coercion to the
// numeric of the arithmetic; the instruction that leaves the value.
EXPR_OPERAND_NODE* PushNative(Builder& b, const DQOO_CHECKED_OPERAND& o, EXPR_OPERAND_NODE* node, Numeric numeric);
// The p-code numeric type that holds every number of an expression.
Numeric NumericFor(const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND* target);

// The place of a family (and numeric type) among the When subject types.
uint32_t SubjectIndex(Family family, Numeric numeric);

// Compiles the operations of one checked expression.
class ExpressionCompiler {
public:
    ExpressionCompiler(Builder& b, const DQOO_CHECKED_EXPRESSION& e, Numeric numeric) : b_(b), e_(e), numeric_(numeric)
    {}
    // The value of operand idx (1-based): an operation's result or a leaf.
    Value Emit(int idx, Family want, bool forAssignment = false);
    // The final operation's first operand, or 0.
    int Root() const;
    // The subject of a When test replaces operand 1.
    void SetSubject(EXPR_OPERAND_NODE* subject, Family family)
    {
        subject_ = subject;
        subjectFamily_ = family;
    }
    const DQOO_CHECKED_OPERAND& Operand(int idx) const;
    const DQOO_CHECKED_OPERATION* Producer(int idx) const;

private:
    Value Operation(const DQOO_CHECKED_OPERATION& op, Family want);
    Value Arithmetic(const DQOO_CHECKED_OPERATION& op);
    Value Comparison(const DQOO_CHECKED_OPERATION& op);
    Value ValueTest(const DQOO_CHECKED_OPERATION& op, int tested, bool negate);
    Value Logic(const DQOO_CHECKED_OPERATION& op);
    Family NaturalFamily(int idx) const;
    Value Subject();

    Builder& b_;
    const DQOO_CHECKED_EXPRESSION& e_;
    Numeric numeric_;
    EXPR_OPERAND_NODE* subject_ = nullptr;
    Family subjectFamily_ = Family::Number;
};

// Makes a condition's final value the routine's result (bResult).
void FinishCondition(Builder& b, const Value& v);

}  // namespace dqoo::compile

#endif
