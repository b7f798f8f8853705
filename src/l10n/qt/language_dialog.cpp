#include "l10n/qt/language_dialog.h"

#include <QtWidgets/QPushButton>

#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "l10n/language.h"

namespace dryer::l10n::qt {
namespace {

// Grid place of each language: {column, row}; Dutch sits below column 1.
struct Place {
    int column;
    int row;
};
constexpr std::array<Place, kLanguageCount> kPlaces{{
    {0, 0}, {0, 1}, {0, 2}, {0, 3},  // English, Bulgarian, Czech, Danish
    {0, 4},                          // Dutch
    {1, 0}, {1, 1}, {1, 2}, {1, 3},  // French, German, Hungarian, Polish
    {2, 0}, {2, 1}, {2, 2}, {2, 3},  // Portuguese, Romanian, Russian, Spanish
}};

constexpr int kButtonWidth = 180;
constexpr int kButtonHeight = 56;
constexpr int kGap = 12;

}  // namespace

LanguageDialog::LanguageDialog(QWidget* over) : kit::PanelDialog(over, QStringLiteral("Select Language to Use")) {
    setFont(kit::panel_font(16, 700));
    for (int i = 0; i < kLanguageCount; ++i) {
        const auto& lang = kLanguages[static_cast<std::size_t>(i)];
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(lang.caption.data(), static_cast<qsizetype>(lang.caption.size())));
        b->setText(b->objectName());
        b->setCheckable(true);
        const Place pl = kPlaces[static_cast<std::size_t>(i)];
        b->setGeometry(kGap + pl.column * (kButtonWidth + kGap), kGap + pl.row * (kButtonHeight + kGap),
                       kButtonWidth, kButtonHeight);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { choose(i); });
        buttons_[static_cast<std::size_t>(i)] = b;
    }
    place_below_caption(kGap + 3 * (kButtonWidth + kGap), kGap + 5 * (kButtonHeight + kGap));
}

QPushButton* LanguageDialog::button(int index) const {
    if (index < 0 || index >= kLanguageCount) return nullptr;
    return buttons_[static_cast<std::size_t>(index)];
}

void LanguageDialog::refresh() {
    ensure_loaded();
    set_caption(kit::local("Select Language to Use"));
    const int current = current_language();
    for (int i = 0; i < kLanguageCount; ++i) {
        QPushButton* b = buttons_[static_cast<std::size_t>(i)];
        b->setText(QString::fromStdU16String(language_button_caption(i)));
        b->setChecked(i == current);
        // Both lines of the caption fit the face: the font shrinks when needed.
        b->setFont(kit::fit_text(b->text(), b->rect().adjusted(6, 2, -6, -2), font(), true).font);
    }
}

void LanguageDialog::showEvent(QShowEvent* event) {
    refresh();
    kit::PanelDialog::showEvent(event);
}

void LanguageDialog::choose(int index) {
    set_language(index);
    chosen_ = index;
    refresh();
    emit language_chosen(index);
    accept();
}

}  // namespace dryer::l10n::qt
