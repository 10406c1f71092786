/*
** emitter_interface.h: how the command emitters and the section writers of
** the generator reach the core, and what they hand it.
**
** The command loop binds each command to its emitter through a function
** pointer of the emitter table (command_loop.cpp); the skeleton engine calls
** each point's writer through the point table (skeleton_points.cpp). The
** table, the points' writers of the emitters and the expression writers'
** functions the core calls are handed to the core in one block of
** P3109_GENERATOR_PARTS, which the library's assembly installs.
*/
#ifndef GENERATOR_CORE_EMITTER_INTERFACE_H
#define GENERATOR_CORE_EMITTER_INTERFACE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/* An emitter: no arguments; reads the current command and writes its code
** through the line writer. */
using P3109_EMITTER = void (*)();

/* What the command loop does on a command's first call before its emitter
** is bound. */
enum P3109_FIRST_CALL : int {
    P3109_FIRST_EMITTER,              /* the emitter */
    P3109_FIRST_PROLOGUE,             /* the command prologue instead of the emitter */
    P3109_FIRST_PROLOGUE_UNSUPPORTED, /* the prologue and the unsupported-command text */
    P3109_FIRST_GROUP_BY,             /* the prologue and the field group array */
};

/* One row of the emitter table: the command, its emitter, and the block
** controls the command loop binds with it (GEN_CONTROL_ values). */
struct P3109_EMITTER_ROW {
    const char* command;
    P3109_EMITTER emitter;
    int32_t pushWhen;
    char loop, caseByte, labels;
    int32_t popWhen;
    int32_t indentWhen;
    P3109_FIRST_CALL firstCall;
};

struct GEN_COMPONENT_HEADER_TABLE;
struct GEN_COMPONENT_DISPATCH_TABLE;

struct P3109_GENERATOR_PARTS {
    /* the emitter table, one row per command in command-number order; a
       command without an emitter (UREQUEST, UDISPLAY, SUBROUTINE) has a
       null one */
    const P3109_EMITTER_ROW* pEmitters;
    size_t ulEmitters;
    /* the emitters' own state, at the start of every generation and of the
       output driver */
    void (*pfnResetEmitters)();
    void (*pfnResetReportEmitters)();
    /* what the command loop and the core's sections write through them */
    void (*pfnEmitCommandPrologue)();
    void (*pfnEmitUnsupportedCommand)();
    void (*pfnEmitSubroutine)(char cKind, std::string_view kindText);
    void (*pfnEmitComponentRoutineLocals)();
    void (*pfnEmitComponentHeaderTable)(const GEN_COMPONENT_HEADER_TABLE* pTable, uint32_t cStream, uint32_t csStream,
                                        uint16_t usIndent);
    void (*pfnEmitComponentDispatchIdTable)(const GEN_COMPONENT_DISPATCH_TABLE* pTable, uint32_t cStream,
                                            uint32_t csStream, uint16_t usIndent);
    std::vector<std::string> (*pfnRenameTableRows)();
    /* the writers of the skeleton points */
    P3109_EMITTER pfnEvaluationRoutines, pfnExchangeAlways, pfnDbmCloseStructs, pfnRoutineSection, pfnDbmOpenStructs,
        pfnActionBarOptionInit, pfnReportStructs, pfnReportRoutines, pfnReceiveParameters, pfnReturnParameters,
        pfnReturnTriggerInfo, pfnLoadSelectSqlCommands, pfnResetFunctionMode, pfnRenameTable;
    /* the expression writers, on the emitters' expression writer */
    void (*pfnExpressionIndentIn)();
    void (*pfnExpressionIndentOut)();
    void (*pfnBuildConditionRoutineCall)(const char* reference, std::string* call, std::string* name);
    void (*pfnWriteDefaultValueCall)(const char* reference, std::string_view argument);
    void (*pfnRunEvaluationHeaderPoint)();
    /* the work fields of the generator's own evaluation routines, joined
       to the field vector before it is written (may be null) */
    void (*pfnRegisterConditionWorkFields)();
    void (*pfnForgetDirectCode)();
};

/* Installs the parts (the block is not copied). */
void P3109_UseGeneratorParts(const P3109_GENERATOR_PARTS* pParts);
/* The installed parts; a generation without them ends fatally. */
const P3109_GENERATOR_PARTS& P3109_Parts();

#endif
