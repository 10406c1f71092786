// Records of one compiled expression, and the operands: their families,
// their operand nodes (fields, system variables, constants with their
// packed images) and the pushes that put them on the stack.
#include "platform/dqoo/dqoo_compile_internal.h"
#include "platform/dqoo/dqoo_opcodes.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace dqoo::compile {

namespace {

std::string_view classOf(const DQOO_CHECKED_OPERAND& o)
{
    return std::string_view(o.achClass, 2);
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string nameOf(const DQOO_CHECKED_OPERAND& o)
{
    return o.pszName != nullptr ? o.pszName : "";
}

// The digits of a numeric literal (no sign, no point, no leading zeros),
// its sign, and the number of digits after the point.
struct NumberText {
    bool negative = false;
    std::string digits;  // all digits, integer part first
    int32_t decimals = 0;
};

NumberText parseNumber(const std::string& written)
{
    NumberText n;
    bool point = false;
    for (char c : written) {
        if (c == '-') {
            n.negative = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            n.digits.push_back(c);
            if (point)
                ++n.decimals;
        } else if (c == '.' || c == ',') {
            point = true;
        }
    }
    const size_t integerDigits = n.digits.size() - static_cast<size_t>(n.decimals);
    size_t zeros = 0;
    while (zeros + 1 < integerDigits && n.digits[zeros] == '0')
        ++zeros;
    n.digits.erase(0, zeros);
    if (n.digits.empty())
        n.digits = "0";
    return n;
}

// The number as C writes it: "12.50", "-3", "0.5".
std::string cText(const NumberText& n)
{
    std::string whole = n.digits.substr(0, n.digits.size() - static_cast<size_t>(n.decimals));
    if (whole.empty())
        whole = "0";
    std::string text = (n.negative ? "-" : "") + whole;
    if (n.decimals > 0)
        text += "." + n.digits.substr(n.digits.size() - static_cast<size_t>(n.decimals));
    return text;
}

// The packed decimal image, each byte written "\xNN": the digits padded to
// an odd count on the left, then the sign nibble (C positive, D negative).
std::string packedText(const NumberText& n)
{
    std::string nibbles = n.digits;
    if (nibbles.size() % 2 == 0)
        nibbles.insert(nibbles.begin(), '0');
    nibbles.push_back(n.negative ? 'D' : 'C');
    std::string text;
    for (size_t i = 0; i < nibbles.size(); i += 2) {
        text += "\\x";
        text.push_back(nibbles[i]);
        text.push_back(nibbles[i + 1]);
    }
    return text;
}

// The text of an alphanumeric or hexadecimal literal.
std::string literalText(const DQOO_CHECKED_OPERAND& o)
{
    const std::string written = nameOf(o);
    if (classOf(o) == "HL") {
        std::string bytes;
        for (size_t i = 2; i + 2 < written.size(); i += 2) {
            /* a zero byte is a byte like any other: the literal's length
            ** goes with it wherever it is used */
            bytes.push_back(static_cast<char>(std::stoi(written.substr(i, 2), nullptr, 16)));
        }
        return bytes;
    }
    if (written.size() < 2 || written.front() != '\'' || written.back() != '\'')
        return written;
    std::string text;
    for (size_t i = 1; i + 1 < written.size(); ++i) {
        text.push_back(written[i]);
        if (written[i] == '\'' && i + 2 < written.size() && written[i + 1] == '\'')
            ++i;
    }
    return text;
}

}  // namespace

EXPR_OPERAND_NODE* Builder::Node(int32_t kind)
{
    EXPR_OPERAND_NODE& n = store_.nodes.emplace_back();
    std::memset(&n, 0, sizeof n);
    n.kind = kind;
    return &n;
}

EXPR_OPERAND_NODE* Builder::Instruction(uint32_t opcode, EXPR_OPERAND_NODE* operand, int stackEffect)
{
    EXPR_OPERAND_NODE* i = Node(EXPR_TAG_INSTRUCTION);
    i->opcode = opcode;
    i->operand = operand;
    code_.push_back(i);
    depth_ += stackEffect;
    maxDepth_ = std::max(maxDepth_, depth_);
    return i;
}

EXPR_STATEMENT* Builder::Statement(int32_t kind, EXPR_OPERAND_NODE* operation, EXPR_OPERAND_NODE* result,
                                   EXPR_OPERAND_NODE* left, EXPR_OPERAND_NODE* right)
{
    EXPR_STATEMENT& s = store_.statements.emplace_back();
    std::memset(&s, 0, sizeof s);
    s.kind = kind;
    s.operation = operation;
    s.result = result;
    s.left = left;
    s.right = right;
    statements_.push_back(&s);
    return &s;
}

EXPR_OPERAND_NODE* Builder::Intermediate(int32_t digits, int32_t decimals)
{
    EXPR_OPERAND_NODE* n = Node(EXPR_TAG_INTERMEDIATE_1);
    n->value = static_cast<uint32_t>(std::clamp<int32_t>(digits, 1, 63));
    n->second = static_cast<uint32_t>(std::clamp<int32_t>(decimals, 0, 63));
    return n;
}

EXPR_EXPRESSION* Builder::Finish(EXPR_OPERAND_NODE* result)
{
    EXPR_EXPRESSION& e = store_.expressions.emplace_back();
    std::memset(&e, 0, sizeof e);
    e.result = result;
    e.instructionCount = static_cast<uint32_t>(code_.size());
    e.instructions = store_.compiledNodeArrays.Keep(code_.data(), code_.size());
    e.workCount = e.instructionCount;
    e.work = e.instructions;
    if (!direct_)
        return &e;
    EXPR_STATEMENT** statements = store_.compiledStatementArrays.Keep(statements_.data(), statements_.size());
    EXPR_VARIANT* variants[3];
    uint32_t count = 0;
    auto add = [&](uint32_t tag) {
        EXPR_VARIANT& v = store_.variants.emplace_back();
        v.tag = tag;
        v.statementCount = static_cast<uint32_t>(statements_.size());
        v.statements = statements;
        variants[count++] = &v;
    };
    if (iSeries_)
        add(EXPR_VARIANT_ISERIES);
    if (noLongLong_)
        add(EXPR_VARIANT_NO_LONGLONG);
    add(EXPR_VARIANT_GENERIC);
    e.variantCount = count;
    e.variants = store_.compiledVariantArrays.Keep(variants, count);
    return &e;
}

bool HeldWithFieldInformation(const DQOO_CHECKED_OPERAND& o)
{
    return (o.chType == 'P' || o.chType == 'S') &&
           ((o.ulFlags & DQOO_OPERAND_SQLNULL) != 0 || o.lLength > 30 || o.lDecimals > 9);
}

Family FieldFamily(char type)
{
    switch (type) {
    case 'P':
    case 'S': return Family::Number;
    case 'A': return Family::Alpha;
    case '1':
    case 'H':
    case 'U': return Family::VarChar;
    case '3':
    case '4': return Family::Lob;
    case '2':
    case 'B': return Family::Binary;
    case 'E': return Family::Date;
    case 'M': return Family::Time;
    case 'Z': return Family::DateTime;
    case 'I':
    case 'F': return Family::Number;
    case 'L':
    case 'Y': return Family::Boolean;
    default: throw Unsupported(std::string("a field of type ") + type);
    }
}

namespace {

// Whether the operand's name in capitals is the word (in capitals), read
// where the name lies.
bool NameIs(const DQOO_CHECKED_OPERAND& o, std::string_view word)
{
    const std::string_view name = o.pszName != nullptr ? std::string_view(o.pszName) : std::string_view();
    if (name.size() != word.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))) != word[i])
            return false;
    return true;
}

}  // namespace

bool IsNullValue(const DQOO_CHECKED_OPERAND& o)
{
    if (classOf(o) != "SV")
        return false;
    return NameIs(o, "*NULL") || NameIs(o, "*BLANK") || NameIs(o, "*BLANKS") || NameIs(o, "*ZERO") ||
           NameIs(o, "*ZEROS") || NameIs(o, "*ZEROES");
}

Family FamilyOf(const DQOO_CHECKED_OPERAND& o)
{
    const std::string_view cls = classOf(o);
    if (cls == "NL")
        return Family::Number;
    if (cls == "AL" || cls == "HL")
        return Family::Alpha;
    if (cls == "SV") {
        if (IsNullValue(o))
            return Family::Null;
        if (NameIs(o, "*HIVAL") || NameIs(o, "*LOVAL"))
            return Family::HiLo;
        if (o.lLength <= 0)
            throw Unsupported("the special value " + upper(nameOf(o)) + " in an expression");
        return FieldFamily(o.chType);
    }
    if (cls == "FL" || cls == "  ")
        return FieldFamily(o.chType);
    /* a multilingual variable: its text in the run's language, which the
    ** program keeps in the variable's vector entry */
    if (cls == "ML")
        return Family::Alpha;
    if (cls == "CP")
        return FieldFamily(o.chType);
    throw Unsupported("the operand " + nameOf(o));
}

// The field a component property ("scope.field") stands for: every record
// field of the description is a field of the component.
std::string PropertyField(const DQOO_CHECKED_OPERAND& o)
{
    std::string name = nameOf(o);
    const size_t dot = name.find_last_of('.');
    return upper(dot == std::string::npos ? name : name.substr(dot + 1));
}

// The scope a component property names ("scope.field", the scope written
// with the name character of a field or not): empty without one.
std::string PropertyScope(const DQOO_CHECKED_OPERAND& o)
{
    std::string name = nameOf(o);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return std::string();
    size_t first = 0;
    while (first < dot && !std::isalnum(static_cast<unsigned char>(name[first])))
        ++first;
    return upper(name.substr(first, dot - first));
}

// The node of a component property: a member of a data record that the
// scope names and that the field vector does not hold (no dispatch record
// of that name) is the component field reached through the component's
// records (1019); any other property is the component's field itself
// (1014), which the field vector holds.
EXPR_OPERAND_NODE* PropertyNode(Builder& b, const DQOO_CHECKED_OPERAND& o)
{
    const std::string field = PropertyField(o);
    const bool throughRecords = ScopeIsDataRecord(PropertyScope(o), field);
    EXPR_OPERAND_NODE* n = b.Node(throughRecords ? EXPR_NODE_COMPONENT_FIELD_REF : EXPR_NODE_COMPONENT_FIELD);
    n->fieldRef = b.Store().keepName(field);
    if (throughRecords)
        n->componentFieldRef = n->fieldRef;
    return n;
}

EXPR_OPERAND_NODE* OperandNode(Builder& b, const DQOO_CHECKED_OPERAND& o)
{
    ExpressionStore& store = b.Store();
    const std::string_view cls = classOf(o);
    if (cls == "CP") {
        EXPR_OPERAND_NODE* n = PropertyNode(b, o);
        n->value = static_cast<uint32_t>(std::max<int32_t>(o.lLength, 0));
        n->second = static_cast<uint32_t>(std::max<int32_t>(o.lDecimals, 0));
        if (HeldWithFieldInformation(o))
            n->flags |= EXPR_NODE_FLAG_CONVERTED;
        return n;
    }
    if (cls == "FL" || cls == "SV" || cls == "ML") {
        EXPR_OPERAND_NODE* n = b.Node(cls == "FL" ? EXPR_NODE_FIELD : EXPR_NODE_SYSTEM_VARIABLE);
        n->fieldRef = store.keepName(cls == "FL" ? nameOf(o) : upper(nameOf(o)));
        n->value = static_cast<uint32_t>(std::max<int32_t>(o.lLength, 0));
        n->second = static_cast<uint32_t>(std::max<int32_t>(o.lDecimals, 0));
        /* a field that can be SQL null carries a field state: a packed or
        ** signed one is then held with its full field information */
        if (o.ulFlags & DQOO_OPERAND_SQLNULL) {
            n->flags |= EXPR_NODE_FLAG_SQLNULL_STATE;
            if (o.chType == 'P' || o.chType == 'S')
                n->flags |= EXPR_NODE_FLAG_CONVERTED;
        }
        /* so is one beyond 30 digits or 9 decimals */
        if (HeldWithFieldInformation(o))
            n->flags |= EXPR_NODE_FLAG_CONVERTED;
        /* a store into an array's index field sets the vector's index after it */
        if (cls == "FL" && (o.ulFlags & DQOO_OPERAND_ARRAY_INDEX))
            n->flags |= EXPR_NODE_FLAG_INDEXED;
        return n;
    }
    if (cls == "NL") {
        const NumberText number = parseNumber(nameOf(o));
        const bool integer = number.decimals == 0;
        long long magnitude = 0;
        if (integer && number.digits.size() <= 18)
            magnitude = std::stoll(number.digits);
        int32_t kind = EXPR_NODE_DECIMAL_CONSTANT;
        if (integer && number.digits.size() <= 18)
            kind = magnitude <= 2147483647LL ? EXPR_NODE_INT32_CONSTANT : EXPR_NODE_INT64_CONSTANT;
        /* the lowest 32-bit and 64-bit values have no literal of their type
        ** in C: their nodes stand for them and the code names them */
        if (integer && number.negative && number.digits == "2147483648")
            kind = EXPR_NODE_INT32_LOVAL;
        else if (integer && number.negative && number.digits == "9223372036854775808")
            kind = EXPR_NODE_INT64_LOVAL;
        EXPR_OPERAND_NODE* n = b.Node(kind);
        n->value = static_cast<uint32_t>(number.digits.size());
        n->second = static_cast<uint32_t>(number.decimals);
        n->valueText = store.keepText(cText(number));
        if (kind != EXPR_NODE_INT32_CONSTANT && kind != EXPR_NODE_INT32_LOVAL)
            n->packedText = store.keepText(packedText(number));
        return n;
    }
    const std::string text = literalText(o);
    EXPR_OPERAND_NODE* n = b.Node(EXPR_NODE_STRING_CONSTANT);
    n->valueText = store.keepText(text);
    n->value = static_cast<uint32_t>(text.size());
    n->maxLength = static_cast<int32_t>(text.size());
    return n;
}

Size SizeOf(const DQOO_CHECKED_OPERAND& o)
{
    if (classOf(o) == "NL") {
        const NumberText n = parseNumber(nameOf(o));
        return {static_cast<int32_t>(n.digits.size()) - n.decimals, n.decimals};
    }
    if (o.chType == 'I')
        return {o.lLength <= 1 ? 3 : o.lLength == 2 ? 5 : o.lLength <= 4 ? 10 : 19, 0};
    if (o.chType == 'F')
        return {15, 0};
    return {std::max<int32_t>(o.lLength - o.lDecimals, 0), std::max<int32_t>(o.lDecimals, 0)};
}

op::ValueType OwnType(const DQOO_CHECKED_OPERAND& o, op::ValueType numeric)
{
    if (classOf(o) == "NL")
        return numeric;
    if (o.chType == 'F')
        return op::Float64;
    if (o.chType == 'I')
        return o.lLength > 4 ? op::Int64 : op::Int32;
    return numeric;
}

void Coerce(Builder& b, op::ValueType from, op::ValueType to)
{
    if (from == to)
        return;
    const uint32_t opcode = op::Coerce(from, to);
    if (opcode == 0)
        throw Unsupported("a floating-point value in exact decimal arithmetic");
    b.Instruction(opcode, nullptr, 0);
}

namespace {

/* The push of a numeric literal as the value type of the arithmetic. A
** floating-point push takes the constant as a decimal constant. */
uint32_t constantPush(EXPR_OPERAND_NODE* node, op::ValueType numeric, const std::string& written)
{
    if (numeric == op::Float64) {
        node->kind = EXPR_NODE_DECIMAL_CONSTANT;
        return op::kPushFloat64Constant;
    }
    switch (node->kind) {
    case EXPR_NODE_INT32_CONSTANT:
    case EXPR_NODE_INT32_LOVAL:
        if (numeric <= op::Int64)
            return op::kPushInt32Constant + numeric;
        break;
    case EXPR_NODE_INT64_CONSTANT:
    case EXPR_NODE_INT64_LOVAL:
        switch (numeric) {
        case op::LongLong: return op::kPushInt64ConstantAsLongLong;
        case op::Double: return op::kPushInt64ConstantAsDouble;
        case op::Packed31: return op::kPushInt64ConstantAsPacked31;
        case op::Packed63: return op::kPushInt64ConstantAsPacked63;
        case op::Decimal: return op::kPushInt64ConstantAsDecimal;
        case op::Int64: return op::kPushInt64ConstantAsInt64;
        default: break;
        }
        break;
    default:
        switch (numeric) {
        case op::LongLong: return op::kPushPackedConstantAsLongLong;
        case op::Double: return op::kPushPackedConstantAsDouble;
        case op::Packed31: return op::kPushPackedConstantAsPacked31;
        case op::Packed63: return op::kPushPackedConstantAsPacked63;
        case op::Decimal: return op::kPushPackedConstantAsDecimal;
        case op::Int64: return op::kPushPackedConstantAsInt64;
        default: break;
        }
        break;
    }
    throw Unsupported("the constant " + written + " in whole-number arithmetic");
}

}  // namespace

Value PushLeaf(Builder& b, const DQOO_CHECKED_OPERAND& o, Family want, op::ValueType numeric, bool forAssignment)
{
    const std::string_view cls = classOf(o);
    const Family family = FamilyOf(o);
    Value v;
    v.leaf = &o;
    v.length = o.lLength;
    v.decimals = o.lDecimals;
    v.tracksNull = cls == "FL" && (o.ulFlags & DQOO_OPERAND_SQLNULL) != 0;
    v.node = OperandNode(b, o);
    v.family = family;
    if (family == Family::Number) {
        if (want != Family::Number)
            throw Unsupported("the number " + nameOf(o) + " where a value of another kind is wanted");
        const Size size = SizeOf(o);
        v.length = size.Digits();
        v.decimals = size.decimals;
        if (cls == "NL") {
            v.instruction = b.Instruction(constantPush(v.node, numeric, nameOf(o)), v.node, 1);
            return v;
        }
        if (cls == "SV")
            b.Instruction(op::kEvaluateSystemVariable, v.node, 0);
        if (o.chType == 'F') {
            v.instruction = b.Instruction(o.lLength <= 4 ? op::kPushFloat32AsFloat64 : op::kPushFloat64AsFloat64,
                                          v.node, 1);
            Coerce(b, op::Float64, numeric);
            return v;
        }
        if (o.chType == 'I') {
            uint32_t push = op::kPushInt32AsInt32;
            if (o.lLength > 4)
                push = op::kPushInt64AsInt64;
            else if (o.lLength == 1)
                push = (o.ulFlags & DQOO_OPERAND_UNSIGNED) != 0 ? op::kPushIntU8AsInt32 : op::kPushInt8AsInt32;
            else if (o.lLength == 2)
                push = op::kPushInt16AsInt32;
            v.instruction = b.Instruction(push, v.node, 1);
            Coerce(b, OwnType(o, numeric), numeric);
            return v;
        }
        /* a packed or signed field is read as the arithmetic's type; a
        ** floating-point one takes it as a double */
        const op::ValueType read = numeric == op::Float64 ? op::Double : numeric;
        v.instruction = b.Instruction(
            op::PushDecimalVector(o.chType == 'S', (v.node->flags & EXPR_NODE_FLAG_CONVERTED) != 0, read), v.node, 1);
        Coerce(b, read, numeric);
        b.IncludeISeries();
        return v;
    }
    if (cls == "AL" || cls == "HL") {
        uint32_t opcode = op::kPushStringConstant;
        if (want == Family::Date)
            opcode += 1;
        else if (want == Family::Time)
            opcode += 2;
        else if (want == Family::DateTime)
            opcode += 3;
        else if (want != Family::Alpha && want != Family::VarChar && want != Family::Lob)
            throw Unsupported("the literal " + nameOf(o) + " where a value of another kind is wanted");
        v.family = opcode == op::kPushStringConstant ? Family::Alpha : want;
        if (v.family != Family::Alpha) {
            /* a date, time or timestamp written shorter than its kind is
            ** completed from the kind's first value ("2024-01-31" as a
            ** timestamp is "2024-01-31 00:00:00.000000000"), and one longer
            ** is cut: the value is compared and copied over the kind's width */
            const std::string full = want == Family::Date   ? "0001-01-01"
                                     : want == Family::Time ? "00:00:00"
                                                            : "0001-01-01 00:00:00.000000000";
            const std::string written = v.node->valueText != nullptr ? v.node->valueText : "";
            const std::string text = written.size() >= full.size() ? written.substr(0, full.size())
                                                                    : written + full.substr(written.size());
            v.node->valueText = b.Store().keepText(text);
            v.node->value = static_cast<uint32_t>(text.size());
            v.node->maxLength = static_cast<int32_t>(text.size());
        }
        v.instruction = b.Instruction(opcode, v.node, 1);
        return v;
    }
    if (family == Family::Boolean) {
        if (want != Family::Boolean || o.chType != 'Y')
            throw Unsupported("the operand " + nameOf(o) + " where a value of another kind is wanted");
        /* a boolean field read through its structure */
        v.instruction = b.Instruction(op::kPushBooleanAsBoolean, v.node, 1);
        return v;
    }
    if (want == Family::Number || want == Family::Boolean)
        throw Unsupported("the operand " + nameOf(o) + " where a value of another kind is wanted");
    if (cls == "SV")
        b.Instruction(op::kEvaluateSystemVariable, v.node, 0);
    uint32_t opcode = 0;
    switch (family) {
    case Family::Alpha: opcode = forAssignment ? op::kPushAlphaAsString : op::kPushAlphaAsAlpha; break;
    /* a short character field is read through its own structure */
    case Family::VarChar: opcode = o.chType == 'U' ? op::kPushShortCharAsString : op::kPushStringAsString; break;
    case Family::Lob: opcode = o.chType == '3' ? op::kPushClobAsString : op::kPushBlobAsString; break;
    case Family::Binary: opcode = op::kPushBinaryAsBinary; break;
    case Family::Date: opcode = op::kPushDateAsDate; break;
    case Family::Time: opcode = op::kPushTimeAsTime; break;
    case Family::DateTime: opcode = op::kPushDateTimeAsDateTime; break;
    default: throw Unsupported("the operand " + nameOf(o));
    }
    v.instruction = b.Instruction(opcode, v.node, 1);
    return v;
}

uint32_t SubjectIndex(Family family, op::ValueType numeric)
{
    switch (family) {
    case Family::Number: return numeric;
    case Family::Boolean: return op::kSubjectBoolean;
    case Family::Date: return op::kSubjectDate;
    case Family::Time: return op::kSubjectTime;
    case Family::DateTime: return op::kSubjectDateTime;
    case Family::Alpha:
    case Family::VarChar:
    case Family::Lob: return op::kSubjectString;
    default: throw Unsupported("a CASE subject of this kind");
    }
}

}  // namespace dqoo::compile
