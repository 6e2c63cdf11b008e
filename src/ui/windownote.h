// The window's note on the glass: one line under a conversion window's client area that tells
// what the last Enter did with the typed text (ConversionWindow::windowNote), in the theme's
// tooltip colours, like an information bar. A long note wraps onto more lines; nothing of it
// is cut. While there is no note it is hidden and takes no room.
//
// For assistive technology the line is a text whose name is the sentence; a new note is
// announced (its name changes, and an alert is raised on it).
#pragma once

#include <QLabel>

namespace mezura::ui {

class WindowNote : public QLabel {
    Q_OBJECT

public:
    explicit WindowNote(QWidget* parent);

    // Shows `note`, or hides the line when it is empty. True when the line changed.
    bool setNote(const QString& note);
    // The height the line takes in a window `width` pixels wide: 0 while it is hidden.
    int heightIn(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setMargins();
};

} // namespace mezura::ui
