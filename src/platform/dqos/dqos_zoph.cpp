// Stored command list: a function's commands loaded in order from the
// stored source (QV_SRC), walked with rewind and next, their texts brought
// up to date, parameter components inserted by the design steps.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct SZOPH_CMDDATA {
    SZOPH_COMMAND pub {};
    std::string parms;
    std::string text;
    struct Comp {
        uint16_t parm;
        uint16_t comp;
        std::string text;
    };
    std::vector<Comp> comps;
    std::vector<SZOPH_PARMCOMP> compViews;  // rebuilt after each insert
    SZOPH_LIST *owner = nullptr;
};

struct SZOPH_LIST {
    char kind = 'F';
    bool changed = false;
    size_t next = 0;
    std::vector<std::unique_ptr<SZOPH_CMDDATA>> commands;
};

namespace {

void refreshViews(SZOPH_CMDDATA &d) {
    d.compViews.clear();
    for (const auto &c : d.comps) d.compViews.push_back(SZOPH_PARMCOMP{c.parm, c.comp, c.text.c_str()});
}

void composeText(SZOPH_CMDDATA &d) {
    std::string label = dqos::trimmed(d.pub.szLabel);
    std::string name = dqos::trimmed(d.pub.szName);
    d.text.clear();
    if (!label.empty()) d.text = label + ": ";
    d.text += name;
    if (!d.parms.empty()) {
        if (!name.empty()) d.text += ' ';
        d.text += d.parms;
    }
    d.pub.pszParms = d.parms.c_str();
    d.pub.pszText = d.text.c_str();
    d.pub.ulParmsLength = static_cast<uint32_t>(d.parms.size());
    d.pub.ulTextLength = static_cast<uint32_t>(d.text.size());
}

bool functionExists(sqlite3 *db, const std::string &partition, const std::string &process,
                    const std::string &function) {
    dqos::Stmt st(db, "SELECT 1 FROM QV_DTA.QV_F23 WHERE X23P_I = ? AND X23MOD = ? AND X23FMT = ?");
    if (!st.ok()) return false;
    st.bindText(1, partition);
    st.bindText(2, process);
    st.bindText(3, function);
    return st.step() == SQLITE_ROW;
}

}  // namespace

using namespace dqos;

extern "C" unsigned short SZOPH_sLoadCommands(const char *pszProcess, const char *pszFunction, SZOPH_LIST **ppList,
                                              unsigned long ulReserved) {
    if (ppList == nullptr) return 1;
    *ppList = nullptr;
    std::string process = trimmed(pszProcess);
    std::string function = trimmed(pszFunction);
    if (process.empty() || function.empty()) return 1;
    std::lock_guard lock(dbLock());
    sqlite3 *db = dbHandle();
    if (db == nullptr) return 1;
    std::string partition = sessionPartition();
    Stmt st(db,
            "SELECT SRCSEQ, SRCKND, SRCLBL, SRCCMD, SRCCOD, SRCPRM FROM QV_DTA.QV_SRC "
            "WHERE SRCP_I = ? AND SRCMOD = ? AND SRCFMT = ? ORDER BY SRCSEQ");
    if (!st.ok()) return 1;
    st.bindText(1, partition);
    st.bindText(2, process);
    st.bindText(3, function);
    auto list = std::make_unique<SZOPH_LIST>();
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) {
        auto d = std::make_unique<SZOPH_CMDDATA>();
        d->owner = list.get();
        d->pub.pData = d.get();
        d->pub.sNumber = static_cast<int16_t>(std::clamp<int64_t>(st.integer(0), 0, 32767));
        std::string kind = st.text(1);
        if (list->commands.empty() && !kind.empty()) list->kind = kind[0];
        std::snprintf(d->pub.szLabel, sizeof d->pub.szLabel, "%.3s", trimmed(st.text(2)).c_str());
        std::snprintf(d->pub.szName, sizeof d->pub.szName, "%.10s", trimmed(st.text(3)).c_str());
        d->pub.usCode = static_cast<uint16_t>(std::clamp<int64_t>(st.integer(4), 0, 65535));
        d->parms = st.text(5);
        composeText(*d);
        list->commands.push_back(std::move(d));
    }
    if (rc != SQLITE_DONE) return 1;
    if (list->commands.empty() && !functionExists(db, partition, process, function)) return 1;
    *ppList = list.release();
    return 0;
}

extern "C" void SZOPH_ResetCommandList(SZOPH_LIST *pList) {
    if (pList) pList->next = 0;
}

extern "C" unsigned short SZOPH_sGetNextCommand(SZOPH_LIST *pList, SZOPH_COMMAND **ppCommand) {
    if (pList == nullptr || ppCommand == nullptr || pList->next >= pList->commands.size()) return 1;
    *ppCommand = &pList->commands[pList->next++]->pub;
    return 0;
}

extern "C" void SZOPH_UpdateCmdText(SZOPH_COMMAND *pCommand, int iReserved1, int iReserved2, char chKind) {
    if (pCommand == nullptr || pCommand->pData == nullptr) return;
    composeText(*pCommand->pData);
}

extern "C" unsigned short SZOPH_InsertParmComp(SZOPH_COMMAND *pCommand, const SZOPH_PARMCOMP *pComp, int iReserved,
                                               char chKind) {
    if (pCommand == nullptr || pCommand->pData == nullptr || pComp == nullptr) return 1;
    SZOPH_CMDDATA &d = *pCommand->pData;
    std::string text = trimmed(pComp->pszText);
    auto pos = std::find_if(d.comps.begin(), d.comps.end(), [&](const SZOPH_CMDDATA::Comp &c) {
        return c.parm > pComp->usParm || (c.parm == pComp->usParm && c.comp >= pComp->usComp);
    });
    if (pos != d.comps.end() && pos->parm == pComp->usParm && pos->comp == pComp->usComp)
        pos->text = std::move(text);
    else
        d.comps.insert(pos, SZOPH_CMDDATA::Comp{pComp->usParm, pComp->usComp, std::move(text)});
    refreshViews(d);
    d.pub.fChanged = 1;
    if (d.owner) d.owner->changed = true;
    return 0;
}

extern "C" uint16_t SZOPH_usParmCompCount(const SZOPH_COMMAND *pCommand) {
    if (pCommand == nullptr || pCommand->pData == nullptr) return 0;
    return static_cast<uint16_t>(pCommand->pData->compViews.size());
}

extern "C" const SZOPH_PARMCOMP *SZOPH_pGetParmComp(const SZOPH_COMMAND *pCommand, uint16_t usIndex) {
    if (pCommand == nullptr || pCommand->pData == nullptr || usIndex >= pCommand->pData->compViews.size())
        return nullptr;
    return &pCommand->pData->compViews[usIndex];
}

extern "C" char SZOPH_chListKind(const SZOPH_LIST *pList) { return pList ? pList->kind : ' '; }

extern "C" int SZOPH_fListChanged(const SZOPH_LIST *pList) { return pList && pList->changed; }

extern "C" void SZOPH_DropCommands(SZOPH_LIST *pList) { std::unique_ptr<SZOPH_LIST> owned(pList); }
