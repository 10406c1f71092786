/* ================================================================= */
/*  Built-in function program of function %2      */
/*  Process   : %5                                                   */
/* ================================================================= */

#include "x_bifstd.h"
#include "%62 .STG"
#include "%62 .H"
#define X_BIF_PROGRAM_NAME  "%4.pgm      
%%IF_ZOPHX_FUNCTION
#define X_BIF_LEVEL_TWO     1
%%ENDIF
/* no function options ask for validation */
%127
%128
%130

X_VOID_FUNCTION X_BIF_ENTRY ( BUILTIN_STD_ARGS )
{
   X_SHORT scX_Parm = 0;
   struct X_PARM X_Parm[X_BIF_MAX_PARMS];
   int argcNext = 1;
   int ReturnCountsArgvPos = 0;

   X_RCV_Register( pX_Ids, RCV_LIST_COUNT, RCV_LIST_STRUCT );
%129
%131
   X_BIF_Bind_Done( pX_Ids, scX_Parm, X_Parm, argcNext, ReturnCountsArgvPos );
   X_BIF_Return( BUILTIN_STD_PARMS );
}
