/* x_tree: a multi-key red-black tree with typed key parts.
 *
 * A tree is created empty, given its key parts (in comparison order) and its
 * data parts, and then filled. Keys and data are passed as arrays of
 * pointers, one per part. Nodes live in node pages owned by the tree.
 * Every failing call leaves one process-wide last-error text. */
#ifndef DQOV_X_TREE_H
#define DQOV_X_TREE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Key and data part type codes. */
#define RBT_TYPE_INT16 1      /* signed 16-bit, length 2 */
#define RBT_TYPE_INT32 2      /* signed 32-bit, length 4 */
#define RBT_TYPE_UINT32 3     /* unsigned 32-bit, length 4 */
#define RBT_TYPE_INT64 4      /* signed 64-bit, length 8 */
#define RBT_TYPE_DOUBLE 5     /* double, length 8 */
#define RBT_TYPE_POINTER 6    /* a pointer, compared as an address */
#define RBT_TYPE_STRING 8     /* terminated bytes of at most length-1 characters */
#define RBT_TYPE_BYTES 9      /* fixed bytes, compared over the whole length */
#define RBT_TYPE_STRING_NC 10 /* terminated text compared without regard to case */
#define RBT_TYPE_BYTES_NC 11  /* fixed text compared without regard to case */

typedef struct RBTREE RBTREE;             /* a tree */
typedef struct RBTREE_ENTRY RBTREE_ENTRY; /* an entry's handle, valid until it is deleted */

/* Creates an empty tree and stores it in *ppTree. ulPageSize is the size of
 * a node page in bytes; a value smaller than one node counts entries per
 * page. Result 0, or -1 (see RBTree_GetLastError). */
int32_t RBTree_CreateTree(RBTREE** ppTree, uint32_t ulPageSize);
/* Appends an ascending / descending key part. Refused (-1) once the tree
 * holds entries or when the type or length is invalid. */
int32_t RBTree_DefineKey(RBTREE* pTree, uint16_t usType, uint32_t ulLength);
int32_t RBTree_DefineDescendingKey(RBTREE* pTree, uint16_t usType, uint32_t ulLength);
/* Appends a data part; refused once the tree holds entries. */
int32_t RBTree_DefineData(RBTREE* pTree, uint16_t usType, uint32_t ulLength);

/* Inserts an entry; an entry with the same full key is refused (NULL). */
RBTREE_ENTRY* RBTree_PutEntry(RBTREE* pTree, const void* const* apKey, const void* const* apData);
/* Replaces the data of the entry with this full key; NULL when none. */
RBTREE_ENTRY* RBTree_UpdateEntry(RBTREE* pTree, const void* const* apKey, const void* const* apData);
/* The entry with this full key (its data copied out when apData is given), or NULL. */
RBTREE_ENTRY* RBTree_GetEntry(RBTREE* pTree, const void* const* apKey, void* const* apData);
/* Copies the key and data parts of an entry by its handle; 1 done, 0 not. */
int32_t RBTree_GetEntry_Direct(RBTREE* pTree, RBTREE_ENTRY* pEntry, void* const* apKey, void* const* apData);
/* Deletes the entry with this full key; 1 deleted, 0 not found. */
int32_t RBTree_DeleteEntry(RBTREE* pTree, const void* const* apKey);

/* The tree's own cursor: position before the first entry / after the last /
 * before the first entry whose first usParts key parts are not below the
 * given ones; then walk forward or backward. The walks copy the entry's key
 * and data parts out (either array may be NULL) and return 1, or 0 at the end. */
void RBTree_PositiontoFirst(RBTREE* pTree);
void RBTree_PositiontoLast(RBTREE* pTree);
int32_t RBTree_PositiontoKey(RBTREE* pTree, const void* const* apKey, uint16_t usParts);
int32_t RBTree_GetNextEntry(RBTREE* pTree, void* const* apKey, void* const* apData);
int32_t RBTree_GetPrevEntry(RBTREE* pTree, void* const* apKey, void* const* apData);

uint32_t RBTree_GetEntryCount(RBTREE* pTree);
/* The text of the last failure of any tree in the process ("" when none). */
const char* RBTree_GetLastError(void);
/* Destroys the tree with its nodes; the handle is invalid afterwards. */
void RBTree_DestroyTree(RBTREE* pTree);

#ifdef __cplusplus
}
#endif

#endif
