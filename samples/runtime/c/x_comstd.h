/*
** x_comstd.h: the run-time interface of the commands that act on
** components (SET, SIGNAL, INVOKE, PERFORM, SET_REF, IF_REF, ASSIGN,
** FOR/ENDFOR): each is dispatched to the run time by the dispatch id the
** object layer gave it, which the component's dispatch records describe;
** and the tables of a component's definition that the generated data
** definitions (.DDC) fill. Declarations only.
*/
#ifndef X_COMSTD_H
#define X_COMSTD_H

#include "x_bomstd.h"
#include "x_cmdstd.h"

/* What the run time is asked to do with a dispatched command. */
#define X_COMP_DISPATCH_ZOPHX_COMMAND 0L    /* carry out the command */
#define X_COMP_DISPATCH_ZOPHX_CONDITION 1L  /* test it; the result is X_COMP_RETURN_TRUE or _FALSE */
#define X_COMP_DISPATCH_ITERATOR_STEP 2L    /* the next item of a FOR loop */
#define X_COMP_DISPATCH_ITERATOR_DESTROY 3L /* the end of a FOR loop */

/* The commands of the dispatch records. */
#define X_COMP_COMMAND_SET 1L
#define X_COMP_COMMAND_SIGNAL 2L
#define X_COMP_COMMAND_INVOKE 3L
#define X_COMP_COMMAND_PERFORM 4L
#define X_COMP_COMMAND_SET_REF 5L
#define X_COMP_COMMAND_IF_REF 6L
#define X_COMP_COMMAND_ASSIGN 7L
#define X_COMP_COMMAND_FOR 8L

/* Carries out a dispatched command: the routine's blocks, the dispatch id,
** the calling routine's information, its active function and the
** components it negotiated (none outside a component routine), the kind,
** and after it the kind's own arguments (a condition's result, a loop's
** iterator and result). */
X_COMP_RETURN_CODE X_Dispatch_Component_Command(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *,
                                                X_COMP_DISPATCH_ID lId, X_COMPONENT_ROUTINE_INFO *pRoutineInfo,
                                                struct X_FUN *pActiveCompRtnX_Fun, X_ULONG ulNoofNegotiableComps,
                                                X_COMP_NEGOTIABLE_COMPONENT *aNegotiableComps, X_LONG lKind, ...);

/* The dispatch of a command: the last argument is what the routine does
** when the run time answers other than X_COMP_RETURN_OK. */
#define X_DISPATCH_COMPONENT_COMMAND(id, info, active, count, comps, kind, failed)                                \
    {                                                                                                            \
        lReturnCode = X_Dispatch_Component_Command(pX_Ids, pX_Pro, pX_Fun, pX_Fld, (id), (info), (active),      \
                                                   (X_ULONG)(count), (comps), kind);                           \
        if (lReturnCode != X_COMP_RETURN_OK) {                                                                   \
            failed;                                                                                              \
        }                                                                                                        \
    }
#define X_DISPATCH_COMPONENT_COMMAND_1(id, info, active, count, comps, kind, a1, failed)                          \
    {                                                                                                            \
        lReturnCode = X_Dispatch_Component_Command(pX_Ids, pX_Pro, pX_Fun, pX_Fld, (id), (info), (active),      \
                                                   (X_ULONG)(count), (comps), kind, a1);                       \
        if (lReturnCode != X_COMP_RETURN_OK) {                                                                   \
            failed;                                                                                              \
        }                                                                                                        \
    }
#define X_DISPATCH_COMPONENT_COMMAND_2(id, info, active, count, comps, kind, a1, a2, failed)                      \
    {                                                                                                            \
        lReturnCode = X_Dispatch_Component_Command(pX_Ids, pX_Pro, pX_Fun, pX_Fld, (id), (info), (active),      \
                                                   (X_ULONG)(count), (comps), kind, a1, a2);                   \
        if (lReturnCode != X_COMP_RETURN_OK) {                                                                   \
            failed;                                                                                              \
        }                                                                                                        \
    }

/* A failed dispatch ends the main function or the subroutine as failed. */
#define X_MAIN_CHECK_DISPATCH(code, module) X_MAIN_END(X_SUBR_FAILED)
#define X_SUBR_CHECK_DISPATCH(code) X_SUBR_END(X_SUBR_FAILED)

/* One dispatch record: the command, the component it acts on, the feature
** (property names, event, method, "TO", "IS" or "EACH") and the arguments
** as NAME=value pairs, an exchanged field written '@' and its number. */
typedef struct X_COMP_DISPATCH {
    X_COMP_DISPATCH_ID lId;
    X_LONG lCommand;
    const X_CHAR *pszComponent;
    const X_CHAR *pszFeature;
    const X_CHAR *pszArguments;
    X_LONG lLine;
} X_COMP_DISPATCH;

/* The definition of a component module: its routines (the header table),
** its dispatch ids and its dispatch records; the data definitions (.DDC)
** fill it and X_Get_Component_Definition hands it to the run time. */
typedef struct X_COMP_DEFINITION {
    const X_PVOID *ppvHeader;
    X_SHORT sHeaderCount;
    const X_COMP_DISPATCH_ID *plDispatchIds;
    X_SHORT sDispatchCount;
    const X_COMP_DISPATCH *const *ppDispatches;
} X_COMP_DEFINITION;
const X_COMP_DEFINITION *X_Get_Component_Definition(void);

/* A request of a record service routine to the run time about a record of
** the component: a Verify service reports the message its arguments name
** (contexts, message file, message id, two substitution values); a
** CrossUpdateCheck service, which receives the new, the old and the current
** record after the module frame and the case number (apvAgreedArgs[2],
** [3] and [4]), reports a conflict the same way (message DEM0015, the
** record's name as the first substitution value). */
#define X_COMP_RECORD_SERVICE_REQUEST_DOCUMENT_REPORT_ERROR 1L
X_COMP_RETURN_CODE X_VAR_ProcessRecordServiceRequest(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *,
                                                     X_SHORT sRecordVector, X_LONG lRequest, void **apvArguments);

#endif
