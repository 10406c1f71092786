/* The lists of the function (DEF_LIST) as the list commands see them. */
#ifndef DQOV_CHECKER_LISTS_H
#define DQOV_CHECKER_LISTS_H

#include <string>
#include <vector>

namespace checker {

struct ListDefinition {
    std::string name;
    char kind = 'W';                 /* 'W' working, 'B' browse */
    std::vector<std::string> fields; /* field names without the name character */
};

/* Writes the current DEF_LIST's "LISTNAME" record (pass 1); a list defined
 * twice keeps its first definition. */
void RecordListDefinition();
/* The list a list command names ("*FIRST": the first list of the
 * function); false when the function defines no such list. */
bool FindList(const std::string& written, ListDefinition& list);

}  // namespace checker

#endif
