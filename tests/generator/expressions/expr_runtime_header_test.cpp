// The operation codes of samples/runtime/c/x_varops.h are the catalogue's:
// every name a generated table writes is defined there with its number.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "generator/expressions/expr_opcodes.h"

namespace {

std::map<std::string, long> definedCodes()
{
    std::ifstream in(std::string(DQOV_SOURCE_DIR) + "/samples/runtime/c/x_varops.h");
    std::map<std::string, long> codes;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string define, name;
        long number = -1;
        if (words >> define >> name >> number && define == "#define")
            codes[name] = number;
    }
    return codes;
}

TEST(RuntimeHeader, EveryCatalogueNameHasItsNumber)
{
    const std::map<std::string, long> codes = definedCodes();
    size_t named = 0;
    for (const ExprOpcodeEntry& e : EXPR_OpcodeCatalogue()) {
        if (e.name == nullptr)
            continue;
        const auto it = codes.find(e.name);
        ASSERT_NE(it, codes.end()) << e.name;
        /* an entry written as another's takes that entry's number */
        EXPECT_EQ(it->second, static_cast<long>(e.writtenAs != 0 ? e.writtenAs : e.number)) << e.name;
        ++named;
    }
    EXPECT_GT(named, 1000u);
    for (const char* name : {EXPR_NAME_PUSH_RECORD_VECTOR, EXPR_NAME_PUSH_GLOBAL_STORAGE_OFFSET,
                             EXPR_NAME_REFRESH_USER_STATUS}) {
        const auto it = codes.find(name);
        ASSERT_NE(it, codes.end()) << name;
        EXPECT_GT(it->second, 1299) << name;
        EXPECT_LE(it->second, 32767) << name;  // a table row is an X_SHORT
    }
}

} // namespace
