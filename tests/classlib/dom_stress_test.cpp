// Ownership under heavy moving, copying and dropping of facades and
// documents (run under AddressSanitizer with leak checking); and libxml2
// output into a library stream.
#include <gtest/gtest.h>

#include <libxml/xmlsave.h>

#include <random>

#include "classlib/xml/dom.h"
#include "classlib/xml/stream_output.h"
#include "xml_test_util.h"

TEST(DomStressTest, NodesWanderBetweenDocumentsThatComeAndGo)
{
    std::mt19937 rng(12345);
    std::vector<LDOMDocument> docs;
    std::vector<LDOMElement> roots;
    std::vector<LDOMNode> nodes;
    for (int d = 0; d < 3; ++d) {
        docs.emplace_back(false, d % 2 == 0);
        roots.push_back(docs.back().createElementNS(u"urn:s", u"s:root"));
        docs.back().appendChild(roots.back());
    }
    for (int step = 0; step < 3000; ++step) {
        int d = static_cast<int>(rng() % docs.size());
        switch (rng() % 7) {
        case 0: nodes.push_back(docs[d].createElementNS(u"urn:s", u"s:e")); break;
        case 1: nodes.push_back(docs[d].createTextNode(u"t")); break;
        case 2:
        case 3:
            if (!nodes.empty()) {
                LDOMNode n = nodes[rng() % nodes.size()];
                LDOMNode parent = rng() % 2 || nodes.empty() ? LDOMNode(roots[d]) : nodes[rng() % nodes.size()];
                try {
                    parent.appendChild(n);
                } catch (const LDOMException&) {
                    // text parents and cycles are refused
                }
            }
            break;
        case 4:
            if (!nodes.empty()) {
                LDOMNode n = nodes[rng() % nodes.size()];
                try {
                    LDOMNode(LDOMNode(n)).cloneNode(true).getXml();
                } catch (const ComError&) {}
            }
            break;
        case 5:
            if (!nodes.empty())
                nodes.erase(nodes.begin() + static_cast<long>(rng() % nodes.size()));
            break;
        case 6:
            if (rng() % 20 == 0) {
                // A document goes (its facades too); a new one takes its place.
                docs[d] = LDOMDocument(false, true);
                roots[d] = docs[d].createElementNS(u"urn:s", u"s:root");
                docs[d].appendChild(roots[d]);
            } else {
                roots[d].removeChildren();
            }
            break;
        }
    }
    for (auto& doc : docs)
        EXPECT_FALSE(doc.getXml().isNull());
    for (auto& n : nodes)
        EXPECT_FALSE(n.getNodeName().isNull());
    docs.clear();
    roots.clear();
    // The remaining node facades keep their documents alive on their own.
    for (auto& n : nodes)
        EXPECT_FALSE(n.getXml().isNull());
}

namespace {

class FailingStream : public LStream {
public:
    uint32_t write(const void*, uint32_t) override { throw LStreamException("disk full"); }
};

}  // namespace

TEST(StreamOutputTest, WritesGoIntoTheStreamAndFailuresAreErrors)
{
    LDOMDocument doc(false, false);
    doc.loadXML(u"<a><b>text</b></a>");
    xmlDocPtr raw = reinterpret_cast<xmlDocPtr>(doc.raw());

    LMemoryStream good;
    xmlOutputBufferPtr out = LStream_CreateXmlOutput(good, nullptr);
    ASSERT_NE(out, nullptr);
    xmlSaveFormatFileTo(out, raw, "UTF-8", 0);
    EXPECT_EQ(std::string(LStream_ReadAllText(good).c_str()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a><b>text</b></a>\n");

    FailingStream bad;
    xmlOutputBufferPtr failing = LStream_CreateXmlOutput(bad, nullptr);
    EXPECT_LT(xmlSaveFormatFileTo(failing, raw, "UTF-8", 0), 0);
}
