#pragma once
// A running xdotool that takes its commands one line at a time as they come ("xdotool -"), for
// physical input that must follow an event closely: PhysicalInput starts a shell and xdotool per
// call, which under Wine takes about a tenth of a second before the event is sent. Commands go
// into a file that `tail -f` hands on; a command's event is not waited for, so a caller waits for
// it to arrive (a low-level hook, the recorder). The session ends its tail by the process id it
// noted, and xdotool ends with its input.

#include <string>

namespace tressel::testing {

class XdotoolSession {
  public:
    // Starts the session; Running() tells whether it did.
    XdotoolSession();
    XdotoolSession(const XdotoolSession&) = delete;
    XdotoolSession& operator=(const XdotoolSession&) = delete;
    ~XdotoolSession();

    bool Running() const { return !tailPid_.empty(); }
    // Hands `command` ("click 9") to xdotool; false when it could not be written.
    bool Send(const std::string& command) const;

  private:
    std::string base_;  // Unix path without extension: .commands, .pid
    std::string tailPid_;
};

}  // namespace tressel::testing
