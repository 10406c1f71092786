// LStream defaults, LMemoryStream and the whole-stream readers.
#include "classlib/base/lstream.h"

#include <cstring>

#include "classlib/base/lexception.h"

uint32_t LStream::getSize() const
{
    throw LStreamOperationNotSupportedException("getSize() not supported");
}
uint32_t LStream::read(void*, uint32_t)
{
    throw LStreamOperationNotSupportedException("read() not supported");
}
uint32_t LStream::write(const void*, uint32_t)
{
    throw LStreamOperationNotSupportedException("write() not supported");
}
void LStream::position(uint32_t)
{
    throw LStreamOperationNotSupportedException("position() not supported");
}

uint32_t LStream::writeString(const char* text)
{
    if (!text || !*text)
        return 0;
    return write(text, static_cast<uint32_t>(std::strlen(text)));
}

LMemoryStream::LMemoryStream(int mode, LAllocator<char>* allocator, uint32_t blockSize)
    : m_consume(mode == 1), m_blockSize(blockSize ? blockSize : 2048)
{
    if (!allocator) {
        m_ownedAllocator = std::make_unique<LAllocator<char>>();
        allocator = m_ownedAllocator.get();
    }
    m_allocator = allocator;
    m_first = m_last = m_current = newBlock();
    m_blockCount = 1;
    m_writePtr = m_first->data;
    m_writeFree = m_blockSize;
    m_readPtr = m_first->data;
    m_readable = 0;
}

LMemoryStream::~LMemoryStream()
{
    releaseBlocks();
}

LMemoryStream::Block* LMemoryStream::newBlock()
{
    auto b = std::make_unique<Block>(Block{m_allocator, nullptr, nullptr, nullptr});
    b->data = m_allocator->allocate(m_blockSize);
    return b.release();
}

void LMemoryStream::freeBlock(Block* b)
{
    std::unique_ptr<Block> owner(b);
    owner->allocator->deallocate(owner->data);
}

void LMemoryStream::releaseBlocks()
{
    for (Block* b = m_first; b;) {
        Block* next = b->next;
        freeBlock(b);
        b = next;
    }
    m_first = m_last = m_current = nullptr;
    m_size = m_blockCount = 0;
    m_writePtr = m_readPtr = nullptr;
    m_writeFree = m_readable = 0;
}

uint32_t LMemoryStream::readableIn(const Block* b) const
{
    return b == m_last ? m_blockSize - m_writeFree : m_blockSize;
}

uint32_t LMemoryStream::write(const void* buffer, uint32_t count)
{
    if (count == 0 || !m_last)
        return 0;
    const char* src = static_cast<const char*>(buffer);
    uint32_t remaining = count;
    while (remaining >= m_writeFree) {
        if (m_writeFree > 0) {
            uint32_t n = m_writeFree;
            std::memcpy(m_writePtr, src, n);
            if (m_last == m_current)
                m_readable += n;
            src += n;
            remaining -= n;
            m_writePtr += n;
            m_writeFree = 0;
            if (remaining == 0)
                break;
        }
        Block* b = newBlock();
        b->prev = m_last;
        m_last->next = b;
        m_last = b;
        ++m_blockCount;
        m_writePtr = b->data;
        m_writeFree = m_blockSize;
    }
    if (remaining > 0) {
        std::memcpy(m_writePtr, src, remaining);
        m_writePtr += remaining;
        m_writeFree -= remaining;
        if (m_last == m_current)
            m_readable += remaining;
    }
    m_size += count;
    return count;
}

uint32_t LMemoryStream::read(void* buffer, uint32_t count)
{
    if (count == 0 || !m_current)
        return 0;
    char* dst = static_cast<char*>(buffer);
    uint32_t remaining = count, done = 0;
    while (remaining >= m_readable) {
        if (m_readable > 0) {
            std::memcpy(dst + done, m_readPtr, m_readable);
            done += m_readable;
            remaining -= m_readable;
            m_readPtr += m_readable;
            m_readable = 0;
            if (remaining == 0)
                break;
        }
        Block* next = m_current->next;
        if (!next)
            break;
        Block* left = m_current;
        m_current = next;
        if (m_consume) {
            // The block just read is given back; the stream shrinks by it.
            m_first = next;
            next->prev = nullptr;
            freeBlock(left);
            m_size -= m_blockSize;
            --m_blockCount;
        }
        m_readPtr = m_current->data;
        m_readable = readableIn(m_current);
    }
    if (remaining > 0 && remaining < m_readable) {
        std::memcpy(dst + done, m_readPtr, remaining);
        m_readPtr += remaining;
        m_readable -= remaining;
        done += remaining;
    }
    m_transferred += done;
    return done;
}

void LMemoryStream::position(uint32_t offset)
{
    if (offset != 0 || !m_first)
        return;
    m_current = m_first;
    m_readPtr = m_first->data;
    m_readable = readableIn(m_first);
    m_transferred = 0;
}

uint32_t LMemoryStream::peekAll(void* buffer, uint32_t count) const
{
    char* dst = static_cast<char*>(buffer);
    uint32_t done = 0;
    for (const Block* b = m_first; b && done < count; b = b->next) {
        uint32_t n = readableIn(b);
        if (n > count - done)
            n = count - done;
        std::memcpy(dst + done, b->data, n);
        done += n;
    }
    return done;
}

namespace {

// Reads the whole stream from its start. A memory stream in consume mode
// would give its blocks away while being read, so it is copied instead.
uint32_t readWhole(LStream& stream, void* buffer, uint32_t size)
{
    stream.position(0);
    if (auto* memory = dynamic_cast<LMemoryStream*>(&stream))
        return memory->peekAll(buffer, size);
    return stream.read(buffer, size);
}

}  // namespace

LCharBuffer LStream_ReadAllText(LStream& stream)
{
    uint32_t size = stream.getSize();
    auto data = std::make_unique<char[]>(static_cast<size_t>(size) + 1);
    uint32_t got = readWhole(stream, data.get(), size);
    data[got < size ? got : size] = '\0';
    stream.position(0);
    LCharBuffer result;
    uint32_t length = static_cast<uint32_t>(std::strlen(data.get()));
    result.adopt(std::move(data), length);
    return result;
}

LWString LStream_ReadAllWideText(LStream& stream)
{
    uint32_t size = stream.getSize();
    uint32_t n = size / 2;
    auto data = std::make_unique<char16_t[]>(static_cast<size_t>(n) + 1);
    // Read into a byte area: an odd last byte must not land past the array.
    auto bytes = std::make_unique<char[]>(static_cast<size_t>(size) + 1);
    uint32_t got = readWhole(stream, bytes.get(), size);
    uint32_t count = got / 2;
    if (count > n)
        count = n;
    std::memcpy(data.get(), bytes.get(), static_cast<size_t>(count) * 2);
    data[count] = u'\0';
    stream.position(0);
    return LWString(std::move(data), false);
}
