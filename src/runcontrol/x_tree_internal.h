// Internal view of the red-black tree for the library's own keyed
// structures (work files, record stores), which keep cursors of their own.
#pragma once

#include "dqov/runcontrol/x_tree.h"

namespace rbt {

// Position of the first entry whose first `parts` key parts are not below
// the given ones (NULL when none).
RBTREE_ENTRY* lowerBound(RBTREE* tree, const void* const* key, uint16_t parts);
// The first entry in key order (NULL when the tree is empty).
RBTREE_ENTRY* first(RBTREE* tree);
// The entry after `e` in key order (NULL at the end).
RBTREE_ENTRY* next(RBTREE* tree, RBTREE_ENTRY* e);
// Compares the first `parts` key parts of an entry with a key: <0, 0, >0.
int compareEntry(RBTREE* tree, RBTREE_ENTRY* e, const void* const* key, uint16_t parts);
// Direct pointers to an entry's stored key / data part (no copy).
const void* keyPart(RBTREE* tree, RBTREE_ENTRY* e, unsigned part);
void* dataPart(RBTREE* tree, RBTREE_ENTRY* e, unsigned part);
// Deletes an entry by its handle.
void erase(RBTREE* tree, RBTREE_ENTRY* e);

}  // namespace rbt
