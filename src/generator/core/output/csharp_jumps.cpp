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

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>

namespace {

bool nameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

struct Brace {
    size_t pos;
    bool open;
    int block; /* the block opened or closed */
};

/* A line as the reader sees it: its code (comments and the contents of
** literals blanked, preprocessor lines all blank, the positions kept) and
** its braces. */
struct Line {
    std::string code;
    std::vector<Brace> braces;
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

class Mender {
public:
    Mender(std::vector<GEN_HELD_LINE>& lines, bool fMethodHead, bool fPastDeclarationsOnly = false)
        : held_(lines), methodHead_(fMethodHead), pastDeclarationsOnly_(fPastDeclarationsOnly)
    {
    }

    bool mend(std::string& refused, size_t& refusedLine);

private:
    std::vector<GEN_HELD_LINE>& held_;
    bool methodHead_;
    bool pastDeclarationsOnly_; /* C: only the jumps that skip initialised declarations */
    std::vector<Line> lines_;
    std::vector<Block> blocks_;
    std::map<std::string, Label> labels_;
    std::vector<Jump> jumps_;
    std::map<int, Head> heads_;

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

    void read();
    bool balanced() const;
    void findLabelsAndJumps();
    int blockAt(size_t line, size_t pos) const;
    bool encloses(int outer, int inner) const;
    int innermostCommon(int a, int b) const;
    const Head& head(int block);
    Head classify(int block);
    size_t previousCodeLine(size_t line) const;
    std::string_view trimmed(size_t line) const;
    bool conditionParentheses(size_t line, size_t from, Head& h) const;
    bool forCondition(Head& h) const;
    bool declarationStart(size_t line) const;
    size_t passPoint(int block, size_t target) const;
    size_t indentOf(size_t line) const;
    bool plan(const Jump& jump, int number, std::string& refused);
    bool skipsDeclarations(const Jump& jump);
    void writeAdmissions();
    void apply();
};

void Mender::read()
{
    lines_.resize(held_.size());
    bool comment = false;
    for (size_t i = 0; i < held_.size(); ++i) {
        const std::string& t = held_[i].text;
        std::string& code = lines_[i].code;
        code.assign(t.size(), ' ');
        const size_t first = t.find_first_not_of(" \t");
        if (!comment && first != std::string::npos && t[first] == '#')
            continue;
        for (size_t k = 0; k < t.size(); ++k) {
            if (comment) {
                if (t.compare(k, 2, "*/") == 0) {
                    comment = false;
                    ++k;
                }
                continue;
            }
            if (t.compare(k, 2, "//") == 0)
                break;
            if (t.compare(k, 2, "/*") == 0) {
                comment = true;
                ++k;
                continue;
            }
            const char c = t[k];
            if (c == '"' || c == '\'') {
                const bool verbatim = c == '"' && k > 0 && t[k - 1] == '@';
                code[k] = c;
                for (++k; k < t.size(); ++k) {
                    if (!verbatim && t[k] == '\\') {
                        ++k;
                        continue;
                    }
                    if (t[k] == c) {
                        if (verbatim && k + 1 < t.size() && t[k + 1] == '"') {
                            ++k;
                            continue;
                        }
                        code[k] = c;
                        break;
                    }
                }
                continue;
            }
            code[k] = c;
        }
    }
    /* the blocks: 0 stands for what is outside every brace */
    blocks_.assign(1, Block{});
    std::vector<int> open{0};
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& l = lines_[i];
        l.blockAtStart = open.back();
        for (size_t k = 0; k < l.code.size(); ++k) {
            if (l.code[k] == '{') {
                blocks_.push_back({open.back(), i, k, SIZE_MAX});
                open.push_back(static_cast<int>(blocks_.size() - 1));
                l.braces.push_back({k, true, open.back()});
            } else if (l.code[k] == '}') {
                if (open.size() == 1) {
                    blocks_[0].closeLine = i; /* marks the text unbalanced */
                    return;
                }
                blocks_[static_cast<size_t>(open.back())].closeLine = i;
                l.braces.push_back({k, false, open.back()});
                open.pop_back();
            }
        }
        l.blockAtEnd = open.back();
    }
    if (open.size() != 1)
        blocks_[0].closeLine = 0;
}

bool Mender::balanced() const
{
    return blocks_[0].closeLine == SIZE_MAX;
}

std::string_view Mender::trimmed(size_t line) const
{
    std::string_view c = lines_[line].code;
    const size_t first = c.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const size_t last = c.find_last_not_of(" \t\r\n");
    return c.substr(first, last - first + 1);
}

void Mender::findLabelsAndJumps()
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string& c = lines_[i].code;
        const size_t first = c.find_first_not_of(' ');
        if (first != std::string::npos && nameStart(c[first])) {
            size_t end = first;
            while (end < c.size() && nameChar(c[end]))
                ++end;
            size_t colon = c.find_first_not_of(' ', end);
            const std::string name = c.substr(first, end - first);
            if (colon != std::string::npos && c[colon] == ':' && (colon + 1 >= c.size() || c[colon + 1] != ':') &&
                name != "default" && name != "case")
                labels_.emplace(name, Label{i, lines_[i].blockAtStart});
        }
        for (size_t at = c.find("goto"); at != std::string::npos; at = c.find("goto", at + 4)) {
            if ((at > 0 && nameChar(c[at - 1])) || at + 4 >= c.size() || nameChar(c[at + 4]))
                continue;
            size_t k = c.find_first_not_of(' ', at + 4);
            if (k == std::string::npos || !nameStart(c[k]))
                continue;
            size_t end = k;
            while (end < c.size() && nameChar(c[end]))
                ++end;
            const size_t semicolon = c.find_first_not_of(' ', end);
            if (semicolon == std::string::npos || c[semicolon] != ';')
                continue;
            jumps_.push_back({i, at, semicolon + 1 - at, c.substr(k, end - k), blockAt(i, at)});
        }
    }
}

int Mender::blockAt(size_t line, size_t pos) const
{
    int block = lines_[line].blockAtStart;
    for (const Brace& b : lines_[line].braces) {
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

size_t Mender::previousCodeLine(size_t line) const
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
bool Mender::conditionParentheses(size_t line, size_t from, Head& h) const
{
    const size_t open = lines_[line].code.find('(', from);
    if (open == std::string::npos)
        return false;
    h.condOpenLine = line;
    h.condOpenPos = open;
    int depth = 0;
    for (size_t i = line; i < lines_.size(); ++i) {
        const std::string& c = lines_[i].code;
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
bool Mender::forCondition(Head& h) const
{
    size_t found = 0;
    size_t at[2][2] = {};
    int depth = 0;
    bool blank = true;
    for (size_t i = h.condOpenLine; i <= h.condCloseLine && found < 2; ++i) {
        const std::string& c = lines_[i].code;
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
    std::string_view before = std::string_view(lines_[b.openLine].code).substr(0, b.openPos);
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
        if (closing != SIZE_MAX)
            for (const Brace& brace : lines_[closing].braces)
                if (!brace.open && (closing != b.openLine || brace.pos < b.openPos))
                    then = brace.block;
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
bool Mender::declarationStart(size_t line) const
{
    std::string text = lines_[line].code;
    if (line + 1 < lines_.size())
        text += " " + lines_[line + 1].code;
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
size_t Mender::passPoint(int block, size_t target) const
{
    const Block& b = blocks_[static_cast<size_t>(block)];
    size_t after = b.openLine;
    bool statementStarts = true;
    for (size_t i = b.openLine + 1; i < target && i < lines_.size(); ++i) {
        const std::string_view t = trimmed(i);
        if (t.empty())
            continue;
        if (lines_[i].blockAtStart == block && statementStarts && declarationStart(i)) {
            /* the declaration ends where a ';' ends a line back in this block */
            size_t end = i;
            while (end < target && !(lines_[end].blockAtEnd == block && trimmed(end).ends_with(';')))
                ++end;
            if (end < target)
                after = end;
        }
        const char last = t.back();
        statementStarts = last == ';' || last == '{' || last == '}' || last == ':';
    }
    return after;
}

size_t Mender::indentOf(size_t line) const
{
    for (size_t i = line; i < held_.size(); ++i)
        if (!trimmed(i).empty())
            return held_[i].ulIndent + held_[i].text.find_first_not_of(' ');
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
            refused = held_[jump.line].text.substr(held_[jump.line].text.find_first_not_of(' '));
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
        ** it ends, as entering the loop at its head does */
        const size_t at = h.kind == HeadKind::Plain && i + 1 < way.size() ? target : passPoint(b, target) + 1;
        inserts_.push_back({at, 1, indentOf(blocks_[static_cast<size_t>(b)].openLine) + 3, pass});
    }
    edits_.push_back({jump.line, jump.pos, jump.length,
                      "{ " + std::string(GEN_RESUME_POINT) + " = " + n + "; goto " + resumeLabel(way.front()) + "; }"});
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
        if (head(b).kind == HeadKind::For || (head(b).kind == HeadKind::Plain && i + 1 < way.size()))
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

void Mender::apply()
{
    std::stable_sort(edits_.begin(), edits_.end(),
                     [](const Edit& a, const Edit& b) { return a.line != b.line ? a.line > b.line : a.pos > b.pos; });
    for (const Edit& e : edits_)
        held_[e.line].text.replace(e.pos, e.length, e.text);
    std::stable_sort(inserts_.begin(), inserts_.end(), [](const Insert& a, const Insert& b) {
        return a.before != b.before ? a.before > b.before : a.order > b.order;
    });
    for (const Insert& i : inserts_)
        held_.insert(held_.begin() + static_cast<std::ptrdiff_t>(std::min(i.before, held_.size())),
                     GEN_HELD_LINE{i.indent, i.text, true, false, true});
}

bool Mender::mend(std::string& refused, size_t& refusedLine)
{
    read();
    if (!balanced())
        return true;
    findLabelsAndJumps();
    std::map<std::string, int> numbers;
    for (const Jump& jump : jumps_) {
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
    apply();
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
    std::vector<GEN_HELD_LINE> copy = lines;
    Mender mender(copy, fMethodHead, fPastDeclarationsOnly);
    size_t at = 0;
    if (!mender.mend(refused, at)) {
        /* the command's number, as its prologue set it */
        if (plCommand) {
            *plCommand = 0;
            for (size_t i = std::min(at + 1, lines.size()); i-- > 0;)
                if (const size_t n = lines[i].text.find("sSequence = "); n != std::string::npos) {
                    *plCommand = std::atoi(lines[i].text.c_str() + n + 12);
                    break;
                }
        }
        return false;
    }
    lines.swap(copy);
    return true;
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
