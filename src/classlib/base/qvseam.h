// Small seam over the utility and OS services the class library needs:
// code-page conversion, IANA charset names, byte-order marks, file
// attributes and host paths. Written on iconv and POSIX directly, so the
// class library builds on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lqv {

// The active code page of this system (code page 0) is UTF-8.
constexpr unsigned kActiveCodePage = 0;

// iconv name for a Windows code-page number (0 and 65001 are UTF-8).
std::string iconvName(unsigned codePage);
// IANA charset name of a code page ("UTF-8", "windows-1252", ...).
std::string ianaCharset(unsigned codePage);

// Converts bytes between two iconv encodings; false on any failure.
bool convert(const char* fromCode, const char* toCode, const char* in, size_t inBytes, std::string& out);

// Wide (UTF-16, host order) to bytes in a code page, handing converted
// pieces of at most chunkSize bytes to the writer. False when the text
// cannot be converted.
using ChunkWriter = void (*)(void* context, const char* bytes, size_t count);
bool wideToMultiByteStream(const char16_t* text, size_t count, unsigned codePage, size_t chunkSize,
                           ChunkWriter writer, void* context);

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

// Read-only attribute (attribute code 1) of a file: >0 set, 0 clear, <0 error.
int checkReadOnly(const char* path);
bool setReadOnly(const char* path, bool readOnly);

// Maps a path written with backslashes (and maybe a drive prefix) to the host.
std::string hostPath(const char* path);

}  // namespace lqv
