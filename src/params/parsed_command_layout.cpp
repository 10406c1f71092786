/* Compile-time proof that the parsed-command layouts are sound: no two
 * elements of a command share a byte, every parameter fits the 5,000-byte
 * area, and the table is in command-number order. */
#include "params/parsed_command.h"

static_assert(dqov::cmdparm::AllLayoutsSound());
