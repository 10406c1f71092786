// RtProgram.cs: the routines a generated class calls around its commands in
// the C# test run time: the end of the main function, the debugger hooks
// before each command (the driver's watched commands and its limit of
// commands begun), the function mode field, the fatal error, the exchange
// list of a function no other function called (it holds nothing), the
// refresh of fields it holds itself, and the texts it registers.
using System;
using System.Collections.Generic;
using VELMO;

public static partial class RT
{
    // The end code of X_End_Main, -1 when the function returned without one.
    public static int EndCode = -1;

    // The commands whose fields are shown before they run, whether the run
    // stops after the last of them, and the most commands a run may begin.
    public static readonly List<int> Watched = new List<int>();
    public static bool StopAfterLast;
    public static long Most, Begun;

    public static bool Debug(X_FUN fun, X_FLD[] vector, bool mayStop)
    {
        if (Most > 0 && ++Begun > Most) {
            Out.WriteLine("ENDED LOOPING");
            Out.Flush();
            Environment.Exit(0);
        }
        if (!Watched.Contains(fun.sSequence))
            return false;
        ShowFields(fun.sSequence.ToString(), vector);
        return mayStop && StopAfterLast && fun.sSequence == Watched[Watched.Count - 1];
    }

    // ---- texts ----

    static X_MFLD[,] fieldTexts;
    static X_MTXT[,] multiTexts;

    public static void RegisterFieldTexts(X_MFLD[,] texts) { fieldTexts = texts; }
    public static void RegisterMultiTexts(X_MTXT[,] texts) { multiTexts = texts; }

    public static string FieldText(int field, int language, char kind)
    {
        if (fieldTexts == null || field < 0 || field >= fieldTexts.GetLength(0) || language < 0 ||
            language >= fieldTexts.GetLength(1))
            Stop("X_Get_MFld of field text " + field + " in language " + language +
                 ", which the program did not register");
        X_MFLD t = fieldTexts[field, language];
        switch (kind) {
        case 'L': return t.pszLabel;
        case '1':
        case '2':
        case '3': return t.apszHeadings[kind - '1'];
        case 'D': return t.pszDescription;
        }
        Stop("X_Get_MFld of text kind '" + kind + "'");
        return null;
    }

    public static string MultiText(int text, int language)
    {
        if (multiTexts == null || text < 0 || text >= multiTexts.GetLength(0) || language < 0 ||
            language >= multiTexts.GetLength(1))
            Stop("X_Get_MTxt of text " + text + " in language " + language + ", which the program did not register");
        return multiTexts[text, language].pszText;
    }
}

public static partial class X_RUN_DLL
{
    public static void X_End_Main(X_IDS ids, X_PRO pro, X_FUN fun, int end) { RT.EndCode = end; }

    public static bool DebugMain(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists, X_FKEY keys,
                                 object global1, object global2, string command)
    {
        return RT.Debug(fun, vector, true);
    }

    // The same in a subroutine: the fields shown, the run never stopped there.
    public static bool DebugSubRoutine(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists, X_FKEY keys,
                                       object global1, object global2, string command)
    {
        return RT.Debug(fun, vector, false);
    }

    // The mode field shows the function's mode: ADD, CHG, DLT or DSP.
    public static void X_Reset_Function_Mode(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int modeField)
    {
        string mode = fun.chMode == X_CmdStr.X_FUNCTION_MODE_ADD      ? "ADD"
                      : fun.chMode == X_CmdStr.X_FUNCTION_MODE_CHANGE ? "CHG"
                      : fun.chMode == X_CmdStr.X_FUNCTION_MODE_DELETE ? "DLT"
                                                                      : "DSP";
        if (modeField != X_Function.V_NOT_AVAILABLE)
            RT.StoreText(ids, RT.Place(vector, modeField), mode);
    }

    // A function run on its own receives nothing.
    public static void X_Get_From_Exchange_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector) { }

    // A field the function holds itself has nothing to refresh.
    public static void X_Refresh_Field_Value(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD field)
    {
        if (field.eType == X_DEFS.X_TYPE_COMPONENT)
            RT.Stop("X_Refresh_Field_Value of component field " + RT.Name(field));
    }

    public static void X_Refresh_Component_Value(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD field)
    {
        if (field.eType == X_DEFS.X_TYPE_COMPONENT)
            RT.Stop("X_Refresh_Component_Value of component field " + RT.Name(field));
    }

    public static void X_Fatal_Error(X_IDS ids, X_PRO pro, X_FUN fun, string function, string text, string command)
    {
        RT.Out.WriteLine("FATAL " + text + " " + function + (command != null ? " " + command : ""));
        if (ids != null)
            ids.chFatalError = X_Function.YES;
    }

    public static void X_Register_Field_Texts(X_IDS ids, X_MFLD[,] texts) { RT.RegisterFieldTexts(texts); }
    public static void X_Register_Multilingual_Texts(X_IDS ids, X_MTXT[,] texts) { RT.RegisterMultiTexts(texts); }
}

namespace VELMO
{
    public abstract partial class X_Function
    {
        public static string X_Get_MFld(int field, int language, char kind) { return RT.FieldText(field, language, kind); }
        public static string X_Get_MTxt(int text, int language) { return RT.MultiText(text, language); }
    }
}
