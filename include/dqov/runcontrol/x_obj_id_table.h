/* X_OBJ_ID_TABLE: identification rows of a module (identifier and a pointer),
 * ended by identifier -1 and no pointer. */
#ifndef DQOV_X_OBJ_ID_TABLE_H
#define DQOV_X_OBJ_ID_TABLE_H

#include <stdint.h>

#define X_OBJ_ID_PLATFORM 1     /* "PC" */
#define X_OBJ_ID_MODULE 2       /* module name */
#define X_OBJ_ID_BUILD_DATE 3   /* build date */
#define X_OBJ_ID_BUILD_TIME 4   /* build time */
#define X_OBJ_ID_BUILD_NUMBER 5 /* build number */
#define X_OBJ_ID_END (-1)

typedef struct X_OBJ_ID_TABLE {
    int32_t lIdentifier;
    const void* pValue;
} X_OBJ_ID_TABLE;

#endif
