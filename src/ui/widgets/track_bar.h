#pragma once
// A parameter track bar. Its position is the raw value of the slot it shows. It raises
// valueChanged whenever the position changes, also when code moves it, which is how a bar's
// value pane is rewritten after the page refresh moves the bar.

#include <QSlider>

#include "ui/widgets/control_props.h"

namespace zt {

class TrackBar : public QSlider, public ControlProps {
    Q_OBJECT
public:
    // The pictures of the slider and its thumb. Bars of the pages take the parameter look of
    // MicHPFreBar, band gain bars the gain look of MusEQGainBar1, and the system volume bars
    // keep the volume look.
    enum class Look { Parameter, Gain, Volume };

    explicit TrackBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    Look look() const { return look_; }
    void setLook(Look look);

    // The value from which the filled part of the groove starts: the minimum for most bars,
    // 0 dB (raw 120) for gain bars.
    int fillOrigin() const { return fillOrigin_; }
    void setFillOrigin(int value);

    // Takes the slider and thumb pictures of another bar (look and fill origin).
    void TakePicturesOf(const TrackBar& model);

    // Length of the thumb along the bar; the thumb's centre travels the bar's length minus this.
    int ThumbLength() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look look_ = Look::Parameter;
    int fillOrigin_ = 0;
};

}  // namespace zt
