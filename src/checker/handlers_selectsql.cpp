// SELECT_SQL: the files of the query resolved against the repository and
// classed by the database they live in (pass 1); the fields receiving the
// columns, the status field and the error label (pass 2).
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/select_sql_files.h"
#include "checker/selectsql.h"
#include "checker/sql_reserved_words.h"
#include "checker/support_names.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

#define WR_DATABASE "DATABASE  "
constexpr size_t kDsnWidth = 128, kTypeAt = 128, kTypeWidth = 32;

struct SqlFile {
    bool found = false;
    std::string name, physical, library;
    char kind = 'P';
    char cls = ' ';
    bool database = false;
    std::string dsn, type;
};

// The first row of a query of one or two text columns, or false.
bool FirstRow(const char* openTag, const char* fetchTag, const char* closeTag, const char* sql, const std::string& a,
              std::string& first, std::string* second)
{
    std::string partition = Trim(G().partition, 3);
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    SSQL_SetLocation(openTag);
    SSQL_DeclareExt(&area, sql, partition.c_str(), a.c_str());
    uint16_t cursor = 0;
    if (SSQL_sOpenExt(&cursor) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, openTag);
    char c1[10], c2[10];
    std::memset(c1, ' ', 10);
    std::memset(c2, ' ', 10);
    SSQL_SetLocation(fetchTag);
    unsigned short rc = second ? SSQL_sFetchExt(&area, cursor, &ca, &da, 2, SSQL_FIXED(c1, 10), SSQL_FIXED(c2, 10))
                               : SSQL_sFetchExt(&area, cursor, &ca, &da, 1, SSQL_FIXED(c1, 10));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_END && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, fetchTag);
    SSQL_SetLocation(closeTag);
    if (SSQL_sCloseExt(cursor, &ca, &da) != SSQL_RC_OK)
        FFC_SQL_Error(ca, closeTag);
    if (rc != SSQL_RC_OK)
        return false;
    first = Trim(c1, 10);
    if (second)
        *second = Trim(c2, 10);
    return true;
}

}  // namespace

// The "DATABASE" record of a file of another database (from QV_FOF);
// PRC0378 when the file has no database definition.
static bool P3100_sCheckDatabaseFile(SqlFile& f)
{
    Globals& g = G();
    std::string partition = Trim(g.partition, 3);
    SSQL_AREA area;
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    SSQL_SetLocation("DC_P3100/SQL072");
    SSQL_DeclareExt(&area,
                    "SELECT XOFDSN, XOFTYP FROM QV_DTA.QV_FOF WHERE XOFP_I = '%s' AND XOFPFL = '%s' AND XOFPLB = '%s' ",
                    partition.c_str(), f.physical.c_str(), f.library.c_str());
    struct {
        uint16_t length;
        char text[kDsnWidth];
    } dsn{};
    struct {
        uint16_t length;
        char text[kTypeWidth];
    } type{};
    unsigned short rc =
        SSQL_sRunExt(&area, &ca, &da, 2, SSQL_VARYING(&dsn, kDsnWidth), SSQL_VARYING(&type, kTypeWidth));
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        FFC_SQL_Error(ca, "DC_P3100/SQL072");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK) {
        Issue(Msg::NoDatabaseDefinition, f.physical);
        return false;
    }
    f.dsn = std::string(dsn.text, std::min<size_t>(dsn.length, kDsnWidth));
    f.type = std::string(type.text, std::min<size_t>(type.length, kTypeWidth));
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_DATABASE, f.physical, f.library);
    if (!FindRecord(r, 3)) {
        BlankRecord(r, WR_DATABASE, f.physical, f.library);
        Pad(r.acData, kDsnWidth, f.dsn);
        Pad(r.acData + kTypeAt, kTypeWidth, f.type);
        P3100_WriteRecord(r);
    }
    f.database = true;
    return true;
}

namespace {

void DescribeDatabase(const SqlFile& f)
{
    Issue(Msg::FileDatabase, Fixed(f.physical, 10) + Fixed(f.dsn, 32) + Fixed(f.type, 32));
}

bool SameDatabase(const std::string& dsn1, const std::string& type1, const std::string& dsn2, const std::string& type2)
{
    return Upper(dsn1) == Upper(dsn2) && Upper(type1) == Upper(type2);
}

// File i against file 1 when another database is involved.
void CompareDatabases(const SqlFile& first, const SqlFile& file)
{
    if (first.cls == 'Y' && file.cls == 'Y') {
        if (!first.database || !file.database || SameDatabase(first.dsn, first.type, file.dsn, file.type))
            return;
        Issue(Msg::OtherDatabasesDiffer, Fixed(first.physical, 10) + Fixed(first.library, 10) +
                                             Fixed(file.physical, 10) + Fixed(file.library, 10));
        DescribeDatabase(first);
        DescribeDatabase(file);
        return;
    }
    const SqlFile& other = first.cls == 'Y' ? first : file;
    const SqlFile& own = first.cls == 'Y' ? file : first;
    if (other.cls != 'Y' || !other.database)
        return;
    const FFC_SYSTEM_DEFINITION* sys = G().ctx->pSystemDefinition;
    std::string dsn = sys ? sys->szRepositoryDsn : "", type = sys ? sys->szRepositoryType : "";
    if (SameDatabase(other.dsn, other.type, dsn, type))
        return;
    Issue(Msg::DatabasesDifferMixed,
          Fixed(own.physical, 10) + Fixed(own.library, 10) + Fixed(other.physical, 10) + Fixed(other.library, 10));
    DescribeDatabase(other);
}

// The SQL texts of the command: the whole statement (USING), or WHERE and
// HAVING and the column and field lists; their host fields are used in
// pass 1 and checked in pass 2.
void ScanTexts()
{
    if (Parm("@WHOLE") == "Y") {
        std::string text = Parm("USING");
        // Pass 1 records the host fields of the statement; the check of
        // pass 2 takes only a statement given as an escaped parameter,
        // resolved first.
        if (Pass() == 2) {
            constexpr char kEscaped = 3;
            if (text.empty() || text[0] != kEscaped)
                return;
            char area[1000];
            std::memset(area, ' ', sizeof area);
            P31O2_ResolveEscapedParameter(text.c_str(), area, sizeof area);
            SetParmEntry("USING", 0, 0, std::string_view(area, sizeof area));
            if (area[0] == kEscaped && area[1] == 'T')
                return;
            area[sizeof area - 1] = '\0';
            text.assign(area, std::strlen(area));
            while (!text.empty() && (text.back() == ' ' || text.back() == '\f' || text.back() == '\n' ||
                                     text.back() == '\r'))
                text.pop_back();
        }
        P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), true, 1);
        return;
    }
    for (const char* keyword : {"WHERE", "HAVING"}) {
        std::string text = Parm(keyword);
        P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), true, 1);
    }
    P3100_CheckSelectSqlColumns(1);
}

void CheckFiles()
{
    Globals& g = G();
    bool whole = Parm("@WHOLE") == "Y";
    int32_t files = std::min<int32_t>(ParmCount("FROM_FILES"), 10);
    if (files <= 0 && !whole)
        Issue(Msg::SelectSqlNamesNoFile);
    bool generating = g.ctx->cOption == 'G' || IsComponentRun();
    std::vector<SqlFile> resolved;
    char overall = ' ';
    for (int32_t i = 0; i < files; ++i) {
        SqlFile f;
        f.name = Upper(ParmEntry("FROM_FILES", i, 0));
        std::string library;
        if (FirstRow("DC_P3100/SQL052", "DC_P3100/SQL053", "DC_P3100/SQL057",
                     "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' ORDER BY X27PLB", f.name,
                     library, nullptr)) {
            f.found = true;
            f.physical = f.name;
            f.library = library;
        } else if (FirstRow("DC_P3100/SQL054", "DC_P3100/SQL055", "DC_P3100/SQL056",
                            "SELECT X15PFL, X15PLB FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' ORDER BY "
                            "X15PLB",
                            f.name, f.physical, &f.library)) {
            f.found = true;
            f.kind = 'L';
            if (generating) {
                Issue(Msg::SelectSqlLogicalView, f.name);
                Issue(Msg::SelectSqlPhysicalUsed, f.name);
            }
        } else {
            Issue(Msg::FileNotPhysicalOrLogical, Fixed(f.name, 10) + Fixed("*FIRST", 10));
            resolved.push_back(f);
            continue;
        }
        SetParmEntry("@FILESLOTS", i, 0, f.physical);
        SetParmEntry("@FILESLOTS", i, 1, f.library);
        RecordFileUse(f.name, f.library);
        // The file's database: its class and mark.
        std::string partition = Trim(g.partition, 3);
        SSQL_AREA area;
        SSQL_SQLDA *ca = nullptr, *da = nullptr;
        SSQL_SetLocation("DC_P3100/SQL070");
        SSQL_DeclareExt(&area,
                        "SELECT X27EXF, X27SP1 FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' AND "
                        "X27PLB = '%s'",
                        partition.c_str(), f.physical.c_str(), f.library.c_str());
        char exf = ' ';
        struct {
            uint16_t length;
            char text[256];
        } options{};
        unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 2, SSQL_FIXED(&exf, 1), SSQL_VARYING(&options, 256));
        if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
            FFC_SQL_Error(ca, "DC_P3100/SQL070");
        SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
        if (rc == SSQL_RC_OK) {
            f.cls = exf == 'N' ? 'N' : exf == 'Y' ? 'I' : 'Y';
            char mark = options.length > 17 ? options.text[17] : ' ';
            SetParmEntry("@FILESLOTS", i, 2, std::string(1, f.cls));
            SetParmEntry("@FILESLOTS", i, 3, std::string(1, mark));
            if (f.cls == 'Y')
                P3100_sCheckDatabaseFile(f);
            bool compare = false;
            if (overall == ' ') {
                overall = f.cls;
            } else if (f.cls == 'Y') {
                if (overall == 'N' || overall == 'I')
                    overall = 'B';
                compare = true;
            } else {
                if (overall == 'Y')
                    overall = 'B';
                compare = overall == 'B';
            }
            if (compare && !resolved.empty() && resolved.front().found && resolved.front().cls != ' ')
                CompareDatabases(resolved.front(), f);
        }
        resolved.push_back(f);
    }
    SetParmEntry("@CLASS", 0, 0, std::string(1, overall));
    if (files > 0 && !whole) {
        for (int32_t i = 0; i < files; ++i) {
            std::string name = Upper(ParmEntry("FROM_FILES", i, 1));
            if (name.empty())
                continue;
            bool seenBefore = false;
            for (int32_t k = 0; k < i; ++k)
                seenBefore = seenBefore || Upper(ParmEntry("FROM_FILES", k, 1)) == name;
            if (seenBefore)
                continue;
            for (int32_t k = i + 1; k < files; ++k)
                if (Upper(ParmEntry("FROM_FILES", k, 1)) == name)
                    Issue(Msg::CorrelationNameTwice, name);
            if (IsSqlReservedWord(name))
                Issue(Msg::SqlReservedWord, Fixed(name, 30));
        }
    }
    if (ParmCount("FIELDS") <= 0)
        Issue(Msg::ParameterHasNoEntry, "FIELDS");
    NoteErrorAction(Parm("IO_ERROR"));
    ScanTexts();
}

const P3100_SELECT_SQL_FILES* g_sqlFiles = nullptr;

const P3100_SELECT_SQL_FILES& SqlFiles()
{
    if (!g_sqlFiles)
        FFC_Fatal_Error("The SELECT_SQL command cannot be checked: no file-field lookup is installed.");
    return *g_sqlFiles;
}

// The files of the command as pass 1 resolved them, for the file-field
// name check.
std::vector<GEN_SQL_FILE> CommandFiles()
{
    std::vector<GEN_SQL_FILE> files;
    int32_t count = std::min<int32_t>(ParmCount("FROM_FILES"), 10);
    for (int32_t i = 0; i < count; ++i) {
        GEN_SQL_FILE f;
        f.name = ParmEntry("@FILESLOTS", i, 0);
        f.library = ParmEntry("@FILESLOTS", i, 1);
        f.correlation = Upper(ParmEntry("FROM_FILES", i, 1));
        const std::string cls = ParmEntry("@FILESLOTS", i, 2), mark = ParmEntry("@FILESLOTS", i, 3);
        f.cClass = cls.empty() ? 'N' : cls[0];
        f.cMark = mark.empty() ? ' ' : mark[0];
        if (!f.name.empty())
            files.push_back(std::move(f));
    }
    return files;
}

void CheckFieldsAndLabels()
{
    Globals& g = G();
    std::string error = Upper(Parm("IO_ERROR"));
    if (error == "*ABORT" && !DesignOnlyScope()) {
        /* the routine's abort label, under the name the routine check gave it */
        if (!AbortLabelKnown())
            Issue(Msg::IoErrorLabelNotDefined, error);
    } else if (error != "*NEXT" && error != "*RETURN" && !DesignOnlyScope()) {
        FFC_WORK_RECORD& r = g.record2;
        BlankRecord(r, WR_LABEL, error, std::string_view(g.currentRoutine, 10));
        if (error.empty() || error.size() > 3 || !FindRecord(r, 3))
            Issue(Msg::IoErrorLabelNotDefined, error);
    }
    const bool whole = Parm("@WHOLE") == "Y";
    if (!whole)
        SqlFiles().pfnSetFiles(CommandFiles(), g.ctx);
    int32_t fields = ParmCount("FIELDS");
    for (int32_t i = 0; i < fields; ++i) {
        std::string entry = ParmEntry("FIELDS", i);
        OperandInfo info = CheckFieldOperand(entry);
        if (info.valid && (info.type == '3' || info.type == '4'))
            P3100_IssueServicesMessage('F', 927, Trim(entry.c_str(), entry.size()).c_str());
        // A field whose column is an expression of its own is no column
        // of the files.
        const char* column = FFC_ExtensionColumnText(&g.extension, i);
        const bool expression = column && FFC_ExtensionSwitch(g.parsed) == 'Y' &&
                                !Trim(column, FFC_EXTENSION_COLUMN_WIDTH).empty();
        if (!whole && !expression)
            SqlFiles().pfnCheckField(entry, nullptr, 1, 1);
    }
    ScanTexts();
    std::string status = Upper(Parm("IO_STATUS"));
    if (!status.empty() && status != "*STATUS")
        CheckFieldOperand(status, 'A');
}

}  // namespace

void P3100_UseSelectSqlFiles(const P3100_SELECT_SQL_FILES* pFiles)
{
    g_sqlFiles = pFiles;
}

extern "C" {

// SELECT_SQL: the files of the query in pass 1, its fields, labels and
// texts in pass 2.
void P3100_CheckSelectSqlBody(void)
{
    if (Pass() == 1)
        CheckFiles();
    else
        CheckFieldsAndLabels();
}

void P3100_CheckSelectSql(void)
{
    Globals& g = G();
    g.sysFlags[SF_SELECT_SQL] = 'Y';
    P3100_CheckSelectSqlBody();
    if (Pass() == 1)
        NumberLoop(std::clamp(g.depth, 0, kStackLimit));
}

}  // extern "C"
