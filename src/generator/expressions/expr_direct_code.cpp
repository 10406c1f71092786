/*
** expr_direct_code.cpp: the body of one direct-code variant: the work
** variable declarations of its operations, the field pointers and numeric
** work variables of field operands, and the statements in stored order.
*/
#include "generator/expressions/expr_direct_code.h"

#include <cctype>
#include <cstring>
#include <deque>
#include <utility>

#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"

/* The entries of the variants written one after the other; a variant
** written while another is (none is now) gets a pool of its own. */
struct ExprCode::KnownNodes::Pool {
    std::deque<Known> entries;
    /* the entries used by this variant */
    size_t used = 0;
    /* An open table of this variant's nodes: a slot is taken when its stamp
    ** is the variant's, so a new variant starts with every slot free. */
    struct Slot {
        const EXPR_OPERAND_NODE* node = nullptr;
        Known* known = nullptr;
        uint32_t stamp = 0;
    };
    std::vector<Slot> slots;
    size_t mask = 0; /* the slots' count less one (a power of two) */
    uint32_t stamp = 0;
    std::string line, formatted;
    bool busy = false;

    size_t SlotOf(const EXPR_OPERAND_NODE* node) const
    {
        const auto key = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(node));
        return static_cast<size_t>((key >> 4) * 0x9E3779B97F4A7C15ull >> 40) & mask;
    }
    void Start()
    {
        used = 0;
        if (slots.empty()) {
            slots.resize(64);
            mask = slots.size() - 1;
        }
        if (++stamp == 0) {
            /* the stamps came round: every slot is made free again */
            for (Slot& slot : slots)
                slot.stamp = 0;
            stamp = 1;
        }
    }
    /* The slot of `node`, or the free slot where it goes. */
    size_t Probe(const EXPR_OPERAND_NODE* node) const
    {
        size_t at = SlotOf(node);
        while (slots[at].stamp == stamp && slots[at].node != node)
            at = (at + 1) & mask;
        return at;
    }
    void Grow()
    {
        std::vector<Slot> old(2 * slots.size());
        old.swap(slots);
        mask = slots.size() - 1;
        for (const Slot& slot : old)
            if (slot.stamp == stamp)
                slots[Probe(slot.node)] = slot;
    }
};

size_t EXPR_ulWriteDigits(char* text, int64_t value)
{
    /* the numbers of operands, routines and lengths are nearly all small */
    if (static_cast<uint64_t>(value) < 10000) {
        auto v = static_cast<uint32_t>(value);
        const size_t size = v < 10 ? 1 : v < 100 ? 2 : v < 1000 ? 3 : 4;
        for (size_t i = size; i-- > 0; v /= 10)
            text[i] = static_cast<char>('0' + v % 10);
        return size;
    }
    return static_cast<size_t>(std::to_chars(text, text + 24, value).ptr - text);
}

namespace {

ExprCode::KnownNodes::Pool& sharedPool()
{
    static ExprCode::KnownNodes::Pool pool;
    return pool;
}

}  // namespace

ExprCode::KnownNodes::KnownNodes()
{
    Pool& shared = sharedPool();
    owned_ = shared.busy;
    pool_ = owned_ ? new Pool : &shared;
    pool_->busy = true;
    pool_->Start();
}

ExprCode::KnownNodes::~KnownNodes()
{
    if (owned_)
        delete pool_;
    else
        pool_->busy = false;
}

std::string& ExprCode::KnownNodes::LineBuffer()
{
    return pool_->line;
}

std::string& ExprCode::KnownNodes::FormatBuffer()
{
    return pool_->formatted;
}

namespace {

/* A node met for the first time in the variant: an entry with nothing known,
** put into the slot `at` that Probe found free (apart from the hot path of
** the lookups, which then keeps no registers of its own). */
[[gnu::noinline]] ExprCode::Known& addKnown(ExprCode::KnownNodes::Pool& p, const EXPR_OPERAND_NODE* node, size_t at)
{
    /* at most half the slots are taken */
    if (2 * (p.used + 1) > p.slots.size()) {
        p.Grow();
        at = p.Probe(node);
    }
    const size_t n = p.used++;
    if (p.entries.size() <= n)
        p.entries.emplace_back();
    ExprCode::Known& k = p.entries[n];
    k.node = node;
    k.viewed = false;
    k.valued = false;
    k.nullTested = false;
    k.lengthKnown = false;
    k.strategyOf = nullptr;
    p.slots[at] = ExprCode::KnownNodes::Pool::Slot{node, &k, p.stamp};
    return k;
}

}  // namespace

ExprCode::Known& ExprCode::KnownNodes::Find(const EXPR_OPERAND_NODE* node)
{
    Pool& p = *pool_;
    const size_t at = p.Probe(node);
    if (p.slots[at].stamp == p.stamp)
        return *p.slots[at].known;
    return addKnown(p, node, at);
}

namespace {


bool needsWork(ExprCode& c, const ExprFieldView& f)
{
    return f.field && (f.pointerVariable || f.d.record || f.numericWork() || (c.iSeries() && f.d.typeLetter == 'S'));
}

/* The declarations an operation's opcode asks for when its result node is
** declared (or, for the subject loads, its first operand). */
void declareOperationVariables(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT& op)
{
    const uint32_t opcode = op.operation->opcode;
    const ExprOpTraits& t = EXPR_OpTraits(opcode);
    /* most opcodes declare nothing of their own: the work number is found
       only for those that do */
    if (node == op.result && (t.kind == ExprOpKind::Compare || opcode == EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL ||
                              opcode == EXPR_OP_STRING_CUR_SIZE)) {
        const int32_t n = c.Number(op.operation);
        const ExprDigits digits(n);
        if (t.kind == ExprOpKind::Compare && t.value == ExprValue::Double && !c.iSeries())
            c.Put({"X_DOUBLE dDifference", digits, ";"});
        if (opcode == EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL) {
            EXPR_OPERAND_NODE* operand = op.operation->operand;
            /* the work variable is read as decOperand in both variants */
            if (c.iSeries())
                c.Line(EXPR_FormatInto(c.formatted, "decimal(%d,%d) decOperand%d;", EXPR_lOperandLength(operand),
                                       EXPR_lOperandScale(operand), n));
            else
                c.Put({"X_DOUBLE decOperand", digits, ";"});
        }
        if (t.kind == ExprOpKind::Compare && t.value == ExprValue::String) {
            const std::string& t1 = EXPR_OperandLengthText(c, op.left);
            const std::string& t2 = EXPR_OperandLengthText(c, op.right);
            const std::string& longer = EXPR_lOperandLength(op.left) > EXPR_lOperandLength(op.right) ? t1 : t2;
            switch (EXPR_StringCompareStrategy(c, op)) {
            case 2: c.Put({"X_INT iCompare", digits, ";"}); break;
            case 3: c.Put({"X_CHAR chObject", digits, "[", t1.c_str(), "];"}); break;
            case 4: c.Put({"X_CHAR chSubject", digits, "[", t2.c_str(), "];"}); break;
            case 5:
                c.Put({"X_CHAR chObject", digits, "[", longer.c_str(), "];"});
                c.Put({"X_CHAR chSubject", digits, "[", longer.c_str(), "];"});
                break;
            default: break;
            }
        }
        if (opcode == EXPR_OP_STRING_CUR_SIZE) {
            const int16_t cls = EXPR_sOperandStringClass(c.gen.Fields(), op.left);
            if (cls == 5 || cls == 7)
                c.Put({"X_FLD_CHAR fldChar", digits, " = { X_FLDDATA_V1, 0, X_MAX_SIZE_ALPHA_LEN, NULL };"});
            c.Put({"X_ULONG ulCurSize", digits, ";"});
        }
    }
    if (t.kind != ExprOpKind::SubjectLoad || node != op.left || c.routine.kind != EXPR_ROUTINE_BOOLEAN_SUBJECT)
        return;
    const int32_t scale = EXPR_lOperandScale(op.left);
    const bool s = c.iSeries();
    switch (t.value) {
    case ExprValue::Long: c.Line(s ? "decimal(31,0) decValue;" : "X_LONG lValue;"); break;
    case ExprValue::LongLong: c.Line(s ? "decimal(31,0) decValue;" : "X_LONGLONG llValue;"); break;
    case ExprValue::Double: c.Line(s ? EXPR_Format("decimal(31,%d) decValue;", scale) : "X_DOUBLE dValue;"); break;
    case ExprValue::Packed31:
    case ExprValue::Packed63:
    case ExprValue::Decimal:
        if (s)
            c.Line(EXPR_FormatInto(c.formatted, 
                EXPR_lOperandLength(op.left) < 32 ? "decimal(31,%d) decValue;" : "decimal(63,%d) decValue;", scale));
        break;
    case ExprValue::Int32: c.Line("X_INT32 iInt32Value;"); break;
    case ExprValue::Int64: c.Line("X_INT64 iInt64Value;"); break;
    case ExprValue::Float64: c.Line("X_FLT64 dFlt64Value;"); break;
    case ExprValue::Boolean: c.Line("X_BOOL bBooleanValue;"); break;
    case ExprValue::Date: c.Line("X_VCHAR chDateValue[X_MAX_SIZE_DATE_LEN];"); break;
    case ExprValue::Time: c.Line("X_VCHAR chTimeValue[X_MAX_SIZE_TIME_LEN];"); break;
    case ExprValue::DateTime: c.Line("X_VCHAR chDateTimeValue[X_MAX_SIZE_DATETIME_LEN];"); break;
    case ExprValue::String: {
        const int16_t cls = EXPR_sOperandStringClass(c.gen.Fields(), op.left);
        if (cls >= 4 && cls <= 7)
            c.Line("X_PDICTIONARY_FIELD  pAlphaValue;");
        else if (cls == 8 || cls == 11)
            c.Line("PX_FLD_CHAR  pCharValue;");
        else if (cls == 9)
            c.Line("PX_FLD_SHORT_CHAR  pShortCharValue;");
        else
            c.Line("X_PVCHAR pvchVarCharValue;");
        break;
    }
    default: break;
    }
    if (!EXPR_BuildSqlNullTestText(c, op.left, &op).empty())
        c.Line("X_ULONG ulSubjectState;");
}

/* The work variable of an intermediate result, by its opcode; false when
** the opcode declares none. */
bool declareResultVariable(ExprCode& c, EXPR_OPERAND_NODE* node)
{
    const uint32_t opcode = node->opcode;
    const ExprOpTraits& t = EXPR_OpTraits(opcode);
    const int32_t n = c.Number(node);
    const ExprDigits digits(n);
    /* "<type> <name><n><rest>": the declaration put together in Put's buffer */
    auto declare = [&c, &digits](std::string_view declaration, std::string_view rest = ";") {
        c.Put({declaration, digits, rest});
    };
    /* NOT, OR and AND results are read as bOperand<n> as well. */
    if (EXPR_fHasBooleanResult(opcode)) {
        declare(c.cs() ? "bool bOperand" : "X_BOOL bOperand");
        return true;
    }
    if (t.kind == ExprOpKind::Arithmetic || t.kind == ExprOpKind::Round) {
        /* the iSeries variant declares a decimal of the result's size */
        if (c.iSeries() &&
            (t.value == ExprValue::Long || t.value == ExprValue::LongLong || t.value == ExprValue::Double ||
             t.value == ExprValue::Packed31 || t.value == ExprValue::Packed63 || t.value == ExprValue::Decimal)) {
            c.Line(EXPR_FormatInto(c.formatted, "decimal(%d,%d) decOperand%d;", EXPR_lOperandLength(node), EXPR_lOperandScale(node), n));
            return true;
        }
        switch (t.value) {
        case ExprValue::Long: declare("X_LONG lOperand"); return true;
        case ExprValue::LongLong: declare("X_LONGLONG llOperand"); return true;
        case ExprValue::Double:
        case ExprValue::Packed31:
        case ExprValue::Packed63:
        case ExprValue::Decimal: declare("X_DOUBLE dOperand"); return true;
        case ExprValue::Int32: declare("X_INT32 lOperand"); return true;
        case ExprValue::Int64: declare("X_INT64 llOperand"); return true;
        case ExprValue::Float64: declare("X_FLT64 dOperand"); return true;
        default: return false;
        }
    }
    /* the coercions end the value with its terminator: one byte beyond the
       value's length */
    switch (opcode) {
    case EXPR_OP_COERCE_DATE_TO_DATETIME:
    case EXPR_OP_COERCE_TIME_TO_DATETIME: declare("X_VCHAR vchDateTime", "[X_MAX_SIZE_DATETIME_LEN + 1];"); return true;
    case EXPR_OP_COERCE_DATETIME_TO_DATE: declare("X_VCHAR vchDate", "[X_MAX_SIZE_DATE_LEN + 1];"); return true;
    case EXPR_OP_COERCE_DATETIME_TO_TIME: declare("X_VCHAR vchTime", "[X_MAX_SIZE_TIME_LEN + 1];"); return true;
    default: return EXPR_fIsWhenOpcode(opcode) || opcode == EXPR_OP_PUSH_DISPATCH_GET_AS_SQLNULL;
    }
}

}  // namespace

std::string EXPR_CsLine(std::string_view text)
{
    static const std::pair<const char*, const char*> kTypes[] = {
        {"X_LONGLONG", "long"}, {"X_LONG", "int"},     {"X_ULONG", "uint"},  {"X_DOUBLE", "double"},
        {"X_INT64", "long"},    {"X_INT32", "int"},    {"X_INT16", "short"}, {"X_INT8", "sbyte"},
        {"X_UINT8", "byte"},    {"X_FLT64", "double"}, {"X_FLT32", "float"}, {"X_SHORT", "short"},
        {"X_BOOL", "bool"},     {"X_CHAR", "char"},    {"X_INT", "int"}};
    std::string line(text);
    /* "<type> <name>;" */
    for (const auto& [c, csharp] : kTypes) {
        const std::string prefix = std::string(c) + " ";
        if (line.rfind(prefix, 0) == 0 && line.size() > prefix.size() + 1 && line.back() == ';' &&
            line.find_first_of(" =()[", prefix.size()) == std::string::npos) {
            const std::string name = line.substr(prefix.size(), line.size() - prefix.size() - 1);
            return std::string(csharp) + " " + name + (std::string(csharp) == "bool" ? " = false;" : " = 0;");
        }
    }
    auto replaceAll = [&](const std::string& from, const std::string& to) {
        for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
            line.replace(at, from.size(), to);
    };
    for (const auto& [c, csharp] : kTypes) {
        replaceAll("((" + std::string(c) + ")(", "((" + std::string(csharp) + ")(");
        replaceAll("((" + std::string(c) + ") ", "((" + std::string(csharp) + ") ");
    }
    auto isName = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
    /* TRUE and FALSE as words, outside string literals */
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"' && (i == 0 || line[i - 1] != '\\'))
            quoted = !quoted;
        if (quoted)
            continue;
        for (const auto& [word, value] : {std::pair<const char*, const char*>{"TRUE", "true"}, {"FALSE", "false"}}) {
            const size_t n = std::strlen(word);
            if (line.compare(i, n, word) == 0 && (i == 0 || !isName(line[i - 1])) &&
                (i + n >= line.size() || !isName(line[i + n]))) {
                line.replace(i, n, value);
                break;
            }
        }
    }
    if (line.rfind("X_Vec_", 0) == 0)
        line = "X_RUN_DLL." + line;
    /* the varying-length routines belong to the evaluator's class */
    if (line.rfind("X_VAR_", 0) == 0 && line.rfind("X_VAR_DLL.", 0) != 0)
        line = "X_VAR_DLL." + line;
    /* a field structure is an object: C's pointer to it is the object itself */
    for (const char* kind : {"X_FLD_CHAR", "X_FLD_NCHAR", "X_FLD_BINARY", "X_FLD_SHORT_CHAR"}) {
        replaceAll("((" + std::string(kind) + " *)", "((" + std::string(kind) + ")");
        replaceAll("((" + std::string(kind) + "*)", "((" + std::string(kind) + ")");
    }
    if (line.rfind("X_CPYBYTES(", 0) == 0)
        line = "DqooDef." + line;
    /* a default date and time put together: C joins the adjacent literals,
       C# adds the strings */
    replaceAll("X_DEFAULT_DATE \" \" X_DEFAULT_TIME \".000000000\"",
               "X_DEFAULT_DATE + \" \" + X_DEFAULT_TIME + \".000000000\"");
    replaceAll("\" \" X_DEFAULT_TIME \".000000000\"", "\" \" + X_DEFAULT_TIME + \".000000000\"");
    /* the run time's constants belong to its definitions class; the field
       state flags to their enumeration */
    /* a name found as a whole word (not already qualified) gets its prefix;
       lines without the name are only searched */
    auto qualify = [&](std::string_view name, std::string_view prefix) {
        for (size_t at = line.find(name); at != std::string::npos; at = line.find(name, at + 1)) {
            const size_t end = at + name.size();
            if ((at > 0 && (isName(line[at - 1]) || line[at - 1] == '.')) || (end < line.size() && isName(line[end])))
                continue;
            line.insert(at, prefix);
            at += prefix.size();
        }
    };
    for (const char* name : {"X_DEFAULT_DATE", "X_DEFAULT_TIME", "X_MAX_SIZE_DATE_LEN", "X_MAX_SIZE_TIME_LEN",
                             "X_MAX_SIZE_DATETIME_LEN", "X_VAR_COMPARE_MASK_LESS", "X_VAR_COMPARE_MASK_EQUAL",
                             "X_VAR_COMPARE_MASK_GREATER"})
        qualify(name, "DqooDef.");
    /* a state word is unsigned */
    replaceAll("? FsIsSqlNull :", "? (uint)XFIELDSTATE.FsIsSqlNull :");
    qualify("FsIsSqlNull", "(int)XFIELDSTATE.");
    /* the run-time block is an object */
    replaceAll("pX_Ids->", "pX_Ids.");
    return line;
}

bool& EXPR_DeclaredSqlNullResult()
{
    static bool declared = false;
    return declared;
}

const char* EXPR_NumericWorkPrefix(uint32_t opcode, const EXPR_OPERAND_DESCRIPTOR& d)
{
    const ExprOpTraits& t = EXPR_OpTraits(opcode);
    if (t.kind == ExprOpKind::VectorPush || t.kind == ExprOpKind::Pull) {
        switch (t.value) {
        case ExprValue::Long:
        case ExprValue::Int32: return "lOperand";
        case ExprValue::LongLong:
        case ExprValue::Int64: return "llOperand";
        case ExprValue::Double:
        case ExprValue::Float64: return "dOperand";
        default: break;
        }
    }
    if (d.decimals != 0)
        return "dOperand";
    return d.length <= 9 ? "lOperand" : "llOperand";
}

void EXPR_WriteOperationDeclarations(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT& op)
{
    /* the opcode's own variables come with its result (or a subject load's operand) */
    if (op.operation != nullptr && op.kind == EXPR_STATEMENT_OPERATION && (node == op.result || node == op.left))
        declareOperationVariables(c, node, op);
    if (node == nullptr)
        return;
    if (EXPR_IsInstruction(node) && op.kind == EXPR_STATEMENT_OPERATION && node == op.result &&
        declareResultVariable(c, node))
        return;
    const ExprFieldView& f = EXPR_ViewField(c, node);
    if (needsWork(c, f))
        EXPR_WriteFieldPointerDeclarations(c, node, f);
}

void EXPR_WriteSqlNullDeclarations(ExprCode& c, const EXPR_STATEMENT& op)
{
    const bool tracks = op.operation != nullptr && (op.operation->instructionFlags & EXPR_INSTR_FLAG_SQLNULL) != 0;
    bool& declared = EXPR_DeclaredSqlNullResult();
    if (op.result == nullptr) {
        if (tracks && !declared) {
            c.Line("X_BOOL bSqlnullResult;");
            declared = true;
        }
        return;
    }
    const ExprFieldView& f = EXPR_ViewField(c, op.result);
    if (!f.field) {
        if (EXPR_IsInstruction(op.result) && (op.result->instructionFlags & EXPR_INSTR_FLAG_SQLNULL) != 0)
            c.Put({"X_BOOL bSqlnull", ExprDigits(c.Number(op.result)), ";"});
        return;
    }
    if (tracks && !declared) {
        const uint32_t opcode = op.operation->opcode;
        c.Line(opcode == EXPR_OP_LOGICAL_END_ORIF || opcode == EXPR_OP_LOGICAL_END_ANDIF
                   ? "X_BOOL bSqlnullResult = FALSE;"
                   : "X_BOOL bSqlnullResult;");
        declared = true;
    }
}

void EXPR_WriteFieldPointerDeclarations(ExprCode& c, EXPR_OPERAND_NODE* instruction, const ExprFieldView& f, bool read)
{
    if (!EXPR_IsInstruction(instruction) || !f.field)
        return;
    const int32_t n = f.n;
    if (f.pointerVariable) {
        const ExprDigits digits(n);
        if (f.full())
            c.Put({"X_FLD_INFO* pFldInfo", digits, ";"});
        else
            c.Put({"X_PDICTIONARY_FIELD pField", digits, ";"},
                  {"X_PDICTIONARY_FIELD pField", digits, " = new X_PDICTIONARY_FIELD();"});
    } else if (f.d.record) {
        const ExprDigits digits(n);
        c.Line("X_FLD_RECORD");
        c.Put({"   *pRecord", digits, " = ((X_FLD_RECORD*)( ", f.table().c_str(), "[", f.d.recordName.c_str(),
               "].pField ));"});
        if (f.full()) {
            c.Line("X_FLD_INFO");
            c.Put({"   *pFldInfo", digits, " = ((X_FLD_INFO*)( ((X_PDICTIONARY_FIELD)( pRecord", digits,
                   "->pDataRecord )) + pRecord", digits, "->pDescription->pOffsetTable[ ", f.index().c_str(),
                   " ] ));"});
        } else {
            c.Line("X_PDICTIONARY_FIELD");
            c.Put({"   pField", digits, " = ( ((X_PDICTIONARY_FIELD)( pRecord", digits, "->pDataRecord )) + pRecord",
                   digits, "->pDescription->pOffsetTable[ ", f.index().c_str(), " ] );"});
        }
    }
    if (c.iSeries() && f.d.typeLetter == 'S') {
        c.Put({"decimal(", ExprDigits(f.d.length), ",", ExprDigits(f.d.decimals), ") decOperand", ExprDigits(n), ";"});
        return;
    }
    if (!read || !f.numericWork())
        return;
    const std::string prefix = EXPR_NumericWorkPrefix(instruction->opcode, f.d);
    const char* type = prefix == "lOperand" ? "X_LONG" : prefix == "llOperand" ? "X_LONGLONG" : "X_DOUBLE";
    c.Put({type, " ", prefix, ExprDigits(n), ";"});
}

void EXPR_WriteFieldPointerSetup(ExprCode& c, const ExprFieldView& f, EXPR_OPERAND_NODE* instruction,
                                 const EXPR_STATEMENT* operation)
{
    if (!EXPR_IsInstruction(instruction) || !f.field)
        return;
    if (f.d.node != nullptr && f.d.node->kind == EXPR_NODE_SYSTEM_VARIABLE && f.d.systemClass == 'D' &&
        f.d.systemFlag == 'Y')
        c.Put({"X_Vec_Set_from_SysVar( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), ", \"",
               f.d.systemVariable, "\" );"});
    if (f.pointerVariable) {
        const ExprDigits digits(f.n);
        if (f.full())
            c.Put({"pFldInfo", digits, " = ((X_FLD_INFO*)( X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, ", f.table(),
                   ", ", f.index(), " ) ));"});
        else
            c.Put({"pField", digits, " = ((X_PDICTIONARY_FIELD)( X_Vec_Apply_Index( pX_Ids, pX_Pro, pX_Fun, ",
                   f.table(), ", ", f.index(), " ) ));"});
    }
    if (EXPR_fIsResultOf(operation, instruction) || f.d.target)
        return;
    if (c.iSeries() && f.d.typeLetter == 'S') {
        /* the decimals and the length in two hexadecimal digits each */
        char decimalsText[8], lengthText[8];
        const std::string_view decimals = EXPR_HexAtLeastTwo(decimalsText, static_cast<uint32_t>(f.d.decimals));
        const std::string_view length = EXPR_HexAtLeastTwo(lengthText, static_cast<uint32_t>(f.d.length));
        c.Put({"_CPYNV( 0x03", decimals, length, "00, ((char*)( &decOperand", ExprDigits(f.n), " )), 0x02", decimals,
               length, "00, ((X_CHAR*)( ", EXPR_BuildFieldAccessText(c, f).c_str(), " )) );"});
        return;
    }
    if (!f.numericWork())
        return;
    const std::string prefix = EXPR_NumericWorkPrefix(instruction->opcode, f.d);
    const char* read = prefix == "lOperand" ? "Long" : prefix == "llOperand" ? "LongLong" : "Double";
    /* C# passes the work variable by reference; "&" does not compile there */
    const ExprDigits digits(f.n);
    c.Put(
        {"X_Vec_Get_as_", read, "( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), ", &", prefix, digits, " );"},
        {"X_RUN_DLL.X_Vec_Get_as_", read, "( pX_Ids, pX_Pro, pX_Fun, ", f.table(), ", ", f.index(), ", ref ", prefix,
         digits, " );"});
}

namespace {

void declareVariant(ExprCode& c)
{
    for (uint32_t i = 0; i < c.variant.statementCount; ++i) {
        const EXPR_STATEMENT* s = c.variant.statements[i];
        if (s == nullptr || s->kind != EXPR_STATEMENT_OPERATION || s->operation == nullptr)
            continue;
        const uint32_t opcode = s->operation->opcode;
        if (opcode == EXPR_OP_LOGICAL_BEGIN_ORIF || opcode == EXPR_OP_LOGICAL_BEGIN_ANDIF) {
            EXPR_WriteOperationDeclarations(c, s->result, *s);
            EXPR_WriteSqlNullDeclarations(c, *s);
            continue;
        }
        if (opcode == EXPR_OP_LOGICAL_END_ORIF || opcode == EXPR_OP_LOGICAL_END_ANDIF) {
            if (s->result == s->left)
                continue;
            EXPR_WriteOperationDeclarations(c, s->left, *s);
            EXPR_WriteSqlNullDeclarations(c, *s);
            continue;
        }
        /* the opcode, the dearest test, is looked at last */
        if (s->result == nullptr && c.routine.kind == EXPR_ROUTINE_COMMAND && EXPR_fIsNullTest(opcode))
            c.Line("X_BOOL bResult;");
        EXPR_WriteOperationDeclarations(c, s->left, *s);
        EXPR_WriteOperationDeclarations(c, s->right, *s);
        EXPR_WriteOperationDeclarations(c, s->result, *s);
        EXPR_WriteSqlNullDeclarations(c, *s);
    }
}

const char* rememberFormat(int32_t kind)
{
    switch (kind) {
    case EXPR_STATEMENT_REMEMBER_USER: return "X_REMEMBER_FORMAT_USER_FUNCTION";
    case EXPR_STATEMENT_REMEMBER_SYSTEM: return "X_REMEMBER_FORMAT_SYSTEM";
    case EXPR_STATEMENT_REMEMBER_FUNCTION: return "X_REMEMBER_FORMAT_FUNCTION";
    default: return "X_REMEMBER_FORMAT_USER_SYSTEM";
    }
}

void writeStatement(ExprCode& c, const EXPR_STATEMENT& s, bool several)
{
    const bool wrap = several && (s.kind == EXPR_STATEMENT_SPECIAL_STORE || s.kind == EXPR_STATEMENT_ASSIGNMENT ||
                                  s.kind == EXPR_STATEMENT_IDENTICAL_MOVE);
    if (wrap)
        c.Open();
    switch (s.kind) {
    case EXPR_STATEMENT_SPECIAL_STORE: EXPR_WriteSpecialValueStore(c, s); break;
    case EXPR_STATEMENT_OPERATION: EXPR_WriteOperation(c, s); break;
    case EXPR_STATEMENT_ASSIGNMENT: EXPR_WriteAssignment(c, s); break;
    case EXPR_STATEMENT_IDENTICAL_MOVE: EXPR_WriteIdenticalFieldMove(c, s); break;
    case EXPR_STATEMENT_REMEMBER_USER:
    case EXPR_STATEMENT_REMEMBER_SYSTEM:
    case EXPR_STATEMENT_REMEMBER_FUNCTION:
    case EXPR_STATEMENT_REMEMBER_USER_SYSTEM: {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(c.gen.Fields(), d, s.field);
        const std::string call = "X_Set_Remembered_Value( pX_Ids, pX_Pro, pX_Fun, " + d.base + ", " + d.text + ", ";
        c.Put({call, rememberFormat(s.kind), " );"}, {"X_RUN_DLL.", call, "X_DEFS.", rememberFormat(s.kind), " );"});
        break;
    }
    default: c.Line(EXPR_FormatInto(c.formatted, "Unknown kind %ld", static_cast<long>(s.kind))); break;
    }
    if (wrap)
        c.Close();
}

}  // namespace

void EXPR_WriteDirectExpressionCode(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                                    EXPR_VARIANT& variant, uint32_t stream, uint16_t indent)
{
    ExprCode c{gen, routine, expression, variant, stream, indent};
    EXPR_DeclaredSqlNullResult() = false;
    declareVariant(c);
    const bool several = variant.statementCount >= 2;
    for (uint32_t i = 0; i < variant.statementCount; ++i)
        if (variant.statements[i] != nullptr)
            writeStatement(c, *variant.statements[i], several);
}
