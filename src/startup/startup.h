// The start of the program: the settings window is created first and its load finds the
// program directory, points help at the help file beside the program, reads the settings
// file and opens the conversion windows chosen there.
#pragma once

#include "framework/app.h"
#include "startup/files.h"

#include <string>

namespace mezura {

class SettingsWindow;
struct SettingsPlace;

// The program directory as the settings window keeps it, ending in exactly one "/":
// "/opt/mezura" -> "/opt/mezura/", "/opt/mezura//" -> "/opt/mezura/", "/" -> "/",
// "" -> "./" (the current directory).
std::string programDirectory(std::string dir);

// Where the settings of a program in `progpath` are kept. A program directory the user may
// write into (a portable copy, the build folder) holds them. An installed program's
// directory does not: the user's own file is then kept in "mezura/" under the user's
// configuration directory, and a settings file beside the program serves as the default
// until the user saves. When the system names no such directory, the program directory
// holds them after all, and saving there reports the failure.
SettingsPlace settingsPlace(const std::string& progpath, FileSystem& files);

// Runs the whole start-up with `dir` as the directory of the program file (the Qt program
// passes the application's directory). The settings file is read through `files`, which must
// outlive `app`. Returns the settings window, whose helpFile() the help viewer opens.
SettingsWindow& start(App& app, const std::string& dir, FileSystem& files);

// The settings window of `app`, created on first reference.
SettingsWindow& settingsWindow(App& app);

} // namespace mezura
