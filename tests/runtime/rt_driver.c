/*
** rt_driver.c: runs one generated function under the test run time.
**
** It is compiled with the generated program, which it includes (GENERATED:
** the .C file's name in quotes; ENTRY: the function's routine), so that it
** reaches the program's field vector. It sets up the run-time blocks and
** the field vector, calls the function, and writes what the run left: one
** line per field, "END <name> <value>" (an alphanumeric value in
** brackets), then the lists' entries ("END LIST <name> <count>" and
** "END <list>.<n>.<field> <value>"), and how the function ended
** ("ENDED <n>", the end code of X_End_Main, or "ENDED -" when it returned
** without one). Sequence numbers given as arguments show the fields the
** same way (tagged with the number) each time the command of that number
** is about to run; with X_DEBUG the debugger hook stops the function after
** the last of them has been shown. With "--most N" a run that has begun N
** commands without ending (a loop whose condition never changes) stops
** there with "ENDED LOOPING".
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x_glodef.h"
#include "x_funstd.h"

struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
#if defined(X_DEBUG)
static X_SHORT DebugMain(FUNCTION_STD_ARGS, X_PVCHAR pszCommand);
static X_SHORT DebugSubRoutine(FUNCTION_STD_ARGS, X_PVCHAR pszCommand);
#endif

#include GENERATED

#include "rt.h"

#define RT_VECTOR_SIZE ((int)(sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)))

static int sWatched[64], scWatched, sfStopAfterLast;
static long slMost, slBegun;

#if defined(X_DEBUG)
static X_SHORT DebugMain(FUNCTION_STD_ARGS, X_PVCHAR pszCommand)
{
    int i, watched = 0;
    char tag[16];
    (void)pX_Ids, (void)pX_Pro, (void)pX_List, (void)X_FKey, (void)pGlobal1, (void)pGlobal2, (void)pszCommand;
    if (slMost > 0 && ++slBegun > slMost) {
        /* the working areas are left as they stand: no leak check of them */
        printf("ENDED LOOPING\n");
        fflush(stdout);
        _Exit(0);
    }
    for (i = 0; i < scWatched; i++)
        watched |= sWatched[i] == pX_Fun->sSequence;
    if (!watched)
        return 0;
    snprintf(tag, sizeof tag, "%d", pX_Fun->sSequence);
    RT_ShowFields(tag, pX_Fld, RT_VECTOR_SIZE);
    return sfStopAfterLast && pX_Fun->sSequence == sWatched[scWatched - 1];
}

/* The same in a subroutine: the fields shown, the run never stopped there. */
static X_SHORT DebugSubRoutine(FUNCTION_STD_ARGS, X_PVCHAR pszCommand)
{
    const int stop = sfStopAfterLast;
    X_SHORT shown;
    sfStopAfterLast = 0;
    shown = DebugMain(FUNCTION_STD_PARMS, pszCommand);
    sfStopAfterLast = stop;
    return shown;
}
#endif

int RT_EndCode = -1;

int main(int argc, char **argv)
{
    static struct X_IDS ids;
    static struct X_PRO pro;
    static struct X_FUN fun;
    static struct FUNCTION_STATIC_GLOBAL_1 global1;
    static struct FUNCTION_STATIC_GLOBAL_2 global2;
    static struct FUNCTION_STATIC_GLOBAL_3 global3;
    static struct X_FLD fields[sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)];
    static struct X_FKEY keys[X_FKEY_TOTAL];
    int i;
    for (i = 1; i < argc && scWatched < 64; i++) {
        if (strcmp(argv[i], "--stop") == 0)
            sfStopAfterLast = 1;
        else if (strcmp(argv[i], "--most") == 0 && i + 1 < argc)
            slMost = atol(argv[++i]);
        else
            sWatched[scWatched++] = atoi(argv[i]);
    }
#if defined(X_DEBUG)
    (void)DebugSubRoutine; /* a function without subroutines calls none */
#endif
    RT_BeginRun(&ids, &fun, fields, FUNCTION_FIELD_DEF, RT_VECTOR_SIZE, &global3);
    ENTRY(&ids, &pro, &fun, fields, pX_NULL, keys, &global1, &global2);
    RT_ShowFields("END", fields, RT_VECTOR_SIZE);
    RT_ShowLists("END");
    if (RT_EndCode >= 0)
        printf("ENDED %d\n", RT_EndCode);
    else
        printf("ENDED -\n");
    RT_EndRun(&ids);
    return 0;
}
