/* The object layer's build of the job, as the checker and the parameter
 * checks of component properties reach it. */
#ifndef DQOV_PARAMS_CHECK_BUILD_H
#define DQOV_PARAMS_CHECK_BUILD_H

#include "platform/dqoo/dqoo.h"

extern "C" {

/* The build of the job (owned by the run driver). */
void P3100_SetBuildHandle(FCC_BUILD_HANDLE* pBuild);
FCC_BUILD_HANDLE* P3100_pGetBuildHandle(void);
/* The component description of the build, or NULL when the build has none
 * (no build, not a component, or a component without a description). A
 * description that cannot be read ends the job (DQOO_FCC_FatalError). */
const struct BOM_DESCRIPTION_NODE* P3100_pComponentDescription(void);

}  // extern "C"

#endif
