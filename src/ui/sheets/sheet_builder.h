#pragma once
// Builds sheets from the layout tables and the parameter catalogue: the items of each sheet,
// then every catalogue row, EQ band block and dynamic-EQ band whose container it built.

#include <QHash>
#include <QPoint>
#include <QString>
#include <span>

#include "ui/catalogue/band_names.h"
#include "ui/catalogue/catalogue_types.h"
#include "ui/sheets/sheet_items.h"
#include "ui/widgets/control_registry.h"

namespace zt {
class SwappingLabel;
}

namespace zt::sheets {

// Gives a value control (a value edit, a value pane, a selector) the kind its catalogue text
// names ("2": an EQ frequency, "6".."26": a pane's kind): as its hint, where the catalogue's
// tables show it, and as its value kind, which the editing reads. A text that is no number
// gives no kind.
void GiveValueKind(QWidget* control, const char* kind);

class SheetBuilder {
public:
    explicit SheetBuilder(ControlRegistry& registry) : registry_(registry) {}

    // Names the widget, registers it and returns it.
    template <typename T>
    T* Named(T* widget, const QString& name) {
        widget->setObjectName(name);
        registry_.Add(widget);
        return widget;
    }

    void BuildItems(std::span<const SheetItem> items);

    // Lets rows be placed directly on a container at fixed places.
    void AddContainer(QWidget* container, const RowStyle& style = {});

    // Every catalogue row whose container this builder created, with its caption and pane.
    void PlaceParamRows();

    // Every EQ band block whose container this builder created.
    void BuildEqBandBlocks();

    // The three band panels of the dynamic-EQ sheet.
    void BuildDynamicEqBands(QWidget* sheet);

private:
    QWidget* Parent(const QString& name) const;
    void BuildItem(const SheetItem& item);

    struct RowNames {
        QString control;
        QString pane;
        QString caption;
    };
    // Where a row's control goes: its left edge and line, the widths of control and pane.
    struct RowCell {
        QWidget* container;
        int x;
        int y;
        int controlWidth;
        int paneWidth;
        int height;
        int paneX() const { return x + controlWidth + 2; }
    };
    void PlaceRow(const catalogue::ParamRow& row, int page, const RowNames& names,
                  QWidget* container, const RowStyle& style);
    // Builds the row's caption; returns where the control starts.
    QPoint PlaceCaption(const catalogue::ParamRow& row, const QString& name, QWidget* container,
                        const RowStyle& style);
    void PlaceBar(const catalogue::ParamRow& row, int page, const RowNames& names,
                  const RowCell& cell);
    void PlaceEdit(const catalogue::ParamRow& row, const RowNames& names, const RowCell& cell);
    void PlaceSelector(const catalogue::ParamRow& row, const RowNames& names, const RowCell& cell);
    void PlaceToggle(const catalogue::ParamRow& row, const RowNames& names, const RowCell& cell);

    SwappingLabel* MakeCaption(const catalogue::ParamRow& row, const QString& name,
                               QWidget* container);
    void BuildBandBlock(const catalogue::EqBandBlock& block, QWidget* container);
    void BuildBandColumn(const catalogue::EqBandBlock& block, int band, QWidget* strip);
    void BuildDeqBand(int band, QWidget* sheet);
    void BuildDeqTrigger(const catalogue::DeqBandNames& names, QWidget* panel);
    void BuildDeqEq(const catalogue::DeqBandNames& names, int band, QWidget* panel);

    ControlRegistry& registry_;
    QHash<QString, RowStyle> containerStyles_;
};

}  // namespace zt::sheets
