#pragma once
// The hidden access code: a double click on the link status label shows the field SysLogoEdit
// in the title strip; the right code followed by Enter shows the Hint tab, which opens the Hint
// page and allows saving factory modes.

#include <QObject>

class QLabel;
class QLineEdit;
class QWidget;

namespace zt {

class PlainEdit;
class TForm1;
struct KeyPress;
struct WindowState;

inline constexpr char kAccessCode[] = "OPERATOR725";

class AccessCode : public QObject {
public:
    // The code opens the Hint tab in `state` and shows its button.
    AccessCode(TForm1& window, WindowState& state);

    // Connects the label's double click and the field's keys; `context` ends them.
    void Connect(QObject* context);

    // A double click on the link status label shows the access-code field, cleared.
    void OnLinkLabelDoubleClick();
    // A key in the access-code field: Enter checks the code, which shows the Hint tab.
    void OnKey(KeyPress* press);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* linkLabel_;
    QLabel* logoLabel_;
    PlainEdit* logoEdit_;
    QWidget* hintTab_;
    WindowState& state_;
};

}  // namespace zt
