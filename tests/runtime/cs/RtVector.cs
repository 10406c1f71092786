// RtVector.cs: the vector services of the C# test run time: a field's value
// read and stored as a long, a long long, a double or a text; the move of
// one field into another with its rounding option; the index of an array
// element; substrings; the null test; the arithmetic of the generator's own
// evaluation routines; and the fills, copies and compares of storage that
// generated statements call.
//
// A double is stored at the scale the caller set in chXVecAssignOption just
// before (0 to 16): the decimal nearest to the double at that scale, cut to
// the field's decimals. A store whose caller set no scale takes the decimal
// of 15 significant digits nearest to the double; but a literal holds the
// decimal written in the program, which a double with a fraction does not
// give without its scale: such a store into a decimal literal stops the run.
// The option is used once: each store leaves it unset, as the C run time
// does.
using System;
using VELMO;

// The services the interface's vector routines forward to.
public sealed class RtVectorServices : X_VECTOR_SERVICES
{
    public int GetLong(X_FLD[] vector, int field) { return (int)RT.Get(vector, field).ToLong(); }
    public long GetLongLong(X_FLD[] vector, int field) { return RT.Get(vector, field).ToLong(); }
    public double GetDouble(X_FLD[] vector, int field) { return RT.Get(vector, field).ToDouble(); }
    public void SetLong(X_FLD[] vector, int field, int value) { RT.Set(RT.Ids, vector, field, RtDec.FromLong(value)); }
    public void SetLongLong(X_FLD[] vector, int field, long value)
    {
        RT.Set(RT.Ids, vector, field, RtDec.FromLong(value));
    }
    public void SetDouble(X_FLD[] vector, int field, double value, char assignOption)
    {
        RT.SetDouble(RT.Ids, vector, field, value, assignOption);
    }
}

public static partial class RT
{
    // The option no caller set.
    public const char OptionUnset = (char)0xFFFF;

    // The scale the caller set for the next store, taken once.
    public static int TakeScale(X_IDS ids)
    {
        int option = ids.chXVecAssignOption;
        ids.chXVecAssignOption = OptionUnset;
        return option >= 0 && option <= 16 ? option : -1;
    }

    public static void SetDouble(X_IDS ids, X_FLD[] vector, int s, double value, char option)
    {
        int scale = option <= 16 ? option : -1;
        ids.chXVecAssignOption = OptionUnset;
        RtKind k = KindOf(vector[s]);
        if (scale < 0 && vector[s].eSubtype == X_DEFS.X_SUBTYPE_LITERAL && k != RtKind.Double && k != RtKind.Float &&
            !RtDec.IsWhole(value))
            Stop("X_Vec_Set_from_Double of " + value.ToString("R") + " into literal " + Name(vector[s]) +
                 " with no scale set: the decimal it stands for is unknown");
        Set(ids, vector, s, RtDec.FromDouble(value, scale));
    }
}

public static partial class X_RUN_DLL
{
    public static void X_Vec_Set_from_Double(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, double value)
    {
        RT.SetDouble(ids, vector, field, value, ids.chXVecAssignOption);
    }

    public static void X_Vec_Get_as_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, ref string text)
    {
        text = RT.ReadText(RT.Place(vector, field));
    }

    public static void X_Vec_Set_from_Vchar(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, string text)
    {
        RT.StoreText(ids, RT.Place(vector, field), text);
        RT.SetIndexValue(vector, field);
    }

    // ---- indexes ----

    // The element an index selects: a view of the array's storage there.
    public static object X_Vec_Apply_Index(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field)
    {
        RtPlace p = RT.Place(vector, field);
        return new X_ARRAY_ELEMENT(p.Root, p.Offset);
    }

    // The descriptor of the element an index selects; the services that
    // take a descriptor reach the element through its index.
    public static X_FLD X_GET_INDEX(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field)
    {
        RT.Place(vector, field);
        return vector[field];
    }

    public static void X_Vec_Set_Index(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field)
    {
        RT.SetIndexValue(vector, field);
    }

    public static void X_SET_INDEX(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field)
    {
        RT.SetIndexValue(vector, field);
    }

    // ---- moves ----

    // One field into another: numbers cut to the target's decimals, or
    // rounded half up when the caller asked for it (X_VEC_ASSIGN_ROUND_UP);
    // texts copied and filled with blanks.
    public static void X_Vec_Assign(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField, X_FLD[] target,
                                    int targetField)
    {
        char option = ids.chXVecAssignOption;
        ids.chXVecAssignOption = RT.OptionUnset;
        RtKind from = RT.KindOf(source[sourceField]), to = RT.KindOf(target[targetField]);
        if (RT.IsNumeric(from) && RT.IsNumeric(to)) {
            RtDec v = RT.Get(source, sourceField);
            if (option == X_DEFS.X_VEC_ASSIGN_ROUND_UP && (to == RtKind.Packed || to == RtKind.Signed))
                v = v.RoundHalfUp(target[targetField].sDecimals);
            else if (option == X_DEFS.X_VEC_ASSIGN_ROUND_UP && to != RtKind.Double && to != RtKind.Float)
                v = v.RoundHalfUp(0);
            RT.Set(ids, target, targetField, v);
            return;
        }
        if (RT.IsText(from) && RT.IsText(to)) {
            RT.StoreText(ids, RT.Place(target, targetField), RT.ReadText(RT.Place(source, sourceField)));
            return;
        }
        RT.Stop("X_Vec_Assign of " + RT.Name(source[sourceField]) + " into " + RT.Name(target[targetField]) +
                ": a move between a number and a text has no meaning here");
    }

    // ---- arithmetic of the generator's own evaluation routines ----

    // The target takes the result of the operation on two numeric fields:
    // exact decimals, a quotient to the target's decimals (a floating target
    // gets the quotient of the doubles); a division by zero and a result too
    // large for the target end the program (X_Fatal_Error).
    public static void X_PDF_Math(X_IDS ids, X_PRO pro, X_FUN fun, int operation, X_FLD[] first, int firstField,
                                  X_FLD[] second, int secondField, X_FLD[] result, int resultField)
    {
        RtKind to = RT.KindOf(result[resultField]);
        if (!RT.IsNumeric(RT.KindOf(first[firstField])) || !RT.IsNumeric(RT.KindOf(second[secondField])) ||
            !RT.IsNumeric(to))
            RT.Stop("X_PDF_Math of " + RT.Name(first[firstField]) + " and " + RT.Name(second[secondField]) + " into " +
                    RT.Name(result[resultField]) + ": arithmetic on a field that is no number has no meaning here");
        RtDec a = RT.Get(first, firstField), b = RT.Get(second, secondField), r;
        switch (operation) {
        case X_DEFS.X_PDF_MATH_ADD: r = RtDec.Add(a, b, false); break;
        case X_DEFS.X_PDF_MATH_SUBTRACT: r = RtDec.Add(a, b, true); break;
        case X_DEFS.X_PDF_MATH_MULTIPLY: r = RtDec.Multiply(a, b); break;
        case X_DEFS.X_PDF_MATH_DIVIDE:
            if (b.IsZero) {
                RT.Out.WriteLine("FATAL a division by zero");
                RT.Fatal(ids, "X_PDF_Math", 11);
                return;
            }
            if (to == RtKind.Double || to == RtKind.Float)
                r = RtDec.FromDouble(a.ToDouble() / b.ToDouble(), -1);
            else
                RtDec.Divide(a, b, result[resultField].sDecimals, out r);
            break;
        default: RT.Stop("X_PDF_Math of an operation without a meaning here (" + operation + ")"); return;
        }
        RT.Set(ids, result, resultField, r);
    }

    // ---- null tests and increments ----

    public static char X_Vec_Null(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field)
    {
        RtKind k = RT.KindOf(vector[field]);
        RtPlace p = RT.Place(vector, field);
        if (RT.IsNumeric(k))
            return RT.ReadDecimal(p).IsZero ? X_Function.YES : X_Function.NO;
        string text = RT.ReadText(p);
        if (k == RtKind.Alpha || k == RtKind.Char || k == RtKind.ShortChar)
            return text.Trim(' ').Length == 0 ? X_Function.YES : X_Function.NO;
        if (k == RtKind.Date || k == RtKind.Time || k == RtKind.DateTime) {
            // the default date, time or timestamp the null value of the kind
            // sets; a field no value was ever stored into holds no text
            string empty = k == RtKind.Date   ? DqooDef.X_DEFAULT_DATE
                           : k == RtKind.Time ? DqooDef.X_DEFAULT_TIME
                                              : DqooDef.X_DEFAULT_DATE + " " + DqooDef.X_DEFAULT_TIME + ".000000000";
            return text.Length == 0 || text == empty ? X_Function.YES : X_Function.NO;
        }
        RT.Stop("X_Vec_Null of " + RT.Name(vector[field]) + ", of a kind without a null value here");
        return X_Function.NO;
    }

    public static void X_Vec_Increment(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int field, int by)
    {
        RT.Set(ids, vector, field, RtDec.Add(RT.Get(vector, field), RtDec.FromLong(by), false));
    }

    // ---- substrings ----

    // The bytes of the source from its position for its length put into the
    // target from its position for its length: cut to the target's length,
    // or filled with blanks. A position or length outside its field ends the
    // program.
    static void Substring(X_IDS ids, X_FLD[] source, int sourceField, long fromPosition, long fromLength,
                          X_FLD[] target, int targetField, long toPosition, long toLength)
    {
        if (sourceField < 0 || targetField < 0)
            RT.Stop("X_Vec_Substring without a source or target field");
        X_FLD from = source[sourceField], to = target[targetField];
        if (RT.KindOf(from) != RtKind.Alpha || RT.KindOf(to) != RtKind.Alpha)
            RT.Stop("X_Vec_Substring of " + RT.Name(from) + " into " + RT.Name(to) +
                    ": a substring of a number has no meaning here");
        if (fromPosition < 1 || fromLength < 0 || fromPosition + fromLength - 1 > from.sByteLen || toPosition < 1 ||
            toLength < 0 || toPosition + toLength - 1 > to.sByteLen) {
            RT.Out.WriteLine("FATAL substring of " + RT.Name(from) + " from " + fromPosition + " for " + fromLength +
                             " into " + RT.Name(to) + " from " + toPosition + " for " + toLength);
            RT.Fatal(ids, "substring", 300);
            return;
        }
        byte[] bytes = RT.Read(RT.Place(source, sourceField), from.sByteLen);
        RtPlace t = RT.Place(target, targetField);
        byte[] into = RT.Read(t, to.sByteLen);
        for (long i = 0; i < toLength; ++i)
            into[toPosition - 1 + i] = i < fromLength ? bytes[fromPosition - 1 + i] : (byte)' ';
        RT.Write(t, into);
    }

    public static void X_Vec_Substring(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField,
                                       int fromPosition, int fromLength, X_FLD[] target, int targetField,
                                       int toPosition, int toLength)
    {
        Substring(ids, source, sourceField, fromPosition, fromLength, target, targetField, toPosition, toLength);
    }

    public static void X_Vec_Substring2(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField,
                                        int fromPosition, int fromLength, X_FLD[] target, int targetField,
                                        int toPosition, int toLength)
    {
        Substring(ids, source, sourceField, fromPosition, fromLength, target, targetField, toPosition, toLength);
    }
}

// ---- the fills, copies and compares of storage ----
namespace VELMO
{
    public static partial class X_DEFS
    {
        static byte[] Repeated(int value, int length)
        {
            byte[] b = new byte[Math.Max(length, 0)];
            for (int i = 0; i < b.Length; ++i)
                b[i] = (byte)value;
            return b;
        }

        // A fill of storage held in a slot: the bytes of a field, or a whole
        // field structure (its numbers and texts cleared, a decimal's digits
        // made anew for the length: the structure's size less its header).
        public static void X_MEMSET(ref object area, int value, int length)
        {
            X_FLD_INFO info = area as X_FLD_INFO;
            if (info == null) {
                RT.WriteSlot(ref area, 0, Repeated(value, length));
                return;
            }
            if (value != 0)
                RT.Stop("a fill of a " + area.GetType().Name + " with " + value + " has no meaning here");
            foreach (var member in area.GetType().GetFields()) {
                if (member.FieldType.IsValueType)
                    member.SetValue(area, Activator.CreateInstance(member.FieldType));
                else
                    member.SetValue(area, null);
            }
            // the texts of a date, time or timestamp zeroed as bytes: NULs of
            // their full length, which a comparison of their bytes reads
            if (area is X_FLD_DATE)
                ((X_FLD_DATE)area).vchDate = new string('\0', DqooDef.X_MAX_SIZE_DATE_LEN);
            else if (area is X_FLD_TIME)
                ((X_FLD_TIME)area).vchTime = new string('\0', DqooDef.X_MAX_SIZE_TIME_LEN);
            else if (area is X_FLD_DATETIME)
                ((X_FLD_DATETIME)area).vchDateTime = new string('\0', DqooDef.X_MAX_SIZE_DATETIME_LEN);
            if (area is X_FLD_PACKED)
                ((X_FLD_PACKED)area).fchData = new byte[length - DqooDef.X_FLD_PACKED_SIZE + 1];
            else if (area is X_FLD_SIGNED)
                ((X_FLD_SIGNED)area).fchData = new byte[length - DqooDef.X_FLD_SIGNED_SIZE + 1];
        }
        public static void X_MEMSET(X_FLD field, char value, int length)
        {
            RT.Write(RT.PlaceOfDescriptor(field), Repeated(value, length));
        }
        public static void X_MEMSET(X_FLD field, byte value, int length)
        {
            RT.Write(RT.PlaceOfDescriptor(field), Repeated(value, length));
        }
        public static void X_MEMSET(byte[] area, char value, int length) { X_MEMSET(area, (byte)value, length); }
        public static void X_MEMSET(byte[] area, byte value, int length)
        {
            if (area == null)
                RT.Stop("a fill of bytes that are not there");
            Array.Copy(Repeated(value, length), area, length);
        }
        public static void X_MEMSET(char[] flags, char value)
        {
            for (int i = 0; i < flags.Length; ++i)
                flags[i] = value;
        }

        public static void X_SETBYTE(X_FLD field, int position, byte value)
        {
            RtPlace p = RT.PlaceOfDescriptor(field);
            p.Offset += position;
            RT.Write(p, new byte[] { value });
        }
        public static void X_SETBYTE(object storage, int position, byte value)
        {
            RtPlace p = RT.PlaceOfStorage(storage);
            byte[] all = RT.Read(p, RT.Length(p.Root) - p.Offset);
            all[position] = value;
            RT.WriteHeld(storage, all);
        }
        public static char X_GETBYTE(X_FLD field, int position)
        {
            RtPlace p = RT.PlaceOfDescriptor(field);
            p.Offset += position;
            return (char)RT.Read(p, 1)[0];
        }

        // A number into a long or double field.
        public static void X_SETVALUE(X_FLD field, int value)
        {
            RT.StoreDecimal(RT.Ids, RT.PlaceOfDescriptor(field), RtDec.FromLong(value));
        }
        public static void X_SETVALUE(X_FLD field, double value)
        {
            RT.StoreDecimal(RT.Ids, RT.PlaceOfDescriptor(field), RtDec.FromDouble(value, -1));
        }

        // A text copied into a field of the environment's code page: every
        // character is one byte, the whole length may be used.
        public static int X_RESOLVE_VARCHAR_LENGTH(int length, int limit) { return length; }

        public static void X_COPYBYTES(ref object target, object source, int length)
        {
            DqooDef.X_CPYBYTES(ref target, source, length);
        }

        // The first byte of a field's storage, as a character.
        public static char X_FIRST_CHAR(object storage) { return (char)RT.Read(RT.PlaceOfStorage(storage), 1)[0]; }
    }

    public static partial class DqooDef
    {
        // The bytes of storage, or of a text, a field structure copied whole.
        static byte[] SourceBytes(object source, int length)
        {
            string text = source as string;
            if (text != null && text.Length < length)
                RT.Stop("a copy of " + length + " bytes from a text of " + text.Length);
            return RT.Read(RT.PlaceOfStorage(source), length);
        }

        public static void X_CPYBYTES(ref object target, object source, int length)
        {
            if (target is X_FLD_INFO || source is X_FLD_INFO) {
                CopyStructure(target, source);
                return;
            }
            if (source is ValueType) {
                // a long or double copied whole: boxed numbers are not changed in place
                target = source;
                return;
            }
            RT.WriteSlot(ref target, 0, SourceBytes(source, length));
        }
        public static void X_CPYBYTES(object target, object source, int length)
        {
            if (target is X_FLD_INFO || source is X_FLD_INFO) {
                CopyStructure(target, source);
                return;
            }
            RT.WriteHeld(target, SourceBytes(source, length));
        }

        // A status copied into a text of the function: the text of its bytes.
        public static void X_CPYBYTES(ref string target, object source, int length)
        {
            target = RT.Chars(SourceBytes(source, length));
        }

        // One field structure into another of its kind, member by member.
        static void CopyStructure(object target, object source)
        {
            if (target == null || source == null || target.GetType() != source.GetType())
                RT.Stop("a copy of a " + (source == null ? "null" : source.GetType().Name) + " into a " +
                        (target == null ? "null" : target.GetType().Name));
            foreach (var member in source.GetType().GetFields()) {
                object value = member.GetValue(source);
                byte[] bytes = value as byte[];
                member.SetValue(target, bytes != null ? bytes.Clone() : value);
            }
        }

        public static void X_CPYBYTES_STR(ref string target, string source, int length)
        {
            target = source.Length > length ? source.Substring(0, length) : source;
        }

        public static void X_MEMCPY(X_FLD field, string text, int length)
        {
            RT.Write(RT.PlaceOfDescriptor(field), SourceBytes(text, length));
        }

        // The bytes compared, unsigned: below 0, 0 or above 0.
        public static int X_MEMCMP(object field, object value, int length) { return X_MEMCMP(field, 0, value, length); }
        public static int X_MEMCMP(object field, int offset, object value, int length)
        {
            RtPlace p = RT.PlaceOfStorage(field);
            p.Offset += offset;
            byte[] a = RT.Read(p, length), b = SourceBytes(value, length);
            for (int i = 0; i < length; ++i)
                if (a[i] != b[i])
                    return a[i] < b[i] ? -1 : 1;
            return 0;
        }
    }
}
