// Scratch folders of the tests and private copies of the built sample
// environment (its root and repository), which tests may change freely.
#ifndef DQOV_TESTS_SUPPORT_SCRATCH_H
#define DQOV_TESTS_SUPPORT_SCRATCH_H

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder in the temporary directory, named PREFIX-XXXXXX, removed
// with everything below it (write permission given back first, so a test
// that took it away leaves nothing behind).
class ScratchDir {
public:
    explicit ScratchDir(const std::string& prefix = "dqov-test");
    ~ScratchDir();
    ScratchDir(ScratchDir&& other) noexcept;
    ScratchDir& operator=(ScratchDir&&) = delete;
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& rel) const { return path_ / rel; }

private:
    std::filesystem::path path_;
};

// The built sample environment: the folder named by DQOV_SAMPLE_DIR in the
// environment, else the one of the build.
std::filesystem::path sampleDir();
std::filesystem::path sampleRoot();        // sampleDir()/root
std::filesystem::path sampleRepository();  // sampleDir()/repository.db

// Copies the sample root (recursively) to TO, which must not exist yet.
void copySampleRoot(const std::filesystem::path& to);
// Copies the sample repository file to TO (replacing a file there).
void copySampleRepository(const std::filesystem::path& to);

// A scratch folder holding a copy of the sample environment: root/ and
// repository.db.
class SampleCopy {
public:
    explicit SampleCopy(const std::string& prefix = "dqov-sample");

    const std::filesystem::path& dir() const { return dir_.path(); }
    std::filesystem::path root() const { return dir_.path() / "root"; }
    std::filesystem::path repository() const { return dir_.path() / "repository.db"; }
    // The dqov tool's arguments that name this environment.
    std::string toolArguments() const;

private:
    ScratchDir dir_;
};

}  // namespace testsupport

#endif
