// Web Application Modules: read from the repository per component, handed
// to the checker one module at a time and walked by the enumerator.

#include "platform/dqoo/dqoo_wam.h"
#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_repository.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace {

// Module handles handed out and not yet released with their build.
std::set<const void*>& liveModules()
{
    static std::set<const void*> modules;
    return modules;
}

void copyName(char* target, size_t size, const std::string& text)
{
    std::snprintf(target, size, "%s", text.c_str());
}

using Text = dqoo::VaryingText<1024>;

long readModules(dqoo::BuildState& state, const std::string& component, std::deque<dqoo::WamModule>& modules)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XWMNAM, XWMINL, XWMNUM, XWMLAY FROM QV_DTA.QV_OWM WHERE XWMP_I = '%s' AND "
                        "XWMCMP = '%s' ORDER BY XWMSEQ",
                        state.partition.c_str(), component.c_str()) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OWM/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        Text name, layout;
        int32_t inlineOption = 0, numeric = 0;
        const unsigned short rc =
            cursor.next(name.column(), SSQL_I32(&inlineOption), SSQL_I32(&numeric), layout.column());
        if (rc == SSQL_RC_END)
            return DQOO_OK;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        dqoo::WamModule& m = modules.emplace_back();
        copyName(m.info.szName, sizeof m.info.szName, name.str());
        m.info.ulInline = static_cast<uint32_t>(inlineOption);
        m.info.ulNumericValidation = static_cast<uint32_t>(numeric);
        m.layoutWeblet = layout.str();
        m.hasLayout = layout.length > 0;
    }
}

long readRoutines(dqoo::BuildState& state, const std::string& component, dqoo::WamModule& m,
                  std::map<std::string, dqoo::WamRoutine*>& byName)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XWRNAM, XWRDES, XWRSRV, XWRRSP FROM QV_DTA.QV_OWR WHERE XWRP_I = '%s' AND "
                        "XWRCMP = '%s' AND XWRWAM = '%s' ORDER BY XWRSEQ",
                        state.partition.c_str(), component.c_str(), m.info.szName) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OWR/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        Text name, description, service;
        int32_t response = 0;
        const unsigned short rc =
            cursor.next(name.column(), description.column(), service.column(), SSQL_I32(&response));
        if (rc == SSQL_RC_END)
            break;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        dqoo::WamRoutine& r = m.routines.emplace_back();
        copyName(r.info.szName, sizeof r.info.szName, name.str());
        copyName(r.info.szDescription, sizeof r.info.szDescription, description.str());
        copyName(r.info.szServiceName, sizeof r.info.szServiceName, service.str());
        r.info.ulResponseType = static_cast<uint32_t>(response);
    }
    for (dqoo::WamRoutine& r : m.routines)
        byName[r.info.szName] = &r;
    return DQOO_OK;
}

long readItems(dqoo::BuildState& state, const std::string& component, dqoo::WamModule& m,
               const std::map<std::string, dqoo::WamRoutine*>& byName)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XWFWRN, XWFKND, XWFNAM, XWFLEN, XWFDIG, XWFFRC, XWFDEC, XWFTYP, XWFKSH, XWFMOD, "
                        "XWFCAP, XWFUSE, XWFPER, XWFINP, XWFATR, XWFINL, XWFFMT, XWFWBL, XWFDSC, XWFLAB, XWFHD1, "
                        "XWFHD2, XWFHD3, XWFSMP FROM QV_DTA.QV_OWF WHERE XWFP_I = '%s' AND XWFCMP = '%s' AND "
                        "XWFWAM = '%s' ORDER BY XWFWRN, XWFSEQ",
                        state.partition.c_str(), component.c_str(), m.info.szName) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OWF/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        Text routine, name;
        char kind = ' ', decimal = ' ', type = ' ', shift = ' ';
        int32_t n[11] = {};
        Text texts[7];
        const unsigned short rc =
            cursor.next(routine.column(), SSQL_FIXED(&kind, 1), name.column(), SSQL_I32(&n[0]), SSQL_I32(&n[1]),
                        SSQL_I32(&n[2]), SSQL_FIXED(&decimal, 1), SSQL_FIXED(&type, 1), SSQL_FIXED(&shift, 1),
                        SSQL_I32(&n[3]), SSQL_I32(&n[4]), SSQL_I32(&n[5]), SSQL_I32(&n[6]), SSQL_I32(&n[7]),
                        SSQL_I32(&n[8]), SSQL_I32(&n[9]), SSQL_I32(&n[10]), texts[0].column(), texts[1].column(),
                        texts[2].column(), texts[3].column(), texts[4].column(), texts[5].column(), texts[6].column());
        if (rc == SSQL_RC_END)
            return DQOO_OK;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        auto it = byName.find(routine.str());
        if (it == byName.end() || std::strchr("FLCE", kind) == nullptr)
            return DQOO_ERR_REPOSITORY;
        dqoo::WamItem& item = it->second->items.emplace_back();
        item.kind = kind;
        item.name = name.str();
        FieldInfo& f = item.field;
        copyName(f.szName, sizeof f.szName, item.name);
        f.ulMaxLength = static_cast<uint32_t>(n[0]);
        f.sTotalDigits = static_cast<int16_t>(n[1]);
        f.sFractionDigits = static_cast<int16_t>(n[2]);
        f.chDecimalSeparator = decimal;
        f.chType = type;
        f.ulKeyboardShift = static_cast<unsigned char>(shift);
        f.ulFieldMode = static_cast<uint32_t>(n[3]);
        f.ulCaptionReference = static_cast<uint32_t>(n[4]);
        f.ulUsedFor = static_cast<uint32_t>(n[5]);
        f.ulPersistence = static_cast<uint32_t>(n[6]);
        f.ulInputOperation = static_cast<uint32_t>(n[7]);
        f.ulAttributes = static_cast<uint32_t>(n[8]);
        ListInfo& l = item.list;
        copyName(l.szName, sizeof l.szName, item.name);
        l.ulMapFor = static_cast<uint32_t>(n[5]);
        l.ulMode = static_cast<uint32_t>(n[3]);
        l.ulInline = static_cast<uint32_t>(n[9]);
        l.ulOutputFormat = static_cast<uint32_t>(n[10]);
        for (int i = 0; i < 7; ++i) {
            item.texts[i] = texts[i].str();
            item.present[i] = texts[i].length > 0;
        }
    }
}

long readPicklists(dqoo::BuildState& state, const std::string& component, dqoo::WamModule& m,
                   const std::map<std::string, dqoo::WamRoutine*>& byName)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XWPWRN, XWPFLD, XWPCAP, XWPVAL FROM QV_DTA.QV_OWP WHERE XWPP_I = '%s' AND "
                        "XWPCMP = '%s' AND XWPWAM = '%s' ORDER BY XWPWRN, XWPFLD, XWPSEQ",
                        state.partition.c_str(), component.c_str(), m.info.szName) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "DQOO/QV_OWP/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    for (;;) {
        Text routine, field, caption, value;
        const unsigned short rc = cursor.next(routine.column(), field.column(), caption.column(), value.column());
        if (rc == SSQL_RC_END)
            return DQOO_OK;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        auto it = byName.find(routine.str());
        if (it == byName.end())
            return DQOO_ERR_REPOSITORY;
        bool placed = false;
        for (dqoo::WamItem& item : it->second->items)
            if ((item.kind == 'F' || item.kind == 'C') && item.name == field.str()) {
                item.picklist.emplace_back(caption.str(), value.str());
                placed = true;
            }
        if (!placed)
            return DQOO_ERR_REPOSITORY;
    }
}

long readWams(dqoo::BuildState& state)
{
    const std::string component = dqoo::currentComponent(state);
    std::deque<dqoo::WamModule> modules;
    long rc = readModules(state, component, modules);
    for (dqoo::WamModule& m : modules) {
        std::map<std::string, dqoo::WamRoutine*> byName;
        if (rc == DQOO_OK)
            rc = readRoutines(state, component, m, byName);
        if (rc == DQOO_OK)
            rc = readItems(state, component, m, byName);
        if (rc == DQOO_OK)
            rc = readPicklists(state, component, m, byName);
    }
    if (rc != DQOO_OK)
        return rc;
    for (const dqoo::WamModule& m : state.wams)
        liveModules().erase(&m);
    state.wams = std::move(modules);
    for (const dqoo::WamModule& m : state.wams)
        liveModules().insert(&m);
    return DQOO_OK;
}

const char* textOrNull(const dqoo::WamItem& item, int i)
{
    return item.present[i] ? item.texts[i].c_str() : nullptr;
}

}  // namespace

namespace dqoo {

void releaseWams(BuildState& state)
{
    for (const WamModule& m : state.wams)
        liveModules().erase(&m);
    state.wams.clear();
}

}  // namespace dqoo

extern "C" long DQOO_FCC_EnumerateWebAccessModules(FCC_BUILD_HANDLE* pBuild, DQOO_WAM_MODULE_CALLBACK pfnCallback,
                                                   void* pvUser)
{
    if (pfnCallback == nullptr)
        return DQOO_ERR_ARGUMENT;
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    if (const long rc = readWams(*state); rc != DQOO_OK)
        return rc;
    for (dqoo::WamModule& m : state->wams)
        if (const long rc = pfnCallback(pvUser, &m, nullptr, DQOO_FCC_EnumerateWebAccessModule); rc != 0)
            return rc;
    return DQOO_OK;
}

extern "C" long DQOO_FCC_EnumerateWebAccessModule(void* pvModule, void* pvArgument, void* pvUser,
                                                  DQOO_WAM_CALLBACK pfnStartWam, DQOO_WAM_CALLBACK pfnStartWebRoutine,
                                                  DQOO_WAM_CALLBACK pfnField, DQOO_WAM_CALLBACK pfnListStart,
                                                  DQOO_WAM_CALLBACK pfnListColumn, DQOO_WAM_CALLBACK pfnListEnd,
                                                  DQOO_WAM_CALLBACK pfnEndWam)
{
    if (liveModules().count(pvModule) == 0)
        return DQOO_ERR_ARGUMENT;
    dqoo::WamModule& m = *static_cast<dqoo::WamModule*>(pvModule);
    const auto call = [&](DQOO_WAM_CALLBACK cb, void* record) {
        if (cb != nullptr)
            cb(pvModule, pvArgument, pvUser, record);
    };
    WamInfo wam = m.info;
    wam.pszLayoutWeblet = m.hasLayout ? m.layoutWeblet.c_str() : nullptr;
    call(pfnStartWam, &wam);
    for (dqoo::WamRoutine& r : m.routines) {
        WebRoutineInfo routine = r.info;
        call(pfnStartWebRoutine, &routine);
        for (dqoo::WamItem& item : r.items) {
            if (item.kind == 'L' || item.kind == 'E') {
                ListInfo list = item.list;
                call(item.kind == 'L' ? pfnListStart : pfnListEnd, &list);
                continue;
            }
            std::vector<WamPicklistEntry> picklist;
            for (const auto& [caption, value] : item.picklist)
                picklist.push_back({caption.c_str(), value.c_str()});
            FieldInfo field = item.field;
            field.pszWeblet = textOrNull(item, 0);
            field.pszDescription = textOrNull(item, 1);
            field.pszLabel = textOrNull(item, 2);
            field.pszHeading1 = textOrNull(item, 3);
            field.pszHeading2 = textOrNull(item, 4);
            field.pszHeading3 = textOrNull(item, 5);
            field.pszSampleValue = textOrNull(item, 6);
            field.ulPicklistCount = static_cast<uint32_t>(picklist.size());
            field.pPicklist = picklist.empty() ? nullptr : picklist.data();
            call(item.kind == 'F' ? pfnField : pfnListColumn, &field);
        }
    }
    call(pfnEndWam, nullptr);
    return DQOO_OK;
}
