// A selector makes its drop-down list only when it first opens, and the list then has the
// selector's font.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QFrame>

#include "ui/widgets/look.h"
#include "ui/widgets/selector.h"

namespace zt {
namespace {

TEST(SelectorPopup, IsMadeWhenFirstOpenedWithTheSelectorsFont) {
    QWidget page;
    Selector selector({"PEQ", "LSEQ", "HSEQ", "BYPSS"}, &page);
    EXPECT_EQ(selector.findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly), nullptr)
        << "no list before it opens";
    EXPECT_EQ(selector.font(), look::Font(look::kSmallText));
    page.show();
    selector.showPopup();
    const QWidget* list = selector.view()->window();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->font(), selector.font());
    EXPECT_EQ(selector.view()->font(), selector.font());
    selector.hidePopup();
    // A later font reaches the list at once, as in any combo box.
    QFont bigger = selector.font();
    bigger.setPixelSize(20);
    selector.setFont(bigger);
    EXPECT_EQ(selector.view()->font(), bigger);
}

}  // namespace
}  // namespace zt
