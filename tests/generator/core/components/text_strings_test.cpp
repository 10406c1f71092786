// The text strings file in its two forms: the C record file and the C#
// constant lines, with the code pages of the partition's languages.
#include "generator/core/gen_fixture.h"

#include "generator/core/components/text_strings.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class TextStrings : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
        CGEN_SetTextLiteralLanguage("", "ENG");
        CGEN_SetTextLiteralPrefix("NAME");
        eng.code = "ENG";
        eng.charset = "1140 1252 ";
    }

    void add(std::string_view text, const char* language = nullptr)
    {
        const char* reference = nullptr;
        const char* declared = nullptr;
        CGEN_GetTextLiteralDefineName(text, language, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    }

    GEN_LANGUAGE eng;
};

TEST_F(TextStrings, CSharpLinesAreEscapedLiteralsInUtf8)
{
    add("Say \"caf\xE9\"");
    add("C:\\DIR");
    Capture capture;
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "", {eng}, GEN_TARGET_CSHARP, capture.stream()), 0);
    EXPECT_EQ(capture.text(), "      public const string U_NAME_TEXT_1 = \"Say \\\"caf\xC3\xA9\\\"\";\r\n"
                              "      public const string U_NAME_TEXT_2 = \"C:\\\\DIR\";\r\n");
    EXPECT_TRUE(CGEN_TextLiterals().empty());
}

TEST_F(TextStrings, EmptyChainGivesAnEmptyFileAndNoLines)
{
    const std::filesystem::path txt = dir_ / "root" / "EMPTY.TXT";
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "\\EMPTY.TXT", {eng}, GEN_TARGET_C, GEN_NO_STREAM), 0);
    EXPECT_TRUE(std::filesystem::exists(txt));
    EXPECT_EQ(readFile(txt), "");
    Capture capture;
    MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "", {eng}, GEN_TARGET_CSHARP, capture.stream());
    EXPECT_EQ(capture.text(), "");
}

TEST_F(TextStrings, UnknownLanguageAndUnreadableBytes)
{
    add("plain", "XYZ"); /* a language of no partition entry: code page 0, the machine's */
    std::string ccsid, codePage;
    MLTX_pszFindCodePage("THA", "\\X_VELMO\\SOURCE\\", ccsid, codePage, 5, nullptr, 0);
    GEN_LANGUAGE tha;
    tha.code = "THA";
    add("a\xDB"
        "b",
        "THA"); /* 0xDB is no character of code page 874 */
    Capture capture;
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "", {eng, tha}, GEN_TARGET_C, capture.stream()), 0);
    const std::string nul(1, '\0');
    const std::string text = capture.text();
    EXPECT_NE(text.find(nul + "U_NAME_TEXT_1" + nul + "plain" + nul + "XYZ" + nul + "\r\n"), std::string::npos);
    EXPECT_NE(text.find(nul + "U_NAME_TEXT_2" + nul + "a?b" + nul + "THA" + nul + "\r\n"), std::string::npos) << text;
    EXPECT_EQ(issuedMessages(),
              (std::vector<std::string>{"DCM9992 W WARNING : Text U_NAME_TEXT_2 is not text of code page 874; '?' "
                                        "stands in"}));
}

/* A double-byte text with one unreadable byte: every character that the
** code page reads is kept (two of code page 932, a backslash that Japanese
** writes as the yen sign, a letter); only the lone lead byte becomes '?'. */
TEST_F(TextStrings, UnreadableByteOfADoubleByteTextKeepsTheRest)
{
    std::string ccsid, codePage;
    MLTX_pszFindCodePage("JPN", "\\X_VELMO\\SOURCE\\", ccsid, codePage, 5, nullptr, 0);
    GEN_LANGUAGE jpn;
    jpn.code = "JPN";
    add("\x93\xFA\x96\x7B\\A\x81", "JPN");
    Capture capture;
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "", {eng, jpn}, GEN_TARGET_C, capture.stream()), 0);
    const std::string nul(1, '\0');
    EXPECT_NE(capture.text().find(nul + "U_NAME_TEXT_1" + nul + "\xE6\x97\xA5\xE6\x9C\xAC\xC2\xA5" "A?" + nul + "JPN" +
                                  nul + "\r\n"),
              std::string::npos)
        << capture.text();
    EXPECT_EQ(issuedMessages(),
              (std::vector<std::string>{"DCM9992 W WARNING : Text U_NAME_TEXT_1 is not text of code page 932; '?' "
                                        "stands in"}));
}

/* A printable ASCII text is its own UTF-8 only in a code page that reads
** ASCII as ASCII: code page 1252 keeps it, and still converts a text with
** a byte above 0x7F (0x80 is the euro sign); EBCDIC code page 1140 reads
** 0x41 as a no-break space and 0x4B as a full stop; Japanese still writes
** a backslash of a plain text as the yen sign. */
TEST_F(TextStrings, PrintableAsciiTextsAndTheirCodePages)
{
    GEN_LANGUAGE ebc, jpn;
    ebc.code = "EBC";
    ebc.charset = "1140 1140 ";
    jpn.code = "JPN";
    jpn.charset = "5026 932  ";
    add("Total ~ {1}");
    add("Price \x80 5");
    add("plain", "ENG");
    add("AK", "EBC");
    add("C:\\X", "JPN");
    Capture capture;
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "", {eng, ebc, jpn}, GEN_TARGET_C, capture.stream()),
              0);
    const std::string nul(1, '\0');
    EXPECT_EQ(capture.text(),
              "0" + nul + "U_NAME_TEXT_1" + nul + "Total ~ {1}" + nul + "ENG" + nul + "\r\n" +
              "0" + nul + "U_NAME_TEXT_2" + nul + "Price \xE2\x82\xAC 5" + nul + "ENG" + nul + "\r\n" +
              "0" + nul + "U_NAME_TEXT_3" + nul + "plain" + nul + "ENG" + nul + "\r\n" +
              "0" + nul + "U_NAME_TEXT_4" + nul + "\xC2\xA0." + nul + "EBC" + nul + "\r\n" +
              "0" + nul + "U_NAME_TEXT_5" + nul + "C:\xC2\xA5X" + nul + "JPN" + nul + "\r\n");
    EXPECT_TRUE(issuedMessages().empty());
}

TEST_F(TextStrings, OpenFailureKeepsTheLiterals)
{
    add("kept");
    EXPECT_EQ(
        MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "\\NO\\SUCH\\DIR\\X.TXT", {eng}, GEN_TARGET_C, GEN_NO_STREAM),
        -1);
    EXPECT_EQ(CGEN_TextLiterals().size(), 1u);
}

}  // namespace
}  // namespace gencore_test
