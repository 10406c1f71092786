/* ================================================================= */
/*  Header of a generated VELMO function                             */
/* ================================================================= */
#ifndef X_GENERATED_FUNCTION_H
#define X_GENERATED_FUNCTION_H

#include "x_glodef.h"

#include "x_funstd.h"

X_VOID_FUNCTION X_FUNCTION_ENTRY ( FUNCTION_STD_ARGS );

#endif
