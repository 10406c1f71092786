/*
** Helpers shared by the files of the OS layer: the per-thread failure text
** and the case folding of file names.
*/
#ifndef DQOV_PLATFORM_DQOZ_INTERNAL_H
#define DQOV_PLATFORM_DQOZ_INTERNAL_H

#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

namespace dqoz {

/* Records text as the calling thread's last failure and returns rc, so that a
** failing call can end with `return Fail(rc, "...")`. */
unsigned long Fail(unsigned long rc, std::string text);

/* Status for an errno value of a failing file-system call. */
unsigned long StatusFromErrno(int err);

/* The mapping of a path onto the host, as the file system holds it, without
** the view of the job's file work. */
unsigned long MapPathAsIs(std::string_view path, std::string& out);

/* A host path read from a journal, taken only where it lies under the
** environment root as written (it starts with the root, has a component
** below it, steps nowhere with "." or "..") and the folder that holds it
** resolves below the root: 0 and the path in out, else
** DQOZ_ERROR_FILENAME_EXCED_RANGE with the reason. */
unsigned long ConfineToRoot(std::string_view host, std::string& out);

/* Has the path mapping keep the directories it finds (from the start of a
** file work to its end), or keep none; what was kept is dropped either way. */
void KeepDirectories(bool keep);
/* Forgets the directories kept so far (DosForgetKeptDirectories). */
void ForgetKeptDirectories();

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

/* The journal of the job's file work (dqoz_journal.cpp); the file work
** calls these holding its own lock. */
/* A new file work: a new job identity, and a journal kept from the first
** thing the work makes when an owner was given (DosJournalFileWork). */
void StartJournal();
/* The end of the work: its journal goes. */
void EndJournal();
/* ".dqov-new-" and the job's identity: the end of the names of the files
** the work writes aside. */
std::string AsideSuffix();
/* The name ends as the name of a file written aside by a job does. */
bool IsAsideName(std::string_view name);
/* One line of the journal, made first when it is not yet: 0, or the
** failure (with its text) when it cannot be made or written; the work must
** then not go on. */
unsigned long JournalLine(std::string_view kind, const std::string& host);
/* The list of what the commit does, put in the journal's place; made is
** set when the work made anything (the journal is then made first). */
struct JournalEntry {
    std::string kind, value;
};
unsigned long JournalCommitList(const std::vector<JournalEntry>& entries, bool made);
/* The work keeps a journal that is open. */
bool JournalKept();
/* Puts the new text written at aside in place at host (dqoz_filework.cpp):
** 0 or errno. */
int PutInPlace(const std::string& aside, const std::string& host);

/* An open file descriptor, closed with its owner. */
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

/* c in lower case when it is an ASCII capital letter: file names match
** without regard to case, other bytes as they are. */
inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace dqoz

#endif
