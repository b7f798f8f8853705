// The frame every keypad dialog is built on: a PanelDialog with the large
// value display at the top, the dialog's own keys below it and the command
// row DEFAULT, ACCEPT, CANCEL along the bottom. The keys and the display are
// driven by the dialog's keypad model (a state machine without Qt).
#pragma once

#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "kit/local_text.h"
#include "kit/panel_dialog.h"

namespace dryer::kit {

// The captions of the command row, in the operator's language.
struct KeypadCommands {
    QString default_caption = kit::local("DEFAULT");
    QString accept_caption = kit::local("ACCEPT");
    QString cancel_caption = kit::local("CANCEL");
};

class KeypadFrame : public PanelDialog {
    Q_OBJECT
public:
    // `name` is the dialog's objectName; `caption` its title.
    KeypadFrame(QWidget* over, const QString& name, const QString& caption, const KeypadCommands& commands);

    QLabel* display() const { return display_; }
    // Shows the keypad model's display text.
    void show_value(const std::string& text) { display_->setText(QString::fromStdString(text)); }

    // Returns a touch key named `name` showing `caption`.
    static QPushButton* key_button(const QString& caption, const QString& name, QWidget* parent);

protected:
    // Lays out `beside` (may be null) to the right of the display and `keys`
    // between the display and the command row.
    void set_body(QWidget* beside, QLayout* keys);
    virtual void on_default() = 0;
    virtual void on_accept() = 0;

private:
    QLabel* display_;
    QVBoxLayout* column_;
    KeypadCommands commands_;
};

}  // namespace dryer::kit
