#include "kit/keypad_frame.h"

#include <QHBoxLayout>

#include "kit/panel_style.h"

namespace dryer::kit {

KeypadFrame::KeypadFrame(QWidget* over, const QString& name, const QString& caption, const KeypadCommands& commands)
    : PanelDialog(over, caption), display_(new QLabel(this)), column_(new QVBoxLayout(this)), commands_(commands) {
    setObjectName(name);
    display_->setObjectName(QStringLiteral("DISPLAY"));
    display_->setFont(panel_font(60, 700));
    QPalette pal = display_->palette();
    pal.setColor(QPalette::WindowText, QColor(50, 0, 250));
    display_->setPalette(pal);
    display_->setAlignment(Qt::AlignCenter);
}

QPushButton* KeypadFrame::key_button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(60, 44);
    b->setFont(panel_font(16, 700));
    return b;
}

void KeypadFrame::set_body(QWidget* beside, QLayout* keys) {
    auto* top = new QHBoxLayout;
    top->addWidget(display_);
    if (beside) top->addWidget(beside);
    column_->addLayout(top);
    column_->addLayout(keys);
    auto* row = new QHBoxLayout;
    auto* def = key_button(commands_.default_caption, QStringLiteral("DEFAULT"), this);
    auto* acc = key_button(commands_.accept_caption, QStringLiteral("ACCEPT"), this);
    auto* can = key_button(commands_.cancel_caption, QStringLiteral("CANCEL"), this);
    connect(def, &QPushButton::clicked, this, [this] { on_default(); });
    connect(acc, &QPushButton::clicked, this, [this] { on_accept(); });
    connect(can, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(def);
    row->addWidget(acc);
    row->addWidget(can);
    column_->addLayout(row);
}

}  // namespace dryer::kit
