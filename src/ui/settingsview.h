// The view of the settings window.
#pragma once

#include "ui/view.h"

#include <QWidget>

class QLabel;

namespace mezura {
class SettingsWindow;
}

namespace mezura::ui {

class Binding;

class SettingsView : public QWidget, public View {
    Q_OBJECT

public:
    SettingsView(Binding& binding, SettingsWindow& window);

    QWidget* widget() override { return this; }
    void sync() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Binding& m_binding;
    SettingsWindow& m_window;
    QLabel* m_title;
};

} // namespace mezura::ui
