/*
** DosCreateDir and DosDelete on mapped paths.
**
** Deletes follow the rules of the environment's own file system: names and
** patterns match without regard to case, a pattern "name.*" also matches the
** bare "name", and a read-only file is not deleted.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

/* '*' matches any run, '?' one character; letters match without regard to
** case. Iterative, with one back-track point for the last '*'. */
bool GlobMatch(std::string_view pat, std::string_view name)
{
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        const bool same = p < pat.size() && pat[p] != '*' && dqoz::AsciiLower(pat[p]) == dqoz::AsciiLower(name[n]);
        if (p < pat.size() && (pat[p] == '?' || same)) {
            ++p;
            ++n;
        } else if (p < pat.size() && pat[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*')
        ++p;
    return p == pat.size();
}

}  // namespace

bool dqoz::PatternMatches(std::string_view pat, std::string_view name)
{
    if (GlobMatch(pat, name))
        return true;
    // "name.*" also takes a file without an extension.
    if (pat.size() >= 2 && pat.substr(pat.size() - 2) == ".*" && name.find('.') == std::string_view::npos)
        return GlobMatch(pat.substr(0, pat.size() - 2), name);
    return false;
}

namespace {

/* Deletes one file; directories and read-only files are refused. */
unsigned long DeleteOne(const std::string& host)
{
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return dqoz::Fail(dqoz::StatusFromErrno(errno), "cannot delete \"" + host + "\": " + std::strerror(errno));
    if (S_ISDIR(st.st_mode))
        return dqoz::Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot delete \"" + host + "\": it is a directory");
    if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
        return dqoz::Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot delete \"" + host + "\": it is read-only");
    if (unlink(host.c_str()) != 0)
        return dqoz::Fail(dqoz::StatusFromErrno(errno), "cannot delete \"" + host + "\": " + std::strerror(errno));
    return DQOZ_NO_ERROR;
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

/* The host path of a call's path argument as the file system holds it. */
unsigned long MapArgument(const char* path, const char* what, std::string& host)
{
    if (path == nullptr)
        return dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, std::string("no ") + what);
    return dqoz::MapPathAsIs(path, host);
}

}  // namespace

extern "C" unsigned long DosCreateDir(const char* pszPath, void*)
{
    std::string host;
    if (unsigned long rc = MapArgument(pszPath, "directory name", host); rc != DQOZ_NO_ERROR)
        return rc;
    const int err = dqoz::MakeDirectory(host);
    if (err == 0)
        return DQOZ_NO_ERROR;
    if (err < 0)
        return DQOZ_ERROR_ACCESS_DENIED;
    if (err == EEXIST) {
        struct stat st;
        if (stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return DQOZ_NO_ERROR;
        return dqoz::Fail(DQOZ_ERROR_ACCESS_DENIED,
                          "cannot create directory \"" + host + "\": a file of that name exists");
    }
    unsigned long rc = err == ENOENT ? DQOZ_ERROR_PATH_NOT_FOUND : dqoz::StatusFromErrno(err);
    return dqoz::Fail(rc, "cannot create directory \"" + host + "\": " + std::strerror(err));
}

extern "C" unsigned long DosDelete(const char* pszName)
{
    std::string host;
    if (unsigned long rc = MapArgument(pszName, "file name", host); rc != DQOZ_NO_ERROR)
        return rc;
    size_t slash = host.rfind('/');
    std::string dir = slash == 0 ? std::string("/") : host.substr(0, slash);
    std::string last = host.substr(slash + 1);
    struct stat dirStat;
    if (stat(dir.c_str(), &dirStat) != 0 || !S_ISDIR(dirStat.st_mode))
        return dqoz::Fail(DQOZ_ERROR_PATH_NOT_FOUND,
                          "no directory \"" + dir + "\" for \"" + std::string(pszName) + "\"");
    const bool pattern = last.find_first_of("*?") != std::string::npos;
    if (unsigned long rc = 0; dqoz::DeleteInFileWork(dir, last, pattern, rc))
        return rc;
    if (!pattern)
        return DeleteOne(host);

    std::unique_ptr<DIR, DirCloser> d(opendir(dir.c_str()));
    if (!d)
        return dqoz::Fail(DQOZ_ERROR_PATH_NOT_FOUND, "cannot read directory \"" + dir + "\": " + std::strerror(errno));
    std::vector<std::string> matches;
    while (struct dirent* e = readdir(d.get())) {
        std::string_view name(e->d_name);
        if (name == "." || name == "..")
            continue;
        if (dqoz::PatternMatches(last, name))
            matches.emplace_back(name);
    }
    d.reset();
    std::sort(matches.begin(), matches.end());

    unsigned long first = DQOZ_NO_ERROR;
    size_t deleted = 0;
    for (const std::string& name : matches) {
        std::string path = (dir == "/" ? std::string() : dir) + "/" + name;
        struct stat st;
        if (lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;  // patterns select files only
        unsigned long rc = DeleteOne(path);
        if (rc == DQOZ_NO_ERROR)
            ++deleted;
        else if (first == DQOZ_NO_ERROR)
            first = rc;
    }
    if (first != DQOZ_NO_ERROR)
        return first;
    if (deleted == 0)
        return dqoz::Fail(DQOZ_ERROR_FILE_NOT_FOUND, "no file matches \"" + std::string(pszName) + "\"");
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosDeleteDir(const char* pszPath)
{
    std::string host;
    if (unsigned long rc = MapArgument(pszPath, "directory name", host); rc != DQOZ_NO_ERROR)
        return rc;
    struct stat st;
    if (stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return dqoz::Fail(DQOZ_ERROR_PATH_NOT_FOUND, "no directory \"" + host + "\"");
    if (dqoz::RemoveDirectoryLater(host, false))
        return DQOZ_NO_ERROR;
    const int removed = rmdir(host.c_str());
    dqoz::ForgetKeptDirectories();
    if (removed != 0) {
        const int err = errno;
        const unsigned long rc = err == ENOTEMPTY || err == EEXIST ? DQOZ_ERROR_ACCESS_DENIED : dqoz::StatusFromErrno(err);
        return dqoz::Fail(rc, "cannot remove directory \"" + host + "\": " + std::strerror(err));
    }
    return DQOZ_NO_ERROR;
}
