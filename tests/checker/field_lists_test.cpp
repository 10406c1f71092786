// Field lists with special entries expanded into plain lists, and the
// field groups of a run.
#include "checker/field_lists.h"
#include "checker_fixture.h"

#include <sqlite3.h>

#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Message;

namespace {

class FieldLists : public CheckJob {
protected:
    void SetUp() override
    {
        CheckJob::SetUp();
        prepare("TSTPRC", "NONE");
        open();
    }
    void TearDown() override
    {
        request('C', {}, "", "");
        CheckJob::TearDown();
    }
    void open() { request('O', {}, "", ""); }
    // Runs a request on the list; the list is replaced by the result.
    bool request(char letter, std::vector<std::string> list, const std::string& file, const std::string& name,
                 const char* command = "FETCH     ", int32_t capacity = 100)
    {
        names.assign(static_cast<size_t>(capacity) * 10, ' ');
        for (size_t i = 0; i < list.size(); ++i)
            std::memcpy(names.data() + i * 10, list[i].data(), std::min<size_t>(list[i].size(), 10));
        count = static_cast<int32_t>(list.size());
        char fileName[10], listName[10];
        std::memset(fileName, ' ', 10);
        std::memcpy(fileName, file.data(), file.size());
        std::memset(listName, ' ', 10);
        std::memcpy(listName, name.data(), name.size());
        const bool rc =
            P3136_sExpandFileFieldList(&ctx, letter, file.empty() ? nullptr : fileName, listName, capacity, 10, &count,
                                       names.data(), 0, nullptr, msgId, msgData, &msgLength, command);
        result.clear();
        for (int32_t i = 0; i < count; ++i) {
            std::string n(names.data() + i * 10, 10);
            result.push_back(n.substr(0, n.find_last_not_of(' ') + 1));
        }
        return rc;
    }
    std::string finding() const
    {
        std::string data(msgData, static_cast<size_t>(msgLength));
        return std::string(msgId, 7) + " " + data.substr(0, data.find_last_not_of(' ') + 1);
    }

    std::vector<char> names;
    int32_t count = 0;
    std::vector<std::string> result;
    char msgId[7], msgData[132];
    int32_t msgLength = 0;
};

using Names = std::vector<std::string>;

TEST_F(FieldLists, AllOfTheFileWithExclusions)
{
    ASSERT_TRUE(request('X', {"*ALL", "*EXCLUDING", "#CUSTNO"}, "CUSTMST", "FIELDS"));
    EXPECT_EQ(result, (Names{"#CUSTNAM", "#CREDIT", "#CUSTSTS"}));
    // A logical view stands for its physical file.
    ASSERT_TRUE(request('X', {"*ALL_REAL"}, "CUSTMSTL1", "FIELDS"));
    EXPECT_EQ(result.size(), 4u);
    ASSERT_TRUE(request('X', {"*ALL_VIRT"}, "CUSTMST", "FIELDS"));
    EXPECT_TRUE(result.empty());
}

TEST_F(FieldLists, DuplicatesAndModes)
{
    ASSERT_TRUE(request('X', {"A", "A"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"A", "A"}));
    ASSERT_TRUE(request('X', {"*INCLUDING", "A", "A"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"A"}));
    EXPECT_FALSE(request('X', {"#A", "*EXCLUDING", "NAME"}, "", "FIELDS"));
    EXPECT_EQ(finding(), "PRC0335 NAME");
    EXPECT_FALSE(request('X', {"*ALL"}, "", "FIELDS"));
    EXPECT_EQ(finding(), "PRC0336 *ALL");
    EXPECT_FALSE(request('X', {"*ALL"}, "NOFILE", "FIELDS"));
    EXPECT_EQ(finding(), "PRC0337 DEMNOFILE    *ALL");
    EXPECT_FALSE(request('Q', {}, "", ""));
    EXPECT_EQ(finding(), "PRC0339 DC_P3136  Q");
}

TEST_F(FieldLists, FullListReportsTheCapacity)
{
    std::string sql = "INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB) VALUES ('DEM', 'WIDE', 'DEMLIB');";
    for (int i = 1; i <= 120; ++i)
        sql += "INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ) VALUES ('DEM', 'WIDE', 'DEMLIB', "
               "'FFD', 'F" +
               std::to_string(i) + "', " + std::to_string(i) + ");";
    exec(sql.c_str());
    std::vector<std::string> before = {"#KEEP"};
    EXPECT_TRUE(request('X', before, "WIDE", "FIELDS"));
    EXPECT_FALSE(request('X', {"*ALL"}, "WIDE", "FIELDS"));
    EXPECT_EQ(finding(), "PRC0338 +0000100");
    EXPECT_EQ(count, 1) << "a refused expansion leaves the list as it was";
}

TEST_F(FieldLists, Groups)
{
    ASSERT_TRUE(request('G', {"#CUSTNO", "#CUSTNAM"}, "", "XG_BASE", "GROUP_BY  "));
    EXPECT_FALSE(request('G', {"#CREDIT"}, "", "XG_BASE", "GROUP_BY  "));
    EXPECT_EQ(finding(), "PRC0331 XG_BASE");
    EXPECT_FALSE(request('G', {"XG_SELF"}, "", "XG_SELF", "GROUP_BY  "));
    EXPECT_EQ(finding(), "PRC0334 XG_SELF");
    EXPECT_FALSE(request('G', {"XG_LATER"}, "", "XG_MORE", "GROUP_BY  "));
    EXPECT_EQ(finding(), "PRC0332 XG_LATER");
    ASSERT_TRUE(request('G', {"XG_BASE", "#CREDIT", "*EXCLUDING", "#CUSTNO"}, "", "XG_ALL", "GROUP_BY  "));
    ASSERT_TRUE(request('X', {"XG_ALL", "#CUSTSTS"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"#CUSTNAM", "#CREDIT", "#CUSTSTS"}));
    // Outside a group definition an unknown group name is a plain entry.
    ASSERT_TRUE(request('X', {"XG_NONE"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"XG_NONE"}));
    // A GROUP_BY list not named "XG_..." is taken as written.
    ASSERT_TRUE(request('X', {"*ALL", "XG_ALL"}, "", "OTHER", "GROUP_BY  "));
    EXPECT_EQ(result, (Names{"*ALL", "XG_ALL"}));
}

TEST_F(FieldLists, RemovingFromTheMiddleOfAGroupKeepsTheOrder)
{
    std::vector<std::string> members;
    for (int i = 1; i <= 50; ++i)
        members.push_back("#M" + std::to_string(i));
    ASSERT_TRUE(request('G', members, "", "XG_FIFTY", "GROUP_BY  "));
    ASSERT_TRUE(request('G', {"XG_FIFTY", "*EXCLUDING", "#M25"}, "", "XG_LESS", "GROUP_BY  "));
    ASSERT_TRUE(request('X', {"XG_LESS"}, "", "FIELDS"));
    ASSERT_EQ(result.size(), 49u);
    EXPECT_EQ(result[23], "#M24");
    EXPECT_EQ(result[24], "#M26");
    EXPECT_EQ(result[48], "#M50");
}

// Entries, the request's command and its special values are read in any
// case: the list holds them in upper case, and a finding names the entry
// in upper case.
TEST_F(FieldLists, EntriesInLowerCase)
{
    ASSERT_TRUE(request('X', {"*all", "*excluding", "#custno"}, "CUSTMST", "FIELDS"));
    EXPECT_EQ(result, (Names{"#CUSTNAM", "#CREDIT", "#CUSTSTS"}));
    ASSERT_TRUE(request('X', {"#a", "#b", "*Excluding", "#a"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"#B"}));
    EXPECT_FALSE(request('X', {"#a", "*excluding", "name"}, "", "FIELDS"));
    EXPECT_EQ(finding(), "PRC0335 NAME");
    // a name as wide as the list's names is kept whole
    ASSERT_TRUE(request('X', {"#abcdefghi", "x"}, "", "FIELDS"));
    EXPECT_EQ(result, (Names{"#ABCDEFGHI", "X"}));
}

TEST_F(FieldLists, OnlyGroupByTakesAListAsWritten)
{
    // GROUP_BY in any case takes a list not named "XG_..." as written
    ASSERT_TRUE(request('X', {"*ALL", "XG_ALL"}, "", "OTHER", "group_by  "));
    EXPECT_EQ(result, (Names{"*ALL", "XG_ALL"}));
    // a longer or shorter command that begins or ends like it expands its list
    EXPECT_FALSE(request('X', {"*ALL"}, "", "OTHER", "GROUP_BYS "));
    EXPECT_EQ(finding(), "PRC0336 *ALL");
    EXPECT_FALSE(request('X', {"*ALL"}, "", "OTHER", "ROUP_BY   "));
    EXPECT_EQ(finding(), "PRC0336 *ALL");
}

TEST_F(CheckJob, FileFieldsOfAllAreUsed)
{
    addFunction("TSTPRC", "ALLF",
                {"FUNCTION OPTIONS(*DIRECT)", "FETCH FIELDS(*ALL) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO)",
                 "DISPLAY FIELDS(*ALL)", "RETURN"});
    prepare("TSTPRC", "ALLF");
    run();
    std::vector<Message> m = withId("PRC0336");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].line, 3u);
    EXPECT_TRUE(withId("PRC0202").empty()) << "no field of the file is left unused";
}

}  // namespace

namespace {

// IOORDLN holds nine real fields and one virtual one (IOLVALUE): *ALL
// takes the ten, real ones first, *ALL_REAL the nine, *ALL_VIRT the one.
TEST_F(FieldLists, RealAndVirtualFieldsOfAFile)
{
    const Names real{"#IOCOMP", "#IOORDNO", "#IOLINE", "#IOSUBL", "#IOSEQ",
                     "#IOPROD", "#IOQTY",   "#IOPRICE", "#IOLSTAT"};
    ASSERT_TRUE(request('X', {"*ALL_REAL"}, "IOORDLN", "FIELDS"));
    EXPECT_EQ(result, real);
    ASSERT_TRUE(request('X', {"*ALL_VIRT"}, "IOORDLN", "FIELDS"));
    EXPECT_EQ(result, Names{"#IOLVALUE"});
    ASSERT_TRUE(request('X', {"*ALL"}, "IOORDLN", "FIELDS"));
    Names all = real;
    all.push_back("#IOLVALUE");
    EXPECT_EQ(result, all);
    ASSERT_TRUE(request('X', {"*ALL", "*EXCLUDING", "*ALL_VIRT"}, "IOORDLN", "FIELDS"));
    EXPECT_EQ(result, real);
}

}  // namespace
