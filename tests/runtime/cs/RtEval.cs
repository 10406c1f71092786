// RtEval.cs: the instruction-table evaluator of the C# test run time
// (X_VAR_DLL.Evaluator): a stack machine over the rows of an expression's
// instruction table, each an opcode (the numbers of the C interface's
// x_compopc.h, which the build takes as the enum X_COMP_OPCODE) and its
// operand word (an operand table index, a vector entry, a digits and
// decimals pair, or a scale). It gives the opcodes the meaning the C test
// run time's evaluator (tests/runtime/rt_eval.c) gives them: constants,
// field pushes of every kind, coercions between the numeric types,
// arithmetic, half-up rounding, comparisons, null tests, logic, pulls into
// fields of every kind and the When groups of CASE over a number or a text.
// Any other opcode stops the run with a message naming it.
using System;
using VELMO;
using Op = X_COMP_OPCODE;

// The factors of constants with their packed images.
public static partial class X_VAR
{
    public static X_VAR_FACTOR_DECIMAL_DOUBLE X_VAR_RESOLVE_FACTOR_AS_DECIMAL_DOUBLE(int size, int scale, double value,
                                                                                    string packed)
    {
        return new X_VAR_FACTOR_DECIMAL_DOUBLE {
            ulHeaderKind = X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE, lSize = size, lScale = scale, dValue = value,
            pchPacked = packed
        };
    }
    public static X_VAR_FACTOR_LONGLONG X_VAR_RESOLVE_FACTOR_AS_LONGLONG(int size, long value, string packed)
    {
        return new X_VAR_FACTOR_LONGLONG {
            ulHeaderKind = X_VAR_HEADER_KIND_FACTOR_LONGLONG, lSize = size, llValue = value, pchPacked = packed
        };
    }
}

public sealed class RtEvaluator : X_VAR_EVALUATOR
{
    // A value on the stack: 'D' decimal, 'F' double, 'B' boolean, 'S' string
    // (its bytes as characters), 'H' a fill byte, 'V' a field vector entry.
    sealed class Value
    {
        public char Kind;
        public RtDec Dec;
        public double F;
        public int I; // the boolean, the fill byte, the vector entry
        public string S;
        public string As; // the value type a push named (its opcode's name after _AS_)
        public bool Fixed; // the string is an alphanumeric field's, blanks to its length
        public bool Null; // SQL null: a field in that state, or a value or test made from one
        public Value Copy() { return (Value)MemberwiseClone(); }
    }

    // The value types of the opcode families, in their order.
    const int T_LONG = 0, T_LONGLONG = 1, T_DOUBLE = 2, T_PACKED31 = 3, T_PACKED63 = 4, T_DECIMAL = 5, T_INT32 = 6,
              T_INT64 = 7, T_FLOAT64 = 8;

    static bool IsDouble(int type) { return type == T_DOUBLE || type == T_FLOAT64; }
    static bool IsWhole(int type) { return type == T_LONG || type == T_LONGLONG || type == T_INT32 || type == T_INT64; }
    static int N(Op o) { return (int)o; }

    static void Fail(string what, int opcode)
    {
        RT.Stop("the evaluator: " + what + " (opcode " + opcode + ")");
    }

    // The opcodes' names by their numbers, looked up once.
    static readonly System.Collections.Generic.Dictionary<int, string> names = Names();

    static System.Collections.Generic.Dictionary<int, string> Names()
    {
        var d = new System.Collections.Generic.Dictionary<int, string>();
        foreach (Op o in Enum.GetValues(typeof(Op)))
            d[(int)o] = o.ToString();
        return d;
    }

    static string NameOf(int opcode)
    {
        string name;
        return names.TryGetValue(opcode, out name) ? name : null;
    }

    // The special value a pull stores, from the opcode's name: NULL,
    // SQLNULL, HIVAL, LOVAL or NAVAIL; null for any other opcode.
    static string SpecialPull(int opcode)
    {
        string name = NameOf(opcode);
        if (name == null || !name.StartsWith("X_COMP_OPCODE_PULL_"))
            return null;
        foreach (string what in new[] { "SQLNULL", "NULL", "HIVAL", "LOVAL", "NAVAIL" })
            if (name.EndsWith("_FROM_" + what))
                return what;
        return null;
    }

    // ---- operands ----

    static RtDec PackedConstant(string packed, int size, int scale)
    {
        var digits = new System.Text.StringBuilder();
        for (int i = 0; i < size; ++i) {
            digits.Append((char)('0' + (packed[i] >> 4)));
            if (i != size - 1)
                digits.Append((char)('0' + (packed[i] & 0x0F)));
        }
        int sign = packed[size - 1] & 0x0F;
        RtDec d = RtDec.FromText(digits.ToString());
        return new RtDec(sign == 0xD || sign == 0xB ? -d.Unscaled : d.Unscaled, scale);
    }

    // A constant of the operand table as a value of the given type.
    static void Constant(X_VAR_EXPRESSION_FRAME frame, int k, int type, Value v, int opcode)
    {
        X_VAR_HEADER factor = frame.ppOperandTable[k];
        v.Kind = 'D';
        switch (factor.ulHeaderKind) {
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_LONG: v.Dec = RtDec.FromLong(((X_VAR_FACTOR_LONG)factor).lValue); break;
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_LONGLONG:
            v.Dec = RtDec.FromLong(((X_VAR_FACTOR_LONGLONG)factor).llValue);
            break;
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_DOUBLE:
            v.Dec = RtDec.FromDouble(((X_VAR_FACTOR_DOUBLE)factor).dValue, -1);
            break;
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED: {
            var p = (X_VAR_FACTOR_DECIMAL_PACKED)factor;
            v.Dec = PackedConstant(p.pchPacked, p.lSize, p.lScale);
            break;
        }
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE: {
            var p = (X_VAR_FACTOR_DECIMAL_DOUBLE)factor;
            v.Dec = PackedConstant(p.pchPacked, p.lSize, p.lScale);
            break;
        }
        case X_VAR.X_VAR_HEADER_KIND_FACTOR_STRING: {
            var p = (X_VAR_FACTOR_STRING)factor;
            v.Kind = 'S';
            v.S = p.pvchValue.Length > p.lSize ? p.pvchValue.Substring(0, p.lSize) : p.pvchValue;
            return;
        }
        default: Fail("an operand factor of an unknown kind", opcode); break;
        }
        if (IsDouble(type)) {
            v.Kind = 'F';
            v.F = v.Dec.ToDouble();
        } else if (factor.ulHeaderKind == X_VAR.X_VAR_HEADER_KIND_FACTOR_DOUBLE &&
                   !RtDec.IsWhole(((X_VAR_FACTOR_DOUBLE)factor).dValue)) {
            // a literal written with a fraction: its decimals are not known
            Fail("a double constant with a fraction taken as a decimal: its scale is unset", opcode);
        } else if (IsWhole(type)) {
            v.Dec = v.Dec.Truncate(0);
        }
    }

    // Whether field s holds SQL null (a field with a null state only).
    static bool SqlNull(X_VAR_EXPRESSION_FRAME frame, int s)
    {
        return RT.HasState(frame.pX_Fld[s]) &&
               (RT.Structure<X_FLD_INFO>(RT.Place(frame.pX_Fld, s)).bFieldState & (int)XFIELDSTATE.FsIsSqlNull) != 0;
    }

    // A numeric field pushed as a value type.
    static void FieldNumber(X_VAR_EXPRESSION_FRAME frame, int s, int type, Value v)
    {
        v.Dec = RT.Get(frame.pX_Fld, s);
        v.Kind = 'D';
        v.Null = SqlNull(frame, s);
        if (IsDouble(type)) {
            v.Kind = 'F';
            v.F = v.Dec.ToDouble();
        } else if (IsWhole(type)) {
            v.Dec = v.Dec.Truncate(0);
        }
    }

    static void FieldString(X_VAR_EXPRESSION_FRAME frame, int s, Value v)
    {
        v.Kind = 'S';
        v.Null = SqlNull(frame, s);
        v.S = RT.ReadText(RT.Place(frame.pX_Fld, s));
        v.Fixed = RT.KindOf(frame.pX_Fld[s]) == RtKind.Alpha;
    }

    // The text a pull stores: an alphanumeric field's text goes into a short
    // character field without its trailing blanks, as a fixed text does there.
    static string StoredText(Value v, int opcode)
    {
        return v.Fixed && opcode == N(Op.X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_STRING) ? v.S.TrimEnd(' ') : v.S;
    }

    // ---- values ----

    static RtDec AsDecimal(Value v)
    {
        if (v.Kind == 'F')
            return RtDec.FromDouble(v.F, -1);
        if (v.Kind == 'B')
            return RtDec.FromLong(v.I);
        return v.Dec;
    }

    static void Coerce(Value v, int to)
    {
        if (IsDouble(to)) {
            if (v.Kind != 'F') {
                v.F = v.Dec.ToDouble();
                v.Kind = 'F';
            }
            return;
        }
        v.Dec = AsDecimal(v);
        v.Kind = 'D';
        if (IsWhole(to))
            v.Dec = v.Dec.Truncate(0);
    }

    // Fits a result to the digits and decimals of its pair operand.
    static RtDec Fit(X_VAR_EXPRESSION_FRAME frame, RtDec r, int pair)
    {
        int digits = (pair >> 8) & 0xFF, decimals = pair & 0xFF;
        r = r.Truncate(decimals);
        if (digits > 0 && r.IntegerDigits > digits - decimals) {
            RT.Out.WriteLine("FATAL an intermediate result does not fit " + digits + " digits with " + decimals +
                             " decimals");
            RT.Fatal(frame.pX_Ids, "Evaluation", 100);
        }
        return r;
    }

    static int CompareValues(Value a, Value b)
    {
        if (a.Kind == 'S' || b.Kind == 'S' || a.Kind == 'H' || b.Kind == 'H') {
            // texts compare as the shorter filled with blanks
            int la = a.Kind == 'S' ? a.S.Length : 0, lb = b.Kind == 'S' ? b.S.Length : 0, n = Math.Max(la, lb);
            for (int i = 0; i < n; ++i) {
                int ca = a.Kind == 'H' ? a.I : i < la ? (a.S[i] & 0xFF) : ' ';
                int cb = b.Kind == 'H' ? b.I : i < lb ? (b.S[i] & 0xFF) : ' ';
                if (ca != cb)
                    return ca < cb ? -1 : 1;
            }
            return 0;
        }
        if (a.Kind == 'B' && b.Kind == 'B')
            return (a.I != 0 ? 1 : 0) - (b.I != 0 ? 1 : 0);
        if (a.Kind == 'F' && b.Kind == 'F')
            return a.F < b.F ? -1 : a.F > b.F ? 1 : 0;
        return RtDec.Compare(AsDecimal(a), AsDecimal(b));
    }

    // The language's *NULL value: a date, time or timestamp is null when it
    // holds the earliest of its kind (X_DEFAULT_DATE, X_DEFAULT_TIME, both with
    // .000000000), as the direct code's X_MEMCMP tests; a text when it is blank.
    static bool IsNullValue(Value v, int opcode)
    {
        string earliest = opcode == N(Op.X_COMP_OPCODE_IS_DATE_NULL)       ? DqooDef.X_DEFAULT_DATE
                          : opcode == N(Op.X_COMP_OPCODE_IS_TIME_NULL)     ? DqooDef.X_DEFAULT_TIME
                          : opcode == N(Op.X_COMP_OPCODE_IS_DATETIME_NULL) ? DqooDef.X_DEFAULT_DATE + " " +
                                                                                 DqooDef.X_DEFAULT_TIME + ".000000000"
                                                                           : null;
        if (earliest != null)
            return v.Kind == 'S' && v.S.StartsWith(earliest, System.StringComparison.Ordinal);
        switch (v.Kind) {
        case 'F': return v.F == 0;
        case 'B': return v.I == 0;
        case 'S': return v.S.Trim(' ').Length == 0;
        default: return v.Dec.IsZero;
        }
    }

    // ---- pulls ----

    static void PullSpecial(X_VAR_EXPRESSION_FRAME frame, int s, string what, int opcode)
    {
        X_FLD f = frame.pX_Fld[s];
        RtPlace p = RT.Place(frame.pX_Fld, s);
        RtKind k = RT.KindOf(f);
        if (what == "SQLNULL") {
            if (!RT.HasState(f))
                RT.Stop("the evaluator: *SQLNULL stored into " + RT.Name(f) + ", which has no SQL-null state");
            PullSpecial(frame, s, "NULL", opcode);
            RT.Structure<X_FLD_INFO>(RT.Place(frame.pX_Fld, s)).bFieldState |= (int)XFIELDSTATE.FsIsSqlNull;
            return;
        }
        if (what == "NAVAIL")
            Fail("*NAVAIL has no value here", opcode);
        if (k == RtKind.Alpha) {
            byte[] b = new byte[f.sByteLen];
            for (int i = 0; i < b.Length; ++i)
                b[i] = what == "HIVAL" ? (byte)0xFF : what == "LOVAL" ? (byte)0 : (byte)' ';
            RT.Write(p, b);
            return;
        }
        if (k == RtKind.Date || k == RtKind.Time || k == RtKind.DateTime) {
            bool high = what == "HIVAL";
            string text = k == RtKind.Date   ? (high ? "9999-12-31" : DqooDef.X_DEFAULT_DATE)
                          : k == RtKind.Time ? (high ? "23:59:59" : DqooDef.X_DEFAULT_TIME)
                          : high             ? "9999-12-31-23.59.59.999999"
                                             : DqooDef.X_DEFAULT_DATE + " " + DqooDef.X_DEFAULT_TIME + ".000000000";
            RT.StoreText(frame.pX_Ids, p, text);
            return;
        }
        if (what == "NULL" && (k == RtKind.Char || k == RtKind.ShortChar)) {
            RT.StoreText(frame.pX_Ids, p, "");
            return;
        }
        if (what == "NULL" && k == RtKind.Binary) {
            RT.Structure<X_FLD_BINARY>(p).pvData = null;
            return;
        }
        if (what == "NULL" && k == RtKind.Lob) {
            if (p.Root is X_FLD_CLOB)
                ((X_FLD_CLOB)p.Root).vchFileName = "";
            else
                RT.Structure<X_FLD_BLOB>(p).vchFileName = "";
            return;
        }
        if (!RT.IsNumeric(k))
            Fail("a special value stored into a field of a kind without one here", opcode);
        RtDec d;
        if (what == "NULL") {
            d = RtDec.Zero(0);
        } else if (k == RtKind.Packed || k == RtKind.Signed) {
            // the highest or lowest value of the field: nines, positive or negative
            var nines = System.Numerics.BigInteger.Pow(10, f.lLength) - 1;
            d = new RtDec(what == "HIVAL" ? nines : -nines, f.sDecimals);
        } else if (k == RtKind.Boolean) {
            // true is the higher of the two
            d = new RtDec(what == "HIVAL" ? 1 : 0, 0);
        } else {
            Fail("*HIVAL or *LOVAL of an integer or float field has no value here", opcode);
            return;
        }
        RT.StoreDecimal(frame.pX_Ids, p, d);
    }

    static void PullValue(X_VAR_EXPRESSION_FRAME frame, int s, Value v, int operand, int opcode)
    {
        X_FLD f = frame.pX_Fld[s];
        RtPlace p = RT.Place(frame.pX_Fld, s);
        RtKind k = RT.KindOf(f);
        if (v.Kind == 'H') {
            if (k != RtKind.Alpha)
                Fail("a fill stored into a field that is no alphanumeric one", opcode);
            byte[] b = new byte[f.sByteLen];
            for (int i = 0; i < b.Length; ++i)
                b[i] = (byte)v.I;
            RT.Write(p, b);
            return;
        }
        if (v.Kind == 'S') {
            Value converted = v.Copy();
            RT.StoreText(frame.pX_Ids, p, ConvertDateTime(converted, opcode, true) ? converted.S : StoredText(v, opcode));
            return;
        }
        if (v.Kind == 'B' && k == RtKind.Boolean) {
            RT.StoreDecimal(frame.pX_Ids, p, RtDec.FromLong(v.I != 0 ? 1 : 0));
            return;
        }
        if (!RT.IsNumeric(k))
            Fail("a number stored into a field that is not numeric", opcode);
        RtDec d = v.Kind == 'F' ? RtDec.FromDouble(v.F, operand >= 0 && operand <= 16 ? operand : -1) : AsDecimal(v);
        RT.StoreDecimal(frame.pX_Ids, p, IsIntegerCast(opcode) ? Wrapped(d, f) : d);
    }

    // The pulls into integer fields from whole-number results are the C
    // casts ((X_INT8)( v ), ...) of the generated direct code: a value beyond
    // the field's range keeps its low-order bytes, as a cast does.
    static bool IsIntegerCast(int opcode)
    {
        return opcode == N(Op.X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_INT32) ||
               opcode == N(Op.X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_INT32) ||
               opcode == N(Op.X_COMP_OPCODE_PULL_INT16_VECTOR_FROM_INT32) ||
               opcode == N(Op.X_COMP_OPCODE_PULL_INT32_VECTOR_FROM_INT32) ||
               opcode == N(Op.X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_INT64);
    }

    static RtDec Wrapped(RtDec d, X_FLD f)
    {
        RtDec whole = d.Truncate(0);
        if (f.lLength >= 8 || whole.Unscaled > long.MaxValue || whole.Unscaled < long.MinValue)
            return whole; // beyond a long long: the store's own check ends the program
        long w = (long)whole.Unscaled;
        bool unsigned = (f.ulFieldType & DqooDef.LL2UNSINT) != 0;
        switch (f.lLength) {
        case 1: return RtDec.FromLong(unsigned ? (long)(byte)w : (long)(sbyte)w);
        case 2: return RtDec.FromLong((short)w);
        case 4: return RtDec.FromLong((int)w);
        }
        return whole;
    }

    // ---- dates and times ----

    // The coercions between dates, times and timestamps, and the pulls that
    // store one kind into a field of another: a date is the first 10
    // characters of a timestamp, a time the 8 from index 11. The result
    // starts as the default timestamp; the coercion copies its part of the
    // value over it and ends the result at its length. A pull stores the
    // parts as bytes into the field: a value shorter than its part (a field
    // never set holds NULs) leaves NULs there, and the field's text ends at
    // the first. A coercion's result is compared, as texts are, the shorter
    // filled with blanks: its missing part is blanks.
    static readonly int[][] dateTimeCoercions = {
        // coercion, pull, from, to, count, length
        new[] { N(Op.X_COMP_OPCODE_COERCE_DATE_TO_DATETIME), N(Op.X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_DATE), 0, 0,
                DqooDef.X_MAX_SIZE_DATE_LEN, DqooDef.X_MAX_SIZE_DATETIME_LEN },
        new[] { N(Op.X_COMP_OPCODE_COERCE_TIME_TO_DATETIME), N(Op.X_COMP_OPCODE_PULL_DATETIME_VECTOR_FROM_TIME), 0, 11,
                DqooDef.X_MAX_SIZE_TIME_LEN, DqooDef.X_MAX_SIZE_DATETIME_LEN },
        new[] { N(Op.X_COMP_OPCODE_COERCE_DATETIME_TO_DATE), N(Op.X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_DATETIME), 0, 0,
                DqooDef.X_MAX_SIZE_DATE_LEN, DqooDef.X_MAX_SIZE_DATE_LEN },
        new[] { N(Op.X_COMP_OPCODE_COERCE_DATETIME_TO_TIME), N(Op.X_COMP_OPCODE_PULL_TIME_VECTOR_FROM_DATETIME), 11, 0,
                DqooDef.X_MAX_SIZE_TIME_LEN, DqooDef.X_MAX_SIZE_TIME_LEN },
    };

    // Converts the text in `v` by the row of the table whose coercion (or,
    // with `pull`, whose pull) the opcode is; false when it has none.
    static bool ConvertDateTime(Value v, int opcode, bool pull)
    {
        foreach (int[] row in dateTimeCoercions) {
            if (row[pull ? 1 : 0] != opcode)
                continue;
            if (v.Kind != 'S')
                Fail("a date or time conversion of a value that is no text", opcode);
            string from = (v.S.Length > DqooDef.X_MAX_SIZE_DATETIME_LEN ? v.S.Substring(0, DqooDef.X_MAX_SIZE_DATETIME_LEN) : v.S)
                              .PadRight(DqooDef.X_MAX_SIZE_DATETIME_LEN, pull ? '\0' : ' ');
            char[] to = (DqooDef.X_DEFAULT_DATE + " " + DqooDef.X_DEFAULT_TIME + ".000000000").ToCharArray();
            from.CopyTo(row[2], to, row[3], row[4]);
            v.S = Held(new string(to, 0, row[5]));
            return true;
        }
        return false;
    }

    // ---- the subject of a When group ----

    // The subject of a CASE reaches the group's When tests in the caller's
    // operand stack, entry 1. Direct code stores it there in the member of
    // its type (m_Int32, m_Int64, m_Double, m_Flt64, m_Boolean, m_Date,
    // m_Time, m_DateTime, m_String). A table's evaluation leaves its last
    // value, taken by no pull and no test: that value is kept here and the
    // entry is marked as holding it, a state bit no generated code sets. The
    // When tests push the subject again (WHEN_SUBJECT_<type>).
    const uint SubjectLeft = 0x40000000;
    static Value subject;

    static X_VAR_EXPRESSION_OPERAND SubjectEntry(X_VAR_EXPRESSION_FRAME frame)
    {
        X_VAR_EXPRESSION_OPERAND[] callers = frame.pOperandStack;
        return callers != null && callers.Length >= 2 ? callers[1] : null;
    }

    static void KeepSubject(X_VAR_EXPRESSION_FRAME frame, Value v)
    {
        subject = v.Copy();
        X_VAR_EXPRESSION_OPERAND entry = SubjectEntry(frame);
        if (entry != null) // with the null state direct code reads there
            entry.m_State = (entry.m_State | SubjectLeft | (uint)XFIELDSTATE.FsIsSqlNull) &
                            ~(v.Null ? 0u : (uint)XFIELDSTATE.FsIsSqlNull);
    }

    static void TextSubject(Value v, string s)
    {
        v.Kind = 'S';
        v.S = s ?? "";
    }

    // A text held in a member: up to its first NUL.
    static string Held(string s)
    {
        int end = s == null ? -1 : s.IndexOf('\0');
        return end < 0 ? s : s.Substring(0, end);
    }

    // The text direct code stored as the subject, by its string element type.
    static void DirectText(X_VAR_EXPRESSION_OPERAND entry, Value v, int opcode)
    {
        X_VAR_STRING t = entry.m_String;
        switch (t.m_Type) {
        case X_Function.X_VAR_STACK_STRING_ELEMENT_TYPE_CHAR: TextSubject(v, X_VAR_DLL.Text(t.m_Char, t.m_Length)); return;
        case X_Function.X_VAR_STACK_STRING_ELEMENT_TYPE_VAR_CHAR: TextSubject(v, X_VAR_DLL.Text(t.m_VarChar, t.m_Length)); return;
        case X_Function.X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_CHAR:
            TextSubject(v, t.m_FldChar != null ? RT.VarText(t.m_FldChar) : "");
            return;
        case X_Function.X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_SHORT_CHAR:
            if (t.m_FldShortChar == null)
                Fail("a When subject of a short text that is no field", opcode);
            TextSubject(v, X_VAR_DLL.Text(t.m_FldShortChar.vchData, t.m_FldShortChar.sLength));
            return;
        }
        Fail("a When subject of text of no string element type", opcode);
    }

    // The subject direct code stored in the entry, as the value type of the
    // opcode's place (LONG .. BINARY, the order of the WHEN_SUBJECT_ opcodes).
    static void DirectSubject(X_VAR_EXPRESSION_OPERAND entry, Value v, int place, int opcode)
    {
        v.Null = (entry.m_State & (uint)XFIELDSTATE.FsIsSqlNull) != 0;
        switch (place) {
        case T_LONG:
        case T_INT32: v.Kind = 'D'; v.Dec = RtDec.FromLong(entry.m_Int32); return;
        case T_LONGLONG:
        case T_INT64: v.Kind = 'D'; v.Dec = RtDec.FromLong(entry.m_Int64); return;
        case T_DOUBLE: v.Kind = 'F'; v.F = entry.m_Double.m_Data; return;
        case T_FLOAT64: v.Kind = 'F'; v.F = entry.m_Flt64; return;
        case 9: v.Kind = 'B'; v.I = entry.m_Boolean ? 1 : 0; return; // BOOLEAN
        case 11: TextSubject(v, Held(entry.m_Date)); return;
        case 12: TextSubject(v, Held(entry.m_Time)); return;
        case 13: TextSubject(v, Held(entry.m_DateTime)); return;
        case 14: DirectText(entry, v, opcode); return;
        }
        Fail("a When subject of a packed, variant or binary value that direct code left", opcode);
    }

    static void PushSubject(X_VAR_EXPRESSION_FRAME frame, Value v, int place, int opcode)
    {
        X_VAR_EXPRESSION_OPERAND entry = SubjectEntry(frame);
        if (entry != null && (entry.m_State & SubjectLeft) == 0) {
            DirectSubject(entry, v, place, opcode);
            return;
        }
        if (subject == null)
            Fail("a When subject that no evaluation left", opcode);
        if (place <= T_FLOAT64) {
            if (subject.Kind != 'D' && subject.Kind != 'F')
                Fail("a numeric When subject that is no number", opcode);
            Copy(subject, v);
            Coerce(v, place);
            return;
        }
        if (place >= 11 && place <= 14) { // DATE, TIME, DATETIME, STRING
            if (subject.Kind != 'S')
                Fail("a When subject of text that is no text", opcode);
            Copy(subject, v);
            return;
        }
        Fail("a When subject of a boolean, variant or binary value has no meaning here", opcode);
    }

    static void Copy(Value from, Value to)
    {
        to.Kind = from.Kind;
        to.Dec = from.Dec;
        to.F = from.F;
        to.I = from.I;
        to.S = from.S;
        to.Fixed = from.Fixed;
        to.Null = from.Null;
    }

    // ---- the evaluator ----

    const int Depth = 64;

    public void Evaluate(X_VAR_EXPRESSION_FRAME frame)
    {
        Value[] stack = new Value[Depth];
        int top = -1;
        int[] table = frame.psInstructionTable;
        for (int row = 0; row + 1 < frame.ulInstructionCount; row += 2) {
            int opcode = table[row], operand = table[row + 1];
            if (top >= Depth - 2)
                Fail("the stack is full", opcode);
            if (StackVectorPush(frame, opcode, stack, top))
                continue;
            Value v = stack[top + 1] = new Value();
            if (Push(frame, opcode, operand, v, stack, top)) {
                v.As = PushedAs(opcode);
                ++top;
                continue;
            }
            if (opcode == N(Op.X_COMP_OPCODE_SET_INDEX)) {
                // the index value of an index field just stored into
                RT.SetIndexValue(frame.pX_Fld, operand);
                continue;
            }
            // ---- When groups: the end of a true test, the end of all ----
            if (opcode >= N(Op.X_COMP_OPCODE_WHEN_TRUE_LONG) && opcode <= N(Op.X_COMP_OPCODE_WHEN_TRUE_BINARY)) {
                if (top < 0 || stack[top].Kind != 'B')
                    Fail("a When test without its answer", opcode);
                if (stack[top--].I == 0)
                    continue;
                Answer(frame, true);
                return;
            }
            if (opcode >= N(Op.X_COMP_OPCODE_WHEN_ALL_FALSE_LONG) && opcode <= N(Op.X_COMP_OPCODE_WHEN_ALL_FALSE_BINARY)) {
                Answer(frame, false);
                return;
            }
            // ---- special pulls: only the field on the stack ----
            string special = SpecialPull(opcode);
            if (special != null) {
                if (top < 0 || stack[top].Kind != 'V')
                    Fail("a pull without its field", opcode);
                PullSpecial(frame, stack[top].I, special, opcode);
                RT.SetIndexValue(frame.pX_Fld, stack[top].I);
                --top;
                continue;
            }
            if (top < 0)
                Fail("nothing on the stack", opcode);
            top = Operate(frame, opcode, operand, stack, top);
        }
        if (top >= 0 && stack[top].Kind == 'B')
            Answer(frame, stack[top].I != 0);
        else if (top >= 0 && (stack[top].Kind == 'D' || stack[top].Kind == 'F' || stack[top].Kind == 'S')) {
            KeepSubject(frame, stack[top]);
            LeaveDateTime(frame, subject);
        }
    }

    static string PushedAs(int opcode)
    {
        string name = ((Op)opcode).ToString();
        int at = name.LastIndexOf("_AS_", StringComparison.Ordinal);
        return at < 0 ? null : name.Substring(at + 4);
    }

    // A date, time or timestamp the table leaves stays in the caller's
    // operand stack, entry 1, where a When group's direct comparisons read
    // it (operandStack[1].m_Date, m_Time, m_DateTime), as a direct-code
    // evaluation leaves it.
    static void LeaveDateTime(X_VAR_EXPRESSION_FRAME frame, Value v)
    {
        X_VAR_EXPRESSION_OPERAND[] callers = frame.pOperandStack;
        if (v.Kind != 'S' || callers == null || callers.Length < 2 || callers[1] == null)
            return;
        switch (v.As) {
        case "DATE": callers[1].m_Date = v.S.PadRight(DqooDef.X_MAX_SIZE_DATE_LEN, '\0'); break;
        case "TIME": callers[1].m_Time = v.S.PadRight(DqooDef.X_MAX_SIZE_TIME_LEN, '\0'); break;
        case "DATETIME": callers[1].m_DateTime = v.S.PadRight(DqooDef.X_MAX_SIZE_DATETIME_LEN, '\0'); break;
        }
    }

    static void Answer(X_VAR_EXPRESSION_FRAME frame, bool answer)
    {
        frame.pOperandStack[0].m_Boolean = answer;
        frame.pOperandStack[0].m_State = 0;
    }

    // The value types by the names the opcodes end in.
    static readonly string[] TypeNames = { "LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63", "DECIMAL", "INT32",
                                           "INT64", "FLOAT64" };

    // The value type of each push of a field whose entry is on the stack.
    static readonly System.Collections.Generic.Dictionary<int, string> stackTypes = StackTypes();

    static System.Collections.Generic.Dictionary<int, string> StackTypes()
    {
        var pattern =
            new System.Text.RegularExpressions.Regex("^X_COMP_OPCODE_PUSH_[A-Z0-9]+_STACK_VECTOR2?_AS_([A-Z0-9]+)$");
        var d = new System.Collections.Generic.Dictionary<int, string>();
        foreach (var n in names) {
            var m = pattern.Match(n.Value);
            if (m.Success)
                d[n.Key] = m.Groups[1].Value;
        }
        return d;
    }

    // A push of the field whose vector entry is on the stack (the opcodes
    // named ..._STACK_VECTOR_AS_<type>): the entry replaced by the field's
    // value as the type; false for any other opcode.
    static bool StackVectorPush(X_VAR_EXPRESSION_FRAME frame, int opcode, Value[] stack, int top)
    {
        string type;
        if (!stackTypes.TryGetValue(opcode, out type))
            return false;
        if (top < 0 || stack[top].Kind != 'V')
            Fail("a push of a field without its vector entry", opcode);
        Value v = new Value();
        int s = stack[top].I, number = Array.IndexOf(TypeNames, type);
        if (number >= 0)
            FieldNumber(frame, s, number, v);
        else if (type == "ALPHA" || type == "STRING" || type == "DATE" || type == "TIME" || type == "DATETIME")
            FieldString(frame, s, v);
        else if (type == "BOOLEAN")
            v = new Value { Kind = 'B', I = RT.Get(frame.pX_Fld, s).IsZero ? 0 : 1, Null = SqlNull(frame, s) };
        else
            Fail("a push of a field as a " + type.ToLowerInvariant() + " value has no meaning here", opcode);
        stack[top] = v;
        return true;
    }

    // The pushes of constants, fields and When subjects: true when the
    // opcode pushed a value into v.
    static bool Push(X_VAR_EXPRESSION_FRAME frame, int opcode, int operand, Value v, Value[] stack, int top)
    {
        int[] constantTypes = { T_LONGLONG, T_DOUBLE, T_PACKED31, T_PACKED63, T_DECIMAL, T_INT64 };
        if (opcode >= N(Op.X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG) &&
            opcode <= N(Op.X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT64)) {
            Constant(frame, operand, opcode - N(Op.X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG), v, opcode);
            return true;
        }
        if (opcode >= N(Op.X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG) &&
            opcode <= N(Op.X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_INT64)) {
            Constant(frame, operand, constantTypes[opcode - N(Op.X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG)], v,
                     opcode);
            return true;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_LONGLONG) &&
            opcode <= N(Op.X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_INT64)) {
            Constant(frame, operand, constantTypes[opcode - N(Op.X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_LONGLONG)], v,
                     opcode);
            return true;
        }
        switch ((Op)opcode) {
        case Op.X_VAR_RESOLVE_PUSH_DOUBLE_CONSTANT_AS_DOUBLE:
        case Op.X_COMP_OPCODE_PUSH_FLOAT64_CONSTANT_AS_FLOAT64: Constant(frame, operand, T_DOUBLE, v, opcode); return true;
        case Op.X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_STRING:
        case Op.X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_DATE:
        case Op.X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_TIME:
        case Op.X_COMP_OPCODE_PUSH_STRING_CONSTANT_AS_DATETIME:
            Constant(frame, operand, T_DECIMAL, v, opcode);
            if (v.Kind != 'S')
                Fail("a string constant that is no string", opcode);
            return true;
        case Op.X_COMP_OPCODE_PUSH_BOOLEAN_TRUE_CONSTANT:
        case Op.X_COMP_OPCODE_PUSH_BOOLEAN_FALSE_CONSTANT:
            v.Kind = 'B';
            v.I = opcode == N(Op.X_COMP_OPCODE_PUSH_BOOLEAN_TRUE_CONSTANT) ? 1 : 0;
            return true;
        case Op.X_COMP_OPCODE_PUSH_STRING_HIVAL:
        case Op.X_COMP_OPCODE_PUSH_STRING_LOVAL:
            v.Kind = 'H';
            v.I = opcode == N(Op.X_COMP_OPCODE_PUSH_STRING_HIVAL) ? 0xFF : 0x00;
            return true;
        case Op.X_COMP_OPCODE_PUSH_DECIMAL_HIVAL:
        case Op.X_COMP_OPCODE_PUSH_DECIMAL_LOVAL: {
            // the largest or smallest number of the pair's digits and decimals
            int digits = (operand >> 8) & 0xFF, decimals = operand & 0xFF;
            var nines = System.Numerics.BigInteger.Pow(10, digits) - 1;
            v.Kind = 'D';
            v.Dec = new RtDec(opcode == N(Op.X_COMP_OPCODE_PUSH_DECIMAL_LOVAL) ? -nines : nines, decimals);
            return true;
        }
        case Op.X_COMP_OPCODE_PUSH_INT8_VECTOR_AS_INT32:
        case Op.X_COMP_OPCODE_PUSH_INTU8_VECTOR_AS_INT32:
        case Op.X_COMP_OPCODE_PUSH_INT16_VECTOR_AS_INT32:
        case Op.X_COMP_OPCODE_PUSH_INT32_VECTOR_AS_INT32:
        case Op.X_COMP_OPCODE_PUSH_INT64_VECTOR_AS_INT64: FieldNumber(frame, operand, T_INT64, v); return true;
        case Op.X_COMP_OPCODE_PUSH_FLOAT32_VECTOR_AS_FLOAT64:
        case Op.X_COMP_OPCODE_PUSH_FLOAT64_VECTOR_AS_FLOAT64: FieldNumber(frame, operand, T_FLOAT64, v); return true;
        case Op.X_COMP_OPCODE_PUSH_BOOLEAN_VECTOR_AS_BOOLEAN:
            v.Kind = 'B';
            v.I = RT.Get(frame.pX_Fld, operand).IsZero ? 0 : 1;
            v.Null = SqlNull(frame, operand);
            return true;
        case Op.X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_ALPHA:
        case Op.X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_STRING:
        case Op.X_COMP_OPCODE_PUSH_STRING_VECTOR_AS_STRING:
        case Op.X_COMP_OPCODE_PUSH_SHORT_CHAR_VECTOR_AS_STRING:
        case Op.X_COMP_OPCODE_PUSH_DATE_VECTOR_AS_DATE:
        case Op.X_COMP_OPCODE_PUSH_TIME_VECTOR_AS_TIME:
        case Op.X_COMP_OPCODE_PUSH_DATETIME_VECTOR_AS_DATETIME: FieldString(frame, operand, v); return true;
        case Op.X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR:
        case Op.X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR:
            if (operand < 0 || operand >= frame.pX_Fld.Length)
                Fail("a field vector entry outside the vector", opcode);
            v.Kind = 'V';
            v.I = operand;
            return true;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_LONG) &&
            opcode <= N(Op.X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_FLOAT64)) {
            v.Kind = IsDouble(opcode - N(Op.X_COMP_OPCODE_PUSH_NULL_CONSTANT_AS_LONG)) ? 'F' : 'D';
            v.Dec = RtDec.Zero(0);
            return true;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG) &&
            opcode < N(Op.X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG) + 64) {
            int type = (opcode - N(Op.X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG)) % 16;
            if (type > T_FLOAT64)
                Fail("a push of a decimal field as no value type", opcode);
            FieldNumber(frame, operand, type, v);
            return true;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_WHEN_SUBJECT_LONG) && opcode <= N(Op.X_COMP_OPCODE_WHEN_SUBJECT_BINARY)) {
            PushSubject(frame, v, opcode - N(Op.X_COMP_OPCODE_WHEN_SUBJECT_LONG), opcode);
            return true;
        }
        return false;
    }

    // The operations on the values at the top of the stack: the new top.
    static int Operate(X_VAR_EXPRESSION_FRAME frame, int opcode, int operand, Value[] stack, int top)
    {
        // ---- coercions ----
        if (opcode >= N(Op.X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG) && opcode <= N(Op.X_COMP_OPCODE_COERCE_INT64_TO_FLOAT64)) {
            int from = (opcode - N(Op.X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG)) / 10,
                place = (opcode - N(Op.X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG)) % 10;
            if (place >= 8)
                Fail("a coercion to a variant or boolean has no meaning here", opcode);
            Coerce(stack[top], place < from ? place : place + 1);
            return top;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_COERCE_FLOAT64_TO_LONG) && opcode <= N(Op.X_COMP_OPCODE_COERCE_FLOAT64_TO_INT64)) {
            int[] to = { T_LONG, T_LONGLONG, T_DECIMAL, T_INT32, T_INT64 };
            Coerce(stack[top], to[opcode - N(Op.X_COMP_OPCODE_COERCE_FLOAT64_TO_LONG)]);
            return top;
        }

        if (ConvertDateTime(stack[top], opcode, false))
            return top;

        // ---- arithmetic and rounding ----
        if (opcode >= N(Op.X_COMP_OPCODE_LONG_PLUS) && opcode <= N(Op.X_COMP_OPCODE_FLOAT64_MULTIPLY)) {
            if (top < 1)
                Fail("arithmetic without two values", opcode);
            Arithmetic(frame, opcode, operand, stack[top - 1], stack[top]);
            return top - 1;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_ROUND_HALFUP_DOUBLE) && opcode <= N(Op.X_COMP_OPCODE_ROUND_HALFUP_FLOAT64)) {
            Value a = stack[top];
            a.Dec = AsDecimal(a).RoundHalfUp(operand & 0xFF);
            a.Kind = 'D';
            return top;
        }

        // ---- comparisons: the operator is the place in EQ LT LE GT GE NE ----
        if ((opcode >= N(Op.X_COMP_OPCODE_COMPARE_LONG_EQ_LONG) && opcode <= N(Op.X_COMP_OPCODE_COMPARE_FLOAT64_NE_FLOAT64)) ||
            (opcode >= N(Op.X_COMP_OPCODE_COMPARE_DATE_EQ_DATE) && opcode <= N(Op.X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN))) {
            if (top < 1)
                Fail("a comparison without two values", opcode);
            int c = CompareValues(stack[top - 1], stack[top]);
            int cmp = opcode == N(Op.X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN)   ? 5
                      : opcode == N(Op.X_COMP_OPCODE_COMPARE_BOOLEAN_EQ_BOOLEAN) ? 0
                      : opcode >= N(Op.X_COMP_OPCODE_COMPARE_DATE_EQ_DATE) ? (opcode - N(Op.X_COMP_OPCODE_COMPARE_DATE_EQ_DATE)) % 6
                                                                          : (opcode - N(Op.X_COMP_OPCODE_COMPARE_LONG_EQ_LONG)) % 6;
            bool r = cmp == 0 ? c == 0 : cmp == 1 ? c < 0 : cmp == 2 ? c <= 0 : cmp == 3 ? c > 0 : cmp == 4 ? c >= 0 : c != 0;
            // a test of an SQL-null value is null itself: it holds for no test
            bool nul = stack[top - 1].Null || stack[top].Null;
            stack[top - 1] = new Value { Kind = 'B', I = r && !nul ? 1 : 0, Null = nul };
            return top - 1;
        }
        if ((opcode >= N(Op.X_COMP_OPCODE_IS_LONG_NULL) && opcode <= N(Op.X_COMP_OPCODE_IS_FLOAT64_NULL)) ||
            (opcode >= N(Op.X_COMP_OPCODE_IS_DATE_NULL) && opcode <= N(Op.X_COMP_OPCODE_IS_STRING_NULL))) {
            stack[top] = new Value { Kind = 'B', I = IsNullValue(stack[top], opcode) ? 1 : 0 };
            return top;
        }

        // ---- logic ----
        switch ((Op)opcode) {
        case Op.X_COMP_OPCODE_LOGICAL_NOT: stack[top].I = stack[top].I != 0 || stack[top].Null ? 0 : 1; return top;
        case Op.X_COMP_OPCODE_LOGICAL_BEGIN_ORIF:
        case Op.X_COMP_OPCODE_LOGICAL_BEGIN_ANDIF: return top; // both sides are evaluated: a push has no side effect
        case Op.X_COMP_OPCODE_LOGICAL_OR:
        case Op.X_COMP_OPCODE_LOGICAL_END_ORIF:
            Either(stack[top - 1], stack[top]);
            return top - 1;
        case Op.X_COMP_OPCODE_LOGICAL_AND:
        case Op.X_COMP_OPCODE_LOGICAL_END_ANDIF:
            Both(stack[top - 1], stack[top]);
            return top - 1;
        case Op.X_COMP_OPCODE_IMP_INTRINSIC_BOOLEAN_IS_TRUE: return top;
        }

        // ---- pulls: the field vector entry is pushed after the value ----
        if (opcode >= N(Op.X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG) &&
            opcode <= N(Op.X_COMP_OPCODE_PULL_SHORT_CHAR_VECTOR_FROM_NAVAIL)) {
            if (top < 1 || stack[top].Kind != 'V')
                Fail("a pull without its field", opcode);
            PullValue(frame, stack[top].I, stack[top - 1], operand, opcode);
            RT.SetIndexValue(frame.pX_Fld, stack[top].I);
            return top - 2;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR) &&
            opcode <= N(Op.X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D)) {
            // a field moved whole into one of the same layout; a varying text
            // is copied, not its storage shared
            if (top < 1 || stack[top].Kind != 'V' || stack[top - 1].Kind != 'V')
                Fail("an identical pull without its two fields", opcode);
            int target = stack[top].I, source = stack[top - 1].I;
            if (opcode == N(Op.X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D))
                Fail("an identical pull of a binary field has no meaning here", opcode);
            RtPlace from = RT.Place(frame.pX_Fld, source), to = RT.Place(frame.pX_Fld, target);
            if (opcode == N(Op.X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C)) {
                X_VAR_DLL.X_VAR_VarChar_Assign(frame.pX_Ids, frame.pX_Pro, frame.pX_Fun, RT.Structure<X_FLD_CHAR>(from),
                                               RT.Structure<X_FLD_CHAR>(to));
                return top - 2;
            }
            if (from.Root is X_FLD_INFO && to.Root is X_FLD_INFO && from.Offset == 0 && to.Offset == 0)
                // a decimal's structure, its state and digits, copied whole as the field's bytes are in C
                DqooDef.X_CPYBYTES(to.Root, from.Root, 0);
            else
                RT.Write(to, RT.Read(from, frame.pX_Fld[target].sByteLen));
            RT.SetIndexValue(frame.pX_Fld, target);
            return top - 2;
        }
        Fail("an opcode the test run time gives no meaning", opcode);
        return top;
    }

    // ---- logic of tests that may be null (SQL null: neither true nor false) ----

    // a OR b into a: true when either is true, else null when either is null
    static void Either(Value a, Value b)
    {
        bool t = (a.I != 0 && !a.Null) || (b.I != 0 && !b.Null);
        a.Null = !t && (a.Null || b.Null);
        a.I = t ? 1 : 0;
    }

    // a AND b into a: false when either is false, else null when either is null
    static void Both(Value a, Value b)
    {
        bool f = (a.I == 0 && !a.Null) || (b.I == 0 && !b.Null);
        a.Null = !f && (a.Null || b.Null);
        a.I = !f && !a.Null ? 1 : 0;
    }

    static void Arithmetic(X_VAR_EXPRESSION_FRAME frame, int opcode, int operand, Value a, Value b)
    {
        int type, operation;
        if (a.Null || b.Null) { // SQL null in, SQL null out: nothing is computed, its value 0
            a.Null = true;
            a.F = 0;
            a.Dec = RtDec.Zero(0);
            return;
        }
        if (opcode >= N(Op.X_COMP_OPCODE_DECIMAL_MULTIPLY)) {
            int place = opcode - N(Op.X_COMP_OPCODE_DECIMAL_MULTIPLY); // DECIMAL MULTIPLY, then INT32 ..
            type = place == 0 ? T_DECIMAL : T_INT32 + (place - 1) / 4;
            operation = place == 0 ? 3 : (place - 1) % 4;
        } else {
            type = (opcode - N(Op.X_COMP_OPCODE_LONG_PLUS)) / 4;
            operation = (opcode - N(Op.X_COMP_OPCODE_LONG_PLUS)) % 4; // PLUS MINUS DIVIDE MULTIPLY
        }
        if (IsDouble(type)) {
            double x = a.Kind == 'F' ? a.F : a.Dec.ToDouble(), y = b.Kind == 'F' ? b.F : b.Dec.ToDouble();
            if (operation == 2 && y == 0) {
                RT.Out.WriteLine("FATAL a division by zero");
                RT.Fatal(frame.pX_Ids, "Evaluation", 11);
                a.F = 0;
            } else {
                a.F = operation == 0 ? x + y : operation == 1 ? x - y : operation == 2 ? x / y : x * y;
            }
            a.Kind = 'F';
            return;
        }
        RtDec r, p = AsDecimal(a), q = AsDecimal(b);
        if (operation == 0 || operation == 1) {
            r = RtDec.Add(p, q, operation == 1);
        } else if (operation == 3) {
            r = RtDec.Multiply(p, q);
        } else if (!RtDec.Divide(p, q, IsWhole(type) ? 0 : operand & 0xFF, out r)) {
            RT.Out.WriteLine("FATAL a division by zero");
            RT.Fatal(frame.pX_Ids, "Evaluation", 11);
            r = RtDec.Zero(0);
        }
        a.Kind = 'D';
        a.Dec = IsWhole(type) ? r.Truncate(0) : Fit(frame, r, operand);
    }
}
