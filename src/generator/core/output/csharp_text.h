/*
** csharp_text.h: whether a line of generated text is C#.
*/
#ifndef GENERATOR_CORE_CSHARP_TEXT_H
#define GENERATOR_CORE_CSHARP_TEXT_H

#include <string_view>

/* Whether a line is C# as it stands: it holds no C construct -- a member
** reached through "->", an address taken or a pointer read, a pointer
** type, sizeof or a routine of the C library, a C array or
** brace-initialised object declaration, string literals put side by side,
** a C preprocessor test, or a routine of the evaluator or the vector named
** without its class. Comments count for nothing. */
bool P3109_fCSharpText(std::string_view text);

#endif
