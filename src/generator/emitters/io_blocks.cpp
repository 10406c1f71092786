/*
** io_blocks.cpp: the shared shapes of every request that generated code
** hands to the run time's I/O module dispatcher: the argument block
** "struct X_DBM" and its initialiser, the open-query block, the module
** binding that completes the block, the I/O counters of each module, the
** POINT overrides of file, library and member, the invocation itself and
** the two I/O status helpers.
**
** The argument block is written from a fixed table of its members, line
** by line as the initialiser groups them; each block kind says which
** members take their value from the command and which keep the default.
*/
#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "generator/core/model/definitions.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_core_services.h"

namespace {

/* Where a row of a block takes its value from. */
enum DbmValue : uint8_t {
    kOpenRow,
    kCloseRow,
    kEndOfLine,
    kLiteral,
    kRequest,
    kReturnCode,
    kTableName,
    kStatement,
    kPhysical,
    kLibrary,
    kFilePoint,
    kWithRrn,
    kReturnRrn,
    kIssueMsg,
    kCheckOnly,
    kGeneric,
    kBackwards,
    kStartKey,
    kEndWhere,
    kAutoCommit,
    kQuerySelect,
    kQueryKey,
    kQueryCopy,
    kQueryOptimize,
    kQuerySeqOnly,
    kQuerySeqCount,
    kQueryCommit,
    kQueryType
};

/* One row of a block: its members, value kind and default text. */
struct DbmRow {
    const char* members;
    DbmValue kind;
    std::string_view dflt;
};

constexpr DbmRow kDbmRows[] = {
    {"struct X_DBM", kOpenRow, ""},
    {"lX_DBMVersion", kLiteral, "X_DBM_V9"},
    {"vchTableName", kTableName, ""},
    {"sDBMRequest", kRequest, ""},
    {"vchReturnCode", kReturnCode, "\"\""},
    {"sCursorID", kLiteral, "0"},
    {"pX_Fld", kLiteral, "pX_NULL"},
    {"", kEndOfLine, ""},
    {"scGrpFlds, psGrpFlds", kLiteral, "0, pX_NULL"},
    {"scKeyFlds, psKeyFlds", kLiteral, "0, pX_NULL"},
    {"chWhereZOPH, scWhere, pWhere", kLiteral, "NO, 0, pX_NULL"},
    {"", kEndOfLine, ""},
    {"chWithRRNO, sWithRRNO", kWithRrn, "NO, 0"},
    {"chRetRRNO, sRetRRNO", kReturnRrn, "NO, 0"},
    {"chMsgReqd", kIssueMsg, "NO"},
    {"chValOnly", kCheckOnly, "NO"},
    {"chActionRow", kLiteral, "NO"},
    {"chGeneric", kGeneric, "NO"},
    {"chBackwards", kBackwards, "NO"},
    {"chStartKey", kStartKey, "NO"},
    {"chEndWhere", kEndWhere, "NO"},
    {"chAutoCommit", kAutoCommit, "X_DBM_COMMIT_NO"},
    {"", kEndOfLine, ""},
    {"chOPNQRYF, pOPNQRYF", kLiteral, "NO, pX_NULL"},
    {"chForceClose", kLiteral, "NO"},
    {"sSequence", kStatement, "0"},
    {"scXComponent, pXComponent", kLiteral, "0, pX_NULL"},
    {"scXActivity, pXActivity", kLiteral, "0, pX_NULL"},
    {"", kEndOfLine, ""},
    {"vchPhysical", kPhysical, "\"\""},
    {"chKeepOpen", kLiteral, "NO"},
    {"pvchFile", kLiteral, "\"\""},
    {"chTrigger", kLiteral, "NO"},
    {"chDuplicate", kLiteral, "NO"},
    {"pDatabase", kLiteral, "pX_NULL"},
    {"chSystem", kLiteral, "NO"},
    {"fUseNativeIO", kLiteral, "TRUE"},
    {"fExternal", kLiteral, "FALSE"},
    {"", kEndOfLine, ""},
    {"vchCollection", kLibrary, "X_FILE_LIB_DFT"},
    {"chLock", kLiteral, "NO"},
    {"vchMember", kLiteral, "X_FILE_MBR_DFT"},
    {"vchBaseMbr", kLiteral, "X_FILE_MBR_DFT"},
    {"", kEndOfLine, ""},
    {"scEvaluations, psEvaluations", kLiteral, "0, pX_NULL"},
    {"pModuleBinding", kLiteral, "pX_NULL"},
    {"vchFilePoint", kFilePoint, ""},
    {"};", kCloseRow, ""},
};

constexpr DbmRow kOpenQueryRows[] = {
    {"struct X_DBM_OPNQRYF", kOpenRow, ""},
    {"sStructSize", kLiteral, "sizeof( struct X_DBM_OPNQRYF )"},
    {"sQrysltVector", kQuerySelect, ""},
    {"sKeyfldVector", kQueryKey, ""},
    {"", kEndOfLine, ""},
    {"vchAlwcpydta", kQueryCopy, ""},
    {"vchOptimize", kQueryOptimize, ""},
    {"vchSeqonly1", kQuerySeqOnly, ""},
    {"sSeqonly2", kQuerySeqCount, ""},
    {"vchCommit", kQueryCommit, ""},
    {"vchType", kQueryType, ""},
    {"};", kCloseRow, ""},
};

constexpr uint32_t bit(DbmValue v)
{
    return 1u << v;
}

/* The values that every block of the command kinds takes from the command. */
constexpr uint32_t kCheckForValues =
    bit(kTableName) | bit(kIssueMsg) | bit(kStatement) | bit(kPhysical) | bit(kLibrary) | bit(kFilePoint);
constexpr uint32_t kFetchValues = kCheckForValues | bit(kWithRrn) | bit(kReturnRrn) | bit(kCheckOnly);
constexpr uint32_t kChangeValues = kFetchValues | bit(kAutoCommit);
constexpr uint32_t kSelectValues = kFetchValues | bit(kGeneric) | bit(kBackwards) | bit(kStartKey) | bit(kEndWhere);
constexpr uint32_t kQueryValues = bit(kQuerySelect) | bit(kQueryKey) | bit(kQueryCopy) | bit(kQueryOptimize) |
                                  bit(kQuerySeqOnly) | bit(kQuerySeqCount) | bit(kQueryCommit) | bit(kQueryType);

/* GEN_DBM_BLOCK_LAYOUT: the opening text, the request and return code, the
** fixed table name and file point of the blocks that have them, and the
** values taken from the command. */
struct DbmLayout {
    GEN_DBM_LAYOUT kind;
    const char* opening;
    const char* request;
    const char* returnCode;
    const char* tableName; /* null: from the command */
    const char* filePoint; /* null: from the command */
    uint32_t values;
};

constexpr DbmLayout kLayouts[] = {
    {GEN_DBM_LAYOUT::Fetch, "struct X_DBM", "X_DBM_FETCH", nullptr, nullptr, nullptr, kFetchValues},
    {GEN_DBM_LAYOUT::Delete, "struct X_DBM", "X_DBM_DELETE", nullptr, nullptr, nullptr, kChangeValues},
    {GEN_DBM_LAYOUT::Update, "struct X_DBM", "X_DBM_UPDATE", nullptr, nullptr, nullptr, kChangeValues},
    {GEN_DBM_LAYOUT::Insert, "struct X_DBM", "X_DBM_INSERT", nullptr, nullptr, nullptr, kChangeValues & ~bit(kWithRrn)},
    {GEN_DBM_LAYOUT::Select, "static struct X_DBM", "X_DBM_SELECT", nullptr, nullptr, nullptr, kSelectValues},
    {GEN_DBM_LAYOUT::CheckFor, "struct X_DBM", "X_DBM_CHECK_FOR", "X_DBM_EQUAL_KEY", nullptr, nullptr, kCheckForValues},
    {GEN_DBM_LAYOUT::FileCheck, "struct X_DBM", "X_DBM_CHECK_FOR", "X_DBM_EQUAL_KEY", nullptr, nullptr,
     kCheckForValues},
    {GEN_DBM_LAYOUT::Open, "struct X_DBM", "X_DBM_OPEN", nullptr, nullptr, nullptr, kCheckForValues},
    {GEN_DBM_LAYOUT::Close, "struct X_DBM", "X_DBM_CLOSE", nullptr, nullptr, nullptr, kCheckForValues},
    {GEN_DBM_LAYOUT::SelectSql, "static const struct X_DBM", "X_DBM_SELECT", nullptr, nullptr, nullptr,
     bit(kTableName) | bit(kPhysical) | bit(kFilePoint)},
    {GEN_DBM_LAYOUT::Commit, "struct X_DBM", "0", nullptr, "\"N/AVAIL\"", nullptr, bit(kStatement) | bit(kFilePoint)},
    {GEN_DBM_LAYOUT::Rollback, "struct X_DBM", "0", nullptr, "\"N/AVAIL\"", nullptr, bit(kStatement) | bit(kFilePoint)},
    {GEN_DBM_LAYOUT::CommonClose, "struct X_DBM", "X_DBM_CLOSE", nullptr, "\"\"", "\" \"", 0},
    {GEN_DBM_LAYOUT::CommonOpen, "struct X_DBM", "X_DBM_OPEN", nullptr, "\"\"", "\" \"", 0},
    {GEN_DBM_LAYOUT::OpenQuery, "struct X_DBM_OPNQRYF", "", nullptr, nullptr, nullptr, kQueryValues},
};

const DbmLayout& layoutOf(GEN_DBM_LAYOUT kind)
{
    for (const DbmLayout& l : kLayouts)
        if (l.kind == kind)
            return l;
    return kLayouts[0];
}

std::string quoted(std::string_view text)
{
    return P3109_QuotedText(text);
}

/* A text value of the open-query block: trailing blanks dropped, one blank
** when empty, in double quotes. */
std::string queryText(std::string_view keyword, int iElement = 0)
{
    const std::string text = P3109_Parm(keyword, iElement);
    return quoted(text.empty() ? std::string(" ") : text);
}

/* "YES, " and the field's vector text, or "NO, 0" when the keyword names
** none (*NONE); a field the generation cannot resolve stops it. */
std::string rrnValue(std::string_view keyword)
{
    const std::string field = P3109_ParmField(keyword);
    const std::string trimmed = P3109_TrimRight(field);
    if (trimmed.empty() || trimmed == "*NONE")
        return "NO, 0";
    return "YES, " + P3109_RequiredFieldVector(keyword, field);
}

const char* yesNo(std::string_view keyword)
{
    return P3109_fParmIsYes(keyword) ? "YES" : "NO";
}

/* The table name: the file as held, else the physical file, else N/AVAIL. */
std::string tableName(const GEN_IO_FILE& io)
{
    if (!P3109_TrimRight(io.file).empty())
        return quoted(io.file);
    if (!P3109_TrimRight(io.physical).empty())
        return quoted(io.physical);
    return quoted("N/AVAIL   ");
}

/* The physical file, else the file name, trimmed; one blank for none. */
std::string physicalName(const GEN_IO_FILE& io)
{
    std::string text = P3109_TrimRight(io.physical);
    if (text.empty())
        text = P3109_TrimRight(io.file.substr(0, 10));
    return text.empty() ? std::string(" ") : text;
}

/* The key field of the query, else the key of *NONE or of the file; a
** field the generation cannot resolve stops it. */
std::string queryKeyVector()
{
    const std::string key = P3109_Parm("KEYFLD");
    GEN_FIELD_INFO info;
    if (P3109_fWrittenAsField(key) && P3109_fRequiredField("KEYFLD", P3109_ParmField("KEYFLD"), info))
        return info.vectorName;
    if (key != "*NONE" && key != "*FILE" && P3109_fFindUsedField(P3109_ParmField("KEYFLD"), info))
        return info.vectorName;
    return key == "*NONE" ? "X_DBM_OPNQRYF_KEY_NONE" : "X_DBM_OPNQRYF_KEY_FILE";
}

/* The field that holds the query selection, else all rows. */
std::string querySelectVector()
{
    const std::string selection = P3109_Parm("QRYSLT");
    GEN_FIELD_INFO info;
    if (P3109_fWrittenAsField(selection) &&
        P3109_fRequiredField("QRYSLT", P3109_ParmField("QRYSLT"), info, GEN_OPERAND_NAME_WIDTH))
        return info.vectorName;
    if (selection == "*ALL" || !P3109_fFindUsedField(P3109_ParmField("QRYSLT"), info, GEN_OPERAND_NAME_WIDTH))
        return "X_DBM_OPNQRYF_SELECT_ALL";
    return info.vectorName;
}

/* The value text of one row: a fixed text where it stands, a text made
** from the command in the scratch string. */
std::string_view rowValue(const DbmRow& row, const DbmLayout& layout, const GEN_IO_FILE& io, std::string& scratch)
{
    switch (row.kind) {
    case kRequest: return layout.request;
    case kReturnCode: return layout.returnCode ? std::string_view(layout.returnCode) : row.dflt;
    case kTableName:
        return layout.tableName ? std::string_view(layout.tableName) : std::string_view(scratch = tableName(io));
    case kFilePoint:
        return layout.filePoint ? std::string_view(layout.filePoint) : std::string_view(scratch = quoted(io.file));
    default: break;
    }
    if ((layout.values & bit(row.kind)) == 0)
        return row.dflt;
    switch (row.kind) {
    case kStatement: return scratch = std::to_string(P3109_sCurrentSequence());
    case kPhysical: return scratch = quoted(physicalName(io));
    case kLibrary:
        return io.fLibraryNamed ? std::string_view(scratch = quoted(io.library)) : std::string_view(row.dflt);
    case kWithRrn: return scratch = rrnValue("WITH_RRN");
    case kReturnRrn: return scratch = rrnValue("RETURN_RRN");
    case kIssueMsg: return yesNo("ISSUE_MSG");
    case kCheckOnly: return yesNo("CHECK_ONLY");
    case kGeneric: return yesNo("GENERIC");
    case kBackwards: return P3109_fParmFlag("OPTIONS", "*BACKWARDS") ? "YES" : "NO";
    case kStartKey: return P3109_fParmFlag("OPTIONS", "*STARTKEY") ? "YES" : "NO";
    case kEndWhere:
        if (P3109_fParmFlag("OPTIONS", "*ENDWHERESQL"))
            return "X_DBM_ENDWHERE_SQL";
        return P3109_fParmFlag("OPTIONS", "*ENDWHERE") ? "X_DBM_ENDWHERE_YES" : "X_DBM_ENDWHERE_NO";
    case kAutoCommit: {
        const std::string commit = P3109_Parm("AUTOCOMMIT");
        return commit == "*YES" ? "X_DBM_COMMIT_YES" : commit == "*NO" ? "X_DBM_COMMIT_NO" : "X_DBM_COMMIT_FILE";
    }
    case kQuerySelect: return scratch = querySelectVector();
    case kQueryKey: return scratch = queryKeyVector();
    case kQueryCopy: return scratch = queryText("ALWCPYDTA");
    case kQueryOptimize: return scratch = queryText("OPTIMIZE");
    case kQuerySeqOnly: return scratch = queryText("SEQONLY");
    case kQuerySeqCount: return scratch = std::to_string(P3109_ParmNumber("SEQONLY", 1));
    case kQueryCommit: return scratch = queryText("COMMIT");
    case kQueryType: return scratch = queryText("OPEN_TYPE");
    default: return row.dflt;
    }
}

/* A value of a block in C#: the run time's constants are members of its
** DqooDef class, a null pointer is null and a size is the class's size. */
std::string csValue(const std::string& value)
{
    if (value == "pX_NULL")
        return "null";
    if (value.rfind("X_DBM_", 0) == 0 || value.rfind("X_FILE_", 0) == 0)
        return "DqooDef." + value;
    if (value == "sizeof( struct X_DBM_OPNQRYF )")
        return "X_DBM_OPNQRYF.X_SIZE";
    return value;
}

/* The pending line of values in C#: each value of the comma-separated
** row mapped on its own (a comma inside a string literal separates
** nothing). */
std::string csValues(const std::string& values)
{
    std::string out, value;
    bool quoted = false;
    for (size_t i = 0; i < values.size(); ++i) {
        const char c = values[i];
        if (quoted && c == '\\' && i + 1 < values.size()) {
            value += values.substr(i, 2);
            ++i;
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        if (!quoted && c == ',' && i + 1 < values.size() && values[i + 1] == ' ') {
            out += csValue(value) + ", ";
            value.clear();
            ++i;
            continue;
        }
        value += c;
    }
    return out + csValue(value);
}

/* The type of a file of the function: "LGL" for a logical view. */
std::string fileType(const GEN_IO_FILE& io)
{
    return io.fLogical ? "LGL" : "PHY";
}

/* The point structure of a file and library, as a C identifier. */
std::string pointStructure(std::string_view file, std::string_view library)
{
    const std::string name = "X_Point_" + P3109_TrimRight(file) + "x" + P3109_TrimRight(library);
    return P3109_MakeCIdentifier(name, name.size());
}

/* A block's rows as the writer goes through them: the values every block
** of its kind has (a run of them joined as the line joins them), the values
** taken from the command, and the rows that open, break and close it. */
struct DbmItem {
    enum Kind : uint8_t { kText, kValue, kRow } kind;
    const DbmRow* row = nullptr; /* kValue, kRow */
    std::string text;            /* kText */
};

/* The value of a row that is the same in every block of the layout. */
bool fixedValue(const DbmRow& row, const DbmLayout& layout, std::string_view& value)
{
    switch (row.kind) {
    case kRequest: value = layout.request; return true;
    case kReturnCode: value = layout.returnCode ? std::string_view(layout.returnCode) : row.dflt; return true;
    case kTableName:
        if (!layout.tableName)
            return false;
        value = layout.tableName;
        return true;
    case kFilePoint:
        if (!layout.filePoint)
            return false;
        value = layout.filePoint;
        return true;
    default: break;
    }
    if ((layout.values & bit(row.kind)) != 0)
        return false;
    value = row.dflt;
    return true;
}

/* The items of the layout's block, made once from the tables: the
** open-query layout's block has rows of its own, every other the common
** rows. */
const std::vector<DbmItem>& itemsOf(const DbmLayout& layout)
{
    static std::vector<DbmItem> made[std::size(kLayouts)];
    std::vector<DbmItem>& items = made[static_cast<size_t>(&layout - kLayouts)];
    if (!items.empty())
        return items;
    const bool query = layout.kind == GEN_DBM_LAYOUT::OpenQuery;
    const DbmRow* rows = query ? kOpenQueryRows : kDbmRows;
    const size_t count = query ? std::size(kOpenQueryRows) : std::size(kDbmRows);
    std::string run;
    auto endRun = [&] {
        if (!run.empty())
            items.push_back({DbmItem::kText, nullptr, std::move(run)});
        run.clear();
    };
    for (size_t i = 0; i < count; ++i) {
        const DbmRow& row = rows[i];
        std::string_view value;
        if (row.kind == kOpenRow || row.kind == kEndOfLine || row.kind == kCloseRow) {
            endRun();
            items.push_back({DbmItem::kRow, &row, {}});
        } else if (!fixedValue(row, layout, value)) {
            endRun();
            items.push_back({DbmItem::kValue, &row, {}});
        } else if (!value.empty()) {
            if (!run.empty())
                run.append(", ", 2);
            run.append(value);
        }
    }
    endRun();
    return items;
}

}  // namespace

void P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT kind, std::string_view blockName)
{
    const DbmLayout& layout = layoutOf(kind);
    const bool query = kind == GEN_DBM_LAYOUT::OpenQuery;
    const bool common = kind == GEN_DBM_LAYOUT::CommonClose || kind == GEN_DBM_LAYOUT::CommonOpen;
    const GEN_IO_FILE io = common ? GEN_IO_FILE{} : P3109_CurrentIoFile();
    /* C# has no static locals and no aggregate initialisers: the block is
       an object made by the run time's constructor from the same values in
       the same order, and has no POINT overrides (an iSeries feature) */
    const bool cs = P3109_fCSharp();
    if (!query && !cs)
        P3109_Line("static X_BOOL fChangedByPoint = FALSE;");
    /* the pending line and a row's value are put together in buffers kept
       between blocks */
    static std::string pending, scratch;
    pending.clear();
    const DbmRow* rows = query ? kOpenQueryRows : kDbmRows;
    const size_t count = query ? std::size(kOpenQueryRows) : std::size(kDbmRows);
    /* the library override goes with a library value taken from the command */
    const bool libraryTaken = (layout.values & bit(kLibrary)) != 0 && io.fLibraryNamed &&
                              std::any_of(rows, rows + count, [](const DbmRow& r) { return r.kind == kLibrary; });
    for (const DbmItem& item : itemsOf(layout)) {
        if (item.kind == DbmItem::kText) {
            if (!pending.empty())
                pending.append(", ", 2);
            pending.append(item.text);
            continue;
        }
        const DbmRow& row = *item.row;
        switch (row.kind) {
        case kOpenRow:
            if (cs) {
                const std::string type = query ? "X_DBM_OPNQRYF" : "X_DBM";
                P3109_Line(type + " " + std::string(blockName) + " = new " + type);
                P3109_Line("(");
            } else {
                P3109_Line(std::string(layout.opening) + " " + std::string(blockName) + " =");
                P3109_Line("{");
            }
            P3109_IndentIn();
            continue;
        case kEndOfLine:
            if (!pending.empty()) {
                if (cs)
                    P3109_Line(csValues(pending) + ",");
                else
                    P3109_Line(pending.append(",", 1));
            }
            pending.clear();
            continue;
        case kCloseRow:
            if (!pending.empty())
                P3109_Line(cs ? csValues(pending) : pending);
            P3109_IndentOut();
            P3109_Line(cs ? ");" : "};");
            P3109_Line("");
            continue;
        default: break;
        }
        const std::string_view value = rowValue(row, layout, io, scratch);
        if (value.empty())
            continue;
        if (!pending.empty())
            pending.append(", ", 2);
        pending.append(value);
    }
    /* a constant block (SELECT_SQL's) cannot take the overrides: its
       selection routine copies it and checks the file's redirection itself */
    if (query || common || kind == GEN_DBM_LAYOUT::SelectSql ||
        (layout.values & (bit(kLibrary) | bit(kFilePoint))) == 0)
        return;
    const GEN_POINT_ENTRY* used = P3109_pFindUsedFile(P3109_TrimRight(io.file), P3109_TrimRight(io.library));
    if (!used)
        return;
    const std::string library = P3109_TrimRight(io.library);
    P3109_EmitFilePointOverride(fileType(io), io.file, physicalName(io), libraryTaken ? &library : nullptr, blockName,
                                *used);
}

void P3109_EmitOamBinding(std::string_view moduleName, std::string_view pointerName, std::string_view blockName)
{
    /* the texts are put together in buffers kept between calls */
    static std::string module, binding, declaration, initialiser, csDeclaration, csInitialiser, line;
    module = P3109_MakeCIdentifier(moduleName, 10);
    binding.assign("X_OAM_Binding_").append(module);
    declaration.assign("X_Module_Binding ").append(binding);
    initialiser.assign("INSTANCE_S3(").append(binding).append(").lBindingState = X_MODULE_BINDING_OAM_UNBOUND;");
    csDeclaration.assign("public X_Module_Binding ").append(binding).append(" = new X_Module_Binding()");
    csInitialiser.assign("FunctionGlobalStatic3.")
        .append(binding)
        .append(".lBindingState = DqooDef.X_MODULE_BINDING_OAM_UNBOUND;");
    CGEN_AddStaticWorkingEntry(2, declaration, initialiser, csDeclaration, csInitialiser, GEN_STATIC_UNIQUE);
    P3109_WriteComment("Complete initialization of X_DBM");
    if (P3109_fCSharp()) {
        const std::string p(pointerName), b(blockName);
        const std::string target = p.empty() ? b : "p" + p;
        P3109_Line(target + ".pX_Fld = pX_Fld;");
        P3109_Line(target + ".pModuleBinding = FunctionGlobalStatic3." + binding + ";");
        return;
    }
    if (!pointerName.empty()) {
        P3109_Line(line.assign("p").append(pointerName).append("->pX_Fld = pX_Fld;"));
        P3109_Line(line.assign("p")
                       .append(pointerName)
                       .append("->pModuleBinding = &INSTANCE_S3(X_OAM_Binding_")
                       .append(module)
                       .append(");"));
        return;
    }
    P3109_Line(line.assign(blockName).append(".pX_Fld = pX_Fld;"));
    P3109_Line(line.assign(blockName).append(".pModuleBinding = &INSTANCE_S3(X_OAM_Binding_").append(module).append(");"));
}

void P3109_EmitDbmTableNames(std::string_view blockName, std::string_view filePoint, std::string_view physical)
{
    const std::string b(blockName);
    if (P3109_fCSharp()) {
        P3109_Line(b + ".vchTableName = " + quoted(filePoint) + ";");
        P3109_Line(b + ".vchFilePoint = " + quoted(filePoint) + ";");
        P3109_Line(b + ".vchPhysical = " + quoted(P3109_IoModuleName(physical)) + ";");
        return;
    }
    P3109_Line("strcpy( " + b + ".vchTableName, " + quoted(filePoint) + " );");
    P3109_Line("strcpy( " + b + ".vchFilePoint, " + quoted(filePoint) + " );");
    P3109_Line("strcpy( " + b + ".vchPhysical, " + quoted(P3109_IoModuleName(physical)) + " );");
}

void P3109_EmitIoCounters(std::string_view moduleName, size_t ulKeyLength)
{
    GEN_IO_STATE& s = P3109_IoState();
    std::string key(moduleName.substr(0, std::min(moduleName.size(), ulKeyLength)));
    auto found = s.counters.find(key);
    int32_t number = 0;
    if (found != s.counters.end()) {
        number = found->second;
    } else {
        number = ++s.lCounterNumber;
        s.counters.emplace(key, number);
        /* declared once, also when a later pass of the emitters numbers the
           modules again */
        for (const char* base : {"ulNormalIOCount_", "ulSServerIOCount_"}) {
            const std::string name = base + std::to_string(number);
            /* C# cannot point at a number: the counter is an object the run
               time counts in */
            CGEN_AddStaticWorkingEntry(0, "X_ULONG " + name, "INSTANCE(" + name + ") = 0;",
                                       "public X_IO_COUNTER " + name + " = new X_IO_COUNTER()",
                                       "pGlobal1." + name + ".ulCount = 0;", GEN_STATIC_UNIQUE);
        }
    }
    const std::string n = std::to_string(number);
    /* the lines are put together in a buffer kept between calls */
    static std::string line;
    if (P3109_fCSharp()) {
        P3109_Line(line.assign("pX_Ids.pulNormalIOCounter  = pGlobal1.ulNormalIOCount_").append(n).append(";"));
        P3109_Line(line.assign("pX_Ids.pulSServerIOCounter = pGlobal1.ulSServerIOCount_").append(n).append(";"));
        return;
    }
    P3109_Line(line.assign("pX_Ids->pulNormalIOCounter  = &(INSTANCE(ulNormalIOCount_").append(n).append("));"));
    P3109_Line(line.assign("pX_Ids->pulSServerIOCounter = &(INSTANCE(ulSServerIOCount_").append(n).append("));"));
}

namespace {

/* One step of a POINT override: its test, the assignments when the test
** holds, and those when an earlier step changed the block. */
struct OverrideStep {
    std::vector<std::pair<std::string, std::vector<std::string>>> tests; /* condition, then lines */
    std::vector<std::string> otherwise;
};

void writeStep(const OverrideStep& step)
{
    const int16_t at = static_cast<int16_t>(g().out.usIndent);
    bool first = true;
    for (const auto& [condition, lines] : step.tests) {
        P3109_LineAt(at, (first ? "" : "else ") + condition);
        first = false;
        P3109_LineAt(at, "{");
        for (const std::string& line : lines)
            P3109_LineAt(static_cast<int16_t>(at + 3), line);
        P3109_LineAt(static_cast<int16_t>(at + 3), "fChangedByPoint = TRUE;");
        P3109_LineAt(at, "}");
    }
    P3109_LineAt(at, first ? "if ( fChangedByPoint )" : "else if ( fChangedByPoint )");
    P3109_LineAt(at, "{");
    for (const std::string& line : step.otherwise)
        P3109_LineAt(static_cast<int16_t>(at + 3), line);
    P3109_LineAt(at, "}");
}

std::string test(const std::string& structure, const char* member)
{
    return "if ( INSTANCE(" + structure + "." + member + ")[0] )";
}

/* The point structure of a file of the function, declared with the
** static working variables once. */
void declarePointStructure(const std::string& structure)
{
    std::vector<std::string>& overrides = g().emit.pointOverrides;
    if (std::find(overrides.begin(), overrides.end(), structure) == overrides.end())
        overrides.push_back(structure);
}

}  // namespace

void P3109_EmitFilePointOverride(std::string_view fileType, std::string_view filePoint, std::string_view physical,
                                 const std::string* pLibrary, std::string_view blockName, const GEN_POINT_ENTRY& used)
{
    const std::string b(blockName), e = pointStructure(used.file, used.library);
    const std::string point = P3109_QuotedCText(filePoint), phys = P3109_QuotedCText(physical);
    const bool logical = fileType == "LGL";
    /* a view's physical file has its own structure only when a POINT names it */
    std::string p;
    if (logical) {
        const GEN_IO_FILE io = P3109_ResolveIoFile(used.file, used.library);
        if (P3109_pFindUsedFile(P3109_TrimRight(io.physical), used.library))
            p = pointStructure(io.physical, used.library);
    }
    /* a POINT applies to the iSeries only, whose programs are C */
    if (P3109_fCSharp())
        return;
    const int16_t outer = static_cast<int16_t>(g().out.usIndent >= 3 ? g().out.usIndent - 3 : 0);
    P3109_LineAt(outer, "");
    P3109_LineAt(outer, "#if defined X_OPERATING_SYSTEM_ISERIES");

    OverrideStep file;
    file.tests.push_back(
        {test(e, "vchFilePoint"), {"strcpy( " + b + ".vchFilePoint,  INSTANCE(" + e + ".vchFilePoint) );"}});
    file.otherwise.push_back("strcpy( " + b + ".vchFilePoint,  \"" + point + "\" );");
    if (!logical) {
        file.tests.back().second.push_back("strcpy( " + b + ".vchPhysical,  INSTANCE(" + e + ".vchFilePoint) );");
        file.otherwise.push_back("strcpy( " + b + ".vchPhysical,  \"" + phys + "\" );");
    }
    writeStep(file);

    OverrideStep library;
    library.tests.push_back(
        {test(e, "vchLibrary"), {"strcpy( " + b + ".vchCollection, INSTANCE(" + e + ".vchLibrary) );"}});
    if (logical && !p.empty())
        library.tests.push_back(
            {test(p, "vchLibrary"), {"strcpy( " + b + ".vchCollection, INSTANCE(" + p + ".vchLibrary) );"}});
    library.otherwise.push_back(pLibrary
                                    ? "strcpy( " + b + ".vchCollection,  \"" + P3109_QuotedCText(*pLibrary) + "\" );"
                                    : "strcpy( " + b + ".vchCollection,  X_FILE_LIB_DFT );");
    writeStep(library);

    OverrideStep member;
    if (logical) {
        member.tests.push_back(
            {test(e, "vchMember"), {"strcpy( " + b + ".vchMember,     INSTANCE(" + e + ".vchMember) );"}});
        member.otherwise.push_back("strcpy( " + b + ".vchMember,     X_FILE_MBR_DFT );");
        writeStep(member);
        OverrideStep base;
        if (!p.empty())
            base.tests.push_back(
                {test(p, "vchFilePoint"), {"strcpy( " + b + ".vchPhysical,    INSTANCE(" + p + ".vchFilePoint) );"}});
        base.otherwise.push_back("strcpy( " + b + ".vchPhysical,  \"" + phys + "\" );");
        writeStep(base);
        OverrideStep baseMember;
        if (!p.empty())
            baseMember.tests.push_back(
                {test(p, "vchMember"), {"strcpy( " + b + ".vchBaseMbr,    INSTANCE(" + p + ".vchMember) );"}});
        baseMember.otherwise.push_back("strcpy( " + b + ".vchBaseMbr,    X_FILE_MBR_DFT );");
        writeStep(baseMember);
    } else {
        member.tests.push_back({test(e, "vchMember"),
                                {"strcpy( " + b + ".vchMember,  INSTANCE(" + e + ".vchMember) );",
                                 "strcpy( " + b + ".vchBaseMbr,    INSTANCE(" + e + ".vchMember) );"}});
        member.otherwise = {"strcpy( " + b + ".vchMember,     X_FILE_MBR_DFT );",
                            "strcpy( " + b + ".vchBaseMbr,    X_FILE_MBR_DFT );"};
        writeStep(member);
    }
    P3109_LineAt(outer, "#endif");
    declarePointStructure(e);
    if (!p.empty())
        declarePointStructure(p);
}

void P3109_EmitInvokeIoModule(std::string_view moduleName, std::string_view pointerName, std::string_view blockName,
                              GEN_IO_CLOSE close, std::string_view fileName, std::string_view group)
{
    const std::string module = P3109_IoModuleName(moduleName);
    const std::string p(pointerName), b(blockName);
    const bool cs = P3109_fCSharp();
    P3109_WriteComment("Prepare to invoke the OAM");
    if (close == GEN_IO_FORCE_CLOSE) {
        P3109_Line(p.empty() ? b + ".chForceClose = YES;" : P3109_Deref("p" + p, "chForceClose = YES;"));
        P3109_Line("");
    }
    P3109_EmitIoCounters(module, 11);
    if (!group.empty())
        P3109_EmitRenameStack(group, fileName);
    if (p.empty() && b.empty())
        return;
    P3109_WriteComment("Invoke the OAM");
    if (cs) {
        P3109_Line("X_RUN_DLL.X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, " + (p.empty() ? b : "p" + p) + ", " +
                   quoted(module) + " );");
    } else {
        const std::string target = p.empty() ? "&" + b : "p" + p;
        P3109_Line("X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, " + target + ", \"" + P3109_QuotedCText(module) +
                   "\" );");
    }
    if (!group.empty() && !P3109_Definitions().renames.empty())
        P3109_Line(cs ? "X_RUN_DLL.X_Remove_Renames( pX_Ids, pX_Fun, pX_Fld );" : "X_REMOVE_RENAMES");
}

/* The expression writers write the same load after an assignment: one text for both. */
void P3109_EmitLoadIoStatusFromField(std::string_view target, GEN_STREAM stream, int16_t sIndent)
{
    P3109_ExpressionWriter().LoadIoStatusFromField(target, stream, static_cast<uint16_t>(sIndent));
}

void P3109_EmitGetIoStatus(std::string_view pointerName, std::string_view blockName)
{
    g().emit.cLastIoStatus = 'Y';
    if (P3109_fCSharp()) {
        const std::string block =
            pointerName.empty() ? std::string(blockName) : "pGlobal1.p" + std::string(pointerName);
        P3109_Line("pGlobal1.vchLastIOStatus = " + block + ".vchReturnCode;");
        return;
    }
    if (!pointerName.empty())
        P3109_Line("X_GET_IO_STATUS( (*(INSTANCE(p" + std::string(pointerName) + "))) )");
    else
        P3109_Line("X_GET_IO_STATUS( " + std::string(blockName) + " )");
}
