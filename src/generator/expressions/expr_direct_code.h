/*
** expr_direct_code.h: the direct code of one expression variant.
**
** A variant is a list of statements: special-value stores (kind 40),
** evaluation operations (60), assignments of a result to a field (61),
** moves between fields of identical layout (62) and remembered values
** (300-303). The writers here turn them into C, or C# when the target
** language is '#': first the declarations of every work variable, then the
** statements in stored order. Work variables carry the 1-based position of
** their instruction in the expression's p-code ("dOperand7"); a node that is
** not in the p-code is numbered 0.
**
** Whatever cannot be translated is written as text that does not compile at
** that very place ("Unknown kind 77", "?RetrieveSolutionFactor?", "???"),
** so the compiler of the generated program points at it; nothing is
** reported as a message.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_DIRECT_CODE_H
#define GENERATOR_EXPRESSIONS_EXPR_DIRECT_CODE_H

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "generator/expressions/expr_operand.h"
#include "generator/expressions/expr_writer_services.h"
#include "platform/dqoo/dqoo_pcode.h"

/* The body of one variant, at the given stream and indent. */
void EXPR_WriteDirectExpressionCode(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                                    EXPR_VARIANT& variant, uint32_t stream, uint16_t indent);

/* The body of one variant where the routine writers write it: from the
** lines kept while its header macro was written when there are any (they
** are then dropped), else built, and kept while keeping is on. */
void EXPR_WriteVariantCode(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                           EXPR_VARIANT& variant, uint32_t stream, uint16_t indent);
/* Keeping on drops what was kept and keeps the variants written from then
** on for the writer's target language; off keeps what is kept. */
void EXPR_KeepDirectCode(ExprWriterServices& gen, bool keep);

/* The C# form of a line of direct code written in its C form: a work
** variable declared with a C type ("X_LONG lOperand3;") is declared with
** the C# type of the same width and zero ("int lOperand3 = 0;", since C#
** passes it by reference only once assigned), a C cast to such a type
** becomes the C# cast, TRUE and FALSE are true and false, a vector
** routine called bare is called through X_RUN_DLL, and a member of the
** run-time block pX_Ids is reached with ".". Other text is kept. */
std::string EXPR_CsLine(std::string_view text);

/* The lines of one variant's direct code in the C# pass, each with the step
** of its indent from the variant's own: false, and no lines, when a line is
** not C# (P3109_fCSharpText); the expression is then evaluated through its
** instruction table. */
struct ExprCsVariantLine {
    int32_t step;
    std::string text;
};
bool EXPR_fRecordCsVariant(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                           EXPR_VARIANT& variant, std::vector<ExprCsVariantLine>& lines);

/* Writes the decimal digits of a number (a minus first when negative) at
** `text`, which has room for 24 bytes; answers how many it wrote. Out of
** line, so that the many places that put a number in a line stay small. */
size_t EXPR_ulWriteDigits(char* text, int64_t value);

/* The decimal digits of a number, kept on the stack: a piece of a line
** that Put puts together, without a string of its own. */
class ExprDigits {
public:
    explicit ExprDigits(int64_t value) : size_(EXPR_ulWriteDigits(text_, value)) {}
    operator std::string_view() const { return {text_, size_}; }

private:
    char text_[24];
    size_t size_ = 0;
};

/* The field an instruction reads or writes, as the direct-code writers see
** it: `field` is false for anything but an instruction on a field operand
** (a When opcode, a subject load or a dispatch read of SQL null is none). */
struct ExprFieldView {
    bool field = false;
    EXPR_OPERAND_DESCRIPTOR d;
    int32_t n = 0;                /* the instruction's number */
    bool pointerVariable = false; /* a vector element read through pFldInfo<n> or pField<n> */

    const std::string& table() const { return d.base; }
    const std::string& index() const { return d.text; }
    bool vector() const { return d.array; }
    bool full() const { return d.converted; }
    bool numericWork() const { return d.packedOrSigned; }
};

/* What every writer of one variant shares: where it writes, and the
** routine, expression and variant it writes for. */
struct ExprCode {
    ExprWriterServices& gen;
    EXPR_ROUTINE& routine;
    EXPR_EXPRESSION& expression;
    EXPR_VARIANT& variant;
    uint32_t stream;
    uint16_t indent;
    /* the target language does not change while a variant is written */
    bool targetCs = gen.CSharp();
    /* What the writers of one variant learn of each node, kept while the
       variant is written: EXPR_ViewField's view of an instruction (the
       writers view each instruction several times, and its view does not
       change) and EXPR_BuildFactorValueText's text (an operand's value is
       read by the statements before it and by its own). The entries live in
       a pool that the variants take turns in, so that their strings keep
       their room from one variant to the next. */
    struct Known {
        const EXPR_OPERAND_NODE* node = nullptr;
        bool viewed = false;
        bool valued = false;
        ExprFieldView view;
        std::string value;
        /* EXPR_BuildSqlNullTestText's text (`nullTestOfField`: it tests the
           state of the field itself, which is no test where the node is the
           operation's own result) and EXPR_OperandLengthText's, put
           together the first time they are asked for: the statements read
           an operand's null test and length again and again. */
        bool nullTested = false;
        bool nullTestOfField = false;
        bool lengthKnown = false;
        std::string nullTest;
        std::string length;
        /* EXPR_StringCompareStrategy's answer for the comparison whose
           operation the node is (the declarations, the preparation and the
           condition of a comparison each ask for it) */
        const EXPR_STATEMENT* strategyOf = nullptr;
        int16_t strategy = 0;
    };
    class KnownNodes {
    public:
        KnownNodes();
        ~KnownNodes();
        KnownNodes(const KnownNodes&) = delete;
        KnownNodes& operator=(const KnownNodes&) = delete;
        /* The entry of `node`, made (with nothing known) when there is none;
           the writers ask for the same node several times in a row. */
        Known& Of(const EXPR_OPERAND_NODE* node)
        {
            if (last_ == nullptr || last_->node != node)
                last_ = &Find(node);
            return *last_;
        }
        /* Two text buffers of the pool: Put's line and the formatted line. */
        std::string& LineBuffer();
        std::string& FormatBuffer();
        struct Pool;

    private:
        Known& Find(const EXPR_OPERAND_NODE* node);
        Pool* pool_;
        bool owned_;
        Known* last_ = nullptr;
    } known{};
    std::string& line = known.LineBuffer();      /* Put's buffer */
    std::string& formatted = known.FormatBuffer(); /* a line of EXPR_FormatInto, written at once */

    bool iSeries() const { return variant.tag == EXPR_VARIANT_ISERIES; }
    bool cs() const { return targetCs; }
    /* C# lines pass through EXPR_CsLine. */
    void Line(std::string_view text) const
    {
        if (cs())
            gen.LineAt(stream, indent, EXPR_CsLine(text));
        else
            gen.LineAt(stream, indent, text);
    }
    /* A form with a C text and a C# text. */
    void Line(std::string_view c, std::string_view csharp) const { Line(cs() ? csharp : c); }
    /* A line put together from its pieces in one buffer that the variant's
       writers reuse, without a temporary string per piece. */
    void Put(std::initializer_list<std::string_view> pieces)
    {
        line.clear();
        for (const std::string_view piece : pieces)
            line.append(piece);
        Line(line);
    }
    /* A form with a C line and a C# line: only the target's is put together. */
    void Put(std::initializer_list<std::string_view> c, std::initializer_list<std::string_view> csharp)
    {
        Put(cs() ? csharp : c);
    }
    void In() { indent = static_cast<uint16_t>(indent + 3); }
    void Out() { indent = static_cast<uint16_t>(indent >= 3 ? indent - 3 : 0); }
    void Open()
    {
        Line("{");
        In();
    }
    void Close()
    {
        Out();
        Line("}");
    }
    int32_t Number(const EXPR_OPERAND_NODE* node) const;

    /* The positions Number found, by node in a small table of direct slots:
       the writers ask for the same few nodes' numbers again and again, and
       the p-code does not change while a variant is written. */
    struct NumberSlot {
        const EXPR_OPERAND_NODE* node = nullptr;
        int32_t number = 0;
    };
    mutable NumberSlot numbers_[32]{};
};
const ExprFieldView& EXPR_ViewField(ExprCode& c, EXPR_OPERAND_NODE* node);

/* True when `node` is the result of `operation`: the result slot of an
** evaluation operation, the target instruction of an assignment or move. */
bool EXPR_fIsResultOf(const EXPR_STATEMENT* operation, const EXPR_OPERAND_NODE* node);

/* ---- declarations and field pointers (direct code) ---------------------- */
void EXPR_WriteOperationDeclarations(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT& operation);
void EXPR_WriteSqlNullDeclarations(ExprCode& c, const EXPR_STATEMENT& operation);
/* `read` false: the field is only stored into, so the numeric work variable
** its value would be read into is not declared (it would be left unused). */
void EXPR_WriteFieldPointerDeclarations(ExprCode& c, EXPR_OPERAND_NODE* instruction, const ExprFieldView& f,
                                        bool read = true);
void EXPR_WriteFieldPointerSetup(ExprCode& c, const ExprFieldView& f, EXPR_OPERAND_NODE* instruction,
                                 const EXPR_STATEMENT* operation);
void EXPR_WriteSpecialValueStore(ExprCode& c, const EXPR_STATEMENT& statement);
void EXPR_WriteIdenticalFieldMove(ExprCode& c, const EXPR_STATEMENT& statement);
/* "lOperand", "llOperand" or "dOperand": the numeric work variable of a
** packed or signed field read or written by an instruction. */
const char* EXPR_NumericWorkPrefix(uint32_t opcode, const EXPR_OPERAND_DESCRIPTOR& d);
/* The declared-result flag of the variant being written. */
bool& EXPR_DeclaredSqlNullResult();

/* ---- value and compare texts --------------------------------------------- */
std::string EXPR_BuildFieldAccessText(ExprCode& c, const ExprFieldView& f);
std::string EXPR_BuildFieldPointerText(ExprCode& c, const ExprFieldView& f);
/* The text is kept by the variant's writers: it stays valid while the
** variant is written. */
const std::string& EXPR_BuildFactorValueText(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation);
/* The statements an operand needs before its value is read; the value's
** text is returned (kept like EXPR_BuildFactorValueText's). */
const std::string& EXPR_WriteCompareStatements(ExprCode& c, const EXPR_STATEMENT* operation, EXPR_OPERAND_NODE* node);
std::string EXPR_BuildCompareText(ExprCode& c, const EXPR_STATEMENT& operation, std::string_view op,
                                  std::string_view mask);
/* EXPR_sStringCompareStrategy of a comparison, kept for the variant. */
int16_t EXPR_StringCompareStrategy(ExprCode& c, const EXPR_STATEMENT& comparison);
/* The text is kept by the variant's writers, like EXPR_BuildFactorValueText's. */
const std::string& EXPR_BuildSqlNullTestText(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation);
void EXPR_WriteGetFieldDataDispatch(ExprCode& c, EXPR_OPERAND_NODE* node, const EXPR_STATEMENT* operation);
void EXPR_WriteVectorSet(ExprCode& c, const EXPR_STATEMENT& operation);
/* `value`, or its cast to a decimal put together in `cast` (and returned). */
const std::string& EXPR_BuildDecimalCastText(ExprCode& c, const EXPR_STATEMENT& operation, const std::string& value,
                                             std::string& cast);
bool EXPR_GetNativeTypeName(ExprCode& c, const EXPR_STATEMENT& operation, std::string& name);
std::string EXPR_BuildRoundingConstant(ExprCode& c, const EXPR_STATEMENT& operation);
/* "0." followed by `zeros` zeros and "5" (with "D" in the iSeries variant
** when asked). */
std::string EXPR_HalfUnit(int32_t zeros, bool decimalSuffix);
/* The length text of an operand: a field's "BYTE_LEN_" symbol, else its
** varchar length text (kept by the variant's writers). */
const std::string& EXPR_OperandLengthText(ExprCode& c, EXPR_OPERAND_NODE* node);

/* ---- assignments and field clearing --------------------------------------- */
void EXPR_WriteAssignment(ExprCode& c, const EXPR_STATEMENT& statement);
int EXPR_WriteFieldClear(ExprCode& c, EXPR_OPERAND_NODE* target, const ExprFieldView& f, int form);
void EXPR_WriteClearSqlNull(ExprCode& c, const ExprFieldView& f, EXPR_OPERAND_NODE* target, int flag);

/* ---- evaluation operations -------------------------------------------------- */
void EXPR_WriteOperation(ExprCode& c, const EXPR_STATEMENT& statement);
void EXPR_WriteSqlNullResultLogic(ExprCode& c, const EXPR_STATEMENT& statement, std::string& flagName);

#endif
