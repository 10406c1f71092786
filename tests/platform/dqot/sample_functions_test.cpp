// Every command of the sample functions, split by the command parser.

#include "command_names.h"
#include "platform/dqot/dqot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// label|number|name|parameters, written from the command table.
const std::vector<std::string> kCustlst = {
    "   |96|FUNCTION  |OPTIONS(*DIRECT)",
    "   |23|DEFINE    |FIELD(#WRKCNT) TYPE(*DEC) LENGTH(5) DECIMALS(0) LABEL('Count')",
    "   |47|DEF_LIST  |NAME(#CUSTLIST) FIELDS(#CUSTNO #CUSTNAM #CREDIT)",
    "   |49|CLR_LIST  |NAMED(#CUSTLIST)",
    "   |2|SELECT    |FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST)",
    "   |4|IF        |COND('#CUSTSTS = A')",
    "   |48|ADD_ENTRY |TO_LIST(#CUSTLIST)",
    "   |18|CHANGE    |FIELD(#WRKCNT) TO('#WRKCNT + 1')",
    "   |5|ELSE      |",
    "   |25|MESSAGE   |MSGTXT('Customer skipped; its status isn''t active')",
    "   |6|ENDIF     |",
    "   |3|ENDSELECT |",
    "   |45|DISPLAY   |FIELDS(#WRKCNT) BROWSELIST(#CUSTLIST)",
    "   |69|RETURN    |",
};

const std::vector<std::string> kCustupd = {
    "   |96|FUNCTION  |OPTIONS(*DIRECT)",
    "   |23|DEFINE    |FIELD(#ACTION) TYPE(*CHAR) LENGTH(1)",
    "   |23|DEFINE    |FIELD(#IDX) TYPE(*DEC) LENGTH(3) DECIMALS(0)",
    "   |122|INCLUDE   |PROCESS(*DIRECT) FUNCTION(DEMINC)",
    "L10|44|REQUEST   |FIELDS(#CUSTNO #ACTION)",
    "   |12|FETCH     |FIELDS(#CUSTNAM #CREDIT #CUSTSTS) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(L20)",
    "   |55|CASE      |OF_FIELD(#ACTION)",
    "   |56|WHEN      |VALUE_IS('= U')",
    "   |68|EXECUTE   |SUBROUTINE(CHKCRD) WITH_PARMS(#CREDIT)",
    "   |20|UPDATE    |FIELDS(#CUSTNAM #CREDIT) IN_FILE(CUSTMST) WITH_KEY(#CUSTNO)",
    "   |56|WHEN      |VALUE_IS('= D')",
    "   |19|DELETE    |FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) NOT_FOUND(*NEXT)",
    "   |57|OTHERWISE |",
    "   |25|MESSAGE   |MSGTXT('Action not known')",
    "   |58|ENDCASE   |",
    "   |7|GOTO      |LABEL(L10)",
    "L20|13|INSERT    |FIELDS(#CUSTNO #CUSTNAM #CREDIT #CUSTSTS) TO_FILE(CUSTMST)",
    "   |62|BEGIN_LOOP|USING(#IDX) FROM(1) TO(3)",
    "   |18|CHANGE    |FIELD(#WRKCNT) TO('#WRKCNT + #IDX')",
    "   |63|END_LOOP  |",
    "   |8|DOWHILE   |COND('#WRKCNT > 0')",
    "   |18|CHANGE    |FIELD(#WRKCNT) TO('#WRKCNT - 1')",
    "   |9|ENDWHILE  |",
    "   |69|RETURN    |",
    "   |66|SUBROUTINE|NAME(CHKCRD) PARMS((#CREDIT *RECEIVED))",
    "   |4|IF        |COND('#CREDIT < 0')",
    "   |18|CHANGE    |FIELD(#CREDIT) TO(0)",
    "   |6|ENDIF     |",
    "   |67|ENDROUTINE|",
};

const std::vector<std::string> kDeminc = {
    "   |18|CHANGE    |FIELD(#WRKCNT) TO(0)",
    "   |25|MESSAGE   |MSGTXT('Customer ''totals'' were reset')",
};

const std::vector<std::string> kDemomin = {
    "   |96|FUNCTION  |OPTIONS(*DIRECT)",
    "   |69|RETURN    |",
};

std::vector<std::string> parseFile(const std::string& function) {
    static dqot_test::CommandTable table;
    const std::filesystem::path path =
        std::filesystem::path(DQOV_SOURCE_DIR) / "samples" / "sources" / "DEM" / "DEMOPRC" / (function + ".zoph");
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::string> split;
    std::string line;
    while (std::getline(in, line)) {
        TPARS_RESULT* results = nullptr;
        EXPECT_EQ(0, TPARS_sParseZOPH(line.c_str(), &table.table, nullptr, 0, '#', '@', &results, nullptr, 0, 0));
        if (results == nullptr)
            continue;
        const TPARS_RESULT& r = results[0];
        EXPECT_EQ(0, r.lError) << line << ": " << r.szText;
        EXPECT_EQ(1, r.usPreSplit);
        split.push_back(std::string(r.achLabel, 3) + "|" + std::to_string(r.usCommandCode) + "|" +
                        std::string(r.achName, 10) + "|" + (r.pszParameters != nullptr ? r.pszParameters : ""));
        TPARS_FreeResults(results);
    }
    return split;
}

TEST(SampleFunctions, EveryCommandIsSplit) {
    EXPECT_EQ(kCustlst, parseFile("CUSTLST"));
    EXPECT_EQ(kCustupd, parseFile("CUSTUPD"));
    EXPECT_EQ(kDeminc, parseFile("DEMINC"));
    EXPECT_EQ(kDemomin, parseFile("DEMOMIN"));
}

}  // namespace
