/*
** csharp_files.h: the C# target: the wrappers of the generated C# files
** (namespace and partial class of the object), and the C# pass that runs
** the five C# skeletons into the class, project, solution, assembly
** information and manifest files once the C files are complete.
*/
#ifndef GENERATOR_CORE_CSHARP_FILES_H
#define GENERATOR_CORE_CSHARP_FILES_H

#include <string>

#include "generator/core/gen_state.h"

/* The head of a generated C# file: its usings, "namespace VELMO.<name>"
** and "public partial class <name>", both left open; nothing without a
** stream. */
void P3109_WriteCSharpClassHeader(GEN_STREAM stream);
/* "}\n}" at indent 0: closes the class and the namespace. */
void P3109_WriteCSharpClassTail(GEN_STREAM stream);

/* The C# pass (the output driver runs it when C# is asked for). */
void P3109_GenerateCSharpFiles();
/* Runs one skeleton into one new output file. */
void P3109_RunSkeleton(const std::string& skeleton, const std::string& output);

#endif
