/*
** expr_core_services.h: the evaluation routine writers on the generator
** core, and the checked object's used fields as the expression writers see
** them.
**
** P3109_ExprWriter writes through the core's line writer into its current
** stream, header stream and main source, writes string constants as
** literals of the target language and reads the function's SQL-null
** assignment mode.
** EXPR_UsedFieldDictionary answers a field node's facts from the used-field
** records and the field definitions: vector name, type, length, decimals,
** the unsigned attribute, and the class and definition word of a system
** variable.
**
** EXPR_RunEvaluationHeaderPoint is the handler of insertion point 15 for
** the object layer's routines.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_CORE_SERVICES_H
#define GENERATOR_EXPRESSIONS_EXPR_CORE_SERVICES_H

#include "generator/expressions/expr_writer_services.h"

const ExprFieldDictionary& EXPR_UsedFieldDictionary();

class P3109_ExprWriter final : public ExprWriterServices {
public:
    char TargetLanguage() const override;
    uint32_t OutputStream() const override;
    uint16_t OutputIndent() const override;
    void WriteLine(uint32_t stream, uint16_t indent, std::string_view text) override;
    void WriteAtCurrent(std::string_view text) override;
    void WriteAtColumn0(std::string_view text) override;
    void SetLastIoStatusFlag() override;
    void InternalError(std::string_view where) override;
    const ExprFieldDictionary& Fields() const override { return EXPR_UsedFieldDictionary(); }
    void SetOutputStream(uint32_t stream) override;
    void SetOutputIndent(uint16_t indent) override;
    int16_t OutputDepth() const override;
    void SetOutputDepth(int16_t depth) override;
    uint32_t HeaderStream() const override;
    uint32_t SourceStream() const override;
    void SetMacroContinuation(bool on) override;
    void StringConstant(std::string_view text, std::string& reference, std::string& declared) override;
    void SetTextLiteralPrefix(std::string_view namePart) override;
    char SqlNullAssignMode() const override;
    char NameCharacter3() const override;
    void IssueMessage(char severity, std::string_view id, std::string_view data) override;
    void ObjectLayerFailure(std::string_view service, long code) override;
};

/* Insertion point 15: their macros and prototypes. */
void EXPR_RunEvaluationHeaderPoint();
/* Drops the variant lines that the macros of point 15 kept for the routines
** of point 14, and stops keeping; a new generation starts without them. */
void EXPR_ForgetDirectCode();

#endif
