/* Component properties from the component's description.
 *
 * A property operand is written component.property.  The component part
 * names the component being built (the run context's component name), or
 * one of the documents or records of its description; the property is a
 * record field of that scope.  Every record field is a field of the
 * component, so its type, length and decimals are those of the field's
 * definition (the function's own fields first, then the repository's). */
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include "dqov/runcontrol/definitions.h"
#include "params/check_build.h"
#include "params/fixed_text.h"
#include "params/operand_internal.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"

namespace dqov::operand {
namespace {

/* Deeper nesting than this is taken as a damaged description. */
constexpr int kMaxDepth = 32;

bool SameName(const char* text, std::string_view name)
{
    if (!text)
        return false;
    std::string_view t(text);
    return t.size() == name.size() && std::equal(t.begin(), t.end(), name.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
           });
}

bool IsDocument(int32_t kind)
{
    return kind >= 1100 && kind <= 1104;
}
bool IsRecord(int32_t kind)
{
    return (kind >= 1300 && kind <= 1330) || (kind >= 1500 && kind <= 1530);
}

/* The words of a node kind that hold a child count (the array follows). */
struct ListWords {
    int words[4];
    int count;
};

ListWords ChildLists(int32_t kind)
{
    if (kind >= 1000 && kind <= 1030)
        return {{1}, 1};
    if (IsDocument(kind))
        return {{4, 6, 10, 12}, 4};
    if (kind == 1110 || kind == 1130)
        return {{4, 6, 10}, 3};
    if (kind == 1170)
        return {{6}, 1};
    if (kind >= 1300 && kind <= 1330)
        return {{5}, 1};
    if (kind >= 1500 && kind <= 1530)
        return {{4}, 1};
    return {{}, 0};
}

/* Walks the tree below node; inScope is true once the scope named by the
 * component part has been entered.  Answers true when a record field of
 * the property's name lies in scope. */
bool FindField(const BOM_DESCRIPTION_NODE* node, std::string_view scope, std::string_view property, bool inScope,
               int depth)
{
    if (!node || depth > kMaxDepth)
        return false;
    const int32_t kind = node->lKind;
    if (kind == BOM_KIND_RECORD_FIELD)
        return inScope && SameName(BOM_Text(node, 1), property);
    if (!inScope && (IsDocument(kind) || IsRecord(kind)) && SameName(BOM_Text(node, 1), scope))
        inScope = true;
    const ListWords lists = ChildLists(kind);
    for (int l = 0; l < lists.count; ++l) {
        const int w = lists.words[l];
        const intptr_t count = BOM_Number(node, w);
        BOM_DESCRIPTION_NODE** children = node->aWord[w + 1].ppNodes;
        if (count <= 0 || !children)
            continue;
        for (intptr_t i = 0; i < count; ++i)
            if (FindField(children[i], scope, property, inScope, depth + 1))
                return true;
    }
    return false;
}

}  // namespace

bool LookUpComponentProperty(FFC_CONTEXT* ctx, const std::string& component, const std::string& property, char* type,
                             int32_t* length, int32_t* decimals)
{
    if (!ctx || component.empty() || property.empty() || property.size() > 10)
        return false;
    const BOM_DESCRIPTION_NODE* root = P3100_pComponentDescription();
    if (!root)
        return false;
    std::string own(ctx->acComponent, strnlen(ctx->acComponent, sizeof ctx->acComponent));
    while (!own.empty() && own.back() == ' ')
        own.pop_back();
    const bool whole = SameName(own.c_str(), component);
    if (!FindField(root, component, property, whole, 0))
        return false;
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, property.data(), property.size());
    char local = 'N';
    if (Get_Function_Field_Allow_Component(ctx, &local, &def, nullptr, nullptr) != '0')
        return false;
    *type = def.cType;
    *length = def.lLength;
    *decimals = def.lDecimals;
    return true;
}

}  // namespace dqov::operand
