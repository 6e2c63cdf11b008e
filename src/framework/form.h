// Form: one of the program's eleven windows, a single instance addressed by its module name.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace mezura {

class App;

class Form {
public:
    Form(App& app, std::string name);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return m_name; }
    virtual std::string title() const = 0;

    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // What the user does to a window of either kind. Each runs to completion.
    virtual void f1() = 0;           // the F1 key
    virtual void closeRequest() = 0; // the close box
    // A key that produces the character `keyCode`, sent to the window itself.
    virtual void key(int keyCode) = 0;
    // A mouse click on the control named `control`; false when the window has none.
    virtual bool click(std::string_view control) = 0;

    // key=value lines of the window's state, as the scripted driver prints them.
    virtual void dump(std::ostream& out) const = 0;

    App& app() const { return m_app; }

protected:
    // Runs a user event to completion; an arithmetic failure inside it is reported.
    template <typename F> void guarded(F&& event);
    void reportFailure(const class ArithmeticError& error);

private:
    App& m_app;
    std::string m_name;
    bool m_visible = false;
};

} // namespace mezura

#include "framework/arith.h"

namespace mezura {

template <typename F> void Form::guarded(F&& event)
{
    try {
        event();
    } catch (const ArithmeticError& error) {
        reportFailure(error);
    }
}

} // namespace mezura
