#include "ui/settingsview.h"

#include "startup/settings.h"
#include "ui/binding.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace mezura::ui {

SettingsView::SettingsView(Binding& binding, SettingsWindow& window)
    : m_binding(binding)
    , m_window(window)
    , m_title(new QLabel(this))
{
    setObjectName(QString::fromStdString(window.name()));
    m_title->setObjectName(QStringLiteral("Label1"));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    resize(360, 200);
}

void SettingsView::sync()
{
    const QString title = QString::fromStdString(m_window.title());
    if (windowTitle() != title) {
        setWindowTitle(title);
        m_title->setText(title);
    }
    if (isVisible() != m_window.visible()) {
        setVisible(m_window.visible());
    }
}

void SettingsView::closeEvent(QCloseEvent* event)
{
    if (m_binding.app().ended()) {
        event->accept();
        return;
    }
    event->ignore();
    m_binding.forward([this] { m_window.setVisible(false); });
}

} // namespace mezura::ui
