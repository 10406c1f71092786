// User DLL definitions: the file "x_usedll.dat" of the product source
// directory names DLLs (DLLNAM=, DLLALS=) and their entries (ENTNAM=,
// ENTALS=, ENTSKL=); lines starting with '*' are comments. Built-in
// functions of kind 'D' are called through these entries.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <new>
#include <string>

#include "dqov/runcontrol/definitions.h"
#include "platform/dqoz/dqoz.h"

namespace {

std::string trim(std::string s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    size_t e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Quotes stripped, upper-cased, trailing blanks dropped.
std::string normalised(const char* text)
{
    std::string s = text ? text : "";
    s.erase(std::remove(s.begin(), s.end(), '\''), s.end());
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    for (auto& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

bool sameName(const char* stored, const std::string& wanted)
{
    return normalised(stored) == wanted;
}

void copyField(char* field, size_t size, const std::string& value)
{
    std::snprintf(field, size, "%s", value.c_str());
}

std::string hostPath(const std::string& directory, const std::string& file)
{
    std::string path = directory + file;
    std::string host;
    if (dqoz::MapPath(path, host) != 0)
        return {};
    return host;
}

// The text of the file as a job read it: the checker and the generator of
// one job each read it, and the job's file work has changed nothing that
// could touch it in between when its state is the same.
struct KeptText {
    unsigned long state = 0;  // dqoz::FileWorkState() when read; 0: nothing kept
    std::string root;         // the environment root then
    std::string directory;
    bool found = false;
    std::string text;
};

std::mutex g_keptMutex;
KeptText g_kept;

// The directory with '/' for '\\' and a run of separators as one: two
// spellings the same here map to one host path (the checker's root ends in
// a separator, and it adds one of its own).
std::string sameDirectory(const char* directory)
{
    std::string d;
    for (const char* p = directory; *p; ++p) {
        const char c = *p == '\\' ? '/' : *p;
        if (c != '/' || d.empty() || d.back() != '/')
            d += c;
    }
    return d;
}

// The file's text in text; false when there is no file to read.
bool readText(const char* directory, std::string& text)
{
    unsigned long state = dqoz::FileWorkState();
    const std::string same = sameDirectory(directory);
    char root[4096];
    if (state != 0 && DosQueryEnvironmentRoot(root, sizeof root) != 0)
        state = 0;  // nothing kept without a root (the read says why it fails)
    std::lock_guard lock(g_keptMutex);
    if (state == 0 || g_kept.state != state || g_kept.root != root || g_kept.directory != same) {
        const std::string host = hostPath(directory, "x_usedll.dat");
        const int fd = host.empty() ? -1 : ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
        g_kept = KeptText{};
        g_kept.found = fd >= 0;
        if (fd >= 0) {
            char buffer[4096];
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
                if (n > 0)
                    g_kept.text.append(buffer, static_cast<size_t>(n));
                else if (errno != EINTR)
                    break;
            }
            ::close(fd);
        }
        if (state != 0) {
            g_kept.state = state;
            g_kept.root = root;
            g_kept.directory = same;
        }
    }
    text = g_kept.text;
    return g_kept.found;
}

// The next line of text from at on, as std::getline takes it: up to a
// '\n' (not kept), or the rest of the text when it ends without one; false
// at the end of the text.
bool nextLine(const std::string& text, size_t& at, std::string& line)
{
    if (at >= text.size())
        return false;
    size_t end = text.find('\n', at);
    if (end == std::string::npos)
        end = text.size();
    line.assign(text, at, end - at);
    at = end + 1;
    return true;
}

// A record with room for 256 entries (85 KB): only its head is cleared
// here, an entry when it is taken, so the room no entry takes is never
// touched. It is mapped on its own, so that those pages stay out of the
// job's memory even where the heap's pages are faulted in ahead of use.
USEDLL_RECORD* newRecord()
{
    void* at = ::mmap(nullptr, sizeof(USEDLL_RECORD), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED)
        return nullptr;
    auto* r = new (at) USEDLL_RECORD;
    std::memset(r, 0, offsetof(USEDLL_RECORD, aEntries));
    r->pNext = nullptr;
    return r;
}

}  // namespace

extern "C" {

USEDLL_RECORD* USEDLL_pReadFile(const char* directory, USEDLL_RECORD** anchor)
{
    if (!anchor)
        return nullptr;
    *anchor = nullptr;
    if (!directory)
        return nullptr;
    std::string text;
    if (!readText(directory, text))
        return nullptr;  // no file: no user DLLs
    size_t at = 0;
    USEDLL_RECORD** tail = anchor;
    USEDLL_RECORD* current = nullptr;
    USEDLL_ENTRY* entry = nullptr;
    std::string line;
    while (nextLine(text, at, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == '*')
            continue;
        size_t eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = trim(t.substr(0, eq));
        for (auto& c : key)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        std::string value = trim(t.substr(eq + 1));
        if (key == "DLLNAM") {
            current = newRecord();
            if (!current)
                break;
            copyField(current->szName, sizeof current->szName, value);
            *tail = current;
            tail = &current->pNext;
            entry = nullptr;
        } else if (!current) {
            continue;  // entries before any DLL belong to none
        } else if (key == "DLLALS") {
            copyField(current->szAlias, sizeof current->szAlias, value);
        } else if (key == "ENTNAM") {
            if (current->ulEntries == USEDLL_MAX_ENTRIES) {
                // a full record continues in a new one for the same DLL
                USEDLL_RECORD* more = newRecord();
                if (!more)
                    break;
                std::memcpy(more->szName, current->szName, sizeof more->szName);
                std::memcpy(more->szAlias, current->szAlias, sizeof more->szAlias);
                *tail = more;
                tail = &more->pNext;
                current = more;
            }
            entry = &current->aEntries[current->ulEntries++];
            std::memset(entry, 0, sizeof *entry);
            copyField(entry->szName, sizeof entry->szName, value);
        } else if (entry && key == "ENTALS") {
            copyField(entry->szAlias, sizeof entry->szAlias, value);
        } else if (entry && key == "ENTSKL") {
            copyField(entry->szSkeleton, sizeof entry->szSkeleton, value);
        }
    }
    return *anchor;
}

USEDLL_ENTRY* USEDLL_pFindEntry(USEDLL_RECORD* list, const char* dllAlias, const char* entryAlias, char* dllName)
{
    std::string dll = normalised(dllAlias);
    std::string ent = normalised(entryAlias);
    for (USEDLL_RECORD* r = list; r; r = r->pNext) {
        if (!sameName(r->szAlias, dll))
            continue;
        for (uint32_t i = 0; i < r->ulEntries; ++i) {
            if (!sameName(r->aEntries[i].szAlias, ent))
                continue;
            r->aEntries[i].fUsed = 1;
            if (dllName)
                std::snprintf(dllName, sizeof r->szName, "%s", r->szName);
            return &r->aEntries[i];
        }
    }
    return nullptr;
}

void USEDLL_WritePrototypes(USEDLL_RECORD* list, FILE* stream)
{
    if (!stream)
        return;
    for (USEDLL_RECORD* r = list; r; r = r->pNext)
        for (uint32_t i = 0; i < r->ulEntries; ++i)
            /* USE calls an entry with the built-in function's own argument
               list, as it calls a routine of the run time */
            std::fprintf(stream,
                         "F_VOID_FUNCTION X_%s%s (struct X_IDS *,struct X_PRO *,struct X_FUN *,\n"
                         "    struct X_BIF *,struct X_FLD [],struct X_LIST [],\n"
                         "    X_SHORT,X_SHORT [],X_SHORT,X_SHORT []);\n",
                         r->szName, r->aEntries[i].szName);
}

int16_t USEDLL_CopySkeletons(USEDLL_RECORD* list, const char* directory, FILE* stream)
{
    if (!stream || !directory)
        return 0;
    int16_t missing = 0;
    for (USEDLL_RECORD* r = list; r; r = r->pNext) {
        for (uint32_t i = 0; i < r->ulEntries; ++i) {
            if (!r->aEntries[i].szSkeleton[0])
                continue;
            std::ifstream in(hostPath(directory, r->aEntries[i].szSkeleton));
            if (!in) {
                ++missing;
                continue;
            }
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                std::fprintf(stream, "%s\n", line.c_str());
            }
        }
    }
    return missing;
}

void USEDLL_FreeList(USEDLL_RECORD** anchor)
{
    if (!anchor)
        return;
    USEDLL_RECORD* r = *anchor;
    while (r) {
        USEDLL_RECORD* next = r->pNext;
        ::munmap(r, sizeof(USEDLL_RECORD));
        r = next;
    }
    *anchor = nullptr;
}

}  // extern "C"
