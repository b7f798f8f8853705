// The panel's message boxes and yes/no(/cancel) questions: QMessageBox with
// the exact titles, texts, buttons and icons the screens give, frameless,
// drawing their title in their own caption bar (no window manager draws it
// on the panel) and with buttons a finger can press.
#pragma once

#include <QMessageBox>

namespace dryer::kit {

class MessageBox : public QMessageBox {
    Q_OBJECT
public:
    MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* over);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* over_;
};

// Shows a box and returns the button pressed.
QMessageBox::StandardButton show_message(QWidget* over, QMessageBox::Icon icon, const QString& title,
                                         const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Asks a question with the buttons given and returns true on "Yes".
bool ask_yes(QWidget* over, QMessageBox::Icon icon, const QString& title, const QString& text,
             QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No);

}  // namespace dryer::kit
