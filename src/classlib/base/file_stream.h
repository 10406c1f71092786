// LStreamFile: a named file opened in one of four modes, optionally under a
// one-byte lock at offset 0 that makes concurrent writers wait or fail, with
// reads, writes, seeks that can skip a byte-order mark, and whole-file
// operations. Every failure throws LStreamFileException with the system's
// text. A file object cannot be copied: two copies would close one handle.
#pragma once

#include <cstdint>
#include <memory>

#include "classlib/base/lstrings.h"
#include "classlib/base/timing.h"

class LStreamFile {
public:
    enum Mode : uint32_t { kRead = 1, kWriteNew = 2, kWrite = 3, kReadWrite = 4 };
    enum Origin : int { kFromStart = 0, kFromEnd = 1, kAfterByteOrderMark = 2, kFromCurrent = 3 };

    explicit LStreamFile(const char* fileName);
    LStreamFile(const LStreamFile&) = delete;
    LStreamFile& operator=(const LStreamFile&) = delete;
    virtual ~LStreamFile();

    // Sharing modes have no meaning here and are accepted for the callers.
    void open(uint32_t mode, uint32_t share = 0);
    // Opens and locks byte 0: shared for mode 1, else exclusive; waits for the
    // lock when wait is true, else fails at once (LStreamFileLockException,
    // the file closed again).
    void openLocked(uint32_t mode, bool wait);
    uint32_t read(void* buffer, uint32_t count);
    uint32_t write(const void* buffer, uint32_t count);
    uint32_t seek(int origin, int32_t offset);
    uint32_t size() const;
    LDateTime lastWriteTime() const;
    void close();
    bool isOpen() const { return m_fd >= 0; }
    uint32_t mode() const { return m_mode; }

    static bool exists(const char* name);
    static bool isReadOnly(const char* name);
    static void setReadOnly(const char* name);
    static void clearReadOnly(const char* name);
    static void copy(const char* from, const char* to);
    static void move(const char* from, const char* to, int replace);
    static void remove(const char* name, int keepAttributes);
    static LCharBuffer readAll(const char* name);

private:
    LCharBuffer m_name;
    std::string m_host;
    uint32_t m_mode = 0;
    int m_fd = -1;
    bool m_locked = false;
};
