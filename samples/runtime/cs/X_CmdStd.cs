// X_CmdStd.cs: the run-time interface that the C# code of the language's
// commands calls besides the file, list and screen commands: the function
// modes, the mode reset and the field services of the field commands.
// Declarations (stubs that compile) only: the hosting run-time supplies the
// behaviour.

public partial class X_FUN { public string vchLastAID; public X_FUN_UKEY_AID[] UKey = new X_FUN_UKEY_AID[5]; }
// A user-defined function key of the function: its key text.
public class X_FUN_UKEY_AID { public string vchAID; }

namespace VELMO
{
    // The modes of a function.
    public static partial class X_CmdStr
    {
        public const char X_FUNCTION_MODE_DISPLAY = 'D', X_FUNCTION_MODE_ADD = 'A', X_FUNCTION_MODE_CHANGE = 'C',
                          X_FUNCTION_MODE_DELETE = 'X', X_FUNCTION_MODE_SAME = 'S', X_FUNCTION_MODE_UNKNOWN = '?';
    }
}

namespace VELMO
{
    // The arithmetic of the generator's own evaluation routines.
    public static partial class X_DEFS
    {
        public const int X_PDF_MATH_ADD = 1, X_PDF_MATH_SUBTRACT = 2, X_PDF_MATH_DIVIDE = 3, X_PDF_MATH_MULTIPLY = 4;
    }
}

// A field the statement's evaluations refer to, resolved before the request.
public static partial class X_VAR_DLL
{
    public static void X_VAR_ResolveEvaluationVariable(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { }
    // a system variable among the values of a WHERE the I/O module evaluates, set before the request
    public static void X_Vec_Set_from_SysVar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                             string systemVariable) { }
}

// The mode reset and the field services of the field commands.
public static partial class X_RUN_DLL
{
    // the debugger, told each command before it runs: true ends the routine
    public static bool DebugMain(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists, X_FKEY keys,
                                 object global1, object global2, string command) { return false; }
    public static bool DebugSubRoutine(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists, X_FKEY keys,
                                       object global1, object global2, string command) { return false; }
    public static bool DebugComponentRoutine(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                             X_FKEY keys, object global1, object global2, string command,
                                             X_COMPONENT_ROUTINE_INFO info, X_FUN active) { return false; }
    public static void X_Reset_Function_Mode(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int modeField) { }
    public static char X_Determine_Mode(X_IDS ids, X_PRO pro, X_FUN fun, object field) { return 'D'; }
    public static char X_Vec_Null(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { return 'N'; }
    public static void X_Vec_Substring(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField,
                                       int fromPosition, int fromLength, X_FLD[] target, int targetField,
                                       int toPosition, int toLength) { }
    public static void X_Vec_Substring2(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField,
                                        int fromPosition, int fromLength, X_FLD[] target, int targetField,
                                        int toPosition, int toLength) { }
    public static object X_Vec_Apply_Index(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { return null; }
    public static void X_Vec_Set_Index(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { }
    public static void X_Refresh_Field_Value(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD field) { }
    public static void X_Refresh_Component_Value(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD field) { }
    public static void X_Fatal_Error(X_IDS ids, X_PRO pro, X_FUN fun, string function, string text, string command) { }
    public static string X_TEXT(int number) { return null; }
    // the comparison and arithmetic of two fields of vectors
    public static int X_Vec_Compare(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] left, int leftField, X_FLD[] right,
                                    int rightField) { return 0; }
    public static void X_PDF_Math(X_IDS ids, X_PRO pro, X_FUN fun, int operation, X_FLD[] first, int firstField,
                                  X_FLD[] second, int secondField, X_FLD[] result, int resultField) { }
}

namespace VELMO
{
    // The actions of the result of a check.
    public static partial class X_CmdStr
    {
        public const char X_ERROR_ACTION = 'E', X_NEXT_ACTION = 'N', X_ACCEPT_ACTION = 'A';
    }

    public static partial class X_DEFS
    {
        public const int X_MAX_CHAR_FIELD_LEN = 32767;
        // a flag of every field of the vector set at once
        public static void X_MEMSET(char[] flags, char value) { }
    }
}

// The checkers of the validation commands and the field errors.
public partial class X_IDS { public string vchFileCheckRetCode, vchStandardMessageFile; }
public partial class X_FLD { public char chValError; }
public static partial class X_RUN_DLL
{
    public static void X_Condition_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, char result,
                                         char inAction, char outAction, object messageId, object messageFile,
                                         int substitutionCount, short[] substitutions, ref char check) { }
    public static void X_Date_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, string format,
                                    int daysBefore, int daysAfter, char inAction, char outAction, object messageId,
                                    object messageFile, int substitutionCount, short[] substitutions, ref char check) { }
    public static void X_Range_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int rangeCount,
                                     short[] ranges, char inAction, char outAction, object messageId,
                                     object messageFile, int substitutionCount, short[] substitutions,
                                     ref char check) { }
    public static void X_Values_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int valueCount,
                                      short[] values, char inAction, char outAction, object messageId,
                                      object messageFile, int substitutionCount, short[] substitutions,
                                      ref char check) { }
    public static void X_Complex_Logic_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                             string program, int parameterCount, short[] parameters, char inAction,
                                             char outAction, object messageId, object messageFile,
                                             int substitutionCount, short[] substitutions, ref char check) { }
    public static void X_Code_File_Check_2(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request, string file, string field,
                                           int keyCount, short[] keys, char inAction, char outAction,
                                           object messageId, object messageFile, int substitutionCount,
                                           short[] substitutions, ref char check) { }
    public static void X_Vec_Increment(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int by) { }
    public static void X_Comp_Set_Error_On(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { }
    public static void X_Comp_Set_All_Errors_Off(X_IDS ids, X_PRO pro, X_FUN fun, int count, X_FLD[] vector) { }
}
