#include "shell/dipswitch_dialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "art/art.h"
#include "kit/fit_text.h"
#include "kit/local_text.h"
#include "kit/panel_style.h"

namespace dryer::shell {

DefaultsDipswitchDialog::DefaultsDipswitchDialog(link::PanelValues& values, QWidget* over)
    : kit::PanelDialog(over, QStringLiteral("Please turn off DEFAULTS dipswitch! - 33")), values_(values) {
    set_caption(kit::local("Please turn off DEFAULTS dipswitch! - 33"));
    set_client_size(kWidth, kHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    const char* lines[] = {
        l10n::english("Located on the back of the Control Switch Input/Output Board"),
        l10n::english("is a dipswitch labelled \"RESET DEFAULTS\".  This needs to be"),
        l10n::english("switched back to the left (red light should be off)."),
        l10n::english("Below is a picture of the dipswitch."),
    };
    for (const char* line : lines) {
        const QString shown = kit::local(line);
        auto* l = new QLabel(shown, this);
        l->setObjectName(QString::fromUtf8(line));
        // A longer translation shrinks to the dialog's width.
        l->setFont(kit::fit_text(shown, QRect(0, 0, kWidth - 24, 20), kit::panel_font(14), false).font);
        l->setAlignment(Qt::AlignHCenter);
        layout->addWidget(l);
    }
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("254"));
    picture->setPixmap(QPixmap::fromImage(art::builtin_picture(254)));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture, 1);
    auto* exit = new QPushButton(kit::local("EXIT"), this);
    exit->setObjectName(QStringLiteral("EXIT"));
    exit->setFixedSize(120, kit::kTouchButtonHeight);
    layout->addWidget(exit, 0, Qt::AlignHCenter);
    connect(exit, &QPushButton::clicked, this, [this] {
        link::store(values_.dipswitch_latch, 1);
        accept();
    });
}


}  // namespace dryer::shell
