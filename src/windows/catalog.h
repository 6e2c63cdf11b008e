// The program's windows, declared once: the ten conversion windows in menu order with
// everything the frame, the menus, the settings window, the settings file and the driver
// need to know of them, and the settings window.
#pragma once

#include "framework/app.h"
#include "framework/layout.h"

namespace mezura {

const WindowTable& windowTable();

} // namespace mezura
