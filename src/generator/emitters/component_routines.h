/*
** component_routines.h: what every generated component routine declares
** first: its run-time blocks, taken from the request and the module frame
** it is called with, its return code, routine information and the
** cursor count it found on entry.
*/
#ifndef GENERATOR_EMITTERS_COMPONENT_ROUTINES_H
#define GENERATOR_EMITTERS_COMPONENT_ROUTINES_H

/* The locals of a component routine, one line each on the current stream
** at the current indent, in the target language. */
void P3109_EmitComponentRoutineLocals();

#endif
