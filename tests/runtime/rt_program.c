/*
** rt_program.c: the routines a generated function calls around its
** commands in the test run time: the registrations of its tables (the
** array bounds are kept, the texts are taken and not used), the end of the
** main function, the clearing of the function's fields, the function mode
** field, and the exchange list of a
** function that no other function called (it holds nothing); and the start
** and end of a driver's run.
*/
#include <stdio.h>
#include <string.h>

#include "rt.h"

extern int RT_EndCode;

void RT_BeginRun(struct X_IDS *pIds, struct X_FUN *pFun, struct X_FLD *pFields, const struct X_FLD *pDefinition,
                 int scFields, void *pvGlobal3)
{
    memcpy(pFields, pDefinition, (size_t)scFields * sizeof *pFields);
    RT_pFields = pFields;
    RT_scFields = scFields;
    RT_pFun = pFun;
    pIds->chFatalError = NO;
    pIds->chXVecAssignOption = (X_CHAR)-1;
    pIds->chExecutionState = 'B';
    pFun->pvGlobal3 = pvGlobal3;
    pFun->chMode = X_FUNCTION_MODE_DISPLAY;
    pFun->chError = NO;
    pFun->chShutDown = NO;
    pFun->pX_Fld = pFields;
    pFun->scX_Fld = (X_SHORT)scFields;
}

void RT_EndRun(const struct X_IDS *pIds)
{
    if (pIds->chFatalError == YES)
        printf("FATAL ERROR SET\n");
    RT_ReleaseLists();
    RT_ReleaseSlots();
    RT_ReleaseTexts();
}

void X_End_Main(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_SHORT sEnd)
{
    (void)pI, (void)pP, (void)pF;
    RT_EndCode = sEnd;
}

void X_Return(FUNCTION_STD_ARGS)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1,
        (void)pGlobal2;
}

/* The first registration follows the binding of the field vector: the
** fields the function has not given a value yet are cleared here. */
void X_Register_Language_Table(struct X_IDS *pI, const struct X_LANG *pTable, X_SHORT sCount,
                               const X_PVCHAR *ppszDescriptions)
{
    (void)pI, (void)pTable, (void)ppszDescriptions;
    RT_SetLanguageCount(sCount);
    RT_ClearFields(RT_pFields, RT_scFields);
}

void X_Register_Debug_Arrays(struct X_IDS *pI, const struct X_DEBUG_ARRAY *pArrays, X_SHORT sCount,
                             const X_SHORT *psBounds)
{
    (void)pI, (void)pArrays, (void)sCount;
    RT_SetArrayBounds(psBounds, RT_scFields);
}

/* The built-in function's parameters are taken and not used: the test run
** time runs no built-in function program. */
void X_Register_Bif_Parameters(struct X_IDS *pI, const struct X_BIFPARM *pArguments, X_SHORT sArguments,
                               const struct X_BIFPARM *pReturns, X_SHORT sReturns)
{
    (void)pI, (void)pArguments, (void)sArguments, (void)pReturns, (void)sReturns;
}

/* The mode field shows the function's mode: ADD, CHG, DLT or DSP. */
void X_Reset_Function_Mode(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sField)
{
    const char *mode = pF->chMode == X_FUNCTION_MODE_ADD      ? "ADD"
                       : pF->chMode == X_FUNCTION_MODE_CHANGE ? "CHG"
                       : pF->chMode == X_FUNCTION_MODE_DELETE ? "DLT"
                                                              : "DSP";
    (void)pP;
    if (sField == V_NOT_AVAILABLE)
        return;
    RT_StoreText(pI, &pV[sField], RT_Data(pV, sField), mode, strlen(mode));
}

/* A function run on its own receives nothing. */
void X_Get_From_Exchange_List(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV)
{
    (void)pI, (void)pP, (void)pF, (void)pV;
}

/* A field the function holds itself has nothing to refresh its value from. */
void X_Refresh_Field_Value(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pField)
{
    (void)pI, (void)pP, (void)pF;
    if (pField->eType == X_TYPE_COMPONENT)
        RT_Stop("X_Refresh_Field_Value of component field %s", RT_Name(pField));
}

/* A field the function holds itself has no component to refresh. */
void X_Refresh_Component_Value(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pField)
{
    (void)pI, (void)pP, (void)pF;
    if (pField->eType == X_TYPE_COMPONENT)
        RT_Stop("X_Refresh_Component_Value of component field %s", RT_Name(pField));
}

/* Blanks the length of the longest alphanumeric field (256): a comparison of
** fields of unequal lengths compares the longer one's tail with them. */
#define RT_BLANKS16 "                "
#define RT_BLANKS64 RT_BLANKS16 RT_BLANKS16 RT_BLANKS16 RT_BLANKS16
const char x_achAlphaBlankString[] = RT_BLANKS64 RT_BLANKS64 RT_BLANKS64 RT_BLANKS64;
