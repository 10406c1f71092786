/*
** library_sqlite_extensions.cpp: linked into the release library beside
** SQLite's static library. That library is built with full-text search
** (FTS3/4 and FTS5), R*Tree indexes and the dbstat and sqlite_stmt tables,
** and every connection it opens registers them, although the repository and
** the library's statements use none of them. Their objects are a fifth of
** SQLite's code, and the few functions a registration runs lie scattered
** through them: each touch maps 64 KB of the library around it, a quarter
** of a megabyte resident in every job. The release library defines their
** registration entry points itself, hidden, registering nothing: the link
** then takes none of those objects from the archive. SQLite's own SQL
** functions (JSON's among them) are untouched.
*/
struct sqlite3;

#define DQOV_SQLITE_EXTENSION_LEFT_OUT(name)                                                                           \
    extern "C" __attribute__((visibility("hidden"))) int name(sqlite3*) { return 0; /* SQLITE_OK */ }

DQOV_SQLITE_EXTENSION_LEFT_OUT(sqlite3Fts3Init)
DQOV_SQLITE_EXTENSION_LEFT_OUT(sqlite3Fts5Init)
DQOV_SQLITE_EXTENSION_LEFT_OUT(sqlite3RtreeInit)
DQOV_SQLITE_EXTENSION_LEFT_OUT(sqlite3DbstatRegister)
DQOV_SQLITE_EXTENSION_LEFT_OUT(sqlite3StmtVtabInit)
