/*
** component_model.h: the component definition lists of the run context as
** the generator reads them, and the run's exchange tree.
**
** The component definition lists (FFC_CONTEXT.pComponentDefinitions, a
** GEN_COMPONENT_MODEL) describe a component written in the extended
** language: its resources, its member entries (member links of a compound
** component among them), the owners of multilingual member texts, and
** its components with their header and dispatch tables and the member
** object groups that describe their members. The object layer's component
** description fills them for a component run; without them every writer
** that reads them writes nothing.
**
** The exchange tree (FFC_CONTEXT.pReferenceTree1) lists the fields a
** component exchanges: key the 32-bit exchange number; data the handle of
** the field's entry in the run's name tree (whose data begins with the
** 50-character field name) and two flag bytes, 'Y' when the field has a
** maximum value and 'Y' when it has an evaluation case.
*/
#ifndef GENERATOR_CORE_COMPONENT_MODEL_H
#define GENERATOR_CORE_COMPONENT_MODEL_H

#include <cstdint>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"
#include "generator/core/output/gen_state.h"

/* One resource of the component (resource chain). */
struct GEN_RESOURCE {
    int32_t lType = 0; /* 1130 bitmap, 1140 cursor, 1150 icon, 1201 data, 1400 type library */
    int16_t sIdentifier = 0;
    std::vector<uint8_t> data;
    std::string referenceName;                /* the file written for it */
    std::string kindText, extension, keyword; /* empty: chosen by the type */
};

/* A member entry of the definition lists; kind 5 entries are member links
** waiting for their routine. */
struct GEN_COMPONENT_MEMBER {
    int32_t lIdentifier = 0;
    std::string name;
    int32_t lKind = 0;
    std::string text1, text2;
};

/* A text reference of a member (kinds 6 description, 7 label, 8 to 10
** column headings 1 to 3). */
struct GEN_MEMBER_TEXT {
    std::string member;
    int32_t lKind = 0;
    std::string cTarget, csTarget;
};

struct GEN_TEXT_OWNER {
    std::string name;
    std::vector<GEN_MEMBER_TEXT> texts;
};

/* One element of a member object group. */
struct GEN_GROUP_ELEMENT {
    int16_t sSequence = 0;
    std::string comment;
    int32_t lKind = 1; /* 1 to 13 */
    std::string cValue, csValue;
    bool fEmpty = false;  /* kind 2: an empty text */
    int32_t lRoutine = 0; /* kind 13: the evaluation routine's number */
};

struct GEN_MEMBER_OBJECT_GROUP {
    std::string structureType, objectName;
    bool fNotConstant = false;
    std::vector<GEN_GROUP_ELEMENT> elements;
};

/* The routine header table of a component: the routines the run time
** calls, each a member with its pointer text. */
struct GEN_COMPONENT_HEADER_MEMBER {
    std::string text; /* the member's pointer text */
    bool fIncluded = false;
};
struct GEN_COMPONENT_HEADER_TABLE {
    std::string name;
    std::vector<GEN_COMPONENT_HEADER_MEMBER> members;
};
/* The dispatch-id table of a component: the ids the object layer gave its
** dispatched commands. */
struct GEN_COMPONENT_DISPATCH_TABLE {
    std::string name;
    std::vector<int32_t> ids;
};

struct GEN_MODEL_COMPONENT {
    GEN_COMPONENT_HEADER_TABLE header;
    GEN_COMPONENT_DISPATCH_TABLE dispatch;
    std::vector<GEN_MEMBER_OBJECT_GROUP> groups;
    /* the member object groups that describe the dispatched commands, by
    ** object name, in dispatch-id order */
    std::vector<std::string> dispatchObjects;
};

struct GEN_COMPONENT_MODEL {
    std::vector<GEN_RESOURCE> resources;
    std::vector<GEN_COMPONENT_MEMBER> members;
    std::vector<GEN_TEXT_OWNER> owners;
    std::vector<GEN_MODEL_COMPONENT> components;
    int32_t lMemberBuilds = 0; /* member builds of a compound component */
    bool fOwnIcon = false;     /* the component names an icon of its own */
};

/* The definition lists of the run, or null. */
GEN_COMPONENT_MODEL* P3109_pComponentModel();

/* Member link: gives the run's kind 5 member entry of that identifier and
** name the new kind and the two texts; 1, or 0 when there is no such
** entry. */
int P3109_fAddMemberLink(int32_t lIdentifier, const std::string& name, int32_t lNewKind, const std::string& text1,
                         const std::string& text2);

/* One entry of the exchange tree. */
struct GEN_EXCHANGE_ENTRY {
    uint32_t ulNumber = 0;
    std::string field; /* 50 characters */
    bool fMaximum = false;
    bool fCase = false;
};
/* The entries of the run's exchange tree in tree order; false when the
** run has no exchange tree. */
bool P3109_ReadExchangeTree(std::vector<GEN_EXCHANGE_ENTRY>& entries);

/* The sequence words of two group elements compared (for sorting). */
int P3109_sCompareSequence(const GEN_GROUP_ELEMENT& a, const GEN_GROUP_ELEMENT& b);

/* The comments of the component and property usage tree
** (FFC_CONTEXT.pReferenceTree2: members and properties of the component,
** with their scope) before the field vector, when the object uses the
** extended language and the tree has entries. */
void P3109_WriteUsageDebugComments(GEN_STREAM stream);

/* Registers the member texts of kinds 6 to 10 as field text uses. */
void P3109_CollectListNames();

#endif
