/*
** csharp_jumps.h: the jumps of a generated C# method that C# cannot take
** as the C program writes them, made re-entries.
**
** C lets a goto reach any label of its function; C# only a label of a
** block that encloses the goto. A jump to a label in a block it is outside
** of (an earlier branch of a CASE, the body of a loop the jump follows, the
** other branch of an IF, the inside of a DOUNTIL whose command bears the
** label) is made a re-entry of that block, so the C# program goes on from
** the label as the C program does.
*/
#ifndef GENERATOR_CORE_CSHARP_JUMPS_H
#define GENERATOR_CORE_CSHARP_JUMPS_H

#include <cstdint>
#include <string>
#include <vector>

#include "generator/core/output/line_writer.h"

/* The method's local that carries a re-entry to its label. */
inline constexpr const char* GEN_RESUME_POINT = "lResumePoint";

/* Mends the jumps of one method's lines: for the main function's commands
** the lines of its body (fMethodHead false); for a routine its whole text,
** from before its signature to its closing brace (fMethodHead true). Lines
** whose braces do not balance are left as they are. Answers false, with
** the jump in `refused`, for a jump into a block that cannot be re-entered
** (a switch, a try block), and the number of the
** command it belongs to (the last "sSequence" set before it, 0 for none);
** nothing is changed then. */
bool P3109_fMendCSharpJumps(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead, std::string& refused,
                            int32_t* plCommand = nullptr);

/* C: a goto may enter any block, but the variables a block declares before
** the label are then left unset (the counter of a SELECT loop): the jumps
** that skip such declarations are made the same re-entries, so the block's
** declarations are made before the statements at the label run. Other
** jumps are left as written. */
void P3109_MendJumpsPastDeclarations(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead);

/* Mends the jumps of the lines a stream holds (P3109_HoldStreamLines with
** "goto" watched), as the two above do (fCSharp: the C# mending, else the
** jumps past declarations), and ends the holding. The lines are read
** where they are held, a part at a time; they are taken and written again
** only when a jump is mended, else they stay as written. Answers false,
** with the jump refused and its command, as P3109_fMendCSharpJumps does;
** the lines are then left as they are. */
bool P3109_fMendHeldJumps(GEN_STREAM stream, bool fMethodHead, bool fCSharp, std::string& refused,
                          int32_t* plCommand = nullptr);

#endif
