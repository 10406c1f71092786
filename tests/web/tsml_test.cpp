// The TSML document model and its element builders, the JSON list, the
// weblet information and the reads of weblet stylesheets.
#include <gtest/gtest.h>

#include <string>

#include "classlib/base/lexception.h"
#include "web/tsml/layout_inspect.h"
#include "web/tsml/tsml_names.h"
#include "web/tsml/tsml_node.h"
#include "web/wam/web_support.h"

namespace {

// A compact form of a node: name, [attributes], ="text", {children}.
std::string shape(const LDOMNode& n)
{
    xmlNodePtr x = n.raw();
    if (x->type == XML_TEXT_NODE || x->type == XML_CDATA_SECTION_NODE) {
        const std::string text = n.getNodeValue().toUtf8();
        return text.empty() ? "" : "=\"" + text + "\"";
    }
    std::string s = n.getNodeName().toUtf8();
    for (xmlAttrPtr a = x->properties; a; a = a->next) {
        xmlChar* v = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(a));
        s += std::string("[") + reinterpret_cast<const char*>(a->name) + "=" + reinterpret_cast<const char*>(v) + "]";
        xmlFree(v);
    }
    std::string children;
    for (xmlNodePtr c = x->children; c; c = c->next) {
        const std::string child = shape(LDOMNode(MSXMLDOM::NodeRef(c)));
        if (!child.empty())
            children += (children.empty() ? "" : ",") + child;
    }
    return children.empty() ? s : s + "{" + children + "}";
}

std::string children(const LDOMNode& n)
{
    std::string s;
    for (xmlNodePtr c = n.raw()->children; c; c = c->next)
        s += (s.empty() ? "" : " ") + LDOMNode(MSXMLDOM::NodeRef(c)).getNodeName().toUtf8();
    return s;
}

TsmlFieldRecord field(const char* name, char type, uint32_t length, int16_t digits = 0, int16_t decimals = 0)
{
    TsmlFieldRecord f;
    f.name = name;
    f.type = static_cast<unsigned char>(type);
    f.length = length;
    f.totalDigits = digits;
    f.decimals = decimals;
    f.mode = 2;
    f.usedFor = 3;
    return f;
}

ListInfo list(const char* name, uint32_t inlineSetting, uint32_t mode = 2, uint32_t format = 0)
{
    ListInfo l{};
    std::snprintf(l.szName, sizeof l.szName, "%s", name);
    l.ulMapFor = 2;
    l.ulMode = mode;
    l.ulInline = inlineSetting;
    l.ulOutputFormat = format;
    return l;
}

TechServiceSet serviceSet(const char* name, std::initializer_list<const char*> apps)
{
    TechServiceSet set;
    set.name = LWString::fromMultiByte(name);
    for (const char* app : apps)
        set.entries.insert(FieldWebletInfo(LWStringRecord3("HTML", app, ""), "00000001000000002"));
    return set;
}

class Tsml : public ::testing::Test {
protected:
    LDOMDocument doc{false, false};
};

TEST_F(Tsml, FormatsOfFieldTypes)
{
    FormatFactory f(doc);
    auto format = [&](TsmlFieldRecord r) { return shape(f.build(r)); };
    const std::string packed = format(field("P", 'P', 7, 7, 2));
    EXPECT_EQ("tsml:format{tsml:type{=\"packed\"},tsml:display-max-length{=\"12\"},tsml:max-length{=\"7\"},"
              "tsml:total-digits{=\"7\"},tsml:fraction-digits{=\"2\"},tsml:decimal-separator{=\".\"}}",
              packed);
    EXPECT_NE(std::string::npos, format(field("S", 'S', 5, 5, 0)).find("display-max-length{=\"9\"}"));
    EXPECT_NE(std::string::npos, format(field("P", 'P', 3, 3, 5)).find("display-max-length{=\"7\"}"))
        << "(3 - 5) / 3 truncates to 0";
    EXPECT_NE(std::string::npos, format(field("I", 'I', 8)).find("display-max-length{=\"26\"}"));
    EXPECT_NE(std::string::npos, format(field("I", 'I', 3)).find("display-max-length{=\"26\"}"));
    EXPECT_NE(std::string::npos, format(field("F", 'F', 8)).find("display-max-length{=\"25\"}"));
    TsmlFieldRecord alpha = field("A", 'A', 12);
    alpha.flags = kFieldLowerCase;
    EXPECT_NE(std::string::npos, format(alpha).find("tsml:input-case{=\"mixedcase\"},tsml:keyboardshift{=\" \"}}"));
    TsmlFieldRecord chars = field("H", 'H', 4);
    chars.flags = kFieldNonDisplay | kFieldSqlNullable;
    chars.keyboardShift = 'K';
    EXPECT_NE(std::string::npos, format(chars).find("tsml:keyboardshift{=\"K\"},tsml:non-display{=\"true\"},"
                                                    "tsml:sql-nullable{=\"true\"}}"));
    EXPECT_EQ(std::string::npos, format(field("E", 'E', 10)).find("input-case"));
    EXPECT_NE(std::string::npos, format(field("X", 'X', 3)).find("tsml:type,")) << "an unknown type writes no text";
}

TEST_F(Tsml, FieldsColumnsAndRuntimeDataItems)
{
    FieldFactory fields(doc);
    ColumnFactory columns(doc);
    TsmlValueEntry values[] = {{"Smith & Sons", "SMITH", nullptr, 0}, {"Jones", "JONES", "*VAR", 1}};
    TsmlFieldRecord f = field("CUSTNAM", 'A', 3);
    f.valueCount = 2;
    f.values = values;
    f.sampleValue = "ignored";
    f.captionKind = 3;
    f.heading1 = "Customer";
    const uint32_t codePage = 0;
    WebletReference none;
    const std::string built = shape(fields.build(f, &codePage, none));
    EXPECT_NE(std::string::npos, built.find("tsml:sample-value{=\"SMITH\"}")) << "the first entry's value";
    EXPECT_NE(std::string::npos, built.find("tsml:caption[ref=headings]{tsml:label,tsml:description,"
                                            "tsml:heading-1{=\"Customer\"},tsml:heading-2,tsml:heading-3}"));
    EXPECT_EQ(std::string::npos, built.find("use-weblet"));
    TechServiceSet set = serviceSet("std_dropdown.inline", {"DESKTOP"});
    WebletReference ref{&set, LWString(u"ID1")};
    const std::string column = shape(columns.build(f, ref));
    EXPECT_EQ(std::string::npos, column.find("caption"));
    EXPECT_NE(std::string::npos,
              column.find("tsml:use-weblet[name=std_dropdown.inline]{tsml:select-one-id{=\"ID1\"}}"));

    QvmlItemFactory items(doc);
    EXPECT_EQ("qvml:item[default=true]{qvml:caption{qvml:variable[name=VAR]},qvml:value{=\"JONES\"}}",
              shape(items.build("Jones", "JONES", "*VAR", 1)));
    EXPECT_EQ("qvml:item{qvml:caption{=\"Smith & Sons\"},qvml:value{=\"SMITH\"}}",
              shape(items.build("Smith & Sons", "SMITH", "", 0)))
        << "the default attribute is not left behind";
    EXPECT_EQ("qvml:item{qvml:caption{=\"Tot\xC3\xA4\"},qvml:value{=\"Sm\xC3\xB6h\"}}",
              shape(items.build("Tot\xE4", "Sm\xF6h", "", 0, 1252)))
        << "a value entry's texts are read in the document's code page, as its field's texts are";
}

TEST_F(Tsml, WebRoutineDocumentSections)
{
    WebRoutineTsmlDoc d(&doc, 2);
    LDOMElement data = d.dataElement();
    const std::string order =
        "tsml:server-instructions tsml:replaced-qvml tsml:weblets tsml:qvml-data tsml:context tsml:options "
        "tsml:variables tsml:messages tsml:fields tsml:lists";
    EXPECT_EQ(order, children(data));
    EXPECT_EQ("true", tsml::attributeValue(data, u"full-document").toUtf8());
    EXPECT_EQ("none", tsml::attributeValue(data, u"inline").toUtf8()) << "inline mode 2 is not lists";

    d.setLanguage(u"ENG", u"en");
    d.setContextValue(u"language", u"FRA");
    d.setContextValue(u"webroutine", u"A");
    d.setContextValue(u"webroutine", u"B");
    EXPECT_EQ("tsml:context{tsml:language[iso-lang=en]{=\"FRA\"},tsml:webroutine{=\"B\"}}",
              shape(data.selectSingleNode(u"tsml:context")));
    d.setOption(u"debug", u"");
    d.setOption(u"trace", u"on");
    d.setOption(u"trace", u"");
    EXPECT_EQ("tsml:options{tsml:option[name=debug],tsml:option[name=trace]}",
              shape(data.selectSingleNode(u"tsml:options")));
    d.setSsi(u"yes");
    EXPECT_EQ("tsml:server-instructions{tsml:client-charset,tsml:cookies}",
              shape(data.selectSingleNode(u"tsml:server-instructions")));
    d.setSsi(u"");
    d.setSsi(u"true");
    EXPECT_EQ("tsml:server-instructions{tsml:client-charset,tsml:cookies,tsml:ssi{=\"true\"}}",
              shape(data.selectSingleNode(u"tsml:server-instructions")));

    d.insertIntoDataBefore(tsml::element(doc, u"tsml:extra"), u"tsml:messages");
    d.insertIntoDataBefore(tsml::element(doc, u"tsml:last"), u"tsml:nothing");
    EXPECT_NE(std::string::npos, children(data).find("tsml:variables tsml:extra tsml:messages"));
    EXPECT_EQ("tsml:last", children(data).substr(children(data).rfind(' ') + 1));

    // A copy shares the content; cleared, the document is as new.
    WebRoutineTsmlDoc copy(d);
    copy.setContextValue(u"webroutine", u"C");
    EXPECT_EQ("C", data.selectSingleNode(u"tsml:context/tsml:webroutine").getFirstChild().getNodeValue().toUtf8());
    d = d;
    copy.clear();
    EXPECT_EQ(order, children(data));
    EXPECT_EQ("none", tsml::attributeValue(data, u"inline").toUtf8());

    // Replaced runtime data moves out of the stored document.
    LDOMDocument qvml(false, false);
    qvml.loadXML(u"<qvml:data xmlns:qvml='http://schemas.velmo.example/2002/XML/Runtime-Data'>"
                 u"<qvml:fields><qvml:field name='A'/></qvml:fields><qvml:other/>"
                 u"<qvml:server-instructions><qvml:cookies/></qvml:server-instructions></qvml:data>");
    d.setReplacedQvml(qvml);
    EXPECT_EQ("tsml:replaced-qvml{qvml:cookies,qvml:fields{qvml:field[name=A]}}",
              shape(data.selectSingleNode(u"tsml:replaced-qvml")));
    EXPECT_EQ("qvml:data{qvml:other,qvml:server-instructions}", shape(qvml.getFirstChild()));
}

TEST_F(Tsml, NodeAndWebletDocuments)
{
    LDOMDocument fieldDoc(false, false), inlineDoc(false, false), layoutDoc(false, false);
    FieldTsmlNode node(&fieldDoc, 1);
    EXPECT_EQ("false", tsml::attributeValue(node.dataElement(), u"full-document").toUtf8());
    EXPECT_EQ("lists", tsml::attributeValue(node.dataElement(), u"inline").toUtf8());
    InlineWebletTsmlDoc inlined(&inlineDoc, 0);
    EXPECT_EQ("lists", tsml::attributeValue(inlined.dataElement(), u"inline").toUtf8());
    EXPECT_NE(std::string::npos, shape(inlined.dataElement()).find("tsml:requester{=\"generator\"}"));
    inlined.addField(field("A", 'A', 1), serviceSet("w.inline", {"DESKTOP"}));
    inlined.clear();
    EXPECT_EQ("tsml:weblets tsml:qvml-data tsml:context tsml:options tsml:variables tsml:fields",
              children(inlined.dataElement()));
    EXPECT_EQ("tsml:fields", shape(inlined.dataElement().selectSingleNode(u"tsml:fields")));
    inlined.setInlinedWeblet(u"std_image", {{u"name", u"PHOTO"}});
    EXPECT_EQ("tsml:inlined-weblet[name=std_image]{tsml:with-params{tsml:with-param{tsml:param-name{=\"name\"},"
              "tsml:param-value{=\"PHOTO\"}}}}",
              shape(inlined.dataElement().selectSingleNode(u"tsml:inlined-weblet")));
    inlined.clear();
    EXPECT_TRUE(inlined.dataElement().selectSingleNode(u"tsml:inlined-weblet").isNull());

    LDOMDocument booleanDoc(false, false), linkDoc(false, false);
    SelectBooleanWebletTsmlDoc choice(&booleanDoc, u"yesno", u"Yes or no", u"FLAG", u"radio", true);
    choice.setCaption(u"Flag");
    choice.setTrue(u"Yes", u"Y");
    choice.setFalse(u"No", u"N");
    EXPECT_EQ(
        "tsml:select-boolean[field-name=FLAG][select-ui=radio][preselect=true]{tsml:caption{=\"Flag\"},"
        "tsml:true{tsml:caption{=\"Yes\"},tsml:value{=\"Y\"}},tsml:false{tsml:caption{=\"No\"},tsml:value{=\"N\"}}}",
        shape(choice.dataElement().selectSingleNode(u"tsml:select-boolean")));
    WeblinkWebletTsmlDoc link(&linkDoc, u"link", u"Link");
    link.setTarget(u"OrderWAM", u"ShowOrder");
    link.setScript(u"go(1 < 2);");
    EXPECT_EQ("tsml:weblink{tsml:weblink-target{tsml:webapplication{=\"OrderWAM\"},tsml:webroutine{=\"ShowOrder\"}},"
              "tsml:script{=\"go(1 < 2);\"}}",
              shape(link.dataElement().selectSingleNode(u"tsml:weblink")));
    EXPECT_NE(std::string::npos, linkDoc.getXml().toUtf8().find("<![CDATA[go(1 < 2);]]>"));

    WamLayoutTsmlDoc layout(&layoutDoc, u"wam_layout", u"Layout");
    EXPECT_EQ("none", tsml::attributeValue(layout.dataElement(), u"inline").toUtf8());
    EXPECT_EQ("tsml:weblet{tsml:name{=\"wam_layout\"},tsml:title{=\"Layout\"}}",
              shape(layout.dataElement().selectSingleNode(u"tsml:context/tsml:weblet")));
}

TEST_F(Tsml, ListsAndWeblets)
{
    WebRoutineTsmlDoc d(&doc, 1);
    std::unique_ptr<ListTsmlNode> first = d.createListNode(list("L1", 0));
    EXPECT_TRUE(first->isInlined()) << "the default of an inline WAM";
    EXPECT_FALSE(first->isJsonList());
    first->writeJsonList();
    std::unique_ptr<ListTsmlNode> hidden = d.createListNode(list("L2", 2, 0));
    EXPECT_FALSE(hidden->isInlined());
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_EQ(1, doc.selectNodes(u"/tsml:data/tsml:lists").getLength()) << "the second list finds tsml:lists";
    EXPECT_EQ(
        "tsml:list[name=L1][inline=default]{tsml:mode{=\"output\"},tsml:list-header,tsml:list-entries{tsml:entry}}",
        shape(doc.selectSingleNode(u"/tsml:data/tsml:lists/tsml:list")));

    // One tsml:weblet per weblet, with or without a proxy format.
    TechServiceSet set = serviceSet("std_image.inline", {"DESKTOP", "MOBILE"});
    FieldWebletInfo withProxy = *set.entries.begin();
    set.entries.erase(set.entries.begin());
    withProxy.proxyFormat = LWString(u"");
    withProxy.templateParams.push_back({LWString(u"name"), LWString(u"caption"), {}, {}, {}});
    set.entries.insert(withProxy);
    first->addColumn(field("PHOTO", 'A', 5), set);
    first->addColumn(field("OTHER", 'A', 5), set);
    first->addColumn(field("PLAIN", 'A', 5), TechServiceSet());
    EXPECT_EQ("tsml:weblets{tsml:weblet[name=std_image.inline]{tsml:technology-services{"
              "tsml:technology-service[name=HTML:DESKTOP][mod-id=00000001000000002][proxy-format=]{"
              "tsml:template-params{tsml:template-param{tsml:param-name{=\"name\"},tsml:param-role{=\"caption\"}}}},"
              "tsml:technology-service[name=HTML:MOBILE][mod-id=00000001000000002]{tsml:template-params}}}}",
              shape(doc.selectSingleNode(u"/tsml:data/tsml:weblets")));

    TechnologyServiceList services(doc);
    TsmlAddTechnologyService(services, {LWString(u"HTML"), LWString(u"ENG")}, 3);
    EXPECT_EQ("tsml:technology-service-list{tsml:technology-service[used_by=HTML_ENG][lang-count=3]}",
              shape(services.element()));
}

// A document's tsml:lists is made, with the default sample size 5, by the
// first list node that finds none under tsml:data; the element is made
// unattached and anew at every call.
TEST_F(Tsml, ListsElementIsMadeWhereNoneIsFound)
{
    LDOMElement made = TsmlCreateListsElement(doc);
    EXPECT_EQ("tsml:lists[default-sample-size=5]", shape(made));
    EXPECT_EQ(nullptr, made.raw()->parent);
    EXPECT_FALSE(made.sameNode(TsmlCreateListsElement(doc)));

    for (uint32_t format : {0u, 1u}) {
        LDOMDocument listDoc(false, false);
        std::unique_ptr<ListTsmlNode> node = makeListNode(&listDoc, list("LINES", 0, 2, format), 1);
        ASSERT_EQ(format != 0, node->isJsonList());
        EXPECT_EQ(1, listDoc.selectNodes(u"/tsml:data/tsml:lists").getLength()) << "format " << format;
        EXPECT_EQ(
            "5",
            tsml::attributeValue(listDoc.selectSingleNode(u"/tsml:data/tsml:lists"), u"default-sample-size").toUtf8())
            << "format " << format;
    }
}

TEST_F(Tsml, JsonLists)
{
    WebRoutineTsmlDoc d(&doc, 0);
    auto json = [&](ListTsmlNode& node) {
        node.writeJsonList();
        LDOMNodeList texts = doc.selectNodes(u"/tsml:data/tsml:lists/tsml:json-list[last()]/text()");
        return texts.item(texts.getLength() - 1).getNodeValue().toUtf8();
    };
    std::unique_ptr<ListTsmlNode> l1 = d.createListNode(list("LIST1", 0, 2, 1));
    ASSERT_TRUE(l1->isJsonList());
    TsmlFieldRecord a = field("A", 'A', 1);
    a.heading1 = "Code";
    a.sampleValue = "x";
    TsmlFieldRecord n = field("N", 'P', 1);
    n.sampleValue = "0";
    l1->addColumn(a, TechServiceSet());
    l1->addColumn(n, TechServiceSet());
    EXPECT_EQ("{\"list\":{\"LIST1\":{\"header\":[{\"name\":\"A\",\"heading-1\":\"Code\"},{\"name\":\"N\"}],"
              "\"entries\":[[\"x\",0],[\"x\",0],[\"x\",0],[\"x\",0],[\"x\",0]]}}}",
              json(*l1));
    json(*l1);
    EXPECT_EQ(2, doc.selectNodes(u"/tsml:data/tsml:lists/tsml:json-list/text()").getLength())
        << "a second write appends a second CDATA section";

    std::unique_ptr<ListTsmlNode> empty = d.createListNode(list("NAME", 0, 2, 1));
    EXPECT_EQ("{\"list\":{\"NAME\":{\"header\":[],\"entries\":[[],[],[],[],[]]}}}", json(*empty));

    std::unique_ptr<ListTsmlNode> l3 = d.createListNode(list("L3", 0, 2, 1));
    TsmlFieldRecord third = field("H", 'Y', 1);
    third.heading3 = "Third";
    TsmlFieldRecord number = field("Q", 'S', 3);
    number.sampleValue = "";
    l3->addColumn(third, TechServiceSet());
    l3->addColumn(number, TechServiceSet());
    EXPECT_EQ("{\"list\":{\"L3\":{\"header\":[{\"name\":\"H\",\"heading-3\":\"Third\"},{\"name\":\"Q\"}],"
              "\"entries\":[[true,0],[true,0],[true,0],[true,0],[true,0]]}}}",
              json(*l3))
        << "a numeric column without a number writes 0, so the text stays JSON";
}

TEST_F(Tsml, WebletStylesheetReads)
{
    LDOMDocument weblet(false, false);
    weblet.loadXML(u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'"
                   u" xmlns:wd='http://schemas.velmo.example/2002/XSL/Weblet-Design'>"
                   u"<xsl:template name='Dropdown'><xsl:param name='name' wd:role='name' wd:proxy-format='list'/>"
                   u"<xsl:param name='width'/><xsl:param name='items' wd:role='entries'/></xsl:template>"
                   u"<xsl:template name=\"it's\"><xsl:param name='other' wd:role='x' wd:proxy-format='no'/>"
                   u"</xsl:template></xsl:transform>");
    EXPECT_TRUE(WebletXsl_hasTemplate(u"std_dropdown.Dropdown", weblet));
    EXPECT_FALSE(WebletXsl_hasTemplate(u"std_dropdown", weblet));
    EXPECT_TRUE(WebletXsl_hasTemplate(u"w.it's", weblet)) << "a quote in the name does not break the search";
    FieldWebletInfo info;
    WebletXsl_readTemplateParams(info, weblet, u"std_dropdown.Dropdown");
    ASSERT_EQ(2u, info.templateParams.size());
    EXPECT_EQ("name/name items/entries",
              info.templateParams[0].name.toUtf8() + "/" + info.templateParams[0].role.toUtf8() + " " +
                  info.templateParams[1].name.toUtf8() + "/" + info.templateParams[1].role.toUtf8());
    EXPECT_TRUE(info.templateParams[0].type.isNull());
    EXPECT_EQ("list", info.proxyFormat.toUtf8());
    FieldWebletInfo other;
    WebletXsl_readTemplateParams(other, weblet, u"w.it's");
    EXPECT_TRUE(other.proxyFormat.isNull()) << "only the parameter named name carries the proxy format";
    EXPECT_EQ("std_dropdown", webletPart(u"std_dropdown.button").toUtf8());
    EXPECT_EQ("button", templatePart(u"std_dropdown.button").toUtf8());
    EXPECT_EQ("", templatePart(u"plain").toUtf8());
}

TEST_F(Tsml, LayoutWebletInspection)
{
    WamLayoutTsmlDoc layout(&doc, u"wam_layout", u"Layout");
    auto inspect = [&](const char16_t* text) {
        LayoutWebletInfo info(LWStringRecord3("HTML", "DESKTOP", ""), "1", LWString(), layout);
        LDOMDocument stylesheet(false, false);
        stylesheet.loadXML(text);
        TsmlLayoutWebletInspect(info, stylesheet, u"std_layout", nullptr);
        return info;
    };
    LayoutWebletInfo modern = inspect(
        u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'"
        u" xmlns:wd='http://schemas.velmo.example/2002/XSL/Weblet-Design'>"
        u"<wd:definition><wd:default-theme><wd:style name='page'/><wd:style/><wd:style name=''/></wd:default-theme>"
        u"</wd:definition>"
        u"<xsl:template name='std_layout'/>"
        u"<xsl:template name='frame' wd:role='std:layout'><xsl:param name='p1' wd:role='x'/>"
        u"<xsl:param name='p2' select=\"'a'\"/></xsl:template>"
        u"<xsl:template name='button.override'/><xsl:template name='override.button'/></xsl:transform>");
    EXPECT_EQ("std_layout.frame", modern.templateReference.toUtf8()) << "the role template wins";
    EXPECT_FALSE(modern.oldStyle);
    EXPECT_EQ("tsml:default-theme{tsml:style[name=page]}", shape(modern.defaultTheme));
    EXPECT_EQ("tsml:template-overrides{xsl:template[name=button.override]}", shape(modern.templateOverrides));
    ASSERT_EQ(2u, modern.templateParams.size());
    EXPECT_EQ("x", modern.templateParams[0].role.toUtf8());
    EXPECT_TRUE(modern.templateParams[0].select.isNull());
    EXPECT_EQ("'a'", modern.templateParams[1].select.toUtf8());
    EXPECT_TRUE(modern.templateParams[1].role.isNull());

    LayoutWebletInfo old = inspect(u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                   u"<xsl:template name='layout'/><xsl:template name='a.override'/></xsl:transform>");
    EXPECT_TRUE(old.oldStyle);
    EXPECT_EQ("std_layout.layout", old.templateReference.toUtf8());
    EXPECT_EQ("tsml:template-overrides", shape(old.templateOverrides)) << "old style records no overrides";

    LayoutWebletInfo copy = modern;
    copy.defaultTheme.appendChild(tsml::element(doc, u"tsml:style"));
    EXPECT_EQ(2, modern.defaultTheme.getChildNodes().getLength()) << "copies share the theme element";
}

// Without a template of the layout role the template named by the base name
// is the layout template; a stylesheet without a definition gives an empty
// theme. A second inspection of one information sets the reference anew,
// adds to the overrides and parameters, and keeps the old-style flag of the
// first, which then skips theme and overrides.
TEST_F(Tsml, LayoutWebletInspectedByNameAndAgain)
{
    WamLayoutTsmlDoc layout(&doc, u"wam_layout", u"Layout");
    LDOMDocument named(false, false), old(false, false);
    named.loadXML(u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'"
                  u" xmlns:wd='http://schemas.velmo.example/2002/XSL/Weblet-Design'>"
                  u"<xsl:template name='std_layout'><xsl:param name='title' wd:type='text' wd:tip_id='T1'/>"
                  u"</xsl:template><xsl:template name='x.override'/></xsl:transform>");
    old.loadXML(u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                u"<xsl:template name='layout'/></xsl:transform>");

    LayoutWebletInfo info(LWStringRecord3("HTML", "DESKTOP", ""), "1", LWString(), layout);
    TsmlLayoutWebletInspect(info, named, u"std_layout", nullptr);
    EXPECT_EQ("std_layout.std_layout", info.templateReference.toUtf8());
    EXPECT_EQ("tsml:default-theme", shape(info.defaultTheme));
    EXPECT_EQ("tsml:template-overrides{xsl:template[name=x.override]}", shape(info.templateOverrides));
    ASSERT_EQ(1u, info.templateParams.size());
    const auto& title = info.templateParams[0];
    EXPECT_EQ("title text T1", title.name.toUtf8() + " " + title.type.toUtf8() + " " + title.tipId.toUtf8());
    EXPECT_TRUE(title.role.isNull());
    EXPECT_TRUE(title.select.isNull());

    TsmlLayoutWebletInspect(info, named, u"std_layout", nullptr);
    EXPECT_EQ("std_layout.std_layout", info.templateReference.toUtf8());
    EXPECT_EQ(2, info.templateOverrides.getChildNodes().getLength());
    EXPECT_EQ(2u, info.templateParams.size());

    LayoutWebletInfo first(LWStringRecord3("HTML", "MOBILE", ""), "1", LWString(), layout);
    TsmlLayoutWebletInspect(first, old, u"std_layout", nullptr);
    EXPECT_TRUE(first.oldStyle);
    EXPECT_EQ("std_layout.layout", first.templateReference.toUtf8()) << "no template of that name";
    EXPECT_TRUE(first.templateParams.empty());
    TsmlLayoutWebletInspect(first, named, u"std_layout", nullptr);
    EXPECT_TRUE(first.oldStyle);
    EXPECT_EQ("std_layout.std_layout", first.templateReference.toUtf8());
    EXPECT_EQ("tsml:template-overrides", shape(first.templateOverrides)) << "the old style skips the overrides";
    EXPECT_EQ(1u, first.templateParams.size());
}

// A field node lists each weblet once; copies of a node write into the same
// document, and assignment re-points the target to the source's content.
TEST_F(Tsml, FieldNodeCopiesAndAssignment)
{
    LDOMDocument fieldDoc(false, false), otherDoc(false, false);
    FieldTsmlNode node(&fieldDoc, 2);
    const TechServiceSet dropdown = serviceSet("std_dropdown", {"DESKTOP"});
    TsmlValueEntry values[] = {{"Smith & Sons", "SMITH", nullptr, 0}, {nullptr, "JONES", "*CUSTDEF", 1}};
    TsmlFieldRecord customer = field("CUSTNAM", 'A', 40);
    customer.valueCount = 2;
    customer.values = values;
    node.addField(customer, dropdown);
    node.addField(field("CUSTNO", 'P', 7, 7), dropdown);
    node.addField(field("NOTES", 'A', 80), TechServiceSet());
    EXPECT_EQ("tsml:weblets tsml:qvml-data tsml:field tsml:field tsml:field", children(node.dataElement()));
    EXPECT_EQ("tsml:weblets{tsml:weblet[name=std_dropdown]{tsml:technology-services{"
              "tsml:technology-service[name=HTML:DESKTOP][mod-id=00000001000000002]{tsml:template-params}}}}",
              shape(node.dataElement().selectSingleNode(u"tsml:weblets")))
        << "two fields of one weblet list it once; a field without weblet lists none";
    const LDOMNode selectOne = node.dataElement().selectSingleNode(u"tsml:qvml-data").getFirstChild();
    const std::string id = tsml::attributeValue(selectOne, u"id").toUtf8();
    EXPECT_EQ(id, node.dataElement()
                      .selectSingleNode(u"tsml:field[@name = 'CUSTNAM']/tsml:use-weblet/tsml:select-one-id")
                      .getFirstChild()
                      .getNodeValue()
                      .toUtf8())
        << "the field refers to its list";
    EXPECT_EQ(32u, id.size());
    EXPECT_EQ("qvml:select-one[id=" + id +
                  "]{qvml:weblet-ref[name=std_dropdown],"
                  "qvml:item{qvml:caption{=\"Smith & Sons\"},qvml:value{=\"SMITH\"}},"
                  "qvml:item[default=true]{qvml:caption{qvml:variable[name=CUSTDEF]},qvml:value{=\"JONES\"}}}",
              shape(selectOne))
        << "only the field with value entries and a weblet gets runtime data";
    EXPECT_EQ(1, node.dataElement().selectNodes(u"tsml:qvml-data/*").getLength());

    FieldTsmlNode copy(node);
    copy.addField(field("EXTRA", 'A', 1), TechServiceSet());
    EXPECT_EQ(4, node.dataElement().selectNodes(u"tsml:field").getLength()) << "a copy writes into the source";
    FieldTsmlNode other(&otherDoc, 1);
    FieldTsmlNode& same = other;
    other = same;
    EXPECT_EQ(&otherDoc, other.getDocument()) << "self-assignment changes nothing";
    other = node;
    EXPECT_EQ(&fieldDoc, other.getDocument());
    EXPECT_EQ(2u, other.inlineMode());
    other.addField(field("LAST", 'A', 1), TechServiceSet());
    EXPECT_EQ(5, node.dataElement().selectNodes(u"tsml:field").getLength());
    EXPECT_EQ(0, otherDoc.selectNodes(u"//tsml:field").getLength());

    // The base assignment: an empty node receives a copy, is emptied by an
    // empty source, and receives a copy again.
    TsmlNode base;
    base = node;
    EXPECT_EQ(&fieldDoc, base.getDocument());
    base = TsmlNode();
    base = static_cast<const TsmlNode&>(other);
    EXPECT_EQ(&fieldDoc, base.getDocument());
    LWString xml;
    EXPECT_EQ(&xml, &base.getXml(xml));
    EXPECT_NE(std::string::npos, xml.toUtf8().find("<tsml:field name=\"LAST\">")) << "the whole document's text";
}

// The list-node factory on a document of its own, and copies of list nodes.
TEST_F(Tsml, StandaloneListNodesAndCopies)
{
    LDOMDocument xmlDoc(false, false), jsonDoc(false, false);
    std::unique_ptr<ListTsmlNode> lines = makeListNode(&xmlDoc, list("LINES", 0), 1);
    ASSERT_FALSE(lines->isJsonList());
    EXPECT_TRUE(lines->isInlined()) << "the default of inline mode 1";
    EXPECT_FALSE(lines->isHidden());
    EXPECT_EQ("false", tsml::attributeValue(lines->dataElement(), u"full-document").toUtf8());
    lines->writeJsonList();
    XmlListTsmlNode copy(static_cast<XmlListTsmlNode&>(*lines));
    copy.addColumn(field("ITEM", 'A', 10), TechServiceSet());
    EXPECT_EQ(
        "tsml:list[name=LINES][inline=default]{tsml:mode{=\"output\"},tsml:list-header{tsml:header[name=ITEM]{"
        "tsml:heading-1,tsml:heading-2,tsml:heading-3}},tsml:list-entries{tsml:entry{tsml:column[name=ITEM]{"
        "tsml:mode{=\"output\"},tsml:sample-value,tsml:format{tsml:type{=\"alpha\"},tsml:display-max-length{=\"10\"},"
        "tsml:max-length{=\"10\"},tsml:input-case{=\"uppercase\"},tsml:keyboardshift{=\" \"}}}}}}",
        shape(xmlDoc.selectSingleNode(u"/tsml:data/tsml:lists/tsml:list")));
    XmlListTsmlNode assigned;
    assigned = copy;
    EXPECT_TRUE(assigned.isInlined());
    assigned.addColumn(field("QTY", 'I', 4), TechServiceSet());
    EXPECT_EQ(2, xmlDoc.selectNodes(u"//tsml:column").getLength());
    XmlListTsmlNode& self = assigned;
    assigned = self;
    EXPECT_EQ(&xmlDoc, assigned.getDocument());

    std::unique_ptr<ListTsmlNode> orders = makeListNode(&jsonDoc, list("ORDERS", 1, 2, 1), 1);
    ASSERT_TRUE(orders->isJsonList());
    EXPECT_FALSE(orders->isInlined()) << "a JSON list is never inlined";
    EXPECT_FALSE(orders->isHidden());
    JsonListTsmlNode json(static_cast<JsonListTsmlNode&>(*orders));
    JsonListTsmlNode target;
    target = json;
    JsonListTsmlNode& itself = target;
    target = itself;
    TsmlFieldRecord ordno = field("ORDNO", 'P', 5, 5);
    ordno.sampleValue = "7";
    ordno.heading1 = "Order";
    target.addColumn(ordno, TechServiceSet());
    target.writeJsonList();
    EXPECT_EQ("tsml:json-list[name=ORDERS]{=\"{\"list\":{\"ORDERS\":{\"header\":[{\"name\":\"ORDNO\",\"heading-1\":"
              "\"Order\"}],"
              "\"entries\":[[7],[7],[7],[7],[7]]}}}\"}",
              shape(jsonDoc.selectSingleNode(u"/tsml:data/tsml:lists/tsml:json-list")))
        << "the assigned node writes into the source's list element";
}

// The weblet documents: select-one items, the weblink's parts in call order,
// the layout's technology services; copies share, assignment re-points and
// clear empties what each class owns.
TEST_F(Tsml, WebletDocumentsCopiesAndClear)
{
    LDOMDocument selectDoc(false, false), linkDoc(false, false), booleanDoc(false, false), layoutDoc(false, false);
    // One DOM document per TSML document: a DOM document takes one tsml:data.
    LDOMDocument spare1(false, false), spare2(false, false), spare3(false, false), spare4(false, false),
        spare5(false, false);
    SelectOneWebletTsmlDoc select(&selectDoc, u"std_dropdown", u"Drop-down", u"CUSTNAM", u"list", false);
    select.addItem("Smith & Sons", "SMITH", nullptr, 0);
    SelectOneWebletTsmlDoc selectCopy(select);
    selectCopy.addItem(nullptr, "JONES", "*CUSTDEF", 1);
    selectCopy.addItem("Other", "OTHER", "", 0);
    EXPECT_EQ("tsml:select-one[field-name=CUSTNAM][select-ui=list][preselect=false]{"
              "qvml:item{qvml:caption{=\"Smith & Sons\"},qvml:value{=\"SMITH\"}},"
              "qvml:item[default=true]{qvml:caption{qvml:variable[name=CUSTDEF]},qvml:value{=\"JONES\"}},"
              "qvml:item{qvml:caption{=\"Other\"},qvml:value{=\"OTHER\"}}}",
              shape(select.dataElement().selectSingleNode(u"tsml:select-one")));
    SelectOneWebletTsmlDoc otherSelect(&spare1, u"x", u"X", u"F", u"radio", true);
    otherSelect = select;
    otherSelect.addItem("Last", "LAST", nullptr, 0);
    EXPECT_EQ(4, selectDoc.selectNodes(u"/tsml:data/tsml:select-one/*").getLength())
        << "assignment re-points to the source";
    EXPECT_EQ(&selectDoc, otherSelect.getDocument());
    select.clear();
    EXPECT_EQ("tsml:weblets tsml:qvml-data tsml:context tsml:options tsml:variables", children(select.dataElement()))
        << "the document's clear empties tsml:data";

    WeblinkWebletTsmlDoc link(&linkDoc, u"std_link", u"Link");
    link.setCaption(u"Show the order");
    WeblinkWebletTsmlDoc linkCopy(link);
    linkCopy.setImage(u"order.png");
    WeblinkWebletTsmlDoc linkAssigned(&spare2, u"y", u"Y");
    linkAssigned = linkCopy;
    linkAssigned.setTarget(u"OrderWAM", u"ShowOrder");
    linkAssigned.setScript(u"show(\"1001\");");
    EXPECT_EQ(&linkDoc, linkAssigned.getDocument());
    EXPECT_EQ("tsml:weblink{tsml:caption{=\"Show the order\"},tsml:image{=\"order.png\"},"
              "tsml:weblink-target{tsml:webapplication{=\"OrderWAM\"},tsml:webroutine{=\"ShowOrder\"}},"
              "tsml:script{=\"show(\"1001\");\"}}",
              shape(link.dataElement().selectSingleNode(u"tsml:weblink")));
    EXPECT_EQ("tsml:weblet{tsml:name{=\"std_link\"},tsml:title{=\"Link\"}}",
              shape(linkDoc.selectSingleNode(u"/tsml:data/tsml:context/tsml:weblet")));

    SelectBooleanWebletTsmlDoc choice(&booleanDoc, u"yesno", u"Yes or no", u"FLAG", u"check", false);
    SelectBooleanWebletTsmlDoc choiceCopy(choice);
    SelectBooleanWebletTsmlDoc choiceAssigned(&spare3, u"z", u"Z", u"G", u"radio", true);
    choiceAssigned = choiceCopy;
    EXPECT_EQ(&booleanDoc, choiceAssigned.getDocument());
    choiceAssigned.setCaption(u"Paid");
    EXPECT_EQ("tsml:select-boolean[field-name=FLAG][select-ui=check][preselect=false]{tsml:caption{=\"Paid\"}}",
              shape(choice.dataElement().selectSingleNode(u"tsml:select-boolean")));

    WamLayoutTsmlDoc layout(&layoutDoc, u"orderwam_layout", u"Layout of OrderWAM");
    LayoutWebletInfoSet infos;
    infos.insert(LayoutWebletInfo(LWStringRecord3("HTML", "DESKTOP", ""), "00000001000000002", LWString(), layout));
    infos.insert(LayoutWebletInfo(LWStringRecord3("HTML", "MOBILE", ""), "00000001000000003", LWString(), layout));
    WamLayoutTsmlDoc layoutCopy(layout);
    layoutCopy.addTechnologyServices(infos);
    EXPECT_EQ(2, layoutDoc.selectNodes(u"/tsml:data/tsml:layout/tsml:technology-services/*").getLength());
    WamLayoutTsmlDoc layoutAssigned(&spare4, u"w", u"W");
    layoutAssigned = layoutCopy;
    WamLayoutTsmlDoc& sameLayout = layoutAssigned;
    layoutAssigned = sameLayout;
    layoutAssigned.clear();
    EXPECT_EQ("tsml:layout{tsml:technology-services}", shape(layoutDoc.selectSingleNode(u"/tsml:data/tsml:layout")))
        << "the layout's clear empties only its technology services";
    EXPECT_EQ("Layout of OrderWAM", layoutDoc.selectSingleNode(u"/tsml:data/tsml:context/tsml:weblet/tsml:title")
                                        .getFirstChild()
                                        .getNodeValue()
                                        .toUtf8());
    layout.addTechnologyServices(infos);
    EXPECT_EQ(2, layoutDoc.selectNodes(u"/tsml:data/tsml:layout/tsml:technology-services/*").getLength())
        << "the emptied document is filled again";

    LDOMDocument inlineDoc(false, false);
    InlineWebletTsmlDoc inlined(&inlineDoc, 1);
    EXPECT_NE(std::string::npos, shape(inlined.dataElement()).find("tsml:requester{=\"editor\"}"));
    InlineWebletTsmlDoc inlinedCopy(inlined);
    InlineWebletTsmlDoc inlinedAssigned(&spare5, 0);
    inlinedAssigned = inlinedCopy;
    EXPECT_EQ(&inlineDoc, inlinedAssigned.getDocument());
    inlinedAssigned.setInlinedWeblet(u"std_image", {{u"name", u"PHOTO"}, {u"alt", u"Photo"}});
    EXPECT_EQ("tsml:inlined-weblet[name=std_image]{tsml:with-params{tsml:with-param{tsml:param-name{=\"name\"},"
              "tsml:param-value{=\"PHOTO\"}},tsml:with-param{tsml:param-name{=\"alt\"},tsml:param-value{=\"Photo\"}}}}",
              shape(inlineDoc.selectSingleNode(u"/tsml:data/tsml:inlined-weblet")));
    TsmlDoc& asDocument = inlinedAssigned;
    asDocument = static_cast<const TsmlDoc&>(inlined);
    WebletTsmlDoc& asWeblet = layoutAssigned;
    asWeblet = static_cast<const WebletTsmlDoc&>(link);
    EXPECT_EQ(&linkDoc, layoutAssigned.getDocument());
}

// Weblet information records: assignment through the base copies what the
// source's kind carries; the technology-service list's copy is a list of its
// own; a null TSP text joins as "_" and the application.
TEST_F(Tsml, WebletInformationAssignmentAndServiceLists)
{
    FieldWebletInfo proxy(LWStringRecord3("HTML", "DESKTOP", ""), "00000001000000002");
    proxy.proxyFormat = LWString(u"select");
    proxy.templateParams.push_back({LWString(u"name"), LWString(u"name"), {}, {}, {}});
    FieldWebletInfo target;
    WebletInfo& base = target;
    base = static_cast<const WebletInfo&>(proxy);
    EXPECT_EQ("select", target.proxyFormat.toUtf8()) << "a field record through the base copies its proxy format";
    EXPECT_EQ("HTML:DESKTOP", target.serviceName().toUtf8());
    ASSERT_EQ(1u, target.templateParams.size());
    const WebletInfo plain(LWStringRecord3("HTML", "MOBILE", ""), "00000002000000003");
    base = plain;
    EXPECT_EQ("HTML:MOBILE", target.serviceName().toUtf8());
    EXPECT_EQ("00000002000000003", target.modificationId.toUtf8());
    EXPECT_TRUE(target.templateParams.empty());
    base = base;
    EXPECT_EQ("HTML:MOBILE", target.serviceName().toUtf8());

    WamLayoutTsmlDoc layout(&doc, u"wam_layout", u"Layout");
    LayoutWebletInfo source(LWStringRecord3("HTML", "DESKTOP", ""), "1", LWString(), layout);
    source.templateReference = LWString(u"std_layout.page");
    source.oldStyle = true;
    LayoutWebletInfo layoutTarget;
    WebletInfo& layoutBase = layoutTarget;
    layoutBase = static_cast<const WebletInfo&>(source);
    EXPECT_EQ(&doc, layoutTarget.document);
    EXPECT_EQ("std_layout.page", layoutTarget.templateReference.toUtf8());
    EXPECT_TRUE(layoutTarget.oldStyle);
    layoutTarget.defaultTheme.appendChild(tsml::element(doc, u"tsml:style"));
    EXPECT_EQ(1, source.defaultTheme.getChildNodes().getLength()) << "the elements are re-pointed, not copied";
    layoutBase = plain;
    EXPECT_EQ("HTML:MOBILE", layoutTarget.serviceName().toUtf8());
    layoutTarget = layoutTarget;
    EXPECT_EQ("std_layout.page", layoutTarget.templateReference.toUtf8());

    TechnologyServiceList services(doc);
    TsmlAddTechnologyService(services, {LWString(), LWString(u"ENG")}, 1234567890);
    TechnologyServiceList copy(services, true);
    TsmlAddTechnologyService(copy, {LWString(u"HTML"), LWString(u"FRA")}, -2);
    EXPECT_EQ("tsml:technology-service-list{tsml:technology-service[used_by=_ENG][lang-count=123456789]}",
              shape(services.element()))
        << "a null TSP text joins as nothing; the count keeps nine characters";
    EXPECT_EQ("tsml:technology-service-list{tsml:technology-service[used_by=_ENG][lang-count=123456789],"
              "tsml:technology-service[used_by=HTML_FRA][lang-count=-2]}",
              shape(copy.element()));
    // the heap forms: a new list of the document, and a copy of a list
    std::unique_ptr<TechnologyServiceList> made = TsmlAddTechnologyServiceList(doc);
    EXPECT_EQ("tsml:technology-service-list", shape(made->element()));
    TsmlAddTechnologyService(*made, {LWString(u"HTML"), LWString(u"ENG")}, 3);
    std::unique_ptr<TechnologyServiceList> copied = TsmlAddTechnologyServiceList(*made);
    TsmlAddTechnologyService(*copied, {LWString(u"XHTML"), LWString(u"MOBILE")}, 0);
    EXPECT_EQ("tsml:technology-service-list{tsml:technology-service[used_by=HTML_ENG][lang-count=3]}",
              shape(made->element()))
        << "the copy's entries are its own";
    EXPECT_EQ("tsml:technology-service-list{tsml:technology-service[used_by=HTML_ENG][lang-count=3],"
              "tsml:technology-service[used_by=XHTML_MOBILE][lang-count=0]}",
              shape(copied->element()));
}

TEST(WebSupport, NamesMessagesAndPaths)
{
    EXPECT_STREQ("<UNKNOWN>", P3142_pszCompReturnName(-3));
    EXPECT_STREQ("X_COMP_RETURN_OBJECT_NOT_FOUND", P3142_pszCompReturnName(-5));
    EXPECT_STREQ("Invalid", P3142_pszOutputFormatName(5));
    EXPECT_STREQ("undefined", P3142_pszListModeName(4));
    EXPECT_STREQ("NaN", P3142_pszFieldModeName(5));
    char target[261];
    char* context[3] = {nullptr, nullptr, target};
    const std::string long261(261, 'x');
    EXPECT_EQ(1, P3142_fCopyPathCallback<3>(context, 0, const_cast<char*>(long261.c_str())));
    EXPECT_EQ(std::string(260, 'x'), target);
    EXPECT_EQ(0, P3142_fCopyPathCallback<3>(context, 0, nullptr));
    EXPECT_STREQ("", target);
}

}  // namespace
