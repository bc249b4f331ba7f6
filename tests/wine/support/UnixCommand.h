#pragma once
// Running a Unix shell command from a Wine test (screenshots, file conversions): the command is
// written to a script file that /bin/sh runs; the script leaves its exit status in a marker file
// that the call polls for, because the handle Wine returns for a Unix process cannot be waited on.

#include <chrono>
#include <string>

namespace tressel::testing {

// Runs `command` with /bin/sh and waits until it ends; true when it exited with 0. The command
// sees the test's environment (DISPLAY among it).
bool RunUnixCommand(const std::string& command,
                    std::chrono::milliseconds timeout = std::chrono::seconds(60));

// Single-quotes `text` for the shell.
std::string ShellQuote(const std::string& text);

// The build's folder for test artifacts (screenshots), a Unix path; created when missing.
std::string ArtifactsDir();

}  // namespace tressel::testing
