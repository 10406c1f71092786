/*
** version_resource.cpp: the version resource of the resource script.
**
** The texts of the object's record go into the script between quotes: a
** double quote of theirs is doubled, as the resource compiler reads it, and
** a line break becomes a blank. A version text must be four numbers of at
** most 65535 separated by '.' or ','; any other text would make a script
** the resource compiler refuses, so it is reported and the default version
** stands in.
*/
#include "generator/core/model/version_resource.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "generator/core/output/generator_identity.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "platform/dqoz/dqoz.h"

namespace {

constexpr const char* kMakerPrefix = "VELMO_";
constexpr const char* kDefaultHeaderVersion = "1,0,0,0";
constexpr const char* kDefaultStringVersion = "1.0.0.0";

bool present(const char* text)
{
    return text != nullptr && *text != '\0';
}

/* Rewrites every '.' and ',' of the text in place into the separator. */
void setSeparators(char* text, char separator)
{
    for (char* p = text; *p; ++p)
        if (*p == '.' || *p == ',')
            *p = separator;
}

/* Four numbers of at most 65535 separated by '.' or ','. */
bool isFourNumbers(std::string_view text)
{
    int parts = 0;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find_first_of(".,", at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view part = text.substr(at, end - at);
        if (part.empty() || part.size() > 5 || part.find_first_not_of("0123456789") != std::string_view::npos ||
            std::atol(std::string(part).c_str()) > 65535)
            return false;
        ++parts;
        at = end + 1;
    }
    return parts == 4;
}

/* The record's version text, when it is usable; an unusable one is
** reported once and forgotten. */
char* usableVersion(char*& text, const char* what, const RCGEN_CONTEXT& context)
{
    if (!present(text))
        return nullptr;
    if (isFourNumbers(text))
        return text;
    P3109_IssueTextMessage('W', "WARNING : " + std::string(what) + " \"" + std::string(text).substr(0, 20) + "\" of " +
                                    context.moduleName + " is not four numbers: 1.0.0.0");
    text = nullptr;
    return nullptr;
}

/* A text of the object as a quoted value of the script. */
std::string scriptText(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '"')
            out += "\"\"";
        else if (*p == '\r' || *p == '\n')
            out += ' ';
        else
            out += *p;
    }
    return out;
}

std::string generationTime()
{
    DQOZ_DATETIME now{};
    DosGetDateTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", unsigned{now.year}, unsigned{now.month},
                  unsigned{now.day}, unsigned{now.hours}, unsigned{now.minutes}, unsigned{now.seconds});
    return text;
}

void writeValue(GEN_STREAM stream, int iIndent, const char* name, const char* value)
{
    RCGEN_WriteIndented(stream, iIndent + 9, "VALUE \"%s%s\",%*s\"%s\\0\"", kMakerPrefix, name,
                        static_cast<int>(18 - std::string_view(name).size()), "", value);
}

void writeObjectValue(GEN_STREAM stream, int iIndent, const char* label, const char* value)
{
    RCGEN_WriteIndented(stream, iIndent + 9, "VALUE %s\"%s\\0\"", label, scriptText(value).c_str());
}

}  // namespace

void RCGEN_WriteIndented(GEN_STREAM stream, int iIndent, const char* pszFormat, ...)
{
    FILE* f = P3109_pStreamFile(stream);
    if (!f)
        return;
    char text[1024];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(text, sizeof text, pszFormat, args);
    va_end(args);
    std::fprintf(f, "%*s%s\r\n", iIndent, "", text);
}

void RCGEN_WriteVersionHeader(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent)
{
    OSRV_VERSION_DATA* v = context.pVersion;
    char* fileVersion = v ? usableVersion(v->pszFileVersion, "File version", context) : nullptr;
    char* productVersion = v ? usableVersion(v->pszProductVersion, "Product version", context) : nullptr;
    if (fileVersion)
        setSeparators(fileVersion, ',');
    if (productVersion)
        setSeparators(productVersion, ',');
    RCGEN_WriteIndented(stream, iIndent, "%s", "");
    RCGEN_WriteIndented(stream, iIndent, "%s", "");
    RCGEN_WriteIndented(stream, iIndent, "%d VERSIONINFO", 1);
    RCGEN_WriteIndented(stream, iIndent, "FILEVERSION     %s", fileVersion ? fileVersion : kDefaultHeaderVersion);
    RCGEN_WriteIndented(stream, iIndent, "PRODUCTVERSION  %s", productVersion ? productVersion : kDefaultHeaderVersion);
    RCGEN_WriteIndented(stream, iIndent, "FILEFLAGSMASK   %d", 63);
    RCGEN_WriteIndented(stream, iIndent, "#if defined(X_DEBUG)");
    RCGEN_WriteIndented(stream, iIndent, "   FILEFLAGS      0x1L");
    RCGEN_WriteIndented(stream, iIndent, "#else");
    RCGEN_WriteIndented(stream, iIndent, "   FILEFLAGS      0x0L");
    RCGEN_WriteIndented(stream, iIndent, "#endif");
    RCGEN_WriteIndented(stream, iIndent, "FILEOS          %d", 4);
    RCGEN_WriteIndented(stream, iIndent, "FILETYPE        %d", 2);
    RCGEN_WriteIndented(stream, iIndent, "FILESUBTYPE     %d", 0);
    RCGEN_WriteIndented(stream, iIndent, "BEGIN");
    RCGEN_WriteIndented(stream, iIndent, "   BLOCK \"StringFileInfo\"");
    RCGEN_WriteIndented(stream, iIndent, "   BEGIN");
    RCGEN_WriteIndented(stream, iIndent, "      BLOCK \"040904E4\"");
    RCGEN_WriteIndented(stream, iIndent, "      BEGIN");
}

void RCGEN_WriteMakerValues(GEN_STREAM stream, int iIndent)
{
    writeValue(stream, iIndent, "CompanyName", GEN_COMPANY_NAME);
    writeValue(stream, iIndent, "FileVersion", GEN_VERSION_LABEL);
    writeValue(stream, iIndent, "LegalCopyright", GEN_COPYRIGHT);
    writeValue(stream, iIndent, "ProductVersion", GEN_PRODUCT_VERSION_LABEL);
    writeValue(stream, iIndent, "BuildTimeStamp", GEN_BUILD_DATE);
    writeValue(stream, iIndent, "BuildNumber", GEN_BUILD_NUMBER_TEXT);
    writeValue(stream, iIndent, "EPCNumber", GEN_FIX_PACK);
}

void RCGEN_WriteStringValues(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent)
{
    const OSRV_VERSION_DATA* v = context.pVersion;
    struct Optional {
        const char* label;
        const char* value;
    };
    const Optional optional[] = {
        {"\"CompanyName\",     ", v ? v->pszCompanyName : nullptr},
        {"\"LegalCopyright\",  ", v ? v->pszLegalCopyright : nullptr},
        {"\"LegalTrademarks\", ", v ? v->pszLegalTrademarks : nullptr},
        {"\"ProductName\",     ", v ? v->pszProductName : nullptr},
        {"\"Comments\",        ", v ? v->pszComments : nullptr},
    };
    for (const Optional& o : optional)
        if (present(o.value))
            writeObjectValue(stream, iIndent, o.label, o.value);
    char* productVersion = v ? v->pszProductVersion : nullptr;
    char* fileVersion = v ? v->pszFileVersion : nullptr;
    if (present(productVersion))
        setSeparators(productVersion, '.');
    if (present(fileVersion))
        setSeparators(fileVersion, '.');
    writeObjectValue(stream, iIndent, "\"ProductVersion\",  ",
                     present(productVersion) ? productVersion : kDefaultStringVersion);
    writeObjectValue(stream, iIndent, "\"FileVersion\",     ",
                     present(fileVersion) ? fileVersion : kDefaultStringVersion);
    writeObjectValue(stream, iIndent, "\"FileDescription\", ", context.moduleName.c_str());
    writeObjectValue(stream, iIndent, "\"InternalName\",    ", context.moduleName.c_str());
    RCGEN_WriteIndented(stream, iIndent + 9, "VALUE \"OriginalFilename\",\"%s.DLL\\0\"",
                        scriptText(context.moduleName.c_str()).c_str());
    writeObjectValue(stream, iIndent, "\"BuildTimeStamp\",  ", generationTime().c_str());
    writeObjectValue(stream, iIndent, "\"Partition\",       ", context.partition.c_str());
}

void RCGEN_WriteVersionInfo(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent)
{
    RCGEN_WriteVersionHeader(stream, context, iIndent);
    RCGEN_WriteMakerValues(stream, iIndent);
    RCGEN_WriteStringValues(stream, context, iIndent);
    RCGEN_WriteIndented(stream, iIndent, "      END");
    RCGEN_WriteIndented(stream, iIndent, "   END");
    RCGEN_WriteIndented(stream, iIndent, "   BLOCK \"VarFileInfo\"");
    RCGEN_WriteIndented(stream, iIndent, "   BEGIN");
    RCGEN_WriteIndented(stream, iIndent, "      VALUE \"Translation\", 0x409, 1252");
    RCGEN_WriteIndented(stream, iIndent, "   END");
    RCGEN_WriteIndented(stream, iIndent, "END");
    RCGEN_WriteIndented(stream, iIndent, "%s", "");
    RCGEN_WriteIndented(stream, iIndent, "%s", "");
}
