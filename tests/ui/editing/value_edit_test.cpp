// Set value and the value edits: what a control shows, what both stores hold and what reaches
// the processor when the user moves a bar, types a value, steps it or leaves an edit.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/ui/editing/editing_rig.h"

namespace zt::test {
namespace {

class ValueEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.Link()); }
    EditingRig rig;
};

TEST_F(ValueEditTest, HighPassBarShowsItsFrequencyAndWritesIt) {
    auto* bar = rig.Get<TrackBar>("MusHPFREBar");
    bar->setValue(204);
    EXPECT_EQ(rig.Get<StatusPane>("MusHPFREPane")->caption(), "1000Hz");
    EXPECT_EQ(rig.TakeWrites(), (std::vector<Received>{{0x0005, 204}}));
    EXPECT_EQ(rig.model.store().Get(0x0005), 204);
    EXPECT_EQ(rig.model.image().Get(0x0005), 204);
    // The bar leaves no edit selected, so the wheel steps nothing.
    EXPECT_EQ(rig.editor->state().currentEdit, rig.Get<ValueEdit>("Example"));
}

}  // namespace
}  // namespace zt::test
