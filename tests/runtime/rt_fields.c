/*
** rt_fields.c: fields as the test run time holds them. A descriptor of
** the field vector says the field's kind (its type and whether it carries
** the field information of the extended kinds); its storage is read and
** written here as an exact decimal or as a text: packed decimals two
** digits a byte with the sign in the last half byte, zoned decimals a
** digit a byte with the sign in the last byte's upper half, longs and
** doubles as they stand, the integer, float and boolean structures, dates
** and times as their texts, alphanumeric bytes as they stand.
**
** An array element is reached through its index field: the element's
** descriptor names the index field's vector entry, the index field keeps
** its value as the small value of the index (X_Vec_Set_Index), and the
** element is the index's entry of the array from the element's address.
** An index held with its field information (an integer, float or Boolean,
** or a decimal that may be null) is a simple field of the vector: its value
** itself is read.
** An element read or stored with an index outside the array's bounds, or
** whose index field was stored without its index value being set, stops
** the run: both are faults of the generated program.
**
** The run time hands a function its static areas cleared to zero bytes,
** and once the function has bound its field vector to them (it registers
** its tables next) it clears each field still all zero bytes to its null
** value: blanks, or a decimal zero. A packed or zoned field held with its
** field information whose digits are all blanks, as the program's set-up
** leaves it, holds 0 too. Reading a packed or zoned field that
** holds anything that is no valid decimal (storage overlaid with other
** data, or reached at a wrong place) stops the run.
*/
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

struct X_FLD *RT_pFields = pX_NULL;
int RT_scFields = 0;
struct X_FUN *RT_pFun = pX_NULL;

void RT_Stop(const char *pszFormat, ...)
{
    va_list args;
    fflush(stdout);
    fprintf(stderr, "run time: ");
    va_start(args, pszFormat);
    vfprintf(stderr, pszFormat, args);
    va_end(args);
    if (RT_pFun != pX_NULL)
        fprintf(stderr, " (at command %d)", RT_pFun->sSequence);
    fprintf(stderr, "\n");
    exit(3);
}

void RT_NotHere(const char *pszRoutine)
{
    RT_Stop("%s is not part of the test run time", pszRoutine);
}

/* ---- kinds ---- */

RT_KIND RT_KindOf(const struct X_FLD *f)
{
    switch (f->eType) {
    case X_TYPE_ALPHA: return RT_KIND_ALPHA;
    case X_TYPE_PACKED: return RT_KIND_PACKED;
    case X_TYPE_SIGNED: return RT_KIND_SIGNED;
    case X_TYPE_LONG: return RT_KIND_LONG;
    case X_TYPE_DOUBLE: return RT_KIND_DOUBLE;
    case X_TYPE_INTEGER: return RT_KIND_INTEGER;
    case X_TYPE_FLOAT: return RT_KIND_FLOAT;
    case X_TYPE_BOOLEAN: return RT_KIND_BOOLEAN;
    case X_TYPE_CHAR: return RT_KIND_CHAR;
    case X_TYPE_SHORT_CHAR: return RT_KIND_SHORT_CHAR;
    case X_TYPE_DATE: return RT_KIND_DATE;
    case X_TYPE_TIME: return RT_KIND_TIME;
    case X_TYPE_DATETIME: return RT_KIND_DATETIME;
    case X_TYPE_BINARY: return RT_KIND_BINARY;
    case X_TYPE_CLOB:
    case X_TYPE_BLOB: return RT_KIND_LOB;
    default: return RT_KIND_OTHER;
    }
}

int RT_IsNumericKind(RT_KIND k)
{
    return k == RT_KIND_PACKED || k == RT_KIND_SIGNED || k == RT_KIND_LONG || k == RT_KIND_DOUBLE ||
           k == RT_KIND_INTEGER || k == RT_KIND_FLOAT || k == RT_KIND_BOOLEAN;
}

int RT_HasState(const struct X_FLD *f)
{
    return (f->ulFieldType & LL2FIELD) != 0;
}

const char *RT_Name(const struct X_FLD *f)
{
    static char name[4][64];
    static int next;
    char *n = name[next++ % 4];
    size_t i;
    if (f->pszName == pX_NULL)
        return "(unnamed)";
    snprintf(n, 64, "%s", f->pszName);
    for (i = strlen(n); i > 0 && n[i - 1] == ' '; --i)
        n[i - 1] = '\0';
    return n;
}

/* The decimal digits of a packed or zoned field: after the field
** information when the field carries it. */
static unsigned char *digitsOf(const struct X_FLD *f, const unsigned char *data)
{
    return RT_HasState(f) ? (unsigned char *)((X_FLD_PACKED *)(void *)data)->fchData : (unsigned char *)data;
}

static int packedBytes(const struct X_FLD *f)
{
    return (int)(f->lLength / 2 + 1);
}

/* The bytes in hexadecimal, for a message. */
static const char *hexOf(const unsigned char *p, int n)
{
    static char text[3 * 64 + 1];
    int i;
    text[0] = '\0';
    for (i = 0; i < n && i < 64; ++i)
        snprintf(text + 3 * i, 4, i + 1 < n ? "%02X " : "%02X", p[i]);
    return text;
}

static int allZero(const unsigned char *p, int n)
{
    int i;
    for (i = 0; i < n; ++i)
        if (p[i] != 0)
            return 0;
    return 1;
}

/* The digits of a decimal field held with its field information as the
** program's set-up leaves them, all blanks: no value stored yet, read as 0. */
static int unset(const struct X_FLD *f, const unsigned char *p, int n)
{
    int i;
    if (!RT_HasState(f))
        return 0;
    for (i = 0; i < n; ++i)
        if (p[i] != ' ')
            return 0;
    return 1;
}

/* Scalars of the storage, which may stand at any address: the static
** working areas of a program are packed. */
#define LOAD(type, data, structure, member)                                                                   \
    (memcpy(&scalar_##type, (data) + offsetof(structure, member), sizeof(type)), scalar_##type)
#define STORE(type, data, structure, member, value)                                                           \
    do {                                                                                                      \
        type stored_ = (type)(value);                                                                         \
        memcpy((data) + offsetof(structure, member), &stored_, sizeof(type));                                 \
    } while (0)
typedef struct { X_LONG value; } RT_LONG_AT;
typedef struct { X_DOUBLE value; } RT_DOUBLE_AT;

/* ---- arrays ---- */

static const X_SHORT *spsBounds;
static int sscBounds;

void RT_SetArrayBounds(const X_SHORT *psBounds, int scBounds)
{
    spsBounds = psBounds;
    sscBounds = scBounds;
}

static long indexValue(const struct X_FLD *index)
{
    RT_DEC v;
    RT_ReadDecimal(index, (const unsigned char *)index->pField, &v);
    return (long)RT_DecToLongLong(&v);
}

/* A field an element may name as its index: an index field, which keeps
** its value as the small value of the index; or a number held with its
** field information (an integer, float or Boolean, or a decimal that may
** be null), which the program names as a simple field: its value is read
** at each use of the element. */
static int isIndexField(const struct X_FLD *index)
{
    if (index->eSubtype == X_SUBTYPE_INDEX)
        return 1;
    return index->eSubtype == X_SUBTYPE_SIMPLE_FIELD && RT_HasState(index) && RT_IsNumericKind(RT_KindOf(index));
}

unsigned char *RT_Data(struct X_FLD *pX_Fld, int s)
{
    struct X_FLD *f = &pX_Fld[s];
    const struct X_FLD *index;
    long value, bound;
    if (f->pField == pX_NULL)
        RT_Stop("field %s (vector entry %d) has no storage", RT_Name(f), s);
    if (f->eSubtype != X_SUBTYPE_ARRAY)
        return (unsigned char *)f->pField;
    if (pX_Fld != RT_pFields)
        RT_Stop("array element %s reached outside the function's field vector", RT_Name(f));
    if (f->sIndexVOV < 0 || f->sIndexVOV >= RT_scFields || !isIndexField(&pX_Fld[f->sIndexVOV]))
        RT_Stop("array element %s names no index field (its index column is %d)", RT_Name(f), f->sIndexVOV);
    index = &pX_Fld[f->sIndexVOV];
    value = indexValue(index);
    if (index->eSubtype == X_SUBTYPE_INDEX && value != index->sIndexVOV)
        RT_Stop("index field %s holds %ld but its index value is %d: a store into it did not set the index",
                RT_Name(index), value, index->sIndexVOV);
    if (spsBounds == pX_NULL || s >= sscBounds || spsBounds[s] <= 0)
        RT_Stop("array element %s has no bound registered", RT_Name(f));
    bound = spsBounds[s];
    if (value < 1 || value > bound)
        RT_Stop("array element %s reached with index %s = %ld outside 1 to %ld", RT_Name(f), RT_Name(index), value,
                bound);
    return (unsigned char *)f->pField + (size_t)(value - 1) * f->sByteLen;
}

void RT_SetIndexValue(struct X_FLD *pX_Fld, int s)
{
    struct X_FLD *f = &pX_Fld[s];
    if (f->eSubtype == X_SUBTYPE_INDEX)
        f->sIndexVOV = (X_SHORT)indexValue(f);
}

/* ---- values as decimals ---- */

void RT_ReadDecimal(const struct X_FLD *f, const unsigned char *data, RT_DEC *v)
{
    int i, n = (int)f->lLength;
    X_LONG scalar_X_LONG;
    X_DOUBLE scalar_X_DOUBLE;
    X_UINT8 scalar_X_UINT8;
    X_INT8 scalar_X_INT8;
    X_INT16 scalar_X_INT16;
    X_INT32 scalar_X_INT32;
    X_INT64 scalar_X_INT64;
    X_FLT32 scalar_X_FLT32;
    X_FLT64 scalar_X_FLT64;
    X_BOOL scalar_X_BOOL;
    RT_DecZero(v);
    switch (RT_KindOf(f)) {
    case RT_KIND_PACKED: {
        const unsigned char *p = digitsOf(f, data);
        int bytes = packedBytes(f), nibbles = bytes * 2, k, sign = p[bytes - 1] & 0x0F;
        v->scale = f->sDecimals;
        if (allZero(p, bytes) || unset(f, p, bytes))
            break;
        if (sign < 0x0A)
            RT_Stop("packed field %s holds no value (%s)", RT_Name(f), hexOf(p, bytes));
        for (k = 0; k < nibbles - 1; ++k) {
            int digit = k % 2 == 0 ? p[k / 2] >> 4 : p[k / 2] & 0x0F;
            if (digit > 9)
                RT_Stop("packed field %s holds no value (%s)", RT_Name(f), hexOf(p, bytes));
            if (nibbles - 2 - k < RT_DIGITS)
                v->d[nibbles - 2 - k] = (unsigned char)digit;
        }
        v->neg = sign == 0xD || sign == 0xB;
        v->scale = f->sDecimals;
        break;
    }
    case RT_KIND_SIGNED: {
        const unsigned char *p = digitsOf(f, data);
        v->scale = f->sDecimals;
        if (allZero(p, n) || unset(f, p, n))
            break;
        for (i = 0; i < n; ++i) {
            int zone = p[i] >> 4, digit = p[i] & 0x0F;
            if (digit > 9 || (zone != 0x3 && !(i == n - 1 && zone == 0x7)))
                RT_Stop("zoned field %s holds no value (%s)", RT_Name(f), hexOf(p, n));
            v->d[n - 1 - i] = (unsigned char)digit;
        }
        v->neg = (p[n - 1] & 0xF0) == (unsigned char)X_SIGNED_NEGATIVE;
        v->scale = f->sDecimals;
        break;
    }
    case RT_KIND_LONG: RT_DecFromLongLong(v, LOAD(X_LONG, data, RT_LONG_AT, value)); return;
    case RT_KIND_DOUBLE: RT_DecFromDouble(v, LOAD(X_DOUBLE, data, RT_DOUBLE_AT, value), -1); return;
    case RT_KIND_INTEGER: {
        const int fUnsigned = (f->ulFieldType & LL2UNSINT) != 0;
        long long w;
        switch (n) {
        case 1: w = fUnsigned ? LOAD(X_UINT8, data, X_FLD_UINT8, uiInt8) : LOAD(X_INT8, data, X_FLD_INT8, iInt8); break;
        case 2: w = LOAD(X_INT16, data, X_FLD_INT16, iInt16); break;
        case 4: w = LOAD(X_INT32, data, X_FLD_INT32, iInt32); break;
        default: w = LOAD(X_INT64, data, X_FLD_INT64, iInt64); break;
        }
        RT_DecFromLongLong(v, w);
        return;
    }
    case RT_KIND_FLOAT:
        RT_DecFromDouble(v, n == 4 ? LOAD(X_FLT32, data, X_FLD_FLT32, dFloat32) : LOAD(X_FLT64, data, X_FLD_FLT64, dFloat64), -1);
        return;
    case RT_KIND_BOOLEAN: RT_DecFromLongLong(v, LOAD(X_BOOL, data, X_FLD_BOOL, fBool) ? 1 : 0); return;
    default: RT_Stop("field %s is not numeric: it has no numeric value", RT_Name(f));
    }
    if (RT_DecIsZero(v))
        v->neg = 0;
}

static int fits(const RT_DEC *v, int wholeDigits)
{
    return RT_DecIntegerDigits(v) <= wholeDigits;
}

static int overflow(struct X_IDS *pX_Ids, const struct X_FLD *f, const RT_DEC *v)
{
    char text[RT_DIGITS + 4];
    RT_DecToText(v, text);
    printf("FATAL %s does not fit %s\n", text, RT_Name(f));
    X_Fatal_Error(pX_Ids, pX_NULL, pX_NULL, "store", 100);
    return 1;
}

int RT_StoreDecimal(struct X_IDS *pX_Ids, const struct X_FLD *f, unsigned char *data, const RT_DEC *value)
{
    RT_DEC v = *value;
    int i, n = (int)f->lLength, digits[RT_DIGITS];
    const RT_KIND kind = RT_KindOf(f);
    RT_DecTruncate(&v, kind == RT_KIND_PACKED || kind == RT_KIND_SIGNED ? f->sDecimals : 0);
    if (kind == RT_KIND_DOUBLE || kind == RT_KIND_FLOAT)
        v = *value;
    for (i = 0; i < n && i < RT_DIGITS; ++i)
        digits[i] = v.d[n - 1 - i];
    switch (kind) {
    case RT_KIND_PACKED: {
        unsigned char *p = digitsOf(f, data);
        int bytes = packedBytes(f), nibbles = bytes * 2, k;
        if (!fits(&v, n - f->sDecimals))
            return overflow(pX_Ids, f, &v);
        for (k = 0; k < nibbles; ++k) {
            const int at = k - (nibbles - 1 - n);
            int digit = k == nibbles - 1 ? (v.neg ? 0x0D : 0x0F) : (at >= 0 ? digits[at] : 0);
            if (k % 2 == 0)
                p[k / 2] = (unsigned char)(digit << 4);
            else
                p[k / 2] |= (unsigned char)digit;
        }
        break;
    }
    case RT_KIND_SIGNED: {
        unsigned char *p = digitsOf(f, data);
        if (!fits(&v, n - f->sDecimals))
            return overflow(pX_Ids, f, &v);
        for (i = 0; i < n; ++i)
            p[i] = (unsigned char)('0' + digits[i]);
        if (v.neg)
            p[n - 1] = (unsigned char)((p[n - 1] & 0x0F) | X_SIGNED_NEGATIVE);
        break;
    }
    case RT_KIND_LONG:
        if (!fits(&v, 18))
            return overflow(pX_Ids, f, &v);
        STORE(X_LONG, data, RT_LONG_AT, value, RT_DecToLongLong(&v));
        return 0;
    case RT_KIND_DOUBLE: STORE(X_DOUBLE, data, RT_DOUBLE_AT, value, RT_DecToDouble(&v)); return 0;
    case RT_KIND_INTEGER: {
        const int fUnsigned = (f->ulFieldType & LL2UNSINT) != 0;
        long long w;
        if (!fits(&v, 19))
            return overflow(pX_Ids, f, &v);
        w = RT_DecToLongLong(&v);
        if ((n == 1 && (fUnsigned ? (w < 0 || w > 255) : (w < -128 || w > 127))) ||
            (n == 2 && (w < -32768 || w > 32767)) || (n == 4 && (w < -2147483647LL - 1 || w > 2147483647LL)))
            return overflow(pX_Ids, f, &v);
        switch (n) {
        case 1:
            if (fUnsigned)
                STORE(X_UINT8, data, X_FLD_UINT8, uiInt8, w);
            else
                STORE(X_INT8, data, X_FLD_INT8, iInt8, w);
            break;
        case 2: STORE(X_INT16, data, X_FLD_INT16, iInt16, w); break;
        case 4: STORE(X_INT32, data, X_FLD_INT32, iInt32, w); break;
        default: STORE(X_INT64, data, X_FLD_INT64, iInt64, w); break;
        }
        break;
    }
    case RT_KIND_FLOAT:
        if (n == 4)
            STORE(X_FLT32, data, X_FLD_FLT32, dFloat32, RT_DecToDouble(&v));
        else
            STORE(X_FLT64, data, X_FLD_FLT64, dFloat64, RT_DecToDouble(&v));
        break;
    case RT_KIND_BOOLEAN: STORE(X_BOOL, data, X_FLD_BOOL, fBool, !RT_DecIsZero(&v)); break;
    default: RT_Stop("a number stored into field %s, which is not numeric", RT_Name(f));
    }
    if (RT_HasState(f))
        data[offsetof(X_FLD_INFO, bFieldState)] &= (XFIELDSTATE)~FsIsSqlNull;
    return 0;
}

/* ---- values as texts ---- */

void RT_ReadText(const struct X_FLD *f, const unsigned char *data, char *text, size_t size)
{
    size_t n;
    const char *s = pX_NULL;
    RT_DEC v;
    char number[RT_DIGITS + 4];
    switch (RT_KindOf(f)) {
    case RT_KIND_ALPHA:
        n = f->sByteLen < size - 1 ? f->sByteLen : size - 1;
        memcpy(text, data, n);
        text[n] = '\0';
        return;
    case RT_KIND_DATE: s = ((const X_FLD_DATE *)(const void *)data)->vchDate; break;
    case RT_KIND_TIME: s = ((const X_FLD_TIME *)(const void *)data)->vchTime; break;
    case RT_KIND_DATETIME: s = ((const X_FLD_DATETIME *)(const void *)data)->vchDateTime; break;
    case RT_KIND_CHAR: {
        X_PVOID pvData;
        memcpy(&pvData, data + offsetof(X_FLD_CHAR, pvData), sizeof pvData);
        s = pvData != pX_NULL ? (const char *)pvData : "";
        break;
    }
    case RT_KIND_SHORT_CHAR: {
        X_SHORT sLength;
        memcpy(&sLength, data + offsetof(X_FLD_SHORT_CHAR, sLength), sizeof sLength);
        n = sLength > 0 && (size_t)sLength < size ? (size_t)sLength : 0;
        memcpy(text, data + offsetof(X_FLD_SHORT_CHAR, vchData), n);
        text[n] = '\0';
        return;
    }
    case RT_KIND_LOB: {
        /* the name of the file that holds the object */
        const size_t room = sizeof(((X_FLD_CLOB *)0)->vchFileName);
        const unsigned char *name = data + offsetof(X_FLD_CLOB, vchFileName);
        n = 0;
        while (n < room && n < size - 1 && name[n] != '\0')
            ++n;
        memcpy(text, name, n);
        text[n] = '\0';
        return;
    }
    case RT_KIND_BINARY: {
        /* the test run time holds no bytes: only the empty value is shown */
        X_PVOID pvData;
        memcpy(&pvData, data + offsetof(X_FLD_BINARY, pvData), sizeof pvData);
        if (pvData != pX_NULL)
            RT_Stop("field %s holds bytes, which the test run time does not show", RT_Name(f));
        text[0] = '\0';
        return;
    }
    case RT_KIND_FLOAT:
    case RT_KIND_DOUBLE: {
        RT_ReadDecimal(f, data, &v);
        snprintf(text, size, "%.15g", RT_DecToDouble(&v));
        return;
    }
    default:
        if (!RT_IsNumericKind(RT_KindOf(f)))
            RT_Stop("field %s of type %d has no text here", RT_Name(f), (int)f->eType);
        RT_ReadDecimal(f, data, &v);
        RT_DecToText(&v, number);
        s = number;
        break;
    }
    snprintf(text, size, "%s", s);
}

void RT_StoreText(struct X_IDS *pX_Ids, const struct X_FLD *f, unsigned char *data, const char *text, size_t length)
{
    char buffer[512];
    RT_DEC v;
    switch (RT_KindOf(f)) {
    case RT_KIND_ALPHA:
        memset(data, ' ', f->sByteLen);
        memcpy(data, text, length < f->sByteLen ? length : f->sByteLen);
        return;
    case RT_KIND_DATE:
    case RT_KIND_TIME:
    case RT_KIND_DATETIME: {
        char *target = RT_KindOf(f) == RT_KIND_DATE   ? ((X_FLD_DATE *)(void *)data)->vchDate
                       : RT_KindOf(f) == RT_KIND_TIME ? ((X_FLD_TIME *)(void *)data)->vchTime
                                                      : ((X_FLD_DATETIME *)(void *)data)->vchDateTime;
        const size_t room = RT_KindOf(f) == RT_KIND_DATE ? sizeof(((X_FLD_DATE *)0)->vchDate)
                            : RT_KindOf(f) == RT_KIND_TIME ? sizeof(((X_FLD_TIME *)0)->vchTime)
                                                           : sizeof(((X_FLD_DATETIME *)0)->vchDateTime);
        const size_t n = length < room - 1 ? length : room - 1;
        memcpy(target, text, n);
        target[n] = '\0';
        data[offsetof(X_FLD_INFO, bFieldState)] &= (XFIELDSTATE)~FsIsSqlNull;
        return;
    }
    case RT_KIND_CHAR: {
        /* the structure may stand at any address: handled in a copy */
        X_FLD_CHAR c;
        memcpy(&c, data, sizeof c);
        RT_SetVarChar(&c, text, length);
        memcpy(data, &c, sizeof c);
        return;
    }
    case RT_KIND_SHORT_CHAR: {
        /* the characters cut to the field's length, then the end of the
           string; the structure may stand at any address */
        X_SHORT sLength;
        if (f->lLength < 0)
            RT_Stop("short character field %s without a length", RT_Name(f));
        sLength = (X_SHORT)(length < (size_t)f->lLength ? length : (size_t)f->lLength);
        memcpy(data + offsetof(X_FLD_SHORT_CHAR, vchData), text, (size_t)sLength);
        data[offsetof(X_FLD_SHORT_CHAR, vchData) + (size_t)sLength] = '\0';
        memcpy(data + offsetof(X_FLD_SHORT_CHAR, sLength), &sLength, sizeof sLength);
        data[offsetof(X_FLD_SHORT_CHAR, bFieldState)] &= (XFIELDSTATE)~FsIsSqlNull;
        return;
    }
    default:
        if (!RT_IsNumericKind(RT_KindOf(f)))
            RT_Stop("a text stored into field %s of type %d", RT_Name(f), (int)f->eType);
        if (length >= sizeof buffer)
            length = sizeof buffer - 1;
        memcpy(buffer, text, length);
        buffer[length] = '\0';
        RT_DecFromText(&v, buffer);
        RT_StoreDecimal(pX_Ids, f, data, &v);
        return;
    }
}

/* ---- the fields of a function started ---- */

void RT_ClearFields(struct X_FLD *pX_Fld, int scFields)
{
    int i;
    for (i = 0; i < scFields; ++i) {
        const struct X_FLD *f = &pX_Fld[i];
        unsigned char *p;
        int bytes;
        if (f->pField == pX_NULL || (f->eSubtype != X_SUBTYPE_SIMPLE_FIELD && f->eSubtype != X_SUBTYPE_INDEX))
            continue;
        p = (unsigned char *)f->pField;
        switch (RT_KindOf(f)) {
        case RT_KIND_ALPHA:
            if (allZero(p, f->sByteLen))
                memset(p, ' ', f->sByteLen);
            break;
        case RT_KIND_PACKED:
            p = digitsOf(f, p);
            bytes = packedBytes(f);
            if (allZero(p, bytes))
                p[bytes - 1] = X_PACK_TERMINATOR;
            break;
        case RT_KIND_SIGNED:
            p = digitsOf(f, p);
            if (allZero(p, (int)f->lLength))
                memset(p, X_CLEAR_SIGN, (size_t)f->lLength);
            break;
        default: break;
        }
    }
}

/* ---- the fatal error ---- */

X_VOID X_Fatal_Error(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, const X_VOID *pvWhere,
                     X_INT iText, ...)
{
    (void)pX_Pro, (void)pX_Fun;
    printf("FATAL %d %s\n", iText, pvWhere != pX_NULL ? (const char *)pvWhere : "");
    if (pX_Ids != pX_NULL)
        pX_Ids->chFatalError = YES;
}

/* ---- the shown state ---- */

void RT_ShowValue(const char *pszTag, const char *pszName, const struct X_FLD *f, const unsigned char *data)
{
    char text[1024];
    const RT_KIND k = RT_KindOf(f);
    size_t i, n;
    if (k == RT_KIND_ALPHA) {
        /* the bytes as they stand; one that is no printable character as \xNN */
        printf("%s %s [", pszTag, pszName);
        for (i = 0; i < f->sByteLen; ++i) {
            if (data[i] >= ' ' && data[i] < 0x7F)
                putchar(data[i]);
            else
                printf("\\x%02X", data[i]);
        }
        printf("]\n");
        return;
    }
    RT_ReadText(f, data, text, sizeof text);
    n = strlen(text);
    (void)n;
    if (k == RT_KIND_CHAR || k == RT_KIND_SHORT_CHAR || k == RT_KIND_LOB || k == RT_KIND_BINARY)
        printf("%s %s [%s]\n", pszTag, pszName, text);
    else
        printf("%s %s %s\n", pszTag, pszName, text);
}

void RT_ShowFields(const char *pszTag, struct X_FLD *pX_Fld, int scFields)
{
    int i;
    for (i = 0; i < scFields; ++i) {
        const struct X_FLD *f = &pX_Fld[i];
        if (f->pszName == pX_NULL || f->pField == pX_NULL ||
            (f->eSubtype != X_SUBTYPE_SIMPLE_FIELD && f->eSubtype != X_SUBTYPE_INDEX))
            continue;
        RT_ShowValue(pszTag, RT_Name(f), f, (const unsigned char *)f->pField);
    }
}

/* The order of two dates, times or timestamps, which a list's sort compares:
** their texts are written year first (ISO), so the text order is the order
** of time; a null value comes before every value. */
static X_LONG compareWhen(XFIELDSTATE bState1, const char *psz1, XFIELDSTATE bState2, const char *psz2)
{
    const int fNull1 = (bState1 & FsIsSqlNull) != 0, fNull2 = (bState2 & FsIsSqlNull) != 0;
    int c;
    if (fNull1 || fNull2)
        return fNull2 - fNull1;
    c = strcmp(psz1, psz2);
    return c < 0 ? -1 : c > 0;
}

X_LONG X_VAR_Date_Compare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_FLD_DATE *p1, const X_FLD_DATE *p2)
{
    (void)pI, (void)pP, (void)pF;
    return compareWhen(p1->bFieldState, p1->vchDate, p2->bFieldState, p2->vchDate);
}

X_LONG X_VAR_Time_Compare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_FLD_TIME *p1, const X_FLD_TIME *p2)
{
    (void)pI, (void)pP, (void)pF;
    return compareWhen(p1->bFieldState, p1->vchTime, p2->bFieldState, p2->vchTime);
}

X_LONG X_VAR_DateTime_Compare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_FLD_DATETIME *p1,
                              const X_FLD_DATETIME *p2)
{
    (void)pI, (void)pP, (void)pF;
    return compareWhen(p1->bFieldState, p1->vchDateTime, p2->bFieldState, p2->vchDateTime);
}
