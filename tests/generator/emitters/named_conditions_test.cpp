// The routines of named conditions (DEF_COND) that compare with special
// values: *BLANK, *ZERO and *NULL, which no used field stands for, are the empty
// value of the operand they are compared with, held in a work field of the
// routines set just before the comparison; a system variable (*DATE) is a
// used field the routine sets first. No routine compares with
// V_NOT_AVAILABLE, and the module compiles in C and C#.
#include "fault_jobs.h"

#include <algorithm>

namespace emitters_test {
namespace {

class NamedConditions : public FaultJobs {
protected:
    void SetUp() override
    {
        FaultJobs::SetUp();
        dictionary({{"NCCODE", 'A', 6}, {"NCQTY", 'P', 5}, {"NCDAY", 'P', 8}});
    }
};

TEST_F(NamedConditions, EmptyValuesAndSystemVariablesAreFieldsOfTheirRoutines)
{
    std::string c = generated("NCEMPTY", {"FUNCTION OPTIONS(*DIRECT)",                     // 1
                                                "DEF_COND NAME(*NOCODE) COND('#NCCODE = *BLANK')", // 2
                                                "DEF_COND NAME(*NOQTY) COND('#NCQTY *NE *ZEROS')", // 3
                                                "DEF_COND NAME(*ZCODE) COND('#NCCODE = *ZERO')",   // 4
                                                "DEF_COND NAME(*TODAY) COND('#NCDAY = *DATE')",    // 5
                                                "IF COND(*NOCODE)",                                // 6
                                                "CHANGE FIELD(#NCQTY) TO(1)",                      // 7
                                                "ENDIF",                                           // 8
                                                "IF COND(*NOQTY)",                                 // 9
                                                "CHANGE FIELD(#NCQTY) TO(2)",                      // 10
                                                "ENDIF",                                           // 11
                                                "IF COND(*ZCODE)",                                 // 12
                                                "CHANGE FIELD(#NCQTY) TO(3)",                      // 13
                                                "ENDIF",                                           // 14
                                                "IF COND(*TODAY)",                                 // 15
                                                "CHANGE FIELD(#NCQTY) TO(4)",                      // 16
                                                "ENDIF",                                           // 17
                                                "RETURN"});                                        // 18
    ASSERT_FALSE(c.empty()) << out_;
    c.erase(std::remove(c.begin(), c.end(), '\r'), c.end()); /* the lines end in CR LF */
    EXPECT_FALSE(has(c, "V_NOT_AVAILABLE)")) << c;
    /* a code compared with *BLANK and with *ZERO: with the blank */
    EXPECT_TRUE(has(c, "      pField = pX_Fld[V_BlankValue].pField; \n"
                       "      memset(pField,X_CLEAR_ALPHA,pX_Fld[V_BlankValue].sByteLen); \n"))
        << c;
    EXPECT_TRUE(has(c, "      pX_Fld,V_FIELD_NCCODE,pX_Fld,V_BlankValue) == 0) \n")) << c;
    /* a quantity compared with *ZEROS: with the zero */
    EXPECT_TRUE(has(c, "      pField = pX_Fld[V_ZeroValue].pField; \n"
                       "      *((X_PLONG)pField) = (X_LONG)0; \n"))
        << c;
    EXPECT_TRUE(has(c, "      pX_Fld,V_FIELD_NCQTY,pX_Fld,V_ZeroValue) != 0) \n")) << c;
    /* *DATE set into its own field, then compared */
    EXPECT_TRUE(has(c, "   X_Vec_Set_from_SysVar (pX_Ids,pX_Pro,pX_Fun,pX_Fld, \n"
                       "             V_SV_DATE,\"*DATE\"); \n"
                       "   if (X_Vec_Compare (pX_Ids,pX_Pro,pX_Fun, \n"
                       "      pX_Fld,V_FIELD_NCDAY,pX_Fld,V_SV_DATE) == 0) \n"))
        << c;
    /* the two work fields are entries of the vector, once each */
    const std::string stg = gencore_test::readFile(sourceDir() / "NCEMPTY.STG");
    EXPECT_TRUE(has(stg, "#define BYTE_LEN_V_BlankValue")) << stg;
    EXPECT_TRUE(has(stg, "#define BYTE_LEN_V_ZeroValue")) << stg;
    EXPECT_EQ(stg.find("#define V_BlankValue"), stg.rfind("#define V_BlankValue")) << stg;
    EXPECT_EQ(gcc("NCEMPTY"), "");
    EXPECT_EQ(mcs("NCEMPTY"), "");
    EXPECT_TRUE(has(cs("NCEMPTY"), "pX_Fld,V_FIELD_NCCODE,pX_Fld,V_BlankValue) == 0)")) << cs("NCEMPTY");
}

/* *NULL, the language's null value, is a blank for a text and a zero for a
   number, as *BLANK and *ZERO: the same work fields. */
TEST_F(NamedConditions, NullIsTheEmptyValueOfItsPartner)
{
    std::string c = generated("NCNULL", {"FUNCTION OPTIONS(*DIRECT)",
                                         "DEF_COND NAME(*NOCODE) COND('#NCCODE *EQ *NULL')",
                                         "DEF_COND NAME(*SOMEQTY) COND('#NCQTY <> *NULL')",
                                         "IF COND(*NOCODE)",
                                         "CHANGE FIELD(#NCQTY) TO(1)",
                                         "ENDIF",
                                         "IF COND(*SOMEQTY)",
                                         "CHANGE FIELD(#NCCODE) TO('X')",
                                         "ENDIF",
                                         "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    c.erase(std::remove(c.begin(), c.end(), '\r'), c.end());
    EXPECT_FALSE(has(c, "V_NOT_AVAILABLE)")) << c;
    EXPECT_TRUE(has(c, "      pX_Fld,V_FIELD_NCCODE,pX_Fld,V_BlankValue) == 0) \n")) << c;
    EXPECT_TRUE(has(c, "      pX_Fld,V_FIELD_NCQTY,pX_Fld,V_ZeroValue) != 0) \n")) << c;
    EXPECT_EQ(gcc("NCNULL"), "");
    EXPECT_EQ(mcs("NCNULL"), "");
    EXPECT_FALSE(has(cs("NCNULL"), "V_NOT_AVAILABLE)")) << cs("NCNULL");
}

}  // namespace
}  // namespace emitters_test
