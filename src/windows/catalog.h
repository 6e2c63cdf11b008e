// The window table: every window's frame row, and the factory the registry creates from.
#pragma once

#include "framework/app.h"
#include "framework/frame.h"

#include <memory>
#include <string_view>

namespace mezura {

// The frame row of a conversion window. Throws for a name that is none.
const FrameSpec& frameSpec(std::string_view name);

// Creates the window `name` (its load runs in the constructor).
std::unique_ptr<Form> makeForm(App& app, std::string_view name);

} // namespace mezura
