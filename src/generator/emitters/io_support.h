/*
** io_support.h: what the emitters of the file commands share: the file a
** command works on (its name, library and the physical file that names its
** I/O module), its field group, the state of the job's I/O requests, and
** the quoting of names inside generated C strings.
*/
#ifndef GENERATOR_EMITTERS_IO_SUPPORT_H
#define GENERATOR_EMITTERS_IO_SUPPORT_H

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "generator/emitters/emitters.h"

/* The file of the current command. */
struct GEN_IO_FILE {
    std::string file;            /* 10 characters as held, upper-cased */
    std::string library;         /* 10 characters as held */
    std::string physical;        /* 10 characters: the physical file, which names the I/O module */
    std::string physicalLibrary; /* trimmed: the library that holds the physical file, empty when unknown */
    bool fLibraryNamed = false;  /* a library was named (neither blank nor *FIRST nor *LIBL) */
    bool fLogical = false;       /* the file is a logical view */
};

/* The file named by the current command's file parameter (its first
** element), resolved against the repository. */
GEN_IO_FILE P3109_CurrentIoFile();
/* The same for a file and library given. */
GEN_IO_FILE P3109_ResolveIoFile(std::string_view file, std::string_view library);
/* The name of the I/O module of a physical file: at most 10 characters up
** to the first NUL, trailing blanks dropped, one blank when empty. */
std::string P3109_IoModuleName(std::string_view physical);
/* A text made safe inside a C string literal (control characters become
** blanks, the characters that could end or escape the literal hexadecimal
** escapes); its trailing blanks are kept. */
std::string P3109_QuotedCText(std::string_view text);
/* The same text as a whole string literal of the current target, in its
** double quotes. */
std::string P3109_QuotedText(std::string_view text);
/* The name of the current command's field group: the group the checker
** recorded, else the command's field list recorded once as a group of its
** own (empty when the command names no field). */
std::string P3109_IoFieldGroup();
/* The real ("FFD") or virtual ("VFD") fields of a physical file, in order. */
std::vector<std::string> P3109_FileFieldNames(std::string_view physical, std::string_view library,
                                              std::string_view type);
/* Whether the keyword is given as "*YES" (first 4 characters). */
bool P3109_fParmIsYes(std::string_view keyword);
/* The frame of an I/O command's code: the X_VAR frame when the statement
** has evaluations, else an empty line and "{". */
void P3109_OpenIoFrame(bool fEvaluations);
void P3109_CloseIoFrame(bool fEvaluations);

/* The routine section's share of the SELECT and SELECT_SQL loops: their
** prototypes, then per loop its selection and close routine (on the
** current stream); the body of a SELECT_SQL close routine. */
void P3109_WriteSelectPrototypes(GEN_STREAM stream);
void P3109_WriteSelectRoutines();
void P3109_WriteSelectSqlClose(const GEN_SELECT_NODE& select);
/* The registration of a loop's close routine among the open cursors, and
** the count of open cursors raised. */
void P3109_WriteCloseCursorRegistration(std::string_view closeName);

/* The six bytes that identify the current command as a loop (its line,
** 32-bit, and sub-line, 16-bit), under which its KEEP_ commands are kept. */
std::array<char, 6> P3109_LoopId();

/* Declares the request block pointer of a loop (and the connection it
** uses) with the static working variables, once. */
void P3109_RegisterFileAccessBlock(const GEN_FILE_ACCESS_BLOCK& block);

/* The I/O state of one generation. */
struct GEN_IO_STATE {
    std::map<std::string, int32_t> counters; /* module name -> its counter number */
    int32_t lCounterNumber = 0;
    std::map<std::string, GEN_IO_FILE> files; /* resolved files by file and library */
    std::set<std::string> recordedGroups;     /* the field groups recorded for commands */
    uint64_t ulGroupSerial = 0;               /* the reading of the command the group below is of */
    std::string group;                        /* its field group (P3109_IoFieldGroup) */
};
GEN_IO_STATE& P3109_IoState();
/* Forgets the I/O state (the set-up of a generation). */
void P3109_ResetIoState();

#endif
