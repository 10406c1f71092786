// Trace writers: lines filtered by an on/off switch and a level, appended to
// a file that several processes may write at once (each line is written
// whole under a lock on the file), and the choice of the next numbered trace
// file "<base>.001" to "<base>.999" in a directory.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "classlib/base/lstrings.h"

// The lock name of a trace file: its name with '\' and ':' turned into '_'.
std::string LTraceWriterOutput_MutexName(const char* fileName);

class LTraceWriterOutput {
public:
    explicit LTraceWriterOutput(const char* fileName);
    LTraceWriterOutput(const LTraceWriterOutput& other);
    LTraceWriterOutput& operator=(const LTraceWriterOutput&) = delete;
    ~LTraceWriterOutput() = default;

    // Appends the text and CR LF as one line; 0 when written, -1 when the
    // line was lost (lock not taken within 15 s, file not opened).
    int writeLine(const char* text);
    // Formats into the 1,024-byte buffer (cut when longer) and writes it;
    // the formatting result (-1 when the text was cut).
    int vprintf(const char* format, va_list args);
    const std::string& fileName() const { return *m_name; }
    // The name of the lock shared by every writer of the file (the lock itself
    // is taken on the open file).
    std::string mutexName() const { return LTraceWriterOutput_MutexName(m_name->c_str()); }

private:
    std::shared_ptr<const std::string> m_name;
    std::string m_hostName;  // m_name mapped to the host once, not per line
    std::unique_ptr<char[]> m_buffer;
};

class LTraceWriter {
public:
    explicit LTraceWriter(std::unique_ptr<LTraceWriterOutput> output = nullptr) : m_output(std::move(output)) {}
    LTraceWriter(const LTraceWriter& other);
    LTraceWriter& operator=(const LTraceWriter&) = delete;
    virtual ~LTraceWriter() = default;

    void setOn(bool on) { m_on = on; }
    void setLevel(int32_t level) { m_level = level; }
    void attachOutput(std::unique_ptr<LTraceWriterOutput> output) { m_output = std::move(output); }
    bool isEnabled(int32_t level) const { return m_on && level <= m_level && m_output; }

    void write(int32_t level, const char* text);
    int trace(int32_t level, const char* format, ...) __attribute__((format(printf, 3, 4)));
    int vtrace(int32_t level, const char* format, va_list args);

private:
    bool m_on = false;
    int32_t m_level = 0;
    std::unique_ptr<LTraceWriterOutput> m_output;
};

class TspTraceWriter : public LTraceWriter {
public:
    TspTraceWriter() = default;
    TspTraceWriter(const TspTraceWriter& other) = default;
};

// Starts the next numbered trace file "<directory>\<base>.nnn" (one above
// the highest number present, whatever order the directory lists its names
// in; names whose suffix is not a number are skipped) and writes its first
// line. The empty text when no file could be started (.999 taken, no
// directory, lock not taken).
LCharBuffer LTraceWriterOutput_NextNumberedFile(const char* directory, const char* baseName);
bool LTraceWriterOutput_NextFileName(const char* directory, const char* baseName, char* destination,
                                     size_t destinationSize);
