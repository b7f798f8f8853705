#include "shell/dipswitch_dialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "art/art.h"
#include "views/scene/scene_painter.h"
#include "shell/rules.h"

namespace dryer::shell {

DefaultsDipswitchDialog::DefaultsDipswitchDialog(link::PanelValues& values, QWidget* over)
    : QDialog(over ? over->window() : nullptr), values_(values), over_(over) {
    setObjectName(QStringLiteral("Please turn off DEFAULTS dipswitch! - 33"));
    setWindowTitle(QStringLiteral("Please turn off DEFAULTS dipswitch! - 33"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    const char* lines[] = {
        "Located on the back of the Control Switch Input/Output Board",
        "is a dipswitch labelled \"RESET DEFAULTS\".  This needs to be",
        "switched back to the left (red light should be off).",
        "Below is a picture of the dipswitch.",
    };
    for (const char* line : lines) {
        auto* l = new QLabel(QString::fromUtf8(line), this);
        l->setObjectName(QString::fromUtf8(line));
        l->setFont(views::panel_font(14));
        l->setAlignment(Qt::AlignHCenter);
        layout->addWidget(l);
    }
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("254"));
    picture->setPixmap(QPixmap::fromImage(art::builtin_picture(254)));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture, 1);
    auto* exit = new QPushButton(QStringLiteral("EXIT"), this);
    exit->setObjectName(QStringLiteral("EXIT"));
    exit->setFixedSize(120, 36);
    layout->addWidget(exit, 0, Qt::AlignHCenter);
    connect(exit, &QPushButton::clicked, this, [this] {
        link::store(values_.dipswitch_latch, 1);
        accept();
    });
}

void DefaultsDipswitchDialog::showEvent(QShowEvent* event) {
    if (over_) {
        const QPoint at = over_->mapToGlobal(QPoint(0, 0));
        const Point o = centred_origin(at.x(), at.y(), over_->width(), over_->height(), width(), height());
        move(o.x, o.y);
    }
    QDialog::showEvent(event);
}

}  // namespace dryer::shell
