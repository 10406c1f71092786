/* Preparation of one command's parameters.
 *
 * The parameter text is read as a sequence of items: KEYWORD(values) or a
 * value given by position.  A value is a word, a quoted literal ('' stands
 * for one quote) or a bracketed list of values, so lists of lists are
 * written ((a b) (c d)).  Each item is then stored into the parsed command
 * as the command's parameter definition (from the keyword area) says.
 * Findings are queued as messages; bad input never writes outside a field. */
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "params/cmdparm_internal.h"
#include "params/fixed_text.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace dqov::cmdparm {
namespace {

using dqov::text::Upper;

/* The keyword area most recently handed to the preparation; the defaults
 * handler reads it. */
const void* g_area = nullptr;
uint16_t g_areaCount = 0;

std::string UpperCopy(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = dqov::text::UpperChar(c);
    return s;
}

/* A value lies in the parameter text, which outlives the preparation;
 * only a quoted literal's content is kept apart (its '' are one quote). */
struct Value {
    std::string_view written; /* the value as written (a literal with its quotes) */
    std::string content;      /* a quoted literal's content */
    bool quoted = false;
    bool group = false;
    std::vector<Value> items;
    size_t begin = 0, end = 0; /* raw text of a group's content */

    /* a literal's content, a word as written; nothing for a group */
    std::string_view Text() const { return quoted ? std::string_view(content) : group ? std::string_view() : written; }
    std::string UpperText() const { return UpperCopy(Text()); }
};

struct Item {
    std::string keyword; /* empty: given by position */
    Value value;
    size_t column = 0;

    /* as a new item, keeping the room its texts and lists took */
    void Reset()
    {
        keyword.clear();
        value.written = {};
        value.content.clear();
        value.quoted = value.group = false;
        value.items.clear();
        value.begin = value.end = 0;
        column = 0;
    }
};

/* The items of the command being prepared and the parameters it gave, kept
 * between preparations (one at a time) so that their room is allocated once. */
struct Scratch {
    std::vector<Item> items;
    size_t used = 0;
    std::vector<bool> given;
};

Scratch& TheScratch()
{
    static Scratch scratch;
    return scratch;
}

class Preparer {
public:
    /* ownDefaults: the area holds the view's defaults (this module's
     * defaults handler set it) */
    Preparer(FFC_CONTEXT* ctx, const char* queue, const CommandView& view, FFC_PARSED_COMMAND* cmd,
             FFC_COMMAND_EXTENSION* ext, bool ownDefaults)
        : ctx_(ctx), queue_(queue), view_(view), cmd_(cmd), ext_(ext), ownDefaults_(ownDefaults)
    {}

    bool Run(std::string_view text);
    /* Result slots that follow from the parameters given. */
    void Derive();
    /* The end of what the defaults, the parameters given and the result
     * slots may have written to the parameter area. */
    int32_t WrittenPast() const
    {
        int32_t end = std::max(view_.defaultsMade ? view_.defaultsPast : FFC_PARM_AREA_SIZE, assignedPast_);
        return view_.derives ? std::max(end, view_.derivedPast) : end;
    }

private:
    const ParamView* Slot(DeriveParam which) const
    {
        const int16_t at = view_.deriveParams[which];
        return at < 0 ? nullptr : &view_.params[static_cast<size_t>(at)];
    }
    std::string Read(DeriveParam which, size_t element = 0) const;
    bool NamesField(const std::string& text) const;
    void WriteCode(DeriveParam which, size_t element, char code);
    /* ---- findings ---- */
    void Issue(Msg msg, const std::string& data)
    {
        failed_ = true;
        if (ctx_ && queue_)
            P9006_sQueueMessage(ctx_, queue_, dqov::MsgId(msg),
                                static_cast<uint16_t>(std::min<size_t>(data.size(), FFC_MSG_DATA_MAX)), data.data());
    }
    std::string CommandName() const { return Fixed(view_.name, 10); }

    /* ---- reading ---- */
    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }
    bool ReadQuoted(Value& v);
    bool ReadGroup(Value& v);
    bool ReadValue(Value& v);
    bool ReadItems(Scratch& scratch);

    /* ---- storing ---- */
    const ParamView* Find(const std::string& keyword) const;
    void Assign(const ParamView& p, const Item& item);
    void StoreEntries(const ParamView& p, std::span<const Value> values);
    bool Allowed(const ParamView& p, const Value& v) const;
    bool StoreElement(const ParamView& p, size_t e, int32_t at, const Value& v);
    void StoreAttributes(const ParamView& p, size_t entry, std::span<const Value> extra);

    FFC_CONTEXT* ctx_;
    const char* queue_;
    const CommandView& view_;
    FFC_PARSED_COMMAND* cmd_;
    FFC_COMMAND_EXTENSION* ext_;
    bool ownDefaults_;
    std::string_view text_;
    size_t pos_ = 0;
    bool failed_ = false;
    std::vector<bool>& given_ = TheScratch().given;
    int32_t assignedPast_ = 0; /* the largest WrittenPast of a parameter given */
    /* the expression parameters given as one quoted literal */
    std::vector<std::string> quotedExpressions_;
};

bool Preparer::ReadQuoted(Value& v)
{
    size_t start = pos_++;
    std::string content;
    while (pos_ < text_.size()) {
        /* the text up to the next quote as it stands */
        const size_t quote = text_.find('\'', pos_);
        if (quote == std::string_view::npos) {
            pos_ = text_.size();
            break;
        }
        content.append(text_.data() + pos_, quote - pos_);
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == '\'') {
            content += '\'';
            ++pos_;
            continue;
        }
        v.quoted = true;
        v.content = std::move(content);
        v.written = text_.substr(start, pos_ - start);
        return true;
    }
    Issue(Msg::LiteralNotClosed, CommandName() + Signed7(static_cast<long>(start + 1)));
    return false;
}

bool Preparer::ReadGroup(Value& v)
{
    size_t open = pos_++;
    v.group = true;
    v.begin = pos_;
    for (;;) {
        SkipBlanks();
        if (pos_ >= text_.size()) {
            Issue(Msg::BracketNotClosed, CommandName() + Signed7(static_cast<long>(open + 1)));
            return false;
        }
        if (text_[pos_] == ')') {
            v.end = pos_++;
            v.written = text_.substr(open, pos_ - open);
            return true;
        }
        /* read in place: no value of its own to move in and destroy */
        if (!ReadValue(v.items.emplace_back())) {
            v.items.pop_back();
            return false;
        }
    }
}

bool Preparer::ReadValue(Value& v)
{
    SkipBlanks();
    if (pos_ >= text_.size())
        return false;
    char c = text_[pos_];
    if (c == '\'')
        return ReadQuoted(v);
    if (c == '(')
        return ReadGroup(v);
    if (c == ')') {
        Issue(Msg::BracketClosesNothing, CommandName() + Signed7(static_cast<long>(pos_ + 1)));
        return false;
    }
    size_t start = pos_;
    while (pos_ < text_.size()) {
        char d = text_[pos_];
        if (d == ' ' || d == '\t' || d == '(' || d == ')')
            break;
        if (d == '\'') {
            /* a prefixed literal such as X'0A' stays one value */
            Value inner;
            if (!ReadQuoted(inner))
                return false;
            continue;
        }
        ++pos_;
    }
    v.written = text_.substr(start, pos_ - start);
    return true;
}

bool Preparer::ReadItems(Scratch& scratch)
{
    for (;;) {
        SkipBlanks();
        if (pos_ >= text_.size())
            return true;
        if (scratch.used == scratch.items.size())
            scratch.items.emplace_back();
        Item& item = scratch.items[scratch.used++];
        item.Reset();
        item.column = pos_ + 1;
        size_t start = pos_;
        while (pos_ < text_.size() && (dqov::text::IsAlnum(text_[pos_]) || text_[pos_] == '_' ||
                                       (pos_ == start && text_[pos_] == '@')))
            ++pos_;
        if (pos_ > start && pos_ < text_.size() && text_[pos_] == '(' &&
            (dqov::text::IsAlpha(text_[start]) || text_[start] == '@')) {
            item.keyword.assign(text_.substr(start, pos_ - start));
            for (char& c : item.keyword)
                c = dqov::text::UpperChar(c);
            if (!ReadGroup(item.value))
                return false;
        } else {
            pos_ = start;
            if (!ReadValue(item.value))
                return false;
        }
    }
}

const ParamView* Preparer::Find(const std::string& keyword) const
{
    const std::string* name = &keyword; /* the last alias of the keyword names the parameter */
    for (const auto& [alias, target] : view_.aliases)
        if (alias == keyword)
            name = &target;
    for (const ParamView& p : view_.params)
        if (p.keyword == *name && p.keyword[0] != '@')
            return &p;
    return nullptr;
}

bool Preparer::StoreElement(const ParamView& p, size_t e, int32_t at, const Value& v)
{
    const ElementView& el = p.elements[e];
    int32_t size = p.ElementSize(e);
    if (at < 0 || at + size > FFC_PARM_AREA_SIZE)
        return false;
    char* field = cmd_->acParms + at;
    std::string_view s; /* the text stored, upper-cased in the field when upper */
    bool upper = false;
    switch (el.kind) {
    case 'N':
    case 'H': {
        std::string t = TrimBlanks(v.Text());
        char* endp = nullptr;
        errno = 0;
        long n = t.empty() || v.group ? 0 : std::strtol(t.c_str(), &endp, 10);
        if (t.empty() || v.group || v.quoted || *endp != '\0') {
            Issue(Msg::ValueNotWholeNumber, Fixed(p.keyword, 10) + Fixed(v.written, 20));
            return false;
        }
        long lo = el.kind == 'N' ? INT32_MIN : INT16_MIN, hi = el.kind == 'N' ? INT32_MAX : INT16_MAX;
        if (errno == ERANGE || n < lo || n > hi) {
            Issue(Msg::ParameterValueTooLong,
                  Fixed(p.keyword, 10) + Signed7(el.kind == 'N' ? 10 : 5) + Fixed(v.written, 20));
            return false;
        }
        if (el.kind == 'N') {
            int32_t x = static_cast<int32_t>(n);
            std::memcpy(field, &x, 4);
        } else {
            int16_t x = static_cast<int16_t>(n);
            std::memcpy(field, &x, 2);
        }
        return true;
    }
    case 'A':
        s = v.written;
        upper = !v.quoted && !v.group;
        break;
    case 'T':
    case 'X':
        /* texts and expressions lose trailing blanks, NULs, form feeds,
         * line feeds and carriage returns */
        s = v.quoted ? v.Text() : v.written;
        while (!s.empty() &&
               (s.back() == ' ' || s.back() == '\0' || s.back() == '\f' || s.back() == '\n' || s.back() == '\r'))
            s.remove_suffix(1);
        break;
    case 'S':
        s = v.Text();
        if (!s.empty() && s[0] == '*')
            s.remove_prefix(1);
        upper = true;
        break;
    case 'C': {
        std::string u = v.UpperText();
        if (u.size() > 1 && u[0] == '*')
            u.erase(0, 1);
        *field = u.empty() ? ' ' : u[0];
        return true;
    }
    default: s = v.written; break;
    }
    if (static_cast<int32_t>(s.size()) > el.width) {
        Issue(Msg::ParameterValueTooLong,
              Fixed(p.keyword, 10) + Signed7(el.width) + Fixed(upper ? UpperCopy(s) : std::string(s), 20));
        return false;
    }
    /* the value goes in as written and is raised to upper case in place */
    dqov::text::Pad(field, static_cast<size_t>(el.width), s);
    if (upper)
        for (size_t i = 0; i < s.size(); ++i)
            field[i] = dqov::text::UpperChar(field[i]);
    return true;
}

/* Values of an entry beyond its elements are attributes of a field-list
 * entry: they go into the command extension, 7 values of 10 per entry; a
 * field list with column texts takes one text of up to 50 characters. */
void Preparer::StoreAttributes(const ParamView& p, size_t entry, std::span<const Value> extra)
{
    const bool column = HasColumnTexts(view_.name, p.keyword);
    // the values an entry takes: its elements and, for an entry of a field
    // list that has room in the extension, its attributes
    const bool attributes = ext_ && p.keyword == "FIELDS" && entry < FFC_EXTENSION_ENTRIES;
    const size_t most = attributes ? (column ? 1 : FFC_EXTENSION_VALUES) : 0;
    if (extra.size() > most) {
        Issue(Msg::TooManyValuesPerEntry, Fixed(p.keyword, 10) + Signed7(static_cast<long>(p.elements.size() + most)));
        return;
    }
    char* slot = ext_->acAttributes + entry * FFC_EXTENSION_VALUES * FFC_EXTENSION_VALUE_WIDTH;
    if (column) {
        const Value& v = extra[0];
        const std::string s = TrimBlanks(v.group ? text_.substr(v.begin, v.end - v.begin) : v.Text());
        if (s.size() > FFC_EXTENSION_COLUMN_WIDTH) {
            Issue(Msg::ParameterValueTooLong,
                  Fixed(p.keyword, 10) + Signed7(FFC_EXTENSION_COLUMN_WIDTH) + Fixed(s, 20));
            return;
        }
        dqov::text::Pad(slot, FFC_EXTENSION_COLUMN_WIDTH, s);
        ext_->lEntries = std::max<int32_t>(ext_->lEntries, static_cast<int32_t>(entry + 1));
        return;
    }
    for (size_t i = 0; i < extra.size(); ++i) {
        std::string s = extra[i].quoted ? std::string(extra[i].written) : extra[i].UpperText();
        if (s.size() > FFC_EXTENSION_VALUE_WIDTH) {
            Issue(Msg::ParameterValueTooLong, Fixed(p.keyword, 10) + Signed7(FFC_EXTENSION_VALUE_WIDTH) + Fixed(s, 20));
            continue;
        }
        dqov::text::Pad(slot + i * FFC_EXTENSION_VALUE_WIDTH, FFC_EXTENSION_VALUE_WIDTH, s);
    }
    ext_->lEntries = std::max<int32_t>(ext_->lEntries, static_cast<int32_t>(entry + 1));
}

/* The values of an item: a group's items, or the value alone. */
std::span<const Value> ValuesOf(const Value& v)
{
    return v.group ? std::span<const Value>(v.items) : std::span<const Value>(&v, 1);
}

void Preparer::StoreEntries(const ParamView& p, std::span<const Value> values)
{
    size_t n = values.size();
    if (static_cast<int32_t>(n) > p.entries) {
        Issue(Msg::TooManyParameterEntries, Fixed(p.keyword, 10) + Signed7(p.entries));
        n = p.entries;
    }
    /* given values replace the default entries; entries the defaults left
     * blank are blank already */
    const bool blankAlready = ownDefaults_ && p.entriesBlankInDefaults;
    for (size_t e = 0; e < p.elements.size() && !blankAlready; ++e) {
        const ElementView& el = p.elements[e];
        const int32_t size = p.ElementSize(e);
        const int32_t stride = p.EntryStride(e);
        const char blank = p.EmptyByte(e);
        if (el.offset < 0 || size <= 0)
            continue;
        if (stride == size) {
            /* entries side by side: blanked at once, as far as the area goes */
            const int32_t rows = std::min(p.entries, (FFC_PARM_AREA_SIZE - el.offset) / size);
            if (rows > 0)
                std::memset(cmd_->acParms + el.offset, blank, static_cast<size_t>(rows) * size);
            continue;
        }
        for (int32_t r = 0; r < p.entries; ++r) {
            int32_t at = el.offset + r * stride;
            if (at < 0 || at + size > FFC_PARM_AREA_SIZE)
                break;
            std::memset(cmd_->acParms + at, blank, size);
        }
    }
    if (p.layout == 'F' && p.flagsAt >= 0)
        std::memset(cmd_->acParms + p.flagsAt, 'N', p.values.size());
    for (size_t r = 0; r < n; ++r) {
        const Value& v = values[r];
        std::span<const Value> parts = ValuesOf(v);
        if (p.layout == 'F') {
            if (v.group) {
                Issue(Msg::ValueNotAllowedForParameter, Fixed(p.keyword, 10) + Fixed(v.written, 20));
                continue;
            }
            std::string u = v.UpperText();
            auto it = std::find(p.values.begin(), p.values.end(), u);
            bool number = !u.empty() && std::all_of(u.begin(), u.end(),
                                                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
            if (it == p.values.end() && !number) {
                Issue(Msg::ValueNotAllowedForParameter, Fixed(p.keyword, 10) + Fixed(v.written, 20));
                continue;
            }
            if (it != p.values.end())
                cmd_->acParms[p.flagsAt + (it - p.values.begin())] = 'Y';
        }
        size_t used = std::min(parts.size(), p.elements.size());
        for (size_t e = 0; e < used; ++e) {
            int32_t stride = p.layout == 'C' ? p.ElementSize(e) : p.RowWidth();
            StoreElement(p, e, p.elements[e].offset + static_cast<int32_t>(r) * stride, parts[e]);
        }
        if (parts.size() > p.elements.size())
            StoreAttributes(p, r, parts.subspan(p.elements.size()));
    }
    if (p.countAt >= 0) {
        int32_t count = static_cast<int32_t>(n);
        std::memcpy(cmd_->acParms + p.countAt, &count, 4);
    }
}

void Preparer::Assign(const ParamView& p, const Item& item)
{
    const Value& v = item.value;
    /* the values given: a keyword's bracket content, or a positional value
     * (a bracketed positional value is the parameter's list) */
    std::span<const Value> values = ValuesOf(v);
    if (p.elements.empty())
        return;
    if (p.layout != 'S') {
        StoreEntries(p, values);
        return;
    }
    if (p.elements.size() == 1 && p.elements[0].kind == 'X') {
        /* an expression is kept whole; a single literal loses its quotes */
        Value whole;
        if (v.group) {
            whole.written = dqov::text::TrimmedBlanks(text_.substr(v.begin, v.end - v.begin));
            if (v.items.size() == 1 && v.items[0].quoted)
                whole = v.items[0];
        } else {
            whole = v;
        }
        if (whole.quoted)
            quotedExpressions_.push_back(p.keyword);
        StoreElement(p, 0, p.elements[0].offset, whole);
        return;
    }
    if (values.size() == 1 && values[0].group && p.elements.size() > 1)
        values = values[0].items;
    if (values.size() > p.elements.size()) {
        Issue(Msg::TooManyValuesPerEntry, Fixed(p.keyword, 10) + Signed7(static_cast<long>(p.elements.size())));
        return;
    }
    if (p.elements.size() == 1 && !p.values.empty() && !values.empty() && !Allowed(p, values[0])) {
        Issue(Msg::ValueNotAllowedForParameter, Fixed(p.keyword, 10) + Fixed(values[0].written, 20));
        return;
    }
    for (size_t e = 0; e < values.size(); ++e)
        StoreElement(p, e, p.elements[e].offset, values[e]);
}

/* Whether a one-value parameter with a fixed set of values takes the value:
 * special values compare in upper case, numbers by value. */
bool Preparer::Allowed(const ParamView& p, const Value& v) const
{
    if (v.group)
        return false;
    const std::string u = Upper(TrimBlanks(v.Text()));
    const char kind = p.elements[0].kind;
    if (kind != 'N' && kind != 'H')
        return std::find(p.values.begin(), p.values.end(), u) != p.values.end();
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(u.c_str(), &end, 10);
    if (u.empty() || errno == ERANGE || *end != '\0')
        return false;
    return std::any_of(p.values.begin(), p.values.end(),
                       [&](const std::string& allowed) { return std::strtol(allowed.c_str(), nullptr, 10) == n; });
}

bool Preparer::Run(std::string_view text)
{
    text_ = text;
    Scratch& scratch = TheScratch();
    scratch.used = 0;
    if (!ReadItems(scratch))
        return false;
    given_.assign(view_.params.size(), false);
    size_t nextPositional = 0;
    for (size_t i = 0; i < scratch.used; ++i) {
        const Item& item = scratch.items[i];
        const ParamView* p = nullptr;
        if (!item.keyword.empty()) {
            p = Find(item.keyword);
            if (!p) {
                Issue(Msg::CommandHasNoSuchParameter, CommandName() + Fixed(item.keyword, 10));
                continue;
            }
        } else {
            while (nextPositional < view_.params.size() &&
                   (!view_.params[nextPositional].positional || given_[nextPositional]))
                ++nextPositional;
            if (nextPositional >= view_.params.size()) {
                Issue(Msg::NoFurtherPositionalValue, CommandName() + Fixed(item.value.written, 20));
                continue;
            }
            p = &view_.params[nextPositional];
        }
        size_t index = static_cast<size_t>(p - view_.params.data());
        if (given_[index]) {
            Issue(Msg::ParameterGivenTwice, CommandName() + Fixed(p->keyword, 10));
            continue;
        }
        given_[index] = true;
        assignedPast_ = std::max(assignedPast_, p->writtenPast);
        Assign(*p, item);
    }
    return !failed_;
}

std::string Preparer::Read(DeriveParam which, size_t element) const
{
    const ParamView* p = Slot(which);
    if (!p || element >= p->elements.size())
        return {};
    const ElementView& el = p->elements[element];
    if (el.offset < 0 || el.offset + el.width > FFC_PARM_AREA_SIZE || el.kind == 'N' || el.kind == 'H')
        return {};
    return TrimBlanks(std::string_view(cmd_->acParms + el.offset, el.width));
}

void Preparer::WriteCode(DeriveParam which, size_t element, char code)
{
    const ParamView* p = Slot(which);
    if (!p || element >= p->elements.size())
        return;
    const ElementView& el = p->elements[element];
    if (el.kind != 'C' || el.offset < 0 || el.offset >= FFC_PARM_AREA_SIZE)
        return;
    cmd_->acParms[el.offset] = code;
}

/* A text that names a field: the national name character followed by a
 * letter, outside the literals the text holds. */
bool Preparer::NamesField(const std::string& text) const
{
    char national = ctx_ && ctx_->cNatChar1 != 0 && ctx_->cNatChar1 != ' ' ? ctx_->cNatChar1 : '#';
    bool quoted = false;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\'')
            quoted = !quoted;
        else if (!quoted && text[i] == national && dqov::text::IsAlpha(text[i + 1]))
            return true;
    }
    return false;
}

void Preparer::Derive()
{
    if (!view_.derives)
        return;
    auto given = [&](const std::string& v) { return !v.empty() && Upper(v) != "*NONE"; };
    /* message kind: 'T' a message text, 'I' a message id, 'N' no message */
    if (Slot(kMsgKindParam)) {
        char kind = given(Read(kMsgTxtParam)) ? 'T' : given(Read(kMsgIdParam)) ? 'I' : 'N';
        WriteCode(kMsgKindParam, 0, kind);
    }
    /* the whole-statement form of SELECT_SQL */
    if (Slot(kWholeParam))
        WriteCode(kWholeParam, 0, Read(kUsingParam).empty() ? 'N' : 'Y');
    /* FUNCTION: trigger, trigger returns and data-structure exchange */
    if (Slot(kTrigFlagParam)) {
        WriteCode(kTrigFlagParam, 0, given(Read(kTriggerParam, 0)) ? 'Y' : 'N');
        WriteCode(kTrigRetParam, 0, given(Read(kTriggerParam, 1)) ? 'Y' : 'N');
        WriteCode(kTrigRetParam, 1, given(Read(kTriggerParam, 2)) ? 'Y' : 'N');
    }
    /* a received data structure comes in the caller's parameter block,
       where CALL puts the structures it passes (PASS_DS); no command
       sends one through the exchange area */
    if (Slot(kDsExchgParam))
        WriteCode(kDsExchgParam, 0, 'N');
    /* CHANGE: a value that is one literal, "ALP", or *ALL and a literal of
     * one character that fills the field, "ALL"; with the literal's length.
     * A value written as one quoted text, TO('...'), that names no field is
     * taken as a literal here; the check of the command decides, once the
     * fields are known, whether the text is an expression after all. */
    if (Slot(kLitKindParam)) {
        std::string to = Read(kToParam);
        std::string kind, content;
        bool all = Upper(to.substr(0, 4)) == "*ALL" && to.size() > 4 && to[4] == '\'';
        std::string literal = all ? to.substr(4) : to;
        bool quotedText =
            std::find(quotedExpressions_.begin(), quotedExpressions_.end(), "TO") != quotedExpressions_.end();
        if (quotedText && !NamesField(to) &&
            !(literal.size() >= 2 && literal.front() == '\'' && literal.back() == '\'')) {
            kind = "ALP";
            content = to;
        } else if (literal.size() >= 2 && literal.front() == '\'' && literal.back() == '\'') {
            bool single = true;
            for (size_t i = 1; i + 1 < literal.size(); ++i) {
                if (literal[i] != '\'') {
                    content += literal[i];
                    continue;
                }
                if (i + 2 < literal.size() && literal[i + 1] == '\'') {
                    content += '\'';
                    ++i;
                    continue;
                }
                single = false;
            }
            if (single)
                kind = all ? (content.size() == 1 ? "ALL" : "") : "ALP";
        }
        const ParamView* p = Slot(kLitKindParam);
        if (p && !p->elements.empty() && p->elements[0].offset >= 0 && p->elements[0].offset + 3 <= FFC_PARM_AREA_SIZE)
            std::memcpy(cmd_->acParms + p->elements[0].offset, Fixed(kind, 3).data(), 3);
        const ParamView* n = Slot(kLitLengthParam);
        if (n && !n->elements.empty() && n->elements[0].offset >= 0 &&
            n->elements[0].offset + 4 <= FFC_PARM_AREA_SIZE) {
            int32_t length = kind.empty() ? 0 : static_cast<int32_t>(content.size());
            std::memcpy(cmd_->acParms + n->elements[0].offset, &length, 4);
        }
    }
}

/* The parameters of the source command: its parameter text, or for a
 * command that was not split, the text after its label and name. */
std::string_view ParameterText(const FFC_SOURCE_COMMAND* src, char* buffer)
{
    size_t n = std::min<size_t>(src->usParmLength, FFC_PARAMETER_TEXT_SIZE);
    std::memcpy(buffer, src->acParameters, n);
    std::string_view text(buffer, n);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    if (src->lPreSplit)
        return text;
    size_t colon = text.find(':');
    size_t firstBlank = text.find(' ');
    if (colon != std::string_view::npos && colon <= 3 && (firstBlank == std::string_view::npos || colon < firstBlank))
        text.remove_prefix(colon + 1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    size_t nameEnd = text.find(' ');
    text.remove_prefix(nameEnd == std::string_view::npos ? text.size() : nameEnd);
    return text;
}

}  // namespace
}  // namespace dqov::cmdparm

void dqov::cmdparm::ForgetPreparations()
{
    std::vector<Item>().swap(TheScratch().items);
    std::vector<bool>().swap(TheScratch().given);
    TheScratch().used = 0;
    ForgetCommandViews();
}

using namespace dqov::cmdparm;

extern "C" void CMDPARM_SetDefaults(FFC_CONTEXT*, FFC_PARSED_COMMAND* pCommand)
{
    if (!g_area || !pCommand)
        return;
    ApplyDefaults(ReadCommandView(g_area, g_areaCount, pCommand->acName), pCommand);
}

extern "C" int16_t CMDPARM_sPrepareCommand(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pCommand,
                                           FFC_COMMAND_EXTENSION* pExtension, const FFC_SOURCE_COMMAND* pSource,
                                           char* pchParmBuffer, char*, const char* acQueue, const void* pKeywordArea,
                                           uint16_t usKeywordCount, FFC_COMMAND_ENTRY* pEntry)
{
    return dqov::cmdparm::PrepareCommand(pContext, pCommand, pExtension, pSource, pchParmBuffer, acQueue, pKeywordArea,
                                         usKeywordCount, pEntry, -1);
}

int16_t dqov::cmdparm::PrepareCommand(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pCommand,
                                      FFC_COMMAND_EXTENSION* pExtension, const FFC_SOURCE_COMMAND* pSource,
                                      char* pchParmBuffer, const char* acQueue, const void* pKeywordArea,
                                      uint16_t usKeywordCount, FFC_COMMAND_ENTRY* pEntry, int32_t blankPast,
                                      int32_t parmsBlankFrom, int32_t* parmsWrittenPast)
{
    if (parmsWrittenPast)
        *parmsWrittenPast = FFC_PARM_AREA_SIZE;
    if (!pCommand)
        return 1;
    if (!pSource || !pKeywordArea || !pEntry || !pchParmBuffer) {
        std::memset(pCommand->acParms, ' ', FFC_PARM_AREA_SIZE);
        return 1;
    }
    g_area = pKeywordArea;
    g_areaCount = usKeywordCount;
    pCommand->sLine = pSource->sLine;
    pCommand->sSubLine = pSource->sSubLine;
    pCommand->sSequence = pSource->sSequence;
    pCommand->usCommandNumber = static_cast<uint16_t>(pEntry->ulNumber);
    std::memcpy(pCommand->acName, pEntry->acName, 10);
    std::memcpy(pCommand->acLabel, pSource->acLabel, 3);
    pCommand->cPrepared = 'N';
    if (pExtension) {
        pExtension->sLine = pSource->sLine;
        pExtension->sSubLine = pSource->sSubLine;
        pExtension->lEntries = 0;
        const size_t blank = blankPast < 0 || blankPast > FFC_EXTENSION_ENTRIES
                                 ? sizeof pExtension->acAttributes
                                 : static_cast<size_t>(blankPast) * FFC_EXTENSION_VALUES * FFC_EXTENSION_VALUE_WIDTH;
        std::memset(pExtension->acAttributes, ' ', blank);
    }
    if (!pEntry->lDefaultsCached) {
        pEntry->pfnDefaults = CMDPARM_SetDefaults;
        pEntry->lDefaultsCached = 1;
    }
    /* a defaults handler fills a blanked parameter area; this module's own
     * sets the whole area itself, from the view the preparation reads */
    const CommandView* read = nullptr;
    if (pEntry->pfnDefaults == CMDPARM_SetDefaults) {
        read = &ReadCommandView(pKeywordArea, usKeywordCount, pEntry->acName);
#if !defined(NDEBUG) || defined(DQOV_CHECK_BLANK_PARMS)
        /* the caller's word that the area is blank from parmsBlankFrom on,
         * held to in debug builds (and builds that define the name) */
        for (int32_t at = std::max<int32_t>(parmsBlankFrom, 0); at < FFC_PARM_AREA_SIZE; ++at)
            if (pCommand->acParms[at] != ' ') {
                std::fprintf(stderr, "parameter area not blank at %d (blank from %d)\n", at, parmsBlankFrom);
                std::abort();
            }
#endif
        ApplyDefaults(*read, pCommand, parmsBlankFrom);
    } else {
        std::memset(pCommand->acParms, ' ', FFC_PARM_AREA_SIZE);
        pEntry->pfnDefaults(pContext, pCommand);
        read = &ReadCommandView(pKeywordArea, usKeywordCount, pEntry->acName);
    }
    const CommandView& view = *read;
    Preparer preparer(pContext, acQueue, view, pCommand, pExtension, pEntry->pfnDefaults == CMDPARM_SetDefaults);
    bool prepared = preparer.Run(ParameterText(pSource, pchParmBuffer));
    preparer.Derive();
    /* a defaults handler of another module may have written anywhere */
    if (parmsWrittenPast && pEntry->pfnDefaults == CMDPARM_SetDefaults)
        *parmsWrittenPast = preparer.WrittenPast();
    if (!prepared)
        return 1;
    pCommand->cPrepared = 'Y';
    return 0;
}
