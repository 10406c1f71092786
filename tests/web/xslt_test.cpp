// The weblet-design extension object, the inliner's stylesheets and TSML
// document, the inline-weblet function and the working files of the
// temporary generation directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "classlib/base/lstream.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"
#include "web/tsml/tsml_names.h"
#include "web/web_fixture.h"
#include "web/xslt/weblet_inliner.h"

namespace {

namespace fs = std::filesystem;

WdDispParams args(std::initializer_list<WdVariant> lastFirst)
{
    return WdDispParams{lastFirst};
}

WdVariant number(double n)
{
    WdVariant v;
    v.vt = WdVariant::R8;
    v.dblVal = n;
    return v;
}

LDOMDocument parse(const char16_t* text)
{
    LDOMDocument doc(true, false);
    doc.loadXML(text);
    return doc;
}

TEST(WdExtensions, AnswersTheTextOfTheCall)
{
    WdXsltExtensionsPtr holder(new WdXsltExtensions());
    WdXsltExtensions& ext = *holder.get();
    const char16_t* names[] = {u"Field-Value"};
    int32_t id = 0;
    EXPECT_EQ(wd::DISP_E_UNKNOWNNAME_, ext.GetIDsOfNames(IID_NULL_, names, 1, 0, &id));
    names[0] = u"column-value-unescaped";
    EXPECT_EQ(wd::S_OK_, ext.GetIDsOfNames(IID_NULL_, names, 1, 0, &id));
    EXPECT_EQ(5010, id);
    WdVariant result;
    WdDispParams two = args({WdVariant::text(u"b"), WdVariant::text(u"a")});
    EXPECT_EQ(wd::DISP_E_MEMBERNOTFOUND_,
              ext.Invoke(8000, IID_NULL_, 0, wd::DISPATCH_METHOD_ | wd::DISPATCH_PROPERTYGET_, &two, &result, nullptr,
                         nullptr));
    EXPECT_EQ(wd::DISP_E_BADPARAMCOUNT_,
              ext.Invoke(8000, IID_NULL_, 0, wd::DISPATCH_METHOD_, &two, &result, nullptr, nullptr));
    WdDispParams one = args({number(1)});
    EXPECT_EQ(wd::DISP_E_PARAMNOTOPTIONAL_,
              ext.Invoke(14000, IID_NULL_, 0, wd::DISPATCH_METHOD_, &one, &result, nullptr, nullptr));
    WdDispParams rowClass = args({WdVariant::text(u"odd"), number(1)});
    ASSERT_EQ(wd::S_OK_, ext.Invoke(14000, IID_NULL_, 0, wd::DISPATCH_METHOD_, &rowClass, &result, nullptr, nullptr));
    EXPECT_EQ("{wd:row-class('1', 'odd')}", result.bstr.toUtf8());
    WdDispParams quoted = args({WdVariant::text(u"it's")});
    ASSERT_EQ(wd::S_OK_, ext.Invoke(8000, IID_NULL_, 0, wd::DISPATCH_METHOD_, &quoted, &result, nullptr, nullptr));
    EXPECT_EQ("{wd:field-value('it's')}", result.bstr.toUtf8());
    WdVariant fragment;
    fragment.vt = WdVariant::Unknown;
    WdDispParams bad = args({fragment});
    WdExcepInfo exception;
    uint32_t argumentError = 9;
    EXPECT_EQ(wd::DISP_E_EXCEPTION_,
              ext.Invoke(8000, IID_NULL_, 0, wd::DISPATCH_METHOD_, &bad, &result, &exception, &argumentError));
    EXPECT_EQ(9000, exception.wCode);
    EXPECT_EQ(0u, argumentError);
    void* object = nullptr;
    EXPECT_EQ(wd::E_NOINTERFACE_, ext.QueryInterface(WdIid{1}, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(wd::S_OK_, ext.QueryInterface(IID_IDispatch_, &object));
    EXPECT_EQ(static_cast<void*>(&ext), object);
    EXPECT_EQ(1u, ext.Release()) << "the holder's reference is left";
    object = nullptr;
    EXPECT_EQ(wd::S_OK_, ext.QueryInterface(IID_IUnknown_, &object));
    EXPECT_EQ(static_cast<void*>(&ext), object);
    EXPECT_EQ(1u, ext.Release());
    EXPECT_EQ(wd::E_POINTER_, ext.QueryInterface(IID_IUnknown_, nullptr));

    // The object has no type information: callers bind by name.
    uint32_t typeInfos = 7;
    EXPECT_EQ(wd::S_OK_, ext.GetTypeInfoCount(&typeInfos));
    EXPECT_EQ(0u, typeInfos);
    void* typeInfo = &typeInfos;
    EXPECT_EQ(wd::E_NOTIMPL_, ext.GetTypeInfo(0, 0, &typeInfo));
    EXPECT_EQ(nullptr, typeInfo);
}

TEST(WdExtensions, CalledFromAStylesheet)
{
    WdXsltExtensionsPtr ext(new WdXsltExtensions());
    XSLTDoc stylesheet;
    stylesheet.setExtensionObject(ext.get(), tsml::kWdNamespace);
    auto run = [&](const char16_t* body) {
        LWString text(u"<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform' xmlns:wd='");
        text.append(tsml::kWdNamespace);
        text.append(u"'><xsl:output method='text'/><xsl:param name='p'/><xsl:template match='/'>");
        text.append(body);
        text.append(u"</xsl:template></xsl:transform>");
        stylesheet.loadDocument(parse(text.c_str()));
        return std::string(stylesheet.transform(parse(u"<a>3</a>")).c_str());
    };
    EXPECT_EQ("{wd:field-value('NAME')}|{wd:row-class('1', 'odd')}|{wd:webroutine()}|{wd:boolean('3')}",
              run(u"<xsl:value-of select=\"wd:field-value('NAME')\"/>|"
                  u"<xsl:value-of select=\"wd:row-class(1, 'odd')\"/>|<xsl:value-of select='wd:webroutine()'/>|"
                  u"<xsl:value-of select='wd:boolean(/a)'/>"));
    try {
        run(u"<xsl:value-of select=\"wd:field-value('a', 'b')\"/>");
        ADD_FAILURE() << "a call with too many arguments fails the transformation";
    } catch (const LXSLTException& e) {
        EXPECT_NE(std::string::npos, std::string(e.message()).find("DISP_E_BADPARAMCOUNT"));
    }
    try {
        run(u"<xsl:value-of select=\"wd:inline-weblet(/a, /a)\"/>");
        ADD_FAILURE() << "the plain object has no inline-weblet";
    } catch (const LXSLTException& e) {
        EXPECT_NE(std::string::npos, std::string(e.message()).find("inline-weblet")) << e.message();
    }

    // Parameters: the last value set stands.
    stylesheet.setParameter(u"p", LXsltValue::ofText(u"first"));
    stylesheet.setParameter(u"p", LXsltValue::ofText(u"last"));
    EXPECT_EQ("last", run(u"<xsl:value-of select='$p'/>"));
}

// An inliner stylesheet compiled from a file or from a document; a file
// that cannot be compiled is reported by the first transformation.
TEST(WdInliner, StylesheetFromAFileOrADocument)
{
    testsupport::ScratchDir scratch{"wd-sheet"};
    const std::string text = "<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                             "<xsl:output method='text'/><xsl:param name='p'/><xsl:template match='/'>"
                             "<xsl:value-of select='$p'/>:<xsl:value-of select='/a'/></xsl:template></xsl:transform>";
    const std::string file = (scratch / "sheet.xsl").string();
    std::FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(text.c_str(), f);
    std::fclose(f);

    WdInlinerStylesheet fromFile;
    fromFile.loadStylesheet(file.c_str());
    fromFile.setParameter(u"p", LXsltValue::ofText(u"first"));
    fromFile.setParameter(u"p", LXsltValue::ofText(u"last"));
    EXPECT_EQ("last:3", std::string(fromFile.transform(parse(u"<a>3</a>")).c_str()));

    WdInlinerStylesheet fromDocument;
    fromDocument.setStylesheet(parse(LWString::fromUtf8(text.c_str()).c_str()));
    LMemoryStream stream(1, nullptr, 2048);
    fromDocument.transformToStream(parse(u"<a>4</a>"), stream);
    EXPECT_EQ(":4", std::string(LStream_ReadAllText(stream).c_str())) << "exactly the result, nothing else";

    WdInlinerStylesheet missing;
    EXPECT_NO_THROW(missing.loadStylesheet((scratch / "missing.xsl").string().c_str()));
    EXPECT_THROW(missing.transform(parse(u"<a>3</a>")), LXSLTException);
}

TEST(WdInliner, InlinerDocumentAndArguments)
{
    LComPtr<WdGenWebletInliner> inliner = createWebletInliner();
    WdGenInlinerTsmlDoc& doc = inliner->document();
    auto sections = [&] {
        std::string s;
        for (xmlNodePtr c = doc.data.raw()->children; c; c = c->next)
            s += std::string(s.empty() ? "" : " ") + reinterpret_cast<const char*>(c->name);
        return s;
    };
    EXPECT_EQ("qvml-data context options weblets", sections());
    doc.reset(false);
    EXPECT_EQ("qvml-data context options weblets", sections());

    const char16_t* names[] = {u"inline-weblet"};
    int32_t id = 0;
    EXPECT_EQ(wd::S_OK_, inliner->GetIDsOfNames(IID_NULL_, names, 1, 0, &id));
    EXPECT_EQ(WdGenWebletInliner::kInlineWebletId, id);
    names[0] = u"Inline-Weblet";
    EXPECT_EQ(wd::DISP_E_UNKNOWNNAME_, inliner->GetIDsOfNames(IID_NULL_, names, 1, 0, &id));
    names[0] = u"field-value";
    EXPECT_EQ(wd::S_OK_, inliner->GetIDsOfNames(IID_NULL_, names, 1, 0, &id));
    EXPECT_EQ(8000, id);

    WdVariant result;
    WdDispParams one = args({WdVariant::text(u"x")});
    EXPECT_EQ(wd::DISP_E_PARAMNOTFOUND_, inliner->inlineWeblet(&one, &result, nullptr, nullptr));
    WdDispParams four = args({WdVariant(), WdVariant(), WdVariant(), WdVariant()});
    EXPECT_EQ(wd::DISP_E_BADPARAMCOUNT_, inliner->inlineWeblet(&four, &result, nullptr, nullptr));

    // A column whose first node is no element fails the call and the
    // document is emptied for the next inlining.
    LDOMDocument tsml = parse(u"<list name='L'><entries><entry><column name='C'/>text</entry></entries></list>");
    xmlNodePtr column = tsml.getFirstChild().raw()->children->children->children;
    WdVariant columnArg, textArg;
    columnArg.vt = textArg.vt = WdVariant::Dispatch;
    columnArg.nodes = {column};
    textArg.nodes = {column->next};
    doc.setColumn(column);
    EXPECT_EQ("qvml-data context options weblets lists", sections());
    doc.reset(false);
    EXPECT_EQ("qvml-data context options weblets", sections());
    EXPECT_TRUE(doc.entry.getFirstChild().isNull());
    EXPECT_EQ(0, doc.listMode);
    WdDispParams failing = args({textArg, columnArg});
    WdExcepInfo exception;
    EXPECT_EQ(wd::DISP_E_EXCEPTION_, inliner->inlineWeblet(&failing, &result, &exception, nullptr));
    EXPECT_EQ(9000, exception.wCode);
    EXPECT_EQ("qvml-data context options weblets", sections());
}

// Scripted weblet loader of the working-file tests.
std::map<std::string, std::string> g_weblets;
std::map<std::string, int> g_loads;

int scriptedLoader(WdWebletSinkContext* context, WdWebletLoadRequest* request, WdWebletSink sink)
{
    ++g_loads[request->weblet];
    auto w = g_weblets.find(request->weblet);
    if (w == g_weblets.end())
        return 0;
    OSRV_WEBLET_RECORD record{request->tsp, request->application, 0, w->second.c_str(), 0, 0};
    return sink(context, 0, &record) != 0;
}

class WorkingFiles : public ::testing::Test {
protected:
    testsupport::ScratchDir scratch{"wd-files"};
    const fs::path root = scratch.path();
    LComPtr<WdGenWebletInliner> inliner = createWebletInliner();

    void SetUp() override
    {
        fs::create_directories(root / "DESIGN");
        std::ofstream(root / "DESIGN" / "std_types.xsl") << "<types/>";
        ASSERT_EQ(0u, DosSetEnvironmentRoot(root.c_str()));
        auto stylesheet = [](const std::string& imports) {
            return "<xsl:transform version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>" + imports +
                   "</xsl:transform>";
        };
        g_weblets = {{"a", stylesheet("<xsl:import href='b.xsl'/><xsl:include href='std_types.xsl'/>")},
                     {"b", stylesheet("<xsl:import href='a.xsl'/>")},
                     {"bad", stylesheet("<xsl:import href='..\\escape.xsl'/>")},
                     {"empty", ""},
                     {"Std_Types", stylesheet("")},
                     {"plain", stylesheet("")}};
        g_loads.clear();
        inliner->initialize("HTML", "DESKTOP", "ENG", "TSP", "DESIGN\\", "WORK\\HTML_DESKTOP\\", "TSP\\tsp.xsl",
                            scriptedLoader, nullptr);
    }
    void TearDown() override { DosSetEnvironmentRoot(nullptr); }
    bool written(const char* name) { return fs::exists(root / "WORK" / "HTML_DESKTOP" / name); }
};

TEST_F(WorkingFiles, WebletsAreFetchedOnceAndStayInTheDirectory)
{
    EXPECT_TRUE(inliner->ensureWebletXsl(u"Std_Types.xsl"));
    EXPECT_EQ(1, g_loads["Std_Types"]) << "while no such file is there, another case of std_types.xsl is a weblet";
    EXPECT_TRUE(inliner->ensureWebletXsl(u"a.xsl"));
    EXPECT_EQ(1, g_loads["a"]);
    EXPECT_EQ(1, g_loads["b"]) << "a cycle of imports fetches each weblet once";
    EXPECT_TRUE(written("a.xsl") && written("b.xsl"));
    EXPECT_TRUE(inliner->ensureWebletXsl(u"a.xsl"));
    EXPECT_EQ(1, g_loads["a"]) << "a file already present is not fetched again";

    LComPtr<WdGenWebletInliner> other = createWebletInliner();
    other->initialize("HTML", "MOBILE", "ENG", "TSP", "DESIGN\\", "WORK\\OTHER\\", "TSP\\tsp.xsl", scriptedLoader,
                      nullptr);
    EXPECT_TRUE(other->ensureWebletXsl(u"std_types.xsl"));
    EXPECT_EQ("<types/>", web_test::readFile(root / "WORK" / "OTHER" / "std_types.xsl")) << "copied from the design";
    EXPECT_TRUE(inliner->ensureWebletXsl(u"plain"));
    EXPECT_EQ(1, g_loads["plain"]) << "a name without .xsl is asked as it is";
    EXPECT_TRUE(inliner->ensureWebletXsl(u"empty.xsl"));
    EXPECT_EQ("", web_test::readFile(root / "WORK" / "HTML_DESKTOP" / "empty.xsl"));

    // Names that would lead out of the directory are refused.
    EXPECT_FALSE(inliner->ensureWebletXsl(u"..\\outside.xsl"));
    EXPECT_FALSE(inliner->ensureWebletXsl(u"\\outside.xsl"));
    EXPECT_FALSE(inliner->ensureWebletXsl(u"C:outside.xsl"));
    EXPECT_TRUE(inliner->ensureWebletXsl(u"bad.xsl"));
    EXPECT_FALSE(fs::exists(root / "WORK" / "escape.xsl"));
    EXPECT_EQ(0, g_loads["..\\escape"] + g_loads["escape"] + g_loads["..\\outside"]);
    EXPECT_FALSE(fs::exists(root / "WORK" / "outside.xsl"));
}

}  // namespace
