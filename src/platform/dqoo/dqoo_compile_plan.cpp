// The plan of an expression's numbers: the exact size of every value it
// computes, and the value type its arithmetic is done in. A direct-code
// variant is offered only where that type holds every value exactly:
//   LONG      whole numbers of at most 9 digits
//   LONGLONG  whole numbers of at most 18 digits
//   DOUBLE    numbers of at most 15 significant digits (the store of the
//             result takes the nearest decimal at the value's own scale,
//             which removes the binary representation error); a quotient
//             only as the value assigned, computed to enough decimals that
//             the cut to the field cannot err
//   FLOAT64   floating-point fields, which are no exact decimals anyway
//             (but not rounded half up into a decimal field)
// Anything else is computed by the run-time evaluator from the p-code, in
// PACKED31 or PACKED63 (DECIMAL beside the sized *HIVAL and *LOVAL).
#include "platform/dqoo/dqoo_compile_internal.h"

#include <algorithm>
#include <cstring>

namespace dqoo::compile {

namespace {

bool is(const DQOO_CHECKED_OPERATION& op, const char* code)
{
    return std::memcmp(op.achCode, code, 2) == 0;
}

bool isArithmetic(const DQOO_CHECKED_OPERATION& op)
{
    return is(op, "AD") || is(op, "SU") || is(op, "MU") || is(op, "DV");
}

class Planner {
public:
    Planner(const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND* target, bool round, bool directDivision)
        : e_(e), producers_(e), target_(target), round_(round), directDivision_(directDivision)
    {}

    Plan Run()
    {
        if (e_.ulOperationCount == 0)
            return plan_;
        const int root = e_.pOperations[e_.ulOperationCount - 1].sFirst;
        const Size value = Visit(root, target_ != nullptr);
        if (round_ && target_ != nullptr && value.decimals > target_->lDecimals)
            track({value.ints + 1, value.decimals}); /* the value moved by half a unit */
        if (target_ != nullptr && target_->chType == 'I' && value.decimals > 0)
            exact_ = false; /* a C cast cuts the binary value, not the decimal one */
        choose();
        return plan_;
    }

private:
    const DQOO_CHECKED_OPERATION* producer(int idx) const { return producers_.Of(idx); }
    const DQOO_CHECKED_OPERAND& operand(int idx) const
    {
        if (idx < 1 || static_cast<uint32_t>(idx) > e_.ulOperandCount)
            throw Unsupported("an operation on an operand that does not exist");
        return e_.pOperands[idx - 1];
    }
    void track(const Size& s)
    {
        maxDigits_ = std::max(maxDigits_, s.Digits());
        if (s.decimals > 0)
            whole_ = false;
    }

    // The size of the value of operand idx (zero for a value that is no
    // number); `assigned` marks the value a field is given.
    Size Visit(int idx, bool assigned)
    {
        /* an operation reached again inside itself names its own result */
        if (++depth_ > e_.ulOperationCount + 1)
            throw Unsupported("an operation that depends on its own result");
        const Size s = visit(idx, assigned);
        --depth_;
        return s;
    }

    Size visit(int idx, bool assigned)
    {
        const DQOO_CHECKED_OPERATION* op = producer(idx);
        if (op == nullptr)
            return leaf(operand(idx));
        if (!isArithmetic(*op)) {
            const Family left = familyOf(op->sFirst), right = familyOf(op->sSecond);
            if (left == Family::Binary || right == Family::Binary)
                binary_ = true; /* compared and tested in the p-code only */
            Visit(op->sFirst, false);
            Visit(op->sSecond, false);
            return {};
        }
        const Size a = Visit(op->sFirst, false), b = Visit(op->sSecond, false);
        Size r;
        if (is(*op, "MU")) {
            r = {a.ints + b.ints, a.decimals + b.decimals};
        } else if (is(*op, "DV")) {
            r.ints = a.ints + b.decimals;
            r.decimals = std::max({a.decimals, b.decimals, std::max<int32_t>(operand(idx).lDecimals, 0)});
            if (assigned) {
                r.decimals = std::max(r.decimals, target_->lDecimals + (round_ ? 1 : 0));
                /* enough decimals beyond the field's that the double's
                ** nearest decimal cannot carry into them: one more than
                ** the digits of the divisor and of the dividend's decimals
                ** (a whole quotient of whole numbers is exact as it is) */
                if (r.decimals > 0) {
                    assignedQuotient_ = true;
                    if (directDivision_)
                        r.decimals = std::max(r.decimals, target_->lDecimals + b.Digits() + a.decimals + 2);
                }
            } else {
                quotientInside_ = true; /* its cut to its decimals must be exact */
            }
        } else {
            r = {std::max(a.ints, b.ints) + 1, std::max(a.decimals, b.decimals)};
        }
        r.ints = std::min(r.ints, 63);
        r.decimals = std::min(r.decimals, 63 - r.ints);
        track(r);
        if (plan_.sizes.Empty())
            plan_.sizes.Reserve(e_.ulOperationCount);
        plan_.sizes.Set(idx, r);
        return r;
    }

    Family familyOf(int idx) const
    {
        if (const DQOO_CHECKED_OPERATION* op = producer(idx))
            return isArithmetic(*op) ? Family::Number : Family::Boolean;
        if (idx < 1 || static_cast<uint32_t>(idx) > e_.ulOperandCount)
            return Family::Null;
        try {
            return FamilyOf(operand(idx));
        } catch (const Unsupported&) {
            return Family::Null; /* the compiler says why */
        }
    }

    Size leaf(const DQOO_CHECKED_OPERAND& o)
    {
        Family f = Family::Null;
        try {
            f = FamilyOf(o);
        } catch (const Unsupported&) {
            return {};
        }
        if (f == Family::HiLo)
            hiLo_ = true;
        if (f != Family::Number)
            return {};
        if (o.chType == 'F' && std::memcmp(o.achClass, "NL", 2) != 0)
            floats_ = true;
        const Size s = SizeOf(o);
        track(s);
        return s;
    }

    void choose()
    {
        const auto packed = [this] { return maxDigits_ <= 31 ? op::Packed31 : op::Packed63; };
        plan_.direct = !binary_ && !hiLo_;
        if (floats_) {
            plan_.numeric = op::Float64;
            /* a floating-point value rounded half up to a decimal field: the
            ** half unit added to the double lands as often just below the
            ** field's next unit as on it, and its store cuts; the run-time
            ** evaluator rounds the decimal the double stands for */
            if (round_ && target_ != nullptr && (target_->chType == 'P' || target_->chType == 'S'))
                plan_.direct = false;
        } else if (hiLo_) {
            plan_.numeric = op::Decimal;
        } else if (whole_ && maxDigits_ <= 9) {
            plan_.numeric = op::Long;
        } else if (whole_ && maxDigits_ <= 18) {
            plan_.numeric = op::LongLong;
        } else if (!whole_ && maxDigits_ <= 15 && !quotientInside_ && exact_ &&
                   (directDivision_ || !assignedQuotient_)) {
            plan_.numeric = op::Double;
        } else {
            plan_.numeric = packed();
            plan_.direct = false;
        }
    }

    const DQOO_CHECKED_EXPRESSION& e_;
    Producers producers_;
    const DQOO_CHECKED_OPERAND* target_;
    bool round_;
    bool directDivision_;
    Plan plan_;
    uint32_t depth_ = 0;
    int32_t maxDigits_ = 0;
    bool whole_ = true;
    bool floats_ = false;
    bool hiLo_ = false;
    bool binary_ = false;
    bool quotientInside_ = false;
    bool assignedQuotient_ = false; /* a quotient with decimals is the value */
    bool exact_ = true;

public:
    /* Whether the plan has a quotient with decimals as the value assigned:
     * the one place where the direct division changes the plan. */
    bool AssignedQuotient() const { return assignedQuotient_; }
};

}  // namespace

Plan PlanNumbers(const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND* target, bool round)
{
    /* a quotient assigned in a double needs decimals beyond the field's;
    ** where they do not fit, the p-code keeps only the ones the value has */
    Planner direct(e, target, round, true);
    Plan plan = direct.Run();
    /* without such a quotient the plan without direct division is this
    ** one: it is not made again */
    if (plan.numeric != op::Double && direct.AssignedQuotient())
        plan = Planner(e, target, round, false).Run();
    return plan;
}

}  // namespace dqoo::compile
