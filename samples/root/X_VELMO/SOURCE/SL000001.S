// =================================================================
//  VELMO generated class of function %2
//  Process   : %5
// =================================================================
using System;
using System.IO;
using System.Text;
using VELMO;

namespace VELMO.%1631
{
   public partial class %163  : X_Function
   {
      public const string X_PROCESS_NAME = "%5          ";
      public const string X_GENERATED_AT = %65                ;

      private static bool bFirstTime = true;
      private static bool bFirstTime3 { get { return bFirstTime; } }
      private static FUNCTION_STATIC_GLOBAL_3 FunctionGlobalStatic3 = new FUNCTION_STATIC_GLOBAL_3();
      %133

      public static readonly X_FUN_DEFINITION X_FunctionDefinition = new X_FUN_DEFINITION(
%7
      );

      public static void X_InstallResources()
      {
%166
      }

      public static X_OBJ_ID_TABLE[] X_Get_Module_Identification()
      {
%66
         return IdentificationTable;
      }

%12

      public void Run( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List,
                       X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
%50
%90
%54
   %96
         // the labels, column headings, descriptions and multilingual texts
         // of the function's class, by language
%57      X_RUN_DLL.X_Register_Field_Texts( pX_Ids, MultiField );
%58      X_RUN_DLL.X_Register_Multilingual_Texts( pX_Ids, MultiText );
         X_Initialise_Function( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2, ref pX_List );
         X_Commands_%163 ( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2 );
         // what the function hands back, however its commands ended
%30
%32
%38
         // the function's texts of varying length released
%72
      }

      // The commands of the function: a command that ends the function
      // leaves them, and the reports it printed are closed after them.
      private static void X_Commands_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                           X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                           FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
%45      int sEntryCursors = 0;
%%IF_ZOPHX_IS_USED
         int lReturnCode = DqooDef.X_COMP_RETURN_OK;
%%ENDIF
%29
%41
%27
%1
      }

      // The fields exchanged with every called function.
      private static void X_Always_Exchange_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                                  X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                                  FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
%22
      }

      private static void X_Receive_Exchange_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                                   X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                                   FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
         X_RUN_DLL.X_Get_From_Exchange_List( pX_Ids, pX_Pro, pX_Fun, pX_Fld );
      }

      // ---- The tables of the function's commands ----
%35
%16
%20
%18
%53
%55
%56

      // The set-up of the lists and records of the commands: the instances
      // of the lists are created into the caller's list table, so that the
      // commands work on them; then the literals take their values.
      private static void X_Initialise_Function( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                                 X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                                 FUNCTION_STATIC_GLOBAL_2 pGlobal2, ref X_LIST[] ppX_List )
      {
%120
%%IF_ZOPH2_IS_NOT_USED
%21         X_RUN_DLL.X_Create_List_Instances( pX_Ids, pX_Pro, pX_Fun, FUNCTION_TOTAL_LISTS, FUNCTION_LIST_DEF, ref ppX_List );
%%ENDIF
%121
%17
         pX_List = ppX_List;
%1701
      }

      // The common close and open of every file the function uses.
      private static void X_Close_Data_Base_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                                  X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                                  FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
%23
      }
%26      private static void X_Open_Data_Base_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
%26                                                 X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
%26                                                 FUNCTION_STATIC_GLOBAL_2 pGlobal2, char chKeepOpen )
%26      {
%25
%26      }

      // The end of the function: the run-time ends it as returned.
      private static void X_End_Function_%163 ( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                               X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                               FUNCTION_STATIC_GLOBAL_2 pGlobal2 )
      {
         X_RUN_DLL.X_End_Main( pX_Ids, pX_Pro, pX_Fun, X_GloDef.X_SUBR_RETURNED );
      }

      // ---- Selection routines, cursor closes and data structures ----
%24

      // ---- Report control routines ----
%37

%%IF_COMPONENT
      // ---- Fields a component exchanges, and their evaluation cases ----
%95

      public static int Component_Evaluation_Request( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld,
                                                      X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1,
                                                      FUNCTION_STATIC_GLOBAL_2 pGlobal2, int lExchange )
      {
         switch ( lExchange )
         {
%98
         default:
            break;
         }
         return ComponentExchange[0].usExchange;
      }
%%ENDIF

      // ---- Evaluation routines and conditions ----
%14
