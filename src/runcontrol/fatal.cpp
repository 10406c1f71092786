// Fatal exits of the library. Each shows its text (on standard error, and
// in tools mode also as a red line), rolls back and disconnects the
// repository, removes the files the current job generated and ends the
// process through the OS layer, whose exit hook tests replace.
#include "dqov/runcontrol/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/rc_internal.h"
#include "runcontrol/services_bridge.h"

namespace {

// Set while a fatal end undoes the job: a failure met on the way ends the
// process at once instead of starting the undoing over.
bool g_ending = false;

// The advice that ends the text of a fatal failure: none where another
// process held the repository's lock too long, which is nobody's fault and
// goes away with a new job.
std::string adviceFor()
{
    return SSQL_fLockNotGranted() ? std::string() : std::string(FFC_FATAL_ADVICE);
}

// The object layer's and the object server's code of a failed repository.
constexpr long kRepositoryFailure = -8;

struct EndingMark {
    EndingMark() { g_ending = true; }
    ~EndingMark() { g_ending = false; }
};

// A failed call of the object layer or the object server. The repository
// behind both fails with -8: the statement's location and the services'
// reason say where and why.
[[noreturn]] void objectFatalError(const char* kind, const char* routine, long code)
{
    FFC_StopWhenInterrupted();
    char head[256];
    std::snprintf(head, sizeof head, "Fatal error code %ld returned by %s %s. ", code, kind, routine ? routine : "");
    std::string text = head;
    if (code == kRepositoryFailure)
        text += "The repository failed at location " + std::string(SSQL_pszLocation()) + ": " +
                std::string(SSQL_pszLastError()) + ". ";
    text += code == kRepositoryFailure ? adviceFor() : std::string(FFC_FATAL_ADVICE);
    FFC_Fatal_Error(text.c_str());
}

}  // namespace

extern "C" {

void FFC_Fatal_Error(const char* text)
{
    std::string t = text ? text : "";
    std::fprintf(stderr, "FFC_Fatal_Error: %s\n", t.c_str());
    std::fflush(stderr);
    if (FFC_from_TOOLS())
        rc::WriteToolsLine(1, t);
    if (!g_ending) {
        EndingMark mark;
        bridge::RollbackAndDisconnect();
        rc::DiscardJobOutput();
    }
    DosExit(1, 0);
    // DosExit does not return; should a hook return anyway, end here with
    // the status of a job that could not run.
    std::_Exit(2);
}

void FFC_SQL_Error(const void* handle, const char* location)
{
    // a statement refused because the process was interrupted ends as the interruption
    FFC_StopWhenInterrupted();
    std::string tag = location ? location : "";
    std::string text = "SQL Error at location " + tag;
    const auto* ca = static_cast<const SSQL_SQLDA*>(handle);
    std::string own = ca ? std::string(ca->szMessage) : std::string(SSQL_pszLastError());
    FFC_CONTEXT* ctx = P31O2_pGetCurrentRunContext();
    if (ctx && ctx->pSystemDefinition && ctx->pSystemDefinition->cShowSqlErrors == 'Y')
        rc::IssueServicesMessage(181, tag.c_str());
    if (!own.empty())
        text += ". " + own;
    text += ".";
    if (const std::string advice = adviceFor(); !advice.empty())
        text += " " + advice;
    FFC_Fatal_Error(text.c_str());
}

void FFC_Fatal_SQL_Location(const char* location)
{
    FFC_StopWhenInterrupted();
    // the database's own reason follows the location, so that a lock or a
    // missing table is named in the one message
    std::string text = "Fatal SQL error identified as " + std::string(location ? location : "") + " encountered.";
    if (const char* reason = SSQL_pszLastError(); reason && *reason)
        text += " " + std::string(reason) + ".";
    if (const std::string advice = adviceFor(); !advice.empty())
        text += " " + advice;
    FFC_Fatal_Error(text.c_str());
}

void FFC_StopWhenInterrupted(void)
{
    if (int signal = DosQueryInterrupt(); signal != 0)
        FFC_Fatal_Error(("The job was interrupted by signal " + std::to_string(signal) + ".").c_str());
}

void DQOO_FCC_FatalError(const char* routine, long code)
{
    objectFatalError("DQOO_FCC routine", routine, code);
}

void OSRV_FatalError(const char* routine, long code)
{
    objectFatalError("object server routine", routine, code);
}

}  // extern "C"
