/*
** expr_services.cpp: the expression writers' line sink on the core.
*/
#include "generator/core/expr_services.h"

#include <cstring>
#include <string>

#include "generator/core/gen_state.h"
#include "generator/core/line_writer.h"
#include "generator/core/services.h"
#include "generator/core/used_fields.h"

namespace {

/* The used fields of the checked object as the expression writers see
** them: a field node's vector name from its used-field record. The field's
** type letter and array mark come from the field's dictionary entry, which
** the operand resolver reads; list and record member references belong to
** the list and record writers. Until those are given, a found field has its
** vector name only, and list and record members are not available. */
class UsedFieldDictionary final : public ExprFieldDictionary {
public:
    bool FindField(const char* fieldRef, ExprFieldFacts& facts) const override
    {
        GEN_USED_FIELD info;
        if (P3109_sGetUsedField(fieldRef, strnlen(fieldRef, FFC_WORK_NAME_LEN), 1, info) != 0)
            return false;
        facts = ExprFieldFacts{};
        facts.vectorName = info.vectorName;
        return true;
    }
    bool FindComponentField(const char*, ExprFieldFacts&) const override { return false; }
    std::string ListFieldVectorRef(const EXPR_OPERAND_NODE&, const ExprFieldFacts&) const override
    {
        return "V_NOT_AVAILABLE";
    }
    std::string RecordFieldVectorRef(const EXPR_OPERAND_NODE&, const ExprFieldFacts&) const override
    {
        return "V_NOT_AVAILABLE";
    }
};

const UsedFieldDictionary& usedFields()
{
    static const UsedFieldDictionary dictionary;
    return dictionary;
}

} // namespace

P3109_ExprServices::P3109_ExprServices() : fields_(&usedFields()) {}

char P3109_ExprServices::TargetLanguage() const { return P3109_State().cTarget; }

uint32_t P3109_ExprServices::OutputStream() const { return P3109_State().out.current; }

uint16_t P3109_ExprServices::OutputIndent() const { return P3109_State().out.usIndent; }

void P3109_ExprServices::WriteLine(uint32_t stream, uint16_t indent, std::string_view text)
{
    P3109_WriteLine(stream, static_cast<int16_t>(indent), text);
}

void P3109_ExprServices::SetLastIoStatusFlag() { P3109_State().emit.cLastIoStatus = 'Y'; }

void P3109_ExprServices::InternalError(std::string_view where) { P3109_InternalError(where); }
