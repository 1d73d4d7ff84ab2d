#pragma once
// A window holding every sheet the catalogue builds, plus stand-ins for the controls the main
// window builds itself (tab buttons, side and scene buttons), bound as at start-up.

#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <memory>

#include "params/param_address.h"
#include "ui/binding/bind_controls.h"
#include "ui/binding/control_binding.h"
#include "ui/binding/editor_state.h"
#include "ui/sheets/page_sheets.h"
#include "ui/widgets/control_registry.h"

namespace zt::catalogue_test {

class CatalogueWindow {
public:
    // Builds the window's stand-in controls and both sheet sets; binds unless told not to.
    explicit CatalogueWindow(bool bind = true);

    void Bind() { BindControls(registry, image, state, binding); }

    template <typename T>
    T* Get(const char* name) const {
        return registry.Get<T>(name);
    }

    QWidget window;
    QStackedWidget* formPageItem = nullptr;
    QTabWidget* advPageControl1 = nullptr;
    ControlRegistry registry;
    DeviceImage image;
    EditorState state;
    ControlBinding binding;
};

// The sheet (of FormPageItem, the effect page or the right column) a control lies on.
QString SheetOf(QWidget* control);

}  // namespace zt::catalogue_test
