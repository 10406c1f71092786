// The title of a page centred in its own width: the text after
// (width - 1) / 2 - (text length) / 2 blanks, none when that is below 1,
// blanks after it up to the width; a blank title is "N/A".
#include <gtest/gtest.h>

#include <string>

#include "web/pages/page_common.h"

namespace {

TEST(TitleCentring, OddAndEvenWidthsAndTexts)
{
    struct Case {
        const char* title;
        const char* centred;
    };
    const Case cases[] = {
        /* width 10: 9 / 2 = 4 */
        {"AB        ", "   AB     "},   /* 4 - 1 */
        {"ABC       ", "   ABC    "},   /* 4 - 1 */
        {"ABCD      ", "  ABCD    "},   /* 4 - 2 */
        {"ABCDE     ", "  ABCDE   "},   /* 4 - 2 */
        {"     AB   ", "   AB     "},   /* where it stood does not matter */
        {"ABCDEFGHI ", "ABCDEFGHI "},   /* 4 - 4: no blank */
        {"ABCDEFGHIJ", "ABCDEFGHIJ"},   /* 4 - 5: none either */
        {"A B       ", "   A B    "},   /* inner blanks are text */
        /* width 9: 8 / 2 = 4 */
        {"AB       ", "   AB    "},
        {"ABC      ", "   ABC   "},
        {"ABCD     ", "  ABCD   "},
        /* width 40, the title's width on a page */
        {"Orders of today                         ", "            Orders of today             "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(web_pages::CentredTitle(c.title), c.centred) << "'" << c.title << "'";
}

TEST(TitleCentring, ABlankTitleIsNotAvailable)
{
    EXPECT_EQ(web_pages::CentredTitle("          "), "N/A       ");
    EXPECT_EQ(web_pages::CentredTitle("    "), "N/A ");
}

}  // namespace
