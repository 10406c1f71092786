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
** them: a field node's vector name and type letter from the operand
** resolver. List and record member references belong to the list and
** record writers; until those are given, list and record members are not
** available. */
class UsedFieldDictionary final : public ExprFieldDictionary {
public:
    bool FindField(const char* fieldRef, ExprFieldFacts& facts) const override
    {
        GEN_FIELD_INFO info;
        if (P3109_sGetUsedField(fieldRef, GEN_SLOT_LOOKUP_INNER, info, strnlen(fieldRef, FFC_WORK_NAME_LEN)) != 0)
            return false;
        facts = ExprFieldFacts{};
        facts.vectorName = info.vectorName;
        facts.typeLetter = info.cType;
        facts.isArray = info.array.cKind == 'C';
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
