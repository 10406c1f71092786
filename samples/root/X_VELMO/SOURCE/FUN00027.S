/* ================================================================= */
/*  Trigger program of function %2      */
/*  Process   : %5                                                   */
/* ================================================================= */

#include "x_bifstd.h"
#define X_BIF_PROGRAM_NAME  "%4.pgm      
%%IF_ZOPHX_FUNCTION
#define X_BIF_LEVEL_TWO     1
%%ENDIF
%92 #define X_TRIGGER_FUNCTION    1
%127
%128
%130

X_VOID_FUNCTION X_BIF_ENTRY ( BUILTIN_STD_PARMS )
{
%129
%131
   X_BIF_Return( BUILTIN_STD_PARMS );
}
