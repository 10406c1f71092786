// Byte streams of the class library: the abstract LStream, the block
// allocator and the growable in-memory stream, plus whole-stream readers.
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/base/lstrings.h"

class LStream {
public:
    LStream() = default;
    LStream(const LStream&) = delete;
    LStream& operator=(const LStream&) = delete;
    virtual ~LStream() = default;

    // Bytes read since construction or the last rewind.
    virtual uint32_t getTransferred() const { return m_transferred; }
    virtual uint32_t getBlockSize() const { return 2048; }
    virtual uint32_t getSize() const;
    virtual uint32_t read(void* buffer, uint32_t count);
    // Writes the text's bytes without the terminator; null or empty writes nothing.
    virtual uint32_t writeString(const char* text);
    virtual uint32_t write(const void* buffer, uint32_t count);
    virtual void flush() {}
    virtual void position(uint32_t offset);

protected:
    uint32_t m_transferred = 0;
};

template <class T> class LAllocator {
public:
    virtual ~LAllocator() = default;
    virtual T* allocate(size_t size) { return new T[size]; }
    virtual void deallocate(T*& p)
    {
        delete[] p;
        p = nullptr;
    }
};

// In-memory stream of fixed-size blocks. In consume mode (mode 1) blocks
// already read are released as reading moves on. position(0) rewinds;
// other offsets are ignored.
class LMemoryStream : public LStream {
public:
    explicit LMemoryStream(int mode = 1, LAllocator<char>* allocator = nullptr, uint32_t blockSize = 2048);
    ~LMemoryStream() override;

    uint32_t getBlockSize() const override { return m_blockSize; }
    uint32_t getSize() const override { return m_size; }
    uint32_t read(void* buffer, uint32_t count) override;
    uint32_t write(const void* buffer, uint32_t count) override;
    void position(uint32_t offset) override;

    uint32_t getBlockCount() const { return m_blockCount; }
    // Copies up to count bytes from the start without reading (nothing is
    // consumed), so whole-stream readers leave the content in place.
    uint32_t peekAll(void* buffer, uint32_t count) const;
    void releaseBlocks();

private:
    struct Block {
        LAllocator<char>* allocator;
        char* data;
        Block* prev;
        Block* next;
    };
    Block* newBlock();
    void freeBlock(Block* b);
    uint32_t readableIn(const Block* b) const;

    bool m_consume;
    std::unique_ptr<LAllocator<char>> m_ownedAllocator;
    LAllocator<char>* m_allocator;
    uint32_t m_blockSize;
    Block* m_first = nullptr;
    Block* m_last = nullptr;
    Block* m_current = nullptr;
    uint32_t m_size = 0;
    uint32_t m_blockCount = 0;
    char* m_writePtr = nullptr;
    uint32_t m_writeFree = 0;
    char* m_readPtr = nullptr;
    uint32_t m_readable = 0;
};

// The whole stream as text: rewinds, reads every byte, rewinds again. The
// buffer's length is that of the text up to its first zero byte.
LCharBuffer LStream_ReadAllText(LStream& stream);
// The whole stream as UTF-16 characters (size / 2 of them); rewinds after.
LWString LStream_ReadAllWideText(LStream& stream);
