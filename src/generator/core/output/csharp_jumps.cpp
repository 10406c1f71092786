/*
** csharp_jumps.cpp: the jumps of a generated C# method that C# cannot take
** as the C program writes them, made re-entries.
**
** The method's text is read as the generator writes it: braces, labels
** ("name:" opening a line) and jumps ("goto name;"), with comments, string
** and character literals and preprocessor lines counting for nothing. A
** jump whose label stands in a block that does not enclose the jump is
** mended. The blocks on the way from the innermost block holding both down
** to the label's block are re-entered one after the other:
**
** - the jump sets the method's local lResumePoint to the label's number and
**   goes to a resume label put before the first block's statement, in the
**   block that holds both;
** - each block on the way lets the resume in: the branch of an IF or the
**   body of a while loop tests the number first, the ELSE branch of an IF
**   is taken when the number is not that of a label in the other branch; a
**   do loop and a plain block are entered anyway; a for loop is entered
**   through its head, so that its initialisation runs (the C program's goto
**   leaves the loop's counter unset), and its condition tests the number
**   first; after the label's statements it steps on as after any pass;
** - each block's first statement (after the declarations before the way
**   on, which C# wants assigned) passes the resume on to the resume label
**   before the next block, and the last block's to the label itself, where
**   the number is cleared; a plain block on the way (a loop's set-up, such
**   as its counter and limit) passes it on after its statements, which
**   the resume runs.
**
** So the statements between are left out, as the C program's goto leaves
** them out. A switch and the like cannot be entered so; such a jump is
** refused.
*/
#include "generator/core/output/csharp_jumps.h"

#include "generator/core/output/code_runs.h"

#include <algorithm>
#include <cstring>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string_view>

namespace {

using gen_code::anyPlaceOf;
using gen_code::codeRuns;
using gen_code::firstNotBlank;
using gen_code::nextOf;

/* Letters and digits as the C library's "C" locale has them. */
bool letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool nameStart(char c)
{
    return letter(c) || c == '_';
}

bool nameChar(char c)
{
    return letter(c) || (c >= '0' && c <= '9') || c == '_';
}

struct Brace {
    uint32_t pos;
    bool open;
    int block; /* the block opened or closed */
};

/* A line as the reader sees it: its held indent and text, its code
** (comments and the contents of literals blanked, preprocessor lines all
** blank, the positions kept), its braces and the blocks open at its start
** and end. Valid while the chunk it lies in is kept. */
struct Line {
    size_t indent = 0;
    std::string_view text;
    std::string_view code;
    const Brace* braces = nullptr;
    size_t braceCount = 0;
    int blockAtStart = 0;
    int blockAtEnd = 0;
};

struct Block {
    int parent = -1;
    size_t openLine = 0;
    size_t openPos = 0;
    size_t closeLine = SIZE_MAX;
};

enum class HeadKind { Plain, If, Else, While, For, Do, Other };

/* The statement a block belongs to. */
struct Head {
    HeadKind kind = HeadKind::Other;
    size_t firstLine = 0; /* where the statement starts */
    int thenBlock = -1;   /* an ELSE branch: the IF's own branch */
    /* IF and while: the parentheses of the condition; for: the two
    ** semicolons around it (none to test when it is empty) */
    size_t condOpenLine = 0, condOpenPos = 0, condCloseLine = 0, condClosePos = 0;
    bool condEmpty = false;
};

struct Label {
    size_t line;
    int block;
};

struct Jump {
    size_t line, pos, length;
    std::string target;
    int block;
};

constexpr std::string_view kStatementWords[] = {
    "return",    "goto",   "if",     "else",    "while", "for",    "foreach", "do",    "break",   "continue", "new",
    "throw",     "switch", "case",   "default", "using", "lock",   "try",     "catch", "finally", "yield",    "checked",
    "unchecked", "fixed",  "unsafe", "base",    "this",  "typeof", "sizeof",  "await", "delegate"};

bool statementWord(std::string_view word)
{
    return std::find(std::begin(kStatementWords), std::end(kStatementWords), word) != std::end(kStatementWords);
}

/* Whether the text holds a colon or the word goto: only such a line may
** hold a label or a jump. */
bool mayLabelOrJump(std::string_view t)
{
    return anyPlaceOf<':', 'g'>(t, 0, [t](size_t k) { return t[k] == ':' || t.substr(k, 4) == "goto"; });
}

/* Appends the code of the text to `code`: the text with what is not code
** (codeRuns) blanked, each character where it stands. */
void appendCode(std::string_view t, std::string& code, bool& comment)
{
    const size_t at = code.size();
    code.append(t.size(), ' ');
    char* c = code.data() + at;
    codeRuns(t, comment, [c, t](size_t from, size_t to) { std::memcpy(c + from, t.data() + from, to - from); });
}

/* The method's lines, read where they are held a chunk at a time: the
** first reading notes where each chunk begins (its place, the comment and
** the block open there and the next block's number) and finds the blocks;
** a chunk's lines are read again when the mending looks at them, and kept
** until it forgets them. So a method of megabytes is never held whole. */
class MethodLines {
public:
    static constexpr size_t kChunk = 64;

    explicit MethodLines(GEN_HELD_LINES& source) : source_(source) {}

    /* The first reading: every line once, in order, the blocks made as its
    ** braces open and close; a line that may hold a label or a jump (a
    ** colon, the word goto) is handed to `each` with its code and braces.
    ** False when a closing brace has no block to close (the reading stops
    ** there). */
    template <typename Each> bool read(std::vector<Block>& blocks, Each each)
    {
        blocks.assign(1, Block{});
        bool comment = false;
        int open = 0;
        size_t indent;
        std::string_view text;
        std::string code;
        std::vector<Brace> braces;
        for (size_t i = 0;; ++i) {
            const uint64_t mark = source_.Mark();
            /* the lines that change nothing here are passed unread, up to the
               next chunk's start: a line with no brace, slash, colon nor jump
               word opens and closes no block, neither begins nor ends a
               comment (a literal ends with its line) and holds no label or
               jump; nor does a line comment without the jump word, whatever
               else it holds */
            if (const size_t passed = source_.Pass(kChunk - i % kChunk, "{}/:", "goto"); passed > 0) {
                if (i % kChunk == 0)
                    starts_.push_back({mark, comment, open, static_cast<int>(blocks.size())});
                i += passed - 1;
                continue;
            }
            if (!source_.Next(indent, text)) {
                count_ = i;
                break;
            }
            if (i % kChunk == 0)
                starts_.push_back({mark, comment, open, static_cast<int>(blocks.size())});
            /* a brace alone on its line, as most lines read are, opens or closes its block */
            if (!comment) {
                const size_t k = firstNotBlank(text);
                if (k + 1 == text.size() && (text[k] == '{' || text[k] == '}')) {
                    if (text[k] == '{') {
                        blocks.push_back({open, i, k, SIZE_MAX});
                        open = static_cast<int>(blocks.size() - 1);
                    } else if (open == 0) {
                        blocks[0].closeLine = i; /* marks the text unbalanced */
                        return false;
                    } else {
                        blocks[static_cast<size_t>(open)].closeLine = i;
                        open = blocks[static_cast<size_t>(open)].parent;
                    }
                    continue;
                }
            }
            const bool commentAtStart = comment;
            braces.clear();
            const int atStart = open;
            bool balanced = true;
            codeRuns(text, comment, [&](size_t from, size_t to) {
                anyPlaceOf<'{', '}'>(std::string_view(text.data(), to), from, [&](size_t k) {
                    if (text[k] == '{') {
                        blocks.push_back({open, i, k, SIZE_MAX});
                        open = static_cast<int>(blocks.size() - 1);
                        braces.push_back({static_cast<uint32_t>(k), true, open});
                    } else if (open == 0) {
                        balanced = false;
                    } else {
                        blocks[static_cast<size_t>(open)].closeLine = i;
                        braces.push_back({static_cast<uint32_t>(k), false, open});
                        open = blocks[static_cast<size_t>(open)].parent;
                    }
                    return !balanced;
                });
            });
            if (!balanced) {
                blocks[0].closeLine = i; /* marks the text unbalanced */
                return false;
            }
            /* a label takes a colon, a jump its word: only such a line's code is looked at */
            if (!mayLabelOrJump(text))
                continue;
            bool lineComment = commentAtStart;
            code.clear();
            appendCode(text, code, lineComment);
            Line l;
            l.indent = indent;
            l.text = text;
            l.code = code;
            l.braces = braces.data();
            l.braceCount = braces.size();
            l.blockAtStart = atStart;
            l.blockAtEnd = open;
            each(i, l);
        }
        blocks_ = &blocks;
        chunks_.resize(starts_.size());
        return open == 0;
    }

    size_t size() const { return count_; }

    const Line& operator[](size_t i)
    {
        std::unique_ptr<Chunk>& c = chunks_[i / kChunk];
        if (!c) {
            c = readChunk(i / kChunk);
            ++kept_;
        }
        return c->lines[i % kChunk];
    }

    /* Drops the chunks read once there are many: the lines got before are
    ** then no longer valid. */
    void forgetMany()
    {
        if (kept_ <= kKeptChunks)
            return;
        for (std::unique_ptr<Chunk>& c : chunks_)
            c.reset();
        kept_ = 0;
    }

private:
    struct Start {
        uint64_t mark;
        bool comment;
        int open;
        int nextBlock;
    };
    struct Chunk {
        std::string text, code;
        std::vector<Brace> braces;
        std::vector<Line> lines;
    };

    std::unique_ptr<Chunk> readChunk(size_t n)
    {
        auto c = std::make_unique<Chunk>();
        const Start& s = starts_[n];
        source_.Seek(s.mark);
        bool comment = s.comment;
        int open = s.open, next = s.nextBlock;
        const size_t first = n * kChunk, last = std::min(count_, first + kChunk);
        struct Place {
            size_t text, code, braces;
        };
        std::vector<Place> places;
        size_t indent;
        std::string_view text;
        for (size_t i = first; i < last && source_.Next(indent, text); ++i) {
            places.push_back({c->text.size(), c->code.size(), c->braces.size()});
            c->text.append(text);
            const size_t at = c->code.size();
            appendCode(text, c->code, comment);
            Line l;
            l.indent = indent;
            l.blockAtStart = open;
            for (size_t k = nextOf<'{', '}'>(c->code, at); k < c->code.size(); k = nextOf<'{', '}'>(c->code, k + 1)) {
                if (c->code[k] == '{') {
                    open = next++;
                    c->braces.push_back({static_cast<uint32_t>(k - at), true, open});
                } else if (c->code[k] == '}') {
                    c->braces.push_back({static_cast<uint32_t>(k - at), false, open});
                    open = (*blocks_)[static_cast<size_t>(open)].parent;
                }
            }
            l.blockAtEnd = open;
            c->lines.push_back(l);
        }
        /* the views, once the chunk's text no longer moves */
        for (size_t k = 0; k < c->lines.size(); ++k) {
            const Place& p = places[k];
            const size_t textEnd = k + 1 < places.size() ? places[k + 1].text : c->text.size();
            const size_t codeEnd = k + 1 < places.size() ? places[k + 1].code : c->code.size();
            const size_t braceEnd = k + 1 < places.size() ? places[k + 1].braces : c->braces.size();
            Line& l = c->lines[k];
            l.text = std::string_view(c->text).substr(p.text, textEnd - p.text);
            l.code = std::string_view(c->code).substr(p.code, codeEnd - p.code);
            l.braces = c->braces.data() + p.braces;
            l.braceCount = braceEnd - p.braces;
        }
        return c;
    }

    static constexpr size_t kKeptChunks = 64;
    GEN_HELD_LINES& source_;
    size_t count_ = 0;
    size_t kept_ = 0; /* chunks read and not yet dropped */
    std::vector<Start> starts_;
    const std::vector<Block>* blocks_ = nullptr;
    std::vector<std::unique_ptr<Chunk>> chunks_;
};

class Mender {
public:
    Mender(GEN_HELD_LINES& source, bool fMethodHead, bool fPastDeclarationsOnly = false)
        : lines_(source), methodHead_(fMethodHead), pastDeclarationsOnly_(fPastDeclarationsOnly)
    {
    }

    /* Plans the mending; false, with the jump refused and its line, for a
    ** jump that cannot be mended. Nothing is changed yet. */
    bool mend(std::string& refused, size_t& refusedLine);
    /* Whether the plan changes anything. */
    bool changes() const { return !edits_.empty(); }
    /* Carries the plan out on the lines the plan was made of. */
    void apply(std::vector<GEN_HELD_LINE>& held);
    /* Carries the plan out on the lines read from `source` (those the plan
    ** was made of), handing the lines that result to `write` in order. */
    void applyInOrder(GEN_HELD_LINES& source, const GEN_HELD_WRITER& write);
    /* The text of a line, and how many lines were read. */
    std::string text(size_t line) { return std::string(lines_[line].text); }
    size_t lineCount() const { return lines_.size(); }

private:
    MethodLines lines_;
    bool methodHead_;
    bool pastDeclarationsOnly_; /* C: only the jumps that skip initialised declarations */
    std::vector<Block> blocks_;
    std::map<std::string, Label> labels_;
    std::vector<Jump> jumps_;
    std::map<int, Head> heads_;
    bool balanced_ = false;

    /* the plan */
    struct Insert {
        size_t before;
        int order; /* at one place: declarations, then passes on, then resume labels */
        size_t indent;
        std::string text;
    };
    struct Edit {
        size_t line, pos, length;
        std::string text;
    };
    struct Admission {
        std::vector<int> then, otherwise;
    };
    std::vector<Insert> inserts_;
    std::vector<Edit> edits_;
    std::map<int, Admission> admissions_; /* by the block of the IF or while */
    std::set<std::pair<int, int>> resumeLabels_, passes_;

    void sortPlan();
    void read();
    bool balanced() const;
    void findLabelsAndJumps(size_t i, const Line& l);
    int blockAt(const Line& l, size_t pos) const;
    bool encloses(int outer, int inner) const;
    int innermostCommon(int a, int b) const;
    const Head& head(int block);
    Head classify(int block);
    size_t previousCodeLine(size_t line);
    std::string_view trimmed(size_t line);
    bool conditionParentheses(size_t line, size_t from, Head& h);
    bool forCondition(Head& h);
    bool declarationStart(size_t line);
    size_t passPoint(int block, size_t target);
    size_t indentOf(size_t line);
    bool plan(const Jump& jump, int number, std::string& refused);
    bool skipsDeclarations(const Jump& jump);
    bool setUpOfLoop(const std::vector<int>& way, size_t i);
    void writeAdmissions();
};

/* The one reading of every line: the blocks, the labels and the jumps. */
void Mender::read()
{
    balanced_ = lines_.read(blocks_, [this](size_t i, const Line& l) { findLabelsAndJumps(i, l); });
}

bool Mender::balanced() const
{
    return balanced_;
}

std::string_view Mender::trimmed(size_t line)
{
    std::string_view c = lines_[line].code;
    const size_t first = c.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const size_t last = c.find_last_not_of(" \t\r\n");
    return c.substr(first, last - first + 1);
}

void Mender::findLabelsAndJumps(size_t i, const Line& l)
{
    const std::string_view c = l.code;
    const size_t first = c.find_first_not_of(' ');
    if (first != std::string_view::npos && nameStart(c[first])) {
        size_t end = first;
        while (end < c.size() && nameChar(c[end]))
            ++end;
        size_t colon = c.find_first_not_of(' ', end);
        const std::string_view name = c.substr(first, end - first);
        if (colon != std::string_view::npos && c[colon] == ':' && (colon + 1 >= c.size() || c[colon + 1] != ':') &&
            name != "default" && name != "case")
            labels_.emplace(std::string(name), Label{i, l.blockAtStart});
    }
    for (size_t at = c.find("goto"); at != std::string_view::npos; at = c.find("goto", at + 4)) {
        if ((at > 0 && nameChar(c[at - 1])) || at + 4 >= c.size() || nameChar(c[at + 4]))
            continue;
        size_t k = c.find_first_not_of(' ', at + 4);
        if (k == std::string_view::npos || !nameStart(c[k]))
            continue;
        size_t end = k;
        while (end < c.size() && nameChar(c[end]))
            ++end;
        const size_t semicolon = c.find_first_not_of(' ', end);
        if (semicolon == std::string_view::npos || c[semicolon] != ';')
            continue;
        jumps_.push_back({i, at, semicolon + 1 - at, std::string(c.substr(k, end - k)), blockAt(l, at)});
    }
}

int Mender::blockAt(const Line& l, size_t pos) const
{
    int block = l.blockAtStart;
    for (size_t k = 0; k < l.braceCount; ++k) {
        const Brace& b = l.braces[k];
        if (b.pos >= pos)
            break;
        block = b.open ? b.block : blocks_[static_cast<size_t>(b.block)].parent;
    }
    return block;
}

bool Mender::encloses(int outer, int inner) const
{
    for (int b = inner; b >= 0; b = blocks_[static_cast<size_t>(b)].parent)
        if (b == outer)
            return true;
    return false;
}

int Mender::innermostCommon(int a, int b) const
{
    for (int x = a; x >= 0; x = blocks_[static_cast<size_t>(x)].parent)
        if (encloses(x, b))
            return x;
    return 0;
}

size_t Mender::previousCodeLine(size_t line)
{
    while (line > 0) {
        --line;
        if (!trimmed(line).empty())
            return line;
    }
    return SIZE_MAX;
}

/* The parentheses of a condition: the first '(' at or after `from` on the
** line and the ')' that closes it, on that line or a later one. */
bool Mender::conditionParentheses(size_t line, size_t from, Head& h)
{
    const size_t open = lines_[line].code.find('(', from);
    if (open == std::string_view::npos)
        return false;
    h.condOpenLine = line;
    h.condOpenPos = open;
    int depth = 0;
    for (size_t i = line; i < lines_.size(); ++i) {
        const std::string_view c = lines_[i].code;
        for (size_t k = i == line ? open : 0; k < c.size(); ++k) {
            if (c[k] == '(')
                ++depth;
            else if (c[k] == ')' && --depth == 0) {
                h.condCloseLine = i;
                h.condClosePos = k;
                return true;
            }
        }
    }
    return false;
}

/* The condition of a for head whose parentheses are found: between the
** two semicolons at their outer level. */
bool Mender::forCondition(Head& h)
{
    size_t found = 0;
    size_t at[2][2] = {};
    int depth = 0;
    bool blank = true;
    for (size_t i = h.condOpenLine; i <= h.condCloseLine && found < 2; ++i) {
        const std::string_view c = lines_[i].code;
        const size_t from = i == h.condOpenLine ? h.condOpenPos : 0;
        const size_t to = i == h.condCloseLine ? h.condClosePos : c.size();
        for (size_t k = from; k < to && found < 2; ++k) {
            if (c[k] == '(')
                ++depth;
            else if (c[k] == ')')
                --depth;
            else if (c[k] == ';' && depth == 1) {
                at[found][0] = i;
                at[found][1] = k;
                ++found;
            } else if (found == 1 && c[k] != ' ')
                blank = false;
        }
    }
    if (found != 2)
        return false;
    h.condOpenLine = at[0][0];
    h.condOpenPos = at[0][1];
    h.condCloseLine = at[1][0];
    h.condClosePos = at[1][1];
    h.condEmpty = blank;
    return true;
}

const Head& Mender::head(int block)
{
    auto found = heads_.find(block);
    if (found == heads_.end())
        found = heads_.emplace(block, classify(block)).first;
    return found->second;
}

Head Mender::classify(int block)
{
    const Block& b = blocks_[static_cast<size_t>(block)];
    Head h;
    /* what stands before the brace: on its own line, else the code line before */
    std::string_view before = lines_[b.openLine].code.substr(0, b.openPos);
    size_t at = b.openLine;
    const size_t firstCode = before.find_first_not_of(' ');
    if (firstCode != std::string_view::npos) {
        before = before.substr(firstCode);
        before = before.substr(0, before.find_last_not_of(' ') + 1);
    } else {
        before = {};
        at = previousCodeLine(b.openLine);
        if (at == SIZE_MAX) {
            h.kind = HeadKind::Plain;
            h.firstLine = b.openLine;
            return h;
        }
        before = trimmed(at);
    }
    auto word = [](std::string_view text, std::string_view w) {
        return text.substr(0, w.size()) == w && (text.size() == w.size() || !nameChar(text[w.size()]));
    };
    /* "else", or "} else" on the brace's line */
    std::string_view elseWord = before;
    if (!elseWord.empty() && elseWord.front() == '}') {
        const size_t next = elseWord.find_first_not_of(' ', 1);
        elseWord = next == std::string_view::npos ? std::string_view() : elseWord.substr(next);
    }
    if (elseWord == "else") {
        /* the IF's branch closes just before the ELSE */
        int then = -1;
        const size_t closing = before.front() == '}' ? at : previousCodeLine(at);
        if (closing != SIZE_MAX) {
            const Line& c = lines_[closing];
            for (size_t k = 0; k < c.braceCount; ++k) {
                const Brace& brace = c.braces[k];
                if (!brace.open && (closing != b.openLine || brace.pos < b.openPos))
                    then = brace.block;
            }
        }
        if (then < 0 || head(then).kind != HeadKind::If)
            return h;
        h.kind = HeadKind::Else;
        h.thenBlock = then;
        h.firstLine = head(then).firstLine;
        return h;
    }
    if (word(before, "do")) {
        h.kind = HeadKind::Do;
        h.firstLine = at;
        return h;
    }
    /* a brace on its own line after a whole statement, or after a statement
    ** macro of the run time (EVALUATE_COMMAND_2, X_MAIN_CHECK_FATAL(F)),
    ** opens a plain block */
    auto firstWord = [](std::string_view text) {
        size_t end = 0;
        while (end < text.size() && nameChar(text[end]))
            ++end;
        return text.substr(0, end);
    };
    auto plain = [&] {
        h.kind = HeadKind::Plain;
        h.firstLine = b.openLine;
        return h;
    };
    if (at != b.openLine && !before.empty()) {
        const char last = before.back();
        if (last == ';' || last == '}' || last == ':' || last == '{')
            return plain();
        if (last != ')' && nameStart(before.front()) && !statementWord(firstWord(before)))
            return plain();
    }
    if (before.empty() || before.back() != ')')
        return h;
    /* the statement's first line: where its parentheses all opened */
    size_t first = at;
    int depth = 0;
    for (size_t i = at;; i = previousCodeLine(i)) {
        if (i == SIZE_MAX)
            return h;
        std::string_view c = lines_[i].code;
        if (i == b.openLine)
            c = c.substr(0, b.openPos);
        for (char ch : c)
            depth += ch == ')' ? 1 : ch == '(' ? -1 : 0;
        if (depth <= 0) {
            first = i;
            break;
        }
    }
    const std::string_view start = trimmed(first);
    if (at != b.openLine && !start.empty() && nameStart(start.front()) && !statementWord(firstWord(start)))
        return plain();
    h.firstLine = first;
    const size_t column = lines_[first].code.find_first_not_of(' ');
    if (word(start, "if"))
        h.kind = HeadKind::If;
    else if (word(start, "while"))
        h.kind = HeadKind::While;
    else if (word(start, "for"))
        h.kind = HeadKind::For;
    else
        return h;
    if (!conditionParentheses(first, column, h) || (h.kind == HeadKind::For && !forCondition(h)))
        h.kind = HeadKind::Other;
    return h;
}

/* Whether a statement starting on the line declares: a type (a name,
** qualified, generic or an array) followed by a name (no statement's word),
** on this line or, after a type alone, on the next. */
bool Mender::declarationStart(size_t line)
{
    std::string text(lines_[line].code);
    if (line + 1 < lines_.size())
        text.append(" ").append(lines_[line + 1].code);
    size_t k = text.find_first_not_of(' ');
    if (k == std::string::npos || !nameStart(text[k]))
        return false;
    size_t end = k;
    while (end < text.size() && nameChar(text[end]))
        ++end;
    if (statementWord(std::string_view(text).substr(k, end - k)))
        return false;
    for (k = end;;) {
        while (k < text.size() && text[k] == ' ')
            ++k;
        if (k >= text.size())
            return false;
        if (text[k] == '.' && k + 1 < text.size() && nameStart(text[k + 1])) {
            for (++k; k < text.size() && nameChar(text[k]); ++k) {}
        } else if (text[k] == '[') {
            const size_t close = text.find_first_not_of(" ,", k + 1);
            if (close == std::string::npos || text[close] != ']')
                return false;
            k = close + 1;
        } else if (text[k] == '<') {
            int depth = 0;
            for (; k < text.size(); ++k) {
                depth += text[k] == '<' ? 1 : text[k] == '>' ? -1 : 0;
                if (depth == 0)
                    break;
            }
            if (depth != 0)
                return false;
            ++k;
        } else {
            /* the declared name, never a statement's word: a macro's line
               ("EVALUATE_COMMAND_6") before a "do" is no declaration */
            size_t name = k;
            while (name < text.size() && nameChar(text[name]))
                ++name;
            return nameStart(text[k]) && !statementWord(std::string_view(text).substr(k, name - k));
        }
    }
}

/* Where the block passes a resume on: after its opening line, or after
** the last declaration before the target line, whose variables the code
** past the target may read. */
size_t Mender::passPoint(int block, size_t target)
{
    const Block& b = blocks_[static_cast<size_t>(block)];
    size_t after = b.openLine;
    bool statementStarts = true;
    for (size_t i = b.openLine + 1; i < target && i < lines_.size(); ++i) {
        const std::string_view t = trimmed(i);
        if (t.empty())
            continue;
        const char last = t.back();
        if (lines_[i].blockAtStart == block && statementStarts && declarationStart(i)) {
            /* the declaration ends where a ';' ends a line back in this block */
            size_t end = i;
            while (end < target && !(lines_[end].blockAtEnd == block && trimmed(end).ends_with(';')))
                ++end;
            if (end < target)
                after = end;
        }
        statementStarts = last == ';' || last == '{' || last == '}' || last == ':';
    }
    return after;
}

size_t Mender::indentOf(size_t line)
{
    for (size_t i = line; i < lines_.size(); ++i)
        if (!trimmed(i).empty())
            return lines_[i].indent + lines_[i].text.find_first_not_of(' ');
    return 3;
}

bool Mender::plan(const Jump& jump, int number, std::string& refused)
{
    const Label& label = labels_.at(jump.target);
    const int common = innermostCommon(jump.block, label.block);
    std::vector<int> way;
    for (int b = label.block; b != common; b = blocks_[static_cast<size_t>(b)].parent)
        way.push_back(b);
    std::reverse(way.begin(), way.end());
    for (int b : way)
        if (const HeadKind kind = head(b).kind; kind == HeadKind::Other) {
            const std::string_view t = lines_[jump.line].text;
            refused = std::string(t.substr(t.find_first_not_of(' ')));
            return false;
        }
    const std::string n = std::to_string(number);
    auto resumeLabel = [&](int b) { return "X_Resume_" + n + "_" + std::to_string(b); };
    for (size_t i = 0; i < way.size(); ++i) {
        const int b = way[i];
        const Head& h = head(b);
        if (resumeLabels_.insert({number, b}).second)
            inserts_.push_back({h.firstLine, 2, indentOf(h.firstLine), resumeLabel(b) + ": ;"});
        if (h.kind == HeadKind::If || h.kind == HeadKind::While || (h.kind == HeadKind::For && !h.condEmpty))
            admissions_[b].then.push_back(number);
        else if (h.kind == HeadKind::Else)
            admissions_[h.thenBlock].otherwise.push_back(number);
        if (!passes_.insert({number, b}).second)
            continue;
        const size_t target = i + 1 < way.size() ? head(way[i + 1]).firstLine : label.line;
        const std::string test = "if ( " + std::string(GEN_RESUME_POINT) + " == " + n + " ) ";
        const std::string pass = i + 1 < way.size()
                                     ? test + "goto " + resumeLabel(way[i + 1]) + ";"
                                     : test + "{ " + GEN_RESUME_POINT + " = 0; goto " + jump.target + "; }";
        /* a plain block around a loop holds the loop's set-up (its counter,
        ** limit, list pointer): the resume runs it and is passed on where
        ** it ends, as entering the loop at its head does; any other plain
        ** block (an OTHERWISE's) passes it on at its first statement */
        const size_t at = setUpOfLoop(way, i) ? target : passPoint(b, target) + 1;
        inserts_.push_back({at, 1, indentOf(blocks_[static_cast<size_t>(b)].openLine) + 3, pass});
    }
    edits_.push_back({jump.line, jump.pos, jump.length,
                      "{ " + std::string(GEN_RESUME_POINT) + " = " + n + "; goto " + resumeLabel(way.front()) + "; }"});
    return true;
}

/* Whether the block at `i` of the way is a plain block whose next block on
** the way is a loop tested at its head, with no command before the loop:
** the block holds the loop's set-up (a BEGIN_LOOP's counter and limit). A
** loop tested at its end (do ... while, DOUNTIL) has none, and a block in
** which a command comes first (its prologue sets the sequence number) is
** that command's, an OTHERWISE's say, with a DOWHILE after it. */
bool Mender::setUpOfLoop(const std::vector<int>& way, size_t i)
{
    if (head(way[i]).kind != HeadKind::Plain || i + 1 >= way.size())
        return false;
    const Head& loop = head(way[i + 1]);
    if (loop.kind != HeadKind::For && loop.kind != HeadKind::While)
        return false;
    for (size_t line = blocks_[static_cast<size_t>(way[i])].openLine; line < loop.firstLine; ++line)
        if (trimmed(line).find("sSequence = ") != std::string_view::npos)
            return false;
    return true;
}

/* Whether a block the jump enters from outside declares variables before
** the way on: C lets the goto in, but leaves them unset. */
bool Mender::skipsDeclarations(const Jump& jump)
{
    const Label& label = labels_.at(jump.target);
    const int common = innermostCommon(jump.block, label.block);
    std::vector<int> way;
    for (int b = label.block; b != common; b = blocks_[static_cast<size_t>(b)].parent)
        way.push_back(b);
    std::reverse(way.begin(), way.end());
    for (size_t i = 0; i < way.size(); ++i) {
        const int b = way[i];
        if (head(b).kind == HeadKind::Other)
            return false;
        /* the goto would leave the loop's counter or set-up undone */
        if (head(b).kind == HeadKind::For || setUpOfLoop(way, i))
            return true;
        const size_t target = i + 1 < way.size() ? head(way[i + 1]).firstLine : label.line;
        if (passPoint(b, target) != blocks_[static_cast<size_t>(b)].openLine)
            return true;
    }
    return false;
}

/* The tests of the IF, while and for heads that let a resume in. */
void Mender::writeAdmissions()
{
    const std::string resume = GEN_RESUME_POINT;
    for (auto& [block, a] : admissions_) {
        const Head& h = head(block);
        std::sort(a.then.begin(), a.then.end());
        a.then.erase(std::unique(a.then.begin(), a.then.end()), a.then.end());
        std::sort(a.otherwise.begin(), a.otherwise.end());
        a.otherwise.erase(std::unique(a.otherwise.begin(), a.otherwise.end()), a.otherwise.end());
        /* "( COND )" becomes "( R == 1 || ( R != 2 && ( COND ) ) )" */
        std::string prefix = " ", suffix = ")";
        for (int n : a.then)
            prefix += resume + " == " + std::to_string(n) + " || ";
        if (!a.otherwise.empty()) {
            prefix += "( ";
            for (int n : a.otherwise)
                prefix += resume + " != " + std::to_string(n) + " && ";
            suffix += " )";
        }
        prefix += "(";
        edits_.push_back({h.condOpenLine, h.condOpenPos + 1, 0, prefix});
        edits_.push_back({h.condCloseLine, h.condClosePos, 0, suffix + " "});
    }
}

/* The edits from the last line's last back, the inserts from the last place back. */
void Mender::sortPlan()
{
    std::stable_sort(edits_.begin(), edits_.end(),
                     [](const Edit& a, const Edit& b) { return a.line != b.line ? a.line > b.line : a.pos > b.pos; });
    std::stable_sort(inserts_.begin(), inserts_.end(), [](const Insert& a, const Insert& b) {
        return a.before != b.before ? a.before > b.before : a.order > b.order;
    });
}

void Mender::apply(std::vector<GEN_HELD_LINE>& held)
{
    sortPlan();
    for (const Edit& e : edits_)
        held[e.line].text.replace(e.pos, e.length, e.text);
    for (const Insert& i : inserts_)
        held.insert(held.begin() + static_cast<std::ptrdiff_t>(std::min(i.before, held.size())),
                    GEN_HELD_LINE{i.indent, i.text, true, false, true});
}

void Mender::applyInOrder(GEN_HELD_LINES& source, const GEN_HELD_WRITER& write)
{
    /* as apply() does: a place's inserts go before its line, each put
       before those inserted there earlier; a line's edits from its end */
    sortPlan();
    size_t edit = edits_.size(), insert = inserts_.size();
    const auto insertsUpTo = [&](size_t place) {
        for (; insert > 0 && inserts_[insert - 1].before <= place; --insert)
            write(inserts_[insert - 1].indent, inserts_[insert - 1].text);
    };
    size_t indent = 0;
    std::string_view text;
    std::string edited;
    for (size_t line = 0; source.Next(indent, text); ++line) {
        insertsUpTo(line);
        size_t first = edit;
        while (first > 0 && edits_[first - 1].line == line)
            --first;
        if (first == edit) {
            write(indent, text);
            continue;
        }
        edited.assign(text);
        for (size_t e = first; e < edit; ++e)
            edited.replace(edits_[e].pos, edits_[e].length, edits_[e].text);
        edit = first;
        write(indent, edited);
    }
    insertsUpTo(SIZE_MAX);
}

bool Mender::mend(std::string& refused, size_t& refusedLine)
{
    read();
    if (!balanced())
        return true;
    std::map<std::string, int> numbers;
    for (const Jump& jump : jumps_) {
        /* each jump reads the lines it needs; those read for the ones before go when they are many */
        lines_.forgetMany();
        const auto label = labels_.find(jump.target);
        if (label == labels_.end() || encloses(label->second.block, jump.block))
            continue;
        if (pastDeclarationsOnly_ && !skipsDeclarations(jump))
            continue;
        const auto [number, added] = numbers.emplace(jump.target, static_cast<int>(numbers.size()) + 1);
        if (!plan(jump, number->second, refused)) {
            refusedLine = jump.line;
            return false;
        }
    }
    if (edits_.empty())
        return true;
    writeAdmissions();
    /* the local, first in the method */
    size_t at = 0, indent = indentOf(0);
    if (methodHead_) {
        for (size_t b = 1; b < blocks_.size(); ++b)
            if (blocks_[b].parent == 0) {
                at = blocks_[b].openLine + 1;
                indent = indentOf(blocks_[b].openLine) + 3;
                break;
            }
    }
    inserts_.push_back({at, 0, indent, "int " + std::string(GEN_RESUME_POINT) + " = 0;"});
    return true;
}

/* The command a refused jump belongs to: the last "sSequence" set at or
** before its line (0 for none). */
int32_t commandOf(Mender& mender, size_t at)
{
    for (size_t i = std::min(at + 1, mender.lineCount()); i-- > 0;) {
        const std::string text = mender.text(i);
        if (const size_t n = text.find("sSequence = "); n != std::string::npos)
            return std::atoi(text.c_str() + n + 12);
    }
    return 0;
}

/* Plans the mending of the lines the source reads; false, with the jump
** refused and its command, when one cannot be mended. `change` is called
** with the mender when the plan changes the lines. */
template <typename Change>
bool mendLines(GEN_HELD_LINES& source, bool fMethodHead, bool fPastDeclarationsOnly, std::string& refused,
               int32_t* plCommand, Change change)
{
    Mender mender(source, fMethodHead, fPastDeclarationsOnly);
    size_t at = 0;
    if (!mender.mend(refused, at)) {
        if (plCommand)
            *plCommand = commandOf(mender, at);
        return false;
    }
    if (mender.changes())
        change(mender);
    return true;
}

bool mendJumps(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead, bool fPastDeclarationsOnly, std::string& refused,
               int32_t* plCommand)
{
    /* most methods jump nowhere a C# goto cannot reach, many nowhere at all */
    bool any = false;
    for (const GEN_HELD_LINE& l : lines)
        if (l.text.find("goto") != std::string::npos) {
            any = true;
            break;
        }
    if (!any)
        return true;
    GEN_VECTOR_HELD_LINES source(lines);
    return mendLines(source, fMethodHead, fPastDeclarationsOnly, refused, plCommand,
                     [&lines](Mender& mender) { mender.apply(lines); });
}

}  // namespace

bool P3109_fMendCSharpJumps(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead, std::string& refused,
                            int32_t* plCommand)
{
    return mendJumps(lines, fMethodHead, false, refused, plCommand);
}

void P3109_MendJumpsPastDeclarations(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead)
{
    std::string refused;
    mendJumps(lines, fMethodHead, true, refused, nullptr);
}

bool P3109_fMendHeldJumps(GEN_STREAM stream, bool fMethodHead, bool fCSharp, std::string& refused, int32_t* plCommand)
{
    bool mended = true;
    /* the lines are looked at only when one names the jump word; they are
       taken from where they are held only when a jump is mended */
    if (P3109_fHeldLinesHold(stream)) {
        const std::unique_ptr<GEN_HELD_LINES> source = P3109_ReadHeldLines(stream);
        mended = mendLines(*source, fMethodHead, !fCSharp, refused, plCommand, [stream](Mender& mender) {
            if (P3109_fRewriteHeldLines(stream, [&mender](GEN_HELD_LINES& lines, const GEN_HELD_WRITER& write) {
                    mender.applyInOrder(lines, write);
                }))
                return;
            std::vector<GEN_HELD_LINE> lines = P3109_TakeHeldLines(stream);
            mender.apply(lines);
            P3109_WriteHeldLines(stream, lines);
        });
    }
    P3109_ReleaseHeldLines(stream);
    return mended;
}
