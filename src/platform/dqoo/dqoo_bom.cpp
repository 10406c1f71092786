// Component description: the tree of BOM_DESCRIPTION_NODE built from the
// component definitions of the repository.
//
//   QV_OBN  one row per node: its id, its parent's id (0 for the root), the
//           word of the parent that holds the count of the child list it
//           belongs to (the array follows in the next word), its place in
//           that list and its kind.
//   QV_OBW  one row per word of a node: the word number (1-15), its type
//           ('N' number, 'T' text) and the value.
//
// A tree with nodes that the root does not reach, a child list in a word
// out of range or a parent that does not exist is not delivered.

#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_repository.h"

#include <cstring>
#include <map>
#include <set>

namespace {

struct NodeRow {
    int32_t id;
    int32_t parent;
    int32_t listWord;
};

long readNodes(const dqoo::BuildState& state, const std::string& component, dqoo::Description& d,
               std::vector<NodeRow>& rows, std::map<int32_t, BOM_DESCRIPTION_NODE*>& byId)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XBNNID, XBNPAR, XBNLST, XBNKND FROM QV_DTA.QV_OBN WHERE XBNP_I = '%s' AND "
                        "XBNCMP = '%s' ORDER BY XBNPAR, XBNLST, XBNSEQ, XBNNID",
                        state.partition.c_str(), component.c_str()) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OBN/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        NodeRow row{};
        int32_t kind = 0;
        const unsigned short rc =
            cursor.next(SSQL_I32(&row.id), SSQL_I32(&row.parent), SSQL_I32(&row.listWord), SSQL_I32(&kind));
        if (rc == SSQL_RC_END)
            return DQOO_OK;
        if (rc != SSQL_RC_OK || byId.count(row.id) != 0 || row.id == 0)
            return DQOO_ERR_REPOSITORY;
        BOM_DESCRIPTION_NODE& node = d.nodes.emplace_back();
        std::memset(&node, 0, sizeof node);
        node.lKind = kind;
        node.aWord[0].lNumber = kind;
        byId[row.id] = &node;
        rows.push_back(row);
    }
}

long readWords(const dqoo::BuildState& state, const std::string& component, dqoo::Description& d,
               const std::map<int32_t, BOM_DESCRIPTION_NODE*>& byId)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XBWNID, XBWWRD, XBWTYP, XBWNUM, XBWTXT FROM QV_DTA.QV_OBW WHERE XBWP_I = '%s' AND "
                        "XBWCMP = '%s' ORDER BY XBWNID, XBWWRD",
                        state.partition.c_str(), component.c_str()) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OBW/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        int32_t id = 0;
        int32_t word = 0;
        char type = ' ';
        int32_t number = 0;
        dqoo::VaryingText<512> text;
        const unsigned short rc =
            cursor.next(SSQL_I32(&id), SSQL_I32(&word), SSQL_FIXED(&type, 1), SSQL_I32(&number), text.column());
        if (rc == SSQL_RC_END)
            return DQOO_OK;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        auto it = byId.find(id);
        if (it == byId.end() || word < 1 || word >= BOM_WORD_COUNT)
            return DQOO_ERR_REPOSITORY;
        if (type == 'N')
            it->second->aWord[word].lNumber = number;
        else if (type == 'T')
            it->second->aWord[word].pszText = d.texts.emplace_back(text.str()).c_str();
        else
            return DQOO_ERR_REPOSITORY;
    }
}

// Attaches every node to its parent's list and checks that the root reaches
// every node.
long linkTree(dqoo::Description& d, const std::vector<NodeRow>& rows,
              const std::map<int32_t, BOM_DESCRIPTION_NODE*>& byId)
{
    std::map<std::pair<int32_t, int32_t>, std::vector<BOM_DESCRIPTION_NODE*>*> lists;
    std::map<int32_t, std::vector<int32_t>> children;
    int32_t rootId = 0;
    for (const NodeRow& row : rows) {  // in list order
        if (row.parent == 0) {
            if (rootId != 0)
                return DQOO_ERR_REPOSITORY;
            rootId = row.id;
            continue;
        }
        if (byId.count(row.parent) == 0 || row.listWord < 1 || row.listWord + 1 >= BOM_WORD_COUNT)
            return DQOO_ERR_REPOSITORY;
        auto& list = lists[{row.parent, row.listWord}];
        if (list == nullptr)
            list = &d.arrays.emplace_back();
        list->push_back(byId.at(row.id));
        children[row.parent].push_back(row.id);
    }
    if (rootId == 0)
        return DQOO_ERR_NOT_FOUND;
    for (auto& [key, list] : lists) {
        BOM_DESCRIPTION_NODE* parent = byId.at(key.first);
        parent->aWord[key.second].lNumber = static_cast<intptr_t>(list->size());
        parent->aWord[key.second + 1].ppNodes = list->data();
    }
    std::set<int32_t> reached{rootId};
    std::vector<int32_t> todo{rootId};
    while (!todo.empty()) {
        const int32_t id = todo.back();
        todo.pop_back();
        for (int32_t child : children[id])
            if (reached.insert(child).second)
                todo.push_back(child);
    }
    if (reached.size() != rows.size())
        return DQOO_ERR_REPOSITORY;
    d.root = byId.at(rootId);
    return DQOO_OK;
}

long describe(dqoo::BuildState& state)
{
    const std::string component = dqoo::currentComponent(state);
    dqoo::Description& d = state.description;
    std::vector<NodeRow> rows;
    std::map<int32_t, BOM_DESCRIPTION_NODE*> byId;
    long rc = readNodes(state, component, d, rows, byId);
    if (rc == DQOO_OK)
        rc = readWords(state, component, d, byId);
    if (rc == DQOO_OK)
        rc = linkTree(d, rows, byId);
    if (rc != DQOO_OK)
        d = dqoo::Description{};
    return rc;
}

}  // namespace

extern "C" long DQOO_FCC_BOM_RetrieveDescription(FCC_BUILD_HANDLE** ppBuild, BOM_DESCRIPTION_NODE** ppRoot)
{
    if (ppRoot == nullptr)
        return DQOO_ERR_ARGUMENT;
    *ppRoot = nullptr;
    dqoo::BuildState* state = dqoo::findBuild(ppBuild != nullptr ? *ppBuild : nullptr);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    if (!state->component)
        return DQOO_ERR_NOT_FOUND;
    const std::string component = dqoo::currentComponent(*state);
    if (state->description.root == nullptr || state->describedFor != component) {
        state->description = dqoo::Description{};
        const long rc = describe(*state);
        if (rc != DQOO_OK)
            return rc;
        state->describedFor = component;
    }
    *ppRoot = state->description.root;
    return DQOO_OK;
}

extern "C" long DQOO_FCC_BOM_AttachConditionRoutine(FCC_BUILD_HANDLE* pBuild, BOM_DESCRIPTION_NODE* pNode,
                                                   const char* pchReference)
{
    if (pNode == nullptr || pchReference == nullptr || pNode->lKind != BOM_KIND_CONDITION)
        return DQOO_ERR_ARGUMENT;
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    pNode->aWord[2].pszText = state->description.texts.emplace_back(pchReference, 9).c_str();
    return DQOO_OK;
}
