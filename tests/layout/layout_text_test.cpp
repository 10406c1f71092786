// The double-byte adjustment and the display length of layout texts, on
// hand-made texts in a single-byte and a double-byte (code page 932) run.
#include <gtest/gtest.h>

#include <string>

#include "dqov/runcontrol/ffc_context.h"
#include "layout/auto/layout_text.h"
#include "platform/dqos/dqos.h"

namespace {

using layout::P3111_AdjustDbcsText;
using layout::P3111_usDisplayLength;

const std::string kSo(1, '\x0E'), kSi(1, '\x0F');
// four Shift-JIS characters (8 bytes) and two (4 bytes)
const std::string kLabel = "\x8E\xF3\x92\x8D\x94\xD4\x8D\x86", kHeading = "\x8E\xF3\x92\x8D";

class LayoutText : public ::testing::Test {
protected:
    FFC_CONTEXT ctx{};

    void SetUp() override { ctx.cDoubleByte = 'N'; }
    void TearDown() override { SSNLS_SetCodePage(1252); }
    void doubleByte()
    {
        SSNLS_SetCodePage(932);
        ctx.cDoubleByte = 'Y';
    }
    static std::string padded(const std::string& text, size_t width)
    {
        return text + std::string(width - text.size(), ' ');
    }
    std::string adjusted(const std::string& text, int width, int32_t adjustSwitch)
    {
        std::string area = padded(text, static_cast<size_t>(width));
        P3111_AdjustDbcsText(&ctx, area.data(), width, adjustSwitch);
        return area;
    }
};

TEST_F(LayoutText, TextsAreShiftedOnlyInADoubleByteRunWithTheSwitchOn)
{
    EXPECT_EQ(adjusted(kLabel, 15, 1), padded(kLabel, 15)) << "single-byte run";
    doubleByte();
    EXPECT_EQ(adjusted(kLabel, 15, 0), padded(kLabel, 15)) << "switch off";
    EXPECT_EQ(adjusted(kLabel, 15, 1), padded(kSo + kLabel + kSi, 15));
    EXPECT_EQ(adjusted(kHeading + " list", 20, 1), padded(kSo + kHeading + kSi + " list", 20));
    EXPECT_EQ(adjusted("Customer", 20, 1), padded("Customer", 20)) << "no double-byte run, nothing to shift";
    // the shifted form is cut to the text's width
    EXPECT_EQ(adjusted(kLabel, 8, 1), kSo + kLabel.substr(0, 7));
    // a text already in its shifted form keeps it
    EXPECT_EQ(adjusted(kSo + kHeading + kSi, 20, 1), padded(kSo + kHeading + kSi, 20));
    EXPECT_EQ(adjusted("", 10, 1), std::string(10, ' '));
}

TEST_F(LayoutText, DisplayLengthCountsTheShiftCharactersOfADoubleByteRun)
{
    const std::string text = padded(kHeading + " list", 20);
    struct Case {
        bool doubleByte;
        int32_t textsSwitch;
        std::string text;
        int width;
        uint16_t length;
    };
    const Case cases[] = {
        {false, 1, text, 20, 9},  // length without trailing blanks
        {false, 1, "Name" + std::string(16, ' '), 20, 4},
        {false, 1, "Name of the customer", 20, 20},
        {false, 1, "Customer number", 8, 8},  // at most the width
        {false, 1, std::string(20, ' '), 20, 0},
        {true, 0, text, 20, 9},   // switch off
        {true, 1, text, 20, 11},  // shift-out and shift-in counted
        {true, 1, padded(kLabel + " " + kHeading, 20), 20, 17},
        {true, 1, std::string(20, ' '), 20, 0},
        {true, 1, "Name" + std::string(16, ' '), 20, 4},
    };
    for (const Case& c : cases) {
        if (c.doubleByte)
            doubleByte();
        EXPECT_EQ(P3111_usDisplayLength(&ctx, c.text.c_str(), c.width, c.textsSwitch), c.length)
            << c.text << " double-byte " << c.doubleByte << " switch " << c.textsSwitch;
    }
}

}  // namespace
