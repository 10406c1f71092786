// RtChecks.cs: the validation checkers and the message handler of the C#
// test run time. A checker compares the field with its ranges, its list of
// values or the condition the program evaluated, and answers the action of
// the outcome the program gave it (in or out); an error action issues the
// check's message. A message is written to the run's output as a line
// "MESSAGE <type> <id> <text>", the text a literal of the program or its
// message field's value; the message of an ABORT as "ABORT <type> <id>
// <text>". The lines are the C test run time's.
using System;
using System.Text;
using VELMO;

public static partial class RT
{
    // A field compared with another by value: numbers as decimals, texts of
    // any kind as the shorter filled with blanks.
    public static int CompareFields(X_FLD[] vector, int a, int b)
    {
        X_FLD fa = vector[a], fb = vector[b];
        if (IsNumeric(KindOf(fa)) && IsNumeric(KindOf(fb)))
            return RtDec.Compare(Get(vector, a), Get(vector, b));
        if (KindOf(fa) == RtKind.Alpha && KindOf(fb) == RtKind.Alpha) {
            byte[] x = Read(Place(vector, a), fa.sByteLen), y = Read(Place(vector, b), fb.sByteLen);
            for (int i = 0; i < Math.Max(x.Length, y.Length); ++i) {
                int cx = i < x.Length ? x[i] : (int)' ', cy = i < y.Length ? y[i] : (int)' ';
                if (cx != cy)
                    return cx < cy ? -1 : 1;
            }
            return 0;
        }
        if (!IsNumeric(KindOf(fa)) && !IsNumeric(KindOf(fb))) {
            // texts of the other kinds (varying, dates, times, timestamps) as they read
            string x = ReadText(Place(vector, a)), y = ReadText(Place(vector, b));
            for (int i = 0; i < Math.Max(x.Length, y.Length); ++i) {
                int cx = i < x.Length ? x[i] : ' ', cy = i < y.Length ? y[i] : ' ';
                if (cx != cy)
                    return cx < cy ? -1 : 1;
            }
            return 0;
        }
        Stop("a check compares " + Name(fa) + " with " + Name(fb) + ", a number with a text");
        return 0;
    }

    static string TextOf(object text)
    {
        if (text == null)
            return null;
        string s = text as string;
        if (s == null)
            Stop("a message text of a " + text.GetType().Name);
        return s;
    }

    public static void Issue(string tag, X_FLD[] vector, char type, object messageId, object text, int count,
                             short[] substitutions)
    {
        var line = new StringBuilder(tag + " " + (type != '\0' ? type : '-') + " " + (TextOf(messageId) ?? "-") + " " +
                                     (TextOf(text) ?? ""));
        for (int i = 0; i < count; ++i)
            line.Append(" <" + ReadText(Place(vector, substitutions[i])) + ">");
        Out.WriteLine(line.ToString());
    }

    static void Outcome(X_FLD[] vector, int field, bool inside, char inAction, char outAction, object messageId,
                        int count, short[] substitutions, ref char result)
    {
        result = inside ? inAction : outAction;
        if (result == X_CmdStr.X_ERROR_ACTION)
            Issue("MESSAGE", vector, 'E', Name(vector[field]) + ":" + (TextOf(messageId) ?? "-"), "", count,
                  substitutions);
    }

    public static void RangeCheck(X_FLD[] vector, int field, int ranges, short[] bounds, char inAction, char outAction,
                                  object messageId, int count, short[] substitutions, ref char result)
    {
        bool inside = false;
        for (int i = 0; i < ranges && !inside; ++i)
            inside = CompareFields(vector, field, bounds[2 * i]) >= 0 && CompareFields(vector, field, bounds[2 * i + 1]) <= 0;
        Outcome(vector, field, inside, inAction, outAction, messageId, count, substitutions, ref result);
    }

    public static void ValuesCheck(X_FLD[] vector, int field, int values, short[] list, char inAction, char outAction,
                                   object messageId, int count, short[] substitutions, ref char result)
    {
        bool inside = false;
        for (int i = 0; i < values && !inside; ++i)
            inside = CompareFields(vector, field, list[i]) == 0;
        Outcome(vector, field, inside, inAction, outAction, messageId, count, substitutions, ref result);
    }

    public static void ConditionCheck(X_FLD[] vector, int field, char condition, char inAction, char outAction,
                                      object messageId, int count, short[] substitutions, ref char result)
    {
        Outcome(vector, field, condition == X_Function.YES, inAction, outAction, messageId, count, substitutions,
                ref result);
    }

    // The letter of a message type, as the C run time receives it.
    public static char MessageType(int type)
    {
        return type == X_Function.X_MESSAGE_TYPE_INFO     ? 'I'
               : type == X_Function.X_MESSAGE_TYPE_STATUS ? 'S'
               : type == X_Function.X_MESSAGE_TYPE_WINDOW ? 'W'
                                                          : '-';
    }
}

public static partial class X_RUN_DLL
{
    public static void X_Range_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int rangeCount,
                                     short[] ranges, char inAction, char outAction, object messageId,
                                     object messageFile, int substitutionCount, short[] substitutions, ref char check)
    {
        RT.RangeCheck(vector, field, rangeCount, ranges, inAction, outAction, messageId, substitutionCount,
                      substitutions, ref check);
    }

    public static void X_Values_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int valueCount,
                                      short[] values, char inAction, char outAction, object messageId,
                                      object messageFile, int substitutionCount, short[] substitutions, ref char check)
    {
        RT.ValuesCheck(vector, field, valueCount, values, inAction, outAction, messageId, substitutionCount,
                       substitutions, ref check);
    }

    public static void X_Condition_Check(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, char result,
                                         char inAction, char outAction, object messageId, object messageFile,
                                         int substitutionCount, short[] substitutions, ref char check)
    {
        RT.ConditionCheck(vector, field, result, inAction, outAction, messageId, substitutionCount, substitutions,
                          ref check);
    }

    // Two fields compared by value: below 0, 0 or above 0.
    public static int X_Vec_Compare(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] left, int leftField, X_FLD[] right,
                                    int rightField)
    {
        if (left != right)
            RT.Stop("X_Vec_Compare of fields of two vectors");
        return RT.CompareFields(left, leftField, rightField);
    }
}

namespace VELMO
{
    public abstract partial class X_Function
    {
        public static void X_Handle_Message(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int type, char routing,
                                            object messageId, object messageFile, object text, int field,
                                            int substitutions, object values)
        {
            RT.Issue("MESSAGE", vector, RT.MessageType(type), messageId, text, substitutions, (short[])values);
        }

        public static void X_Handle_Message_Abort(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int type,
                                                  char routing, object messageId, object messageFile, object text,
                                                  int field, int substitutions, object values)
        {
            RT.Issue("ABORT", vector, RT.MessageType(type), messageId, text, substitutions, (short[])values);
        }
    }
}
