/*
** expr_frame_text.cpp: the expression generator's comments, comment boxes,
** module guards, nesting steps and the current writer of an enumeration.
*/
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "generator/expressions/expr_routines.h"
#include "platform/qvutil/qvutil.h"

namespace {

ExprWriterServices*& currentWriter()
{
    static ExprWriterServices* writer = nullptr;
    return writer;
}

void writeBox(ExprWriterServices& gen, uint32_t stream, uint16_t indent, std::string_view text, size_t width, char fill)
{
    const std::string rule = "/* " + std::string(width - 6, fill) + " */";
    std::string middle = "/* " + std::string(text);
    if (middle.size() < width - 3)
        middle.append(width - 3 - middle.size(), ' ');
    middle += " */";
    gen.LineAt(stream, indent, rule);
    gen.LineAt(stream, indent, middle);
    gen.LineAt(stream, indent, rule);
}

}  // namespace

std::string EXPR_Format(const char* format, ...)
{
    /* most texts fit the first buffer and are formatted once */
    char first[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = UTS_vsnprintf(first, sizeof first, format, args);
    va_end(args);
    std::string text;
    if (n > 0 && static_cast<size_t>(n) < sizeof first) {
        text.assign(first, static_cast<size_t>(n));
    } else if (n > 0) {
        std::vector<char> buffer(static_cast<size_t>(n) + 1);
        UTS_vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<size_t>(n));
    }
    va_end(again);
    return text;
}

void ExprWriterServices::IndentIn()
{
    SetOutputDepth(static_cast<int16_t>(OutputDepth() + 1));
    if (OutputDepth() < EXPR_INDENT_DEPTH_LIMIT)
        SetOutputIndent(static_cast<uint16_t>(OutputIndent() + 3));
}

void ExprWriterServices::IndentOut()
{
    if (OutputDepth() < EXPR_INDENT_DEPTH_LIMIT && OutputIndent() >= 3)
        SetOutputIndent(static_cast<uint16_t>(OutputIndent() - 3));
    SetOutputDepth(static_cast<int16_t>(OutputDepth() - 1));
}

ExprWriterServices* EXPR_CurrentWriter()
{
    return currentWriter();
}

ExprWriterScope::ExprWriterScope(ExprWriterServices& writer) : previous_(currentWriter())
{
    currentWriter() = &writer;
}

ExprWriterScope::~ExprWriterScope()
{
    currentWriter() = previous_;
}

void EXPR_IndentIn(ExprWriterServices& gen)
{
    gen.IndentIn();
}

void EXPR_IndentOut(ExprWriterServices& gen)
{
    gen.IndentOut();
}

void EXPR_WriteSpacedComment(ExprWriterServices& gen, std::string_view text)
{
    gen.Line(" ");
    gen.Line("/* " + std::string(text) + " */");
    gen.Line(" ");
}

void EXPR_WriteCommentAfterBlank(ExprWriterServices& gen, std::string_view text)
{
    gen.Line(" ");
    gen.Line("/* " + std::string(text) + " */");
}

void EXPR_WriteComment(ExprWriterServices& gen, std::string_view text)
{
    gen.Line("/* " + std::string(text) + " */");
}

void EXPR_WriteCommentBeforeBlank(ExprWriterServices& gen, std::string_view text)
{
    gen.Line("/* " + std::string(text) + " */");
    gen.Line(" ");
}

void EXPR_WriteSectionBox(ExprWriterServices& gen, uint32_t stream, std::string_view text)
{
    gen.LineAt(stream, 0, " ");
    gen.LineAt(stream, 0, " ");
    writeBox(gen, stream, 0, text, std::max<size_t>(71, text.size() + 6), '=');
}

void EXPR_WriteSubsectionBox(ExprWriterServices& gen, uint32_t stream, std::string_view text)
{
    gen.LineAt(stream, 0, " ");
    writeBox(gen, stream, 3, text, text.size() + 6, '-');
    gen.LineAt(stream, 0, " ");
}

void EXPR_WriteModuleComponentGuard(ExprWriterServices& gen, uint32_t stream, uint16_t indent, std::string_view name)
{
    if (gen.CSharp())
        return;
    gen.LineAt(stream, indent,
               "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_" + std::string(name) + ")))");
}

void EXPR_WriteGuardEnd(ExprWriterServices& gen, uint16_t indent, uint32_t stream)
{
    if (!gen.CSharp())
        gen.LineAt(stream, indent, "#endif");
}
