// Code-page names, byte-order marks and host paths.
#include "classlib/base/qvseam.h"

#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"
#include "platform/qvutil/qvutil_iconv.h"

#include <cctype>
#include <cstring>

namespace lqv {
namespace {

// Code pages the utility library does not name.
constexpr struct {
    unsigned codePage;
    const char* iconv;
} kExtraCodePages[] = {
    {20932, "EUC-JP"},
};

struct BomEntry {
    unsigned char bytes[4];
    size_t length;
    Bom kind;
    const char* name;
};

// Longer marks first: FF FE 00 00 is UTF-32LE, not UTF-16LE.
constexpr BomEntry kBoms[] = {
    {{0xFF, 0xFE, 0x00, 0x00}, 4, Bom::Utf32LE, "UTF-32LE"},
    {{0x00, 0x00, 0xFE, 0xFF}, 4, Bom::Utf32BE, "UTF-32BE"},
    {{0xDD, 0x73, 0x66, 0x73}, 4, Bom::Unsupported, "UTF-EBCDIC"},
    {{0x84, 0x31, 0x95, 0x33}, 4, Bom::Unsupported, "GB18030"},
    {{0xEF, 0xBB, 0xBF, 0x00}, 3, Bom::Utf8, "UTF-8"},
    {{0x2B, 0x2F, 0x76, 0x00}, 3, Bom::Unsupported, "UTF-7"},
    {{0xF7, 0x64, 0x4C, 0x00}, 3, Bom::Unsupported, "UTF-1"},
    {{0x0E, 0xFE, 0xFF, 0x00}, 3, Bom::Unsupported, "SCSU"},
    {{0xFB, 0xEE, 0x28, 0x00}, 3, Bom::Unsupported, "BOCU-1"},
    {{0xFF, 0xFE, 0x00, 0x00}, 2, Bom::Utf16LE, "UTF-16LE"},
    {{0xFE, 0xFF, 0x00, 0x00}, 2, Bom::Utf16BE, "UTF-16BE"},
};

}  // namespace

std::string iconvName(unsigned codePage)
{
    // Code page 0 is UTF-8 in the class library, while the utility library
    // takes 0 for the locale's code page.
    if (const char* name = qvutil::IconvName(codePage == 0 ? UTC_CP_UTF8 : codePage))
        return name;
    for (const auto& c : kExtraCodePages)
        if (c.codePage == codePage)
            return c.iconv;
    return "CP" + std::to_string(codePage);
}

BomInfo detectBom(const unsigned char* bytes, size_t count)
{
    for (const auto& b : kBoms) {
        if (count < b.length)
            continue;
        if (std::memcmp(bytes, b.bytes, b.length) == 0)
            return {b.kind, b.length, b.name};
    }
    return {Bom::None, 0, nullptr};
}

std::string hostPath(const char* path)
{
    if (!path)
        return {};
    std::string mapped;
    unsigned long rc = dqoz::MapPath(path, mapped);
    if (rc == DQOZ_NO_ERROR)
        return mapped;
    // A path refused under a root (one that climbs above it) maps to nothing,
    // so it cannot reach a file outside the environment.
    if (rc != DQOZ_ERROR_NO_ROOT)
        return {};
    // Paths relative to the working directory when no environment root is set.
    std::string p(path);
    if (p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0])))
        p.erase(0, 2);
    for (char& c : p)
        if (c == '\\')
            c = '/';
    return p;
}

}  // namespace lqv
