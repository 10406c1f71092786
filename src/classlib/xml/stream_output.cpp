// libxml2 output buffers over LStream.
#include "classlib/xml/stream_output.h"

namespace {

int streamWrite(void* context, const char* buffer, int len)
{
    try {
        if (len <= 0)
            return 0;
        return static_cast<int>(static_cast<LStream*>(context)->write(buffer, static_cast<uint32_t>(len)));
    } catch (...) {
        return -1;
    }
}

int streamClose(void* context)
{
    try {
        static_cast<LStream*>(context)->flush();
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // namespace

xmlOutputBufferPtr LStream_CreateXmlOutput(LStream& stream, xmlCharEncodingHandlerPtr encoder)
{
    return xmlOutputBufferCreateIO(streamWrite, streamClose, &stream, encoder);
}
