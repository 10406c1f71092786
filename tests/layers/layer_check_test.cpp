// The include check of the layers (scripts/check-layers): the library's own
// tree passes with the links the build wrote, and a small tree of three
// layers shows that an include upward, an include of a layer that is not
// linked, and a file outside every layer are each reported.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/commands.h"
#include "support/files.h"
#include "support/scratch.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string output;
};

Result RunCheck(const fs::path& root, const fs::path& layers)
{
    const testsupport::CommandResult ran = testsupport::runCommand(
        std::string(DQOV_SOURCE_DIR) + "/scripts/check-layers " + testsupport::shellQuote(root.string()) + " " +
            testsupport::shellQuote(layers.string()),
        testsupport::Errors::WithOutput);
    return Result{ran.status, ran.out};
}

using testsupport::writeFile;

class LayerCheckTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        // base <- middle <- top, and side beside middle, linking base only
        writeFile(root / "layers.txt", "base: src/base include/pub:\n"
                                       "middle: src/middle: base\n"
                                       "side: src/side: base\n"
                                       "top: src/top src/middle/top_part.h: middle base\n");
        writeFile(root / "include/pub/api.h", "#pragma once\n");
        writeFile(root / "src/base/base.h", "#pragma once\n#include <string>\n#include \"pub/api.h\"\n");
        writeFile(root / "src/middle/middle.h", "#pragma once\n#include \"base/base.h\"\n");
        writeFile(root / "src/middle/middle.cpp", "#include \"middle/middle.h\"\n#include \"middle.h\"\n");
        writeFile(root / "src/middle/top_part.h", "#pragma once\n#include \"middle/middle.h\"\n");
        writeFile(root / "src/side/side.cpp", "#include \"base/base.h\"\n");
        writeFile(root / "src/top/top.cpp", "#include \"middle/middle.h\"\n#include \"middle/top_part.h\"\n");
    }
    testsupport::ScratchDir scratch{"layer-check"};
    const fs::path root = scratch.path();
};

TEST_F(LayerCheckTree, DownwardIncludesPassAndEachReachIsReported)
{
    Result clean = RunCheck(root, root / "layers.txt");
    EXPECT_EQ(clean.status, 0) << clean.output;
    EXPECT_EQ(clean.output, "");

    // upward: base includes a header of middle, which stands above it
    writeFile(root / "src/base/base.cpp", "#include \"base/base.h\"\n\n#include \"middle/middle.h\"\n");
    // sideways: side does not link middle
    writeFile(root / "src/side/side.cpp", "#include \"base/base.h\"\n#include \"middle/middle.h\"\n");
    // a header of top that lies in middle's folder is top's, not middle's
    writeFile(root / "src/middle/uses_top.cpp", "#include \"middle/top_part.h\"\n");
    // a file outside every layer
    writeFile(root / "src/loose/loose.cpp", "int x;\n");
    Result faults = RunCheck(root, root / "layers.txt");
    EXPECT_EQ(faults.status, 1);
    EXPECT_NE(faults.output.find("src/base/base.cpp:3: layer base includes src/middle/middle.h of layer middle"),
              std::string::npos)
        << faults.output;
    EXPECT_NE(faults.output.find("src/side/side.cpp:2: layer side includes src/middle/middle.h of layer middle"),
              std::string::npos)
        << faults.output;
    EXPECT_NE(faults.output.find("src/middle/uses_top.cpp:1: layer middle includes src/middle/top_part.h of layer top"),
              std::string::npos)
        << faults.output;
    EXPECT_NE(faults.output.find("src/loose/loose.cpp: in no layer"), std::string::npos) << faults.output;
    // the includes that stay downward are not reported
    EXPECT_EQ(faults.output.find("src/top/top.cpp"), std::string::npos) << faults.output;
    EXPECT_EQ(faults.output.find("src/middle/middle.cpp"), std::string::npos) << faults.output;
}

// The library's tree against the links its build wrote: every layer of the
// overview's order is there, the lowest link nothing of ours, and no include
// reaches a layer that is not linked.
TEST(LayerCheckLibrary, TheLibraryKeepsItsLayers)
{
    const fs::path layers = fs::path(DQOV_SAMPLE_DIR).parent_path() / "layers.txt";
    ASSERT_TRUE(fs::exists(layers)) << layers;
    const std::string text = testsupport::readFile(layers);
    for (const char* line : {"platform: src/platform: \n", "classlib: src/classlib: platform\n",
                             "runcontrol: src/runcontrol include/dqov: platform\n",
                             "tables: src/tables include/dqov/dqov_tables.h: platform\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    for (const char* layer :
         {"params:", "layout:", "checker:", "gencore_output:", "gencore_model:", "gencore_components:",
          "gencore_points:", "emitters:", "web:", "web_docs:", "classlib_xml:"})
        EXPECT_NE(text.find(std::string("\n") + layer), std::string::npos) << layer;
    // the generator core's floors stand in this order, each on those below it
    for (const char* line :
         {"gencore_model: src/generator/core/model: gencore_output ",
          "gencore_components: src/generator/core/components: gencore_model gencore_output ",
          "gencore_points: src/generator/core/points: gencore_components gencore_model gencore_output "})
        EXPECT_NE(text.find(std::string("\n") + line), std::string::npos) << line << "\n" << text;
    Result r = RunCheck(DQOV_SOURCE_DIR, layers);
    EXPECT_EQ(r.status, 0) << r.output;
}

}  // namespace
