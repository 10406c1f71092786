// X_VarExp.cs: the run-time interface that the C# form of the evaluation
// routines of a generated program calls (with X_Runtime.cs): the run-time
// blocks a routine receives, the entries of the evaluator's operand stack,
// the factors and frame of an instruction table, and the vector routines.
// The vector routines forward to the services the hosting run-time sets in
// X_RUN_DLL.Services; the evaluator to X_VAR_DLL.Evaluator.

// The run-time blocks every routine receives (partial classes: X_Runtime.cs
// declares the rest of them, and the field vector's descriptor X_FLD).
public partial class X_IDS { public char chFatalError; public char chXVecAssignOption; }
public partial class X_PRO { }
public partial class X_FUN { }
public partial class X_LIST { }
public partial class X_FKEY { }
public partial class FUNCTION_STATIC_GLOBAL_1 { }
public partial class FUNCTION_STATIC_GLOBAL_2 { }

// One entry of the evaluator's operand stack: [0] the result, [1] the
// subject of a When group.
public class X_VAR_EXPRESSION_OPERAND
{
    public uint m_State;
    public bool m_Boolean;
    public int m_Int32;
    public long m_Int64;
    public double m_Flt64;
    public X_VAR_DOUBLE m_Double = new X_VAR_DOUBLE();
    public X_VAR_PACKED m_Packed31 = new X_VAR_PACKED();
    public X_VAR_PACKED m_Packed63 = new X_VAR_PACKED();
    public string m_Date;
    public string m_Time;
    public string m_DateTime;
    public X_VAR_STRING m_String = new X_VAR_STRING();
}
public class X_VAR_DOUBLE { public double m_Data; public int m_Decimals; }
public class X_VAR_PACKED { public byte[] m_Data = new byte[32]; public int m_Decimals; }
public class X_VAR_STRING
{
    public int m_Type; public int m_Length; public string m_VarChar; public object m_Char;
    public VELMO.X_FLD_CHAR m_FldChar;
    public VELMO.X_FLD_SHORT_CHAR m_FldShortChar;
}

// The factors of an operand table.
public class X_VAR_HEADER { public uint ulHeaderKind; }
public class X_VAR_FACTOR_TABLE_HEADER : X_VAR_HEADER { public int lEntryCount; }
public class X_VAR_FACTOR_LONG : X_VAR_HEADER
{
    public int lValue;
    public X_VAR_FACTOR_LONG(uint kind, int value) { ulHeaderKind = kind; lValue = value; }
}
public class X_VAR_FACTOR_DOUBLE : X_VAR_HEADER
{
    public double dValue;
    public X_VAR_FACTOR_DOUBLE(uint kind, double value) { ulHeaderKind = kind; dValue = value; }
}
public class X_VAR_FACTOR_DECIMAL_PACKED : X_VAR_HEADER
{
    public int lSize, lScale;
    public string pchPacked;
    public X_VAR_FACTOR_DECIMAL_PACKED(uint kind, int size, int scale, string packed)
    {
        ulHeaderKind = kind;
        lSize = size;
        lScale = scale;
        pchPacked = packed;
    }
}
public class X_VAR_FACTOR_DECIMAL_DOUBLE : X_VAR_HEADER
{
    public int lSize, lScale;
    public double dValue;
    public string pchPacked;
}
public class X_VAR_FACTOR_LONGLONG : X_VAR_HEADER
{
    public int lSize;
    public long llValue;
    public string pchPacked;
}
public class X_VAR_FACTOR_STRING : X_VAR_HEADER
{
    public int lSize;
    public string pvchValue;
    public X_VAR_FACTOR_STRING(uint kind, int size, string value) { ulHeaderKind = kind; lSize = size; pvchValue = value; }
    // the empty factor whose members the generated code sets one by one
    public X_VAR_FACTOR_STRING() { }
}
// a system variable the evaluator evaluates by its name into its vector
public class X_VAR_FACTOR_SYSVAR_EVALUATION : X_VAR_HEADER
{
    public object pvReserved;
    public int sVector;
    public string pszName;
    public X_VAR_FACTOR_SYSVAR_EVALUATION(uint kind, object reserved, int vector, string name)
    {
        ulHeaderKind = kind;
        pvReserved = reserved;
        sVector = vector;
        pszName = name;
    }
}

public static partial class X_VAR
{
    public const uint X_VAR_HEADER_KIND_FACTOR_LONG = 0x0200;
    public const uint X_VAR_HEADER_KIND_FACTOR_BOOLEAN = 0x0300;
    public const uint X_VAR_HEADER_KIND_FACTOR_DOUBLE = 0x0400;
    public const uint X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED = 0x0500;
    public const uint X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE = 0x0600;
    public const uint X_VAR_HEADER_KIND_FACTOR_LONGLONG = 0x0700;
    public const uint X_VAR_HEADER_KIND_FACTOR_SYSVAR_EVALUATION = 0x0800;
    public const uint X_VAR_HEADER_KIND_FACTOR_STRING = 0x0900;
    public const uint X_VAR_HEADER_KIND_FACTOR_TABLE_HEADER_ID = 0x0C00;
    // the factors of a constant with its packed image: its bytes, its scale,
    // its value as the evaluator's type holds it
    public static X_VAR_FACTOR_DECIMAL_DOUBLE X_VAR_RESOLVE_FACTOR_AS_DECIMAL_DOUBLE(int size, int scale, double value,
                                                                                    string packed)
    {
        return null;
    }
    public static X_VAR_FACTOR_LONGLONG X_VAR_RESOLVE_FACTOR_AS_LONGLONG(int size, long value, string packed)
    {
        return null;
    }
}

// The frame of one instruction table.
public class X_VAR_EXPRESSION_FRAME
{
    public int lVersion;
    public X_IDS pX_Ids;
    public X_PRO pX_Pro;
    public X_FUN pX_Fun;
    public X_FLD[] pX_Fld;
    public X_LIST[] pX_List;
    public object pX_FldFile;
    public X_VAR_HEADER[] ppOperandTable;
    public int[] psInstructionTable;
    public int ulInstructionCount;
    public X_VAR_EXPRESSION_OPERAND[] pOperandStack;
    public int ulOperandSize;
}
public static class X_VarStr { public const int X_VAR_EXPRESSION_FRAME_CURRENT = 1; }

// The evaluator of instruction tables.
public interface X_VAR_EVALUATOR { void Evaluate(X_VAR_EXPRESSION_FRAME frame); }
public static partial class X_VAR_DLL
{
    public static X_VAR_EVALUATOR Evaluator;
    public static void X_VAR_EvaluateExpression(X_VAR_EXPRESSION_FRAME frame) { Evaluator.Evaluate(frame); }
    public static void X_VAR_EvaluateExpression(ref X_VAR_EXPRESSION_FRAME frame) { Evaluator.Evaluate(frame); }
}

// The vector routines.
public interface X_VECTOR_SERVICES
{
    int GetLong(X_FLD[] vector, int field);
    long GetLongLong(X_FLD[] vector, int field);
    double GetDouble(X_FLD[] vector, int field);
    void SetLong(X_FLD[] vector, int field, int value);
    void SetLongLong(X_FLD[] vector, int field, long value);
    void SetDouble(X_FLD[] vector, int field, double value, char assignOption);
}
public static partial class X_RUN_DLL
{
    public static X_VECTOR_SERVICES Services;
    public static void X_Vec_Get_as_Long(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, ref int value)
    {
        value = Services.GetLong(vector, field);
    }
    public static void X_Vec_Get_as_LongLong(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, ref long value)
    {
        value = Services.GetLongLong(vector, field);
    }
    public static void X_Vec_Get_as_Double(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, ref double value)
    {
        value = Services.GetDouble(vector, field);
    }
    public static void X_Vec_Set_from_Long(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int value)
    {
        Services.SetLong(vector, field, value);
    }
    public static void X_Vec_Set_from_LongLong(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, long value)
    {
        Services.SetLongLong(vector, field, value);
    }
    public static void X_Vec_Set_from_Double(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, double value)
    {
        Services.SetDouble(vector, field, value, ids != null ? ids.chXVecAssignOption : '\0');
    }
}

// The compares, fills and copies of the direct code of the evaluation routines.
namespace VELMO
{
    public static partial class DqooDef
    {
        // blanks, as long as the longest alphanumeric value (256)
        const string X_BLANKS_16 = "                ", X_BLANKS_64 = X_BLANKS_16 + X_BLANKS_16 + X_BLANKS_16 + X_BLANKS_16;
        public const string X_ALPHA_BLANK_STRING = X_BLANKS_64 + X_BLANKS_64 + X_BLANKS_64 + X_BLANKS_64;
        // the outcomes a compare of two strings may be asked for
        public const int X_VAR_COMPARE_MASK_LESS = 0x01, X_VAR_COMPARE_MASK_EQUAL = 0x02,
                         X_VAR_COMPARE_MASK_GREATER = 0x04;
        // the comparison of a field's bytes from an offset with a value
        public static int X_MEMCMP(object field, int offset, object value, int length) { return 0; }
    }
}

namespace VELMO
{
    public static partial class DqooDef
    {
        // the value of a cleared date, time and timestamp, and their lengths
        public const string X_DEFAULT_DATE = "0001-01-01", X_DEFAULT_TIME = "00:00:00";
        public const int X_MAX_SIZE_DATE_LEN = 10, X_MAX_SIZE_TIME_LEN = 8, X_MAX_SIZE_DATETIME_LEN = 29;
        // the copy of a text into a text member of a field structure
        public static void X_CPYBYTES_STR(ref string target, string source, int length) { }
    }
    public static partial class X_DEFS
    {
        // the fill of the digits of a packed or signed field structure, and
        // the store of one byte into the storage a field holds
        public static void X_MEMSET(byte[] area, byte value, int length) { }
        public static void X_SETBYTE(object storage, int position, byte value) { }
        // the copy of a value into the storage of an alphanumeric field
        public static void X_COPYBYTES(ref object target, object source, int length) { }
        // the sign nibbles of packed and signed digits
        public const byte X_PACKED_POSITIVE = 0x0C, X_PACKED_NEGATIVE = 0x0D, X_SIGNED_NEGATIVE = 0x70;
    }
}

// The release of the value of a varying character or binary field.
public static partial class X_VAR_DLL
{
    public static void X_VAR_VarChar_Release(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR field) { }
    public static void X_VAR_VarBinary_Release(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_BINARY field) { }
    // the value of a varying character field from a text, from characters,
    // from the bytes of a fixed field, or from another varying field; its
    // value into the bytes of a fixed field; a repeated text; a compare of
    // two strings (each a value, a length and a varying field) by a mask
    public static void X_VAR_VarChar_SetFromVchar(X_IDS ids, X_PRO pro, X_FUN fun, object text,
                                                  VELMO.X_FLD_CHAR target) { }
    public static void X_VAR_VarChar_SetFromChar(X_IDS ids, X_PRO pro, X_FUN fun, object text, int length,
                                                 VELMO.X_FLD_CHAR target) { }
    public static void X_VAR_VarChar_SetFromFixedChar(X_IDS ids, X_PRO pro, X_FUN fun, object storage, int length,
                                                      VELMO.X_FLD_CHAR target) { }
    public static void X_VAR_VarChar_Assign(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR source,
                                            VELMO.X_FLD_CHAR target) { }
    public static void X_VAR_VarChar_GetAsFixedChar(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR source,
                                                    object storage, int length) { }
    public static void X_VAR_VarChar_Repeat(X_IDS ids, X_PRO pro, X_FUN fun, string text, int count, object target) { }
    public static bool X_VAR_VarChar_StringCompare(X_IDS ids, X_PRO pro, X_FUN fun, object left, int leftLength,
                                                   VELMO.X_FLD_CHAR leftField, object right, int rightLength,
                                                   VELMO.X_FLD_CHAR rightField, int mask) { return false; }
    // the order of two varying character or binary values
    public static int X_VAR_VarChar_Compare(X_IDS ids, X_PRO pro, X_FUN fun, object left, object right) { return 0; }
    public static int X_VAR_VarBinary_Compare(X_IDS ids, X_PRO pro, X_FUN fun, object left, object right) { return 0; }
    // the value of a short character field from the bytes of a fixed field
    public static short X_VAR_ShortChar_SetFromFixedChar(X_IDS ids, X_PRO pro, X_FUN fun, object storage, int length,
                                                         object target, int limit) { return 0; }
    // the value of a varying character field into the bytes of a short
    // character value of at most `limit` characters; its length
    public static short X_VAR_VarChar_GetAsShortChar(X_IDS ids, X_PRO pro, X_FUN fun, VELMO.X_FLD_CHAR source,
                                                     object target, int limit) { return 0; }
    // the value of a varying binary field from bytes, or from another one
    public static void X_VAR_VarBinary_SetFromPointer(X_IDS ids, X_PRO pro, X_FUN fun, object bytes, uint length,
                                                      object target) { }
    public static void X_VAR_VarBinary_Assign(X_IDS ids, X_PRO pro, X_FUN fun, object source, object target) { }
    // the field data of a field reached through a dispatch operation, stored back
    public static void X_VAR_SetFldDataUsingDispatchOperation(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector,
                                                              int field) { }
}
