// The "Select Language to Use" dialog: thirteen push-like check buttons,
// columns ENGLISH BULGARIAN CZECH DANISH / FRENCH GERMAN HUNGARIAN POLISH /
// PORTUGUESE ROMANIAN RUSSIAN SPANISH and DUTCH below the first column. Each
// caption is the language's name in the current language over its English
// name in parentheses; the current language's button shows pressed. Pressing
// a button sets that language (tables reloaded, configuration written) and
// closes the dialog. There is no cancel.
//
// Usage (the extended setup screen):
//   dryer::l10n::qt::LanguageDialog dlg(this);
//   dlg.exec();                       // returns QDialog::Accepted
//   int chosen = dlg.chosen();        // index 0 to 12
//   // then reload every button picture and redraw every child window
//
// Buttons carry their English caption ("ENGLISH", "DUTCH") as objectName.
// The dialog is the kit's dialog frame: it draws its own caption bar and
// centres itself over the window it is opened for.
#pragma once

#include "kit/panel_dialog.h"

#include <array>

class QPushButton;

namespace dryer::l10n::qt {

class LanguageDialog : public kit::PanelDialog {
    Q_OBJECT
public:
    // `over` is the window the dialog opens over.
    explicit LanguageDialog(QWidget* over = nullptr);

    // chosen() returns the index of the pressed language, or -1 while
    // none has been pressed.
    int chosen() const { return chosen_; }

    // button() returns the button of language index (0 to 12).
    QPushButton* button(int index) const;

    // refresh() sets every caption from the current language and mark
    // exactly the current language's button pressed.
    void refresh();

signals:
    // Emitted after the language has been set, before the dialog closes.
    void language_chosen(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void choose(int index);
    std::array<QPushButton*, 13> buttons_{};
    int chosen_ = -1;
};

}  // namespace dryer::l10n::qt
