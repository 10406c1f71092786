/*
** text_strings.cpp: the text strings file and the code pages of languages.
*/
#include "generator/core/components/text_strings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "generator/core/output/file_helpers.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

namespace {

struct CodePageRow {
    const char* language;
    int ccsid;
    int codePage;
    const char* culture;
};

constexpr CodePageRow kCodePages[] = {
    {"ENG", 1140, 1252, "en"},    {"ARA", 420, 1256, "ar"},      {"CAT", 284, 1252, "ca"},
    {"CES", 870, 1250, "cs"},     {"CZE", 870, 1250, "cs"},      {"DAN", 1142, 1252, "da"},
    {"DEU", 1141, 1252, "de"},    {"DUT", 1140, 1252, "nl"},     {"ELL", 875, 1253, "el"},
    {"ESP", 1145, 1252, "es"},    {"FIN", 1143, 1252, "fi"},     {"FRA", 1147, 1252, "fr"},
    {"FRB", 1148, 1252, "fr-CH"}, {"FRC", 1148, 1252, "fr-CH"},  {"GRE", 875, 1253, "el"},
    {"HEB", 424, 1255, "he"},     {"ITL", 1144, 1252, "it"},     {"JPN", 5026, 932, "ja"},
    {"KOR", 933, 949, "ko"},      {"NOR", 1142, 1252, "no"},     {"POR", 1140, 1252, "pt"},
    {"SCHI", 935, 936, "zh-HK"},  {"SFRA", 1148, 1252, "fr-CH"}, {"SWE", 1143, 1252, "sv"},
    {"TCHI", 937, 950, "zh-HK"},  {"THA", 9030, 874, "th"},      {"TRK", 1026, 1254, "tr"},
    {"TUR", 1026, 1254, "tr"},
};

std::string cut(std::string_view text, size_t width)
{
    return std::string(text.substr(0, std::min(width, text.size())));
}

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',')
            fields.emplace_back();
        else if (c != '\r' && c != '\n')
            fields.back() += c;
    }
    return fields;
}

bool fromFile(std::string_view language, const std::string& directory, std::string& ccsid, std::string& codePage,
              size_t width, std::string* pCulture, size_t cultureWidth)
{
    std::string dir = directory;
    while (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    std::string host;
    if (dqoz::MapPath(dir + "\\ccsid.txt", host) != 0)
        return false;
    std::ifstream in(host);
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = splitFields(line.substr(0, 256));
        if (f.size() < 10 || f[8] != language)
            continue;
        codePage = cut(f[9], width);
        ccsid = cut(f[0], width);
        if (pCulture && cultureWidth > 0 && f.size() >= 12)
            *pCulture = cut(f[11], cultureWidth);
        return true;
    }
    return false;
}

/* The text in UTF-8, or nothing when the code page cannot read it. */
bool toUtf8(unsigned codePage, std::string_view native, std::string& text)
{
    size_t bytes = 0;
    char* utf8 =
        UTC_NativeEncodingToUTF8(codePage, native.data(), static_cast<long>(native.size()), UTC_Allocator, &bytes);
    if (!utf8)
        return false;
    text.assign(utf8, bytes);
    UTC_Deallocator(utf8);
    return true;
}

/* Whether the text is printable ASCII alone (0x20 to 0x7E): no control
** byte, so no escape or shift of a stateful code page, and no byte that
** could begin a double-byte character. */
bool isPrintableAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            return false;
    return true;
}

/* Whether the code page reads each printable ASCII byte as that same
** character, so that a printable ASCII text is its own UTF-8. Found once
** per code page by converting those bytes; the default code page (0)
** follows the environment and is not kept. */
bool readsPrintableAsciiAsItself(unsigned codePage)
{
    static std::vector<std::pair<unsigned, bool>> known;
    for (const auto& [page, same] : known)
        if (page == codePage)
            return same;
    std::string printable, text;
    for (char c = 0x20; c <= 0x7E; ++c)
        printable += c;
    const bool same = toUtf8(codePage, printable, text) && text == printable;
    if (codePage != 0)
        known.emplace_back(codePage, same);
    return same;
}

/* A text its code page cannot read: it is read character by character,
** a character being the shortest run of one to four bytes that the code
** page reads (one byte, or a lead byte and its trail bytes); a byte that
** begins no character becomes '?', so the file holds valid UTF-8 and keeps
** every character that can be read; the literal is reported. */
std::string replaceUnreadable(const GEN_TEXT_LITERAL& literal, unsigned codePage)
{
    std::string text, one;
    const std::string_view native = literal.text;
    size_t at = 0;
    while (at < native.size()) {
        if (static_cast<unsigned char>(native[at]) < 0x80) {
            text += native[at++];
            continue;
        }
        size_t width = 1;
        while (width <= 4 && at + width <= native.size() && !toUtf8(codePage, native.substr(at, width), one))
            ++width;
        if (width <= 4 && at + width <= native.size()) {
            text += one;
            at += width;
        } else {
            text += '?';
            ++at;
        }
    }
    char message[128];
    std::snprintf(message, sizeof message, "WARNING : Text %.*s is not text of code page %u; '?' stands in",
                  static_cast<int>(std::min<size_t>(40, literal.cName.size())), literal.cName.data(), codePage);
    P3109_IssueTextMessage('W', message);
    return text;
}

/* The literal's text in UTF-8 appended to `out`; a printable ASCII text
** its code page reads as itself is taken as it stands. */
void appendConvertedText(std::string& out, const GEN_TEXT_LITERAL& literal, unsigned codePage,
                         std::string_view language)
{
    std::string converted;
    std::string_view text = literal.text;
    if (!isPrintableAscii(text) || !readsPrintableAsciiAsItself(codePage)) {
        if (!toUtf8(codePage, literal.text, converted))
            converted = replaceUnreadable(literal, codePage);
        text = converted;
    }
    const char* replacement = language == "JPN" ? "\xC2\xA5" : language == "KOR" ? "\xE2\x82\xA9" : nullptr;
    if (!replacement) {
        out.append(text);
        return;
    }
    for (char c : text)
        if (c == '\\')
            out.append(replacement);
        else
            out.push_back(c);
}

/* A language code or code-page text of an entry: cut at its first NUL,
** right-trimmed. */
std::string entryText(std::string_view field, size_t width)
{
    field = field.substr(0, std::min(width, field.size()));
    return P3109_TrimRight(field.substr(0, field.find('\0')));
}

}  // namespace

/* The C# file is compiled as UTF-8 and its lines are string literals: the
** text is converted like the C target's and escaped for the literal. */
void MLTX_WriteTextRecords(GEN_STREAM stream, const std::vector<MLTX_LANGUAGE>& languages,
                           const MLTX_LITERAL_CHAIN& chain, char cTarget)
{
    FILE* file = P3109_pStreamFile(stream);
    if (!file)
        return;
    std::vector<unsigned> codePages;
    for (const MLTX_LANGUAGE& l : languages)
        codePages.push_back(static_cast<unsigned>(std::atoi(l.codePage.c_str())));
    /* each line is put together in buffers kept between literals */
    std::string record, text;
    chain([&](const GEN_TEXT_LITERAL& literal) {
        unsigned codePage = 0;
        for (size_t n = 0; n < languages.size(); ++n)
            if (languages[n].code == literal.language) {
                codePage = codePages[n];
                break;
            }
        if (cTarget == GEN_TARGET_CSHARP) {
            text.clear();
            appendConvertedText(text, literal, codePage, literal.language);
            record.assign("      public const string ")
                .append(literal.csName)
                .append(" = \"")
                .append(P3109_MakeCSharpLiteral(text))
                .append("\";\r\n");
            std::fwrite(record.data(), 1, record.size(), file);
            return;
        }
        char form[16];
        const auto end = std::to_chars(form, form + sizeof form, literal.lForm).ptr;
        record.assign(form, static_cast<size_t>(end - form)).append(1, '\0');
        record.append(literal.cName).append(1, '\0');
        appendConvertedText(record, literal, codePage, literal.language);
        record.append(1, '\0').append(literal.language).append(1, '\0').append("\r\n");
        std::fwrite(record.data(), 1, record.size(), file);
    });
}

int MLTX_pszFindCodePage(std::string_view language, const std::string& directory, std::string& ccsid,
                         std::string& codePage, size_t ulWidth, std::string* pCulture, size_t ulCultureWidth)
{
    ccsid = codePage = "0";
    if (pCulture)
        pCulture->clear();
    if (fromFile(language, directory, ccsid, codePage, ulWidth, pCulture, ulCultureWidth))
        return MLTX_SOURCE_FILE;
    for (const CodePageRow& row : kCodePages) {
        if (language != row.language)
            continue;
        const std::string cp = std::to_string(row.codePage), id = std::to_string(row.ccsid);
        if (cp.size() <= ulWidth)
            codePage = cp;
        if (id.size() <= ulWidth)
            ccsid = id;
        if (pCulture)
            *pCulture = cut(row.culture, ulCultureWidth);
        return MLTX_SOURCE_TABLE;
    }
    char machine[64] = {};
    UTC_GetCurrentPageCode(machine, sizeof machine);
    const std::string name = machine;
    if (name.rfind("en_", 0) == 0 && name.find("UTF-8") != std::string::npos)
        codePage = ulWidth >= 6 ? "CP1252" : ulWidth >= 4 ? "1252" : codePage;
    else if (name.size() <= ulWidth)
        codePage = name;
    return MLTX_SOURCE_MACHINE;
}

int MLTX_WriteTextStringsFile(const std::string& directory, const std::string& fileName,
                              const std::vector<GEN_LANGUAGE>& languages, char cTarget, GEN_STREAM stream)
{
    GEN_STREAM own = GEN_NO_STREAM;
    if (stream == GEN_NO_STREAM) {
        own = P3109_pOpenOutputFile(fileName);
        if (own == GEN_NO_STREAM)
            return -1;
    }
    std::vector<MLTX_LANGUAGE> table;
    for (const GEN_LANGUAGE& l : languages) {
        MLTX_LANGUAGE entry;
        entry.code = entryText(l.code, 5);
        std::string charset = l.charset;
        charset.resize(10, ' ');
        std::string ccsid = entryText(charset.substr(0, 5), 5), codePage = entryText(charset.substr(5, 5), 5);
        if (ccsid.empty() || codePage.empty()) {
            std::string foundCcsid, foundCodePage;
            MLTX_pszFindCodePage(entry.code, directory, foundCcsid, foundCodePage, 5, nullptr, 0);
            ccsid = ccsid.empty() ? foundCcsid : ccsid;
            codePage = codePage.empty() ? foundCodePage : codePage;
        }
        entry.ccsid = ccsid;
        entry.codePage = codePage;
        table.push_back(std::move(entry));
    }
    MLTX_WriteTextRecords(stream != GEN_NO_STREAM ? stream : own, table, CGEN_VisitTextLiterals, cTarget);
    P3109_CloseStream(own);
    CGEN_FreeTextLiterals();
    return 0;
}
