// The used-field dictionary the expression writers ask in a real run: the
// facts of fields, system variables, array elements and fields computed
// through a dispatch operation, from the checker's used-field records.
#include <cstdio>

#include "generator/core/gen_fixture.h"
#include "generator/expressions/expr_core_services.h"

namespace {

class UsedFieldFacts : public gencore_test::GenFixture {};

TEST_F(UsedFieldFacts, FieldsSystemVariablesElementsAndDispatchedFields)
{
    useField("#EXA", "FL", "EXA");
    useField("#EXPRICE", "FL", "EXPRICE");
    useField("*DATE", "SV", "", 'Y', {{12, "*DATE    "}, {21, "D"}});
    /* an element of array ARR from its 2nd entry, indexed by IDX */
    useField("#EXB", "FL", "EXB", 'Y', {{83, std::string("AARR       00002IDX       ")}});
    /* a field whose value routine 12 computes through a dispatch operation */
    useField("#EXTOTAL", "FL", "EXTOTAL", 'Y', {{28, "E"}, {49, std::string("\x03R0000012", 9)}});
    setUp();
    const ExprFieldDictionary& fields = EXPR_UsedFieldDictionary();

    ExprFieldFacts f;
    ASSERT_TRUE(fields.FindField("EXA", f));
    EXPECT_EQ(f.vectorName, "V_FIELD_EXA");
    EXPECT_EQ(f.typeLetter, 'P');
    EXPECT_EQ(f.length, 7);
    EXPECT_EQ(f.decimals, 0);
    EXPECT_TRUE(f.fieldClass);
    EXPECT_FALSE(f.isArray);
    EXPECT_EQ(f.dispatchOp, 0);

    ASSERT_TRUE(fields.FindField("EXPRICE", f));
    EXPECT_EQ(f.length, 9);
    EXPECT_EQ(f.decimals, 2);

    ASSERT_TRUE(fields.FindField("*DATE", f));
    EXPECT_EQ(f.vectorName, "V_SV_DATE");
    EXPECT_FALSE(f.fieldClass);
    EXPECT_EQ(f.systemVariable, "*DATE");
    EXPECT_EQ(f.systemClass, 'D'); /* set before every use */
    EXPECT_EQ(f.systemWord, 1);

    ASSERT_TRUE(fields.FindField("EXB", f));
    EXPECT_TRUE(f.isArray);

    ASSERT_TRUE(fields.FindField("EXTOTAL", f));
    EXPECT_EQ(f.dispatchOp, 12);

    EXPECT_FALSE(fields.FindField("NOSUCH", f));
    EXPECT_FALSE(fields.FindComponentField("EXA", f));
}

}  // namespace

namespace {

/* Within one enumeration the facts of a node's name are found again by the
** text's address; a caller's own buffer, filled anew between two lookups at
** the same address, must still give the facts of the name it holds. */
TEST_F(UsedFieldFacts, LookupsWithinAnEnumerationFollowTheTextNotItsAddress)
{
    useField("#EXA", "FL", "EXA");
    useField("#EXPRICE", "FL", "EXPRICE");
    setUp();
    P3109_ExprWriter writer;
    ExprWriterScope scope(writer);
    const ExprFieldDictionary& fields = EXPR_UsedFieldDictionary();

    char buffer[16] = "EXA";
    ExprFieldFacts f;
    ASSERT_TRUE(fields.FindField(buffer, f));
    EXPECT_EQ(f.vectorName, "V_FIELD_EXA");
    std::snprintf(buffer, sizeof buffer, "%s", "EXPRICE");
    ASSERT_TRUE(fields.FindField(buffer, f));
    EXPECT_EQ(f.vectorName, "V_FIELD_EXPRICE");
    std::snprintf(buffer, sizeof buffer, "%s", "NOSUCH");
    EXPECT_FALSE(fields.FindField(buffer, f));

    /* node texts: the same facts each time they are asked for */
    static const char exa[] = "EXA";
    static const char price[] = "EXPRICE";
    for (int round = 0; round < 2; ++round) {
        const ExprFieldFacts* a = fields.KnownField(exa);
        const ExprFieldFacts* p = fields.KnownField(price);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(a->vectorName, "V_FIELD_EXA");
        EXPECT_EQ(p->length, 9);
        EXPECT_EQ(p->decimals, 2);
    }
}

}  // namespace
