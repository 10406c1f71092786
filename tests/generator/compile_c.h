// The compile of a generated C file as the environment's build makes it: the
// object's text literals defined from its text strings file, then
// gcc -std=c99 -O2 -Wall -Werror -c against the runtime interface in
// samples/runtime/c. A real compile, not a syntax check: the optimiser's
// flow analysis finds overruns and uninitialised reads that -fsyntax-only
// never sees.
#ifndef DQOV_TESTS_GENERATOR_COMPILE_C_H
#define DQOV_TESTS_GENERATOR_COMPILE_C_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/files.h"

namespace gentest {

/* The compiler line, up to the file's own arguments. */
inline std::string compileCommand(const std::filesystem::path& generated, const std::filesystem::path& object)
{
    return "gcc -x c -std=c99 -O2 -Wall -Werror -c -o '" + object.string() + "' -I '" + DQOV_SOURCE_DIR +
           "/samples/runtime/c' -I '" + generated.parent_path().string() + "'";
}

/* gcc's findings on one generated file, "" when it compiles clean. The
** object's text strings file (beside the file, named by the object) gives
** the text literals; the files named in `first` are included before it
** (the context a storage or header file has inside its .C); `defines` are
** further compiler arguments. The log and the object go to `work`. */
inline std::string compileGeneratedC(const std::filesystem::path& generated, const std::string& object,
                                     const std::filesystem::path& work, const std::vector<std::string>& first = {},
                                     const std::string& defines = "")
{
    const std::filesystem::path texts = work / (object + ".TXH");
    const std::filesystem::path log = work / (generated.filename().string() + ".gcc");
    const std::string header = std::string("'") + DQOV_SOURCE_DIR + "/scripts/text-strings-header' '" +
                               (generated.parent_path() / (object + ".TXT")).string() + "' > '" + texts.string() + "'";
    if (std::system(header.c_str()) != 0)
        return "the text strings file of " + object + " could not be read";
    std::string includes = " -include '" + texts.string() + "'";
    for (const std::string& f : first)
        includes += " -include '" + f + "'";
    const std::string gcc = compileCommand(generated, work / (generated.filename().string() + ".o")) + " " + defines +
                            includes + " '" + generated.string() + "' > '" + log.string() + "' 2>&1";
    const int rc = std::system(gcc.c_str());
    const std::string findings = testsupport::readFile(log);
    return rc == 0 && findings.empty() ? "" : "gcc status " + std::to_string(rc) + "\n" + findings;
}

/* The .C, .STG, .H and .PGM of a generated function, each compiled in the
** context the .C gives it; the findings of each file that fails, "" when
** all four compile clean. */
inline std::string compileGeneratedFunction(const std::filesystem::path& sourceDir, const std::string& function,
                                            const std::filesystem::path& work)
{
    const std::filesystem::path base = sourceDir / function;
    const std::string stg = base.string() + ".STG";
    std::string faults;
    auto add = [&](const char* extension, const std::vector<std::string>& first) {
        const std::string found = compileGeneratedC(base.string() + extension, function, work, first);
        if (!found.empty())
            faults += function + extension + ": " + found + "\n";
    };
    add(".C", {});
    add(".STG", {"x_glodef.h", "x_funstd.h"});
    add(".H", {"x_glodef.h", "x_funstd.h", stg});
    add(".PGM", {});
    return faults;
}

}  // namespace gentest

#endif
