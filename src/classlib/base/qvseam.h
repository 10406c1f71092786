// Text and path helpers of the class library: the iconv name of a code
// page (code page 0 is UTF-8 here), byte-order marks including the marks of
// encodings that cannot be read, and the mapping of Windows-form paths.
// Conversions themselves go through qvutil::Convert.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lqv {

// The active code page of this system (code page 0) is UTF-8.
constexpr unsigned kActiveCodePage = 0;

// iconv name for a Windows code-page number (0 and 65001 are UTF-8).
std::string iconvName(unsigned codePage);

// Byte-order marks.
enum class Bom { None, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE, Unsupported };
struct BomInfo {
    Bom kind;
    size_t length;     // bytes of the mark
    const char* name;  // encoding name for iconv, or the mark's name
};
// Looks at up to the first four bytes.
BomInfo detectBom(const unsigned char* bytes, size_t count);

// Maps a path written with backslashes (and maybe a drive prefix) to the host:
// below the environment root when one is set (the empty text for a path
// the OS layer refuses), else relative to the working directory.
std::string hostPath(const char* path);

}  // namespace lqv
