// libxml2 output buffers over LStream.
#include "classlib/xml/stream_output.h"

#include <new>

#include "classlib/xml/com_error.h"

namespace lcom {
const Iid IID_IUnknown_{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const Iid IID_ISequentialStream_{0x30, 0x3A, 0x73, 0x0C, 0x1C, 0x2A, 0xCE, 0x11,
                                 0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D};
const Iid IID_IStream_{0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
}  // namespace lcom

uint32_t LMsIStreamAdapter::QueryInterface(const lcom::Iid& iid, void** object)
{
    if (!object)
        return lcom::E_POINTER_;
    if (iid == lcom::IID_IUnknown_ || iid == lcom::IID_ISequentialStream_ || iid == lcom::IID_IStream_) {
        *object = this;
        AddRef();
        return lcom::S_OK_;
    }
    *object = nullptr;
    return lcom::E_NOINTERFACE_;
}

uint32_t LMsIStreamAdapter::AddRef()
{
    return static_cast<uint32_t>(++m_references);
}

uint32_t LMsIStreamAdapter::Release()
{
    return static_cast<uint32_t>(--m_references);
}

uint32_t LMsIStreamAdapter::Read(void* buffer, uint32_t count, uint32_t* read)
{
    try {
        const uint32_t n = m_stream.read(buffer, count);
        if (read)
            *read = n;
        return lcom::S_OK_;
    } catch (...) {
        return lcom::S_FALSE_;
    }
}

uint32_t LMsIStreamAdapter::Write(const void* buffer, uint32_t count, uint32_t* written)
{
    try {
        const uint32_t n = m_stream.write(buffer, count);
        if (written)
            *written = n;
        return lcom::S_OK_;
    } catch (...) {
        return lcom::STG_E_CANTSAVE_;
    }
}

uint32_t LMsIStreamAdapter::Seek(int64_t, uint32_t origin, uint64_t*)
{
    if (origin != lcom::STREAM_SEEK_SET_)
        return lcom::STG_E_INVALIDFUNCTION_;
    try {
        m_stream.position(0);
        return lcom::S_OK_;
    } catch (...) {
        return lcom::STG_E_INVALIDFUNCTION_;
    }
}

uint32_t LMsIStreamAdapter::SetSize(uint64_t)
{
    return lcom::E_NOTIMPL_;
}

uint32_t LMsIStreamAdapter::CopyTo(LMsIStreamAdapter*, uint64_t, uint64_t*, uint64_t*)
{
    return lcom::E_NOTIMPL_;
}

uint32_t LMsIStreamAdapter::Commit(uint32_t)
{
    try {
        m_stream.flush();
        return lcom::S_OK_;
    } catch (...) {
        return lcom::STG_E_MEDIUMFULL_;
    }
}

uint32_t LMsIStreamAdapter::Revert()
{
    return lcom::E_NOTIMPL_;
}

uint32_t LMsIStreamAdapter::LockRegion(uint64_t, uint64_t, uint32_t)
{
    return lcom::STG_E_INVALIDFUNCTION_;
}

uint32_t LMsIStreamAdapter::UnlockRegion(uint64_t, uint64_t, uint32_t)
{
    return lcom::STG_E_INVALIDFUNCTION_;
}

uint32_t LMsIStreamAdapter::Stat(LStreamStatistics* statistics, uint32_t flag)
{
    if (flag != lcom::STATFLAG_NONAME_)
        return lcom::STG_E_INVALIDFLAG_;
    if (!statistics)
        return lcom::E_POINTER_;
    try {
        const uint32_t size = m_stream.getSize();
        statistics->name = nullptr;
        statistics->type = lcom::STGTY_STREAM_;
        statistics->size = size;
        statistics->modified = statistics->created = 0;
        return lcom::S_OK_;
    } catch (...) {
        return lcom::E_FAIL_;
    }
}

uint32_t LMsIStreamAdapter::Clone(LMsIStreamAdapter** clone)
{
    if (clone)
        *clone = nullptr;
    return lcom::E_NOTIMPL_;
}

namespace {

int streamWrite(void* context, const char* buffer, int len)
{
    if (len <= 0)
        return 0;
    uint32_t written = 0;
    const uint32_t rc = static_cast<LMsIStreamAdapter*>(context)->Write(buffer, static_cast<uint32_t>(len), &written);
    return rc == lcom::S_OK_ ? static_cast<int>(written) : -1;
}

int streamClose(void* context)
{
    std::unique_ptr<LMsIStreamAdapter> adapter(static_cast<LMsIStreamAdapter*>(context));
    return adapter->Commit(0) == lcom::S_OK_ ? 0 : -1;
}

}  // namespace

xmlOutputBufferPtr LStream_CreateXmlOutput(LStream& stream, xmlCharEncodingHandlerPtr encoder)
{
    auto adapter = std::make_unique<LMsIStreamAdapter>(stream);
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(streamWrite, streamClose, adapter.get(), encoder);
    if (buffer)
        adapter.release();  // closing the buffer frees it
    return buffer;
}

std::unique_ptr<LStream> P3142_CreateHGlobalStream()
{
    try {
        // Mode 0: blocks already read stay, so the content can be read again.
        return std::make_unique<LMemoryStream>(0, nullptr, 2048);
    } catch (const std::bad_alloc&) {
        throw ComError(lcom::E_OUTOFMEMORY_);
    }
}
