// Removal of the generated objects of functions, processes and tables.
#include "tables/removal/objdel.h"

#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "tables/ctd/ctd.h"
#include "tables/dbms_env.h"
#include "tables/removal/reserved_words.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kIdentifierChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890";

// ---- statement runner ------------------------------------------------------

int runOnRepository(void*, const char* statement)
{
    // Object names reaching here are identifiers, so a '%' cannot be part of
    // a legitimate statement; refuse rather than let it act as a placeholder.
    if (std::strchr(statement, '%'))
        return 1;
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area, statement) != SSQL_RC_OK)
        return 1;
    SSQL_SQLDA* da = nullptr;
    unsigned short rc = SSQL_sRun(&area, &da, 0);
    SSQL_FreeSqlda(da);
    return rc == SSQL_RC_OK || rc == SSQL_RC_NOROW ? 0 : 1;
}

int commitRepository(void*)
{
    SSQL_SQLDA* ca = nullptr;
    unsigned short rc = SSQL_sCommitExt(&ca);
    if (ca)
        SMEM_FreeMem(ca);
    return rc == SSQL_RC_OK ? 0 : 1;
}

OBJDEL_SQL_RUNNER g_runner{runOnRepository, commitRepository, nullptr};
int g_lastDrop = 0;

// Runs the DROP inside a savepoint: a DROP that fails (the table may never
// have been created) is undone alone, and the commit that follows keeps the
// other work of the transaction, also on databases that abort a transaction
// on its first failing statement.
int dropTable(const std::string& statement)
{
    const OBJDEL_SQL_RUNNER& r = g_runner;
    if (r.run(r.context, "SAVEPOINT OBJDEL_DROP") != 0)
        return 1;
    int rc = r.run(r.context, statement.c_str());
    if (rc != 0)
        r.run(r.context, "ROLLBACK TO SAVEPOINT OBJDEL_DROP");
    r.run(r.context, "RELEASE SAVEPOINT OBJDEL_DROP");
    r.commit(r.context);
    return rc;
}

// ---- files -----------------------------------------------------------------

unsigned long deleteFiles(const std::string& base, const std::string& tail)
{
    return DosDelete((base + tail).c_str());
}

bool hostFileExists(const std::string& path)
{
    char host[4096];
    if (DosMapPath(path.c_str(), host, sizeof host) != 0)
        return false;
    long fd = SSUTL_OpenFileInSync(host, SSUTL_GENERIC_READ, 3, SSUTL_OPEN_EXISTING);
    if (fd == -1)
        return false;
    ::close(static_cast<int>(fd));
    return true;
}

// Without an environment root of its own, a removal works below the root
// the caller names: it becomes the environment root for the call, so that
// the directories it removes are bounded by it as they are by the
// environment's root, and the result is the same whatever the caller set.
// A root that is no host directory (a drive letter) changes nothing: its
// paths cannot be mapped then, files or directories alike.
class CallersRoot {
public:
    explicit CallersRoot(const char* root)
    {
        char current[8];
        const unsigned long rc = DosQueryEnvironmentRoot(current, sizeof current);
        if (rc != DQOZ_ERROR_NO_ROOT || !root || root[0] != '/')
            return;
        set_ = DosSetEnvironmentRoot(root) == 0;
    }
    ~CallersRoot()
    {
        if (set_)
            DosSetEnvironmentRoot(nullptr);
    }
    CallersRoot(const CallersRoot&) = delete;
    CallersRoot& operator=(const CallersRoot&) = delete;

private:
    bool set_ = false;
};

// ---- alias file --------------------------------------------------------------

std::vector<OBJDEL_ALIAS_ENTRY> readAliasFile(const std::string& path)
{
    std::vector<OBJDEL_ALIAS_ENTRY> entries;
    char host[4096];
    if (DosMapPath(path.c_str(), host, sizeof host) != 0)
        return entries;
    std::FILE* f = std::fopen(host, "r");
    if (!f)
        return entries;
    char line[80];
    bool continuation = false;
    while (std::fgets(line, sizeof line, f)) {
        size_t len = std::strlen(line);
        bool complete = len > 0 && line[len - 1] == '\n';
        bool skip = continuation;  // the rest of a line longer than 79 characters
        continuation = !complete && !std::feof(f);
        if (skip || line[0] == '*')
            continue;
        if (entries.size() >= OBJDEL_MAX_ALIASES)
            continue;
        const char* comma = std::strchr(line, ',');
        if (!comma)
            continue;
        size_t patternLength = static_cast<size_t>(comma - line);
        if (patternLength == 0 || patternLength > OBJDEL_PATTERN_LEN)
            continue;
        OBJDEL_ALIAS_ENTRY e;
        e.pattern.assign(line, patternLength);
        for (char& c : e.pattern)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        e.nameLength = static_cast<int16_t>(patternLength);
        const char* p = comma + 1;
        for (int i = 0; i < 6; ++i) {
            int value = std::atoi(p);
            if (i % 2 == 0)
                e.start[i / 2] = static_cast<int16_t>(value);
            else
                e.length[i / 2] = static_cast<int16_t>(value);
            p = std::strchr(p, ',');
            if (!p)
                break;
            ++p;
        }
        entries.push_back(std::move(e));
    }
    std::fclose(f);
    return entries;
}

std::string aliasText(const std::vector<OBJDEL_ALIAS_ENTRY>& entries, std::string_view process)
{
    // The reader keeps only entries with a pattern, so every entry is searched.
    for (const auto& e : entries) {
        if (static_cast<size_t>(e.nameLength) != process.size())
            continue;
        bool match = true;
        for (size_t i = 0; i < process.size() && match; ++i)
            match = e.pattern[i] == '?' || e.pattern[i] == process[i];
        if (!match)
            continue;
        std::string alias;
        for (int k = 0; k < 3; ++k) {
            if (e.start[k] <= 0 || e.length[k] <= 0)
                continue;
            size_t from = static_cast<size_t>(e.start[k] - 1);
            if (from >= process.size())
                continue;
            alias.append(process.substr(from, static_cast<size_t>(e.length[k])));
        }
        // The alias buffer holds ten characters.
        if (alias.size() > OBJDEL_ALIAS_LEN)
            alias.resize(OBJDEL_ALIAS_LEN);
        return alias;
    }
    return std::string(process);
}

std::string processObjectName(const char* root, std::string_view process)
{
    std::string path = std::string(root) + ":" + "\\X_VELMO\\X_PALIAS.DAT";
    std::string alias = aliasText(readAliasFile(path), process);
    std::string name;
    OBJDEL_TakeNameTail(name, alias, 8);
    return name;
}

}  // namespace

// ---- name rules --------------------------------------------------------------

void OBJDEL_MakeIdentifier(std::string& name)
{
    for (size_t i = 0; i < name.size() && name[i] != ' '; ++i)
        if (kIdentifierChars.find(name[i]) == std::string_view::npos)
            name[i] = i == 0 ? 'X' : '_';
}

void OBJDEL_TakeNameTail(std::string& destination, std::string_view source, size_t n)
{
    size_t nul = source.find('\0');
    if (nul != std::string_view::npos)
        source = source.substr(0, nul);
    if (source.empty()) {
        destination = "X";
        return;
    }
    destination.assign(source.size() < n ? source : source.substr(source.size() - n));
    OBJDEL_MakeIdentifier(destination);
}

void OBJDEL_MakeObjectName(std::string_view source, std::string& destination)
{
    destination.assign(source.substr(0, std::min(source.find('\0'), source.size())));
    OBJDEL_MakeIdentifier(destination);
    std::string word = destination.substr(0, 10);
    OBJDEL_TrimBlanks(word, 'T');
    OBJDEL_TrimBlanks(word, 'L');
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word.empty() || !OBJDEL_IsReservedWord(word))
        return;
    if (destination.size() < 2)
        destination.resize(2);
    destination[1] = '_';
}

void OBJDEL_MakeShortObjectName(std::string_view source, std::string& destination)
{
    std::string tail;
    OBJDEL_TakeNameTail(tail, source, 8);
    if (!tail.empty() && std::isdigit(static_cast<unsigned char>(tail[0])))
        tail[0] = 'X';
    OBJDEL_MakeObjectName(tail, destination);
}

void OBJDEL_TrimBlanks(std::string& text, char mode)
{
    if (mode == 'T') {
        size_t end = text.find_last_not_of(' ');
        text.resize(end == std::string::npos ? 0 : end + 1);
        return;
    }
    size_t start = text.find_first_not_of(' ');
    text.erase(0, start == std::string::npos ? text.size() : start);
}

int32_t OBJDEL_sGetProcessAlias(int32_t kind, const char* root, const char* processName, std::string* destination)
{
    if (!root || !processName || !destination)
        return 0;
    if (kind == 1)
        OBJDEL_TakeNameTail(*destination, processName, 10);
    else if (kind == 2)
        *destination = processObjectName(root, processName);
    else
        OBJDEL_TakeNameTail(*destination, processName, 8);
    return 1;
}

std::string OBJDEL_PartitionBase(std::string_view root, std::string_view partition)
{
    std::string base(root);
    if (root.size() == 1)
        base += ":";
    base += "\\X_VELMO\\X_";
    base += partition;
    return base;
}

void OBJDEL_SetSqlRunner(const OBJDEL_SQL_RUNNER* runner)
{
    g_runner = runner ? *runner : OBJDEL_SQL_RUNNER{runOnRepository, commitRepository, nullptr};
}

int OBJDEL_LastDropResult()
{
    return g_lastDrop;
}

// ---- exported operations -------------------------------------------------------

extern "C" int32_t QV_IsObjectExecFileValid(const char* root, const char* partition, const char* name, void*,
                                            int32_t kind, char** pathOut)
{
    std::string object;
    if (!OBJDEL_sGetProcessAlias(kind, root, name, &object))
        return 0;
    std::string path = std::string(root) + "\\X_VELMO";
    if (partition)
        path += std::string("\\X_") + partition;
    path += "\\EXECUTE\\" + object + ".DLL";
    if (!hostFileExists(path))
        return 0;
    if (pathOut) {
        char* copy = static_cast<char*>(SMEM_pMalloc(0, path.size() + 1));
        if (copy)
            std::memcpy(copy, path.c_str(), path.size() + 1);
        *pathOut = copy;
    }
    return 1;
}

extern "C" unsigned long QV_Remove_Table_Objects(const char* root, const char* partition, const char* table,
                                                 const char* library, int32_t keepTable)
{
    if (!root || !partition || !table || !library)
        return DQOZ_ERROR_INVALID_PARAMETER;
    if (keepTable == 0) {
        const X_CTD_DBMS_INFO* dbms = SSQL_pGetDBMSInfo();
        const X_CTD_CAPABILITY_TABLE* caps = SMISC_sGetDBMSTypes();
        X_CTD_TABLE_DEFINITION record;
        X_CTD_SetText(record.internalName, table, X_CTD_NAME_LEN);
        std::string name;
        OBJDEL_MakeObjectName(table, name);
        X_CTD_SetText(record.table, name, X_CTD_NAME_LEN);
        OBJDEL_MakeShortObjectName(library, name);
        X_CTD_SetText(record.collection, name, X_CTD_NAME_LEN);
        X_CTD_SetText(record.dataLibrary, library, X_CTD_NAME_LEN);
        std::string statement;
        X_CTD_DropTableStatement(record, caps, *dbms, statement);
        g_lastDrop = dropTable(statement);
    }
    const std::string base = OBJDEL_PartitionBase(root, partition);
    std::string tableFile, libraryFile;
    OBJDEL_TakeNameTail(tableFile, table, 10);
    OBJDEL_TakeNameTail(libraryFile, library, 8);
    if (keepTable == 0) {
        deleteFiles(base, "\\" + tableFile + ".RRN");
        if (hostFileExists(base + "\\EXECUTE\\" + libraryFile + "\\" + tableFile + ".DLL")) {
            deleteFiles(base, "\\EXECUTE\\" + libraryFile + "\\" + tableFile + ".*");
            deleteFiles(base, "\\SOURCE\\" + libraryFile + "\\" + tableFile + ".*");
            return deleteFiles(base, "\\OBJECT\\" + tableFile + ".*");
        }
    }
    deleteFiles(base, "\\EXECUTE\\" + tableFile + ".DLL");
    deleteFiles(base, "\\EXECUTE\\" + tableFile + ".PDB");
    deleteFiles(base, "\\SOURCE\\" + tableFile + ".*");
    return deleteFiles(base, "\\OBJECT\\" + tableFile + ".*");
}

extern "C" unsigned long QV_Remove_Function_Objects(const char* root, const char* partition, const char* function)
{
    if (!root || !partition || !function)
        return DQOZ_ERROR_INVALID_PARAMETER;
    const CallersRoot bound(root);
    const std::string base = OBJDEL_PartitionBase(root, partition);
    std::string name;
    OBJDEL_TakeNameTail(name, function, 8);
    deleteFiles(base, "\\EXECUTE\\" + name + ".*");
    deleteFiles(base, "\\SOURCE\\" + name + ".*");
    // what the generator writes beside the sources: the copies of the
    // resources it refers to, and the C# set in a folder of its own
    deleteFiles(base, "\\SOURCE\\" + name + "_Ref_*");
    OSRV_RemoveDirectoryTree((base + "\\SOURCE\\C#\\" + name).c_str());
    DosDeleteDir((base + "\\SOURCE\\C#").c_str());  // when no other C# set is left in it
    return deleteFiles(base, "\\OBJECT\\" + name + ".*");
}

extern "C" unsigned long QV_Remove_Process_Objects(const char* root, const char* partition, const char* process)
{
    if (!root || !partition || !process)
        return DQOZ_ERROR_INVALID_PARAMETER;
    const std::string base = OBJDEL_PartitionBase(root, partition);
    const std::string name = processObjectName(root, process);
    deleteFiles(base, "\\EXECUTE\\" + name + ".DLL");
    deleteFiles(base, "\\SOURCE\\" + name + ".*");
    deleteFiles(base, "\\OBJECT\\" + name + ".*");

    static char boundPartition[4];
    static char boundProcess[41];
    std::snprintf(boundPartition, sizeof boundPartition, "%s", partition);
    std::snprintf(boundProcess, sizeof boundProcess, "%s", process);
    SSQL_AREA area;
    SSQL_SetLocation("OBJDEL/QV_F23");
    SSQL_DeclareExt(&area, "SELECT X23FMT FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND X23MOD = '%s' ORDER BY X23FMT",
                    boundPartition, boundProcess);
    uint16_t cursor = 0;
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    SSQL_sOpenExt(&cursor);
    char function[8];
    while (SSQL_sFetchExt(&area, cursor, &ca, &da, 1, SSQL_FIXED(function, 7)) == SSQL_RC_OK) {
        std::string fn(function, 7);
        OBJDEL_TrimBlanks(fn, 'T');
        QV_Remove_Function_Objects(root, partition, fn.c_str());
    }
    return SSQL_sCloseExt(cursor, &ca, &da);
}
