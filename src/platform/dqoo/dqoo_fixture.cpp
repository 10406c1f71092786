// Loader of the expression fixture format (described in dqoo_fixture.h).
// Lines are read in order; references to ids are collected as fix-ups and
// resolved once every line is read, so an id may be used before it is
// defined.  The pointer arrays of the records are set last, when their
// contents are complete.

#include "platform/dqoo/dqoo_fixture.h"
#include "platform/dqoo/dqoo_store.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct FixtureError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Word {
    std::string text;
    bool quoted = false;  // the whole word was one quoted literal
};

[[noreturn]] void fail(int line, const std::string& what)
{
    throw FixtureError("line " + std::to_string(line) + ": " + what);
}

std::vector<Word> splitWords(const std::string& line, int lineNo)
{
    std::vector<Word> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= line.size())
            break;
        Word w;
        w.quoted = line[i] == '\'';
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
            if (line[i] != '\'') {
                w.text.push_back(line[i++]);
                continue;
            }
            ++i;  // a quoted part: up to the closing quote, '' is one quote
            for (;;) {
                if (i >= line.size())
                    fail(lineNo, "quoted value not closed");
                if (line[i] == '\'') {
                    if (i + 1 < line.size() && line[i + 1] == '\'') {
                        w.text.push_back('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                w.text.push_back(line[i++]);
            }
        }
        words.push_back(std::move(w));
    }
    return words;
}

// The name=value members of a line, from word `from` on.
struct Members {
    std::vector<std::pair<std::string, std::string>> items;
    std::vector<bool> used;
    int line = 0;

    const std::string* find(const char* name)
    {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].first == name) {
                used[i] = true;
                return &items[i].second;
            }
        return nullptr;
    }
    bool has(const char* name) const
    {
        for (const auto& item : items)
            if (item.first == name)
                return true;
        return false;
    }
    void checkAllUsed() const
    {
        for (size_t i = 0; i < items.size(); ++i)
            if (!used[i])
                fail(line, "unknown member " + items[i].first);
    }
};

Members members(const std::vector<Word>& words, size_t from, int line)
{
    Members m;
    m.line = line;
    for (size_t i = from; i < words.size(); ++i) {
        const size_t eq = words[i].quoted ? std::string::npos : words[i].text.find('=');
        if (eq == std::string::npos || eq == 0)
            fail(line, "expected name=value, found " + words[i].text);
        m.items.emplace_back(words[i].text.substr(0, eq), words[i].text.substr(eq + 1));
        m.used.push_back(false);
    }
    return m;
}

long long toNumber(const std::string& s, int line)
{
    try {
        size_t used = 0;
        const long long v = std::stoll(s, &used, 0);
        if (used != s.size())
            throw std::invalid_argument(s);
        return v;
    } catch (const std::exception&) {
        fail(line, "not a number: " + s);
    }
}

// A kind-3 reference written as letter + 7 digits, or 7 digits alone.
std::string referenceKey(const std::string& s, bool withLetter, int line)
{
    const size_t digits = withLetter ? 1 : 0;
    bool good = s.size() == 7 + digits;
    for (size_t i = digits; good && i < s.size(); ++i)
        good = std::isdigit(static_cast<unsigned char>(s[i])) != 0;
    if (!good)
        fail(line, "expected " + std::string(withLetter ? "a letter and " : "") + "7 digits, found " + s);
    return s;
}

class Loader {
public:
    explicit Loader(dqoo::ExpressionStore& store) : store_(store) {}

    void line(const std::string& text, int lineNo);

    void finish()
    {
        for (const NodeFixup& f : nodeFixups_)
            *f.slot = lookupNode(f.id, f.line);
        for (const ArrayFixup& f : arrayFixups_)
            (*f.array)[f.index] = lookupNode(f.id, f.line);
        for (const RoutineFixup& f : routineFixups_) {
            auto it = routineIds_.find(f.id);
            if (it == routineIds_.end())
                fail(f.line, "routine " + f.id + " is not defined");
            (*f.list)[f.index] = it->second;
        }
        for (const ExpressionBuild& b : expressionBuilds_) {
            b.expression->instructionCount = static_cast<uint32_t>(b.code->size());
            b.expression->instructions = b.code->data();
            b.expression->workCount = static_cast<uint32_t>(b.work->size());
            b.expression->work = b.work->data();
            b.expression->variantCount = static_cast<uint32_t>(b.variants->size());
            b.expression->variants = b.variants->data();
        }
        for (const VariantBuild& b : variantBuilds_) {
            b.variant->statementCount = static_cast<uint32_t>(b.statements->size());
            b.variant->statements = b.statements->data();
        }
        for (const RoutineBuild& b : routineBuilds_) {
            b.routine->expressionCount = static_cast<uint32_t>(b.expressions->size());
            b.routine->expressions = b.expressions->data();
        }
    }

private:
    // One record kind of the format: its keyword and the member reading it.
    using Words = std::vector<Word>;
    struct Record {
        std::string_view keyword;
        void (*read)(Loader&, const Words&, int);
    };
    static const Record kRecords[];

    struct NodeFixup {
        EXPR_OPERAND_NODE** slot;
        std::string id;
        int line;
    };
    struct ArrayFixup {
        std::vector<EXPR_OPERAND_NODE*>* array;
        size_t index;
        std::string id;
        int line;
    };
    struct RoutineFixup {
        std::vector<EXPR_PCODE_ROUTINE*>* list;
        size_t index;
        std::string id;
        int line;
    };
    struct ExpressionBuild {
        EXPR_EXPRESSION* expression;
        std::vector<EXPR_OPERAND_NODE*>* code;
        std::vector<EXPR_OPERAND_NODE*>* work;
        std::vector<EXPR_VARIANT*>* variants;
    };
    struct VariantBuild {
        EXPR_VARIANT* variant;
        std::vector<EXPR_STATEMENT*>* statements;
    };
    struct RoutineBuild {
        EXPR_PCODE_ROUTINE* routine;
        std::vector<EXPR_EXPRESSION*>* expressions;
    };

    EXPR_OPERAND_NODE* lookupNode(const std::string& id, int line) const
    {
        auto it = nodeIds_.find(id);
        if (it == nodeIds_.end())
            fail(line, "node " + id + " is not defined");
        return it->second;
    }

    void refer(EXPR_OPERAND_NODE** slot, Members& m, const char* name)
    {
        if (const std::string* id = m.find(name))
            nodeFixups_.push_back({slot, *id, m.line});
    }

    void node(const std::vector<Word>& w, int line, bool instruction)
    {
        if (w.size() < 2)
            fail(line, "id missing");
        const std::string& id = w[1].text;
        if (nodeIds_.count(id) != 0)
            fail(line, "duplicate id " + id);
        EXPR_OPERAND_NODE& n = store_.nodes.emplace_back();
        std::memset(&n, 0, sizeof n);
        nodeIds_[id] = &n;
        Members m = members(w, 2, line);
        if (instruction) {
            n.kind = EXPR_TAG_INSTRUCTION;
            const std::string* op = m.find("opcode");
            if (op == nullptr)
                fail(line, "opcode missing");
            n.opcode = static_cast<uint32_t>(toNumber(*op, line));
            refer(&n.operand, m, "operand");
            if (const std::string* v = m.find("flags"))
                n.instructionFlags = static_cast<uint32_t>(toNumber(*v, line));
            m.checkAllUsed();
            return;
        }
        const std::string* kind = m.find("kind");
        if (kind == nullptr)
            fail(line, "kind missing");
        n.kind = static_cast<int32_t>(toNumber(*kind, line));
        /* members that share their room in the record: one of each group */
        if (m.has("maxlength") && m.has("vector"))
            fail(line, "maxlength and vector share their room");
        if (m.has("packed") + m.has("component") + m.has("bool") + m.has("list") + m.has("record") > 1)
            fail(line, "only one of packed, component, bool, list and record");
        if (const std::string* v = m.find("value"))
            n.value = static_cast<uint32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("second"))
            n.second = static_cast<uint32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("maxlength"))
            n.maxLength = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("field"))
            n.fieldRef = store_.keepText(*v);
        if (const std::string* v = m.find("component"))
            n.componentFieldRef = store_.keepText(*v);
        if (const std::string* v = m.find("dispatch"))
            n.dispatchOp = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("vector"))
            n.resultVectorIndex = static_cast<uint32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("pull"))
            n.pullOperand = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("flags"))
            n.flags = static_cast<uint32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("text"))
            n.valueText = store_.keepText(*v);
        if (const std::string* v = m.find("bool"))
            n.booleanValue = &store_.booleans.emplace_back(static_cast<int32_t>(toNumber(*v, line)));
        if (const std::string* v = m.find("packed"))
            n.packedText = store_.keepText(*v);
        if (const std::string* v = m.find("list"))
            n.listName = store_.keepText(*v);
        if (const std::string* v = m.find("record"))
            n.recordRef = store_.keepText(*v);
        m.checkAllUsed();
    }

    void routine(const std::vector<Word>& w, int line)
    {
        if (w.size() < 2)
            fail(line, "id missing");
        const std::string& id = w[1].text;
        if (routineIds_.count(id) != 0)
            fail(line, "duplicate routine id " + id);
        EXPR_PCODE_ROUTINE& r = store_.routines.emplace_back();
        std::memset(&r, 0, sizeof r);
        Members m = members(w, 2, line);
        const std::string* kind = m.find("kind");
        const std::string* number = m.find("number");
        if (kind == nullptr || number == nullptr)
            fail(line, "kind and number are required");
        r.kind = static_cast<int32_t>(toNumber(*kind, line));
        r.number = static_cast<int32_t>(toNumber(*number, line));
        if (const std::string* v = m.find("stack"))
            r.operandStackSize = static_cast<uint32_t>(toNumber(*v, line));
        m.checkAllUsed();
        routineIds_[id] = &r;
        store_.routineOrder.push_back(&r);
        routineBuilds_.push_back({&r, &store_.expressionArrays.emplace_back()});
        expressionOpen_ = false;
        variantOpen_ = false;
    }

    void expression(const std::vector<Word>& w, int line)
    {
        if (routineBuilds_.empty())
            fail(line, "EXPRESSION outside a ROUTINE");
        EXPR_EXPRESSION& e = store_.expressions.emplace_back();
        std::memset(&e, 0, sizeof e);
        Members m = members(w, 1, line);
        refer(&e.result, m, "result");
        m.checkAllUsed();
        routineBuilds_.back().expressions->push_back(&e);
        expressionBuilds_.push_back({&e, &store_.nodeArrays.emplace_back(), &store_.nodeArrays.emplace_back(),
                                     &store_.variantArrays.emplace_back()});
        expressionOpen_ = true;
        variantOpen_ = false;
    }

    void codeList(const std::vector<Word>& w, int line, bool code)
    {
        if (!expressionOpen_)
            fail(line, std::string(code ? "CODE" : "WORK") + " outside an EXPRESSION");
        std::vector<EXPR_OPERAND_NODE*>* array = code ? expressionBuilds_.back().code : expressionBuilds_.back().work;
        for (size_t i = 1; i < w.size(); ++i) {
            arrayFixups_.push_back({array, array->size(), w[i].text, line});
            array->push_back(nullptr);
        }
    }

    void variant(const std::vector<Word>& w, int line)
    {
        if (!expressionOpen_)
            fail(line, "VARIANT outside an EXPRESSION");
        EXPR_VARIANT& v = store_.variants.emplace_back();
        std::memset(&v, 0, sizeof v);
        Members m = members(w, 1, line);
        const std::string* tag = m.find("tag");
        if (tag == nullptr)
            fail(line, "tag missing");
        v.tag = static_cast<uint32_t>(toNumber(*tag, line));
        m.checkAllUsed();
        expressionBuilds_.back().variants->push_back(&v);
        variantBuilds_.push_back({&v, &store_.statementArrays.emplace_back()});
        variantOpen_ = true;
    }

    void statement(const std::vector<Word>& w, int line)
    {
        if (!variantOpen_)
            fail(line, "STATEMENT outside a VARIANT");
        EXPR_STATEMENT& s = store_.statements.emplace_back();
        std::memset(&s, 0, sizeof s);
        Members m = members(w, 1, line);
        const std::string* kind = m.find("kind");
        if (kind == nullptr)
            fail(line, "kind missing");
        s.kind = static_cast<int32_t>(toNumber(*kind, line));
        if (m.has("source") && m.has("field"))
            fail(line, "source and field share their room");
        refer(&s.operation, m, "operation");
        refer(&s.result, m, "result");
        refer(&s.left, m, "left");
        refer(&s.right, m, "right");
        refer(&s.source, m, "source");
        refer(&s.field, m, "field");
        m.checkAllUsed();
        variantBuilds_.back().statements->push_back(&s);
    }

    void reference(const std::vector<Word>& w, int line)
    {
        if (w.size() != 2)
            fail(line, "REFERENCE takes one reference");
        const std::string key = referenceKey(w[1].text, true, line);
        if (store_.references.count(key) != 0)
            fail(line, "duplicate reference " + key);
        currentReference_ = &store_.references[key];
    }

    void element(const std::vector<Word>& w, int line)
    {
        if (currentReference_ == nullptr)
            fail(line, "ELEMENT outside a REFERENCE");
        Members m = members(w, 1, line);
        if (const std::string* id = m.find("routine")) {
            m.checkAllUsed();
            routineFixups_.push_back({currentReference_, currentReference_->size(), *id, line});
            currentReference_->push_back(nullptr);
            return;
        }
        EXPR_PCODE_ROUTINE& e = store_.routines.emplace_back();
        std::memset(&e, 0, sizeof e);
        const std::string* kind = m.find("kind");
        if (kind == nullptr)
            fail(line, "kind or routine missing");
        e.kind = static_cast<int32_t>(toNumber(*kind, line));
        if (const std::string* v = m.find("number"))
            e.number = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("stack"))
            e.operandStackSize = static_cast<uint32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("code")) {
            if (v->size() != 1)
                fail(line, "code is one character");
            e.code = (*v)[0];
        }
        refer(&e.node, m, "node");
        if (const std::string* v = m.find("first"))
            e.first = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("second"))
            e.second = static_cast<int32_t>(toNumber(*v, line));
        if (const std::string* v = m.find("third"))
            e.third = static_cast<int32_t>(toNumber(*v, line));
        m.checkAllUsed();
        currentReference_->push_back(&e);
    }

    void literal(const std::vector<Word>& w, int line)
    {
        if (w.size() < 2)
            fail(line, "reference missing");
        const std::string key = referenceKey(w[1].text, true, line);
        Members m = members(w, 2, line);
        const std::string* text = m.find("text");
        if (text == nullptr)
            fail(line, "text missing");
        if (text->size() > 0xFFFF)
            fail(line, "literal longer than 65535 characters");
        dqoo::Literal lit{*text, 0};
        if (const std::string* v = m.find("second"))
            lit.second = static_cast<uint16_t>(toNumber(*v, line));
        m.checkAllUsed();
        store_.literals[key] = lit;
    }

    void attributes(const std::vector<Word>& w, int line)
    {
        if (w.size() < 2 || w.size() % 2 != 0)
            fail(line, "ATTRIBUTES takes a number and pairs of field and attributes");
        const std::string key = referenceKey(w[1].text, false, line);
        std::vector<dqoo::Attribute>& list = store_.attributeLists[key];
        for (size_t i = 2; i + 1 < w.size(); i += 2)
            list.push_back({w[i].text, w[i + 1].text});
    }

    void pending(const std::vector<Word>& w, int line)
    {
        if (w.size() < 2)
            fail(line, "number missing");
        const std::string key = referenceKey(w[1].text, false, line);
        Members m = members(w, 2, line);
        const std::string* text = m.find("text");
        if (text == nullptr)
            fail(line, "text missing");
        m.checkAllUsed();
        store_.pending[key] = *text;
    }

    void evaluations(const std::vector<Word>& w, int line)
    {
        if (w.size() < 2)
            fail(line, "statement handle missing");
        const int32_t handle = static_cast<int32_t>(toNumber(w[1].text, line));
        if (handle <= 0)
            fail(line, "a statement handle is above 0");
        std::vector<DQOO_STATEMENT_EVALUATION>& list = store_.evaluations[handle];
        for (size_t i = 2; i < w.size(); ++i) {
            if (w[i].text.empty() || w[i].text.size() > 10)
                fail(line, "field name of 1 to 10 characters expected: " + w[i].text);
            DQOO_STATEMENT_EVALUATION e;
            std::memset(&e, 0, sizeof e);
            e.lStatement = handle;
            e.lSequence = static_cast<int32_t>(list.size() + 1);
            std::memset(e.achFieldName, ' ', sizeof e.achFieldName);
            std::memcpy(e.achFieldName, w[i].text.data(), w[i].text.size());
            list.push_back(e);
        }
    }

    dqoo::ExpressionStore& store_;
    std::map<std::string, EXPR_OPERAND_NODE*> nodeIds_;
    std::map<std::string, EXPR_PCODE_ROUTINE*> routineIds_;
    std::vector<NodeFixup> nodeFixups_;
    std::vector<ArrayFixup> arrayFixups_;
    std::vector<RoutineFixup> routineFixups_;
    std::vector<ExpressionBuild> expressionBuilds_;
    std::vector<VariantBuild> variantBuilds_;
    std::vector<RoutineBuild> routineBuilds_;
    std::vector<EXPR_PCODE_ROUTINE*>* currentReference_ = nullptr;
    bool expressionOpen_ = false;
    bool variantOpen_ = false;
};

const Loader::Record Loader::kRecords[] = {
    {"NODE", [](Loader& l, const Words& w, int n) { l.node(w, n, false); }},
    {"INSTRUCTION", [](Loader& l, const Words& w, int n) { l.node(w, n, true); }},
    {"ROUTINE", [](Loader& l, const Words& w, int n) { l.routine(w, n); }},
    {"EXPRESSION", [](Loader& l, const Words& w, int n) { l.expression(w, n); }},
    {"CODE", [](Loader& l, const Words& w, int n) { l.codeList(w, n, true); }},
    {"WORK", [](Loader& l, const Words& w, int n) { l.codeList(w, n, false); }},
    {"VARIANT", [](Loader& l, const Words& w, int n) { l.variant(w, n); }},
    {"STATEMENT", [](Loader& l, const Words& w, int n) { l.statement(w, n); }},
    {"REFERENCE", [](Loader& l, const Words& w, int n) { l.reference(w, n); }},
    {"ELEMENT", [](Loader& l, const Words& w, int n) { l.element(w, n); }},
    {"LITERAL", [](Loader& l, const Words& w, int n) { l.literal(w, n); }},
    {"ATTRIBUTES", [](Loader& l, const Words& w, int n) { l.attributes(w, n); }},
    {"PENDING", [](Loader& l, const Words& w, int n) { l.pending(w, n); }},
    {"EVALUATIONS", [](Loader& l, const Words& w, int n) { l.evaluations(w, n); }},
};

void Loader::line(const std::string& text, int lineNo)
{
    const std::vector<Word> words = splitWords(text, lineNo);
    if (words.empty() || words[0].text[0] == '#')
        return;
    const std::string& key = words[0].text;
    for (const Record& r : kRecords)
        if (key == r.keyword) {
            r.read(*this, words, lineNo);
            return;
        }
    fail(lineNo, "unknown keyword " + key);
}

void setError(char* buffer, size_t size, const std::string& text)
{
    if (buffer != nullptr && size > 0)
        std::snprintf(buffer, size, "%s", text.c_str());
}

}  // namespace

extern "C" long DQOO_FCC_LoadExpressionFixture(const char* pszText, char* pszError, size_t cbError)
{
    setError(pszError, cbError, "");
    auto store = std::make_unique<dqoo::ExpressionStore>();
    if (pszText == nullptr) {
        dqoo::replaceStore(std::move(store));
        setError(pszError, cbError, "no fixture text");
        return -1;
    }
    try {
        Loader loader(*store);
        std::istringstream in(pszText);
        std::string text;
        int lineNo = 0;
        while (std::getline(in, text)) {
            ++lineNo;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            loader.line(text, lineNo);
        }
        loader.finish();
        store->fromFixture = true;
    } catch (const FixtureError& e) {
        dqoo::replaceStore(std::make_unique<dqoo::ExpressionStore>());
        setError(pszError, cbError, e.what());
        return -1;
    }
    dqoo::replaceStore(std::move(store));
    return 0;
}

extern "C" long DQOO_FCC_LoadExpressionFixtureFile(const char* pszPath, char* pszError, size_t cbError)
{
    std::ifstream in(pszPath != nullptr ? pszPath : "", std::ios::binary);
    if (!in) {
        dqoo::replaceStore(std::make_unique<dqoo::ExpressionStore>());
        setError(pszError, cbError, std::string("cannot read ") + (pszPath != nullptr ? pszPath : "(null)"));
        return -1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return DQOO_FCC_LoadExpressionFixture(text.str().c_str(), pszError, cbError);
}

extern "C" void DQOO_FCC_ClearExpressions(void)
{
    dqoo::replaceStore(std::make_unique<dqoo::ExpressionStore>());
}
