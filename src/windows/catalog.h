// The program's windows, declared once: the ten conversion windows in menu order with
// everything the frame, the menus, the settings window, the settings file and the driver
// need to know of them, and the settings window.
#pragma once

#include "framework/app.h"
#include "framework/layout.h"

namespace mezura {

const WindowTable& windowTable();

// The controls of the conversion window of `row`, its field rows among them, exactly as the
// window is built from them, without making the window: the terminal converter finds units in
// the rows of every window and makes only the one it converts in.
Layout windowControls(const WindowRow& row);

} // namespace mezura
