// Names of the generated file set, identifiers and literals.
#include "generator/core/gen_fixture.h"

#include "generator/core/output/file_set.h"
#include "generator/core/output/services.h"

namespace gencore_test {
namespace {

GEN_FILE_SET form(GEN_FILE_SET_INPUT in)
{
    GEN_FILE_SET set;
    EXPECT_TRUE(P3109_FormFileSet(in, set, false));
    return set;
}

GEN_FILE_SET_INPUT invoice()
{
    GEN_FILE_SET_INPUT in;
    in.root = "C:\\ENV";
    in.partition = "DEM";
    in.cName = "INVOICE";
    return in;
}

TEST(FileSet, FunctionInPartitionSourceDirectory)
{
    GEN_FILE_SET s = form(invoice());
    EXPECT_EQ(s.c, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\INVOICE.C");
    EXPECT_EQ(s.h, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\INVOICE.H");
    EXPECT_EQ(s.pgm, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\INVOICE.PGM");
    EXPECT_EQ(s.csClass, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#\\INVOICE\\INVOICE.cs");
    EXPECT_EQ(s.csStg, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#\\INVOICE\\INVOICESTG.cs");
    EXPECT_EQ(s.csAssemblyInfo, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#\\INVOICE\\Properties\\AssemblyInfo.cs");
    EXPECT_EQ(s.mainSkeleton, "C:\\ENV\\X_VELMO\\SOURCE\\FUN00001.S");
    EXPECT_EQ(s.csSkeletons[4], "C:\\ENV\\X_VELMO\\SOURCE\\SL000005.S");
    EXPECT_EQ(s.bifSkeleton, "C:\\ENV\\X_VELMO\\SOURCE\\FUN00024.S");
}

TEST(FileSet, CheckInKeepsTheCSharpDirectory)
{
    GEN_FILE_SET_INPUT in = invoice();
    in.checkIn = true;
    GEN_FILE_SET s = form(in);
    EXPECT_EQ(s.c, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\CheckIn\\INVOICE.C");
    EXPECT_EQ(s.csDirectory, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#");
    EXPECT_EQ(s.csClass, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#\\INVOICE\\INVOICE.cs");
}

TEST(FileSet, CompoundComponentMembersAndHome)
{
    const char* expected[] = {"00000001", "00000002", "ORDERS"};
    /* the code of a member pass needs an identifier: "X" and the pass number */
    const char* code[] = {"X0000001", "X0000002", "ORDERS"};
    for (int pass = 1; pass <= 3; ++pass) {
        GEN_FILE_SET_INPUT in = invoice();
        in.cName = "ORDERS";
        in.compound = true;
        in.lPassCount = 3;
        in.lCurrentPass = pass;
        GEN_FILE_SET s;
        ASSERT_TRUE(P3109_FormFileSet(in, s, false));
        const std::string stem = expected[pass - 1];
        EXPECT_EQ(in.stem, stem);
        EXPECT_EQ(in.cName, code[pass - 1]);
        EXPECT_EQ(s.c, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\ORDERS\\" + stem + ".C");
        /* a member's C# project is the compound's own, in its directory,
           and its namespace names the compound; the home's is a
           component's */
        if (pass < 3) {
            EXPECT_EQ(s.csProject, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\ORDERS\\C#\\" + stem);
            EXPECT_EQ(s.csClass, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\ORDERS\\C#\\" + stem + "\\" + stem + ".cs");
            EXPECT_EQ(s.csNamespace, std::string("ORDERS.") + code[pass - 1]);
        } else {
            EXPECT_EQ(s.csProject, "C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\C#\\ORDERS");
            EXPECT_EQ(s.csNamespace, "ORDERS");
        }
    }
}

TEST(FileSet, BuiltinFunctionSkeletonByPrecedence)
{
    GEN_FILE_SET_INPUT in = invoice();
    in.cFieldValidate = 'Y';
    in.cSystemVariable = 'Y';
    in.cTrigger = 'Y';
    EXPECT_EQ(form(in).bifSkeleton.substr(22), "FUN00026.S");
    in.cFieldValidate = 'N';
    EXPECT_EQ(form(in).bifSkeleton.substr(22), "FUN00025.S");
    in.cSystemVariable = 'N';
    EXPECT_EQ(form(in).bifSkeleton.substr(22), "FUN00027.S");
    in.cTrigger = 'N';
    in.cBuiltin = 'Y';
    EXPECT_EQ(form(in).bifSkeleton.substr(22), "FUN00028.S");
}

TEST(FileSet, OverlongRootIsRefused)
{
    GEN_FILE_SET_INPUT in = invoice();
    in.root = "C:\\" + std::string(220, 'R');
    GEN_FILE_SET s;
    EXPECT_FALSE(P3109_FormFileSet(in, s, false));
    EXPECT_TRUE(s.c.empty());
}

/* A name is mapped to its C name ('X' first, '_' elsewhere, cut short): the
** mapped stem names the files (the set-up refuses only a stem another
** object has); a C name that is no identifier (a name not mapped) names
** nothing. */
TEST(FileSet, MappedNamesNameFilesAndUnmappedOnesAreRefused)
{
    const struct {
        const char* object;
        const char* cName;
    } mapped[] = {{"PAY-01", "PAY_01"},   {"PAY@01", "PAY_01"},       {"../../Z", "X_____Z"},
                  {"demomin", "demomin"}, {"ORDERLINES", "ORDERLIN"}, {"A B", "A"}};
    for (const auto& n : mapped) {
        GEN_FILE_SET_INPUT in = invoice();
        in.objectName = n.object;
        in.cName = n.cName;
        GEN_FILE_SET s = form(in);
        EXPECT_TRUE(s.refusal.empty()) << n.object;
        EXPECT_EQ(s.c, std::string("C:\\ENV\\X_VELMO\\X_DEM\\SOURCE\\") + n.cName + ".C") << n.object;
    }
    for (const char* raw : {"PAY-01", "..", "A\\B", "", "TOOLONGNAME"}) {
        GEN_FILE_SET_INPUT in = invoice();
        in.objectName = raw;
        in.cName = raw;
        GEN_FILE_SET s;
        EXPECT_TRUE(P3109_FormFileSet(in, s, false)) << raw;
        EXPECT_EQ(s.refusal, std::string("ERROR : Name ") + raw + " cannot name files: its C name is no identifier");
        EXPECT_TRUE(s.c.empty() && s.outputDirectory.empty() && s.csProject.empty()) << raw;
    }
}

class FileSetDirectories : public GenFixture {};

TEST_F(FileSetDirectories, CompoundRemovalStaysInTheSourceDirectory)
{
    /* a component named to climb out of the partition's source directory
       removes nothing: its set is refused before any directory is touched */
    const std::filesystem::path partition = dir_ / "root" / "X_VELMO" / "X_DEM";
    writeFile(partition / "keep.txt", "kept");
    GEN_FILE_SET_INPUT in = invoice();
    in.root = "";
    in.compound = true;
    in.lPassCount = 2;
    for (const char* name : {"..", "..\\..", "A\\..\\.."}) {
        in.cName = in.objectName = name;
        GEN_FILE_SET s;
        EXPECT_TRUE(P3109_FormFileSet(in, s, true));
        EXPECT_FALSE(s.refusal.empty()) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(partition / "keep.txt"));
    EXPECT_TRUE(std::filesystem::exists(partition / "SOURCE"));
    /* a plain name gets its compound directory made afresh */
    writeFile(partition / "SOURCE" / "ORDERS" / "OLD.C", "old");
    in.cName = in.objectName = "ORDERS";
    GEN_FILE_SET s;
    EXPECT_TRUE(P3109_FormFileSet(in, s, true));
    EXPECT_TRUE(std::filesystem::is_directory(partition / "SOURCE" / "ORDERS"));
    EXPECT_FALSE(std::filesystem::exists(partition / "SOURCE" / "ORDERS" / "OLD.C"));
}

class Identifiers : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
};

TEST_F(Identifiers, CIdentifiersMapNationalCharacters)
{
    EXPECT_EQ(P3109_MakeCIdentifier("#ORDER-NO", 10), "hORDER_NO");
    EXPECT_EQ(P3109_MakeCIdentifier("-A", 10), "XA");
    EXPECT_EQ(P3109_MakeCIdentifier("@X$Y", 10), "aXdY");
    EXPECT_EQ(P3109_MakeCIdentifier("AB CD", 10), "AB");
    EXPECT_EQ(P3109_MakeCIdentifierShort(7, "A-B C"), "A_B");
    EXPECT_EQ(P3109_MakeCIdentifierShort(7, "#ABC"), "XABC");
    EXPECT_EQ(P3109_MakeCIdentifierExt("#CUST-NAME-LONGER"), "hCUST_NAME_LONGER");
    /* SELECT_SQL column names: the last characters, never a leading digit */
    EXPECT_EQ(P3109_MakeShortCIdentifier("CUSTOMER.ORDER_NO   ", 8), "ORDER_NO");
    EXPECT_EQ(P3109_MakeShortCIdentifier("T1.2NDCOL", 6), "X2NDCOL");
    EXPECT_EQ(P3109_MakeShortCIdentifier("AB", 6), "AB");
}

TEST_F(Identifiers, FunctionCNameFromItsName)
{
    std::memcpy(state.acFunction, "PAY-01 ", 7);
    setUp();
    EXPECT_EQ(P3109_State().cName, "PAY_01");
    EXPECT_STREQ(ctx.szObjectCName, "PAY_01");
}

TEST_F(Identifiers, LiteralsAreEscapedForTheirTarget)
{
    EXPECT_EQ(P3109_MakeHexLiteral("a\"b", 3), "a\\x22\"\"b");
    EXPECT_EQ(P3109_MakeHexLiteral("C:\\X?   ", 8), "C:\\x5C\"\"X\\x3F\"\"");
    EXPECT_EQ(P3109_MakeStringLiteral("it's"), "\"it\\x27\"\"s\"");
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    EXPECT_EQ(P3109_MakeStringLiteral("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(P3109_MakeShortLiteral(5), "(5)");
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_EQ(P3109_MakeShortLiteral(5), "((X_SHORT)5)");
}

TEST_F(Identifiers, CSharpLiteralEscapesEachCharacterWhereItStands)
{
    using namespace std::string_literals;
    EXPECT_EQ(P3109_MakeCSharpLiteral(""), "");
    EXPECT_EQ(P3109_MakeCSharpLiteral("PLAIN TEXT  "), "PLAIN TEXT  ");
    // an escape first, last, and two side by side
    EXPECT_EQ(P3109_MakeCSharpLiteral("\" quoted \""), "\\\" quoted \\\"");
    EXPECT_EQ(P3109_MakeCSharpLiteral("C:\\\\DIR\t\r\n"), "C:\\\\\\\\DIR\\t\\r\\n");
    // a NUL inside the text is written, and the text after it kept
    EXPECT_EQ(P3109_MakeCSharpLiteral("A\0B"s), "A\\0B");
    // the C forms' escapes are no C# escapes
    EXPECT_EQ(P3109_MakeCSharpLiteral("it's ?"), "it's ?");
}

}  // namespace
}  // namespace gencore_test
