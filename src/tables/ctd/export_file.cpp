// Table-definition export file: header, records of numbered fields in packed
// decimal, optional run-length compression, end record.
#include "tables/ctd/ctd.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kHeaderLength = 26;
constexpr size_t kMinRun = 7;
constexpr uint16_t kEndRecord = 999;

}  // namespace

X_CTD_EXPORT_FILE::~X_CTD_EXPORT_FILE()
{
    if (stream)
        std::fclose(stream);
}

void X_CTD_PackDecimal(unsigned char* buffer, size_t n, uint32_t value)
{
    std::memset(buffer, 0, n);
    for (size_t i = n; i-- > 0 && value != 0;) {
        unsigned low = value % 10;
        value /= 10;
        unsigned high = value % 10;
        value /= 10;
        buffer[i] = static_cast<unsigned char>((high << 4) | low);
    }
}

uint32_t X_CTD_UnpackDecimal(const unsigned char* buffer, size_t n)
{
    uint32_t value = 0;
    for (size_t i = 0; i < n; ++i) {
        value = value * 10 + ((buffer[i] >> 4) & 0x0F);
        value = value * 10 + (buffer[i] & 0x0F);
    }
    return value;
}

int X_CTD_OpenExportFile(const char* path, X_CTD_EXPORT_FILE_PTR& handle, int mode)
{
    handle = std::make_unique<X_CTD_EXPORT_FILE>();
    X_CTD_EXPORT_FILE& h = *handle;
    h.mode = mode;
    h.stored.assign(X_CTD_EXPORT_BUFFER, 0);
    h.work.assign(X_CTD_EXPORT_BUFFER, 0);
    if (mode != 1 && mode != 2 && mode != 3)
        return 0;
    h.stream = path ? std::fopen(path, mode == 1 ? "rb" : "wb") : nullptr;
    if (!h.stream)
        return 0;
    if (mode == 1) {
        char header[kHeaderLength];
        if (std::fread(header, 1, kHeaderLength, h.stream) != kHeaderLength)
            return 0;
        if (std::memcmp(header, X_CTD_EXPORT_HEADER_NORM, kHeaderLength) == 0)
            h.compressed = 0;
        else if (std::memcmp(header, X_CTD_EXPORT_HEADER_COMP, kHeaderLength) == 0)
            h.compressed = 1;
        else
            return 0;
    } else {
        h.compressed = mode == 3 ? 1 : 0;
        std::fwrite(mode == 3 ? X_CTD_EXPORT_HEADER_COMP : X_CTD_EXPORT_HEADER_NORM, 1, kHeaderLength, h.stream);
    }
    return std::ferror(h.stream) ? 0 : 1;
}

size_t X_CTD_CompressRecord(const X_CTD_EXPORT_FILE& handle, const unsigned char* body, size_t length,
                            unsigned char* output, size_t outputSize)
{
    if (!handle.compressed) {
        if (length > outputSize)
            return static_cast<size_t>(-1);
        std::memcpy(output, body, length);
        return length;
    }
    size_t out = 0;
    size_t openItem = static_cast<size_t>(-1);  // position of the open 'S' item
    uint32_t openCount = 0;
    auto closeItem = [&] {
        if (openItem != static_cast<size_t>(-1))
            X_CTD_PackDecimal(output + openItem + 1, 4, openCount);
        openItem = static_cast<size_t>(-1);
        openCount = 0;
    };
    size_t i = 0;
    while (i < length) {
        size_t run = 1;
        while (i + run < length && body[i + run] == body[i])
            ++run;
        if (run >= kMinRun) {
            closeItem();
            if (out + 6 > outputSize)
                return static_cast<size_t>(-1);
            output[out] = 'P';
            output[out + 1] = body[i];
            X_CTD_PackDecimal(output + out + 2, 4, static_cast<uint32_t>(run));
            out += 6;
            i += run;
            continue;
        }
        if (openItem == static_cast<size_t>(-1)) {
            if (out + 5 > outputSize)
                return static_cast<size_t>(-1);
            openItem = out;
            output[out] = 'S';
            out += 5;
        }
        if (out + 1 > outputSize)
            return static_cast<size_t>(-1);
        output[out++] = body[i++];
        ++openCount;
    }
    closeItem();
    if (out + 1 > outputSize)
        return static_cast<size_t>(-1);
    output[out++] = 'E';
    return out;
}

size_t X_CTD_ExpandRecord(const X_CTD_EXPORT_FILE& handle, const unsigned char* stored, size_t length,
                          unsigned char* output, size_t outputSize)
{
    const size_t bad = static_cast<size_t>(-1);
    if (!handle.compressed) {
        if (length > outputSize)
            return bad;
        std::memcpy(output, stored, length);
        return length;
    }
    size_t in = 0, out = 0;
    while (in < length) {
        unsigned char item = stored[in];
        if (item == 'S') {
            if (in + 5 > length)
                return bad;
            uint32_t count = X_CTD_UnpackDecimal(stored + in + 1, 4);
            in += 5;
            if (count > length - in || count > outputSize - out)
                return bad;
            std::memcpy(output + out, stored + in, count);
            in += count;
            out += count;
        } else if (item == 'P') {
            if (in + 6 > length)
                return bad;
            uint32_t count = X_CTD_UnpackDecimal(stored + in + 2, 4);
            if (count > outputSize - out)
                return bad;
            std::memset(output + out, stored[in + 1], count);
            out += count;
            in += 6;
        } else {
            break;  // 'E' or any other byte ends the body
        }
    }
    return out;
}

int32_t X_CTD_WriteExportRecord(X_CTD_EXPORT_FILE& h)
{
    if (!h.stream)
        return 2;
    std::vector<unsigned char>& work = h.work;
    size_t pos = 0;
    X_CTD_PackDecimal(work.data(), 2, h.recordCode);
    pos = 2;
    const size_t fields = std::min<size_t>(h.fieldCount, X_CTD_EXPORT_FIELDS);
    for (size_t i = 0; i < fields; ++i) {
        uint32_t n = std::min<uint32_t>(h.fields[i].length, X_CTD_EXPORT_FIELD_LEN);
        X_CTD_PackDecimal(work.data() + pos, 4, n);
        pos += 4;
        std::memcpy(work.data() + pos, h.fields[i].data, n);
        pos += n;
    }
    size_t stored = X_CTD_CompressRecord(h, work.data(), pos, h.stored.data() + 4, h.stored.size() - 4);
    if (stored == static_cast<size_t>(-1))
        return 3;
    X_CTD_PackDecimal(h.stored.data(), 4, static_cast<uint32_t>(stored));
    size_t written = std::fwrite(h.stored.data(), 1, stored + 4, h.stream);
    if (std::ferror(h.stream))
        return 2;
    return written == stored + 4 ? 0 : 3;
}

int32_t X_CTD_ReadExportRecord(X_CTD_EXPORT_FILE& h)
{
    if (!h.stream)
        return 2;
    auto readExactly = [&](unsigned char* into, size_t n) -> int32_t {
        size_t got = std::fread(into, 1, n, h.stream);
        if (got == n)
            return 0;
        if (std::ferror(h.stream))
            return 2;
        if (got == 0 && std::feof(h.stream))
            return 1;
        return 3;
    };
    unsigned char lengthBytes[4];
    int32_t rc = readExactly(lengthBytes, 4);
    if (rc)
        return rc;
    uint32_t length = X_CTD_UnpackDecimal(lengthBytes, 4);
    if (length > h.stored.size())
        return 3;
    rc = readExactly(h.stored.data(), length);
    if (rc)
        return rc == 1 ? 3 : rc;
    size_t body = X_CTD_ExpandRecord(h, h.stored.data(), length, h.work.data(), h.work.size());
    if (body == static_cast<size_t>(-1) || body < 2)
        return 3;
    h.recordCode = static_cast<uint16_t>(X_CTD_UnpackDecimal(h.work.data(), 2));
    h.fieldCount = 0;
    size_t pos = 2;
    while (pos < body) {
        // A record that does not fit the current-record area is refused.
        if (h.fieldCount >= X_CTD_EXPORT_FIELDS || pos + 4 > body)
            return 3;
        uint32_t n = X_CTD_UnpackDecimal(h.work.data() + pos, 4);
        pos += 4;
        if (n > X_CTD_EXPORT_FIELD_LEN || n > body - pos)
            return 3;
        X_CTD_EXPORT_FIELD& field = h.fields[h.fieldCount++];
        field.length = n;
        std::memcpy(field.data, h.work.data() + pos, n);
        pos += n;
    }
    return 0;
}

int32_t X_CTD_CloseExportFile(X_CTD_EXPORT_FILE_PTR& handle)
{
    if (!handle)
        return 1;
    int32_t result = 1;
    X_CTD_EXPORT_FILE& h = *handle;
    if (h.stream) {
        if (h.mode != 1) {
            h.recordCode = kEndRecord;
            h.fieldCount = 0;
            if (X_CTD_WriteExportRecord(h) != 0)
                result = 0;
        }
        if (std::fclose(h.stream) != 0)
            result = 0;
        h.stream = nullptr;
    }
    handle.reset();
    return result;
}
