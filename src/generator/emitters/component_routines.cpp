/*
** component_routines.cpp: the local declarations of a component routine.
*/
#include "generator/emitters/component_routines.h"

#include <string>

#include "generator/core/gen_state.h"
#include "generator/core/line_writer.h"

namespace {

struct Local {
    const char* c;
    const char* cs;
};

constexpr Local kLocals[] = {
    {"struct X_IDS                       *  pX_Ids = ((struct X_IDS*)( pRequestBlock->pX_Ids ));",
     "X_IDS                    pX_Ids = (X_IDS) pRequestBlock.pX_Ids;"},
    {"X_COMP_MODULE_FRAME                *  pModuleFrame = ((X_COMP_MODULE_FRAME*)( apvAgreedArgs[0] ));",
     "_X_COMP_MODULE_FRAME     pModuleFrame = (_X_COMP_MODULE_FRAME) apvAgreedArgs[0];"},
    {"struct X_PRO                       *  pX_Pro = pX_Ids->pX_IdsComponent->pX_ProComponent;",
     "X_PRO                    pX_Pro = pX_Ids.pX_IdsComponent.pX_ProComponent;"},
    {"struct X_FUN                       *  pX_Fun  = pModuleFrame->pX_Fun;",
     "X_FUN                    pX_Fun  = pModuleFrame.pX_Fun;"},
    {"struct X_FLD                       *  pX_Fld  = pModuleFrame->pX_Fld;",
     "X_FLD[]                  pX_Fld  = pModuleFrame.pX_Fld;"},
    {"struct X_LIST                      *  pX_List = pModuleFrame->pX_List;",
     "X_LIST[]                 pX_List = pModuleFrame.pX_List;"},
    {"struct FUNCTION_STATIC_GLOBAL_1    *  pGlobal1 = ((struct FUNCTION_STATIC_GLOBAL_1*)( pModuleFrame->pGlobal1 ));",
     "FUNCTION_STATIC_GLOBAL_1 pGlobal1 = (FUNCTION_STATIC_GLOBAL_1) pModuleFrame.pGlobal1;"},
    {"struct FUNCTION_STATIC_GLOBAL_2    *  pGlobal2 = ((struct FUNCTION_STATIC_GLOBAL_2*)( pModuleFrame->pGlobal2 ));",
     "FUNCTION_STATIC_GLOBAL_2 pGlobal2 = (FUNCTION_STATIC_GLOBAL_2) pModuleFrame.pGlobal2;"},
    {"struct X_FKEY                      *  X_FKey = pX_NULL;", "X_FKEY                   X_FKey = null;"},
    {"X_COMP_RETURN_CODE                    lReturnCode = X_COMP_RETURN_OK;",
     "int                      lReturnCode = DqooDef.X_COMP_RETURN_OK;"},
    {"X_COMPONENT_ROUTINE_INFO              RoutineInfo;",
     "X_COMPONENT_ROUTINE_INFO RoutineInfo = new X_COMPONENT_ROUTINE_INFO();"},
    {"struct X_FUN                       *  pSTACKActiveCompRtnX_Fun = pX_Ids->pActiveCompRtnX_Fun;",
     "X_FUN                    pSTACKActiveCompRtnX_Fun = pX_Ids.pActiveCompRtnX_Fun;"},
};

}  // namespace

void P3109_EmitComponentRoutineLocals()
{
    const GEN_MODULE_STATE& g = P3109_State();
    const bool c = g.cTarget != GEN_TARGET_CSHARP;
    for (const Local& l : kLocals)
        P3109_Line(c ? l.c : l.cs);
    const bool cursors = g.sSqlCursorCount >= 1;
    if (c)
        P3109_Line(std::string("X_SHORT                               sEntryCursors = ") +
                   (cursors ? "INSTANCE(sCurrentCursors)" : "X_INVALID_CURSOR") + ";");
    else
        P3109_Line(cursors ? "int                   sEntryCursors = pGlobal1.sCurrentCursors;"
                           : "int                   sEntryCursors = X_FunStr.X_INVALID_CURSOR;");
}
