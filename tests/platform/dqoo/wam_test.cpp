// Web Application Module enumeration on the sample component.

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_wam.h"
#include "platform/dqoo/objlayer_repo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

std::vector<std::string> g_events;
std::vector<void*> g_modules;

std::string text(const char* p)
{
    return p == nullptr ? "(null)" : p;
}

long onStartWam(void* module, void* argument, void* user, void* record)
{
    const auto* w = static_cast<const WamInfo*>(record);
    EXPECT_EQ(&g_events, user);
    EXPECT_EQ(nullptr, argument);
    EXPECT_EQ(g_modules.back(), module);
    g_events.push_back("WAM " + std::string(w->szName) + " inline=" + std::to_string(w->ulInline) +
                       " numeric=" + std::to_string(w->ulNumericValidation) + " layout=" + text(w->pszLayoutWeblet));
    return 0;
}
long onStartWebRoutine(void*, void*, void*, void* record)
{
    const auto* r = static_cast<const WebRoutineInfo*>(record);
    g_events.push_back("WR " + std::string(r->szName) + " '" + r->szDescription + "' " + r->szServiceName + " " +
                       std::to_string(r->ulResponseType));
    return 0;
}
std::string describeField(const FieldInfo* f)
{
    std::string s = std::string(f->szName) + " len=" + std::to_string(f->ulMaxLength) +
                    " digits=" + std::to_string(f->sTotalDigits) + "," + std::to_string(f->sFractionDigits) +
                    " dec=" + f->chDecimalSeparator + " type=" + f->chType +
                    " shift=" + static_cast<char>(f->ulKeyboardShift) + " mode=" + std::to_string(f->ulFieldMode) +
                    " cap=" + std::to_string(f->ulCaptionReference) + " for=" + std::to_string(f->ulUsedFor) +
                    " per=" + std::to_string(f->ulPersistence) + " inp=" + std::to_string(f->ulInputOperation) +
                    " attr=" + std::to_string(f->ulAttributes) + " weblet=" + text(f->pszWeblet) +
                    " desc=" + text(f->pszDescription) + " label=" + text(f->pszLabel) +
                    " head=" + text(f->pszHeading1) + "/" + text(f->pszHeading2) + "/" + text(f->pszHeading3) +
                    " sample=" + text(f->pszSampleValue);
    for (uint32_t i = 0; i < f->ulPicklistCount; ++i)
        s += " pick=" + std::string(f->pPicklist[i].pszCaption) + ":" + f->pPicklist[i].pszValue;
    return s;
}
long onField(void*, void*, void*, void* record)
{
    g_events.push_back("F " + describeField(static_cast<const FieldInfo*>(record)));
    return 0;
}
long onColumn(void*, void*, void*, void* record)
{
    g_events.push_back("C " + describeField(static_cast<const FieldInfo*>(record)));
    return 1;  // a callback's own failure does not stop the walk
}
std::string describeList(const ListInfo* l)
{
    return std::string(l->szName) + " for=" + std::to_string(l->ulMapFor) + " mode=" + std::to_string(l->ulMode) +
           " inline=" + std::to_string(l->ulInline) + " format=" + std::to_string(l->ulOutputFormat);
}
long onListStart(void*, void*, void*, void* record)
{
    g_events.push_back("L " + describeList(static_cast<const ListInfo*>(record)));
    return 0;
}
long onListEnd(void*, void*, void*, void* record)
{
    g_events.push_back("E " + describeList(static_cast<const ListInfo*>(record)));
    return 0;
}
long onEndWam(void*, void*, void*, void* record)
{
    EXPECT_EQ(nullptr, record);
    g_events.push_back("END");
    return 0;
}

long countWebAccess(void* user, void* module, void* argument, WebAccessModuleEnumerator enumerate)
{
    g_modules.push_back(module);
    return enumerate(module, argument, user, onStartWam, onStartWebRoutine, onField, onListStart, onColumn, onListEnd,
                     onEndWam);
}

TEST(WebAccessModules, SampleComponentIsWalkedInOrder)
{
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    DQOO_BUILD_REQUEST request{};
    request.pszObjectName = "DEMOCOMP";
    request.pszFunctionName = "*COMP";
    request.pszPartition = "DEM";
    uint32_t passes = 0;
    int32_t value = 0;
    ASSERT_EQ(0, DQOO_FCC_StartBuild(block.get(), &request, &passes, &value));
    g_events.clear();
    g_modules.clear();
    ASSERT_EQ(0, DQOO_FCC_EnumerateWebAccessModules(block.get(), countWebAccess, &g_events));
    ASSERT_EQ(1u, g_modules.size());
    const std::vector<std::string> expected = {
        "WAM CustomerWAM inline=1 numeric=2 layout=demo_layout",
        "WR ShowCustomer 'Show one customer' ShowCustomerService 3",
        "F CUSTNO len=7 digits=7,0 dec=. type=P shift=  mode=1 cap=1 for=1 per=0 inp=0 attr=0 weblet=(null) "
        "desc=Customer number label=Customer head=Customer/number/(null) sample=1234567",
        "F CUSTNAM len=40 digits=0,0 dec=. type=A shift=X mode=2 cap=2 for=2 per=1 inp=1 attr=3 weblet=std_dropdown "
        "desc=Customer name label=Name head=Customer/name/(null) sample=(null) pick=Smith:SMITH pick=Jones:JONES",
        "L CUSTLIST for=2 mode=2 inline=1 format=1",
        "C CUSTNO len=7 digits=7,0 dec=. type=P shift=  mode=2 cap=3 for=2 per=0 inp=0 attr=0 weblet=(null) "
        "desc=Customer number label=Customer head=Customer/number/(null) sample=(null)",
        "C CREDIT len=11 digits=11,2 dec=, type=S shift=  mode=2 cap=3 for=2 per=0 inp=0 attr=32 weblet=(null) "
        "desc=Credit limit label=Credit head=Credit/limit/(null) sample=(null)",
        "E CUSTLIST for=2 mode=2 inline=1 format=1",
        "WR Ping 'Answer a ping' PingService 2",
        "F CUSTSTS len=1 digits=0,0 dec=. type=A shift=  mode=2 cap=0 for=2 per=0 inp=0 attr=0 weblet=(null) "
        "desc=(null) label=(null) head=(null)/(null)/(null) sample=(null)",
        "END",
    };
    EXPECT_EQ(expected, g_events);

    // The handle stays usable until the build ends.
    g_events.clear();
    EXPECT_EQ(0, DQOO_FCC_EnumerateWebAccessModule(g_modules[0], nullptr, &g_events, onStartWam, nullptr, nullptr,
                                                   nullptr, nullptr, nullptr, onEndWam));
    EXPECT_EQ(2u, g_events.size());
    void* stale = g_modules[0];
    ASSERT_EQ(0, DQOO_FCC_EndBuild(block.get()));
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_EnumerateWebAccessModule(stale, nullptr, nullptr, onStartWam, nullptr,
                                                                   nullptr, nullptr, nullptr, nullptr, onEndWam));
}

TEST(WebAccessModules, ObjectWithoutWamsAndStoppingCallback)
{
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    DQOO_BUILD_REQUEST request{};
    request.pszObjectName = "DEMOCMP2";
    request.pszFunctionName = "*COMP";
    request.pszPartition = "DEM";
    uint32_t passes = 0;
    int32_t value = 0;
    ASSERT_EQ(0, DQOO_FCC_StartBuild(block.get(), &request, &passes, &value));
    int calls = 0;
    const auto count = [](void* user, void*, void*, WebAccessModuleEnumerator) -> long {
        ++*static_cast<int*>(user);
        return 7;
    };
    EXPECT_EQ(0, DQOO_FCC_EnumerateWebAccessModules(block.get(), count, &calls));
    EXPECT_EQ(0, calls);
    DQOO_FCC_EndBuild(block.get());

    request.pszObjectName = "DEMOCOMP";
    ASSERT_EQ(0, DQOO_FCC_StartBuild(block.get(), &request, &passes, &value));
    EXPECT_EQ(7, DQOO_FCC_EnumerateWebAccessModules(block.get(), count, &calls));
    EXPECT_EQ(1, calls);
    DQOO_FCC_EndBuild(block.get());
}

}  // namespace
