/* The least run time a generated function needs to run its field
** initialisation and its commands on alphanumeric and packed fields: the
** vector services that read and write the fields' values, the rest of the
** interface the program calls as routines that do nothing, and the
** debugger entry that shows the fields before chosen commands and stops the
** function at the last of them.
**
** The driver compiles it with the generated program, which it includes
** (GENERATED: the .C file's name in quotes; ENTRY: the function's routine),
** and runs it with the sequence numbers to stop at; before each it writes
** one line per alphanumeric or packed field: "<sequence> <name> <value>",
** an alphanumeric value in brackets, a packed value as a decimal number. */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x_glodef.h"
#include "x_funstd.h"

struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
static X_SHORT DebugMain(FUNCTION_STD_ARGS, X_PVCHAR pszCommand);

#include GENERATED

/* ---- packed decimals: two digits a byte, the sign in the last half ---- */

static long long packedValue(const struct X_FLD *f)
{
    const unsigned char *p = (const unsigned char *)f->pField;
    long long n = 0;
    int i;
    for (i = 0; i < f->sByteLen; i++) {
        n = n * 10 + (p[i] >> 4);
        if (i + 1 < f->sByteLen)
            n = n * 10 + (p[i] & 0x0F);
    }
    return (p[f->sByteLen - 1] & 0x0F) == 0x0D ? -n : n;
}

static void setPacked(struct X_FLD *f, long long n)
{
    unsigned char *p = (unsigned char *)f->pField;
    int negative = n < 0, i;
    unsigned long long u = negative ? (unsigned long long)(-n) : (unsigned long long)n;
    p[f->sByteLen - 1] = (unsigned char)(((u % 10) << 4) | (negative ? 0x0D : 0x0F));
    u /= 10;
    for (i = f->sByteLen - 2; i >= 0; i--) {
        p[i] = (unsigned char)(u % 10);
        u /= 10;
        p[i] |= (unsigned char)((u % 10) << 4);
        u /= 10;
    }
}

static double scale(int decimals)
{
    return pow(10.0, decimals);
}

/* ---- the vector services ---- */

void X_Vec_Set_from_Double(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,
                           X_SHORT sField, X_DOUBLE dValue)
{
    struct X_FLD *f = &pX_Fld[sField];
    (void)pX_Pro;
    (void)pX_Fun;
    /* the value holds as many decimals as the assign option says; beyond
       the field's decimals it is cut off */
    if (pX_Ids->chXVecAssignOption >= 0 && pX_Ids->chXVecAssignOption < 16)
        dValue = floor(dValue * scale(pX_Ids->chXVecAssignOption) + 0.5) / scale(pX_Ids->chXVecAssignOption);
    if (f->eType == X_TYPE_PACKED) {
        const double scaled = dValue * scale(f->sDecimals);
        setPacked(f, (long long)(scaled + (scaled < 0 ? -1e-7 : 1e-7)));
    } else if (f->eType == X_TYPE_ALPHA) {
        char text[64];
        snprintf(text, sizeof text, "%.*f", f->sDecimals, dValue);
        memset(f->pField, ' ', f->sByteLen);
        memcpy(f->pField, text, strlen(text) < f->sByteLen ? strlen(text) : f->sByteLen);
    }
}

void X_Vec_Set_from_Long(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,
                         X_SHORT sField, X_LONG lValue)
{
    pX_Ids->chXVecAssignOption = 0;
    X_Vec_Set_from_Double(pX_Ids, pX_Pro, pX_Fun, pX_Fld, sField, (X_DOUBLE)lValue);
}

void X_Vec_Get_as_Double(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,
                         X_SHORT sField, X_PDOUBLE pdValue)
{
    const struct X_FLD *f = &pX_Fld[sField];
    (void)pX_Ids;
    (void)pX_Pro;
    (void)pX_Fun;
    *pdValue = f->eType == X_TYPE_PACKED ? (double)packedValue(f) / scale(f->sDecimals) : 0.0;
}

void X_Vec_Get_as_Long(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,
                       X_SHORT sField, X_LONG *plValue)
{
    X_DOUBLE d;
    X_Vec_Get_as_Double(pX_Ids, pX_Pro, pX_Fun, pX_Fld, sField, &d);
    *plValue = (X_LONG)d;
}

X_PDICTIONARY_FIELD X_Vec_Apply_Index(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun,
                                      struct X_FLD *pX_Fld, X_SHORT sField)
{
    (void)pX_Ids;
    (void)pX_Pro;
    (void)pX_Fun;
    return pX_Fld[sField].pField;
}

/* An element is its field here (above): no index value is kept to set. */
void X_Vec_Set_Index(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,
                     X_SHORT sField)
{
    (void)pX_Ids;
    (void)pX_Pro;
    (void)pX_Fun;
    (void)pX_Fld;
    (void)sField;
}

/* An expression left to the run time's evaluator is not run here: the
** function stops before the commands that need one. */
X_VOID X_VAR_EvaluateExpression(X_VAR_EXPRESSION_FRAME *pFrame)
{
    (void)pFrame;
    fprintf(stderr, "an expression left to the run time's evaluator was reached\n");
    exit(3);
}

/* ---- the rest of the interface: nothing to do here ---- */

void X_Vec_Set_from_SysVar(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, struct X_FLD *d, X_SHORT e,
                           const char *f)
{
    (void)a, (void)b, (void)c, (void)d, (void)e, (void)f;
}
void X_Refresh_Component_Value(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, struct X_FLD *d)
{
    (void)a, (void)b, (void)c, (void)d;
}
void X_Reset_Function_Mode(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, struct X_FLD *d, X_SHORT e)
{
    (void)a, (void)b, (void)c, (void)d, (void)e;
}
void X_Get_From_Exchange_List(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, struct X_FLD *d)
{
    (void)a, (void)b, (void)c, (void)d;
}
void X_End_Main(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, X_SHORT d)
{
    (void)a, (void)b, (void)c, (void)d;
}
void X_Return(FUNCTION_STD_ARGS)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1,
        (void)pGlobal2;
}
void X_Register_Language_Table(struct X_IDS *a, const struct X_LANG *b, X_SHORT c, const X_PVCHAR *d)
{
    (void)a, (void)b, (void)c, (void)d;
}
void X_Register_Debug_Arrays(struct X_IDS *a, const struct X_DEBUG_ARRAY *b, X_SHORT c, const X_SHORT *d)
{
    (void)a, (void)b, (void)c, (void)d;
}
void X_Handle_Message(struct X_IDS *a, struct X_PRO *b, struct X_FUN *c, struct X_FLD *d, X_CHAR e, X_CHAR f,
                      const char *g, const char *h, const char *i, X_SHORT j, X_SHORT k, const X_SHORT *l)
{
    (void)a, (void)b, (void)c, (void)d, (void)e, (void)f, (void)g, (void)h, (void)i, (void)j, (void)k, (void)l;
}

/* ---- the debugger entry: the fields shown before the chosen commands ---- */

static int sWatched[32], scWatched;

static void showField(X_SHORT sSequence, const struct X_FLD *f)
{
    int i;
    if (f->pszName == pX_NULL || f->pField == pX_NULL || f->eSubtype != X_SUBTYPE_SIMPLE_FIELD)
        return;
    if (f->eType == X_TYPE_ALPHA) {
        printf("%d %s [", sSequence, f->pszName);
        for (i = 0; i < f->sByteLen; i++)
            putchar(((const char *)f->pField)[i]);
        printf("]\n");
    } else if (f->eType == X_TYPE_PACKED && f->ulFieldType == 0) {
        const long long n = packedValue(f);
        const long long unit = (long long)scale(f->sDecimals);
        printf("%d %s %s%lld", sSequence, f->pszName, n < 0 ? "-" : "", llabs(n) / unit);
        if (f->sDecimals > 0)
            printf(".%0*lld", f->sDecimals, llabs(n) % unit);
        printf("\n");
    }
}

static X_SHORT DebugMain(FUNCTION_STD_ARGS, X_PVCHAR pszCommand)
{
    int i, watched = 0;
    (void)pX_Ids, (void)pX_Pro, (void)pX_List, (void)X_FKey, (void)pGlobal1, (void)pGlobal2, (void)pszCommand;
    for (i = 0; i < scWatched; i++)
        watched |= sWatched[i] == pX_Fun->sSequence;
    if (!watched)
        return 0;
    for (i = 0; i < (int)(sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)); i++)
        showField(pX_Fun->sSequence, &pX_Fld[i]);
    return pX_Fun->sSequence == sWatched[scWatched - 1];
}

int main(int argc, char **argv)
{
    static struct X_IDS ids;
    static struct X_PRO pro;
    static struct X_FUN fun;
    static struct FUNCTION_STATIC_GLOBAL_1 global1;
    static struct FUNCTION_STATIC_GLOBAL_2 global2;
    static struct FUNCTION_STATIC_GLOBAL_3 global3;
    static struct X_FLD fields[sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD)];
    int i;
    for (i = 1; i < argc && scWatched < 32; i++)
        sWatched[scWatched++] = atoi(argv[i]);
    memcpy(fields, FUNCTION_FIELD_DEF, sizeof fields);
    fun.pvGlobal3 = &global3;
    ENTRY(&ids, &pro, &fun, fields, pX_NULL, pX_NULL, &global1, &global2);
    return 0;
}
