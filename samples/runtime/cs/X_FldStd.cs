// X_FldStd.cs: the run-time interface that the C# writers of field values
// call: the fills, copies and values of a field reached through its element
// of the vector (or the element its index selects), the field's index, its
// refresh and its remembered value, and the loading of a system variable.
// Declarations (stubs that compile) only: the hosting run-time supplies the
// behaviour.

namespace VELMO
{
    // The storage of one element of an array field: the array's storage and
    // the element's offset in it.
    public class X_ARRAY_ELEMENT
    {
        public object pStorage; public int iOffset;
        public X_ARRAY_ELEMENT(object storage, int offset) { pStorage = storage; iOffset = offset; }
    }

    // The state flags of a field of the extended kinds.
    public enum XFIELDSTATE { FsIsSqlNull = 1, FsHasCharLength = 2 }

    public static partial class X_DEFS
    {
        // the fill characters of the classic field types
        public const char X_CLEAR_ALPHA = ' ', X_CLEAR_ALPHA_LOVAL = '\0', HIVAL = '\xFF';
        public const byte X_CLEAR_SIGN = (byte)'0', X_CLEAR_PACK = 0x00, X_PACK_TERMINATOR = 0x0F;
        // the texts of a condition's answer
        public const string pvchTRUE_STRING = "TRUE", pvchFALSE_STRING = "FALSE";
        // the scopes of a remembered value
        public const int X_REMEMBER_FORMAT_USER_SYSTEM = 1, X_REMEMBER_FORMAT_USER_FUNCTION = 2,
                         X_REMEMBER_FORMAT_FUNCTION = 3, X_REMEMBER_FORMAT_SYSTEM = 4;
        public static void X_MEMSET(X_FLD field, char value, int length) { }
        public static void X_MEMSET(byte[] area, char value, int length) { }
        public static void X_MEMSET(X_FLD field, byte value, int length) { }
        public static void X_SETBYTE(X_FLD field, int position, byte value) { }
        public static char X_GETBYTE(X_FLD field, int position) { return ' '; }
        public static void X_SETVALUE(X_FLD field, int value) { }
        public static void X_SETVALUE(X_FLD field, double value) { }
        // the length a copy of a text into a field of the environment's code page may use
        public static int X_RESOLVE_VARCHAR_LENGTH(int length, int limit) { return length; }
    }

    public static partial class DqooDef
    {
        public static void X_MEMCPY(X_FLD field, string text, int length) { }
    }
}

public static partial class X_RUN_DLL
{
    public static X_FLD X_GET_INDEX(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { return null; }
    public static void X_SET_INDEX(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field) { }
    public static void X_Set_Remembered_Value(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int scope) { }
    public static void X_Vec_Set_from_SysVar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                             string systemVariable) { }
    // a field from a member of a data structure, and a member from a field
    public static void X_Vec_Assign_from_Data_Structure(X_IDS ids, X_PRO pro, X_FUN fun, object member,
                                                        X_FLD[] vector, int field) { }
    public static void X_Vec_Assign_to_Data_Structure<T>(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                                         ref T member) { }
}

// The vector and component services of the value writers.
public static partial class X_RUN_DLL
{
    public static void X_Vec_Set_from_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, string text) { }
    public static void X_Comp_Set_from_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, string text) { }
    public static void X_Vec_Set_from_String(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, char kind,
                                             object reserved, string text) { }
    public static void X_Comp_Set_from_String(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, char kind,
                                              object reserved, string text) { }
    public static void X_Vec_Get_as_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, ref string text) { }
    public static void X_Comp_Get_as_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                           ref string text) { }
    public static void X_Comp_Get_as_Double(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                            ref double value) { }
    public static void X_Comp_Set_from_Double(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field,
                                              double value) { }
}
