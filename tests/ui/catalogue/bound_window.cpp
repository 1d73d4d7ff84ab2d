#include "bound_window.h"

#include "ui/binding/control_lists.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/swapping.h"

namespace zt::catalogue_test {

CatalogueWindow::CatalogueWindow(bool bind) {
    window.resize(1204, 609);
    auto* tabStrip = new QWidget(&window);
    tabStrip->setGeometry(0, 25, 944, 32);
    for (std::size_t i = 0; i < kTabButtonNames.size(); ++i) {
        auto* tab = new SwappingToolButton("tab", "tab", tabStrip);
        tab->setObjectName(kTabButtonNames[i]);
        tab->setTag(static_cast<int>(i));
        registry.Add(tab);
    }
    auto* groups = new QWidget(&window);
    for (std::size_t i = 0; i < kSideButtonNames.size(); ++i) {
        auto* side = new BitmapButton("side", groups);
        side->setObjectName(kSideButtonNames[i]);
        side->setTag(static_cast<int>(i));
        registry.Add(side);
    }
    for (const char* name : kSceneButtonNames) {
        auto* scene = new BitmapButton("scene", groups);
        scene->setObjectName(name);
        scene->setTag(0x00A1);
        registry.Add(scene);
    }
    formPageItem = new QStackedWidget(&window);
    formPageItem->setObjectName("FormPageItem");
    formPageItem->setGeometry(QRect(QPoint(0, 57), kPageSheetSize));
    advPageControl1 = new QTabWidget(&window);
    advPageControl1->setObjectName("AdvPageControl1");
    advPageControl1->setGeometry(QRect(QPoint(944, 25), kRightColumnSize));
    BuildPageSheets(formPageItem, registry);
    BuildRightColumn(advPageControl1, registry);
    if (bind) Bind();
}

QString SheetOf(QWidget* control) {
    for (QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
        if (dynamic_cast<SwappingSheet*>(up)) return up->objectName();
    }
    return {};
}

}  // namespace zt::catalogue_test
