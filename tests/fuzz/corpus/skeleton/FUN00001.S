/* ================================================================= */
/*  VELMO generated program                                          */
%%IF_FUNCTION
/*  Function  : %2                                                   */
/*  Process   : %5                                                   */
%%ELSE
/*  Component : %3                                                   */
%%ENDIF
/*  Generated : %65                                                  */
/* ================================================================= */

#include "x_glodef.h"
#include "x_funstd.h"
#include "%63 .H"
#include "%63 .STG"

#define X_PARTITION_ID      "%94"
#define X_GENERATED_AT      %65
%%IF_FUNCTION
#define X_FUNCTION_NAME     "%2     "
#define X_PROCESS_NAME      "%5          "
%%ELSE
#define X_COMPONENT_MODULE  "%3      "
%%ENDIF
%%IF_ZOPHX_IS_USED
#include "%63 .DDC"
%%ENDIF

%7
%8
%12
%66

/* ---- Evaluation routines and conditions ---- */
%15
%16
%14
%53
%54

%%IF_FUNCTION
X_VOID_FUNCTION %63 ( FUNCTION_STD_PARMS )
%%ELSE
X_VOID_FUNCTION %63 ( COMPONENT_STD_PARMS )
%%ENDIF
{
   X_SHORT sEntryCursors = 0;
   %50
   %90
%17
%71

   /* ---- Commands ---- */
%1
%45   X_SHORT sCursorLimit = %46 ;
%55
%56
%38

   X_Return( X_STD_PARMS );
}
%120
%121
%24
%23
%25
%%IF_COMPONENT

/* ---- Data records of the component: descriptions and services ---- */
%140
%141
%%ENDIF

/* End of the generated program: 100%% of it comes from the skeleton. */
