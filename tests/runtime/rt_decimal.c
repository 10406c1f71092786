/*
** rt_decimal.c: the test run time's exact decimals: a sign, a scale and up
** to 140 digits, with the arithmetic the vector services and the
** instruction-table evaluator need (add, multiply, divide to a scale, cut
** and half-up rounding), and the conversions from and to texts, long
** longs and doubles.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt_decimal.h"

void RT_DecZero(RT_DEC *a)
{
    memset(a, 0, sizeof *a);
}

static int decLength(const RT_DEC *a)
{
    int n = RT_DIGITS;
    while (n > 0 && a->d[n - 1] == 0)
        --n;
    return n;
}

int RT_DecIsZero(const RT_DEC *a)
{
    return decLength(a) == 0;
}

/* Raises the scale, the value unchanged. */
void RT_DecScaleTo(RT_DEC *a, int scale)
{
    int shift = scale - a->scale, i;
    if (shift <= 0)
        return;
    for (i = RT_DIGITS - 1; i >= 0; --i)
        a->d[i] = i >= shift ? a->d[i - shift] : 0;
    a->scale = scale;
}

/* Cuts to `scale` decimals (toward zero). */
void RT_DecTruncate(RT_DEC *a, int scale)
{
    int shift = a->scale - scale, i;
    if (shift <= 0) {
        RT_DecScaleTo(a, scale);
        return;
    }
    for (i = 0; i < RT_DIGITS; ++i)
        a->d[i] = i + shift < RT_DIGITS ? a->d[i + shift] : 0;
    a->scale = scale;
    if (RT_DecIsZero(a))
        a->neg = 0;
}

static int decCompareMagnitude(const RT_DEC *a0, const RT_DEC *b0)
{
    RT_DEC a = *a0, b = *b0;
    int i, scale = a.scale > b.scale ? a.scale : b.scale;
    RT_DecScaleTo(&a, scale);
    RT_DecScaleTo(&b, scale);
    for (i = RT_DIGITS - 1; i >= 0; --i)
        if (a.d[i] != b.d[i])
            return a.d[i] < b.d[i] ? -1 : 1;
    return 0;
}

int RT_DecCompare(const RT_DEC *a, const RT_DEC *b)
{
    int an = a->neg && !RT_DecIsZero(a), bn = b->neg && !RT_DecIsZero(b);
    if (an != bn)
        return an ? -1 : 1;
    return an ? -decCompareMagnitude(a, b) : decCompareMagnitude(a, b);
}

void RT_DecAdd(const RT_DEC *a0, const RT_DEC *b0, int subtract, RT_DEC *r)
{
    RT_DEC a = *a0, b = *b0;
    int i, carry = 0, scale = a.scale > b.scale ? a.scale : b.scale;
    RT_DecScaleTo(&a, scale);
    RT_DecScaleTo(&b, scale);
    if (subtract)
        b.neg = !b.neg;
    RT_DecZero(r);
    r->scale = scale;
    if (a.neg == b.neg) {
        for (i = 0; i < RT_DIGITS; ++i) {
            int s = a.d[i] + b.d[i] + carry;
            r->d[i] = (unsigned char)(s % 10);
            carry = s / 10;
        }
        r->neg = a.neg;
    } else {
        const RT_DEC *big = &a, *small = &b;
        if (decCompareMagnitude(&a, &b) < 0) {
            big = &b;
            small = &a;
        }
        for (i = 0; i < RT_DIGITS; ++i) {
            int s = big->d[i] - small->d[i] - carry;
            carry = s < 0;
            r->d[i] = (unsigned char)(s < 0 ? s + 10 : s);
        }
        r->neg = big->neg;
    }
    if (RT_DecIsZero(r))
        r->neg = 0;
}

void RT_DecMultiply(const RT_DEC *a, const RT_DEC *b, RT_DEC *r)
{
    int i, j, la = decLength(a), lb = decLength(b);
    int acc[2 * RT_DIGITS];
    memset(acc, 0, sizeof acc);
    for (i = 0; i < la; ++i)
        for (j = 0; j < lb; ++j)
            acc[i + j] += a->d[i] * b->d[j];
    RT_DecZero(r);
    for (i = 0; i < 2 * RT_DIGITS - 1; ++i) {
        acc[i + 1] += acc[i] / 10;
        acc[i] %= 10;
    }
    for (i = 0; i < RT_DIGITS; ++i)
        r->d[i] = (unsigned char)acc[i];
    r->scale = a->scale + b->scale;
    r->neg = a->neg != b->neg && !RT_DecIsZero(r);
}

/* The quotient cut to `scale` decimals; 1 when b is zero. */
int RT_DecDivide(const RT_DEC *a, const RT_DEC *b, int scale, RT_DEC *r)
{
    /* a / b = (A / 10^sa) / (B / 10^sb): the integer A * 10^(scale + sb - sa) / B */
    RT_DEC num = *a, den = *b, rem;
    int i, shift;
    RT_DecZero(r);
    if (RT_DecIsZero(b))
        return 1;
    num.neg = den.neg = 0;
    shift = scale + b->scale - a->scale;
    num.scale = 0;
    den.scale = 0;
    if (shift > 0) {
        RT_DecScaleTo(&num, shift);
        num.scale = 0;
    } else if (shift < 0) {
        num.scale = -shift;
        RT_DecTruncate(&num, 0);
    }
    /* long division, digit by digit from the top */
    RT_DecZero(&rem);
    for (i = RT_DIGITS - 1; i >= 0; --i) {
        int q = 0, k;
        for (k = RT_DIGITS - 1; k > 0; --k)
            rem.d[k] = rem.d[k - 1];
        rem.d[0] = num.d[i];
        while (decCompareMagnitude(&rem, &den) >= 0) {
            RT_DEC t;
            RT_DecAdd(&rem, &den, 1, &t);
            rem = t;
            ++q;
        }
        r->d[i] = (unsigned char)q;
    }
    r->scale = scale;
    r->neg = a->neg != b->neg && !RT_DecIsZero(r);
    return 0;
}

/* Half up to `scale` decimals: away from zero from half a unit on. */
void RT_DecRoundHalfUp(RT_DEC *a, int scale)
{
    RT_DEC half, t;
    if (a->scale <= scale) {
        RT_DecScaleTo(a, scale);
        return;
    }
    RT_DecZero(&half);
    half.scale = scale + 1;
    half.d[0] = 5;
    half.neg = a->neg;
    RT_DecAdd(a, &half, 0, &t);
    *a = t;
    RT_DecTruncate(a, scale);
}

int RT_DecIntegerDigits(const RT_DEC *a)
{
    int n = decLength(a) - a->scale;
    return n > 0 ? n : 0;
}

void RT_DecFromText(RT_DEC *a, const char *text)
{
    const char *p = text;
    int digits[RT_DIGITS], n = 0, scale = 0, point = 0, i;
    RT_DecZero(a);
    if (*p == '-') {
        a->neg = 1;
        ++p;
    } else if (*p == '+') {
        ++p;
    }
    for (; *p != '\0' && n < RT_DIGITS; ++p) {
        if (*p == '.') {
            point = 1;
            continue;
        }
        if (*p < '0' || *p > '9')
            break;
        digits[n++] = *p - '0';
        if (point)
            ++scale;
    }
    for (i = 0; i < n; ++i)
        a->d[i] = (unsigned char)digits[n - 1 - i];
    a->scale = scale;
    if (RT_DecIsZero(a))
        a->neg = 0;
}

void RT_DecToText(const RT_DEC *a, char *text)
{
    int i, n = decLength(a);
    char *p = text;
    if (n <= a->scale)
        n = a->scale + 1;
    if (a->neg && !RT_DecIsZero(a))
        *p++ = '-';
    for (i = n - 1; i >= 0; --i) {
        *p++ = (char)('0' + a->d[i]);
        if (i == a->scale && i > 0)
            *p++ = '.';
    }
    *p = '\0';
}

void RT_DecFromLongLong(RT_DEC *a, long long v)
{
    char text[32];
    snprintf(text, sizeof text, "%lld", v);
    RT_DecFromText(a, text);
}

long long RT_DecToLongLong(const RT_DEC *a0)
{
    RT_DEC a = *a0;
    char text[RT_DIGITS + 4];
    RT_DecTruncate(&a, 0);
    RT_DecToText(&a, text);
    return strtoll(text, NULL, 10);
}

/* The decimal nearest to a double at `scale` decimals; below 0, of 15
** significant digits. */
void RT_DecFromDouble(RT_DEC *a, double v, int scale)
{
    char text[400];
    if (scale < 0) {
        /* %.14e gives 15 significant digits: moved to a plain decimal */
        char e[64], *mark;
        int exponent, digits = 0, i;
        char mantissa[32];
        snprintf(e, sizeof e, "%.14e", v);
        mark = strchr(e, 'e');
        if (!mark) { /* an infinity or no number at all: no decimal holds it */
            fprintf(stderr, "a float value beyond every decimal (%s)\n", e);
            exit(1);
        }
        exponent = atoi(mark + 1);
        *mark = '\0';
        for (i = 0; e[i] != '\0'; ++i)
            if (e[i] >= '0' && e[i] <= '9')
                mantissa[digits++] = e[i];
        mantissa[digits] = '\0';
        /* the value is 0.<mantissa> times ten to the exponent + 1 */
        {
            char *p = text;
            int point = exponent + 1;
            if (v < 0)
                *p++ = '-';
            if (point <= 0) {
                *p++ = '0';
                *p++ = '.';
                for (i = 0; i < -point && p < text + 300; ++i)
                    *p++ = '0';
                strcpy(p, mantissa);
            } else {
                for (i = 0; i < point || i < digits; ++i) {
                    if (i == point)
                        *p++ = '.';
                    *p++ = i < digits ? mantissa[i] : '0';
                }
                *p = '\0';
            }
        }
        RT_DecFromText(a, text);
        return;
    }
    snprintf(text, sizeof text, "%.*f", scale, v);
    RT_DecFromText(a, text);
}

double RT_DecToDouble(const RT_DEC *a)
{
    char text[RT_DIGITS + 4];
    RT_DecToText(a, text);
    return strtod(text, NULL);
}

int RT_DoubleIsWhole(double v)
{
    return v > -1e15 && v < 1e15 && v == (double)(long long)v;
}
