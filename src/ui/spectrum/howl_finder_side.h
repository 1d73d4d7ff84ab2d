#pragma once
// The feedback finder wired into the window: the finder button switches listening on and off,
// a marker on the EQ graph stands at each howl heard with its frequency and level, and "Notch"
// (the button, for the loudest howl, or a marker's context menu) puts a narrow cut on a free
// band of the microphone channel shown, or deepens the cut already there. A notch is one step
// of the edit history and reaches the processor through the window's own write path.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "eqgraph/howl_notch.h"
#include "spectrum/qt/howl_capture.h"

class QMenu;
class QWidget;

namespace zt {

class BitmapButton;
class EditRecorder;
class Editor;
class EqGraph;
class EqRedraw;
class HowlMarker;
class Language;
class ParamModel;
class WindowMessages;
struct ChannelState;
struct WindowState;

class HowlFinderSide : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget* window = nullptr;  // parent of the menus
        QWidget* image = nullptr;   // Image1: the markers stand on it
        BitmapButton* finderButton = nullptr;
        BitmapButton* notchButton = nullptr;
    };
    // How often the markers follow what the finder hears while it is on.
    static constexpr int kPollMs = 100;

    HowlFinderSide(const Parts& parts, const EqGraph& graph, Editor& editor, EditRecorder& recorder,
                   EqRedraw& redraw, ParamModel& model, const ChannelState& channel,
                   const Language& language, WindowMessages& messages, WindowState& state);
    ~HowlFinderSide() override;

    // The finder button: switches listening on or off. Without a sound card it says so and
    // stays off.
    void OnFinderButton();
    bool SetOn(bool on);
    // Reads what the finder heard into the window state and shows it (the poll timer's work).
    void Poll();

    // A notch against the howl at `hz`, or against the loudest howl marked: true when a band
    // was written. Says why when nothing is written.
    bool Notch(double hz);
    bool NotchLoudest();
    // The context menu of marker `index`, shown at a point of the screen; null for no marker.
    QMenu* ShowMarkerMenu(int index, const QPoint& globalPosition);

    HowlCapture& capture() { return capture_; }
    const std::vector<HowlMarker*>& markers() const { return markers_; }

private:
    // The texts of a marker and the channel shown, in the current language.
    QString MarkerText(const HowlMark& mark) const;
    QString ChannelName() const;
    void Inform(const QString& text);
    void ShowMarkers();
    void ShowButtons();
    // The bands of the microphone channel shown, and whether each is free on every processor
    // channel it stands for.
    std::vector<ExchangeBand> BandsShown(std::vector<bool>& freeEverywhere) const;
    void Write(const NotchPlan& plan);

    Parts parts_;
    const EqGraph& graph_;
    Editor& editor_;
    EditRecorder& recorder_;
    EqRedraw& redraw_;
    ParamModel& model_;
    const ChannelState& channel_;
    const Language& language_;
    WindowMessages& messages_;
    WindowState& state_;
    HowlCapture capture_;
    QTimer poll_;
    std::vector<HowlMarker*> markers_;  // children of Image1, as many as marks
    QPointer<QMenu> menu_;
};

}  // namespace zt
