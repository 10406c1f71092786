// The message table against the sample repository's message texts: every
// message the library issues has its text in the library's message file
// with the severity it is issued with, and no message id is written in the
// code anywhere but in the table, so that every id the code can issue is in
// it.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_messages.h"
#include "platform/dqos/repo_fixture.h"
#include "runcontrol/message_table.h"

namespace {

using dqov::kMessageTable;
using dqov::MessageEntry;
using dqov::Msg;

bool WellFormedId(const std::string& id)
{
    if (id.size() != 7)
        return false;
    for (size_t i = 0; i < 7; ++i)
        if (i < 3 ? !std::isupper(static_cast<unsigned char>(id[i])) : !std::isdigit(static_cast<unsigned char>(id[i])))
            return false;
    return true;
}

class MessageTable : public ::testing::Test {
protected:
    dqos_test::TempRepository repo = dqos_test::TempRepository::copyOf(dqos_test::sampleRepository());
    void SetUp() override
    {
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        SMISC_SetSession("DEM", "ENG");
    }
    void TearDown() override { SSQL_Disconnect(); }
};

TEST_F(MessageTable, IdsAreWellFormedUniqueAndInOrder)
{
    std::set<std::string> ids;
    std::string previous;
    for (const MessageEntry& e : kMessageTable) {
        const std::string id = e.id;
        EXPECT_TRUE(WellFormedId(id)) << e.name << " " << id;
        EXPECT_TRUE(ids.insert(id).second) << id << " is in the table twice";
        if (!e.program) {
            EXPECT_LT(previous, id) << e.name << ": the library's messages stand in the order of their ids";
            previous = id;
        }
        EXPECT_TRUE(e.severity == 'F' || e.severity == 'W' || e.severity == 'I' || e.severity == ' ') << id;
    }
    // the names reach the entries of their own ids
    EXPECT_STREQ(dqov::MsgId(Msg::IoErrorLabelNotDefined), "PRC0025");
    EXPECT_STREQ(dqov::MessageOf(Msg::IoErrorLabelNotDefined).name, "IoErrorLabelNotDefined");
    EXPECT_EQ(dqov::MsgSeverity(Msg::FieldNeverUsed), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::ServicesText), ' ');
}

TEST_F(MessageTable, EveryMessageHasItsTextWithItsSeverity)
{
    for (const MessageEntry& e : kMessageTable) {
        auto m = dqos::lookupMessage("DC@F23", e.id, "ENG");
        if (e.program) {
            // reported by generated programs from their own message file
            EXPECT_FALSE(m.has_value()) << e.id;
            continue;
        }
        ASSERT_TRUE(m.has_value()) << e.name << " " << e.id << " has no text";
        EXPECT_EQ(m->file, "DC@F23") << e.id;
        EXPECT_EQ(m->language, "ENG") << e.id;
        EXPECT_FALSE(m->text.empty()) << e.id;
        EXPECT_EQ(m->severity, e.severity) << e.name << " " << e.id << ": the repository's default severity";
    }
}

// The severities the repository gives and the library issues, as the
// checker and the layouts issue them.
TEST_F(MessageTable, SeveritiesOfTheCheckersAfterPassFindings)
{
    for (Msg msg : {Msg::GroupDefinedNeverUsed, Msg::LineGroupNeverUsed, Msg::WebEventMainCommand,
                    Msg::FileOpenedNeverUsed}) {
        auto m = dqos::lookupMessage("DC@F23", dqov::MsgId(msg), "ENG");
        ASSERT_TRUE(m.has_value()) << dqov::MsgId(msg);
        EXPECT_EQ(m->severity, dqov::MsgSeverity(msg)) << dqov::MsgId(msg);
    }
    EXPECT_EQ(dqov::MsgSeverity(Msg::GroupDefinedNeverUsed), 'F');
    EXPECT_EQ(dqov::MsgSeverity(Msg::LineGroupNeverUsed), 'F');
    EXPECT_EQ(dqov::MsgSeverity(Msg::WebEventMainCommand), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::FileOpenedNeverUsed), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::PointSettingsIseriesOnly), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::WhereWithoutKeys), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::ScreenTextNotPlaced), 'W');
    EXPECT_EQ(dqov::MsgSeverity(Msg::NoReportItemPlaced), 'F');
}

TEST_F(MessageTable, NoMessageIdIsWrittenOutsideTheTable)
{
    const std::regex literal("\"((DCM|PRC|DEM)[0-9]{4})\"");
    std::set<std::string> tabled;
    for (const MessageEntry& e : kMessageTable)
        tabled.insert(e.id);
    size_t inTable = 0;
    for (const char* top : {"/src", "/include"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(DQOV_SOURCE_DIR) + top)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path());
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            const bool table = entry.path().filename() == "message_ids.def";
            for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
                const std::string id = (*it)[1].str();
                if (table) {
                    ++inTable;
                    EXPECT_TRUE(tabled.count(id)) << id;
                    continue;
                }
                ADD_FAILURE() << entry.path().string() << " writes message id " << id
                              << " as a literal: name it from the message table";
            }
        }
    }
    EXPECT_EQ(inTable, std::size(kMessageTable));
}

}  // namespace
