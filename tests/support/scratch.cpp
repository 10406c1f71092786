#include "support/scratch.h"

#include <stdlib.h>

#include <cstdlib>
#include <stdexcept>

#include "support/commands.h"

namespace testsupport {

namespace fs = std::filesystem;

ScratchDir::ScratchDir(const std::string& prefix)
{
    std::string tmpl = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(tmpl.data()) == nullptr)
        throw std::runtime_error("no scratch folder " + tmpl);
    path_ = fs::canonical(tmpl);
}

ScratchDir::ScratchDir(ScratchDir&& other) noexcept : path_(std::move(other.path_))
{
    other.path_.clear();
}

ScratchDir::~ScratchDir()
{
    if (path_.empty())
        return;
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path sampleDir()
{
    const char* dir = std::getenv("DQOV_SAMPLE_DIR");
    return dir != nullptr && *dir != '\0' ? fs::path(dir) : fs::path(DQOV_SAMPLE_DIR);
}

fs::path sampleRoot()
{
    return sampleDir() / "root";
}

fs::path sampleRepository()
{
    return sampleDir() / "repository.db";
}

void copySampleRoot(const fs::path& to)
{
    fs::copy(sampleRoot(), to, fs::copy_options::recursive);
}

void copySampleRepository(const fs::path& to)
{
    fs::copy_file(sampleRepository(), to, fs::copy_options::overwrite_existing);
}

SampleCopy::SampleCopy(const std::string& prefix) : dir_(prefix)
{
    copySampleRoot(root());
    copySampleRepository(repository());
}

std::string SampleCopy::toolArguments() const
{
    return "--root " + shellQuote(root().string()) + " --repository " + shellQuote(repository().string());
}

}  // namespace testsupport
