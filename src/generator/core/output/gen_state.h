/*
** gen_state.h: the generator core's module state.
**
** The generator keeps the state of one job in one block: the caller's run
** blocks (GEN_RUN_ARGUMENTS), the target language, the output state of the
** line writer with its six deferred queues, the skeleton condition stack,
** the object's names and file set, the per-job flags and counters, and the
** block stack of the command loop. The set-up rebuilds it for every job;
** only the once-per-process definitions (definitions.h) outlive a job.
**
** Output streams are numbers: 0 no output, 1 to 6 a deferred line queue,
** and from GEN_FIRST_FILE_STREAM on an open file of the generator's stream
** table (line_writer.h).
*/
#ifndef GENERATOR_CORE_GEN_STATE_H
#define GENERATOR_CORE_GEN_STATE_H

#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_message_callback_record.h"
#include "generator/core/output/file_set.h"

using GEN_STREAM = uint32_t;
inline constexpr GEN_STREAM GEN_NO_STREAM = 0;
inline constexpr GEN_STREAM GEN_FIRST_FILE_STREAM = 7;
inline constexpr int GEN_QUEUE_COUNT = 6;

inline constexpr char GEN_TARGET_C = 'C';
inline constexpr char GEN_TARGET_CSHARP = '#';

/* The arguments with which C# calls a routine of the function (the C
** FUNCTION_STD_PARMS), and the parameters such a routine declares (the C
** FUNCTION_STD_ARGS). */
inline constexpr const char* GEN_FUNCTION_PARMS_CS =
    "pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2";
inline constexpr const char* GEN_FUNCTION_ARGS_CS =
    "X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List, X_FKEY X_FKey, "
    "FUNCTION_STATIC_GLOBAL_1 pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2";

/* The generator's copies of the run driver's arguments. */
struct GEN_RUN_ARGUMENTS {
    FFC_CONTEXT* pContext = nullptr;
    FFC_CHECK_STATE* pState = nullptr;
    const FFC_PROCESS_DEFINITION* pProcess = nullptr;
    const FFC_FUNCTION_DEFINITION* pFunction = nullptr;
    int32_t lDriverValue = 0;
    char cDriverByte1 = ' ';
    char* pOptionFlags = nullptr; /* 999 'Y'/'N' option flags */
    char cDriverByte2 = ' ';
    char cDriverByte3 = ' ';
    char acDriverField[3] = {' ', ' ', ' '};
    char acMsgQueue[10] = {};
    uint16_t usStatusWord = 0; /* total handed to the progress steps */
    std::string root;          /* root directory path, Windows form */
    FFC_MESSAGE_CALLBACK pfnCallback = nullptr;
    int32_t lEditor = 0;
};

/* One line of a deferred queue as it is read back: the indent in force
** when it was queued and its text (valid while the queue holds it). */
struct GEN_QUEUED_LINE {
    uint16_t usIndent;
    std::string_view text;
};

/* GEN_LINE_QUEUE: the lines of one deferred queue in the order they were
** queued. A queue of a large program holds thousands of lines until its
** skeleton point writes them, so they are packed: each is its indent, its
** length and its text, laid one after another in blocks of a few kilobytes
** that are never moved or copied as the queue grows. Once a queue holds
** more than a few blocks, its full blocks go to a scratch file of its own
** and are read back, a block at a time, when the queue is written (where
** no scratch file can be had they stay in memory). A queue may be read
** while lines are added to it: a reader goes no further than the lines
** there when it began. The line writer (line_writer.cpp) fills and reads
** it. */
class GEN_LINE_QUEUE {
public:
    GEN_LINE_QUEUE() = default;
    GEN_LINE_QUEUE(GEN_LINE_QUEUE&&) noexcept = default;
    GEN_LINE_QUEUE& operator=(GEN_LINE_QUEUE&&) noexcept = default;

    void push_back(uint16_t usIndent, std::string_view text);
    /* Drops every line, the storage and the scratch file. */
    void clear();
    size_t size() const { return lines_; }
    bool empty() const { return lines_ == 0; }

    /* Reads the lines there when it was made, one after another; a line's
    ** text is valid until the reader moves on. */
    class const_iterator {
    public:
        const GEN_QUEUED_LINE& operator*()
        {
            if (!read_)
                read();
            return line_;
        }
        const_iterator& operator++()
        {
            if (!read_)
                read();
            read_ = false;
            --left_;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return left_ == other.left_; }

    private:
        friend class GEN_LINE_QUEUE;
        const_iterator(const GEN_LINE_QUEUE* queue, size_t left) : queue_(queue), left_(left) {}
        void read();

        const GEN_LINE_QUEUE* queue_;
        size_t left_;
        size_t block_ = 0;
        uint32_t at_ = 0;
        bool read_ = false;
        GEN_QUEUED_LINE line_{};
        /* a block read back from the scratch file, and its number */
        std::vector<char> buffer_;
        size_t loaded_ = SIZE_MAX;
    };
    const_iterator begin() const { return const_iterator(this, lines_); }
    const_iterator end() const { return const_iterator(this, 0); }

private:
    struct Block {
        std::unique_ptr<char[]> bytes; /* null once in the scratch file */
        uint32_t size;
        uint32_t used;
        int64_t spilled; /* its place in the scratch file */
    };
    struct CloseFile {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    void spill();

    std::vector<Block> blocks_;
    size_t lines_ = 0;
    size_t inMemory_ = 0; /* bytes of the full blocks still in memory */
    std::unique_ptr<std::FILE, CloseFile> scratch_;
    int64_t scratchEnd_ = 0;
    bool noScratch_ = false; /* none could be had: the blocks stay in memory */
};

/* GEN_OUTPUT_STATE. */
struct GEN_OUTPUT_STATE {
    GEN_STREAM current = GEN_NO_STREAM;
    uint16_t usIndent = 3;
    int16_t sDepth = 0;
    GEN_STREAM mainOutput = GEN_NO_STREAM;
    GEN_STREAM secondSuppressible = GEN_NO_STREAM;
    char cSuppress = 'N';
    int32_t lMacroContinuation = 0;
    std::array<GEN_LINE_QUEUE, GEN_QUEUE_COUNT> queues;
    /* the command or skeleton point (and the target above it) whose C
       text the line writer last refused in a C# file */
    uint32_t ulCSharpRefused = UINT32_MAX;
};

/* GEN_SKELETON_CONDITIONS and the engine's per-line working state. */
inline constexpr int GEN_CONDITION_LEVELS = 101;
inline constexpr size_t GEN_SKELETON_LINE_MAX = 4100;
inline constexpr size_t GEN_LINE_BUFFER = 8204;

struct GEN_SKELETON_STATE {
    std::array<int32_t, GEN_CONDITION_LEVELS> levels{};
    int32_t lDepth = 0;
    char cKeep = 'Y';
    std::array<char, GEN_LINE_BUFFER> line{}; /* the line being processed, terminated */
    size_t ulLineFilled = 0;                  /* every byte of line from here on is NUL */
    uint16_t usColumn = 0;                    /* column of the current directive's '%' */
    size_t ulDirectiveLength = 0;             /* '%', digits and the character after them */
    size_t ulResume = 0;                      /* where the scan goes on after a point */
    int16_t sPoint = 0;
    std::string currentSkeleton; /* path of the skeleton being run (point 6) */
};

/* One entry of the block stack of the command loop. The fields after the
** routine values are the working fields of the command emitters, preset
** at every push. */
struct GEN_BLOCK_ENTRY {
    int32_t lLineNumber = 0;
    int32_t lRoutineValue1 = 0;
    int32_t lRoutineValue2 = 0;
    int16_t sRoutineValue3 = 0;
    bool fLastDisplay = false;               /* a DISPLAY, REQUEST or POP_UP of the block was passed */
    std::string lastDisplayLabel = "*ABORT"; /* "X_Last_Display_nnnn" once it was */
    int16_t sWhenCount = 0;                  /* CASE: the WHEN and OTHERWISE branches opened */
    bool fErrorCountField = false;           /* BEGINCHECK: a field counts the block's errors */
    std::string errorCountField;             /* its vector identifier */
    bool afSelectFlags[4] = {false, false, false, false};
    bool fLoop = false; /* a loop: LEAVE and ITERATE go to it */
    std::string continueLabel;
    std::string leaveLabel;
    int32_t lIterator1 = 0; /* BEGIN_LOOP: the literal step */
    int32_t lIterator2 = 0; /* FOR: the iterator's dispatch id */
    bool fFrame = false;        /* the block opened an X_VAR frame */
    bool fWhenStack = false;    /* CASE: its WHEN operand stack was declared */
    bool fWhenSubject = false;  /* CASE: its subject is loaded into the WHEN operand stack */
    int16_t sWhenTests = 0;     /* CASE: the WHEN branches opened (OTHERWISE not counted) */
    std::string untilCondition; /* DOUNTIL: routine name or routine reference */
    std::string caseOperand;    /* CASE: the OF_FIELD operand, 10 characters */
    std::string loopTo;         /* BEGIN_LOOP: the TO operand, 20 characters */
    std::string loopUsing;      /* BEGIN_LOOP: the USING field, 10 characters */
    /* the indent and inline depth in force when the block opened: the
       core's comment writer of a closing command returns to them */
    uint16_t usOuterIndent = 0;
    int16_t sOuterDepth = 0;
    /* the SELECT loop node of a SELECT or SELECT_SQL block, and what its
       ENDSELECT acts on; afSelectFlags: close routine, I/O error,
       validation error, end of file */
    struct GEN_SELECT_NODE* pSelect = nullptr;
    std::string selectClose, selectIoError, selectValError, selectEndFile, selectBlock;
    /* the suffix of the loop counter of a SELECT, SELECT_SQL or SELECTLIST
       block: C# cannot hide a variable of an enclosing block, so a nested
       loop's counter gets the loop's depth ("_2"); empty for the outermost
       loop and in C */
    std::string loopSuffix;
    bool fSelectLoop = false; /* the block counts its rows (KEEP_ needs one around it) */
};

inline constexpr int GEN_BLOCK_STACK_CAPACITY = 256;

/* A file access block of the I/O emitters: its name and, for a file of
** another database, the variable of its connection with the database and
** qualifier whose "DATABASE" record holds the connection data. */
struct GEN_FILE_ACCESS_BLOCK {
    std::string name;
    std::string connection; /* empty: the file uses no connection of its own */
    std::string database, qualifier;
};

/* A work field the emitters add to the static working variables. */
struct GEN_EMITTED_WORK_FIELD {
    std::string name, type, dimension;
};

/* GEN_EMITTER_FLAGS as far as the core reads them: set by the command
** emitters while the commands are emitted, read by the section writers. */
struct GEN_EMITTER_FLAGS {
    char cSqlIndicator = 'N';
    char cOpenAll = 'N';
    char cLastIoStatus = 'N'; /* GEN_LAST_IO_STATUS_FLAG (GEN_IO_STATUS_USED) */
    int32_t lIgnoredPrecision = 0;
    int32_t lIgnoredRoundUp = 0;
    int32_t lIgnored1030 = 0;
    int32_t lIgnored1015 = 0;
    char cCallProcess = 'N';  /* CALL and SUBMIT name a process ... */
    char cCallFunction = 'N'; /* ... or a function */
    char cValidation = 'N';   /* BEGINCHECK blocks, with their count */
    int16_t sBeginChecks = 0;
    char cCheckResult = 'N';                /* the check commands */
    char cWorkDouble = 'N';                 /* the KEEP commands */
    std::vector<std::string> keepLastAreas; /* the KEEP_LAST tracking areas of FETCH */
    std::vector<GEN_FILE_ACCESS_BLOCK> fileAccessBlocks;
    std::vector<std::string> pointOverrides; /* POINT file overrides */
    std::vector<GEN_EMITTED_WORK_FIELD> workFields;
    int16_t sTempStoreAreas = 1; /* temporary storage area pointers */
};

/* The whole per-job state of the generator. */
struct GEN_MODULE_STATE {
    GEN_RUN_ARGUMENTS args;
    char cTarget = GEN_TARGET_C; /* GEN_TARGET_LANGUAGE */
    char cTargetNext = ' ';      /* the SYSFLAGS byte at offset 62 */
    GEN_OUTPUT_STATE out;
    GEN_SKELETON_STATE skel;
    GEN_EMITTER_FLAGS emit;

    /* names as terminated, right-trimmed strings */
    std::string partition, language, process, function;
    std::string cName; /* object's C name, or the member pass number */
    std::string nationalChar1, nationalChar3;
    std::string routineName = "*MAIN*****";
    std::string title = std::string(40, ' '); /* the 40-column title of point 9 */
    GEN_FILE_SET files;

    /* per-job switches */
    int32_t lOutputFailures = 0; /* files that could not be read or written (faults of the environment) */
    /* the messages the C pass issued (id, line, sub-line and text): the C#
       pass writes the same commands again and issues each of them once only */
    std::unordered_set<std::string> issuedMessages;
    int32_t lListSizeCheckOff = 0;
    int32_t lGeneratorWord = 0;
    char cLabelFlag = 'Y';
    char cRoutineFlag1 = 'N';
    char cRoutineFlag2 = 'N';
    std::array<char, 4> derivedOptions{{'N', 'N', 'N', 'N'}}; /* the four derived option flags */
    int16_t sSqlCursorCount = 0;                              /* GEN_CURSOR_COMMAND_COUNT */
    int16_t sOpenSelectCount = 0; /* GEN_OPEN_SELECT_COUNT: SELECT loops open at this point */
    uint16_t usCommandCounter = 0;
    std::string lineNumberText = "0000";
    int32_t lRoutineValue1 = 0, lRoutineValue2 = 0;
    int16_t sRoutineValue3 = 0;
    uint16_t usSavedIndent = 3;
    uint16_t usRoutineSavedIndent = 0;

    /* the current working list (its ordinal; -1 none), set by the list look-up */
    int16_t sCurrentList = -1;

    /* block stack */
    /* entry 0, and one more for each depth a block was first pushed to; a
       deque, so that an entry stays where it is while deeper ones are made */
    std::deque<GEN_BLOCK_ENTRY> blocks = std::deque<GEN_BLOCK_ENTRY>(1);
    int16_t sBlockDepth = 0;

    /* GUID texts of points 161 and 162 */
    std::string guid161, guid162;

    /* counts tested by points 57 and 58 (owned by later writers) */
    int32_t lUsedFieldTexts = 0;
    int32_t lMultilingualVariables = 0;

    /* index symbols of the system fields IO$MDE and CURLOC$FN (set-up) */
    std::string ioModeField = "V_NOT_AVAILABLE";
    std::string cursorLocationField = "V_NOT_AVAILABLE";

    /* the description of the checked component, when the object layer has one */
    const struct BOM_DESCRIPTION_NODE* pDescription = nullptr;

    /* the debugger-name tree and the user DLL definitions */
    struct RBTREE* pDebugNames = nullptr;
    /* the names (key form) the commands have put into it so far */
    std::vector<std::array<char, 11>> debugNamesEntered;
    USEDLL_RECORD* pUserDlls = nullptr;

    /* the streams of the output driver */
    GEN_STREAM skeletonIn = GEN_NO_STREAM, header = GEN_NO_STREAM, mainC = GEN_NO_STREAM, stg = GEN_NO_STREAM,
               ddc = GEN_NO_STREAM, rc = GEN_NO_STREAM, sbr = GEN_NO_STREAM, rpt = GEN_NO_STREAM, pgm = GEN_NO_STREAM;
    std::array<GEN_STREAM, 5> csStreams{}; /* DDC.cs, STG.cs, .sbr, Incl.cs, TXT.cs */
};

/* The one module state of the generator. Inline: every generated line
** reaches it several times. */
inline GEN_MODULE_STATE& P3109_State()
{
    static GEN_MODULE_STATE state;
    return state;
}

/* The short name every writer of the generator uses for the module state. */
inline GEN_MODULE_STATE& g()
{
    return P3109_State();
}

/* Short-hands over the run blocks. */
FFC_CONTEXT* P3109_Context();
FFC_CHECK_STATE* P3109_CheckState();
/* The abort word: the fatal messages of later passes. */
int32_t P3109_lAbortWord();
/* Whether either C# request byte of the run context is 'Y'. */
bool P3109_fCSharpRequested();

#endif
