/*
** bom_names.h: the C names of the data records of a component's
** description (BOM records) and of their fields.
**
** Data records are nodes of kinds 1300-1330 (proxy, search, document,
** identifier record: name in word 1, record number in word 2, fields in
** words 5 and 6) and their dispatch twins 1500-1530 (fields in words 4 and
** 5). A record field (1400) names a field of the component in word 1; its
** definition is the component's used field of that name.
*/
#ifndef GENERATOR_CORE_BOM_NAMES_H
#define GENERATOR_CORE_BOM_NAMES_H

#include <cstdint>
#include <string>

#include "generator/core/model/field_info.h"
#include "platform/dqoo/dqoo_bom.h"

/* BOM_RECORD_NAMES */
struct BOM_RECORD_NAMES {
    std::string padded; /* the record name blank-padded to 40 */
    std::string name;
    std::string identifier;   /* the name made a C identifier */
    std::string kindCode;     /* "PDR", "SDR", "DDR", "IDR", or "RECORD" */
    std::string structureTag; /* "X_%s_%s": kind code, identifier */
    std::string vectorName;   /* "V_RECORD_%s_%s" */
    std::string dispatchName; /* "V_BOM_%s_%s" */
    int32_t lNumber = 0;
    intptr_t lFieldCount = 0;
    BOM_DESCRIPTION_NODE** ppFields = nullptr;
};

/* BOM_FIELD_NAMES */
struct BOM_FIELD_NAMES {
    std::string padded;
    std::string name;
    std::string identifier;
    std::string kindCode;  /* the record's kind code, or "RF" */
    std::string localName; /* from the field's definition */
    std::string vectorName;
    std::string recordVectorName; /* "V_%s_%s_%s": record kind code, record identifier, field identifier */
    GEN_FIELD_INFO definition;
    bool fDefined = false; /* the component uses a field of that name */
};

/* True for the data records (1300-1330) and dispatch records (1500-1530). */
bool BOMGEN_fIsRecordNode(const BOM_DESCRIPTION_NODE* pNode);
bool BOMGEN_fIsDispatchRecord(const BOM_DESCRIPTION_NODE* pNode);
void BOMGEN_MakeRecordNames(const BOM_DESCRIPTION_NODE* pNode, BOM_RECORD_NAMES& names);
void BOMGEN_MakeFieldVectorName(const BOM_DESCRIPTION_NODE* pRecord, const BOM_DESCRIPTION_NODE* pField,
                                BOM_FIELD_NAMES& names);

#endif
