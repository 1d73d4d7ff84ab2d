#include "ui/sheets/sheet_builder.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <stdexcept>

#include "ui/catalogue/band_names.h"
#include "ui/catalogue/page_tables.h"
#include "ui/sheets/sheet_frame.h"
#include "ui/widgets/bitmap_button.h"
#include "ui/widgets/enabled_follower.h"
#include "ui/widgets/look.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/range_handle.h"
#include "ui/widgets/selector.h"
#include "ui/widgets/spin_buttons.h"
#include "ui/widgets/status_pane.h"
#include "ui/widgets/swapping.h"
#include "ui/widgets/track_bar.h"

namespace zt::sheets {

using catalogue::Kind;
using catalogue::ParamRow;

namespace {

constexpr QRgb kWarningText = 0xFFC0392B;
constexpr int kPhaseButtonWidth = 15;
constexpr int kSpinWidth = 15;
constexpr int kVolumePage = 29;

QRect RectOf(const Place& place) {
    return QRect(place.x, place.y, place.width, place.height);
}

QString Chinese(const Text& text) {
    return QString::fromUtf8(text.chinese);
}
QString English(const Text& text) {
    return QString::fromUtf8(text.english);
}

QWidget* MakePresetList(QWidget* parent) {
    auto* list = new QTableWidget(0, 2, parent);
    // Chinese until the language is set.
    list->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("文件名")});
    list->verticalHeader()->hide();
    // Rows as high as the small text needs, so that the list shows six names at a time.
    list->verticalHeader()->setDefaultSectionSize(16);
    list->verticalHeader()->setMinimumSectionSize(14);
    list->horizontalHeader()->setFixedHeight(20);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setColumnWidth(0, 44);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFont(look::Font(look::kSmallText));
    return list;
}

PlainEdit* MakeEdit(const SheetItem& item, QWidget* parent) {
    auto* edit = new PlainEdit(parent);
    if (item.maxLength > 0) edit->setMaxLength(item.maxLength);
    if (item.kind == ItemKind::PasswordEdit) edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QWidget* MakeItemWidget(const SheetItem& item, QWidget* parent) {
    switch (item.kind) {
        case ItemKind::Frame:
            return new SheetFrame(parent);
        case ItemKind::Group:
            return new SwappingGroupBox(Chinese(item.text), English(item.text), parent);
        case ItemKind::PageStack:
            return new QStackedWidget(parent);
        case ItemKind::Sheet:
            return new SwappingSheet(Chinese(item.text), English(item.text));
        case ItemKind::Label:
            return new SwappingLabel(Chinese(item.text), English(item.text), parent);
        case ItemKind::WarningLabel: {
            auto* label = new SwappingLabel(Chinese(item.text), English(item.text), parent);
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, QColor(kWarningText));
            label->setPalette(p);
            return label;
        }
        case ItemKind::Pane:
            return new StatusPane(parent);
        case ItemKind::ToolButton:
            return new SwappingToolButton(Chinese(item.text), English(item.text), parent);
        case ItemKind::KeyButton:
            return new BitmapButton(Chinese(item.text), parent);
        case ItemKind::LampButton: {
            auto* lamp = new BitmapButton(parent);
            lamp->setPicture(BitmapButton::Picture::Lamp);
            return lamp;
        }
        case ItemKind::PhaseTemplate: {
            auto* model = new BitmapButton(parent);
            model->setPicture(BitmapButton::Picture::Phase);
            return model;
        }
        case ItemKind::PlainEdit:
        case ItemKind::PasswordEdit:
            return MakeEdit(item, parent);
        case ItemKind::Selector:
            return new Selector(catalogue::ItemTexts(item.items), parent);
        case ItemKind::Memo: {
            auto* memo = new QPlainTextEdit(parent);
            memo->setReadOnly(true);
            return memo;
        }
        case ItemKind::FileList:
            return new QListWidget(parent);
        case ItemKind::PresetList:
            return MakePresetList(parent);
        case ItemKind::StartMark:
            return new RangeHandle(RangeHandle::Mark::Start, parent);
        case ItemKind::MaxMark:
            return new RangeHandle(RangeHandle::Mark::Maximum, parent);
    }
    return nullptr;
}

bool IsContainer(const SheetItem& item) {
    return item.kind == ItemKind::Frame || item.kind == ItemKind::Group ||
           item.kind == ItemKind::Sheet;
}

}  // namespace

QWidget* SheetBuilder::Parent(const QString& name) const {
    QWidget* parent = registry_.Find(name);
    if (!parent) throw std::logic_error("no container " + name.toStdString());
    return parent;
}

void GiveValueKind(QWidget* control, const char* kind) {
    ControlProps* props = PropsOf(control);
    if (!props) return;
    const QString text = QString::fromUtf8(kind);
    props->setHint(text);
    bool number = false;
    const int value = text.toInt(&number);
    props->setValueKind(number ? std::optional<int>(value) : std::nullopt);
}

void SheetBuilder::BuildItems(std::span<const SheetItem> items) {
    for (const SheetItem& item : items) BuildItem(item);
}

void SheetBuilder::BuildItem(const SheetItem& item) {
    QWidget* parent = Parent(item.parent);
    QWidget* widget = Named(MakeItemWidget(item, parent), item.name);
    if (item.kind == ItemKind::Sheet) {
        auto* stack = qobject_cast<QStackedWidget*>(parent);
        if (!stack) throw std::logic_error(std::string("sheet outside a page stack: ") + item.name);
        stack->addWidget(widget);
    } else {
        widget->setGeometry(RectOf(item.place));
    }
    if (ControlProps* props = PropsOf(widget)) {
        props->setTag(item.tag);
        const bool valueControl = qobject_cast<ValueEdit*>(widget) ||
                                  qobject_cast<StatusPane*>(widget) ||
                                  qobject_cast<Selector*>(widget);
        if (valueControl) {
            GiveValueKind(widget, item.hint);
        } else if (!SwappingOf(widget)) {
            props->setHint(item.hint);
        }
    }
    if (item.hidden) widget->hide();
    if (item.disabled) widget->setEnabled(false);
    if (IsContainer(item)) AddContainer(widget, item.style);
}

void SheetBuilder::AddContainer(QWidget* container, const RowStyle& style) {
    containerStyles_.insert(container->objectName(), style);
}

void SheetBuilder::PlaceParamRows() {
    for (const catalogue::PageTable& table : catalogue::PageTables()) {
        for (const ParamRow& row : table.rows) {
            if (!row.container || !containerStyles_.contains(row.container)) continue;
            const RowNames names{row.name, row.pane ? QString(row.pane) : QString(),
                                 catalogue::CaptionNameOf(row)};
            PlaceRow(row, table.page, names, Parent(row.container),
                     containerStyles_.value(row.container));
        }
    }
}

SwappingLabel* SheetBuilder::MakeCaption(const ParamRow& row, const QString& name,
                                         QWidget* container) {
    auto* caption =
        Named(new SwappingLabel(Chinese(row.caption), English(row.caption), container), name);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return caption;
}

void SheetBuilder::PlaceRow(const ParamRow& row, int page, const RowNames& names,
                            QWidget* container, const RowStyle& style) {
    const QPoint origin = PlaceCaption(row, names.caption, container, style);
    const RowCell cell{container,          origin.x(),      origin.y(),
                       style.controlWidth, style.paneWidth, style.controlHeight};
    switch (row.kind) {
        case Kind::TrackBar:
            PlaceBar(row, page, names, cell);
            break;
        case Kind::ValueEdit:
            PlaceEdit(row, names, cell);
            break;
        case Kind::Selector:
            PlaceSelector(row, names, cell);
            break;
        case Kind::Toggle:
            PlaceToggle(row, names, cell);
            break;
        case Kind::Example:
            break;
    }
    QWidget* control = registry_.Find(names.control);
    if (row.place.fixed() && control) control->setGeometry(RectOf(row.place));
    // The caption greys out with its control (the output delays are disabled one by one in
    // automatic mode, not through a group).
    if (auto* caption = qobject_cast<SwappingLabel*>(registry_.Find(names.caption))) {
        if (caption->parentWidget() == container) FollowEnabledState(caption, control);
    }
}

QPoint SheetBuilder::PlaceCaption(const ParamRow& row, const QString& name, QWidget* container,
                                  const RowStyle& style) {
    const int x = style.left;
    const int y = style.top + row.line * style.rowHeight;
    const bool hasCaption = *row.caption.chinese && row.kind != Kind::Toggle;
    if (style.labelAbove) {
        if (hasCaption) {
            MakeCaption(row, name, container)
                ->setGeometry(x, y, style.controlWidth + style.paneWidth + 2, style.labelHeight);
        }
        return QPoint(x, y + style.labelHeight);
    }
    if (hasCaption) {
        // Captions read from the top, so a caption that ends in a line break still shows its
        // first line beside the control.
        SwappingLabel* caption = MakeCaption(row, name, container);
        const int line = QFontMetrics(caption->font()).height();
        const int offset = std::max(0, (style.controlHeight - line) / 2);
        caption->setGeometry(x, y + offset, style.labelWidth,
                             std::max(style.controlHeight, style.rowHeight) - offset);
    }
    return QPoint(x + style.labelWidth, y);
}

void SheetBuilder::PlaceBar(const ParamRow& row, int page, const RowNames& names,
                            const RowCell& cell) {
    auto* bar = Named(new TrackBar(Qt::Horizontal, cell.container), names.control);
    bar->setRange(0, row.maximum);
    bar->setLook(page == kVolumePage ? TrackBar::Look::Volume : TrackBar::Look::Parameter);
    bar->setHint(row.hint);
    bar->setGeometry(cell.x, cell.y, cell.controlWidth, cell.height);
    if (!names.pane.isEmpty()) {
        auto* pane = Named(new StatusPane(cell.container), names.pane);
        GiveValueKind(pane, row.paneHint);
        pane->setGeometry(cell.paneX(), cell.y, cell.paneWidth, cell.height);
    }
}

void SheetBuilder::PlaceEdit(const ParamRow& row, const RowNames& names, const RowCell& cell) {
    auto* edit = Named(new ValueEdit(cell.container), names.control);
    GiveValueKind(edit, row.hint);
    const int editWidth = row.spin ? cell.controlWidth - kSpinWidth - 1 : cell.controlWidth;
    edit->setGeometry(cell.x, cell.y, editWidth, cell.height);
    if (row.spin) {
        auto* spin = Named(new SpinButtons(cell.container), row.spin);
        spin->setGeometry(cell.x + cell.controlWidth - kSpinWidth, cell.y, kSpinWidth, cell.height);
    }
}

void SheetBuilder::PlaceSelector(const ParamRow& row, const RowNames& names, const RowCell& cell) {
    auto* selector =
        Named(new Selector(catalogue::ItemTexts(row.items), cell.container), names.control);
    GiveValueKind(selector, row.hint);
    // A selector takes the pane's place as well: the filter type names are long.
    const int width = cell.controlWidth + (cell.paneWidth > 0 ? cell.paneWidth + 2 : 0);
    selector->setGeometry(cell.x, cell.y, width, cell.height);
}

void SheetBuilder::PlaceToggle(const ParamRow& row, const RowNames& names, const RowCell& cell) {
    // A toggle without a caption is a phase button: the phase symbol, 15 pixels wide.
    const bool phase = !*row.caption.chinese;
    auto* button = Named(new BitmapButton(Chinese(row.caption), cell.container), names.control);
    button->setHint(row.hint);
    if (phase) {
        button->setPicture(BitmapButton::Picture::Phase);
        button->setGeometry(cell.paneX() + cell.paneWidth + 3, cell.y, kPhaseButtonWidth,
                            cell.height);
    } else {
        button->setFont(look::Font(look::kSmallText));
        button->setGeometry(cell.x, cell.y, cell.controlWidth, cell.height);
    }
}

}  // namespace zt::sheets
