/*
** p3109.h: the generator's entry points for the run driver.
**
** The run driver calls P3109_GenerateCode in every pass before the checker
** (the set-up: names, definitions, file set) and, after the checker, when
** no error was counted and the option letter is 'G',
** P3109_GenerateAndWriteFiles (the set-up again, then the output set, the
** repository update and the final status). Both take the same seventeen
** arguments in the run driver's order.
*/
#ifndef GENERATOR_CORE_P3109_H
#define GENERATOR_CORE_P3109_H

#include <stdint.h>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_message_callback_record.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*P3109_GENERATE_ENTRY)(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState,
                                     const FFC_PROCESS_DEFINITION* pProcess, const FFC_FUNCTION_DEFINITION* pFunction,
                                     int32_t lDriverValue, char cDriverByte1, char* pOptionFlags, char cDriverByte2,
                                     char cDriverByte3, const char* pDriverField3, const char* acMsgQueue,
                                     uint16_t usStatusWord, const char* pszRoot, FFC_MESSAGE_CALLBACK pfnCallback,
                                     int32_t lEditor, uint32_t ulWebPageFlags, int32_t lOptionBit31);

void P3109_GenerateCode(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const FFC_PROCESS_DEFINITION* pProcess,
                        const FFC_FUNCTION_DEFINITION* pFunction, int32_t lDriverValue, char cDriverByte1,
                        char* pOptionFlags, char cDriverByte2, char cDriverByte3, const char* pDriverField3,
                        const char* acMsgQueue, uint16_t usStatusWord, const char* pszRoot,
                        FFC_MESSAGE_CALLBACK pfnCallback, int32_t lEditor, uint32_t ulWebPageFlags,
                        int32_t lOptionBit31);

void P3109_GenerateAndWriteFiles(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const FFC_PROCESS_DEFINITION* pProcess,
                                 const FFC_FUNCTION_DEFINITION* pFunction, int32_t lDriverValue, char cDriverByte1,
                                 char* pOptionFlags, char cDriverByte2, char cDriverByte3, const char* pDriverField3,
                                 const char* acMsgQueue, uint16_t usStatusWord, const char* pszRoot,
                                 FFC_MESSAGE_CALLBACK pfnCallback, int32_t lEditor, uint32_t ulWebPageFlags,
                                 int32_t lOptionBit31);

#ifdef __cplusplus
}

/* The set-up of one job (called by P3109_GenerateCode). */
void P3109_TranslateFunction(int32_t lCheckIn);
/* The end-of-generation steps: messages, memory, repository, final status. */
void P3109_UpdateRepositoryAtEnd();
/* Closes every file the generator still holds open, for a job that ends
** without its commit; their text goes with the job's file work. */
void P3109_DiscardJobFiles();
void P3109_EndGeneration();
/* The free-space messages of the output driver for the root's drive. */
void P3109_CheckFreeSpace(uint64_t ulFreeBytes, char cDrive);
#endif

#endif
