/*
** The journal of the job's file work, the job's identity and the root's.
**
** A job is named by an identity that no other job shares: its process id,
** the process's start time and 64 random bits. Its journal, a file at the
** environment root, ".dqov-job-" and the identity, lists what its file work
** makes before it is made; the job holds a lock on it as long as it runs,
** and the system lets the lock go when the process dies, however it dies.
** A later job that can take the lock therefore knows the job dead, whatever
** process ids the two had (two PID namespaces, two hosts sharing a root).
**
** The journal is made in one step with its first lines and its lock: as a
** file without a name that is then linked to its name, which fails when
** anything has that name already (a link planted there is never followed
** nor replaced). The list of the commit replaces it the same way.
**
** A journal read back is untrusted input: it is acted on only when it is a
** plain file of this user, of a job that no longer runs, written for this
** root and this repository; every path it names must lie under the root.
**
** The root's identity (".dqov-root") is made once, by the first job that
** keeps a journal there, and kept with the inode number of the root's
** folder: a copy of the root, whose folder is another, makes its own.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace dqoz {

namespace {

constexpr std::string_view kJournalMark = ".dqov-job-";
constexpr std::string_view kAsideMark = ".dqov-new-";
constexpr std::string_view kNextSuffix = ".new";
constexpr char kRootIdentityFile[] = ".dqov-root";
constexpr size_t kIdentityMost = 64;
constexpr size_t kJournalMost = 64u << 20;  // a journal longer than this is no journal of a job
// An empty journal younger than this may be one that a job is making where
// files without a name cannot be made: it is left.
constexpr auto kMakingTime = std::chrono::seconds(60);

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

/* The whole text of an open file, up to most bytes; false past that. */
bool readAll(int fd, std::string& text, size_t most)
{
    text.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > most)
            return false;
    }
}

std::string hexOf(const unsigned char* bytes, size_t n)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
    }
    return out;
}

/* n random bytes as hex digits, from the system's random source. */
std::string randomHex(size_t n)
{
    std::vector<unsigned char> bytes(n);
    size_t got = 0;
    while (got < n) {
        const ssize_t r = ::getrandom(bytes.data() + got, n - got, 0);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        got += static_cast<size_t>(r);
    }
    if (got < n) {
        // without the random source: the clock's nanoseconds, mixed
        uint64_t x = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                     (static_cast<uint64_t>(::getpid()) << 32);
        for (size_t i = got; i < n; ++i) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            bytes[i] = static_cast<unsigned char>(x);
        }
    }
    return hexOf(bytes.data(), n);
}

/* The process's start time in clock ticks since the system started, as a
** hex number ("0" when it cannot be read). */
std::string processStart()
{
    std::ifstream in("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return "0";
    // the fields after the name: state is the third, start time the 22nd
    size_t at = close + 1;
    for (int field = 3; field <= 22 && at < text.size(); ++field) {
        at = text.find_first_not_of(' ', at);
        const size_t end = text.find(' ', at);
        if (at == std::string::npos)
            break;
        if (field == 22) {
            char out[24];
            std::snprintf(out, sizeof out, "%llx", std::strtoull(text.substr(at, end - at).c_str(), nullptr, 10));
            return out;
        }
        at = end;
    }
    return "0";
}

std::string newIdentity()
{
    return std::to_string(::getpid()) + "-" + processStart() + "-" + randomHex(8);
}

bool isIdentity(std::string_view id)
{
    return !id.empty() && id.size() <= kIdentityMost && id.find_first_not_of("0123456789abcdef-") == std::string_view::npos;
}

std::string rootOfEnvironment()
{
    char root[4096];
    return DosQueryEnvironmentRoot(root, sizeof root) == DQOZ_NO_ERROR ? std::string(root) : std::string();
}

std::string below(const std::string& root, std::string_view name)
{
    return (root == "/" ? std::string() : root) + "/" + std::string(name);
}

/* name in the folder dirfd is still the file open as fd. */
bool sameFile(int dirfd, const std::string& name, int fd)
{
    struct stat byName, byFd;
    return ::fstatat(dirfd, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &byFd) == 0 &&
           byName.st_dev == byFd.st_dev && byName.st_ino == byFd.st_ino;
}

/*
** Makes the file `name` in the folder dirfd holding text and locked by the
** descriptor answered, in one step: the name appears with its whole text
** and its lock, and never where anything has that name already (EEXIST,
** whether a file or a link). -1 with errno on failure.
*/
int createLocked(int dirfd, const std::string& name, std::string_view text)
{
    Fd fd(::openat(dirfd, ".", O_TMPFILE | O_WRONLY | O_APPEND | O_CLOEXEC, 0644));
    if (fd.fd >= 0) {
        if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd.fd, text))
            return -1;
        const std::string self = "/proc/self/fd/" + std::to_string(fd.fd);
        if (::linkat(AT_FDCWD, self.c_str(), dirfd, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            (errno != EEXIST && ::linkat(fd.fd, "", dirfd, name.c_str(), AT_EMPTY_PATH) == 0))
            return fd.release();
        if (errno == EEXIST)
            return -1;
        // a file without a name that cannot be given one: made by name below
    } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOENT) {
        return -1;
    }
    Fd named(::openat(dirfd, name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (named.fd < 0)
        return -1;
    if (::flock(named.fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(named.fd, text)) {
        const int err = errno;
        ::unlinkat(dirfd, name.c_str(), 0);
        errno = err;
        return -1;
    }
    return named.release();
}

/* ---- The root's identity ---- */

/* The identity kept in the root's file when it is the root's own: 32 hex
** digits and the inode number of the root's folder. */
std::string readRootIdentity(int rootfd, ino_t folder)
{
    Fd fd(::openat(rootfd, kRootIdentityFile, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    std::string text;
    if (fd.fd < 0 || ::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode) || !readAll(fd.fd, text, 256))
        return {};
    const size_t space = text.find(' ');
    if (space != 32 || text.find_first_not_of("0123456789abcdef") != 32)
        return {};
    const std::string inode = text.substr(33, text.find('\n') == std::string::npos ? std::string::npos
                                                                                    : text.find('\n') - 33);
    return inode == std::to_string(folder) ? text.substr(0, 32) : std::string();
}

/* The root's identity: 0 and the identity, or a failure status. Made first
** when make is set and the root has none of its own. */
unsigned long rootIdentity(const std::string& root, bool make, std::string& id)
{
    id.clear();
    Fd rootfd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat st;
    if (rootfd.fd < 0 || ::fstat(rootfd.fd, &st) != 0)
        return Fail(StatusFromErrno(errno), "cannot open the environment root \"" + root + "\": " + std::strerror(errno));
    if (make)
        ::flock(rootfd.fd, LOCK_EX);  // one maker at a time; let go with the folder's descriptor
    id = readRootIdentity(rootfd.fd, st.st_ino);
    if (!id.empty())
        return DQOZ_NO_ERROR;
    if (!make)
        return Fail(DQOZ_ERROR_FILE_NOT_FOUND, "the environment root \"" + root + "\" has no identity of its own");
    const std::string fresh = randomHex(16);
    const std::string next = std::string(kRootIdentityFile) + "." + fresh;
    const int fd = createLocked(rootfd.fd, next, fresh + " " + std::to_string(st.st_ino) + "\n");
    if (fd < 0 || ::renameat(rootfd.fd, next.c_str(), rootfd.fd, kRootIdentityFile) != 0) {
        const int err = errno;
        if (fd >= 0) {
            ::unlinkat(rootfd.fd, next.c_str(), 0);
            ::close(fd);
        }
        return Fail(StatusFromErrno(err), "cannot keep the identity of the environment root in \"" +
                                              below(root, kRootIdentityFile) + "\": " + std::strerror(err));
    }
    ::close(fd);
    id = fresh;
    return DQOZ_NO_ERROR;
}

/* ---- The journal of the current file work ---- */

struct Journal {
    std::string owner;     // the repository the job works on; "" keeps no journal
    std::string identity;  // the job's
    std::string root;      // the root it lies at
    std::string name;      // its name at the root, "" when none is open
    int fd = -1;           // open and locked while the job runs
    bool wanted = false;   // the job keeps one, made when it first makes something
    std::string failure;   // why it could not be made
};

std::mutex g_journalMutex;
Journal g_journal;

const std::string& currentIdentity()
{
    if (g_journal.identity.empty())
        g_journal.identity = newIdentity();
    return g_journal.identity;
}

std::string header(const std::string& rootId)
{
    return "job " + g_journal.identity + "\nroot " + rootId + "\nowner " + escaped(g_journal.owner) + "\npid " +
           std::to_string(::getpid()) + "\n";
}

void closeJournal()
{
    if (g_journal.fd >= 0) {
        // removed while it is still held, so that no other job takes it
        ::unlink(below(g_journal.root, g_journal.name).c_str());
        ::close(g_journal.fd);
    }
    g_journal.fd = -1;
    g_journal.name.clear();
    g_journal.wanted = false;
    g_journal.failure.clear();
}

unsigned long failed(std::string text)
{
    g_journal.failure = text;
    return Fail(DQOZ_ERROR_ACCESS_DENIED, std::move(text));
}

/* The journal made when the work first makes something: 0, or the failure
** that the job's write of a file then ends with. */
unsigned long ensureJournal()
{
    if (!g_journal.failure.empty())
        return Fail(DQOZ_ERROR_ACCESS_DENIED, g_journal.failure);
    if (!g_journal.wanted || g_journal.fd >= 0)
        return DQOZ_NO_ERROR;
    g_journal.wanted = false;
    g_journal.root = rootOfEnvironment();
    if (g_journal.root.empty())
        return DQOZ_NO_ERROR;  // host paths only: nothing to keep it at
    std::string rootId;
    if (rootIdentity(g_journal.root, true, rootId) != DQOZ_NO_ERROR)
        return failed(DosGetLastErrorText());
    const std::string name = std::string(kJournalMark) + currentIdentity();
    Fd rootfd(::open(g_journal.root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const int fd = rootfd.fd < 0 ? -1 : createLocked(rootfd.fd, name, header(rootId));
    if (fd < 0) {
        const int err = errno;
        return failed("cannot make the journal of the job's files \"" + below(g_journal.root, name) + "\": " +
                      (err == EEXIST ? std::string("something of that name is there already") : std::strerror(err)));
    }
    g_journal.fd = fd;
    g_journal.name = name;
    return DQOZ_NO_ERROR;
}

}  // namespace

void StartJournal()
{
    std::lock_guard lock(g_journalMutex);
    closeJournal();
    g_journal.identity = newIdentity();
    g_journal.wanted = !g_journal.owner.empty();
}

void EndJournal()
{
    std::lock_guard lock(g_journalMutex);
    closeJournal();
}

std::string AsideSuffix()
{
    std::lock_guard lock(g_journalMutex);
    return std::string(kAsideMark) + currentIdentity();
}

bool IsAsideName(std::string_view name)
{
    const size_t at = name.rfind(kAsideMark);
    return at != std::string_view::npos && at > 0 && isIdentity(name.substr(at + kAsideMark.size()));
}

unsigned long JournalLine(std::string_view kind, const std::string& host)
{
    std::lock_guard lock(g_journalMutex);
    if (unsigned long rc = ensureJournal(); rc != DQOZ_NO_ERROR)
        return rc;
    if (g_journal.fd >= 0 && !writeAll(g_journal.fd, std::string(kind) + " " + escaped(host) + "\n"))
        return failed("cannot write the journal of the job's files \"" + below(g_journal.root, g_journal.name) +
                      "\": " + std::strerror(errno));
    return DQOZ_NO_ERROR;
}

unsigned long JournalCommitList(const std::vector<JournalEntry>& entries, bool made)
{
    std::lock_guard lock(g_journalMutex);
    if (made)
        if (unsigned long rc = ensureJournal(); rc != DQOZ_NO_ERROR)
            return rc;
    if (!g_journal.failure.empty())
        return Fail(DQOZ_ERROR_ACCESS_DENIED, g_journal.failure);
    if (g_journal.fd < 0)
        return DQOZ_NO_ERROR;
    std::string rootId;
    if (rootIdentity(g_journal.root, false, rootId) != DQOZ_NO_ERROR)
        return failed(DosGetLastErrorText());
    std::string body;
    for (const JournalEntry& e : entries)
        body += e.kind + (e.value.empty() ? std::string() : " " + escaped(e.value)) + "\n";
    const std::string next = g_journal.name + std::string(kNextSuffix);
    Fd rootfd(::open(g_journal.root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const int fd = rootfd.fd < 0 ? -1 : createLocked(rootfd.fd, next, header(rootId) + body + "end\n");
    if (fd < 0 || ::renameat(rootfd.fd, next.c_str(), rootfd.fd, g_journal.name.c_str()) != 0) {
        const int err = errno;
        if (fd >= 0) {
            ::unlinkat(rootfd.fd, next.c_str(), 0);
            ::close(fd);
        }
        return Fail(StatusFromErrno(err),
                    "cannot write the journal \"" + below(g_journal.root, next) + "\": " +
                        (err == EEXIST ? std::string("something of that name is there already") : std::strerror(err)));
    }
    ::close(g_journal.fd);
    g_journal.fd = fd;
    return DQOZ_NO_ERROR;
}

bool JournalKept()
{
    std::lock_guard lock(g_journalMutex);
    return g_journal.fd >= 0;
}

namespace {

/* ---- Settling what dead jobs left ---- */

/* A journal as written, see Journal. */
struct JournalText {
    std::string job, root, owner, key;
    bool decided = false, ended = false;
    std::vector<std::string> asides, puts, removes, rmdirs, dirs, kept, scratch;
};

JournalText parseJournal(const std::string& text)
{
    JournalText j;
    using Lines = std::vector<std::string> JournalText::*;
    struct Kind {
        std::string_view word;
        Lines lines;
    };
    static constexpr Kind kLists[] = {
        {"aside", &JournalText::asides}, {"put", &JournalText::puts},   {"remove", &JournalText::removes},
        {"rmdir", &JournalText::rmdirs}, {"dir", &JournalText::dirs},   {"kept", &JournalText::kept},
        {"scratch", &JournalText::scratch},
    };
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break;  // a line not ended was being written when the job died
        const std::string_view line(text.data() + at, end - at);
        at = end + 1;
        const size_t space = line.find(' ');
        const std::string_view kind = line.substr(0, space);
        const std::string value = space == std::string_view::npos ? std::string() : unescaped(line.substr(space + 1));
        if (kind == "job")
            j.job = value;
        else if (kind == "root")
            j.root = value;
        else if (kind == "owner")
            j.owner = value;
        else if (kind == "key")
            j.key = value;
        else if (kind == "decided")
            j.decided = true;
        else if (kind == "end")
            j.ended = true;
        for (const Kind& k : kLists)
            if (kind == k.word)
                (j.*k.lines).push_back(value);
    }
    return j;
}

/* What settling reports: a journal or an entry left for a reason. */
struct Reporter {
    void (*pfn)(const char*, void*);
    void* user;
    std::string journal;  // its name
    void operator()(const std::string& text) const
    {
        if (pfn)
            pfn(("The journal " + journal + " " + text).c_str(), user);
    }
};

/* The entry's path when it lies under the root, else "" (reported). */
std::string confined(const std::string& path, const Reporter& report)
{
    std::string host;
    if (ConfineToRoot(path, host) == DQOZ_NO_ERROR)
        return host;
    report("names \"" + path + "\", which does not lie under the environment root: that entry is left as it is.");
    return {};
}

void removeDirectories(std::vector<std::string> dirs, const Reporter& report)
{
    std::sort(dirs.begin(), dirs.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& d : dirs)
        if (const std::string host = confined(d, report); !host.empty())
            ::rmdir(host.c_str());
}

void unlinkAsides(const std::vector<std::string>& files, const std::string& suffix, const Reporter& report)
{
    for (const std::string& f : files)
        if (const std::string host = confined(f, report); !host.empty())
            ::unlink((host + suffix).c_str());
}

/* Finishes the commit of a job that died after it: every new file still
** aside is put in place, the marked files and directories are removed. */
void completeJournal(const JournalText& j, const std::string& suffix, const Reporter& report)
{
    for (const std::string& put : j.puts) {
        const std::string host = confined(put, report);
        struct stat st;
        if (!host.empty() && lstat((host + suffix).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            PutInPlace(host + suffix, host);
    }
    for (const std::string& removed : j.removes)
        if (const std::string host = confined(removed, report); !host.empty())
            ::unlink(host.c_str());
    removeDirectories(j.rmdirs, report);
    unlinkAsides(j.asides, suffix, report);
}

/* Undoes the file work of a job that died before its commit. */
void undoJournal(const JournalText& j, const std::string& suffix, const Reporter& report)
{
    unlinkAsides(j.asides, suffix, report);
    unlinkAsides(j.puts, suffix, report);
    std::error_code ec;
    for (auto it = j.scratch.rbegin(); it != j.scratch.rend(); ++it)
        if (const std::string host = confined(*it, report); !host.empty())
            std::filesystem::remove_all(host, ec);
    // the folders it named and made, the last first ("kept": named, then
    // found made by another)
    for (auto it = j.dirs.rbegin(); it != j.dirs.rend(); ++it)
        if (std::find(j.kept.begin(), j.kept.end(), *it) == j.kept.end())
            if (const std::string host = confined(*it, report); !host.empty())
                ::rmdir(host.c_str());
}

/* The journals at the root: their names, and the identity each names. */
struct JournalName {
    std::string name, identity;
    bool next = false;  // a commit list not yet put in the journal's place
};

std::vector<JournalName> journalsAt(const std::string& root)
{
    std::vector<JournalName> found;
    if (DIR* d = opendir(root.c_str())) {
        while (struct dirent* e = readdir(d)) {
            const std::string_view name(e->d_name);
            if (name.substr(0, kJournalMark.size()) != kJournalMark)
                continue;
            std::string_view id = name.substr(kJournalMark.size());
            const bool next = id.size() > kNextSuffix.size() && id.substr(id.size() - kNextSuffix.size()) == kNextSuffix;
            if (next)
                id.remove_suffix(kNextSuffix.size());
            if (isIdentity(id))
                found.push_back({std::string(name), std::string(id), next});
        }
        closedir(d);
    }
    return found;
}

/* A journal opened to be read: a plain file (of this user, unless anyUser
** is set), never through a link; -1 (and why, for a report) when it is
** none. */
int openJournal(int rootfd, const std::string& name, struct stat& st, std::string& why, bool anyUser = false)
{
    Fd fd(::openat(rootfd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.fd < 0) {
        if (errno == ELOOP)
            why = "is a symbolic link: it is left as it is.";
        return -1;
    }
    if (::fstat(fd.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "is not a plain file: it is left as it is.";
        return -1;
    }
    if (!anyUser && st.st_uid != ::geteuid()) {
        why = "belongs to another user: it is left as it is.";
        return -1;
    }
    return fd.release();
}

struct Settling {
    std::string root, rootId, owner, own;
    int rootfd;
    int (*pfnCommitted)(const char*, const char*, void*);
    void* user;
    void (*pfnReport)(const char*, void*);
};

/* Settles one journal of a dead job; true when it was settled. */
bool settleJournal(const Settling& s, const JournalName& jn)
{
    const Reporter report{s.pfnReport, s.user, jn.name};
    struct stat st;
    std::string why;
    Fd fd(openJournal(s.rootfd, jn.name, st, why));
    if (fd.fd < 0) {
        if (!why.empty())
            report(why);
        return false;
    }
    // the job runs while it holds its journal; a job settling it holds it too
    if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0 || !sameFile(s.rootfd, jn.name, fd.fd))
        return false;
    if (jn.next) {
        // the commit list of a job that died before it put it in place
        ::unlinkat(s.rootfd, jn.name.c_str(), 0);
        return true;
    }
    std::string text;
    if (!readAll(fd.fd, text, kJournalMost)) {
        report("cannot be read as a journal: it is left as it is.");
        return false;
    }
    const JournalText j = parseJournal(text);
    if (text.empty()) {
        // a job holds its journal before it writes the first line: an
        // empty one is being made, or its job died at once
        const auto age = std::chrono::system_clock::now() -
                         std::chrono::system_clock::time_point(std::chrono::seconds(st.st_mtim.tv_sec));
        if (age < kMakingTime)
            return false;
        ::unlinkat(s.rootfd, jn.name.c_str(), 0);
        return true;
    }
    if (j.job.empty()) {
        report("is no journal of a job: it is left as it is.");
        return false;
    }
    if (j.job != jn.identity) {
        report("names another job (" + j.job + "): it is left as it is.");
        return false;
    }
    if (s.rootId.empty() || j.root != s.rootId) {
        report("was written for another environment root: it is left as it is.");
        return false;
    }
    if (j.owner != s.owner)
        return false;  // another repository's job: left for a job of its own
    const std::string suffix = std::string(kAsideMark) + jn.identity;
    int committed = 0;
    if (j.ended)
        committed = j.decided ? 1 : s.pfnCommitted ? s.pfnCommitted(j.key.c_str(), j.root.c_str(), s.user) : -1;
    if (committed < 0)
        return false;  // cannot tell yet: left for a job that can
    if (committed > 0)
        completeJournal(j, suffix, report);
    else
        undoJournal(j, suffix, report);
    if (sameFile(s.rootfd, jn.name, fd.fd))
        ::unlinkat(s.rootfd, jn.name.c_str(), 0);
    return true;
}

}  // namespace

}  // namespace dqoz

using namespace dqoz;

extern "C" const char* DosJobIdentity(void)
{
    static thread_local std::string copy;
    std::lock_guard lock(g_journalMutex);
    copy = currentIdentity();
    return copy.c_str();
}

extern "C" unsigned long DosQueryRootIdentity(int fMake, char* pszBuf, size_t cbBuf)
{
    if (pszBuf == nullptr || cbBuf == 0)
        return Fail(DQOZ_ERROR_INVALID_PARAMETER, "no buffer for the root's identity");
    pszBuf[0] = '\0';
    const std::string root = rootOfEnvironment();
    if (root.empty())
        return Fail(DQOZ_ERROR_NO_ROOT, "no environment root is set");
    std::string id;
    if (unsigned long rc = rootIdentity(root, fMake != 0, id); rc != DQOZ_NO_ERROR)
        return rc;
    if (id.size() >= cbBuf)
        return Fail(DQOZ_ERROR_BUFFER_OVERFLOW, "the root's identity does not fit the buffer");
    std::memcpy(pszBuf, id.c_str(), id.size() + 1);
    return DQOZ_NO_ERROR;
}

extern "C" int DosJobRuns(const char* pszIdentity)
{
    if (pszIdentity == nullptr || !isIdentity(pszIdentity))
        return 0;
    {
        std::lock_guard lock(g_journalMutex);
        if (currentIdentity() == pszIdentity)
            return 1;
    }
    const std::string root = rootOfEnvironment();
    if (root.empty())
        return 0;
    Fd fd(::open(below(root, std::string(kJournalMark) + pszIdentity).c_str(),
                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return fd.fd >= 0 && ::flock(fd.fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK ? 1 : 0;
}

extern "C" void DosJournalFileWork(const char* pszOwner)
{
    std::lock_guard lock(g_journalMutex);
    g_journal.owner = pszOwner ? pszOwner : "";
}

extern "C" int DosFileWorkJournaled(void)
{
    return JournalKept() ? 1 : 0;
}

extern "C" unsigned long DosSettleDeadFileWork(int (*pfnCommitted)(const char*, const char*, void*),
                                               void (*pfnReport)(const char*, void*), void* pUser)
{
    Settling s{};
    {
        std::lock_guard lock(g_journalMutex);
        s.owner = g_journal.owner;
        s.own = currentIdentity();
    }
    s.root = rootOfEnvironment();
    if (s.root.empty())
        return 0;
    rootIdentity(s.root, false, s.rootId);
    Fd rootfd(::open(s.root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (rootfd.fd < 0)
        return 0;
    s.rootfd = rootfd.fd;
    s.pfnCommitted = pfnCommitted;
    s.pfnReport = pfnReport;
    s.user = pUser;
    unsigned long settled = 0;
    for (const JournalName& jn : journalsAt(s.root))
        if (jn.identity != s.own && settleJournal(s, jn))
            ++settled;
    // the directories made by the jobs settled may be gone
    dqoz::ForgetKeptDirectories();
    return settled;
}

extern "C" void DosListFileWorkKeys(void (*pfnKey)(const char* pszKey, void* pUser), void* pUser)
{
    const std::string root = rootOfEnvironment();
    std::string rootId;
    if (root.empty() || !pfnKey || rootIdentity(root, false, rootId) != DQOZ_NO_ERROR)
        return;
    Fd rootfd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const JournalName& jn : journalsAt(root)) {
        struct stat st;
        std::string why, text;
        // another user's job keeps its key too: its journal is left for it
        Fd fd(rootfd.fd < 0 || jn.next ? -1 : openJournal(rootfd.fd, jn.name, st, why, true));
        if (fd.fd < 0 || !readAll(fd.fd, text, kJournalMost))
            continue;
        const JournalText j = parseJournal(text);
        if (j.root == rootId && !j.key.empty())
            pfnKey(j.key.c_str(), pUser);
    }
}
