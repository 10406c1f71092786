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
