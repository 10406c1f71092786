// Support of the WAM generation: trace set-up, message texts, trace names
// and text callbacks.
#include "web/wam/web_support.h"

#include <array>
#include <cstdarg>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

namespace {

constexpr size_t kPathSize = 261;

template <size_t N> const char* nameOf(const std::array<const char*, N>& names, uint32_t value, const char* other)
{
    return value < N ? names[value] : other;
}

// Starts the trace file of a system definition that has none yet: the next
// numbered file, begun with the settings line.
bool startTraceFile(FFC_SYSTEM_DEFINITION& system, std::unique_ptr<LTraceWriterOutput>& output)
{
    char directory[kPathSize];
    UTS_snprintf(directory, sizeof directory, "%s\\X_VELMO", system.szRootDirectory);
    if (!LTraceWriterOutput_NextFileName(directory, "d_trace", system.szTraceFile, sizeof system.szTraceFile))
        return false;
    // a job that does not end committed leaves no trace file of its own
    DosNoteScratch(system.szTraceFile);
    // The file begins with the marker line that claimed it; the settings
    // line follows.
    char settings[128];
    UTS_snprintf(settings, sizeof settings, "Trace settings: QV_ITRO=%c QV_ITRM=%d QV_ITRL=%d [%d]",
                 system.QV_ITRO != 0 ? 'Y' : 'N', system.QV_ITRM, system.QV_ITRL, static_cast<int>(kPathSize));
    output = std::make_unique<LTraceWriterOutput>(system.szTraceFile);
    output->writeLine(settings);
    return true;
}

}  // namespace

void P3142_SetUpTraceWriter(std::unique_ptr<LTraceWriter>& holder, FFC_SYSTEM_DEFINITION* system)
{
    holder = std::make_unique<TspTraceWriter>();
    if (!system || system->QV_ITRO == 0)
        return;
    std::unique_ptr<LTraceWriterOutput> output;
    if (system->szTraceFile[0] == '\0') {
        if (!startTraceFile(*system, output))
            return;
    } else {
        output = std::make_unique<LTraceWriterOutput>(system->szTraceFile);
    }
    holder->attachOutput(std::move(output));
    holder->setOn(true);
    holder->setLevel(system->QV_ITRL);
}

long P3142_lServerResult(long rc, const char* routine)
{
    if (rc == OSRV_ERR_REPOSITORY)
        OSRV_FatalError(routine, rc);
    return rc;
}

void P3142_Trace(LTraceWriter* writer, int32_t level, const char* format, ...)
{
    if (!writer || !writer->isEnabled(level))
        return;
    va_list args;
    va_start(args, format);
    writer->vtrace(level, format, args);
    va_end(args);
}

LCharBuffer P3142_pszGetMessageText(unsigned long number, const char* text1, const char* text2, const char* text3)
{
    const char* format = SMSG_pszGetMessage(number, 0);
    if (!format)
        return LCharBuffer("");
    const char* texts[3] = {text1, text2, text3};
    size_t given = 0;
    while (given < 3 && texts[given])
        ++given;
    // The stored text is data, not a format: each "%s" takes the next given
    // text (or nothing), "%%" is a percent sign, any other '%' stays as it is.
    std::string out;
    size_t next = 0;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (next < given)
                out += texts[next];
            ++next;
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return LCharBuffer(out.c_str());
}

const char* P3142_pszListModeName(uint32_t value)
{
    static constexpr std::array<const char*, 4> kNames{"none", "input", "output", "both"};
    return nameOf(kNames, value, "undefined");
}

const char* P3142_pszFieldModeName(uint32_t value)
{
    static constexpr std::array<const char*, 5> kNames{"Hidden", "Input", "Output", "Both", "Private"};
    return nameOf(kNames, value, "NaN");
}

const char* P3142_pszInlineOptionName(uint32_t value)
{
    static constexpr std::array<const char*, 3> kNames{"default", "true", "false"};
    return nameOf(kNames, value, "undefined");
}

const char* P3142_pszOutputFormatName(uint32_t value)
{
    static constexpr std::array<const char*, 5> kNames{"Invalid", "None", "JSON", "STANDARD", "LOB"};
    return nameOf(kNames, value, "Invalid");
}

const char* P3142_pszCompReturnName(long value)
{
    switch (value) {
    case 0: return "X_COMP_RETURN_OK";
    case -2: return "X_COMP_RETURN_CALLBACK_FAILED";
    case -4: return "X_COMP_RETURN_INVALID_ARGUMENT";
    case -5: return "X_COMP_RETURN_OBJECT_NOT_FOUND";
    default: return "<UNKNOWN>";
    }
}

namespace {

long copyPath(char* target, const void* text)
{
    if (!target)
        return 0;
    if (!text) {
        target[0] = '\0';
        return 0;
    }
    std::strncpy(target, static_cast<const char*>(text), kPathSize - 1);
    target[kPathSize - 1] = '\0';
    return 1;
}

}  // namespace

template <int Word> long P3142_fCopyPathCallback(void* context, long, void* text)
{
    return copyPath(context ? static_cast<char**>(context)[Word - 1] : nullptr, text);
}
template long P3142_fCopyPathCallback<1>(void* context, long word, void* text);
template long P3142_fCopyPathCallback<3>(void* context, long word, void* text);
