// A scratch environment root for the OS-layer tests: a fresh directory that
// is set as the environment root and removed with everything below it.
#ifndef DQOV_TESTS_DQOZ_TEMP_ROOT_H
#define DQOV_TESTS_DQOZ_TEMP_ROOT_H

#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"

#include <filesystem>
#include <fstream>
#include <string>

class TempRoot : public testsupport::ScratchDir {
public:
    TempRoot() : ScratchDir("dqoz") { DosSetEnvironmentRoot(path().c_str()); }
    ~TempRoot() { DosSetEnvironmentRoot(nullptr); }

    void mkdirs(const std::string& rel) const { std::filesystem::create_directories(path() / rel); }
    void touch(const std::string& rel, const std::string& content = "x") const
    {
        std::ofstream(path() / rel, std::ios::binary) << content;
    }
    bool exists(const std::string& rel) const { return std::filesystem::exists(path() / rel); }
};

#endif
