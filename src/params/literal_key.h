/* The name a literal's used-field record is kept by.
**
** The record's name holds 50 characters. A literal that fits is kept by
** its text as written. A longer one is kept by its first 41 characters, a
** tilde and eight hexadecimal digits worked out from its whole text, so
** that literals that share their first 50 characters and differ later are
** two records, two literal fields of the program: the checker records the
** use under this name, and the generator finds the record of a literal
** written in a command or an expression by the same name and recognises
** the literal a record stands for in the command of its first use. */
#ifndef DQOV_PARAMS_LITERAL_KEY_H
#define DQOV_PARAMS_LITERAL_KEY_H

#include <cstdint>
#include <string>
#include <string_view>

#include "dqov/params/dqov_check.h"

namespace dqov::literal {

/* The whole text of operand `index` (from 0) of the expression request as
** the last check of that request found it, when the request's name (50
** characters) holds only its start; "" when the name holds all of it. The
** check keeps the whole texts in the request's own name area. */
std::string WholeOperandName(const DC_EXPRESSION_REQUEST* request, int index);

constexpr size_t kKeyLength = 50; /* the record name's width */
constexpr size_t kKeptText = 41;  /* of a longer literal: its first characters */

/* True for a literal's text as written: quoted, or hexadecimal. */
inline bool IsQuoted(std::string_view text)
{
    return !text.empty() &&
           (text[0] == '\'' || (text.size() > 1 && (text[0] == 'X' || text[0] == 'x') && text[1] == '\''));
}

/* The record name of the literal written as `text`. */
inline std::string RecordKey(std::string_view text)
{
    if (text.size() <= kKeyLength || !IsQuoted(text))
        return std::string(text);
    uint32_t h = 2166136261u; /* FNV-1a over the whole text */
    for (unsigned char c : text) {
        h ^= c;
        h *= 16777619u;
    }
    static const char digits[] = "0123456789ABCDEF";
    std::string key(text.substr(0, kKeptText));
    key += '~';
    for (int shift = 28; shift >= 0; shift -= 4)
        key += digits[(h >> shift) & 0xF];
    return key;
}

/* True when `name` (trimmed) is the record name of a literal longer than
** the name holds. */
inline bool IsLongKey(std::string_view name)
{
    if (name.size() != kKeyLength || !IsQuoted(name) || name[kKeptText] != '~')
        return false;
    for (char c : name.substr(kKeptText + 1))
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}

}  // namespace dqov::literal

#endif
