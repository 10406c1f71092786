/*
** Code pages and character sets over iconv.
**
** Texts are bytes in a Windows code page; the table below names each code
** page the library may meet for iconv and for IANA (the name written into
** XML and HTML output). The default code page (0) comes from the process's
** locale variables.
*/
#include "platform/qvutil/qvutil.h"
#include "platform/qvutil/qvutil_iconv.h"

#include <iconv.h>

#include <bit>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace qvutil {

namespace {

struct CodePageName {
    unsigned codePage;
    const char* iconv;
    const char* iana;
};

constexpr CodePageName kCodePages[] = {
    {37, "IBM037", "IBM037"},
    {437, "CP437", "IBM437"},
    {500, "IBM500", "IBM500"},
    {850, "CP850", "IBM850"},
    {852, "CP852", "IBM852"},
    {855, "CP855", "IBM855"},
    {857, "CP857", "IBM857"},
    {866, "CP866", "cp866"},
    {874, "CP874", "windows-874"},
    {932, "CP932", "Shift_JIS"},
    {936, "CP936", "GBK"},
    {949, "CP949", "ks_c_5601-1987"},
    {950, "CP950", "Big5"},
    {1140, "IBM1140", "IBM01140"},
    {1200, "UTF-16LE", "UTF-16LE"},
    {1201, "UTF-16BE", "UTF-16BE"},
    {1250, "CP1250", "windows-1250"},
    {1251, "CP1251", "windows-1251"},
    {1252, "CP1252", "windows-1252"},
    {1253, "CP1253", "windows-1253"},
    {1254, "CP1254", "windows-1254"},
    {1255, "CP1255", "windows-1255"},
    {1256, "CP1256", "windows-1256"},
    {1257, "CP1257", "windows-1257"},
    {1258, "CP1258", "windows-1258"},
    {10000, "MACINTOSH", "macintosh"},
    {12000, "UTF-32LE", "UTF-32LE"},
    {12001, "UTF-32BE", "UTF-32BE"},
    {20127, "ASCII", "US-ASCII"},
    {20866, "KOI8-R", "KOI8-R"},
    {21866, "KOI8-U", "KOI8-U"},
    {28591, "ISO-8859-1", "ISO-8859-1"},
    {28592, "ISO-8859-2", "ISO-8859-2"},
    {28593, "ISO-8859-3", "ISO-8859-3"},
    {28594, "ISO-8859-4", "ISO-8859-4"},
    {28595, "ISO-8859-5", "ISO-8859-5"},
    {28596, "ISO-8859-6", "ISO-8859-6"},
    {28597, "ISO-8859-7", "ISO-8859-7"},
    {28598, "ISO-8859-8", "ISO-8859-8"},
    {28599, "ISO-8859-9", "ISO-8859-9"},
    {28603, "ISO-8859-13", "ISO-8859-13"},
    {28605, "ISO-8859-15", "ISO-8859-15"},
    {50220, "ISO-2022-JP", "ISO-2022-JP"},
    {51932, "EUC-JP", "EUC-JP"},
    {51949, "EUC-KR", "EUC-KR"},
    {54936, "GB18030", "GB18030"},
    {65001, "UTF-8", "UTF-8"},
};

/* Locale code-set spellings that differ from the table's iconv names once
** case, '-' and '_' are ignored. */
constexpr struct {
    const char* codeset;
    unsigned codePage;
} kCodesetAliases[] = {
    {"SJIS", 932},  {"SHIFTJIS", 932}, {"GB2312", 936},         {"EUCCN", 936},     {"BIG5", 950},
    {"EUCTW", 950}, {"UHC", 949},      {"ANSIX3.41968", 20127}, {"USASCII", 20127},
};

const CodePageName* Find(unsigned codePage)
{
    for (const CodePageName& e : kCodePages)
        if (e.codePage == codePage)
            return &e;
    return nullptr;
}

std::string Squeeze(std::string_view s)
{
    std::string out;
    for (char c : s)
        if (c != '-' && c != '_')
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

/* The locale name in force for character handling, as the C library would
** pick it from the environment. */
std::string LocaleName()
{
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* v = std::getenv(var);
        if (v != nullptr && *v != '\0')
            return v;
    }
    return {};
}

struct IconvHandle {
    iconv_t cd;
    IconvHandle(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (ok())
            iconv_close(cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

constexpr const char* kWideName = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

}  // namespace

unsigned DefaultCodePage()
{
    std::string locale = LocaleName();
    size_t dot = locale.find('.');
    if (dot == std::string::npos)
        return 1252;  // "C", "POSIX", no locale, or a locale without a code set
    std::string codeset = locale.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    std::string key = Squeeze(codeset);
    for (const CodePageName& e : kCodePages)
        if (Squeeze(e.iconv) == key)
            return e.codePage;
    for (const auto& a : kCodesetAliases)
        if (Squeeze(a.codeset) == key)
            return a.codePage;
    return 1252;
}

const char* IconvName(unsigned codePage)
{
    const CodePageName* e = Find(codePage == 0 ? DefaultCodePage() : codePage);
    return e == nullptr ? nullptr : e->iconv;
}

const char* IanaName(unsigned codePage)
{
    const CodePageName* e = Find(codePage == 0 ? DefaultCodePage() : codePage);
    return e == nullptr ? nullptr : e->iana;
}

namespace {

/* The characters of bytes 0x80-0x9F of code page 1252 (0: no character);
** 0xA0-0xFF are the characters of the same numbers. */
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

/* Code page 1252 to UTF-8 without iconv: the default code page's texts are
** converted in every generation, and iconv would load a module of its own
** for them. The same result as iconv's, the same failure on the five
** undefined bytes. */
bool Cp1252ToUtf8(std::string_view in, std::string& out, const std::string_view* replacement)
{
    out.reserve(in.size());
    for (const char byte : in) {
        const unsigned char b = static_cast<unsigned char>(byte);
        const char16_t c = b < 0x80 ? b : b < 0xA0 ? kCp1252High[b - 0x80] : b;
        if (c == 0 && b != 0) {
            if (replacement == nullptr)
                return false;
            out.append(*replacement);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return true;
}

/* Converts `in` from `from` to `to`. A character that has no conversion
   ends the conversion (false) when `replacement` is null; otherwise it
   becomes the replacement and the conversion goes on. */
bool ConvertWith(const char* from, const char* to, std::string_view in, std::string& out,
                 const std::string_view* replacement)
{
    out.clear();
    if (from == nullptr || to == nullptr)
        return false;
    if (std::strcmp(from, "CP1252") == 0 && std::strcmp(to, "UTF-8") == 0)
        return Cp1252ToUtf8(in, out, replacement);
    IconvHandle h(to, from);
    if (!h.ok())
        return false;
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char chunk[4096];
    for (;;) {
        char* outPtr = chunk;
        size_t outLeft = sizeof chunk;
        size_t r = inLeft > 0 ? iconv(h.cd, &inPtr, &inLeft, &outPtr, &outLeft)
                              : iconv(h.cd, nullptr, nullptr, &outPtr, &outLeft);
        int err = errno;
        out.append(chunk, static_cast<size_t>(outPtr - chunk));
        if (r != static_cast<size_t>(-1)) {
            if (inLeft == 0 && outPtr == chunk)
                return true;  // input done and the shift state flushed
            continue;
        }
        if (err == E2BIG)
            continue;
        if (replacement == nullptr)
            return false;  // EILSEQ or EINVAL: not convertible as it stands
        /* The character at inPtr has no conversion. A character of `from`
           that `to` lacks would stop at the same place again, so one byte is
           stepped over for each replacement; the shift state starts afresh
           after it. */
        out.append(*replacement);
        ++inPtr;
        --inLeft;
        iconv(h.cd, nullptr, nullptr, nullptr, nullptr);
    }
}

}  // namespace

bool Convert(const char* from, const char* to, std::string_view in, std::string& out)
{
    return ConvertWith(from, to, in, out, nullptr);
}

bool ConvertReplacing(const char* from, const char* to, std::string_view in, std::string& out,
                      std::string_view replacement)
{
    return ConvertWith(from, to, in, out, &replacement);
}

}  // namespace qvutil

extern "C" int UTC_GetCurrentPageCode(char* pszBuf, int cbBuf)
{
    if (pszBuf == nullptr || cbBuf <= 0)
        return -1;
    std::string text = std::to_string(qvutil::DefaultCodePage());
    size_t room = static_cast<size_t>(cbBuf) - 1;
    size_t n = text.size() < room ? text.size() : room;
    std::memcpy(pszBuf, text.data(), n);
    pszBuf[n] = '\0';
    return n == text.size() ? 0 : -1;
}

extern "C" void* UTC_Allocator(size_t cb)
{
    return std::malloc(cb == 0 ? 1 : cb);
}

extern "C" void UTC_Deallocator(void* p)
{
    std::free(p);
}

extern "C" char* UTC_NativeEncodingToUTF8(unsigned int ulCodePage, const char* pszText, long cbText,
                                          UTC_ALLOCATOR pfnAlloc, size_t* pcbOut)
{
    if (pcbOut != nullptr)
        *pcbOut = 0;
    if (pszText == nullptr)
        return nullptr;
    size_t len = cbText < 0 ? std::strlen(pszText) : static_cast<size_t>(cbText);
    std::string utf8;
    if (!qvutil::Convert(qvutil::IconvName(ulCodePage), "UTF-8", std::string_view(pszText, len), utf8))
        return nullptr;
    if (pfnAlloc == nullptr)
        pfnAlloc = UTC_Allocator;
    char* result = static_cast<char*>(pfnAlloc(utf8.size() + 1));
    if (result == nullptr)
        return nullptr;
    std::memcpy(result, utf8.c_str(), utf8.size() + 1);
    if (pcbOut != nullptr)
        *pcbOut = utf8.size();
    return result;
}

namespace {

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

/* Hands the filled part of the buffer to the writer and empties it. */
class PieceWriter {
public:
    PieceWriter(void* ctx, char* buf, size_t size, UTC_WRITER writer)
        : ctx_(ctx), buf_(buf), size_(size), writer_(writer), out_(buf), left_(size)
    {}

    char*& out() { return out_; }
    size_t& left() { return left_; }
    size_t used() const { return static_cast<size_t>(out_ - buf_); }
    long total() const { return total_; }

    bool flush()
    {
        size_t n = used();
        if (n > 0 && writer_(ctx_, buf_, n) != 0)
            return false;
        total_ += static_cast<long>(n);
        out_ = buf_;
        left_ = size_;
        return true;
    }

private:
    void* ctx_;
    char* buf_;
    size_t size_;
    UTC_WRITER writer_;
    char* out_;
    size_t left_;
    long total_ = 0;
};

}  // namespace

extern "C" long UTC_WideCharToMultiByteStream(void* pContext, unsigned int ulCodePage, const char16_t* pwch, size_t cch,
                                              char* pbBuf, size_t cbBuf, UTC_WRITER pfnWriter)
{
    const char* target = qvutil::IconvName(ulCodePage);
    if (target == nullptr || pbBuf == nullptr || cbBuf < 8 || pfnWriter == nullptr || (pwch == nullptr && cch > 0))
        return -1;
    if (cch == 0)
        return 0;
    qvutil::IconvHandle h(target, qvutil::kWideName);
    if (!h.ok())
        return -1;
    const bool unicode = std::strncmp(target, "UTF-", 4) == 0;

    PieceWriter w(pContext, pbBuf, cbBuf, pfnWriter);
    const char16_t* cur = pwch;
    const char16_t* end = pwch + cch;
    while (cur < end) {
        char* inPtr = reinterpret_cast<char*>(const_cast<char16_t*>(cur));
        size_t inLeft = static_cast<size_t>(end - cur) * sizeof(char16_t);
        size_t r = iconv(h.cd, &inPtr, &inLeft, &w.out(), &w.left());
        int err = errno;
        cur = reinterpret_cast<const char16_t*>(inPtr);
        if (r != static_cast<size_t>(-1))
            break;
        if (err == E2BIG) {
            if (!w.flush())
                return -1;
            continue;
        }
        // A character the target cannot hold, or an unpaired surrogate: write
        // a replacement ('?', or U+FFFD for a broken surrogate in a Unicode
        // target) and go on with the next character.
        size_t units = (IsHighSurrogate(cur[0]) && cur + 1 < end && IsLowSurrogate(cur[1])) ? 2 : 1;
        bool lone = units == 1 && (IsHighSurrogate(cur[0]) || IsLowSurrogate(cur[0]));
        char16_t repl = (unicode && lone) ? char16_t{0xFFFD} : char16_t{u'?'};
        char* replPtr = reinterpret_cast<char*>(&repl);
        size_t replLeft = sizeof repl;
        while (iconv(h.cd, &replPtr, &replLeft, &w.out(), &w.left()) == static_cast<size_t>(-1)) {
            if (errno != E2BIG || w.used() == 0 || !w.flush())
                return -1;
        }
        cur += units;
    }
    // Return to the initial shift state (stateful code pages such as ISO-2022-JP).
    while (iconv(h.cd, nullptr, nullptr, &w.out(), &w.left()) == static_cast<size_t>(-1)) {
        if (errno != E2BIG || w.used() == 0 || !w.flush())
            return -1;
    }
    if (!w.flush())
        return -1;
    return w.total();
}

extern "C" int UTC_GetIANACharset(unsigned int ulCodePage, unsigned long, char* pszBuf, int cbBuf)
{
    if (pszBuf == nullptr || cbBuf <= 0)
        return -1;
    pszBuf[0] = '\0';
    const char* name = qvutil::IanaName(ulCodePage);
    if (name == nullptr || std::strlen(name) >= static_cast<size_t>(cbBuf))
        return -1;
    std::memcpy(pszBuf, name, std::strlen(name) + 1);
    return 0;
}
