/*
** run_steps.h: the generator as the run driver's steps.
**
** P3109_lGeneratorSetupStep runs the set-up before the checker of every
** pass; P3109_lOutputDriverStep runs the output driver when the job asks
** for generation and no error was counted, and answers
** DC_P31O2_OUTPUT_FAILED when files could not be read or written. Both read
** the checked commands from the checker's command and source stores.
** P3109_lDiscardOutputStep lets go of the files of a job that ends
** without its commit (the run driver drops their text with its file work). P3109_FillRunSeams puts them into the run
*driver's
** seam block, next to the checker's step (the library's assembly adds the
** HTML and XML page generators that follow the output driver).
*/
#ifndef GENERATOR_CORE_RUN_STEPS_H
#define GENERATOR_CORE_RUN_STEPS_H

#include <stdint.h>

#include "dqov/runcontrol/run_driver.h"

#ifdef __cplusplus
extern "C" {
#endif

int32_t P3109_lGeneratorSetupStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
int32_t P3109_lOutputDriverStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
int32_t P3109_lDiscardOutputStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
void P3109_FillRunSeams(FFC_RUN_SEAMS* pSeams);

#ifdef __cplusplus
}
#endif

#endif
