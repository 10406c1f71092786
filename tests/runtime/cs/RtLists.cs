// RtLists.cs: working and browse lists in the C# test run time.
//
// A list definition of the generated class names the list's field
// descriptors, whose storage is the members of the list's entry record (the
// storage object the definition names, an instance of the class's LIST_<name>
// class), and the map of those fields onto the function's vector.
// X_Create_List_Instances makes an instance of every definition for the run
// (X_Create_List_Instances_2 of the two tables of a run that uses the
// two-level list tables), each with the operation table below. An entry is
// kept as an entry record of its own, with its entry mode; the instance's
// counts and current entry are kept in its members of every layout
// (sCurrentEntrys and sCurrentEntry, sCountEntrys1 and sCurrentEntry1,
// lcCountEntrys and lcCurrentEntry), which the program reads; a list's
// COUNTER field is set to its count after every change.
//
// The operation table moves an entry between the list and the list's field
// descriptors, which the program's ASSEMBLE and DISASSEMBLE routines fill and
// empty; an entry got with its disassembly asked for is moved into the
// function's fields as well. The run-time routines of browse lists
// (X_Add_Entry, X_Get_Entry, ...) move the entry between the list and the
// function's fields themselves, through the list's field map. SORT_LIST
// orders the entry records by the program's comparison routine.
using System;
using System.Collections.Generic;
using System.Reflection;
using VELMO;

// What the run time keeps of a list instance: its entry records and modes,
// and the member of the entry record each list field is held in.
public partial class X_LIST
{
    internal List<object> rtEntries;
    internal List<char> rtModes;
    internal FieldInfo[] rtMembers;
}

public static partial class RT
{
    static readonly List<X_LIST> lists = new List<X_LIST>();

    static readonly X_LIST_OPERATIONS operations = new X_LIST_OPERATIONS {
        pfnAddEntry = OpAddEntry, pfnAddEntryAfter = OpAddEntryAfter, pfnDltEntry = OpDltEntry,
        pfnDropEntries = OpDropEntries, pfnInzEntries = OpInzEntries, pfnUpdEntry = OpUpdEntry,
        pfnGetEntryExt = OpGetEntryExt
    };

    static string NameOf(X_LIST l) { return (l.pszName ?? "(list)").TrimEnd(' '); }

    // An instance of a definition, with its entry record's members found.
    public static X_LIST Instance(X_LIST d)
    {
        X_LIST l = (X_LIST)typeof(X_LIST).GetMethod("MemberwiseClone", BindingFlags.NonPublic | BindingFlags.Instance)
                       .Invoke(d, null);
        l.pOperationTable = operations;
        l.rtEntries = new List<object>();
        l.rtModes = new List<char>();
        if (l.pvEntry == null)
            Stop("list " + NameOf(l) + " has no entry record");
        FieldInfo[] members = l.pvEntry.GetType().GetFields();
        l.rtMembers = new FieldInfo[l.sFld];
        for (int i = 0; i < l.sFld; ++i) {
            X_FLD f = l.pX_Fld[i];
            if (f.pField == null)
                Stop("field " + Name(f) + " of list " + NameOf(l) + " has no storage in the list's entry record");
            foreach (FieldInfo m in members)
                if (ReferenceEquals(m.GetValue(l.pvEntry), f.pField))
                    l.rtMembers[i] = m;
            if (l.rtMembers[i] == null)
                Stop("field " + Name(f) + " of list " + NameOf(l) + " is held outside the list's entry record");
        }
        lists.Add(l);
        SetCount(l, null, null, 0);
        SetCurrent(l, 0);
        return l;
    }

    static int Current(X_LIST l) { return l.lListVersion == X_Function.X_LIST_V2 ? l.lcCurrentEntry : l.sCurrentEntry; }

    static void SetCurrent(X_LIST l, int n) { l.sCurrentEntry = l.sCurrentEntry1 = l.lcCurrentEntry = n; }

    // The count in the instance and in the COUNTER field.
    static void SetCount(X_LIST l, X_IDS ids, X_FLD[] vector, int n)
    {
        l.sCurrentEntrys = l.sCountEntrys1 = l.lcCountEntrys = n;
        if (l.svCounter >= 0 && vector != null)
            StoreDecimal(ids, Place(vector, l.svCounter), RtDec.FromLong(n));
    }

    static X_LIST ListOf(X_LIST[] table, int n)
    {
        X_LIST l = table != null && n >= 0 && n < table.Length ? table[n] : null;
        if (l == null || l.rtEntries == null)
            Stop("list number " + n + " is not in the instance table the program was given");
        return l;
    }

    // ---- entries ----

    static object Snapshot(object value)
    {
        byte[] bytes = value as byte[];
        if (bytes != null)
            return bytes.Clone();
        if (value is X_FLD_INFO) {
            object copy = Activator.CreateInstance(value.GetType());
            DqooDef.X_CPYBYTES(copy, value, 0);
            return copy;
        }
        return value;
    }

    // An entry record of the list fields' values.
    static object Record(X_LIST l)
    {
        object record = Activator.CreateInstance(l.pvEntry.GetType());
        for (int i = 0; i < l.sFld; ++i)
            l.rtMembers[i].SetValue(record, Snapshot(l.pX_Fld[i].pField));
        return record;
    }

    // An entry record's values into the list fields: bytes and structures in
    // place, texts and numbers given anew.
    static void Unpack(X_LIST l, object record)
    {
        for (int i = 0; i < l.sFld; ++i) {
            X_FLD f = l.pX_Fld[i];
            object value = l.rtMembers[i].GetValue(record);
            byte[] bytes = value as byte[], into = f.pField as byte[];
            if (bytes != null && into != null && into.Length == bytes.Length)
                Array.Copy(bytes, into, bytes.Length);
            else if (value is X_FLD_INFO && f.pField != null && f.pField.GetType() == value.GetType())
                DqooDef.X_CPYBYTES(f.pField, value, 0);
            else
                f.pField = Snapshot(value);
        }
    }

    static bool RoomFor(X_LIST l, X_IDS ids, int more)
    {
        if (l.rtEntries.Count + more > l.lMaxEntries) {
            Out.WriteLine("FATAL list " + NameOf(l) + " is full at " + l.lMaxEntries + " entries");
            Fatal(ids, "list full", 200);
            return false;
        }
        return true;
    }

    // The list fields' values in as entry `after` + 1.
    static bool Insert(X_LIST l, X_IDS ids, X_FLD[] vector, int after, char mode)
    {
        if (after < 0 || after > l.rtEntries.Count)
            Stop("an entry added to list " + NameOf(l) + " after entry " + after + " of " + l.rtEntries.Count);
        if (!RoomFor(l, ids, 1))
            return false;
        l.rtEntries.Insert(after, Record(l));
        l.rtModes.Insert(after, mode);
        SetCount(l, ids, vector, l.rtEntries.Count);
        SetCurrent(l, after + 1);
        return true;
    }

    static bool GetEntry(X_LIST l, int n)
    {
        if (n < 1 || n > l.rtEntries.Count)
            return false;
        Unpack(l, l.rtEntries[n - 1]);
        SetCurrent(l, n);
        return true;
    }

    // The function's fields into the list fields, and back, through the map.
    static void Assemble(X_LIST l, X_FLD[] vector)
    {
        for (int i = 0; i < l.sFld; ++i)
            CopyValue(Place(vector, l.pMap[i].sVectorIndex), PlaceOf(l.pX_Fld[i]));
    }

    static void Disassemble(X_LIST l, X_FLD[] vector)
    {
        for (int i = 0; i < l.sFld; ++i) {
            int v = l.pMap[i].sVectorIndex;
            CopyValue(PlaceOf(l.pX_Fld[i]), Place(vector, v));
            SetIndexValue(vector, v);
        }
    }

    // A field's value into a field of the same kind: a field structure
    // member by member, a boxed number given anew, bytes as they stand.
    static void CopyValue(RtPlace from, RtPlace to)
    {
        if (from.Root is X_FLD_INFO || to.Root is X_FLD_INFO)
            DqooDef.X_CPYBYTES(to.Root, from.Root, 0);
        else if (from.Root is ValueType)
            to.Field.pField = from.Root;
        else
            Write(to, Read(from, to.Field.sByteLen));
    }

    // ---- the operation table of a working list ----

    static void OpAddEntry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                           X_LIST[] table, char count, char initialise, char mode, char checkConditions)
    {
        X_LIST l = ListOf(table, list);
        Insert(l, ids, vector, l.rtEntries.Count, mode);
    }

    static void OpAddEntryAfter(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                X_LIST[] table, char count, char initialise, char mode, char checkConditions,
                                int after, ref int adjustment)
    {
        X_LIST l = ListOf(table, list);
        int current = Current(l);
        // an entry put in before the one a loop stands on moves it one on
        if (Insert(l, ids, vector, after, mode))
            adjustment = after < current ? 1 : 0;
    }

    static void OpDltEntry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int entry, int list, X_LIST[] table,
                           ref int adjustment)
    {
        X_LIST l = ListOf(table, list);
        int current = Current(l);
        if (entry < 1 || entry > l.rtEntries.Count) {
            Out.WriteLine("FATAL entry " + entry + " deleted from list " + NameOf(l) + " of " + l.rtEntries.Count +
                          " entries");
            Fatal(ids, "delete entry", 201);
            return;
        }
        l.rtEntries.RemoveAt(entry - 1);
        l.rtModes.RemoveAt(entry - 1);
        SetCount(l, ids, vector, l.rtEntries.Count);
        // the entry a loop stands on, or one before it, gone: the loop stays
        adjustment = entry <= current ? -1 : 0;
        if (entry <= current)
            SetCurrent(l, current - 1);
    }

    static void OpDropEntries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] table, char all)
    {
        X_LIST l = ListOf(table, list);
        l.rtEntries.Clear();
        l.rtModes.Clear();
        SetCount(l, ids, vector, 0);
        SetCurrent(l, 0);
    }

    static void OpInzEntries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                             X_LIST[] table, char count, char initialise, int entries, char mode)
    {
        X_LIST l = ListOf(table, list);
        // the list holds that many entries of the fields' values
        l.rtEntries.Clear();
        l.rtModes.Clear();
        SetCount(l, ids, vector, 0);
        Assemble(l, vector);
        for (int i = 0; i < entries; ++i)
            if (!Insert(l, ids, vector, l.rtEntries.Count, mode))
                return;
    }

    static void OpUpdEntry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                           X_LIST[] table, char mode, char checkConditions)
    {
        X_LIST l = ListOf(table, list);
        int n = Current(l);
        if (n < 1 || n > l.rtEntries.Count) {
            Out.WriteLine("FATAL list " + NameOf(l) + " has no current entry to update");
            Fatal(ids, "update entry", 202);
            return;
        }
        l.rtEntries[n - 1] = Record(l);
        l.rtModes[n - 1] = mode;
    }

    static char OpGetEntryExt(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                              X_LIST[] table, int entry, char checkConditions, object changed, int disassemble)
    {
        X_LIST l = ListOf(table, list);
        if (!GetEntry(l, entry))
            return X_Function.NO;
        // the entry's values in the function's fields too, where the
        // program's tests (LOC_ENTRY's WHERE) read them
        if (disassemble != 0)
            Disassemble(l, vector);
        return X_Function.YES;
    }

    // ---- the browse lists' routines ----

    public static void AddEntry(X_IDS ids, X_FLD[] vector, int list, X_LIST[] table, char mode)
    {
        X_LIST l = ListOf(table, list);
        Assemble(l, vector);
        Insert(l, ids, vector, l.rtEntries.Count, mode);
    }

    public static void AddEntryAfter(X_IDS ids, X_FLD[] vector, int list, X_LIST[] table, char mode, int after,
                                     ref int adjustment)
    {
        Assemble(ListOf(table, list), vector);
        OpAddEntryAfter(ids, null, null, vector, null, list, table, X_Function.NO, X_Function.NO, mode, X_Function.NO,
                        after, ref adjustment);
    }

    public static void UpdateEntry(X_IDS ids, X_FLD[] vector, int list, X_LIST[] table, char mode)
    {
        Assemble(ListOf(table, list), vector);
        OpUpdEntry(ids, null, null, vector, null, list, table, mode, X_Function.NO);
    }

    public static void DeleteEntry(X_IDS ids, X_FLD[] vector, int entryField, int list, X_LIST[] table,
                                   ref int adjustment)
    {
        X_LIST l = ListOf(table, list);
        int n = entryField != X_Function.V_NOT_AVAILABLE ? (int)Get(vector, entryField).ToLong() : Current(l);
        OpDltEntry(ids, null, null, vector, n, list, table, ref adjustment);
    }

    // The entry into the function's fields; its mode is answered.
    public static char GetAndDisassemble(X_FLD[] vector, int list, X_LIST[] table, int n)
    {
        X_LIST l = ListOf(table, list);
        if (!GetEntry(l, n))
            return X_Function.NO;
        Disassemble(l, vector);
        return l.rtModes[n - 1];
    }

    public static char DisassembleCurrent(X_FLD[] vector, int list, X_LIST[] table)
    {
        X_LIST l = ListOf(table, list);
        int n = Current(l);
        if (n < 1 || n > l.rtEntries.Count)
            Stop("list " + NameOf(l) + " has no current entry to disassemble");
        GetEntry(l, n);
        Disassemble(l, vector);
        return l.rtModes[n - 1];
    }

    public static void Recount(X_IDS ids, X_FLD[] vector, int list, X_LIST[] table)
    {
        X_LIST l = ListOf(table, list);
        SetCount(l, ids, vector, l.rtEntries.Count);
    }

    // A stable sort of the entries (with their modes) by the program's comparison.
    public static void Sort(int list, X_LIST[] table, X_SORT_COMPARE_FCN compare)
    {
        X_LIST l = ListOf(table, list);
        var order = new List<int>();
        for (int i = 0; i < l.rtEntries.Count; ++i)
            order.Add(i);
        var sorted = MergeSort(order, (a, b) => compare(l.rtEntries[a], l.rtEntries[b]));
        var entries = new List<object>();
        var modes = new List<char>();
        foreach (int i in sorted) {
            entries.Add(l.rtEntries[i]);
            modes.Add(l.rtModes[i]);
        }
        l.rtEntries = entries;
        l.rtModes = modes;
    }

    static List<int> MergeSort(List<int> items, Comparison<int> compare)
    {
        if (items.Count < 2)
            return items;
        int half = items.Count / 2;
        List<int> left = MergeSort(items.GetRange(0, half), compare),
                  right = MergeSort(items.GetRange(half, items.Count - half), compare), merged = new List<int>();
        int i = 0, j = 0;
        while (i < left.Count || j < right.Count)
            merged.Add(j >= right.Count || (i < left.Count && compare(left[i], right[j]) <= 0) ? left[i++] : right[j++]);
        return merged;
    }

    // ---- the shown state ----

    // Each list's entries: "<tag> LIST <name> <count>", then per entry and
    // field "<tag> <list>.<n>.<field> <value>".
    public static void ShowLists(string tag)
    {
        foreach (X_LIST l in lists) {
            Out.WriteLine(tag + " LIST " + NameOf(l) + " " + l.rtEntries.Count);
            for (int n = 1; n <= l.rtEntries.Count; ++n)
                for (int k = 0; k < l.sFld; ++k) {
                    X_FLD f = l.pX_Fld[k];
                    X_FLD shown = new X_FLD(f.pszName, f.ulFieldType, f.eType, X_DEFS.X_SUBTYPE_SIMPLE_FIELD, f.chShift,
                                            f.lLength, f.sByteLen, f.sDecimals,
                                            l.rtMembers[k].GetValue(l.rtEntries[n - 1]), 0, 'N');
                    ShowValue(tag, NameOf(l) + "." + n + "." + Name(f), PlaceOf(shown));
                }
        }
    }
}

public static partial class X_RUN_DLL
{
    public static void X_Create_List_Instances(X_IDS ids, X_PRO pro, X_FUN fun, int lists, X_LIST[] definitions,
                                               ref X_LIST[] instances)
    {
        instances = new X_LIST[Math.Max(lists, 1)];
        for (int i = 0; i < lists; ++i)
            instances[i] = RT.Instance(definitions[i]);
    }

    public static void X_Create_List_Instances_2(X_IDS ids, X_PRO pro, X_FUN fun, int level1, X_LIST[] definitions1,
                                                 int level2, X_LIST[] definitions2, ref X_LIST[] instances)
    {
        instances = new X_LIST[Math.Max(level1 + level2, 1)];
        for (int i = 0; i < level1; ++i)
            instances[i] = RT.Instance(definitions1[i]);
        for (int i = 0; i < level2; ++i)
            instances[level1 + i] = RT.Instance(definitions2[i]);
    }

    // ---- the run-time routines of browse lists (and of working lists whose
    // COUNTER is one of their fields) ----

    public static void X_Add_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, char count, char initialise, char mode, char checkConditions)
    {
        RT.AddEntry(ids, vector, list, lists, mode);
    }
    public static void X_Add_Entry_After(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions,
                                         int list, X_LIST[] lists, char count, char initialise, char mode,
                                         char checkConditions, int afterField, ref int adjustment)
    {
        RT.AddEntryAfter(ids, vector, list, lists, mode, (int)RT.Get(vector, afterField).ToLong(), ref adjustment);
    }
    public static void X_Upd_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, char mode, char checkConditions)
    {
        RT.UpdateEntry(ids, vector, list, lists, mode);
    }
    public static void X_Dlt_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int entryField, X_LIST[] lists,
                                   int list, ref int adjustment)
    {
        RT.DeleteEntry(ids, vector, entryField, list, lists, ref adjustment);
    }
    public static void X_Inz_Entries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, char count, char initialise, int entries, char mode)
    {
        lists[list].pOperationTable.pfnInzEntries(ids, pro, fun, vector, conditions, list, lists, count, initialise,
                                                   entries, mode);
    }
    public static void X_Drop_Entries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                      char all)
    {
        lists[list].pOperationTable.pfnDropEntries(ids, pro, fun, vector, list, lists, all);
    }
    public static char X_Get_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, int entry, char checkConditions, ref char changed)
    {
        changed = X_Function.NO;
        return RT.GetAndDisassemble(vector, list, lists, entry);
    }
    public static char X_Get_Entry_2(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, int entry, char checkConditions, ref char changed)
    {
        changed = X_Function.NO;
        return RT.GetAndDisassemble(vector, list, lists, entry);
    }
    public static void X_DisAssemble_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                           ref char mode, ref char changed, char fields)
    {
        mode = RT.DisassembleCurrent(vector, list, lists);
        changed = X_Function.NO;
    }
    // The count of a browse or component list is kept current here.
    public static void X_Set_Component_List_Entry_Count(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector,
                                                        X_LIST[] lists, int list)
    {
        RT.Recount(ids, vector, list, lists);
    }
    // The fields of the list's entries are no longer in error.
    public static void X_Set_Error_States(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                          char error)
    {
        foreach (X_LMAP m in lists[list].pMap)
            vector[m.sVectorIndex].chValError = error;
    }
    public static void X_Sort_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                   X_SORT_COMPARE_FCN compare)
    {
        RT.Sort(list, lists, compare);
    }

    // Two packed or signed values of one layout compared by value: below 0,
    // 0 or above 0 (digits all blanks, as a nullable field's set-up leaves
    // them, read as 0).
    public static int X_Compare_Identical_SorP(byte[] left, byte[] right, int type, int length)
    {
        if (type != X_DEFS.X_TYPE_PACKED && type != X_DEFS.X_TYPE_SIGNED)
            RT.Stop("X_Compare_Identical_SorP of a type that is neither packed nor signed (" + type + ")");
        X_FLD f = new X_FLD("(compared)", DqooDef.LL2FIELD, type, X_DEFS.X_SUBTYPE_SIMPLE_FIELD, 'N',
                            type == X_DEFS.X_TYPE_PACKED ? length * 2 - 1 : length, length, 0, null, 0, 'N');
        f.pField = left;
        RtDec a = RT.ReadDecimal(RT.PlaceOf(f));
        f.pField = right;
        return RtDec.Compare(a, RT.ReadDecimal(RT.PlaceOf(f)));
    }
}
