// mezura-floor: the floor that the program's start is measured against. A plain Qt Widgets
// program of the program's shape, built by the same build: eleven top-level windows with
// menu bars, about 500 widgets in all (captions, line edits, buttons, a scroll bar each),
// all built at start, two of them shown. It does nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <memory>
#include <vector>

namespace {

constexpr int kWindows = 11;
constexpr int kFieldsPerWindow = 22;
constexpr int kButtonsPerWindow = 4;

std::unique_ptr<QMainWindow> makeWindow(int number)
{
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("floor %1").arg(number));
    for (const char* menu : {"units", "view", "help", "end"}) {
        window->menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("item"));
    }
    auto* client = new QWidget;
    window->setCentralWidget(client);
    for (int i = 0; i < kFieldsPerWindow; ++i) {
        const int x = 5 + (i / 8) * 75;
        const int y = 5 + (i % 8) * 36;
        auto* caption = new QLabel(QStringLiteral("unit %1").arg(i), client);
        caption->setGeometry(x, y, 65, 13);
        auto* field = new QLineEdit(client);
        field->setGeometry(x, y + 13, 65, 19);
    }
    for (int i = 0; i < kButtonsPerWindow; ++i) {
        auto* button = new QPushButton(QStringLiteral("range %1").arg(i), client);
        button->setGeometry(5 + i * 60, 330, 55, 17);
    }
    auto* bar = new QScrollBar(Qt::Horizontal, client);
    bar->setGeometry(5, 300, 220, 17);
    window->resize(300, 380);
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    std::vector<std::unique_ptr<QMainWindow>> windows;
    for (int i = 0; i < kWindows; ++i) {
        windows.push_back(makeWindow(i));
    }
    windows[7]->show();
    windows[9]->show();
    return QApplication::exec();
}
