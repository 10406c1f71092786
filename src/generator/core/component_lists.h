/*
** component_lists.h: the component definition lists the generator reads
** for a component: its resources (each to become a file of the C# project
** with a reference name) and the multilingual texts of its members that its
** routines fetch. The object server delivers them; they are read on first
** use in a job and kept until the next set-up.
*/
#ifndef GENERATOR_CORE_COMPONENT_LISTS_H
#define GENERATOR_CORE_COMPONENT_LISTS_H

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int32_t GEN_RESOURCE_BITMAP = 1130;

struct GEN_COMPONENT_RESOURCE {
    int32_t lType = 0;
    uint16_t usIdentifier = 0;
    std::vector<unsigned char> data;
    std::string referenceName; /* the resource's file in the C# project, when written (at most 40) */
    std::string kindText, extension, keyword;
};

struct GEN_MEMBER_TEXT {
    std::string owner, member;
    int32_t lTextKind = 0; /* 6 description, 7 label, 8-10 column headings 1-3 */
    std::string cTarget, csTarget;
};

struct GEN_COMPONENT_LISTS {
    bool fLoaded = false;
    std::vector<GEN_COMPONENT_RESOURCE> resources;
    std::vector<GEN_MEMBER_TEXT> texts;
    int32_t lCSharpResourceNumber = 0; /* the C# resource files of the generation */
};

/* The lists of the job's component (empty for a function); a failed read
** of the repository ends the process through the fatal SQL path. */
GEN_COMPONENT_LISTS& P3109_ComponentLists();
/* Forgets the lists (the set-up of every job). */
void P3109_ResetComponentLists();

#endif
