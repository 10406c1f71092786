// Code pages over iconv, byte-order marks, file attributes and host paths.
#include "classlib/base/qvseam.h"

#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>

namespace lqv {
namespace {

static_assert(std::endian::native == std::endian::little, "wide text is kept as UTF-16LE in memory");

struct CodePageName {
  unsigned codePage;
  const char* iconv;
};

constexpr CodePageName kCodePages[] = {
    {0, "UTF-8"},           {65001, "UTF-8"},
    {1200, "UTF-16LE"},    {1201, "UTF-16BE"},
    {1250, "CP1250"}, {1251, "CP1251"},
    {1252, "CP1252"}, {1253, "CP1253"},
    {1254, "CP1254"}, {1255, "CP1255"},
    {1256, "CP1256"}, {1257, "CP1257"},
    {1258, "CP1258"}, {874, "CP874"},
    {932, "CP932"},     {936, "CP936"},
    {949, "CP949"}, {950, "CP950"},
    {20127, "ASCII"},    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"}, {28595, "ISO-8859-5"},
    {28597, "ISO-8859-7"}, {28605, "ISO-8859-15"},
    {20932, "EUC-JP"},     {50220, "ISO-2022-JP"},
};

const CodePageName* findCodePage(unsigned codePage) {
  for (const auto& c : kCodePages)
    if (c.codePage == codePage) return &c;
  return nullptr;
}

struct IconvHandle {
  iconv_t cd;
  IconvHandle(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (cd != (iconv_t)-1) iconv_close(cd);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool ok() const { return cd != (iconv_t)-1; }
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

std::string iconvName(unsigned codePage) {
  if (const auto* c = findCodePage(codePage)) return c->iconv;
  return "CP" + std::to_string(codePage);
}

bool convert(const char* fromCode, const char* toCode, const char* in, size_t inBytes, std::string& out) {
  out.clear();
  IconvHandle h(toCode, fromCode);
  if (!h.ok()) return false;
  char* src = const_cast<char*>(in);
  size_t left = inBytes;
  char chunk[4096];
  while (left > 0) {
    char* dst = chunk;
    size_t room = sizeof chunk;
    size_t r = iconv(h.cd, &src, &left, &dst, &room);
    out.append(chunk, sizeof chunk - room);
    if (r == (size_t)-1 && errno != E2BIG) return false;
  }
  char* dst = chunk;
  size_t room = sizeof chunk;
  if (iconv(h.cd, nullptr, nullptr, &dst, &room) == (size_t)-1) return false;
  out.append(chunk, sizeof chunk - room);
  return true;
}

BomInfo detectBom(const unsigned char* bytes, size_t count) {
  for (const auto& b : kBoms) {
    if (count < b.length) continue;
    if (std::memcmp(bytes, b.bytes, b.length) == 0) return {b.kind, b.length, b.name};
  }
  return {Bom::None, 0, nullptr};
}

size_t byteOrderMarkOffset(const unsigned char* bytes, size_t count) {
  int n = UTF_GetByteOrderMarkOffset(bytes, static_cast<int>(count));
  return n > 0 ? static_cast<size_t>(n) : 0;
}

std::string hostPath(const char* path) {
  if (!path) return {};
  std::string mapped;
  if (dqoz::MapPath(path, mapped) == 0) return mapped;
  // Paths relative to the working directory when no environment root is set.
  std::string p(path);
  if (p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]))) p.erase(0, 2);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

}  // namespace lqv
