#pragma once
// TForm1, the main window: a borderless white window with its own title strip and window
// buttons, the tab strip, the page container, the graph panel with its button groups, the right
// column and the two overlay panels. It builds and registers its controls; what the controls do
// is wired by the editor's composition root.

#include <QPoint>
#include <QRect>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <memory>

#include "ui/widgets/control_registry.h"
#include "ui/window/graph_panel.h"
#include "ui/window/overlays.h"
#include "ui/window/tab_strip.h"

class QAbstractSlider;
class QLabel;
class QLineEdit;

namespace zt {

// The application title, shown by the system for the running program.
inline constexpr char kApplicationTitle[] = "ZT461 Audio Contrller";

class WindowButton;
class TitleStripImage;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // The create step: builds the frame, the tab strip, the graph panel with the 22 points in
    // their table, and the overlays, and registers every control. The sheets of FormPageItem and
    // AdvPageControl1 are left to the sheet builders.
    explicit TForm1(ControlRegistry& registry, QWidget* parent = nullptr);

    ControlRegistry& registry() { return registry_; }
    QWidget* client() const { return client_; }
    QStackedWidget* formPageItem() const { return formPageItem_; }
    QTabWidget* advPageControl1() const { return advPageControl1_; }
    const TabStrip& tabStrip() const { return tabStrip_; }
    const GraphPanel& graph() const { return graph_; }
    const UnlockPanel& unlockPanel() const { return unlock_; }
    QLabel* versionLabel() const { return rzLabel9_; }
    QLabel* sysLogoLabel() const { return sysLogoLabel_; }
    QLineEdit* sysLogoEdit() const { return sysLogoEdit_; }

    // Window buttons.
    void Minimise();
    void ToggleMaximised();
    bool isMaximisedByUs() const { return maximised_; }
    // The place and size the window has, or returns to when it is maximised.
    QRect restoredGeometry() const { return maximised_ ? normalGeometry_ : geometry(); }

    // Volume keys: Q/A, W/S, E/D move the music, microphone and effect volume bars while the
    // key preview is on. The bars are set once the right column exists.
    void SetVolumeBars(QAbstractSlider* music, QAbstractSlider* mic, QAbstractSlider* effect);
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    // Handles a key pressed anywhere in the window; the key is never consumed. With Ctrl, Alt or
    // Meta held the key is a shortcut (Ctrl+A selects a field's text), never a volume step.
    void PreviewKey(int key, Qt::KeyboardModifiers modifiers);

    bool startUpComplete() const { return startUpComplete_; }
    void setStartUpComplete() { startUpComplete_ = true; }

signals:
    // The window is shown for the first time: the start-up sequence runs now.
    void firstShown();
    // The window is about to close (the close always goes ahead).
    void closing();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTitleStrip();
    void LayOut();

    ControlRegistry& registry_;
    QWidget* client_;
    TitleStripImage* image2_ = nullptr;
    QLabel* rzLabel9_ = nullptr;
    QLabel* sysLogoLabel_ = nullptr;
    QLineEdit* sysLogoEdit_ = nullptr;
    WindowButton* minimiseButton_ = nullptr;  // RzBmpButton2
    WindowButton* maximiseButton_ = nullptr;  // RzBmpButton1
    WindowButton* closeButton_ = nullptr;     // RzBmpButton3
    TabStrip tabStrip_;
    QStackedWidget* formPageItem_ = nullptr;
    QTabWidget* advPageControl1_ = nullptr;
    GraphPanel graph_;
    UnlockPanel unlock_;

    QAbstractSlider* musicVolume_ = nullptr;
    QAbstractSlider* micVolume_ = nullptr;
    QAbstractSlider* effectVolume_ = nullptr;

    bool shownOnce_ = false;
    bool startUpComplete_ = false;
    bool keyPreview_ = true;
    bool maximised_ = false;
    QRect normalGeometry_;
    bool dragging_ = false;  // moving the window by hand where the system cannot
    QPoint dragOffset_;
};

}  // namespace zt
