// Stored command list: a function's commands loaded in order from the
// stored source (QV_SRC), walked with rewind and next, their texts brought
// up to date, parameter components inserted by the design steps.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SZOPH_CMDDATA {
    SZOPH_COMMAND pub{};
    char* text = nullptr;     // label, name and parameters, in the list's text room: the parameters end it
    uint32_t textRoom = 0;    // bytes of the room the text may use, its terminator included
    uint8_t labelLength = 0;  // lengths of the label and name the text was composed of
    uint8_t nameLength = 0;
    struct Comp {
        uint16_t parm;
        uint16_t comp;
        std::string text;
    };
    // Parameter components, made by the first insert (few commands get any).
    struct Components {
        std::vector<Comp> comps;
        std::vector<SZOPH_PARMCOMP> views;  // rebuilt after each insert
    };
    std::unique_ptr<Components> components;
    SZOPH_LIST* owner = nullptr;
};

namespace {

// Room for the texts of a list's commands, handed out from blocks: a
// function of thousands of commands needs no allocation per text.
class TextRoom {
public:
    char* take(size_t n)
    {
        if (n > left_) {
            size_t size = std::max(n, kBlock);
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
            next_ = blocks_.back().get();
            left_ = size;
        }
        char* at = next_;
        next_ += n;
        left_ -= n;
        return at;
    }

private:
    static constexpr size_t kBlock = 16 * 1024;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    size_t left_ = 0;
};

// A list's commands, in blocks of a fixed count: a command stays where it
// is while the list grows, and a function of thousands of commands needs
// an allocation for every 64 of them only.
class CommandBlocks {
public:
    SZOPH_CMDDATA& emplace_back()
    {
        if (size_ % kBlock == 0)
            blocks_.push_back(std::make_unique<SZOPH_CMDDATA[]>(kBlock));
        SZOPH_CMDDATA& d = blocks_.back()[size_ % kBlock];
        ++size_;
        return d;
    }
    SZOPH_CMDDATA& operator[](size_t i) { return blocks_[i / kBlock][i % kBlock]; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    static constexpr size_t kBlock = 64;
    std::vector<std::unique_ptr<SZOPH_CMDDATA[]>> blocks_;
    size_t size_ = 0;
};

}  // namespace

struct SZOPH_LIST {
    char kind = 'F';
    bool changed = false;
    size_t next = 0;
    CommandBlocks commands;
    TextRoom texts;
};

namespace {

void refreshViews(SZOPH_CMDDATA::Components& c)
{
    c.views.clear();
    for (const auto& comp : c.comps)
        c.views.push_back(SZOPH_PARMCOMP{comp.parm, comp.comp, comp.text.c_str()});
}

// The text without its trailing blanks and NULs, in place.
std::string_view trimmedView(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    return text.substr(0, n);
}

// The whole text from label, name and parameters; pszParms points at its
// end. A text brought up to date (mostly the same) is rewritten where it is
// when it fits there.
void composeText(SZOPH_CMDDATA& d, std::string_view parms)
{
    const std::string_view label = trimmedView(d.pub.szLabel);
    const std::string_view name = trimmedView(d.pub.szName);
    const size_t prefix =
        (label.empty() ? 0 : label.size() + 2) + name.size() + (!parms.empty() && !name.empty() ? 1 : 0);
    const size_t size = prefix + parms.size();
    // lengths are kept, not measured: a stored source may hold NUL bytes.
    // The parameters go to their place first: they may lie in d.text (the
    // room of an older text stays valid when a new one is taken).
    if (!d.text || size + 1 > d.textRoom) {
        char* room = d.owner->texts.take(size + 1);
        if (!parms.empty())
            std::memcpy(room + prefix, parms.data(), parms.size());
        d.text = room;
        d.textRoom = static_cast<uint32_t>(size + 1);
    } else if (!parms.empty()) {
        std::memmove(d.text + prefix, parms.data(), parms.size());
    }
    char* at = d.text;
    if (!label.empty()) {
        std::memcpy(at, label.data(), label.size());
        at += label.size();
        *at++ = ':';
        *at++ = ' ';
    }
    if (!name.empty())
        std::memcpy(at, name.data(), name.size());
    at += name.size();
    if (!parms.empty() && !name.empty())
        *at = ' ';
    d.text[size] = '\0';
    d.pub.pszText = d.text;
    d.pub.pszParms = d.text + prefix;
    d.pub.ulParmsLength = static_cast<uint32_t>(parms.size());
    d.pub.ulTextLength = static_cast<uint32_t>(size);
    d.labelLength = static_cast<uint8_t>(label.size());
    d.nameLength = static_cast<uint8_t>(name.size());
}

// Whether composing the text again would change nothing: the command's
// label, name and parameters are still those its text was composed of, the
// parameters where they stand in it. A text held in a list loaded for a
// pass is mostly brought up to date unchanged.
bool composedFromFields(const SZOPH_CMDDATA& d)
{
    if (d.text == nullptr || d.pub.pszText != d.text)
        return false;
    const size_t label = d.labelLength, name = d.nameLength;
    const size_t parms = d.pub.ulParmsLength;
    const size_t prefix = (label == 0 ? 0 : label + 2) + name + (parms != 0 && name != 0 ? 1 : 0);
    const size_t size = prefix + parms;
    // the terminator stands where a new composition would write it, in the room
    if (d.pub.pszParms != d.text + prefix || d.pub.ulTextLength != size || size + 1 > d.textRoom ||
        d.text[size] != '\0')
        return false;
    // the label and name as the text holds them, each ending its field
    // (the text holds them trimmed, without a NUL); a few letters each,
    // compared in place
    auto same = [](const char* field, size_t n, const char* text) {
        for (size_t i = 0; i < n; ++i)
            if (field[i] != text[i])
                return false;
        return field[n] == '\0';
    };
    return same(d.pub.szLabel, label, d.text) && same(d.pub.szName, name, d.text + (label == 0 ? 0 : label + 2));
}

// Copies text without its trailing blanks into a terminated field, cut
// to fit.
void copyTrimmed(char* field, size_t size, std::string_view text)
{
    const std::string_view t = trimmedView(text);
    size_t n = std::min(t.size(), size - 1);
    std::memcpy(field, t.data(), n);
    field[n] = '\0';
}

bool functionExists(sqlite3* db, const std::string& partition, const std::string& process, const std::string& function)
{
    dqos::Stmt st(db, "SELECT 1 FROM QV_DTA.QV_F23 WHERE X23P_I = ? AND X23MOD = ? AND X23FMT = ?");
    if (!st.ok())
        return false;
    st.bindText(1, partition);
    st.bindText(2, process);
    st.bindText(3, function);
    return st.step() == SQLITE_ROW;
}

}  // namespace

using namespace dqos;

extern "C" unsigned short SZOPH_sLoadCommands(const char* pszProcess, const char* pszFunction, SZOPH_LIST** ppList,
                                              unsigned long ulReserved)
{
    if (ppList == nullptr)
        return 1;
    *ppList = nullptr;
    std::string process = trimmed(pszProcess);
    std::string function = trimmed(pszFunction);
    if (process.empty() || function.empty())
        return 1;
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (db == nullptr)
        return 1;
    std::string partition = sessionPartition();
    // a job loads its function's commands more than once: kept prepared
    auto list = std::make_unique<SZOPH_LIST>();
    // both reads select the function's rows by its three keys
    auto keyed = [&](PooledStmt& q) {
        q.bindText(1, partition);
        q.bindText(2, process);
        q.bindText(3, function);
    };
    {
        // the list's kind is the first command's: asked of that row alone,
        // not read from every row
        PooledStmt first(db, "SELECT SRCKND FROM QV_DTA.QV_SRC WHERE SRCP_I = ? AND SRCMOD = ? AND SRCFMT = ? "
                             "ORDER BY SRCSEQ LIMIT 1");
        if (!first.ok())
            return 1;
        keyed(first);
        const int rc = first.step();
        if (rc == SQLITE_ROW) {
            if (std::string_view kind = columnText(first.get(), 0); !kind.empty())
                list->kind = kind[0];
        } else if (rc != SQLITE_DONE) {
            return 1;
        }
    }
    PooledStmt st(db, "SELECT SRCSEQ, SRCLBL, SRCCMD, SRCCOD, SRCPRM FROM QV_DTA.QV_SRC "
                      "WHERE SRCP_I = ? AND SRCMOD = ? AND SRCFMT = ? ORDER BY SRCSEQ");
    if (!st.ok())
        return 1;
    keyed(st);
    int rc;
    // the row's texts are read in place (valid until the next step)
    auto column = [&st](int i) { return columnText(st.get(), i); };
    while ((rc = st.step()) == SQLITE_ROW) {
        SZOPH_CMDDATA* d = &list->commands.emplace_back();
        d->owner = list.get();
        d->pub.pData = d;
        d->pub.sNumber = static_cast<int16_t>(std::clamp<int64_t>(st.integer(0), 0, 32767));
        copyTrimmed(d->pub.szLabel, sizeof d->pub.szLabel, column(1));
        copyTrimmed(d->pub.szName, sizeof d->pub.szName, column(2));
        d->pub.usCode = static_cast<uint16_t>(std::clamp<int64_t>(st.integer(3), 0, 65535));
        composeText(*d, column(4));
    }
    if (rc != SQLITE_DONE)
        return 1;
    if (list->commands.empty() && !functionExists(db, partition, process, function))
        return 1;
    *ppList = list.release();
    return 0;
}

extern "C" void SZOPH_ResetCommandList(SZOPH_LIST* pList)
{
    if (pList)
        pList->next = 0;
}

extern "C" unsigned short SZOPH_sGetNextCommand(SZOPH_LIST* pList, SZOPH_COMMAND** ppCommand)
{
    if (pList == nullptr || ppCommand == nullptr || pList->next >= pList->commands.size())
        return 1;
    *ppCommand = &pList->commands[pList->next++].pub;
    return 0;
}

extern "C" void SZOPH_UpdateCmdText(SZOPH_COMMAND* pCommand, int iReserved1, int iReserved2, char chKind)
{
    if (pCommand == nullptr || pCommand->pData == nullptr)
        return;
    SZOPH_CMDDATA& d = *pCommand->pData;
    if (composedFromFields(d))
        return;
    composeText(d, std::string_view(d.pub.pszParms, d.pub.ulParmsLength));
}

extern "C" unsigned short SZOPH_InsertParmComp(SZOPH_COMMAND* pCommand, const SZOPH_PARMCOMP* pComp, int iReserved,
                                               char chKind)
{
    if (pCommand == nullptr || pCommand->pData == nullptr || pComp == nullptr)
        return 1;
    SZOPH_CMDDATA& d = *pCommand->pData;
    std::string text = trimmed(pComp->pszText);
    if (!d.components)
        d.components = std::make_unique<SZOPH_CMDDATA::Components>();
    auto& comps = d.components->comps;
    auto pos = std::find_if(comps.begin(), comps.end(), [&](const SZOPH_CMDDATA::Comp& c) {
        return c.parm > pComp->usParm || (c.parm == pComp->usParm && c.comp >= pComp->usComp);
    });
    if (pos != comps.end() && pos->parm == pComp->usParm && pos->comp == pComp->usComp)
        pos->text = std::move(text);
    else
        comps.insert(pos, SZOPH_CMDDATA::Comp{pComp->usParm, pComp->usComp, std::move(text)});
    refreshViews(*d.components);
    d.pub.fChanged = 1;
    if (d.owner)
        d.owner->changed = true;
    return 0;
}

extern "C" uint16_t SZOPH_usParmCompCount(const SZOPH_COMMAND* pCommand)
{
    if (pCommand == nullptr || pCommand->pData == nullptr || !pCommand->pData->components)
        return 0;
    return static_cast<uint16_t>(pCommand->pData->components->views.size());
}

extern "C" const SZOPH_PARMCOMP* SZOPH_pGetParmComp(const SZOPH_COMMAND* pCommand, uint16_t usIndex)
{
    if (pCommand == nullptr || pCommand->pData == nullptr || !pCommand->pData->components ||
        usIndex >= pCommand->pData->components->views.size())
        return nullptr;
    return &pCommand->pData->components->views[usIndex];
}

extern "C" char SZOPH_chListKind(const SZOPH_LIST* pList)
{
    return pList ? pList->kind : ' ';
}

extern "C" int SZOPH_fListChanged(const SZOPH_LIST* pList)
{
    return pList && pList->changed;
}

extern "C" void SZOPH_DropCommands(SZOPH_LIST* pList)
{
    std::unique_ptr<SZOPH_LIST> owned(pList);
}
