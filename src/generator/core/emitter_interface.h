/*
** emitter_interface.h: how the command emitters and the section writers of
** the generator reach the core.
**
** The command loop binds each command's emitter by name (the emitter table
** of command_loop.cpp) and the skeleton engine calls the section writer of
** a point by name (the pending-writer table of skeleton_points.cpp). Both
** look the name up here; the subsystem that implements an emitter or a
** section writer registers it once, before the first job. A name that is
** not registered yet falls back to the core's rule: a command writes its
** source lines as comments only, a point drops its directive line.
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

void P3109_RegisterEmitter(std::string_view name, P3109_EMITTER pfnEmitter);
P3109_EMITTER P3109_pFindEmitter(std::string_view name);
void P3109_RegisterSectionWriter(std::string_view name, P3109_SECTION_WRITER pfnWriter);
P3109_SECTION_WRITER P3109_pFindSectionWriter(std::string_view name);
/* Forgets every registration (tests). */
void P3109_ClearRegistrations();

#endif
