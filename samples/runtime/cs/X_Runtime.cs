// X_Runtime.cs: the run-time interface that the generated C# class of a
// VELMO function calls: the run-time blocks a function receives, the
// field vector's descriptors, the base class of a generated function with
// the constants its generated text names unqualified, and the classes of
// its identification table and function definition record. Declarations
// (stubs that compile) only: the hosting run-time supplies the behaviour.
//
// The run-time blocks and the field descriptor are partial classes: other
// parts of the interface add their members to the same types.

// ---- the run-time blocks every function receives, and its tables ----
public partial class X_IDS { public X_UIM pX_UIM; }
public partial class X_PRO { public string vchNextFunc; }
public partial class X_FUN { public short sSequence; }
public partial class X_LIST { }
public partial class X_FKEY { }
public partial class X_UIM { }
public partial class X_PARM { }
public partial class X_COND
{
    public char chTrue;
    public X_COND() { }
    public X_COND(char value) { chTrue = value; }
}
public partial class X_RENAME_STACK { public string fchFile, fchFileField, fchField; }

// One descriptor of the field vector: name, descriptor type, field type and
// subtype, shift class, length, byte length, decimals, storage, the index
// of an element or component field, and the changed flag.
public partial class X_FLD
{
    public string pszName;
    public uint ulFieldType;
    public int eType;
    public int eSubtype;
    public char chShift;
    public int lLength;
    public int sByteLen;
    public int sDecimals;
    public object pField;
    public int sIndexVOV;
    public char chChanged;

    public X_FLD(string name, uint fieldType, int type, int subtype, char shift, int length, int byteLength,
                 int decimals, object field, int indexVOV, char changed)
    {
        pszName = name; ulFieldType = fieldType; eType = type; eSubtype = subtype; chShift = shift;
        lLength = length; sByteLen = byteLength; sDecimals = decimals; pField = field; sIndexVOV = indexVOV;
        chChanged = changed;
    }
}

namespace VELMO
{
    // The base of every generated function class, with the constants that
    // generated text uses without a qualifier.
    public abstract partial class X_Function
    {
        public const char YES = 'Y';
        public const char NO = 'N';
        public const int TRUE = 1;
        public const int FALSE = 0;
        public const object pX_NULL = null;
        public const int V_NOT_AVAILABLE = -1;
        // the base of the values that stand for a row or column of a screen
        public const int V_MAXIMUM_VALUE = 32000;
        // the build date and time of the module, as the run-time knows them
        public static readonly string __DATE__ = "";
        public static readonly string __TIME__ = "";

        // the version word of a list of the second version (the long layout)
        public const int X_LIST_V2 = 2;

        // the highest and lowest values of the integer kinds
        public const sbyte X_INT8_HIVAL = sbyte.MaxValue, X_INT8_LOVAL = sbyte.MinValue;
        public const byte X_UINT8_HIVAL = byte.MaxValue, X_UINT8_LOVAL = byte.MinValue;
        public const short X_INT16_HIVAL = short.MaxValue, X_INT16_LOVAL = short.MinValue;
        public const int X_INT32_HIVAL = int.MaxValue, X_INT32_LOVAL = int.MinValue;
        public const long X_INT64_HIVAL = long.MaxValue, X_INT64_LOVAL = long.MinValue;

        // the longest file name a large-object field holds
        public const int X_MAX_SIZE_LOB_FILE_NAME = 256;

        // the kinds of a string on the evaluator's operand stack
        public const int X_VAR_STACK_STRING_ELEMENT_TYPE_CHAR = 1, X_VAR_STACK_STRING_ELEMENT_TYPE_VAR_CHAR = 2,
                         X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_CHAR = 3, X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_SHORT_CHAR = 4;

        // a label, column heading or description of a field in a language
        public static string X_Get_MFld(int field, int language, char kind) { return null; }
        // a multilingual text in a language
        public static string X_Get_MTxt(int text, int language) { return null; }

        // the message handler of the MESSAGE and ABORT commands
        public const int X_MESSAGE_TYPE_INFO = 1, X_MESSAGE_TYPE_STATUS = 2, X_MESSAGE_TYPE_WINDOW = 3;
        public const string X_STANDARD_TEXT_MESSAGE_ID = "*TEXT";
        public static void X_Handle_Message(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int type, char routing,
                                            object messageId, object messageFile, object text, int field,
                                            int substitutions, object values) { }
        public static void X_Handle_Message_Abort(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, int type,
                                                  char routing, object messageId, object messageFile, object text,
                                                  int field, int substitutions, object values) { }
    }

    // How a function or subroutine ended.
    public static partial class X_GloDef
    {
        public const int X_SUBR_NORMAL_END = 0, X_SUBR_RETURNED = 1, X_SUBR_RETURN = 1, X_SUBR_FAILED = 2,
                         X_SUBR_ABORTED = 3, X_SUBR_EXITED = 4, X_SUBR_CANCELLED = 5, X_SUBR_TRANSFERRED = 6;
    }

    // The run-time's resource manager, which installs a component's resources.
    public class LpCrRtApplication
    {
        public void InstallResource(string key, string uri) { }
    }
    public class LpCrRtManager
    {
        public LpCrRtApplication Application = new LpCrRtApplication();
        public static LpCrRtManager Current() { return new LpCrRtManager(); }
    }

    // Field type and subtype codes, and the memory services of the vector.
    public static partial class X_DEFS
    {
        public const int X_TYPE_UNKNOWN = 0, X_TYPE_ALPHA = 1, X_TYPE_PACKED = 2, X_TYPE_SIGNED = 3,
                         X_TYPE_LONG = 4, X_TYPE_DOUBLE = 5, X_TYPE_CHAR = 6, X_TYPE_SHORT_CHAR = 7,
                         X_TYPE_BINARY = 8, X_TYPE_CLOB = 9, X_TYPE_BLOB = 10, X_TYPE_DATE = 11, X_TYPE_TIME = 12,
                         X_TYPE_DATETIME = 13, X_TYPE_INTEGER = 14, X_TYPE_FLOAT = 15, X_TYPE_BOOLEAN = 16,
                         X_TYPE_VARIANT = 17, X_TYPE_COMPONENT = 18, X_TYPE_RECORD = 19;
        public const int X_SUBTYPE_UNKNOWN = 0, X_SUBTYPE_SIMPLE_FIELD = 1, X_SUBTYPE_INDEX = 2,
                         X_SUBTYPE_LITERAL = 3, X_SUBTYPE_USER_PARAMETER = 4, X_SUBTYPE_ARRAY = 5,
                         X_SUBTYPE_SYSTEM_VARIABLE = 6;
        public static void X_MEMSET(ref object area, int value, int length) { }
        // how an assignment treats the decimals a field cannot hold
        public const char X_VEC_ASSIGN_ROUND_UP = 'R', X_VEC_ASSIGN_TRUNCATE = 'T';
    }

    // Descriptor types and storage sizes.
    public static partial class DqooDef
    {
        // the copy of a field's bytes: into a field's storage, or into the
        // storage an index gives
        public static void X_CPYBYTES(ref object target, object source, int length) { }
        public static void X_CPYBYTES(object target, object source, int length) { }
        // the next function a function names when it ends
        public const string X_PROCESS_RETURN = "*RETURN", X_PROCESS_ERROR = "*ERROR";
        // the comparison of a field's bytes with a value
        public static int X_MEMCMP(object field, object value, int length) { return 0; }
        public const uint LL2FIELD = 0x01, LL2NULLABLE = 0x02, LL2FIXEDCHAR = 0x04, LL2UNSINT = 0x08,
                          LL2SUTCDT = 0x10, LL2DUTCDT = 0x20;
        public const int X_LONG_SIZE = 4, X_DOUBLE_SIZE = 8;
        // the storage sizes of the extended language's field kinds
        public const int X_FLD_PACKED_SIZE = 12, X_FLD_SIGNED_SIZE = 12, X_FLD_CHAR_SIZE = 16, X_FLD_NCHAR_SIZE = 20,
                         X_FLD_BINARY_SIZE = 16, X_FLD_SHORT_CHAR_SIZE = 12, X_FLD_CLOB_SIZE = 268,
                         X_FLD_BLOB_SIZE = 268, X_FLD_DATE_SIZE = 20, X_FLD_TIME_SIZE = 20, X_FLD_DATETIME_SIZE = 40,
                         X_FLD_FLT32_SIZE = 12, X_FLD_FLT64_SIZE = 16, X_FLD_INT8_SIZE = 12, X_FLD_UINT8_SIZE = 12,
                         X_FLD_INT16_SIZE = 12, X_FLD_INT32_SIZE = 12, X_FLD_INT64_SIZE = 16, X_FLD_BOOL_SIZE = 12,
                         X_FLD_RECORD_SIZE = 24;
    }

    // ---- the data of the extended language's field kinds ----
    public class X_FLD_INFO { public int i8Version; public int bFieldState; }
    public class X_FLD_PACKED : X_FLD_INFO { public byte[] fchData; }
    public class X_FLD_SIGNED : X_FLD_INFO { public byte[] fchData; }
    public class X_FLD_CHAR : X_FLD_INFO { public int ulMaxSize; public object pvData; }
    // a national field is held as a character field is, with its most characters
    public class X_FLD_NCHAR : X_FLD_CHAR { public int ulMaxChars; }
    public class X_FLD_BINARY : X_FLD_INFO { public int ulMaxSize; public object pvData; }
    public class X_FLD_SHORT_CHAR : X_FLD_INFO { public short sLength; public string vchData; }
    public class X_FLD_CLOB : X_FLD_INFO { public string vchFileName; }
    public class X_FLD_BLOB : X_FLD_INFO { public string vchFileName; }
    public class X_FLD_DATE : X_FLD_INFO { public string vchDate; }
    public class X_FLD_TIME : X_FLD_INFO { public string vchTime; }
    public class X_FLD_DATETIME : X_FLD_INFO { public string vchDateTime; }
    public class X_FLD_FLT32 : X_FLD_INFO { public float dFloat32; }
    public class X_FLD_FLT64 : X_FLD_INFO { public double dFloat64; }
    public class X_FLD_INT8 : X_FLD_INFO { public sbyte iInt8; }
    public class X_FLD_UINT8 : X_FLD_INFO { public byte uiInt8; }
    public class X_FLD_INT16 : X_FLD_INFO { public short iInt16; }
    public class X_FLD_INT32 : X_FLD_INFO { public int iInt32; }
    public class X_FLD_INT64 : X_FLD_INFO { public long iInt64; }
    public class X_FLD_BOOL : X_FLD_INFO { public bool fBool; }
    public class X_FLD_RECORD : X_FLD_INFO { public object pDataRecord; public object pDescription; }

    // ---- the function definition record ----
    public static class X_FunStr
    {
        public const int X_FUN_V18 = 18;
        public const int X_FLDDATA_V1 = 1, X_FLDDATA_V2 = 2;
        public const int X_INVALID_CURSOR = -1;
    }

    public static class XFUNCTIONSTATE
    {
        public const int FuncIsLanguageLevelTwo = 0x0001, FuncIsFullZophxUsed = 0x0002, FuncIsZophxUsed = 0x0004,
                         FuncIsStrictSqlNullAssign = 0x0008, FuncIsSizingInfoInGlobals = 0x0010;
    }

    public class X_FUN_UKEY
    {
        public string Key;
        public X_FUN_UKEY(string key) { Key = key; }
    }

    // one field of a file known to the function under another name
    public class X_FUN_RENAMES
    {
        public string pszFile;
        public int sRenamedField, sFileField;
        public X_FUN_RENAMES(string file, int renamedField, int fileField)
        {
            pszFile = file; sRenamedField = renamedField; sFileField = fileField;
        }
    }

    public class X_FUN_DEFINITION
    {
        public int lVersion;
        public string pszProcess, pszFunction;
        public char chUsage, chMessages;
        public X_FUN_UKEY[] aUserKeys;
        public int sCursorLocationField, sIoModeField;
        public int fWebEnabled;
        public int ulFunctionState;
        public int lRenameCount;
        public object pvRenames;

        public X_FUN_DEFINITION(
            int version,
            string process, string function, string library,
            string messageFile, int reserved1, char usage, char reserved2, char messages, char mode, char reserved3,
            char reserved4,
            string keyPrefix, X_FUN_UKEY[] userKeys,
            char reserved5, int reserved6, object reserved7, char reserved8,
            int cursorLocationField, int reserved9, object reserved10, int reserved11, object reserved12,
            int reserved13, object reserved14, int ioModeField, int reserved15, object reserved16,
            object reserved17, object reserved18, int reserved19, int reserved20, object reserved21, int reserved22,
            object reserved23, int reserved24, int reserved25, int reserved26, int reserved27, int reserved28,
            object reserved29, object reserved30, object reserved31,
            int reserved32, int webEnabled, int reserved33, int reserved34, int reserved35, object reserved36,
            int reserved37, int functionState, object reserved38, int renameCount, object renames)
        {
            lVersion = version; pszProcess = process; pszFunction = function; chUsage = usage;
            chMessages = messages; aUserKeys = userKeys; sCursorLocationField = cursorLocationField;
            sIoModeField = ioModeField; fWebEnabled = webEnabled; ulFunctionState = functionState;
            lRenameCount = renameCount; pvRenames = renames;
        }
    }

    // ---- the identification table ----
    public static class X_OidStr
    {
        public const int X_OBJ_ID_OBJECT_TYPE_OPTION = 0, X_OBJ_ID_OBJECT_NAME_OPTION = 1,
                         X_OBJ_ID_OBJECT_EXT_OPTION = 2, X_OBJ_ID_DLL_NAME_OPTION = 3,
                         X_OBJ_ID_BUILD_DATE_OPTION = 4, X_OBJ_ID_BUILD_TIME_OPTION = 5,
                         X_OBJ_ID_SUPPORTS_COMPONENTS_OPTION = 6, X_OBJ_ID_COLLECTION_NAME_OPTION = 7,
                         X_OBJ_ID_BUILD_NUMBER_OPTION = 8, X_OBJ_ID_IS_PC_OTHER_FILE_OPTION = 9,
                         X_OBJ_ID_SUPPORTS_ISERIES_FEATURES_OPTION = 10;
        public const int X_OBJ_ID_MAX_OPTIONS = 11;
    }

    public class X_OBJ_ID_TABLE
    {
        public int lOption;
        public object pvValue;
        public X_OBJ_ID_TABLE(int option, object value) { lOption = option; pvValue = value; }
    }

    public class X_OBJ_ID_TEXT
    {
        public string pszValue;
        public X_OBJ_ID_TEXT(string value) { pszValue = value; }
    }
    public class X_OBJ_ID_OBJECT_TYPE : X_OBJ_ID_TEXT { public X_OBJ_ID_OBJECT_TYPE(string v) : base(v) { } }
    public class X_OBJ_ID_OBJECT_NAME : X_OBJ_ID_TEXT { public X_OBJ_ID_OBJECT_NAME(string v) : base(v) { } }
    public class X_OBJ_ID_OBJECT_EXT : X_OBJ_ID_TEXT { public X_OBJ_ID_OBJECT_EXT(string v) : base(v) { } }
    public class X_OBJ_ID_DLL_NAME : X_OBJ_ID_TEXT { public X_OBJ_ID_DLL_NAME(string v) : base(v) { } }
    public class X_OBJ_ID_BUILD_DATE : X_OBJ_ID_TEXT { public X_OBJ_ID_BUILD_DATE(string v) : base(v) { } }
    public class X_OBJ_ID_BUILD_TIME : X_OBJ_ID_TEXT { public X_OBJ_ID_BUILD_TIME(string v) : base(v) { } }
    public class X_OBJ_ID_COLLECTION_NAME : X_OBJ_ID_TEXT { public X_OBJ_ID_COLLECTION_NAME(string v) : base(v) { } }

    public class X_OBJ_ID_SWITCH
    {
        public int fValue;
        public X_OBJ_ID_SWITCH(int value) { fValue = value; }
    }
    public class X_OBJ_ID_SUPPORTS_COMPONENTS : X_OBJ_ID_SWITCH { public X_OBJ_ID_SUPPORTS_COMPONENTS(int v) : base(v) { } }
    public class X_OBJ_ID_IS_PC_OTHER_FILE : X_OBJ_ID_SWITCH { public X_OBJ_ID_IS_PC_OTHER_FILE(int v) : base(v) { } }
    public class X_OBJ_ID_SUPPORTS_ISERIES_FEATURES : X_OBJ_ID_SWITCH
    {
        public X_OBJ_ID_SUPPORTS_ISERIES_FEATURES(int v) : base(v) { }
    }

    public class X_OBJ_ID_BUILD_NUMBER
    {
        public int lBuildNumber;
        public string pszVersion, pszBuildDate, pszCopyrightYears;
        public X_OBJ_ID_BUILD_NUMBER(int number, string version, string buildDate, string copyrightYears)
        {
            lBuildNumber = number; pszVersion = version; pszBuildDate = buildDate; pszCopyrightYears = copyrightYears;
        }
    }
}

// The end of a function and the field assignment, through the run-time.
public static partial class X_RUN_DLL
{
    public static void X_End_Main(X_IDS ids, X_PRO pro, X_FUN fun, int end) { }
    // the assignment of one field of a vector to another, converting
    public static void X_Vec_Assign(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] source, int sourceField, X_FLD[] target,
                                    int targetField) { }
}

// The texts of a function by language: one multilingual text, and a field's
// label, three column headings and description. The class of a function
// holds them in its tables MultiText and MultiField (texts by language) and
// registers both with the run-time when it runs; X_Get_MTxt and X_Get_MFld
// answer from the registered tables.
public class X_MTXT
{
    public string pszText;
    public X_MTXT(string text) { pszText = text; }
}
public class X_MFLD
{
    public string pszLabel, pszDescription;
    public string[] apszHeadings;
    public X_MFLD(string label, string heading1, string heading2, string heading3, string description)
    {
        pszLabel = label; apszHeadings = new string[] { heading1, heading2, heading3 }; pszDescription = description;
    }
}
public static partial class X_RUN_DLL
{
    public static void X_Register_Field_Texts(X_IDS ids, X_MFLD[,] texts) { }
    public static void X_Register_Multilingual_Texts(X_IDS ids, X_MTXT[,] texts) { }
}
