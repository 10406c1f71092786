/*
** skeleton_engine.h: the skeleton engine.
**
** A skeleton is a text file of target-language lines with directives: the
** condition directives "%%IF_...", "%%ELSE" and "%%ENDIF", evaluated on a
** stack of at most 100 levels, and numbered insertion points ('%' and a
** decimal number) replaced by generated text or sections. The engine works
** on the line in the module state's line buffer and leaves the keep flag;
** the caller writes kept lines.
*/
#ifndef GENERATOR_CORE_SKELETON_ENGINE_H
#define GENERATOR_CORE_SKELETON_ENGINE_H

#include <cstdint>
#include <string>
#include <string_view>

/* Level 0 true, depth 0. */
void P3109_ResetSkeletonConditions();
/* Loads a line into the line buffer (cut to the buffer). */
void P3109_SetSkeletonLine(std::string_view line);
/* The line buffer's text. */
std::string P3109_SkeletonLineText();
/* The full engine over the line buffer. */
void P3109_ProcessSkeletonLine();
/* The reduced engine of the built-in function skeleton: writes the ".PGM"
** file from the skeleton the set-up chose. */
void P3109_ProcessBifSkeleton();
/* Runs one point of the point table (the main engine's dispatch). */
void P3109_RunSkeletonPoint(int32_t lPoint);
/* The current condition level's value. */
int32_t P3109_lCurrentCondition();

/* Helpers of the point handlers, acting at the current directive. */
void P3109_BlankDirective();
void P3109_WriteAtDirective(std::string_view text);
void P3109_ReplaceDirective(std::string_view text);
/* The characters that follow the directive. */
std::string P3109_TextAfterDirective(size_t ulCount);

/* Whether the point table holds the point (tests). */
bool P3109_fPointHandledByCore(int32_t lPoint);

#endif
