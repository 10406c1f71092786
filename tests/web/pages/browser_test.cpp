// The sample's web-enabled function DEMOWEB/ORDWEB generated with the dqov
// tool: its HTML pages rendered in headless Chromium show the fields and
// texts of each screen in the rows and order the layout gave them, its XML
// pages are well-formed once the runtime's merge tags are taken out, and a
// function without a screen has its page request withdrawn.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "runcontrol/sample_env.h"
#include "support/commands.h"
#include "support/files.h"

namespace {

std::string Shell(const std::string& command, int& status)
{
    const testsupport::CommandResult r = testsupport::runCommand(command, testsupport::Errors::Kept);
    status = r.status;
    return r.out;
}

std::string Decode(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Where an element was drawn.
struct Box {
    std::string kind, name, type;
    int left = 0, top = 0;
};

// Collects the box of every input and every text cell once the page is laid out.
constexpr const char* kPositionScript = R"(<script>
var out = [];
document.querySelectorAll('input, h3').forEach(function (e) {
  var r = e.getBoundingClientRect();
  var name = e.tagName == 'INPUT' ? e.getAttribute('name') : e.textContent.trim();
  out.push([e.tagName, encodeURIComponent(name), e.type || '', Math.round(r.left), Math.round(r.top)].join(' '));
});
var p = document.createElement('pre'); p.id = 'positions'; p.textContent = out.join('\n');
document.body.appendChild(p);
</script>)";

class SamplePages : public ::testing::Test {
protected:
    static inline SampleEnv* env = nullptr;
    static inline std::string output;
    static inline int status = -1;

    static void SetUpTestSuite()
    {
        env = new SampleEnv();
        output = Shell(std::string(DQOV_TOOL_PATH) + " --generate --html --xml --root '" + env->root() +
                           "' --repository '" + env->repository() + "' DEMOWEB ORDWEB",
                       status);
    }
    static void TearDownTestSuite()
    {
        delete env;
        env = nullptr;
    }

    static std::vector<std::string> Lines(const std::string& sql)
    {
        std::vector<std::string> out;
        sqlite3* db = nullptr;
        sqlite3_open_v2(env->repository().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
    static std::string Page(const char* environment, const char* number, const char* function = "ORDWEB")
    {
        std::string text;
        for (const std::string& line :
             Lines(std::string("SELECT rtrim(X02TXT) FROM QV_X02 WHERE X02PEN = '") + environment +
                   "' AND X02PAG = 'DEMOWEB   " + function + " " + number + "' AND X02SET = 0 ORDER BY X02SEQ"))
            text += line + "\n";
        return text;
    }

    // Renders the HTML page and reads back where its inputs and texts are.
    std::vector<Box> Render(const std::string& html)
    {
        const std::string dir = env->root() + "/../browser";
        std::filesystem::create_directories(dir + "/profile");
        const std::string file = dir + "/page.html";
        std::ofstream(file, std::ios::binary) << html << kPositionScript << "\n";
        int rc = 0;
        const std::string dom =
            Shell("timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                  "--disable-background-networking --disable-component-update --disable-sync --user-data-dir='" +
                      dir + "/profile' --dump-dom 'file://" + file + "' 2>/dev/null",
                  rc);
        EXPECT_EQ(rc, 0) << "chromium could not render the page (scripts/setup installs it)";
        std::vector<Box> boxes;
        const size_t at = dom.find("<pre id=\"positions\">");
        if (at == std::string::npos)
            return boxes;
        std::istringstream in(dom.substr(at + 20, dom.find("</pre>", at) - at - 20));
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            Box b;
            std::string name;
            fields >> b.kind >> name;
            if (b.kind == "INPUT")
                fields >> b.type;
            fields >> b.left >> b.top;
            b.name = Decode(name);
            boxes.push_back(b);
        }
        return boxes;
    }
    static const Box* Find(const std::vector<Box>& boxes, const std::string& name)
    {
        for (const Box& b : boxes)
            if (b.name == name)
                return &b;
        return nullptr;
    }
};

TEST_F(SamplePages, JobWritesTwoPagesOfEachKind)
{
    ASSERT_EQ(status, 0) << output;
    /* the suite's other tests generate other functions of the process into
       the same repository: the pages of ORDWEB are those of this job */
    EXPECT_EQ(Lines("SELECT X01PEN || ' ' || X01PAG FROM QV_X01 WHERE X01PAG LIKE 'DEMOWEB   ORDWEB%' ORDER BY 1"),
              (std::vector<std::string>{"HTM DEMOWEB   ORDWEB 001", "HTM DEMOWEB   ORDWEB 002",
                                        "XML DEMOWEB   ORDWEB 001", "XML DEMOWEB   ORDWEB 002"}));
}

// The REQUEST panel laid out DOWN: a field per screen row (4, 5, 6) in one
// column, a text on row 4 at column 50 and a text alone on row 10.
// The texts of the generated program's text strings file, by name.
std::map<std::string, std::string> ProgramTexts(const std::string& file)
{
    std::map<std::string, std::string> texts;
    for (const std::string& line : testsupport::readLines(file)) {
        std::vector<std::string> parts;
        std::istringstream fields(line);
        for (std::string part; std::getline(fields, part, '\0');)
            parts.push_back(part);
        if (parts.size() >= 3)
            texts[parts[1]] = parts[2];
    }
    return texts;
}

// The texts a block of the program names (U_..._TEXT_n), and its empty strings.
std::vector<std::string> NamedTexts(const std::string& block, const std::map<std::string, std::string>& texts)
{
    std::vector<std::string> named;
    static const std::regex name(R"(U_[A-Z]+_TEXT_[0-9]+|"")");
    for (auto it = std::sregex_iterator(block.begin(), block.end(), name); it != std::sregex_iterator(); ++it) {
        const std::string n = it->str();
        named.push_back(n == "\"\"" ? "" : texts.count(n) ? texts.at(n) : "?" + n);
    }
    return named;
}

// The program of the function shows the repository's labels, headings and
// descriptions: its table of field texts holds them, and so does the table
// of text tags its pages read, one tag per text a page shows.
TEST_F(SamplePages, ProgramHoldsTheFieldTextsItsPagesShow)
{
    ASSERT_EQ(status, 0) << output;
    const std::string source = env->root() + "/X_VELMO/X_DEM/SOURCE/";
    const std::string program = testsupport::readFile(source + "ORDWEB.C");
    const auto texts = ProgramTexts(source + "ORDWEB.TXT");
    const size_t fields = program.find("static struct X_MFLD MultiField[");
    ASSERT_NE(fields, std::string::npos);
    const std::vector<std::string> fieldTexts =
        NamedTexts(program.substr(fields, program.find("};", fields) - fields), texts);
    for (const char* text : {"Order ref", "Order reference text", "Order reference", "Code", "Order code", "Quantity",
                             "Qty", "Quantity ordered", "Customer's name"})
        EXPECT_NE(std::find(fieldTexts.begin(), fieldTexts.end(), text), fieldTexts.end()) << text;
    const size_t tags = program.find("static X_PVCHAR TextTags_Lang_1[] = {");
    ASSERT_NE(tags, std::string::npos) << "no text tags";
    const std::vector<std::string> tagTexts = NamedTexts(program.substr(tags, program.find("};", tags) - tags), texts);
    EXPECT_EQ(tagTexts.size(), 19u);
    EXPECT_GE(std::count_if(tagTexts.begin(), tagTexts.end(), [](const std::string& t) { return !t.empty(); }), 15);
    for (const char* text : {"Order ref", "Order reference", "Quantity", "Quantity ordered", "Amount"})
        EXPECT_NE(std::find(tagTexts.begin(), tagTexts.end(), text), tagTexts.end()) << text;
    EXPECT_NE(program.find("if (plLimit != pX_NULL) *plLimit = 19;"), std::string::npos);
}

TEST_F(SamplePages, RequestPanelShowsItsFieldsAndTextsOnTheirRows)
{
    const std::vector<Box> boxes = Render(Page("HTM", "001"));
    const Box* customer = Find(boxes, "WEBCUST   ");
    const Box* amount = Find(boxes, "WEBAMT    ");
    const Box* password = Find(boxes, "WEBPASS   ");
    const Box* right = Find(boxes, "Orders & 'returns' <on the web>");
    const Box* below = Find(boxes, "Enter the \"customer\" first");
    ASSERT_TRUE(customer && amount && password && right && below) << Page("HTM", "001");
    EXPECT_EQ(customer->top, right->top) << "row 4 holds the field and the text";
    EXPECT_LT(customer->left, right->left) << "the text stands right of the field";
    EXPECT_LT(customer->top, amount->top);
    EXPECT_LT(amount->top, password->top);
    EXPECT_LT(password->top, below->top) << "row 10 comes last";
    EXPECT_EQ(customer->left, amount->left) << "one column";
    EXPECT_EQ(amount->left, password->left);
    EXPECT_EQ(password->type, "password");
    EXPECT_EQ(customer->type, "text");
}

// The DISPLAY panel laid out ACROSS: three fields side by side on one row.
TEST_F(SamplePages, DisplayPanelShowsItsFieldsSideBySide)
{
    const std::vector<Box> boxes = Render(Page("HTM", "002"));
    const Box* ref = Find(boxes, "ORDREF    ");
    const Box* code = Find(boxes, "ORDCODE   ");
    const Box* qty = Find(boxes, "ORDQTY    ");
    ASSERT_TRUE(ref && code && qty) << Page("HTM", "002");
    EXPECT_EQ(ref->top, code->top);
    EXPECT_EQ(code->top, qty->top);
    EXPECT_LT(ref->left, code->left);
    EXPECT_LT(code->left, qty->left);
}

// xmllint's findings on an XML page once the runtime's merge tags are
// taken out, "" when it is well-formed.
std::string XmlFindings(const std::string& page, const std::string& file)
{
    const std::string xml =
        std::regex_replace(std::regex_replace(page, std::regex("<ZOPH[^>]*>"), ""), std::regex("</ZOPH>"), "");
    std::ofstream(file, std::ios::binary) << xml;
    int rc = 0;
    const std::string out = Shell("xmllint --noout '" + file + "' 2>&1", rc);
    return rc == 0 ? "" : out + xml;
}

TEST_F(SamplePages, XmlPagesAreWellFormedWithoutTheMergeTags)
{
    for (const char* number : {"001", "002"})
        EXPECT_EQ(XmlFindings(Page("XML", number), env->root() + "/../page" + number + ".xml"), "");
}

// ORDWEV, a web event page: an input is named by the field's type letter
// ('L' for an alphanumeric field that takes lower case) and the first nine
// characters of its name, which carries no national character, and its
// value merges the name blank-padded to 10. Two fields of nine characters
// that begin alike stay apart in the browser, and the XML page names each
// field as the HTML page does, its field lines well-formed.
TEST_F(SamplePages, WebEventPageNamesEachFieldApart)
{
    int rc = 0;
    const std::string out = Shell(std::string(DQOV_TOOL_PATH) + " --generate --html --xml --root '" + env->root() +
                                      "' --repository '" + env->repository() + "' DEMOWEB ORDWEV",
                                  rc);
    ASSERT_EQ(rc, 0) << out;
    const std::string html = Page("HTM", "001", "ORDWEV");
    const std::vector<Box> boxes = Render(html);
    const Box* name = Find(boxes, "LWEBCUST  ");
    const Box* street = Find(boxes, "ACUSTADDR1");
    const Box* town = Find(boxes, "ACUSTADDR2");
    ASSERT_TRUE(name && street && town) << html;
    EXPECT_LT(name->top, street->top);
    EXPECT_LT(street->top, town->top);
    for (const char* merge : {"WEBCUST   ", "CUSTADDR1 ", "CUSTADDR2 "})
        EXPECT_NE(html.find(std::string("value=\"<ZOPH MERGE=\"") + merge + "\">\""), std::string::npos) << merge;

    const std::string xml = Page("XML", "001", "ORDWEV");
    EXPECT_EQ(XmlFindings(xml, env->root() + "/../ordwev.xml"), "");
    for (const char* field : {"<FIELD NAME=\"LWEBCUST\"  ><ZOPH MERGE=\"WEBCUST   \"></FIELD>",
                              "<FIELD NAME=\"ACUSTADDR1\"><ZOPH MERGE=\"CUSTADDR1 \"></FIELD>",
                              "<FIELD NAME=\"ACUSTADDR2\"><ZOPH MERGE=\"CUSTADDR2 \"></FIELD>"})
        EXPECT_NE(xml.find(field), std::string::npos) << field << "\n" << xml;
}

// ORDLST: a REQUEST with a browse list, whose columns become QV_X04 rows,
// and a window titled by a multilingual variable.
TEST_F(SamplePages, BrowseListColumnsAndWindowTitle)
{
    int rc = 0;
    const std::string out = Shell(std::string(DQOV_TOOL_PATH) + " --generate --html --root '" + env->root() +
                                      "' --repository '" + env->repository() + "' DEMOWEB ORDLST",
                                  rc);
    ASSERT_EQ(rc, 0) << out;
    EXPECT_EQ(Lines("SELECT X04BRW || X04FNO || ' ' || rtrim(X04FLD) || ' ' || X04TYP || X04LEN || ' ' || "
                    "substr(X04CH3, 1, 2) FROM QV_X04 WHERE X04FMT = 'ORDLST' ORDER BY X04FNO"),
              (std::vector<std::string>{"#ORDLIST  1 ORDREF A10 &T", "#ORDLIST  2 ORDCODE A5 &T",
                                        "#ORDLIST  3 ORDQTY P5 &T"}));
    const std::vector<std::string> list = Lines("SELECT rtrim(X02TXT) FROM QV_X02 WHERE X02PEN = 'HTM' AND "
                                                "X02PAG = 'DEMOWEB   ORDLST 001' ORDER BY X02SEQ");
    EXPECT_NE(std::find(list.begin(), list.end(), "<ZOPH MERGE=\"&BL#ORDLIST  \">"), list.end());
    const std::vector<std::string> window = Lines("SELECT rtrim(X02TXT) FROM QV_X02 WHERE X02PEN = 'HTM' AND "
                                                  "X02PAG = 'DEMOWEB   ORDLST 002' AND X02TXT LIKE '<center>%'");
    ASSERT_EQ(window.size(), 1u);
    EXPECT_EQ(window[0].substr(0, 28), "<center><h1><ZOPH MERGE=\"&T0");
}

TEST_F(SamplePages, FunctionWithoutScreenHasItsPageRequestWithdrawn)
{
    ASSERT_TRUE(env->execOutside("INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', 'DEMOWEB', 'NOSCR');"
                                 "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) VALUES "
                                 "('DEM', 'DEMOWEB', 'NOSCR', 1, '', 'FUNCTION', 'OPTIONS(*DIRECT)'),"
                                 "('DEM', 'DEMOWEB', 'NOSCR', 2, '', 'RETURN', '');"));
    int rc = 0;
    const std::string out = Shell(std::string(DQOV_TOOL_PATH) + " --generate --html --root '" + env->root() +
                                      "' --repository '" + env->repository() + "' DEMOWEB NOSCR",
                                  rc);
    EXPECT_EQ(rc, 0) << out;
    EXPECT_NE(out.find("PRC0047"), std::string::npos) << out;
    EXPECT_EQ(out.find("HTML Generator Invoked"), std::string::npos) << out;
    EXPECT_TRUE(Lines("SELECT X01PAG FROM QV_X01 WHERE X01PAG LIKE 'DEMOWEB   NOSCR%'").empty());
}

}  // namespace
