/*
** csharp_files.h: the C# target: the wrappers of the generated C# files
** (namespace and partial class of the object), and the C# pass that runs
** the five C# skeletons into the class, project, solution, assembly
** information and manifest files once the C files are complete; and the
** skeleton points of the C# project: its resource items and their
** installation, and the fetch lines of the component members' texts.
*/
#ifndef GENERATOR_CORE_CSHARP_FILES_H
#define GENERATOR_CORE_CSHARP_FILES_H

#include <string>

#include "generator/core/model/component_lists.h"
#include "generator/core/output/gen_state.h"

/* The head of a generated C# file: its usings, "namespace VELMO.<name>"
** and "public partial class <name>", both left open; nothing without a
** stream. */
void P3109_WriteCSharpClassHeader(GEN_STREAM stream);
/* "}\n}" at indent 0: closes the class and the namespace. */
void P3109_WriteCSharpClassTail(GEN_STREAM stream);

/* Point 165: the project's item group of the component's resources, each
** written as a file of the project's Resources directory. */
void P3109_WriteProjectItemGroup();
/* One resource: its file and its item, appended to the item group text;
** the caller's count of resources with data is raised. */
void P3109_WriteBitmapReference(GEN_RESOURCE& resource, int32_t& lCount, std::string& itemGroup);
/* Point 166: the installation lines of the resources. */
void P3109_WriteInstallResources();
/* Point 96: the fetch lines of the component members' multilingual texts,
** at the directive's column. */
void P3109_WriteQualifiedName(uint16_t usIndent);

/* The C# pass (the output driver runs it when C# is asked for). */
void P3109_GenerateCSharpFiles();
/* Runs one skeleton into one new output file. */
void P3109_RunSkeleton(const std::string& skeleton, const std::string& output);

#endif
