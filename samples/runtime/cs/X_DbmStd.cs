// X_DbmStd.cs: the run-time interface that the C# code of the file
// commands calls: the argument block of an I/O request and its tables, the
// I/O module dispatcher and module bindings, the I/O counters, renames,
// KEEP_LAST, commitment control and the cursors of SELECT loops.
// Declarations (stubs that compile) only: the hosting run-time supplies the
// behaviour.

// The run-time blocks as the file commands use them.
public partial class X_IDS
{
    // the counters of the module being invoked
    public X_IO_COUNTER pulNormalIOCounter, pulSServerIOCounter;
}

// An I/O counter of a module: the run time counts the requests in it.
public class X_IO_COUNTER { public uint ulCount; }

// What KEEP_LAST keeps of the records a FETCH read.
public struct X_KEEP_LAST { public int lEntries; public object pEntries; }

// The file, library and member a POINT command redirects a file to.
public class X_POINT_FILE { public string vchFilePoint, vchLibrary, vchMember; }

// A database connection of a file of another database.
public class X_CONNECT_DATABASE { }

// The binding of an I/O module.
public class X_Module_Binding { public int lBindingState; public object pvModule; }

// A row of the WHERE handed to the I/O module, of its expression
// components and of its activities.
public class X_DBM_WHERE
{
    public int sCode, sVector;
    public X_DBM_WHERE(int code, int vector) { sCode = code; sVector = vector; }
}
public class X_DBM_EXPRESSION_COMPONENT
{
    public int sKind, sVector;
    public X_DBM_EXPRESSION_COMPONENT(int kind, int vector) { sKind = kind; sVector = vector; }
}
public class X_DBM_EXPRESSION_ACTIVITY
{
    public int sActivity, sFirst, sSecond, sResult;
    public X_DBM_EXPRESSION_ACTIVITY(int activity, int first, int second, int result)
    {
        sActivity = activity; sFirst = first; sSecond = second; sResult = result;
    }
}

// The run-time query of OPEN ... USE_OPTION(*OPNQRYF).
public class X_DBM_OPNQRYF
{
    public const int X_SIZE = 44;
    public int sStructSize, sQrysltVector, sKeyfldVector;
    public string vchAlwcpydta, vchOptimize, vchSeqonly1;
    public int sSeqonly2;
    public string vchCommit, vchType;
    public X_DBM_OPNQRYF(int structSize, int qrysltVector, int keyfldVector, string alwcpydta, string optimize,
                         string seqonly1, int seqonly2, string commit, string type)
    {
        sStructSize = structSize; sQrysltVector = qrysltVector; sKeyfldVector = keyfldVector; vchAlwcpydta = alwcpydta;
        vchOptimize = optimize; vchSeqonly1 = seqonly1; sSeqonly2 = seqonly2; vchCommit = commit; vchType = type;
    }
}

// The argument block of one I/O request, made from its members in the
// order the generated initialiser lists them.
public class X_DBM
{
    public int lX_DBMVersion;
    public string vchTableName;
    public int sDBMRequest;
    public string vchReturnCode;
    public int sCursorID;
    public X_FLD[] pX_Fld;
    public int scGrpFlds; public short[] psGrpFlds;
    public int scKeyFlds; public short[] psKeyFlds;
    public char chWhereZOPH; public int scWhere; public X_DBM_WHERE[] pWhere;
    public char chWithRRNO; public int sWithRRNO;
    public char chRetRRNO; public int sRetRRNO;
    public char chMsgReqd, chValOnly, chActionRow, chGeneric, chBackwards, chStartKey, chEndWhere, chAutoCommit;
    public char chOPNQRYF; public X_DBM_OPNQRYF pOPNQRYF;
    public char chForceClose;
    public int sSequence;
    public int scXComponent; public X_DBM_EXPRESSION_COMPONENT[] pXComponent;
    public int scXActivity; public X_DBM_EXPRESSION_ACTIVITY[] pXActivity;
    public string vchPhysical;
    public char chKeepOpen;
    public string pvchFile;
    public char chTrigger, chDuplicate;
    public object pDatabase;
    public char chSystem;
    public int fUseNativeIO, fExternal;
    public string vchCollection;
    public char chLock;
    public string vchMember, vchBaseMbr;
    public int scEvaluations; public short[] psEvaluations;
    public X_Module_Binding pModuleBinding;
    public string vchFilePoint;

    public X_DBM(int version, string tableName, int request, string returnCode, int cursorId, X_FLD[] vector,
                 int groupCount, short[] group, int keyCount, short[] keys, char whereZoph, int whereCount,
                 X_DBM_WHERE[] where, char withRrn, int withRrnField, char returnRrn, int returnRrnField,
                 char messages, char checkOnly, char actionRow, char generic, char backwards, char startKey,
                 char endWhere, char autoCommit, char openQuery, X_DBM_OPNQRYF query, char forceClose, int sequence,
                 int componentCount, X_DBM_EXPRESSION_COMPONENT[] components, int activityCount,
                 X_DBM_EXPRESSION_ACTIVITY[] activities, string physical, char keepOpen, string file, char trigger,
                 char duplicate, object database, char system, int nativeIo, int external, string collection,
                 char lockRecord, string member, string baseMember, int evaluationCount, short[] evaluations,
                 X_Module_Binding binding, string filePoint)
    {
        lX_DBMVersion = version; vchTableName = tableName; sDBMRequest = request; vchReturnCode = returnCode;
        sCursorID = cursorId; pX_Fld = vector; scGrpFlds = groupCount; psGrpFlds = group; scKeyFlds = keyCount;
        psKeyFlds = keys; chWhereZOPH = whereZoph; scWhere = whereCount; pWhere = where; chWithRRNO = withRrn;
        sWithRRNO = withRrnField; chRetRRNO = returnRrn; sRetRRNO = returnRrnField; chMsgReqd = messages;
        chValOnly = checkOnly; chActionRow = actionRow; chGeneric = generic; chBackwards = backwards;
        chStartKey = startKey; chEndWhere = endWhere; chAutoCommit = autoCommit; chOPNQRYF = openQuery;
        pOPNQRYF = query; chForceClose = forceClose; sSequence = sequence; scXComponent = componentCount;
        pXComponent = components; scXActivity = activityCount; pXActivity = activities; vchPhysical = physical;
        chKeepOpen = keepOpen; pvchFile = file; chTrigger = trigger; chDuplicate = duplicate; pDatabase = database;
        chSystem = system; fUseNativeIO = nativeIo; fExternal = external; vchCollection = collection;
        chLock = lockRecord; vchMember = member; vchBaseMbr = baseMember; scEvaluations = evaluationCount;
        psEvaluations = evaluations; pModuleBinding = binding; vchFilePoint = filePoint;
    }
}

namespace VELMO
{
    // The constants of the I/O requests.
    public static partial class DqooDef
    {
        public const int X_DBM_V9 = 9;
        public const int X_DBM_FETCH = 1, X_DBM_FETCH_NEXT = 2, X_DBM_DELETE = 3, X_DBM_DELETE_NEXT = 4,
                         X_DBM_UPDATE = 5, X_DBM_UPDATE_NEXT = 6, X_DBM_INSERT = 7, X_DBM_SELECT = 8,
                         X_DBM_SELECT_NEXT = 9, X_DBM_CHECK_FOR = 10, X_DBM_OPEN = 11, X_DBM_CLOSE = 12,
                         X_DBM_CURSOR_CLOSE = 13;
        // the status a request leaves
        public const string X_DBM_OKAY = "OK", X_DBM_NO_RECORD = "NR", X_DBM_END_FILE = "EF",
                            X_DBM_BEGIN_FILE = "BF", X_DBM_FATAL_ERROR = "ER", X_DBM_VALIDATION_ERROR = "VE",
                            X_DBM_EQUAL_KEY = "EQ", X_DBM_NOT_EQUAL_KEY = "NE";
        public const char X_DBM_COMMIT_NO = 'N', X_DBM_COMMIT_YES = 'Y', X_DBM_COMMIT_FILE = 'F';
        public const char X_DBM_ENDWHERE_NO = 'N', X_DBM_ENDWHERE_YES = 'Y', X_DBM_ENDWHERE_SQL = 'S';
        public const string X_FILE_LIB_DFT = "*LIBL", X_FILE_MBR_DFT = "*FIRST";
        public const int X_MODULE_BINDING_OAM_UNBOUND = 0;
        public const int X_DBM_OPNQRYF_SELECT_ALL = -1, X_DBM_OPNQRYF_KEY_NONE = -1, X_DBM_OPNQRYF_KEY_FILE = -2;
        public const int X_DBM_WHERE_NAME = 1, X_DBM_WHERE_VALUE = 2, X_DBM_WHERE_SQLNULL = 3, X_DBM_WHERE_OB = 4,
                         X_DBM_WHERE_CB = 5, X_DBM_WHERE_AD = 6, X_DBM_WHERE_SU = 7, X_DBM_WHERE_MU = 8,
                         X_DBM_WHERE_DV = 9, X_DBM_WHERE_EQ = 10, X_DBM_WHERE_NE = 11, X_DBM_WHERE_LT = 12,
                         X_DBM_WHERE_LE = 13, X_DBM_WHERE_GT = 14, X_DBM_WHERE_GE = 15, X_DBM_WHERE_AN = 16,
                         X_DBM_WHERE_OR = 17;
        public const int X_DBM_COMPONENT_FIELD_NAME = 1, X_DBM_COMPONENT_FIELD_VALUE = 2,
                         X_DBM_COMPONENT_ALP_RESULT = 3, X_DBM_COMPONENT_NUM_RESULT = 4,
                         X_DBM_COMPONENT_LGL_RESULT = 5, X_DBM_COMPONENT_SQLNULL_VALUE = 6;
        public const int X_DBM_ACTIVITY_IF = 1, X_DBM_ACTIVITY_AN = 2, X_DBM_ACTIVITY_OR = 3, X_DBM_ACTIVITY_AD = 4,
                         X_DBM_ACTIVITY_SU = 5, X_DBM_ACTIVITY_MU = 6, X_DBM_ACTIVITY_DV = 7, X_DBM_ACTIVITY_EQ = 8,
                         X_DBM_ACTIVITY_NE = 9, X_DBM_ACTIVITY_LT = 10, X_DBM_ACTIVITY_LE = 11,
                         X_DBM_ACTIVITY_GT = 12, X_DBM_ACTIVITY_GE = 13, X_DBM_ACTIVITY_MB = 14,
                         X_DBM_ACTIVITY_ZA = 15;
        // the copy of a status between a field and a text of the function
        public static void X_CPYBYTES(ref string target, object source, int length) { }
    }
}

// The I/O module, renames, KEEP_LAST, commitment control and the cursors.
public static partial class X_RUN_DLL
{
    public static void X_PDF_Execute_IO_Module(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request, string module) { }
    public static void X_Compute_Keys(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_DBM request) { }
    public static void X_Check_Key_Count(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_DBM request,
                                         int countField) { }
    public static void X_Clear_Rename_Stack(X_IDS ids, X_FUN fun) { }
    public static void X_Apply_Rename(X_IDS ids, X_FUN fun, X_FLD[] vector, int renamed, int original) { }
    public static void X_Remove_Renames(X_IDS ids, X_FUN fun, X_FLD[] vector) { }
    public static void X_Search_Last(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, ref X_KEEP_LAST last,
                                     int keyCount, short[] keys, int dataCount, short[] data, ref string status) { }
    public static void X_Store_Last(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, ref X_KEEP_LAST last,
                                    int keyCount, short[] keys, int dataCount, short[] data, int keep) { }
    public static int X_Commit_DBMS(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request) { return 0; }
    public static int X_Rollback_DBMS(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request) { return 0; }
    // the open cursors of a function closed down to a count, by the close
    // routines its loops registered
    public static void X_Close_Cursors(System.Action[] closeRoutines, ref int currentCursors, int entryCursors) { }
}

// ---- SELECT_SQL ----
// One information entry of a statement handed to the run time's database
// layer; the run time leaves the I/O status of a request in the third value
// of the statement's status entry.
public class X_ODBC_SELECT_2
{
    public const int X_SIZE = 32;
    public int ulSize, sVersion, chInfoType, ulInfoValue1, ulInfoValue2;
    public string pvchInfoValue3, pvchRealName;
}

namespace VELMO
{
    public static partial class DqooDef
    {
        public const int X_ODBC_SELECT_V1 = 1;
        public const int X_ODBC_SELECT_HANDLE = 1, X_ODBC_SELECT_IO_STATUS = 2, X_ODBC_SELECT_DISTINCT_OPTION = 3,
                         X_ODBC_SELECT_USING = 4, X_ODBC_SELECT_COLUMN_FIELD = 5, X_ODBC_SELECT_COLUMN = 6,
                         X_ODBC_SELECT_COLLECTION = 7, X_ODBC_SELECT_TABLE = 8, X_ODBC_SELECT_CORRELATION = 9,
                         X_ODBC_SELECT_WHERE_FIELD = 10, X_ODBC_SELECT_WHERE_REF_FIELD = 11, X_ODBC_SELECT_WHERE = 12,
                         X_ODBC_SELECT_GROUP_BY_FIELD = 13, X_ODBC_SELECT_GROUP_BY = 14,
                         X_ODBC_SELECT_HAVING_FIELD = 15, X_ODBC_SELECT_HAVING_REF_FIELD = 16,
                         X_ODBC_SELECT_HAVING = 17, X_ODBC_SELECT_ORDER_BY_FIELD = 18, X_ODBC_SELECT_ORDER_BY = 19;
        public const int X_DBM_HANDLE_SELECT_SQL_READ_2 = 21, X_DBM_HANDLE_SELECT_SQL_CLOSE_2 = 22;
    }
}

public static partial class X_RUN_DLL
{
    public static int X_DBM_Operation(X_IDS ids, X_PRO pro, X_FUN fun, int operation, object request, int entries,
                                      X_ODBC_SELECT_2[] info) { return 0; }
    public static void X_Check_File_Redirected(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request, ref string physical) { }
    public static void X_Check_Database_SSN(X_IDS ids, X_PRO pro, X_FUN fun, X_DBM request, int connection,
                                            X_CONNECT_DATABASE database) { }
}
