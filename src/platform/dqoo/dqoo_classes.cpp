// Classes as the object layer knows them: the primitive classes of the
// environment, whose features the repository lists (QV_OCL), and every
// component of the partition, whose features its own source declares
// (DEFINE_PTY, DEFINE_EVT, MTHROUTINE and the maps that follow an event or
// a method) together with those of the class it extends.

#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoo/dqoo_source.h"
#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_zophx.h"

namespace dqoo {

namespace {

using zophx::upper;

// Classes whose lookup is under way: a class that extends itself, directly
// or not, ends the chain instead of looping.
std::set<std::string>& lookingUp()
{
    static std::set<std::string> names;
    return names;
}

// Reads the primitive class's rows; false when the repository has none or
// could not be read (c.unreadable).
bool readPrimitive(const std::string& partition, const std::string& name, ClassFeatures& c)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XCLKND, XCLFTR, XCLOWN FROM QV_DTA.QV_OCL WHERE XCLP_I = '%s' AND XCLCLS = '%s' "
                        "ORDER BY XCLSEQ",
                        partition.c_str(), name.c_str()) != SSQL_RC_OK) {
        c.unreadable = true;
        return false;
    }
    Cursor cursor(area, "DQOO/QV_OCL/1");
    if (!cursor.ok()) {
        c.unreadable = true;
        return false;
    }
    bool any = false;
    for (;;) {
        char kind = ' ';
        VaryingText<64> feature, owner;
        const unsigned short rc = cursor.next(SSQL_FIXED(&kind, 1), feature.column(), owner.column());
        if (rc == SSQL_RC_END)
            return any;
        if (rc != SSQL_RC_OK) {
            c.unreadable = true;
            return false;
        }
        any = true;
        const std::string f = upper(feature.str());
        switch (kind) {
        case 'P': c.properties.insert(f); break;
        case 'E': c.events.insert(f); break;
        case 'M': c.methods.insert(f); break;
        case 'A': c.parameters[upper(owner.str())].insert(f); break;
        case 'C':
            c.collection = true;
            c.itemClass = f == "*ANY" ? "" : f;
            break;
        default: break;
        }
    }
}

// The collector of a component's source lines: it keeps the declarations.
struct SourceScan {
    std::string national = "#";
    ClassFeatures* features = nullptr;
    std::string base;
    std::string owner;  // the event or method the next maps belong to
};

SourceScan*& currentScan()
{
    static SourceScan* scan = nullptr;
    return scan;
}

int32_t scanLine(const DQOO_SOURCE_LINE* line)
{
    SourceScan& s = *currentScan();
    const std::string command = upper(line->pszName != nullptr ? line->pszName : "");
    const std::vector<Parameter> parameters = splitParameters(line->pszParameters != nullptr ? line->pszParameters : "");
    const auto first = [&](const char* keyword) {
        for (const Parameter& p : parameters)
            if (p.keyword == keyword && !p.values.empty()) {
                std::string v = upper(p.values[0]);
                return v.rfind(s.national, 0) == 0 ? v.substr(s.national.size()) : v;
            }
        return std::string();
    };
    if (command == "BEGIN_COM") {
        for (const Parameter& p : parameters)
            if (p.keyword == "ROLE")
                for (const std::string& v : p.values)
                    if (v.rfind(s.national, 0) == 0)
                        s.base = upper(v.substr(s.national.size()));
    } else if (command == "DEFINE_PTY") {
        s.features->properties.insert(first("NAME"));
    } else if (command == "DEFINE_EVT") {
        s.owner = first("NAME");
        s.features->events.insert(s.owner);
        s.features->parameters[s.owner];
    } else if (command == "MTHROUTINE") {
        s.owner = first("NAME");
        s.features->methods.insert(s.owner);
        s.features->parameters[s.owner];
    } else if (command == "DEFINE_MAP") {
        if (!s.owner.empty())
            s.features->parameters[s.owner].insert(first("NAME"));
    } else if (command == "PTYROUTINE" || command == "EVTROUTINE" || command == "WEBROUTINE" ||
               command == "ENDROUTINE") {
        s.owner.clear();
    }
    return 1;
}

bool readComponent(const std::string& partition, const std::string& name, char national, ClassFeatures& c)
{
    SourceScan scan;
    scan.national = std::string(1, national);
    scan.features = &c;
    SourceScan* previous = currentScan();
    currentScan() = &scan;
    uint32_t lines = 0;
    const long rc = deliverComponentSource(partition, name, scanLine, &lines);
    currentScan() = previous;
    if (rc == DQOO_ERR_REPOSITORY)
        c.unreadable = true;
    if (rc != DQOO_OK)
        return false;
    if (!scan.base.empty()) {
        const std::shared_ptr<ClassFeatures> base = lookUpClass(partition, scan.base, national);
        c.unreadable = c.unreadable || base->unreadable;
        c.properties.insert(base->properties.begin(), base->properties.end());
        c.events.insert(base->events.begin(), base->events.end());
        c.methods.insert(base->methods.begin(), base->methods.end());
        for (const auto& [feature, maps] : base->parameters)
            c.parameters[feature].insert(maps.begin(), maps.end());
    }
    return true;
}

}  // namespace

std::vector<std::string> webListColumns(const BuildState& state, const std::string& component,
                                        const std::string& list, bool* failed)
{
    std::vector<std::string> columns;
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area,
                        "SELECT XWFNAM FROM QV_DTA.QV_OWF C WHERE XWFP_I = '%s' AND XWFCMP = '%s' AND XWFKND = 'C' "
                        "AND (SELECT L.XWFNAM FROM QV_DTA.QV_OWF L WHERE L.XWFP_I = C.XWFP_I AND "
                        "L.XWFCMP = C.XWFCMP AND L.XWFWAM = C.XWFWAM AND L.XWFWRN = C.XWFWRN AND "
                        "L.XWFKND = 'L' AND L.XWFSEQ < C.XWFSEQ ORDER BY L.XWFSEQ DESC LIMIT 1) = '%s' "
                        "ORDER BY XWFWAM, XWFWRN, XWFSEQ",
                        state.partition.c_str(), component.c_str(), list.c_str()) != SSQL_RC_OK) {
        *failed = true;
        return columns;
    }
    Cursor cursor(area, "DQOO/QV_OWF/L");
    if (!cursor.ok()) {
        *failed = true;
        return columns;
    }
    std::set<std::string> seen;
    for (;;) {
        VaryingText<64> name;
        const unsigned short rc = cursor.next(name.column());
        if (rc != SSQL_RC_OK) {
            *failed = rc != SSQL_RC_END;
            return columns;
        }
        if (seen.insert(upper(name.str())).second)
            columns.push_back(name.str());
    }
}

std::shared_ptr<ClassFeatures> lookUpClass(const std::string& partition, const std::string& name, char national)
{
    auto c = std::make_shared<ClassFeatures>();
    const std::string key = partition + "/" + name;
    if (name.empty() || !lookingUp().insert(key).second)
        return c;
    c->known = readPrimitive(partition, name, *c) || (!c->unreadable && readComponent(partition, name, national, *c));
    lookingUp().erase(key);
    return c;
}

}  // namespace dqoo
