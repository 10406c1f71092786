// A component description tree built in memory for the tests of the
// writers that read one: nodes with a name in word 1 and counted child
// lists.
#ifndef TESTS_GENERATOR_CORE_DESCRIPTION_TREE_H
#define TESTS_GENERATOR_CORE_DESCRIPTION_TREE_H

#include <cstring>
#include <deque>
#include <vector>

#include "platform/dqoo/dqoo_bom.h"

namespace gencore_test {

/* A description tree in memory; the nodes live as long as the tree. */
class Tree {
public:
    BOM_DESCRIPTION_NODE* node(int32_t kind, const char* name = nullptr)
    {
        BOM_DESCRIPTION_NODE& n = nodes_.emplace_back();
        std::memset(&n, 0, sizeof n);
        n.lKind = kind;
        n.aWord[0].lNumber = kind;
        if (name)
            n.aWord[1].pszText = name;
        return &n;
    }
    BOM_DESCRIPTION_NODE* record(int32_t kind, const char* name, long number, std::vector<const char*> fields)
    {
        BOM_DESCRIPTION_NODE* r = node(kind, name);
        r->aWord[2].lNumber = number;
        std::vector<BOM_DESCRIPTION_NODE*> members;
        for (const char* f : fields)
            members.push_back(node(BOM_KIND_RECORD_FIELD, f));
        list(r, kind >= BOM_KIND_DISPATCH_PROXY ? 4 : 5, members);
        return r;
    }
    void list(BOM_DESCRIPTION_NODE* parent, int word, std::vector<BOM_DESCRIPTION_NODE*> children)
    {
        std::vector<BOM_DESCRIPTION_NODE*>& l = lists_.emplace_back(std::move(children));
        parent->aWord[word].lNumber = static_cast<intptr_t>(l.size());
        parent->aWord[word + 1].ppNodes = l.data();
    }

private:
    std::deque<BOM_DESCRIPTION_NODE> nodes_;
    std::deque<std::vector<BOM_DESCRIPTION_NODE*>> lists_;
};

}  // namespace gencore_test

#endif
