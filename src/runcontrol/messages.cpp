// Messages of a job: queued by id with their substitution data in a named
// list per message queue, resolved to texts only when shown, and listed by
// run mode at the end of the job.
#include "dqov/runcontrol/messages.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/record_store.h"
#include "runcontrol/message_table.h"
#include "runcontrol/rc_internal.h"
#include "runcontrol/services_bridge.h"

namespace {

using dqov::Msg;
using dqov::MsgId;

constexpr uint16_t kQueueCapacity = 65000;
// The most a tools message line takes.
constexpr size_t kToolsLineMost = 32767;

// Resolves one message; false when the id has no text. A message without
// a default severity counts as information.
bool resolve(const std::string& file, const std::string& id, const std::string& language, const char* data, size_t len,
             char& severity, std::string& text)
{
    char sev = ' ';
    bool found = bridge::MessageText(file, id, language, data, len, text, sev);
    severity = found ? (sev == ' ' || sev == 0 ? 'I' : sev) : 'F';
    // the text carriers hold their text in the data: it stands even when
    // the message table cannot be read
    if (!found && (id == MsgId(Msg::CheckerText) || id == MsgId(Msg::DiskSpaceLow) || id == MsgId(Msg::ServicesText)))
        text = rc::Trimmed(data, len);
    return found;
}

// The queue's name as its list is named (MessageQueueList): at most ten
// characters, trailing blanks dropped.
std::string_view queueName(const char* queue)
{
    size_t n = strnlen(queue, 10);
    while (n > 0 && queue[n - 1] == ' ')
        --n;
    return {queue, n};
}

int severityNumber(char severity)
{
    switch (severity) {
    case 'F': return 1;
    case 'W': return 2;
    default: return 3;
    }
}

struct Lister {
    FFC_CONTEXT* ctx;
    const FFC_RUN_STATISTICS* stats;
    FFC_MESSAGE_CALLBACK callback;
    void* cmpe;
    void* lpc;
    std::string language;
};

void show(Lister& l, const std::string& id, char severity, uint32_t line, const std::string& command,
          const std::string& text)
{
    std::string shown;
    shown.reserve(id.size() + command.size() + text.size() + 24);
    shown += id;
    shown += ' ';
    shown += severity;
    if (line) {
        char number[16];
        const auto written = std::to_chars(number, number + sizeof number, line);
        shown += " Line ";
        shown.append(number, written.ptr);
        if (!command.empty()) {
            shown += ' ';
            shown += command;
        }
        shown += ':';
    }
    shown += ' ';
    shown += text;
    switch (FFC_sGetRunMode()) {
    case FFC_RUN_MODE_TOOLS:
        P31O2_SetSeverityColour(static_cast<int16_t>(severityNumber(severity)));
        if (shown.size() <= kToolsLineMost / 4) {
            // the tools line writes control bytes visibly itself, and even
            // with every byte escaped (four for one) the line stays whole
            rc::IssueText(shown);
        } else {
            shown = rc::VisibleText(shown);  // a NUL from the source must not end the line
            FFC_TOOLS_Message(shown.data(), static_cast<int16_t>(std::min(shown.size(), kToolsLineMost)));
        }
        P31O2_SetSeverityColour(0);
        return;
    case FFC_RUN_MODE_EDITOR:
        if (l.callback) {
            FFC_MESSAGE_CALLBACK_RECORD r{};
            std::snprintf(r.acMsgId, sizeof r.acMsgId, "%.7s", id.c_str());
            std::snprintf(r.acText, sizeof r.acText, "%s", text.c_str());
            r.ulTextLength = static_cast<uint32_t>(std::strlen(r.acText));
            r.cSeverity = severity;
            r.ulLine = line;
            if (l.stats) {
                r.ulErrors = static_cast<uint32_t>(l.stats->lFatalTotal);
                r.ulWarnings = static_cast<uint32_t>(l.stats->lWarningsTotal);
            }
            l.callback(l.cmpe, l.lpc, &r);
            return;
        }
        bridge::DisplayServicesMessage(180, shown);
        return;
    default: bridge::DisplayServicesMessage(180, shown); return;
    }
}

void listGroup(const FFC_MESSAGE_GROUP* g, void* user)
{
    auto& l = *static_cast<Lister*>(user);
    for (uint32_t i = 0; i < g->ulCount; ++i) {
        const FFC_CHECK_MESSAGE& m = *g->apMessages[i];
        std::string id = rc::Trimmed(m.acMsgId, 7);
        std::string text;
        char severity = m.cSeverity;
        if (id.empty()) {
            text = rc::Trimmed(m.acText, sizeof m.acText);
        } else {
            char resolved = severity;
            resolve(rc::Trimmed(m.acObject, 10), id, l.language, m.acText, sizeof m.acText, resolved, text);
        }
        show(l, id, severity == ' ' || severity == 0 ? 'I' : severity, m.ulLine, rc::Trimmed(m.acCommand, 10), text);
    }
    if (g->ulFurther > 0 && g->ulGroup != FFC_MESSAGE_GROUP_SUMMARY) {
        uint32_t line = g->apMessages[0]->ulLine;
        std::string note = std::to_string(g->ulFurther) + " further messages on line " + std::to_string(line) +
                           " (more than " + std::to_string(FFC_MESSAGE_GROUP_SIZE) + " in one group)";
        show(l, "", 'I', line, "", note);
    }
}

}  // namespace

namespace rc {

QueueListName MessageQueueList(const char* queue)
{
    static constexpr char kPrefix[] = "DC_P9006/MQ/";
    QueueListName name;
    std::memcpy(name.text, kPrefix, sizeof kPrefix - 1);
    const std::string_view queueText = queue ? queueName(queue) : std::string_view();
    if (!queueText.empty())
        std::memcpy(name.text + sizeof kPrefix - 1, queueText.data(), queueText.size());
    name.text[sizeof kPrefix - 1 + queueText.size()] = '\0';
    return name;
}

int16_t CreateMessageQueue(FFC_CONTEXT* ctx, const char* queue)
{
    uint16_t size = sizeof(FFC_MESSAGE_RECORD);
    uint16_t count = kQueueCapacity;
    return qvrmm1(ctx, 'V', MessageQueueList(queue).c_str(), &size, &count, nullptr);
}

}  // namespace rc

extern "C" {

int P9006_fCountMessage(FFC_RUN_STATISTICS* pStats, char cSeverity, int32_t lPass)
{
    if (!pStats)
        return 0;
    const bool later = lPass > 1;
    if (cSeverity == 'F') {
        ++pStats->lFatalTotal;
        ++(later ? pStats->lFatalLater : pStats->lFatalPass1);
        return 1;
    }
    if (cSeverity == 'W') {
        ++pStats->lWarningsTotal;
        ++(later ? pStats->lWarningsLater : pStats->lWarningsPass1);
        return 1;
    }
    return 0;
}

int16_t P9006_sQueueMessage(FFC_CONTEXT* ctx, const char* queue, const char* msgId, uint16_t len, const void* data)
{
    if (!ctx || !queue || !msgId)
        return -1;
    if (len > FFC_MSG_DATA_MAX)
        return QVRMM_TOO_LONG;
    int16_t rc = rc::CreateMessageQueue(ctx, queue);
    if (rc != QVRMM_OK && rc != QVRMM_EXISTS)
        return rc;
    const rc::QueueListName name = rc::MessageQueueList(queue);
    FFC_MESSAGE_RECORD r;
    std::memset(&r, ' ', sizeof r);
    std::memcpy(r.acLanguage, ctx->acLanguage, 4);
    std::memcpy(r.acMsgFile, ctx->acObjectName, 10);
    rc::Pad(r.acMsgId, 7, std::string_view(msgId, strnlen(msgId, 7)));
    r.usDataLength = len;
    if (data && len)
        std::memcpy(r.acData, data, len);
    uint16_t number = 0;
    uint16_t length = static_cast<uint16_t>(offsetof(FFC_MESSAGE_RECORD, acData) + len);
    return QVRMM_sPutEntry(ctx, name.c_str(), &number, &r, &length);
}

int16_t P9006_sEmptyMessageQueue(FFC_CONTEXT* ctx, const char* queue)
{
    if (!ctx || !queue)
        return -1;
    const std::string_view name = queueName(queue);
    if (rc::QueueListKnownMissing(ctx, name))
        return -1;
    const int16_t rc = qvrmm4(ctx, rc::MessageQueueList(queue).c_str());
    if (rc == QVRMM_NOT_FOUND)
        rc::NoteQueueListMissing(ctx, name);
    return rc == QVRMM_OK ? 0 : -1;
}

int16_t qvrms3(FFC_CONTEXT* ctx, const char* queue, uint32_t* count)
{
    const rc::QueueListName name = rc::MessageQueueList(queue);
    uint16_t n = 1;
    uint16_t len = 0;
    int16_t rc = QVRMM_sGetEntry(ctx, name.c_str(), &n, nullptr, &len);
    if (rc == QVRMM_NOT_FOUND || rc == QVRMM_WRONG_TYPE)
        return -1;
    if (count)
        *count = QVRMM_usHighestEntry(ctx, name.c_str());
    return 0;
}

int16_t qvrms4(FFC_CONTEXT* ctx, const char* queue, uint32_t number, char* msgId, char* severity, char* text,
               uint32_t capacity)
{
    const rc::QueueListName name = rc::MessageQueueList(queue);
    if (number == 0 || number > kQueueCapacity)
        return 1;
    uint16_t n = static_cast<uint16_t>(number);
    uint16_t len = 0;
    FFC_MESSAGE_RECORD r;
    std::memset(&r, ' ', sizeof r);
    int16_t rc = QVRMM_sGetEntry(ctx, name.c_str(), &n, &r, &len);
    if (rc == QVRMM_NOT_FOUND || rc == QVRMM_WRONG_TYPE)
        return -1;
    if (rc != QVRMM_OK)
        return 1;
    char sev = 'F';
    std::string t;
    resolve(rc::Trimmed(r.acMsgFile, 10), rc::Trimmed(r.acMsgId, 7), rc::Trimmed(r.acLanguage, 4), r.acData,
            r.usDataLength, sev, t);
    if (msgId)
        std::snprintf(msgId, 8, "%.7s", r.acMsgId);
    if (severity)
        *severity = sev;
    if (text && capacity)
        std::snprintf(text, capacity, "%s", t.c_str());
    return 0;
}

int16_t P9006_sResolveMessage(const char* file, const char* id, const char* language, const void* data, uint16_t len,
                              char* severity, char* text, uint32_t capacity)
{
    char sev = 'F';
    std::string t;
    bool found = resolve(rc::Trimmed(file, 10), rc::Trimmed(id, 7), rc::Trimmed(language, 4),
                         static_cast<const char*>(data), data ? len : 0, sev, t);
    if (severity)
        *severity = sev;
    if (text && capacity)
        std::snprintf(text, capacity, "%s", t.c_str());
    return found ? 0 : 1;
}

uint32_t P9006_ulReplayQueuedMessages(FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const char* queue)
{
    if (ctx && queue && rc::QueueListKnownMissing(ctx, queueName(queue)))
        return 0;  // no list: nothing queued
    const rc::QueueListName name = rc::MessageQueueList(queue);
    uint16_t highest = QVRMM_usHighestEntry(ctx, name.c_str());
    if (highest == 0)
        return 0;  // nothing queued: nothing to move, nothing to clear
    uint32_t moved = 0;
    for (uint16_t i = 1; i <= highest; ++i) {
        FFC_MESSAGE_RECORD r;
        std::memset(&r, ' ', sizeof r);
        uint16_t n = i;
        uint16_t len = 0;
        if (QVRMM_sGetEntry(ctx, name.c_str(), &n, &r, &len) != QVRMM_OK)
            continue;
        char severity = 'F';
        std::string ignored;
        resolve(rc::Trimmed(r.acMsgFile, 10), rc::Trimmed(r.acMsgId, 7), rc::Trimmed(r.acLanguage, 4), r.acData,
                r.usDataLength, severity, ignored);
        FFC_CHECK_MESSAGE m;
        std::memset(&m, ' ', sizeof m);
        m.ulLine = state && state->lLine > 0 ? static_cast<uint32_t>(state->lLine) : 0;
        m.ulSubLine = state && state->lLineWord > 0 ? static_cast<uint32_t>(state->lLineWord) : 0;
        m.usPass = state ? static_cast<uint16_t>(state->lPass) : 0;
        if (state)
            std::memcpy(m.acCommand, state->acCommand, 10);
        m.cSeverity = severity;
        std::memcpy(m.acMsgId, r.acMsgId, 7);
        std::memcpy(m.acObject, r.acMsgFile, 10);
        std::memcpy(m.acText, r.acData, std::min<size_t>(r.usDataLength, sizeof m.acText));
        if (RS_sAddRunMessage(ctx, &m) != 0)
            continue;
        ++moved;
        if (!state)
            continue;
        if (P9006_fCountMessage(&state->stats, severity, state->lPass))
            state->cLastSeverity = severity;
    }
    qvrmm4(ctx, name.c_str());
    return moved;
}

void P31O2_ListRunMessages(FFC_CONTEXT* ctx, const char* queue, const FFC_RUN_STATISTICS* stats,
                           FFC_MESSAGE_CALLBACK callback, void* cmpe, void* lpc)
{
    if (!ctx)
        return;
    Lister l{ctx, stats, callback, cmpe, lpc, rc::Trimmed(ctx->acLanguage, 4)};
    RS_ListMessageGroups(ctx, listGroup, &l);
    if (!queue)
        return;
    uint32_t count = 0;
    if (qvrms3(ctx, queue, &count) != 0)
        return;
    for (uint32_t i = 1; i <= count; ++i) {
        char id[8] = {};
        char severity = 'F';
        char text[512];
        if (qvrms4(ctx, queue, i, id, &severity, text, sizeof text) == 0)
            show(l, rc::Trimmed(id, 7), severity, 0, "", text);
    }
}

}  // extern "C"
