/*
** C++ side of the code-page helpers: code page numbers to character-set
** names, and whole-text conversion over iconv. For the other parts of the
** library that convert texts themselves.
*/
#ifndef DQOV_PLATFORM_QVUTIL_ICONV_H
#define DQOV_PLATFORM_QVUTIL_ICONV_H

#include <string>
#include <string_view>

namespace qvutil {

/* The code page that 0 stands for (see UTC_GetCurrentPageCode). */
unsigned DefaultCodePage();

/* iconv's name for a code page ("CP1252", "UTF-8"); 0 is the default code
** page. nullptr for a code page this library does not know. */
const char* IconvName(unsigned codePage);

/* IANA name ("windows-1252"); nullptr when unknown. */
const char* IanaName(unsigned codePage);

/* Converts in from character set `from` to `to` (iconv names). False when a
** name is unknown or the text holds a sequence that cannot be converted;
** nothing is substituted. */
bool Convert(const char* from, const char* to, std::string_view in, std::string& out);

/* As Convert, but a character that cannot be converted (a byte sequence
** that is not a character of `from`, or a character that `to` lacks)
** becomes `replacement` (text already in `to`) and the conversion goes on
** after it, so that the rest of the text survives. False only when a name
** is unknown. */
bool ConvertReplacing(const char* from, const char* to, std::string_view in, std::string& out,
                      std::string_view replacement);

}  // namespace qvutil

#endif
