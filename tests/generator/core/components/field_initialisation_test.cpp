// The walks over the used-field records that write the releases of
// variable-length fields at the end of the program and the defaults of the
// fields at its start: every record whose field is released or has a
// default is written, whatever its class and however it is written, and
// no other.
#include "generator/core/tables_fixture.h"

#include <string>

#include "generator/core/components/field_initialisation.h"

namespace gencore_test {
namespace {

class FieldInitialisation : public TablesFixture {
protected:
    /* The lines of the text that hold the part given. */
    static int linesHolding(const std::string& text, const std::string& part)
    {
        int n = 0;
        for (size_t at = 0, end; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            if (end == std::string::npos)
                end = text.size();
            n += text.substr(at, end - at).find(part) != std::string::npos ? 1 : 0;
        }
        return n;
    }
    static std::string charRelease(const std::string& vector)
    {
        return "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR*)( pX_Fld[" + vector + "].pField )) );";
    }
    static std::string binaryRelease(const std::string& vector)
    {
        return "X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_BINARY*)( pX_Fld[" + vector + "].pField )) );";
    }
};

/* A field of variable length is released however its record names it: as
** a field, through an alphanumeric literal written without quotes (the
** operand check finds the field of that name), or as a literal or a system
** variable whose record names the field. A numeric literal naming such a
** field, a literal with its quotes or a system variable with its '*'
** naming none, and an extended field are not released. */
TEST_F(FieldInitialisation, EveryRecordOfAVariableLengthFieldIsReleased)
{
    defineField("VTXT", 'H', 100, 0);
    defineField("VBIN", '2', 50, 0);
    defineField("VCHR", '1', 80, 0);
    defineField("BBIN", 'B', 40, 0);
    defineField("ETXT", 'H', 100, 0);
    defineField("NAME", 'A', 20, 0);
    useField("VTXT", "FL", "VTXT");
    useField("VBIN", "FL", "VBIN");
    useField("NAME", "FL", "NAME");
    useField("ETXT", "FL", "ETXT", 'Y', {{28, "E"}});
    useField("VCHR", "AL", "", 'Y', {{25, "003"}});
    useField("'B'", "AL", "BBIN", 'Y', {{25, "004"}});
    useField("'Q'", "AL", "", 'Y', {{25, "005"}});
    useField("7", "NL", "VTXT", 'Y', {{25, "006"}});
    useField("*DATE", "SV", "");
    useField("*USER", "SV", "VBIN");
    begin();
    const std::string before = mainText();
    P3109_WriteVarFieldReleases();
    const std::string releases = mainText().substr(before.size());
    for (const std::string& line :
         {charRelease("V_FIELD_VTXT"), binaryRelease("V_FIELD_VBIN"), charRelease("V_ALPHA_LITERAL_003"),
          binaryRelease("V_ALPHA_LITERAL_004"), binaryRelease("V_SV_USER")})
        EXPECT_EQ(linesHolding(releases, line), 1) << line << "\n" << releases;
    EXPECT_EQ(linesHolding(releases, "_Release("), 5) << releases;
}

/* The defaults of the main scope's fields are written at the start of the
** program and with the literal work fields: a field with a default routine
** (a value item of reference kind 3), not one without, not a qualified
** field's nor a mangled file field's. */
TEST_F(FieldInitialisation, TheDefaultsOfTheMainScopesFieldsAreWritten)
{
    const std::string routine12("\x03O0000012", 9), routine13("\x03O0000013", 9), routine14("\x03O0000014", 9);
    defineField("DFT", 'A', 10, 0);
    defineField("PLAIN", 'A', 10, 0);
    defineField("QUAL", 'A', 10, 0);
    defineField("MANGLED", 'A', 10, 0);
    useField("DFT", "FL", "DFT", 'Y', {{49, routine12}});
    useField("PLAIN", "FL", "PLAIN");
    useField("QUAL", "FL", "QUAL", 'Y', {{28, "R"}, {29, "FILE.QUAL"}, {49, routine13}});
    useField("MANGLED", "FL", "MANGLED", 'Y', {{49, routine14}, {838, "F"}});
    begin();
    const std::string before = mainText();
    P3109_WriteFieldInitialValues(0);
    const std::string start = mainText().substr(before.size());
    EXPECT_EQ(linesHolding(start, "EVALUATE_DEFAULT_VALUE_12( V_FIELD_DFT )"), 1) << start;
    EXPECT_EQ(linesHolding(start, "EVALUATE_DEFAULT_VALUE_"), 1) << start;
    const std::string between = mainText();
    P3109_WriteLiteralWorkFields(0);
    const std::string literals = mainText().substr(between.size());
    EXPECT_EQ(linesHolding(literals, "EVALUATE_DEFAULT_VALUE_12( V_FIELD_DFT )"), 1) << literals;
    EXPECT_EQ(linesHolding(literals, "EVALUATE_DEFAULT_VALUE_"), 1) << literals;
}

}  // namespace
}  // namespace gencore_test
