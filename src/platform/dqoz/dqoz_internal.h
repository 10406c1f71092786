/*
** Helpers shared by the files of the OS layer: the per-thread failure text.
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

} // namespace dqoz

#endif
