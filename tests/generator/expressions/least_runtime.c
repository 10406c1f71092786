/*
** least_runtime.c: the least run time that generated evaluation routines
** need to run in a test: a field vector whose fields hold their values as
** the run time holds them (packed and zoned decimals, the structures of
** integer, float, boolean and packed fields with their field information,
** alphanumeric bytes), the vector routines as samples/runtime/c says they
** store, the fatal error, and an expression evaluator that runs the
** instruction table of an expression left to the run time: exact decimal
** arithmetic over every decimal type, with the sizes the table's rows give.
** The exact decimals are the test run time's (tests/runtime/rt_decimal.c),
** compiled with it.
**
** It implements only what the routines of the test call; an opcode the
** evaluator does not know ends the run with a message naming it.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "x_funstd.h"
#include "least_runtime.h"
#include "rt_decimal.h"

/* ---- field storage ------------------------------------------------------- */

struct X_FLD LR_Fld[LR_FIELDS];
static struct {
    char type;
    int length, decimals, full, bytes;
    unsigned char storage[128];
} lrField[LR_FIELDS];

static struct X_IDS lrIds;
struct X_IDS *LR_pIds = &lrIds;
int LR_Fatal = 0;
int LR_Overflow = 0;
const char x_achAlphaBlankString[] = "                                                                                ";

static unsigned char *fieldData(int s)
{
    return lrField[s].full ? (unsigned char *)((X_FLD_PACKED *)LR_Fld[s].pField)->fchData : lrField[s].storage;
}

void LR_Define(int s, char type, int length, int decimals, int full)
{
    memset(&lrField[s], 0, sizeof lrField[s]);
    memset(&LR_Fld[s], 0, sizeof LR_Fld[s]);
    lrField[s].type = type;
    lrField[s].length = length;
    lrField[s].decimals = decimals;
    lrField[s].full = full || type == 'I' || type == 'F' || type == 'Y';
    lrField[s].bytes = type == 'P' ? length / 2 + 1 : length;
    LR_Fld[s].lLength = length;
    LR_Fld[s].sDecimals = (X_SHORT)decimals;
    LR_Fld[s].sByteLen = (X_USHORT)lrField[s].bytes;
    LR_Fld[s].pField = (X_PDICTIONARY_FIELD)lrField[s].storage;
}

static void storeDecimal(int s, const RT_DEC *value)
{
    RT_DEC v = *value;
    unsigned char *data = fieldData(s);
    int i, n = lrField[s].length, digits[RT_DIGITS];
    RT_DecTruncate(&v, lrField[s].decimals);
    if ((lrField[s].type == 'P' || lrField[s].type == 'S') && RT_DecIntegerDigits(&v) > n - lrField[s].decimals) {
        LR_Overflow = 1;
        X_Fatal_Error(LR_pIds, pX_NULL, pX_NULL, "store", 100);
        return;
    }
    for (i = 0; i < n && i < RT_DIGITS; ++i)
        digits[i] = v.d[n - 1 - i];
    if (lrField[s].full)
        ((X_FLD_INFO *)LR_Fld[s].pField)->bFieldState &= (XFIELDSTATE)~FsIsSqlNull;
    switch (lrField[s].type) {
    case 'P': {
        /* the digits padded on the left to an odd count, then the sign */
        int nibbles = lrField[s].bytes * 2, k;
        for (k = 0; k < nibbles; ++k) {
            int digit = k == nibbles - 1 ? (v.neg ? 0xD : 0xC) : (k - (nibbles - 1 - n) >= 0 ? digits[k - (nibbles - 1 - n)] : 0);
            if (k % 2 == 0)
                data[k / 2] = (unsigned char)(digit << 4);
            else
                data[k / 2] |= (unsigned char)digit;
        }
        return;
    }
    case 'S':
        for (i = 0; i < n; ++i)
            data[i] = (unsigned char)('0' + digits[i]);
        if (v.neg)
            data[n - 1] = (unsigned char)((data[n - 1] & 0x0F) | X_SIGNED_NEGATIVE);
        return;
    case 'I': {
        long long w = RT_DecToLongLong(&v);
        if (n == 1)
            ((X_FLD_INT8 *)LR_Fld[s].pField)->iInt8 = (X_INT8)w;
        else if (n == 2)
            ((X_FLD_INT16 *)LR_Fld[s].pField)->iInt16 = (X_INT16)w;
        else if (n == 4)
            ((X_FLD_INT32 *)LR_Fld[s].pField)->iInt32 = (X_INT32)w;
        else
            ((X_FLD_INT64 *)LR_Fld[s].pField)->iInt64 = (X_INT64)w;
        return;
    }
    case 'F':
        ((X_FLD_FLT64 *)LR_Fld[s].pField)->dFloat64 = RT_DecToDouble(&v);
        return;
    default:
        fprintf(stderr, "no decimal store into field %d\n", s);
        exit(3);
    }
}

static void readDecimal(int s, RT_DEC *v)
{
    const unsigned char *data = fieldData(s);
    int i, n = lrField[s].length;
    RT_DecZero(v);
    switch (lrField[s].type) {
    case 'P': {
        int nibbles = lrField[s].bytes * 2, k, sign = data[lrField[s].bytes - 1] & 0x0F;
        for (k = 0; k < nibbles - 1; ++k) {
            int digit = k % 2 == 0 ? data[k / 2] >> 4 : data[k / 2] & 0x0F;
            int place = nibbles - 2 - k;
            if (place < RT_DIGITS)
                v->d[place] = (unsigned char)digit;
        }
        v->neg = sign == 0xD || sign == 0xB;
        break;
    }
    case 'S':
        for (i = 0; i < n; ++i)
            v->d[n - 1 - i] = (unsigned char)(data[i] & 0x0F);
        v->neg = (data[n - 1] & 0xF0) == X_SIGNED_NEGATIVE;
        break;
    case 'I':
        RT_DecFromLongLong(v, n == 1   ? ((X_FLD_INT8 *)LR_Fld[s].pField)->iInt8
                           : n == 2 ? ((X_FLD_INT16 *)LR_Fld[s].pField)->iInt16
                           : n == 4 ? ((X_FLD_INT32 *)LR_Fld[s].pField)->iInt32
                                    : ((X_FLD_INT64 *)LR_Fld[s].pField)->iInt64);
        return;
    case 'F':
        RT_DecFromDouble(v, ((X_FLD_FLT64 *)LR_Fld[s].pField)->dFloat64, 15);
        return;
    default:
        fprintf(stderr, "no decimal in field %d\n", s);
        exit(3);
    }
    v->scale = lrField[s].decimals;
    if (RT_DecIsZero(v))
        v->neg = 0;
}

void LR_Set(int s, const char *value)
{
    RT_DEC v;
    char type = lrField[s].type;
    if (type == 'A') {
        size_t n = strlen(value);
        memset(lrField[s].storage, ' ', (size_t)lrField[s].length);
        memcpy(lrField[s].storage, value, n < (size_t)lrField[s].length ? n : (size_t)lrField[s].length);
        return;
    }
    if (type == 'Y') {
        ((X_FLD_BOOL *)LR_Fld[s].pField)->fBool = value[0] == '1';
        return;
    }
    if (type == 'F') {
        ((X_FLD_FLT64 *)LR_Fld[s].pField)->dFloat64 = strtod(value, NULL);
        return;
    }
    RT_DecFromText(&v, value);
    storeDecimal(s, &v);
}

void LR_Show(int s)
{
    RT_DEC v;
    char text[RT_DIGITS + 4];
    int i;
    switch (lrField[s].type) {
    case 'A':
        for (i = 0; i < lrField[s].length; ++i) {
            unsigned char c = lrField[s].storage[i];
            if (c >= ' ' && c < 0x7F)
                putchar(c);
            else
                printf("\\x%02X", c);
        }
        return;
    case 'Y': printf("%d", ((X_FLD_BOOL *)LR_Fld[s].pField)->fBool ? 1 : 0); return;
    case 'F': printf("%.6g", ((X_FLD_FLT64 *)LR_Fld[s].pField)->dFloat64); return;
    default:
        readDecimal(s, &v);
        RT_DecToText(&v, text);
        fputs(text, stdout);
        return;
    }
}

/* ---- the vector routines ------------------------------------------------------ */

void X_Vec_Get_as_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG *pl)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF, (void)pV;
    readDecimal(s, &v);
    *pl = (X_LONG)RT_DecToLongLong(&v);
}

void X_Vec_Get_as_LongLong(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                           X_LONGLONG *pl)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF, (void)pV;
    readDecimal(s, &v);
    *pl = RT_DecToLongLong(&v);
}

void X_Vec_Get_as_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                         X_PDOUBLE pd)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF, (void)pV;
    readDecimal(s, &v);
    *pd = RT_DecToDouble(&v);
}

void X_Vec_Set_from_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG l)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF, (void)pV;
    RT_DecFromLongLong(&v, l);
    storeDecimal(s, &v);
}

void X_Vec_Set_from_LongLong(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                             X_LONGLONG l)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF, (void)pV;
    RT_DecFromLongLong(&v, l);
    storeDecimal(s, &v);
}

/* The decimal nearest to the double at the scale set, cut to the field. */
void X_Vec_Set_from_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                           X_DOUBLE d)
{
    RT_DEC v;
    (void)pP, (void)pF, (void)pV;
    RT_DecFromDouble(&v, d, pI->chXVecAssignOption);
    storeDecimal(s, &v);
}

void X_Vec_Set_Index(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s)
{
    (void)pI, (void)pP, (void)pF, (void)pV, (void)s;
}

X_VOID X_Fatal_Error(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, const X_VOID *pvWhere,
                     X_INT iText, ...)
{
    (void)pX_Pro, (void)pX_Fun, (void)pvWhere;
    if (LR_Fatal == 0)
        LR_Fatal = iText;
    if (pX_Ids != pX_NULL)
        pX_Ids->chFatalError = YES;
}

/* ---- the expression evaluator ------------------------------------------------ */

typedef struct {
    char kind; /* 'D' decimal, 'F' double, 'B' boolean, 'S' string, 'V' a field vector, 'H' a high or low string */
    RT_DEC dec;
    double f;
    int b;
    const char *s;
    long length;
} LR_VALUE;

static void fail(const char *what, int opcode)
{
    fprintf(stderr, "evaluator: %s %d\n", what, opcode);
    exit(4);
}

static X_ULONG headerKind(const X_VAR_EXPRESSION_FRAME *frame, int k)
{
    return *(const X_ULONG *)(const void *)frame->ppOperandTable[k];
}

/* A constant of the operand table as a value. */
static void constant(const X_VAR_EXPRESSION_FRAME *frame, int k, LR_VALUE *v)
{
    const void *factor = frame->ppOperandTable[k];
    memset(v, 0, sizeof *v);
    v->kind = 'D';
    switch (headerKind(frame, k)) {
    case X_VAR_HEADER_KIND_FACTOR_LONG: RT_DecFromLongLong(&v->dec, ((const X_VAR_FACTOR_LONG *)factor)->lValue); return;
    case X_VAR_HEADER_KIND_FACTOR_LONGLONG:
        RT_DecFromLongLong(&v->dec, ((const X_VAR_FACTOR_LONGLONG *)factor)->llValue);
        return;
    case X_VAR_HEADER_KIND_FACTOR_DOUBLE:
        v->kind = 'F';
        v->f = ((const X_VAR_FACTOR_DOUBLE *)factor)->dValue;
        return;
    case X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED: {
        const X_VAR_FACTOR_DECIMAL_PACKED *p = factor;
        long i;
        int sign = (unsigned char)p->pchPacked[p->lSize - 1] & 0x0F, place = 0;
        for (i = p->lSize - 1; i >= 0; --i) {
            unsigned char byte = (unsigned char)p->pchPacked[i];
            if (i != p->lSize - 1)
                v->dec.d[place++] = byte & 0x0F;
            v->dec.d[place++] = byte >> 4;
        }
        v->dec.scale = (int)p->lScale;
        v->dec.neg = sign == 0xD && !RT_DecIsZero(&v->dec);
        return;
    }
    case X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE: {
        const X_VAR_FACTOR_DECIMAL_DOUBLE *p = factor;
        RT_DecFromDouble(&v->dec, p->dValue, (int)p->lScale);
        return;
    }
    case X_VAR_HEADER_KIND_FACTOR_STRING:
        v->kind = 'S';
        v->s = ((const X_VAR_FACTOR_STRING *)factor)->pvchValue;
        v->length = ((const X_VAR_FACTOR_STRING *)factor)->lSize;
        return;
    default: fail("unknown operand factor", k);
    }
}

/* The value of a numeric field of the given type family. */
static void fieldValue(int s, int asDouble, LR_VALUE *v)
{
    memset(v, 0, sizeof *v);
    if (lrField[s].type == 'F') {
        v->kind = 'F';
        v->f = ((X_FLD_FLT64 *)LR_Fld[s].pField)->dFloat64;
        return;
    }
    readDecimal(s, &v->dec);
    v->kind = 'D';
    if (asDouble) {
        v->kind = 'F';
        v->f = RT_DecToDouble(&v->dec);
    }
}

static int isDoubleType(const char *name)
{
    return strstr(name, "DOUBLE") != NULL || strstr(name, "FLOAT64") != NULL;
}

/* The number as a decimal: a double at the nearest decimal of 15 places. */
static RT_DEC asDecimal(const LR_VALUE *v)
{
    RT_DEC d;
    if (v->kind == 'F') {
        RT_DecFromDouble(&d, v->f, 15);
        return d;
    }
    return v->dec;
}

/* Fits a result to the digits and decimals of its pair operand. */
static void fit(RT_DEC *r, int pair)
{
    int digits = (pair >> 8) & 0xFF, decimals = pair & 0xFF;
    RT_DecTruncate(r, decimals);
    if (RT_DecIntegerDigits(r) > digits - decimals) {
        LR_Overflow = 1;
        X_Fatal_Error(LR_pIds, pX_NULL, pX_NULL, "evaluation", 100);
    }
}

static int compareValues(const LR_VALUE *a, const LR_VALUE *b)
{
    if (a->kind == 'S' || b->kind == 'S' || a->kind == 'H' || b->kind == 'H') {
        long n = a->length > b->length ? a->length : b->length, i;
        for (i = 0; i < n; ++i) {
            int ca = a->kind == 'H' ? (int)a->b : i < a->length ? (unsigned char)a->s[i] : ' ';
            int cb = b->kind == 'H' ? (int)b->b : i < b->length ? (unsigned char)b->s[i] : ' ';
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return 0;
    }
    if (a->kind == 'B')
        return (a->b != 0) - (b->b != 0);
    if (a->kind == 'F' && b->kind == 'F')
        return a->f < b->f ? -1 : a->f > b->f;
    {
        RT_DEC x = asDecimal(a), y = asDecimal(b);
        return RT_DecCompare(&x, &y);
    }
}

/* The name of an opcode from the generated names of x_compopc.h. */
typedef struct {
    int opcode;
    const char *name;
} LR_NAME;
static const LR_NAME kNames[] = {
#define N(x) {x, #x}
    N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG), N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONGLONG),
    N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_DOUBLE), N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_PACKED31),
    N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_PACKED63), N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_DECIMAL),
    N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT32), N(X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT64),
    N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG), N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_DOUBLE),
    N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_PACKED31), N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_PACKED63),
    N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_DECIMAL), N(X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_INT64),
    N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_LONGLONG), N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_DOUBLE),
    N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_PACKED31), N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_PACKED63),
    N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_DECIMAL), N(X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_INT64),
    N(X_COMP_OPCODE_PUSH_FLOAT64_CONSTANT_AS_FLOAT64), N(X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_STRING),
#undef N
    {0, NULL}};

static const char *nameOf(int opcode)
{
    const LR_NAME *n;
    for (n = kNames; n->name != NULL; ++n)
        if (n->opcode == opcode)
            return n->name;
    return "";
}

/* Runs one instruction table: an opcode and an operand word per row. */
X_VOID X_VAR_EvaluateExpression(X_VAR_EXPRESSION_FRAME *frame)
{
    LR_VALUE stack[64];
    int top = -1;
    X_ULONG row;
    for (row = 0; row + 1 < frame->ulInstructionCount; row += 2) {
        int opcode = frame->psInstructionTable[row], operand = frame->psInstructionTable[row + 1];
        LR_VALUE *v;
        if (top >= 62)
            fail("stack full at", opcode);
        v = &stack[top + 1];
        memset(v, 0, sizeof *v);
        /* constants of the operand table */
        if ((opcode >= 1 && opcode <= 25) || opcode == X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_STRING) {
            constant(frame, operand, v);
            if (v->kind == 'D' && isDoubleType(nameOf(opcode))) {
                v->kind = 'F';
                v->f = RT_DecToDouble(&v->dec);
            }
            ++top;
            continue;
        }
        /* packed and signed fields as a decimal type or a double */
        if (opcode >= X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG && opcode <= X_COMP_OPCODE_PUSH_SIGNED_VECTOR2_AS_INT64) {
            int type = (opcode - X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG) % 16;
            if (type > 7)
                fail("push of a stack vector", opcode);
            fieldValue(operand, type == 2, v);
            ++top;
            continue;
        }
        switch (opcode) {
        case X_COMP_OPCODE_PUSH_INT8_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT16_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT32_VECTOR_AS_INT32:
        case X_COMP_OPCODE_PUSH_INT64_VECTOR_AS_INT64:
        case X_COMP_OPCODE_PUSH_FLOAT64_VECTOR_AS_FLOAT64: fieldValue(operand, 0, v); ++top; continue;
        case X_COMP_OPCODE_PUSH_BOOLEAN_VECTOR_AS_BOOLEAN:
            v->kind = 'B';
            v->b = ((X_FLD_BOOL *)LR_Fld[operand].pField)->fBool;
            ++top;
            continue;
        case X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_ALPHA:
        case X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_STRING:
            v->kind = 'S';
            v->s = (const char *)lrField[operand].storage;
            v->length = lrField[operand].length;
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
            int digits = (operand >> 8) & 0xFF, decimals = operand & 0xFF, i;
            v->kind = 'D';
            for (i = 0; i < digits; ++i)
                v->dec.d[i] = 9;
            v->dec.scale = decimals;
            v->dec.neg = opcode == X_COMP_OPCODE_PUSH_DECIMAL_LOVAL;
            ++top;
            continue;
        }
        case X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR:
            v->kind = 'V';
            v->b = operand;
            ++top;
            continue;
        default: break;
        }
        if (top < 0)
            fail("empty stack at", opcode);
        /* coercions: a double is held as a double, every other number exactly */
        if (opcode >= X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG && opcode <= X_COMP_OPCODE_COERCE_FLOAT64_TO_INT64) {
            const char *to = strstr(nameOf(opcode), "_TO_");
            LR_VALUE *a = &stack[top];
            int toDouble = opcode == X_COMP_OPCODE_COERCE_LONG_TO_DOUBLE || opcode == X_COMP_OPCODE_COERCE_LONGLONG_TO_DOUBLE ||
                           opcode == X_COMP_OPCODE_COERCE_PACKED31_TO_DOUBLE || opcode == X_COMP_OPCODE_COERCE_DOUBLE_TO_FLOAT64 ||
                           opcode == X_COMP_OPCODE_COERCE_INT32_TO_FLOAT64 || opcode == X_COMP_OPCODE_COERCE_INT64_TO_FLOAT64 ||
                           opcode == X_COMP_OPCODE_COERCE_INT32_TO_DOUBLE || opcode == X_COMP_OPCODE_COERCE_LONG_TO_FLOAT64 ||
                           opcode == X_COMP_OPCODE_COERCE_LONGLONG_TO_FLOAT64 || opcode == X_COMP_OPCODE_COERCE_PACKED31_TO_FLOAT64 ||
                           opcode == X_COMP_OPCODE_COERCE_PACKED63_TO_FLOAT64;
            (void)to;
            if (toDouble && a->kind == 'D') {
                a->f = RT_DecToDouble(&a->dec);
                a->kind = 'F';
            } else if (!toDouble) {
                int whole = opcode == X_COMP_OPCODE_COERCE_PACKED31_TO_INT32 || opcode == X_COMP_OPCODE_COERCE_PACKED31_TO_INT64 ||
                            opcode == X_COMP_OPCODE_COERCE_PACKED63_TO_INT32 || opcode == X_COMP_OPCODE_COERCE_PACKED63_TO_INT64 ||
                            opcode == X_COMP_OPCODE_COERCE_DOUBLE_TO_INT32 || opcode == X_COMP_OPCODE_COERCE_DECIMAL_TO_INT32 ||
                            opcode == X_COMP_OPCODE_COERCE_FLOAT64_TO_INT32 || opcode == X_COMP_OPCODE_COERCE_FLOAT64_TO_INT64;
                a->dec = asDecimal(a);
                a->kind = 'D';
                if (whole)
                    RT_DecTruncate(&a->dec, 0);
            }
            continue;
        }
        /* arithmetic, rounding */
        if (opcode >= X_COMP_OPCODE_LONG_PLUS && opcode <= X_COMP_OPCODE_FLOAT64_MULTIPLY) {
            LR_VALUE *a = &stack[top - 1], *b = &stack[top];
            const char *name = "";
            int place = opcode - X_COMP_OPCODE_LONG_PLUS, operation;
            if (opcode >= X_COMP_OPCODE_DECIMAL_MULTIPLY)
                place = opcode - X_COMP_OPCODE_DECIMAL_MULTIPLY + 23;
            operation = place % 4; /* PLUS MINUS DIVIDE MULTIPLY */
            (void)name;
            if (top < 1)
                fail("arithmetic without two values", opcode);
            if (a->kind == 'F' || b->kind == 'F') {
                double x = a->kind == 'F' ? a->f : RT_DecToDouble(&a->dec), y = b->kind == 'F' ? b->f : RT_DecToDouble(&b->dec);
                if (operation == 2 && y == 0) {
                    X_Fatal_Error(LR_pIds, pX_NULL, pX_NULL, "Evaluation", 11);
                    a->f = 0;
                } else {
                    a->f = operation == 0 ? x + y : operation == 1 ? x - y : operation == 2 ? x / y : x * y;
                }
                a->kind = 'F';
            } else {
                RT_DEC r;
                if (operation == 0 || operation == 1) {
                    RT_DecAdd(&a->dec, &b->dec, operation == 1, &r);
                } else if (operation == 3) {
                    RT_DecMultiply(&a->dec, &b->dec, &r);
                } else if (RT_DecDivide(&a->dec, &b->dec, operand & 0xFF, &r) != 0) {
                    X_Fatal_Error(LR_pIds, pX_NULL, pX_NULL, "Evaluation", 11);
                    RT_DecZero(&r);
                }
                fit(&r, operand);
                a->dec = r;
            }
            --top;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_ROUND_HALFUP_DOUBLE && opcode <= X_COMP_OPCODE_ROUND_HALFUP_FLOAT64) {
            LR_VALUE *a = &stack[top];
            a->dec = asDecimal(a);
            a->kind = 'D';
            RT_DecRoundHalfUp(&a->dec, operand & 0xFF);
            continue;
        }
        /* comparisons: the operator is the place in EQ LT LE GT GE NE */
        if (opcode >= X_COMP_OPCODE_COMPARE_LONG_EQ_LONG && opcode <= X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN) {
            LR_VALUE *a = &stack[top - 1], *b = &stack[top];
            int c = compareValues(a, b), cmp = (opcode - X_COMP_OPCODE_COMPARE_LONG_EQ_LONG) % 6, r;
            if (opcode == X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN)
                cmp = 5;
            else if (opcode == X_COMP_OPCODE_COMPARE_BOOLEAN_EQ_BOOLEAN)
                cmp = 0;
            r = cmp == 0 ? c == 0 : cmp == 1 ? c < 0 : cmp == 2 ? c <= 0 : cmp == 3 ? c > 0 : cmp == 4 ? c >= 0 : c != 0;
            memset(a, 0, sizeof *a);
            a->kind = 'B';
            a->b = r;
            --top;
            continue;
        }
        if (opcode >= X_COMP_OPCODE_IS_LONG_NULL && opcode <= X_COMP_OPCODE_IS_FLOAT64_NULL) {
            LR_VALUE *a = &stack[top];
            int r = a->kind == 'F' ? a->f == 0 : RT_DecIsZero(&a->dec);
            memset(a, 0, sizeof *a);
            a->kind = 'B';
            a->b = r;
            continue;
        }
        switch (opcode) {
        case X_COMP_OPCODE_LOGICAL_NOT: stack[top].b = !stack[top].b; continue;
        case X_COMP_OPCODE_LOGICAL_BEGIN_ORIF:
        case X_COMP_OPCODE_LOGICAL_BEGIN_ANDIF: continue; /* both sides are evaluated: no side effects */
        case X_COMP_OPCODE_LOGICAL_OR:
        case X_COMP_OPCODE_LOGICAL_END_ORIF:
            stack[top - 1].b = stack[top - 1].b || stack[top].b;
            --top;
            continue;
        case X_COMP_OPCODE_LOGICAL_AND:
        case X_COMP_OPCODE_LOGICAL_END_ANDIF:
            stack[top - 1].b = stack[top - 1].b && stack[top].b;
            --top;
            continue;
        case X_COMP_OPCODE_IMP_INTRINSIC_BOOLEAN_IS_TRUE: continue;
        default: break;
        }
        /* pulls into fields: the field vector is pushed after the value */
        if (opcode >= X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG && opcode <= X_COMP_OPCODE_PULL_FLOAT64_VECTOR_FROM_FLOAT64) {
            LR_VALUE *target = &stack[top], *a = &stack[top - 1];
            RT_DEC d;
            if (top < 1 || target->kind != 'V')
                fail("pull without its field vector", opcode);
            if (a->kind == 'F')
                RT_DecFromDouble(&d, a->f, operand > 0 ? operand : 15); /* the scale the value is stored with */
            else
                d = a->dec;
            storeDecimal(target->b, &d);
            top -= 2;
            continue;
        }
        fail("no evaluation of opcode", opcode);
    }
    if (top >= 0 && stack[top].kind == 'B') {
        frame->pOperandStack[0].m_Boolean = stack[top].b;
        frame->pOperandStack[0].m_State = 0;
    }
}
