// Fixed-field helpers: moves, fills and digit conversions on blank-padded
// fields that are never terminated, and the two allocators of the library.
#include "dqov/runcontrol/fix.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runcontrol/rc_internal.h"

namespace {

void moveLeft(const void* src, uint32_t srcLen, void* tgt, uint32_t tgtLen)
{
    if (!src || !tgt)
        return;
    std::memmove(tgt, src, std::min(srcLen, tgtLen));
}

void moveRight(const void* src, uint32_t srcLen, void* tgt, uint32_t tgtLen)
{
    if (!src || !tgt)
        return;
    auto* s = static_cast<const char*>(src);
    auto* t = static_cast<char*>(tgt);
    if (srcLen >= tgtLen)
        std::memmove(t, s + (srcLen - tgtLen), tgtLen);
    else
        std::memmove(t + (tgtLen - srcLen), s, srcLen);
}

void fill(void* field, uint32_t len, char c)
{
    if (field)
        std::memset(field, static_cast<unsigned char>(c), len);
}

// The value's magnitude as 15 zero-padded digits (no terminator).
void fifteenDigits(int32_t value, char out[15])
{
    long long v = value < 0 ? -static_cast<long long>(value) : value;
    for (int i = 14; i >= 0; --i) {
        out[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
}

}  // namespace

extern "C" {

void FIX_MoveLeft(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftB(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftC(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftD(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftE(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftF(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}
void FIX_MoveLeftG(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveLeft(s, sl, t, tl);
}

void FIX_MoveRight(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveRight(s, sl, t, tl);
}
void FIX_MoveRightB(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveRight(s, sl, t, tl);
}
void FIX_MoveRightC(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveRight(s, sl, t, tl);
}
void FIX_MoveRightD(const void* s, uint32_t sl, void* t, uint32_t tl)
{
    moveRight(s, sl, t, tl);
}

void FIX_FillBlanks(void* f, uint32_t l)
{
    fill(f, l, ' ');
}
void FIX_FillBlanksB(void* f, uint32_t l)
{
    fill(f, l, ' ');
}
void FIX_FillBlanksC(void* f, uint32_t l)
{
    fill(f, l, ' ');
}
void FIX_FillBlanksD(void* f, uint32_t l)
{
    fill(f, l, ' ');
}
void FIX_FillHighValues(void* f, uint32_t l)
{
    fill(f, l, '\xFF');
}
void FIX_FillLowValues(void* f, uint32_t l)
{
    fill(f, l, '\0');
}
void FIX_FillChar(void* f, uint32_t l, char c)
{
    fill(f, l, c);
}

int32_t FIX_lDigitsToLong(const char* digits, uint32_t len, int32_t* result)
{
    long long v = 0;
    uint32_t i = 0;
    while (digits && i < len && digits[i] == '0')
        ++i;
    for (; digits && i < len; ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            break;
        v = v * 10 + (digits[i] - '0');
        if (v > INT32_MAX)
            v = INT32_MAX;  // a field wider than 10 digits saturates
    }
    auto r = static_cast<int32_t>(v);
    if (result)
        *result = r;
    return r;
}

void FIX_LongToDigits(const int32_t* value, uint32_t digits, char* target)
{
    if (!value || !target)
        return;
    char d[15];
    fifteenDigits(*value, d);
    uint32_t n = std::min<uint32_t>(digits, 15);
    std::memcpy(target, d + (15 - n), n);
}

uint32_t FIX_ulZeroPadded(int64_t value, uint32_t width, char* target)
{
    char digits[20];
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    auto n = static_cast<uint32_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    uint32_t sign = value < 0 ? 1 : 0;
    uint32_t length = std::max(width, n + sign);
    if (sign)
        target[0] = '-';
    std::memset(target + sign, '0', length - n - sign);
    std::memcpy(target + length - n, digits, n);
    return length;
}

void FIX_MoveLongRight(const int32_t* value, uint32_t digits, char* target, uint32_t targetLen)
{
    if (!value || !target)
        return;
    char d[15];
    fifteenDigits(*value, d);
    uint32_t n = std::min<uint32_t>(digits, 15);
    moveRight(d + (15 - n), n, target, targetLen);
}

void FIX_MoveLongRightB(const int32_t* value, uint32_t digits, char* target, uint32_t targetLen)
{
    FIX_MoveLongRight(value, digits, target, targetLen);
}

double FIX_dDigitsToDouble(const char* digits, uint32_t len, uint32_t decimals, double* result)
{
    double v = 0;
    for (uint32_t i = 0; digits && i < len; ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            break;
        v = v * 10 + (digits[i] - '0');
    }
    v /= std::pow(10.0, decimals);
    if (result)
        *result = v;
    return v;
}

void FIX_DoubleToDigits(const double* value, uint32_t len, uint32_t decimals, char* target)
{
    if (!value || !target || len == 0)
        return;
    double scaled = std::fabs(*value) * std::pow(10.0, decimals);
    double r = std::floor(scaled + 0.5);
    for (uint32_t i = len; i-- > 0;) {
        double q = std::floor(r / 10);
        target[i] = static_cast<char>('0' + static_cast<int>(r - q * 10));
        r = q;
    }
}

void FIX_CentreText(FFC_CONTEXT*, char* text, uint32_t len, char upper)
{
    if (!text || len == 0)
        return;
    uint32_t first = 0;
    while (first < len && text[first] == ' ')
        ++first;
    if (first < len) {
        uint32_t last = len;
        while (last > first && text[last - 1] == ' ')
            --last;
        uint32_t used = last - first;
        uint32_t pad = (len - used) / 2;
        std::memmove(text + pad, text + first, used);
        std::memset(text, ' ', pad);
        std::memset(text + pad + used, ' ', len - pad - used);
    }
    if (upper == 'Y')
        for (uint32_t i = 0; i < len; ++i)
            text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
}

int32_t LoadPaddedBuffer(void* target, uint32_t targetLen, const void* source, uint32_t sourceLen)
{
    if (!target)
        return -1;
    if (sourceLen > targetLen) {
        char text[128];
        std::snprintf(text, sizeof text, "Error in LoadPaddedBuffer:Source len=%d greaterthan target len=%d",
                      static_cast<int>(sourceLen), static_cast<int>(targetLen));
        rc::IssueText(text);
        return -1;
    }
    if (source)
        std::memmove(target, source, sourceLen);
    std::memset(static_cast<char*>(target) + sourceLen, ' ', targetLen - sourceLen);
    return 0;
}

void* MEM_pAllocZeroed(size_t size)
{
    void* p = std::calloc(1, size ? size : 1);
    if (!p)
        rc::IssueServicesMessage(510, nullptr);
    return p;
}

void* MEM_pAllocFilled(size_t size, unsigned char fillByte)
{
    void* p = std::malloc(size ? size : 1);
    if (!p) {
        rc::IssueServicesMessage(510, nullptr);
        return nullptr;
    }
    std::memset(p, fillByte, size);
    return p;
}

}  // extern "C"
