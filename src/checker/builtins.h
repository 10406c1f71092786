/* The built-in function catalogue of a check: the functions of QV_F47 with
 * their arguments and return values of QV_F48, loaded at the start of every
 * check and read by the USE check. */
#ifndef DQOV_CHECKER_BUILTINS_H
#define DQOV_CHECKER_BUILTINS_H

#include <stdint.h>
#include <string>
#include <vector>

extern "C" {
/* Loads the catalogue (sorted by name) into the checker's module state. */
void Load_BIFs(void);
}

namespace checker {

struct BuiltInFunction {
    std::string name;                /* upper case, trimmed */
    int32_t arguments = 0;           /* X47ARG */
    int32_t returns = 0;             /* X47RET */
    int32_t required = 0;            /* arguments that must be given */
    std::vector<char> argumentTypes; /* type letter of argument n at n-1 */
    std::vector<char> returnTypes;
};

/* The catalogue's entry of a built-in function, or null. */
const BuiltInFunction* FindBuiltIn(const std::string& name);
/* Type class of a type letter of the catalogue: 'A', 'N', or ' ' for the
 * letters that take any value (lists, any type). */
char BuiltInTypeClass(char type);

}  // namespace checker

#endif
