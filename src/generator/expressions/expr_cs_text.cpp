/*
** expr_cs_text.cpp: the direct code of a variant in the C# pass, kept only
** when every line of it is C#.
**
** The direct-code writers write most lines in their C form and EXPR_CsLine
** turns the common C constructs into their C# forms; the rest stays C. A
** variant with such a line is not written in the C# pass: its expression
** is then evaluated through its instruction table.
*/
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/csharp_text.h"
#include "generator/expressions/expr_direct_code.h"

namespace {

/* A writer that keeps the lines of the current stream and passes every
** other line and service on to the generator's writer. */
class CsVariantRecorder final : public ExprWriterServices {
public:
    CsVariantRecorder(ExprWriterServices& gen, std::vector<ExprCsVariantLine>& lines)
        : gen_(gen), lines_(lines), stream_(gen.OutputStream()), indent_(gen.OutputIndent())
    {}

    char TargetLanguage() const override { return gen_.TargetLanguage(); }
    uint32_t OutputStream() const override { return gen_.OutputStream(); }
    uint16_t OutputIndent() const override { return gen_.OutputIndent(); }
    void WriteLine(uint32_t stream, uint16_t indent, std::string_view text) override
    {
        if (stream != stream_) {
            gen_.WriteLine(stream, indent, text);
            return;
        }
        if (!P3109_fCSharpText(text))
            sound_ = false;
        lines_.push_back({static_cast<int32_t>(indent) - static_cast<int32_t>(indent_), std::string(text)});
    }
    void SetLastIoStatusFlag() override { gen_.SetLastIoStatusFlag(); }
    void InternalError(std::string_view where) override { gen_.InternalError(where); }
    const ExprFieldDictionary& Fields() const override { return gen_.Fields(); }
    void ReportError(std::string_view text) override { gen_.ReportError(text); }
    void SetOutputStream(uint32_t stream) override { gen_.SetOutputStream(stream); }
    void SetOutputIndent(uint16_t indent) override { gen_.SetOutputIndent(indent); }
    int16_t OutputDepth() const override { return gen_.OutputDepth(); }
    void SetOutputDepth(int16_t depth) override { gen_.SetOutputDepth(depth); }
    uint32_t HeaderStream() const override { return gen_.HeaderStream(); }
    uint32_t SourceStream() const override { return gen_.SourceStream(); }
    void SetMacroContinuation(bool on) override { gen_.SetMacroContinuation(on); }
    void StringConstant(std::string_view text, std::string& reference, std::string& declared) override
    {
        gen_.StringConstant(text, reference, declared);
    }
    void SetTextLiteralPrefix(std::string_view namePart) override { gen_.SetTextLiteralPrefix(namePart); }
    char SqlNullAssignMode() const override { return gen_.SqlNullAssignMode(); }
    char NameCharacter3() const override { return gen_.NameCharacter3(); }
    void IssueMessage(char severity, std::string_view id, std::string_view data) override
    {
        gen_.IssueMessage(severity, id, data);
    }
    void ObjectLayerFailure(std::string_view service, long code) override { gen_.ObjectLayerFailure(service, code); }

    bool Sound() const { return sound_; }

private:
    ExprWriterServices& gen_;
    std::vector<ExprCsVariantLine>& lines_;
    uint32_t stream_;
    uint16_t indent_;
    bool sound_ = true;
};

}  // namespace

bool EXPR_fRecordCsVariant(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression,
                           EXPR_VARIANT& variant, std::vector<ExprCsVariantLine>& lines)
{
    lines.clear();
    CsVariantRecorder recorder(gen, lines);
    EXPR_WriteVariantCode(recorder, routine, expression, variant, gen.OutputStream(), gen.OutputIndent());
    if (recorder.Sound())
        return true;
    lines.clear();
    return false;
}
