// What every UI test executable shares: offscreen by default, the C locale, a temporary
// working directory, the program's font, and a guard against modal dialogs.
#pragma once

#include "framework/window.h"
#include "ui/application.h"
#include "ui/binding.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <utility>

namespace mezura::ui::test {

// A modal dialog that nobody expects would block the test: the guard closes it and
// remembers its title, so that the test fails instead of hanging.
class ModalGuard {
public:
    ModalGuard()
    {
        m_timer.setInterval(50);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) {
                return;
            }
            m_stray = modal->windowTitle().isEmpty() ? QStringLiteral("(untitled)") : modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->hide();
            }
        });
        m_timer.start();
    }

    // Title of the last stray dialog, and forget it.
    QString take() { return std::exchange(m_stray, QString()); }

private:
    QTimer m_timer;
    QString m_stray;
};

// The offscreen platform warns of every window operation it leaves out (raise, size hints);
// this drops those warnings and passes the rest on to the test log. Call it in initTestCase,
// after the test log has taken the messages over.
inline QtMessageHandler& testLogHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void quietPlatform()
{
    testLogHandler() =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")) && testLogHandler() != nullptr) {
                testLogHandler()(type, context, text);
            }
        });
}

template <typename Suite> int run(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale::c());
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());
    setUpApplication();
    Suite suite;
    return QTest::qExec(&suite, argc, argv);
}

// Types `text` into the first field of `window` that takes typing, then Enter: the longer
// numbers it writes do not all fit their fields.
inline void enterInFirstField(Binding& binding, ConversionWindow& window, const std::string& text)
{
    binding.forward([&window, &text] {
        const auto& fields = window.layout().fields;
        const auto typing = std::find_if(fields.begin(), fields.end(), [](const FieldSpec& row) { return row.typing; });
        const int index = static_cast<int>(typing - fields.begin());
        window.typeText(index, text);
        window.keyPress(index, 13);
    });
}

// Gives every menu of `window` its items, as opening the menu does the first time.
inline void makeMenuItems(QWidget* window)
{
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        Q_EMIT menu->aboutToShow();
    }
}

} // namespace mezura::ui::test

#define MEZURA_UI_TEST_MAIN(Suite)                                                                                     \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        return mezura::ui::test::run<Suite>(argc, argv);                                                               \
    }

// Finds a control by its system name, failing the test when there is none.
#define FIND(var, Type, parent, name)                                                                                  \
    Type* var = (parent)->findChild<Type*>(QStringLiteral(name));                                                      \
    QVERIFY2(var != nullptr, "missing control " name)
