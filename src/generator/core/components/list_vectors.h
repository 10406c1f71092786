/*
** list_vectors.h: the list vectors of the generated program and the
** static working variables the commands asked for (point 20), the reload
** counters of browse lists in web jobs (point 2101), the calls of user
** built-in functions at the function's end (point 132) and the release of
** the KEEP_LAST tracking areas (point 19).
*/
#ifndef GENERATOR_CORE_LIST_VECTORS_H
#define GENERATOR_CORE_LIST_VECTORS_H

void P3109_WriteListVectors();
void P3109_WriteReloadCounters();
void P3109_WriteUserBifCalls();
void P3109_WriteKeepLastFree();

#endif
