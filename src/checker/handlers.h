/* The check handlers: functions without arguments that read the current
 * command from the module state and do the work of the current pass. */
#ifndef DQOV_CHECKER_HANDLERS_H
#define DQOV_CHECKER_HANDLERS_H

extern "C" {

/* Handlers of commands without a check of their own. */
void P3100_CheckEmpty(void);
/* Handler of commands whose check is not part of this version: reports it. */
void P3100_CheckNotBuilt(void);

/* Structure and flow. */
void P3100_CheckElse(void);
void P3100_CheckGoto(void);
void P3100_CheckReturn(void);
void P3100_CheckCase(void);
void P3100_CheckContinue(void);
void P3100_CheckLeave(void);
void P3100_CheckSubroutine(char cKind);
void P3100_CheckSubroutineCommand(void);
void P3100_CheckEndRoutine(void);
void P3100_CheckExecute(void);

/* Definitions and options. */
void P3100_CheckFunctionOptions(void);
void P3100_CheckDefCond(void);
void P3100_CheckInclude(void);

/* Messages. */
void P3100_CheckMessageCommand(void);

/* Screens. */
void P3100_CheckScreenCommand(void);
void P3100_CheckRequestDisplay(void);
void P3100_CheckPopUp(void);

}

#endif
