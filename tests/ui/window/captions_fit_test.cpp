// Every button caption fits its button in both languages at the design size: each page and
// right-column sheet is rendered as a user sees it, and each shown caption is measured with the
// font it is drawn in. ZT_SCREENSHOT_DIR, when set, receives the renderings.
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include "ui/widgets/caption_drawing.h"
#include "ui/widgets/swapping.h"
#include "window_fixture.h"

namespace zt {
namespace {

// What a caption needs and what its button has.
struct Misfit {
    QString button;
    QString caption;
    QSizeF needed;
    QSizeF available;
};

std::optional<Misfit> MisfitOf(QWidget* widget) {
    const CaptionDrawing* drawing = dynamic_cast<CaptionDrawing*>(widget);
    const QString caption = drawing ? drawing->CaptionText() : QString();
    if (caption.isEmpty()) return std::nullopt;
    const QFontMetricsF metrics(drawing->CaptionFont());
    const QStringList lines = caption.split(QLatin1Char('\n'));
    qreal width = 0;
    for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
    const QSizeF needed(width, lines.size() * metrics.height());
    const QSizeF available = drawing->CaptionArea().size();
    // Half a pixel of slack for the anti-aliased edge of the last glyph.
    if (needed.width() <= available.width() + 0.5 && needed.height() <= available.height() + 0.5) {
        return std::nullopt;
    }
    return Misfit{widget->objectName(), caption, needed, available};
}

class CaptionsFit : public WindowFixture {
protected:
    // Checks every caption-drawing button the window shows now.
    void CheckShown(const QString& view) {
        QApplication::processEvents();
        SaveScreenshot(view);
        for (QWidget* widget : window().findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&window())) continue;
            if (const std::optional<Misfit> misfit = MisfitOf(widget)) {
                ADD_FAILURE() << view.toStdString() << ": " << misfit->button.toStdString() << " \""
                              << misfit->caption.toStdString() << "\" needs "
                              << misfit->needed.width() << " x " << misfit->needed.height()
                              << ", has " << misfit->available.width() << " x "
                              << misfit->available.height();
            }
            if (auto* drawing = dynamic_cast<CaptionDrawing*>(widget);
                drawing && !drawing->CaptionText().isEmpty()) {
                EXPECT_GE(drawing->CaptionFont().pixelSize(), kMinimumCaptionPixels)
                    << view.toStdString() << ": " << widget->objectName().toStdString();
                ++checked_;
            }
        }
    }

    void SaveScreenshot(const QString& view) {
        const QString folder = qEnvironmentVariable("ZT_SCREENSHOT_DIR");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        window().grab().save(folder + QLatin1Char('/') + view + QStringLiteral(".png"));
    }

    // Every page through its tab (the effect page with each sub-page), then every sheet of the
    // right column, then the unlock panel.
    void CheckEveryView(const QString& language) {
        for (int tab = 0; tab < kTabCount; ++tab) {
            app().pageSwitcher().OnTabClicked(tab);
            if (tab != kTabEffect) {
                CheckShown(language + QStringLiteral("-tab%1").arg(tab));
                continue;
            }
            for (const char* sub : {"EchoAToolButton", "EchoBToolButton", "RvbToolButton"}) {
                Get<QAbstractButton>(sub)->click();
                CheckShown(language + QStringLiteral("-tab4-") + QLatin1String(sub));
            }
        }
        app().pageSwitcher().OnTabClicked(kTabMusic);
        QTabWidget* right = window().advPageControl1();
        for (int sheet = 0; sheet < right->count(); ++sheet) {
            right->setCurrentIndex(sheet);
            CheckShown(language + QStringLiteral("-sheet%1").arg(sheet));
        }
        right->setCurrentIndex(0);
        QWidget* unlock = window().unlockPanel().firstCheckGrop;
        unlock->show();
        CheckShown(language + QStringLiteral("-unlock"));
        unlock->hide();
    }

    int checked_ = 0;
};

TEST_F(CaptionsFit, EveryButtonCaptionFitsInBothLanguages) {
    ASSERT_EQ(window().size(), QSize(1206, 611)) << "the design size";
    // The hint page is reached only with the access code; it is checked all the same.
    window().tabStrip().tabs[kTabHint]->show();
    CheckEveryView(QStringLiteral("english"));
    const int english = checked_;
    app().OnLanguageButton();
    ASSERT_EQ(app().language().current(), kChinese);
    CheckEveryView(QStringLiteral("chinese"));
    EXPECT_GT(english, 200);
    EXPECT_EQ(checked_, 2 * english);
}

}  // namespace
}  // namespace zt
