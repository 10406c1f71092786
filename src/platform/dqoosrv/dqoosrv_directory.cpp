// Object server: initialisation and the removal of a directory tree of the
// environment.

#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqoz/dqoz.h"

#include <filesystem>
#include <string>
#include <system_error>

extern "C" long OSRV_InitServices(const char* pszEnvironmentRoot)
{
    if (pszEnvironmentRoot == nullptr)
        return OSRV_OK;
    return DosSetEnvironmentRoot(pszEnvironmentRoot) == 0 ? OSRV_OK : OSRV_ERR_NOT_FOUND;
}

extern "C" long OSRV_RemoveDirectoryTree(const char* pszPath)
{
    if (pszPath == nullptr || *pszPath == '\0')
        return OSRV_ERR_ARGUMENT;
    std::string host;
    if (dqoz::MapPath(pszPath, host) != 0)
        return OSRV_ERR_REFUSED;
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(host, ec);
    // Only what lies below the environment root may be removed.
    char root[4096];
    if (DosQueryEnvironmentRoot(root, sizeof root) != 0)
        return OSRV_ERR_REFUSED;
    const fs::path rootPath = fs::weakly_canonical(root, ec);
    const fs::path relative = target.lexically_relative(rootPath);
    if (target == rootPath || relative.empty() || *relative.begin() == "..")
        return OSRV_ERR_REFUSED;
    const fs::file_status status = fs::symlink_status(target, ec);
    if (!fs::exists(status))
        return OSRV_ERR_NOT_FOUND;
    if (!fs::is_directory(status))
        return OSRV_ERR_REFUSED;
    // in a job's file work the tree goes when the job commits
    if (dqoz::RemoveDirectoryLater(target.string(), true))
        return OSRV_OK;
    fs::remove_all(target, ec);
    DosForgetKeptDirectories();
    return ec ? OSRV_ERR_FAILED : OSRV_OK;
}
