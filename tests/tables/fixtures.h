// Shared helpers of the table-definition tests: scratch files, capability
// tables made from text, and the sample database environment file.
#pragma once

#include "tables/ctd/ctd.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <cstdlib>
#include <unistd.h>

namespace ctdtest {

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "ctd-XXXXXX").string();
        if (mkdtemp(tmpl.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = std::filesystem::canonical(tmpl);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name, const std::string& content) const
    {
        std::filesystem::path p = path_ / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string sampleEnvironmentFile()
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/root/X_VELMO/X_DBENV.DAT";
}

// Loads a capability table from text; fails the test on a load error.
inline X_CTD_CAPABILITY_TABLE_PTR capabilitiesFrom(const std::string& text,
                                                   std::vector<std::string>* warnings = nullptr)
{
    TempDir dir;
    std::string path = dir.file("env.dat", text);
    X_CTD_CAPABILITY_TABLE_PTR table;
    std::string error;
    if (X_CTD_Load_Capabilities(path.c_str(), table, error, warnings) != 0)
        throw std::runtime_error(error);
    return table;
}

inline X_CTD_CAPABILITY_TABLE_PTR sampleCapabilities()
{
    X_CTD_CAPABILITY_TABLE_PTR table;
    std::string error;
    if (X_CTD_Load_Capabilities(sampleEnvironmentFile().c_str(), table, error) != 0)
        throw std::runtime_error(error);
    return table;
}

inline X_CTD_DBMS_INFO dbmsInfo(const X_CTD_CAPABILITY_TABLE* table, const std::string& name)
{
    X_CTD_DBMS_INFO info;
    info.name = name;
    std::string error;
    X_CTD_FillDBMSInfo(table, info, error);
    int32_t kind = 0;
    X_CTD_sGetCapability(table, name, "DBMS_KIND", nullptr, &kind, nullptr);
    info.kind = static_cast<int16_t>(kind);
    info.foreign = info.ignoreNativeSupport;
    X_CTD_sGetCapability(table, name, "SERVER_VERSION", &info.serverVersion, nullptr, nullptr);
    return info;
}

inline X_CTD_TABLE_DEFINITION_PTR newTable(const std::string& table, const std::string& collection)
{
    X_CTD_TABLE_DEFINITION_PTR r;
    X_CTD_CreateTableDefinition(r, table, table, "", collection, 0, 0, "", "", "", "", nullptr, "", nullptr,
                                collection, 'Y', ' ', '@');
    return r;
}

inline std::vector<std::string> messages(X_CTD_TABLE_DEFINITION& r)
{
    std::vector<std::string> out;
    std::string text;
    X_CTD_NextMessage(r, text, 'Y', 'N');
    while (!text.empty()) {
        out.push_back(text);
        X_CTD_NextMessage(r, text, 'N', 'N');
    }
    return out;
}

inline bool hasMessage(X_CTD_TABLE_DEFINITION& r, const std::string& prefix)
{
    for (const auto& m : messages(r))
        if (m.rfind(prefix, 0) == 0)
            return true;
    return false;
}

} // namespace ctdtest
