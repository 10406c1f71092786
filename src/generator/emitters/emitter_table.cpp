/*
** emitter_table.cpp: the emitter of every language command the generator
** writes, with the block controls the command loop binds with it.
*/
#include "generator/emitters/emitters.h"

#include "generator/core/components/field_initialisation.h"
#include "generator/core/output/command_lookup.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/report_support.h"
#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_routines.h"

namespace {

constexpr int32_t N = GEN_CONTROL_NEVER, B = GEN_CONTROL_BEFORE, A = GEN_CONTROL_AFTER;

/* The emitter and block controls of every command, from the command list;
   a command without an emitter has a null one. */
const P3109_EMITTER_ROW kEmitters[] = {
#define DQOV_COMMAND(number, name, role, partner, params, flags, check, mode, emitter, push, loop, caseByte, labels, \
                     pop, indent, first)                                                                             \
    {name, emitter, push, loop, caseByte, labels, pop, indent, P3109_FIRST_##first},
#include "params/commands.def"
#undef DQOV_COMMAND
};

}  // namespace

const P3109_EMITTER_ROW* P3109_pEmitterTable(size_t* pulCount)
{
    *pulCount = sizeof kEmitters / sizeof kEmitters[0];
    return kEmitters;
}

void P3109_FillGeneratorParts(P3109_GENERATOR_PARTS* pParts)
{
    P3109_GENERATOR_PARTS& p = *pParts;
    p = P3109_GENERATOR_PARTS{};
    p.pEmitters = P3109_pEmitterTable(&p.ulEmitters);
    p.pfnResetEmitters = P3109_ResetEmitters;
    p.pfnResetReportEmitters = P3109_ResetReportEmitters;
    p.pfnEmitCommandPrologue = P3109_EmitCommandPrologue;
    p.pfnEmitUnsupportedCommand = P3109_EmitUnsupportedCommand;
    p.pfnEmitSubroutine = P3109_EmitSubroutine;
    p.pfnEmitComponentRoutineLocals = P3109_EmitComponentRoutineLocals;
    p.pfnEmitComponentHeaderTable = P3109_EmitComponentHeaderTable;
    p.pfnEmitComponentDispatchIdTable = P3109_EmitComponentDispatchIdTable;
    p.pfnRenameTableRows = P3109_RenameTableRows;
    p.pfnEvaluationRoutines = P3109_EmitEvaluationRoutines;
    p.pfnExchangeAlways = P3109_EmitExchangeAlways;
    p.pfnDbmCloseStructs = P3109_EmitDbmCloseStructs;
    p.pfnRoutineSection = P3109_EmitRoutineSection;
    p.pfnDbmOpenStructs = P3109_EmitDbmOpenStructs;
    p.pfnActionBarOptionInit = P3109_EmitActionBarOptionInit;
    p.pfnReportStructs = P3109_EmitReportStructs;
    p.pfnReportRoutines = P3109_EmitReportRoutines;
    p.pfnReceiveParameters = P3109_EmitReceiveParameters;
    p.pfnReturnParameters = P3109_EmitReturnParameters;
    p.pfnReturnTriggerInfo = P3109_EmitReturnTriggerInfo;
    p.pfnLoadSelectSqlCommands = P3109_LoadSelectSqlCommands;
    p.pfnResetFunctionMode = P3109_EmitResetFunctionMode;
    p.pfnRenameTable = P3109_EmitRenameTable;
    p.pfnExpressionIndentIn = [] { EXPR_IndentIn(P3109_ExpressionWriter()); };
    p.pfnExpressionIndentOut = [] { EXPR_IndentOut(P3109_ExpressionWriter()); };
    p.pfnBuildConditionRoutineCall = [](const char* reference, std::string* call, std::string* name) {
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, call, name);
    };
    p.pfnWriteDefaultValueCall = [](const char* reference, std::string_view argument) {
        EXPR_WriteDefaultValueCall(P3109_ExpressionWriter(), reference, argument);
    };
    p.pfnRunEvaluationHeaderPoint = EXPR_RunEvaluationHeaderPoint;
    p.pfnRegisterConditionWorkFields = P3109_RegisterConditionWorkFields;
    p.pfnForgetDirectCode = EXPR_ForgetDirectCode;
}
