// Stored design data: the rows that the text-map and report-image writers
// leave in QV_F85, read back through the layouts' readers' rules.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "checker/checker_fixture.h"
#include "layout/design/design_state.h"

namespace {

using namespace layout::design;

class DesignData : public checker_test::CheckJob {
protected:
    void SetUp() override { prepare("DEMOSCR", "ORDTMAP"); }

    static LAYOUT_FIELD_ENTRY Text(const char *text, int32_t line, int32_t column)
    {
        LAYOUT_FIELD_ENTRY e;
        std::memset(&e, ' ', sizeof e);
        e.cType = 'T';
        std::memcpy(e.acEditMask, text, std::strlen(text));
        e.lLength = static_cast<int32_t>(std::strlen(text));
        e.lLine = line;
        e.lColumn = column;
        std::memcpy(e.acInputFlags, "YNNNNNNNNNNNNN", 14);
        return e;
    }

    // "KV2|SEQ|DTA" of the rows of one kind, in key order.
    std::vector<std::string> rows(const char *kind)
    {
        SSQL_Commit();
        std::vector<std::string> out;
        sqlite3 *db = nullptr;
        sqlite3_open(repo.path().c_str(), &db);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT X85KV2, X85SEQ, X85DTA FROM QV_F85 WHERE X85MOD = 'DEMOSCR' AND X85FMT = 'ORDTMAP' "
                           "AND X85KV1 = ? ORDER BY X85KV2, X85SEQ",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, kind, -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string data(reinterpret_cast<const char *>(sqlite3_column_blob(st, 2)),
                             static_cast<size_t>(sqlite3_column_bytes(st, 2)));
            std::string key(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
            out.push_back(key + "|" + std::to_string(sqlite3_column_int(st, 1)) + "|" + data);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
};

TEST_F(DesignData, ScreenTextMapReplacesItsRowsWithMirroredColumns)
{
    DesignStep &s = ScreenStep();
    s.ctx = &ctx;
    s.commandNumber = 1;
    s.popUp = false;
    s.textMap = "*TMAP001";
    s.mirror = 'Y';
    s.width = 80;
    s.fields = {Text("Eight ch", 5, 10), Text("Two", 6, 2), Text("Three", 7, 3)};
    P3097_SaveTextMaps();
    const auto stored = rows("TEXTMAPS");
    ASSERT_EQ(stored.size(), 3u) << "the sample row is replaced";
    std::string first = std::string("Eight ch") + std::string(72, ' ') + "005064" + "YNNNNNNNNNNNNN" +
                        std::string(32, ' ') + std::string(1, '\0');
    EXPECT_EQ(stored[0], "*TMAP001  |1|" + first) << "80 + 2 - 10 - 8 = 64";
    EXPECT_EQ(stored[2].substr(0, 13), "*TMAP001  |3|");
    EXPECT_EQ(stored[2].size(), 13u + 133u);
}

TEST_F(DesignData, ReportImageStoresChunksAndFillsGaps)
{
    DesignStep &s = ReportStep();
    s.ctx = &ctx;
    s.reportNumber = 2;
    s.width = 198;
    s.image = {{"HED", 1, 0, 0, "Title"}, {"DET", 0, 2, 0, "Detail"}, {"FOT", 6, 0, 0, "Foot"}};
    P3019_SaveReportImage();
    const auto stored = rows("FUNCREP002");
    // lines 1 (heading), 3 (detail: 1 + 2 lines before), 6 (foot); 2, 4 and 5 blank; two chunks each
    std::vector<std::string> keys;
    for (const std::string &r : stored)
        keys.push_back(r.substr(0, 12));
    EXPECT_EQ(keys, (std::vector<std::string>{"0000000011|1", "0000000012|2", "0000000021|1", "0000000022|2",
                                              "0000000031|1", "0000000032|2", "0000000041|1", "0000000042|2",
                                              "0000000051|1", "0000000052|2", "0000000061|1", "0000000062|2"}));
    EXPECT_EQ(stored[4].substr(13), "Detail" + std::string(126, ' '));
    EXPECT_EQ(stored[2].substr(13), std::string(132, ' '));
}

}  // namespace
