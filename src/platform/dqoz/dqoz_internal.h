/*
** Helpers shared by the files of the OS layer: the per-thread failure text
** and the case folding of file names.
*/
#ifndef DQOV_PLATFORM_DQOZ_INTERNAL_H
#define DQOV_PLATFORM_DQOZ_INTERNAL_H

#include <string>

namespace dqoz {

/* Records text as the calling thread's last failure and returns rc, so that a
** failing call can end with `return Fail(rc, "...")`. */
unsigned long Fail(unsigned long rc, std::string text);

/* Status for an errno value of a failing file-system call. */
unsigned long StatusFromErrno(int err);

/* c in lower case when it is an ASCII capital letter: file names match
** without regard to case, other bytes as they are. */
inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace dqoz

#endif
