// Cross-references of a check: the names the ZOPHX parses referred to.

#include "platform/dqoo/dqoo_build.h"

#include <set>
#include <utility>

extern "C" long DQOO_FCC_EnumerateCrossReferences(FCC_BUILD_HANDLE* pBuild)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr || !state->checking)
        return DQOO_ERR_NO_CHECK;
    std::set<std::pair<std::string, std::string>> seen;
    long handed = 0;
    for (const dqoo::BuildState::Reference& r : state->references) {
        if (!seen.insert({r.kind, r.name}).second)
            continue;
        if (state->start.pfnRecordXref != nullptr) {
            const long rc = state->start.pfnRecordXref(r.kind.c_str(), r.name.c_str(), r.line);
            if (rc != 0)
                return rc > 0 ? -rc : rc;
        }
        ++handed;
    }
    return handed;
}
