/* FFC_NAMED_PARAMETERS: the caller's list of named values handed to the run
 * driver ("CALLFROMFCCEDITOR", "FCCMSGCALLBACK", ...). */
#ifndef DQOV_FFC_NAMED_PARAMETERS_H
#define DQOV_FFC_NAMED_PARAMETERS_H

#include <stdint.h>

#define FFC_PARM_CALLFROMFCCEDITOR "CALLFROMFCCEDITOR"
#define FFC_PARM_FCCMSGCALLBACK "FCCMSGCALLBACK"
#define FFC_PARM_PX_COMP_LPC_ANCHOR_BLOCK "PX_COMP_LPC_ANCHOR_BLOCK"
#define FFC_PARM_PX_COMP_CMPE_ANCHOR_BLOCK "PX_COMP_CMPE_ANCHOR_BLOCK"
#define FFC_PARM_FCCDESIGNSCREENCALLBACK "FCCDESIGNSCREENCALLBACK"
#define FFC_PARM_FCCDESIGNREPORTCALLBACK "FCCDESIGNREPORTCALLBACK"

typedef struct FFC_NAMED_PARAMETERS {
    uint32_t ulCount;       /* entries in both arrays */
    const char** apszNames; /* terminated names, compared without regard to case */
    void** apValues;        /* the value of each name (a pointer or a pointer-sized number) */
} FFC_NAMED_PARAMETERS;

#endif
