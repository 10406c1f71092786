/*
** expr_frame_text.cpp: the expression generator's comments, comment boxes,
** module guards, nesting steps and the current writer of an enumeration.
*/
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "generator/expressions/expr_routines.h"
#include "platform/qvutil/qvutil.h"

std::string_view EXPR_HexAtLeastTwo(char (&text)[8], uint32_t value)
{
    size_t at = sizeof text;
    do {
        text[--at] = "0123456789abcdef"[value & 0xF];
        value >>= 4;
    } while (value != 0);
    if (at == sizeof text - 1)
        text[--at] = '0';
    return std::string_view(text + at, sizeof text - at);
}

namespace {

ExprWriterServices*& currentWriter()
{
    static ExprWriterServices* writer = nullptr;
    return writer;
}

uint64_t& writerScopeSerial()
{
    static uint64_t serial = 0;
    return serial;
}

void writeBox(ExprWriterServices& gen, uint32_t stream, uint16_t indent, std::string_view text, size_t width, char fill)
{
    /* each line is put together in place, in a buffer kept between boxes;
    ** the rule stays as it is while boxes of one width and fill follow */
    static std::string rule, middle;
    static size_t ruleWidth = 0;
    static char ruleFill = 0;
    if (ruleWidth != width || ruleFill != fill || rule.empty()) {
        rule.assign("/* ").append(width - 6, fill).append(" */");
        ruleWidth = width;
        ruleFill = fill;
    }
    middle.assign("/* ").append(text);
    if (middle.size() < width - 3)
        middle.append(width - 3 - middle.size(), ' ');
    middle.append(" */");
    gen.LineAt(stream, indent, rule);
    gen.LineAt(stream, indent, middle);
    gen.LineAt(stream, indent, rule);
}

/* The text of one EXPR_Format call, put together on the stack; a text
** that does not fit is formatted by vsnprintf instead. */
class FormatBuffer {
public:
    void Append(std::string_view text)
    {
        if (text.size() > sizeof data_ - size_) {
            full_ = true;
            return;
        }
        std::memcpy(data_ + size_, text.data(), text.size());
        size_ += text.size();
    }
    bool Full() const { return full_; }
    std::string_view View() const { return std::string_view(data_, size_); }

private:
    char data_[512];
    size_t size_ = 0;
    bool full_ = false;
};

/* Appends the decimal digits of a number. */
template <typename T> void appendNumber(FormatBuffer& out, T value)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.Append(std::string_view(digits, static_cast<size_t>(end - digits)));
}

/* Formats into `out` a format whose conversions are all a plain %s, %d,
** %u, %ld or %lu, %.2x or %08X (the writers' formats but a few); false (with
** `args` untouched) for any other conversion or a text too long for the
** buffer. */
bool formatDirectly(FormatBuffer& out, const char* format, va_list args)
{
    va_list rest;
    va_copy(rest, args);
    bool done = true;
    for (const char* p = format;;) {
        const char* mark = strchrnul(p, '%');
        out.Append(std::string_view(p, static_cast<size_t>(mark - p)));
        if (*mark == '\0')
            break;
        size_t skip = 2; /* the conversion's length */
        if (mark[1] == 's') {
            const char* s = va_arg(rest, const char*);
            out.Append(s != nullptr ? std::string_view(s) : std::string_view("(null)"));
        } else if (mark[1] == 'd') {
            appendNumber(out, va_arg(rest, int));
        } else if (mark[1] == 'u') {
            appendNumber(out, va_arg(rest, unsigned int));
        } else if (mark[1] == 'l' && mark[2] == 'd') {
            appendNumber(out, va_arg(rest, long));
            skip = 3;
        } else if (mark[1] == 'l' && mark[2] == 'u') {
            appendNumber(out, va_arg(rest, unsigned long));
            skip = 3;
        } else if (mark[1] == '.' && mark[2] == '2' && mark[3] == 'x') {
            /* lower-case hexadecimal digits, at least two (zeros before) */
            char digits[8];
            out.Append(EXPR_HexAtLeastTwo(digits, va_arg(rest, unsigned int)));
            skip = 4;
        } else if (mark[1] == '0' && mark[2] == '8' && mark[3] == 'X') {
            /* eight upper-case hexadecimal digits, zeros before */
            char digits[8];
            unsigned int value = va_arg(rest, unsigned int);
            for (int i = 7; i >= 0; --i, value >>= 4)
                digits[i] = "0123456789ABCDEF"[value & 0xF];
            out.Append(std::string_view(digits, sizeof digits));
            skip = 4;
        } else {
            done = false;
            break;
        }
        p = mark + skip;
    }
    va_end(rest);
    return done && !out.Full();
}
}  // namespace

namespace {

/* The text of a format, put into `text`: EXPR_Format's work. */
void formatInto(std::string& text, const char* format, va_list args)
{
    if (format != nullptr) {
        FormatBuffer direct;
        if (formatDirectly(direct, format, args)) {
            text.assign(direct.View());
            return;
        }
    }
    text.clear();
    /* any other format through vsnprintf; most texts fit the first buffer */
    char first[512];
    va_list again;
    va_copy(again, args);
    const int n = UTS_vsnprintf(first, sizeof first, format, args);
    if (n > 0 && static_cast<size_t>(n) < sizeof first) {
        text.assign(first, static_cast<size_t>(n));
    } else if (n > 0) {
        std::vector<char> buffer(static_cast<size_t>(n) + 1);
        UTS_vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<size_t>(n));
    }
    va_end(again);
}

}  // namespace

std::string EXPR_Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text;
    formatInto(text, format, args);
    va_end(args);
    return text;
}

const std::string& EXPR_FormatInto(std::string& text, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    formatInto(text, format, args);
    va_end(args);
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

namespace {

/* Whether the field is the I/O status field: its name as the field table
** holds it (10 characters, upper case, without trailing blanks) is IO, the
** run's third name character, STS. */
bool isIoStatusField(std::string_view fieldName, char nameCharacter3)
{
    std::string_view name = fieldName.substr(0, std::min<size_t>(fieldName.size(), 10));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    const char expected[] = {'I', 'O', nameCharacter3, 'S', 'T', 'S'};
    if (name.size() != sizeof expected)
        return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))) != expected[i])
            return false;
    return true;
}

const char* ioStatusLoadText(bool csharp)
{
    return csharp ? "DqooDef.X_CPYBYTES( ref pGlobal1.vchLastIOStatus, pX_Fld[V_FIELD_IOdSTS].pField, 2 );"
                  : "memcpy(INSTANCE(vchLastIOStatus),pX_Fld[V_FIELD_IOdSTS].pField,2);";
}

}  // namespace

void ExprWriterServices::LoadIoStatusFromField(std::string_view fieldName, uint32_t stream, uint16_t indent)
{
    if (!isIoStatusField(fieldName, NameCharacter3()))
        return;
    SetLastIoStatusFlag();
    LineAt(stream, indent, ioStatusLoadText(CSharp()));
}

std::string EXPR_IoStatusLoadLine(std::string_view fieldName, char nameCharacter3, bool csharp)
{
    return isIoStatusField(fieldName, nameCharacter3) ? ioStatusLoadText(csharp) : "";
}

ExprWriterServices* EXPR_CurrentWriter()
{
    return currentWriter();
}

uint64_t EXPR_WriterScopeSerial()
{
    return writerScopeSerial();
}

ExprWriterScope::ExprWriterScope(ExprWriterServices& writer) : previous_(currentWriter())
{
    currentWriter() = &writer;
    ++writerScopeSerial();
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
    EXPR_WriteComment(gen, text);
}

void EXPR_WriteComment(ExprWriterServices& gen, std::string_view text)
{
    gen.Line("/* " + std::string(text) + " */");
}

void EXPR_WriteCommentBeforeBlank(ExprWriterServices& gen, std::string_view text)
{
    EXPR_WriteComment(gen, text);
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
    static std::string line;
    gen.LineAt(stream, indent,
               line.assign("#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_").append(name).append(")))"));
}

void EXPR_WriteGuardEnd(ExprWriterServices& gen, uint16_t indent, uint32_t stream)
{
    if (!gen.CSharp())
        gen.LineAt(stream, indent, "#endif");
}
