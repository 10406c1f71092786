/*
** rt.h: the test run time's own declarations, shared by its parts: the
** stop of a run, exact decimals, the value of a field of any kind as a
** decimal or a text, and the side tables of lists and arrays.
**
** The test run time runs generated programs in a test. It is written from
** the run-time interface in samples/runtime/c and what the generated text
** asks of it: the fields as the run time holds them, the vector services,
** arrays through their index fields, working lists of both table layouts,
** the instruction-table evaluator, subroutines' exchange, and in-memory
** files. A routine it gives no meaning stops the run with a message naming
** it, so that a generated program never runs past a call that would have
** done something here unseen.
*/
#ifndef RT_H
#define RT_H

#include <stddef.h>

#include "x_glodef.h"
#include "x_funstd.h"
#include "x_varexp.h"

/* ---- the stop of a run ---- */
/* Writes "run time: <text>" to standard error and ends the run with 3. */
void RT_Stop(const char *pszFormat, ...);
/* The routine that has no meaning here: "<name> is not part of the test run time". */
void RT_NotHere(const char *pszRoutine);

/* ---- exact decimals ---- */
#include "rt_decimal.h"

/* ---- fields ---- */
/* The storage kinds of a field descriptor. */
typedef enum {
    RT_KIND_ALPHA, RT_KIND_PACKED, RT_KIND_SIGNED, RT_KIND_LONG, RT_KIND_DOUBLE, RT_KIND_INTEGER, RT_KIND_FLOAT,
    RT_KIND_BOOLEAN, RT_KIND_CHAR, RT_KIND_SHORT_CHAR, RT_KIND_DATE, RT_KIND_TIME, RT_KIND_DATETIME, RT_KIND_BINARY,
    RT_KIND_LOB, RT_KIND_OTHER
} RT_KIND;

RT_KIND RT_KindOf(const struct X_FLD *f);
int RT_IsNumericKind(RT_KIND k);
/* The field's name without its trailing blanks, for messages. */
const char *RT_Name(const struct X_FLD *f);
/* The storage of field s: an array element's at its index's value. */
unsigned char *RT_Data(struct X_FLD *pX_Fld, int s);
/* The field as a decimal (a numeric field) or a text (any field): read
** from and stored into the storage `data` described by `f`. A store that
** does not fit ends the program (X_Fatal_Error) and answers non-zero. */
void RT_ReadDecimal(const struct X_FLD *f, const unsigned char *data, RT_DEC *v);
int RT_StoreDecimal(struct X_IDS *pX_Ids, const struct X_FLD *f, unsigned char *data, const RT_DEC *v);
/* The shown form: an alphanumeric value as it stands, a number as a
** decimal text, a boolean as 1 or 0; at most `size` - 1 characters. */
void RT_ReadText(const struct X_FLD *f, const unsigned char *data, char *text, size_t size);
void RT_StoreText(struct X_IDS *pX_Ids, const struct X_FLD *f, unsigned char *data, const char *text, size_t length);
/* The field's SQL-null state, for a field that carries one. */
int RT_HasState(const struct X_FLD *f);
/* Clears an index field's cached value after a store (X_Vec_Set_Index). */
void RT_SetIndexValue(struct X_FLD *pX_Fld, int s);

/* Every simple field and index of the vector still all zero bytes set to
** its null value: blanks, a decimal zero. */
void RT_ClearFields(struct X_FLD *pX_Fld, int scFields);

/* The bounds the program registered for its array elements (per vector
** entry; 0 for no element). */
void RT_SetArrayBounds(const X_SHORT *psBounds, int scBounds);

/* ---- the shown state of a run ---- */
/* Writes one line "<tag> <name> <value>" per field of the vector that is a
** simple field or an index. */
void RT_ShowFields(const char *pszTag, struct X_FLD *pX_Fld, int scFields);
/* Writes "<tag> <name> <value>" for one field's storage. */
void RT_ShowValue(const char *pszTag, const char *pszName, const struct X_FLD *f, const unsigned char *data);
/* Writes each list's entries: "<tag> LIST <name> <count>", then per entry
** and field "<tag> <list>.<n>.<field> <value>". */
void RT_ShowLists(const char *pszTag);

/* Releases the lists' entries and instance tables at the end of a run. */
void RT_ReleaseLists(void);
/* A value of `length` bytes into a varying field. */
void RT_SetVarChar(X_FLD_CHAR *pChar, const void *pvText, size_t length);
/* Releases the varying fields' texts at the end of a run. */
void RT_ReleaseTexts(void);
/* Releases the store slots of the report routines at the end of a run. */
void RT_ReleaseSlots(void);
/* The number of languages of the texts the program registers. */
void RT_SetLanguageCount(int scCount);

/* The start of a driver's run: the field vector `pFields` of `scFields`
** fields filled from the program's definition `pDefinition`, the run
** time's hold on it and on the function block, and the blocks as a run of
** the function in display mode finds them (no fatal error, the vector's
** assignments unchecked, the function beginning, its third global area). */
void RT_BeginRun(struct X_IDS *pIds, struct X_FUN *pFun, struct X_FLD *pFields, const struct X_FLD *pDefinition,
                 int scFields, void *pvGlobal3);
/* The end of a driver's run: "FATAL ERROR SET" when the run set the fatal
** error, and the lists, store slots and texts released. */
void RT_EndRun(const struct X_IDS *pIds);

/* The function's field vector, as the driver set it up. */
extern struct X_FLD *RT_pFields;
extern int RT_scFields;
/* The function's block, whose command sequence the stops name. */
extern struct X_FUN *RT_pFun;

#endif
