/*
** rt_eval.c: the instruction-table evaluator of the test run time
** (X_VAR_EvaluateExpression): a stack machine over the rows of an
** expression's instruction table, each an opcode of x_compopc.h and its
** operand word (an operand table index, a vector entry, a digits and
** decimals pair, or a scale).
**
** Values on the stack: exact decimals for the decimal and whole-number
** value types (LONG, LONGLONG, PACKED31, PACKED63, DECIMAL, INT32, INT64),
** doubles for DOUBLE and FLOAT64, booleans, strings (alphanumeric bytes or
** texts of dates and times), a high or low fill, and the field vector
** entry a pull stores into. Arithmetic on decimals is exact and fitted to
** the digits and decimals of its pair operand (a result too large ends the
** program through X_Fatal_Error); a division by zero ends it too. A pull
** stores the value into the field as the vector services do: a double at
** the scale of the pull's operand.
**
** It gives a meaning to the opcodes the object layer writes into tables:
** constants, field pushes of every kind, coercions between the numeric
** types, arithmetic, half-up rounding, comparisons, null tests, logic,
** pulls into fields of every kind and the When groups of CASE over a
** number or a text. Any other opcode stops the run with a message naming
** it.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

typedef struct {
    char kind; /* 'D' decimal, 'F' double, 'B' boolean, 'S' string, 'H' fill, 'V' vector entry */
    RT_DEC dec;
    double f;
    int b;               /* the boolean; the fill byte; the vector entry */
    const char *s;       /* a string's bytes */
    long length;         /* a string's length */
    int fixed;           /* the string is an alphanumeric field's, blanks to its length */
    int null;            /* SQL null: a field in that state, or a value or test made from one */
    char text[32];       /* the text of a date or time value */
} RT_VALUE;

/* The value types of the opcode families, in their order. */
enum { T_LONG, T_LONGLONG, T_DOUBLE, T_PACKED31, T_PACKED63, T_DECIMAL, T_INT32, T_INT64, T_FLOAT64 };

static int isDouble(int type)
{
    return type == T_DOUBLE || type == T_FLOAT64;
}

static int isWhole(int type)
{
    return type == T_LONG || type == T_LONGLONG || type == T_INT32 || type == T_INT64;
}

/* The names of x_compopc.h for the messages and the special pulls. */
typedef struct {
    int opcode;
    const char *name;
} RT_NAME;
#define N(x) {x, #x}
static const RT_NAME kSpecialPulls[] = {
    N(X_COMP_OPCODE_PULL_ALPHA_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_BOOLEAN_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_FLOAT32_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_FLOAT64_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_NULL),
    N(X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_NULL), N(X_COMP_OPCODE_PULL_SIGNED_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_STRING_VECTOR_FROM_NULL), N(X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_NULL),
    N(X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_BOOLEAN_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_FLOAT32_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_FLOAT64_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_SQLNULL), N(X_COMP_OPCODE_PULL_STRING_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_SQLNULL),
    N(X_COMP_OPCODE_PULL_ALPHA_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_BOOLEAN_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_FLOAT32_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_FLOAT64_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_HIVAL), N(X_COMP_OPCODE_PULL_SIGNED_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_STRING_VECTOR_FROM_HIVAL), N(X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_HIVAL),
    N(X_COMP_OPCODE_PULL_ALPHA_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_BOOLEAN_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_FLOAT32_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_FLOAT64_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_LOVAL), N(X_COMP_OPCODE_PULL_SIGNED_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_STRING_VECTOR_FROM_LOVAL), N(X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_LOVAL),
    N(X_COMP_OPCODE_PULL_ALPHA_VECTOR_FROM_NAVAIL), N(X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_NAVAIL),
    N(X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_NAVAIL), N(X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_NAVAIL),
    N(X_COMP_OPCODE_PULL_STRING_VECTOR_FROM_NAVAIL),
    {0, NULL}};
#undef N

static const char *specialPull(int opcode)
{
    const RT_NAME *n;
    for (n = kSpecialPulls; n->name != NULL; ++n)
        if (n->opcode == opcode)
            return strrchr(n->name, '_') + 1;
    return NULL;
}

static void fail(const char *what, int opcode)
{
    RT_Stop("the evaluator: %s (opcode %d)", what, opcode);
}

/* ---- operands ---- */

static X_ULONG headerKind(const X_VAR_EXPRESSION_FRAME *frame, int k)
{
    return *(const X_ULONG *)(const void *)frame->ppOperandTable[k];
}

static void packedConstant(const char *p, long size, long scale, RT_DEC *d)
{
    long i;
    int place = 0, sign = (unsigned char)p[size - 1] & 0x0F;
    RT_DecZero(d);
    for (i = size - 1; i >= 0; --i) {
        const unsigned char byte = (unsigned char)p[i];
        if (i != size - 1)
            d->d[place++] = byte & 0x0F;
        d->d[place++] = byte >> 4;
    }
    d->scale = (int)scale;
    d->neg = (sign == 0xD || sign == 0xB) && !RT_DecIsZero(d);
}

/* A constant of the operand table as a value of the given type. */
static void constant(const X_VAR_EXPRESSION_FRAME *frame, int k, int type, RT_VALUE *v, int opcode)
{
    const void *factor = frame->ppOperandTable[k];
    v->kind = 'D';
    switch (headerKind(frame, k)) {
    case X_VAR_HEADER_KIND_FACTOR_LONG: RT_DecFromLongLong(&v->dec, ((const X_VAR_FACTOR_LONG *)factor)->lValue); break;
    case X_VAR_HEADER_KIND_FACTOR_LONGLONG:
        RT_DecFromLongLong(&v->dec, ((const X_VAR_FACTOR_LONGLONG *)factor)->llValue);
        break;
    case X_VAR_HEADER_KIND_FACTOR_DOUBLE: RT_DecFromDouble(&v->dec, ((const X_VAR_FACTOR_DOUBLE *)factor)->dValue, -1); break;
    case X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED: {
        const X_VAR_FACTOR_DECIMAL_PACKED *p = factor;
        packedConstant(p->pchPacked, p->lSize, p->lScale, &v->dec);
        break;
    }
    case X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE: {
        const X_VAR_FACTOR_DECIMAL_DOUBLE *p = factor;
        packedConstant(p->pchPacked, p->lSize, p->lScale, &v->dec);
        break;
    }
    case X_VAR_HEADER_KIND_FACTOR_STRING:
        v->kind = 'S';
        v->s = ((const X_VAR_FACTOR_STRING *)factor)->pvchValue;
        v->length = ((const X_VAR_FACTOR_STRING *)factor)->lSize;
        return;
    default: fail("an operand factor of an unknown kind", opcode);
    }
    if (isDouble(type)) {
        v->kind = 'F';
        v->f = RT_DecToDouble(&v->dec);
    } else if (headerKind(frame, k) == X_VAR_HEADER_KIND_FACTOR_DOUBLE &&
               !RT_DoubleIsWhole(((const X_VAR_FACTOR_DOUBLE *)factor)->dValue)) {
        /* a literal written with a fraction: its decimals are not known */
        fail("a double constant with a fraction taken as a decimal: its scale is unset", opcode);
    } else if (isWhole(type)) {
        RT_DecTruncate(&v->dec, 0);
    }
}

/* Whether field s holds SQL null (a field with a null state only). */
static int sqlNull(X_VAR_EXPRESSION_FRAME *frame, int s)
{
    return RT_HasState(&frame->pX_Fld[s]) &&
           (RT_Data(frame->pX_Fld, s)[offsetof(X_FLD_INFO, bFieldState)] & FsIsSqlNull) != 0;
}

/* A numeric field pushed as a value type. */

static void fieldNumber(X_VAR_EXPRESSION_FRAME *frame, int s, int type, RT_VALUE *v)
{
    RT_ReadDecimal(&frame->pX_Fld[s], RT_Data(frame->pX_Fld, s), &v->dec);
    v->kind = 'D';
    v->null = sqlNull(frame, s);
    if (isDouble(type)) {
        v->kind = 'F';
        v->f = RT_DecToDouble(&v->dec);
    } else if (isWhole(type)) {
        RT_DecTruncate(&v->dec, 0);
    }
}

static void fieldString(X_VAR_EXPRESSION_FRAME *frame, int s, RT_VALUE *v)
{
    const struct X_FLD *f = &frame->pX_Fld[s];
    const RT_KIND k = RT_KindOf(f);
    v->kind = 'S';
    v->null = sqlNull(frame, s);
    if (k == RT_KIND_ALPHA) {
        v->s = (const char *)RT_Data(frame->pX_Fld, s);
        v->length = f->sByteLen;
        v->fixed = 1;
        return;
    }
    RT_ReadText(f, RT_Data(frame->pX_Fld, s), v->text, sizeof v->text);
    if (k == RT_KIND_CHAR || k == RT_KIND_SHORT_CHAR) {
        /* a varying text longer than the value's room is read in full */
        static char longText[70000];
        RT_ReadText(f, RT_Data(frame->pX_Fld, s), longText, sizeof longText);
        v->s = longText;
        v->length = (long)strlen(longText);
        return;
    }
    v->s = v->text;
    v->length = (long)strlen(v->text);
}

/* ---- values ---- */

static RT_DEC asDecimal(const RT_VALUE *v)
{
    RT_DEC d;
    if (v->kind == 'F') {
        RT_DecFromDouble(&d, v->f, -1);
        return d;
    }
    if (v->kind == 'B') {
        RT_DecFromLongLong(&d, v->b);
        return d;
    }
    return v->dec;
}

static void coerce(RT_VALUE *v, int to)
{
    if (isDouble(to)) {
        if (v->kind != 'F') {
            v->f = RT_DecToDouble(&v->dec);
            v->kind = 'F';
        }
        return;
    }
    v->dec = asDecimal(v);
    v->kind = 'D';
    if (isWhole(to))
        RT_DecTruncate(&v->dec, 0);
}

/* Fits a result to the digits and decimals of its pair operand. */
static void fit(X_VAR_EXPRESSION_FRAME *frame, RT_DEC *r, int pair)
{
    const int digits = (pair >> 8) & 0xFF, decimals = pair & 0xFF;
    RT_DecTruncate(r, decimals);
    if (digits > 0 && RT_DecIntegerDigits(r) > digits - decimals) {
        printf("FATAL an intermediate result does not fit %d digits with %d decimals\n", digits, decimals);
        X_Fatal_Error(frame->pX_Ids, frame->pX_Pro, frame->pX_Fun, "Evaluation", 100);
    }
}

static int compareValues(const RT_VALUE *a, const RT_VALUE *b)
{
    if (a->kind == 'S' || b->kind == 'S' || a->kind == 'H' || b->kind == 'H') {
        /* texts compare as the shorter filled with blanks */
        const long n = a->length > b->length ? a->length : b->length;
        long i;
        for (i = 0; i < n; ++i) {
            const int ca = a->kind == 'H' ? a->b : i < a->length ? (unsigned char)a->s[i] : ' ';
            const int cb = b->kind == 'H' ? b->b : i < b->length ? (unsigned char)b->s[i] : ' ';
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return 0;
    }
    if (a->kind == 'B' && b->kind == 'B')
        return (a->b != 0) - (b->b != 0);
    if (a->kind == 'F' && b->kind == 'F')
        return a->f < b->f ? -1 : a->f > b->f;
    {
        const RT_DEC x = asDecimal(a), y = asDecimal(b);
        return RT_DecCompare(&x, &y);
    }
}

/* The language's *NULL value: a date, time or timestamp is null when it holds
** the earliest of its kind (X_DEFAULT_DATE, X_DEFAULT_TIME, both with
** .000000000), as the direct code's memcmp tests; a text when it is blank. */
static int isNullValue(const RT_VALUE *v, int opcode)
{
    long i;
    const char *earliest = opcode == X_COMP_OPCODE_IS_DATE_NULL ? X_DEFAULT_DATE
                           : opcode == X_COMP_OPCODE_IS_TIME_NULL ? X_DEFAULT_TIME
                           : opcode == X_COMP_OPCODE_IS_DATETIME_NULL ? X_DEFAULT_DATE " " X_DEFAULT_TIME ".000000000"
                                                                       : NULL;
    if (earliest)
        return v->kind == 'S' && v->length >= (long)strlen(earliest) && memcmp(v->s, earliest, strlen(earliest)) == 0;
    switch (v->kind) {
    case 'F': return v->f == 0;
    case 'B': return !v->b;
    case 'S':
        for (i = 0; i < v->length; ++i)
            if (v->s[i] != ' ')
                return 0;
        return 1;
    default: return RT_DecIsZero(&v->dec);
    }
}

/* ---- dates and times ---- */

/* The coercions between dates, times and timestamps, and the pulls that
** store one kind into a field of another: a date is the first 10
** characters of a timestamp, a time the 8 from index 11. The result starts
** as the default timestamp; the coercion copies its part of the value over
** it and ends the result at its length. A pull stores the parts as bytes
** into the field: a value shorter than its part (a field never set holds
** NULs) leaves NULs there, and the field's text ends at the first. A
** coercion's result is compared, as texts are, the shorter filled with
** blanks: its missing part is blanks. */
static const struct {
    int coerce, pull;
    int from, to, count, length;
} kDateTimeCoercions[] = {
    {X_COMP_OPCODE_COERCE_DATE_TO_DATETIME, X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_DATE, 0, 0, X_MAX_SIZE_DATE_LEN,
     X_MAX_SIZE_DATETIME_LEN},
    {X_COMP_OPCODE_COERCE_TIME_TO_DATETIME, X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_TIME, 0, 11, X_MAX_SIZE_TIME_LEN,
     X_MAX_SIZE_DATETIME_LEN},
    {X_COMP_OPCODE_COERCE_DATETIME_TO_DATE, X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_DATETIME, 0, 0, X_MAX_SIZE_DATE_LEN,
     X_MAX_SIZE_DATE_LEN},
    {X_COMP_OPCODE_COERCE_DATETIME_TO_TIME, X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_DATETIME, 11, 0, X_MAX_SIZE_TIME_LEN,
     X_MAX_SIZE_TIME_LEN},
};

/* The length of a text held in a member of `room` characters, ended by a NUL or full. */
static long heldLength(const char *s, long room)
{
    const char *end = memchr(s, '\0', (size_t)room);
    return end != pX_NULL ? (long)(end - s) : room;
}

/* Converts the text in `v` by the row of the table whose coercion (or, with
** `pull`, whose pull) the opcode is; 0 when it has none. */
static int convertDateTime(RT_VALUE *v, int opcode, int pull)
{
    char from[X_MAX_SIZE_DATETIME_LEN], to[X_MAX_SIZE_DATETIME_LEN + 1] = X_DEFAULT_DATE " " X_DEFAULT_TIME ".000000000";
    size_t i;
    for (i = 0; i < sizeof kDateTimeCoercions / sizeof kDateTimeCoercions[0]; ++i) {
        const long n = v->length < (long)sizeof from ? v->length : (long)sizeof from;
        if ((pull ? kDateTimeCoercions[i].pull : kDateTimeCoercions[i].coerce) != opcode)
            continue;
        if (v->kind != 'S')
            fail("a date or time conversion of a value that is no text", opcode);
        memset(from, pull ? '\0' : ' ', sizeof from);
        memcpy(from, v->s, (size_t)n);
        memcpy(to + kDateTimeCoercions[i].to, from + kDateTimeCoercions[i].from, (size_t)kDateTimeCoercions[i].count);
        to[kDateTimeCoercions[i].length] = '\0';
        memcpy(v->text, to, sizeof to);
        v->s = v->text;
        v->length = heldLength(v->text, kDateTimeCoercions[i].length);
        return 1;
    }
    return 0;
}

/* ---- pulls ---- */

/* The highest or lowest value of a decimal field: nines, positive or negative. */
static void extremeDecimal(const struct X_FLD *f, int high, RT_DEC *d)
{
    int i;
    RT_DecZero(d);
    for (i = 0; i < f->lLength && i < RT_DIGITS; ++i)
        d->d[i] = 9;
    d->scale = f->sDecimals;
    d->neg = !high;
}

static void pullSpecial(X_VAR_EXPRESSION_FRAME *frame, int s, const char *what, int opcode)
{
    struct X_FLD *f = &frame->pX_Fld[s];
    unsigned char *data = RT_Data(frame->pX_Fld, s);
    const RT_KIND k = RT_KindOf(f);
    RT_DEC d;
    if (strcmp(what, "SQLNULL") == 0) {
        if (!RT_HasState(f))
            RT_Stop("the evaluator: *SQLNULL stored into %s, which has no SQL-null state", RT_Name(f));
        pullSpecial(frame, s, "NULL", opcode);
        data[offsetof(X_FLD_INFO, bFieldState)] |= FsIsSqlNull;
        return;
    }
    if (strcmp(what, "NAVAIL") == 0)
        fail("*NAVAIL has no value here", opcode);
    if (k == RT_KIND_ALPHA) {
        memset(data, strcmp(what, "HIVAL") == 0 ? 0xFF : strcmp(what, "LOVAL") == 0 ? 0x00 : ' ', f->sByteLen);
        return;
    }
    if (k == RT_KIND_DATE || k == RT_KIND_TIME || k == RT_KIND_DATETIME) {
        const int high = strcmp(what, "HIVAL") == 0;
        const char *text = k == RT_KIND_DATE   ? (high ? "9999-12-31" : X_DEFAULT_DATE)
                           : k == RT_KIND_TIME ? (high ? "23:59:59" : X_DEFAULT_TIME)
                           : high              ? "9999-12-31-23.59.59.999999"
                                               : X_DEFAULT_DATE " " X_DEFAULT_TIME ".000000000";
        RT_StoreText(frame->pX_Ids, f, data, text, strlen(text));
        return;
    }
    if (!RT_IsNumericKind(k))
        fail("a special value stored into a field of a kind without one here", opcode);
    if (strcmp(what, "NULL") == 0) {
        RT_DecZero(&d);
    } else if (k == RT_KIND_PACKED || k == RT_KIND_SIGNED) {
        extremeDecimal(f, strcmp(what, "HIVAL") == 0, &d);
    } else if (k == RT_KIND_BOOLEAN) {  /* true is the higher of the two */
        RT_DecZero(&d);
        d.d[0] = strcmp(what, "HIVAL") == 0;
    } else {
        fail("*HIVAL or *LOVAL of an integer or float field has no value here", opcode);
        return;
    }
    RT_StoreDecimal(frame->pX_Ids, f, data, &d);
}

/* The length of a text a pull stores: an alphanumeric field's text goes
** into a short character field without its trailing blanks, as a fixed
** text does there. */
static long storedLength(const RT_VALUE *v, int opcode)
{
    long n = v->length;
    if (v->fixed && opcode == X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_STRING)
        while (n > 0 && v->s[n - 1] == ' ')
            --n;
    return n;
}

/* The pulls into integer fields from whole-number results are the C casts
** ((X_INT8)( v ), ...) of the generated direct code: a value beyond the
** field's range keeps its low-order bytes, as a cast does. */
static int isIntegerCast(int opcode)
{
    return opcode == X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_INT32 || opcode == X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_INT32 ||
           opcode == X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_INT32 || opcode == X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_INT32 ||
           opcode == X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_INT64;
}

static void wrapToField(RT_DEC *d, const struct X_FLD *f)
{
    RT_DecTruncate(d, 0);
    if (f->lLength >= 8 || RT_DecIntegerDigits(d) > 18)
        return; /* beyond a long long: the store's own check ends the program */
    {
        const long long w = RT_DecToLongLong(d);
        const int fUnsigned = (f->ulFieldType & LL2UNSINT) != 0;
        switch (f->lLength) {
        case 1: RT_DecFromLongLong(d, fUnsigned ? (long long)(X_UINT8)w : (long long)(X_INT8)w); break;
        case 2: RT_DecFromLongLong(d, (X_INT16)w); break;
        case 4: RT_DecFromLongLong(d, (X_INT32)w); break;
        }
    }
}

static void pullValue(X_VAR_EXPRESSION_FRAME *frame, int s, const RT_VALUE *v, int operand, int opcode)
{
    struct X_FLD *f = &frame->pX_Fld[s];
    unsigned char *data = RT_Data(frame->pX_Fld, s);
    const RT_KIND k = RT_KindOf(f);
    if (v->kind == 'S' || v->kind == 'H') {
        RT_VALUE converted = *v;
        if (convertDateTime(&converted, opcode, 1)) {
            RT_StoreText(frame->pX_Ids, f, data, converted.s, (size_t)converted.length);
            return;
        }
        if (v->kind == 'H') {
            if (k != RT_KIND_ALPHA)
                fail("a fill stored into a field that is no alphanumeric one", opcode);
            memset(data, v->b, f->sByteLen);
            return;
        }
        RT_StoreText(frame->pX_Ids, f, data, v->s, (size_t)storedLength(v, opcode));
        return;
    }
    if (v->kind == 'B' && k == RT_KIND_BOOLEAN) {
        RT_DEC d;
        RT_DecFromLongLong(&d, v->b != 0);
        RT_StoreDecimal(frame->pX_Ids, f, data, &d);
        return;
    }
    if (!RT_IsNumericKind(k))
        fail("a number stored into a field that is not numeric", opcode);
    {
        RT_DEC d;
        if (v->kind == 'F')
            RT_DecFromDouble(&d, v->f, operand >= 0 && operand <= 16 ? operand : -1);
        else
            d = asDecimal(v);
        if (isIntegerCast(opcode))
            wrapToField(&d, f);
        RT_StoreDecimal(frame->pX_Ids, f, data, &d);
    }
}

/* ---- the subject of a When group ---- */

/* The subject of a CASE reaches the group's When tests in the caller's
** operand stack, entry 1. Direct code stores it there in the member of its
** type (m_Int32, m_Int64, m_Double, m_Flt64, m_Boolean, m_Date, m_Time,
** m_DateTime, m_String). A table's evaluation leaves its last value, taken
** by no pull and no test: that value is kept here (a number as its value,
** a text copied) and the entry is marked as holding it, a state bit no
** generated code sets. The When tests push the subject again
** (WHEN_SUBJECT_<type>). */
#define RT_SUBJECT_LEFT 0x40000000UL

static RT_VALUE sSubject;
static int sfSubject;

/* Entry 1 of the caller's operand stack, when the frame says the stack has
** one. The generated C's frame gives no size (its subject tables evaluate
** on a stack of their own, and its When tables follow only such subjects):
** there the subject is always the last table's. */
static X_VAR_EXPRESSION_OPERAND *subjectEntry(X_VAR_EXPRESSION_FRAME *frame)
{
    return frame->pOperandStack != pX_NULL && frame->ulOperandSize >= 2 ? &frame->pOperandStack[1] : pX_NULL;
}

static void keepSubject(X_VAR_EXPRESSION_FRAME *frame, const RT_VALUE *v)
{
    static char text[70000];
    X_VAR_EXPRESSION_OPERAND *entry = subjectEntry(frame);
    sSubject = *v;
    sfSubject = 1;
    if (v->kind == 'S') {
        const long n = v->length < (long)sizeof text ? v->length : (long)sizeof text;
        memcpy(text, v->s, (size_t)n);
        sSubject.s = text;
        sSubject.length = n;
    }
    if (entry != pX_NULL) /* with the null state direct code reads there */
        entry->m_State = (entry->m_State | RT_SUBJECT_LEFT | FsIsSqlNull) & ~(v->null ? 0 : (X_ULONG)FsIsSqlNull);
}

static void textSubject(RT_VALUE *v, const char *s, long length)
{
    v->kind = 'S';
    v->s = s != pX_NULL ? s : "";
    v->length = s != pX_NULL ? length : 0;
}

/* The text direct code stored as the subject, by its string element type. */
static void directText(const X_VAR_EXPRESSION_OPERAND *entry, RT_VALUE *v, int opcode)
{
    switch (entry->m_String.m_Type) {
    case X_VAR_STACK_STRING_ELEMENT_TYPE_CHAR:
        textSubject(v, (const char *)entry->m_String.m_Char, entry->m_String.m_Length);
        return;
    case X_VAR_STACK_STRING_ELEMENT_TYPE_VAR_CHAR:
        textSubject(v, entry->m_String.m_VarChar, entry->m_String.m_Length);
        return;
    case X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_CHAR: {
        const char *s = entry->m_String.m_FldChar != pX_NULL ? (const char *)entry->m_String.m_FldChar->pvData : pX_NULL;
        textSubject(v, s, s != pX_NULL ? (long)strlen(s) : 0);
        return;
    }
    case X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_SHORT_CHAR:
        if (entry->m_String.m_FldShortChar == pX_NULL)
            fail("a When subject of a short text that is no field", opcode);
        textSubject(v, entry->m_String.m_FldShortChar->vchData, entry->m_String.m_FldShortChar->sLength);
        return;
    default: fail("a When subject of text of no string element type", opcode);
    }
}

/* The subject direct code stored in the entry, as the value type of the
** opcode's place (LONG .. BINARY, the order of the WHEN_SUBJECT_ opcodes). */
static void directSubject(const X_VAR_EXPRESSION_OPERAND *entry, RT_VALUE *v, int place, int opcode)
{
    v->null = (entry->m_State & FsIsSqlNull) != 0;
    switch (place) {
    case T_LONG:
    case T_INT32: v->kind = 'D'; RT_DecFromLongLong(&v->dec, entry->m_Int32); return;
    case T_LONGLONG:
    case T_INT64: v->kind = 'D'; RT_DecFromLongLong(&v->dec, entry->m_Int64); return;
    case T_DOUBLE: v->kind = 'F'; v->f = entry->m_Double.m_Data; return;
    case T_FLOAT64: v->kind = 'F'; v->f = entry->m_Flt64; return;
    case 9: v->kind = 'B'; v->b = entry->m_Boolean != FALSE; return; /* BOOLEAN */
    case 11: textSubject(v, entry->m_Date, heldLength(entry->m_Date, X_MAX_SIZE_DATE_LEN)); return;
    case 12: textSubject(v, entry->m_Time, heldLength(entry->m_Time, X_MAX_SIZE_TIME_LEN)); return;
    case 13: textSubject(v, entry->m_DateTime, heldLength(entry->m_DateTime, X_MAX_SIZE_DATETIME_LEN)); return;
    case 14: directText(entry, v, opcode); return;
    default: fail("a When subject of a packed, variant or binary value that direct code left", opcode);
    }
}

static void pushSubject(X_VAR_EXPRESSION_FRAME *frame, RT_VALUE *v, int place, int opcode)
{
    const X_VAR_EXPRESSION_OPERAND *entry = subjectEntry(frame);
    if (entry != pX_NULL && (entry->m_State & RT_SUBJECT_LEFT) == 0) {
        directSubject(entry, v, place, opcode);
        return;
    }
    if (!sfSubject)
        fail("a When subject that no evaluation left", opcode);
    if (place <= T_FLOAT64) {
        if (sSubject.kind != 'D' && sSubject.kind != 'F')
            fail("a numeric When subject that is no number", opcode);
        *v = sSubject;
        coerce(v, place);
        return;
    }
    if (place >= 11 && place <= 14) { /* DATE, TIME, DATETIME, STRING */
        if (sSubject.kind != 'S')
            fail("a When subject of text that is no text", opcode);
        *v = sSubject;
        return;
    }
    fail("a When subject of a boolean, variant or binary value has no meaning here", opcode);
}

/* ---- logic of tests that may be null (SQL null: neither true nor false) ---- */

/* a OR b into a: true when either is true, else null when either is null */
static void either(RT_VALUE *a, const RT_VALUE *b)
{
    const int t = (a->b && !a->null) || (b->b && !b->null);
    a->null = !t && (a->null || b->null);
    a->b = t;
}

/* a AND b into a: false when either is false, else null when either is null */
static void both(RT_VALUE *a, const RT_VALUE *b)
{
    const int f = (!a->b && !a->null) || (!b->b && !b->null);
    a->null = !f && (a->null || b->null);
    a->b = !f && !a->null;
}

/* ---- the evaluator ---- */

#define RT_STACK 64

X_VOID X_VAR_EvaluateExpression(X_VAR_EXPRESSION_FRAME *frame)
{
    RT_VALUE stack[RT_STACK];
    int top = -1;
    X_ULONG row;
    for (row = 0; row + 1 < frame->ulInstructionCount; row += 2) {
        const int opcode = frame->psInstructionTable[row], operand = frame->psInstructionTable[row + 1];
        RT_VALUE *v;
        const char *special;
        if (top >= RT_STACK - 2)
            fail("the stack is full", opcode);
        v = &stack[top + 1];
        memset(v, 0, sizeof *v);

        /* ---- constants ---- */
        if (opcode >= X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG && opcode <= X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT64) {
            constant(frame, operand, opcode - X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG, v, opcode);
            ++top;
            continue;
        }
        if (opcode >= X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG && opcode <= X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_INT64) {
            static const int kTypes[] = {T_LONGLONG, T_DOUBLE, T_PACKED31, T_PACKED63, T_DECIMAL, T_INT64};
            constant(frame, operand, kTypes[opcode - X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG], v, opcode);
            ++top;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_LONGLONG && opcode <= X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_INT64) {
            static const int kTypes[] = {T_LONGLONG, T_DOUBLE, T_PACKED31, T_PACKED63, T_DECIMAL, T_INT64};
            constant(frame, operand, kTypes[opcode - X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_LONGLONG], v, opcode);
            ++top;
            continue;
        }
        switch (opcode) {
        case X_VAR_RESOLVE_PUSH_DOUBLE_CONSTANT_AS_DOUBLE:
        case X_COMP_OPCODE_PUSH_FLOAT64_CONSTANT_AS_FLOAT64:
            constant(frame, operand, T_DOUBLE, v, opcode);
            ++top;
            continue;
        case X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_STRING:
        case X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_DATE:
        case X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_TIME:
        case X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_DATETIME:
            constant(frame, operand, T_DECIMAL, v, opcode);
            if (v->kind != 'S')
                fail("a string constant that is no string", opcode);
            ++top;
            continue;
        case X_COMP_OPCODE_PUSH_BOOLEAN_TRUE_CONSTANT:
        case X_COMP_OPCODE_PUSH_BOOLEAN_FALSE_CONSTANT:
            v->kind = 'B';
            v->b = opcode == X_COMP_OPCODE_PUSH_BOOLEAN_TRUE_CONSTANT;
            ++top;
            continue;
        case X_COMP_OPCODE_PUSH_STRING_HIVAL:
        case X_COMP_OPCODE_PUSH_STRING_LOVAL:
            v->kind = 'H';
            v->b = opcode == X_COMP_OPCODE_PUSH_STRING_HIVAL ? 0xFF : 0x00;
            ++top;
            continue;
        case X_COMP_OPCODE_PUSH_DECIMAL_HIVAL:
        case X_COMP_OPCODE_PUSH_DECIMAL_LOVAL: {
            /* the largest or smallest number of the pair's digits and decimals */
            const int digits = (operand >> 8) & 0xFF, decimals = operand & 0xFF;
            int i;
            v->kind = 'D';
            for (i = 0; i < digits && i < RT_DIGITS; ++i)
                v->dec.d[i] = 9;
            v->dec.scale = decimals;
            v->dec.neg = opcode == X_COMP_OPCODE_PUSH_DECIMAL_LOVAL;
            ++top;
            continue;
        }
        default: break;
        }
        if (opcode >= X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_LONG && opcode <= X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_FLOAT64) {
            v->kind = isDouble(opcode - X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_LONG) ? 'F' : 'D';
            ++top;
            continue;
        }

        /* ---- fields ---- */
        if (opcode >= X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG && opcode < X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG + 64) {
            const int type = (opcode - X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG) % 16;
            if (type > T_FLOAT64)
                fail("a push of a decimal field as no value type", opcode);
            fieldNumber(frame, operand, type, v);
            ++top;
            continue;
        }
        switch (opcode) {
        case X_COMP_OPCODE_PUSH_INT8_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INTU8_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT16_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT32_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT64_VECTOR_AS_INT64: fieldNumber(frame, operand, T_INT64, v); ++top; continue;
        case X_COMP_OPCODE_PUSH_FLOAT32_VECTOR_AS_FLOAT64:
        case X_COMP_OPCODE_PUSH_FLOAT64_VECTOR_AS_FLOAT64: fieldNumber(frame, operand, T_FLOAT64, v); ++top; continue;
        case X_COMP_OPCODE_PUSH_BOOLEAN_VECTOR_AS_BOOLEAN: {
            RT_DEC d;
            RT_ReadDecimal(&frame->pX_Fld[operand], RT_Data(frame->pX_Fld, operand), &d);
            v->kind = 'B';
            v->b = !RT_DecIsZero(&d);
            v->null = sqlNull(frame, operand);
            ++top;
            continue;
        }
        case X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_ALPHA:
        case X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_STRING:
        case X_COMP_OPCODE_PUSH_STRING_VECTOR_AS_STRING:
        case X_COMP_OPCODE_PUSH_SHORT_CHAR_VECTOR_AS_STRING:
        case X_COMP_OPCODE_PUSH_DATE_VECTOR_AS_DATE:
        case X_COMP_OPCODE_PUSH_TIME_VECTOR_AS_TIME:
        case X_COMP_OPCODE_PUSH_DATETIME_VECTOR_AS_DATETIME: fieldString(frame, operand, v); ++top; continue;
        case X_COMP_OPCODE_SET_INDEX:
            /* the index value of an index field just stored into */
            RT_SetIndexValue(frame->pX_Fld, operand);
            continue;
        case X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR:
        case X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR:
            if (operand < 0 || operand >= RT_scFields)
                fail("a field vector entry outside the vector", opcode);
            v->kind = 'V';
            v->b = operand;
            ++top;
            continue;
        default: break;
        }

        /* ---- When groups: the subject, the end of a true test, the end of all ---- */
        if (opcode >= X_COMP_OPCODE_WHEN_SUBJECT_LONG && opcode <= X_COMP_OPCODE_WHEN_SUBJECT_BINARY) {
            pushSubject(frame, v, opcode - X_COMP_OPCODE_WHEN_SUBJECT_LONG, opcode);
            ++top;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_WHEN_TRUE_LONG && opcode <= X_COMP_OPCODE_WHEN_TRUE_BINARY) {
            if (top < 0 || stack[top].kind != 'B')
                fail("a When test without its answer", opcode);
            if (!stack[top--].b)
                continue;
            frame->pOperandStack[0].m_Boolean = TRUE;
            frame->pOperandStack[0].m_State = 0;
            return;
        }
        if (opcode >= X_COMP_OPCODE_WHEN_ALL_FALSE_LONG && opcode <= X_COMP_OPCODE_WHEN_ALL_FALSE_BINARY) {
            frame->pOperandStack[0].m_Boolean = FALSE;
            frame->pOperandStack[0].m_State = 0;
            return;
        }

        /* ---- special pulls: only the field on the stack ---- */
        if ((special = specialPull(opcode)) != NULL) {
            if (top < 0 || stack[top].kind != 'V')
                fail("a pull without its field", opcode);
            pullSpecial(frame, stack[top].b, special, opcode);
            RT_SetIndexValue(frame->pX_Fld, stack[top].b);
            --top;
            continue;
        }
        if (top < 0)
            fail("nothing on the stack", opcode);

        /* ---- coercions ---- */
        if (opcode >= X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG && opcode <= X_COMP_OPCODE_COERCE_INT64_TO_FLOAT64) {
            const int from = (opcode - X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG) / 10,
                      place = (opcode - X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG) % 10;
            if (place >= 8)
                fail("a coercion to a variant or boolean has no meaning here", opcode);
            coerce(&stack[top], place < from ? place : place + 1);
            continue;
        }
        if (opcode >= X_COMP_OPCODE_COERCE_FLOAT64_TO_LONG && opcode <= X_COMP_OPCODE_COERCE_FLOAT64_TO_INT64) {
            static const int kTo[] = {T_LONG, T_LONGLONG, T_DECIMAL, T_INT32, T_INT64};
            coerce(&stack[top], kTo[opcode - X_COMP_OPCODE_COERCE_FLOAT64_TO_LONG]);
            continue;
        }

        if (convertDateTime(&stack[top], opcode, 0))
            continue;

        /* ---- arithmetic and rounding ---- */
        if (opcode >= X_COMP_OPCODE_LONG_PLUS && opcode <= X_COMP_OPCODE_FLOAT64_MULTIPLY) {
            RT_VALUE *a = &stack[top - 1], *b = &stack[top];
            int type, operation;
            if (opcode >= X_COMP_OPCODE_DECIMAL_MULTIPLY) {
                const int place = opcode - X_COMP_OPCODE_DECIMAL_MULTIPLY; /* 952: DECIMAL MULTIPLY, then INT32 .. */
                type = place == 0 ? T_DECIMAL : T_INT32 + (place - 1) / 4;
                operation = place == 0 ? 3 : (place - 1) % 4;
            } else {
                type = (opcode - X_COMP_OPCODE_LONG_PLUS) / 4;
                operation = (opcode - X_COMP_OPCODE_LONG_PLUS) % 4; /* PLUS MINUS DIVIDE MULTIPLY */
            }
            if (top < 1)
                fail("arithmetic without two values", opcode);
            if (a->null || b->null) { /* SQL null in, SQL null out: nothing is computed, its value 0 */
                a->null = 1;
                a->f = 0;
                RT_DecZero(&a->dec);
                --top;
                continue;
            }
            if (isDouble(type)) {
                const double x = a->kind == 'F' ? a->f : RT_DecToDouble(&a->dec),
                             y = b->kind == 'F' ? b->f : RT_DecToDouble(&b->dec);
                if (operation == 2 && y == 0) {
                    printf("FATAL a division by zero\n");
                    X_Fatal_Error(frame->pX_Ids, frame->pX_Pro, frame->pX_Fun, "Evaluation", 11);
                    a->f = 0;
                } else {
                    a->f = operation == 0 ? x + y : operation == 1 ? x - y : operation == 2 ? x / y : x * y;
                }
                a->kind = 'F';
            } else {
                RT_DEC r;
                const RT_DEC x = asDecimal(a), y = asDecimal(b);
                if (operation == 0 || operation == 1) {
                    RT_DecAdd(&x, &y, operation == 1, &r);
                } else if (operation == 3) {
                    RT_DecMultiply(&x, &y, &r);
                } else if (RT_DecDivide(&x, &y, isWhole(type) ? 0 : operand & 0xFF, &r) != 0) {
                    printf("FATAL a division by zero\n");
                    X_Fatal_Error(frame->pX_Ids, frame->pX_Pro, frame->pX_Fun, "Evaluation", 11);
                    RT_DecZero(&r);
                }
                if (isWhole(type))
                    RT_DecTruncate(&r, 0);
                else
                    fit(frame, &r, operand);
                a->kind = 'D';
                a->dec = r;
            }
            --top;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_ROUND_HALFUP_DOUBLE && opcode <= X_COMP_OPCODE_ROUND_HALFUP_FLOAT64) {
            RT_VALUE *a = &stack[top];
            a->dec = asDecimal(a);
            a->kind = 'D';
            RT_DecRoundHalfUp(&a->dec, operand & 0xFF);
            continue;
        }

        /* ---- comparisons: the operator is the place in EQ LT LE GT GE NE ---- */
        if ((opcode >= X_COMP_OPCODE_COMPARE_LONG_EQ_LONG && opcode <= X_COMP_OPCODE_COMPARE_FLOAT64_NE_FLOAT64) ||
            (opcode >= X_COMP_OPCODE_COMPARE_DATE_EQ_DATE && opcode <= X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN)) {
            RT_VALUE *a = &stack[top - 1], *b = &stack[top];
            int c, cmp, r, nul;
            if (top < 1)
                fail("a comparison without two values", opcode);
            c = compareValues(a, b);
            cmp = opcode == X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN   ? 5
                  : opcode == X_COMP_OPCODE_COMPARE_BOOLEAN_EQ_BOOLEAN ? 0
                  : opcode >= X_COMP_OPCODE_COMPARE_DATE_EQ_DATE ? (opcode - X_COMP_OPCODE_COMPARE_DATE_EQ_DATE) % 6
                                                                 : (opcode - X_COMP_OPCODE_COMPARE_LONG_EQ_LONG) % 6;
            r = cmp == 0 ? c == 0 : cmp == 1 ? c < 0 : cmp == 2 ? c <= 0 : cmp == 3 ? c > 0 : cmp == 4 ? c >= 0 : c != 0;
            /* a test of an SQL-null value is null itself: it holds for no test */
            nul = a->null || b->null;
            memset(a, 0, sizeof *a);
            a->kind = 'B';
            a->b = r && !nul;
            a->null = nul;
            --top;
            continue;
        }
        if ((opcode >= X_COMP_OPCODE_IS_LONG_NULL && opcode <= X_COMP_OPCODE_IS_FLOAT64_NULL) ||
            (opcode >= X_COMP_OPCODE_IS_DATE_NULL && opcode <= X_COMP_OPCODE_IS_STRING_NULL)) {
            RT_VALUE *a = &stack[top];
            const int r = isNullValue(a, opcode);
            memset(a, 0, sizeof *a);
            a->kind = 'B';
            a->b = r;
            continue;
        }

        /* ---- logic ---- */
        switch (opcode) {
        case X_COMP_OPCODE_LOGICAL_NOT: stack[top].b = !stack[top].b && !stack[top].null; continue;
        case X_COMP_OPCODE_LOGICAL_BEGIN_ORIF:
        case X_COMP_OPCODE_LOGICAL_BEGIN_ANDIF: continue; /* both sides are evaluated: a push has no side effect */
        case X_COMP_OPCODE_LOGICAL_OR:
        case X_COMP_OPCODE_LOGICAL_END_ORIF:
            either(&stack[top - 1], &stack[top]);
            --top;
            continue;
        case X_COMP_OPCODE_LOGICAL_AND:
        case X_COMP_OPCODE_LOGICAL_END_ANDIF:
            both(&stack[top - 1], &stack[top]);
            --top;
            continue;
        case X_COMP_OPCODE_IMP_INTRINSIC_BOOLEAN_IS_TRUE: continue;
        default: break;
        }

        /* ---- pulls: the field vector entry is pushed after the value ---- */
        if (opcode >= X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG && opcode <= X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_NAVAIL) {
            if (top < 1 || stack[top].kind != 'V')
                fail("a pull without its field", opcode);
            pullValue(frame, stack[top].b, &stack[top - 1], operand, opcode);
            RT_SetIndexValue(frame->pX_Fld, stack[top].b);
            top -= 2;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR &&
            opcode <= X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D) {
            /* a field moved whole into one of the same layout; a varying
               text is copied, not its storage shared */
            const int target = stack[top].b, source = stack[top - 1].b;
            if (top < 1 || stack[top].kind != 'V' || stack[top - 1].kind != 'V')
                fail("an identical pull without its two fields", opcode);
            if (opcode == X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D)
                fail("an identical pull of a binary field has no meaning here", opcode);
            if (opcode == X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C) {
                X_FLD_CHAR from, to;
                memcpy(&from, RT_Data(frame->pX_Fld, source), sizeof from);
                memcpy(&to, RT_Data(frame->pX_Fld, target), sizeof to);
                X_VAR_VarChar_Assign(frame->pX_Ids, frame->pX_Pro, frame->pX_Fun, &from, &to);
                memcpy(RT_Data(frame->pX_Fld, target), &to, sizeof to);
                top -= 2;
                continue;
            }
            memmove(RT_Data(frame->pX_Fld, target), RT_Data(frame->pX_Fld, source), frame->pX_Fld[target].sByteLen);
            RT_SetIndexValue(frame->pX_Fld, target);
            top -= 2;
            continue;
        }

        fail("an opcode the test run time gives no meaning", opcode);
    }
    if (top >= 0 && stack[top].kind == 'B') {
        frame->pOperandStack[0].m_Boolean = stack[top].b;
        frame->pOperandStack[0].m_State = 0;
    } else if (top >= 0 && (stack[top].kind == 'D' || stack[top].kind == 'F' || stack[top].kind == 'S')) {
        keepSubject(frame, &stack[top]);
    }
}
