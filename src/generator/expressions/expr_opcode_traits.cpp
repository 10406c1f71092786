/*
** expr_opcode_traits.cpp: opcode traits read from the catalogue names.
**
** A name is taken apart after its prefix ("X_COMP_OPCODE_" or
** "X_VAR_RESOLVE_"): PUSH_<layout>_VECTOR2_AS_<type>, PULL_<layout>_VECTOR_
** FROM_<type>_B, COMPARE_<type>_<op>_<type>, <type>_PLUS, IS_<type>_NULL,
** WHEN_TRUE_<type> and so on, each opcode's the first time it is asked for.
*/
#include "generator/expressions/expr_opcode_traits.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "generator/expressions/expr_opcodes.h"

namespace {

struct Named {
    std::string_view word;
    ExprValue value;
};

/* Value type words, longest first where one is the start of another. */
constexpr Named kValues[] = {
    {"LONGLONG", ExprValue::LongLong},
    {"LONG", ExprValue::Long},
    {"DOUBLE", ExprValue::Double},
    {"PACKED31", ExprValue::Packed31},
    {"PACKED63", ExprValue::Packed63},
    {"DECIMAL", ExprValue::Decimal},
    {"INT32", ExprValue::Int32},
    {"INT64", ExprValue::Int64},
    {"FLOAT64", ExprValue::Float64},
    {"BOOLEAN", ExprValue::Boolean},
    {"VARIANT", ExprValue::Variant},
    {"DATETIME", ExprValue::DateTime},
    {"DATE", ExprValue::Date},
    {"TIME", ExprValue::Time},
    {"STRING", ExprValue::String},
    {"BINARY", ExprValue::Binary},
    {"ALPHA", ExprValue::Alpha},
    {"SQLNULL", ExprValue::SqlNull},
    {"NULL", ExprValue::Null},
    {"HIVAL", ExprValue::HiVal},
    {"LOVAL", ExprValue::LoVal},
    {"NAVAIL", ExprValue::NAvail},
    {"STACK_VECTOR", ExprValue::StackVector},
    {"REFERENCE", ExprValue::Reference},
};

struct NamedLayout {
    std::string_view word;
    ExprLayout layout;
};

constexpr NamedLayout kLayouts[] = {
    {"PACKED", ExprLayout::Packed},
    {"SIGNED", ExprLayout::Signed},
    {"INTU8", ExprLayout::IntU8},
    {"INT8", ExprLayout::Int8},
    {"INT16", ExprLayout::Int16},
    {"INT32", ExprLayout::Int32},
    {"INT64", ExprLayout::Int64},
    {"FLOAT32", ExprLayout::Float32},
    {"FLOAT64", ExprLayout::Float64},
    {"BOOLEAN", ExprLayout::Boolean},
    {"DATETIME", ExprLayout::DateTime},
    {"DATE", ExprLayout::Date},
    {"TIME", ExprLayout::Time},
    {"ALPHA", ExprLayout::Alpha},
    {"STRING", ExprLayout::String},
    {"BINARY", ExprLayout::Binary},
    {"LOB", ExprLayout::Lob},
    {"BLOB", ExprLayout::Blob},
    {"CLOB", ExprLayout::Clob},
    {"SHORT_CHAR", ExprLayout::ShortChar},
    {"DISPATCH_SET", ExprLayout::Dispatch},
    {"DISPATCH_GET", ExprLayout::Dispatch},
    {"RESULT_VARIANT", ExprLayout::ResultVariant},
    {"IDENTICAL", ExprLayout::Identical},
};

constexpr std::string_view kConstantSources[] = {"INT32", "INT64", "DOUBLE", "PACKED", "FLOAT64", "STRING", "BOOLEAN"};
constexpr ExprValue kConstantValues[] = {
    ExprValue::Int32Constant,   ExprValue::Int64Constant,  ExprValue::DoubleConstant, ExprValue::PackedConstant,
    ExprValue::Float64Constant, ExprValue::StringConstant, ExprValue::BooleanConstant};

/* The When subject types, in opcode order (WHEN_SUBJECT_LONG is 992). */
constexpr ExprValue kSubjectOrder[] = {
    ExprValue::Long,    ExprValue::LongLong, ExprValue::Double, ExprValue::Packed31, ExprValue::Packed63,
    ExprValue::Decimal, ExprValue::Int32,    ExprValue::Int64,  ExprValue::Float64,  ExprValue::Boolean,
    ExprValue::Variant, ExprValue::Date,     ExprValue::Time,   ExprValue::DateTime, ExprValue::String,
};

bool startsWith(std::string_view s, std::string_view p)
{
    return s.substr(0, p.size()) == p;
}
bool endsWith(std::string_view s, std::string_view p)
{
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

ExprValue valueOf(std::string_view word)
{
    for (const Named& n : kValues)
        if (word == n.word)
            return n.value;
    return ExprValue::None;
}

/* "<layout>_VECTOR..." or "<layout>_STACK_VECTOR...": the layout and the rest after it. */
ExprLayout layoutAt(std::string_view& rest)
{
    for (const NamedLayout& l : kLayouts) {
        if (!startsWith(rest, l.word) || rest.size() == l.word.size() || rest[l.word.size()] != '_')
            continue;
        rest.remove_prefix(l.word.size() + 1);
        return l.layout;
    }
    return ExprLayout::None;
}

/* Reads "<type>[_A|_B|_C|_D]" at the end of a pull name. */
void pullSource(std::string_view type, ExprOpTraits& t)
{
    if (type.size() > 2 && type[type.size() - 2] == '_' && type.back() >= 'A' && type.back() <= 'D' &&
        valueOf(type) == ExprValue::None) {
        t.suffix = type.back();
        type.remove_suffix(2);
    }
    t.value = valueOf(type);
}

ExprComparator comparatorOf(std::string_view word)
{
    constexpr std::pair<std::string_view, ExprComparator> kOps[] = {
        {"EQ", ExprComparator::Eq}, {"LT", ExprComparator::Lt}, {"LE", ExprComparator::Le},
        {"GT", ExprComparator::Gt}, {"GE", ExprComparator::Ge}, {"NE", ExprComparator::Ne}};
    for (const auto& [w, c] : kOps)
        if (word == w)
            return c;
    return ExprComparator::None;
}

ExprOpTraits traitsOfName(std::string_view name, ExprOpFamily family)
{
    ExprOpTraits t;
    for (std::string_view prefix : {"X_COMP_OPCODE_", "X_VAR_RESOLVE_"})
        if (startsWith(name, prefix))
            name.remove_prefix(prefix.size());

    if (startsWith(name, "PUSH_BOOLEAN_TRUE_CONSTANT") || startsWith(name, "PUSH_BOOLEAN_FALSE_CONSTANT")) {
        t.kind = ExprOpKind::ConstantPush;
        t.value = ExprValue::Boolean;
        t.source = name[13] == 'T' ? ExprValue::BooleanTrue : ExprValue::BooleanFalse;
        return t;
    }
    if (startsWith(name, "PUSH_NULL_CONSTANT_AS_")) {
        t.kind = ExprOpKind::NullPush;
        t.value = valueOf(name.substr(std::strlen("PUSH_NULL_CONSTANT_AS_")));
        return t;
    }
    if (startsWith(name, "PUSH_DISPATCH_GET_AS_")) {
        t.kind = ExprOpKind::DispatchGet;
        t.layout = ExprLayout::Dispatch;
        t.value = valueOf(name.substr(std::strlen("PUSH_DISPATCH_GET_AS_")));
        return t;
    }
    if (startsWith(name, "PUSH_")) {
        std::string_view rest = name.substr(5);
        const size_t constant = rest.find("_CONSTANT_AS_");
        if (constant != std::string_view::npos) {
            t.kind = ExprOpKind::ConstantPush;
            t.value = valueOf(rest.substr(constant + std::strlen("_CONSTANT_AS_")));
            for (size_t i = 0; i < std::size(kConstantSources); ++i)
                if (rest.substr(0, constant) == kConstantSources[i])
                    t.source = kConstantValues[i];
            return t;
        }
        const size_t as = rest.rfind("_AS_");
        if (rest.find("RESULT_VECTOR") != std::string_view::npos || as == std::string_view::npos)
            return t;
        t.kind = ExprOpKind::VectorPush;
        t.value = valueOf(rest.substr(as + 4));
        std::string_view head = rest.substr(0, as);
        t.layout = layoutAt(head);
        t.vector2 = endsWith(head, "VECTOR2");
        return t;
    }
    if (startsWith(name, "PULL_")) {
        std::string_view rest = name.substr(5);
        const size_t from = rest.find("_FROM_");
        if (from == std::string_view::npos)
            return t;
        t.kind = ExprOpKind::Pull;
        std::string_view head = rest.substr(0, from + 1);
        t.layout = layoutAt(head);
        t.vector2 = startsWith(head, "VECTOR2");
        std::string_view type = rest.substr(from + 6);
        if (type == "STRING_PLUS")
            type = "STRING";
        pullSource(type, t);
        return t;
    }
    if (startsWith(name, "COERCE_")) {
        t.kind = ExprOpKind::Coerce;
        std::string_view rest = name.substr(7);
        const size_t to = rest.find("_TO_");
        if (to != std::string_view::npos) {
            t.source = valueOf(rest.substr(0, to));
            t.value = valueOf(rest.substr(to + 4));
        }
        return t;
    }
    if (startsWith(name, "LOGICAL_")) {
        t.kind = ExprOpKind::Logical;
        t.value = ExprValue::Boolean;
        return t;
    }
    if (startsWith(name, "COMPARE_")) {
        t.kind = ExprOpKind::Compare;
        std::string_view rest = name.substr(8);
        for (const Named& n : kValues) {
            if (!startsWith(rest, n.word) || rest.size() < n.word.size() + 3 || rest[n.word.size()] != '_')
                continue;
            const ExprComparator c = comparatorOf(rest.substr(n.word.size() + 1, 2));
            if (c == ExprComparator::None)
                continue;
            t.value = n.value;
            t.comparator = c;
            break;
        }
        return t;
    }
    if (startsWith(name, "IS_") && endsWith(name, "_NULL")) {
        t.kind = ExprOpKind::IsNull;
        t.value = valueOf(name.substr(3, name.size() - 8));
        return t;
    }
    if (startsWith(name, "ROUND_HALFUP_")) {
        t.kind = ExprOpKind::Round;
        t.value = valueOf(name.substr(13));
        return t;
    }
    for (auto [role, kind] : {std::pair<std::string_view, ExprOpKind>{"WHEN_SUBJECT_", ExprOpKind::WhenSubject},
                              {"WHEN_TRUE_", ExprOpKind::WhenTrue},
                              {"WHEN_ALL_FALSE_", ExprOpKind::WhenAllFalse}}) {
        if (startsWith(name, role)) {
            t.kind = kind;
            t.value = valueOf(name.substr(role.size()));
            return t;
        }
    }
    if (startsWith(name, "IMP_INTRINSIC_")) {
        t.kind = ExprOpKind::Intrinsic;
        return t;
    }
    if (family == ExprOpFamily::Arithmetic) {
        constexpr std::pair<std::string_view, ExprArith> kOps[] = {{"_PLUS", ExprArith::Plus},
                                                                   {"_MINUS", ExprArith::Minus},
                                                                   {"_DIVIDE", ExprArith::Divide},
                                                                   {"_MULTIPLY", ExprArith::Multiply}};
        for (const auto& [suffix, arith] : kOps) {
            if (!endsWith(name, suffix))
                continue;
            t.kind = ExprOpKind::Arithmetic;
            t.arith = arith;
            t.value = valueOf(name.substr(0, name.size() - suffix.size()));
        }
    }
    return t;
}

constexpr uint32_t kTableSize = ExprNumberedTraits::kSize;

const ExprOpTraits& readTraits(uint32_t opcode)
{
    if (const ExprOpcodeEntry* e = EXPR_FindOpcode(opcode); e != nullptr)
        g_exprNumberedTraits.byNumber[opcode] = traitsOfName(e->name, e->family);
    g_exprNumberedTraits.read[opcode] = true;
    return g_exprNumberedTraits.byNumber[opcode];
}

/* The pseudo opcodes' traits and an unknown number's. */
struct OtherTraits {
    std::array<ExprOpTraits, 17> pseudo{};
    ExprOpTraits unknown{};

    OtherTraits()
    {
        for (size_t i = 0; i < pseudo.size(); ++i) {
            ExprOpTraits& t = pseudo[i];
            t.kind = ExprOpKind::Pseudo;
            if (i < std::size(kSubjectOrder) && kSubjectOrder[i] != ExprValue::Variant) {
                t.kind = ExprOpKind::SubjectLoad;
                t.value = kSubjectOrder[i];
            }
        }
    }
};

const OtherTraits& otherTraits()
{
    static const OtherTraits t;
    return t;
}

}  // namespace

/* Each numbered opcode's traits are read from its catalogue name the first
** time they are asked for (a program uses a few dozen of the thousand);
** constant-initialised, so that a lookup takes no guard. */
constinit ExprNumberedTraits g_exprNumberedTraits{};

const ExprOpTraits& EXPR_OtherOpTraits(uint32_t opcode)
{
    if (opcode < kTableSize)
        return g_exprNumberedTraits.read[opcode] ? g_exprNumberedTraits.byNumber[opcode] : readTraits(opcode);
    const OtherTraits& t = otherTraits();
    if (EXPR_IsPseudoOpcode(opcode))
        return t.pseudo[opcode - EXPR_OP_SUBJECT_LOAD_FIRST];
    return t.unknown;
}

bool EXPR_fIsNullTest(uint32_t opcode)
{
    switch (opcode) {
    case EXPR_OP_LOGICAL_IS_SQLNULL:
    case EXPR_OP_LOGICAL_IS_NOT_SQLNULL: return true;
    default: break;
    }
    if (EXPR_OpTraits(opcode).kind == ExprOpKind::IsNull)
        return true;
    /* the intrinsic IS_NULL tests of strings, numbers, variants, dates,
    ** times, datetimes and binaries */
    const ExprOpcodeEntry* e = EXPR_FindOpcode(opcode);
    if (e == nullptr || e->family != ExprOpFamily::Intrinsic)
        return false;
    const std::string_view name = e->name;
    for (std::string_view type : {"STRING", "NUMBER", "VAR", "DATE", "TIME", "DATETIME", "BINARY"})
        if (name == std::string("X_COMP_OPCODE_IMP_INTRINSIC_") + std::string(type) + "_IS_NULL")
            return true;
    return false;
}
