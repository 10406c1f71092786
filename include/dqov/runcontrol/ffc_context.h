/* FFC_CONTEXT: the run context every step of a job receives first.
 * One instance belongs to the run driver and is refilled at the top of every
 * pass, one to the single-check entry points; the single web routine
 * generation builds its own. Character fields are blank-padded and not
 * terminated unless their size says otherwise (a "+1" size). */
#ifndef DQOV_FFC_CONTEXT_H
#define DQOV_FFC_CONTEXT_H

#include "dqov/runcontrol/ffc_system_definition.h"
#include <stdint.h>

struct FFC_LIST_ANCHOR;  /* named lists of the job */
struct FFC_WORK_FILE;    /* keyed work file with its cursor slots */
struct FFC_RECORD_STORE; /* record store */
struct FFC_FIELD_CACHE;  /* field definitions read during the job */
struct RBTREE;           /* red-black tree */
struct FFC_LABEL_STACK;  /* open label numbers */

typedef struct FFC_WEB_APPLICATION {
    char* pszTspName;
    char* pszApplication;
    char* pszDescription;
} FFC_WEB_APPLICATION;

typedef struct FFC_CONTEXT {
    struct FFC_LIST_ANCHOR* pListAnchor; /* anchor of the job's named lists */

    /* system values copied from the caller's system definition */
    char acPartition[3];
    char acLanguage[4];
    char cMultilingual;     /* 'Y' when the language is not "NAT" */
    char acDateFormat[3];   /* "DMY", "MDY" or "YMD" */
    int32_t lTodayYYYYMMDD; /* today's date in numeric forms */
    int32_t lTodayYYMMDD;
    int32_t lTodayDDMMYY;
    int32_t lTodayMMDDYY;
    char cDecimalPoint;
    char cNatChar1; /* national name character (blank when none) */
    char cNatChar2;
    char cNatChar3; /* third name character, '$' by default */
    FFC_FUNCTION_KEY_DEF aFunctionKeys[FFC_FUNCTION_KEY_COUNT];
    char cDoubleByte;       /* 'Y': double-byte texts */
    char cRightToLeft;      /* 'Y': right-to-left */
    char cTitleUpper;       /* 'Y': titles upper-cased */
    char cTitleLines;       /* run default of the title-lines flag */
    uint16_t usScreenLines; /* 24 or another count */
    char cPopupIdentifier;
    char cExtendedAttributes; /* '1' = on */
    char acPlaceholders[4];
    char acFrameChars[4];
    char cDateTimeOnTitle;
    char cReportImage;
    char cKeepQuotes;
    char cExtraKey; /* 'Y': designed screens show the extra key first in their legend */
    char acExtraKeyNumber[2];
    char acExtraKeyText[10];
    char acUser[10];
    char acProduct[6];
    char acPageLength[3];
    char acOverflowLine[3];
    int32_t lPageWidth;

    /* identity of the object */
    char acProcess[10];
    char acFunction[7];
    char acComponent[10];
    char acSecondComponent[10];
    char acObjectName[10]; /* object name used in messages (the message file) */
    char acProcessDescription[40];
    char acFunctionDescription[40];
    char szComponentModule[9];  /* component module identifier, terminated */
    char szObjectCName[9];      /* written by the generator */
    char szGenerationStamp[15]; /* written by the generator */
    int32_t lFrameworkId1;
    int32_t lFrameworkId2;
    char szFrameworkName[41]; /* written by the generator */
    uint16_t usComponentGroupCount;
    void* pComponentGroupChain;

    /* work files, record stores and messages */
    struct FFC_WORK_FILE* pWorkFile;
    struct FFC_RECORD_STORE* pCommandStore;
    struct FFC_RECORD_STORE* pExtensionStore;
    struct FFC_RECORD_STORE* pSourceStore;
    struct FFC_RECORD_STORE* pMessageStore;
    struct FFC_FIELD_CACHE* pFieldCache;
    char acMsgData[132]; /* substitution data area for design messages */

    /* run switches */
    int32_t lComponentRun;      /* 1: the job checks a component */
    int32_t lFunctionRun;       /* 1 unless the job is a component run */
    int32_t lComponentChecking; /* component runs and level-two functions */
    int32_t lLanguageLevelTwo;
    int32_t lComponentExpressions; /* component flavour of expression checking */
    int32_t lExtendedLanguage;     /* extended-feature switch */
    int32_t lZophxUsed;
    int32_t lZoph2Used;
    char cOption;          /* option letter: 'G' generate, 'C' check, 'D' design */
    uint32_t ulOptionBits; /* the run's option word */
    char cJobType;         /* 'I' set by the run driver */
    char cRunType;         /* run-type byte */
    char cCSharp;          /* 'Y': C# output */
    char cCSharpSecond;
    int32_t lParserOption1;
    int32_t lParserOption2;
    int32_t lBuildStartValue;   /* first value the build start returns */
    int32_t lCompoundComponent; /* compound-component word from the build start */
    int32_t lSkeletonWord109;   /* tested by skeleton point 109 */

    /* lookups and trees owned by other steps of the job */
    void* pCommandLookup; /* FFC_COMMAND_LOOKUP */
    void* pComponentDefinitions;
    void* pSourceLines; /* source-line list of a component */
    uint32_t ulSourceLineCount;
    struct RBTREE* pReferenceTree1;
    struct RBTREE* pReferenceTree2;
    struct RBTREE* pValueCacheTree;
    struct RBTREE* pNameTree; /* generated-name trees and their counter */
    struct RBTREE* pOwnerTree;
    uint32_t ulGeneratedNameCounter;
    uint16_t usCommandCounter1;
    uint16_t usCommandCounter2;

    /* label numbers (FOR/ENDFOR) */
    uint32_t ulLabelNumber;  /* current label number */
    uint32_t ulLabelCounter; /* last label number taken */
    struct FFC_LABEL_STACK* pLabelStack;

    /* design counters */
    int32_t lMultiPageScreens;

    /* web applications of the object */
    uint32_t ulWebApplicationCount;
    FFC_WEB_APPLICATION* pWebApplications;

    /* passes */
    int32_t lPassCount;
    int32_t lCurrentPass;

    const FFC_SYSTEM_DEFINITION* pSystemDefinition;
} FFC_CONTEXT;

#endif
