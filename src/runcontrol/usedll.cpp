// User DLL definitions: the file "x_usedll.dat" of the product source
// directory names DLLs (DLLNAM=, DLLALS=) and their entries (ENTNAM=,
// ENTALS=, ENTSKL=); lines starting with '*' are comments. Built-in
// functions of kind 'D' are called through these entries.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
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

// A record with room for 256 entries (85 KB): only its head is cleared
// here, an entry when it is taken, so the room no entry takes is never
// touched.
USEDLL_RECORD* newRecord()
{
    auto* r = new (std::nothrow) USEDLL_RECORD;
    if (!r)
        return nullptr;
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
    std::string host = hostPath(directory, "x_usedll.dat");
    std::ifstream in(host);
    if (host.empty() || !in)
        return nullptr;  // no file: no user DLLs
    USEDLL_RECORD** tail = anchor;
    USEDLL_RECORD* current = nullptr;
    USEDLL_ENTRY* entry = nullptr;
    std::string line;
    while (std::getline(in, line)) {
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
        std::unique_ptr<USEDLL_RECORD> owned(r);
        r = r->pNext;
    }
    *anchor = nullptr;
}

}  // extern "C"
