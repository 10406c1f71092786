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

#include "generator/core/output/csharp_text.h"
#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_forwarding_writer.h"

namespace {

/* A writer that keeps the lines of the current stream and passes every
** other line and service on to the generator's writer. */
class CsVariantRecorder final : public ExprForwardingWriter {
public:
    CsVariantRecorder(ExprWriterServices& gen, std::vector<ExprCsVariantLine>& lines)
        : ExprForwardingWriter(gen), lines_(lines), stream_(gen.OutputStream()), indent_(gen.OutputIndent())
    {}

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

    bool Sound() const { return sound_; }

private:
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
