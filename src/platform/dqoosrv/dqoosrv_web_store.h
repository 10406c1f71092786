// Object server, web services: the repository helpers shared by the web
// functions - running a statement, reading one text, and the document texts
// kept in pieces (QV_OWT) because a stylesheet is longer than one bound
// value may be.
#ifndef DQOV_PLATFORM_DQOOSRV_WEB_STORE_H
#define DQOV_PLATFORM_DQOOSRV_WEB_STORE_H

#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoosrv/dqoosrv_web.h"

#include <optional>
#include <string>

namespace osrvweb {

// A text argument as the repository compares it (NULL gives "").
inline std::string arg(const char* text)
{
    return dqoo::trimmedName(text);
}

// The session's partition.
std::string partition();

// Runs a declared INSERT, UPDATE or DELETE; false on failure.
bool run(SSQL_AREA& area, const char* location);

// The first column (a text) of the first row of a declared SELECT;
// std::nullopt when there is no row, *failed set on a failure.
std::optional<std::string> firstText(SSQL_AREA& area, const char* location, bool* failed);

// Number of rows counted by a declared "SELECT COUNT(*)"; -1 on failure.
long count(SSQL_AREA& area, const char* location);

// Stores a document text under a new number (*id); false on failure.
bool storeText(const char* text, long* id);
// Reads the document text of the number; false on failure.
bool loadText(long id, std::string& text);
// Removes the document text of the number.
bool dropText(long id);

// The stored date and time of now: YYYYMMDD and HHMMSSmmm.
void stamp(int32_t* date, int32_t* time);

}  // namespace osrvweb

#endif
