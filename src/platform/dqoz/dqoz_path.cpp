/*
** The environment root and the mapping of Windows-form paths onto the host.
**
** The library forms its paths as "D:\X_VELMO\SOURCE\FUN00001.S". On the host
** they live below the environment root; the drive is dropped, separators
** become '/', and existing components are found without regard to case,
** because the library spells one directory in several cases ("X_VELMO" and
** "x_velmo"). ".." is resolved by name, and a path that would climb above the
** root is refused, so no caller can reach files outside the environment.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace dqoz {

namespace {

std::mutex g_rootMutex;
std::string g_root;  // absolute, no trailing '/' ("/" for the file-system root)
bool g_rootSet = false;

/* The directories a job's paths went through, kept while its file work is
** open so that each is looked up once: the host paths of directories (not
** links) found under the spelling asked for. A directory stays what it is
** until it is removed or renamed; the file work only marks the directories
** it removes, and whatever removes one at once (or may rename one) forgets
** them all (ForgetKeptDirectories). */
std::mutex g_keptMutex;
bool g_keeping = false;
std::vector<std::string> g_keptDirectories;  // a job's few, in the order found

bool IsKeptDirectory(const std::string& host)
{
    std::lock_guard lock(g_keptMutex);
    return g_keeping && std::find(g_keptDirectories.begin(), g_keptDirectories.end(), host) != g_keptDirectories.end();
}

void KeepDirectory(const std::string& host)
{
    std::lock_guard lock(g_keptMutex);
    if (g_keeping)
        g_keptDirectories.push_back(host);
}

/* Absolute canonical form of an existing directory, or "" when it is none. */
std::string CanonicalDirectory(const char* dir)
{
    char resolved[PATH_MAX];
    if (realpath(dir, resolved) == nullptr)
        return {};
    struct stat st;
    if (stat(resolved, &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return resolved;
}

/* The root in force: the one set by the caller, else DQOV_ENV_ROOT. On
** failure why tells the reason. */
unsigned long CurrentRoot(std::string& root, std::string& why)
{
    {
        std::lock_guard lock(g_rootMutex);
        if (g_rootSet) {
            root = g_root;
            return DQOZ_NO_ERROR;
        }
    }
    const char* env = std::getenv("DQOV_ENV_ROOT");
    if (env == nullptr || *env == '\0') {
        why = "no environment root is set";
        return DQOZ_ERROR_NO_ROOT;
    }
    root = CanonicalDirectory(env);
    if (root.empty()) {
        why = std::string("environment root \"") + env + "\" (DQOV_ENV_ROOT) is not a directory";
        return DQOZ_ERROR_NO_ROOT;
    }
    return DQOZ_NO_ERROR;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

/* What a component of a path is on the host. */
enum class Kind { Missing, Directory, Link, Other };

Kind KindOf(mode_t mode)
{
    return S_ISLNK(mode) ? Kind::Link : S_ISDIR(mode) ? Kind::Directory : Kind::Other;
}

/* A component as found in its directory. */
struct Found {
    std::string name;  // "" when none exists
    Kind kind = Kind::Missing;
};

/* The name under which component exists in dir: the exact spelling when it
** exists, else the smallest (by bytes) name that differs only in case; ""
** when none exists. A name found in the listing whose entry does not tell a
** directory or a plain file counts as a link, which the caller then follows
** to see where it leads. */
Found FindComponent(const std::string& dir, const std::string& component)
{
    struct stat st;
    std::string exact = dir + "/" + component;
    if (IsKeptDirectory(exact))
        return {component, Kind::Directory};
    if (lstat(exact.c_str(), &st) == 0) {
        const Kind kind = KindOf(st.st_mode);
        if (kind == Kind::Directory)
            KeepDirectory(exact);
        return {component, kind};
    }
    DirHandle d(opendir(dir.empty() ? "/" : dir.c_str()));
    if (!d)
        return {};
    Found best;
    while (struct dirent* e = readdir(d.get())) {
        std::string_view name(e->d_name);
        if (!EqualNoCase(name, component))
            continue;
        if (best.name.empty() || name < best.name) {
            best.name = name;
            best.kind = e->d_type == DT_DIR ? Kind::Directory : e->d_type == DT_REG ? Kind::Other : Kind::Link;
        }
    }
    return best;
}

/* Splits rest at '/' into components, resolving "." and "..". False when ".."
** would climb above the start. */
bool SplitComponents(std::string_view rest, std::vector<std::string>& parts)
{
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t end = rest.find('/', pos);
        if (end == std::string_view::npos)
            end = rest.size();
        std::string_view comp = rest.substr(pos, end - pos);
        pos = end + 1;
        if (comp.empty() || comp == ".")
            continue;
        if (comp == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
            continue;
        }
        parts.emplace_back(comp);
    }
    return true;
}

/* The existing path resolves (its links followed) to the root or a place
** below it; prefix is the root ("" for "/"). */
bool ResolvesBelow(const std::string& existing, const std::string& prefix)
{
    char resolved[PATH_MAX];
    if (realpath(existing.c_str(), resolved) == nullptr) {
        // a link that leads nowhere yet may lead outside once followed
        struct stat st;
        return lstat(existing.c_str(), &st) != 0 || !S_ISLNK(st.st_mode);
    }
    const std::string_view r(resolved);
    return r == prefix || prefix.empty() ||
           (r.substr(0, prefix.size()) == prefix && r.size() > prefix.size() && r[prefix.size()] == '/');
}

}  // namespace

void KeepDirectories(bool keep)
{
    std::lock_guard lock(g_keptMutex);
    g_keeping = keep;
    g_keptDirectories.clear();
}

void ForgetKeptDirectories()
{
    std::lock_guard lock(g_keptMutex);
    g_keptDirectories.clear();
}

unsigned long MapPathAsIs(std::string_view path, std::string& out)
{
    out.clear();
    if (path.empty())
        return Fail(DQOZ_ERROR_INVALID_PARAMETER, "empty path");
    std::string p(path);
    std::replace(p.begin(), p.end(), '\\', '/');

    std::string root, why;
    if (CurrentRoot(root, why) != DQOZ_NO_ERROR) {
        if (p[0] == '/') {
            out = std::move(p);
            return DQOZ_NO_ERROR;
        }
        return Fail(DQOZ_ERROR_NO_ROOT, why + " for path \"" + std::string(path) + "\"");
    }
    const std::string prefix = (root == "/") ? std::string() : root;

    std::string_view rest(p);
    if (!prefix.empty() && rest.substr(0, prefix.size()) == prefix &&
        (rest.size() == prefix.size() || rest[prefix.size()] == '/')) {
        rest.remove_prefix(prefix.size());  // already a host path below the root
    } else if (rest.size() >= 2 && rest[1] == ':' &&
               ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
        rest.remove_prefix(2);  // drive prefix
    }

    std::vector<std::string> parts;
    if (!SplitComponents(rest, parts))
        return Fail(DQOZ_ERROR_FILENAME_EXCED_RANGE, "path \"" + std::string(path) + "\" leaves the environment root");

    std::string cur = prefix;
    std::string existingPart = prefix;  // the part that exists on the host
    bool existing = true;
    bool linked = false;  // a component of the existing part is a link
    for (const std::string& comp : parts) {
        if (existing) {
            const Found found = FindComponent(cur, comp);
            if (found.name.empty())
                existing = false;
            cur += '/';
            cur += found.name.empty() ? comp : found.name;
            if (existing)
                existingPart = cur;
            linked = linked || found.kind == Kind::Link;
        } else {
            cur += '/';
            cur += comp;
        }
    }
    // A symbolic link inside the environment may point elsewhere; what exists
    // of the path must still resolve to a place below the root. Without a
    // link on the way it is the path itself, below the (canonical) root.
    if (!prefix.empty() && linked && existingPart != prefix && !ResolvesBelow(existingPart, prefix))
        return Fail(DQOZ_ERROR_FILENAME_EXCED_RANGE,
                    "path \"" + std::string(path) + "\" leads outside the environment root");
    out = cur.empty() ? std::string("/") : cur;
    return DQOZ_NO_ERROR;
}

unsigned long ConfineToRoot(std::string_view host, std::string& out)
{
    out.clear();
    std::string root, why;
    if (CurrentRoot(root, why) != DQOZ_NO_ERROR)
        return Fail(DQOZ_ERROR_NO_ROOT, why);
    const std::string prefix = root == "/" ? std::string() : root;
    const auto outside = [&] {
        return Fail(DQOZ_ERROR_FILENAME_EXCED_RANGE,
                    "path \"" + std::string(host) + "\" does not lie under the environment root " + root);
    };
    if (host.find('\0') != std::string_view::npos || host.size() <= prefix.size() + 1 ||
        host.substr(0, prefix.size()) != prefix || host[prefix.size()] != '/')
        return outside();
    // the components as written: none may step back or stand for the root
    std::string cur = prefix;
    for (std::string_view rest = host.substr(prefix.size() + 1); !rest.empty();) {
        const size_t slash = rest.find('/');
        const std::string_view comp = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (comp.empty())
            continue;
        if (comp == "." || comp == "..")
            return outside();
        cur += '/';
        cur += comp;
    }
    if (cur == prefix)
        return outside();
    // the folder that holds it, as far as it exists, resolves below the root
    std::string existing = cur.substr(0, cur.rfind('/'));
    struct stat st;
    while (existing.size() > prefix.size() && lstat(existing.c_str(), &st) != 0)
        existing.erase(existing.rfind('/'));
    if (existing.size() > prefix.size() && !ResolvesBelow(existing, prefix))
        return outside();
    out = cur;
    return DQOZ_NO_ERROR;
}

unsigned long MapPath(std::string_view path, std::string& out)
{
    const unsigned long rc = MapPathAsIs(path, out);
    if (rc == DQOZ_NO_ERROR)
        ViewThroughFileWork(out);
    return rc;
}

}  // namespace dqoz

extern "C" unsigned long DosSetEnvironmentRoot(const char* pszHostDir)
{
    using namespace dqoz;
    if (pszHostDir == nullptr || *pszHostDir == '\0') {
        std::lock_guard lock(g_rootMutex);
        g_root.clear();
        g_rootSet = false;
        return DQOZ_NO_ERROR;
    }
    std::string root = CanonicalDirectory(pszHostDir);
    if (root.empty())
        return Fail(DQOZ_ERROR_PATH_NOT_FOUND,
                    std::string("environment root \"") + pszHostDir + "\" is not a directory");
    ForgetKeptDirectories();
    std::lock_guard lock(g_rootMutex);
    g_root = std::move(root);
    g_rootSet = true;
    return DQOZ_NO_ERROR;
}

extern "C" void DosForgetKeptDirectories(void)
{
    dqoz::ForgetKeptDirectories();
}

extern "C" unsigned long DosQueryEnvironmentRoot(char* pszBuf, size_t cbBuf)
{
    using namespace dqoz;
    if (pszBuf == nullptr || cbBuf == 0)
        return Fail(DQOZ_ERROR_INVALID_PARAMETER, "no buffer for the environment root");
    pszBuf[0] = '\0';
    std::string root, why;
    if (unsigned long rc = CurrentRoot(root, why); rc != DQOZ_NO_ERROR)
        return Fail(rc, why);
    if (root.size() >= cbBuf)
        return Fail(DQOZ_ERROR_BUFFER_OVERFLOW, "the environment root does not fit the buffer");
    std::memcpy(pszBuf, root.c_str(), root.size() + 1);
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosMapPath(const char* pszPath, char* pszHostPath, size_t cbHostPath)
{
    using namespace dqoz;
    if (pszHostPath == nullptr || cbHostPath == 0)
        return Fail(DQOZ_ERROR_INVALID_PARAMETER, "no buffer for the mapped path");
    pszHostPath[0] = '\0';
    if (pszPath == nullptr)
        return Fail(DQOZ_ERROR_INVALID_PARAMETER, "no path");
    std::string out;
    if (unsigned long rc = MapPath(pszPath, out); rc != DQOZ_NO_ERROR)
        return rc;
    if (out.size() >= cbHostPath)
        return Fail(DQOZ_ERROR_BUFFER_OVERFLOW,
                    "mapped path of \"" + std::string(pszPath) + "\" does not fit the buffer");
    std::memcpy(pszHostPath, out.c_str(), out.size() + 1);
    return DQOZ_NO_ERROR;
}
