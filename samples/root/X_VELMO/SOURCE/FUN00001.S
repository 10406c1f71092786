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
%40
%66

%%IF_FUNCTION
/* ---- Fields exchanged with every called function ---- */
X_VOID_FUNCTION X_Always_Exchange_%63 ( FUNCTION_STD_ARGS )
{
%22
}

X_VOID_FUNCTION X_Receive_Exchange_%63 ( FUNCTION_STD_ARGS )
{
   X_Get_From_Exchange_List (pX_Ids,pX_Pro,pX_Fun,pX_Fld);
}

/* ---- The commands of the function ---- */
static X_VOID_FUNCTION X_Commands_%63 ( FUNCTION_STD_ARGS )
%%ELSE
/* ---- The commands of the component ---- */
static X_VOID_FUNCTION X_Commands_%63 ( COMPONENT_STD_ARGS )
%%ENDIF
{
   X_SHORT sEntryCursors = 0;
   (void) sEntryCursors;
%29
%41
%1
%45   X_SHORT sCursorLimit = %46 ;
%45   (void) sCursorLimit;
%30
%32
}

/* ---- Evaluation routines and conditions ---- */
%15
%16
%14
%53

%%IF_FUNCTION
/* ---- Text tags of the web pages, by language ---- */
X_PPVCHAR X_Get_Text_Tags ( X_SHORT sLangNo, X_LONG * plLimit )
{
   %106
}

X_VOID_FUNCTION %63 ( FUNCTION_STD_ARGS )
%%ELSE
X_VOID_FUNCTION %63 ( COMPONENT_STD_ARGS )
%%ENDIF
{
   %101
   %50
   %90
%54
%17
%71
   %102
   %99

   X_Commands_%63 ( FUNCTION_STD_PARMS );
%55
%56
%38
   if ( pX_Ids->chFatalError == YES )
   {
   %103
   }
   %104
   %105

   X_Return( FUNCTION_STD_PARMS );
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
