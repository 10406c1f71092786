// The object layer's model of the component commands of one check: what
// the first parse of each command declares (members, features, routines,
// maps, dispatch ids) and what the second parse resolves against it (names
// of classes, components, features and fields; the fields the object
// exchanges; the dispatch records the generator describes).
//
// Every command is parsed twice in a check: pass 1 of the checker hands it
// over first, pass 2 again.  The first parse of a line declares and takes
// the command's dispatch id; the second resolves, so that a name declared
// further down the source is known when it is used.
#ifndef DQOV_PLATFORM_DQOO_ZOPHX_H
#define DQOV_PLATFORM_DQOO_ZOPHX_H

#include "platform/dqoo/dqoo.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace dqoo {

struct BuildState;

// The features of a class: what SET, SIGNAL, INVOKE and EVTROUTINE may name.
struct ClassFeatures {
    bool known = false;
    bool collection = false;  // FOR may walk it
    std::string itemClass;    // a collection's item class ("" any)
    std::set<std::string> properties, events, methods;
    // the parameters (maps) of a method or event, by feature
    std::map<std::string, std::set<std::string>> parameters;
    bool unreadable = false;  // the repository failed while reading it
};

// One exchanged field: its number and how the component uses it.
struct ExchangedField {
    int32_t number = 0;
    std::string field;
    bool maximum = false;         // handed in and back (*BOTH)
    bool evaluationCase = false;  // a system variable: evaluated when its value is asked for
};

// One command the generated program dispatches to the run time.
struct DispatchRecord {
    int32_t id = 0;
    uint32_t line = 0;
    std::string command;    // SET, SIGNAL, INVOKE, SET_REF, IF_REF, ASSIGN, PERFORM, FOR
    std::string component;  // the component the command acts on
    std::string feature;    // property names, event, method, class or collection
    std::string arguments;  // name=value pairs; an exchanged field as @number
};

// A named thing of the component: a member component, a map (parameter)
// or a FOR item, with its class.
struct Member {
    std::string className;
    bool fieldClass = false;  // the class is a field of the dictionary
    int32_t scope = 0;        // the routine a map belongs to (0 the component)
};

struct ZophxModel {
    std::string component;  // the component being checked ("" in a function)
    std::string baseClass;  // BEGIN_COM ROLE(*EXTENDS ...)
    std::map<std::string, Member> members;
    std::set<std::string> properties, events, methods, webRoutines;
    std::map<std::string, std::set<std::string>> eventParameters;
    std::set<std::string> propertyRoutines;  // routines DEFINE_PTY names
    std::string definitionOwner;             // the event or routine DEFINE_MAP belongs to
    int32_t routines = 0;                    // routines met so far (a map's scope)
    std::map<uint32_t, int32_t> dispatchIds;  // by line
    std::set<uint32_t> resolvedLines;
    std::vector<DispatchRecord> dispatches;
    std::vector<ExchangedField> exchanged;
    std::map<std::string, size_t> exchangedIndex;
    std::map<std::string, std::shared_ptr<ClassFeatures>> classes;  // classes looked up
    std::map<std::string, bool> fieldKnown;                         // fields asked for
    bool repositoryFailed = false;  // a class or list could not be read
};

// Parses and checks one command: declares on the first parse of the line,
// resolves on the second.  Returns the number of findings, or
// DQOO_ERR_REPOSITORY when a class or list could not be read; *dispatchId
// is the command's id, or -1.
long parseComponentCommand(BuildState& state, const std::string& text, uint32_t line,
                           DQOO_COLLECT_FIELD_REFERENCE collect, int32_t* dispatchId);

// The features of a class: a primitive class of the repository (QV_OCL)
// or a component (its declarations); unknown classes have known == false,
// classes the repository failed to deliver have unreadable == true.
std::shared_ptr<ClassFeatures> lookUpClass(const std::string& partition, const std::string& name, char national);

// The column fields of a list of the component's Web Application Modules
// (QV_OWF), in order; empty when no web routine of the component has it.
// *failed is set when the repository could not be read.
std::vector<std::string> webListColumns(const BuildState& state, const std::string& component,
                                        const std::string& list, bool* failed);

// The ZOPHX command names the object layer parses.
bool isComponentCommand(const std::string& name);

// One parameter of a command: a keyword (upper case) with its value words,
// or a plain word (keyword empty).
struct Parameter {
    std::string keyword;
    std::vector<std::string> values;
};

// Splits a text into words at blanks outside quotes and brackets.
std::vector<std::string> splitWords(const std::string& text);

// Splits a command's parameter text into its parameters.
std::vector<Parameter> splitParameters(const std::string& text);

namespace zophx {
inline std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return s;
}
}  // namespace zophx

}  // namespace dqoo

#endif
