// The records of a component's description that the compiler reaches a
// component property through: a property "scope.field" whose scope names a
// data record of the description that holds the field (and that the field
// vector does not hold) is a member of that record.
#include "platform/dqoo/dqoo_compile_internal.h"

#include <cctype>

namespace dqoo::compile {

namespace {

thread_local const BOM_DESCRIPTION_NODE* t_description = nullptr;

std::string upper(const char* text)
{
    std::string s = text != nullptr ? text : "";
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool isDispatch(int32_t kind)
{
    return kind >= BOM_KIND_DISPATCH_PROXY && kind <= BOM_KIND_DISPATCH_IDENTIFIER;
}

bool isData(int32_t kind)
{
    return kind >= BOM_KIND_PROXY_RECORD && kind <= BOM_KIND_IDENTIFIER_RECORD;
}

// Whether the record is named `scope` and holds a field named `field`.
bool holds(const BOM_DESCRIPTION_NODE* record, const std::string& scope, const std::string& field)
{
    if (upper(BOM_Text(record, 1)) != scope)
        return false;
    const int countWord = isDispatch(record->lKind) ? 4 : 5;
    for (intptr_t i = 0; i < BOM_Number(record, countWord); ++i) {
        const BOM_DESCRIPTION_NODE* member = BOM_Child(record, countWord, i);
        if (member != nullptr && member->lKind == BOM_KIND_RECORD_FIELD && upper(BOM_Text(member, 1)) == field)
            return true;
    }
    return false;
}

bool dataRecordHolds(const BOM_DESCRIPTION_NODE* node, const std::string& scope, const std::string& field, int depth)
{
    constexpr int kDepthMax = 32;  // deeper is a damaged description
    if (node == nullptr || depth > kDepthMax)
        return false;
    if (isData(node->lKind))
        return holds(node, scope, field);
    for (int word : BOM_RecordListWords(node->lKind))
        for (intptr_t i = 0; i < BOM_Number(node, word); ++i)
            if (dataRecordHolds(BOM_Child(node, word, i), scope, field, depth + 1))
                return true;
    return false;
}

}  // namespace

CompiledDescription::CompiledDescription(const BOM_DESCRIPTION_NODE* root) : previous_(t_description)
{
    t_description = root;
}

CompiledDescription::~CompiledDescription()
{
    t_description = previous_;
}

bool ScopeIsDataRecord(const std::string& scope, const std::string& field)
{
    const BOM_DESCRIPTION_NODE* root = t_description;
    if (root == nullptr || scope.empty() || root->lKind < BOM_KIND_CONTENT_ROOT ||
        root->lKind > BOM_KIND_CONTAINER_LAST)
        return false;
    for (intptr_t i = 0; i < BOM_Number(root, 1); ++i) {
        const BOM_DESCRIPTION_NODE* member = BOM_Child(root, 1, i);
        if (member != nullptr && isDispatch(member->lKind) && upper(BOM_Text(member, 1)) == scope)
            return false;
    }
    return dataRecordHolds(root, scope, field, 0);
}

}  // namespace dqoo::compile
