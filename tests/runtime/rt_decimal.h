/*
** rt_decimal.h: the test run time's exact decimals (rt_decimal.c): a sign,
** a scale and up to 140 digits. They need nothing else of the run time, so
** a test that runs generated code against a run time of its own takes them
** from here as well.
*/
#ifndef RT_DECIMAL_H
#define RT_DECIMAL_H

#define RT_DIGITS 140

typedef struct {
    int neg;
    int scale;
    unsigned char d[RT_DIGITS]; /* d[0] the last digit */
} RT_DEC;

void RT_DecZero(RT_DEC *a);
int RT_DecIsZero(const RT_DEC *a);
void RT_DecScaleTo(RT_DEC *a, int scale);
void RT_DecTruncate(RT_DEC *a, int scale);
int RT_DecCompare(const RT_DEC *a, const RT_DEC *b);
void RT_DecAdd(const RT_DEC *a, const RT_DEC *b, int subtract, RT_DEC *r);
void RT_DecMultiply(const RT_DEC *a, const RT_DEC *b, RT_DEC *r);
/* a / b to `scale` decimals, cut; non-zero for a division by zero */
int RT_DecDivide(const RT_DEC *a, const RT_DEC *b, int scale, RT_DEC *r);
void RT_DecRoundHalfUp(RT_DEC *a, int scale);
int RT_DecIntegerDigits(const RT_DEC *a);
void RT_DecFromText(RT_DEC *a, const char *text);
void RT_DecToText(const RT_DEC *a, char *text); /* text of RT_DIGITS + 4 bytes */
void RT_DecFromLongLong(RT_DEC *a, long long v);
long long RT_DecToLongLong(const RT_DEC *a);
/* the decimal nearest to a double at `scale` decimals; a scale below 0: of
   15 significant digits, the precision a double carries */
void RT_DecFromDouble(RT_DEC *a, double v, int scale);
double RT_DecToDouble(const RT_DEC *a);
/* A whole number of at most 15 digits: the decimal it stands for is the
   same at every scale. */
int RT_DoubleIsWhole(double v);

#endif
