// Every input of the fuzz targets' seed corpora, and every input that once
// made a target fail, runs again as an ordinary test (under the test
// build's sanitizers): tests/fuzz/corpus/<target>/ and
// tests/fuzz/crashers/<target>/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_target.h"
#include "support/files.h"

namespace {

constexpr const char* kTargets[] = {"command_parser",   "parameters",         "operand",
                                    "expression",       "skeleton",           "environment_file",
                                    "table_definition", "expression_fixture", "xml",
                                    "painter_script",   "select_sql",         "expression_compiler",
                                    "weblet_stylesheet", "painter_session",   "component_source"};

std::vector<std::filesystem::path> Inputs(const std::string& target)
{
    std::vector<std::filesystem::path> files;
    for (const char* kind : {"corpus", "crashers"}) {
        const std::filesystem::path dir = std::filesystem::path(DQOV_SOURCE_DIR) / "tests" / "fuzz" / kind / target;
        if (!std::filesystem::is_directory(dir))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class Replay : public ::testing::TestWithParam<const char*> {};

TEST_P(Replay, EverySeedAndCrasherRuns)
{
    dqov_fuzz::TargetFunction target = dqov_fuzz::FindTarget(GetParam());
    ASSERT_NE(target, nullptr);
    std::vector<std::filesystem::path> inputs = Inputs(GetParam());
    EXPECT_FALSE(inputs.empty()) << "every target has a seed corpus";
    for (const std::filesystem::path& file : inputs) {
        const std::string bytes = testsupport::readFile(file);
        SCOPED_TRACE(file.string());
        target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, Replay, ::testing::ValuesIn(kTargets));

}  // namespace
