/* FFC_WORK_RECORD: the hand-over record of the keyed in-memory work files.
 * 70 key characters (kind 10, name 50, qualifier 10) and 2,800 data bytes,
 * blank-padded, never terminated. */
#ifndef DQOV_FFC_WORK_RECORD_H
#define DQOV_FFC_WORK_RECORD_H

#define FFC_WORK_KIND_LEN 10
#define FFC_WORK_NAME_LEN 50
#define FFC_WORK_QUAL_LEN 10
#define FFC_WORK_KEY_LEN 70
#define FFC_WORK_DATA_LEN 2800
#define FFC_WORK_RECORD_LEN 2870

typedef struct FFC_WORK_RECORD {
    char acKind[FFC_WORK_KIND_LEN];
    char acName[FFC_WORK_NAME_LEN];
    char acQualifier[FFC_WORK_QUAL_LEN];
    char acData[FFC_WORK_DATA_LEN];
} FFC_WORK_RECORD;

#ifdef __cplusplus
static_assert(sizeof(FFC_WORK_RECORD) == FFC_WORK_RECORD_LEN, "work record is 2,870 bytes");
#endif

#endif
