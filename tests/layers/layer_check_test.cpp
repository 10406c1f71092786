// The include check of the layers (scripts/check-layers) and the drawing of
// the tree by folder (scripts/folder-layers): the library's own tree passes
// both with the links the build wrote, and small trees of three layers show
// that an include upward, an include of a layer that is not linked, a file
// outside every layer and a folder that mixes layers are each reported.
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

Result RunScript(const char* script, const fs::path& root, const fs::path& layers)
{
    const testsupport::CommandResult ran = testsupport::runCommand(std::string(DQOV_SOURCE_DIR) + "/scripts/" + script +
                                                                       " " + testsupport::shellQuote(root.string()) +
                                                                       " " + testsupport::shellQuote(layers.string()),
                                                                   testsupport::Errors::WithOutput);
    return Result{ran.status, ran.out};
}

Result RunCheck(const fs::path& root, const fs::path& layers)
{
    return RunScript("check-layers", root, layers);
}

Result RunFolders(const fs::path& root, const fs::path& layers)
{
    return RunScript("folder-layers", root, layers);
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

// The tree drawn by folder (scripts/folder-layers): each folder with its
// layer and the folders it includes; a folder that holds two layers' files,
// a folder of a lower layer inside a higher layer's folder, an include from
// a folder to a higher layer's folder, and two folders that lean on each
// other when drawn with everything below them are each reported.
TEST(LayerCheckFolders, FoldersThatAreLayersPassAndEachMixIsReported)
{
    testsupport::ScratchDir scratch{"folder-layers"};
    const fs::path root = scratch.path();
    // a folder of a higher layer may lie in a lower one's folder
    writeFile(root / "layers.txt", "base: src/base include/pub/base:\n"
                                   "middle: src/middle: base\n"
                                   "top: src/top src/middle/more: middle base\n");
    writeFile(root / "include/pub/base/api.h", "#pragma once\n");
    writeFile(root / "src/base/base.h", "#pragma once\n#include \"pub/base/api.h\"\n");
    writeFile(root / "src/middle/middle.h", "#pragma once\n#include \"base/base.h\"\n");
    writeFile(root / "src/middle/more/more.cpp", "#include \"middle/middle.h\"\n");
    writeFile(root / "src/top/top.cpp", "#include \"middle/middle.h\"\n");
    Result clean = RunFolders(root, root / "layers.txt");
    EXPECT_EQ(clean.status, 0) << clean.output;
    EXPECT_NE(clean.output.find("src/top [top] -> src/middle\n"), std::string::npos) << clean.output;
    EXPECT_NE(clean.output.find("src/base [base] -> include/pub/base\n"), std::string::npos) << clean.output;

    // a header of middle in base's folder of include/, a folder of base
    // inside top's folder, and base's folder reaching up into middle's
    writeFile(root / "layers.txt", "base: src/base include/pub src/top/low:\n"
                                   "middle: src/middle include/pub/base/mid.h: base\n"
                                   "top: src/top src/middle/more: middle base\n");
    writeFile(root / "include/pub/base/mid.h", "#pragma once\n");
    writeFile(root / "src/top/low/low.h", "#pragma once\n");
    // middle's header takes base's header in top's folder: drawn with
    // everything below them, the folders of top, middle and base (which
    // reaches up into middle) lean on each other
    writeFile(root / "src/middle/middle.h", "#pragma once\n#include \"base/base.h\"\n#include \"top/low/low.h\"\n");
    writeFile(root / "src/base/base.cpp", "#include \"middle/middle.h\"\n");
    Result faults = RunFolders(root, root / "layers.txt");
    EXPECT_EQ(faults.status, 1);
    EXPECT_NE(faults.output.find("include/pub/base: holds files of the layers base middle"), std::string::npos)
        << faults.output;
    EXPECT_NE(faults.output.find("src/top/low (base) lies in src/top (top)"), std::string::npos) << faults.output;
    EXPECT_NE(faults.output.find("src/base (base) includes src/middle (middle), which it does not link"),
              std::string::npos)
        << faults.output;
    EXPECT_NE(faults.output.find("src/base src/middle src/top: include each other"), std::string::npos)
        << faults.output;
    // the folders that keep to their layers are not reported
    EXPECT_EQ(faults.output.find("src/middle/more ("), std::string::npos) << faults.output;
    EXPECT_EQ(faults.output.find("src/top (top) includes"), std::string::npos) << faults.output;
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
                             "runcontrol: src/runcontrol include/dqov/runcontrol: platform\n",
                             "tables: src/tables include/dqov/tables: platform\n"})
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
    // and its folders are its layers
    Result folders = RunFolders(DQOV_SOURCE_DIR, layers);
    EXPECT_EQ(folders.status, 0) << folders.output;
    EXPECT_NE(folders.output.find("\nsrc/params [params] -> "), std::string::npos) << folders.output;
    EXPECT_NE(folders.output.find("\ninclude/dqov/runcontrol [runcontrol] -> "), std::string::npos) << folders.output;
}

}  // namespace
