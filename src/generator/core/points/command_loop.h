/*
** command_loop.h: the generator's command loop and its dispatcher (the
** current command and the block stack they keep: command_state.h).
*/
#ifndef GENERATOR_CORE_COMMAND_LOOP_H
#define GENERATOR_CORE_COMMAND_LOOP_H

#include "generator/core/output/command_state.h"

/* Skeleton point 1: the definition run and the emitting run. */
void P3109_GenerateCommands();
/* Dispatches the current command (the check state's command name). */
void P3109_DispatchCommand();

#endif
