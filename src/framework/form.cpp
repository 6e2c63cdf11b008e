#include "framework/form.h"

#include "framework/app.h"

#include <utility>

namespace mezura {

Form::Form(App& app, std::string name)
    : m_app(app)
    , m_name(std::move(name))
{
}

void Form::reportFailure(const ArithmeticError& error)
{
    m_app.host().reportError(*this, faultMessage(error.fault()));
}

} // namespace mezura
