// libxml2 output written straight into a library stream: the road by which
// the XML and XSLT writers put their bytes into an LStream. The writers see
// the stream through LMsIStreamAdapter, the stream interface the document
// layer's components write to; a write that fails (the stream throws) is
// reported to libxml2 as an error, never as success; closing the buffer
// commits (flushes) the stream.
#pragma once

#include <libxml/xmlIO.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "classlib/base/lstream.h"
#include "classlib/xml/com_error.h"

// What Stat tells of a stream.
struct LStreamStatistics {
    const char16_t* name = nullptr;
    uint32_t type = 0;
    uint64_t size = 0;
    uint64_t modified = 0, accessed = 0, created = 0;
    uint32_t mode = 0, locksSupported = 0, stateBits = 0;
};

// Presents a library stream (not owned) through the stream interface: every
// method answers a result code and lets no exception out. The reference
// count starts at 1 and never deletes the adapter, which lives in the scope
// of its user.
class LMsIStreamAdapter {
public:
    explicit LMsIStreamAdapter(LStream& stream) : m_stream(stream) {}
    LMsIStreamAdapter(const LMsIStreamAdapter&) = delete;
    LMsIStreamAdapter& operator=(const LMsIStreamAdapter&) = delete;
    virtual ~LMsIStreamAdapter() = default;

    virtual uint32_t QueryInterface(const lcom::Iid& iid, void** object);
    virtual uint32_t AddRef();
    virtual uint32_t Release();
    virtual uint32_t Read(void* buffer, uint32_t count, uint32_t* read);
    virtual uint32_t Write(const void* buffer, uint32_t count, uint32_t* written);
    // Only STREAM_SEEK_SET, which rewinds whatever the distance.
    virtual uint32_t Seek(int64_t move, uint32_t origin, uint64_t* position);
    virtual uint32_t SetSize(uint64_t size);
    virtual uint32_t CopyTo(LMsIStreamAdapter* target, uint64_t count, uint64_t* read, uint64_t* written);
    virtual uint32_t Commit(uint32_t flags);
    virtual uint32_t Revert();
    virtual uint32_t LockRegion(uint64_t offset, uint64_t count, uint32_t lockType);
    virtual uint32_t UnlockRegion(uint64_t offset, uint64_t count, uint32_t lockType);
    // Only STATFLAG_NONAME; fills the name, type, size and times.
    virtual uint32_t Stat(LStreamStatistics* statistics, uint32_t flag);
    virtual uint32_t Clone(LMsIStreamAdapter** clone);

private:
    std::atomic<int32_t> m_references{1};
    LStream& m_stream;
};

// An output buffer writing through an adapter over the stream; the buffer
// owns the adapter, closing the buffer frees it. The stream must outlive it.
xmlOutputBufferPtr LStream_CreateXmlOutput(LStream& stream, xmlCharEncodingHandlerPtr encoder);

// A new, empty in-memory stream that keeps every byte written until it is
// destroyed, its memory freed with it: the output a transformation writes
// into and its result is read back from. When the memory cannot be had it
// raises ComError with E_OUTOFMEMORY.
std::unique_ptr<LStream> P3142_CreateHGlobalStream();
