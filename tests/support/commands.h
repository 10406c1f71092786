// Running commands and the dqov tool from tests, with what they print.
#ifndef DQOV_TESTS_SUPPORT_COMMANDS_H
#define DQOV_TESTS_SUPPORT_COMMANDS_H

#include <string>

namespace testsupport {

// TEXT in single quotes for the shell.
std::string shellQuote(const std::string& text);
// TEXT as an SQL string literal: in single quotes, each quote doubled.
std::string sqlQuote(const std::string& text);

// What a command printed and its exit status (-1 when it did not run or
// did not exit).
struct CommandResult {
    int status = -1;
    std::string out;
};

// Where a command's standard error goes.
enum class Errors { Dropped, WithOutput, Kept };

// Runs a shell command and reads its standard output; its standard error
// goes with the output, nowhere, or stays the test's own.
CommandResult runCommand(const std::string& command, Errors errors = Errors::Dropped);

// What a shell command printed on its standard output (its standard error
// stays the test's own unless the command sends it along), with "(failed)"
// after it when the command did not end with status 0.
std::string runOutput(const std::string& command);

// Runs a shell command (its output redirected by the command itself as it
// likes): its exit status, -1 when it did not exit.
int commandStatus(const std::string& command);

// The dqov tool of the build.
std::string toolPath();

// Runs the dqov tool with ARGS (shell words); its standard error goes with
// what it printed when asked, else nowhere.
CommandResult runTool(const std::string& args, bool withErrors = false);

}  // namespace testsupport

#endif
