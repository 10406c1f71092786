/*
** data_structures.cpp: the data structures of the function and the names
** of its subroutines.
*/
#include "generator/core/model/data_structures.h"

#include <cstring>
#include <memory>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

std::deque<GEN_DATA_STRUCTURE>& chain()
{
    static std::deque<GEN_DATA_STRUCTURE> structures;
    return structures;
}

void status(const char* text)
{
    P31O2_ShowStatusText(text, static_cast<int16_t>(std::strlen(text)));
}

/* The 10-character name without a leading national name character. */
std::string structureKey(std::string_view name)
{
    return P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(name.substr(0, std::min<size_t>(name.size(), 11)))), 10);
}

GEN_DATA_STRUCTURE makeDefinition(std::string_view written)
{
    GEN_DATA_STRUCTURE d;
    d.name = structureKey(written);
    d.identifier = P3109_MakeCIdentifier(d.name, d.name.size());
    d.storageName = d.identifier + "_STORAGE";
    d.structureName = d.identifier + "_DS";
    d.disassembleRoutine = "X_DisAssemble_" + d.identifier;
    d.assembleRoutine = "X_Assemble_" + d.identifier;
    return d;
}

/* The real fields of the structure's file, of the library that sorts
** first; at most the room of a definition. */
void loadFields(const std::string& partition, GEN_DATA_STRUCTURE& d)
{
    GenSqlCursor c("DC_P3109/QV_F14", "EFGH");
    SSQL_AREA* a = c.Begin();
    const std::string file = P3109_TrimRight(d.name);
    c.Open(SSQL_DeclareExt(a,
                           "SELECT X14PLB, X14SEQ, X14FLD FROM QV_DTA.QV_F14 WHERE X14P_I = '%s' AND X14PFL = '%s' "
                           "AND X14TYP = 'FFD' ORDER BY X14PLB, X14SEQ",
                           partition.c_str(), file.c_str()));
    bool first = true;
    for (;;) {
        char library[10], field[10];
        int32_t sequence = 0;
        if (!c.Fetch(SSQL_FIXED(library, 10), SSQL_I32(&sequence), SSQL_FIXED(field, 10)))
            break;
        const std::string lib = P3109_TrimRight(std::string_view(library, 10));
        if (first)
            d.library = lib;
        first = false;
        if (lib != d.library)
            break;
        if (d.components.size() == GEN_DATA_STRUCTURE_COMPONENTS) {
            P3109_IssueTextMessage('F', "Data structure " + file + " has more than 1000 fields");
            break;
        }
        GEN_DATA_STRUCTURE_COMPONENT component;
        component.field = P3109_Padded(std::string_view(field, 10), 10);
        d.components.push_back(component);
    }
    c.Close();
}

/* The dictionary attributes of a component; false when the field is not
** in the dictionary. */
bool loadAttributes(const std::string& partition, GEN_DATA_STRUCTURE_COMPONENT& component)
{
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SetLocation("DC_P3109/QV_F03/1");
    const std::string field = P3109_TrimRight(component.field);
    char type = ' ';
    int32_t length = 0, decimals = 0;
    struct {
        uint16_t len;
        char codes[256];
    } input{}, output{};
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    unsigned short rc = SSQL_DeclareExt(area.get(),
                                        "SELECT X03TYP, X03LEN, X03DEC, X03IAT, X03OAT FROM   QV_DTA.QV_F03 WHERE  "
                                        "X03P_I = '%s' AND  X03FLD = '%s'",
                                        partition.c_str(), field.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 5, SSQL_FIXED(&type, 1), SSQL_I32(&length), SSQL_I32(&decimals),
                          SSQL_VARYING(&input, 256), SSQL_VARYING(&output, 256));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return false;
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F03/1");
    component.cType = type;
    component.lLength = length;
    component.sDecimals = static_cast<int16_t>(decimals);
    std::string codes1(input.codes, std::min<size_t>(input.len, 40)),
        codes2(output.codes, std::min<size_t>(output.len, 40));
    codes1.resize(40, ' ');
    codes2.resize(40, ' ');
    P310C_ScanFieldAttributeCodes(codes1.c_str(), codes2.c_str(), &component.cAsqn, &component.cSuns, &component.cSuni);
    return true;
}

bool recordExists(FFC_CONTEXT* ctx, const char* kind, const std::string& name, bool bySecondKey)
{
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, std::strlen(kind));
    if (bySecondKey) {
        std::memcpy(r.acQualifier, name.data(), std::min(name.size(), sizeof r.acQualifier));
        return WF_cReadFirstBySecondKey(ctx, GEN_SLOT_LOOKUP, &r, 2) == '0';
    }
    std::memcpy(r.acName, name.data(), std::min(name.size(), sizeof r.acName));
    return WF_cReadFirst(ctx, GEN_SLOT_LOOKUP, &r, 2) == '0';
}

}  // namespace

void P3109_ResetDataStructures()
{
    chain().clear();
}

const std::deque<GEN_DATA_STRUCTURE>& P3109_DataStructures()
{
    return chain();
}

void P3109_LoadDataStructures()
{
    FFC_CONTEXT* ctx = P3109_Context();
    chain().clear();
    if (!ctx || !ctx->pWorkFile)
        return;
    status("Loading all Data Structure Definitions  ");
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, "USE_DS    ", FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_STRUCTURES, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_STRUCTURES, &r, 1))
        chain().push_back(makeDefinition(std::string_view(r.acName, FFC_WORK_NAME_LEN)));

    const std::string& partition = P3109_State().partition;
    for (GEN_DATA_STRUCTURE& d : chain())
        loadFields(partition, d);

    status("Loading all Data Structure Components   ");
    for (GEN_DATA_STRUCTURE& d : chain()) {
        std::vector<GEN_DATA_STRUCTURE_COMPONENT> found;
        for (GEN_DATA_STRUCTURE_COMPONENT& component : d.components) {
            if (loadAttributes(partition, component))
                found.push_back(component);
            else
                P3109_sIssueMessage(Msg::ComponentNotInDictionary, component.field);
        }
        d.components = std::move(found);
    }

    for (GEN_DATA_STRUCTURE& d : chain()) {
        const std::string name = P3109_TrimRight(d.name);
        d.cPass = recordExists(ctx, "PASS_DS", name, false) ? 'Y' : 'N';
        d.cReceive = recordExists(ctx, "RCV_DS", name, true) ? 'Y' : 'N';
    }
}

const GEN_DATA_STRUCTURE* P3109_pFindDataStructure(std::string_view name)
{
    const std::string key = structureKey(name);
    for (const GEN_DATA_STRUCTURE& d : chain())
        if (d.name == key)
            return &d;
    return nullptr;
}

void P3109_WriteDataStructureCall(std::string_view name, char cKind)
{
    const GEN_DATA_STRUCTURE* d = P3109_pFindDataStructure(name);
    if (!d) {
        P3109_IssueTextMessage('F', "Data structure " + P3109_TrimRight(structureKey(name)) + " is not defined");
        return;
    }
    P3109_Line((cKind == 'D' ? d->disassembleRoutine : d->assembleRoutine) + " (" +
               (P3109_State().cTarget == GEN_TARGET_CSHARP ? GEN_FUNCTION_PARMS_CS : "FUNCTION_STD_PARMS") + ");");
}

std::string P3109_MakeSubroutineName(std::string_view name)
{
    std::string text = "Subroutine_" + P3109_MakeCIdentifier(name, std::min<size_t>(name.size(), 10));
    const FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->lBuildStartValue != 0)
        text += "_" + P3109_State().cName;
    return text;
}
