// X_BifStd.cs: the run-time interface that the C# code of USE calls: the
// control block of a built-in function call, the parameter list of a
// built-in function written in ZOPH with the defaults of its values, and
// the calls themselves. Declarations (stubs that compile) only: the
// hosting run-time supplies the behaviour.

// The control block of one call.
public class X_BIF { public int sUID; public char chShutDown, chReturnCode; }

// The exchange list as a validating function keeps it aside while its
// checks run: the number of fields and the first field's entry.
public class X_EXCHL2 { }
public class X_EXCHL { public int sCount; public X_EXCHL2 pFirst; }

// One parameter passed between functions.
public partial class X_PARM
{
    public int sType; public string vchName; public int sNumberOf; public object pValue;
    public X_PARM(int type, string name, int numberOf, object value)
    {
        sType = type; vchName = name; sNumberOf = numberOf; pValue = value;
    }
}

// The default of an argument or return value of a built-in function
// written in ZOPH.
public class _X_ZOPH_BIF_DEFAULT
{
    public char chType; public int sLength, sDecimals; public string pszDefault;
    public _X_ZOPH_BIF_DEFAULT(char type, int length, int decimals, string text)
    {
        chType = type; sLength = length; sDecimals = decimals; pszDefault = text;
    }
}

namespace VELMO
{
    // What a parameter of a built-in function call holds.
    public static class X_BifStr
    {
        public const int X_PARM_BIF_CALLER_PX_FUN = 1, X_PARM_BIF_CALLER_PX_BIF = 2, X_PARM_BIF_VECTOR_ARGUMENT = 1,
                         X_PARM_BIF_VECTOR_RETURN_VALUE = 2, X_PARM_BIF_LIST_ARGUMENT = 3,
                         X_PARM_BIF_LIST_RETURN_VALUE = 4, X_PARM_BIF_DEFAULT_ARG_INFO = 5,
                         X_PARM_BIF_DEFAULT_RET_INFO = 6;
        // what a parameter of a function call holds
        public const int X_PARM_WORKING_LIST = 7, X_PARM_DATA_STRUCTURE = 8, X_PARM_VALIDATE_STRUCTURE = 9,
                         X_PARM_SYSVAR_STRUCTURE = 10;
    }

    // The next functions a called function can name, and what a call of a
    // component routine can answer.
    public static partial class DqooDef
    {
        public const string X_PROCESS_EXIT = "*EXIT", X_PROCESS_MENU = "*MENU";
        public const int X_COMP_RETURN_TRANSFER_REQUESTED = 2, X_COMP_DISPATCH_ZOPHX_CONDITION = 1;
    }
}

// What a field validation program receives and answers, and what the
// program of a system variable receives and answers.
public class X_VALIDATE { public string vchName, vchValue; public int sLen, sDec; public char chRetCode; }
public class X_SYSVAR { public string vchName; public X_FLD[] pX_Fld; public int svResult; }

// Whether the function ended in error.
public partial class X_FUN { public char chError; }

// The next function the run time runs, and the function that ran last.
public partial class X_IDS { public string vchNext; }
public partial class X_PRO { public string vchLastFunc; }

// The calls of a built-in function: a routine of the run time or an entry
// of a user DLL (found by its name), a user program, or a function written
// in ZOPH.
public static partial class X_RUN_DLL
{
    public static void X_PDF_Execute_BuiltIn(string routine, X_IDS ids, X_PRO pro, X_FUN fun, X_BIF bif,
                                             X_FLD[] vector, X_LIST[] lists, int argumentCount, short[] arguments,
                                             int returnCount, short[] returns) { }
    public static void X_PDF_Execute_User_BIF(X_IDS ids, X_PRO pro, X_FUN fun, X_BIF bif, char flag, X_FLD[] vector,
                                              X_LIST[] lists, int argumentCount, short[] arguments, int returnCount,
                                              short[] returns) { }
    public static void X_PDF_Execute_Function(X_IDS ids, X_PRO pro, X_FUN fun, string function, int parameterCount,
                                              X_PARM[] parameters) { }
    public static void X_PDF_Execute_Process(X_IDS ids, X_PRO pro, X_FUN fun, string process, string function,
                                             int parameterCount, X_PARM[] parameters) { }
    // a batch job: the process and function, the job's name, description,
    // queue and output queue (each a field vector entry, or null for the
    // default) and the fields passed
    public static void X_PDF_Submit_Process(X_IDS ids, X_PRO pro, X_FUN fun, string process, string function,
                                            object reserved, X_FLD[] vector, object job, object jobDescription,
                                            object jobDescriptionLibrary, object jobQueue, object jobQueueLibrary,
                                            object outputQueue, object outputQueueLibrary, int parameterCount,
                                            short[] parameters) { }
    // the fields exchanged with the next function
    public static void X_Put_To_Exchange_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int count,
                                              short[] fields) { }
    public static void X_Get_From_Exchange_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector) { }
    // a working list back from a called function
    public static void X_Reset_List_Counter(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list,
                                            X_LIST[] lists) { }
    // what a called function receives and hands back: a working list, a
    // data structure (in the exchange area, or passed), trigger information
    public static void X_Receive_Working_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list,
                                              X_LIST[] lists, int position, int parameterCount,
                                              X_PARM[] parameters) { }
    public static void X_Return_Working_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list,
                                             X_LIST[] lists, int position, int parameterCount,
                                             X_PARM[] parameters) { }
    public static char X_Locate_Data_Structure(X_IDS ids, X_PRO pro, X_FUN fun, string name, object structure)
    { return 'N'; }
    public static void X_Clear_Data_Structures(X_IDS ids, X_PRO pro, X_FUN fun) { }
    public static void X_Store_Data_Structure(X_IDS ids, X_PRO pro, X_FUN fun, string name, object structure) { }
    public static void X_Handle_Trigger_Info(X_IDS ids, X_PRO pro, X_FUN fun, char direction, X_FLD[] vector,
                                             int list, X_LIST[] lists, int operation, int returnCode,
                                             int parameterCount, X_PARM[] parameters) { }
    public static void X_Start_Call_ZOPH_from_ZOPHX(X_IDS ids, X_PRO pro, X_FUN fun, ref object track) { }
    public static void X_End_Call_ZOPH_from_ZOPHX(X_IDS ids, X_PRO pro, X_FUN fun, ref object track) { }
}
