// Reading and writing whole files in tests.
#ifndef DQOV_TESTS_SUPPORT_FILES_H
#define DQOV_TESTS_SUPPORT_FILES_H

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// The bytes of a file as they stand; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// The lines of a file without their line ends (a "\r" before one stays);
// none when it cannot be read.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Writes TEXT as the whole file, making the folders above it.
void writeFile(const std::filesystem::path& path, const std::string& text);

}  // namespace testsupport

#endif
