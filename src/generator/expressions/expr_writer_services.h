/*
** expr_writer_services.h: what the evaluation routine writers need of the
** generator core beyond the line sink of the instruction table writer.
**
** The routine writers set the current stream and indent (the frame at
** column 0, the body at 3), move the nesting level in steps of 3, switch the
** line writer's macro continuation, name string constants, read the function's SQL-null assignment mode and the run's
*third
** name character, and issue generation messages. The core implements it in
** expr_core_services.cpp; tests capture the lines.
**
** The object layer's enumerations call their callbacks without a writer
** argument, so the writer of the running enumeration is module state:
** ExprWriterScope makes a writer current for the length of a scope.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_WRITER_SERVICES_H
#define GENERATOR_EXPRESSIONS_EXPR_WRITER_SERVICES_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/expressions/expr_generator_services.h"
#include "runcontrol/message_table.h"

/* The deepest nesting level whose indent still moves. */
inline constexpr int16_t EXPR_INDENT_DEPTH_LIMIT = 13;

class ExprWriterServices : public ExprGeneratorServices {
public:
    /* GEN_OUTPUT_STATE. */
    virtual void SetOutputStream(uint32_t stream) = 0;
    virtual void SetOutputIndent(uint16_t indent) = 0;
    virtual int16_t OutputDepth() const = 0;
    virtual void SetOutputDepth(int16_t depth) = 0;
    /* GEN_HEADER_STREAM, and the C source (the C# class source in the C# pass). */
    virtual uint32_t HeaderStream() const = 0;
    virtual uint32_t SourceStream() const = 0;
    /* GEN_MACRO_CONTINUATION. */
    virtual void SetMacroContinuation(bool on) = 0;
    /* How generated code names a string constant: its C text and its C#
    ** text (where the text-literal reference and declared name stand). The
    ** form of the language not being written may be left empty. */
    virtual void StringConstant(std::string_view text, std::string& reference, std::string& declared) = 0;
    /* CGEN_SetTextLiteralPrefix. */
    virtual void SetTextLiteralPrefix(std::string_view namePart) = 0;
    /* The function's SQL-null assignment mode: 'S' strict. */
    virtual char SqlNullAssignMode() const = 0;
    /* The run's third name character ('$' by default, as in IO$STS). */
    virtual char NameCharacter3() const = 0;
    /* A generation message with the current command's context. */
    virtual void IssueMessage(char severity, std::string_view id, std::string_view data) = 0;
    /* The same, by the message's name, with the severity of the message table. */
    void Issue(dqov::Msg msg, std::string_view data) { IssueMessage(dqov::MsgSeverity(msg), dqov::MsgId(msg), data); }
    /* DQOO_FCC_FatalError: a failed object-layer call; does not return in a
    ** real run. */
    virtual void ObjectLayerFailure(std::string_view service, long code) = 0;
    /* After the named field was set, the load of the last I/O status when it
    ** is the I/O status field, at the stream and indent given: the line of
    ** EXPR_IoStatusLoadLine through WriteLine, with the flag raised. The
    ** emitters write the same load after their own assignments through it. */
    virtual void LoadIoStatusFromField(std::string_view fieldName, uint32_t stream, uint16_t indent);

    /* One nesting level in or out (EXPR_IndentIn and EXPR_IndentOut). */
    void IndentIn();
    void IndentOut();
    /* A line at a given stream and indent, or at column 0 of the current stream. */
    void LineAt(uint32_t stream, uint16_t indent, std::string_view text) { WriteLine(stream, indent, text); }
    void Column0(std::string_view text) { WriteAtColumn0(text); }
    bool CSharp() const { return TargetLanguage() == EXPR_TARGET_CSHARP; }

    /* The WHEN operand stack of a CASE in C#: whether one is declared in a
    ** block around the CASE being written (a CASE inside a branch of
    ** another, whose WHEN tests are done by then, takes it anew: C# lets no
    ** block declare a name a block around it declares), and whether the
    ** CASE's evaluation wrote one. */
    bool whenStackDeclared = false;
    bool whenStackWritten = false;
};

/* The load of the last I/O status from the field just set, in the target
** language (C, or C# when csharp), when the field is the I/O status field
** (IO, the run's third name character, STS); otherwise an empty text. */
std::string EXPR_IoStatusLoadLine(std::string_view fieldName, char nameCharacter3, bool csharp);

/* The writer of the running enumeration; null outside one. */
ExprWriterServices* EXPR_CurrentWriter();
/* A number that every ExprWriterScope made changes: what a writer learns
** during one enumeration holds while the number stays the same. */
uint64_t EXPR_WriterScopeSerial();

class ExprWriterScope {
public:
    explicit ExprWriterScope(ExprWriterServices& writer);
    ~ExprWriterScope();
    ExprWriterScope(const ExprWriterScope&) = delete;
    ExprWriterScope& operator=(const ExprWriterScope&) = delete;

private:
    ExprWriterServices* previous_;
};

#endif
