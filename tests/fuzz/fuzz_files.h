// A file of the fuzz input, for the readers that read files: one path per
// process and name, rewritten for every input and removed when the process
// ends (with whatever the reader wrote beside it as <path>.out).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>

namespace dqov_fuzz {

class InputFiles {
public:
    ~InputFiles()
    {
        for (const std::string& path : paths_) {
            std::remove(path.c_str());
            std::remove((path + ".out").c_str());
        }
    }
    void add(const std::string& path) { paths_.insert(path); }

private:
    std::set<std::string> paths_;
};

inline std::string InputFile(const char* name, const uint8_t* data, size_t size)
{
    static InputFiles files;
    std::string path = "/tmp/dqov-fuzz-" + std::to_string(getpid()) + "-" + name;
    files.add(path);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

}  // namespace dqov_fuzz
