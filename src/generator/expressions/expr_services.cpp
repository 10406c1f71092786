/*
** expr_services.cpp: the expression writers' line sink on the core.
*/
#include "generator/expressions/expr_services.h"

#include "generator/core/gen_state.h"
#include "generator/core/line_writer.h"
#include "generator/core/services.h"
#include "generator/expressions/expr_core_services.h"

P3109_ExprServices::P3109_ExprServices() : fields_(&EXPR_UsedFieldDictionary()) {}

char P3109_ExprServices::TargetLanguage() const
{
    return P3109_State().cTarget;
}

uint32_t P3109_ExprServices::OutputStream() const
{
    return P3109_State().out.current;
}

uint16_t P3109_ExprServices::OutputIndent() const
{
    return P3109_State().out.usIndent;
}

void P3109_ExprServices::WriteLine(uint32_t stream, uint16_t indent, std::string_view text)
{
    P3109_WriteLine(stream, static_cast<int16_t>(indent), text);
}

void P3109_ExprServices::SetLastIoStatusFlag()
{
    P3109_State().emit.cLastIoStatus = 'Y';
}

void P3109_ExprServices::InternalError(std::string_view where)
{
    P3109_InternalError(where);
}
