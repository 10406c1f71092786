/*
** Helpers shared by the files of the OS layer: the per-thread failure text
** and the case folding of file names.
*/
#ifndef DQOV_PLATFORM_DQOZ_INTERNAL_H
#define DQOV_PLATFORM_DQOZ_INTERNAL_H

#include <string>
#include <string_view>

namespace dqoz {

/* Records text as the calling thread's last failure and returns rc, so that a
** failing call can end with `return Fail(rc, "...")`. */
unsigned long Fail(unsigned long rc, std::string text);

/* Status for an errno value of a failing file-system call. */
unsigned long StatusFromErrno(int err);

/* The mapping of a path onto the host, as the file system holds it, without
** the view of the job's file work. */
unsigned long MapPathAsIs(std::string_view path, std::string& out);

/* Replaces a mapped host path by the name its new text is written under
** while the job's file work holds one for it (dqoz_filework.cpp). */
void ViewThroughFileWork(std::string& host);

/* Pattern of DosDelete: '*' any run, '?' one character, letters without
** regard to case; "name.*" also takes "name" without an extension. */
bool PatternMatches(std::string_view pat, std::string_view name);

/* The parts of the job's file work that the file calls reach
** (dqoz_filework.cpp). Each answers false, and does nothing, when no file
** work is open (or the path is scratch of the job): the call then acts at
** once. */
/* DosDelete of the name (or pattern) last in directory dir; rc its status. */
bool DeleteInFileWork(const std::string& dir, const std::string& last, bool pattern, unsigned long& rc);

/* c in lower case when it is an ASCII capital letter: file names match
** without regard to case, other bytes as they are. */
inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace dqoz

#endif
