/*
** rt_routine_driver.c: runs routines of one generated component under the
** test run time, one after the other, as one routine of a caller calls
** them.
**
** It is compiled with the component's module, which it includes (GENERATED:
** the .C file's name in quotes; ENTRY: the module's routine; ROUTINES: the
** C names of the component routines to call, separated by commas), with
** every part of the test run time but the function driver. It sets up the
** run-time blocks, runs the module's routine once (which binds its
** fields), makes a routine of its own the active component routine, and
** calls each routine with the module frame. After each call it writes
** "CALLED <n> <return code> <active>", where <active> is CALLER when the
** caller's routine is the active one again and ROUTINE when it is not, and
** at the end the state word of the module's function definition record
** ("FUNCTION STATE <value>", in decimal) and the component's fields
** ("END <name> <value>").
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x_funstd.h"
#include "x_glodef.h"

struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
#if defined(X_DEBUG)
/* The debugger's hook of a component routine: it never stops the routine. */
static X_SHORT DebugComponentRoutine(FUNCTION_STD_ARGS, X_PVCHAR pszCommand, X_COMPONENT_ROUTINE_INFO* pInfo,
                                     struct X_FUN* pActive)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1;
    (void)pGlobal2, (void)pszCommand, (void)pInfo, (void)pActive;
    return 0;
}
#endif

#include GENERATED

#include "rt.h"
#include "rt_module.h"

int RT_EndCode = -1;

typedef COMPONENT_STD_FUNCTION (*PFN_ROUTINE)(COMPONENT_STD_ARGS);

int main(void)
{
    static RT_MODULE m;
    static struct X_FUN caller;
    static const PFN_ROUTINE apfnRoutines[] = {ROUTINES};
    X_PVOID apvArgs[1];
    size_t i;
    RT_StartModule(&m);
    apvArgs[0] = &m.frame;
    m.ids.pActiveCompRtnX_Fun = &caller;
    for (i = 0; i < sizeof apfnRoutines / sizeof apfnRoutines[0]; i++) {
        const X_LONG lCode = apfnRoutines[i](&m.request, apvArgs, 0, pX_NULL);
        printf("CALLED %d %ld %s\n", (int)(i + 1), (long)lCode,
               m.ids.pActiveCompRtnX_Fun == &caller ? "CALLER" : "ROUTINE");
    }
    printf("FUNCTION STATE %lu\n", (unsigned long)X_Get_Function_Definition()->ulFunctionState);
    RT_ShowFields("END", m.fields, RT_VECTOR_SIZE);
    RT_EndRun(&m.ids);
    return 0;
}
