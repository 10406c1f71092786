// A scratch environment root for the OS-layer tests: a fresh directory that
// is set as the environment root and removed with everything below it.
#ifndef DQOV_TESTS_DQOZ_TEMP_ROOT_H
#define DQOV_TESTS_DQOZ_TEMP_ROOT_H

#include "platform/dqoz/dqoz.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <cstdlib>

class TempRoot {
public:
    TempRoot()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "dqoz-XXXXXX").string();
        if (mkdtemp(tmpl.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = std::filesystem::canonical(tmpl);
        DosSetEnvironmentRoot(path_.c_str());
    }
    ~TempRoot()
    {
        DosSetEnvironmentRoot(nullptr);
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

    void mkdirs(const std::string& rel) const { std::filesystem::create_directories(path_ / rel); }
    void touch(const std::string& rel, const std::string& content = "x") const
    {
        std::ofstream(path_ / rel, std::ios::binary) << content;
    }
    bool exists(const std::string& rel) const { return std::filesystem::exists(path_ / rel); }

private:
    std::filesystem::path path_;
};

#endif
