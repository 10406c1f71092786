// RtDriver.cs: runs one generated C# function under the C# test run time.
//
//   mono velmo_rt.exe FUNCTION.dll [SEQUENCE]... [--stop] [--most N]
//
// It loads the function's assembly (compiled against this run time), finds
// its class (the one class derived from X_Function with a Run method), sets
// up the run-time blocks and the field vector from the class's field
// definitions, calls the function, and writes what the run left in the
// lines of the C test run time's driver (tests/runtime/rt_driver.c): one
// line per field, "END <name> <value>" (an alphanumeric value in brackets),
// then the lists' entries ("END LIST <name> <count>" and
// "END <list>.<n>.<field> <value>"), and how the function ended ("ENDED
// <n>", the end code of X_End_Main, or "ENDED -"). Sequence numbers given as
// arguments show the fields the same way (tagged with the number) each time
// the command of that number is about to run; with --stop the function is
// stopped after the last of them has been shown. With --most N a run that
// has begun N commands without ending stops there with "ENDED LOOPING". An
// exception of the generated code stops the run as the run time's stops do.
using System;
using System.IO;
using System.Linq;
using System.Reflection;
using VELMO;

public static class RtDriver
{
    const BindingFlags Any = BindingFlags.Public | BindingFlags.NonPublic | BindingFlags.Static | BindingFlags.Instance;

    static Type FunctionClass(Assembly assembly)
    {
        Type[] found = assembly.GetTypes()
                           .Where(t => typeof(X_Function).IsAssignableFrom(t) && t.GetMethod("Run") != null)
                           .ToArray();
        if (found.Length != 1)
            RT.Stop(assembly.GetName().Name + " holds " + found.Length + " function classes, not one");
        return found[0];
    }

    static X_FLD Copy(X_FLD d)
    {
        X_FLD f = new X_FLD(d.pszName, d.ulFieldType, d.eType, d.eSubtype, d.chShift, d.lLength, d.sByteLen,
                            d.sDecimals, d.pField, d.sIndexVOV, d.chChanged);
        f.chValError = d.chValError;
        return f;
    }

    public static int Main(string[] args)
    {
        var output = new StreamWriter(Console.OpenStandardOutput()) { AutoFlush = false };
        Console.SetOut(output);
        RT.Out = output;
        if (args.Length < 1) {
            Console.Error.WriteLine("usage: velmo_rt.exe FUNCTION.dll [SEQUENCE]... [--stop] [--most N]");
            return 2;
        }
        for (int i = 1; i < args.Length; ++i) {
            if (args[i] == "--stop")
                RT.StopAfterLast = true;
            else if (args[i] == "--most" && i + 1 < args.Length)
                RT.Most = long.Parse(args[++i]);
            else
                RT.Watched.Add(int.Parse(args[i]));
        }
        X_RUN_DLL.Services = new RtVectorServices();
        X_VAR_DLL.Evaluator = new RtEvaluator();
        Type function = FunctionClass(Assembly.LoadFrom(args[0]));
        var definition = (X_FLD[])function.GetField("FUNCTION_FIELD_DEF", Any).GetValue(null);
        X_FLD[] fields = definition.Select(Copy).ToArray();
        var ids = new X_IDS {
            chFatalError = X_Function.NO, chXVecAssignOption = RT.OptionUnset, chExecutionState = 'B',
            pX_UIM = new X_UIM()
        };
        var fun = new X_FUN { chMode = X_CmdStr.X_FUNCTION_MODE_DISPLAY, chError = X_Function.NO };
        RT.Fields = fields;
        RT.Fun = fun;
        RT.Ids = ids;
        object global1 = Activator.CreateInstance(function.GetNestedType("FUNCTION_STATIC_GLOBAL_1")),
               global2 = Activator.CreateInstance(function.GetNestedType("FUNCTION_STATIC_GLOBAL_2"));
        try {
            function.GetMethod("Run").Invoke(Activator.CreateInstance(function),
                                             new object[] { ids, new X_PRO(), fun, fields, null, new X_FKEY(), global1,
                                                            global2 });
        } catch (TargetInvocationException e) {
            Exception inner = e.InnerException;
            var frames = new System.Diagnostics.StackTrace(inner, true).GetFrames();
            var frame = frames != null && frames.Length > 0 ? frames[0] : null;
            string where = frame == null || frame.GetMethod() == null ? ""
                           : " in " + frame.GetMethod().Name +
                                 (frame.GetFileLineNumber() > 0
                                      ? " (" + Path.GetFileName(frame.GetFileName()) + ":" + frame.GetFileLineNumber() + ")"
                                      : "");
            RT.Stop(inner.GetType().Name + ": " + inner.Message + where);
        }
        RT.ShowFields("END", fields);
        RT.ShowLists("END");
        output.WriteLine(RT.EndCode >= 0 ? "ENDED " + RT.EndCode : "ENDED -");
        if (ids.chFatalError == X_Function.YES)
            output.WriteLine("FATAL ERROR SET");
        output.Flush();
        return 0;
    }
}
