/*
** bif_parameters.cpp: the parameter tables of a built-in function program,
** from the definition of the built-in function the program implements.
*/
#include "generator/core/model/bif_parameters.h"

#include "generator/core/model/definitions.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"

namespace {

GEN_BIF_PARAMETERS& tables()
{
    static GEN_BIF_PARAMETERS t;
    return t;
}

/* The kind letter of a parameter type: lists and "either" stay, the
** numeric types are 'N', anything else alphanumeric. */
char kindOf(char cType)
{
    switch (cType) {
    case 'L':
    case 'X':
    case 'N': return cType;
    case 'P':
    case 'S':
    case 'D':
    case 'I':
    case 'F': return 'N';
    default: return 'A';
    }
}

/* The built-in function whose program is the function (X47PGM). */
const GEN_BIF_DEFINITION* implemented(const std::string& function)
{
    for (const GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs)
        if (!b.program.empty() && b.program == function)
            return &b;
    return nullptr;
}

}  // namespace

void P3109_LoadBifParameters()
{
    GEN_BIF_PARAMETERS& t = tables();
    t = GEN_BIF_PARAMETERS{};
    if (P3109_Definitions().cBuiltin != 'Y')
        return;
    const GEN_BIF_DEFINITION* b = implemented(P3109_State().function);
    if (!b)
        return;
    t.name = b->name;
    t.sNumber = b->sIdentifier;
    GenSqlCursor c("DC_P3109/QV_F48/PARM");
    SSQL_AREA* a = c.Begin();
    c.Open(
        SSQL_DeclareExt(a,
                        "SELECT X48AOR, X48TYP, X48ROO, X48FLD, X48PLN, X48PDP FROM QV_DTA.QV_F48 WHERE X48BIF = '%s' "
                        "ORDER BY X48AOR, X48SEQ",
                        b->name.c_str()));
    for (;;) {
        char aor[1], typ[1], roo[1], fld[10];
        int32_t length = 0, decimals = 0;
        if (!c.Fetch(SSQL_FIXED(aor, 1), SSQL_FIXED(typ, 1), SSQL_FIXED(roo, 1), SSQL_FIXED(fld, 10), SSQL_I32(&length),
                     SSQL_I32(&decimals)))
            break;
        GEN_BIF_PARAMETER p;
        p.cKind = kindOf(typ[0]);
        p.cReturn = aor[0] == 'A' ? ' ' : 'R';
        p.field.assign(fld, 10);
        p.cRequired = roo[0] == 'R' ? 'R' : 'O';
        p.alLimits = {length, decimals, 0, 0};
        (aor[0] == 'A' ? t.arguments : t.returns).push_back(std::move(p));
    }
    c.Close();
}

const GEN_BIF_PARAMETERS& P3109_BifParameters()
{
    return tables();
}
