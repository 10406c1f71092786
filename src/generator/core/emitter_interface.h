/*
** emitter_interface.h: how the command emitters and the section writers of
** the generator reach the core.
**
** The command loop binds each command to its emitter through a function
** pointer of its emitter table (command_loop.cpp); a command without one
** writes its source lines as comments only. The skeleton engine calls the
** section writer of a pending point by name (the pending-writer table of
** skeleton_points.cpp): the subsystem that implements it registers it once,
** before the first job; until then the point drops its directive line.
*/
#ifndef GENERATOR_CORE_EMITTER_INTERFACE_H
#define GENERATOR_CORE_EMITTER_INTERFACE_H

#include <cstdint>
#include <string_view>

/* An emitter: no arguments; reads the current command and writes its code
** through the line writer. */
using P3109_EMITTER = void (*)();
/* A section writer of a skeleton point, given the point's argument. */
using P3109_SECTION_WRITER = void (*)(int32_t lArgument);

void P3109_RegisterSectionWriter(std::string_view name, P3109_SECTION_WRITER pfnWriter);
P3109_SECTION_WRITER P3109_pFindSectionWriter(std::string_view name);
/* Forgets every registration (tests). */
void P3109_ClearRegistrations();

#endif
