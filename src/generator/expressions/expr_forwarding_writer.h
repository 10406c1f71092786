/*
** expr_forwarding_writer.h: a writer that passes every service on to
** another writer (the generator's).
**
** The writers that record the lines of a variant derive from it and write
** the lines themselves (WriteLine is theirs). A service with an effect of
** its own (a stream or indent set, a message, an error exit) goes through
** Pass(), which notes that one happened: such a variant cannot simply be
** written again from its recorded lines.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_FORWARDING_WRITER_H
#define GENERATOR_EXPRESSIONS_EXPR_FORWARDING_WRITER_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/expressions/expr_writer_services.h"

class ExprForwardingWriter : public ExprWriterServices {
public:
    explicit ExprForwardingWriter(ExprWriterServices& gen) : gen_(gen) {}

    char TargetLanguage() const override { return gen_.TargetLanguage(); }
    uint32_t OutputStream() const override { return gen_.OutputStream(); }
    uint16_t OutputIndent() const override { return gen_.OutputIndent(); }
    void SetLastIoStatusFlag() override { gen_.SetLastIoStatusFlag(); }
    void InternalError(std::string_view where) override { Pass().InternalError(where); }
    const ExprFieldDictionary& Fields() const override { return gen_.Fields(); }
    void ReportError(std::string_view text) override { Pass().ReportError(text); }
    void SetOutputStream(uint32_t stream) override { Pass().SetOutputStream(stream); }
    void SetOutputIndent(uint16_t indent) override { Pass().SetOutputIndent(indent); }
    int16_t OutputDepth() const override { return gen_.OutputDepth(); }
    void SetOutputDepth(int16_t depth) override { Pass().SetOutputDepth(depth); }
    uint32_t HeaderStream() const override { return gen_.HeaderStream(); }
    uint32_t SourceStream() const override { return gen_.SourceStream(); }
    void SetMacroContinuation(bool on) override { Pass().SetMacroContinuation(on); }
    void StringConstant(std::string_view text, std::string& reference, std::string& declared) override
    {
        gen_.StringConstant(text, reference, declared);
    }
    void SetTextLiteralPrefix(std::string_view namePart) override { Pass().SetTextLiteralPrefix(namePart); }
    char SqlNullAssignMode() const override { return gen_.SqlNullAssignMode(); }
    char NameCharacter3() const override { return gen_.NameCharacter3(); }
    void IssueMessage(char severity, std::string_view id, std::string_view data) override
    {
        Pass().IssueMessage(severity, id, data);
    }
    void ObjectLayerFailure(std::string_view service, long code) override { Pass().ObjectLayerFailure(service, code); }

protected:
    /* The generator's writer, for a service with an effect of its own. */
    ExprWriterServices& Pass()
    {
        passed_ = true;
        return gen_;
    }
    /* Whether such a service was passed on. */
    bool Passed() const { return passed_; }

    ExprWriterServices& gen_;

private:
    bool passed_ = false;
};

#endif
