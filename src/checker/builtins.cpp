// The built-in function catalogue of a check.
#include "checker/builtins.h"

#include "checker/checker.h"

#include <algorithm>
#include <cstring>

#include "dqov/fatal.h"
#include "platform/dqos/dqos.h"

using namespace checker;

namespace {

constexpr size_t kSequenceMax = 50;

std::vector<BuiltInFunction> &Catalogue()
{
    static std::vector<BuiltInFunction> catalogue;
    return catalogue;
}

// The functions of QV_F47, in name order.
void LoadFunctions(std::vector<BuiltInFunction> &out)
{
    SSQL_AREA area;
    SSQL_SetLocation("DC_P3100/SQL047");
    SSQL_DeclareExt(&area, "SELECT X47BIF, X47ARG, X47RET FROM QV_DTA.QV_F47 ORDER BY X47BIF");
    uint16_t cursor = 0;
    if (SSQL_sOpenExt(&cursor) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, "DC_P3100/SQL047");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    for (;;) {
        char name[20];
        std::memset(name, ' ', sizeof name);
        int32_t arguments = 0, returns = 0;
        unsigned short rc = SSQL_sFetchExt(&area, cursor, &ca, &da, 3, SSQL_FIXED(name, 20), SSQL_I32(&arguments),
                                           SSQL_I32(&returns));
        if (rc == SSQL_RC_END || rc == SSQL_RC_NOROW)
            break;
        if (rc != SSQL_RC_OK)
            FFC_SQL_Error(ca, "DC_P3100/SQL047");
        BuiltInFunction f;
        f.name = Upper(Trim(name, 20));
        f.arguments = arguments;
        f.returns = returns;
        out.push_back(std::move(f));
    }
    SSQL_sCloseExt(cursor, &ca, &da);
}

// The arguments and return values of QV_F48 into their functions.
void LoadParameters(std::vector<BuiltInFunction> &functions)
{
    SSQL_AREA area;
    SSQL_SetLocation("DC_P3100/SQL048");
    SSQL_DeclareExt(&area, "SELECT X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP FROM QV_DTA.QV_F48");
    uint16_t cursor = 0;
    if (SSQL_sOpenExt(&cursor) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, "DC_P3100/SQL048");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    for (;;) {
        char name[20], kind = ' ', required = ' ', type = ' ';
        std::memset(name, ' ', sizeof name);
        int32_t sequence = 0;
        unsigned short rc = SSQL_sFetchExt(&area, cursor, &ca, &da, 5, SSQL_FIXED(name, 20), SSQL_FIXED(&kind, 1),
                                           SSQL_I32(&sequence), SSQL_FIXED(&required, 1), SSQL_FIXED(&type, 1));
        if (rc == SSQL_RC_END || rc == SSQL_RC_NOROW)
            break;
        if (rc != SSQL_RC_OK)
            FFC_SQL_Error(ca, "DC_P3100/SQL048");
        // A row of a function the catalogue does not hold, or out of the
        // sequence range, is no part of any function.
        std::string key = Upper(Trim(name, 20));
        auto f = std::lower_bound(functions.begin(), functions.end(), key,
                                  [](const BuiltInFunction &a, const std::string &k) { return a.name < k; });
        if (f == functions.end() || f->name != key || sequence < 1 || sequence > static_cast<int32_t>(kSequenceMax))
            continue;
        std::vector<char> &types = kind == 'A' ? f->argumentTypes : f->returnTypes;
        if (types.size() < static_cast<size_t>(sequence))
            types.resize(static_cast<size_t>(sequence), ' ');
        types[static_cast<size_t>(sequence) - 1] = type;
        if (kind == 'A' && required == 'R')
            ++f->required;
    }
    SSQL_sCloseExt(cursor, &ca, &da);
}

} // namespace

namespace checker {

const BuiltInFunction *FindBuiltIn(const std::string &name)
{
    const std::vector<BuiltInFunction> &c = Catalogue();
    std::string key = Upper(name);
    auto f = std::lower_bound(c.begin(), c.end(), key,
                              [](const BuiltInFunction &a, const std::string &k) { return a.name < k; });
    return f != c.end() && f->name == key ? &*f : nullptr;
}

char BuiltInTypeClass(char type)
{
    if (type == 'A')
        return 'A';
    if (type == 'N' || type == 'P' || type == 'S' || type == 'D')
        return 'N';
    return ' ';
}

} // namespace checker

extern "C" void Load_BIFs(void)
{
    std::vector<BuiltInFunction> functions;
    LoadFunctions(functions);
    std::sort(functions.begin(), functions.end(),
              [](const BuiltInFunction &a, const BuiltInFunction &b) { return a.name < b.name; });
    LoadParameters(functions);
    Catalogue() = std::move(functions);
}
