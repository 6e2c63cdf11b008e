#include "ui/messages.h"

#include <QMessageBox>
#include <utility>

namespace mezura::ui {

namespace {
MessageSink& sink()
{
    static MessageSink current;
    return current;
}
} // namespace

void setMessageSink(MessageSink newSink)
{
    sink() = std::move(newSink);
}

void showMessage(const Message& message, QWidget* parent)
{
    if (sink()) {
        sink()(message);
        return;
    }
    switch (message.kind) {
    case MessageKind::Information:
        QMessageBox::information(parent, message.title, message.text);
        break;
    case MessageKind::Warning:
        QMessageBox::warning(parent, message.title, message.text);
        break;
    case MessageKind::Critical:
        QMessageBox::critical(parent, message.title, message.text);
        break;
    }
}

} // namespace mezura::ui
