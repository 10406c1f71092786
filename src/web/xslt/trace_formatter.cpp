// The document formatter of the generation trace.
#include "web/xslt/trace_formatter.h"

#include "web/tsml/tsml_names.h"

LWString P3142_TraceFormatterText()
{
    LWString text(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                  u"<xsl:transform version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" xmlns:tsml=\"");
    text.append(tsml::kTsmlNamespace);
    text.append(u"\">"
                u"<xsl:output method=\"xml\" omit-xml-declaration=\"no\" encoding=\"UTF-8\" indent=\"no\""
                u" cdata-section-elements=\"tsml:script tsml:json-list\"/>"
                u"<xsl:strip-space elements=\"*\"/>"
                u"<xsl:template match=\"*|comment()|processing-instruction()\">"
                u"<xsl:text>&#10;</xsl:text>"
                u"<xsl:copy><xsl:copy-of select=\"@*\"/><xsl:apply-templates/></xsl:copy>"
                u"</xsl:template>"
                u"<xsl:template match=\"text()\"><xsl:copy/></xsl:template>"
                u"</xsl:transform>");
    return text;
}
