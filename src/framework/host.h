// The platform seam: what the windows ask of the world outside the core. The Qt binding
// implements it for the desktop program; the scripted driver and the tests record it.
#pragma once

#include <string>

namespace mezura {
class Form;
}

namespace mezura {

class Host {
public:
    virtual ~Host() = default;

    // The system beep, given by `window`.
    virtual void beep(const Form& window) = 0;
    // Open help at `topic`. The host opens it after the running handler has returned.
    virtual void openHelp(int topic) = 0;
    // Tell the user about a problem met in `window` (an arithmetic failure, a file ...).
    virtual void reportError(const Form& window, const std::string& message) = 0;
    // Show the pop-up menu of `window` at the mouse position.
    virtual void showPopup(const Form& window) = 0;
    // Bring `window` to the front and give it the focus; it is visible already.
    virtual void bringToFront(const Form& window) = 0;
    // End the program: every window closes.
    virtual void quit() = 0;
    // The year of today's date.
    virtual int currentYear() = 0;
};

// The year of the system's local date, for a host that has no calendar of its own.
int systemYear();

// A host that shows nothing and asks nothing: for tools that run the windows without a user
// (the help build's unit tables, the benchmarks). Its date is always in `year`.
class QuietHost : public Host {
public:
    explicit QuietHost(int year)
        : m_year(year)
    {
    }
    void beep(const Form&) override {}
    void openHelp(int) override {}
    void reportError(const Form&, const std::string&) override {}
    void showPopup(const Form&) override {}
    void bringToFront(const Form&) override {}
    void quit() override {}
    int currentYear() override { return m_year; }

private:
    int m_year;
};

} // namespace mezura
