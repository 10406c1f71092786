// Stylesheets: compiling, parameters, extension functions, encodings.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "classlib/xml/stream_output.h"
#include "classlib/xml/xslt.h"
#include "platform/qvutil/qvutil.h"
#include "xml_test_util.h"

namespace {

const char* kIdentity =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
    "<xsl:output method='xml' encoding='iso-8859-1'/>"
    "<xsl:template match='@*|node()'><xsl:copy><xsl:apply-templates select='@*|node()'/></xsl:copy></xsl:template>"
    "</xsl:stylesheet>";

const char* kPage =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'\n"
    "    xmlns:wd='urn:test:weblet' xmlns:rd='urn:test:runtime' exclude-result-prefixes='wd rd'>\n"
    "  <xsl:output method='xml' omit-xml-declaration='yes'/>\n"
    "  <xsl:param name='title' select=\"'none'\"/>\n"
    "  <xsl:param name='count' select='0'/>\n"
    "  <xsl:template match='/rd:page'>\n"
    "    <page title='{$title}' next='{$count + 1}'>\n"
    "      <xsl:for-each select='rd:field'><v><xsl:value-of select='wd:field-value(@name)'/></v></xsl:for-each>\n"
    "      <xsl:copy-of select=\"wd:weblet('std_button', 2)\"/>\n"
    "      <n><xsl:value-of select=\"count(wd:weblet('x', 3)/*)\"/></n>\n"
    "    </page>\n"
    "  </xsl:template>\n"
    "</xsl:stylesheet>\n";

const char* kWeblet =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
    "<xsl:output method='xml' omit-xml-declaration='yes'/>"
    "<xsl:template match='/w'><frag><xsl:for-each select='i'><b><xsl:value-of select='.'/></b></xsl:for-each>"
    "</frag></xsl:template></xsl:stylesheet>";

// A test extension object: field-value gives back its call as text;
// weblet runs a nested transformation and returns its result as nodes.
class TestExtensions : public LXsltExtensionObject {
public:
    explicit TestExtensions(const std::string& webletPath) { m_weblet.load(LWString::fromUtf8(webletPath.c_str())); }
    std::vector<LWString> functionNames() const override { return {u"field-value", u"weblet", u"fail"}; }
    LXsltValue call(const LWString& name, const std::vector<LXsltValue>& args) override
    {
        ++calls;
        if (name == LWString(u"field-value"))
            return LXsltValue::ofText(u"{wd:field-value('" + args.at(0).stringValue() + u"')}");
        if (name == LWString(u"fail"))
            throw WdInlinerException("weblet not found");
        LDOMDocument src(false, false);
        std::string xml = "<w>";
        EXPECT_EQ(args.at(1).kind, LXsltValue::Kind::Number);
        int n = static_cast<int>(args.at(1).number);
        for (int i = 0; i < n; ++i)
            xml += "<i>" + args.at(0).stringValue().toUtf8() + std::to_string(i) + "</i>";
        xml += "</w>";
        src.loadXML(LWString::fromUtf8(xml.c_str()));
        LCharBuffer out = m_weblet.transform(src);
        LDOMDocument result(false, false);
        result.loadXML(LWString::fromUtf8(out.c_str()));
        LDOMDocumentFragment frag = result.createDocumentFragment();
        frag.appendChild(result.selectSingleNode(u"/frag"));
        return LXsltValue::ofNodes(frag);
    }
    int calls = 0;

private:
    XSLTDoc m_weblet;
};

LDOMDocument pageDocument()
{
    LDOMDocument doc(false, true);
    doc.loadXML(u"<rd:page xmlns:rd='urn:test:runtime'><rd:field name='NAME'/><rd:field name='CITY'/></rd:page>");
    return doc;
}

}  // namespace

TEST(XsltTest, CompiledStylesheetWithParametersAndExtensionFunctions)
{
    ScratchDir dir;
    TestExtensions ext(dir.write("weblet.xsl", kWeblet));
    XSLTDoc page;
    page.load(LWString::fromUtf8(dir.write("page.xsl", kPage).c_str()));
    EXPECT_TRUE(page.isNamed(LWString::fromUtf8(dir.file("page.xsl").c_str()).c_str()));
    EXPECT_FALSE(page.isNamed(u"page.xsl")) << "the whole name, not its end";
    EXPECT_FALSE(page.isNamed(LWString::fromUtf8(dir.file("Page.xsl").c_str()).c_str())) << "case counts";
    page.setExtensionObject(&ext, u"urn:test:weblet");
    page.setParameter(u"title", LXsltValue::ofText(u"It's \"quoted\" & \u00e9"));
    page.setParameter(u"count", LXsltValue::ofNumber(41));
    LDOMDocument doc = pageDocument();
    std::string expected = "<page title=\"It's &quot;quoted&quot; &amp; \xC3\xA9\" next=\"42\">"
                           "<v>{wd:field-value('NAME')}</v><v>{wd:field-value('CITY')}</v>"
                           "<frag><b>std_button0</b><b>std_button1</b></frag><n>3</n></page>";
    LCharBuffer out = page.transform(doc);
    EXPECT_EQ(std::string(out.c_str()), expected + "\n");
    // A second run with a copy: the compiled stylesheet, parameters and the
    // extension object apply again; nothing carries over.
    XSLTDoc copy(page);
    EXPECT_EQ(std::string(copy.transform(doc).c_str()), expected + "\n");
    EXPECT_EQ(ext.calls, 8);
    // Into an empty memory stream the run leaves exactly the output bytes.
    LMemoryStream stream(1, nullptr, 16);
    copy.transformToStream(doc, stream);
    EXPECT_EQ(stream.getSize(), expected.size() + 1);
    EXPECT_EQ(std::string(LStream_ReadAllText(stream).c_str()), expected + "\n");
    EXPECT_EQ(ext.calls, 12);
    // The caller's document is unchanged by the runs.
    EXPECT_EQ(u8(doc.getXml()),
              "<rd:page xmlns:rd=\"urn:test:runtime\"><rd:field name=\"NAME\"/><rd:field name=\"CITY\"/></rd:page>\n");
    copy = copy;
    EXPECT_EQ(u8(copy.getName()), dir.file("page.xsl"));
}

TEST(XsltTest, NodeSetParameterReachesTheStylesheet)
{
    ScratchDir dir;
    XSLTDoc x;
    x.load(LWString::fromUtf8(
        dir.write("p.xsl", "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                           "<xsl:output method='text'/><xsl:param name='rows'/><xsl:param name='none'/>"
                           "<xsl:template match='/'><xsl:value-of select='count($rows)'/>:"
                           "<xsl:value-of select='$rows[2]/@n'/>:<xsl:value-of select='count($none)'/>"
                           "</xsl:template></xsl:stylesheet>")
            .c_str()));
    LDOMDocument rows(false, false);
    rows.loadXML(u"<all><row n='1'/><row n='2'/></all>");
    LDOMDocumentFragment two = rows.createDocumentFragment();
    two.appendChild(rows.selectSingleNode(u"/all/row"));
    two.appendChild(rows.selectSingleNode(u"/all/row"));
    x.setParameter(u"rows", LXsltValue::ofNodes(two));
    x.setParameter(u"none", LXsltValue::ofNodes(LDOMNode()));
    EXPECT_EQ(std::string(x.transform(pageDocument()).c_str()), "2:2:0");
    EXPECT_EQ(std::string(x.transform(pageDocument()).c_str()), "2:2:0");  // each run gets its own copy
}

// Records what its one function "seen" is given, and answers a count.
class ArgumentProbe : public LXsltExtensionObject {
public:
    std::vector<LWString> functionNames() const override { return {u"seen"}; }
    LXsltValue call(const LWString&, const std::vector<LXsltValue>& args) override
    {
        for (const LXsltValue& a : args) {
            std::string d;
            switch (a.kind) {
            case LXsltValue::Kind::Text: d = "text:" + a.stringValue().toUtf8(); break;
            case LXsltValue::Kind::Number: d = "number:" + a.stringValue().toUtf8(); break;
            case LXsltValue::Kind::Boolean: d = "boolean:" + a.stringValue().toUtf8(); break;
            case LXsltValue::Kind::Nodes:
                d = "nodes";
                // The nodes themselves: their names and their parents in the tree.
                for (xmlNodePtr n : a.nodeList)
                    d += std::string(" ") + reinterpret_cast<const char*>(n->name) + "<" +
                         (n->parent && n->parent->type == XML_ELEMENT_NODE
                              ? reinterpret_cast<const char*>(n->parent->name)
                              : "-");
                d += " =" + a.stringValue().toUtf8();
                break;
            }
            seen.push_back(d);
        }
        return LXsltValue::ofNumber(static_cast<double>(args.size()));
    }
    std::vector<std::string> seen;
};

TEST(XsltTest, ExtensionArgumentsKeepTheirTypesAndNodeSetsTheirNodes)
{
    ScratchDir dir;
    ArgumentProbe probe;
    XSLTDoc x;
    x.load(LWString::fromUtf8(
        dir.write("a.xsl",
                  "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:p='urn:probe'"
                  " xmlns:rd='urn:test:runtime'><xsl:output method='text'/>"
                  "<xsl:variable name='tree'><t>x</t><u>y</u></xsl:variable>"
                  "<xsl:template match='/'><xsl:value-of select=\"p:seen('s', 2.5, true(), /rd:page/rd:field, "
                  "/rd:page/rd:none)\"/>,<xsl:value-of select='p:seen($tree)'/></xsl:template></xsl:stylesheet>")
            .c_str()));
    x.setExtensionObject(&probe, u"urn:probe");
    EXPECT_EQ(std::string(x.transform(pageDocument()).c_str()), "5,1");
    std::vector<std::string> expected = {
        "text:s", "number:2.5", "boolean:true", "nodes field<page field<page =", "nodes =", "nodes t<- u<- =x"};
    EXPECT_EQ(probe.seen, expected);
}

TEST(XsltTest, StylesheetsWriteNoFilesAndReadNothingFromTheNetwork)
{
    ScratchDir dir;
    dir.write("local.xml", "<v>local</v>");
    dir.write("entity.xml", "<!DOCTYPE v [<!ENTITY e SYSTEM 'local.xml'>]><v>&e;</v>");
    auto run = [&](const std::string& body) -> std::string {
        XSLTDoc x;
        x.load(LWString::fromUtf8(
            dir.write("s.xsl", "<xsl:stylesheet version='1.1' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                               "<xsl:output method='text'/><xsl:template match='/'>" +
                                   body + "</xsl:template></xsl:stylesheet>")
                .c_str()));
        try {
            return x.transform(pageDocument()).c_str();
        } catch (const LXSLTException& e) {
            return e.message();
        }
    };
    std::string written = dir.file("written.txt");
    EXPECT_NE(run("<xsl:document href='" + written + "' method='text'>x</xsl:document>").find("write rights"),
              std::string::npos);
    EXPECT_NE(access(written.c_str(), F_OK), 0);
    EXPECT_NE(run("<xsl:value-of select=\"count(document('http://127.0.0.1:9/x.xml'))\"/>").find("read rights"),
              std::string::npos);
    EXPECT_EQ(run("<xsl:value-of select=\"document('" + dir.file("local.xml") + "')/v\"/>"), "local");
    // A document read by document() pulls in no external entity.
    EXPECT_EQ(run("<xsl:value-of select=\"count(document('" + dir.file("entity.xml") + "'))\"/>"), "0");
}

TEST(XsltTest, ExtensionFailureStopsTheTransformation)
{
    ScratchDir dir;
    TestExtensions ext(dir.write("weblet.xsl", kWeblet));
    XSLTDoc x;
    x.load(LWString::fromUtf8(
        dir.write("f.xsl", "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' "
                           "xmlns:wd='urn:test:weblet'><xsl:template match='/'>"
                           "<a><xsl:value-of select=\"wd:fail('q')\"/></a></xsl:template></xsl:stylesheet>")
            .c_str()));
    x.setExtensionObject(&ext, u"urn:test:weblet");
    try {
        x.transform(pageDocument());
        FAIL();
    } catch (const LXSLTException& e) {
        EXPECT_NE(std::string(e.message()).find("weblet not found"), std::string::npos) << e.message();
    }
    // Without the extension object the function is unknown.
    XSLTDoc y(x);
    y.setExtensionObject(nullptr, LWString());
    EXPECT_THROW(y.transform(pageDocument()), LXSLTException);
}

TEST(XsltTest, BadStylesheets)
{
    ScratchDir dir;
    XSLTDoc x;
    EXPECT_THROW(x.transform(pageDocument()), LXSLTException);  // nothing compiled yet
    try {
        x.load(LWString::fromUtf8(
            dir.write("broken.xsl", "<xsl:stylesheet\n version='1.0'>\n<oops></xsl:stylesheet>").c_str()));
        FAIL();
    } catch (const LXSLTException& e) {
        EXPECT_NE(std::string(e.message()).find("line 3"), std::string::npos) << e.message();
    }
    try {
        x.load(LWString::fromUtf8(
            dir.write("wrong.xsl", "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                   "<xsl:template match='/'><xsl:value-of select='1 +'/></xsl:template>"
                                   "</xsl:stylesheet>")
                .c_str()));
        FAIL();
    } catch (const LXSLTException& e) {
        std::string m = e.message();
        EXPECT_EQ(m.rfind("Code=80004005\n", 0), 0u) << m;
        EXPECT_NE(m.find("Source=libxslt"), std::string::npos) << m;
    }
    EXPECT_THROW(x.load(LWString::fromUtf8(dir.file("missing.xsl").c_str())), LXSLTException);
    EXPECT_TRUE(x.getName().isNull());  // a failed load does not rename the object
    // The imports-only load reports through the document layer.
    EXPECT_THROW(x.load(LWString::fromUtf8(dir.file("missing.xsl").c_str()), true), LDOMException);
}

TEST(XsltTest, ImportsListIsCutBeforeXsl)
{
    ScratchDir dir;
    std::string path =
        dir.write("imports.xsl", "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                 "<xsl:import href='std_layout.xsl'/><xsl:import href='lib/dir/common.xsl'/>"
                                 "<xsl:import href='noext'/><xsl:import href='a.xsl.bak'/></xsl:stylesheet>");
    XSLTDoc x;
    EXPECT_THROW(x.getImports(), LException);
    x.load(LWString::fromUtf8(path.c_str()), true);
    auto imports = x.getImports();
    ASSERT_EQ(imports->capacity(), 4);
    EXPECT_EQ(u8(imports->entry(0)), "std_layout");
    EXPECT_EQ(u8(imports->entry(1)), "lib/dir/common");
    EXPECT_EQ(u8(imports->entry(2)), "noext");
    EXPECT_EQ(u8(imports->entry(3)), "a");
    // a new holder each time, copied from the list the stylesheet keeps
    auto again = x.getImports();
    EXPECT_NE(again.get(), imports.get());
    EXPECT_EQ(u8(again->entry(1)), "lib/dir/common");
    XSLTDoc compiled;
    compiled.load(LWString::fromUtf8(
        dir.write("plain.xsl", "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'/>")
            .c_str()));
    EXPECT_THROW(compiled.getImports(), LException) << "a compiling load lists no imports";
}

// The stream a transformation writes into: empty when made, keeping what
// is written until it is destroyed, readable again after a rewind.
TEST(XsltTest, TransformationStreamKeepsItsBytes)
{
    std::unique_ptr<LStream> stream = P3142_CreateHGlobalStream();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->getSize(), 0u);
    const std::string text(5000, 'x');
    EXPECT_EQ(stream->write(text.data(), static_cast<uint32_t>(text.size())), 5000u);
    EXPECT_EQ(stream->getSize(), 5000u);
    std::string back(5000, '\0');
    stream->position(0);
    EXPECT_EQ(stream->read(back.data(), 5000), 5000u);
    EXPECT_EQ(back, text);
    EXPECT_EQ(stream->getSize(), 5000u) << "reading gives nothing away";
    stream->position(0);
    EXPECT_EQ(stream->read(back.data(), 5000), 5000u);
}

TEST(XsltTest, OneShotTransformerEncodings)
{
    LDOMDocument source(false, true);
    source.loadXML(u"<r a='\u00e9'>caf\u00e9 \u20ac</r>");
    LDOMDocument style(false, false);
    style.loadXML(LWString::fromUtf8(kIdentity));
    LXslTransformer t;

    LCharBuffer latin = t.transform(source, style, "ISO-8859-1");
    EXPECT_EQ(std::string(latin.c_str()),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r a=\"\xE9\">caf\xE9 &#8364;</r>\n");

    LCharBuffer utf16 = t.transform(source, style, "UTF-16");
    // The true byte count is kept, though UTF-16 text holds zero bytes.
    EXPECT_GT(utf16.length(), std::strlen(utf16.c_str()));
    LWString back = LWString::fromMultiByteCodePage(nullptr, 0);
    std::string bytes(utf16.c_str(), utf16.length());
    std::string decoded;
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        decoded += bytes[i];
    EXPECT_NE(decoded.find("<r a="), std::string::npos) << decoded;

    // Without an encoding: the default code page's charset, written into the
    // stylesheet document.
    char charset[26];
    ASSERT_EQ(UTC_GetIANACharset(0, 0, charset, sizeof charset), 0);
    LCharBuffer def = t.transform(source, style);
    EXPECT_NE(u8(style.getXml()).find(std::string("encoding=\"") + charset + "\""), std::string::npos);
    EXPECT_NE(std::string(def.c_str()).find("<r a="), std::string::npos);

    // A stylesheet without xsl:output is left as it is.
    LDOMDocument plain(false, false);
    plain.loadXML(u"<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                  u"<xsl:template match='/'><out><xsl:value-of select='/r'/></out></xsl:template></xsl:stylesheet>");
    std::string before = u8(plain.getXml());
    LCharBuffer p = t.transform(source, plain, "UTF-8");
    EXPECT_EQ(u8(plain.getXml()), before);
    EXPECT_EQ(std::string(p.c_str()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<out>caf\xC3\xA9 \xE2\x82\xAC</out>\n");
    // The node-level form gives the same bytes.
    LCharBuffer q = LDOMNode::transformNode(source, plain);
    EXPECT_EQ(std::string(q.c_str()), std::string(p.c_str()));
    // So does a stylesheet held as a wrapped document.
    XsltDomDocument wrapped(plain);
    LCharBuffer w = t.transform(source, wrapped, "UTF-8");
    EXPECT_EQ(std::string(w.c_str()), std::string(p.c_str()));
}

TEST(XsltTest, GuidsAndStreamText)
{
    std::set<std::string> seen;
    for (int i = 0; i < 2; ++i) {
        std::string g = u8(P3142_MakeGuidString());
        EXPECT_EQ(g.size(), 32u);
        EXPECT_EQ(g.find_first_not_of("0123456789ABCDEF"), std::string::npos) << g;
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 2u);

    LMemoryStream empty;
    uint32_t sizeSeen = 99;
    auto consumer = [](void* ctx, std::unique_ptr<char[]>& a, uint32_t size) -> int32_t {
        *static_cast<uint32_t*>(ctx) = size;
        return a[size] == '\0' ? 7 : -1;
    };
    EXPECT_EQ(MSXMLDOM::readStreamText(&empty, &sizeSeen, consumer, false), 7);
    EXPECT_EQ(sizeSeen, 0u);
    EXPECT_EQ(MSXMLDOM::readStreamText(&empty, &sizeSeen, nullptr, false), 0);
}
