// Field attribute carry-over: what a rewritten field list keeps of the
// attributes the user wrote, directly and through attribute lists.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "platform/dqoo/dqoo_fixture.h"

namespace {

using namespace layout::design;

std::string Values(std::initializer_list<const char*> values)
{
    std::string out;
    for (const char* v : values) {
        std::string value(v);
        value.resize(10, ' ');
        out += value;
    }
    out.resize(70, ' ');
    return out;
}

class CarryOver : public ::testing::Test {
protected:
    DesignCommon& s = ScreenStep();
    void SetUp() override
    {
        s.entryCount = 0;
        std::memset(s.entries, ' ', sizeof s.entries);
        std::memset(s.attributes, ' ', sizeof s.attributes);
        std::fill(s.buffer.begin(), s.buffer.end(), ' ');
        s.position = 1;
    }
    void TearDown() override { DQOO_FCC_ClearExpressions(); }
    void add(const std::string& name, const std::string& values)
    {
        std::memcpy(s.entries[s.entryCount], name.data(), std::min<size_t>(name.size(), 10));
        std::memcpy(s.attributes + s.entryCount * 70, values.data(), 70);
        ++s.entryCount;
    }
    void current(const char* name)
    {
        std::memset(s.currentField, ' ', 10);
        std::memcpy(s.currentField, name, std::strlen(name));
    }
    std::string appended() const
    {
        std::string text(s.buffer.begin(), s.buffer.end());
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    }
};

TEST_F(CarryOver, KeepsDisplayAttributesAndDropsWhatTheDesignDecides)
{
    add("#ORDREF", Values({"*HI", "*R3", "*COLHDG", "*RED", "*C12"}));
    current("#ORDREF");
    P3097_ExpandFieldAttributeLists();
    EXPECT_EQ(appended(), "*HI *RED");
}

TEST_F(CarryOver, DescriptionKeywordIsKeptOnlyForReports)
{
    DesignCommon& r = ReportStep();
    r.entryCount = 0;
    std::memset(r.entries, ' ', sizeof r.entries);
    std::fill(r.buffer.begin(), r.buffer.end(), ' ');
    r.position = 1;
    std::memcpy(r.entries[0], "#ORDREF   ", 10);
    std::memcpy(r.attributes, Values({"*DESC", "*LABEL"}).data(), 70);
    r.entryCount = 1;
    std::memcpy(r.currentField, "#ORDREF   ", 10);
    P3019_ExpandFieldAttributeLists();
    EXPECT_EQ(std::string(r.buffer.begin(), r.buffer.begin() + 6), "*DESC ");

    add("#ORDREF", Values({"*DESC", "*HI"}));
    add("#ORDREF", Values({"*BL"}));
    current("#ORDREF");
    P3097_ExpandFieldAttributeLists();
    EXPECT_EQ(appended(), "*HI") << "only the first entry of the field counts";
}

TEST_F(CarryOver, AttributeListOf250FieldsIsWalkedInBatches)
{
    std::string fixture = "ATTRIBUTES 0000007";
    for (int i = 1; i <= 250; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "F%03d", i);
        fixture += std::string(" ") + name + " '" + (i == 250 ? Values({"*UL", "*R5"}) : Values({"*BL"})) + "'";
    }
    char error[256] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(fixture.c_str(), error, sizeof error), 0) << error;
    add(std::string("\x03M0000007", 9), std::string(70, ' '));
    add("#ORDREF", Values({"*HI"}));
    current("F250");
    P3097_ExpandFieldAttributeLists();
    EXPECT_EQ(appended(), "*UL");
    // the command's own list is as it was
    EXPECT_EQ(s.entryCount, 2);
    EXPECT_EQ(std::string(s.entries[1], 10), "#ORDREF   ");
    current("#ORDREF");
    s.position = 1;
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    P3097_ExpandFieldAttributeLists();
    EXPECT_EQ(appended(), "*HI") << "the entry after the attribute list is still handled";
}

}  // namespace

namespace {

// The report step's attribute lists: the same walk through its own
// callback, in batches of 100, and "*DESC" stays a report field's.
TEST_F(CarryOver, ReportAttributeListKeepsItsDescriptionKeyword)
{
    std::string fixture = "ATTRIBUTES 0000008";
    for (int i = 1; i <= 120; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "R%03d", i);
        fixture += std::string(" ") + name + " '" +
                   (i == 120 ? Values({"*DESC", "*R5", "*COLHDG", "*UL"}) : Values({"*BL"})) + "'";
    }
    char error[256] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(fixture.c_str(), error, sizeof error), 0) << error;
    DesignCommon& r = ReportStep();
    r.entryCount = 0;
    std::memset(r.entries, ' ', sizeof r.entries);
    std::memset(r.attributes, ' ', sizeof r.attributes);
    std::fill(r.buffer.begin(), r.buffer.end(), ' ');
    r.position = 1;
    std::memcpy(r.entries[0], "\x03M0000008 ", 10);
    std::memcpy(r.entries[1], "#ORDREF   ", 10);
    std::memcpy(r.attributes + 70, Values({"*HI"}).data(), 70);
    r.entryCount = 2;
    std::memcpy(r.currentField, "R120      ", 10);
    P3019_ExpandFieldAttributeLists();
    std::string text(r.buffer.begin(), r.buffer.end());
    text.erase(text.find_last_not_of(' ') + 1);
    EXPECT_EQ(text, "*DESC *UL") << "a position and a column-heading keyword are the design's own";
    EXPECT_EQ(r.entryCount, 2) << "the command's own list is as it was";
    EXPECT_EQ(std::string(r.entries[1], 10), "#ORDREF   ");
}

}  // namespace
