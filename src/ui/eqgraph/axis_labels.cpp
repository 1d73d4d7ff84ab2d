#include "ui/eqgraph/axis_labels.h"

#include "eqgraph/graph_grid.h"

namespace zt {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, QSize size, Qt::Alignment align,
                  ControlRegistry& registry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: rgb(161,161,161); background: transparent;"));
    label->setAlignment(align | Qt::AlignVCenter);
    label->resize(size);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    registry.Add(label);
    label->show();
    return label;
}

// Sets the caption; the label then sizes itself to its text.
void Caption(QLabel* label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label->text() != text) label->setText(text);
    label->adjustSize();
}

}  // namespace

AxisLabels::AxisLabels(QWidget* outerPanel, ControlRegistry& registry) {
    for (int k = 0; k < 7; ++k) {
        gain_[k] = MakeLabel(outerPanel, QStringLiteral("EQLabelY%1").arg(k), QSize(32, 13),
                             Qt::AlignRight, registry);
    }
    for (int k = 0; k < 10; ++k) {
        frequency_[k] = MakeLabel(outerPanel, QStringLiteral("EQLabelX%1").arg(k + 11),
                                  QSize(36, 13), Qt::AlignHCenter, registry);
    }
}

void AxisLabels::Place(const QWidget* plot, const GraphMapping& mapping) {
    const auto gains = GainAxisLabels(mapping);
    for (int k = 0; k < 7; ++k) {
        QLabel* label = gain_[k];
        Caption(label, gains[k].caption);
        label->move(plot->x() - label->width() - 2, gains[k].at + plot->y() - label->height() / 2);
    }
    const auto frequencies = FrequencyAxisLabels(mapping);
    for (int k = 0; k < 10; ++k) {
        QLabel* label = frequency_[k];
        Caption(label, frequencies[k].caption);
        label->move(frequencies[k].at + plot->x() - label->width() / 2,
                    plot->y() + static_cast<int>(mapping.height));
    }
}

}  // namespace zt
