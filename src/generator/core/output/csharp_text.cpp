/*
** csharp_text.cpp: whether a line of generated text is C# as it stands.
**
** The C# pass writes many lines in the forms the C pass writes and turns
** the common C constructs into their C# forms; what stays C would not
** compile. A line is judged by its tokens (string and character literals
** are single tokens and comments count for nothing).
*/
#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/output/csharp_text.h"

namespace {

enum class Tok { Name, Number, Literal, Punct };

struct Token {
    Tok kind;
    std::string_view text;
};

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::vector<Token> tokens(std::string_view s)
{
    static constexpr std::array<std::string_view, 14> kTwo = {
        "->", "&&", "||", "==", "!=", "<=", ">=", "++", "--", "+=", "-=", "|=", "&=", "<<"};
    std::vector<Token> out;
    size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        const size_t start = i;
        /* comments count for nothing */
        if (s.substr(i, 2) == "//")
            break;
        if (s.substr(i, 2) == "/*") {
            const size_t end = s.find("*/", i + 2);
            i = end == std::string_view::npos ? s.size() : end + 2;
            continue;
        }
        if (c == '"' || c == '\'') {
            for (++i; i < s.size() && s[i] != c; ++i)
                if (s[i] == '\\')
                    ++i;
            i = std::min(i + 1, s.size());
            out.push_back({Tok::Literal, s.substr(start, i - start)});
        } else if (nameChar(c)) {
            while (i < s.size() && (nameChar(s[i]) || (std::isdigit(static_cast<unsigned char>(c)) && s[i] == '.')))
                ++i;
            out.push_back(
                {std::isdigit(static_cast<unsigned char>(c)) ? Tok::Number : Tok::Name, s.substr(start, i - start)});
        } else {
            size_t n = 1;
            for (std::string_view two : kTwo)
                if (s.substr(i, 2) == two)
                    n = 2;
            i += n;
            out.push_back({Tok::Punct, s.substr(start, n)});
        }
    }
    return out;
}

/* Names that only C knows: the library routines and sizeof, the null
** pointer, a structure tag and the types of the C run time that C# spells
** otherwise. */
bool cOnlyName(std::string_view n)
{
    /* the C library, C's null pointer and structure tag; types, macros and
       constants of the C run time */
    static constexpr std::string_view kNames =
        " sizeof memset memcpy memcmp memmove strcpy strncpy strlen strcmp strncmp strcat sprintf NULL struct"
        " X_VCHAR X_PVCHAR X_UCHAR X_PVOID LL_CONST _CPYNV END_OF_STRING X_PDICTIONARY_FIELD INSTANCE INSTANCE_S3"
        " FUNCTION_STD_PARMS FUNCTION_STD_ARGS ";
    if (!n.empty() && kNames.find(" " + std::string(n) + " ") != std::string_view::npos)
        return true;
    /* the C pointer types, but for the list references C# knows too */
    return n.rfind("PX_", 0) == 0 && n != "PX_LIST_1" && n != "PX_LIST_2";
}

bool punct(const Token& t, std::string_view text)
{
    return t.kind == Tok::Punct && t.text == text;
}

/* A token after which a '&' or '*' is unary (an address or a pointer). */
bool opensOperand(const Token* before)
{
    if (before == nullptr)
        return true;
    if (before->kind == Tok::Name)
        return before->text == "return";
    if (before->kind != Tok::Punct)
        return false;
    for (std::string_view p : {"(", ",", "=", "!", "==", "!=", "&&", "||", "?", ":", ";", "{"})
        if (before->text == p)
            return true;
    return false;
}

}  // namespace

bool P3109_fCSharpText(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first != std::string_view::npos && text[first] == '#')
        return text.find("defined") == std::string_view::npos && text.find("#ifdef") == std::string_view::npos &&
               text.find("#ifndef") == std::string_view::npos && text.find("#define") == std::string_view::npos;
    const std::vector<Token> t = tokens(text);
    for (size_t i = 0; i < t.size(); ++i) {
        const Token* before = i > 0 ? &t[i - 1] : nullptr;
        const Token* after = i + 1 < t.size() ? &t[i + 1] : nullptr;
        switch (t[i].kind) {
        case Tok::Name:
            if (cOnlyName(t[i].text))
                return false;
            if (t[i].text == "decimal" && after && punct(*after, "("))
                return false;
            /* a routine of the evaluator or the vector, or a helper of the
               field definitions, named without its class */
            if ((t[i].text.rfind("X_VAR_", 0) == 0 || t[i].text.rfind("X_Vec_", 0) == 0 ||
                 t[i].text == "X_RESOLVE_VARCHAR_LENGTH") &&
                after && punct(*after, "(") && !(before && (punct(*before, ".") || before->kind == Tok::Name)))
                return false;
            break;
        case Tok::Literal:
            /* string literals side by side, or a name beside one */
            if (t[i].text[0] == '"' && after && (after->kind == Tok::Literal || after->kind == Tok::Name))
                return false;
            if (t[i].text[0] == '"' && before && (before->kind == Tok::Literal || before->kind == Tok::Name) &&
                before->text != "return")
                return false;
            break;
        case Tok::Punct:
            if (t[i].text == "->")
                return false;
            if ((t[i].text == "&" || t[i].text == "*") && opensOperand(before))
                return false;
            /* a pointer type: "(TYPE *)", "TYPE* )" or "TYPE *name" opening a declaration */
            if (t[i].text == "*" && after && (punct(*after, ")") || punct(*after, ",")))
                return false;
            if (t[i].text == "*" && i == 1 && t[0].kind == Tok::Name && after && after->kind == Tok::Name)
                return false;
            break;
        default: break;
        }
    }
    /* "TYPE name[...]" and "TYPE name = { ... }" declare in C */
    size_t d = 0;
    while (d < t.size() && t[d].kind == Tok::Name &&
           (t[d].text == "public" || t[d].text == "private" || t[d].text == "protected" || t[d].text == "internal" ||
            t[d].text == "static" || t[d].text == "readonly" || t[d].text == "const"))
        ++d;
    /* a statement that a keyword opens ("return a[0];") declares nothing */
    static constexpr std::string_view kStatements =
        " return new throw case goto else if while for foreach switch using ";
    const bool statement =
        d < t.size() && kStatements.find(" " + std::string(t[d].text) + " ") != std::string_view::npos;
    if (!statement && t.size() >= d + 3 && t[d].kind == Tok::Name && t[d + 1].kind == Tok::Name &&
        (punct(t[d + 2], "[") || (punct(t[d + 2], "=") && t.size() >= d + 4 && punct(t[d + 3], "{"))))
        return false;
    return true;
}
