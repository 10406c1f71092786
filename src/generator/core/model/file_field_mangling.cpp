/*
** file_field_mangling.cpp: the repository lookups of file fields and
** their column names, the SQL field list, and the decision which file of a
** SELECT_SQL command holds a field.
*/
#include "generator/core/model/file_field_mangling.h"

#include <cctype>
#include <initializer_list>
#include <memory>
#include <unordered_map>

#include "checker/checker.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

struct MangleState {
    std::vector<GEN_SQL_FILE> files;
    const FFC_CONTEXT* pContext = nullptr;
    std::string partition;
    std::deque<GEN_SQL_FIELD> fields;
};

MangleState& ms()
{
    static MangleState s;
    return s;
}

/* The answers of the dictionary's field lookups asked in this job, by the
** lookup and its values: a SELECT_SQL command's files are looked at for
** each field it names, in the check and again in the generation, and the
** dictionary does not change meanwhile. */
std::unordered_map<std::string, bool>& fieldAnswers()
{
    static std::unordered_map<std::string, bool> answers;
    return answers;
}

template <typename Look>
bool remembered(std::initializer_list<std::string_view> values, Look look)
{
    std::string key;
    for (std::string_view v : values)
        key.append(v).push_back('\x1f');
    auto& answers = fieldAnswers();
    if (const auto known = answers.find(key); known != answers.end())
        return known->second;
    const bool answer = look();
    answers.emplace(std::move(key), answer);
    return answer;
}

const FFC_CONTEXT* context()
{
    return ms().pContext ? ms().pContext : P3109_Context();
}

const std::string& partition()
{
    return ms().pContext ? ms().partition : P3109_State().partition;
}

char national()
{
    const FFC_CONTEXT* ctx = context();
    return ctx && ctx->cNatChar1 != '\0' ? ctx->cNatChar1 : ' ';
}

std::string natChar()
{
    return std::string(1, national());
}

/* The lookup key of a name: a leading national name character dropped,
** 10 characters. */
std::string key10(std::string_view name)
{
    std::string text = P3109_TrimRight(name);
    if (national() != ' ' && !text.empty() && text[0] == national())
        text.erase(0, 1);
    return P3109_Padded(text, 10);
}

std::string trimmed(std::string_view text)
{
    return P3109_TrimRight(text);
}

/* One single-row statement into one text column; empty when no row. */
std::string singleText(const char* tag, SSQL_AREA* area, unsigned short declared, size_t width)
{
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    struct {
        uint16_t length;
        char text[256];
    } value{};
    unsigned short rc = declared;
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area, &ca, &da, 1, SSQL_VARYING(&value, static_cast<uint16_t>(width)));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return {};
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError(tag);
    return trimmed(std::string_view(value.text, std::min<size_t>(value.length, width)));
}

/* One single-row count; true when above 0. */
bool singleCount(const char* tag, SSQL_AREA* area, unsigned short declared)
{
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    uint32_t count = 0;
    unsigned short rc = declared;
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area, &ca, &da, 1, SSQL_U32(&count));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK && rc != SSQL_RC_NOROW)
        P3109_FatalSqlError(tag);
    return rc == SSQL_RC_OK && count > 0;
}

GEN_SQL_FIELD_USE& currentUse(GEN_SQL_FIELD& entry)
{
    if (entry.uses.empty())
        entry.uses.emplace_back();
    return entry.uses.back();
}

/* Whether making the name an identifier changed it. */
bool identifierChangedName(const GEN_SQL_FIELD& entry)
{
    const std::string name = trimmed(entry.name);
    return name.compare(0, entry.identifier.size(), entry.identifier) != 0 || name.size() < entry.identifier.size();
}

void warnTwoNames(const std::string& field, const std::string& second, const std::string& third,
                  const std::string& fourth)
{
    P3109_sIssueNumberedMessage('W', 898, {natChar(), field});
    P3109_sIssueNumberedMessage('W', 899, {natChar(), field, second, third, fourth});
    P3109_sIssueNumberedMessage('W', 925);
}

/* The name under which the recorded file holds the field. */
std::string recordedName(const GEN_SQL_FIELD& entry, char cClass, char cMark, const std::string& field,
                         const std::string& identifier)
{
    switch (cClass) {
    case 'N': return cMark == ' ' ? identifier : field;
    case 'Y': return entry.column.empty() ? identifier : trimmed(entry.column);
    default: return entry.column.empty() ? field : trimmed(entry.column);
    }
}

}  // namespace

void P3109_SetSelectSqlFiles(std::vector<GEN_SQL_FILE> files, const FFC_CONTEXT* pContext)
{
    MangleState& s = ms();
    s.files = std::move(files);
    s.pContext = pContext;
    s.partition = pContext ? P3109_TrimRight(std::string_view(pContext->acPartition, 3)) : std::string();
}
const std::vector<GEN_SQL_FILE>& P3109_SelectSqlFiles()
{
    return ms().files;
}

GEN_SQL_FIELD& P3109_AddSqlField(std::string_view name)
{
    GEN_SQL_FIELD& f = ms().fields.emplace_back();
    f.name = P3109_CopyUpper(key10(name), 10);
    f.identifier = P3109_MakeCIdentifierExt(trimmed(f.name));
    f.hostName = "U_SQL_" + f.identifier;
    return f;
}

const std::deque<GEN_SQL_FIELD>& P3109_SqlFields()
{
    return ms().fields;
}

void P3109_ResetSqlFields()
{
    ms() = MangleState{};
    P3109_ForgetFileFieldAnswers();
}

void P3109_ForgetFileFieldAnswers()
{
    std::unordered_map<std::string, bool>().swap(fieldAnswers());
}

std::string P3109_sLookupMangledColumn(std::string_view field, std::string_view file, std::string_view library,
                                       char cKind)
{
    const std::string name = trimmed(key10(field));
    auto area = std::make_unique<SSQL_AREA>();
    if (cKind == 'Y') {
        SSQL_SetLocation("DC_P3109/QV_FCN/1");
        const std::string nine = P3109_Padded(name, 9);
        return singleText(
            "DC_P3109/QV_FCN/1", area.get(),
            SSQL_DeclareExt(area.get(),
                            "SELECT XCNCOL FROM QV_DTA.QV_FCN WHERE XCNP_I = '%s' AND %s(XCNSP1, 1, 9) = '%s'",
                            partition().c_str(), SSUTL_GetSQLSubStringCommand(), nine.c_str()),
            32);
    }
    if (cKind == 'I') {
        SSQL_SetLocation("DC_P3109/QV_F54/1");
        return singleText("DC_P3109/QV_F54/1", area.get(),
                          SSQL_DeclareExt(area.get(),
                                          "SELECT X54AKI FROM QV_DTA.QV_F54 WHERE X54P_I = '%s' AND X54PFL = '%s' AND "
                                          "X54PLB = '%s' AND X54TYP = 'AN$' AND X54VAL = '%s'",
                                          partition().c_str(), trimmed(file).c_str(), trimmed(library).c_str(),
                                          name.c_str()),
                          128);
    }
    return {};
}

bool P3109_sCountMangledColumns(std::string_view file, std::string_view library, char cKind, std::string_view column)
{
    auto area = std::make_unique<SSQL_AREA>();
    const std::string f = trimmed(file), l = trimmed(library), c = trimmed(column);
    if (cKind == 'Y') {
        SSQL_SetLocation("DC_P3109/QV_FCN/1");
        return singleCount("DC_P3109/QV_FCN/1", area.get(),
                           SSQL_DeclareExt(area.get(),
                                           "SELECT count(*) FROM QV_DTA.QV_FCN WHERE XCNP_I='%s' AND XCNCOL='%s' AND "
                                           "XCNPTR IN (SELECT %s(X14SP1,1,10) FROM QV_DTA.QV_F14 WHERE X14P_I='%s' AND "
                                           "X14PFL='%s' AND X14PLB = '%s' AND X14TYP = 'FFD')",
                                           partition().c_str(), c.c_str(), SSUTL_GetSQLSubStringCommand(),
                                           partition().c_str(), f.c_str(), l.c_str()));
    }
    if (cKind == 'I') {
        SSQL_SetLocation("DC_P3109/QV_F54/1");
        return singleCount(
            "DC_P3109/QV_F54/1", area.get(),
            SSQL_DeclareExt(area.get(),
                            "SELECT COUNT(*) FROM QV_DTA.QV_F54 WHERE X54P_I = '%s' AND X54PFL = '%s' AND "
                            "X54PLB = '%s' AND X54TYP = 'AN$' AND X54AKI = '%s'",
                            partition().c_str(), f.c_str(), l.c_str(), c.c_str()));
    }
    return false;
}

bool P3109_sCountFileFields(std::string_view field, std::string_view file, std::string_view library,
                            std::string_view type)
{
    const std::string f = trimmed(file), l = trimmed(library), t = trimmed(type), name = trimmed(key10(field));
    return remembered({"F14/A", partition(), f, l, t, name}, [&] {
        auto area = std::make_unique<SSQL_AREA>();
        SSQL_SetLocation("DC_P3109/QV_F14/A");
        return singleCount("DC_P3109/QV_F14/A", area.get(),
                           SSQL_DeclareExt(area.get(),
                                           "SELECT COUNT(*) FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' "
                                           "AND X14PLB = '%s' AND X14TYP = '%s' AND X14FLD = '%s'",
                                           partition().c_str(), f.c_str(), l.c_str(), t.c_str(), name.c_str()));
    });
}

namespace {

/* Whether a field of the file, made an identifier, is the one wanted. */
bool fileMangledField(const std::string& wanted, std::string_view file, std::string_view library,
                      std::string_view type)
{
    GenSqlCursor c("DC_P3109/Is_File_Mangled_Field", "ABBC");
    SSQL_AREA* a = c.Begin();
    c.Open(SSQL_DeclareExt(a,
                           "SELECT X14FLD FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' AND X14PLB = '%s' "
                           "AND X14TYP = '%s'",
                           partition().c_str(), trimmed(file).c_str(), trimmed(library).c_str(),
                           trimmed(type).c_str()));
    int found = 0;
    char name[10];
    while (found == 0 && c.Fetch(SSQL_FIXED(name, 10)))
        found = trimmed(P3109_MakeCIdentifierExt(trimmed(std::string_view(name, 10)))) == wanted ? 1 : 0;
    c.Close();
    return found == 1;
}

}  // namespace

int P3109_fIsFileMangledField(std::string_view identifier, std::string_view file, std::string_view library,
                              std::string_view type)
{
    const std::string wanted = trimmed(identifier);
    return remembered({"F14/M", partition(), trimmed(file), trimmed(library), trimmed(type), wanted},
                      [&] { return fileMangledField(wanted, file, library, type); })
               ? 1
               : 0;
}

GEN_SQL_FIELD* P3109_pFindNamedFileEntry(std::string_view name, size_t ulLength, const int16_t* pUsePair, int& found,
                                         char* pKind, char* pFlag)
{
    const std::string key = P3109_CopyUpper(key10(name.substr(0, std::min(ulLength, name.size()))), 10);
    found = 0;
    for (GEN_SQL_FIELD& f : ms().fields) {
        if (f.name != key)
            continue;
        found = 1;
        if (pUsePair && pKind && pFlag) {
            *pKind = 'N';
            *pFlag = ' ';
            for (const GEN_SQL_FIELD_USE& u : f.uses)
                if (u.sPosition1 == pUsePair[0] && u.sPosition2 == pUsePair[1]) {
                    *pKind = u.cClass;
                    *pFlag = u.cMark;
                }
        }
        return &f;
    }
    return nullptr;
}

GEN_SQL_FIELD* P3109_pFindSqlField(int& found, size_t ulLength, std::string_view name)
{
    return P3109_pFindNamedFileEntry(name, ulLength, nullptr, found, nullptr, nullptr);
}

GEN_SQL_FIELD* P3109_pFindSqlFieldQuick(std::string_view name, size_t ulLength)
{
    int found = 0;
    return P3109_pFindNamedFileEntry(name, ulLength, nullptr, found, nullptr, nullptr);
}

int P3109_CheckFileFieldMangling(std::string_view field, char& cKind, char& cFlag, std::string& column, size_t ulFile,
                                 std::string_view rowType, GEN_SQL_FIELD*)
{
    const std::vector<GEN_SQL_FILE>& files = ms().files;
    if (ulFile < 1 || ulFile > files.size())
        return 0;
    const GEN_SQL_FILE& f = files[ulFile - 1];
    if (!P3109_sCountFileFields(field, f.name, f.library, rowType))
        return 0;
    cKind = f.cClass;
    cFlag = f.cMark;
    if (f.cClass != 'N')
        column = P3109_sLookupMangledColumn(field, f.name, f.library, f.cClass);
    return 1;
}

GEN_SQL_FIELD* P3109_sCheckSelectSqlFileField(std::string_view field, size_t ulLength, const int16_t* pUsePair,
                                              int& found, char& cKind, char& cFlag, std::string_view qualifier,
                                              std::string& column)
{
    GEN_SQL_FIELD* entry = P3109_pFindNamedFileEntry(field, ulLength, pUsePair, found, &cKind, &cFlag);
    if (!entry)
        return nullptr;
    if (!entry->column.empty())
        column = entry->column;
    const std::string q = trimmed(qualifier);
    if (q.empty() || q.size() > 10)
        return entry;
    const std::vector<GEN_SQL_FILE>& files = ms().files;
    auto tryFile = [&](size_t i) {
        const GEN_SQL_FILE& f = files[i];
        if (P3109_CheckFileFieldMangling(field, cKind, cFlag, column, i + 1, "FFD", entry) == 1)
            return true;
        if (P3109_sCountMangledColumns(f.name, f.library, f.cClass, field)) {
            cKind = f.cClass;
            column = trimmed(field);
            return true;
        }
        return false;
    };
    if (q.size() <= 3)
        for (size_t i = 0; i < files.size(); ++i)
            if (trimmed(files[i].correlation) == q && tryFile(i))
                return entry;
    for (size_t i = 0; i < files.size(); ++i)
        if (trimmed(files[i].name) == q && tryFile(i))
            return entry;
    found = 0;
    return nullptr;
}

int16_t P3109_sCheckFileFieldMangling(std::string_view field, GEN_SQL_FIELD* pEntry, int32_t lEnable, int fCheckOnly)
{
    if (lEnable == 0)
        return 0;
    const std::vector<GEN_SQL_FILE>& files = ms().files;
    const std::string name = trimmed(key10(field));
    const std::string identifier = trimmed(P3109_MakeCIdentifierExt(name));
    GEN_SQL_FIELD scratch;
    GEN_SQL_FIELD& entry = pEntry ? *pEntry : scratch;
    if (entry.name.empty()) {
        entry.name = P3109_Padded(name, 10);
        entry.identifier = identifier;
    }
    bool recorded = false;
    char recClass = 'N', recMark = ' ';
    std::string recFile;

    /* first pass: the files of this database */
    for (const GEN_SQL_FILE& f : files) {
        if (f.cClass != 'N')
            continue;
        const bool holds = P3109_sCountFileFields(name, f.name, f.library, "FFD") ||
                           (f.cMark == ' ' && P3109_fIsFileMangledField(identifier, f.name, f.library, "FFD") == 1);
        if (!holds)
            continue;
        if (fCheckOnly)
            return 1;
        if (!recorded) {
            recorded = true;
            recClass = f.cClass;
            recMark = f.cMark;
            recFile = trimmed(f.name);
            continue;
        }
        if (f.cMark == recMark)
            continue;
        std::string dropped = trimmed(f.name);
        if (f.cMark < recMark) {
            std::swap(dropped, recFile);
            recMark = f.cMark;
        }
        if (identifierChangedName(entry))
            warnTwoNames(name, identifier, dropped, name);
    }

    /* second pass: files of other databases and of alternate names */
    for (const GEN_SQL_FILE& f : files) {
        if (f.cClass == 'N')
            continue;
        const bool asField = P3109_sCountFileFields(name, f.name, f.library, "FFD");
        if (!asField && !P3109_sCountMangledColumns(f.name, f.library, f.cClass, name))
            continue;
        if (fCheckOnly)
            return 1;
        if (!recorded) {
            recorded = true;
            recClass = f.cClass;
            recMark = f.cMark;
            recFile = trimmed(f.name);
            entry.column = P3109_sLookupMangledColumn(name, f.name, f.library, f.cClass);
            continue;
        }
        if (!asField || f.cClass == recClass)
            continue;
        const std::string held = recordedName(entry, recClass, recMark, name, identifier);
        std::string own = P3109_sLookupMangledColumn(name, f.name, f.library, f.cClass);
        if (own.empty())
            own = name;
        if (trimmed(held) != trimmed(own))
            warnTwoNames(name, held, trimmed(f.name), own);
    }

    if (recorded) {
        if (pEntry) {
            GEN_SQL_FIELD_USE& use = currentUse(entry);
            use.cClass = recClass;
            use.cMark = recMark;
        }
        return 1;
    }
    if (fCheckOnly) {
        for (const GEN_SQL_FILE& f : files)
            if (trimmed(f.name) == name || trimmed(P3109_MakeCIdentifierExt(trimmed(f.name))) == name)
                return 0;
        const std::string padded = P3109_Padded(name, 10);
        P3100_IssueMessage(Msg::FieldNotInSelectSqlFiles, padded.c_str(), static_cast<uint32_t>(padded.size()));
        return 0;
    }
    if (pEntry) {
        GEN_SQL_FIELD_USE& use = currentUse(entry);
        use.cClass = 'N';
        use.cMark = ' ';
    }
    return 0;
}

std::string P3109_WriteRecordFieldDeclaration(const GEN_FIELD_INFO& field)
{
    return P3109_MakeFieldDeclaration(field, false);
}

/* ---- host variables ---- */

void P3109_WriteSqlHostVariables()
{
    P3109_IndentIn();
    for (const GEN_SQL_FIELD& f : ms().fields) {
        if (!f.fUsed)
            continue;
        const std::string size = std::to_string(f.lLength + 1);
        switch (f.cSqlType) {
        case 'A': P3109_Line("char        " + f.hostName + "[" + size + "];"); break;
        case 'D': P3109_Line("double " + f.hostName + ";"); break;
        case 'L': P3109_Line("long        " + f.hostName + ";"); break;
        case 'V':
            P3109_Line("struct");
            P3109_Line("   {      ");
            P3109_Line("      short        Length;");
            P3109_Line("      char         Data[" + size + "];");
            P3109_Line("   } " + f.hostName + ";");
            break;
        default: break;
        }
    }
    P3109_IndentOut();
}

void P3109_WriteModuleComponentIf(uint32_t stream, int16_t sIndent, std::string_view name)
{
    if (P3109_State().cTarget != GEN_TARGET_C)
        return;
    P3109_WriteLine(stream, sIndent,
                    "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_" + std::string(name) + ")))");
}

void P3109_WriteEndif(int16_t sIndent, int32_t, uint32_t stream)
{
    if (P3109_State().cTarget != GEN_TARGET_C)
        return;
    P3109_WriteLine(stream, sIndent, "#endif");
}
