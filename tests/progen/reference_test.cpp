// The reference evaluator of the flow-and-data functions
// (tests/progen/reference): the final values it gives for small functions,
// each worked out by hand from the language's rules, and the constructs it
// names as not compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/commands.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

/* The lines the reference prints for a case text. */
std::string evaluate(const std::string& text)
{
    testsupport::ScratchDir work("reference");
    testsupport::writeFile(work / "case.txt", text);
    const std::string out = (work / "out").string();
    const int status = testsupport::commandStatus(std::string(DQOV_SOURCE_DIR) + "/tests/progen/reference " +
                                                  testsupport::shellQuote((work / "case.txt").string()) + " > " +
                                                  out + " 2>&1");
    EXPECT_EQ(status, 0);
    return testsupport::readFile(out);
}

/* Whether every one of the lines is a line of the output. */
void expectLines(const std::string& out, const std::vector<std::string>& lines)
{
    for (const std::string& l : lines)
        EXPECT_NE(("\n" + out).find("\n" + l + "\n"), std::string::npos) << l << " not in:\n" << out;
}

struct Worked {
    const char* what;
    const char* text;
    std::vector<std::string> lines;
};

const std::vector<Worked> kWorked = {
    {"decimals cut, or rounded half away from zero with ROUND_UP",
     "FIELD PGP1 P 5 2 N\nFIELD PGP2 P 3 0 N\nFIELD PGS3 S 3 0 N\nFIELD PGS4 S 3 0 N\nFIELD PGP5 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP1) TO('7.5 * 3')\n"          // 22.5
     "CMD CHANGE FIELD(#PGP2) TO('(#PGP1 - 1) / 3')\n"  // 21.5 / 3 = 7.1666 -> 7
     "CMD CHANGE FIELD(#PGS3) TO('-10 / 4') ROUND_UP(*YES)\n"  // -2.5 -> -3
     "CMD CHANGE FIELD(#PGS4) TO('-10 / 4')\n"                 // -2.5 -> -2
     "CMD CHANGE FIELD(#PGP5) TO(1.555) ROUND_UP(*YES)\n"      // 2
     "CMD RETURN\n",
     {"END PGP1 22.50", "END PGP2 7", "END PGS3 -3", "END PGS4 -2", "END PGP5 2", "ENDED 1"}},
    {"whole numbers at the 9-10 and 18 digit bounds",
     "FIELD PGP1 P 10 0 N\nFIELD PGP2 P 10 0 N\nFIELD PGP3 P 18 0 N\nFIELD PGS4 S 18 2 N\nFIELD PGP5 P 9 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP1) TO(4999999999)\n"
     "CMD CHANGE FIELD(#PGP2) TO('#PGP1 * 2')\n"  // 9999999998: past 2^31
     "CMD CHANGE FIELD(#PGP3) TO('#PGP2 * 100000000 + 99999999')\n"  // 999999999899999999
     "CMD CHANGE FIELD(#PGS4) TO('0 - #PGP3 / 1000')\n"  // -999999999899999.999 cut to -999999999899999.99
     "CMD CHANGE FIELD(#PGP5) TO('#PGP2 / 10 - 1')\n"    // 999999998.8 cut to 999999998
     "CMD RETURN\n",
     {"END PGP1 4999999999", "END PGP2 9999999998", "END PGP3 999999999899999999",
      "END PGS4 -999999999899999.99", "END PGP5 999999998"}},
    {"an integer of each size cut toward zero; a float of 4 bytes",
     "FIELD PGI1 I 1 0 N\nFIELD PGI2 I 8 0 N\nFIELD PGF3 F 4 0 N\nFIELD PGF4 F 8 0 N\nFIELD PGS5 S 5 2 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGS5) TO(-7.99)\n"
     "CMD CHANGE FIELD(#PGI1) TO(#PGS5)\n"  // -7
     "CMD CHANGE FIELD(#PGI2) TO(99)\n"
     "CMD CHANGE FIELD(#PGF3) TO(#PGS5)\n"  // nearest float: -7.98999977111816
     "CMD CHANGE FIELD(#PGF4) TO(#PGS5)\n"  // -7.99
     "CMD RETURN\n",
     {"END PGI1 -7", "END PGI2 99", "END PGF3 -7.98999977111816", "END PGF4 -7.99"}},
    {"alphanumeric values cut and padded; a substring into a position",
     "FIELD PGA1 A 3 0 N\nFIELD PGA2 A 8 0 N\nFIELD PGA3 A 6 0 N *BLANK\nFIELD PGA4 A 4 0 N 'DFLT'\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGA1) TO('ABCDE')\n"
     "CMD CHANGE FIELD(#PGA2) TO('12345678')\n"
     "CMD SUBSTRING FIELD(#PGA1 2 *END) INTO_FIELD(#PGA2 4 *END)\n"  // 123 + BC + blanks
     "CMD CHANGE FIELD(#PGA3) TO('''it''''s''')\n"                   // the literal 'it''s'
     "CMD CHANGE FIELD(#PGA4) TO(*DEFAULT)\n"
     "CMD RETURN\n",
     {"END PGA1 [ABC]", "END PGA2 [123BC   ]", "END PGA3 [it's  ]", "END PGA4 [DFLT]"}},
    {"loops end past their bounds; DOUNTIL runs once; LEAVE and CONTINUE",
     "FIELD PGP1 P 3 0 N\nFIELD PGP2 P 3 0 N\nFIELD PGP3 P 3 0 N\nFIELD PGP4 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD BEGIN_LOOP USING(#PGP1) FROM(1) TO(4) STEP(2)\n"  // 1, 3, then 5
     "CMD CHANGE FIELD(#PGP2) TO('#PGP2 + 1')\n"
     "CMD END_LOOP\n"
     "CMD DOUNTIL COND('#PGP3 >= 0')\n"
     "CMD CHANGE FIELD(#PGP3) TO('#PGP3 + 10')\n"
     "CMD ENDUNTIL\n"
     "CMD DOWHILE COND('#PGP4 < 9')\n"
     "CMD CHANGE FIELD(#PGP4) TO('#PGP4 + 1')\n"
     "CMD CONTINUE COND('#PGP4 < 3')\n"
     "CMD LEAVE\n"
     "CMD ENDWHILE\n"
     "CMD EXIT\n",
     {"END PGP1 5", "END PGP2 2", "END PGP3 10", "END PGP4 3", "ENDED 4"}},
    {"CASE takes the first WHEN that holds; *BLANK and *ZERO across kinds",
     "FIELD PGA1 A 2 0 N\nFIELD PGP2 P 3 0 N\nFIELD PGS3 S 5 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD DEF_COND NAME(*PGCOND1) COND('(#PGS3 *EQ *BLANK) AND (#PGA1 *EQ *ZERO)')\n"
     "CMD CHANGE FIELD(#PGA1) TO('b')\n"
     "CMD CASE OF_FIELD(#PGA1)\n"
     "CMD WHEN VALUE_IS('> ''a''')\n"
     "CMD CHANGE FIELD(#PGP2) TO(1)\n"
     "CMD WHEN VALUE_IS('= ''b''')\n"
     "CMD CHANGE FIELD(#PGP2) TO(2)\n"
     "CMD ENDCASE\n"
     "CMD CHANGE FIELD(#PGA1) TO(*BLANK)\n"
     "CMD IF COND(*PGCOND1)\n"
     "CMD CHANGE FIELD(#PGS3) TO(-5)\n"
     "CMD ENDIF\n"
     "CMD RETURN\n",
     {"END PGP2 1", "END PGS3 -5", "END PGA1 [  ]"}},
    {"a subroutine's parameters received and returned; GOTO",
     "FIELD PGA1 A 4 0 N\nFIELD PGA2 A 4 0 N\nFIELD PGP3 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGA2) TO('in')\n"
     "CMD GOTO LABEL(L10)\n"
     "CMD CHANGE FIELD(#PGP3) TO(9)\n"
     "CMD L10: EXECUTE SUBROUTINE(PGSUB1) WITH_PARMS(#PGA2)\n"
     "CMD RETURN\n"
     "CMD SUBROUTINE NAME(PGSUB1) PARMS((#PGA1 *BOTH))\n"
     "CMD SUBSTRING FIELD(#PGA1 1 *END) INTO_FIELD(#PGA1 2 *END)\n"  // i + 'in'
     "CMD CHANGE FIELD(#PGP3) TO('#PGP3 + 1')\n"
     "CMD ENDROUTINE\n",
     {"END PGA1 [iin ]", "END PGA2 [iin ]", "END PGP3 1"}},
    {"a list: added at the end and after an entry, sorted, one got back, its counter",
     "FIELD PGA1 A 1 0 N\nFIELD PGP2 P 3 1 N\nFIELD PGP3 P 7 0 N\nFIELD PGP4 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGA1 #PGP2) ENTRYS(10) COUNTER(#PGP3)\n"
     "CMD CHANGE FIELD(#PGA1) TO('A')\n"
     "CMD CHANGE FIELD(#PGP2) TO(2.5)\n"
     "CMD ADD_ENTRY TO_LIST(#PGLIST1)\n"
     "CMD CHANGE FIELD(#PGA1) TO('B')\n"
     "CMD CHANGE FIELD(#PGP2) TO(0.5)\n"
     "CMD ADD_ENTRY TO_LIST(#PGLIST1)\n"
     "CMD CHANGE FIELD(#PGA1) TO('C')\n"
     "CMD CHANGE FIELD(#PGP2) TO(9)\n"
     "CMD ADD_ENTRY TO_LIST(#PGLIST1) AFTER(#PGP4)\n"  // after entry 0: first
     "CMD SORT_LIST NAMED(#PGLIST1) BY_FIELDS((#PGP2 *DESCEND))\n"
     "CMD CHANGE FIELD(#PGP4) TO(3)\n"
     "CMD GET_ENTRY NUMBER(#PGP4) FROM_LIST(#PGLIST1)\n"
     "CMD RETURN\n",
     {"END LIST PGLIST1 3", "END PGLIST1.1.PGA1 [C]", "END PGLIST1.2.PGA1 [A]", "END PGLIST1.3.PGA1 [B]",
      "END PGLIST1.3.PGP2 0.5", "END PGA1 [B]", "END PGP2 0.5", "END PGP3 3"}},
    {"dates, times and timestamps cleared to the earliest of each, and tested as null",
     "FIELD PGE1 E 10 0 Y\nFIELD PGM2 M 8 0 N\nFIELD PGZ3 Z 26 0 N\nFIELD PGP4 P 3 0 N\nFIELD PGY5 Y 1 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGE1) TO(*NULL)\n"
     "CMD CHANGE FIELD(#PGM2) TO(*DEFAULT)\n"
     "CMD CHANGE FIELD(#PGZ3) TO(*NULL)\n"
     "CMD CHANGE FIELD(#PGY5) TO(*DEFAULT)\n"
     "CMD IF_NULL FIELD(#PGE1 #PGZ3 #PGM2)\n"
     "CMD CHANGE FIELD(#PGP4) TO(1)\n"
     "CMD ENDIF\n"
     "CMD MENU\n",
     {"END PGE1 0001-01-01", "END PGM2 00:00:00", "END PGZ3 0001-01-01 00:00:00.000000000", "END PGP4 1",
      "END PGY5 0", "ENDED 5"}},
    {"SELECTLIST through the entries a condition lets through, each updated",
     "FIELD PGP1 P 3 0 N\nFIELD PGP2 P 5 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGP1) ENTRYS(10)\n"
     "CMD CHANGE FIELD(#PGP1) TO(4)\n"
     "CMD INZ_LIST NAMED(#PGLIST1) NUM_ENTRYS(3)\n"
     "CMD SELECTLIST NAMED(#PGLIST1) WHERE('#PGP2 < 8')\n"
     "CMD CHANGE FIELD(#PGP2) TO('#PGP2 + #PGP1')\n"
     "CMD CHANGE FIELD(#PGP1) TO(#PGP2)\n"
     "CMD UPD_ENTRY IN_LIST(#PGLIST1)\n"
     "CMD ENDSELECT\n"
     "CMD RETURN\n",
     {"END LIST PGLIST1 3", "END PGLIST1.1.PGP1 4", "END PGLIST1.2.PGP1 8", "END PGLIST1.3.PGP1 4",
      "END PGP2 8", "END PGP1 4"}},
    {"a WHEN of several values, each a relation of the subject that AND joins to a condition; a field named "
     "without its '#'",
     "FIELD PGP1 P 5 2 N\nFIELD PGA2 A 3 0 N\nFIELD JX1 P 3 0 N\nFIELD PGP3 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(JX1) TO(4)\n"
     "CMD CHANGE FIELD(#PGP1) TO('JX1 * 2.5')\n"            // 10.00
     "CMD CASE OF_FIELD(#PGP1)\n"
     "CMD WHEN VALUE_IS('< 5' '> 9 AND JX1 > 4')\n"           // 10 < 5 no; 10 > 9 but 4 > 4 no
     "CMD CHANGE FIELD(#PGP3) TO(1)\n"
     "CMD WHEN VALUE_IS('= 3' '>= 10 AND #PGA2 = *BLANK')\n"  // 10 >= 10 and blank: holds
     "CMD CHANGE FIELD(#PGP3) TO(2)\n"
     "CMD ENDCASE\n"
     "CMD RETURN\n",
     {"END PGP1 10.00", "END PGP3 2", "END JX1 4", "END PGA2 [   ]"}},
    {"SUBSTRING from a position for a length into a position for a length; one outside its field ends the function",
     "FIELD PGA1 A 6 0 N\nFIELD PGA2 A 6 0 N\nFIELD PGP3 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGA1) TO('ABCDEF')\n"
     "CMD CHANGE FIELD(#PGA2) TO('123456')\n"
     "CMD CHANGE FIELD(#PGP3) TO(2)\n"
     "CMD SUBSTRING FIELD(#PGA1 2 3) INTO_FIELD(#PGA2 #PGP3 4)\n"  // BCD into 2-5, blank filled: 1BCD 6
     "CMD SUBSTRING FIELD(#PGA1 5 3) INTO_FIELD(#PGA2)\n"          // 5 to 7 of 6 bytes: failed
     "CMD CHANGE FIELD(#PGP3) TO(9)\n"
     "CMD RETURN\n",
     {"END PGA2 [1BCD 6]", "END PGP3 2", "ENDED 2"}},
    {"a quotient to the most decimals of its operands and its target, cut: in a condition, whole, rounded",
     "FIELD PGP1 P 7 0 N\nFIELD PGP2 P 3 0 N\nFIELD PGP3 P 3 0 N\nFIELD PGF4 F 8 0 N\nFIELD PGF5 F 8 0 N\n"
     "FIELD PGS6 S 5 2 N\nFIELD PGS7 S 5 2 N\nFIELD PGS8 S 5 2 N\nFIELD PGS9 S 5 1 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD IF COND('-0.3 / 5 < #PGP1')\n"  // -0.06 cut to one decimal: -0.0, not below 0
     "CMD CHANGE FIELD(#PGP2) TO(1)\n"
     "CMD ENDIF\n"
     "CMD IF COND('-0.30 / 5 < #PGP1')\n"  // -0.06 at two decimals: below 0
     "CMD CHANGE FIELD(#PGP3) TO(1)\n"
     "CMD ENDIF\n"
     "CMD CHANGE FIELD(#PGF4) TO('(#PGP1 - 1) / 3')\n"           // whole numbers: 0
     "CMD CHANGE FIELD(#PGF5) TO('(#PGP1 - 7) / 3 * 1.5')\n"     // -2 * 1.5 = -3
     "CMD CHANGE FIELD(#PGS6) TO('2 / 3') ROUND_UP(*YES)\n"      // 0.666.. rounded: 0.67
     "CMD CHANGE FIELD(#PGS7) TO('2 / 3 + 0') ROUND_UP(*YES)\n"  // 0.66 + 0: 0.66
     "CMD CHANGE FIELD(#PGS8) TO('-2 / 3')\n"                    // -0.66
     "CMD CHANGE FIELD(#PGS9) TO('7.25 / 2')\n"                  // 3.625 cut to 3.62, then to 3.6
     "CMD RETURN\n",
     {"END PGP2 0", "END PGP3 1", "END PGF4 0", "END PGF5 -3", "END PGS6 0.67", "END PGS7 0.66", "END PGS8 -0.66",
      "END PGS9 3.6"}},
    {"a fatal error in a subroutine ends it and its EXECUTE, the returned values handed back",
     "FIELD PGA1 A 4 0 N\nFIELD PGA2 A 4 0 N\nFIELD PGA3 A 4 0 N\nFIELD PGP4 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD EXECUTE SUBROUTINE(PGSUB1) WITH_PARMS(#PGA2)\n"
     "CMD CHANGE FIELD(#PGP4) TO(1)\n"
     "CMD RETURN\n"
     "CMD SUBROUTINE NAME(PGSUB1) PARMS((#PGA1 *BOTH))\n"
     "CMD CHANGE FIELD(#PGA1) TO('ok')\n"
     "CMD SUBSTRING FIELD(#PGA1 3 5) INTO_FIELD(#PGA3)\n"  // 3 to 7 of 4 bytes: failed
     "CMD CHANGE FIELD(#PGA3) TO('no')\n"
     "CMD ENDROUTINE\n",
     {"END PGA2 [ok  ]", "END PGA3 [    ]", "END PGP4 0", "ENDED 2"}},
    {"INZ_LIST of a working list with INZ_ENTRY(*NO) takes the fields' values as with *YES",
     "FIELD PGP1 P 3 0 N\nFIELD PGP2 P 7 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGP1) ENTRYS(10) COUNTER(#PGP2)\n"
     "CMD CHANGE FIELD(#PGP1) TO(4)\n"
     "CMD INZ_LIST NAMED(#PGLIST1) NUM_ENTRYS(2) INZ_ENTRY(*NO)\n"
     "CMD RETURN\n",
     {"END LIST PGLIST1 2", "END PGLIST1.1.PGP1 4", "END PGLIST1.2.PGP1 4", "END PGP2 2"}},
    {"*HIVAL and *LOVAL of each kind",
     "FIELD PGP1 P 7 2 N\nFIELD PGS2 S 5 5 N\nFIELD PGA3 A 2 0 N\nFIELD PGI4 I 2 0 N\nFIELD PGP5 P 6 0 N\n"
     "FIELD PGA6 A 3 0 N\nFIELD PGF7 F 8 0 N\nFIELD PGM8 M 8 0 N\nFIELD PGZ9 Z 29 0 N\nFIELD PGI10 I 8 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP1) TO(*HIVAL)\n"
     "CMD CHANGE FIELD(#PGS2) TO(*LOVAL)\n"
     "CMD CHANGE FIELD(#PGA3) TO(*HIVAL)\n"
     "CMD CHANGE FIELD(#PGI4) TO(*HIVAL)\n"
     "CMD CHANGE FIELD(#PGP5) TO(*LOVAL)\n"
     "CMD CHANGE FIELD(#PGA6) TO(*LOVAL)\n"
     "CMD CHANGE FIELD(#PGF7) TO(*LOVAL)\n"
     "CMD CHANGE FIELD(#PGM8) TO(*HIVAL)\n"
     "CMD CHANGE FIELD(#PGZ9) TO(*HIVAL)\n"
     "CMD CHANGE FIELD(#PGI10) TO(*LOVAL)\n"
     "CMD RETURN\n",
     {"END PGP1 99999.99", "END PGS2 -0.99999", "END PGA3 [\\xFF\\xFF]", "END PGI4 32767", "END PGP5 -999999",
      "END PGA6 [\\x00\\x00\\x00]", "END PGF7 0", "END PGM8 23:59:59", "END PGZ9 0001-01-01 23:59:59.999999999",
      "END PGI10 -9223372036854775808"}},
    {"dates, times, timestamps and fixed characters from literals; a CASE of a time",
     "FIELD PGE1 E 10 0 N\nFIELD PGM2 M 8 0 N\nFIELD PGZ3 Z 29 0 N\nFIELD PGP4 P 3 0 N\nFIELD PGH5 H 4 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGE1) TO('2024-02-29')\n"
     "CMD CHANGE FIELD(#PGM2) TO('23:59:16')\n"
     "CMD CHANGE FIELD(#PGZ3) TO('2022-04-06 10:11:12.000000000')\n"
     "CMD CHANGE FIELD(#PGH5) TO('ABC')\n"
     "CMD CASE OF_FIELD(#PGM2)\n"
     "CMD WHEN VALUE_IS('< ''12:00:00''')\n"
     "CMD CHANGE FIELD(#PGP4) TO(1)\n"
     "CMD WHEN VALUE_IS('> ''12:00:00'' AND #PGE1 > ''2024-01-31''')\n"
     "CMD CHANGE FIELD(#PGP4) TO(2)\n"
     "CMD ENDCASE\n"
     "CMD RETURN\n",
     {"END PGE1 2024-02-29", "END PGM2 23:59:16", "END PGZ3 2022-04-06 10:11:12.000000000", "END PGH5 [ABC]",
      "END PGP4 2"}},
    {"SORT_LIST on two keys: the second orders the ties of the first",
     "FIELD PGA1 A 1 0 N\nFIELD PGP2 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGA1 #PGP2) ENTRYS(10)\n"
     "CMD CHANGE FIELD(#PGA1) TO('A')\nCMD CHANGE FIELD(#PGP2) TO(1)\nCMD ADD_ENTRY TO_LIST(#PGLIST1)\n"
     "CMD CHANGE FIELD(#PGA1) TO('B')\nCMD CHANGE FIELD(#PGP2) TO(2)\nCMD ADD_ENTRY TO_LIST(#PGLIST1)\n"
     "CMD CHANGE FIELD(#PGA1) TO('A')\nCMD CHANGE FIELD(#PGP2) TO(3)\nCMD ADD_ENTRY TO_LIST(#PGLIST1)\n"
     "CMD SORT_LIST NAMED(#PGLIST1) BY_FIELDS((#PGA1 *ASCEND) (#PGP2 *DESCEND))\n"
     "CMD RETURN\n",
     {"END PGLIST1.1.PGP2 3", "END PGLIST1.2.PGP2 1", "END PGLIST1.3.PGA1 [B]", "END PGLIST1.3.PGP2 2"}},
    {"GOTO into a BEGIN_LOOP goes through its head (the counter from FROM); into a DOWHILE straight to the label",
     "FIELD PGP1 P 3 0 N\nFIELD PGP2 P 3 0 N\nFIELD PGP3 P 3 0 N\nFIELD PGP4 P 3 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP1) TO(7)\n"
     "CMD GOTO LABEL(L1)\n"
     "CMD BEGIN_LOOP USING(#PGP1) FROM(1) TO(9) STEP(2)\n"  // 1 (label), then 3, 5, 7, 9 from the top; ends at 11
     "CMD CHANGE FIELD(#PGP3) TO('#PGP3 + 100')\n"
     "CMD L1: CHANGE FIELD(#PGP2) TO('#PGP2 + 1')\n"
     "CMD END_LOOP\n"
     "CMD CHANGE FIELD(#PGP4) TO(1)\n"
     "CMD GOTO LABEL(L2)\n"
     "CMD DOWHILE COND('#PGP4 < 5')\n"                        // 2 (label), then 3, 4, 5 from the top
     "CMD CHANGE FIELD(#PGP3) TO('#PGP3 + 1')\n"
     "CMD L2: CHANGE FIELD(#PGP4) TO('#PGP4 + 1')\n"
     "CMD ENDWHILE\n"
     "CMD RETURN\n",
     {"END PGP1 11", "END PGP2 5", "END PGP3 403", "END PGP4 5"}},
    {"an integer keeps the low-order bytes of a whole number, as a cast to it",
     "FIELD PGI1 I 1 0 N\nFIELD PGI2 I 2 0 N\nFIELD PGI3 I 4 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGI1) TO('100 + 100')\n"     // 200 - 256
     "CMD CHANGE FIELD(#PGI2) TO('-114 * 1000')\n"   // -114000 + 2 * 65536
     "CMD CHANGE FIELD(#PGI3) TO('#PGI1 * 3')\n"     // fits
     "CMD RETURN\n",
     {"END PGI1 -56", "END PGI2 17072", "END PGI3 -168"}},
    {"a rounded value whose expression holds a quotient is rounded from its own value",
     "FIELD PGP1 P 7 0 N\nFIELD PGS2 S 5 2 N\nFIELD PGP3 P 15 5 N\nFIELD PGI4 I 4 0 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP1) TO(500)\n"
     "CMD CHANGE FIELD(#PGS2) TO(-7.55)\n"
     "CMD CHANGE FIELD(#PGP3) TO('#PGP1 + #PGS2 * #PGI4 / 11.5 - 1') ROUND_UP(*YES)\n"  // 500 + 0 - 1
     "CMD RETURN\n",
     {"END PGP3 499.00000"}},
    {"a float result goes into a decimal field at 16 decimals; a float zero has no sign",
     "FIELD PGF1 F 8 0 N\nFIELD PGP2 P 31 23 N\nFIELD PGF3 F 4 0 N\nFIELD PGP4 P 5 2 N\n"
     "CMD FUNCTION OPTIONS(*DIRECT)\n"
     "CMD CHANGE FIELD(#PGP2) TO('#PGF1 - 81.6')\n"   // -81.599999999999994315658... at 16 decimals
     "CMD CHANGE FIELD(#PGF3) TO('-1 * #PGF1')\n"     // -0.0
     "CMD CHANGE FIELD(#PGF1) TO(0.7)\n"
     "CMD CHANGE FIELD(#PGP4) TO('#PGF1 - 0.4')\n"   // 0.29999999999999993 -> 0.2999999999999999 -> 0.29
     "CMD RETURN\n",
     {"END PGP2 -81.59999999999999430000000", "END PGF3 0", "END PGP4 0.29"}},
};

/* Each function's final values, worked out by hand. */
TEST(Reference, GivesTheValuesTheRulesGive)
{
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.what);
        expectLines(evaluate(w.text), w.lines);
    }
}

/* Every field a command names is shown (and only those), with the I/O
** fields the function uses. */
TEST(Reference, ShowsTheFieldsTheFunctionUses)
{
    const std::string out = evaluate("FIELD PGA1 A 2 0 N\nFIELD PGP2 P 3 0 N\nFIELD PGP3 P 3 0 N\n"
                                     "CMD FUNCTION OPTIONS(*DIRECT)\n"
                                     "CMD SET_MODE TO(*CHANGE)\n"
                                     "CMD IF_STATUS IS(*OKAY) IS_NOT(*ERROR)\n"
                                     "CMD CHANGE FIELD(#PGP2) TO(1)\n"
                                     "CMD ENDIF\n"
                                     "CMD IF_MODE IS(*ADD)\n"
                                     "CMD CHANGE FIELD(#PGA1) TO('X')\n"
                                     "CMD ENDIF\n"
                                     "CMD RETURN\n");
    expectLines(out, {"END PGP2 1", "END PGA1 [  ]", "END IO$MDE [CHG]", "END IO$STS [  ]", "ENDED 1"});
    EXPECT_EQ(out.find("PGP3"), std::string::npos) << out;
}

/* A construct outside the rules it follows is named, with no values. */
TEST(Reference, NamesWhatItDoesNotCompare)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"FIELD PGE1 E 10 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD CHANGE FIELD(#PGE1) TO(5)\nCMD RETURN\n",
         "NOT COMPARED a number into a field of kind E\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD CALL PGM(PGCALL1)\nCMD RETURN\n",
         "NOT COMPARED CALL\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD CHANGE FIELD(#PGP1) TO('1 / #PGP1')\nCMD RETURN\n",
         "NOT COMPARED a division by zero\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD CHANGE FIELD(#PGP1) TO(999)\n"
         "CMD CHANGE FIELD(#PGP1) TO('#PGP1 + 1')\nCMD RETURN\n",
         "NOT COMPARED a value that does not fit its field (a fatal error)\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGP1)\n"
         "CMD GOTO LABEL(L10)\nCMD SELECTLIST NAMED(#PGLIST1)\nCMD L10: MESSAGE MSGTXT('in')\nCMD ENDSELECT\n"
         "CMD RETURN\n",
         "NOT COMPARED a GOTO into a SELECTLIST\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\nCMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGP1)\n"
         "CMD UPD_ENTRY IN_LIST(#PGLIST1)\nCMD RETURN\n",
         "NOT COMPARED UPD_ENTRY with no current entry\n"},
        {"FIELD PGP1 P 5 2 N\nFIELD PGF2 F 8 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\n"
         "CMD CHANGE FIELD(#PGF2) TO('(#PGP1 - 1) / 3')\nCMD RETURN\n",
         "NOT COMPARED a quotient with decimals stored into a float field (divided in floating point or in decimals)\n"},
        {"FIELD PGP1 P 3 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\n"
         "CMD DEF_LIST NAME(#PGLIST1) FIELDS(#PGP1) ENTRYS(10) COUNTER(#PGP1)\n"
         "CMD ADD_ENTRY TO_LIST(#PGLIST1) INZ_ENTRY(*NO)\nCMD RETURN\n",
         "NOT COMPARED ADD_ENTRY INZ_ENTRY(*NO) of a list counted in its own field\n"},
        // a float field's digits past a double's own (a float result is stored at 16 decimals: modelled)
        {"FIELD PGP1 P 29 25 N\nFIELD PGF2 F 4 0 N\nCMD FUNCTION OPTIONS(*DIRECT)\n"
         "CMD CHANGE FIELD(#PGF2) TO(-31.27)\nCMD CHANGE FIELD(#PGP1) TO(#PGF2)\nCMD RETURN\n",
         "NOT COMPARED a float field moved into a decimal field of more than 16 decimals\n"},
    };
    for (const auto& [text, said] : cases)
        EXPECT_EQ(evaluate(text), said) << text;
}

}  // namespace
