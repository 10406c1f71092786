// Data structures, subroutine names, the web-enabled function's sections,
// text tag tables, the data lines of extended fields and the text strings
// file.
#include "checked_access.h"
#include "generator/core/gen_fixture.h"

#include "generator/core/components/text_strings.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class FieldSections : public GenFixture {};

TEST_F(FieldSections, DataStructuresLoadTheFieldsOfTheFirstLibrary)
{
    exec("INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ) VALUES "
         "('DEM', 'ORDDS', 'LIBB', 'FFD', 'CUSTNAM', 1), ('DEM', 'ORDDS', 'LIBA', 'FFD', 'CUSTNO', 2), "
         "('DEM', 'ORDDS', 'LIBA', 'FFD', 'NOFIELD', 3), ('DEM', 'ORDDS', 'LIBA', 'VFD', 'CREDIT', 4), "
         "('DEM', 'ORDDS', 'LIBA', 'FFD', 'CREDIT', 1)");
    writeRecord("USE_DS", "#ORDDS", "", {});
    writeRecord("USE_DS", "OTHERDS", "", {});
    writeRecord("PASS_DS", "ORDDS", "", {});
    writeRecord("RCV_DS", "", "OTHERDS", {});
    setUp();
    const std::deque<GEN_DATA_STRUCTURE>& all = P3109_DataStructures();
    ASSERT_EQ(all.size(), 2u);
    const GEN_DATA_STRUCTURE* d = P3109_pFindDataStructure("#ORDDS");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->name, "ORDDS     ");
    EXPECT_EQ(d->storageName, "ORDDS_STORAGE");
    EXPECT_EQ(d->structureName, "ORDDS_DS");
    EXPECT_EQ(d->library, "LIBA");
    ASSERT_EQ(d->components.size(), 2u);
    EXPECT_EQ(d->components[0].field, "CREDIT    ");
    EXPECT_EQ(d->components[0].cType, 'P');
    EXPECT_EQ(d->components[0].lLength, 11);
    EXPECT_EQ(d->components[1].field, "CUSTNO    ");
    EXPECT_EQ(d->cPass, 'Y');
    EXPECT_EQ(d->cReceive, 'N');
    EXPECT_EQ(P3109_pFindDataStructure("OTHERDS")->cReceive, 'Y');
    EXPECT_EQ(P3109_pFindDataStructure("OTHERDS")->cPass, 'N');
    EXPECT_EQ(issuedMessages(), (std::vector<std::string>{"PRC1004 F NOFIELD"}));

    EXPECT_EQ(writtenBy([&] { P3109_WriteDataStructureCall("ORDDS", 'D'); }),
              "X_DisAssemble_ORDDS (FUNCTION_STD_PARMS);\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteDataStructureCall("ORDDS", 'A'); }),
              "X_Assemble_ORDDS (FUNCTION_STD_PARMS);\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteDataStructureCall("NODS", 'A'); }), "");
    EXPECT_EQ(checked::Last(issuedMessages()), "DCM9992 F Data structure NODS is not defined");
}

TEST_F(FieldSections, SubroutineNamesCarryTheModuleSuffixOfABuild)
{
    setUp();
    EXPECT_EQ(P3109_MakeSubroutineName("CHK-CRD   "), "Subroutine_CHK_CRD");
    ctx.lBuildStartValue = 1;
    EXPECT_EQ(P3109_MakeSubroutineName("CHKCRD"), "Subroutine_CHKCRD_DEMOMIN");
}

TEST_F(FieldSections, WebSectionsOnlyForAWebEnabledFunction)
{
    setUp();
    auto point = [](void (*writer)()) {
        return writtenBy([&] {
            P3109_State().skel.usColumn = 3;
            P3109_State().skel.cKeep = 'Y';
            writer();
            EXPECT_EQ(P3109_State().skel.cKeep, 'N');
        });
    };
    for (auto writer : {P3109_WriteWebInfoLines99, P3109_WriteWebInfoLines101, P3109_WriteWebInfoLines102,
                        P3109_WriteWebInfoLines103, P3109_WriteWebInfoLines104, P3109_WriteWebInfoLines105})
        EXPECT_EQ(point(writer), "");
    /* no text tags: the null return */
    EXPECT_EQ(point(P3109_WriteTextTagTables), "   if (plLimit != pX_NULL) *plLimit = 0;\n   return(pX_NULL);\n");

    P3109_Definitions().sysflags[SYSFLAG_WEBEVENT] = 'Y';
    EXPECT_EQ(point(P3109_WriteWebInfoLines104), "   if (fSwitchedWebUIM) pX_Ids->pWebInfo = NULL;\n");
    EXPECT_EQ(point(P3109_WriteWebInfoLines101),
              "   X_BOOL fSwitchedWebUIM = FALSE;\n   struct X_WEB_INFO thisWebInfo;\n"
              "   X_CHAR chOriginalExecState = pX_Ids->chExecutionState;\n   X_MODULEHANDLE hOldUIMDLL;\n"
              "   PFNUIMVOIDFUNCTION pfnOldManager;\n");

    /* two tags in the partition's one language: a field's label, a variable without a name */
    P3109_RegisterFieldTextUse("CUSTNO", 'L');
    P3109_AppendTextReference("CUSTNO", 1, 0);
    P3109_pFindMultilingualVariable("*MTXTHELLO");
    P3109_AppendTextReference("*MTXTHELLO", 2, 0);
    GEN_WEB_NAME_BLOCKS& names = P3109_WebNameBlocks();
    names.fFieldTexts = true;
    names.fieldTexts = {{{"U_MFLD_TEXT_1", "", "", "", ""}}};
    EXPECT_EQ(point(P3109_WriteTextTagTables), "   static X_PVCHAR TextTags_Lang_1[] = {\n"
                                               "      /* @T0001 */ U_MFLD_TEXT_1,\n"
                                               "      /* @T0002 */ \"\",\n"
                                               "   };\n"
                                               "   static X_PPVCHAR TextTags[1] = {\n"
                                               "      TextTags_Lang_1,\n"
                                               "   };\n"
                                               "   if (plLimit != pX_NULL) *plLimit = 2;\n"
                                               "   return TextTags[sLangNo];\n");
}

TEST_F(FieldSections, DataLinesOfExtendedFields)
{
    setUp();
    auto lines = [](const GEN_FIELD_INFO& f) {
        return writtenBy([&] { P3109_WriteFieldDataVersion(P3109_State().out.current, 0, f, "pS"); });
    };
    GEN_FIELD_INFO packed;
    packed.vectorName = "V_FIELD_BIG";
    packed.cType = 'P';
    packed.lLength = 31;
    EXPECT_EQ(lines(packed),
              "((X_FLD_INFO*)pS)->i8Version = X_FLDDATA_V1;\n"
              "memset( ((PX_FLD_PACKED)pS)->fchData, ' ', BYTE_LEN_V_FIELD_BIG - sizeof( X_FLD_PACKED ) + 1 );\n");
    packed.cResolved = 'E';
    EXPECT_EQ(lines(packed), "");
    GEN_FIELD_INFO text;
    text.cType = 'H';
    text.lLength = -1;
    text.lMaxChars = 40;
    text.alFlags[GEN_FLAG_CHAR_LENGTH] = 1;
    EXPECT_EQ(lines(text), "((X_FLD_INFO*)pS)->i8Version = X_FLDDATA_V2;\n"
                           "((X_FLD_NCHAR*) pS)->bFieldState = ((XFIELDSTATE) FsHasCharLength);\n"
                           "((X_FLD_NCHAR*) pS)->ulMaxSize = 65535;\n"
                           "((X_FLD_NCHAR*) pS)->ulMaxChars = 40;\n");
}

TEST_F(FieldSections, TextStringsFileHoldsEveryLiteralInUtf8)
{
    setUp();
    CGEN_SetTextLiteralLanguage("", "JPN");
    CGEN_SetTextLiteralPrefix("NAME");
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName("A\\B", nullptr, nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    CGEN_GetTextLiteralArrayName("xyz", "ENG", nullptr, GEN_LITERAL_AS_IS, &reference, &declared);
    GEN_LANGUAGE jpn, eng;
    jpn.code = "JPN";
    eng.code = "ENG";
    eng.charset = "1140 1252 ";
    const std::filesystem::path txt = dir_ / "root" / "OBJ.TXT";
    ASSERT_EQ(MLTX_WriteTextStringsFile("\\X_VELMO\\SOURCE\\", "\\OBJ.TXT", {jpn, eng}, GEN_TARGET_C, GEN_NO_STREAM),
              0);
    const std::string nul(1, '\0');
    EXPECT_EQ(readFile(txt), "0" + nul + "U_NAME_TEXT_1" + nul +
                                 "A\xC2\xA5"
                                 "B" +
                                 nul + "JPN" + nul + "\r\n" + "1" + nul + "auchUNAME_Text_2" + nul + "xyz" + nul +
                                 "ENG" + nul + "\r\n");
    EXPECT_TRUE(CGEN_TextLiterals().empty());

    std::string ccsid, codePage, culture;
    EXPECT_EQ(MLTX_pszFindCodePage("JPN", "\\X_VELMO\\SOURCE\\", ccsid, codePage, 5, &culture, 8), MLTX_SOURCE_TABLE);
    EXPECT_EQ(ccsid, "5026");
    EXPECT_EQ(codePage, "932");
    EXPECT_EQ(culture, "ja");
    writeFile(dir_ / "root" / "X_VELMO" / "SOURCE" / "ccsid.txt", "37,,,,,,,,EN,437,,en\n1148,,,,,,,,ENG,850,,en-GB\n");
    EXPECT_EQ(MLTX_pszFindCodePage("ENG", "\\X_VELMO\\SOURCE\\", ccsid, codePage, 5, &culture, 8), MLTX_SOURCE_FILE);
    EXPECT_EQ(ccsid, "1148");
    EXPECT_EQ(codePage, "850");
    EXPECT_EQ(culture, "en-GB");
}

}  // namespace
}  // namespace gencore_test
