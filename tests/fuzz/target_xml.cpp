// The XML loader of the document layer: any bytes as UTF-8 text of a
// document; a loaded document is written out again.
#include "fuzz_target.h"

#include "classlib/base/lexception.h"
#include "classlib/xml/com_error.h"
#include "classlib/xml/dom.h"

DQOV_FUZZ_TARGET(xml)
{
    LDOMDocument document(false, false);
    try {
        document.loadXML(LWString::fromUtf8(reinterpret_cast<const char*>(data), size));
        LWString written = document.getXml();
        LDOMDocument again(false, false);
        again.loadXML(written);
    } catch (const LException&) {
    } catch (const ComError&) {}
}
