/*
** io_support.cpp: the file of an I/O command resolved against the
** repository, its field group, the statement evaluations of its statement,
** the frame around its code and the quoting of names in C strings.
*/
#include "generator/emitters/io_support.h"

#include <algorithm>
#include <cstring>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/expressions/expr_routines.h"
#include "params/parsed_command.h"
#include "platform/dqoo/dqoo.h"

namespace {

GEN_IO_STATE& state()
{
    static GEN_IO_STATE s;
    return s;
}

/* The file keyword of each file command (the first element names the
** file, the second its library). */
struct FileKeyword {
    const char* command;
    const char* keyword;
};
constexpr FileKeyword kFileKeywords[] = {
    {"FETCH", "FROM_FILE"}, {"SELECT", "FROM_FILE"},     {"DELETE", "FROM_FILE"},   {"BROWSE", "FROM_FILE"},
    {"INSERT", "TO_FILE"},  {"UPDATE", "IN_FILE"},       {"CHECK_FOR", "FOR_FILE"}, {"FILECHECK", "USING_FILE"},
    {"OPEN", "FILE"},       {"CLOSE", "FILE"},           {"POINT", "FILE"},         {"COMMIT", "@FILE"},
    {"ROLLBACK", "@FILE"},  {"SELECT_SQL", "FROM_FILES"}};

const char* fileKeyword()
{
    const std::string_view name = P3109_TrimmedRight(std::string_view(P3109_CurrentCommand().acName, 10));
    for (const FileKeyword& k : kFileKeywords)
        if (name == k.command)
            return k.keyword;
    return nullptr;
}

bool defaultLibrary(const std::string& library)
{
    return library.empty() || library == "*FIRST" || library == "*LIBL";
}

/* The library of a physical file (the first one by name when none is
** named), or of the physical file of a view; false when neither exists. */
bool lookUpFile(const std::string& file, const std::string& library, GEN_IO_FILE& out)
{
    const std::string partition = P3109_State().partition;
    const bool any = defaultLibrary(library);
    {
        GenSqlCursor c("DC_P3109/QV_F27/IO");
        SSQL_AREA* a = c.Begin();
        c.Open(any ? SSQL_DeclareExt(a,
                                     "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' "
                                     "ORDER BY X27PLB",
                                     partition.c_str(), file.c_str())
                   : SSQL_DeclareExt(a,
                                     "SELECT X27PLB FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' "
                                     "AND X27PLB = '%s'",
                                     partition.c_str(), file.c_str(), library.c_str()));
        char lib[10];
        std::memset(lib, ' ', sizeof lib);
        const bool found = c.Fetch(SSQL_FIXED(lib, 10));
        c.Close();
        if (found) {
            out.physical = P3109_Padded(file, 10);
            out.physicalLibrary = P3109_TrimRight(std::string_view(lib, 10));
            return true;
        }
    }
    GenSqlCursor c("DC_P3109/QV_F15/IO");
    SSQL_AREA* a = c.Begin();
    c.Open(any ? SSQL_DeclareExt(a,
                                 "SELECT X15PFL, X15PLB FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' "
                                 "ORDER BY X15PLB",
                                 partition.c_str(), file.c_str())
               : SSQL_DeclareExt(a,
                                 "SELECT X15PFL, X15PLB FROM QV_DTA.QV_F15 WHERE X15P_I = '%s' AND X15LGL = '%s' "
                                 "AND X15PLB = '%s'",
                                 partition.c_str(), file.c_str(), library.c_str()));
    char physical[10], lib[10];
    std::memset(physical, ' ', sizeof physical);
    std::memset(lib, ' ', sizeof lib);
    const bool found = c.Fetch(SSQL_FIXED(physical, 10), SSQL_FIXED(lib, 10));
    c.Close();
    if (!found)
        return false;
    out.physical = std::string(physical, 10);
    out.physicalLibrary = P3109_TrimRight(std::string_view(lib, 10));
    out.fLogical = true;
    return true;
}

/* The command's field list as its members: *ALL, *ALL_REAL and *ALL_VIRT
** stand for the fields of the file, a field group for its members, and
** *INCLUDING and *EXCLUDING switch between adding and removing. */
std::vector<std::string> expandedFieldList(const GEN_IO_FILE& io)
{
    std::vector<std::string> names;
    bool adding = true;
    auto apply = [&](const std::string& name) {
        const std::string padded = P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(name)), 10);
        auto at = std::find(names.begin(), names.end(), padded);
        if (adding && at == names.end())
            names.push_back(padded);
        else if (!adding && at != names.end())
            names.erase(at);
    };
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FIELDS"), 100);
    for (int32_t i = 0; i < count; ++i) {
        /* read in place: what is kept of it is copied before anything else is read */
        const std::string_view entry = P3109_ParmView("FIELDS", 0, i);
        if (entry == "*INCLUDING" || entry == "*EXCLUDING") {
            adding = entry == "*INCLUDING";
            continue;
        }
        if (entry == "*ALL" || entry == "*ALL_REAL" || entry == "*ALL_VIRT") {
            const bool real = entry != "*ALL_VIRT", virtual_ = entry != "*ALL_REAL";
            if (real)
                for (const std::string& f : P3109_FileFieldNames(io.physical, io.physicalLibrary, "FFD"))
                    apply(f);
            if (virtual_)
                for (const std::string& f : P3109_FileFieldNames(io.physical, io.physicalLibrary, "VFD"))
                    apply(f);
            continue;
        }
        for (const std::string& member : P3109_ExpandFieldName(entry))
            apply(member);
    }
    return names;
}

/* Records the names as the field group's "GROUPNAM" and "GROUPFLD"
** records. */
void recordGroup(const std::string& group, const std::vector<std::string>& names)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return;
    /* a group new to the work file: its members are kept in memory too */
    const uint64_t before = WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPFLD);
    bool keep = !P3109_fGroupHasMembers(ctx, group);
    FFC_WORK_RECORD r;
    /* the members' records differ only in the number and the field */
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, group.data(), std::min<size_t>(group.size(), FFC_WORK_NAME_LEN));
    for (size_t i = 0; i < names.size(); ++i) {
        int32_t number = static_cast<int32_t>(i + 1);
        FIX_LongToDigits(&number, 10, r.acQualifier);
        std::memcpy(reinterpret_cast<GROUPFLD_DATA*>(r.acData)->acField, names[i].data(), 10);
        keep = WF_lWrite(ctx, &r) != 0 && keep;
    }
    if (keep)
        P3109_KeepGroupMembers(ctx, group, names, before);
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPNAM, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, group.data(), std::min<size_t>(group.size(), FFC_WORK_NAME_LEN));
    std::memcpy(r.acData, "IOF", 3);
    const uint64_t groupsBefore = WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPNAM);
    if (WF_lWrite(ctx, &r) != 0)
        P3109_NoteGroupRecorded(group, groupsBefore, WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPNAM));
}

}  // namespace

GEN_IO_STATE& P3109_IoState()
{
    return state();
}

void P3109_ResetIoState()
{
    state() = GEN_IO_STATE{};
}

GEN_IO_FILE P3109_ResolveIoFile(std::string_view file, std::string_view library)
{
    GEN_IO_FILE io;
    io.file = P3109_Padded(P3109_CopyUpper(P3109_TrimRight(file), P3109_TrimRight(file).size()), 10);
    io.library = P3109_Padded(P3109_CopyUpper(P3109_TrimRight(library), P3109_TrimRight(library).size()), 10);
    const std::string f = P3109_TrimRight(io.file), l = P3109_TrimRight(io.library);
    io.fLibraryNamed = !defaultLibrary(l);
    if (f.empty() || f[0] == '*')
        return io;
    const std::string key = io.file + io.library;
    auto found = state().files.find(key);
    if (found != state().files.end())
        return found->second;
    if (!lookUpFile(f, l, io))
        io.physical = io.file;
    state().files[key] = io;
    return io;
}

namespace {

GEN_IO_FILE currentIoFile()
{
    const char* keyword = fileKeyword();
    if (!keyword)
        return GEN_IO_FILE{std::string(10, ' '), std::string(10, ' '), std::string(10, ' '), "", false, false};
    GEN_IO_FILE io =
        P3109_ResolveIoFile(P3109_ParmView(keyword, 0), keyword[0] == '@' ? "" : P3109_ParmView(keyword, 1));
    /* the checker's resolution, where it made one, names the physical file */
    const std::string_view physical = P3109_ParmView("@PHYSFILE");
    if (!physical.empty())
        io.physical = P3109_Padded(physical, 10);
    const std::string_view physicalLibrary = P3109_ParmView("@PHYSLIB");
    if (!physicalLibrary.empty())
        io.physicalLibrary = physicalLibrary;
    return io;
}

}  // namespace

/* The emitters of an I/O command ask for its file several times: the file
** is resolved once for each reading of the command's parameters. */
GEN_IO_FILE P3109_CurrentIoFile()
{
    static uint64_t serial = 0;
    static GEN_IO_FILE io;
    const uint64_t now = P3109_ulCurrentParsedSerial();
    if (serial != now) {
        io = currentIoFile();
        serial = now;
    }
    return io;
}

std::string P3109_IoModuleName(std::string_view physical)
{
    std::string_view name = physical.substr(0, std::min<size_t>(physical.size(), 10));
    const size_t nul = name.find('\0');
    if (nul != std::string_view::npos)
        name = name.substr(0, nul);
    const std::string trimmed = P3109_TrimRight(name);
    return trimmed.empty() ? std::string(" ") : trimmed;
}

namespace {

/* Appends the text for a C string: a control character as a blank, and a
** character that could end the literal or start an escape or a trigraph
** as its hexadecimal escape, the literal closed and opened again after it
** (so that no following hexadecimal digit is read into the escape). */
void appendQuotedC(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32) {
            out += ' ';
        } else if (c == '\\' || c == '?' || c == '\'' || c == '"') {
            const char escape[] = {'\\', 'x', kHex[c >> 4], kHex[c & 0x0F], '"', '"'};
            out.append(escape, sizeof escape);
        } else {
            out += ch;
        }
    }
}

}  // namespace

std::string P3109_QuotedCText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    appendQuotedC(out, text);
    return out;
}

std::string P3109_QuotedText(std::string_view text)
{
    if (!P3109_fCSharp()) {
        std::string out;
        out.reserve(text.size() + 18);
        out += '"';
        appendQuotedC(out, text);
        out += '"';
        return out;
    }
    std::string visible(text);
    P3109_BlankControlChars(visible);
    return "\"" + P3109_MakeCSharpLiteral(visible) + "\"";
}

std::vector<std::string> P3109_FileFieldNames(std::string_view physical, std::string_view library,
                                              std::string_view type)
{
    std::vector<std::string> names;
    const std::string partition = P3109_State().partition, file = P3109_TrimRight(physical),
                      lib = P3109_TrimRight(library), kind = P3109_TrimRight(type);
    if (file.empty())
        return names;
    GenSqlCursor c("DC_P3109/QV_F14/IO");
    SSQL_AREA* a = c.Begin();
    c.Open(lib.empty() ? SSQL_DeclareExt(a,
                                         "SELECT X14FLD FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' AND "
                                         "X14TYP = '%s' ORDER BY X14PLB, X14SEQ",
                                         partition.c_str(), file.c_str(), kind.c_str())
                       : SSQL_DeclareExt(a,
                                         "SELECT X14FLD FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' AND "
                                         "X14PLB = '%s' AND X14TYP = '%s' ORDER BY X14SEQ",
                                         partition.c_str(), file.c_str(), lib.c_str(), kind.c_str()));
    char name[10];
    while (c.Fetch(SSQL_FIXED(name, 10)))
        names.emplace_back(name, 10);
    c.Close();
    return names;
}

namespace {

std::string ioFieldGroup()
{
    const std::string recorded = P3109_Parm("@GROUPNAME");
    if (!recorded.empty())
        return recorded;
    if (P3109_ParmCount("FIELDS") <= 0)
        return {};
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    /* "@F", then the command's two numbers as four digits each */
    char name[10] = {'@', 'F'};
    const int32_t number = r.usNumber % 10000, sequence = r.usSequence % 10000;
    FIX_LongToDigits(&number, 4, name + 2);
    FIX_LongToDigits(&sequence, 4, name + 6);
    const std::string group(name, sizeof name);
    /* recorded once per job: a later pass of the emitters finds the records */
    if (state().recordedGroups.insert(group).second && !P3109_fIsGroupName(group))
        recordGroup(group, expandedFieldList(P3109_CurrentIoFile()));
    return group;
}

}  // namespace

/* The emitters of an I/O command ask for its group more than once: it is
** found (and recorded) once for each reading of the command's parameters. */
std::string P3109_IoFieldGroup()
{
    GEN_IO_STATE& s = state();
    const uint64_t serial = P3109_ulCurrentParsedSerial();
    if (s.ulGroupSerial != serial || serial == 0) {
        std::string group = ioFieldGroup();
        s.group = std::move(group);
        s.ulGroupSerial = serial;
    }
    return s.group;
}

bool P3109_fParmIsYes(std::string_view keyword)
{
    return P3109_ParmView(keyword).substr(0, 4) == "*YES";
}

void P3109_OpenIoFrame(bool fEvaluations)
{
    if (fEvaluations) {
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
        return;
    }
    P3109_Line("");
    P3109_Line("{");
    P3109_IndentIn();
}

void P3109_CloseIoFrame(bool fEvaluations)
{
    if (fEvaluations) {
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
        return;
    }
    P3109_IndentOut();
    P3109_Line("}");
}

std::array<char, 6> P3109_LoopId()
{
    std::array<char, 6> id{};
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const int32_t line = r.usNumber;
    const int16_t sub = static_cast<int16_t>(r.usSequence);
    std::memcpy(id.data(), &line, 4);
    std::memcpy(id.data() + 4, &sub, 2);
    return id;
}

void P3109_RegisterFileAccessBlock(const GEN_FILE_ACCESS_BLOCK& block)
{
    std::vector<GEN_FILE_ACCESS_BLOCK>& blocks = P3109_State().emit.fileAccessBlocks;
    for (const GEN_FILE_ACCESS_BLOCK& b : blocks)
        if (b.name == block.name)
            return;
    blocks.push_back(block);
}
