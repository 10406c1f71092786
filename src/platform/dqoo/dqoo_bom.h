/*
 * Component description tree: the business-object description of a ZOPHX
 * component that the object layer hands to the checker and the generator
 * (DQOO_FCC_BOM_RetrieveDescription).
 *
 * Every node has a kind and up to 15 words after it; word n is aWord[n]
 * (aWord[0] repeats the kind).  What a word holds depends on the kind:
 * a number, a NUL-terminated text, or a child array whose count stands in
 * the word before it.  For example a document (1100-1104) holds its name in
 * word 1, its description in word 2, its identifier in word 3 and its data
 * records as count and array in words 12 and 13; a data record (1300-1330)
 * its name in word 1, its record number in word 2 and its fields in words
 * 5 and 6; a record field (1400) the field name in word 1.
 *
 * The tree is built from the repository's component definitions
 * (tables QV_OBN and QV_OBW) and lives until the build ends.
 */
#ifndef DQOV_PLATFORM_DQOO_BOM_H
#define DQOV_PLATFORM_DQOO_BOM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define BOM_WORD_COUNT 16

typedef union BOM_WORD {
    intptr_t lNumber;                      /* a number (also a count) */
    const char* pszText;                   /* a text, or NULL */
    struct BOM_DESCRIPTION_NODE** ppNodes; /* a child array */
} BOM_WORD;

typedef struct BOM_DESCRIPTION_NODE {
    int32_t lKind;
    BOM_WORD aWord[BOM_WORD_COUNT];
} BOM_DESCRIPTION_NODE;

/* Node kinds named by the description. */
#define BOM_KIND_CONTENT_ROOT 1000
#define BOM_KIND_CONTAINER_LAST 1030
#define BOM_KIND_DOCUMENT 1100
#define BOM_KIND_TRANSIENT 1104
#define BOM_KIND_ASSOCIATION 1110
#define BOM_KIND_SPECIALIZATION 1130
#define BOM_KIND_GENERIC_SEARCH 1170
#define BOM_KIND_PROXY_RECORD 1300
#define BOM_KIND_SEARCH_RECORD 1310
#define BOM_KIND_DOCUMENT_RECORD 1320
#define BOM_KIND_IDENTIFIER_RECORD 1330
#define BOM_KIND_RECORD_FIELD 1400
#define BOM_KIND_POINTER_MEMBER 1410
#define BOM_KIND_DISPATCH_PROXY 1500
#define BOM_KIND_DISPATCH_IDENTIFIER 1530
#define BOM_KIND_SERVICE_FIRST 2100
#define BOM_KIND_SERVICE_LAST 2280
#define BOM_KIND_SERVICE_CASE 2300
#define BOM_KIND_VERIFICATION 2304
#define BOM_KIND_CONDITION 2305 /* word 1 the condition's text, word 2 its routine reference */

#ifdef __cplusplus
}

/* Readers of a node's words. */
inline const char* BOM_Text(const BOM_DESCRIPTION_NODE* node, int word)
{
    return node->aWord[word].pszText;
}
inline intptr_t BOM_Number(const BOM_DESCRIPTION_NODE* node, int word)
{
    return node->aWord[word].lNumber;
}
inline BOM_DESCRIPTION_NODE* BOM_Child(const BOM_DESCRIPTION_NODE* node, int countWord, intptr_t i)
{
    return node->aWord[countWord + 1].ppNodes[i];
}

#include <span>

/* The count words of the child lists that lead from a node towards its
 * data records: a container's members (1), a document's member lists and
 * data records (4, 6, 10, 12), a relation's (4, 6, 10) and a generic
 * search's members (6); none for any other kind. */
inline std::span<const int> BOM_RecordListWords(int32_t kind)
{
    static constexpr int kContainer[] = {1}, kDocument[] = {4, 6, 10, 12}, kRelation[] = {4, 6, 10}, kSearch[] = {6};
    if (kind >= BOM_KIND_CONTENT_ROOT && kind <= BOM_KIND_CONTAINER_LAST)
        return kContainer;
    if (kind >= BOM_KIND_DOCUMENT && kind <= BOM_KIND_TRANSIENT)
        return kDocument;
    if (kind == BOM_KIND_ASSOCIATION || kind == BOM_KIND_SPECIALIZATION)
        return kRelation;
    if (kind == BOM_KIND_GENERIC_SEARCH)
        return kSearch;
    return {};
}
#endif

#endif
