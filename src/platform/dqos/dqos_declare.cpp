// SSQL_DeclareExt: turns a printf-style statement template into SQL text with
// '?' markers and the list of values to bind. Values are never pasted into
// the text; the one unquoted %s (an SQL function name) is taken only from a
// fixed list.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqos/dqos_values.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdarg>
#include <cstring>
#include <string>

namespace dqos {
namespace {

// SQL functions a template may name through an unquoted %s.
constexpr std::array<std::string_view, 1> kAllowedFunctions = {"substr"};

std::atomic<uint32_t> gSerial{0};

enum class Conv { Text, Char, Varying, Int, Long, Function, Percent, Bad };

// Reads the conversion at t[i] (just past '%') and advances i past it.
Conv readConversion(const char* t, size_t& i)
{
    switch (t[i]) {
    case '%': ++i; return Conv::Percent;
    case 's': ++i; return Conv::Text;
    case 'c': ++i; return Conv::Char;
    case 'v': ++i; return Conv::Varying;
    case 'd':
    case 'i':
    case 'u': ++i; return Conv::Int;
    case 'l':
        ++i;
        if (t[i] == 'd' || t[i] == 'u' || t[i] == 'i')
            ++i;
        return Conv::Long;
    default: return Conv::Bad;
    }
}

class Builder {
public:
    explicit Builder(SSQL_AREA* area) : area_(area) {}

    bool text(char c)
    {
        if (len_ + 1 >= SSQL_STMT_SIZE)
            return fail("statement text longer than the statement area");
        area_->szStmt[len_++] = c;
        return true;
    }
    // As many text(c) calls, one for each character of s, in one copy.
    bool text(std::string_view s)
    {
        const size_t room = SSQL_STMT_SIZE - 1 - len_;
        const size_t n = std::min(s.size(), room);
        std::memcpy(area_->szStmt + len_, s.data(), n);
        len_ += n;
        if (n < s.size())
            return fail("statement text longer than the statement area");
        return true;
    }
    bool value(const ValueRef& v)
    {
        if (!appendValue(*area_, v))
            return fail("values longer than the statement area");
        ++area_->usValues;
        return text('?');
    }
    bool fail(std::string why)
    {
        error_ = std::move(why);
        return false;
    }
    void finish() { area_->szStmt[len_] = '\0'; }
    const std::string& error() const { return error_; }

private:
    SSQL_AREA* area_;
    size_t len_ = 0;
    std::string error_;
};

// Takes the value of one conversion from the argument list.
ValueRef takeValue(Conv conv, va_list& ap, std::string& scratch)
{
    switch (conv) {
    case Conv::Text: {
        const char* s = va_arg(ap, const char*);
        return ValueRef::text(s ? std::string_view(s) : std::string_view());
    }
    case Conv::Char: {
        int c = va_arg(ap, int);
        scratch.assign(1, static_cast<char>(c));
        if (c == 0)
            scratch.clear();
        return ValueRef::text(scratch);
    }
    case Conv::Varying: {
        int n = va_arg(ap, int);
        const char* s = va_arg(ap, const char*);
        if (s == nullptr || n <= 0)
            return ValueRef::text({});
        return ValueRef::text(std::string_view(s, static_cast<size_t>(n)));
    }
    case Conv::Int: return ValueRef::integer(va_arg(ap, int));
    case Conv::Long: return ValueRef::integer(va_arg(ap, long));
    default: return ValueRef::text({});
    }
}

bool isQuotedPlaceholder(const char* t, size_t i, size_t& convEnd, Conv& conv)
{
    // t[i] is a quote; a placeholder with its closing quote follows?
    if (t[i + 1] != '%')
        return false;
    size_t j = i + 2;
    Conv c = readConversion(t, j);
    if (c == Conv::Bad || c == Conv::Percent || t[j] != '\'')
        return false;
    conv = c;
    convEnd = j + 1;
    return true;
}

bool parseTemplate(const char* t, va_list& ap, Builder& b)
{
    std::string scratch;
    size_t i = 0;
    while (t[i] != '\0') {
        char c = t[i];
        if (c == '\'') {
            size_t end = 0;
            Conv conv = Conv::Bad;
            if (isQuotedPlaceholder(t, i, end, conv)) {
                if (!b.value(takeValue(conv, ap, scratch)))
                    return false;
                i = end;
                continue;
            }
            // A literal of the template itself: copied as written; a
            // placeholder inside it cannot be bound and is refused.
            if (!b.text(c))
                return false;
            ++i;
            for (;;) {
                if (t[i] == '\0')
                    return b.fail("unterminated literal in template");
                if (t[i] == '%') {
                    if (t[i + 1] != '%')
                        return b.fail("placeholder inside a literal in template");
                    if (!b.text('%'))
                        return false;
                    i += 2;
                    continue;
                }
                if (t[i] == '\'') {
                    if (t[i + 1] == '\'') {
                        if (!b.text("''"))
                            return false;
                        i += 2;
                        continue;
                    }
                    break;
                }
                // the literal's plain characters up to its next quote or percent
                const size_t plain = std::strcspn(t + i, "'%");
                if (!b.text(std::string_view(t + i, plain)))
                    return false;
                i += plain;
            }
            if (!b.text('\''))
                return false;
            ++i;
            continue;
        }
        if (c != '%') {
            // the template's plain characters up to its next quote or percent
            const size_t plain = std::strcspn(t + i, "'%");
            if (!b.text(std::string_view(t + i, plain)))
                return false;
            i += plain;
            continue;
        }
        ++i;
        Conv conv = readConversion(t, i);
        switch (conv) {
        case Conv::Percent:
            if (!b.text('%'))
                return false;
            break;
        case Conv::Int:
        case Conv::Long:
            if (!b.value(takeValue(conv, ap, scratch)))
                return false;
            break;
        case Conv::Text: {
            const char* fn = va_arg(ap, const char*);
            std::string_view name = fn ? fn : "";
            bool allowed = false;
            for (std::string_view a : kAllowedFunctions)
                allowed = allowed || name == a;
            if (!allowed)
                return b.fail("unquoted %s names no allowed SQL function");
            if (!b.text(name))
                return false;
            break;
        }
        default: return b.fail("unsupported conversion in template");
        }
    }
    return true;
}

}  // namespace
}  // namespace dqos

using namespace dqos;

extern "C" unsigned short SSQL_DeclareExt(SSQL_AREA* pArea, const char* pszTemplate, ...)
{
    if (pArea == nullptr)
        return SSQL_RC_ERROR;
    pArea->szStmt[0] = '\0';
    pArea->ulSerial = 0;
    pArea->usValues = 0;
    pArea->ulValuesUsed = 0;
    if (pszTemplate == nullptr) {
        setLastError("no statement template");
        return SSQL_RC_ERROR;
    }
    Builder b(pArea);
    va_list ap;
    va_start(ap, pszTemplate);
    bool ok = parseTemplate(pszTemplate, ap, b);
    va_end(ap);
    b.finish();
    if (!ok) {
        std::lock_guard lock(dbLock());
        setLastError("Statement refused (" + b.error() + "): " + pszTemplate);
        pArea->ulSerial = 0;
        return SSQL_RC_ERROR;
    }
    uint32_t serial = ++gSerial;
    if (serial == 0)
        serial = ++gSerial;
    pArea->ulSerial = serial;
    return SSQL_RC_OK;
}
