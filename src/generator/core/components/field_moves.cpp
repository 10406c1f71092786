/*
** field_moves.cpp: the move of one field to another.
**
** Two fields of one definition are copied byte by byte; two extended
** fields of one definition through the runtime's identical-field
** assignment; every other pair through its generic assignment, which
** converts. In a CHANGE the generic assignment rounds or truncates: the
** first move that loses decimals under ROUND_UP(*YES) rounds, and the
** command's ROUND_UP is then reset so that its later moves truncate. In
** C# every move is the generic assignment.
*/
#include <cstring>
#include <memory>

#include "dqov/runcontrol/record_store.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "params/parsed_command.h"

namespace {

bool currentCommandIs(const char* name)
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    return st && P3109_fPaddedIs(std::string_view(st->acCommand, 10), name);
}

/* The current command's ROUND_UP asks for rounding and this move loses
** decimals: the request is used up, so that the command's later moves
** truncate. */
bool takeRoundUp(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || source.sDecimals <= target.sDecimals)
        return false;
    auto parsed = P3109_pReadCurrentCommand();
    if (!parsed || dqov::cmdparm::ParmText(*parsed, "ROUND_UP") != "*YES")
        return false;
    const int32_t at = dqov::cmdparm::EntryOffset(*parsed, "ROUND_UP", 0, 0, 4);
    if (at < 0)
        return false;
    std::memcpy(parsed->acParms + at, "*NO ", 4);
    RS_PutCommandRecord(ctx, parsed.get(), sizeof *parsed);
    return true;
}

bool csharp()
{
    return P3109_State().cTarget == GEN_TARGET_CSHARP;
}

void writeRoundingLine(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target)
{
    if (target.cType == 'A' || !currentCommandIs("CHANGE"))
        return;
    const char* option = takeRoundUp(source, target) ? "X_VEC_ASSIGN_ROUND_UP;" : "X_VEC_ASSIGN_TRUNCATE;";
    P3109_Line(csharp() ? std::string("pX_Ids.chXVecAssignOption = X_DEFS.") + option
                        : std::string("pX_Ids->chXVecAssignOption = ") + option);
}

/* C#: the class holds no pointers into the fields' storage, so every move
** goes through the run-time's vector assignment, which copies fields of
** one definition as they are and converts the others. */
void writeCSharpMove(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target)
{
    writeRoundingLine(source, target);
    P3109_Line("X_RUN_DLL.X_Vec_Assign( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + source.vectorName + ", pX_Fld, " +
               target.vectorName + " );");
}

void writeByteCopy(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target)
{
    P3109_WriteOpenBrace();
    P3109_Line("X_PDICTIONARY_FIELD pFieldS;");
    P3109_Line("X_PDICTIONARY_FIELD pFieldT;");
    P3109_WriteRefreshFieldValue(source);
    P3109_WriteGetIndex("pFieldS", source);
    P3109_WriteGetIndex("pFieldT", target);
    if (source.usByteLength == 1)
        P3109_Line("pFieldT[0] = pFieldS[0];");
    else
        P3109_Line("memcpy(pFieldT,pFieldS," + std::to_string(source.usByteLength) + ");");
    P3109_WriteSetIndex(target);
    P3109_WriteRefreshComponentValue(target);
    P3109_WriteCloseBrace();
}

}  // namespace

void P3109_WriteFieldMove(const GEN_FIELD_INFO& source, const GEN_FIELD_INFO& target)
{
    if (source.cRefresh == 'D')
        P3109_WriteSetToSpecialValue(source, GEN_REFRESH_DYNAMIC);
    if (csharp()) {
        writeCSharpMove(source, target);
        return;
    }
    /* one layout: the same type, length and decimals held in the same
       storage (a field that can be null is held with its field state, a
       plain one of the same type and size is not) */
    const bool sameDefinition = source.cType == target.cType && source.lLength == target.lLength &&
                                source.sDecimals == target.sDecimals && source.usByteLength == target.usByteLength &&
                                source.fNullable() == target.fNullable();
    const bool extendedOnly = P3109_fIsZophxOnlyType(source.cType);
    if (sameDefinition && !extendedOnly && source.cResolved != 'E' && target.cResolved != 'E') {
        writeByteCopy(source, target);
        return;
    }
    if (sameDefinition && extendedOnly) {
        P3109_WriteRefreshFieldValue(source);
        writeRoundingLine(source, target);
        P3109_Line("X_Vec_Assign_Identical_Field (pX_Ids,pX_Pro,pX_Fun,");
        P3109_Line("          pX_Fld," + source.vectorName + ",");
        P3109_Line("          pX_Fld," + target.vectorName + ",");
        P3109_Line("          FALSE );");
        P3109_WriteRefreshComponentValue(target);
        return;
    }
    writeRoundingLine(source, target);
    P3109_Line("X_Vec_Assign (pX_Ids,pX_Pro,pX_Fun,");
    P3109_Line("          pX_Fld," + source.vectorName + ",");
    P3109_Line("          pX_Fld," + target.vectorName + ");");
}
