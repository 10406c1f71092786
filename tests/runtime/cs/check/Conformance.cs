// Conformance.cs: lists what the run-time interface declares (an assembly
// compiled from samples/runtime/cs) that the C# test run time (velmo_rt.exe)
// does not declare alike: every public type, and every public field,
// constructor, method and property of it, by its name, its type and the
// types of its parameters. The test run time takes the interface's
// declarations (derive-interface) and replaces the members it gives a
// meaning; a replacement must keep the member as generated C# names it.
//
//   mono conformance.exe INTERFACE.dll velmo_rt.exe
// One line per member missing or changed; the status is the number of them.
using System;
using System.Collections.Generic;
using System.Linq;
using System.Reflection;

public static class Conformance
{
    const BindingFlags Declared = BindingFlags.Public | BindingFlags.Instance | BindingFlags.Static |
                                  BindingFlags.DeclaredOnly;

    static string Signature(MemberInfo m)
    {
        FieldInfo f = m as FieldInfo;
        if (f != null)
            return (f.IsStatic ? "static " : "") + f.FieldType + " " + f.Name;
        PropertyInfo p = m as PropertyInfo;
        if (p != null)
            return p.PropertyType + " " + p.Name;
        MethodBase b = m as MethodBase;
        if (b == null)
            return m.MemberType + " " + m.Name;
        string parameters = string.Join(", ", b.GetParameters().Select(x => x.ParameterType.ToString()));
        string result = b is MethodInfo ? ((MethodInfo)b).ReturnType + " " : "";
        return (b.IsStatic ? "static " : "") + result + b.Name + "(" + parameters + ")";
    }

    static HashSet<string> Members(Type t)
    {
        return new HashSet<string>(t.GetMembers(Declared)
                                       .Where(m => !(m is MethodInfo) || !((MethodInfo)m).IsSpecialName)
                                       .Where(m => !(m is Type))
                                       .Select(Signature));
    }

    public static int Main(string[] args)
    {
        Assembly wanted = Assembly.LoadFile(System.IO.Path.GetFullPath(args[0])),
                 given = Assembly.LoadFile(System.IO.Path.GetFullPath(args[1]));
        int missing = 0;
        foreach (Type t in wanted.GetExportedTypes().OrderBy(t => t.FullName)) {
            Type u = given.GetType(t.FullName);
            if (u == null || !u.IsPublic && !u.IsNestedPublic) {
                Console.WriteLine("type " + t.FullName);
                ++missing;
                continue;
            }
            HashSet<string> have = Members(u);
            foreach (string m in Members(t).OrderBy(m => m))
                if (!have.Contains(m)) {
                    Console.WriteLine(t.FullName + ": " + m);
                    ++missing;
                }
        }
        return missing;
    }
}
