/*
** declaratives.cpp: the declarative commands. They write no executable code:
** their source comment (and label target) only, and for some a note of
** referenced names, a registered condition or a warning. UPRINT and BROWSE
** cannot run on the target and fail at run time.
*/
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

void referenceNames()
{
    P3109_EmitCommandPrologue();
    const std::string reference = P3109_ParmField("REFFLD");
    if (P3109_TrimRight(reference) == "*NONE")
        return;
    P3109_AddReferencedName(reference, 10);
    P3109_AddReferencedName(P3109_ParmField("FIELD"), 10);
}

}  // namespace

void P3109_EmitDefine()
{
    referenceNames();
}

void P3109_EmitOverride()
{
    referenceNames();
}

/* In the definition run (output suppressed) the condition is registered as
** a named evaluation routine; in the emitting run only its comment. */
void P3109_EmitDefCond()
{
    if (P3109_State().out.cSuppress != 'Y') {
        P3109_EmitCommandPrologue();
        return;
    }
    const std::string condition = P3109_ParmField("COND");
    P3109_pszMakeEvaluationName(P3109_ParmField("NAME"), GEN_EVAL_LOGICAL, GEN_EVALUATION_TEXT_MAX, condition,
                                GEN_EVAL_NAMED_CONDITION, GEN_EVAL_NEW, 0);
}

void P3109_EmitFunction()
{
    P3109_EmitCommandPrologue();
    GEN_EMITTER_FLAGS& flags = P3109_State().emit;
    if (P3109_fParmFlag("OPTIONS", "*PGMCOMMIT"))
        ++flags.lIgnored1015;
    if (P3109_fParmFlag("OPTIONS", "*NOPGMCOMMIT"))
        ++flags.lIgnored1015;
    if (P3109_fParmFlag("OPTIONS", "*MINI_SCREEN"))
        P3109_sIssueMessage(Msg::OptionIgnored, "*MINI_SCREEN");
    if (P3109_fParmFlag("OPTIONS", "*OS400_EXT_PRINT"))
        P3109_sIssueMessage(Msg::OptionIgnored, "*OS400_EXT_PRINT");
}

void P3109_EmitUprint()
{
    P3109_EmitCommandPrologue();
    P3109_EmitUnsupportedCommand();
}

void P3109_EmitBrowse()
{
    P3109_EmitCommandPrologue();
    P3109_EmitUnsupportedCommand();
}

void P3109_EmitInclude()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefReport()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitRename()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefArray()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitBeginCom()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitEndCom()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefineCom()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefineMap()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefinePty()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitDefineEvt()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitImport()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitWebMap()
{
    P3109_EmitCommandPrologue();
}
void P3109_EmitAttribute()
{
    P3109_EmitCommandPrologue();
}
