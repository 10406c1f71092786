/*
** file_set.h: the names of every file and directory the generator reads or
** writes for one object.
**
** All names are formed once per set-up from the root directory, the
** partition, the object's C name and fixed suffixes, with backslashes, and
** are mapped onto the host only when a file is opened. Nothing else forms
** or changes them.
**
** The C name is the stem of every file and of the compound and C# project
** directories (a member pass of a compound component names its files by
** its pass number instead, and keeps its C# project in the compound's
** directory). A C name that is no identifier (an object name
** not yet mapped) gets no names at all, and nothing is created or removed
** for it; that no two objects share a stem is the set-up's check.
*/
#ifndef GENERATOR_CORE_FILE_SET_H
#define GENERATOR_CORE_FILE_SET_H

#include <cstdint>
#include <string>

/* Longest path the generator forms; a root that leaves no room for the
** longest name of the set is refused. */
inline constexpr size_t GEN_MAX_PATH = 260;

struct GEN_FILE_SET {
    std::string skeletonDirectory;  /* root\X_VELMO\SOURCE\ */
    std::string mainSkeleton;       /* FUN00001.S */
    std::string csSkeletons[5];     /* SL000001.S to SL000005.S */
    std::string bifSkeleton;        /* FUN00024.S to FUN00028.S */
    std::string skeletonDirectory2; /* second copy for the C# pass and the text strings */
    std::string partitionDirectory; /* root\X_VELMO\X_p\SOURCE\ */
    std::string outputDirectory;    /* partition, CheckIn or compound directory, with '\' */
    std::string outputBase;         /* output directory + stem */

    /* C set */
    std::string c, stg, ddc, rc, h, dll, sbr, rpt, txt, utw, pgm;

    /* C# set */
    std::string csDirectory, csProject, csProperties, csResources;
    /* what follows "VELMO." in the namespace, root namespace and assembly
       name of the C# set: the C name, for a compound's member the
       compound's C name, '.' and the member's */
    std::string csNamespace;
    std::string csDdc, csTxt, csStg, csSbr, csIncl, csClass, csProj, csSln, csAssemblyInfo, csManifest;

    /* When the object's name cannot name files: the text of the refusal
       (at most 80 characters), and every name above is empty. */
    std::string refusal;
};

/* Inputs of the name forming. */
struct GEN_FILE_SET_INPUT {
    std::string root;       /* root directory path */
    std::string partition;  /* at most 3 characters */
    std::string cName;      /* at most 8 characters; in a member pass "X" and the pass number */
    std::string stem;       /* out: the stem of the files, the C name or the member pass number */
    std::string objectName; /* the function or component name the C name was made of ("" skips
                               the comparison; the C name's characters are checked still) */
    bool checkIn = false;
    bool compound = false;
    int32_t lPassCount = 1;
    int32_t lCurrentPass = 1;
    /* SYSFLAGS choice of the built-in function skeleton */
    char cFieldValidate = 'N';  /* *ALP_FIELD_VALIDATE or *NUM_FIELD_VALIDATE */
    char cSystemVariable = 'N'; /* *ALP_SYSTEM_VARIABLE or *NUM_SYSTEM_VARIABLE */
    char cTrigger = 'N';
    char cBuiltin = 'N';
};

/* Forms every name. For a member pass of a compound component the stem
** becomes the pass number ("%08d") and cName the identifier "X%07d" of it;
** its C# project lies in the compound's directory (C#\%08d there). When
** fTouchDirectories is set, the
** check-in directory is created and, in pass 1, the compound directory is
** removed with its contents and created again. Returns false (and leaves
** the set empty) when a name would exceed GEN_MAX_PATH. An object name
** that cannot name files leaves the set empty but for its refusal text,
** touches nothing and returns true. */
bool P3109_FormFileSet(GEN_FILE_SET_INPUT& input, GEN_FILE_SET& set, bool fTouchDirectories);

/* The other object of the partition whose files would have the stem (its
** module identifier, or its name made a C name: 8 characters for a
** component, 7 for a function; compared without regard to case), as
** "component NAME" or "function NAME"; "" when no other object has it. The
** object itself (a component, or a function, of exactly the name given) is
** not counted: a name that differs from it only in case is another object.
** Asked again in the same pass of a job (its work file), the answer found
** first is given: the objects do not change in between. */
std::string P3109_StemTakenBy(const std::string& partition, const std::string& stem, bool fComponent,
                              const std::string& ownName);

#endif
