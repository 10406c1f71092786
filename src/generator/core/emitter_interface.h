/*
** emitter_interface.h: how the command emitters and the section writers of
** the generator reach the core.
**
** The command loop binds each command to its emitter through a function
** pointer of its emitter table (command_loop.cpp); the skeleton engine calls
** each point's writer through the point table (skeleton_points.cpp).
*/
#ifndef GENERATOR_CORE_EMITTER_INTERFACE_H
#define GENERATOR_CORE_EMITTER_INTERFACE_H

/* An emitter: no arguments; reads the current command and writes its code
** through the line writer. */
using P3109_EMITTER = void (*)();

#endif
