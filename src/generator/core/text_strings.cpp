/*
** text_strings.cpp: the text strings file and the code pages of languages.
*/
#include "generator/core/text_strings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "generator/core/file_helpers.h"
#include "generator/core/line_writer.h"
#include "generator/core/services.h"
#include "generator/core/static_lists.h"
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
    {"ENG", 1140, 1252, "en"},    {"ARA", 420, 1256, "ar"},     {"CAT", 284, 1252, "ca"},
    {"CES", 870, 1250, "cs"},     {"CZE", 870, 1250, "cs"},     {"DAN", 1142, 1252, "da"},
    {"DEU", 1141, 1252, "de"},    {"DUT", 1140, 1252, "nl"},    {"ELL", 875, 1253, "el"},
    {"ESP", 1145, 1252, "es"},    {"FIN", 1143, 1252, "fi"},    {"FRA", 1147, 1252, "fr"},
    {"FRB", 1148, 1252, "fr-CH"}, {"FRC", 1148, 1252, "fr-CH"}, {"GRE", 875, 1253, "el"},
    {"HEB", 424, 1255, "he"},     {"ITL", 1144, 1252, "it"},    {"JPN", 5026, 932, "ja"},
    {"KOR", 933, 949, "ko"},      {"NOR", 1142, 1252, "no"},    {"POR", 1140, 1252, "pt"},
    {"SCHI", 935, 936, "zh-HK"},  {"SFRA", 1148, 1252, "fr-CH"}, {"SWE", 1143, 1252, "sv"},
    {"TCHI", 937, 950, "zh-HK"},  {"THA", 9030, 874, "th"},     {"TRK", 1026, 1254, "tr"},
    {"TUR", 1026, 1254, "tr"},
};

std::string cut(std::string_view text, size_t width) { return std::string(text.substr(0, std::min(width, text.size()))); }

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

/* Language code and code-page record of one partition language. */
struct LanguageCodePages {
    std::string code, ccsid, codePage;
};

std::string convertedText(const GEN_TEXT_LITERAL& literal, unsigned codePage, std::string_view language)
{
    size_t bytes = 0;
    char* utf8 = UTC_NativeEncodingToUTF8(codePage, literal.text.c_str(), static_cast<long>(literal.text.size()),
                                          UTC_Allocator, &bytes);
    std::string text = utf8 ? std::string(utf8, bytes) : literal.text;
    UTC_Deallocator(utf8);
    const char* replacement = language == "JPN" ? "\xC2\xA5" : language == "KOR" ? "\xE2\x82\xA9" : nullptr;
    if (!replacement)
        return text;
    std::string out;
    for (char c : text)
        out += c == '\\' ? std::string(replacement) : std::string(1, c);
    return out;
}

void writeRecords(FILE* file, const std::vector<LanguageCodePages>& languages, char cTarget)
{
    for (const GEN_TEXT_LITERAL& literal : CGEN_TextLiterals()) {
        const LanguageCodePages* lang = nullptr;
        for (const LanguageCodePages& l : languages)
            if (l.code == literal.language) {
                lang = &l;
                break;
            }
        if (cTarget == GEN_TARGET_CSHARP) {
            const std::string line = "      public const string " + literal.csName + " = \"" +
                                     P3109_MakeCSharpLiteral(literal.text) + "\";\r\n";
            std::fwrite(line.data(), 1, line.size(), file);
            continue;
        }
        const unsigned codePage = lang ? static_cast<unsigned>(std::atoi(lang->codePage.c_str())) : 0u;
        const std::string text = convertedText(literal, codePage, literal.language);
        std::string record = std::to_string(literal.lForm);
        record += '\0';
        record += literal.cName;
        record += '\0';
        record += text;
        record += '\0';
        record += literal.language;
        record += '\0';
        record += "\r\n";
        std::fwrite(record.data(), 1, record.size(), file);
    }
}

} // namespace

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
    std::vector<LanguageCodePages> table;
    for (const GEN_LANGUAGE& l : languages) {
        LanguageCodePages entry;
        entry.code = P3109_TrimRight(cut(l.code, 5));
        std::string charset = l.charset;
        charset.resize(10, ' ');
        std::string ccsid = P3109_TrimRight(charset.substr(0, 5)), codePage = P3109_TrimRight(charset.substr(5, 5));
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
    if (FILE* file = P3109_pStreamFile(stream != GEN_NO_STREAM ? stream : own))
        writeRecords(file, table, cTarget);
    P3109_CloseStream(own);
    CGEN_FreeTextLiterals();
    return 0;
}
