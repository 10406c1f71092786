// X_LstStd.cs: the run-time interface that the C# code of the working-list
// commands calls: a list of the function's list table with its operation
// table (the routines a working list moves its entries with), the entry
// routines of the other lists, the screening of a SELECTLIST loop and the
// sorting of a list. Declarations (stubs that compile) only: the hosting
// run-time supplies the behaviour.

// One list of the function's list table. C# reaches a list of either
// layout as its element of the table: it carries the counts of both. Its
// definition keeps what the run time makes the list from: the name, kind,
// most entries, field descriptors and their map onto the vector, the
// COUNTER field, the entry record and the list's version.
public partial class X_LIST
{
    public X_LIST_OPERATIONS pOperationTable;
    public string pszName;
    public char chKind;
    public int lMaxEntries, svCounter, lListVersion;
    public X_LMAP[] pMap;
    public object pvEntry;
    public X_FLD[] pX_Fld;
    public int sFld;
    public X_COND[] pX_Cond;
    public int svTopEntry;
    public char chScreening, chOSelected, chOAltered, chONotNull, chODisplay, chOAdd, chOChange, chODelete;
    public int sCurrentEntry, sCurrentEntry1, lcCurrentEntry;
    public int sCurrentEntrys, sCountEntrys1, lcCountEntrys;

    // The definition of a list the run time makes its instance of: name,
    // kind, version, most entries, the field vector with its count, the
    // condition blocks with theirs, the vector map, the entry count, the
    // exchange and change-tracking flags, the vector entries of counter,
    // page size, top, selected and further entry and scroll text, the list's
    // storage, the panel fields of a browse list, the screening flags and,
    // for a list of the second version, that version.
    public X_LIST(string name, char kind, int version, int maxEntries, int reserved1, int reserved2, int fields,
                  X_FLD[] vector, int conditions, X_COND[] conditionBlocks, X_LMAP[] map, int entryCount,
                  char exchange, char changeTracking, int counter, int pageSize, int topEntry, int selEntry,
                  int scrollText, int further, object storage, object reserved3, object argument, char screening,
                  char selected, char altered, char notNull, char display, char add, char change, char delete,
                  int listVersion = 0)
    {
        pszName = name; chKind = kind; lMaxEntries = maxEntries; pX_Fld = vector; sFld = fields;
        pX_Cond = conditionBlocks; pMap = map; svCounter = counter; svTopEntry = topEntry; pvEntry = storage;
        lListVersion = listVersion;
    }
    public X_LIST() { }
}

// The instances of the function's lists, made from its list definitions
// (one table, or the two tables of a run that uses the two-level tables).
public static partial class X_RUN_DLL
{
    public static void X_Create_List_Instances(X_IDS ids, X_PRO pro, X_FUN fun, int lists, X_LIST[] definitions,
                                               ref X_LIST[] instances) { }
    public static void X_Create_List_Instances_2(X_IDS ids, X_PRO pro, X_FUN fun, int level1, X_LIST[] definitions1,
                                                 int level2, X_LIST[] definitions2, ref X_LIST[] instances) { }
}

// The work references to a list of either version that the routines of a
// run that uses the two-level list tables declare.
public class PX_LIST_1 : X_LIST { }
public class PX_LIST_2 : X_LIST { }

// The routines of a working list's operation table.
public delegate void X_Add_Entry_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, char count, char initialise, char mode, char checkConditions);
public delegate void X_Add_Entry_After_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions,
                                           int list, X_LIST[] lists, char count, char initialise, char mode,
                                           char checkConditions, int after, ref int adjustment);
public delegate void X_Upd_Entry_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, char mode, char checkConditions);
public delegate void X_Dlt_Entry_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int entry, int list,
                                     X_LIST[] lists, ref int adjustment);
public delegate void X_Drop_Entries_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                        char all);
public delegate void X_Inz_Entries_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions,
                                       int list, X_LIST[] lists, char count, char initialise, int entries, char mode);
public delegate char X_Get_Entry_Ext_Fcn(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions,
                                         int list, X_LIST[] lists, int entry, char checkConditions, object changed,
                                         int disassemble);
public class X_LIST_OPERATIONS
{
    public X_Add_Entry_Fcn pfnAddEntry;
    public X_Add_Entry_After_Fcn pfnAddEntryAfter;
    public X_Dlt_Entry_Fcn pfnDltEntry;
    public X_Drop_Entries_Fcn pfnDropEntries;
    public X_Inz_Entries_Fcn pfnInzEntries;
    public X_Upd_Entry_Fcn pfnUpdEntry;
    public X_Get_Entry_Ext_Fcn pfnGetEntryExt;
}

// The comparison routine of SORT_LIST: the order of two entries.
public delegate int X_SORT_COMPARE_FCN(object left, object right);

// The entry routines of a browse or component list: the list receives the
// function's conditions and copies the entry itself.
public static partial class X_RUN_DLL
{
    public static void X_Add_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, char count, char initialise, char mode, char checkConditions) { }
    public static void X_Add_Entry_After(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions,
                                         int list, X_LIST[] lists, char count, char initialise, char mode,
                                         char checkConditions, int afterField, ref int adjustment) { }
    public static void X_Upd_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, char mode, char checkConditions) { }
    public static void X_Dlt_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int entryField, X_LIST[] lists,
                                   int list, ref int adjustment) { }
    public static void X_Inz_Entries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, char count, char initialise, int entries, char mode) { }
    public static void X_Drop_Entries(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                      char all) { }
    public static char X_Get_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                   X_LIST[] lists, int entry, char checkConditions, ref char changed) { return 'N'; }
    public static char X_Get_Entry_2(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_COND[] conditions, int list,
                                     X_LIST[] lists, int entry, char checkConditions, ref char changed) { return 'N'; }
    public static void X_DisAssemble_Entry(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                           ref char mode, ref char changed, char fields) { }
    public static void X_Set_Component_List_Entry_Count(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector,
                                                        X_LIST[] lists, int list) { }
    public static void X_Set_Error_States(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                          char error) { }
    public static void X_Sort_List(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int list, X_LIST[] lists,
                                   X_SORT_COMPARE_FCN compare) { }
    // the order of two packed or signed values of a length
    public static int X_Compare_Identical_SorP(byte[] left, byte[] right, int type, int length) { return 0; }
}
