// Rt.cs: the C# test run time's own services, shared by its parts: the stop
// of a run, the kinds of fields, the place of a field's value and the value
// of a field of any kind read and stored as a decimal or a text.
//
// The C# test run time runs generated C# in a test. It is written from the
// run-time interface in samples/runtime/cs (whose declarations it takes, see
// derive-interface) and what the generated class asks of it, as the C test
// run time (tests/runtime) is for generated C; both show what a run left in
// the same lines, so that the two runs of one function can be compared. A
// routine it gives no meaning stops the run with a message naming it.
//
// The storage of a field is what the generated class binds to the field's
// descriptor (pField):
//   - alphanumeric: a string of the field's byte length (the run time gives
//     the descriptor a new string at every store), or the bytes of an array;
//   - packed and zoned decimals: their bytes, changed in place; held with
//     their field information: the field structure, its digits in fchData;
//   - a long or a double: the boxed number (a store boxes the new one);
//   - the other extended kinds: their field structures (X_FLD_INT32, ...);
//   - a field laid over another or an array's element: an X_ARRAY_ELEMENT,
//     the other field's storage and the offset in it. A string of a field
//     that others overlay is replaced in every descriptor that holds it.
// Storage of any other form (none, or a boxed copy of a decimal) stops the
// run: a store into it would be lost.
using System;
using System.Collections.Generic;
using System.IO;
using System.Runtime.CompilerServices;
using System.Text;
using VELMO;

public enum RtKind
{
    Alpha, Packed, Signed, Long, Double, Integer, Float, Boolean, Char, ShortChar, Date, Time, DateTime, Binary,
    Lob, Other
}

// Where a field's value is: the object that holds it and, for bytes, the
// offset of the first one; the descriptor and its vector entry (-1 for a
// descriptor outside the function's vector).
public struct RtPlace
{
    public X_FLD Field;
    public int Entry;
    public object Root;
    public int Offset;
}

public static partial class RT
{
    // ---- the run ----

    // The function's field vector, as the driver set it up, and its block.
    public static X_FLD[] Fields;
    public static X_FUN Fun;
    public static X_IDS Ids;
    public static TextWriter Out = Console.Out;

    // Writes "run time: <text>" (and the command) to standard error and ends
    // the run with 3.
    public static void Stop(string text)
    {
        Out.Flush();
        Console.Error.WriteLine("run time: " + text + (Fun != null ? " (at command " + Fun.sSequence + ")" : ""));
        Console.Error.Flush();
        Environment.Exit(3);
    }

    // The routine that has no meaning here; the exception is never thrown.
    public static Exception NotHere(string routine)
    {
        Stop(routine + " is not part of the test run time");
        return new InvalidOperationException(routine);
    }

    // The fatal error of the run: "FATAL <number> <where>", as the C run time writes it.
    public static void Fatal(X_IDS ids, string where, int number)
    {
        Out.WriteLine("FATAL " + number + " " + where);
        if (ids != null)
            ids.chFatalError = X_Function.YES;
    }

    // ---- kinds ----

    public static RtKind KindOf(X_FLD f)
    {
        switch (f.eType) {
        case X_DEFS.X_TYPE_ALPHA: return RtKind.Alpha;
        case X_DEFS.X_TYPE_PACKED: return RtKind.Packed;
        case X_DEFS.X_TYPE_SIGNED: return RtKind.Signed;
        case X_DEFS.X_TYPE_LONG: return RtKind.Long;
        case X_DEFS.X_TYPE_DOUBLE: return RtKind.Double;
        case X_DEFS.X_TYPE_INTEGER: return RtKind.Integer;
        case X_DEFS.X_TYPE_FLOAT: return RtKind.Float;
        case X_DEFS.X_TYPE_BOOLEAN: return RtKind.Boolean;
        case X_DEFS.X_TYPE_CHAR: return RtKind.Char;
        case X_DEFS.X_TYPE_SHORT_CHAR: return RtKind.ShortChar;
        case X_DEFS.X_TYPE_DATE: return RtKind.Date;
        case X_DEFS.X_TYPE_TIME: return RtKind.Time;
        case X_DEFS.X_TYPE_DATETIME: return RtKind.DateTime;
        case X_DEFS.X_TYPE_BINARY: return RtKind.Binary;
        case X_DEFS.X_TYPE_CLOB:
        case X_DEFS.X_TYPE_BLOB: return RtKind.Lob;
        default: return RtKind.Other;
        }
    }

    public static bool IsNumeric(RtKind k)
    {
        return k == RtKind.Packed || k == RtKind.Signed || k == RtKind.Long || k == RtKind.Double ||
               k == RtKind.Integer || k == RtKind.Float || k == RtKind.Boolean;
    }

    public static bool IsText(RtKind k)
    {
        return k == RtKind.Alpha || k == RtKind.Char || k == RtKind.ShortChar || k == RtKind.Date ||
               k == RtKind.Time || k == RtKind.DateTime;
    }

    // The field's digits and the rest are held in a field structure.
    public static bool HasState(X_FLD f) { return (f.ulFieldType & DqooDef.LL2FIELD) != 0; }

    // The field's name without its trailing blanks, for messages and lines.
    public static string Name(X_FLD f) { return f.pszName == null ? "(unnamed)" : f.pszName.TrimEnd(' '); }

    // ---- the vector adopted ----

    sealed class Same : IEqualityComparer<object>
    {
        public new bool Equals(object a, object b) { return ReferenceEquals(a, b); }
        public int GetHashCode(object o) { return RuntimeHelpers.GetHashCode(o); }
    }
    static Dictionary<object, int> entries;
    static X_FLD[] adopted;

    // The first service of a run that reaches the fields finds them bound to
    // their storage: each simple field and index still all zero bytes is set
    // to its null value (blanks, a decimal zero), as the C run time does with
    // the zeroed areas it hands a function.
    static void Adopt()
    {
        if (adopted == Fields || Fields == null)
            return;
        adopted = Fields;
        entries = new Dictionary<object, int>(new Same());
        for (int i = 0; i < Fields.Length; ++i)
            if (Fields[i] != null)
                entries[Fields[i]] = i;
        for (int i = 0; i < Fields.Length; ++i) {
            X_FLD f = Fields[i];
            if (f == null || f.pField == null ||
                (f.eSubtype != X_DEFS.X_SUBTYPE_SIMPLE_FIELD && f.eSubtype != X_DEFS.X_SUBTYPE_INDEX))
                continue;
            RtKind k = KindOf(f);
            if (k != RtKind.Alpha && k != RtKind.Packed && k != RtKind.Signed)
                continue;
            RtPlace p = Place(Fields, i);
            if (k == RtKind.Packed && HasState(f) || k == RtKind.Signed && HasState(f) || !Zeros(Read(p, f.sByteLen)))
                continue;
            byte[] fill = new byte[f.sByteLen];
            if (k == RtKind.Alpha)
                Fill(fill, (byte)' ');
            else if (k == RtKind.Packed)
                fill[fill.Length - 1] = X_DEFS.X_PACK_TERMINATOR;
            else
                Fill(fill, (byte)'0');
            Write(p, fill);
        }
    }

    static void Fill(byte[] a, byte b)
    {
        for (int i = 0; i < a.Length; ++i)
            a[i] = b;
    }

    // The vector entry of a descriptor of the function's vector, or -1.
    public static int EntryOf(X_FLD f)
    {
        Adopt();
        int e;
        return entries != null && entries.TryGetValue(f, out e) ? e : -1;
    }

    // ---- places ----

    // A field an element may name as its index: an index field, which keeps
    // its value as the small value of the index; or a number held with its
    // field information (an integer, float or Boolean, or a decimal that may
    // be null), which the program names as a simple field: its value is read
    // at each use of the element.
    static bool IsIndexField(X_FLD index)
    {
        if (index.eSubtype == X_DEFS.X_SUBTYPE_INDEX)
            return true;
        return index.eSubtype == X_DEFS.X_SUBTYPE_SIMPLE_FIELD && HasState(index) && IsNumeric(KindOf(index));
    }

    // The place of field s of a vector: an array element's at its index's value.
    public static RtPlace Place(X_FLD[] vector, int s)
    {
        if (vector == Fields)
            Adopt();
        if (vector == null || s < 0 || s >= vector.Length)
            Stop("vector entry " + s + " is outside the field vector");
        X_FLD f = vector[s];
        RtPlace p = PlaceOf(f);
        p.Entry = vector == Fields ? s : -1;
        if (f.eSubtype != X_DEFS.X_SUBTYPE_ARRAY)
            return p;
        if (vector != Fields)
            Stop("array element " + Name(f) + " reached outside the function's field vector");
        if (f.sIndexVOV < 0 || f.sIndexVOV >= vector.Length || !IsIndexField(vector[f.sIndexVOV]))
            Stop("array element " + Name(f) + " names no index field (its index column is " + f.sIndexVOV + ")");
        X_FLD index = vector[f.sIndexVOV];
        long value = ReadDecimal(Place(vector, f.sIndexVOV)).ToLong();
        if (index.eSubtype == X_DEFS.X_SUBTYPE_INDEX && value != index.sIndexVOV)
            Stop("index field " + Name(index) + " holds " + value + " but its index value is " + index.sIndexVOV +
                 ": a store into it did not set the index");
        long bound = (Length(p.Root) - p.Offset) / Math.Max(f.sByteLen, 1);
        if (value < 1 || value > bound)
            Stop("array element " + Name(f) + " reached with index " + Name(index) + " = " + value + " outside 1 to " +
                 bound);
        p.Offset += (int)(value - 1) * f.sByteLen;
        return p;
    }

    // The place a descriptor's storage gives (no index applied).
    public static RtPlace PlaceOf(X_FLD f)
    {
        RtPlace p = new RtPlace { Field = f, Entry = -1, Root = f.pField, Offset = 0 };
        if (p.Root == null)
            Stop("field " + Name(f) + " has no storage");
        X_ARRAY_ELEMENT view = p.Root as X_ARRAY_ELEMENT;
        if (view != null) {
            p.Root = view.pStorage;
            p.Offset = view.iOffset;
            if (p.Root == null)
                Stop("field " + Name(f) + " lies over no storage");
        }
        return p;
    }

    // The place of a descriptor the generated class hands over by itself.
    public static RtPlace PlaceOfDescriptor(X_FLD f)
    {
        int e = EntryOf(f);
        return e >= 0 ? Place(Fields, e) : PlaceOf(f);
    }

    public static int Length(object root)
    {
        string s = root as string;
        if (s != null)
            return s.Length;
        byte[] b = root as byte[];
        if (b != null)
            return b.Length;
        Stop("storage of " + root.GetType().Name + " holds no bytes");
        return 0;
    }

    // The bytes of a decimal field: its digits after the field information.
    static RtPlace Digits(RtPlace p)
    {
        X_FLD_PACKED packed = p.Root as X_FLD_PACKED;
        X_FLD_SIGNED signed = p.Root as X_FLD_SIGNED;
        if (packed != null || signed != null) {
            byte[] data = packed != null ? packed.fchData : signed.fchData;
            if (data == null)
                Stop("field " + Name(p.Field) + " has no digits: its structure was never cleared");
            p.Root = data;
            p.Offset = 0;
        }
        return p;
    }

    // n bytes of a place that holds bytes (a string, bytes, a decimal's structure).
    public static byte[] Read(RtPlace p, int n)
    {
        p = Digits(p);
        byte[] r = new byte[n];
        string s = p.Root as string;
        byte[] b = p.Root as byte[];
        if (s == null && b == null)
            Stop("field " + Name(p.Field) + " is held in a " + p.Root.GetType().Name + ", which holds no bytes");
        if (p.Offset + n > (s != null ? s.Length : b.Length))
            Stop("field " + Name(p.Field) + " reads " + n + " bytes from " + p.Offset + " of storage of " +
                 (s != null ? s.Length : b.Length));
        for (int i = 0; i < n; ++i)
            r[i] = s != null ? (byte)s[p.Offset + i] : b[p.Offset + i];
        return r;
    }

    // The bytes into a place; a string is replaced everywhere it is held.
    public static void Write(RtPlace p, byte[] data)
    {
        object old = p.Root, neu = WriteRoot(p.Root, p.Offset, data, p.Field);
        if (ReferenceEquals(old, neu))
            return;
        if (ReferenceEquals(p.Field.pField, old))
            p.Field.pField = neu;
        X_ARRAY_ELEMENT view = p.Field.pField as X_ARRAY_ELEMENT;
        if (view != null && ReferenceEquals(view.pStorage, old))
            view.pStorage = neu;
    }

    // The bytes into storage held in a slot of the generated class: a field's
    // storage, an element or overlay of it, or the digits of a decimal's structure.
    public static void WriteSlot(ref object slot, int offset, byte[] data)
    {
        X_ARRAY_ELEMENT view = slot as X_ARRAY_ELEMENT;
        if (view != null)
            view.pStorage = WriteRoot(view.pStorage, view.iOffset + offset, data, null);
        else
            slot = WriteRoot(slot, offset, data, null);
    }

    // The bytes written into storage from an offset: bytes in place, a string
    // anew (the new one is answered and taken by every descriptor that held
    // the old one).
    static object WriteRoot(object root, int offset, byte[] data, X_FLD field)
    {
        string what = field != null ? "field " + Name(field) : "storage";
        RtPlace d = Digits(new RtPlace { Field = field ?? Unnamed, Root = root, Offset = offset });
        byte[] b = d.Root as byte[];
        string s = d.Root as string;
        if (b == null && s == null)
            Stop(what + " is held in " + (d.Root == null ? "nothing" : "a " + d.Root.GetType().Name) +
                 ", which a store cannot change");
        int length = b != null ? b.Length : s.Length;
        if (d.Offset < 0 || d.Offset + data.Length > length)
            Stop(what + " writes " + data.Length + " bytes from " + d.Offset + " of storage of " + length);
        if (b != null) {
            Array.Copy(data, 0, b, d.Offset, data.Length);
            return root;
        }
        char[] chars = s.ToCharArray();
        for (int i = 0; i < data.Length; ++i)
            chars[d.Offset + i] = (char)data[i];
        string neu = new string(chars);
        Replace(s, neu);
        return neu;
    }

    static readonly X_FLD Unnamed = new X_FLD("(storage)", 0, 0, 0, 'N', 0, 0, 0, null, 0, 'N');

    // The place of storage the generated class hands over without its
    // descriptor: a string, bytes, an element or overlay.
    public static RtPlace PlaceOfStorage(object storage)
    {
        if (storage == null)
            Stop("storage that is nothing");
        X_ARRAY_ELEMENT view = storage as X_ARRAY_ELEMENT;
        return view != null ? new RtPlace { Field = Unnamed, Entry = -1, Root = view.pStorage, Offset = view.iOffset }
                            : new RtPlace { Field = Unnamed, Entry = -1, Root = storage, Offset = 0 };
    }

    // A string of storage given up for a new one: every descriptor that held
    // it, and every element or overlay over it, takes the new one; the number
    // of holders is answered.
    public static int Replace(object old, object neu)
    {
        int held = 0;
        if (Fields == null)
            return held;
        foreach (X_FLD f in Fields) {
            if (f == null)
                continue;
            if (ReferenceEquals(f.pField, old)) {
                f.pField = neu;
                ++held;
            }
            X_ARRAY_ELEMENT view = f.pField as X_ARRAY_ELEMENT;
            if (view != null && ReferenceEquals(view.pStorage, old)) {
                view.pStorage = neu;
                ++held;
            }
        }
        return held;
    }

    // The bytes into storage the generated class hands over by value: bytes
    // change in place; a string only through the descriptors that hold it
    // (a string no descriptor holds would lose the store).
    public static void WriteHeld(object storage, byte[] data)
    {
        string s = (storage is X_ARRAY_ELEMENT ? ((X_ARRAY_ELEMENT)storage).pStorage : storage) as string;
        if (s != null && !Held(s))
            Stop("a store into a string of no field's storage, given by value: the store would be lost");
        object slot = storage;
        WriteSlot(ref slot, 0, data);
    }

    static bool Held(string s)
    {
        if (Fields != null)
            foreach (X_FLD f in Fields) {
                if (f == null)
                    continue;
                X_ARRAY_ELEMENT view = f.pField as X_ARRAY_ELEMENT;
                if (ReferenceEquals(f.pField, s) || view != null && ReferenceEquals(view.pStorage, s))
                    return true;
            }
        return false;
    }

    // ---- values as decimals ----

    static int PackedBytes(X_FLD f) { return f.lLength / 2 + 1; }

    static string Hex(byte[] b)
    {
        var t = new StringBuilder();
        foreach (byte x in b)
            t.Append(t.Length > 0 ? " " : "").Append(x.ToString("X2"));
        return t.ToString();
    }

    static bool Blanks(byte[] b)
    {
        foreach (byte x in b)
            if (x != ' ')
                return false;
        return true;
    }

    static bool Zeros(byte[] b)
    {
        foreach (byte x in b)
            if (x != 0)
                return false;
        return true;
    }

    public static T Structure<T>(RtPlace p) where T : class
    {
        T t = p.Root as T;
        if (t == null)
            Stop("field " + Name(p.Field) + " of type " + p.Field.eType + " is held in a " +
                 (p.Root == null ? "null" : p.Root.GetType().Name) + ", not in a " + typeof(T).Name);
        return t;
    }

    public static RtDec ReadDecimal(RtPlace p)
    {
        X_FLD f = p.Field;
        switch (KindOf(f)) {
        case RtKind.Packed: {
            int n = PackedBytes(f);
            byte[] b = Read(p, n);
            if (Zeros(b) || HasState(f) && Blanks(b))
                return RtDec.Zero(f.sDecimals);
            int sign = b[n - 1] & 0x0F;
            if (sign < 0x0A)
                Stop("packed field " + Name(f) + " holds no value (" + Hex(b) + ")");
            var digits = new StringBuilder();
            for (int k = 0; k < 2 * n - 1; ++k) {
                int digit = k % 2 == 0 ? b[k / 2] >> 4 : b[k / 2] & 0x0F;
                if (digit > 9)
                    Stop("packed field " + Name(f) + " holds no value (" + Hex(b) + ")");
                digits.Append((char)('0' + digit));
            }
            RtDec v = RtDec.FromText(digits.ToString());
            return new RtDec(sign == 0xD || sign == 0xB ? -v.Unscaled : v.Unscaled, f.sDecimals);
        }
        case RtKind.Signed: {
            int n = f.lLength;
            byte[] b = Read(p, n);
            if (Zeros(b) || HasState(f) && Blanks(b))
                return RtDec.Zero(f.sDecimals);
            var digits = new StringBuilder();
            for (int i = 0; i < n; ++i) {
                int zone = b[i] >> 4, digit = b[i] & 0x0F;
                if (digit > 9 || (zone != 0x3 && !(i == n - 1 && zone == 0x7)))
                    Stop("zoned field " + Name(f) + " holds no value (" + Hex(b) + ")");
                digits.Append((char)('0' + digit));
            }
            RtDec v = RtDec.FromText(digits.ToString());
            return new RtDec((b[n - 1] & 0xF0) == X_DEFS.X_SIGNED_NEGATIVE ? -v.Unscaled : v.Unscaled, f.sDecimals);
        }
        case RtKind.Long:
            if (p.Root is int)
                return RtDec.FromLong((int)p.Root);
            if (p.Root is long)
                return RtDec.FromLong((long)p.Root);
            Stop("long field " + Name(f) + " is held in a " + p.Root.GetType().Name);
            break;
        case RtKind.Double:
            if (p.Root is double)
                return RtDec.FromDouble((double)p.Root, -1);
            Stop("double field " + Name(f) + " is held in a " + p.Root.GetType().Name);
            break;
        case RtKind.Integer: return RtDec.FromLong(IntegerOf(p));
        case RtKind.Float: return RtDec.FromDouble(FloatOf(p), -1);
        case RtKind.Boolean: return RtDec.FromLong(Structure<X_FLD_BOOL>(p).fBool ? 1 : 0);
        }
        Stop("field " + Name(f) + " is not numeric: it has no numeric value");
        return RtDec.Zero(0);
    }

    static long IntegerOf(RtPlace p)
    {
        bool unsigned = (p.Field.ulFieldType & DqooDef.LL2UNSINT) != 0;
        switch (p.Field.lLength) {
        case 1: return unsigned ? Structure<X_FLD_UINT8>(p).uiInt8 : (long)Structure<X_FLD_INT8>(p).iInt8;
        case 2: return Structure<X_FLD_INT16>(p).iInt16;
        case 4: return Structure<X_FLD_INT32>(p).iInt32;
        default: return Structure<X_FLD_INT64>(p).iInt64;
        }
    }

    static double FloatOf(RtPlace p)
    {
        return p.Field.lLength == 4 ? Structure<X_FLD_FLT32>(p).dFloat32 : Structure<X_FLD_FLT64>(p).dFloat64;
    }

    static bool Fits(RtDec v, int wholeDigits) { return v.IntegerDigits <= wholeDigits; }

    static bool Overflow(X_IDS ids, X_FLD f, RtDec v)
    {
        Out.WriteLine("FATAL " + v + " does not fit " + Name(f));
        Fatal(ids, "store", 100);
        return false;
    }

    // Stores a number: cut to the field's decimals (a floating field takes
    // it whole); one that does not fit ends the program (X_Fatal_Error).
    public static bool StoreDecimal(X_IDS ids, RtPlace p, RtDec value)
    {
        X_FLD f = p.Field;
        RtKind kind = KindOf(f);
        RtDec v = value.Truncate(kind == RtKind.Packed || kind == RtKind.Signed ? f.sDecimals : 0);
        string digits = kind == RtKind.Packed || kind == RtKind.Signed
                            ? System.Numerics.BigInteger.Abs(v.Unscaled).ToString().PadLeft(f.lLength, '0')
                            : "";
        switch (kind) {
        case RtKind.Packed: {
            if (!Fits(v, f.lLength - f.sDecimals))
                return Overflow(ids, f, v);
            int n = PackedBytes(f);
            byte[] b = new byte[n];
            string nibbles = digits.PadLeft(2 * n - 1, '0');
            for (int k = 0; k < 2 * n; ++k) {
                int digit = k == 2 * n - 1 ? (v.IsNegative ? 0x0D : 0x0F) : nibbles[k] - '0';
                b[k / 2] |= (byte)(k % 2 == 0 ? digit << 4 : digit);
            }
            Write(p, b);
            break;
        }
        case RtKind.Signed: {
            if (!Fits(v, f.lLength - f.sDecimals))
                return Overflow(ids, f, v);
            byte[] b = Encoding.ASCII.GetBytes(digits);
            if (v.IsNegative)
                b[b.Length - 1] = (byte)((b[b.Length - 1] & 0x0F) | X_DEFS.X_SIGNED_NEGATIVE);
            Write(p, b);
            break;
        }
        case RtKind.Long: {
            if (!Fits(v, 18))
                return Overflow(ids, f, v);
            long w = v.ToLong();
            if (p.Root is int) {
                if (w < int.MinValue || w > int.MaxValue)
                    return Overflow(ids, f, v);
                Box(p, (int)w);
            } else {
                Box(p, w);
            }
            return true;
        }
        case RtKind.Double: Box(p, value.ToDouble()); return true;
        case RtKind.Integer: {
            if (!Fits(v, 19))
                return Overflow(ids, f, v);
            long w = v.ToLong();
            bool unsigned = (f.ulFieldType & DqooDef.LL2UNSINT) != 0;
            int n = f.lLength;
            if ((n == 1 && (unsigned ? (w < 0 || w > 255) : (w < -128 || w > 127))) ||
                (n == 2 && (w < short.MinValue || w > short.MaxValue)) || (n == 4 && (w < int.MinValue || w > int.MaxValue)))
                return Overflow(ids, f, v);
            switch (n) {
            case 1:
                if (unsigned)
                    Structure<X_FLD_UINT8>(p).uiInt8 = (byte)w;
                else
                    Structure<X_FLD_INT8>(p).iInt8 = (sbyte)w;
                break;
            case 2: Structure<X_FLD_INT16>(p).iInt16 = (short)w; break;
            case 4: Structure<X_FLD_INT32>(p).iInt32 = (int)w; break;
            default: Structure<X_FLD_INT64>(p).iInt64 = w; break;
            }
            break;
        }
        case RtKind.Float:
            if (f.lLength == 4)
                Structure<X_FLD_FLT32>(p).dFloat32 = (float)value.ToDouble();
            else
                Structure<X_FLD_FLT64>(p).dFloat64 = value.ToDouble();
            break;
        case RtKind.Boolean: Structure<X_FLD_BOOL>(p).fBool = !v.IsZero; break;
        default: Stop("a number stored into field " + Name(f) + ", which is not numeric"); break;
        }
        X_FLD_INFO info = p.Root as X_FLD_INFO;
        if (HasState(f) && info != null)
            info.bFieldState &= ~(int)XFIELDSTATE.FsIsSqlNull;
        return true;
    }

    // A long or a double boxed anew into its descriptor.
    static void Box(RtPlace p, object value)
    {
        if (p.Field.pField is X_ARRAY_ELEMENT)
            Stop("field " + Name(p.Field) + " of a boxed number lies over other storage");
        p.Field.pField = value;
    }

    // ---- values as texts ----

    public static string Chars(byte[] b)
    {
        var t = new StringBuilder(b.Length);
        foreach (byte x in b)
            t.Append((char)x);
        return t.ToString();
    }

    public static byte[] Bytes(string s)
    {
        byte[] b = new byte[s.Length];
        for (int i = 0; i < s.Length; ++i)
            b[i] = (byte)s[i];
        return b;
    }

    // The shown form: an alphanumeric value as it stands, a number as a
    // decimal text, a boolean as 1 or 0.
    // A date, time or timestamp text as the C string it is: up to its first
    // NUL (a zeroed structure holds NULs only).
    static string UpToNul(string s)
    {
        if (s == null)
            return "";
        int end = s.IndexOf('\0');
        return end < 0 ? s : s.Substring(0, end);
    }

    public static string ReadText(RtPlace p)
    {
        X_FLD f = p.Field;
        switch (KindOf(f)) {
        case RtKind.Alpha: return Chars(Read(p, f.sByteLen));
        case RtKind.Date: return UpToNul(Structure<X_FLD_DATE>(p).vchDate);
        case RtKind.Time: return UpToNul(Structure<X_FLD_TIME>(p).vchTime);
        case RtKind.DateTime: return UpToNul(Structure<X_FLD_DATETIME>(p).vchDateTime);
        case RtKind.Char: return VarText(Structure<X_FLD_CHAR>(p));
        case RtKind.ShortChar: {
            X_FLD_SHORT_CHAR c = Structure<X_FLD_SHORT_CHAR>(p);
            string s = c.vchData ?? "";
            int n = c.sLength > 0 ? Math.Min(c.sLength, s.Length) : 0;
            return s.Substring(0, n);
        }
        case RtKind.Lob: {
            string name = p.Root is X_FLD_CLOB ? ((X_FLD_CLOB)p.Root).vchFileName : Structure<X_FLD_BLOB>(p).vchFileName;
            name = name ?? "";
            int end = name.IndexOf('\0');
            return end >= 0 ? name.Substring(0, end) : name;
        }
        case RtKind.Binary:
            if (Structure<X_FLD_BINARY>(p).pvData != null)
                Stop("field " + Name(f) + " holds bytes, which the test run time does not show");
            return "";
        case RtKind.Float:
        case RtKind.Double: return RtDec.G15(ReadDecimal(p).ToDouble());
        }
        if (!IsNumeric(KindOf(f)))
            Stop("field " + Name(f) + " of type " + f.eType + " has no text here");
        return ReadDecimal(p).ToString();
    }

    public static void StoreText(X_IDS ids, RtPlace p, string text)
    {
        X_FLD f = p.Field;
        RtKind k = KindOf(f);
        switch (k) {
        case RtKind.Alpha: {
            byte[] b = new byte[f.sByteLen];
            for (int i = 0; i < b.Length; ++i)
                b[i] = i < text.Length ? (byte)text[i] : (byte)' ';
            Write(p, b);
            return;
        }
        case RtKind.Date:
        case RtKind.Time:
        case RtKind.DateTime: {
            int room = k == RtKind.Date ? DqooDef.X_MAX_SIZE_DATE_LEN
                       : k == RtKind.Time ? DqooDef.X_MAX_SIZE_TIME_LEN : DqooDef.X_MAX_SIZE_DATETIME_LEN;
            // the text fills its member as the C field's array holds it: a
            // shorter text is followed by NULs
            string t = text.Length > room ? text.Substring(0, room) : text.PadRight(room, '\0');
            if (k == RtKind.Date)
                Structure<X_FLD_DATE>(p).vchDate = t;
            else if (k == RtKind.Time)
                Structure<X_FLD_TIME>(p).vchTime = t;
            else
                Structure<X_FLD_DATETIME>(p).vchDateTime = t;
            Structure<X_FLD_INFO>(p).bFieldState &= ~(int)XFIELDSTATE.FsIsSqlNull;
            return;
        }
        case RtKind.Char: SetVarText(Structure<X_FLD_CHAR>(p), text); return;
        case RtKind.ShortChar: {
            if (f.lLength < 0)
                Stop("short character field " + Name(f) + " without a length");
            X_FLD_SHORT_CHAR c = Structure<X_FLD_SHORT_CHAR>(p);
            c.vchData = text.Length > f.lLength ? text.Substring(0, f.lLength) : text;
            c.sLength = (short)c.vchData.Length;
            c.bFieldState &= ~(int)XFIELDSTATE.FsIsSqlNull;
            return;
        }
        }
        if (!IsNumeric(k))
            Stop("a text stored into field " + Name(f) + " of type " + f.eType);
        StoreDecimal(ids, p, RtDec.FromText(text));
    }

    // ---- varying characters ----

    public static string VarText(X_FLD_CHAR c)
    {
        if (c.pvData == null)
            return "";
        string s = c.pvData as string;
        if (s == null)
            Stop("a varying character field holds a " + c.pvData.GetType().Name);
        return s;
    }

    // A text into a varying field, cut to its most characters.
    public static void SetVarText(X_FLD_CHAR c, string text)
    {
        if (c.ulMaxSize > 0 && text.Length > c.ulMaxSize)
            text = text.Substring(0, c.ulMaxSize);
        c.pvData = text;
        c.bFieldState &= ~(int)XFIELDSTATE.FsIsSqlNull;
    }

    // ---- indexes ----

    // The index value of an index field kept after a store into it.
    public static void SetIndexValue(X_FLD[] vector, int s)
    {
        X_FLD f = vector[s];
        if (f.eSubtype == X_DEFS.X_SUBTYPE_INDEX)
            f.sIndexVOV = (int)ReadDecimal(Place(vector, s)).ToLong();
    }

    // A number of field s of a vector, read and stored; a store keeps an
    // index field's index value.
    public static RtDec Get(X_FLD[] vector, int s) { return ReadDecimal(Place(vector, s)); }

    public static void Set(X_IDS ids, X_FLD[] vector, int s, RtDec v)
    {
        StoreDecimal(ids, Place(vector, s), v);
        SetIndexValue(vector, s);
    }

    // ---- the shown state of a run ----

    // "<tag> <name> <value>" for one field's value: an alphanumeric value in
    // brackets, a byte that is no printable character as \xNN.
    public static void ShowValue(string tag, string name, RtPlace p)
    {
        RtKind k = KindOf(p.Field);
        if (k == RtKind.Alpha) {
            var t = new StringBuilder();
            foreach (byte b in Read(p, p.Field.sByteLen))
                t.Append(b >= ' ' && b < 0x7F ? ((char)b).ToString() : "\\x" + b.ToString("X2"));
            Out.WriteLine(tag + " " + name + " [" + t + "]");
            return;
        }
        string text = ReadText(p);
        if (k == RtKind.Char || k == RtKind.ShortChar || k == RtKind.Lob || k == RtKind.Binary)
            Out.WriteLine(tag + " " + name + " [" + text + "]");
        else
            Out.WriteLine(tag + " " + name + " " + text);
    }

    // One line per simple field and index of the vector.
    public static void ShowFields(string tag, X_FLD[] vector)
    {
        for (int i = 0; i < vector.Length; ++i) {
            X_FLD f = vector[i];
            if (f == null || f.pszName == null || f.pField == null ||
                (f.eSubtype != X_DEFS.X_SUBTYPE_SIMPLE_FIELD && f.eSubtype != X_DEFS.X_SUBTYPE_INDEX))
                continue;
            ShowValue(tag, Name(f), Place(vector, i));
        }
    }
}
