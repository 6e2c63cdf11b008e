// The start of the program: the settings window is created first and its load finds the
// program directory, points help at the help file beside the program, reads the settings
// file and opens the conversion windows chosen there.
#pragma once

#include "framework/app.h"
#include "startup/files.h"

#include <string>

namespace mezura {

class SettingsWindow;

// The program directory as the settings window keeps it, ending in exactly one "/":
// "/opt/mezura" -> "/opt/mezura/", "/opt/mezura//" -> "/opt/mezura/", "/" -> "/",
// "" -> "./" (the current directory).
std::string programDirectory(std::string dir);

// Runs the whole start-up with `dir` as the directory of the program file (the Qt program
// passes the application's directory). The settings file is read through `files`, which must
// outlive `app`. Returns the settings window, whose helpFile() the help viewer opens.
SettingsWindow& start(App& app, const std::string& dir, FileSystem& files);

// The settings window of `app`, created on first reference.
SettingsWindow& settingsWindow(App& app);

} // namespace mezura
