// RtVarChar.cs: fields of varying characters (X_FLD_CHAR) in the C# test run
// time: the text is held as a string in the structure's pvData, cut to the
// field's most characters; every value stored clears the SQL-null state.
// Texts compared are the shorter filled with blanks.
using System;
using VELMO;

public static partial class X_VAR_DLL
{
    public static void X_VAR_VarChar_Release(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD_CHAR field) { field.pvData = null; }

    // Bytes of varying length released: the test run time holds none, only
    // the empty value.
    public static void X_VAR_VarBinary_Release(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD_BINARY field)
    {
        field.pvData = null;
    }

    public static void X_VAR_VarChar_SetFromVchar(X_IDS ids, X_PRO pro, X_FUN fun, object text, X_FLD_CHAR target)
    {
        RT.SetVarText(target, RT.Chars(RT.Read(RT.PlaceOfStorage(text), RT.Length(Storage(text)))));
    }

    public static void X_VAR_VarChar_SetFromChar(X_IDS ids, X_PRO pro, X_FUN fun, object text, int length,
                                                 X_FLD_CHAR target)
    {
        RT.SetVarText(target, RT.Chars(RT.Read(RT.PlaceOfStorage(text), Math.Max(length, 0))));
    }

    // A fixed text moves without its trailing blanks.
    public static void X_VAR_VarChar_SetFromFixedChar(X_IDS ids, X_PRO pro, X_FUN fun, object storage, int length,
                                                      X_FLD_CHAR target)
    {
        RT.SetVarText(target, RT.Chars(RT.Read(RT.PlaceOfStorage(storage), Math.Max(length, 0))).TrimEnd(' '));
    }

    public static void X_VAR_VarChar_Assign(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR source,
                                            VELMO.X_FLD_CHAR target)
    {
        if ((source.bFieldState & (int)XFIELDSTATE.FsIsSqlNull) != 0) {
            target.pvData = null;
            target.bFieldState |= (int)XFIELDSTATE.FsIsSqlNull;
            return;
        }
        RT.SetVarText(target, RT.VarText(source));
    }

    // The text into a fixed field's storage of `length` bytes, filled with blanks.
    public static void X_VAR_VarChar_GetAsFixedChar(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR source,
                                                    object storage, int length)
    {
        string text = RT.VarText(source);
        byte[] b = new byte[length];
        for (int i = 0; i < length; ++i)
            b[i] = i < text.Length ? (byte)text[i] : (byte)' ';
        RT.WriteHeld(storage, b);
    }

    // Two texts, each a value and length or a varying field, compared as the
    // shorter filled with blanks; true when the outcome is one of the mask's.
    public static bool X_VAR_VarChar_StringCompare(X_IDS ids, X_PRO pro, X_FUN fun, object left, int leftLength,
                                                   VELMO.X_FLD_CHAR leftField, object right, int rightLength,
                                                   VELMO.X_FLD_CHAR rightField, int mask)
    {
        string a = leftField != null ? RT.VarText(leftField) : Text(left, leftLength),
               b = rightField != null ? RT.VarText(rightField) : Text(right, rightLength);
        int c = 0;
        for (int i = 0; i < Math.Max(a.Length, b.Length) && c == 0; ++i) {
            int ca = i < a.Length ? a[i] & 0xFF : ' ', cb = i < b.Length ? b[i] & 0xFF : ' ';
            c = ca < cb ? -1 : ca > cb ? 1 : 0;
        }
        return (c < 0 && (mask & DqooDef.X_VAR_COMPARE_MASK_LESS) != 0) ||
               (c == 0 && (mask & DqooDef.X_VAR_COMPARE_MASK_EQUAL) != 0) ||
               (c > 0 && (mask & DqooDef.X_VAR_COMPARE_MASK_GREATER) != 0);
    }

    static object Storage(object text)
    {
        if (text == null)
            RT.Stop("a text that is nothing");
        X_ARRAY_ELEMENT view = text as X_ARRAY_ELEMENT;
        return view != null ? view.pStorage : text;
    }

    // `length` characters of a value (a string, bytes, an element), or none
    // of nothing; a text shorter than its length is taken whole.
    internal static string Text(object value, int length)
    {
        if (value == null)
            return "";
        string s = value as string;
        if (s != null)
            return s.Length > length ? s.Substring(0, Math.Max(length, 0)) : s;
        return RT.Chars(RT.Read(RT.PlaceOfStorage(value), Math.Max(length, 0)));
    }
}
