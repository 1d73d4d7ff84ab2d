#pragma once
// The panel under the pages: the EQ graph (Image1 on the grey panel AdvPanel2, the 22 draggable
// points, the value label and the EQ pass label) and the small button groups beside it.

#include <QImage>
#include <QWidget>
#include <array>

#include "ui/widgets/control_props.h"
#include "ui/widgets/control_registry.h"

class QPainter;

namespace zt {

class BitmapButton;
class SwappingLabel;

// Image1: the graph picture. It keeps a bitmap of its own size; the grid, the curves and the
// spectrum are drawn into that bitmap and shown as it is. A size change gives it a fresh blank
// bitmap and announces it, so that the graph is drawn again at the new size.
class GraphImage : public QWidget, public ControlProps {
    Q_OBJECT
public:
    explicit GraphImage(QWidget* parent);

    QImage& bitmap() { return bitmap_; }
    const QImage& bitmap() const { return bitmap_; }
    // A blank bitmap of the image's current size.
    void ResetBitmap();

signals:
    void bitmapRebuilt();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QImage bitmap_;
};

// EP1 .. EP20, HPF, LPF: a point of the graph, tagged with its index 0..21. Where the graph
// places a marker, it draws the marker's face into its own bitmap, and the widget only takes
// the mouse; a marker that anyone else moves (a drag) paints its face itself until the graph
// places it again.
class EqMarker : public QWidget, public ControlProps {
    Q_OBJECT
public:
    static constexpr int kSize = 14;
    enum class Look { Band, Bypassed };

    EqMarker(int index, QWidget* parent);

    // The face of a marker in a kSize x kSize box at the painter's origin: a white disc in an
    // orange ring with an orange dot, or for a bypassed band a hollow grey ring.
    static void PaintFace(QPainter& painter, Look look);

    Look look() const { return look_; }
    void setLook(Look look);
    // Moves the marker to `position`, where the graph draws it.
    void PlaceInLayer(QPoint position);
    // True while the graph draws this marker (it stands where the graph placed it).
    bool inLayer() const { return inLayer_; }

signals:
    // Someone other than the graph moved the marker; it paints itself from now on.
    void leftLayer(int index);

protected:
    void moveEvent(QMoveEvent*) override;
    void paintEvent(QPaintEvent*) override;

private:
    Look look_ = Look::Band;
    bool inLayer_ = false;
    QPoint placedAt_;
};

inline constexpr int kEqMarkerCount = 22;  // 20 bands, the high-pass, the low-pass

struct GraphPanel {
    QWidget* advPanel1 = nullptr;  // white outer panel, grows with the window
    QWidget* advPanel2 = nullptr;  // grey panel holding the graph image
    GraphImage* image1 = nullptr;
    std::array<EqMarker*, kEqMarkerCount> markers{};  // by tag
    SwappingLabel* eqLabel = nullptr;
    SwappingLabel* eqPassLabel = nullptr;

    QWidget* singleDiscoGrop = nullptr;
    BitmapButton* autoModeBtn = nullptr;
    BitmapButton* manulModeBtn = nullptr;
    BitmapButton* singModeBtn = nullptr;
    BitmapButton* discoModeBtn = nullptr;
    BitmapButton* codeModeBtn = nullptr;
    QWidget* eqPassGrop = nullptr;
    BitmapButton* eqResetBtn = nullptr;
    BitmapButton* musEqAllpassBtn = nullptr;
    QWidget* copyGrop = nullptr;
    BitmapButton* leftBtn = nullptr;
    BitmapButton* sameBtn = nullptr;
    BitmapButton* rightBtn = nullptr;
    BitmapButton* pinDcfBtn = nullptr;
    BitmapButton* pinPpBtn = nullptr;
    // The feedback finder: on or off, and a notch against the loudest howl it marks.
    BitmapButton* howlFinderBtn = nullptr;
    BitmapButton* notchBtn = nullptr;
};

// Creates the panel and its controls inside `parent` and registers them.
GraphPanel BuildGraphPanel(QWidget* parent, ControlRegistry& registry);

// Places the graph and the button groups for the panel's current size.
void LayOutGraphPanel(const GraphPanel& panel);

}  // namespace zt
