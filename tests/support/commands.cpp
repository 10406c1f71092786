#include "support/commands.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace testsupport {

std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string sqlQuote(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

CommandResult runCommand(const std::string& command, Errors errors)
{
    const char* redirect = errors == Errors::WithOutput ? " 2>&1" : errors == Errors::Dropped ? " 2>/dev/null" : "";
    CommandResult r;
    FILE* p = popen((command + redirect).c_str(), "r");
    if (p == nullptr)
        return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int status = pclose(p);
    r.status = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string runOutput(const std::string& command)
{
    const CommandResult r = runCommand(command, Errors::Kept);
    return r.out + (r.status != 0 ? "(failed)" : "");
}

int commandStatus(const std::string& command)
{
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string toolPath()
{
    return DQOV_TOOL_PATH;
}

CommandResult runTool(const std::string& args, bool withErrors)
{
    return runCommand(toolPath() + " " + args, withErrors ? Errors::WithOutput : Errors::Dropped);
}

}  // namespace testsupport
