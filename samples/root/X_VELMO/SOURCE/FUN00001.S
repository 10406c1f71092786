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

static X_FUN_DEFINITION X_FunctionDefinition =
{
%7
};

X_FUN_DEFINITION * X_Get_Function_Definition ( void )
{
   return &X_FunctionDefinition;
}

%8
%12
%40
%66

X_OBJ_ID_TABLE * X_Get_Module_Identification ( void )
{
   return IdentificationTable;
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

%%ENDIF
X_VOID_FUNCTION %63 ( FUNCTION_STD_ARGS )
{
   X_SHORT sEntryCursors = 0;
   (void) sEntryCursors;
   %101
   %50
   %90
%54
%17
%71
   %102
   %99
%%IF_COMPONENT
   %96
%%ENDIF

   /* ---- Commands ---- */
%1
%45   X_SHORT sCursorLimit = %46 ;
%45   (void) sCursorLimit;
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

/* ---- Data records of the component: routines and services ---- */
%141

/* ---- Data records of the component: the description of the model ---- */
X_PVOID X_Get_Bom_Description ( void )
{
   X_PVOID pvDescription = pX_NULL;

   %140
   return pvDescription;
}
%%ENDIF

/* End of the generated program: 100%% of it comes from the skeleton. */
