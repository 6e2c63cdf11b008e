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

// The folder the program was built to be installed under ("/usr", "/usr/local").
const std::string& installPrefix();

// True when the absolute `progpath` lies in the absolute folder `prefix` or below it, by the
// names alone: ("/usr/lib/mezura/", "/usr") and ("/usr/", "/usr/") are, ("/usr2/", "/usr")
// and ("build/", "/usr") are not.
bool insideFolder(const std::string& progpath, const std::string& prefix);

// Where the settings of a program in `progpath` are kept. An installed program, whose
// directory lies under the install prefix, never writes there, whoever runs it (root too): the
// user's own file is kept in "mezura/" under the user's configuration directory, and a
// settings file beside the program serves as the default until the user saves. A copy
// anywhere else keeps them beside itself when the user may write there (a portable copy, the
// build folder), else as an installed one. When the system names no configuration directory,
// an installed program reads the file beside it and has nowhere to save (the directory is
// empty); a copy elsewhere keeps them beside itself, and saving there reports the failure.
SettingsPlace settingsPlace(const std::string& progpath, FileSystem& files,
                            const std::string& prefix = installPrefix());

// Runs the whole start-up with `dir` as the directory of the program file (the Qt program
// passes the application's directory) and the program installed under `prefix`. The
// settings file is read through `files`, which must outlive `app`. Returns the settings
// window, whose helpFile() the help viewer opens.
SettingsWindow& start(App& app, const std::string& dir, FileSystem& files, const std::string& prefix = installPrefix());

// The settings window of `app`, created on first reference.
SettingsWindow& settingsWindow(App& app);

} // namespace mezura
