// Messages: numbered services messages (QV_SMS), message texts by file, id
// and language (QV_MSG), and where shown messages go (display hook,
// redirection buffer, standard error).
#include "platform/dqos/dqos_messages.h"

#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

namespace dqos {
namespace {

std::optional<MessageText> findExact(std::string_view file, std::string_view id, std::string_view language)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (db == nullptr)
        return std::nullopt;
    PooledStmt st(db, "SELECT MSGSEV, MSGSUB, MSGTXT FROM QV_DTA.QV_MSG WHERE MSGFIL = ? AND MSGID = ? AND MSGLNG = ?");
    if (!st.ok())
        return std::nullopt;
    st.bindText(1, file);
    st.bindText(2, id);
    st.bindText(3, language);
    if (st.step() != SQLITE_ROW)
        return std::nullopt;
    MessageText m;
    m.file = std::string(file);
    m.id = std::string(id);
    m.language = std::string(language);
    std::string sev = st.text(0);
    m.severity = sev.empty() ? ' ' : sev[0];
    m.layout = st.text(1);
    m.text = st.text(2);
    return m;
}

std::vector<std::string> languageChain(std::string_view language)
{
    std::string asked = trimmed(language);
    if (asked.empty())
        asked = sessionLanguage();
    std::string fallback = defaultLanguage();
    std::vector<std::string> chain;
    if (!asked.empty())
        chain.push_back(asked);
    if (fallback != asked)
        chain.push_back(fallback);
    return chain;
}

// Widths of the substitution fields; -1 stands for "the rest of the data".
std::vector<long> fieldWidths(const std::string& layout)
{
    std::vector<long> widths;
    size_t i = 0;
    while (i < layout.size()) {
        size_t comma = layout.find(',', i);
        std::string part =
            trimmed(std::string_view(layout).substr(i, comma == std::string::npos ? std::string::npos : comma - i));
        while (!part.empty() && part.front() == ' ')
            part.erase(part.begin());
        if (part == "*")
            widths.push_back(-1);
        else if (!part.empty())
            widths.push_back(std::strtol(part.c_str(), nullptr, 10));
        if (comma == std::string::npos)
            break;
        i = comma + 1;
    }
    return widths;
}

struct DisplayState {
    SMSG_DISPLAY_HOOK hook = nullptr;
    void* user = nullptr;
    // Numbered formats handed out by SMSG_pszGetMessage; kept for the
    // process, since callers hold on to them.
    std::map<std::pair<unsigned long, std::string>, std::string> formats;
};

DisplayState& display()
{
    static DisplayState d;
    return d;
}

thread_local char* tlsRedirect = nullptr;
thread_local size_t tlsRedirectSize = 0;

// One conversion of a numbered message format.
struct Conversion {
    std::string spec;  // "%-10s", "%ld" ...
    char letter = 0;
    bool isLong = false;
};

// Splits a stored format into literal text and conversions; false when it
// holds a conversion the formatter does not take, or more than three.
bool parseFormat(const std::string& fmt, std::vector<std::string>& literals, std::vector<Conversion>& convs)
{
    std::string lit;
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            lit += fmt[i];
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
            lit += '%';
            ++i;
            continue;
        }
        Conversion c;
        size_t j = i + 1;
        if (j < fmt.size() && fmt[j] == '-')
            ++j;
        while (j < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[j])))
            ++j;
        if (j < fmt.size() && fmt[j] == '.') {
            ++j;
            while (j < fmt.size() && std::isdigit(static_cast<unsigned char>(fmt[j])))
                ++j;
        }
        if (j < fmt.size() && fmt[j] == 'l') {
            c.isLong = true;
            ++j;
        }
        if (j >= fmt.size() || std::strchr("sdiucx", fmt[j]) == nullptr)
            return false;
        if (c.isLong && (fmt[j] == 's' || fmt[j] == 'c'))
            return false;
        c.letter = fmt[j];
        c.spec = fmt.substr(i, j - i + 1);
        literals.push_back(lit);
        lit.clear();
        convs.push_back(c);
        if (convs.size() > 3)
            return false;
        i = j;
    }
    literals.push_back(lit);
    return true;
}

std::string formatNumbered(const std::string& fmt, va_list& ap)
{
    std::vector<std::string> literals;
    std::vector<Conversion> convs;
    if (!parseFormat(fmt, literals, convs))
        return fmt;
    std::string out = literals[0];
    char buf[512];
    for (size_t k = 0; k < convs.size(); ++k) {
        const Conversion& c = convs[k];
        const char* spec = c.spec.c_str();
        switch (c.letter) {
        case 's': {
            const char* s = va_arg(ap, const char*);
            std::snprintf(buf, sizeof buf, spec, s ? s : "");
            break;
        }
        case 'c': std::snprintf(buf, sizeof buf, spec, va_arg(ap, int)); break;
        default:
            if (c.isLong)
                std::snprintf(buf, sizeof buf, spec, va_arg(ap, long));
            else
                std::snprintf(buf, sizeof buf, spec, va_arg(ap, int));
        }
        out += buf;
        out += literals[k + 1];
    }
    return out;
}

// The state of the repository a text was read in: the commits of other
// connections (the data version; inside a unit of work its number, since
// no other connection's commit reaches the unit), the changes of this
// connection and its rollbacks (which take changes back without a new
// change).
struct RepositoryVersion {
    int64_t others = -1, own = -1;
    unsigned long unit = 0;
    uint64_t rollbacks = 0;
    bool operator==(const RepositoryVersion&) const = default;
};

// The texts found so far, by file, id, language asked and session language
// (a job lists hundreds of messages of a few ids), as the repository stood
// at `version`.
struct FoundTexts {
    RepositoryVersion version;
    std::unordered_map<std::string, MessageText> texts;
    sqlite3* watched = nullptr;  // the connection whose rollbacks are counted
    uint64_t rollbacks = 0;
};

FoundTexts& foundTexts()
{
    static FoundTexts texts;
    return texts;
}

// The repository's state now; `others` -1 when it cannot be read.
RepositoryVersion repositoryVersion(sqlite3* db)
{
    FoundTexts& found = foundTexts();
    if (found.watched != db) {
        sqlite3_rollback_hook(db, [](void*) { ++foundTexts().rollbacks; }, nullptr);
        found.watched = db;
    }
    RepositoryVersion version;
    version.unit = SSQL_ulUnitOfWork();
    if (version.unit != 0) {
        version.others = 0;
    } else {
        PooledStmt st(db, "PRAGMA QV_DTA.data_version");
        if (!st.ok() || st.step() != SQLITE_ROW)
            return version;
        version.others = st.integer(0);
    }
    version.own = sqlite3_total_changes64(db);
    version.rollbacks = found.rollbacks;
    return version;
}

std::optional<MessageText> findMessage(std::string_view file, std::string_view id, std::string_view language);

}  // namespace

namespace {

// The text lookupMessage finds, with the lock held: a text kept is answered
// where it lies (valid while the lock is held), one that cannot be kept is
// put into `spare`. Null when there is none.
const MessageText* findLocked(sqlite3* db, std::string_view file, std::string_view id, std::string_view language,
                              std::optional<MessageText>& spare)
{
    FoundTexts& found = foundTexts();
    const RepositoryVersion version = repositoryVersion(db);
    const bool keeps = version.others >= 0;
    if (!keeps || !(version == found.version)) {
        found.texts.clear();
        found.version = version;
    }
    std::string key = trimmed(file);
    key += '\0';
    key += trimmed(id);
    key += '\0';
    key += trimmed(language);
    key += '\0';
    key += sessionLanguage();
    if (auto known = found.texts.find(key); known != found.texts.end())
        return &known->second;
    spare = findMessage(file, id, language);
    if (!spare)
        return nullptr;
    if (!keeps)
        return &*spare;
    return &found.texts.emplace(std::move(key), std::move(*spare)).first->second;
}

// The fields of the substitution data by the layout, without their
// trailing blanks (views of `data`); returns how many there are.
size_t cutFields(const std::string& layout, std::string_view data, std::vector<std::string_view>& fields)
{
    std::vector<long> widths = fieldWidths(layout);
    if (widths.empty() && !data.empty())
        widths.push_back(-1);
    fields.clear();
    size_t pos = 0;
    for (long w : widths) {
        if (pos >= data.size()) {
            fields.emplace_back();
            continue;
        }
        size_t n = w < 0 ? data.size() - pos : std::min(static_cast<size_t>(w), data.size() - pos);
        std::string_view field = data.substr(pos, n);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\0'))
            field.remove_suffix(1);
        fields.push_back(field);
        pos += n;
    }
    return fields.size();
}

// substituteMessage into out: the text between markers is copied in one
// piece each.
void substituteInto(const MessageText& message, std::string_view data, std::string& out)
{
    std::vector<std::string_view> fields;
    cutFields(message.layout, data, fields);
    const std::string_view t = message.text;
    out.clear();
    out.reserve(t.size() + data.size());
    size_t i = 0;
    while (i < t.size()) {
        const size_t amp = t.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(t.substr(i));
            break;
        }
        out.append(t.substr(i, amp - i));
        i = amp;
        if (i + 1 < t.size() && t[i + 1] == '&') {
            out += '&';
            i += 2;
            continue;
        }
        if (i + 1 < t.size() && std::isdigit(static_cast<unsigned char>(t[i + 1]))) {
            size_t j = i + 1;
            size_t n = 0;
            while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j])))
                n = n * 10 + (t[j++] - '0');
            if (n >= 1 && n <= fields.size())
                out.append(fields[n - 1]);
            i = j;
            continue;
        }
        out += '&';
        ++i;
    }
}

}  // namespace

std::optional<MessageText> lookupMessage(std::string_view file, std::string_view id, std::string_view language)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (db == nullptr)
        return std::nullopt;
    std::optional<MessageText> spare;
    const MessageText* m = findLocked(db, file, id, language, spare);
    if (!m)
        return std::nullopt;
    return *m;
}

void forgetMessageTexts()
{
    std::lock_guard lock(dbLock());
    foundTexts() = {};
}

namespace {

std::optional<MessageText> findMessage(std::string_view file, std::string_view id, std::string_view language)
{
    std::string f = trimmed(file);
    std::string i = trimmed(id);
    const std::vector<std::string> languages = languageChain(language);
    for (const std::string& lang : languages)
        if (auto m = findExact(f, i, lang))
            return m;
    if (f != kLibraryMessageFile)
        for (const std::string& lang : languages)
            if (auto m = findExact(kLibraryMessageFile, i, lang))
                return m;
    return std::nullopt;
}

}  // namespace

std::string substituteMessage(const MessageText& message, std::string_view data)
{
    std::string out;
    substituteInto(message, data, out);
    return out;
}

std::optional<std::string> numberedMessageFormat(unsigned long number, std::string_view language)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (db == nullptr)
        return std::nullopt;
    for (const std::string& lang : languageChain(language)) {
        PooledStmt st(db, "SELECT SMSTXT FROM QV_DTA.QV_SMS WHERE SMSNUM = ? AND SMSLNG = ?");
        if (!st.ok())
            return std::nullopt;
        st.bindInt(1, static_cast<int64_t>(number));
        st.bindText(2, lang);
        if (st.step() == SQLITE_ROW)
            return st.text(0);
    }
    return std::nullopt;
}

}  // namespace dqos

using namespace dqos;

extern "C" const char* SMSG_pszGetMessage(unsigned long ulNumber, unsigned long ulReserved)
{
    std::lock_guard lock(dbLock());
    std::optional<std::string> fmt = numberedMessageFormat(ulNumber, {});
    if (!fmt)
        return nullptr;
    auto key = std::make_pair(ulNumber, *fmt);
    auto [it, inserted] = display().formats.emplace(key, *fmt);
    return it->second.c_str();
}

extern "C" unsigned short SMSG_sGetMessage(void* hwndOwner, unsigned long ulNumber, unsigned long ulStyle,
                                           unsigned long ulHelp, unsigned short usButtons, ...)
{
    std::optional<std::string> fmt = numberedMessageFormat(ulNumber, {});
    if (!fmt)
        return 1;
    va_list ap;
    va_start(ap, usButtons);
    std::string text = formatNumbered(*fmt, ap);
    va_end(ap);
    SMSG_DisplayMessage(text.c_str());
    return 0;
}

extern "C" void SMSG_DisplayMessage(const char* pszText)
{
    const char* text = pszText ? pszText : "";
    if (tlsRedirect != nullptr) {
        size_t used = std::strlen(tlsRedirect);
        if (used > 0 && used + 1 < tlsRedirectSize)
            tlsRedirect[used++] = '\n';
        std::snprintf(tlsRedirect + used, tlsRedirectSize - used, "%s", text);
        return;
    }
    SMSG_DISPLAY_HOOK hook;
    void* user;
    {
        std::lock_guard lock(dbLock());
        hook = display().hook;
        user = display().user;
    }
    if (hook != nullptr) {
        hook(user, text);
        return;
    }
    std::fprintf(stderr, "%s\n", text);
}

extern "C" void SMSG_SetDisplayHook(SMSG_DISPLAY_HOOK pfnHook, void* pUser)
{
    std::lock_guard lock(dbLock());
    display().hook = pfnHook;
    display().user = pUser;
}

extern "C" void SMSG_RedirectMsgs(char* pszBuffer, size_t ulSize)
{
    if (pszBuffer == nullptr || ulSize == 0) {
        tlsRedirect = nullptr;
        tlsRedirectSize = 0;
        return;
    }
    pszBuffer[0] = '\0';
    tlsRedirect = pszBuffer;
    tlsRedirectSize = ulSize;
}

extern "C" unsigned short SMSG_sGetMessageText(const char* pszMsgFile, const char* pszMsgId, const char* pszLanguage,
                                               const char* pData, size_t ulDataLen, char* pszOut, size_t ulOutSize,
                                               char* pchSeverity)
{
    std::string_view data = pData ? std::string_view(pData, ulDataLen) : std::string_view();
    const std::string file = trimmed(pszMsgFile), id = trimmed(pszMsgId), language = trimmed(pszLanguage);
    std::string text;
    bool found = false;
    {
        // the text kept is substituted where it lies, under the lock
        std::lock_guard lock(dbLock());
        if (sqlite3* db = dbHandle()) {
            std::optional<MessageText> spare;
            if (const MessageText* m = findLocked(db, file, id, language, spare)) {
                substituteInto(*m, data, text);
                if (pchSeverity)
                    *pchSeverity = m->severity;
                found = true;
            }
        }
    }
    if (!found) {
        text = id;
        std::string d = trimmed(data);
        if (!d.empty())
            text += " " + d;
        if (pchSeverity)
            *pchSeverity = ' ';
    }
    if (pszOut != nullptr && ulOutSize > 0) {
        // as far as the text's first NUL, cut to the room
        const size_t n = std::min(std::min(text.find('\0'), text.size()), ulOutSize - 1);
        std::memcpy(pszOut, text.data(), n);
        pszOut[n] = '\0';
    }
    return found ? 0 : 1;
}
