/*
** expr_generator_services.h: what the expression writers need of the
** generator core.
**
** The core owns the target language, the current output stream and indent,
** the line writer and the flag that makes it declare the last I/O status
** member. The expression writers reach all of them through this interface,
** read the target and the output state afresh for every line, and never
** change the indent.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_GENERATOR_SERVICES_H
#define GENERATOR_EXPRESSIONS_EXPR_GENERATOR_SERVICES_H

#include <cstdint>
#include <string_view>

#include "generator/expressions/expr_operand.h"

/* Target languages of GEN_TARGET_LANGUAGE. */
inline constexpr char EXPR_TARGET_C = 'C';
inline constexpr char EXPR_TARGET_CSHARP = '#';

class ExprGeneratorServices {
public:
    virtual ~ExprGeneratorServices() = default;

    /* GEN_TARGET_LANGUAGE: 'C' or '#'. */
    virtual char TargetLanguage() const = 0;
    /* GEN_OUTPUT_STATE: the current output stream and indent. */
    virtual uint32_t OutputStream() const = 0;
    virtual uint16_t OutputIndent() const = 0;
    /* P3109_WriteLine: one generated line, without its line end. The text is
    ** taken before the call returns. */
    virtual void WriteLine(uint32_t stream, uint16_t indent, std::string_view text) = 0;
    /* Sets GEN_LAST_IO_STATUS_FLAG to 'Y'. */
    virtual void SetLastIoStatusFlag() = 0;
    /* The generator's internal-error exit. */
    virtual void InternalError(std::string_view where) = 0;
    /* The used-field lookups of the operand describer. */
    virtual const ExprFieldDictionary& Fields() const = 0;
    /* Reports a fault of the generated code (a value that its column cannot
    ** hold) as an error message of the job; by default through the
    ** generator's plain-text message. */
    virtual void ReportError(std::string_view text);

    /* One line at the current stream and indent, or at column 0 of the
    ** current stream; by default through WriteLine (a writer that keeps the
    ** output state itself writes them without asking for it first). */
    virtual void WriteAtCurrent(std::string_view text) { WriteLine(OutputStream(), OutputIndent(), text); }
    virtual void WriteAtColumn0(std::string_view text) { WriteLine(OutputStream(), 0, text); }

    /* Writes one line at the current stream and indent. */
    void Line(std::string_view text) { WriteAtCurrent(text); }
};

#endif
