// The writer of valid functions and components: one object per seed. Its
// parts are written in three files: progen_kinds.cpp (names, the
// dictionary, files, and values of every kind: literals, operands,
// conditions, expressions), progen_gen.cpp (the function: its header and
// its statements) and progen_com.cpp (components).
#ifndef DQOV_TESTS_PROGEN_PROGEN_WRITER_H
#define DQOV_TESTS_PROGEN_PROGEN_WRITER_H

#include <algorithm>
#include <random>

#include "progen.h"

namespace progen {

/* What a field's value is, for what may be compared with it or moved into
** it: numbers (P S I F), strings (A H), dates (E), times (M), timestamps
** (Z) and Booleans (Y). */
enum class Family { Number, String, Date, Time, Stamp, Boolean };
Family FamilyOf(char type);

class Writer {
public:
    /* commands: a function of about that many commands (0: the seed's own size) */
    Writer(const Tables& t, uint64_t seed, const std::set<std::string>& allowed, int commands = 0)
        : t_(t), r_(seed), allow_(allowed), subset_(allowed.count(kFlowAndData) > 0), names_(t.taken)
    {
        commands_ = commands;
    }

    Program function();
    Program components();

private:
    struct Sub {
        std::string name;
        std::vector<std::pair<std::string, std::string>> params;  // field, *RECEIVED/*RETURNED/*BOTH
        int level = 0;  // the subset: the deepest loop level it is executed at
        bool selecting = false;  // the subset: executed, at some depth, inside a SELECTLIST's body
    };
    struct List {
        std::string name;
        std::vector<std::string> fields;
        bool browse;
        std::string counter;
        int most = 9999;  // the entries it holds at most (ENTRYS)
    };
    struct Report {
        int number;
        std::string line;                 // the DEF_LINE printed
        std::vector<std::string> breaks;  // its DEF_BREAK names
        std::vector<std::string> byFields;
    };

    // ---- draws (progen_kinds.cpp) ------------------------------------------
    int rnd(int a, int b) { return std::uniform_int_distribution<int>(a, b)(r_); }
    bool chance(int pct) { return rnd(1, 100) <= pct; }
    template <typename T> T pick(const std::vector<T>& v) { return v[static_cast<size_t>(rnd(0, int(v.size()) - 1))]; }
    std::string one(const std::vector<std::string>& v) { return pick(v); }
    std::string any(const std::vector<std::string>& v) { return v.empty() ? "" : pick(v); }
    std::string number(int a, int b) { return std::to_string(rnd(a, b)); }
    std::string text(int n) { return textAt(n, unsigned(rnd(0, 70))); }
    std::string phrase(int most) { return quote(text(rnd(1, most))); }
    /* a count from 1 to most: mostly a few, at times up to the limit */
    int spread(int most);
    bool on(const std::string& s) const { return allow_.count(s) > 0; }
    std::vector<std::string> some(std::vector<std::string> from, int most);
    std::string fields(const std::vector<std::string>& from, int most) { return hashed(some(from, most)); }
    static std::string hashed(const std::vector<std::string>& names);
    /* a field or list named in a command: with the national name character
    ** before it, or a name of ten characters without (the character would
    ** make it longer than a name may be written) */
    static std::string ref(const std::string& name) { return name.size() >= 10 ? name : "#" + name; }
    /* the fields a text names */
    std::vector<std::string> named(const std::string& text) const;
    static std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    // ---- names, the dictionary and the files (progen_kinds.cpp) -----------
    std::string newName(int length);
    std::string fieldName(char type);
    std::string addField(char type, int len, int dec = 0, bool nullable = false, const std::string& dft = "");
    void known(const Field& f);
    const Field& field(const std::string& n) const;
    void dictionary();
    void dictionaryField();
    void files();
    std::string keyField();
    std::string dataField(const std::vector<std::string>& taken);
    std::vector<std::pair<std::string, std::string>> pickParams();
    std::vector<std::string> allFields() const { return joined(joined(alpha_, num_), ext_); }
    /* the function's fields of the family, or of the type letters */
    std::vector<std::string> ofFamily(Family f, bool nullable = true) const;
    std::vector<std::string> ofTypes(const std::string& types, bool nullable = true) const;
    /* one of the fields, each kind (and a field that may be null) as likely as another */
    std::string byKind(const std::vector<std::string>& from);
    /* the value of a key field: itself, a field of its class of any kind, or a literal */
    std::string keyValue(const std::string& key);

    // ---- values of every kind (progen_kinds.cpp) --------------------------
    std::string numLiteral(const Field& f);
    std::string anyNumber();
    std::string alphaLiteral(int max) { return quote(text(chance(20) ? max : rnd(1, max))); }
    std::string dateText();
    std::string timeText();
    std::string stampText(size_t most = 29);
    std::string literal(Family f, const Field* fit);
    std::string systemVariable(Family f, const Field* fit);
    std::string numField() { return ref(pick(num_)); }
    std::string alphaField() { return ref(pick(alpha_)); }
    std::string operandFor(const Field& left, bool fieldsOnly = false);
    std::string comparator(const Field& left);
    std::string comparison();
    std::string conditionText(int& budget, int depth);
    std::string condition(size_t most = 900);
    std::string arithmetic(int& budget, int depth, bool wholeOnly);
    std::string valueFor(const Field& f);
    std::string whenValue(const Field& subject);
    void caseOf(int depth);

    // ---- the function (progen_gen.cpp) ------------------------------------
    static bool has(const std::string& line, const std::string& keyword)
    {
        return line.find(" " + keyword + "(") != std::string::npos;
    }
    static size_t closing(const std::string& s, size_t i);
    static std::vector<std::string> split(const std::string& s, char sep);
    static bool among(const char* list, const std::string& word);
    bool outsideSubset(int form) const;
    bool outsideComponent(int form) const;
    std::string expand(const std::string& form, const Param* p = nullptr, const std::string& line = "");
    std::string value(const std::string& k, const Param* p, const std::string& line);
    void command(const std::string& form);
    std::string enrich(const std::string& line);
    void emit(const std::string& written, bool more = true);
    void guarded(const std::string& cond, const std::string& line);
    std::string label() { return pick(labels_); }
    /* The subset: no entry is added to a list inside a SELECTLIST's body, nor in a routine executed
    ** there. An entry added for each one deleted keeps the selection from ever reaching its end. */
    bool addsNoEntry() const
    {
        return subset_ && (selecting_ > 0 || (curSub_ >= 0 && subs_[size_t(curSub_)].selecting));
    }
    std::string loopField() const { return level_ == 0 ? firstLoop_ : loopFields_[size_t(level_ - 1)]; }
    std::string target(const std::vector<std::string>& specials) { return inMain_ && chance(30) ? label() : pick(specials); }
    static int shown(const Field& d)
    {
        return d.type == 'P' || d.type == 'S' ? d.length + d.length / 3 + 2 : d.type == 'Y' ? 1 : d.length;
    }
    std::vector<std::string> screenFields();
    std::vector<std::string> reportFields();
    std::string msg();
    std::string msgData();
    static std::string editWord(int len, int dec);
    void header();
    void definitions();
    void lists();
    void reports();
    void block(int depth, int most);
    void nested(const std::string& open, int depth, int most, const std::string& close = "");
    void loop(int depth, const std::string& close);
    void statement(int depth);
    void change();
    void substring();
    void use();
    void keep();
    void io(int depth);
    void selectSql(int depth);
    void listOp(int depth);
    void updated(const List& l);
    static size_t outerOperator(const std::string& e);
    std::string fits(const std::string& value, const Field& into, bool round);
    void screen(int depth);
    std::string window(std::string s);
    std::string check();
    void validation(int depth);
    void execute(int from);
    void subroutine(size_t i, size_t target);
    bool nearEnd(size_t end) const;
    static constexpr int kShallow = 5;     // the depth whose blocks hold no further blocks
    static constexpr size_t kNearEnd = 40;  // lines before a sized routine's end written shallow
    std::string mtxt();

public:
    /* What a class offers the component commands: properties, events and
    ** methods, the parameters of each event and method, and whether it is
    ** a collection (FOR walks it). */
    struct Features {
        std::vector<std::string> properties, events, methods;
        std::map<std::string, std::vector<std::string>> parameters;
        bool collection = false;
    };

private:
    // ---- components (progen_com.cpp) --------------------------------------
    struct Member {
        std::string name, cls;  // a member component and its class, or a map or a FOR item (no class)
    };
    void component(Component& c);
    void componentCommand(int depth);
    std::string ownArguments(const std::string& event);

    const Tables& t_;
    std::mt19937_64 r_;
    std::set<std::string> allow_;
    bool subset_;  // the flow-and-data subset (kFlowAndData)
    int commands_ = 0;  // the size asked for, 0: the seed's own
    Program p_;
    std::vector<std::string> used_, alpha_, num_, ext_, conds_, labels_;
    // the subset's functions run to their end: loops of a few rounds, at most kLevels deep across the
    // routines a loop executes, each level counting on a field of its own (loopFields_, then the GOTO counter)
    static constexpr int kLevels = 3;
    std::vector<std::string> loopFields_;
    std::set<std::string> own_;    // the subset: fields no command but their own changes (loops', lists' counters)
    std::set<std::string> names_;  // every name given, of fields, lists and conditions
    std::map<std::string, size_t> fieldAt_;  // a field's place in p_.fields
    int level_ = 0;
    std::map<std::string, std::string> renamed_;  // a file's field, the name RENAME gave it
    std::string array_, arrayOf_, date_, rrn_, status_, counter_, index_, group_;
    std::string firstLoop_;  // the subset's loops of level 0 count on it: the array's index unless a Boolean
    std::set<std::string> placed_;
    std::vector<Sub> subs_;
    std::vector<List> lists_;
    std::vector<Report> reports_;
    int curSub_ = -1, fileLoops_ = 0, fieldNo_ = 0, loops_ = 0;
    int selecting_ = 0;  // the subset: SELECTLIST bodies being written (no label stands in one)
    bool inMain_ = true, body_ = false, included_ = false, bare_ = false, webEvent_ = false, receives_ = false;
    // components
    bool inComponent_ = false, levelTwo_ = false;
    std::vector<Member> members_;
    std::vector<std::string> properties_, events_, methods_;
    Features ownFeatures_;                       // the features of the component being written
    std::map<std::string, Features> written_;  // of the components written before it
};

}  // namespace progen

#endif
