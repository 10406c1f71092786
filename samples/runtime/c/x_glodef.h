/*
** x_glodef.h: the basic types and constants of the VELMO runtime that
** generated programs use. Declarations only.
*/
#ifndef X_GLODEF_H
#define X_GLODEF_H

#include <stddef.h>
#include <string.h>

typedef char X_CHAR;
typedef unsigned char X_UCHAR;
typedef short X_SHORT;
typedef unsigned short X_USHORT;
typedef long X_LONG;
typedef unsigned long X_ULONG;
typedef double X_DOUBLE;
typedef int X_BOOL;
typedef char X_YES_NO;
typedef void *X_PVOID;
typedef void **X_PPVOID;
typedef X_LONG *X_PLONG;
typedef X_DOUBLE *X_PDOUBLE;
typedef char *X_PVCHAR;
typedef X_PVCHAR *X_PPVCHAR;
typedef void *X_MODULEHANDLE;
typedef void X_VOID;
typedef char X_VCHAR;

typedef signed char X_INT8;
typedef unsigned char X_UINT8;
typedef short X_INT16;
typedef int X_INT32;
typedef long long X_INT64;
typedef float X_FLT32;
typedef double X_FLT64;

#define TRUE 1
#define FALSE 0
#define YES 'Y'
#define NO 'N'
#define pX_NULL ((void *)0)

#define X_VOID_FUNCTION void
/* the type of the yes/no evaluation routines it declares (E_YES_NO_FUNCTION):
   they answer YES or NO, and a panel condition points at them */
#define X_YES_NO_FUNCTION X_YES_NO
#define F_VOID_FUNCTION void
#define F_SHORT_FUNCTION X_SHORT

#endif
