// Field lists with special entries turned into plain lists of field names:
// *ALL, *ALL_REAL and *ALL_VIRT take the fields of the command's file,
// *INCLUDING and *EXCLUDING switch between adding and removing, and "XG_"
// names stand for the field groups that GROUP_BY defines. The groups live
// from the open request at the start of checking to the close request at
// its end.
#include "checker/field_lists.h"

#include "checker/checker.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

using checker::Upper;

namespace {

constexpr size_t kMaxGroups = 100;
constexpr size_t kMaxMembers = 100;
constexpr size_t kMaxRegistry = 999;
constexpr size_t kMaxFileFields = 101;

struct Group {
    std::string name;                 /* 10 characters, upper case */
    std::vector<std::string> members; /* without the prefix */
};

struct GroupStore {
    bool open = false;
    std::vector<Group> groups;
    std::vector<std::string> registry;
};

GroupStore g_store;

struct Finding {
    std::string id;
    std::string data;
    Finding() = default;
    Finding(Msg msg, std::string text) : id(dqov::MsgId(msg)), data(std::move(text)) {}
};

std::string Padded(std::string s, size_t width)
{
    s.resize(width, ' ');
    return s;
}

char Prefix(const FFC_CONTEXT* ctx)
{
    return ctx && ctx->cNatChar1 != 0 ? ctx->cNatChar1 : '#';
}

// A name already in upper case without its leading prefix character and
// its trailing blanks, seen in place.
std::string_view BareUpper(std::string_view upper, char prefix)
{
    if (!upper.empty() && upper[0] == prefix)
        upper.remove_prefix(1);
    while (!upper.empty() && (upper.back() == ' ' || upper.back() == '\0'))
        upper.remove_suffix(1);
    return upper;
}

// A name without its leading prefix character, upper case, no trailing blanks.
std::string Bare(const std::string& name, char prefix)
{
    return std::string(BareUpper(Upper(name), prefix));
}

// Both names without prefix, compared over the shorter of the two lengths.
bool Same(const std::string& a, size_t lengthA, const std::string& b, size_t lengthB, char prefix)
{
    size_t n = std::min(lengthA, lengthB);
    return Padded(Bare(a, prefix), n).substr(0, n) == Padded(Bare(b, prefix), n).substr(0, n);
}

bool IsGroupName(const std::string& name, char prefix)
{
    return Bare(name, prefix).compare(0, 3, "XG_") == 0;
}

Group* FindGroup(const std::string& name, char prefix)
{
    for (Group& g : g_store.groups)
        if (Same(g.name, 10, name, 10, prefix))
            return &g;
    return nullptr;
}

std::string Number8(long n)
{
    char b[16];
    std::snprintf(b, sizeof b, "+%07ld", n);
    return b;
}

// The expansion's work list.
struct WorkList {
    size_t capacity;
    size_t nameLength;
    size_t dataLength;
    char prefix;
    std::vector<std::string> names;
    std::vector<std::string> data;

    bool Contains(const std::string& name) const
    {
        for (const std::string& n : names)
            if (Same(n, nameLength, name, nameLength, prefix))
                return true;
        return false;
    }
    // Adds a name, the prefix put in front when asked for.
    bool Add(std::string name, const std::string& entryData, bool withPrefix, bool refuseDuplicates, Finding& f)
    {
        if (withPrefix && (name.empty() || name[0] != prefix))
            name = std::string(1, prefix) + name;
        name.resize(nameLength, ' ');  // cut or blank-padded to the width
        if (refuseDuplicates && Contains(name))
            return true;
        if (names.size() >= capacity) {
            f = {Msg::FieldListFull, Number8(static_cast<long>(capacity))};
            return false;
        }
        names.push_back(std::move(name));
        data.push_back(Padded(entryData, dataLength));
        return true;
    }
    void Remove(const std::string& name)
    {
        for (size_t i = 0; i < names.size();) {
            if (Same(names[i], nameLength, name, nameLength, prefix)) {
                names.erase(names.begin() + static_cast<long>(i));
                data.erase(data.begin() + static_cast<long>(i));
            } else {
                ++i;
            }
        }
    }
};

// The physical file of a file or view name; false when neither.
bool PhysicalFile(const FFC_CONTEXT* ctx, const std::string& file, std::string& physical)
{
    std::string partition = checker::Trim(ctx->acPartition, 3);
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    char name[10];
    uint16_t cursor = 0;
    struct Query {
        const char* sql;
        const char *open, *fetch, *close;
    };
    static constexpr Query kQueries[] = {
        {"SELECT X27PFL FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s'", "DC_P3136/SQL001", "DC_P3136/SQL002",
         "DC_P3136/SQL003"},
        {"SELECT X15PFL FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s'", "DC_P3136/SQL004", "DC_P3136/SQL005",
         "DC_P3136/SQL006"},
    };
    for (const Query& q : kQueries) {
        SSQL_SetLocation(q.open);
        SSQL_DeclareExt(&area, q.sql, partition.c_str(), file.c_str());
        if (SSQL_sOpenExt(&cursor) != SSQL_RC_OK)
            FFC_SQL_Error(nullptr, q.open);
        SSQL_SetLocation(q.fetch);
        std::memset(name, ' ', sizeof name);
        unsigned short rc = SSQL_sFetchExt(&area, cursor, &ca, &da, 1, SSQL_FIXED(name, 10));
        if (rc != SSQL_RC_OK && rc != SSQL_RC_END && rc != SSQL_RC_NOROW)
            FFC_SQL_Error(ca, q.fetch);
        SSQL_SetLocation(q.close);
        if (SSQL_sCloseExt(cursor, &ca, &da) != SSQL_RC_OK)
            FFC_SQL_Error(nullptr, q.close);
        if (rc == SSQL_RC_OK) {
            physical = checker::Trim(name, 10);
            return true;
        }
    }
    return false;
}

// The real ('FFD') or virtual ('VFD') fields of a physical file in order.
void FileFields(const FFC_CONTEXT* ctx, const std::string& physical, const char* type, std::vector<std::string>& out)
{
    std::string partition = checker::Trim(ctx->acPartition, 3);
    bool real = std::strcmp(type, "FFD") == 0;
    const char* tags[4] = {real ? "DC_P3136/SQL007" : "DC_P3136/SQL011", real ? "DC_P3136/SQL008" : "DC_P3136/SQL012",
                           real ? "DC_P3136/SQL009" : "DC_P3136/SQL013", real ? "DC_P3136/SQL010" : "DC_P3136/SQL014"};
    SSQL_AREA area;
    SSQL_SetLocation(tags[0]);
    if (real)
        SSQL_DeclareExt(&area,
                        "SELECT X14FLD, X14SEQ FROM  QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' AND "
                        "X14TYP = 'FFD' ORDER BY X14SEQ ",
                        partition.c_str(), physical.c_str());
    else
        SSQL_DeclareExt(&area,
                        "SELECT X14FLD, X14SEQ FROM  QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' AND "
                        "X14TYP = 'VFD' ORDER BY X14SEQ ",
                        partition.c_str(), physical.c_str());
    size_t room = out.size() < kMaxFileFields ? kMaxFileFields - out.size() : 0;
    for (std::string& name : checker::FetchNames(area, tags, room))
        out.push_back(std::move(name));
}

bool Expand(FFC_CONTEXT* ctx, const std::string& file, const std::string& listName, const std::string& command,
            WorkList& work, const std::vector<std::string>& entries, const std::vector<std::string>& entryData,
            Finding& f)
{
    char prefix = work.prefix;
    /* a command name of another length is no GROUP_BY: not put in upper case */
    const bool groupBy = command.size() == 8 && Upper(command) == "GROUP_BY";
    bool groups = !(groupBy && !IsGroupName(listName, prefix));
    bool adding = true, refuse = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        // the entry in upper case, and without its prefix and its blanks as
        // Bare and Trim would give them, read where it stands
        std::string entry = Upper(entries[i]);
        const std::string_view bare = BareUpper(entry, prefix);
        const std::string_view trimmed = checker::TrimmedView(entry.c_str(), entry.size());
        if (!groups) {
            if (!work.Add(entry, entryData[i], false, false, f))
                return false;
            continue;
        }
        if (trimmed == "*INCLUDING" || trimmed == "*EXCLUDING") {
            adding = trimmed == "*INCLUDING";
            refuse = true;
            continue;
        }
        if (trimmed == "*ALL" || trimmed == "*ALL_REAL" || trimmed == "*ALL_VIRT") {
            if (file.empty()) {
                f = {Msg::EntryNeedsFile, Padded(std::string(trimmed), 50)};
                return false;
            }
            std::string physical;
            if (!PhysicalFile(ctx, file, physical)) {
                f = {Msg::ListFileNotFound, Padded(checker::Trim(ctx->acPartition, 3), 3) + Padded(file, 10) +
                                                Padded(std::string(trimmed), 10)};
                return false;
            }
            std::vector<std::string> fields;
            if (trimmed != "*ALL_VIRT")
                FileFields(ctx, physical, "FFD", fields);
            if (trimmed != "*ALL_REAL" && fields.size() < kMaxFileFields)
                FileFields(ctx, physical, "VFD", fields);
            if (fields.size() > kMaxFileFields)
                fields.resize(kMaxFileFields);
            for (const std::string& field : fields) {
                if (adding) {
                    if (!work.Add(field, {}, true, true, f))
                        return false;
                } else {
                    work.Remove(field);
                }
            }
            continue;
        }
        if (bare.compare(0, 3, "XG_") == 0) {  // a group name (IsGroupName of the entry)
            if (const Group* group = FindGroup(entry, prefix)) {
                for (const std::string& member : group->members) {
                    if (adding) {
                        if (!work.Add(member, {}, true, true, f))
                            return false;
                    } else {
                        work.Remove(member);
                    }
                }
            } else if (!work.Add(entry, entryData[i], false, false, f)) {
                return false;
            }
            continue;
        }
        if (adding) {
            if (!work.Add(entry, entryData[i], false, refuse, f))
                return false;
        } else {
            if (entry.empty() || entry[0] != prefix) {
                f = {Msg::ExclusionPrefixMissing, Padded(std::string(trimmed), 50)};
                return false;
            }
            work.Remove(std::string(bare));
        }
    }
    return true;
}

// Applies one name to a group under definition.
bool ApplyToGroup(Group& group, const std::string& name, bool adding, char prefix, Finding& f)
{
    std::string member = Padded(Bare(name, prefix), 10).substr(0, 10);
    if (std::find(g_store.registry.begin(), g_store.registry.end(), member) == g_store.registry.end()) {
        if (g_store.registry.size() >= kMaxRegistry) {
            f = {Msg::TooManyGroupMembers,
                 "+0000999" + Padded(member.substr(0, 9), 9) + " " + Padded(group.name.substr(0, 9), 9) + " "};
            return false;
        }
        g_store.registry.push_back(member);
    }
    std::string bare = checker::Trim(member.c_str(), 10);
    auto at = std::find(group.members.begin(), group.members.end(), bare);
    if (adding) {
        if (at != group.members.end())
            return true;
        if (group.members.size() >= kMaxMembers) {
            f = {Msg::FieldListFull, "+0000100"};
            return false;
        }
        group.members.push_back(bare);
    } else if (at != group.members.end()) {
        group.members.erase(at);
    }
    return true;
}

bool DefineGroup(const std::string& listName, const std::vector<std::string>& entries, char prefix, Finding& f)
{
    std::string name = Padded(Bare(listName, prefix), 10).substr(0, 10);
    if (g_store.groups.size() >= kMaxGroups) {
        f = {Msg::TooManyFieldGroups, "+0000100" + name};
        return false;
    }
    if (FindGroup(name, prefix)) {
        f = {Msg::FieldGroupExists, name};
        return false;
    }
    g_store.groups.push_back({name, {}});
    Group& group = g_store.groups.back();
    auto entryData = [&](const std::string& e) { return Padded(Upper(e).substr(0, 9), 9) + " "; };
    bool adding = true;
    for (const std::string& raw : entries) {
        std::string entry = checker::Trim(Upper(raw).c_str(), raw.size());
        if (entry == "*INCLUDING" || entry == "*EXCLUDING") {
            adding = entry == "*INCLUDING";
            continue;
        }
        if (entry == "*ALL" || entry == "*ALL_REAL" || entry == "*ALL_VIRT") {
            f = {Msg::EntryNeedsFile, entryData(entry)};
            return false;
        }
        if (IsGroupName(entry, prefix)) {
            if (Same(entry, 10, name, 10, prefix)) {
                f = {Msg::GroupNamesItself, entryData(entry)};
                return false;
            }
            const Group* earlier = FindGroup(entry, prefix);
            if (!earlier || earlier == &group) {
                f = {Msg::GroupNameNotEarlier, entryData(entry)};
                return false;
            }
            std::vector<std::string> members = earlier->members;
            for (const std::string& m : members)
                if (!ApplyToGroup(group, m, adding, prefix, f))
                    return false;
            continue;
        }
        if (!ApplyToGroup(group, entry, adding, prefix, f))
            return false;
    }
    return true;
}

}  // namespace

bool checker::FileFieldsOf(const FFC_CONTEXT* ctx, const std::string& file, std::vector<std::string>& real,
                           std::vector<std::string>& virtualFields)
{
    std::string physical;
    if (ctx == nullptr || !PhysicalFile(ctx, file, physical))
        return false;
    FileFields(ctx, physical, "FFD", real);
    FileFields(ctx, physical, "VFD", virtualFields);
    return true;
}

extern "C" {

bool P3136_sExpandFileFieldList(FFC_CONTEXT* pContext, char cRequest, const char* acFile, const char* acListName,
                                int32_t lCapacity, int32_t lNameLength, int32_t* plCount, char* pchNames,
                                int32_t lDataLength, char* pchData, char* pachMsgId, char* pachMsgData,
                                int32_t* plMsgLength, const char* acCommand)
{
    if (pachMsgId)
        std::memset(pachMsgId, ' ', 7);
    if (pachMsgData)
        std::memset(pachMsgData, ' ', FFC_MESSAGE_TEXT_LEN);
    if (plMsgLength)
        *plMsgLength = 0;
    Finding f;
    auto refuse = [&]() {
        if (pachMsgId)
            std::memcpy(pachMsgId, f.id.data(), std::min<size_t>(f.id.size(), 7));
        size_t n = std::min<size_t>(f.data.size(), FFC_MESSAGE_TEXT_LEN);
        if (pachMsgData)
            std::memcpy(pachMsgData, f.data.data(), n);
        if (plMsgLength)
            *plMsgLength = static_cast<int32_t>(n);
        return false;
    };
    switch (cRequest) {
    case 'O':
        g_store = GroupStore{};
        g_store.open = true;
        return true;
    case 'C': g_store = GroupStore{}; return true;
    case 'G':
    case 'X': break;
    default: f = {Msg::FieldListRequestNotValid, std::string("DC_P3136  ") + cRequest}; return refuse();
    }
    char prefix = Prefix(pContext);
    std::string listName = acListName ? checker::Trim(acListName, 10) : std::string();
    size_t nameLength = static_cast<size_t>(std::max<int32_t>(lNameLength, 1));
    size_t capacity = static_cast<size_t>(std::max<int32_t>(lCapacity, 0));
    size_t dataLength = static_cast<size_t>(std::max<int32_t>(lDataLength, 0));
    int32_t count = plCount ? std::clamp<int32_t>(*plCount, 0, static_cast<int32_t>(capacity)) : 0;
    std::vector<std::string> entries, entryData;
    entries.reserve(static_cast<size_t>(count));
    entryData.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        entries.emplace_back(pchNames + i * nameLength, nameLength);
        entryData.push_back(dataLength && pchData ? std::string(pchData + i * dataLength, dataLength) : std::string());
    }
    if (cRequest == 'G') {
        if (!IsGroupName(listName, prefix))
            return true;
        return DefineGroup(listName, entries, prefix, f) || refuse();
    }
    std::string file = acFile ? checker::Trim(acFile, 10) : std::string();
    std::string command = acCommand ? checker::Trim(acCommand, 10) : std::string();
    WorkList work{capacity, nameLength, dataLength, prefix, {}, {}};
    work.names.reserve(static_cast<size_t>(count));
    work.data.reserve(static_cast<size_t>(count));
    if (!Expand(pContext, Upper(file), listName, command, work, entries, entryData, f))
        return refuse();
    std::memset(pchNames, ' ', capacity * nameLength);
    if (dataLength && pchData)
        std::memset(pchData, ' ', capacity * dataLength);
    for (size_t i = 0; i < work.names.size(); ++i) {
        std::memcpy(pchNames + i * nameLength, work.names[i].data(), nameLength);
        if (dataLength && pchData)
            std::memcpy(pchData + i * dataLength, work.data[i].data(), dataLength);
    }
    *plCount = static_cast<int32_t>(work.names.size());
    return true;
}

}  // extern "C"
