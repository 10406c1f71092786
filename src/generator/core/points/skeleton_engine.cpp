/*
** skeleton_engine.cpp: condition directives and the scan for insertion
** points, for the main skeleton, the C# skeletons and the built-in function
** skeleton.
*/
#include "generator/core/points/skeleton_engine.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/points/skeleton_points.h"

namespace {

enum Condition : int {
    kComponent = 1,
    kFunction,
    kZophxNotInFunction,
    kZophxInComponent,
    kZophxInFunction,
    kZophxUsed,
    kZoph2Used,
    kZoph2NotUsed,
    kLevelTwo,
    kZophxFunction,
    kLevelOne,
    kCompoundMember,
    kNotCompoundMember,
    kCompoundHome,
    kNotCompoundHome,
    kCompound,
    kNotCompound,
    kElse,
    kEndif
};

struct Directive {
    const char* text;
    Condition condition;
};

/* In the order of the test: where one name is a prefix of another, the
** longer one comes first. */
constexpr Directive kDirectives[] = {
    {"%%IF_COMPONENT", kComponent},
    {"%%IF_FUNCTION", kFunction},
    {"%%IF_ZOPHX_IS_NOT_USED_IN_FUNCTION", kZophxNotInFunction},
    {"%%IF_ZOPHX_IS_USED_IN_COMPONENT", kZophxInComponent},
    {"%%IF_ZOPHX_IS_USED_IN_FUNCTION", kZophxInFunction},
    {"%%IF_ZOPHX_IS_USED", kZophxUsed},
    {"%%IF_ZOPH2_IS_USED", kZoph2Used},
    {"%%IF_ZOPH2_IS_NOT_USED", kZoph2NotUsed},
    {"%%IF_LANGUAGE_LEVEL_TWO", kLevelTwo},
    {"%%IF_ZOPHX_FUNCTION", kZophxFunction},
    {"%%IF_LANGUAGE_LEVEL_ONE", kLevelOne},
    {"%%IF_ZOPHX_COMPOUND_COMPONENT_MEMBER", kCompoundMember},
    {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT_MEMBER", kNotCompoundMember},
    {"%%IF_ZOPHX_COMPOUND_COMPONENT_HOME", kCompoundHome},
    {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT_HOME", kNotCompoundHome},
    {"%%IF_ZOPHX_COMPOUND_COMPONENT", kCompound},
    {"%%IF_NOT_ZOPHX_COMPOUND_COMPONENT", kNotCompound},
    {"%%ELSE", kElse},
    {"%%ENDIF", kEndif},
};

bool conditionHolds(Condition c)
{
    const FFC_CONTEXT* x = P3109_Context();
    if (!x)
        return false;
    const bool component = x->lComponentRun != 0;
    const bool function = x->lFunctionRun != 0;
    const bool zophx = x->lZophxUsed != 0;
    const bool member = x->lCompoundComponent != 0 && x->lCurrentPass < x->lPassCount;
    const bool home = x->lCompoundComponent != 0 && x->lCurrentPass == x->lPassCount;
    switch (c) {
    case kComponent: return component;
    case kFunction: return !component;
    case kZophxNotInFunction: return function && !zophx;
    case kZophxInComponent: return component && zophx;
    case kZophxInFunction: return function && zophx;
    case kZophxUsed: return component || zophx;
    case kZoph2Used: return x->lZoph2Used != 0;
    case kZoph2NotUsed: return x->lZoph2Used == 0;
    case kLevelTwo: return x->lLanguageLevelTwo != 0;
    case kZophxFunction: return function && x->lLanguageLevelTwo != 0;
    case kLevelOne: return x->lLanguageLevelTwo == 0;
    case kCompoundMember: return member;
    case kNotCompoundMember: return !member;
    case kCompoundHome: return home;
    case kNotCompoundHome: return !home;
    case kCompound: return x->lCompoundComponent != 0;
    case kNotCompound: return x->lCompoundComponent == 0;
    default: return false;
    }
}

/* Carries out a condition directive on the stack. */
void applyDirective(Condition c)
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    if (c == kElse) {
        if (s.lDepth < 1)
            FFC_Fatal_Error("Internal fatal error: iSkeletonCondition 0 cannot be toggled");
        auto& level = s.levels[static_cast<size_t>(s.lDepth)];
        level = (level == 0 && s.levels[static_cast<size_t>(s.lDepth - 1)] != 0) ? 1 : 0;
        return;
    }
    if (c == kEndif) {
        if (s.lDepth < 1)
            FFC_Fatal_Error("Internal fatal error: iSkeletonCondition popped below 0");
        --s.lDepth;
        return;
    }
    if (s.lDepth >= GEN_CONDITION_LEVELS - 1)
        FFC_Fatal_Error("Internal fatal error: iSkeletonCondition pushed above 100");
    ++s.lDepth;
    s.levels[static_cast<size_t>(s.lDepth)] =
        (conditionHolds(c) && s.levels[static_cast<size_t>(s.lDepth - 1)] != 0) ? 1 : 0;
}

const Directive* matchDirective(const char* at)
{
    for (const Directive& d : kDirectives)
        if (std::strncmp(at, d.text, std::strlen(d.text)) == 0)
            return &d;
    return nullptr;
}

size_t lineLength()
{
    const auto& line = P3109_State().skel.line;
    return strnlen(line.data(), line.size());
}

/* Reads the point at offset pos ('%'): records the directive and returns
** its number. */
int32_t readPoint(size_t pos)
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    const char* p = s.line.data() + pos + 1;
    uint16_t number = 0;
    size_t digits = 0;
    while (*p >= '0' && *p <= '9') {
        number = static_cast<uint16_t>(number * 10 + static_cast<uint16_t>(*p - '0'));
        ++p;
        ++digits;
    }
    s.usColumn = static_cast<uint16_t>(pos);
    s.ulDirectiveLength = 1 + digits + 1;
    s.ulResume = pos + s.ulDirectiveLength;
    s.sPoint = static_cast<int16_t>(number);
    return s.sPoint;
}

/* Scans the line; fBif selects the reduced engine's rules. */
void scanLine(bool fBif)
{
    GEN_MODULE_STATE& g = P3109_State();
    GEN_SKELETON_STATE& s = g.skel;
    s.cKeep = 'Y';
    size_t pos = 0;
    for (;;) {
        size_t len = lineLength();
        if (pos >= len)
            return;
        const char* hit = static_cast<const char*>(std::memchr(s.line.data() + pos, '%', len - pos));
        if (!hit)
            return;
        pos = static_cast<size_t>(hit - s.line.data());
        const Directive* d = matchDirective(hit);
        if (d && (!fBif || d->condition == kZophxFunction || d->condition == kElse || d->condition == kEndif)) {
            applyDirective(d->condition);
            s.cKeep = 'N';
            return;
        }
        if (d && fBif) {
            /* any other condition of the main engine: a point 0 that drops the line */
            s.cKeep = 'N';
            return;
        }
        if (fBif && P3109_lCurrentCondition() == 0) {
            s.cKeep = 'N';
            return;
        }
        int32_t point = readPoint(pos);
        if (fBif)
            P3109_RunBifPoint(point);
        else
            P3109_RunSkeletonPoint(point);
        pos = s.ulResume;
    }
}

/* The last column of a skeleton line a replacement keeps of the line's
** remainder (a skeleton line holds at most 4,095 characters). */
constexpr size_t kSkeletonLineColumns = 4095;

}  // namespace

void P3109_ResetSkeletonConditions()
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    s.levels.fill(0);
    s.levels[0] = 1;
    s.lDepth = 0;
}

int32_t P3109_lCurrentCondition()
{
    const GEN_SKELETON_STATE& s = P3109_State().skel;
    return s.levels[static_cast<size_t>(s.lDepth)];
}

void P3109_SetSkeletonLine(std::string_view line)
{
    /* the buffer is NUL past the line: only the bytes of the line before
       it that the new one leaves are cleared, not the whole buffer */
    GEN_SKELETON_STATE& s = P3109_State().skel;
    const size_t n = std::min(line.size(), s.line.size() - 1);
    std::memcpy(s.line.data(), line.data(), n);
    if (n < s.ulLineFilled)
        std::memset(s.line.data() + n, 0, s.ulLineFilled - n);
    s.ulLineFilled = n;
}

std::string P3109_SkeletonLineText()
{
    const auto& buffer = P3109_State().skel.line;
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

void P3109_ProcessSkeletonLine()
{
    scanLine(false);
}

void P3109_BlankDirective()
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    size_t len = lineLength();
    for (size_t i = s.usColumn; i < s.usColumn + s.ulDirectiveLength && i < len; ++i)
        s.line[i] = ' ';
}

void P3109_WriteAtDirective(std::string_view text)
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    size_t room = s.line.size() - 1 - s.usColumn;
    const size_t n = std::min(text.size(), room);
    std::memcpy(s.line.data() + s.usColumn, text.data(), n);
    s.ulLineFilled = std::max(s.ulLineFilled, s.usColumn + n);
}

void P3109_ReplaceDirective(std::string_view text)
{
    GEN_SKELETON_STATE& s = P3109_State().skel;
    std::string line = P3109_SkeletonLineText();
    std::string rest;
    size_t from = s.usColumn + s.ulDirectiveLength;
    if (from < line.size())
        rest = line.substr(from, from < kSkeletonLineColumns ? kSkeletonLineColumns - from : 0);
    std::string rebuilt = line.substr(0, s.usColumn) + std::string(text) + rest;
    while (!rebuilt.empty() && rebuilt.back() == ' ')
        rebuilt.pop_back();
    P3109_SetSkeletonLine(rebuilt);
    s.ulResume = s.usColumn + text.size();
}

std::string P3109_TextAfterDirective(size_t ulCount)
{
    const GEN_SKELETON_STATE& s = P3109_State().skel;
    std::string line = P3109_SkeletonLineText();
    size_t from = s.usColumn + s.ulDirectiveLength - 1;
    return from < line.size() ? line.substr(from, ulCount) : std::string();
}

void P3109_ProcessBifSkeleton()
{
    GEN_MODULE_STATE& g = P3109_State();
    GEN_STREAM in = P3109_pOpenInputFile(g.files.bifSkeleton);
    g.pgm = P3109_pOpenOutputFile(g.files.pgm);
    GEN_STREAM savedCurrent = g.out.current;
    g.out.current = g.pgm;
    g.out.secondSuppressible = g.pgm;
    g.skel.currentSkeleton = g.files.bifSkeleton;
    P3109_ResetSkeletonConditions();
    std::string line;
    while (in != GEN_NO_STREAM && P3109_lAbortWord() == 0 && P3109_fReadSkeletonLine(in, 1, line)) {
        P3109_SetSkeletonLine(line);
        scanLine(true);
        if (g.skel.cKeep == 'Y' && P3109_lCurrentCondition() != 0)
            P3109_WriteFileLine(1, P3109_SkeletonLineText(), g.pgm);
    }
    P3109_CloseStream(in);
    P3109_CloseStream(g.pgm);
    g.out.secondSuppressible = GEN_NO_STREAM;
    g.out.current = savedCurrent;
}
