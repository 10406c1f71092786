// The built-in function catalogue of a check.
#include "checker/builtins.h"

#include "checker/checker.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqos/dqos.h"

using namespace checker;

namespace {

constexpr size_t kSequenceMax = 50;

std::vector<BuiltInFunction>& Catalogue()
{
    static std::vector<BuiltInFunction> catalogue;
    return catalogue;
}

// One cursor over a statement of the catalogue; a failure to open or fetch
// is fatal at the statement's location.
class CatalogueCursor {
public:
    CatalogueCursor(const char* location, const char* statement) : location_(location)
    {
        SSQL_SetLocation(location);
        SSQL_DeclareExt(&area_, statement);
        if (SSQL_sOpenExt(&cursor_) != SSQL_RC_OK)
            FFC_SQL_Error(nullptr, location);
    }

    // True with a row in the columns, false past the last.
    template <typename... Columns> bool Next(Columns... columns)
    {
        // the row is read from the buffers: no descriptor area is made
        unsigned short rc =
            SSQL_sFetchExt(&area_, cursor_, &ca_, nullptr, static_cast<uint16_t>(sizeof...(Columns)), columns...);
        if (rc == SSQL_RC_END || rc == SSQL_RC_NOROW)
            return false;
        if (rc != SSQL_RC_OK)
            FFC_SQL_Error(ca_, location_);
        return true;
    }

    void Close() { SSQL_sCloseExt(cursor_, &ca_, nullptr); }

private:
    const char* location_;
    SSQL_AREA area_;
    uint16_t cursor_ = 0;
    SSQL_SQLDA* ca_ = nullptr;
};

// The function of an upper-case name in functions held in name order, or null.
template <typename Functions> auto* FindByName(Functions& functions, const std::string& key)
{
    auto f = std::lower_bound(functions.begin(), functions.end(), key,
                              [](const BuiltInFunction& a, const std::string& k) { return a.name < k; });
    return f != functions.end() && f->name == key ? &*f : nullptr;
}

// The functions of QV_F47, in name order.
void LoadFunctions(std::vector<BuiltInFunction>& out)
{
    CatalogueCursor rows("DC_P3100/SQL047", "SELECT X47BIF, X47ARG, X47RET FROM QV_DTA.QV_F47 ORDER BY X47BIF");
    for (;;) {
        char name[20];
        std::memset(name, ' ', sizeof name);
        int32_t arguments = 0, returns = 0;
        if (!rows.Next(SSQL_FIXED(name, 20), SSQL_I32(&arguments), SSQL_I32(&returns)))
            break;
        BuiltInFunction f;
        f.name = Upper(Trim(name, 20));
        f.arguments = arguments;
        f.returns = returns;
        out.push_back(std::move(f));
    }
    rows.Close();
}

// The arguments and return values of QV_F48 into their functions.
void LoadParameters(std::vector<BuiltInFunction>& functions)
{
    CatalogueCursor rows("DC_P3100/SQL048", "SELECT X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP FROM QV_DTA.QV_F48");
    for (;;) {
        char name[20], kind = ' ', required = ' ', type = ' ';
        std::memset(name, ' ', sizeof name);
        int32_t sequence = 0;
        if (!rows.Next(SSQL_FIXED(name, 20), SSQL_FIXED(&kind, 1), SSQL_I32(&sequence), SSQL_FIXED(&required, 1),
                       SSQL_FIXED(&type, 1)))
            break;
        // A row of a function the catalogue does not hold, or out of the
        // sequence range, is no part of any function.
        BuiltInFunction* f = FindByName(functions, Upper(Trim(name, 20)));
        if (!f || sequence < 1 || sequence > static_cast<int32_t>(kSequenceMax))
            continue;
        std::vector<char>& types = kind == 'A' ? f->argumentTypes : f->returnTypes;
        if (types.size() < static_cast<size_t>(sequence))
            types.resize(static_cast<size_t>(sequence), ' ');
        types[static_cast<size_t>(sequence) - 1] = type;
        if (kind == 'A' && required == 'R')
            ++f->required;
    }
    rows.Close();
}

}  // namespace

namespace checker {

const BuiltInFunction* FindBuiltIn(const std::string& name)
{
    return FindByName(Catalogue(), Upper(name));
}

char BuiltInTypeClass(char type)
{
    if (type == 'A')
        return 'A';
    if (type == 'N' || type == 'P' || type == 'S' || type == 'D')
        return 'N';
    return ' ';
}

}  // namespace checker

extern "C" void Load_BIFs(void)
{
    std::vector<BuiltInFunction> functions;
    LoadFunctions(functions);
    std::sort(functions.begin(), functions.end(),
              [](const BuiltInFunction& a, const BuiltInFunction& b) { return a.name < b.name; });
    LoadParameters(functions);
    Catalogue() = std::move(functions);
}
