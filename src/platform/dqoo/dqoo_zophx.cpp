// The object layer's parse and check of component commands (ZOPHX).
//
// A command's parameters are keywords with bracketed values and plain
// words.  A value that begins with the first national character names
// something of the component: a member (DEFINE_COM, DEFINE_MAP, a FOR item,
// #COM_OWNER and #COM_SELF for the component itself), a class, or else a
// field of the dictionary; "#NAME.FEATURE" names a feature of a member.
//
// The commands, as the object layer reads them:
//   BEGIN_COM  ROLE(*EXTENDS #class)
//   DEFINE_COM CLASS(#class) NAME(#name) [property(value) ...]
//   DEFINE_PTY NAME(property) [GET(routine | *AUTO #field)] [SET(routine | *AUTO #field)]
//   DEFINE_EVT NAME(event)
//   DEFINE_MAP FOR(*INPUT | *OUTPUT | *BOTH | *RESULT) CLASS(#class or #field) NAME(#name)
//   PTYROUTINE NAME(routine)    MTHROUTINE NAME(method)    WEBROUTINE NAME(routine)
//   EVTROUTINE HANDLING(#component.event)
//   SET        COM(#component ...) | #component   property(value) ...
//   SIGNAL     EVENT(event) [parameter(value) ...]
//   INVOKE     METHOD(#component.method) | #component.method   [parameter(value) ...]
//   PERFORM    as INVOKE
//   SET_REF    COM(#reference) TO(*CREATE_AS #class | *NULL | #component)
//   IF_REF     COM(#reference) IS(*NULL | *NOT_NULL | *INSTANCE_OF #class)
//   ASSIGN     #field := value       (also without the command name; the value
//                                     may be an expression of values)
//   IMPORT     FIELDS(#field ...) FROM(#class)
//   FOR        EACH(#item) IN(#collection)
//   WEB_MAP    FOR(*INPUT | *OUTPUT | *BOTH | *NONE) FIELDS(#field (#list *JSON) ...)
//              (a list of the component's Web Application Modules, or a
//              group of fields)
//   ATTRIBUTE  NAME(name) VALUE(value)
// A value is a field, a literal, a special value, a system variable
// (*DATE) or a property of a member ("#component.property").
//
// Fields a component hands to or takes from the run time are exchanged: a
// field used as a class of a map or member, a field behind an *AUTO
// property, and every field a dispatched command passes or receives, an
// IMPORT or a WEB_MAP names; and every system variable a command passes,
// which the run time evaluates when it is asked for (its evaluation case).
// Each gets the next exchange number on its first use.
#include "platform/dqoo/dqoo_zophx.h"
#include "platform/dqoo/dqoo_build.h"

#include <algorithm>
#include <cctype>

namespace dqoo {

using zophx::upper;

// Splits a text into words at blanks outside quotes and brackets.
std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    int depth = 0;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            word += c;
            if (c == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'')
                    word += text[++i];
                else
                    quoted = false;
            }
            continue;
        }
        if ((c == ' ' || c == '\t') && depth == 0) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
            continue;
        }
        if (c == '\'')
            quoted = true;
        else if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        word += c;
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::vector<Parameter> splitParameters(const std::string& text)
{
    std::vector<Parameter> parameters;
    for (const std::string& word : splitWords(text)) {
        const size_t open = word.find('(');
        if (word[0] != '\'' && word[0] != '(' && open != std::string::npos && open > 0 && word.back() == ')') {
            parameters.push_back({upper(word.substr(0, open)), splitWords(word.substr(open + 1, word.size() - open - 2))});
            continue;
        }
        parameters.push_back({"", {word}});
    }
    return parameters;
}

namespace {

const char* const kCommands[] = {"BEGIN_COM", "END_COM",  "DEFINE_COM", "DEFINE_MAP", "SET",        "DEFINE_PTY",
                                 "PTYROUTINE", "EVTROUTINE", "DEFINE_EVT", "SIGNAL",   "MTHROUTINE", "INVOKE",
                                 "SET_REF",   "IF_REF",   "FOR",        "ENDFOR",     "ASSIGN",     "IMPORT",
                                 "WEBROUTINE", "WEB_MAP", "ATTRIBUTE",  "PERFORM"};

// The commands that the generated program dispatches.
bool dispatches(const std::string& command)
{
    static const char* const kDispatched[] = {"SET",    "SIGNAL", "INVOKE",  "SET_REF",
                                              "IF_REF", "ASSIGN", "PERFORM", "FOR"};
    return std::any_of(std::begin(kDispatched), std::end(kDispatched),
                       [&](const char* c) { return command == c; });
}

// The parse of one command.
class CommandParse {
public:
    CommandParse(BuildState& state, uint32_t line, DQOO_COLLECT_FIELD_REFERENCE collect, bool resolve)
        : s_(state), m_(state.zophx), line_(line), collect_(collect), resolve_(resolve)
    {
    }

    long findings() const { return findings_; }

    void run(const std::string& command, const std::vector<Parameter>& parameters)
    {
        command_ = command;
        parameters_ = parameters;
        // the first parse only declares: every use is resolved in the second
        static const char* const kDeclaring[] = {"BEGIN_COM",  "DEFINE_COM", "DEFINE_PTY", "DEFINE_EVT",
                                                 "DEFINE_MAP", "PTYROUTINE", "MTHROUTINE", "WEBROUTINE",
                                                 "EVTROUTINE", "FOR"};
        if (!resolve_ && std::none_of(std::begin(kDeclaring), std::end(kDeclaring),
                                      [&](const char* c) { return command == c; }))
            return;
        if (command == "BEGIN_COM")
            beginCom();
        else if (command == "DEFINE_COM")
            defineCom();
        else if (command == "DEFINE_PTY")
            definePty();
        else if (command == "DEFINE_EVT")
            defineEvt();
        else if (command == "DEFINE_MAP")
            defineMap();
        else if (command == "PTYROUTINE" || command == "MTHROUTINE" || command == "WEBROUTINE")
            routine();
        else if (command == "EVTROUTINE")
            eventRoutine();
        else if (command == "SET")
            set();
        else if (command == "SIGNAL")
            signal();
        else if (command == "INVOKE" || command == "PERFORM")
            invoke();
        else if (command == "SET_REF" || command == "IF_REF")
            reference();
        else if (command == "ASSIGN")
            assign();
        else if (command == "IMPORT")
            import();
        else if (command == "FOR")
            forEach();
        else if (command == "WEB_MAP")
            webMap();
        // END_COM, ENDFOR and ATTRIBUTE declare nothing and name nothing
        // the object layer resolves (an ATTRIBUTE value may name fields).
        else if (command == "ATTRIBUTE")
            for (const Parameter& p : parameters_)
                for (const std::string& v : p.values)
                    value(v);
    }

    DispatchRecord record;

private:
    BuildState& s_;
    ZophxModel& m_;
    uint32_t line_;
    DQOO_COLLECT_FIELD_REFERENCE collect_;
    bool resolve_;
    long findings_ = 0;
    std::string command_;
    std::vector<Parameter> parameters_;

    char nameCharacter() const { return s_.national[0]; }
    bool isName(const std::string& word) const { return word.size() > 1 && word[0] == nameCharacter(); }

    // The name of a "#NAME" or "#NAME.FEATURE" word, upper-cased, and its feature.
    std::string nameOf(const std::string& word, std::string* feature = nullptr) const
    {
        std::string name = upper(isName(word) ? word.substr(1) : word);
        const size_t dot = name.find('.');
        if (feature != nullptr)
            *feature = dot == std::string::npos ? "" : name.substr(dot + 1);
        return dot == std::string::npos ? name : name.substr(0, dot);
    }

    const Parameter* find(const char* keyword) const
    {
        for (const Parameter& p : parameters_)
            if (p.keyword == keyword)
                return &p;
        return nullptr;
    }
    std::string first(const char* keyword) const
    {
        const Parameter* p = find(keyword);
        return p != nullptr && !p->values.empty() ? p->values[0] : "";
    }
    // The first plain word, or "".
    std::string positional() const
    {
        for (const Parameter& p : parameters_)
            if (p.keyword.empty())
                return p.values[0];
        return "";
    }

    // A name the checker does not accept in this context.
    void refuse(const std::string& name, int32_t kind)
    {
        ++findings_;
        if (s_.start.pfnCheckNameInContext != nullptr) {
            s_.start.pfnCheckNameInContext(name.c_str(), kind);
            return;
        }
        reportFinding(s_, "Line " + std::to_string(line_) + ": name " + name + " is not known here.");
    }

    bool isSelf(const std::string& name) const { return name == "COM_OWNER" || name == "COM_SELF"; }

    // A value "*NAME" that is none of the special values of the commands: a
    // system variable, which the checker knows.
    static bool isSystemVariable(const std::string& word)
    {
        static const char* const kSpecial[] = {"*NULL",   "*NOT_NULL", "*CREATE_AS", "*INSTANCE_OF", "*AUTO",
                                               "*INPUT",  "*OUTPUT",   "*BOTH",      "*RESULT",      "*NONE",
                                               "*JSON",   "*STANDARD", "*BLANK",     "*BLANKS",      "*ZERO",
                                               "*ZEROS",  "*ZEROES",   "*YES",       "*NO",          "*TRUE",
                                               "*FALSE",  "*EXTENDS",  "*DYNAMIC",   "*ALL",         "*DEFAULT",
                                               "*HIVAL",  "*LOVAL",    "*SQLNULL",   "*NAVAIL",      "*BY_VALUE",
                                               "*BY_REFERENCE"};
        if (word.size() < 2 || word[0] != '*')
            return false;
        const std::string u = upper(word);
        return std::none_of(std::begin(kSpecial), std::end(kSpecial), [&](const char* s) { return u == s; });
    }

    bool knownField(const std::string& name)
    {
        auto it = m_.fieldKnown.find(name);
        if (it == m_.fieldKnown.end()) {
            const bool known =
                s_.start.pfnCheckFieldExists == nullptr || s_.start.pfnCheckFieldExists(name.c_str()) == 0;
            it = m_.fieldKnown.emplace(name, known).first;
        }
        return it->second;
    }

    // A field named by the command: checked against the dictionary (a
    // refusal is the checker's finding), collected, and exchanged.
    int32_t field(const std::string& name, bool maximum = false, bool evaluationCase = false)
    {
        if (!knownField(name)) {
            ++findings_;
            return 0;
        }
        if (collect_ != nullptr)
            collect_(name.c_str(), line_);
        auto it = m_.exchangedIndex.find(name);
        if (it == m_.exchangedIndex.end()) {
            ExchangedField e;
            e.number = static_cast<int32_t>(m_.exchanged.size()) + 1;
            e.field = name;
            it = m_.exchangedIndex.emplace(name, m_.exchanged.size()).first;
            m_.exchanged.push_back(e);
        }
        ExchangedField& e = m_.exchanged[it->second];
        e.maximum = e.maximum || maximum;
        e.evaluationCase = e.evaluationCase || evaluationCase;
        return e.number;
    }

    // The features of the component itself.
    std::shared_ptr<ClassFeatures> ownFeatures()
    {
        auto own = std::make_shared<ClassFeatures>();
        if (!m_.baseClass.empty())
            *own = *classFeatures(m_.baseClass);
        own->known = true;
        own->properties.insert(m_.properties.begin(), m_.properties.end());
        own->events.insert(m_.events.begin(), m_.events.end());
        own->methods.insert(m_.methods.begin(), m_.methods.end());
        for (const auto& [event, maps] : m_.eventParameters)
            own->parameters[event].insert(maps.begin(), maps.end());
        return own;
    }

    std::shared_ptr<ClassFeatures> classFeatures(const std::string& name)
    {
        auto it = m_.classes.find(name);
        if (it == m_.classes.end())
            it = m_.classes.emplace(name, lookUpClass(s_.partition, name, nameCharacter())).first;
        m_.repositoryFailed = m_.repositoryFailed || it->second->unreadable;
        return it->second;
    }

    // A field used as a class: a value holder with the property VALUE.
    static std::shared_ptr<ClassFeatures> fieldClass()
    {
        auto f = std::make_shared<ClassFeatures>();
        f->known = true;
        f->properties = {"VALUE"};
        return f;
    }

    // A class named by the command: a class, or a field used as a class.
    // Null when neither (refused).
    std::shared_ptr<ClassFeatures> needClass(const std::string& name, bool* isField = nullptr,
                                             bool maximum = false, bool evaluationCase = false)
    {
        if (isField != nullptr)
            *isField = false;
        if (auto c = classFeatures(name); c->known)
            return c;
        // a field used as a class: the checker accepts it, or refuses the
        // name as a class
        const bool asField = s_.start.pfnCheckNameInContext != nullptr
                                 ? s_.start.pfnCheckNameInContext(name.c_str(), DQOO_NAME_FIELD_CLASS) == 0
                                 : knownField(name);
        if (!asField) {
            ++findings_;
            if (s_.start.pfnCheckNameInContext == nullptr)
                refuse(name, DQOO_NAME_CLASS);
            return nullptr;
        }
        if (isField != nullptr)
            *isField = true;
        field(name, maximum, evaluationCase);
        return fieldClass();
    }

    // The class of a member component, null when the name is none (refused).
    std::shared_ptr<ClassFeatures> needComponent(const std::string& name)
    {
        if (isSelf(name))
            return ownFeatures();
        auto it = m_.members.find(name);
        if (it == m_.members.end()) {
            refuse(name, DQOO_NAME_COMPONENT);
            return nullptr;
        }
        if (it->second.fieldClass)
            return fieldClass();
        if (it->second.className.empty())
            return std::make_shared<ClassFeatures>(ClassFeatures{true, false, "", {}, {}, {}, {}});
        auto c = classFeatures(it->second.className);
        return c->known ? c : fieldClass();
    }

    bool hasFeature(const ClassFeatures& c, int32_t kind, const std::string& feature) const
    {
        // a member whose class is open (a FOR item of any collection) takes any feature
        if (c.properties.empty() && c.events.empty() && c.methods.empty() && !c.collection)
            return true;
        const std::set<std::string>& set =
            kind == DQOO_NAME_PROPERTY ? c.properties : kind == DQOO_NAME_EVENT ? c.events : c.methods;
        return set.count(feature) != 0;
    }

    void needFeature(const ClassFeatures& c, const std::string& component, int32_t kind, const std::string& feature)
    {
        if (!hasFeature(c, kind, feature))
            refuse(component + "." + feature, kind);
    }

    // A value: a literal or special value as written, a field as its
    // exchange number, a member as itself, a member's property checked.
    std::string value(const std::string& word, bool maximum = false)
    {
        if (isSystemVariable(word)) {
            // evaluated by the run time when its value is asked for
            const int32_t number = field(upper(word), false, true);
            return number > 0 ? "@" + std::to_string(number) : word;
        }
        if (!isName(word))
            return word;
        std::string feature;
        const std::string name = nameOf(word, &feature);
        if (isSelf(name) || m_.members.count(name) != 0) {
            if (!feature.empty())
                if (auto c = needComponent(name))
                    needFeature(*c, name, DQOO_NAME_PROPERTY, feature);
            return "#" + name + (feature.empty() ? "" : "." + feature);
        }
        if (!feature.empty() && feature != "VALUE") {
            refuse(name, DQOO_NAME_COMPONENT);
            return word;
        }
        const int32_t number = field(name, maximum);
        return number > 0 ? "@" + std::to_string(number) : word;
    }

    // The keyword(value) pairs of a command as arguments, each checked as
    // a feature by the caller's test.
    template <typename Test> std::string arguments(const std::set<std::string>& skip, Test test, bool maximum = false)
    {
        std::string text;
        for (const Parameter& p : parameters_) {
            if (p.keyword.empty() || skip.count(p.keyword) != 0)
                continue;
            test(p.keyword);
            std::string values;
            for (const std::string& v : p.values)
                values += (values.empty() ? "" : " ") + value(v, maximum);
            text += (text.empty() ? "" : ";") + p.keyword + "=" + values;
        }
        return text;
    }

    void take(const std::string& component, const std::string& feature, const std::string& arguments)
    {
        record.command = command_;
        record.component = component;
        record.feature = feature;
        record.arguments = arguments;
    }

    // ---- declarations and their resolution ----

    void beginCom()
    {
        const Parameter* role = find("ROLE");
        std::string base;
        if (role != nullptr)
            for (const std::string& v : role->values)
                if (isName(v))
                    base = nameOf(v);
        if (!resolve_) {
            m_.component = currentComponent(s_);
            m_.baseClass = base;
            return;
        }
        if (!base.empty() && !classFeatures(base)->known)
            refuse(base, DQOO_NAME_CLASS);
    }

    void defineCom()
    {
        const std::string name = nameOf(first("NAME"));
        const std::string cls = nameOf(first("CLASS"));
        if (!resolve_) {
            if (!name.empty())
                m_.members[name] = Member{cls, false};
            return;
        }
        bool isField = false;
        auto c = needClass(cls, &isField);
        if (!name.empty())
            m_.members[name].fieldClass = isField;
        if (c == nullptr)
            return;
        for (const Parameter& p : parameters_) {
            if (p.keyword.empty() || p.keyword == "CLASS" || p.keyword == "NAME" || p.keyword == "REFERENCE")
                continue;
            needFeature(*c, name, DQOO_NAME_PROPERTY, p.keyword);
            for (const std::string& v : p.values)
                value(v);
        }
    }

    void definePty()
    {
        const std::string name = nameOf(first("NAME"));
        for (const char* accessor : {"GET", "SET"}) {
            const Parameter* p = find(accessor);
            if (p == nullptr || p->values.empty())
                continue;
            if (upper(p->values[0]) != "*AUTO") {
                if (!resolve_)
                    m_.propertyRoutines.insert(nameOf(p->values[0]));
                continue;
            }
            if (resolve_ && p->values.size() > 1)
                field(nameOf(p->values[1]));
        }
        if (!resolve_ && !name.empty())
            m_.properties.insert(name);
    }

    void defineEvt()
    {
        const std::string name = nameOf(first("NAME"));
        if (!resolve_ && !name.empty()) {
            m_.events.insert(name);
            m_.eventParameters[name];
        }
        m_.definitionOwner = "EVT:" + name;
    }

    void defineMap()
    {
        const std::string name = nameOf(first("NAME"));
        const std::string cls = nameOf(first("CLASS"));
        const std::string direction = upper(first("FOR"));
        if (!resolve_) {
            if (!name.empty())
                m_.members[name] = Member{cls, false, m_.definitionOwner.rfind("EVT:", 0) == 0 ? 0 : m_.routines};
            if (m_.definitionOwner.rfind("EVT:", 0) == 0 && !name.empty())
                m_.eventParameters[m_.definitionOwner.substr(4)].insert(name);
            return;
        }
        bool isField = false;
        needClass(cls, &isField, direction == "*BOTH");
        if (!name.empty())
            m_.members[name].fieldClass = isField;
    }

    void routine()
    {
        const std::string name = nameOf(first("NAME"));
        m_.definitionOwner = command_ + ":" + name;
        if (!resolve_)
            ++m_.routines;
        if (resolve_) {
            if (command_ == "PTYROUTINE" && m_.propertyRoutines.count(name) == 0)
                refuse(name, DQOO_NAME_ROUTINE);
            return;
        }
        if (command_ == "MTHROUTINE")
            m_.methods.insert(name);
        else if (command_ == "WEBROUTINE")
            m_.webRoutines.insert(name);
    }

    void eventRoutine()
    {
        std::string event;
        const std::string component = nameOf(first("HANDLING"), &event);
        m_.definitionOwner = "EVTROUTINE:" + component + "." + event;
        if (!resolve_) {
            ++m_.routines;
            return;
        }
        if (auto c = needComponent(component))
            needFeature(*c, component, DQOO_NAME_EVENT, event);
    }

    // ---- commands that are dispatched ----

    void set()
    {
        std::vector<std::string> components;
        if (const Parameter* com = find("COM"))
            for (const std::string& v : com->values)
                components.push_back(nameOf(v));
        else if (const std::string word = positional(); isName(word))
            components.push_back(nameOf(word));
        if (components.empty()) {
            refuse("COM", DQOO_NAME_COMPONENT);
            return;
        }
        std::string joined;
        for (const std::string& component : components) {
            joined += (joined.empty() ? "" : " ") + component;
            auto c = needComponent(component);
            if (c == nullptr)
                continue;
            for (const Parameter& p : parameters_)
                if (!p.keyword.empty() && p.keyword != "COM")
                    needFeature(*c, component, DQOO_NAME_PROPERTY, p.keyword);
        }
        std::string properties;
        for (const Parameter& p : parameters_)
            if (!p.keyword.empty() && p.keyword != "COM")
                properties += (properties.empty() ? "" : " ") + p.keyword;
        take(joined, properties, arguments({"COM"}, [](const std::string&) {}));
    }

    void signal()
    {
        const std::string event = nameOf(first("EVENT"));
        const bool known = m_.events.count(event) != 0;
        if (!known)
            refuse(event, DQOO_NAME_EVENT);
        const std::set<std::string>& maps = m_.eventParameters[event];
        take(m_.component, event, arguments({"EVENT"}, [&](const std::string& parameter) {
                 if (known && maps.count(parameter) == 0)
                     refuse(event + "." + parameter, DQOO_NAME_PARAMETER);
             }));
    }

    void invoke()
    {
        std::string target = first("METHOD");
        if (target.empty())
            target = positional();
        std::string method;
        const std::string component = nameOf(target, &method);
        auto c = isName(target) ? needComponent(component) : nullptr;
        if (!isName(target) || method.empty())
            refuse(target, DQOO_NAME_METHOD);
        else if (c != nullptr)
            needFeature(*c, component, DQOO_NAME_METHOD, method);
        const std::set<std::string>* maps = nullptr;
        if (c != nullptr && c->parameters.count(method) != 0)
            maps = &c->parameters.at(method);
        take(component, method, arguments({"METHOD"}, [&](const std::string& parameter) {
                 if (maps != nullptr && maps->count(parameter) == 0)
                     refuse(component + "." + method + "." + parameter, DQOO_NAME_PARAMETER);
             }));
    }

    void reference()
    {
        const std::string component = nameOf(first("COM"));
        if (component.empty() || (!isSelf(component) && m_.members.count(component) == 0))
            refuse(component.empty() ? std::string("COM") : component, DQOO_NAME_COMPONENT);
        std::string arguments;
        for (const Parameter& p : parameters_) {
            if (p.keyword.empty() || p.keyword == "COM")
                continue;
            std::string values;
            bool className = false;
            for (const std::string& v : p.values) {
                const std::string u = upper(v);
                if (u == "*CREATE_AS" || u == "*INSTANCE_OF") {
                    className = true;
                    values += (values.empty() ? "" : " ") + u;
                    continue;
                }
                if (className && isName(v)) {
                    if (!classFeatures(nameOf(v))->known)
                        refuse(nameOf(v), DQOO_NAME_CLASS);
                    values += " #" + nameOf(v);
                    className = false;
                    continue;
                }
                if (isName(v) && !isSelf(nameOf(v)) && m_.members.count(nameOf(v)) == 0)
                    refuse(nameOf(v), DQOO_NAME_COMPONENT);
                values += (values.empty() ? "" : " ") + (isName(v) ? "#" + nameOf(v) : v);
            }
            arguments += (arguments.empty() ? "" : ";") + p.keyword + "=" + values;
        }
        take(component, command_ == "SET_REF" ? "TO" : "IS", arguments);
    }

    void assign()
    {
        std::vector<std::string> words;
        for (const Parameter& p : parameters_)
            for (const std::string& v : p.values)
                words.push_back(p.keyword.empty() ? v : p.keyword + "(" + v + ")");
        if (words.size() < 3 || words[1] != ":=" || !isName(words[0])) {
            refuse(words.empty() ? std::string(":=") : words[0], DQOO_NAME_COMPONENT);
            return;
        }
        std::string feature;
        const std::string target = nameOf(words[0], &feature);
        std::string targetText;
        if (m_.members.count(target) != 0 || isSelf(target)) {
            if (auto c = needComponent(target); c != nullptr && !feature.empty())
                needFeature(*c, target, DQOO_NAME_PROPERTY, feature);
            targetText = "#" + target + (feature.empty() ? "" : "." + feature);
        } else {
            const int32_t number = field(target);
            targetText = number > 0 ? "@" + std::to_string(number) : words[0];
        }
        // the value: an operand, or an expression of operands
        std::string valueText;
        for (size_t i = 2; i < words.size(); ++i)
            valueText += (i > 2 ? " " : "") + value(words[i]);
        take(target, feature, "TO=" + targetText + ";VALUE=" + valueText);
    }

    void import()
    {
        if (const std::string from = nameOf(first("FROM")); !from.empty() && !classFeatures(from)->known)
            refuse(from, DQOO_NAME_CLASS);
        if (const Parameter* fields = find("FIELDS"))
            for (const std::string& v : fields->values)
                fieldOrGroup(nameOf(v));
    }

    void forEach()
    {
        const std::string item = nameOf(first("EACH"));
        const std::string collection = nameOf(first("IN"));
        if (!resolve_) {
            if (!item.empty())
                m_.members.emplace(item, Member{});
            return;
        }
        auto c = needComponent(collection);
        if (c != nullptr && !c->collection)
            refuse(collection, DQOO_NAME_COMPONENT);
        if (c != nullptr && !item.empty() && m_.members[item].className.empty())
            m_.members[item].className = c->itemClass;
        take(collection, "EACH", "EACH=#" + item);
    }

    void webMap()
    {
        const std::string direction = upper(first("FOR"));
        const Parameter* fields = find("FIELDS");
        if (fields == nullptr)
            return;
        for (const std::string& v : fields->values) {
            if (v.front() == '(') {
                // a list: "(#LIST *JSON)"; its name is the first word: a
                // list of the component's Web Application Modules (its
                // columns are exchanged), else a group of fields
                const std::vector<std::string> inner = splitWords(v.substr(1, v.size() - 2));
                if (inner.empty() || !isName(inner[0]))
                    continue;
                const std::vector<std::string> columns = webListColumns(s_, currentComponent(s_), nameOf(inner[0]), &m_.repositoryFailed);
                if (columns.empty())
                    fieldOrGroup(nameOf(inner[0]));
                for (const std::string& column : columns)
                    field(upper(column), direction == "*BOTH");
                continue;
            }
            if (isName(v))
                field(nameOf(v), direction == "*BOTH");
        }
    }

    // A name of IMPORT or WEB_MAP: a group of fields (each exchanged), or a field.
    void fieldOrGroup(const std::string& name)
    {
        if (s_.start.pfnExpandGroup != nullptr) {
            struct Fields {
                std::vector<std::string> names;
            } fields;
            const long count = s_.start.pfnExpandGroup(name.c_str(), &fields, [](void* user, const char* f) -> long {
                static_cast<Fields*>(user)->names.emplace_back(f);
                return 0;
            });
            if (count > 0) {
                for (const std::string& f : fields.names)
                    field(upper(f));
                return;
            }
        }
        field(name);
    }
};

}  // namespace

bool isComponentCommand(const std::string& name)
{
    return std::any_of(std::begin(kCommands), std::end(kCommands), [&](const char* c) { return name == c; });
}

long parseComponentCommand(BuildState& state, const std::string& text, uint32_t line,
                           DQOO_COLLECT_FIELD_REFERENCE collect, int32_t* dispatchId)
{
    ZophxModel& m = state.zophx;
    // The command's name, or none for the forms written without one
    // ("#field := value", "#component.method ...").
    char label[4];
    char name[11];
    const char* rest = nullptr;
    DQOO_SplitSourceLine(text.c_str(), label, name, &rest);
    std::string command = upper(name);
    std::string parameters = rest;
    if (!isComponentCommand(command)) {
        parameters = text;
        if (const size_t colon = parameters.find(':');
            label[0] != '\0' && colon != std::string::npos && parameters.compare(colon, 2, ":=") != 0)
            parameters.erase(0, colon + 1);
        command = parameters.find(":=") != std::string::npos ? "ASSIGN" : "INVOKE";
        // the unnamed forms begin with a name
        const size_t first = parameters.find_first_not_of(' ');
        if (first == std::string::npos || parameters[first] != state.national[0]) {
            if (dispatchId != nullptr)
                *dispatchId = -1;
            if (m.dispatchIds.emplace(line, -1).second)
                return 0;
            reportFinding(state, "Line " + std::to_string(line) + ": " + text + " is not a component command.");
            return 1;
        }
    }
    // The first parse of a line declares (and takes the dispatch id); a
    // later one resolves.
    const bool firstParse = m.dispatchIds.count(line) == 0;
    if (firstParse)
        m.dispatchIds[line] = dispatches(command) ? ++state.lastDispatchId : -1;
    if (dispatchId != nullptr)
        *dispatchId = m.dispatchIds[line];
    CommandParse parse(state, line, collect, !firstParse);
    parse.run(command, splitParameters(parameters));
    if (m.repositoryFailed)
        return DQOO_ERR_REPOSITORY;
    if (!firstParse && m.resolvedLines.insert(line).second && dispatches(command)) {
        parse.record.id = m.dispatchIds[line];
        parse.record.line = line;
        m.dispatches.push_back(parse.record);
    }
    return parse.findings();
}

}  // namespace dqoo
