/* What the generator hands the SELECT_SQL check: the files of the command,
 * and whether a field of its list stands in one of them under another name
 * (the generator's file-field name mangling, asked check-only). The library's
 * assembly installs the generator's functions. */
#ifndef CHECKER_SELECT_SQL_FILES_H
#define CHECKER_SELECT_SQL_FILES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"

/* One file of the current SELECT_SQL command, from its FROM_FILES entry
** and the slots the SELECT_SQL check filled. */
struct GEN_SQL_FILE {
    std::string name;        /* 10 characters: the physical file */
    std::string library;     /* 10 characters */
    std::string correlation; /* up to 3 characters */
    char cClass = 'N';       /* 'N', 'Y' another database, 'I' alternate names */
    char cMark = ' ';        /* blank: plain fields may carry mangled names */
};

struct GEN_SQL_FIELD;

struct P3100_SELECT_SQL_FILES {
    /* The files of the current command and the run context of the lookups. */
    void (*pfnSetFiles)(std::vector<GEN_SQL_FILE> files, const FFC_CONTEXT* pContext);
    /* The field's check (entry NULL, enable 1, check-only 1): a finding is
     * issued when it belongs to none of the files. */
    int16_t (*pfnCheckField)(std::string_view field, GEN_SQL_FIELD* pEntry, int32_t lEnable, int fCheckOnly);
};

/* Installs the functions (the table is not copied); without them the check
 * of a SELECT_SQL command ends the job fatally. */
void P3100_UseSelectSqlFiles(const P3100_SELECT_SQL_FILES* pFiles);

#endif
