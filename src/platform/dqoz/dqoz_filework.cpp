/*
** The job's file work: the files a job writes change together with its
** repository work, all of them or none.
**
** A file the job writes is written aside, beside the file it replaces, under
** the file's name, ".dqov-new-" and the process id; reads through DosMapPath see the new text.
** Removals of files and directories are only marked. The commit puts every
** new file in place of the old one in one atomic step (a reader sees the old
** file or the new one, never a part, never none) and carries out the
** removals; the
** rollback drops the new files and the directories the job created. A job
** that is interrupted or ends fatally therefore leaves the previous
** generation's files exactly as they were.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
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

// An aside name is the file's name, ".dqov-new-" and the job's process id:
// two jobs that write one file at once (two repositories on one root) each
// write their own aside.
constexpr std::string_view kAsideMark = ".dqov-new-";

const std::string& asideSuffix()
{
    static const std::string suffix = std::string(kAsideMark) + std::to_string(::getpid());
    return suffix;
}

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

/*
** The journal of the job's file work: a file at the environment root,
** ".dqov-job-" and the process id, that a later job reads when this one
** died. While the job works it lists, one a line, the files written aside
** ("aside"), the directories made ("dir") and the job's scratch
** ("scratch"), each before it is made. Before the repository commit the
** whole list of what the commit does is written under a new name and put in
** the journal's place in one rename: the key that the repository records
** in the same unit of work ("key", or "decided" where the files are put in
** place whatever the repository holds), every rename ("put"), removal
** ("remove") and directory removal ("rmdir"), then "end". The journal goes
** when the work is committed or rolled back.
*/
constexpr std::string_view kJournalMark = ".dqov-job-";

struct Journal {
    std::string owner;  // the repository the job works on; "" keeps no journal
    std::string path;   // the open journal, "" when none
    int fd = -1;
    bool wanted = false; // the job keeps one, opened when it first makes something
};

Journal g_journal;

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescaped(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

long environmentNumber(const char* name)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : 0;
}

/* The tests' hold on a job at a chosen point of its progress: the Nth file
** it writes ends the process there (DQOV_KILL_AT_FILE=N) or stops it
** (DQOV_STOP_AT_FILE=N), to be signalled and let go on. */
void newFilePoint()
{
    static const long killAt = environmentNumber("DQOV_KILL_AT_FILE");
    static const long stopAt = environmentNumber("DQOV_STOP_AT_FILE");
    static long count = 0;
    ++count;
    if (count == killAt)
        ::kill(::getpid(), SIGKILL);
    if (count == stopAt)
        ::raise(SIGSTOP);
}

/* One line of the open journal; written before the thing it names is made. */
void ensureJournal();

void journalLine(std::string_view kind, std::string_view host)
{
    ensureJournal();
    if (g_journal.fd < 0)
        return;
    writeAll(g_journal.fd, std::string(kind) + " " + escaped(host) + "\n");
}

void closeJournal(bool remove)
{
    if (g_journal.fd >= 0)
        ::close(g_journal.fd);
    g_journal.fd = -1;
    g_journal.wanted = false;
    if (remove && !g_journal.path.empty())
        ::unlink(g_journal.path.c_str());
    g_journal.path.clear();
}

std::string environmentRoot()
{
    char root[4096];
    return DosQueryEnvironmentRoot(root, sizeof root) == DQOZ_NO_ERROR ? std::string(root) : std::string();
}

/* A job keeps a journal from the first thing it makes on: a job that makes
** nothing (a check) writes nothing at the root, so the root may be shared
** by jobs that only read it. */
void openJournal()
{
    closeJournal(true);
    g_journal.wanted = !g_journal.owner.empty();
}

void ensureJournal()
{
    if (!g_journal.wanted || g_journal.fd >= 0)
        return;
    g_journal.wanted = false;
    const std::string root = environmentRoot();
    if (root.empty())
        return;
    g_journal.path = (root == "/" ? std::string() : root) + "/" + std::string(kJournalMark) + std::to_string(::getpid());
    g_journal.fd = ::open(g_journal.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (g_journal.fd < 0 || !writeAll(g_journal.fd, "owner " + escaped(g_journal.owner) + "\n"))
        closeJournal(true);  // a root that cannot take it: the job works without one
}

bool isRegularFile(const std::string& host)
{
    struct stat st;
    return lstat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool isAside(std::string_view name)
{
    const size_t at = name.rfind(kAsideMark);
    return at != std::string_view::npos && at > 0 &&
           name.find_first_not_of("0123456789", at + kAsideMark.size()) == std::string_view::npos;
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
        e.aside = host + asideSuffix();
    return e;
}

/* Copies the file's present text to its aside name (an append goes on from
** it); false with the reason recorded. */
bool copyToAside(const std::string& from, const std::string& to)
{
    struct Fd {
        int fd;
        ~Fd()
        {
            if (fd >= 0)
                ::close(fd);
        }
    };
    Fd in{::open(from.c_str(), O_RDONLY | O_CLOEXEC)};
    Fd out{::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)};
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
int putInPlace(const std::string& aside, const std::string& host)
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
    if (!g_work.open || inScratch(g_work, host)) {
        out = host;
        return DQOZ_NO_ERROR;
    }
    struct stat st;
    if (lstat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot write \"" + host + "\": it is a directory");
    if (lstat(host.c_str(), &st) == 0 && !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
        return Fail(DQOZ_ERROR_ACCESS_DENIED, "cannot write \"" + host + "\": it is read-only");
    Staged& e = entryOf(g_work, host);
    if (!e.written) {
        journalLine("aside", host);
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

bool DeleteInFileWork(const std::string& dir, const std::string& last, bool pattern, unsigned long& rc)
{
    std::lock_guard lock(g_mutex);
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
                if (name != "." && name != ".." && !isAside(name) && PatternMatches(last, name))
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

void NoteDirectoryMade(const std::string& host, bool created)
{
    std::lock_guard lock(g_mutex);
    if (!g_work.open)
        return;
    if (created && !inScratch(g_work, host)) {
        journalLine("dir", host);
        g_work.createdDirs.push_back(host);
    }
    // a directory asked for again is kept, and so is every directory above it
    for (auto it = g_work.dirsToRemove.begin(); it != g_work.dirsToRemove.end();)
        it = within(host, *it) ? g_work.dirsToRemove.erase(it) : std::next(it);
}

bool RemoveDirectoryLater(const std::string& host, bool tree)
{
    std::lock_guard lock(g_mutex);
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
        else if (!isAside(path))
            markRemoved(g_work, path);
    }
    for (auto& [path, e] : g_work.files)
        if (e.written && within(path, host))
            markRemoved(g_work, path);
    return true;
}

}  // namespace dqoz

using namespace dqoz;

extern "C" void DosBeginFileWork(void)
{
    DosRollbackFileWork();
    std::lock_guard lock(g_mutex);
    g_work.open = true;
    openJournal();
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
            const int err = putInPlace(e.aside, host);
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
    closeJournal(true);
    g_work = FileWork{};
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
    closeJournal(true);
    g_work = FileWork{};
}

extern "C" void DosNoteScratch(const char* pszPath)
{
    std::string host;
    if (pszPath == nullptr || MapPathAsIs(pszPath, host) != DQOZ_NO_ERROR)
        return;
    std::lock_guard lock(g_mutex);
    if (g_work.open && !inScratch(g_work, host)) {
        journalLine("scratch", host);
        g_work.scratch.push_back(host);
    }
}

namespace {

/* The process runs (a zombie, killed and not yet waited for, does not). */
bool processRuns(long pid)
{
    if (pid <= 0)
        return false;
    if (pid == ::getpid())
        return true;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (stat) {
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const size_t close = text.rfind(')');
        return close == std::string::npos || close + 2 >= text.size() || (text[close + 2] != 'Z' && text[close + 2] != 'X');
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

/* The digits at the start of text as a number; -1 when there are none. */
long leadingNumber(std::string_view text, size_t& used)
{
    used = 0;
    long n = 0;
    while (used < text.size() && used < 10 && text[used] >= '0' && text[used] <= '9')
        n = n * 10 + (text[used++] - '0');
    return used == 0 ? -1 : n;
}

/* A journal as written, see Journal. */
struct JournalText {
    std::string owner, key;
    bool decided = false, ended = false;
    std::vector<std::string> asides, puts, removes, rmdirs, dirs, scratch;
};

JournalText readJournal(const std::string& path)
{
    JournalText j;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        const std::string kind = line.substr(0, space);
        const std::string value = space == std::string::npos ? std::string() : unescaped(line.substr(space + 1));
        if (kind == "owner")
            j.owner = value;
        else if (kind == "key")
            j.key = value;
        else if (kind == "decided")
            j.decided = true;
        else if (kind == "end")
            j.ended = true;
        else if (kind == "aside")
            j.asides.push_back(value);
        else if (kind == "put")
            j.puts.push_back(value);
        else if (kind == "remove")
            j.removes.push_back(value);
        else if (kind == "rmdir")
            j.rmdirs.push_back(value);
        else if (kind == "dir")
            j.dirs.push_back(value);
        else if (kind == "scratch")
            j.scratch.push_back(value);
    }
    return j;
}

/* Finishes the commit of a job that died after it: every new file still
** aside is put in place, the marked files and directories are removed. */
void completeJournal(const JournalText& j, const std::string& suffix)
{
    for (const std::string& host : j.puts) {
        const std::string aside = host + suffix;
        struct stat st;
        if (lstat(aside.c_str(), &st) == 0)
            putInPlace(aside, host);
    }
    for (const std::string& host : j.removes)
        ::unlink(host.c_str());
    std::vector<std::string> dirs = j.rmdirs;
    std::sort(dirs.begin(), dirs.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& d : dirs)
        ::rmdir(d.c_str());
    for (const std::string& host : j.asides)
        ::unlink((host + suffix).c_str());
}

/* Undoes the file work of a job that died before its commit. */
void undoJournal(const JournalText& j, const std::string& suffix)
{
    for (const std::string& host : j.asides)
        ::unlink((host + suffix).c_str());
    for (const std::string& host : j.puts)
        ::unlink((host + suffix).c_str());
    std::error_code ec;
    for (auto it = j.scratch.rbegin(); it != j.scratch.rend(); ++it)
        std::filesystem::remove_all(*it, ec);
    for (auto it = j.dirs.rbegin(); it != j.dirs.rend(); ++it)
        ::rmdir(it->c_str());
}

}  // namespace

extern "C" void DosJournalFileWork(const char* pszOwner)
{
    std::lock_guard lock(g_mutex);
    g_journal.owner = pszOwner ? pszOwner : "";
}

extern "C" unsigned long DosPrepareFileWorkCommit(const char* pszKey)
{
    std::lock_guard lock(g_mutex);
    if (!g_work.files.empty() || !g_work.dirsToRemove.empty() || !g_work.createdDirs.empty() ||
        !g_work.scratch.empty())
        ensureJournal();
    if (g_journal.fd < 0 || g_journal.path.empty())
        return DQOZ_NO_ERROR;
    std::string text = "owner " + escaped(g_journal.owner) + "\n";
    text += pszKey && *pszKey ? "key " + escaped(pszKey) + "\n" : std::string("decided\n");
    for (const auto& [host, e] : g_work.files) {
        if (e.written)
            text += "put " + escaped(host) + "\n";
        else if (e.removeFinal)
            text += "remove " + escaped(host) + "\n";
    }
    for (const std::string& d : g_work.dirsToRemove)
        text += "rmdir " + escaped(d) + "\n";
    for (const std::string& d : g_work.createdDirs)
        text += "dir " + escaped(d) + "\n";
    for (const std::string& d : g_work.scratch)
        text += "scratch " + escaped(d) + "\n";
    text += "end\n";
    const std::string next = g_journal.path + ".new";
    const int fd = ::open(next.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int err = fd < 0 ? errno : 0;
    if (fd >= 0 && !writeAll(fd, text))
        err = errno ? errno : ENOSPC;
    if (fd >= 0 && ::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(next.c_str(), g_journal.path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(next.c_str());
        return Fail(StatusFromErrno(err), "cannot write the journal \"" + g_journal.path + "\": " + std::strerror(err));
    }
    ::close(g_journal.fd);
    g_journal.fd = ::open(g_journal.path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosSettleDeadFileWork(int (*pfnCommitted)(const char* pszKey, void* pUser), void* pUser)
{
    std::string owner;
    {
        std::lock_guard lock(g_mutex);
        owner = g_journal.owner;
    }
    const std::string root = environmentRoot();
    if (root.empty())
        return 0;
    const std::string dir = root == "/" ? std::string() : root;
    std::vector<std::string> names;
    if (DIR* d = opendir(root.c_str())) {
        while (struct dirent* e = readdir(d)) {
            const std::string_view name(e->d_name);
            if (name.substr(0, kJournalMark.size()) == kJournalMark)
                names.emplace_back(name);
        }
        closedir(d);
    }
    unsigned long settled = 0;
    const std::string mine = std::to_string(::getpid());
    for (const std::string& name : names) {
        std::string_view rest = std::string_view(name).substr(kJournalMark.size());
        size_t used = 0;
        const long pid = leadingNumber(rest, used);
        rest.remove_prefix(used);
        if (pid < 0 || processRuns(pid))
            continue;
        const std::string path = dir + "/" + name;
        if (rest == ".new") {
            ::unlink(path.c_str());
            continue;
        }
        constexpr std::string_view kSettling = ".settling-";
        if (!rest.empty()) {
            // taken by a job that settles it, which may have died in turn
            if (rest.substr(0, kSettling.size()) != kSettling)
                continue;
            size_t n = 0;
            const long settler = leadingNumber(rest.substr(kSettling.size()), n);
            if (settler < 0 || processRuns(settler))
                continue;
        }
        const std::string plain = dir + "/" + std::string(kJournalMark) + std::to_string(pid);
        const std::string claimed = plain + std::string(kSettling) + mine;
        if (::rename(path.c_str(), claimed.c_str()) != 0)
            continue;  // another job took it first
        const JournalText j = readJournal(claimed);
        const std::string suffix = std::string(kAsideMark) + std::to_string(pid);
        if (j.ended) {
            int committed = 1;
            if (!j.decided)
                committed = j.owner == owner && pfnCommitted ? pfnCommitted(j.key.c_str(), pUser) : -1;
            if (committed < 0) {
                // another repository's job: left for a job of its own
                ::rename(claimed.c_str(), plain.c_str());
                continue;
            }
            if (committed > 0)
                completeJournal(j, suffix);
            else
                undoJournal(j, suffix);
        } else {
            undoJournal(j, suffix);
        }
        ::unlink(claimed.c_str());
        ++settled;
    }
    return settled;
}

extern "C" void DosListFileWorkKeys(void (*pfnKey)(const char* pszKey, void* pUser), void* pUser)
{
    const std::string root = environmentRoot();
    if (root.empty() || !pfnKey)
        return;
    const std::string dir = root == "/" ? std::string() : root;
    if (DIR* d = opendir(root.c_str())) {
        while (struct dirent* e = readdir(d)) {
            const std::string_view name(e->d_name);
            if (name.substr(0, kJournalMark.size()) != kJournalMark)
                continue;
            const JournalText j = readJournal(dir + "/" + std::string(name));
            if (!j.key.empty())
                pfnKey(j.key.c_str(), pUser);
        }
        closedir(d);
    }
}

extern "C" void DosKillPoint(const char* pszPoint)
{
    static const char* const point = std::getenv("DQOV_KILL_AT");
    if (point && pszPoint && std::strcmp(point, pszPoint) == 0)
        ::kill(::getpid(), SIGKILL);
}

extern "C" int DosProcessRuns(long lPid)
{
    return processRuns(lPid) ? 1 : 0;
}
