// dqov: runs one check (and generate) job on one object of a repository, in
// tools mode, as the environment's command-line tools do.
//
// Exit status: 0 the job ran clean, 1 it found errors in the object, 2 it
// could not run (bad arguments, no usable repository, a lock held too long,
// a fatal end, an interruption); a job that could not run leaves the
// repository and the generated files as they were.
#include <malloc.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/painter_script.h"

namespace {

constexpr int kClean = 0;
constexpr int kErrors = 1;
constexpr int kCouldNotRun = 2;

void usage(FILE* to)
{
    std::fputs("usage: dqov [options] PROCESS FUNCTION\n"
               "       dqov [options] --component COMPONENT\n"
               "options:\n"
               "  -g, --generate          check and generate (option G); default: check only\n"
               "  -s, --csharp            with --generate: the C# source set as well as the C set\n"
               "      --zoph2             the program holds its lists in the two-level list tables (ZOPH2):\n"
               "                          lists with LONG_LIST take the long layout, the others the short one\n"
               "  -r, --root DIR          environment root (default: the built sample's root)\n"
               "  -d, --repository FILE   repository file (default: the built sample's repository)\n"
               "  -p, --partition ID      partition (default DEM)\n"
               "  -l, --language LANG     language (default ENG)\n"
               "  -w, --web MODE          stylesheets of the web routines of WAMs: all, new (default) or none\n"
               "  -t, --trace LEVEL       write the web generation trace (root\\X_VELMO\\d_trace.nnn) at LEVEL 0-3\n"
               "      --html              with --generate: the HTML pages of a web-enabled function\n"
               "      --xml               with --generate: its XML pages\n"
               "      --design-screens SCRIPT  after the job, design its screens with a painter script\n"
               "      --design-reports SCRIPT  after the job, design its reports with a painter script\n"
               "      --system-flag N     set system flag N (1-999) of the system definition, e.g. 28 mirrored,\n"
               "                          33 single-page and 45 frameless layouts (repeatable)\n"
               "      --double-byte CP    texts are double-byte in code page CP (932, 936, 949 or 950)\n"
               "      --extra-key NN=TEXT designed screens show key NN (01-24) with TEXT in their legend\n"
               "environment:\n"
               "  DQOV_LOCK_TIMEOUT       seconds to wait for the repository's write lock (default 60)\n"
               "exit status: 0 ran clean, 1 found errors, 2 could not run\n",
               to);
}

// An interruption is noted for the job, which ends through its fatal path
// at its next step and undoes what it did; a second one ends the process.
void noteInterrupt(int signal)
{
    DosNoteInterrupt(signal);
}

void catchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    // A write past the file-size limit fails with EFBIG, which ends the job
    // through its fatal path like any failed write, rather than ending the
    // process in the middle of its work.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
}

// The built sample environment lies beside the tool: <build>/sample.
std::string sampleDir()
{
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof exe)
        return "sample";
    const std::string_view path(exe, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? "sample" : std::string(path.substr(0, slash)) + "/sample";
}

void toolsLine(int colour, const std::string& text)
{
    P31O2_SetBaseColour(static_cast<uint16_t>(colour));
    FFC_TOOLS_Message(text.c_str(), -1);
}

// The closing line of a job states the job's real result: the exit status
// the tool ends with (0 clean, 1 errors found, 2 could not run), then the
// counts, then why a job could not run.
void closingLine(int status, int32_t errors, int32_t warnings, const std::string& why)
{
    std::string text = "Job ended with result " + std::to_string(status) + ": " + std::to_string(errors) +
                       " error(s), " + std::to_string(warnings) + " warning(s).";
    if (!why.empty())
        text += " " + why;
    toolsLine(status == kClean ? 5 : 1, text);
}

// A fatal end leaves the process through DosExit, after the job was undone:
// its closing line is shown on the way out.
void closingLineOfAFatalEnd(unsigned long, unsigned long)
{
    toolsLine(1, "Job ended with result 2: the job could not run; nothing of it was kept.");
}

// A job's heap grows a page at a time, and each page's first touch costs a
// fault: to about a megabyte for a function of 500 commands, two for 1,000,
// three quarters of one for the smallest. Its first megabyte is made at once
// here: its pages are faulted in by one call, at about half the cost, and
// freed for the job's blocks to take. Memory the job frees is kept, not
// handed back to the system and faulted in again; a job is one process.
void prepareJobHeap()
{
#if !defined(__SANITIZE_ADDRESS__) && defined(MADV_POPULATE_WRITE)
    constexpr size_t kBlock = 64 * 1024 - 64;  // below the size malloc maps on its own
    constexpr size_t kBlocks = 16;
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    void* blocks[kBlocks];
    uintptr_t first = UINTPTR_MAX, last = 0;
    for (void*& b : blocks) {
        b = std::malloc(kBlock);
        if (b != nullptr) {
            first = std::min(first, reinterpret_cast<uintptr_t>(b));
            last = std::max(last, reinterpret_cast<uintptr_t>(b) + kBlock);
        }
    }
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    first = (first + page - 1) & ~(page - 1);
    last &= ~(page - 1);
    // an older system refuses the advice: the pages are then faulted in as used
    if (first < last && last - first <= 2 * kBlocks * kBlock)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
    for (size_t i = kBlocks; i-- > 0;)
        std::free(blocks[i]);
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    bool generate = false, csharp = false, zoph2 = false;
    std::string component, root, repository, partition = "DEM", language = "ENG", web = "new", trace, script;
    uint32_t pageBits = 0;
    char design = ' ';
    std::vector<int> systemFlags;
    unsigned long doubleByte = 0;
    std::string extraKey;
    std::string names[2];
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        bool ok = true;
        if (a == "-h" || a == "--help") {
            usage(stdout);
            return kClean;
        } else if (a == "-g" || a == "--generate") {
            generate = true;
        } else if (a == "-s" || a == "--csharp") {
            csharp = true;
        } else if (a == "--zoph2") {
            zoph2 = true;
        } else if (a == "-c" || a == "--check") {
            generate = false;
        } else if (a == "--html") {
            pageBits |= 1u << 13;
        } else if (a == "--xml") {
            pageBits |= 1u << 14;
        } else if (a == "--component") {
            ok = value(component);
        } else if (a == "-r" || a == "--root") {
            ok = value(root);
        } else if (a == "-d" || a == "--repository") {
            ok = value(repository);
        } else if (a == "-p" || a == "--partition") {
            ok = value(partition);
        } else if (a == "-l" || a == "--language") {
            ok = value(language);
        } else if (a == "-w" || a == "--web") {
            ok = value(web) && (web == "all" || web == "new" || web == "none");
        } else if (a == "-t" || a == "--trace") {
            ok = value(trace) && trace.size() == 1 && trace[0] >= '0' && trace[0] <= '3';
        } else if (a == "--system-flag") {
            std::string flag;
            ok = value(flag) && !flag.empty() && flag.size() <= 3 &&
                 flag.find_first_not_of("0123456789") == std::string::npos && std::stoi(flag) >= 1 &&
                 std::stoi(flag) <= FFC_SYSTEM_FLAG_COUNT;
            if (ok)
                systemFlags.push_back(std::stoi(flag));
        } else if (a == "--double-byte") {
            std::string page;
            ok = value(page) && (page == "932" || page == "936" || page == "949" || page == "950");
            if (ok)
                doubleByte = std::stoul(page);
        } else if (a == "--extra-key") {
            ok = value(extraKey) && extraKey.size() >= 4 && extraKey.size() <= 13 && extraKey[2] == '=' &&
                 extraKey.substr(0, 2) >= "01" && extraKey.substr(0, 2) <= "24" &&
                 extraKey.find_first_not_of("0123456789") == 2;
        } else if (a == "--design-screens" || a == "--design-reports") {
            design = a == "--design-screens" ? 'S' : 'R';
            ok = value(script);
        } else if (!a.empty() && a[0] == '-') {
            ok = false;
        } else if (positional < 2) {
            names[positional++] = a;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "dqov: unusable argument %s\n", a.c_str());
            usage(stderr);
            return kCouldNotRun;
        }
    }
    if ((component.empty() && positional != 2) || (!component.empty() && positional != 0)) {
        usage(stderr);
        return kCouldNotRun;
    }
    if (csharp && !generate) {
        std::fprintf(stderr, "dqov: --csharp asks for generated C#; it needs --generate\n");
        return kCouldNotRun;
    }
    if (partition.size() != 3 || language.empty() || language.size() > 4) {
        std::fprintf(stderr, "dqov: the partition takes 3 characters and the language 1 to 4\n");
        return kCouldNotRun;
    }

    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    catchInterrupts();
    prepareJobHeap();
    std::string sample = sampleDir();
    if (root.empty())
        root = std::getenv("DQOV_ENV_ROOT") ? std::getenv("DQOV_ENV_ROOT") : sample + "/root";
    if (repository.empty())
        repository = std::getenv("DQOV_REPOSITORY") ? std::getenv("DQOV_REPOSITORY") : sample + "/repository.db";
    if (DosSetEnvironmentRoot(root.c_str()) != 0) {
        toolsLine(1, "The environment root " + root + " does not exist.");
        closingLine(kCouldNotRun, 0, 0, "The job could not run: it has no environment root.");
        return kCouldNotRun;
    }
    if (SSQL_sConnect(repository.c_str()) != SSQL_RC_OK) {
        // a lock held too long names the repository and the time waited
        toolsLine(1, SSQL_fLockNotGranted() ? std::string(SSQL_pszLastError()) + "."
                                            : "The repository " + repository + " cannot be opened: " + SSQL_pszLastError());
        closingLine(kCouldNotRun, 0, 0, "The job could not run: its repository could not be opened.");
        return kCouldNotRun;
    }

    FFC_SYSTEM_DEFINITION sys;
    FFC_InitToolsSystemDefinition(&sys, partition.c_str(), language.c_str());
    // The job's language is the one the web generation writes for.
    FFC_LANGUAGE_ENTRY generationLanguage{};
    std::snprintf(generationLanguage.szLanguage, sizeof generationLanguage.szLanguage, "%s", language.c_str());
    generationLanguage.ulFlags = 1;
    sys.usLanguageCount = 1;
    sys.pLanguages = &generationLanguage;
    if (!trace.empty()) {
        sys.QV_ITRO = 1;
        sys.QV_ITRL = trace[0] - '0';
    }
    for (int flag : systemFlags)
        sys.acSystemFlags[flag - 1] = 'Y';
    if (doubleByte != 0) {
        // the services library counts and shifts text in the job's code page
        SSNLS_SetCodePage(doubleByte);
        sys.lDoubleByte = 1;
    }

    int32_t errors = 0, warnings = 0;
    FFC_RUN_REQUEST rq{};
    rq.pSystemDefinition = &sys;
    rq.pszProcess = component.empty() ? names[0].c_str() : component.c_str();
    rq.pszFunction = component.empty() ? names[1].c_str() : "*COMP";
    rq.cOption = generate ? 'G' : 'C';
    rq.cCSharp = csharp ? 'Y' : 'N';
    rq.cZoph2 = zoph2 ? 'Y' : 'N';
    rq.options.ulWebMode = web == "all" ? 3 : web == "new" ? 1 : 0;
    rq.options.ulOptionBits = pageBits;
    rq.sRunMode = FFC_RUN_MODE_TOOLS;
    rq.plErrors = &errors;
    rq.plWarnings = &warnings;
    painter::DesignSession session;
    if (design != ' ') {
        std::string error;
        if (!session.load(script, design, error)) {
            toolsLine(1, error);
            return kCouldNotRun;
        }
        session.prepare(sys, rq, toolsLine);
    }
    if (!extraKey.empty()) {
        sys.cExtraKey = 'Y';
        std::memcpy(sys.acExtraKeyNumber, extraKey.data(), 2);
        std::memset(sys.acExtraKeyText, ' ', sizeof sys.acExtraKeyText);
        std::memcpy(sys.acExtraKeyText, extraKey.data() + 3, extraKey.size() - 3);
    }
    DosSetExitHook(closingLineOfAFatalEnd);
    int32_t result = dc_p31o2(&rq);
    if (design != ' ')
        session.finish();
    SSQL_Disconnect();
    DosSetExitHook(nullptr);

    int status = errors == 0 ? kClean : kErrors;
    std::string why;
    if (result != 0) {
        status = kCouldNotRun;
        why = "The job could not run (run driver result " + std::to_string(result) + ").";
    } else if (session.failed()) {
        status = kCouldNotRun;
        why = "The design session ended early; nothing of it was kept.";
    }
    closingLine(status, errors, warnings, why);
    return status;
}
