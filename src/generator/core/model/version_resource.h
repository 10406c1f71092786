/*
** version_resource.h: the VERSIONINFO block of a generated module's
** resource script: the object's version data (from the object server) and
** the generator's own identification, with the time of generation.
*/
#ifndef GENERATOR_CORE_VERSION_RESOURCE_H
#define GENERATOR_CORE_VERSION_RESOURCE_H

#include <cstdint>
#include <string>

#include "generator/core/output/gen_state.h"
#include "platform/dqoosrv/dqoosrv.h"

/* The writer's context: the resource script, the object's version record
** (its two version texts are rewritten in place), the module name and the
** partition. */
struct RCGEN_CONTEXT {
    GEN_STREAM stream = GEN_NO_STREAM;
    OSRV_VERSION_DATA* pVersion = nullptr;
    std::string moduleName;
    std::string partition;
};

/* The whole block at the base indent (the output driver passes 5). */
void RCGEN_WriteVersionInfo(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent);
/* Its three parts, in the order of use. */
void RCGEN_WriteVersionHeader(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent);
void RCGEN_WriteMakerValues(GEN_STREAM stream, int iIndent);
void RCGEN_WriteStringValues(GEN_STREAM stream, RCGEN_CONTEXT& context, int iIndent);
/* Indent blanks, the formatted text, "\r\n". */
void RCGEN_WriteIndented(GEN_STREAM stream, int iIndent, const char* pszFormat, ...)
    __attribute__((format(printf, 3, 4)));

#endif
