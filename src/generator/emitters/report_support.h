/*
** report_support.h: the print clusters of a function's reports and what
** the report emitters share.
**
** Every DEF_HEAD, DEF_FOOT, DEF_LINE and DEF_BREAK makes a print cluster of
** its report in the definition run, writes the print routines of its lines
** (Print_Routine_n) and enters them into the report's print-line tables;
** the report routines of skeleton point 37 call them cluster by cluster,
** and PRINT calls the routines of the clusters.
*/
#ifndef GENERATOR_EMITTERS_REPORT_SUPPORT_H
#define GENERATOR_EMITTERS_REPORT_SUPPORT_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/definitions.h"

/* The kinds of a cluster (the DEF_ command that made it). */
enum GEN_CLUSTER_KIND : int { GEN_CLUSTER_HEAD = 1, GEN_CLUSTER_FOOT = 2, GEN_CLUSTER_LINE = 3, GEN_CLUSTER_BREAK = 4 };

/* The print-line tables of a report, by line type, and their capacities. */
enum GEN_LINE_TYPE : int { GEN_LINE_HEAD, GEN_LINE_HEAD2, GEN_LINE_TRAIL, GEN_LINE_FOOT, GEN_LINE_LEAD, GEN_LINE_LINE };
inline constexpr std::array<size_t, 6> GEN_PRINT_LINE_CAPACITY = {100, 300, 50, 50, 50, 400};
inline constexpr size_t GEN_PRINT_CLUSTERS_MAX = 400;
inline constexpr size_t GEN_SORT_ENTRIES_MAX = 1024;

/* One print routine in a print-line table. */
struct GEN_PRINT_LINE_ENTRY {
    int16_t sCluster = 0;  /* the cluster whose command wrote it */
    std::string routine;   /* "Print_Routine_n" */
    std::string condition; /* 10 characters, blank for none */
};

struct GEN_PRINT_CLUSTER {
    int iKind = GEN_CLUSTER_LINE;
    char cBreak = ' ';                     /* 'L' leading, 'T' trailing break */
    uint16_t usNumber = 0, usSequence = 0; /* the command in the store */
    std::string number;                    /* the command's number text, 4 digits */
    std::string name;                      /* the print-line name, 10 characters */
    std::string identifier;                /* its C identifier */
    std::string group;                     /* the command's field group */
    int32_t lLineTotal = 0;
    std::vector<std::string> conditions;
    /* save slots in aStorePointers */
    int16_t sTriggerSlot = 0, sTriggerSlot2 = 0, sTrailSlot = 0;
};

struct GEN_REPORT_TABLES {
    std::vector<GEN_PRINT_CLUSTER> clusters;
    std::array<std::vector<GEN_PRINT_LINE_ENTRY>, 6> lines;
};

/* The calls of the print routines of one print-line table (iType) in
** table order, each under its condition: for one cluster (sCluster, its
** level) the routines of that cluster after the tests of the conditions its
** lines name; for the whole table (sCluster -1) consecutive entries of one
** condition in one block under that condition's test. */
void P3109_WriteConditionRoutineCall(const GEN_REPORT_TABLES& tables, int iType, int16_t sCluster);
/* The tables of report n (1 to 9); null for another number. */
GEN_REPORT_TABLES* P3109_pReportTables(int32_t lReport);
/* The report slot of report n; null for another number. */
GEN_REPORT_SLOT* P3109_pReportSlot(int32_t lReport);

/* The field-index arrays of a group (its "GROUPFLD" records; page-number
** fields left out) and of a list of names (blank names, names beginning
** '*' and fields the function does not use left out; page-number fields
** too unless fKeepPageFields). */
void P3109_EmitGroupFieldArray(std::string_view group, std::string_view arrayName);
void P3109_EmitBreakFieldArray(const std::vector<std::string>& names, std::string_view arrayName, bool fKeepPageFields);

/* The new-page test of a report for k lines: block form or statement form. */
enum GEN_NEW_PAGE_FORM { GEN_NEW_PAGE_BLOCK, GEN_NEW_PAGE_STATEMENT };
void P3109_EmitNewPageTest(int32_t lReport, int32_t lLines, GEN_NEW_PAGE_FORM form);

/* The calls of the run time that space lines and skip to a line of a
** report; fSpaced chooses the spacing of the break routines' form. */
std::string P3109_SpaceLinesCall(const std::string& report, const std::string& lines, bool fSpaced);
std::string P3109_SkipToLineCall(const std::string& report, const std::string& line);

/* Forgets the clusters (the set-up). */
void P3109_ResetReportEmitters();

#endif
