#pragma once
// A small window for the editing tests: real control classes named, tagged and bound as on the
// main window (the music, microphone, echo, output, hint and dynamic EQ controls the tests touch,
// the graph panel's buttons, the volume groups, the system switches and mode controls).

#include <QApplication>
#include <QLabel>
#include <QDeadlineTimer>
#include <QScrollBar>
#include <QStackedWidget>
#include <QWidget>
#include <map>
#include <memory>

#include "params/page_table.h"
#include "ui/control_registry.h"
#include "ui/editing/editor.h"
#include "ui/window/channel_state.h"
#include "ui/widgets/band_number_label.h"
#include "ui/widgets/band_scroll_box.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"
#include "ui/widgets/type_label.h"

namespace zt::test {

// The binding table of the small window, tagged in the visiting order of BindControls: pages
// 0..30, slots 0..PageSlotCount - 1, so a control bound to several slots keeps the last.
class RigBinding : public BindingLookup {
public:
    void Bind(ParamAddress a, QWidget* control) { controls_[a] = control; }
    void Pane(ParamAddress a, QWidget* pane) { panes_[a] = pane; }
    void Companion(ParamAddress a, int entry, QWidget* control) { companions_[{a, entry}] = control; }
    void TagAll();

    QWidget* BoundControl(ParamAddress a) const override { return Get(controls_, a); }
    QWidget* BoundPane(ParamAddress a) const override { return Get(panes_, a); }
    QWidget* BoundCompanion(ParamAddress a, int entry) const override {
        auto it = companions_.find({a, entry});
        return it == companions_.end() ? nullptr : it->second;
    }

private:
    static QWidget* Get(const std::map<ParamAddress, QWidget*>& map, ParamAddress a) {
        auto it = map.find(a);
        return it == map.end() ? nullptr : it->second;
    }
    std::map<ParamAddress, QWidget*> controls_;
    std::map<ParamAddress, QWidget*> panes_;
    std::map<std::pair<ParamAddress, int>, QWidget*> companions_;
};

inline void RigBinding::TagAll() {
    for (int page = 0; page < kPageCount; ++page) {
        for (int slot = 0; slot < PageSlotCount(page); ++slot) {
            const ParamAddress a = MakeAddress(page, slot);
            if (ControlProps* props = PropsOf(BoundControl(a))) props->setTag(a);
            if (ControlProps* props = PropsOf(BoundPane(a))) props->setTag(a);
            QWidget* first = BoundCompanion(a, 0);
            if (qobject_cast<TypeLabel*>(first)) {
                for (int entry = 0; entry < 4; ++entry) {
                    if (auto* label = qobject_cast<TypeLabel*>(BoundCompanion(a, entry))) {
                        label->setTag(a);
                        label->setHint(QString::number(entry));
                    }
                }
            } else if (qobject_cast<TrackBar*>(first) || qobject_cast<SpinButtons*>(first)) {
                PropsOf(first)->setTag(a);
            }
        }
    }
}

namespace rig {

inline const QStringList kEqTypes = {"BYPSS", "PEQ", "LSEQ", "HSEQ"};
inline const QStringList kCrossoverTypes = {
    "Bypass",          "6dB 1st ",         "12dB Besse",       "12dB Butterworth", "12dB Link-Riley",
    "18dB Bessel",     "18dB Butterworth", "24dB Bessel",      "24dB Butterworth", "24dB Link-Riley",
    "36dB Bessel",     "36dB Butterworth", "36dB Link-Riley"};

template <typename T>
T* Make(T* control, const QString& name, ControlRegistry& registry, int x, int y, int w, int h) {
    control->setObjectName(name);
    control->setGeometry(x, y, w, h);
    registry.Add(control);
    return control;
}

}  // namespace rig

// Builds the small window: every control named, tagged by the binding's visiting order and
// registered; `pages` receives FormPageItem.
inline std::unique_ptr<QWidget> BuildRigWindow(ControlRegistry& registry, RigBinding& binding,
                                               QStackedWidget*& pages) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("TForm1");
    window->resize(1400, 900);
    ControlRegistry& r = registry;
    QWidget* w = window.get();

    pages = rig::Make(new QStackedWidget(w), "FormPageItem", r, 0, 40, 1000, 420);
    std::vector<QWidget*> sheets;
    for (int i = 0; i < 9; ++i) {
        sheets.push_back(new QWidget);
        pages->addWidget(sheets.back());
    }

    // Band blocks: selector, type labels, frequency, gain with its bar, Q with its spin
    // buttons, one column of 65 pixels per band in a scroll box.
    auto bands = [&](const char* prefix, const char* spinName, int page, int first, int count,
                     QWidget* strip) {
        const QString x = QLatin1String(prefix);
        for (int n = 1; n <= count; ++n) {
            const ParamAddress a = MakeAddress(page, first + 5 * (n - 1));
            const int left = 65 * (n - 1);
            const QString num = QString::number(n);
            rig::Make(new BandNumberLabel(n, strip), x + "EQPointLabel" + num, r, left, 0, 60, 14);
            auto* box = rig::Make(new Selector(rig::kEqTypes, strip), x + "ModeBox" + num, r, left, 16, 60, 18);
            box->setHint("1");
            binding.Bind(a, box);
            const char* labels[] = {"BYBtn", "PEQBtn", "LSQBtn", "HSQBtn"};
            const char* texts[] = {"BY", "P", "LS", "HS"};
            for (int i = 0; i < 4; ++i) {
                auto* label = rig::Make(new TypeLabel(texts[i], strip), x + labels[i] + num, r,
                                   left + 15 * i, 36, 14, 14);
                binding.Companion(a, i, label);
            }
            auto* frequency = rig::Make(new ValueEdit(strip), x + "FreEdit" + num, r, left, 52, 60, 18);
            frequency->setHint("2");
            binding.Bind(a + 1, frequency);
            auto* gain = rig::Make(new ValueEdit(strip), x + "GainEdit" + num, r, left, 72, 60, 18);
            gain->setHint("3");
            binding.Bind(a + 2, gain);
            auto* bar = rig::Make(new TrackBar(Qt::Vertical, strip), x + "EQGainBar" + num, r, left,
                             92, 20, 80);
            bar->setRange(0, 180);
            binding.Companion(a + 2, 0, bar);
            auto* q = rig::Make(new ValueEdit(strip), x + "QEdit" + num, r, left, 174, 44, 18);
            q->setHint("4");
            binding.Bind(a + 3, q);
            binding.Bind(a + 4, q);
            auto* spin = rig::Make(new SpinButtons(strip), QLatin1String(spinName) + num, r, left + 46,
                              174, 14, 18);
            binding.Companion(a + 3, 0, spin);
        }
    };
    auto bandBox = [&](const char* name, QWidget* parent, int count) {
        auto* box = rig::Make(new BandScrollBox(parent), name, r, 300, 0, 9 * 65, 200);
        box->strip()->resize(65 * count, 200);
        return box;
    };
    auto bar = [&](const char* name, QWidget* parent, ParamAddress a, int maximum,
                   const char* pane, const char* kind, int y) {
        auto* b = rig::Make(new TrackBar(Qt::Horizontal, parent), name, r, 0, y, 150, 18);
        b->setRange(0, maximum);
        binding.Bind(a, b);
        if (pane) {
            auto* p = rig::Make(new StatusPane(parent), pane, r, 160, y, 80, 18);
            p->setHint(kind);
            binding.Pane(a, p);
        }
        return b;
    };
    auto crossover = [&](const char* name, QWidget* parent, ParamAddress a, const char* kind,
                         int y) {
        auto* box = rig::Make(new Selector(rig::kCrossoverTypes, parent), name, r, 0, y, 150, 18);
        box->setHint(kind);
        binding.Bind(a, box);
    };

    auto* example = rig::Make(new ValueEdit(w), "Example", r, -100, -100, 10, 10);
    for (ParamAddress a : {0x0009, 0x020D, 0x020E, 0x040D, 0x050A, 0x0614, 0x1900, 0x1D09, 0x1E00,
                           0x1E01, 0x1E04, 0x1E05}) {
        binding.Bind(a, example);
    }
    rig::Make(new BitmapButton(w), "ExampleBtn2", r, -100, -100, 15, 15)
        ->setPicture(BitmapButton::Picture::Phase);

    // Music sheet.
    QWidget* music = sheets[0];
    auto* gain1 = rig::Make(new ValueEdit(music), "MusGain1Edit", r, 0, 0, 60, 18);
    gain1->setHint("5");
    binding.Bind(0x0000, gain1);
    binding.Companion(0x0000, 0, rig::Make(new SpinButtons(music), "MusGain1UpDown", r, 62, 0, 14, 18));
    bar("MusPitchBar", music, 0x0003, 14, "MusPitchPane", "21", 20);
    crossover("MusHPTypeBox", music, 0x0004, "20", 40);
    bar("MusHPFREBar", music, 0x0005, 361, "MusHPFREPane", "6", 60);
    crossover("MusLPTypeBox", music, 0x0006, "21", 80);
    bar("MusLPFREBar", music, 0x0007, 361, "MusLPFREPane", "6", 100);
    bands("Mus", "MusQUpDownBtn", 0, 10, 15, bandBox("MusScrollBox", music, 15)->strip());
    rig::Make(new QScrollBar(Qt::Horizontal, music), "MusPanScrollBar", r, 300, 205, 585, 14)
        ->setRange(0, 6);

    // Microphone sheet.
    QWidget* mic = sheets[1];
    bar("MicRmsRatioBar", mic, 0x0208, 40, "MicRmsRatioPane", "15", 0);
    crossover("MicHPTypeBox", mic, 0x0209, "20", 20);
    bar("MicHPFreBar", mic, 0x020A, 361, "MicHPFrePane", "6", 40);
    crossover("MicLPTypeBox", mic, 0x020B, "21", 60);
    bar("MicLPFreBar", mic, 0x020C, 361, "MicLPFrePane", "6", 80);
    bands("Mic", "MIcQUpDownBtn", 2, 15, 20, bandBox("MicScrollBox", mic, 20)->strip());
    rig::Make(new QScrollBar(Qt::Horizontal, mic), "MicPanScrollBar", r, 300, 205, 585, 14)
        ->setRange(0, 12);

    // Effect sheet with its echo and reverb sub-sheets.
    auto* effect = rig::Make(new QStackedWidget(sheets[2]), "EffPageControl", r, 0, 0, 900, 300);
    auto* echo = new QWidget;
    auto* reverb = new QWidget;
    effect->addWidget(echo);
    effect->addWidget(reverb);
    bar("EchoEffLevelBar", echo, 0x0400, 100, "EchoEffLevelPane", "8", 0);
    rig::Make(new BitmapButton(echo), "EchoEffPhaseBtn", r, 250, 0, 15, 15)
        ->setPicture(BitmapButton::Picture::Phase);
    binding.Bind(0x0401, registry.Find("EchoEffPhaseBtn"));
    bar("EchoTimeBar", echo, 0x0405, 250, "EchoTimePane", "11", 20);
    bar("RvbEffLevelBar", reverb, 0x0500, 100, "RvbEffLevelPane", "8", 0);
    int tag = 0;
    for (const char* name : {"EchoAToolButton", "EchoBToolButton", "RvbToolButton"}) {
        rig::Make(new SwappingToolButton(name, name, sheets[2]), name, r, 0, 310, 60, 20)->setTag(tag++);
    }

    // Output sheet.
    QWidget* output = sheets[3];
    auto* levels = new QWidget(output);
    levels->setGeometry(0, 0, 280, 60);
    bar("MainMusLevelBar", levels, 0x0600, 200, "MainMusLevelPane", "9", 0);
    binding.Bind(0x0601, rig::Make(new BitmapButton(levels), "MainMusPhaseBtn", r, 250, 0, 15, 15));
    bar("MainLdelayBar", output, 0x060A, 500, "MainLdelayPane", "18", 70);
    auto* leftMute = rig::Make(new BitmapButton("Mute", output), "MainLmuteBtn", r, 0, 90, 40, 20);
    binding.Bind(0x060B, leftMute);
    auto* rightDelay = bar("MainRdelayBar", output, 0x090A, 500, "MainRdelayPane", "18", 110);
    binding.Bind(0x0F0A, rightDelay);
    binding.Pane(0x0F0A, registry.Find("MainRdelayPane"));
    auto* rightMute = rig::Make(new BitmapButton("Mute", output), "MainRmuteBtn", r, 50, 90, 40, 20);
    binding.Bind(0x090B, rightMute);
    binding.Bind(0x0F0B, rightMute);
    auto* limiter = rig::Make(new QWidget(output), "OutLimiteGroup", r, 0, 130, 280, 30);
    bar("MainRmsLevelBar", limiter, 0x060C, 34, "MainRmsLevelPane", "14", 0);
    auto* filters = rig::Make(new QWidget(output), "OutLHPGroup", r, 0, 165, 280, 40);
    crossover("MainHPTypeBox", filters, 0x0610, "20", 0);
    bar("MainMusHPFreBar", filters, 0x0611, 361, "MainMusHPFrePane", "6", 20);
    auto* bandGroup = rig::Make(new QWidget(output), "AdvGroupBox21", r, 290, 0, 700, 220);
    bands("Main", "MainQUpDownBtn", 6, 21, 10, bandBox("MainScrollBox", bandGroup, 10)->strip());
    rig::Make(new QScrollBar(Qt::Horizontal, output), "MainPanScrollBar", r, 300, 225, 585, 14)
        ->setRange(0, 5);

    // Hint sheet.
    bands("Hint", "HintQUpDownBtn", 25, 1, 5, bandBox("HintScrollBox", sheets[4], 5)->strip());
    tag = 0;
    for (const char* name : {"HintMusBtn", "HintMicABtn", "HintMicBBtn"}) {
        rig::Make(new SwappingToolButton(name, name, sheets[4]), name, r, 0, 310, 60, 20)->setTag(tag++);
    }

    // Dynamic EQ sheet: three bands with their trigger buttons.
    QWidget* deq = sheets[8];
    for (int n = 1; n <= 3; ++n) {
        const int b = 0x0100 + 10 * (n - 1);
        const QString num = QString::number(n);
        const int left = 300 * (n - 1);
        rig::Make(new BandNumberLabel(n, deq), "DEQPointLabel" + num, r, left, 0, 60, 14);
        auto* trigger = rig::Make(new Selector({"Off", "Below", "Above"}, deq), "DEQTypeBox" + num, r,
                             left, 16, 60, 18);
        trigger->setHint("1");
        trigger->hide();
        binding.Bind(b + 1, trigger);
        int entry = 0;
        for (const char* name : {"DEQTYpeOffBtn", "DEQTYpeBelowBtn", "DEQTYpeAboveBtn"}) {
            auto* button = rig::Make(new BitmapButton(name, deq), name + num, r, left + 60 * entry, 36, 58, 18);
            button->setTag(entry);
            binding.Companion(b + 1, entry++, button);
        }
        auto* type = rig::Make(new Selector(rig::kEqTypes, deq), "DEQModeBox" + num, r, left, 56, 60, 18);
        type->setHint("1");
        binding.Bind(b + 2, type);
        entry = 0;
        for (const char* name : {"DEQBYBtn", "DEQPEQBtn", "DEQLEQBtn", "DEQHEQBtn"}) {
            binding.Companion(b + 2, entry, rig::Make(new TypeLabel(name, deq), name + num, r,
                                                 left + 15 * entry, 76, 14, 14));
            ++entry;
        }
        auto* frequency = rig::Make(new ValueEdit(deq), "DEQFreEdit" + num, r, left, 92, 60, 18);
        frequency->setHint("2");
        binding.Bind(b + 3, frequency);
        auto* gain = rig::Make(new ValueEdit(deq), "DEQGainEdit" + num, r, left, 112, 60, 18);
        gain->setHint("3");
        binding.Bind(b + 4, gain);
        auto* gainBar = rig::Make(new TrackBar(Qt::Vertical, deq), "DEQGainBar" + num, r, left + 62,
                             92, 20, 80);
        gainBar->setRange(0, 180);
        binding.Companion(b + 4, 0, gainBar);
        auto* q = rig::Make(new ValueEdit(deq), "DEQQEdit" + num, r, left, 132, 44, 18);
        q->setHint("4");
        binding.Bind(b + 5, q);
        binding.Bind(b + 6, q);
    }

    // Graph panel groups.
    rig::Make(new QLabel("EQ PASS", w), "EQPassLabel", r, 500, 470, 80, 20);
    auto* passGroup = rig::Make(new QWidget(w), "EQPassGrop", r, 0, 500, 200, 30);
    rig::Make(new BitmapButton("EQ", passGroup), "MusEQAllpassBtn", r, 0, 0, 60, 22);
    rig::Make(new BitmapButton("EQ reset", passGroup), "EQResetBtn", r, 70, 0, 60, 22);
    auto* modes = rig::Make(new QWidget(w), "SingleDiscoGrop", r, 210, 500, 400, 30);
    int x = 0;
    for (const char* name :
         {"AutoModeBtn", "ManulModeBtn", "SingModeBtn", "DiscoModeBtn", "CodeModeBtn"}) {
        auto* button = rig::Make(new BitmapButton(name, modes), name, r, x, 0, 70, 22);
        button->setTag(x < 140 ? 0x00A0 : 0x00A1);
        x += 75;
    }
    auto* copy = rig::Make(new QWidget(w), "CopyGrop", r, 620, 500, 240, 30);
    tag = 0;
    for (const char* name : {"LeftBtn", "SameBtn", "RightBtn"}) {
        rig::Make(new BitmapButton(name, copy), name, r, 75 * tag, 0, 70, 22)->setTag(tag);
        ++tag;
    }
    const char* tabs[] = {"FormMusTabBtn", "FormDYNBtn",    "FormMICATabBtn", "FormMICBTabBtn",
                          "FormEFFTabBtn", "FormMAINTabBtn", "FormSURTabBtn",  "FormCENTabBtn",
                          "FormSUBTabBtn", "FormHintTabBtn"};
    for (int i = 0; i < 10; ++i) {
        rig::Make(new SwappingToolButton(tabs[i], tabs[i], w), tabs[i], r, 70 * i, 0, 68, 30)->setTag(i);
    }

    // Right column: volume groups, system switches and mode controls.
    QWidget* right = new QWidget(w);
    right->setGeometry(1010, 0, 380, 880);
    struct Volume {
        const char* name;
        ParamAddress address;
        const char* role;
    };
    int y = 0;
    for (const Volume& v : {Volume{"SysMicNormalVol", 0x1D00, "0"}, Volume{"SysMusNormalVol", 0x1D01, "0"},
                            Volume{"SysEffNormalVol", 0x1D02, "0"}, Volume{"SysMicStartVol", 0x1D03, "1"},
                            Volume{"SysMicMaxVol", 0x1D04, "2"}, Volume{"SysMusStartVol", 0x1D05, "1"},
                            Volume{"SysMusMaxVol", 0x1D06, "2"}, Volume{"SysEffStartVol", 0x1D07, "1"},
                            Volume{"SysEffMaxVol", 0x1D08, "2"}}) {
        const QString name = QLatin1String(v.name);
        auto* b = bar(qPrintable(name + "Bar"), right, v.address, 84, qPrintable(name + "Pane"), "0", y);
        b->setHint(v.role);
        y += 22;
    }
    for (const char* name : {"MusStartImage", "MicStartImage", "EffStartImage"}) {
        rig::Make(new RangeHandle(RangeHandle::Mark::Start, right), name, r, 53, y, 8, 8);
    }
    y += 10;
    for (const char* name : {"MusMaxImage", "MicMaxImage", "EffMaxImage"}) {
        rig::Make(new RangeHandle(RangeHandle::Mark::Maximum, right), name, r, 53, y, 8, 8);
    }
    y += 10;
    for (const char* name : {"musLabel", "micLabel", "EffLabel"}) {
        rig::Make(new QLabel(right), name, r, 0, y, 40, 16);
        y += 18;
    }
    auto pair = [&](const char* first, const char* second, ParamAddress a, QWidget* parent) {
        rig::Make(new BitmapButton(first, parent), first, r, 0, y, 80, 20)->setTag(a);
        rig::Make(new BitmapButton(second, parent), second, r, 90, y, 80, 20)->setTag(a);
        y += 22;
    };
    pair("SysVolRunBtn1", "SysVolRunBtn2", 0x1D09, right);
    pair("SysPanelBtn1", "SysPanelBtn2", 0x1E04, right);
    auto* users = rig::Make(new QWidget(right), "SysUserMangerGrop", r, 0, y, 200, 24);
    const int usersY = y;
    y = 0;
    pair("SysUserBtn", "SysManagerBtn", 0x1E08, users);
    y = usersY + 26;
    auto* input = rig::Make(new Selector({"Auto", "IN1", "IN2", "OPTI"}, right), "SysInputBox", r, 0, y, 100, 18);
    binding.Bind(0x1E14, input);
    auto* level = rig::Make(new Selector({"0dB", "3dB", "6dB"}, right), "SysMusInputLevelBox", r, 110, y, 100, 18);
    binding.Bind(0x1E03, level);
    y += 22;
    binding.Bind(0x1E02, rig::Make(new Selector(right), "SysModeBox", r, 0, y, 150, 18));
    QStringList numbers;
    for (int i = 5; i <= 16; ++i) numbers << QString::number(i);
    rig::Make(new Selector(numbers, right), "SysModeBox2", r, 160, y, 60, 18);
    y += 22;
    rig::Make(new PlainEdit(right), "PresetModeEdit", r, 0, y, 150, 18);
    y += 22;
    for (int k = 1; k <= 4; ++k) {
        rig::Make(new BitmapButton(QString::number(k), right), "SysModeBtn" + QString::number(k), r,
             30 * k, y, 28, 20)
            ->setTag(k - 1);
    }
    y += 22;
    for (int j = 1; j <= 6; ++j) {
        const QString name = j == 1 ? QStringLiteral("SysFactoryBtn") : "SysFactoryBtn" + QString::number(j);
        rig::Make(new BitmapButton(QString::number(j), right), name, r, 30 * j, y, 28, 20)->setTag(15 + j);
    }
    binding.TagAll();
    return window;
}

class RecordingRedraw : public EqRedraw {
public:
    void DrawEqCurve(int item, int page) override { calls.push_back({item, page}); }
    std::vector<std::pair<int, int>> calls;
};

// The small window with the editor attached: the channel selection and the page switch as the
// main window runs them, over whatever link the test gives.
class RigFrame : public ChannelChoice {
public:
    RigFrame() { window = BuildRigWindow(registry, binding, pages); }
    ~RigFrame() override { editor.reset(); }

    // Attaches the editor, resets every EQ band as start-up does and shows the music tab.
    void Start(ParamModel& model, ParameterLink& link, PacedParamWriter& paced) {
        model_ = &model;
        editor = std::make_unique<Editor>(model, link, paced, channel, *this);
        editor->SetEqRedraw(&redraw);
        editor->SetPlainMessage([this](const QString& text) { messages.push_back(text); });
        editor->Attach(registry, binding, window.get());
        model.ResetEq(kAllPages, paced, *editor);
        ChooseTab(kTabMusic);
        window->show();
        QApplication::setActiveWindow(window.get());
        const QDeadlineTimer deadline(2000);
        while (!window->isActiveWindow() && !deadline.hasExpired()) QApplication::processEvents();
    }

    // The link's refresh after a complete download.
    void RefreshAfterTransfer() {
        editor->RefreshPage(kAllPages);
        channel.selectedChannel = SelectChannel(channel.currentTab);
        editor->RefreshPage(channel.selectedPage);
    }

    int SelectChannel(int tab) override {
        const int result = ChooseChannel(tab, channel, model_->selection());
        const bool output = tab >= kTabMain && tab <= kTabSub;
        QWidget* copy = registry.Find("CopyGrop");
        copy->setVisible(tab == 0 || tab == 2 || tab == 3 || tab == 5 || tab == 6);
        registry.Find("SingleDiscoGrop")->setVisible(output);
        const bool enabled = tab <= kTabEffect || channel.manualFlag == 1;
        copy->setEnabled(enabled);
        registry.Find("EQPassGrop")->setEnabled(enabled);
        return result;
    }

    // The page switch of a tab button.
    void ChooseTab(int tab) {
        for (QWidget* each : registry.InCreationOrder()) {
            auto* button = qobject_cast<SwappingToolButton*>(each);
            if (button && button->objectName().startsWith("Form")) {
                button->setSelectedLook(button->tag() == tab);
            }
        }
        channel.currentTab = tab;
        channel.selectedChannel = SelectChannel(tab);
        pages->setCurrentIndex(channel.selectedChannel % 256);
        if (tab == kTabEffect) {
            editor->ReselectEffectSubPage();
        } else {
            editor->RefreshPage(channel.selectedPage);
        }
        editor->EndWheelStepping();
    }

    template <typename T>
    T* Get(const char* name) const {
        return registry.Get<T>(QString::fromLatin1(name));
    }

    ControlRegistry registry;
    RigBinding binding;
    QStackedWidget* pages = nullptr;
    std::unique_ptr<QWidget> window;
    ChannelState channel;
    RecordingRedraw redraw;
    std::vector<QString> messages;
    std::unique_ptr<Editor> editor;

private:
    ParamModel* model_ = nullptr;
};

}  // namespace zt::test
