// Shows the help file "Mezura.chm" of the program directory at a numeric topic.
#pragma once

#include <QString>

namespace mezura::ui {

class HelpViewer {
public:
    // The help file beside the program.
    static QString helpFile();

    void open(int topic);
};

} // namespace mezura::ui
