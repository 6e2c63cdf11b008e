// Every message box of the program goes through one function, so that the tests can record
// messages instead of blocking on a modal dialog.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace mezura::ui {

enum class MessageKind { Information, Warning, Critical };

struct Message {
    MessageKind kind;
    QString title;
    QString text;
};

using MessageSink = std::function<void(const Message&)>;

// Replaces where messages go; an empty sink restores the modal message box.
void setMessageSink(MessageSink sink);

// Shows `message` over `parent` (may be null) and returns when the user has closed it.
void showMessage(const Message& message, QWidget* parent = nullptr);

} // namespace mezura::ui
