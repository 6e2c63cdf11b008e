// The driver's commands: each script line runs one of them on the program's windows.
#pragma once

#include "script/runner.h"

#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>

namespace mezura {

// A line that names no command, or a command that cannot run as written.
struct BadCommand : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Commands {
public:
    // Events and dumps go to `out`.
    Commands(std::ostream& out, const ScriptOptions& options);
    ~Commands();
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    // The program has ended: no command runs any more.
    bool ended() const;
    // Runs one line: a command word and its arguments, separated by blanks. Throws
    // BadCommand for a line that cannot be understood.
    void execute(const std::string& line);

private:
    class Session;
    std::unique_ptr<Session> m_session;
};

} // namespace mezura
