// A scratch environment root for the OS-layer tests: a fresh directory that
// is set as the environment root and removed with everything below it.
#ifndef DQOV_TESTS_DQOZ_TEMP_ROOT_H
#define DQOV_TESTS_DQOZ_TEMP_ROOT_H

#include "platform/dqoz/dqoz.h"
#include "support/scratch.h"

#include <cstdio>
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

// Writes the text to a path as the generator does: through OutputPath (in
// a file work, aside).
inline bool WriteThroughFileWork(const std::string& path, const std::string& text, bool append = false)
{
    std::string host;
    if (dqoz::OutputPath(path, host, append) != DQOZ_NO_ERROR)
        return false;
    FILE* f = std::fopen(host.c_str(), append ? "ab" : "wb");
    if (!f)
        return false;
    std::fputs(text.c_str(), f);
    return std::fclose(f) == 0;
}

#endif
