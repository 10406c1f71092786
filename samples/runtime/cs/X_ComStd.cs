// X_ComStd.cs: the run-time interface that the generated C# class of a
// VELMO component (or of a function of language level two) calls: the
// arguments and blocks of a component routine, its start, end and checks,
// the dispatch of the commands that act on components, the tables of the
// component's definition and the vector of the fields it exchanges.
// Declarations (stubs that compile) only.
//
// The static working variables of a generated class are its own nested
// classes, so the routines here take them as objects.

// ---- the run-time blocks of a component routine ----
public partial class X_IDS
{
    public X_IDS_COMPONENT pX_IdsComponent;
    public X_FUN pActiveCompRtnX_Fun;
}
public class X_IDS_COMPONENT { public X_PRO pX_ProComponent; }

// What the component's caller hands a routine.
public class _X_COMP_SERVICES_POINT_REQUEST { public X_IDS pX_Ids; }
public class _X_COMP_NEGOTIABLE_COMPONENT { public object pvComponent; }
// The run-time blocks of one module of the component.
public class _X_COMP_MODULE_FRAME
{
    public X_FUN pX_Fun;
    public X_FLD[] pX_Fld;
    public X_LIST[] pX_List;
    public object pGlobal1;
    public object pGlobal2;
}
public class X_COMPONENT_ROUTINE_INFO { public char chKind; public object pvCaller; }

// A routine of the component as the header table lists it.
public delegate int X_COMP_HEADER(_X_COMP_SERVICES_POINT_REQUEST pRequestBlock, object[] apvAgreedArgs,
                                  int ulNoofNegotiableComps, _X_COMP_NEGOTIABLE_COMPONENT[] aNegotiableComps);

// One dispatch record: the id, the command, the component, the feature and
// the arguments of a dispatched command, and its line.
public class _X_COMP_DISPATCH
{
    public int lId, lCommand, lLine;
    public string pszComponent, pszFeature, pszArguments;
    public _X_COMP_DISPATCH(int id, int command, string component, string feature, string arguments, int line)
    {
        lId = id; lCommand = command; pszComponent = component; pszFeature = feature; pszArguments = arguments;
        lLine = line;
    }
}

// The definition of a component module: its routines, dispatch ids and
// dispatch records.
public class _X_COMP_DEFINITION
{
    public X_COMP_HEADER[] ppvHeader;
    public int[] plDispatchIds;
    public _X_COMP_DISPATCH[] ppDispatches;
    public _X_COMP_DEFINITION(X_COMP_HEADER[] header, int[] ids, _X_COMP_DISPATCH[] dispatches)
    {
        ppvHeader = header; plDispatchIds = ids; ppDispatches = dispatches;
    }
}

// One row of the component's exchange vector: an exchange number and the
// field's vector index.
public class X_VECTOR_COMPONENT_EXCHANGE
{
    public int usExchange, sVectorIndex;
    public X_VECTOR_COMPONENT_EXCHANGE(int exchange, int vectorIndex) { usExchange = exchange; sVectorIndex = vectorIndex; }
}

namespace VELMO
{
    public static partial class DqooDef
    {
        // what a component routine answers
        public const int X_COMP_RETURN_OK = 0, X_COMP_RETURN_FALSE = 0, X_COMP_RETURN_TRUE = 1,
                         X_COMP_RETURN_OBJECT_NOT_FOUND = 4;
        // the kinds of a component routine
        public const int X_COMPONENT_PTY_ROUTINE = 'P', X_COMPONENT_EVT_ROUTINE = 'E', X_COMPONENT_MTH_ROUTINE = 'M',
                         X_COMPONENT_WEB_ROUTINE = 'W';
        // what the run time is asked to do with a dispatched command
        // (X_COMP_DISPATCH_ZOPHX_CONDITION is X_BifStd.cs's)
        public const int X_COMP_DISPATCH_ZOPHX_COMMAND = 0, X_COMP_DISPATCH_ITERATOR_STEP = 2,
                         X_COMP_DISPATCH_ITERATOR_DESTROY = 3;
        // the commands of the dispatch records
        public const int X_COMP_COMMAND_SET = 1, X_COMP_COMMAND_SIGNAL = 2, X_COMP_COMMAND_INVOKE = 3,
                         X_COMP_COMMAND_PERFORM = 4, X_COMP_COMMAND_SET_REF = 5, X_COMP_COMMAND_IF_REF = 6,
                         X_COMP_COMMAND_ASSIGN = 7, X_COMP_COMMAND_FOR = 8;
    }

    public static partial class X_GloDef
    {
        public const int X_COMR_NORMAL_END = 0, X_COMR_FAILED = -1;
    }

    // The routines a generated component calls without a qualifier.
    public abstract partial class X_Function
    {
        // Start and end of a component routine, and the checks of its
        // steps; each answers the routine's return code.
        public static int X_START_COMPONENT_ROUTINE(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                                    X_FKEY keys, object global1, object global2, int returnCode,
                                                    X_COMPONENT_ROUTINE_INFO info, X_FUN active, int components,
                                                    _X_COMP_NEGOTIABLE_COMPONENT[] negotiable, int entryCursors,
                                                    int kind) { return 0; }
        public static int X_TERMINATE_COMPONENT_ROUTINE(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector,
                                                        X_LIST[] lists, X_FKEY keys, object global1, object global2,
                                                        int returnCode, X_COMPONENT_ROUTINE_INFO info, X_FUN active,
                                                        int components, _X_COMP_NEGOTIABLE_COMPONENT[] negotiable,
                                                        int entryCursors) { return returnCode; }
        public static int X_COMR_CHECK_FATAL(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                             X_FKEY keys, object global1, object global2, int returnCode,
                                             X_COMPONENT_ROUTINE_INFO info, X_FUN active, int components,
                                             _X_COMP_NEGOTIABLE_COMPONENT[] negotiable, int entryCursors)
        { return returnCode; }
        public static int X_COMR_CHECK_EXECUTION(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                                 X_FKEY keys, object global1, object global2, int returnCode,
                                                 X_COMPONENT_ROUTINE_INFO info, X_FUN active, int components,
                                                 _X_COMP_NEGOTIABLE_COMPONENT[] negotiable, int entryCursors,
                                                 int result) { return returnCode; }
        public static int X_SUBR_CHECK_EXECUTION(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                                 X_FKEY keys, object global1, object global2, int returnCode,
                                                 X_COMPONENT_ROUTINE_INFO info, X_FUN active, int components,
                                                 _X_COMP_NEGOTIABLE_COMPONENT[] negotiable, int entryCursors,
                                                 int result) { return returnCode; }

        // The dispatch of a command by its id: the calling routine's
        // information, active function and negotiated components (null
        // outside a component routine), the blocks, the kind, and the
        // kind's own arguments (a condition's result; a loop's iterator and
        // result). Each answers the component return code.
        public static int X_DISPATCH_COMPONENT_COMMAND(int id, X_COMPONENT_ROUTINE_INFO info, X_FUN active,
                                                       int components, _X_COMP_NEGOTIABLE_COMPONENT[] negotiable,
                                                       X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int kind)
        { return DqooDef.X_COMP_RETURN_OK; }
        public static int X_DISPATCH_COMPONENT_COMMAND_1(int id, X_COMPONENT_ROUTINE_INFO info, X_FUN active,
                                                         int components, _X_COMP_NEGOTIABLE_COMPONENT[] negotiable,
                                                         X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int kind,
                                                         ref int result) { return DqooDef.X_COMP_RETURN_OK; }
        public static int X_DISPATCH_COMPONENT_COMMAND_1(int id, X_COMPONENT_ROUTINE_INFO info, X_FUN active,
                                                         int components, _X_COMP_NEGOTIABLE_COMPONENT[] negotiable,
                                                         X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int kind,
                                                         ref object iterator) { return DqooDef.X_COMP_RETURN_OK; }
        public static int X_DISPATCH_COMPONENT_COMMAND_2(int id, X_COMPONENT_ROUTINE_INFO info, X_FUN active,
                                                         int components, _X_COMP_NEGOTIABLE_COMPONENT[] negotiable,
                                                         X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int kind,
                                                         ref object iterator, ref object result)
        { return DqooDef.X_COMP_RETURN_OK; }
    }
}

// The description of a component record: its field descriptors, the map of
// its members onto the field vector, its members' positions and the record.
public class X_LMAP
{
    public int sVectorIndex, sNext;
    public X_LMAP(int vectorIndex, int next) { sVectorIndex = vectorIndex; sNext = next; }
}
public class X_DRD
{
    public int lVersion, ulRecordLength, ulFields;
    public string pszName;
    public X_FLD[] pFields;
    public X_LMAP[] pMap;
    public int[] pulOffsets;
    public object pvRecord, pvReserved;
    public X_DRD(int version, string name, int recordLength, int fields, X_FLD[] descriptors, X_LMAP[] map,
                 int[] offsets, object record, object reserved)
    {
        lVersion = version; pszName = name; ulRecordLength = recordLength; ulFields = fields; pFields = descriptors;
        pMap = map; pulOffsets = offsets; pvRecord = record; pvReserved = reserved;
    }
}
namespace VELMO
{
    public static partial class DqooDef
    {
        public const int X_DRD_CURRENT = 1, X_PVOID_SIZE = 8;
    }
    public static partial class X_DEFS
    {
        public const int X_SUBTYPE_COMPONENT_RECORD = 7;
    }
}
