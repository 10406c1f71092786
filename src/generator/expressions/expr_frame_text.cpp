/*
** expr_frame_text.cpp: the expression generator's comments, comment boxes,
** module guards, nesting steps and the current writer of an enumeration.
*/
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "generator/expressions/expr_routines.h"
#include "platform/qvutil/qvutil.h"

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
    const std::string rule = "/* " + std::string(width - 6, fill) + " */";
    std::string middle = "/* " + std::string(text);
    if (middle.size() < width - 3)
        middle.append(width - 3 - middle.size(), ' ');
    middle += " */";
    gen.LineAt(stream, indent, rule);
    gen.LineAt(stream, indent, middle);
    gen.LineAt(stream, indent, rule);
}

/* One conversion of a printf format: the subset the expression writers use
** (flags '-' and '0', width, precision, lengths l, ll and z; d i u x X s c
** and %%). EXPR_Format writes these itself, as vsnprintf would, and hands
** any other format to vsnprintf. */
struct Conversion {
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    int longs = 0; /* 1 long, 2 long long, 3 size_t */
    char letter = 0;
};

/* Reads the conversion that starts after a '%'; null when it is not one of
** the subset. */
const char* readConversion(const char* p, Conversion& c)
{
    for (;; ++p) {
        if (*p == '-')
            c.left = true;
        else if (*p == '0')
            c.zero = true;
        else
            break;
    }
    for (; *p >= '0' && *p <= '9'; ++p)
        c.width = c.width * 10 + (*p - '0');
    if (*p == '.') {
        c.precision = 0;
        for (++p; *p >= '0' && *p <= '9'; ++p)
            c.precision = c.precision * 10 + (*p - '0');
    }
    if (*p == 'z') {
        c.longs = 3;
        ++p;
    } else {
        for (; *p == 'l' && c.longs < 2; ++p)
            ++c.longs;
    }
    switch (*p) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X': break;
    case 's':
    case 'c':
        if (c.longs != 0)
            return nullptr;
        break;
    case '%':
        if (c.left || c.zero || c.width != 0 || c.precision >= 0 || c.longs != 0)
            return nullptr;
        break;
    default: return nullptr;
    }
    c.letter = *p;
    return p + 1;
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
    void Fill(size_t count, char ch)
    {
        if (count > sizeof data_ - size_) {
            full_ = true;
            return;
        }
        std::memset(data_ + size_, ch, count);
        size_ += count;
    }
    bool Full() const { return full_; }
    std::string Text() const { return std::string(data_, size_); }

private:
    char data_[512];
    size_t size_ = 0;
    bool full_ = false;
};

/* Pads `body` (after `sign` and `zeros` zeros) to the conversion's width. */
void appendField(FormatBuffer& out, const Conversion& c, std::string_view sign, size_t zeros, std::string_view body)
{
    const size_t size = sign.size() + zeros + body.size();
    if (static_cast<size_t>(c.width) <= size) {
        out.Append(sign);
        out.Fill(zeros, '0');
        out.Append(body);
        return;
    }
    const size_t pad = static_cast<size_t>(c.width) - size;
    const bool zeroPad = !c.left && c.zero && c.precision < 0 && c.letter != 's' && c.letter != 'c';
    if (!c.left && !zeroPad)
        out.Fill(pad, ' ');
    out.Append(sign);
    if (zeroPad)
        out.Fill(pad, '0');
    out.Fill(zeros, '0');
    out.Append(body);
    if (c.left)
        out.Fill(pad, ' ');
}

void appendInteger(FormatBuffer& out, const Conversion& c, va_list& args)
{
    const bool isSigned = c.letter == 'd' || c.letter == 'i';
    unsigned long long magnitude = 0;
    bool negative = false;
    if (isSigned) {
        long long value = c.longs == 0   ? va_arg(args, int)
                          : c.longs == 1 ? va_arg(args, long)
                          : c.longs == 2 ? va_arg(args, long long)
                                         : static_cast<long long>(va_arg(args, size_t));
        negative = value < 0;
        magnitude = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    } else {
        magnitude = c.longs == 0   ? va_arg(args, unsigned int)
                    : c.longs == 1 ? va_arg(args, unsigned long)
                    : c.longs == 2 ? va_arg(args, unsigned long long)
                                   : va_arg(args, size_t);
    }
    char digits[24];
    size_t count = 0;
    if (magnitude != 0 || c.precision != 0) {
        const int base = c.letter == 'x' || c.letter == 'X' ? 16 : 10;
        count = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, magnitude, base).ptr - digits);
        if (c.letter == 'X')
            for (size_t i = 0; i < count; ++i)
                if (digits[i] >= 'a')
                    digits[i] = static_cast<char>(digits[i] - 'a' + 'A');
    }
    const size_t zeros =
        c.precision > 0 && static_cast<size_t>(c.precision) > count ? static_cast<size_t>(c.precision) - count : 0;
    appendField(out, c, negative ? "-" : "", zeros, std::string_view(digits, count));
}

/* Formats into `out` what the subset covers; false (with `args` untouched)
** for a conversion outside it or a text too long for the buffer. */
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
        /* the plain %s and %d that most formats hold */
        if (mark[1] == 's') {
            const char* s = va_arg(rest, const char*);
            out.Append(s != nullptr ? std::string_view(s) : std::string_view("(null)"));
            p = mark + 2;
            continue;
        }
        if (mark[1] == 'd') {
            char digits[12];
            const char* end = std::to_chars(digits, digits + sizeof digits, va_arg(rest, int)).ptr;
            out.Append(std::string_view(digits, static_cast<size_t>(end - digits)));
            p = mark + 2;
            continue;
        }
        Conversion c;
        p = readConversion(mark + 1, c);
        if (p == nullptr) {
            done = false;
            break;
        }
        switch (c.letter) {
        case '%': out.Append("%"); break;
        case 'c': {
            const char ch = static_cast<char>(va_arg(rest, int));
            appendField(out, c, "", 0, std::string_view(&ch, 1));
            break;
        }
        case 's': {
            const char* s = va_arg(rest, const char*);
            /* as glibc writes a null string */
            std::string_view body = s != nullptr ? s : (c.precision < 0 || c.precision >= 6 ? "(null)" : "");
            if (c.precision >= 0 && s != nullptr)
                body = std::string_view(s, strnlen(s, static_cast<size_t>(c.precision)));
            appendField(out, c, "", 0, body);
            break;
        }
        default: appendInteger(out, c, rest); break;
        }
    }
    va_end(rest);
    return done && !out.Full();
}
}  // namespace

std::string EXPR_Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    if (format != nullptr) {
        FormatBuffer direct;
        if (formatDirectly(direct, format, args)) {
            va_end(args);
            return direct.Text();
        }
    }
    std::string text;
    /* any other format through vsnprintf; most texts fit the first buffer */
    char first[512];
    va_list again;
    va_copy(again, args);
    const int n = UTS_vsnprintf(first, sizeof first, format, args);
    va_end(args);
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
