/*
** The job's file work: the files a job writes change together with its
** repository work, all of them or none.
**
** A file the job writes is written aside, beside the file it replaces, under
** the file's name, ".dqov-new-" and the job's identity; reads through
** DosMapPath see the new text.
** Removals of files and directories are only marked. The commit puts every
** new file in place of the old one in one atomic step (a reader sees the old
** file or the new one, never a part, never none) and carries out the
** removals; the
** rollback drops the new files and the directories the job created. A job
** that is interrupted or ends fatally therefore leaves the previous
** generation's files exactly as they were. What the work makes is named in
** its journal first (dqoz_journal.cpp), for a later job to settle should
** this one die.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace dqoz {

namespace {

/* A file the job wrote or removed. */
struct Staged {
    std::string aside;         // where its new text is written
    bool written = false;      // the aside holds the file's new text
    bool removeFinal = false;  // not written: the file is removed at the commit
};

struct FileWork {
    bool open = false;
    std::map<std::string, Staged> files;  // by the file's host path
    std::vector<std::string> createdDirs; // in the order they were made
    std::set<std::string> dirsToRemove;   // removed at the commit when empty
    std::vector<std::string> scratch;     // made in place, removed on rollback
};

std::mutex g_mutex;
FileWork g_work;
/* Moves on with each new file work and each change it is asked for
** (FileWorkState). */
unsigned long g_changes = 0;

#if DQOV_TEST_HOOKS
long environmentNumber(const char* name)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : 0;
}
#endif

/* The tests' hold on a job at a chosen point of its progress: the Nth file
** it writes ends the process there (DQOV_KILL_AT_FILE=N) or stops it
** (DQOV_STOP_AT_FILE=N), to be signalled and let go on. Only builds made
** for the tests have it. */
void newFilePoint()
{
#if DQOV_TEST_HOOKS
    static const long killAt = environmentNumber("DQOV_KILL_AT_FILE");
    static const long stopAt = environmentNumber("DQOV_STOP_AT_FILE");
    static long count = 0;
    ++count;
    if (count == killAt)
        ::kill(::getpid(), SIGKILL);
    if (count == stopAt)
        ::raise(SIGSTOP);
#endif
}

bool isRegularFile(const std::string& host)
{
    struct stat st;
    return lstat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

/* host lies at or below dir. */
bool within(std::string_view host, std::string_view dir)
{
    return host.substr(0, dir.size()) == dir && (host.size() == dir.size() || host[dir.size()] == '/');
}

bool inScratch(const FileWork& w, const std::string& host)
{
    for (const std::string& s : w.scratch)
        if (within(host, s))
            return true;
    return false;
}

std::string parentOf(const std::string& host)
{
    const size_t slash = host.rfind('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : host.substr(0, slash);
}

Staged& entryOf(FileWork& w, const std::string& host)
{
    Staged& e = w.files[host];
    if (e.aside.empty())
        e.aside = host + AsideSuffix();
    return e;
}

/* Copies the file's present text to its aside name (an append goes on from
** it); false with the reason recorded. */
bool copyToAside(const std::string& from, const std::string& to)
{
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (in.fd < 0 || out.fd < 0)
        return false;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            ssize_t m = ::write(out.fd, buffer + done, static_cast<size_t>(n - done));
            if (m < 0 && errno == EINTR)
                continue;
            if (m <= 0)
                return false;
            done += m;
        }
    }
    const int fd = out.fd;
    out.fd = -1;
    return ::close(fd) == 0;
}

/* Marks one file for removal; its new text, if any, is dropped. */
void markRemoved(FileWork& w, const std::string& host)
{
    Staged& e = entryOf(w, host);
    if (e.written)
        ::unlink(e.aside.c_str());
    e.written = false;
    e.removeFinal = isRegularFile(host);
}

/* The file as the job sees it: written in the job, or on disk and not
** removed in the job. */
bool visible(const FileWork& w, const std::string& host)
{
    auto it = w.files.find(host);
    if (it != w.files.end())
        return it->second.written;
    return isRegularFile(host);
}

/*
** Puts the new text written at `aside` in place at `host`; 0 or errno.
**
** Where a file is in place already, the two names are exchanged and the
** previous text, now under the aside name, is removed: renaming over an
** existing file makes ext4 start writing the new file out at once, which at
** a few megabytes holds the commit up for tens of milliseconds, while an
** exchange leaves the writing to the system's own time. A name the previous
** text cannot be removed from (a directory made in the file's place during
** the job) is exchanged back, so that the failure leaves both as they were,
** as a refused rename does. Where there is nothing to exchange with, or the
** file system cannot exchange, the new text is renamed into place.
*/
}  // namespace

int PutInPlace(const std::string& aside, const std::string& host)
{
    if (::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, host.c_str(), RENAME_EXCHANGE) == 0) {
        if (::unlink(aside.c_str()) == 0 || errno == ENOENT)
            return 0;
        const int err = errno;
        ::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, host.c_str(), RENAME_EXCHANGE);
        return err;
    }
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    return ::rename(aside.c_str(), host.c_str()) == 0 ? 0 : errno;
}

namespace {

void dropAsides(FileWork& w)
{
    for (const auto& [host, e] : w.files)
        ::unlink(e.aside.c_str());
}

}  // namespace

void ViewThroughFileWork(std::string& host)
{
    std::lock_guard lock(g_mutex);
    if (!g_work.open)
        return;
    auto it = g_work.files.find(host);
    if (it != g_work.files.end())
        host = it->second.aside;
}

unsigned long OutputPath(std::string_view path, std::string& out, bool fAppend)
{
    std::string host;
    if (unsigned long rc = MapPathAsIs(path, host); rc != DQOZ_NO_ERROR)
        return rc;
    std::lock_guard lock(g_mutex);
    ++g_changes;
    if (!g_work.open || inScratch(g_work, host)) {
        out = host;
        return DQOZ_NO_ERROR;
    }
    struct stat st;
    const bool onDisk = lstat(host.c_str(), &st) == 0;
    if (onDisk && S_ISDIR(st.st_mode))
        return Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot write \"" + host + "\": it is a directory");
    if (onDisk && !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
        return Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot write \"" + host + "\": it is read-only");
    Staged& e = entryOf(g_work, host);
    if (!e.written) {
        if (unsigned long rc = JournalLine("aside", host); rc != DQOZ_NO_ERROR)
            return rc;
        newFilePoint();
        ::unlink(e.aside.c_str());  // left by a job that was killed
        if (fAppend && !e.removeFinal && isRegularFile(host) && !copyToAside(host, e.aside)) {
            const int err = errno;
            ::unlink(e.aside.c_str());
            return Fail(StatusFromErrno(err), "cannot write \"" + e.aside + "\": " + std::strerror(err));
        }
        e.written = true;
        e.removeFinal = false;
    }
    out = e.aside;
    return DQOZ_NO_ERROR;
}

bool WrittenAside(std::string_view path)
{
    std::string host;
    if (MapPathAsIs(path, host) != DQOZ_NO_ERROR)
        return false;
    std::lock_guard lock(g_mutex);
    if (!g_work.open || inScratch(g_work, host))
        return false;
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return true;
    // as OutputPath refuses a directory and a read-only file
    return !S_ISDIR(st.st_mode) && (S_ISLNK(st.st_mode) || (st.st_mode & S_IWUSR) != 0);
}

FILE* ScratchFile(int (*pfnMemfd)(const char*, unsigned int))
{
    const int fd = (pfnMemfd ? pfnMemfd : ::memfd_create)("dqov-scratch", MFD_CLOEXEC);
    if (fd >= 0) {
        if (FILE* f = ::fdopen(fd, "w+b"))
            return f;
        ::close(fd);
    }
    return std::tmpfile();
}

bool DeleteInFileWork(const std::string& dir, const std::string& last, bool pattern, unsigned long& rc)
{
    std::lock_guard lock(g_mutex);
    ++g_changes;
    if (!g_work.open || inScratch(g_work, dir + "/" + last))
        return false;
    const std::string prefix = dir == "/" ? std::string() : dir;
    std::set<std::string> matches;
    if (!pattern) {
        if (visible(g_work, prefix + "/" + last))
            matches.insert(prefix + "/" + last);
    } else {
        if (DIR* d = opendir(dir.c_str())) {
            while (struct dirent* e = readdir(d)) {
                std::string_view name(e->d_name);
                if (name != "." && name != ".." && !IsAsideName(name) && PatternMatches(last, name))
                    matches.insert(prefix + "/" + std::string(name));
            }
            closedir(d);
        }
        for (const auto& [host, e] : g_work.files)
            if (e.written && parentOf(host) == dir && PatternMatches(last, host.substr(host.rfind('/') + 1)))
                matches.insert(host);
    }
    rc = DQOZ_NO_ERROR;
    size_t removed = 0;
    for (const std::string& host : matches) {
        if (!visible(g_work, host))
            continue;
        struct stat st;
        const bool onDisk = lstat(host.c_str(), &st) == 0;
        if (onDisk && !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) {
            if (rc == DQOZ_NO_ERROR)
                rc = Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot delete \"" + host + "\": it is read-only");
            continue;
        }
        markRemoved(g_work, host);
        ++removed;
    }
    if (rc == DQOZ_NO_ERROR && removed == 0)
        rc = Fail(DQOZ_ERROR_FILE_NOT_FOUND, "no file matches \"" + prefix + "/" + last + "\"");
    return true;
}

int MakeDirectory(const std::string& host)
{
    std::lock_guard lock(g_mutex);
    ++g_changes;
    const bool journaled = g_work.open && !inScratch(g_work, host);
    struct stat st;
    const bool named = journaled && lstat(host.c_str(), &st) != 0;
    // named before it is made: a job killed right after leaves nothing unnamed
    if (named && JournalLine("dir", host) != DQOZ_NO_ERROR)
        return -1;
    const int err = ::mkdir(host.c_str(), 0777) == 0 ? 0 : errno;
    if (err == 0 && journaled)
        g_work.createdDirs.push_back(host);
    if (err != 0 && named)
        JournalLine("kept", host);  // made by another meanwhile, or not at all
    const bool directory = err == 0 || (err == EEXIST && stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
    // a directory asked for again is kept, and so is every directory above it
    if (g_work.open && directory)
        for (auto it = g_work.dirsToRemove.begin(); it != g_work.dirsToRemove.end();)
            it = within(host, *it) ? g_work.dirsToRemove.erase(it) : std::next(it);
    return err;
}

bool RemoveDirectoryLater(const std::string& host, bool tree)
{
    std::lock_guard lock(g_mutex);
    ++g_changes;
    if (!g_work.open || inScratch(g_work, host))
        return false;
    g_work.dirsToRemove.insert(host);
    if (!tree)
        return true;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(host, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string path = it->path().string();
        if (it->is_directory(ec) && !it->is_symlink(ec))
            g_work.dirsToRemove.insert(path);
        else if (!IsAsideName(path))
            markRemoved(g_work, path);
    }
    for (auto& [path, e] : g_work.files)
        if (e.written && within(path, host))
            markRemoved(g_work, path);
    return true;
}

unsigned long FileWorkState()
{
    std::lock_guard lock(g_mutex);
    return g_work.open ? g_changes : 0;
}

}  // namespace dqoz

using namespace dqoz;

extern "C" void DosBeginFileWork(void)
{
    DosRollbackFileWork();
    std::lock_guard lock(g_mutex);
    g_work.open = true;
    ++g_changes;
    KeepDirectories(true);
    StartJournal();
}

extern "C" int DosFileWorkOpen(void)
{
    std::lock_guard lock(g_mutex);
    return g_work.open ? 1 : 0;
}

extern "C" unsigned long DosCommitFileWork(void)
{
    std::lock_guard lock(g_mutex);
    unsigned long first = DQOZ_NO_ERROR;
    bool renamed = false;
    for (const auto& [host, e] : g_work.files) {
        if (e.written) {
            if (renamed)
                DosKillPoint("commit-renames");
            renamed = true;
            const int err = PutInPlace(e.aside, host);
            if (err != 0 && err != ENOENT && first == DQOZ_NO_ERROR)
                first = Fail(StatusFromErrno(err), "cannot put \"" + host + "\" in place: " + std::strerror(err));
        } else if (e.removeFinal) {
            ::unlink(host.c_str());
        }
    }
    // the deepest first, so that a tree goes as a whole; a directory that
    // holds something still is kept
    std::vector<std::string> dirs(g_work.dirsToRemove.begin(), g_work.dirsToRemove.end());
    std::sort(dirs.begin(), dirs.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& d : dirs)
        ::rmdir(d.c_str());
    DosKillPoint("commit-journal");
    EndJournal();
    g_work = FileWork{};
    KeepDirectories(false);
    return first;
}

extern "C" void DosRollbackFileWork(void)
{
    std::lock_guard lock(g_mutex);
    if (!g_work.open)
        return;
    dropAsides(g_work);
    std::error_code ec;
    for (auto it = g_work.scratch.rbegin(); it != g_work.scratch.rend(); ++it)
        std::filesystem::remove_all(*it, ec);
    for (auto it = g_work.createdDirs.rbegin(); it != g_work.createdDirs.rend(); ++it)
        ::rmdir(it->c_str());
    EndJournal();
    g_work = FileWork{};
    KeepDirectories(false);
}

extern "C" void DosNoteScratch(const char* pszPath)
{
    std::string host;
    if (pszPath == nullptr || MapPathAsIs(pszPath, host) != DQOZ_NO_ERROR)
        return;
    std::lock_guard lock(g_mutex);
    ++g_changes;
    if (g_work.open && !inScratch(g_work, host)) {
        JournalLine("scratch", host);  // a failure ends the job at its next write or its commit
        g_work.scratch.push_back(host);
    }
}

extern "C" unsigned long DosPrepareFileWorkCommit(const char* pszKey)
{
    std::lock_guard lock(g_mutex);
    const bool made = !g_work.files.empty() || !g_work.dirsToRemove.empty() || !g_work.createdDirs.empty() ||
                      !g_work.scratch.empty();
    std::vector<JournalEntry> list;
    list.push_back(pszKey && *pszKey ? JournalEntry{"key", pszKey} : JournalEntry{"decided", ""});
    for (const auto& [host, e] : g_work.files) {
        if (e.written)
            list.push_back({"put", host});
        else if (e.removeFinal)
            list.push_back({"remove", host});
    }
    for (const std::string& d : g_work.dirsToRemove)
        list.push_back({"rmdir", d});
    for (const std::string& d : g_work.createdDirs)
        list.push_back({"dir", d});
    for (const std::string& d : g_work.scratch)
        list.push_back({"scratch", d});
    return JournalCommitList(list, made);
}

#if DQOV_TEST_HOOKS
extern "C" void DosKillPoint(const char* pszPoint)
{
    static const char* const point = std::getenv("DQOV_KILL_AT");
    if (point && pszPoint && std::strcmp(point, pszPoint) == 0)
        ::kill(::getpid(), SIGKILL);
}
#endif
