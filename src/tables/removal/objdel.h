// Object removal: the name rules that derive generated file names from object
// names, the process alias file, and the statement runner of the DROP TABLE.
#pragma once

#include "dqov/tables/dqov_tables.h"

#include <string>
#include <string_view>

inline constexpr size_t OBJDEL_MAX_ALIASES = 101;
inline constexpr size_t OBJDEL_PATTERN_LEN = 11;
inline constexpr size_t OBJDEL_ALIAS_LEN = 10;

struct OBJDEL_ALIAS_ENTRY {
    int16_t nameLength = 0;
    std::string pattern;    // upper-cased, '?' matches any one character
    int16_t start[3] = {};  // 1-based positions in the process name
    int16_t length[3] = {};
};

void OBJDEL_MakeIdentifier(std::string& name);
void OBJDEL_TakeNameTail(std::string& destination, std::string_view source, size_t n);
void OBJDEL_MakeObjectName(std::string_view source, std::string& destination);
void OBJDEL_MakeShortObjectName(std::string_view source, std::string& destination);
void OBJDEL_TrimBlanks(std::string& text, char mode);
// 0 when root, process name or destination is null, else 1.
int32_t OBJDEL_sGetProcessAlias(int32_t kind, const char* root, const char* processName, std::string* destination);
// The partition base {root}[:]\X_VELMO\X_{partition}.
std::string OBJDEL_PartitionBase(std::string_view root, std::string_view partition);

// Runs the DROP TABLE of table removal and its commit. The default runs them
// on the repository connection of the services library; tests may run them
// on another database.
struct OBJDEL_SQL_RUNNER {
    int (*run)(void* context, const char* statement);  // 0 when it ran
    int (*commit)(void* context);                      // 0 when committed
    void* context;
};
// Null restores the default runner.
void OBJDEL_SetSqlRunner(const OBJDEL_SQL_RUNNER* runner);
// Result of the last DROP TABLE: 0 dropped, non-zero failed (and undone).
int OBJDEL_LastDropResult();
