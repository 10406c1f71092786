// A file of the fuzz input, for the readers that read files: one path per
// process and name, rewritten for every input.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

namespace dqov_fuzz {

inline std::string InputFile(const char* name, const uint8_t* data, size_t size)
{
    std::string path = "/tmp/dqov-fuzz-" + std::to_string(getpid()) + "-" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

}  // namespace dqov_fuzz
