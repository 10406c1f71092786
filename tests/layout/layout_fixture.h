// The fixture of the automatic layout tests: a check of a DEMOSCR sample
// function and the layout records and findings it leaves.
#ifndef TESTS_LAYOUT_LAYOUT_FIXTURE_H
#define TESTS_LAYOUT_LAYOUT_FIXTURE_H

#include <cstring>
#include <string>
#include <vector>

#include "checker/checker_fixture.h"
#include "dqov/layout/layout_records.h"

namespace layout_test {

using checker_test::CheckJob;

class LayoutJob : public CheckJob {
protected:
    void check(const std::string& function)
    {
        P3100_UseLibraryLayouts();
        prepare("DEMOSCR", function);
        run();
    }

    // A second check in the same test: the first one's build and
    // connection end first.
    void checkAgain(const std::string& function)
    {
        if (buildStarted)
            DQOO_FCC_EndBuild(handle());
        buildStarted = false;
        P3100_SetBuildHandle(nullptr);
        SSQL_Disconnect();
        check(function);
    }

    // The records of a kind (and name, when given) in key order.
    std::vector<FFC_WORK_RECORD> records(const char* kind, const std::string& name = {})
    {
        std::vector<FFC_WORK_RECORD> out;
        FFC_WORK_RECORD r;
        std::memset(&r, ' ', sizeof r);
        std::memcpy(r.acKind, kind, std::strlen(kind));
        std::memcpy(r.acName, name.data(), name.size());
        const uint16_t parts = name.empty() ? 1 : 2;
        for (char rc = WF_cReadFirst(&ctx, 13, &r, parts); rc == '0'; rc = WF_cReadNext(&ctx, 13, &r, parts))
            out.push_back(r);
        return out;
    }

    static LAYOUT_FIELD_ENTRY Entry(const FFC_WORK_RECORD& r)
    {
        LAYOUT_FIELD_ENTRY e;
        std::memcpy(&e, r.acData, sizeof e);
        return e;
    }

    static std::string Text(const char* field, size_t n) { return std::string(field, n); }

    std::vector<std::string> ids()
    {
        std::vector<std::string> out;
        for (const auto& m : messages())
            if (m.id != "PRC0010")
                out.push_back(m.id + " " + m.data);
        return out;
    }
};

// The layout values of a screen or report entry that do not depend on
// the other commands of the function.
inline std::string Placement(const LAYOUT_FIELD_ENTRY& e)
{
    return std::string(e.acName, 10) + " line " + std::to_string(e.lLine) + " column " + std::to_string(e.lColumn) +
           " offset " + std::to_string(e.lValueOffset) + " width " + std::to_string(e.lWidth) + " id " +
           e.cIdentification + " usage " + e.cUsage + e.cUsage1 + " in " + std::string(e.acInputFlags, 30) +
           " out " + std::string(e.acOutputFlags, 30) + " cond " + std::string(e.acCondition, 10);
}

}  // namespace layout_test

#endif
