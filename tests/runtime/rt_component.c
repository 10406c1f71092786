/*
** rt_component.c: the routines a component's record service routines call
** in the test run time: the start and the end of a component routine, and
** the requests a service makes about one of the component's records. A
** report (the only request a generated service makes) is written to
** standard output as one line:
**   "REPORT <record> <context>... <message file> <message id> <value> <value>"
** with the record's name from the field vector, the context numbers that
** follow their count, and "-" for a substitution value not given.
*/
#include <stdio.h>

#include "rt.h"
#include "x_bomstd.h"
#include "x_comstd.h"

/* The routine runs on the blocks it was handed; nothing is routed. */
X_COMP_RETURN_CODE X_Start_Component_Routine(struct X_IDS* pI, struct X_PRO* pP, struct X_FUN* pF, struct X_FLD* pV,
                                             struct X_LIST* pL, X_COMP_MODULE_FRAME* pFrame,
                                             X_COMPONENT_ROUTINE_INFO* pInfo, struct X_FUN* pActive, X_LONG lKind, ...)
{
    (void)pP, (void)pV, (void)pL, (void)pFrame;
    if (pI == pX_NULL || pF == pX_NULL)
        RT_Stop("X_Start_Component_Routine without its blocks");
    pInfo->chKind = (X_CHAR)lKind;
    pInfo->pvCaller = pActive;
    pI->pActiveCompRtnX_Fun = pF;
    return X_COMP_RETURN_OK;
}

/* The routine ends with the code it set; the caller's routine is active again. */
X_COMP_RETURN_CODE X_Terminate_Component_Routine(struct X_IDS* pI, struct X_PRO* pP, struct X_FUN* pF,
                                                 X_COMPONENT_ROUTINE_INFO* pInfo, struct X_FUN* pActive,
                                                 struct FUNCTION_STATIC_GLOBAL_1* pG1,
                                                 struct FUNCTION_STATIC_GLOBAL_2* pG2, struct X_FKEY* pKeys,
                                                 X_SHORT sEntryCursors, X_COMP_RETURN_CODE lReturnCode)
{
    (void)pP, (void)pF, (void)pG1, (void)pG2, (void)pKeys, (void)sEntryCursors;
    if (pInfo->pvCaller != (X_PVOID)pActive)
        RT_Stop("X_Terminate_Component_Routine of a routine that was not started");
    pI->pActiveCompRtnX_Fun = pActive;
    return lReturnCode;
}

static const char* textOrDash(const void* pv)
{
    return pv == pX_NULL ? "-" : (const char*)pv;
}

X_COMP_RETURN_CODE X_VAR_ProcessRecordServiceRequest(struct X_IDS* pI, struct X_PRO* pP, struct X_FUN* pF,
                                                     struct X_FLD* pV, X_SHORT sRecordVector, X_LONG lRequest,
                                                     void** apvArguments)
{
    const X_ULONG* pulContexts;
    X_ULONG i;
    (void)pI, (void)pP, (void)pF;
    if (lRequest != X_COMP_RECORD_SERVICE_REQUEST_DOCUMENT_REPORT_ERROR)
        RT_Stop("X_VAR_ProcessRecordServiceRequest of request %ld", (long)lRequest);
    if (sRecordVector < 0 || sRecordVector >= RT_scFields || pV[sRecordVector].eType != X_TYPE_RECORD)
        RT_Stop("X_VAR_ProcessRecordServiceRequest for vector entry %d, which is no record", (int)sRecordVector);
    if (apvArguments == pX_NULL || apvArguments[0] == pX_NULL || apvArguments[1] == pX_NULL ||
        apvArguments[2] == pX_NULL)
        RT_Stop("X_VAR_ProcessRecordServiceRequest without its contexts, message file or message id");
    pulContexts = (const X_ULONG*)apvArguments[0];
    printf("REPORT %s", RT_Name(&pV[sRecordVector]));
    for (i = 1; i <= pulContexts[0]; i++)
        printf(" %lu", (unsigned long)pulContexts[i]);
    printf(" %s %s %s %s\n", (const char*)apvArguments[1], (const char*)apvArguments[2], textOrDash(apvArguments[3]),
           textOrDash(apvArguments[4]));
    return X_COMP_RETURN_OK;
}
