// Field code: operands described by class, type names, value statements,
// special values, the operand loader, field moves, list limits and the
// names that keep exact decimal arithmetic.
#include "generator/core/gen_fixture.h"

#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "params/parsed_command.h"

namespace gencore_test {
namespace {

class FieldCode : public GenFixture {
protected:
    GEN_FIELD_INFO field(const std::string& name)
    {
        GEN_FIELD_INFO info;
        EXPECT_EQ(P3109_sGetUsedField(name, GEN_SLOT_LOOKUP, info), 0) << name;
        return info;
    }

    /* A described field without a record behind it. */
    static GEN_FIELD_INFO described(const std::string& id, char type, int32_t length, int16_t decimals,
                                    uint16_t bytes = 0)
    {
        GEN_FIELD_INFO f;
        std::memcpy(f.acKind, "FL", 2);
        f.fieldName = P3109_Padded(id, 10);
        f.vectorName = "V_FIELD_" + id;
        f.localName = "f" + id;
        f.cType = f.cDeclaredType = type;
        f.lLength = length;
        f.sDecimals = decimals;
        f.usByteLength = bytes;
        return f;
    }
};

TEST_F(FieldCode, OperandsAreDescribedByTheirClass)
{
    ctx.cDecimalPoint = '.';
    defineField("CUSTNO", 'P', 7, 0, "PB05SUTC");
    defineField("SHORTCH", 'H', 20, 0);
    defineField("LONGCH", 'H', 100, 0);
    defineField("NATCH", 'H', 20, 0, "SUNS");
    defineField("BYTES", '2', 10, 0);
    defineField("BIGDEC", 'P', 31, 2, "", "ASQN");
    useField("#CUSTNO", "FL", "CUSTNO");
    for (const char* f : {"SHORTCH", "LONGCH", "NATCH", "BYTES", "BIGDEC"})
        useField(std::string("#") + f, "FL", f);
    useField("*DATE", "SV", "");
    useField("*TIME", "SV", "", 'Y', {{21, "D"}});
    useField("123456789", "NL", "", 'Y', {{25, "001"}});
    useField("1234567890", "NL", "", 'Y', {{25, "002"}});
    useField("12.5", "NL", "", 'Y', {{25, "003"}});
    useField("12345", "NL", "LIT5", 'Y', {{25, "004"}});
    useField("'ABC'", "AL", "", 'Y', {{25, "005"}});
    useField("#PARM1", "UP", "");
    setUp();

    GEN_FIELD_INFO f = field("#CUSTNO");
    EXPECT_EQ(f.vectorName, "V_FIELD_CUSTNO");
    EXPECT_EQ(f.localName, "fCUSTNO");
    EXPECT_EQ(f.operandName, P3109_Padded("p#CUSTNO", 20));
    EXPECT_EQ(f.cType, 'P');
    EXPECT_EQ(f.usByteLength, 4);
    EXPECT_EQ(f.cControl, 'P');
    EXPECT_EQ(std::string(f.acControlNumber, 2), "05");
    EXPECT_EQ(f.lSutc, 1);
    EXPECT_EQ(f.lDutc, 0);

    /* character fields of up to 32 characters are short ones, unless national */
    EXPECT_EQ(field("#SHORTCH").cType, 'U');
    EXPECT_EQ(field("#SHORTCH").usByteLength, 32);
    EXPECT_EQ(field("#LONGCH").cType, 'H');
    EXPECT_EQ(field("#LONGCH").usByteLength, 16);
    EXPECT_EQ(field("#NATCH").cType, 'H');
    EXPECT_EQ(field("#NATCH").usByteLength, 20);
    EXPECT_EQ(field("#BYTES").cType, 'B');
    EXPECT_EQ(field("#BIGDEC").usByteLength, 27);
    EXPECT_TRUE(field("#BIGDEC").fNullable());

    f = field("*DATE");
    EXPECT_EQ(f.vectorName, "V_SV_DATE");
    EXPECT_EQ(f.localName, "vDATE");
    EXPECT_EQ(f.cRefresh, 'S');
    EXPECT_EQ(field("*TIME").cRefresh, 'D');

    f = field("123456789");
    EXPECT_EQ(f.vectorName, "V_NUMERIC_LITERAL_001");
    EXPECT_EQ(f.localName, "NUMERIC_LITERAL_001");
    EXPECT_EQ(f.operandName, P3109_Padded("nNUMERIC_LITERAL_001", 20));
    EXPECT_EQ(f.cIntegerLiteral, 'Y');
    EXPECT_EQ(f.lIntegerValue, 123456789);
    EXPECT_EQ(f.cType, 'L');
    EXPECT_EQ(f.usByteLength, 4);
    EXPECT_EQ(field("1234567890").cIntegerLiteral, 'N');
    EXPECT_EQ(field("1234567890").cType, 'D');
    EXPECT_EQ(field("12.5").cIntegerLiteral, 'N');

    /* a five-digit literal is computed as a long unless its name keeps exact arithmetic */
    EXPECT_EQ(field("12345").cType, 'L');
    P3109_AddReferencedName("LIT5", 4);
    EXPECT_EQ(field("12345").cType, 'S');
    EXPECT_EQ(field("12345").usByteLength, 5);

    f = field("'ABC'");
    EXPECT_EQ(f.vectorName, "V_ALPHA_LITERAL_005");
    EXPECT_EQ(f.localName, "ALPHA_LITERAL_005");
    EXPECT_EQ(f.cType, 'A');
    EXPECT_EQ(f.lLength, 3);

    f = field("#PARM1");
    EXPECT_EQ(f.vectorName, "V_UP_PARM1");
    EXPECT_EQ(f.localName, "pPARM1");
}

TEST_F(FieldCode, TypeNames)
{
    setUp();
    GEN_FIELD_INFO odd = described("ODD", 'I', 3, 0);
    EXPECT_STREQ(P3109_pszFieldKindName(odd), "X_FLD_UNKNOWN");
    EXPECT_STREQ(P3109_pszValueMemberName(odd), "lValueNameUnknown");
    EXPECT_EQ(P3109_MakeFieldDeclaration(odd, false), "");

    GEN_FIELD_INFO packed = described("AMT", 'P', 9, 2);
    EXPECT_STREQ(P3109_pszFieldKindName(packed), "X_FLD_UNKNOWN");
    EXPECT_EQ(P3109_pszFieldTypeName(&packed), "0");
    packed.lLength = 31;
    EXPECT_STREQ(P3109_pszFieldKindName(packed), "X_FLD_PACKED");
    EXPECT_EQ(P3109_pszFieldTypeName(&packed), "LL2FIELD");

    GEN_FIELD_INFO count = described("CNT", 'I', 4, 0);
    count.alFlags[GEN_FLAG_EXTENDED_SIZE] = 1;
    count.alFlags[GEN_FLAG_UNSIGNED] = 1;
    EXPECT_EQ(P3109_pszFieldTypeName(&count), "LL2FIELD | LL2NULLABLE | LL2UNSINT");
    EXPECT_STREQ(P3109_pszFieldKindName(count), "X_FLD_INT32");
    EXPECT_EQ(P3109_MakeFieldDeclaration(count, true), "X_FLD_INT32 cfCNT");

    EXPECT_EQ(P3109_MakeDeclarationByType('U', "", "fCODE", 20, false, false),
              "X_DICTIONARY_ALPHA fCODE[ sizeof( X_FLD_SHORT_CHAR ) + 20 ]");
    EXPECT_EQ(P3109_MakeDeclarationByType('F', "", "fRATE", 4, false, false), "X_FLD_FLT32 fRATE");
    EXPECT_EQ(P3109_MakeDeclarationByType('P', "", "fAMT", 31, false, false), "");

    EXPECT_STREQ(P3109_pszComponentSubtypeName('F', &count, false), "X_SUBTYPE_SIMPLE_FIELD");
    EXPECT_STREQ(P3109_pszComponentSubtypeName('F', &count, true), "X_SUBTYPE_COMPONENT_INTEGER");
    count.cResolved = 'E';
    EXPECT_STREQ(P3109_pszComponentSubtypeName('F', &count, false), "X_SUBTYPE_COMPONENT_EVALUATION");
    EXPECT_STREQ(P3109_pszComponentTypeName(count, false), "X_TYPE_COMPONENT");
}

TEST_F(FieldCode, ValueStatements)
{
    setUp();
    GEN_FIELD_INFO literal = described("L", 'L', 1, 0);
    literal.cIntegerLiteral = 'Y';
    literal.cSign = '-';
    literal.lIntegerValue = 5;
    EXPECT_EQ(writtenBy([&] { P3109_WriteGetDouble(literal, "dValue"); }), "dValue = -5.0;\n");

    /* an 8-byte integer is stored as one, not cut to 32 bits */
    GEN_FIELD_INFO big = described("BIG", 'I', 8, 0);
    EXPECT_EQ(writtenBy([&] { P3109_WriteStoreLongInPacked(big, "lValue"); }),
              "((X_FLD_INT64*)( pX_Fld[V_FIELD_BIG].pField ))->iInt64 = ((X_INT64) lValue);\n"
              "X_Vec_Set_Index( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BIG );\n"
              " \n");

    GEN_FIELD_INFO custno = described("CUSTNO", 'P', 7, 0, 4);
    EXPECT_EQ(writtenBy([&] { P3109_WriteGetShortFromPacked(custno, "sValue"); }),
              "#if defined(X_OPERATING_SYSTEM_ISERIES)\n"
              "{\n"
              "   sValue = ((X_SHORT)( *((decimal(7,0)*)( pX_Fld[V_FIELD_CUSTNO].pField )) ));\n"
              "}\n"
              "#else\n"
              "{\n"
              "   X_Vec_Get_as_Short( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_CUSTNO, &(sValue) );\n"
              "}\n"
              "#endif\n");

    /* a string into the field: its kind letter and no length area */
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetFromString(custno, 'A', "pszText"); }),
              "X_Vec_Set_from_String (pX_Ids, pX_Pro, pX_Fun, pX_Fld,\n"
              "                       V_FIELD_CUSTNO,'A',pX_NULL,pszText);\n");

    /* in C# the value goes through the vector service, whatever the field */
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetFromString(custno, 'V', "text"); }),
              "X_RUN_DLL.X_Vec_Set_from_String (pX_Ids, pX_Pro, pX_Fun, pX_Fld,\n"
              "                       V_FIELD_CUSTNO,'V',null,text);\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteGetShortFromPacked(custno, "sValue"); }),
              "X_RUN_DLL.X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_CUSTNO, ref sValue );\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteStoreLongInPacked(big, "lValue"); }),
              "X_RUN_DLL.X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_BIG, ((int) lValue) );\n");
    P3109_State().cTarget = GEN_TARGET_C;

    GEN_FIELD_INFO zoned = described("QTY", 'S', 5, 1, 5);
    const std::string signedGet = writtenBy([&] { P3109_WriteGetLongFromPacked(zoned, "lValue"); });
    EXPECT_NE(signedGet.find("   _CPYNV( 0x03050100, ((X_CHAR*)( &decValue )), 0x02050100, ((X_CHAR*)( "
                             "pX_Fld[V_FIELD_QTY].pField )) );\n   lValue = ((X_LONG) decValue);\n"),
              std::string::npos)
        << signedGet;
}

TEST_F(FieldCode, SpecialValuesByType)
{
    setUp();
    GEN_FIELD_INFO name = described("CUSTNAM", 'A', 30, 0, 30);
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToBlankOrZero(name); }),
              "{\n"
              "   X_PDICTIONARY_FIELD pField;\n"
              "   pField = pX_Fld[V_FIELD_CUSTNAM].pField;\n"
              "   memset(pField,X_CLEAR_ALPHA,pX_Fld[V_FIELD_CUSTNAM].sByteLen);\n"
              "   pX_Fld[V_FIELD_CUSTNAM].sIndexVOV = 0;\n"
              "   X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_CUSTNAM));\n"
              "}\n");
    /* an array element's entry names its index field: blanked, it keeps it */
    GEN_FIELD_INFO element = described("ARR#IDX", 'A', 10, 0, 10);
    element.vectorName = "V_FIELD_ARRhIDX";
    element.array.cKind = 'A';
    element.cArrayElement = 'Y';
    element.fIndexed = true;
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToBlankOrZero(element); }),
              "{\n"
              "   X_PDICTIONARY_FIELD pField;\n"
              "   pField = X_GET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_ARRhIDX);\n"
              "   memset(pField,X_CLEAR_ALPHA,pX_Fld[V_FIELD_ARRhIDX].sByteLen);\n"
              "   X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_ARRhIDX));\n"
              "}\n");
    element.cType = 'P';
    element.lLength = 7;
    element.sDecimals = 2;
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToHival(element); }).find("sIndexVOV"), std::string::npos);
    EXPECT_NE(writtenBy([&] {
                  P3109_WriteSetToBlankOrZero(described("N", 'L', 9, 0, 4));
              }).find("   *((X_PLONG)pField) = (X_LONG)0;\n"),
              std::string::npos);

    /* a one-byte packed field gets only its terminator; C# sets it through the run time */
    GEN_FIELD_INFO tiny = described("T", 'P', 1, 0, 1);
    std::string text = writtenBy([&] { P3109_WriteSetToBlankOrZero(tiny); });
    EXPECT_EQ(text.find("X_CLEAR_PACK"), std::string::npos);
    EXPECT_NE(text.find("\n   pField[pX_Fld[V_FIELD_T].sByteLen - 1] = X_PACK_TERMINATOR;\n"), std::string::npos);
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    text = writtenBy([&] { P3109_WriteSetToBlankOrZero(tiny); });
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_NE(text.find("\n   X_DEFS.X_SETBYTE( pField, pX_Fld[V_FIELD_T].sByteLen - 1, X_DEFS.X_PACK_TERMINATOR );\n"),
              std::string::npos)
        << text;

    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToHival(described("R", 'P', 5, 5, 3)); }),
              "X_Vec_Set_from_Double (pX_Ids, pX_Pro, pX_Fun, pX_Fld,\n"
              "                       V_FIELD_R,(X_DOUBLE)+0.99999);\n"
              "pX_Fld[V_FIELD_R].sIndexVOV = 0;\n");
    text = writtenBy([&] { P3109_WriteSetToHival(described("W", 'P', 6, 0, 4)); });
    EXPECT_NE(text.find("(X_DOUBLE)+999999.0);\npX_Fld[V_FIELD_W].sIndexVOV = 9999;\n"), std::string::npos) << text;
    text = writtenBy([&] { P3109_WriteSetToLoval(described("Q", 'S', 3, 1, 3)); });
    EXPECT_NE(text.find("(X_DOUBLE)-99.9);\npX_Fld[V_FIELD_Q].sIndexVOV = -99;\n"), std::string::npos) << text;
    EXPECT_NE(writtenBy([&] { P3109_WriteSetToHival(name); }).find("   memset(pField,HIVAL,"), std::string::npos);

    /* a quote as the repeated character stays a valid character literal */
    EXPECT_NE(writtenBy([&] {
                  P3109_WriteSetToAllSame(name, '\'');
              }).find("   memset(pField,'\\'',pX_Fld[V_FIELD_CUSTNAM].sByteLen);\n"),
              std::string::npos);

    const std::string fatal = expectFatal([&] { P3109_WriteSetToHival(described("HUGE", 'P', 31, 0, 16)); });
    EXPECT_NE(fatal.find("Internal error: G_Set_to_HIVAL() unexpected use of ZOPHX Field HUGE"), std::string::npos)
        << fatal;
}

TEST_F(FieldCode, AlphaLiteralsAreClearedAndCopiedWithinTheField)
{
    setUp();
    CGEN_SetTextLiteralLanguage("", "ENG");
    GEN_FIELD_INFO code = described("CODE", 'A', 10, 0, 10);
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToAlphaLiteral(code, "ABC", 3); }),
              "{\n"
              "   X_PDICTIONARY_FIELD pField;\n"
              "   pField = pX_Fld[V_FIELD_CODE].pField;\n"
              "   memset( pField, X_CLEAR_ALPHA, pX_Fld[V_FIELD_CODE].sByteLen );\n"
              "   memcpy( pField, &(auchUZOPH_LITERAL_Text_1[0]), 3 );\n"
              "   X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_CODE));\n"
              "}\n");
    const std::string longer = writtenBy([&] { P3109_WriteSetToAlphaLiteral(code, "ABCDEFGHIJKL", 12); });
    EXPECT_EQ(longer.find("X_CLEAR_ALPHA"), std::string::npos);
    EXPECT_NE(longer.find("   memcpy( pField, &(auchUZOPH_LITERAL_Text_2[0]), 10 );\n"), std::string::npos);
}

TEST_F(FieldCode, OperandLoaderFollowsTheRefreshClass)
{
    useField("*DATE", "SV", "");
    useField("*ZEROS", "SV", "");
    setUp();
    GEN_FIELD_INFO date = field("*DATE");
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToSpecialValue(date, GEN_REFRESH_STATIC); }),
              "X_Vec_Set_from_SysVar (pX_Ids,pX_Pro,pX_Fun,pX_Fld,\n"
              "          V_SV_DATE,\"*DATE\");\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteSetToSpecialValue(date, GEN_REFRESH_DYNAMIC); }), "");
    GEN_FIELD_INFO zeros = field("*ZEROS");
    EXPECT_NE(writtenBy([&] {
                  P3109_WriteSetToSpecialValue(zeros, GEN_REFRESH_STATIC | GEN_REFRESH_DYNAMIC);
              }).find("sIndexVOV = 0;"),
              std::string::npos);
}

TEST_F(FieldCode, FieldMoves)
{
    ASSERT_EQ(RS_sCreateCommandStores(&ctx), 0);
    setUp();
    GEN_FIELD_INFO a1 = described("A1", 'A', 1, 0, 1), a2 = described("A2", 'A', 1, 0, 1);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(a1, a2); }),
              "{\n"
              "   X_PDICTIONARY_FIELD pFieldS;\n"
              "   X_PDICTIONARY_FIELD pFieldT;\n"
              "   X_Refresh_Field_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_A1));\n"
              "   pFieldS = pX_Fld[V_FIELD_A1].pField;\n"
              "   pFieldT = pX_Fld[V_FIELD_A2].pField;\n"
              "   pFieldT[0] = pFieldS[0];\n"
              "   X_SET_INDEX(pX_Ids,pX_Pro,pX_Fun,pX_Fld,V_FIELD_A2);\n"
              "   X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_A2));\n"
              "}\n");
    GEN_FIELD_INFO n1 = described("N1", 'A', 30, 0, 30), n2 = described("N2", 'A', 30, 0, 30);
    EXPECT_NE(writtenBy([&] { P3109_WriteFieldMove(n1, n2); }).find("   memcpy(pFieldT,pFieldS,30);\n"),
              std::string::npos);

    GEN_FIELD_INFO credit = described("CREDIT", 'P', 11, 2, 6), custno = described("CUSTNO", 'P', 7, 0, 4);
    const std::string assign = "X_Vec_Assign (pX_Ids,pX_Pro,pX_Fun,\n"
                               "          pX_Fld,V_FIELD_CREDIT,\n"
                               "          pX_Fld,V_FIELD_CUSTNO);\n";
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(credit, custno); }), assign);

    /* a nullable packed field holds its field information before the
       digits: with a plain one of the same size it is no byte copy */
    GEN_FIELD_INFO nullable = described("NULAMT", 'P', 11, 2, 17), plain = described("PLAIN", 'P', 11, 2, 6);
    nullable.alFlags[GEN_FLAG_EXTENDED_SIZE] = 1;
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(nullable, plain); }),
              "X_Vec_Assign (pX_Ids,pX_Pro,pX_Fun,\n          pX_Fld,V_FIELD_NULAMT,\n          pX_Fld,V_FIELD_PLAIN);\n");
    GEN_FIELD_INFO samePlain = described("PLAIN", 'P', 11, 2, 17);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(samePlain, nullable); }).find("memcpy"), std::string::npos);

    GEN_FIELD_INFO d1 = described("D1", 'E', 10, 0, 20), d2 = described("D2", 'E', 10, 0, 20);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(d1, d2); }),
              "X_Refresh_Field_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_D1));\n"
              "X_Vec_Assign_Identical_Field (pX_Ids,pX_Pro,pX_Fun,\n"
              "          pX_Fld,V_FIELD_D1,\n"
              "          pX_Fld,V_FIELD_D2,\n"
              "          FALSE );\n"
              "X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_D2));\n");

    /* a CHANGE that asks for rounding rounds its first move that loses
       decimals and truncates every later one */
    FFC_PARSED_COMMAND change;
    std::memset(&change, ' ', sizeof change);
    change.sLine = 5;
    change.sSubLine = 0;
    std::memcpy(change.acName, "CHANGE    ", 10);
    std::memcpy(change.acParms + dqov::cmdparm::EntryOffset(change, "ROUND_UP", 0, 0, 4), "*YES", 4);
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &change, sizeof change), 0);
    GEN_COMMAND_RECORD current;
    current.usNumber = 5;
    std::memcpy(current.acName, "CHANGE    ", 10);
    P3109_MakeCurrentCommand(current);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(credit, custno); }),
              "pX_Ids->chXVecAssignOption = X_VEC_ASSIGN_ROUND_UP;\n" + assign);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(credit, custno); }),
              "pX_Ids->chXVecAssignOption = X_VEC_ASSIGN_TRUNCATE;\n" + assign);
    GEN_FIELD_INFO text = described("TEXT", 'A', 20, 0, 20);
    EXPECT_EQ(writtenBy([&] { P3109_WriteFieldMove(credit, text); }).find("chXVecAssignOption"), std::string::npos);
}

TEST_F(FieldCode, ListSizeLimits)
{
    setUp();
    EXPECT_EQ(P3109_sCheckListEntrySize(true, 70000, 32000), 1);
    EXPECT_EQ(P3109_sCheckListEntrySize(true, 40000, 32000), 0);
    EXPECT_EQ(P3109_sCheckListEntrySize(true, 30000, 32000), 0);
    EXPECT_EQ(P3109_sCheckListEntrySize(true, 70000, 2147483647), 0);
    EXPECT_EQ(P3109_sCheckListEntrySize(false, 0, 10), 0);
    EXPECT_EQ(P3109_sCheckListEntrySize(true, 0, 10), 1);
    EXPECT_TRUE(P3109_fListOverflow());
    EXPECT_EQ(issuedMessages(),
              (std::vector<std::string>{
                  "PRC0047 F A list with entries of 70000 bytes and 32000 entries needs more than 2147483648 bytes.",
                  "PRC0047 F A list needs more than 2147483648 bytes of storage.",
                  "PRC0047 W Storage of 1280000000 bytes for entries of 40000 bytes is more than 1073741824 bytes.",
                  "PRC0047 W A list needs more than 1073741824 bytes of storage.",
                  "PRC0047 F Internal error. List entry length is 0",
              }));
}

TEST_F(FieldCode, NamesOfLabelsGroupsAndExactArithmetic)
{
    setUp();
    EXPECT_EQ(P3109_MakeGotoLabel("L10", 3), "goto X_Label_L10;");
    EXPECT_EQ(P3109_MakeGroupName("#GRP-A", 6), "X_Group_GRP_A");
    EXPECT_FALSE(P3109_MakeUpperName("AMOUNT", 6));
    P3109_AddReferencedName("#Amount", 7);
    P3109_AddReferencedName("AMOUNT", 6);
    EXPECT_TRUE(P3109_MakeUpperName("amount", 6));
    EXPECT_TRUE(P3109_MakeUpperName("#AMOUNT", 7));
    std::string text = "a\tb\x01";
    P3109_BlankControlChars(text);
    EXPECT_EQ(text, "a b ");
}

}  // namespace
}  // namespace gencore_test
