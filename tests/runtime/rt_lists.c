/*
** rt_lists.c: working and browse lists in the test run time.
**
** X_Create_List_Instances copies the function's list definitions into an
** instance table, X_Create_List_Instances_2 into a table of long-layout
** slots whose level-1 lists hold the short layout at the slot's start
** (the program addresses them so). Each instance gets the operation table
** below; its entries live here, each the list's entry structure and its
** entry mode. The instance's entry count and current entry are kept in its
** own members (sCurrentEntrys and sCurrentEntry, sCountEntrys1 and
** sCurrentEntry1, lcCountEntrys and lcCurrentEntry), which the program
** reads; a list's COUNTER field is set to its count after every change.
**
** The operation table moves an entry between the list and the list's
** entry structure (the definition's pvEntry), which the program's
** ASSEMBLE and DISASSEMBLE macros fill and empty; an entry got with its
** disassembly asked for is moved into the function's fields as well. The run-time routines of
** browse lists (X_Add_Entry, X_Get_Entry, ...) move the entry between the
** list and the function's fields themselves, through the list's field map.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

/* The members every layout shares, reached through the instance's layout. */
typedef struct {
    void *pvSlot;  /* the instance */
    int layout;    /* 0 X_LIST, 1 X_LIST_1, 2 X_LIST_2 */
    unsigned char *entries; /* count entries of size + 1 bytes: the entry, then its mode */
    long count, capacity;
} RT_LIST;

#define RT_MAX_LISTS 64
static RT_LIST sLists[RT_MAX_LISTS];
static int scLists;
/* the instance tables made, released at the end of the run */
static void *spvTables[RT_MAX_LISTS];
static int scTables;
X_PVOID X_LIST_PTR = pX_NULL;

/* The common members of an instance of any layout. */
#define COMMON(l, member)                                                                                     \
    (*((l)->layout == 0   ? &((struct X_LIST *)(l)->pvSlot)->member                                          \
       : (l)->layout == 1 ? &((X_LIST_1 *)(l)->pvSlot)->member                                               \
                          : &((X_LIST_2 *)(l)->pvSlot)->member))

static const char *nameOf(const RT_LIST *l)
{
    return COMMON(l, pszName);
}

static size_t entrySize(const RT_LIST *l)
{
    return COMMON(l, ulEntrySize);
}

static long maxEntries(const RT_LIST *l)
{
    return COMMON(l, lMaxEntries);
}

static long currentEntry(const RT_LIST *l)
{
    return l->layout == 0   ? ((struct X_LIST *)l->pvSlot)->sCurrentEntry
           : l->layout == 1 ? ((X_LIST_1 *)l->pvSlot)->sCurrentEntry1
                            : ((X_LIST_2 *)l->pvSlot)->lcCurrentEntry;
}

static void setCurrentEntry(RT_LIST *l, long n)
{
    if (l->layout == 0)
        ((struct X_LIST *)l->pvSlot)->sCurrentEntry = (X_SHORT)n;
    else if (l->layout == 1)
        ((X_LIST_1 *)l->pvSlot)->sCurrentEntry1 = (X_SHORT)n;
    else
        ((X_LIST_2 *)l->pvSlot)->lcCurrentEntry = n;
}

/* The count in the instance and in the COUNTER field. */
static void setCount(RT_LIST *l, struct X_IDS *pX_Ids, struct X_FLD *pX_Fld, long n)
{
    l->count = n;
    if (l->layout == 0)
        ((struct X_LIST *)l->pvSlot)->sCurrentEntrys = (X_SHORT)n;
    else if (l->layout == 1)
        ((X_LIST_1 *)l->pvSlot)->sCountEntrys1 = (X_SHORT)n;
    else
        ((X_LIST_2 *)l->pvSlot)->lcCountEntrys = n;
    if (COMMON(l, svCounter) >= 0 && pX_Fld != pX_NULL) {
        RT_DEC v;
        RT_DecFromLongLong(&v, n);
        RT_StoreDecimal(pX_Ids, &pX_Fld[COMMON(l, svCounter)], RT_Data(pX_Fld, COMMON(l, svCounter)), &v);
    }
}

static unsigned char *entryAt(RT_LIST *l, long n)
{
    return l->entries + (size_t)(n - 1) * (entrySize(l) + 1);
}

/* The list of number sList in the instance table. */
static RT_LIST *listOf(struct X_LIST *pX_List, X_SHORT sList)
{
    int i;
    for (i = 0; i < scLists; ++i)
        if (sLists[i].pvSlot == (sLists[i].layout == 0 ? (void *)&pX_List[sList] : (void *)&((X_LIST_2 *)pX_List)[sList]))
            return &sLists[i];
    RT_Stop("list number %d is not in the instance table the program was given", sList);
    return pX_NULL;
}

static RT_LIST *listAt(const void *pvSlot)
{
    int i;
    for (i = 0; i < scLists; ++i)
        if (sLists[i].pvSlot == pvSlot)
            return &sLists[i];
    RT_Stop("a list pointer that is no list instance");
    return pX_NULL;
}

/* ---- entries ---- */

static int roomFor(RT_LIST *l, struct X_IDS *pX_Ids, long more)
{
    if (l->count + more > maxEntries(l)) {
        printf("FATAL list %s is full at %ld entries\n", nameOf(l), maxEntries(l));
        X_Fatal_Error(pX_Ids, pX_NULL, pX_NULL, "list full", 200);
        return 0;
    }
    if (l->count + more > l->capacity) {
        long capacity = l->capacity ? l->capacity : 8;
        while (capacity < l->count + more)
            capacity *= 2;
        l->entries = realloc(l->entries, (size_t)capacity * (entrySize(l) + 1));
        if (l->entries == pX_NULL)
            RT_Stop("no memory for list %s", nameOf(l));
        l->capacity = capacity;
    }
    return 1;
}

/* Puts the entry structure's bytes in as entry `after` + 1. */
static int insertEntry(RT_LIST *l, struct X_IDS *pX_Ids, struct X_FLD *pX_Fld, long after, X_CHAR chMode)
{
    const size_t size = entrySize(l) + 1;
    unsigned char *at;
    if (after < 0 || after > l->count)
        RT_Stop("an entry added to list %s after entry %ld of %ld", nameOf(l), after, l->count);
    if (!roomFor(l, pX_Ids, 1))
        return 0;
    at = l->entries + (size_t)after * size;
    memmove(at + size, at, (size_t)(l->count - after) * size);
    memcpy(at, COMMON(l, pvEntry), entrySize(l));
    at[entrySize(l)] = (unsigned char)chMode;
    setCount(l, pX_Ids, pX_Fld, l->count + 1);
    setCurrentEntry(l, after + 1);
    return 1;
}

static void deleteEntry(RT_LIST *l, struct X_IDS *pX_Ids, struct X_FLD *pX_Fld, long n)
{
    const size_t size = entrySize(l) + 1;
    memmove(entryAt(l, n), entryAt(l, n) + size, (size_t)(l->count - n) * size);
    setCount(l, pX_Ids, pX_Fld, l->count - 1);
}

/* The function's fields into the entry structure, and back, through the
** list's field map. */
static void assemble(RT_LIST *l, struct X_FLD *pX_Fld)
{
    X_SHORT i;
    for (i = 0; i < COMMON(l, sFld); ++i) {
        const struct X_FLD *lf = &COMMON(l, pX_Fld)[i];
        const X_SHORT v = COMMON(l, pMap)[i].sVector;
        memcpy(lf->pField, RT_Data(pX_Fld, v), lf->sByteLen);
    }
}

static void disassemble(RT_LIST *l, struct X_FLD *pX_Fld)
{
    X_SHORT i;
    for (i = 0; i < COMMON(l, sFld); ++i) {
        const struct X_FLD *lf = &COMMON(l, pX_Fld)[i];
        const X_SHORT v = COMMON(l, pMap)[i].sVector;
        memcpy(RT_Data(pX_Fld, v), lf->pField, lf->sByteLen);
        RT_SetIndexValue(pX_Fld, v);
    }
}

static int getEntry(RT_LIST *l, long n)
{
    if (n < 1 || n > l->count)
        return 0;
    memcpy(COMMON(l, pvEntry), entryAt(l, n), entrySize(l));
    setCurrentEntry(l, n);
    return 1;
}

/* ---- the operation table of a working list ---- */

static void opAddEntry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                       X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode,
                       X_YES_NO chConditions)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pP, (void)pF, (void)pC, (void)chCount, (void)chInitialise, (void)chConditions;
    insertEntry(l, pI, pV, l->count, chMode);
}

static void opAddEntryAfter(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV,
                            struct X_COND *pC, X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount,
                            X_YES_NO chInitialise, X_CHAR chMode, X_YES_NO chConditions, X_LONG lAfter,
                            X_LONG *plAdjustment)
{
    RT_LIST *l = listOf(pX_List, sList);
    const long current = currentEntry(l);
    (void)pP, (void)pF, (void)pC, (void)chCount, (void)chInitialise, (void)chConditions;
    /* an entry put in before the one a loop stands on moves it one on */
    if (insertEntry(l, pI, pV, lAfter, chMode) && plAdjustment != pX_NULL)
        *plAdjustment = lAfter < current ? 1 : 0;
}

static void opDltEntry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_LONG lEntry,
                       X_SHORT sList, struct X_LIST *pX_List, X_LONG *plAdjustment)
{
    RT_LIST *l = listOf(pX_List, sList);
    const long current = currentEntry(l);
    (void)pP, (void)pF;
    if (lEntry < 1 || lEntry > l->count) {
        printf("FATAL entry %ld deleted from list %s of %ld entries\n", (long)lEntry, nameOf(l), l->count);
        X_Fatal_Error(pI, pX_NULL, pX_NULL, "delete entry", 201);
        return;
    }
    deleteEntry(l, pI, pV, lEntry);
    /* the entry a loop stands on, or one before it, gone: the loop stays */
    if (plAdjustment != pX_NULL)
        *plAdjustment = lEntry <= current ? -1 : 0;
    if (lEntry <= current)
        setCurrentEntry(l, current - 1);
}

static void opDropEntries(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sList,
                          struct X_LIST *pX_List, X_YES_NO chAll)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pP, (void)pF, (void)chAll;
    setCount(l, pI, pV, 0);
    setCurrentEntry(l, 0);
}

static void opInzEntries(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                         X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount, X_YES_NO chInitialise,
                         X_LONG lEntries, X_CHAR chMode)
{
    RT_LIST *l = listOf(pX_List, sList);
    long i;
    (void)pP, (void)pF, (void)pC, (void)chCount, (void)chInitialise;
    /* the list holds that many entries of the fields' values */
    setCount(l, pI, pV, 0);
    assemble(l, pV);
    for (i = 0; i < lEntries; ++i)
        if (!insertEntry(l, pI, pV, l->count, chMode))
            return;
}

static void opUpdEntry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                       X_SHORT sList, struct X_LIST *pX_List, X_CHAR chMode, X_YES_NO chConditions)
{
    RT_LIST *l = listOf(pX_List, sList);
    const long n = currentEntry(l);
    (void)pP, (void)pF, (void)pV, (void)pC, (void)chConditions;
    if (n < 1 || n > l->count) {
        printf("FATAL list %s has no current entry to update\n", nameOf(l));
        X_Fatal_Error(pI, pX_NULL, pX_NULL, "update entry", 202);
        return;
    }
    memcpy(entryAt(l, n), COMMON(l, pvEntry), entrySize(l));
    entryAt(l, n)[entrySize(l)] = (unsigned char)chMode;
}

static X_YES_NO opGetEntryExt(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV,
                              struct X_COND *pC, X_SHORT sList, struct X_LIST *pX_List, X_LONG lEntry,
                              X_YES_NO chConditions, X_CHAR *pchChanged, X_BOOL fDisassemble)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pI, (void)pP, (void)pF, (void)pC, (void)chConditions;
    if (pchChanged != pX_NULL)
        *pchChanged = NO;
    if (!getEntry(l, lEntry))
        return NO;
    /* the entry's values in the function's fields too, where the program's
       tests (LOC_ENTRY's WHERE) read them */
    if (fDisassemble)
        disassemble(l, pV);
    return YES;
}

static struct X_LIST_OPERATIONS sOperations = {opAddEntry, opAddEntryAfter, opDltEntry, opDropEntries,
                                               opInzEntries, opUpdEntry, opGetEntryExt};

/* ---- instances ---- */

static void addInstance(void *pvSlot, int layout)
{
    RT_LIST *l;
    if (scLists == RT_MAX_LISTS)
        RT_Stop("more than %d lists", RT_MAX_LISTS);
    l = &sLists[scLists++];
    memset(l, 0, sizeof *l);
    l->pvSlot = pvSlot;
    l->layout = layout;
    COMMON(l, pOperationTable) = &sOperations;
    if (COMMON(l, pvEntry) == pX_NULL)
        RT_Stop("list %s has no entry structure", nameOf(l));
    setCount(l, pX_NULL, pX_NULL, 0);
    setCurrentEntry(l, 0);
}

void X_Create_List_Instances(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_SHORT sLists,
                             struct X_LIST *pDefinitions, struct X_LIST **ppX_List)
{
    struct X_LIST *table;
    X_SHORT i;
    (void)pI, (void)pP, (void)pF;
    table = calloc((size_t)(sLists > 0 ? sLists : 1), sizeof *table);
    if (scTables < RT_MAX_LISTS)
        spvTables[scTables++] = table;
    for (i = 0; i < sLists; ++i) {
        table[i] = pDefinitions[i];
        addInstance(&table[i], 0);
    }
    *ppX_List = table;
}

void X_Create_List_Instances_2(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_SHORT sLevel1,
                               X_LIST_1 *pLevel1, X_SHORT sLevel2, X_LIST_2 *pLevel2, struct X_LIST **ppX_List)
{
    const int total = sLevel1 + sLevel2;
    X_LIST_2 *table = calloc((size_t)(total > 0 ? total : 1), sizeof *table);
    int i;
    if (scTables < RT_MAX_LISTS)
        spvTables[scTables++] = table;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < sLevel1; ++i) {
        memcpy(&table[i], &pLevel1[i], sizeof pLevel1[i]);
        addInstance(&table[i], 1);
    }
    for (i = 0; i < sLevel2; ++i) {
        table[sLevel1 + i] = pLevel2[i];
        addInstance(&table[sLevel1 + i], 2);
    }
    *ppX_List = (struct X_LIST *)(void *)table;
}

X_PVOID X_List_From_Number(struct X_LIST *pX_List, X_SHORT sList, struct X_FUN *pX_Fun)
{
    (void)pX_Fun;
    return listOf(pX_List, sList)->pvSlot;
}

X_LONG X_List_Count_Entries(X_PVOID pvList)
{
    return listAt(pvList)->count;
}

/* ---- the run-time routines of browse lists (and of working lists whose
   COUNTER is one of their fields) ---- */

void X_Add_Entry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                 X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode,
                 X_YES_NO chConditions)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pP, (void)pF, (void)pC, (void)chCount, (void)chInitialise, (void)chConditions;
    assemble(l, pV);
    insertEntry(l, pI, pV, l->count, chMode);
}

void X_Add_Entry_After(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                       X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode,
                       X_YES_NO chConditions, X_SHORT sAfterField, X_LONG *plAdjustment)
{
    RT_LIST *l = listOf(pX_List, sList);
    RT_DEC after;
    RT_ReadDecimal(&pV[sAfterField], RT_Data(pV, sAfterField), &after);
    assemble(l, pV);
    opAddEntryAfter(pI, pP, pF, pV, pC, sList, pX_List, chCount, chInitialise, chMode, chConditions,
                    (X_LONG)RT_DecToLongLong(&after), plAdjustment);
    (void)l;
}

void X_Upd_Entry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                 X_SHORT sList, struct X_LIST *pX_List, X_CHAR chMode, X_YES_NO chConditions)
{
    assemble(listOf(pX_List, sList), pV);
    opUpdEntry(pI, pP, pF, pV, pC, sList, pX_List, chMode, chConditions);
}

void X_Dlt_Entry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sEntryField,
                 struct X_LIST *pX_List, X_SHORT sList, X_LONG *plAdjustment)
{
    RT_LIST *l = listOf(pX_List, sList);
    long n = currentEntry(l);
    if (sEntryField != V_NOT_AVAILABLE) {
        RT_DEC v;
        RT_ReadDecimal(&pV[sEntryField], RT_Data(pV, sEntryField), &v);
        n = (long)RT_DecToLongLong(&v);
    }
    opDltEntry(pI, pP, pF, pV, n, sList, pX_List, plAdjustment);
}

void X_Inz_Entries(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                   X_SHORT sList, struct X_LIST *pX_List, X_YES_NO chCount, X_YES_NO chInitialise, X_LONG lEntries,
                   X_CHAR chMode)
{
    opInzEntries(pI, pP, pF, pV, pC, sList, pX_List, chCount, chInitialise, lEntries, chMode);
}

void X_Drop_Entries(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sList,
                    struct X_LIST *pX_List, X_YES_NO chAll)
{
    opDropEntries(pI, pP, pF, pV, sList, pX_List, chAll);
}

static X_CHAR getAndDisassemble(RT_LIST *l, struct X_FLD *pV, long n, X_CHAR *pchChanged)
{
    if (pchChanged != pX_NULL)
        *pchChanged = NO;
    if (!getEntry(l, n))
        return NO;
    disassemble(l, pV);
    /* the entry's mode is what the routine answers */
    return (X_CHAR)entryAt(l, n)[entrySize(l)];
}

X_CHAR X_Get_Entry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                   X_SHORT sList, struct X_LIST *pX_List, X_SHORT sEntry, X_YES_NO chConditions, X_CHAR *pchChanged)
{
    (void)pI, (void)pP, (void)pF, (void)pC, (void)chConditions;
    return getAndDisassemble(listOf(pX_List, sList), pV, sEntry, pchChanged);
}

X_CHAR X_Get_Entry_2(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, struct X_COND *pC,
                     X_SHORT sList, struct X_LIST *pX_List, X_LIST_COUNT lcEntry, X_YES_NO chConditions,
                     X_CHAR *pchChanged)
{
    (void)pI, (void)pP, (void)pF, (void)pC, (void)chConditions;
    return getAndDisassemble(listOf(pX_List, sList), pV, lcEntry, pchChanged);
}

void X_DisAssemble_Entry(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sList,
                         struct X_LIST *pX_List, X_YES_NO *pchMode, X_YES_NO *pchChanged, X_YES_NO chFields)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pI, (void)pP, (void)pF, (void)chFields;
    if (currentEntry(l) < 1 || currentEntry(l) > l->count)
        RT_Stop("list %s has no current entry to disassemble", nameOf(l));
    if (pchMode != pX_NULL)
        *pchMode = (X_CHAR)entryAt(l, currentEntry(l))[entrySize(l)];
    if (pchChanged != pX_NULL)
        *pchChanged = NO;
    getEntry(l, currentEntry(l));
    disassemble(l, pV);
}

/* The count of a browse or component list is kept current here. */
void X_Set_Component_List_Entry_Count(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV,
                                      struct X_LIST *pX_List, X_SHORT sList)
{
    RT_LIST *l = listOf(pX_List, sList);
    (void)pP, (void)pF;
    setCount(l, pI, pV, l->count);
}

/* The fields of the list's entries are no longer in error. */
void X_Set_Error_States(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sList,
                        struct X_LIST *pX_List, X_YES_NO chError)
{
    RT_LIST *l = listOf(pX_List, sList);
    X_SHORT i;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < COMMON(l, sFld); ++i)
        pV[COMMON(l, pMap)[i].sVector].chValError = chError;
}

/* ---- sorting: a stable merge of the entries by the program's comparison ---- */

static X_SORT_COMPARE_FCN *spfnCompare;

static void mergeSort(unsigned char *a, unsigned char *work, long n, size_t size)
{
    long half = n / 2, i = 0, j = half, k = 0;
    if (n < 2)
        return;
    mergeSort(a, work, half, size);
    mergeSort(a + (size_t)half * size, work, n - half, size);
    while (i < half || j < n) {
        const int fromLeft = j >= n || (i < half && spfnCompare(a + (size_t)i * size, a + (size_t)j * size) <= 0);
        memcpy(work + (size_t)k++ * size, a + (size_t)(fromLeft ? i++ : j++) * size, size);
    }
    memcpy(a, work, (size_t)n * size);
}

void X_Sort_List(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sList,
                 struct X_LIST *pX_List, X_SORT_COMPARE_FCN *pfnCompare)
{
    RT_LIST *l = listOf(pX_List, sList);
    unsigned char *work;
    (void)pI, (void)pP, (void)pF, (void)pV;
    if (l->count < 2)
        return;
    work = malloc((size_t)l->count * (entrySize(l) + 1));
    spfnCompare = pfnCompare;
    mergeSort(l->entries, work, l->count, entrySize(l) + 1);
    free(work);
}

/* ---- the shown state ---- */

void RT_ShowLists(const char *pszTag)
{
    int i;
    long n;
    X_SHORT k;
    char name[96];
    for (i = 0; i < scLists; ++i) {
        RT_LIST *l = &sLists[i];
        printf("%s LIST %s %ld\n", pszTag, nameOf(l), l->count);
        for (n = 1; n <= l->count; ++n)
            for (k = 0; k < COMMON(l, sFld); ++k) {
                struct X_FLD f = COMMON(l, pX_Fld)[k];
                /* the field's place in the entry structure, in the entry */
                const size_t offset = (size_t)((unsigned char *)f.pField - (unsigned char *)COMMON(l, pvEntry));
                f.eSubtype = X_SUBTYPE_SIMPLE_FIELD;
                if (f.eType == X_TYPE_COMPONENT)
                    f.eType = RT_pFields[COMMON(l, pMap)[k].sVector].eType;
                snprintf(name, sizeof name, "%s.%ld.%s", nameOf(l), n, RT_Name(&f));
                RT_ShowValue(pszTag, name, &f, entryAt(l, n) + offset);
            }
    }
}

void RT_ReleaseLists(void)
{
    int i;
    for (i = 0; i < scLists; ++i)
        free(sLists[i].entries);
    for (i = 0; i < scTables; ++i)
        free(spvTables[i]);
    scLists = scTables = 0;
}
