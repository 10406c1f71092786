// The widths of a field's texts that the automatic layouts size their
// entries by: after a check of a DEMOSCR function has laid out its screen,
// asked again for a sample field (ORDREF: label "Order ref", one heading
// line "Order reference text", description "Order reference", English
// only), while its text records, the function's field definitions and the
// work file stay or change.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "layout_fixture.h"

namespace {

using layout_test::LayoutJob;

class FieldTextWidths : public LayoutJob {
protected:
    // The answer and the seven widths: label, heading lines 1 to 3, widest
    // heading, heading lines, description.
    std::vector<int32_t> widths(const char* field)
    {
        int32_t w[7] = {-1, -1, -1, -1, -1, -1, -1};
        const int16_t rc = layout::FieldTextWidths(&ctx, field, w, "QUEUE     ");
        std::vector<int32_t> out{rc};
        out.insert(out.end(), w, w + 7);
        return out;
    }

    uint64_t textStamp() { return WF_ulKindStamp(&ctx, "MFLD_3109 "); }

    // The function's own definition of ORDREF with a label of its own (an
    // OVERRIDE of the label alone).
    void overrideLabel(const char* label)
    {
        FFC_FIELD_DEFINITION def;
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, "ORDREF", 6);
        def.cType = 'A';
        def.lLength = 10;
        def.lDecimals = 0;
        def.input.usLength = def.output.usLength = 0;
        FFC_FIELD_TEXT text;
        std::memset(&text, ' ', sizeof text);
        std::memcpy(text.acLabel, label, std::strlen(label));
        ASSERT_EQ(Put_Function_Field(&ctx, 'F', &def, &text), 0);
    }
};

TEST_F(FieldTextWidths, AskedAgainTheWidthsStandAndTheRecordsAreNotRewritten)
{
    check("ORDACR");
    ASSERT_EQ(ids(), std::vector<std::string>{});
    const std::vector<int32_t> repository{0, 9, 20, 0, 0, 20, 1, 15};
    EXPECT_EQ(widths("ORDREF    "), repository);
    ASSERT_EQ(records("MFLD_3109", "ORDREF").size(), 1u);
    const uint64_t stamp = textStamp();
    EXPECT_EQ(widths("ORDREF    "), repository);
    EXPECT_EQ(widths("ORDREF    "), repository);
    EXPECT_EQ(textStamp(), stamp) << "the field's records were written again";
    // a field without texts answers 1 with no widths, asked once or twice
    EXPECT_EQ(widths("NOSUCHFLD "), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(widths("NOSUCHFLD "), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(records("MFLD_3109", "NOSUCHFLD").empty());
}

TEST_F(FieldTextWidths, AFieldDefinedAfterwardsIsMeasuredWithItsOwnTexts)
{
    check("ORDACR");
    EXPECT_EQ(widths("ORDREF    "), (std::vector<int32_t>{0, 9, 20, 0, 0, 20, 1, 15}));
    overrideLabel("Order reference");
    EXPECT_EQ(widths("ORDREF    "), (std::vector<int32_t>{0, 15, 20, 0, 0, 20, 1, 15}));
    const auto stored = records("MFLD_3109", "ORDREF");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::string(stored[0].acData + 2, 15), "Order reference");
    overrideLabel("Ref");
    EXPECT_EQ(widths("ORDREF    "), (std::vector<int32_t>{0, 3, 20, 0, 0, 20, 1, 15}));
}

TEST_F(FieldTextWidths, ANewWorkFileReceivesTheRecordsAgain)
{
    check("ORDACR");
    EXPECT_EQ(widths("ORDCODE   "), (std::vector<int32_t>{0, 4, 4, 0, 0, 4, 1, 10}));
    ASSERT_EQ(WF_sCreate(&ctx), 0);
    ASSERT_TRUE(records("MFLD_3109", "ORDCODE").empty());
    EXPECT_EQ(widths("ORDCODE   "), (std::vector<int32_t>{0, 4, 4, 0, 0, 4, 1, 10}));
    const auto stored = records("MFLD_3109", "ORDCODE");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::string(stored[0].acData + 90, 40), "Order code" + std::string(30, ' '));
}

}  // namespace
