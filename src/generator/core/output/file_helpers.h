/*
** file_helpers.h: reading skeleton and work-file lines, opening the
** generator's files with its messages, whole-buffer writes, resource
** listing lines and the copies of skeleton includes and work files.
**
** Paths are given in the form the generator forms them (backslashes) and
** are mapped onto the host by the OS layer when a file is opened.
*/
#ifndef GENERATOR_CORE_FILE_HELPERS_H
#define GENERATOR_CORE_FILE_HELPERS_H

#include <cstddef>
#include <string>
#include <string_view>

#include "generator/core/output/gen_state.h"

/* True with the line (trailing blanks and line-end characters removed, one
** blank appended with the flag), false at end of file or on a read error. A
** line longer than 4,100 characters is not split: it is reported as an
** error of the skeleton file (DCM9992, severity 'F', counted as an output
** failure) and reading ends with false. An interruption of the process ends
** the job (FFC_StopWhenInterrupted). */
bool P3109_fReadSkeletonLine(GEN_STREAM stream, int fAppendBlank, std::string& line);

/* Open helpers: the stream, or GEN_NO_STREAM after PRC1001 (input) or
** PRC1002 (output, append), severity 'F', with the 256-character name. */
GEN_STREAM P3109_pOpenInputFile(const std::string& name);
GEN_STREAM P3109_pOpenOutputFile(const std::string& name);
GEN_STREAM P3109_pOpenAppendFile(const std::string& name);

/* Writes the line buffer (text placed at its columns) through the line
** writer with its trailing blank, the blanks that end the text dropped;
** then fills the buffer with GEN_LINE_LIMIT blanks again for the next line. */
void P3109_WriteLineAndClear(GEN_STREAM stream, std::string& line);
/* Writes the buffer to the file in pieces of at most 10,240 bytes; a
** failure ends the process through P3109_InternalError. Returns 0. */
int P3109_WriteWholeFile(const void* pData, size_t ulBytes, const std::string& name);
/* Writes a resource listing line naming the file by its path. */
void P3109_WriteShortPathListing(GEN_STREAM stream, const std::string& directory, const std::string& fileName,
                                 int iNumber, std::string_view typeText, int fReportFailure);
std::string P3109_CopyDoublingBackslashes(std::string_view source);

/* Copies the skeleton include (root\X_VELMO\SOURCE\ + name) line by line to
** the stream; PRC1001 when it cannot be opened. */
void P3109_CopySkeletonInclude(GEN_STREAM stream, const std::string& fileName);
/* The same for a file given by its full path (the work files). */
void P3109_AppendWorkFile(GEN_STREAM stream, const std::string& path);

/* A file the job writes and then reads back itself only (the subroutines
** and reporting routines appended to the main program). Where the job's
** file work would write it aside, its text is kept in a scratch file with
** no name instead: nothing is made on disk and nothing is left to remove,
** and whatever has the name on disk is left to the job as before (its
** removal is the caller's). Otherwise it is opened and read by its name
** as P3109_pOpenOutputFile and P3109_AppendWorkFile do. */
class GEN_WORK_FILE {
public:
    GEN_WORK_FILE() = default;
    GEN_WORK_FILE(const GEN_WORK_FILE&) = delete;
    GEN_WORK_FILE& operator=(const GEN_WORK_FILE&) = delete;
    ~GEN_WORK_FILE();
    /* The stream to write the file's lines to (closed with
    ** P3109_CloseStream), or GEN_NO_STREAM after PRC1002. */
    GEN_STREAM Open(const std::string& name);
    /* After the stream is closed: copies the file's lines to the stream
    ** as P3109_AppendWorkFile does; the scratch text is dropped. */
    void AppendTo(GEN_STREAM stream);

private:
    std::string name_;
    int fd_ = -1; /* the scratch file, kept open past its stream */
};

/* Deletes a file given in generator form; failures are ignored. */
void P3109_DeleteFile(const std::string& name);
/* Removes an empty directory given in generator form; failures are ignored. */
void P3109_RemoveDirectory(const std::string& name);

#endif
