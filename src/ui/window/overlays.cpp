#include "ui/window/overlays.h"

#include "params/value_scales.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/look.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt {
UnlockPanel BuildUnlockPanel(QWidget* parent, ControlRegistry& registry) {
    UnlockPanel u;
    // The unlock prompt reads the same in both languages, like its "确定" button.
    u.firstCheckGrop = Registered(new QGroupBox(QStringLiteral("输入解锁密码："), parent),
                                  QStringLiteral("FirstCheckGrop"), registry);
    u.firstCheckGrop->setFont(look::Font(look::kLargeText, true));
    u.firstCheckGrop->setAutoFillBackground(true);
    u.firstCheckGrop->resize(300, 96);

    u.panelPassWordEdit =
        Registered(new PlainEdit(u.firstCheckGrop), QStringLiteral("PanelPassWordEdit"), registry);
    u.panelPassWordEdit->setEchoMode(QLineEdit::Password);
    u.panelPassWordEdit->setMaxLength(6);
    u.panelPassWordEdit->setGeometry(24, 42, 160, 26);

    u.rzBmpButton4 = Registered(new BitmapButton(QStringLiteral("确定"), u.firstCheckGrop),
                                QStringLiteral("RzBmpButton4"), registry);
    u.rzBmpButton4->setGeometry(200, 42, 76, 26);
    u.firstCheckGrop->hide();
    return u;
}

EqPointEditor::EqPointEditor(QWidget* parent, ControlRegistry& registry)
    : panel_(Registered(new QWidget(parent), QStringLiteral("EQCotrolGrop"), registry)) {
    panel_->resize(420, 100);
    frequency_ = MakeRow(0, "ComEQFreBar", "ComEQFreEdit", "ComEQFreUpDownBtn", 361, kKindFrequency,
                         "频率", registry);
    gain_ = MakeRow(1, "ComEQGainBar", "ComEQGainEdit", "ComEQGainUpDownBtn", 180, kKindGain,
                    "增益", registry);
    q_ = MakeRow(2, "ComEQQvalueBar", "ComEQQvalueEdit", "ComEQQvalueUpDownBtn", 100, kKindQ, "Q值",
                 registry);
    // Until a point is dragged, the editor stands for the first music band, whose frequency
    // edit is the current value edit at start.
    FollowBand(0x000B);
}

EqPointEditor::Row EqPointEditor::MakeRow(int index, const char* bar, const char* edit,
                                          const char* spin, int maximum, int kind,
                                          const char* caption, ControlRegistry& registry) {
    const int y = 6 + index * 30;
    // The editor's labels carry no English text.
    auto* label = new SwappingLabel(QString::fromUtf8(caption), QString(), panel_);
    label->setObjectName(QString::fromLatin1(edit).replace("Edit", "Label"));
    registry.Add(label);
    label->setGeometry(6, y, 40, 24);

    Row row;
    row.bar = Registered(new TrackBar(Qt::Horizontal, panel_), QString::fromLatin1(bar), registry);
    row.bar->setRange(0, maximum);
    row.bar->setGeometry(50, y, 220, 24);
    row.edit = Registered(new ValueEdit(panel_), QString::fromLatin1(edit), registry);
    row.edit->setHint(QString::number(kind));
    row.edit->setGeometry(278, y, 80, 24);
    row.spin = Registered(new SpinButtons(panel_), QString::fromLatin1(spin), registry);
    row.spin->setGeometry(360, y, 16, 24);
    return row;
}

void EqPointEditor::FollowBand(ParamAddress frequencySlot) {
    frequencySlot_ = frequencySlot;
    const ParamAddress addresses[] = {frequencySlot, frequencySlot + 1, frequencySlot + 2};
    const Row* rows[] = {&frequency_, &gain_, &q_};
    for (int i = 0; i < 3; ++i) {
        rows[i]->bar->setTag(addresses[i]);
        rows[i]->edit->setTag(addresses[i]);
        rows[i]->spin->setTag(addresses[i]);
    }
}

}  // namespace zt
