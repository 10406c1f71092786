// The component writer: components (ZOPHX) of a seed over the dictionary
// and files of the function writer, each of language level one or two:
// member components of the environment's primitive classes and of the
// components written before it, properties read and set by routines or
// automatically through fields, events with parameters, methods with maps
// of every direction, event routines, web routines of Web Application
// Modules with their maps, subroutines, and in the routines the
// function writer's statements among the component commands (SET, INVOKE,
// PERFORM, SIGNAL, SET_REF, IF_REF, FOR, ASSIGN and their unnamed forms).
// Two or three components may be the members of a compound component.
#include "progen_writer.h"

namespace progen {

using std::to_string;

namespace {

/* The primitive classes of the environment the components use (QV_OCL of
** the sample repository). */
using Features = Writer::Features;

const std::map<std::string, Features>& Primitives()
{
    static const std::map<std::string, Features> p = {
        {"PRIM_ACOL", {{"ItemCount"}, {}, {"Insert", "RemoveAll"}, {{"Insert", {"Item"}}}, true}},
        {"PRIM_TIMR", {{"Interval"}, {"Tick"}, {"Start", "Stop"}, {}, false}},
        {"PRIM_ALPH", {{"Value", "UpperCase"}, {}, {}, {}, false}},
        {"PRIM_NMBR", {{"Value"}, {}, {"Round"}, {{"Round", {"Decimals"}}}, false}},
    };
    return p;
}

}  // namespace

Program Writer::components()
{
    inComponent_ = true;
    inMain_ = false;
    written_.clear();
    dictionary();
    files();
    const int count = chance(30) ? rnd(2, 3) : 1;
    for (int i = 0; i < count; ++i) {
        Component c;
        c.name = "PGCOMP" + to_string(i + 1);
        names_.insert(c.name);
        c.kind = chance(50) ? 256 : 0;
        component(c);
        p_.components.push_back(c);
    }
    if (count > 1 && chance(50)) {
        p_.compound = "PGSUITE";
        // the members of a compound are of language level two, as the compound is
        for (Component& c : p_.components)
            c.kind = 256;
    }
    written_.clear();
    return p_;
}

/* One component: its members, properties and events, then its routines. */
void Writer::component(Component& c)
{
    p_.lines.clear();
    members_.clear();
    properties_.clear();
    events_.clear();
    methods_.clear();
    conds_.clear();
    lists_.clear();
    subs_.clear();
    labels_.clear();
    curSub_ = -1;
    level_ = 0;
    levelTwo_ = c.kind == 256;
    Features own;
    ownFeatures_ = own;
    // at language level two at times a Web Application Module: web routines with the fields their maps carry
    const bool wam = levelTwo_ && chance(25);
    const std::string base = wam ? "PRIM_WAM" : "PRIM_OBJT";
    emit("BEGIN_COM ROLE(*EXTENDS #" + base + ")", false);
    // member components: of the primitive classes, or of a component written before
    std::vector<std::string> classes;
    for (const auto& [name, f] : Primitives())
        classes.push_back(name);
    for (const auto& [name, f] : written_)
        classes.push_back(name);
    for (int i = 0, n = rnd(0, 5); i < n; ++i) {
        const Member m{newName(rnd(3, 9)), pick(classes)};
        std::string extra;
        if (m.cls == "PRIM_TIMR" && chance(50))
            extra = " INTERVAL(" + number(100, 900) + ")";
        if (m.cls == "PRIM_ALPH" && chance(30))
            extra = " REFERENCE(*DYNAMIC)";
        emit("DEFINE_COM CLASS(#" + m.cls + ") NAME(#" + m.name + ")" + extra, false);
        members_.push_back(m);
    }
    // at language level two: fields imported from the class it extends, attributes
    if (levelTwo_ && chance(40))
        emit("IMPORT FIELDS(" + fields(allFields(), spread(6)) + ") FROM(#" + base + ")", false);
    if (levelTwo_ && chance(40))
        emit("ATTRIBUTE NAME(" + newName(rnd(3, 10)) + ") VALUE(" + phrase(30) + ")", false);
    // definitions of the component: conditions, fields of its own
    for (int i = 0, n = rnd(0, 2); i < n; ++i) {
        const std::string cond = condition();
        conds_.push_back(chance(60) ? "*PGCOND" + to_string(i + 1) : "*" + newName(rnd(1, 9)));
        emit("DEF_COND NAME(" + conds_.back() + ") COND(" + cond + ")", false);
    }
    // properties: read and set through fields, or by routines of their own
    std::vector<std::pair<std::string, std::string>> propertyRoutines;  // routine, the property's field
    for (int i = 0, n = rnd(0, 3); i < n; ++i) {
        const std::string name = newName(rnd(3, 10)), f = pick(allFields());
        own.properties.push_back(name);
        std::string access;
        for (const char* accessor : {"GET", "SET"}) {
            if (chance(30))
                continue;
            if (chance(50)) {
                access += std::string(" ") + accessor + "(*AUTO " + ref(f) + ")";
            } else {
                const std::string routine = newName(rnd(3, 10));
                propertyRoutines.push_back({routine, f});
                access += std::string(" ") + accessor + "(" + routine + ")";
            }
        }
        emit("DEFINE_PTY NAME(" + name + ")" + (access.empty() ? " GET(*AUTO " + ref(f) + ")" : access), false);
    }
    properties_ = own.properties;
    // events, each with parameters of fields of any kind
    for (int i = 0, n = rnd(0, 2); i < n; ++i) {
        const std::string name = newName(rnd(3, 10));
        own.events.push_back(name);
        emit("DEFINE_EVT NAME(" + name + ")", false);
        for (int k = 0, nk = rnd(0, 3); k < nk; ++k) {
            const std::string parameter = newName(rnd(3, 9));
            own.parameters[name].push_back(parameter);
            emit("DEFINE_MAP FOR(*INPUT) CLASS(" + ref(pick(allFields())) + ") NAME(#" + parameter + ")", false);
        }
    }
    events_ = own.events;
    // the methods, each with maps of every direction
    std::vector<std::vector<std::pair<std::string, std::string>>> methodMaps;
    for (int i = 0, n = rnd(1, 3); i < n; ++i) {
        const std::string name = newName(rnd(3, 10));
        own.methods.push_back(name);
        methodMaps.emplace_back();
        for (int k = 0, nk = rnd(0, 3); k < nk; ++k) {
            const std::string parameter = newName(rnd(3, 9));
            own.parameters[name].push_back(parameter);
            methodMaps.back().push_back({parameter, one({"*INPUT", "*INPUT", "*OUTPUT", "*BOTH"})});
        }
    }
    methods_ = own.methods;
    ownFeatures_ = own;
    for (int i = 0, n = rnd(0, 2); i < n; ++i)
        subs_.push_back({newName(rnd(3, 7)), pickParams()});
    const size_t target = size_t(rnd(20, 120));
    const auto body = [&](size_t most) {
        const size_t end = p_.lines.size() + most;
        while (p_.lines.size() < end)
            statement(1);
    };
    // property routines: the value handed out, or taken in
    for (const auto& [routine, f] : propertyRoutines) {
        emit("PTYROUTINE NAME(" + routine + ")", false);
        const std::string result = newName(rnd(3, 9));
        const bool get = chance(50);
        emit("DEFINE_MAP FOR(" + std::string(get ? "*OUTPUT" : "*INPUT") + ") CLASS(" + ref(f) + ") NAME(#" + result +
                 ")",
             false);
        members_.push_back({result, f});
        body(size_t(rnd(1, 4)));
        if (get)
            emit("SET COM(#" + result + ") VALUE(" + ref(f) + ")", false);
        else if (levelTwo_)
            emit("ASSIGN #" + f + " := #" + result + ".Value", false);
        members_.pop_back();
        emit("ENDROUTINE", false);
    }
    // methods
    for (size_t i = 0; i < methods_.size(); ++i) {
        emit("MTHROUTINE NAME(" + methods_[i] + ")", false);
        for (const auto& [parameter, direction] : methodMaps[i]) {
            emit("DEFINE_MAP FOR(" + direction + ") CLASS(" + ref(pick(allFields())) + ") NAME(#" + parameter + ")",
                 false);
            members_.push_back({parameter, ""});
        }
        body((target - std::min(target, p_.lines.size())) / (methods_.size() - i + 1) + 1);
        members_.resize(members_.size() - methodMaps[i].size());
        emit("ENDROUTINE", false);
    }
    // web routines: the fields each takes in, hands out, or both, or names only
    for (int i = 0, n = wam ? rnd(1, 3) : 0; i < n; ++i) {
        emit("WEBROUTINE NAME(" + newName(rnd(3, 10)) + ")" + (chance(50) ? " DESC(" + phrase(30) + ")" : ""), false);
        for (const char* direction : {"*INPUT", "*OUTPUT", "*BOTH", "*NONE"})
            if (chance(40))
                emit(std::string("WEB_MAP FOR(") + direction + ") FIELDS(" + fields(allFields(), spread(8)) + ")", false);
        body(size_t(rnd(1, 6)));
        emit("ENDROUTINE", false);
    }
    // event routines: of the timer's tick, of a member component's event, of the component's own creation
    // (of the class it extends: a Web Application Module's is its session's end)
    std::vector<std::string> handled = {wam ? "#COM_OWNER.SessionInvalid" : "#COM_OWNER.CreateInstance"};
    for (const Member& m : members_) {
        if (m.cls == "PRIM_TIMR")
            handled.push_back("#" + m.name + ".Tick");
        else if (written_.count(m.cls))
            for (const std::string& e : written_.at(m.cls).events)
                handled.push_back("#" + m.name + "." + e);
    }
    for (int i = 0, n = rnd(0, 2); i < n; ++i) {
        emit("EVTROUTINE HANDLING(" + pick(handled) + ")", false);
        body(size_t(rnd(1, 6)));
        emit("ENDROUTINE", false);
    }
    inMain_ = false;
    for (size_t i = 0; i < subs_.size(); ++i)
        subroutine(i, p_.lines.size() + 10);
    emit("END_COM", false);
    c.lines = p_.lines;
    p_.lines.clear();
    written_[c.name] = own;
}

/* One command acting on components: properties set, methods invoked,
** events signalled, references set and tested, collections walked,
** values assigned. */
void Writer::componentCommand(int depth)
{
    // the members of each kind of class, and the component itself
    std::vector<std::pair<std::string, Features>> with;  // a member and its class's features
    for (const Member& m : members_) {
        if (Primitives().count(m.cls))
            with.push_back({m.name, Primitives().at(m.cls)});
        else if (written_.count(m.cls))
            with.push_back({m.name, written_.at(m.cls)});
    }
    with.push_back({"COM_SELF", ownFeatures_});
    const auto& [member, f] = with[size_t(rnd(0, int(with.size()) - 1))];
    const auto value = [&]() -> std::string {
        const std::vector<std::string> all = allFields();
        return chance(60) ? ref(pick(all)) : chance(50) ? number(0, 999) : phrase(20);
    };
    const auto arguments = [&](const std::string& feature) {
        std::string a;
        if (f.parameters.count(feature))
            for (const std::string& p : f.parameters.at(feature))
                if (chance(70))
                    a += " " + p + "(" + value() + ")";
        return a;
    };
    switch (rnd(0, 9)) {
    case 0:
        if (!f.properties.empty() && member != "COM_SELF")
            return emit("SET COM(#" + member + ") " + pick(f.properties) + "(" + value() + ")", false);
        [[fallthrough]];
    case 1:
        if (!f.methods.empty()) {
            const std::string method = pick(f.methods);
            // PERFORM and the forms without keywords (_INVOKE, _PERFORM) at language level two
            const std::string name = levelTwo_ ? one({"INVOKE", "PERFORM", "INVOKE"}) : "INVOKE";
            if (chance(30))
                return emit((levelTwo_ ? one({"_INVOKE", "_PERFORM"}) : "INVOKE") + " #" + member + "." + method,
                            false);
            return emit(name + " METHOD(#" + member + "." + method + ")" + arguments(method), false);
        }
        [[fallthrough]];
    case 2:
        if (!events_.empty()) {
            const std::string event = pick(events_);
            return emit("SIGNAL EVENT(" + event + ")" + ownArguments(event), false);
        }
        [[fallthrough]];
    case 3: {
        std::vector<std::string> collections;
        for (const Member& m : members_)
            if (m.cls == "PRIM_ACOL")
                collections.push_back(m.name);
        if (!collections.empty() && depth < 6) {
            const std::string item = newName(rnd(3, 9));
            emit("FOR EACH(#" + item + ") IN(#" + pick(collections) + ")", false);
            members_.push_back({item, ""});
            block(depth, 2);
            members_.pop_back();
            return emit("ENDFOR", false);
        }
    }
        [[fallthrough]];
    case 4:
        if (member != "COM_SELF" && depth < 6) {
            emit("IF_REF COM(#" + member + ") IS(" + one({"*NULL", "*NOT_NULL"}) + ")", false);
            block(depth, 2);
            return emit("ENDIF", false);
        }
        [[fallthrough]];
    case 5:
        if (member != "COM_SELF" && Primitives().count(members_.empty() ? "" : members_.front().cls)) {
            for (const Member& m : members_)
                if (m.cls == "PRIM_ALPH")
                    return emit("SET_REF COM(#" + m.name + ") TO(*CREATE_AS #PRIM_ALPH)", false);
        }
        [[fallthrough]];
    case 6:
        if (levelTwo_)  // ASSIGN and _ASSIGN at language level two
            // the object layer reads a name by its national name character, whatever its length
            return emit(one({"ASSIGN ", "_ASSIGN "}) + "#" + pick(allFields()) + " := " + value(), false);
        [[fallthrough]];
    default:
        for (const Member& m : members_)
            if (m.cls == "PRIM_ALPH" || m.cls == "PRIM_NMBR")
                return emit("SET COM(#" + m.name + ") VALUE(" + value() + ")", false);
        return change();
    }
}

/* The parameters of one of the component's own events, given values. */
std::string Writer::ownArguments(const std::string& event)
{
    std::string a;
    if (ownFeatures_.parameters.count(event))
        for (const std::string& p : ownFeatures_.parameters.at(event))
            if (chance(70))
                a += " " + p + "(" + ref(pick(allFields())) + ")";
    return a;
}

Program GenerateComponents(const Tables& tables, uint64_t seed, const std::set<std::string>& allowed)
{
    return Writer(tables, seed, allowed).components();
}

}  // namespace progen
