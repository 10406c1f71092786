/*
** data_structures.h: the data structures a function uses, passes and
** receives -- files whose real fields ('FFD' rows) travel as one record --
** with their components and the C names of their storage and of their
** assemble and disassemble routines; and the C names of 4GL subroutines.
*/
#ifndef GENERATOR_CORE_DATA_STRUCTURES_H
#define GENERATOR_CORE_DATA_STRUCTURES_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t GEN_DATA_STRUCTURE_COMPONENTS = 1000;

struct GEN_DATA_STRUCTURE_COMPONENT {
    std::string field; /* 10 characters */
    char cType = ' ';
    int32_t lLength = 0;
    int16_t sDecimals = 0;
    char cAsqn = 'N', cSuns = 'N', cSuni = 'N';
};

struct GEN_DATA_STRUCTURE {
    std::string name; /* 10 characters, the national name character dropped */
    std::string identifier;
    std::string storageName;   /* identifier + "_STORAGE" */
    std::string structureName; /* identifier + "_DS" */
    std::string disassembleRoutine, assembleRoutine;
    char cReceive = 'N', cPass = 'N';
    std::string library; /* the library whose fields were taken */
    std::vector<GEN_DATA_STRUCTURE_COMPONENT> components;
};

/* Loads every structure the checker recorded ("USE_DS"), with the fields
** of its file's first library and their dictionary attributes, and marks
** the passed and the received ones. A component missing from the
** dictionary is reported (PRC1004) and left out. */
void P3109_LoadDataStructures();
const std::deque<GEN_DATA_STRUCTURE>& P3109_DataStructures();
/* By 10-character name, a leading national name character removed. */
const GEN_DATA_STRUCTURE* P3109_pFindDataStructure(std::string_view name);
/* "%s (FUNCTION_STD_PARMS);" with the structure's disassemble routine
** (kind 'D') or its assemble routine (any other kind); a structure that
** was not loaded is reported and nothing is written. */
void P3109_WriteDataStructureCall(std::string_view name, char cKind);
/* "Subroutine_" and the name's C identifier, then "_" and the module
** suffix when the build start handed back a build value. */
std::string P3109_MakeSubroutineName(std::string_view name);

void P3109_ResetDataStructures();

#endif
