/*
** definitions.h: the generation definitions in memory.
**
** Per job: the system flags and received-parameter switches the checker
** left in its work records, the process attributes, the condition table,
** the rename stack, the component group usage and the nine report slots.
** Per process: the partition's languages, the built-in function
** definitions and the component group and framework definitions. The
** partition-bound ones are loaded again when a job of another partition
** comes, so a job never sees another partition's languages.
*/
#ifndef GENERATOR_CORE_DEFINITIONS_H
#define GENERATOR_CORE_DEFINITIONS_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"

/* Offsets in the data of the "SYSFLAGS" work record. */
inline constexpr size_t SYSFLAG_WEBEVENT = 26; /* FUNCTION OPTIONS(*WEBEVENT): web-enabled */
inline constexpr size_t SYSFLAG_ALP_SYSTEM_VARIABLE = 38;
inline constexpr size_t SYSFLAG_NUM_SYSTEM_VARIABLE = 39;
inline constexpr size_t SYSFLAG_ALP_FIELD_VALIDATE = 40;
inline constexpr size_t SYSFLAG_NUM_FIELD_VALIDATE = 41;
inline constexpr size_t SYSFLAG_FIELD_TRIGGER = 42;
inline constexpr size_t SYSFLAG_OTHER_TRIGGER = 43;
inline constexpr size_t SYSFLAG_SP1_VALUE = 52;  /* unsigned 16-bit, two bytes */
inline constexpr size_t SYSFLAG_HTML_PAGES = 56; /* the function's HTML pages are asked for */
inline constexpr size_t SYSFLAG_BUILTIN = 58;
inline constexpr size_t SYSFLAG_XML_PAGES = 60; /* its XML pages are asked for */
inline constexpr size_t SYSFLAG_TARGET_NEXT = 62;
inline constexpr size_t SYSFLAG_COPY = 64;

inline constexpr size_t GEN_MAX_LANGUAGES = 50;
inline constexpr size_t GEN_REPORT_SLOTS = 9;
inline constexpr size_t GEN_BIF_DESCRIPTORS = 50;

struct GEN_LANGUAGE {
    std::string code;      /* X60PLN, at most 4 characters */
    char cDirection = 'L'; /* 'D' double-byte, 'R' right to left, else 'L' */
    std::string kds, klg, phm, prm, pem;
    char cDoubleByte = 'N';
    char cRightToLeft = 'N';
    std::string charset; /* CCSID in 1-5, Windows code page in 6-10 */
};

struct GEN_BIF_VALUE {
    char cType = ' ';
    int16_t sLength = 0;
    int16_t sDecimals = 0;
    std::string defaultValue = std::string(10, ' ');
};

struct GEN_BIF_DEFINITION {
    std::string name; /* 20 characters, blank-padded */
    char cKind = 'L';
    std::string routine; /* "X_BuiltIn_" + identifier text */
    std::string description;
    int16_t sIdentifier = 0;
    std::string identifierText;
    char cUsed = 'N';
    char cCall = 'N';
    int16_t sArgumentCount = 0;
    std::string program;
    std::array<GEN_BIF_VALUE, GEN_BIF_DESCRIPTORS> arguments{};
    int16_t sReturnCount = 0;
    std::array<GEN_BIF_VALUE, GEN_BIF_DESCRIPTORS> returns{};
    /* a built-in function of a user DLL: the DLL and entry aliases its USE
       named, recorded by the USE emitter */
    std::string dllAlias, entryAlias;
};

struct GEN_CONDITION {
    std::string name; /* 10 characters, blank-padded */
    int16_t sNumber = 0;
    char cEvaluate = 'Y';
    char cUsed = 'N'; /* named by a display field's condition */
};

struct GEN_RENAME {
    std::string first, second, third; /* 10 characters each */
};

struct GEN_COMPONENT_DEF {
    int32_t lId1 = 0, lId2 = 0;
    std::string shortName, longName;
};

struct GEN_COMPONENT_GROUP_USE {
    int32_t lId1 = 0, lId2 = 0;
    std::string groupName;
};

/* A print line definition of a report, registered by the print command
** emitters: its kind ("LINE", "TRAI" trailing break, "LEAD" leading break,
** others) and its name. */
struct GEN_PRINT_LINE {
    std::string kind; /* 4 characters */
    std::string name;
};

struct GEN_REPORT_SLOT {
    int16_t sNumber = 0;
    char cKind = 'N';
    std::array<int16_t, 4> values{};
    std::array<std::string, 5> returnFields;
    std::array<std::vector<char>, 7> buffers;
    std::array<std::string, 2> names;
    std::array<std::string, 3> fileFields;
    std::string field165;
    std::vector<GEN_PRINT_LINE> printLines;
};

struct GEN_DEFINITIONS {
    /* per job */
    std::array<char, SYSFLAG_COPY> sysflags{};
    char cBuiltin = 'N', cTrigger = 'N', cRcvList = 'N', cRcvDs = 'N';
    std::string processName;
    std::string x20rcl;
    std::vector<GEN_CONDITION> conditions;
    std::vector<GEN_RENAME> renames;
    std::vector<GEN_COMPONENT_GROUP_USE> groupUsage;
    std::array<GEN_REPORT_SLOT, GEN_REPORT_SLOTS> reports;
    int16_t sCurrentReport = 1;
};

/* Per-process definitions, with the partition they were loaded for. */
struct GEN_PROCESS_DEFINITIONS {
    std::string languagePartition;
    bool languagesLoaded = false;
    std::vector<GEN_LANGUAGE> languages;
    bool bifPart1Loaded = false, bifPart2Loaded = false;
    std::vector<GEN_BIF_DEFINITION> bifs;
    std::string componentPartition;
    bool componentsLoaded = false;
    std::vector<GEN_COMPONENT_DEF> groups, frameworks;
};

GEN_DEFINITIONS& P3109_Definitions();
GEN_PROCESS_DEFINITIONS& P3109_ProcessDefinitions();

/* The loads, in the set-up's order. */
void P3109_LoadSystemFlags(FFC_CONTEXT* pContext);
void P3109_LoadProcessAttributes(FFC_CONTEXT* pContext, const std::string& partition, const std::string& process);
void P3109_LoadLanguages(const std::string& partition);
void P3109_LoadConditions(FFC_CONTEXT* pContext);
void P3109_LoadRenameStack(FFC_CONTEXT* pContext);
void P3109_LoadBuiltinFunctions();
void P3109_LoadComponentDefinitions(FFC_CONTEXT* pContext, const std::string& partition);
void P3109_LoadReportSlots(FFC_CONTEXT* pContext);

/* Lookups. */
const GEN_BIF_DEFINITION* P3109_pFindBuiltinFunction(const std::string& name);
/* The condition of that name; null when none (the caller reports it). */
const GEN_CONDITION* P3109_pFindCondition(const std::string& name);
GEN_CONDITION* P3109_pFindConditionForUpdate(const std::string& name);

/* 'Y' when the SYSFLAGS byte at the offset is 'Y'. */
bool P3109_fSysFlag(size_t ulOffset);
/* Forgets every per-process definition (tests, and a library unload). */
void P3109_ForgetProcessDefinitions();

#endif
