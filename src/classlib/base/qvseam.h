// Text and path helpers of the class library: conversions between code
// pages and UTF-16 over iconv, byte-order marks (including the marks of
// encodings that cannot be read) and the mapping of Windows-form paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lqv {

// The active code page of this system (code page 0) is UTF-8.
constexpr unsigned kActiveCodePage = 0;

// iconv name for a Windows code-page number (0 and 65001 are UTF-8).
std::string iconvName(unsigned codePage);

// Converts bytes between two iconv encodings; false on any failure.
bool convert(const char* fromCode, const char* toCode, const char* in, size_t inBytes, std::string& out);

// Byte-order marks.
enum class Bom { None, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE, Unsupported };
struct BomInfo {
  Bom kind;
  size_t length;     // bytes of the mark
  const char* name;  // encoding name for iconv, or the mark's name
};
// Looks at up to the first four bytes.
BomInfo detectBom(const unsigned char* bytes, size_t count);
// Length of the byte-order mark at the start of the bytes (0 when none).
size_t byteOrderMarkOffset(const unsigned char* bytes, size_t count);

// Maps a path written with backslashes (and maybe a drive prefix) to the host.
std::string hostPath(const char* path);

}  // namespace lqv
