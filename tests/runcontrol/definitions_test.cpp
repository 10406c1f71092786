// Definitions from the sample repository: process, function, fields through
// the cache; attribute scans; user DLL definitions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "dem_run_context.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqoz/dqoz.h"

namespace {

struct Definitions : DemRunContext {
    char field(const char* name, FFC_FIELD_DEFINITION& def, FFC_FIELD_TEXT& text, char& local, bool component = false)
    {
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name, std::strlen(name));
        local = '?';
        return component ? Get_Function_Field_Allow_Component(&ctx, &local, &def, &text, nullptr)
                         : Get_Function_Field(&ctx, &local, &def, &text, nullptr);
    }
};

TEST_F(Definitions, ProcessAndFunction)
{
    FFC_PROCESS_DEFINITION p;
    ASSERT_EQ(P310C_sLoadProcessDefinition(&ctx, "DEMOPRC   ", &p), 0);
    EXPECT_EQ(p.cProcessClass, 'L');
    EXPECT_EQ(p.usOptionsLength, 0);
    EXPECT_EQ(P310C_sLoadProcessDefinition(&ctx, "NOPROC", &p), 1);

    FFC_FUNCTION_DEFINITION f;
    ASSERT_EQ(P310C_sLoadFunctionDefinition(&ctx, "DEMOPRC", "DEMOMIN", &f), 0);
    EXPECT_EQ(f.cApm, 'Y');
    EXPECT_EQ(f.cSelectSql, 'N');
    EXPECT_EQ(std::string(f.acDescription, 40), "Smallest function" + std::string(23, ' '));
    EXPECT_EQ(P310C_sLoadFunctionDefinition(&ctx, "DEMOPRC", "NOFUNC", &f), 1);
}

TEST_F(Definitions, TextsFallBackToTheDefaultLanguage)
{
    // no texts are stored in this run language: the default language's stand
    SMISC_SetSession("DEM", "FRA");
    FFC_FUNCTION_DEFINITION f;
    ASSERT_EQ(P310C_sLoadFunctionDefinition(&ctx, "DEMOPRC", "DEMOMIN", &f), 0);
    EXPECT_EQ(std::string(f.acDescription, 40), "Smallest function" + std::string(23, ' '));
    FFC_FIELD_DEFINITION def;
    FFC_FIELD_TEXT text;
    char local;
    ASSERT_EQ(field("CUSTNAM", def, text, local), '0');
    EXPECT_EQ(std::string(text.acLabel, 15), "Name           ");
    EXPECT_EQ(std::string(text.acDescription, 15), "Customer's name");
    SMISC_SetSession("DEM", "ENG");
}

TEST_F(Definitions, FieldsFromTheDictionaryWithTheirTexts)
{
    FFC_FIELD_DEFINITION def;
    FFC_FIELD_TEXT text;
    char local;
    ASSERT_EQ(field("CUSTNAM", def, text, local), '0');
    EXPECT_EQ(local, 'N');
    EXPECT_EQ(def.cType, 'A');
    EXPECT_EQ(def.lLength, 30);
    EXPECT_EQ(def.lDecimals, 0);
    EXPECT_EQ(std::string(def.input.acCodes, def.input.usLength), "ASQN");
    EXPECT_EQ(def.output.usLength, 0);
    EXPECT_EQ(std::string(text.acLabel, 15), "Name           ");
    EXPECT_EQ(std::string(text.acDescription, 15), "Customer's name");
    EXPECT_EQ(std::string(text.acColumnHeadings[1], 4), "name");

    // the national name character is dropped before the look-up; the name
    // given stays as it was
    ASSERT_EQ(field("#CREDIT", def, text, local), '0');
    EXPECT_EQ(def.lDecimals, 2);
    EXPECT_EQ(std::string(def.acName, 7), "#CREDIT");

    EXPECT_EQ(field("NOFIELD", def, text, local), '1');
    EXPECT_EQ(field("NOFIELD", def, text, local), '1') << "a missing field stays missing (cached)";
}

TEST_F(Definitions, FieldsOfTheJobItself)
{
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, "WRKTOTAL", 8);
    def.cType = 'P';
    def.lLength = 9;
    def.lDecimals = 2;
    def.input.usLength = 0;
    def.output.usLength = 0;
    ASSERT_EQ(Put_Function_Field(&ctx, 'F', &def, nullptr), 0);
    std::memcpy(def.acName, "CMPFIELD  ", 10);
    ASSERT_EQ(Put_Function_Field(&ctx, 'C', &def, nullptr), 0);

    FFC_FIELD_DEFINITION got;
    FFC_FIELD_TEXT text;
    char local;
    ASSERT_EQ(field("WRKTOTAL", got, text, local), '0');
    EXPECT_EQ(local, 'Y');
    EXPECT_EQ(got.lLength, 9);
    EXPECT_EQ(field("CMPFIELD", got, text, local), '1') << "component fields only when allowed";
    ASSERT_EQ(field("CMPFIELD", got, text, local, true), '0');
    EXPECT_EQ(local, 'Y');
}

// What the dictionary holds under a name, with its default as written: read
// once through the field cache and still known when the job defines a field
// of that name itself; not known for a name the job defined first.
TEST_F(Definitions, DictionaryFieldAndItsDefaultStayKnownWhenTheJobDefinesTheName)
{
    char text[50];
    uint16_t length = 99;
    ASSERT_EQ(P310C_sDictionaryField(&ctx, "BZSTAT", text, &length), 1);
    EXPECT_EQ(std::string(text, length), "'N'");
    ASSERT_EQ(P310C_sDictionaryField(&ctx, "BZPRIO", text, &length), 1);
    EXPECT_EQ(std::string(text, length), "5");
    ASSERT_EQ(P310C_sDictionaryField(&ctx, "CREDIT", text, &length), 1);
    EXPECT_EQ(length, 0) << "no default";
    EXPECT_EQ(P310C_sDictionaryField(&ctx, "NOFIELD", nullptr, nullptr), 0);

    // the field cache answers Get_Function_Field from the same read
    FFC_FIELD_DEFINITION def;
    FFC_FIELD_TEXT fieldText;
    char local;
    ASSERT_EQ(field("BZSTAT", def, fieldText, local), '0');
    EXPECT_EQ(def.cType, 'A');
    EXPECT_EQ(def.lLength, 1);
    EXPECT_EQ(field("NOFIELD", def, fieldText, local), '1');

    // the job defines BZSTAT and NOFIELD itself: their dictionary answers stay
    for (const char* name : {"BZSTAT    ", "NOFIELD   ", "OWNFIELD  "}) {
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name, 10);
        def.cType = 'P';
        def.lLength = 5;
        def.lDecimals = 0;
        def.input.usLength = def.output.usLength = 0;
        ASSERT_EQ(Put_Function_Field(&ctx, 'F', &def, nullptr), 0);
    }
    ASSERT_EQ(field("BZSTAT", def, fieldText, local), '0');
    EXPECT_EQ(def.cType, 'P') << "the job's own definition";
    length = 99;
    ASSERT_EQ(P310C_sDictionaryField(&ctx, "BZSTAT", text, &length), 1);
    EXPECT_EQ(std::string(text, length), "'N'");
    EXPECT_EQ(P310C_sDictionaryField(&ctx, "NOFIELD", nullptr, nullptr), 0);
    EXPECT_EQ(P310C_sDictionaryField(&ctx, "OWNFIELD", nullptr, nullptr), -1) << "defined before the dictionary was read";
    EXPECT_EQ(P310C_sDictionaryField(nullptr, "BZSTAT", nullptr, nullptr), -1);
}

TEST(FieldAttributes, ScanSetsOnlyTheFlagsOfCodesPresent)
{
    char a = 'N', s = 'N', i = 'x';
    P310C_ScanFieldAttributeCodes("ABCDASQN                                ",
                                  "SUNS                                    ", &a, &s, &i);
    EXPECT_EQ(a, 'Y');
    EXPECT_EQ(s, 'Y');
    EXPECT_EQ(i, 'x');
    P310C_ScanFieldAttributeCodes("                                        ",
                                  "XXXXYYYYSUNI                            ", &a, &s, &i);
    EXPECT_EQ(i, 'Y');
}

TEST(UserDlls, ReadFindWriteAndCopy)
{
    SampleEnv env;
    std::filesystem::path dir = std::filesystem::path(env.root()) / "UDLL";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "x_usedll.dat") << "* user DLLs\n"
                                           "DLLNAM=MATHLIB\n"
                                           "DLLALS=MATH\n"
                                           "ENTNAM=SQRT\n"
                                           "ENTALS=ROOT\n"
                                           "ENTSKL=sqrt.s\n"
                                           "ENTNAM=ABS\n"
                                           "ENTALS=ABSVAL\n"
                                           "DLLNAM=STRLIB\n"
                                           "DLLALS=STR\n"
                                           "ENTNAM=UPPER\n"
                                           "ENTALS=UP\n";
    std::ofstream(dir / "sqrt.s") << "/* square root */\r\nX_SQRT_BODY\n";
    USEDLL_RECORD* list = nullptr;
    ASSERT_NE(USEDLL_pReadFile("\\UDLL\\", &list), nullptr);
    char dllName[33] = {};
    USEDLL_ENTRY* e = USEDLL_pFindEntry(list, "'math'  ", "Root", dllName);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->szName, "SQRT");
    EXPECT_STREQ(dllName, "MATHLIB");
    EXPECT_EQ(e->fUsed, 1);
    EXPECT_EQ(USEDLL_pFindEntry(list, "STR", "ROOT", dllName), nullptr);

    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    USEDLL_WritePrototypes(list, out);
    EXPECT_EQ(USEDLL_CopySkeletons(list, "\\UDLL\\", out), 0);
    std::fclose(out);
    /* each entry with the built-in function's argument list, the one USE passes */
    const std::string arguments = " (struct X_IDS *,struct X_PRO *,struct X_FUN *,\n"
                                  "    struct X_BIF *,struct X_FLD [],struct X_LIST [],\n"
                                  "    X_SHORT,X_SHORT [],X_SHORT,X_SHORT []);\n";
    EXPECT_EQ(std::string(text, size), "F_VOID_FUNCTION X_MATHLIBSQRT" + arguments +
                                       "F_VOID_FUNCTION X_MATHLIBABS" + arguments +
                                       "F_VOID_FUNCTION X_STRLIBUPPER" + arguments +
                                       "/* square root */\n"
                                       "X_SQRT_BODY\n");
    std::free(text);
    USEDLL_FreeList(&list);
    EXPECT_EQ(list, nullptr);

    USEDLL_RECORD* none = reinterpret_cast<USEDLL_RECORD*>(&env);
    EXPECT_EQ(USEDLL_pReadFile("\\NOWHERE\\", &none), nullptr);
    EXPECT_EQ(none, nullptr) << "a missing file leaves the list empty";
}

// The name of the first DLL the file of the directory names; "" when none.
std::string firstDllOf(const char* directory)
{
    USEDLL_RECORD* list = nullptr;
    USEDLL_pReadFile(directory, &list);
    const std::string name = list ? list->szName : "";
    USEDLL_FreeList(&list);
    return name;
}

// A job reads the file once (its directory spelt with a separator doubled
// is the same directory); what the job writes through its file work is read
// again, and after the job the file is read as it stands.
TEST(UserDlls, AJobReadsTheFileOnceAndSeesItsOwnWrites)
{
    SampleEnv env;
    const std::filesystem::path file = std::filesystem::path(env.root()) / "UDLL" / "x_usedll.dat";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "DLLNAM=FIRST\n";
    DosBeginFileWork();
    EXPECT_EQ(firstDllOf("\\UDLL\\"), "FIRST");
    std::ofstream(file) << "DLLNAM=OTHER\n";  // by hand, not by the job
    EXPECT_EQ(firstDllOf("\\\\UDLL\\\\"), "FIRST") << "read once in the job";

    std::string host;
    ASSERT_EQ(dqoz::OutputPath("\\UDLL\\x_usedll.dat", host), 0u);
    std::ofstream(host) << "DLLNAM=WRITTEN\n";
    EXPECT_EQ(firstDllOf("\\UDLL\\"), "WRITTEN") << "the job's own write is read";
    DosRollbackFileWork();
    EXPECT_EQ(firstDllOf("\\UDLL\\"), "OTHER") << "outside a job the file is read as it stands";
}

TEST(UserDlls, ADllOfMoreEntriesThanARecordHoldsGoesOnInTheNext)
{
    SampleEnv env;
    std::filesystem::path dir = std::filesystem::path(env.root()) / "UDLL";
    std::filesystem::create_directories(dir);
    {
        std::ofstream f(dir / "x_usedll.dat");
        f << "DLLNAM=BIGLIB\nDLLALS=BIG\n";
        for (int i = 1; i <= 300; ++i) {
            f << "ENTNAM=E" << i << "\n";
            if (i % 2 == 0)  // every other entry without alias or skeleton
                f << "ENTALS=A" << i << "\n";
        }
        f << "DLLNAM=LAST\nDLLALS=L\nENTNAM=ONLY\n";
    }
    USEDLL_RECORD* list = nullptr;
    ASSERT_NE(USEDLL_pReadFile("\\UDLL\\", &list), nullptr);
    ASSERT_NE(list->pNext, nullptr);
    EXPECT_EQ(list->ulEntries, 256u);
    EXPECT_EQ(list->pNext->ulEntries, 44u);
    EXPECT_STREQ(list->pNext->szName, "BIGLIB") << "the next record is the same DLL's";
    EXPECT_STREQ(list->pNext->szAlias, "BIG");
    char dllName[33] = {};
    USEDLL_ENTRY* e = USEDLL_pFindEntry(list, "BIG", "A298", dllName);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->szName, "E298");
    EXPECT_STREQ(dllName, "BIGLIB");
    const USEDLL_ENTRY& bare = list->pNext->aEntries[42];  // E299
    EXPECT_STREQ(bare.szName, "E299");
    EXPECT_STREQ(bare.szAlias, "");
    EXPECT_STREQ(bare.szSkeleton, "");
    EXPECT_EQ(bare.fUsed, 0);
    ASSERT_NE(list->pNext->pNext, nullptr);
    EXPECT_STREQ(list->pNext->pNext->szName, "LAST");
    EXPECT_EQ(list->pNext->pNext->pNext, nullptr);

    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    EXPECT_EQ(USEDLL_CopySkeletons(list, "\\UDLL\\", out), 0) << "no entry names a skeleton";
    std::fclose(out);
    EXPECT_EQ(size, 0u);
    std::free(text);
    USEDLL_FreeList(&list);
}

}  // namespace
