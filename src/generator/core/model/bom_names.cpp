/*
** bom_names.cpp: C names of the data records of a component's description
** and of their fields.
*/
#include "generator/core/model/bom_names.h"

#include "generator/core/model/used_fields.h"
#include "generator/core/output/services.h"

namespace {

const char* kindCode(int32_t lKind)
{
    switch (lKind) {
    case 1300:
    case 1500: return "PDR";
    case 1310:
    case 1510: return "SDR";
    case 1320:
    case 1520: return "DDR";
    case 1330:
    case 1530: return "IDR";
    default: return nullptr;
    }
}

std::string text(const BOM_DESCRIPTION_NODE* node, int word)
{
    const char* t = BOM_Text(node, word);
    return t ? std::string(t) : std::string();
}

}  // namespace

bool BOMGEN_fIsRecordNode(const BOM_DESCRIPTION_NODE* pNode)
{
    return pNode && kindCode(pNode->lKind);
}

bool BOMGEN_fIsDispatchRecord(const BOM_DESCRIPTION_NODE* pNode)
{
    return pNode && pNode->lKind >= 1500 && pNode->lKind <= 1530 && kindCode(pNode->lKind);
}

void BOMGEN_MakeRecordNames(const BOM_DESCRIPTION_NODE* pNode, BOM_RECORD_NAMES& names)
{
    names = BOM_RECORD_NAMES{};
    const char* code = pNode ? kindCode(pNode->lKind) : nullptr;
    if (!code) {
        names.kindCode = "RECORD";
        names.padded = std::string(40, ' ');
    } else {
        names.name = text(pNode, 1).substr(0, 39);
        names.padded = P3109_Padded(names.name, 40);
        names.identifier = P3109_MakeCIdentifier(names.name, names.name.size());
        names.kindCode = code;
        names.lNumber = static_cast<int32_t>(BOM_Number(pNode, 2));
        const int countWord = BOMGEN_fIsDispatchRecord(pNode) ? 4 : 5;
        names.lFieldCount = BOM_Number(pNode, countWord);
        names.ppFields = names.lFieldCount > 0 ? pNode->aWord[countWord + 1].ppNodes : nullptr;
    }
    names.structureTag = "X_" + names.kindCode + "_" + names.identifier;
    names.vectorName = "V_RECORD_" + names.kindCode + "_" + names.identifier;
    names.dispatchName = "V_BOM_" + names.kindCode + "_" + names.identifier;
}

void BOMGEN_MakeFieldVectorName(const BOM_DESCRIPTION_NODE* pRecord, const BOM_DESCRIPTION_NODE* pField,
                                BOM_FIELD_NAMES& names)
{
    names.fDefined = false;
    names.localName.clear();
    names.vectorName.clear();
    BOM_RECORD_NAMES record;
    BOMGEN_MakeRecordNames(pRecord, record);
    names.kindCode = record.identifier.empty() ? "RF" : record.kindCode;
    names.name = pField ? text(pField, 1).substr(0, 40) : std::string();
    names.padded = P3109_Padded(names.name, 40);
    names.identifier = P3109_MakeCIdentifier(names.name, names.name.size());
    names.recordVectorName = "V_" + record.kindCode + "_" + record.identifier + "_" + names.identifier;
    if (names.name.empty())
        return;
    /* the field's definition under its whole name, as every other lookup finds it */
    names.fDefined = P3109_sGetUsedField(names.name, GEN_SLOT_LOOKUP_INNER, names.definition) == 0;
    if (!names.fDefined)
        return;
    names.localName = names.definition.localName;
    names.vectorName = names.definition.vectorName;
}
