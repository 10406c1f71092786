// libxml2 output written straight into a library stream: the road by which
// the XML and XSLT writers put their bytes into an LStream. A write that
// fails (the stream throws) is reported to libxml2 as an error, never as
// success; closing the buffer flushes the stream.
#pragma once

#include <libxml/xmlIO.h>

#include "classlib/base/lstream.h"

xmlOutputBufferPtr LStream_CreateXmlOutput(LStream& stream, xmlCharEncodingHandlerPtr encoder);
