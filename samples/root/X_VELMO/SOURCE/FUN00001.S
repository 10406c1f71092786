/* ================================================================= */
/*  VELMO generated program                                          */
%%IF_FUNCTION
/*  Function  : %2                                                   */
/*  Process   : %5                                                   */
%%ELSE
/*  Component : %3                                                   */
%%ENDIF
/*  Generated : %65                                                  */
/*  Title     : %9                                         */
/* ================================================================= */
/* What the function was written for: its usage class, its FUNCTION
   options of system variables and field validation, its reports. */
%107 #define X_FUNCTION_HEAVY_USAGE 1
%108 #define X_FUNCTION_LIGHT_USAGE 1
%122 #define X_FUNCTION_ALP_SYSTEM_VARIABLE 1
%123 #define X_FUNCTION_NUM_SYSTEM_VARIABLE 1
%125 #define X_FUNCTION_ALP_FIELD_VALIDATE 1
%126 #define X_FUNCTION_NUM_FIELD_VALIDATE 1
%31 #define X_FUNCTION_VALIDATES 1
%47 #define X_FUNCTION_NO_VALIDATION 1
%48 #define X_FUNCTION_SAVES_EXCHANGE 1
%124 #define X_FUNCTION_OPTION_19_UNSET 1
%39 #define X_FUNCTION_PRINTS_REPORTS 1

#include "x_glodef.h"
#include "x_funstd.h"
#include "%62 .STG"
#include "%62 .H"

#define X_PARTITION_ID      "%94"
#define X_GENERATED_AT      %65
%%IF_FUNCTION
#define X_FUNCTION_NAME     "%2     "
#define X_PROCESS_NAME      "%5          "
%%ELSE
#define X_COMPONENT_MODULE  "%3      "
%%ENDIF
%%IF_ZOPHX_IS_USED
#include "%62 .DDC"
%93
%%ENDIF
%133

static X_FUN_DEFINITION X_FunctionDefinition =
{
%7
};

X_FUN_DEFINITION * X_Get_Function_Definition ( void )
{
   return &X_FunctionDefinition;
}

%12
%66
%42

X_OBJ_ID_TABLE * X_Get_Module_Identification ( void )
{
   return IdentificationTable;
}

/* The tables of the program follow its commands: they are set up here,
   and the instances of its lists are created into the caller's list
   pointer, so that the commands work on them. */
static void X_Initialise_Function ( FUNCTION_STD_ARGS, struct X_LIST ** ppX_List );
/* The common close and open of every file the program uses. */
X_VOID_FUNCTION X_Close_Data_Base_%63 ( FUNCTION_STD_ARGS );
X_VOID_FUNCTION X_Open_Data_Base_%63 ( FUNCTION_STD_ARGS, X_CHAR chKeepOpen );

/* ---- Fields exchanged with every called function ---- */
X_VOID_FUNCTION X_Always_Exchange_%63 ( FUNCTION_STD_ARGS )
{
%22
}

X_VOID_FUNCTION X_Receive_Exchange_%63 ( FUNCTION_STD_ARGS )
{
   X_Get_From_Exchange_List (pX_Ids,pX_Pro,pX_Fun,pX_Fld);
}

%%IF_FUNCTION
/* ---- The commands of the function ---- */
%%ELSE
/* ---- The commands of the component ---- */
%%ENDIF
static X_VOID_FUNCTION X_Commands_%63 ( FUNCTION_STD_ARGS )
{
   X_SHORT sEntryCursors = 0;
   (void) sEntryCursors;
%%IF_ZOPHX_IS_USED
   X_COMP_RETURN_CODE lReturnCode = X_COMP_RETURN_OK;
   (void) lReturnCode;
%%ENDIF
%29
%41
%27
%1
%45   X_SHORT sCursorLimit = %46 ;
%45   (void) sCursorLimit;
}

X_VOID_FUNCTION %63 ( FUNCTION_STD_ARGS )
{
   %101
   X_Initialise_Function( FUNCTION_STD_PARMS, &pX_List );
   %102
   %99
%%IF_COMPONENT
   %96
%%ENDIF

   X_Commands_%63 ( FUNCTION_STD_PARMS );
   /* what the function hands back, however its commands ended */
%30
%32
%38
   %132
   if ( pX_Ids->chFatalError == YES )
   {
   %103
   }
   %104
   %105
   %19
%72

   X_Return( FUNCTION_STD_PARMS );
}
%24

X_VOID_FUNCTION X_Close_Data_Base_%63 ( FUNCTION_STD_ARGS )
{
%23
}
%26
%26 X_VOID_FUNCTION X_Open_Data_Base_%63 ( FUNCTION_STD_ARGS, X_CHAR chKeepOpen )
%26 {
%25
%26 }
%37

/* ---- Tables of the program ---- */
%8
%40
%16
%20
%35
%36
%49
%18
%%IF_FUNCTION

/* ---- Text tags of the web pages, by language (the names of the texts
   the tables above registered) ---- */
X_PPVCHAR X_Get_Text_Tags ( X_SHORT sLangNo, X_LONG * plLimit )
{
   %106
}
%%ENDIF
%73
%33
%%IF_ZOPHX_COMPOUND_COMPONENT
%74
%%ENDIF

%67 /* ---- Arguments and return values of the built-in function ---- */
%67 static const struct X_BIFPARM X_BifArguments[] = {
%70
%67 };
%67 static const struct X_BIFPARM X_BifReturns[] = {
%69
%67 };

/* ---- Evaluation routines and conditions ---- */
%15
%14
%53
%55
%56

static void X_Initialise_Function ( FUNCTION_STD_ARGS, struct X_LIST ** ppX_List )
{
   %50
   %90
%54
%120
%121
%%IF_NOT_ZOPHX_COMPOUND_COMPONENT_MEMBER
   X_Register_Language_Table( pX_Ids, s_LanguageTable, s_LanguageCount, s_FunctionDescriptionTable );
%%ENDIF
%57   X_Register_Field_Texts( pX_Ids, &(MultiField[0][0]), (X_SHORT)(sizeof(MultiField) / sizeof(MultiField[0])) );
%58   X_Register_Multilingual_Texts( pX_Ids, &(MultiText[0][0]), (X_SHORT)(sizeof(MultiText) / sizeof(MultiText[0])) );
%%IF_ZOPH2_IS_NOT_USED
%21   X_Create_List_Instances( pX_Ids, pX_Pro, pX_Fun, (X_SHORT) FUNCTION_TOTAL_LISTS, &(FUNCTION_LIST_DEF[0]), ppX_List );
%%ENDIF
   /* the commands and what follows work on the instances just created */
   pX_List = *ppX_List;
%34   X_Register_Debug_Arrays( pX_Ids, X_Array, (X_SHORT)(sizeof(X_Array) / sizeof(X_Array[0])), s_ArrayVectorBounds );
%67   X_Register_Bif_Parameters( pX_Ids, X_BifArguments, (X_SHORT)(sizeof(X_BifArguments) / sizeof(X_BifArguments[0])),
%67                              X_BifReturns, (X_SHORT)(sizeof(X_BifReturns) / sizeof(X_BifReturns[0])) );
%17
%1701
%71
%2101
}

/* ---- The work fields of the program set to their defaults again, for
   a run time that reuses the instance ---- */
X_VOID_FUNCTION X_Reset_Work_Fields_%63 ( FUNCTION_STD_ARGS )
{
%97
}
%%IF_COMPONENT

/* ---- Fields a component exchanges, and their evaluation cases ---- */
static const struct X_VECTOR_COMPONENT_EXCHANGE ComponentExchange[] = {
%95
};

X_LONG Component_Evaluation_Request( FUNCTION_STD_ARGS, X_LONG lExchange )
{
   switch ( lExchange )
   {
   %98
   default:
      break;
   }
   return ComponentExchange[0].usExchange;
}

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
