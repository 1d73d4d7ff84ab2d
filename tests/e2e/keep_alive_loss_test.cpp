// A keep-alive whose acknowledgement is lost on the line, with volume steps made before the
// next silent second: the editor's whole window against the zt461-sim program. The repeat is
// the keep-alive itself, the steps follow, and the processor ends up holding the volume the
// window shows with nothing else changed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <memory>

#include "params/page_table.h"
#include "params/value_scales.h"
#include "sim/sim_state_dump.h"
#include "tests/support/sim_run.h"
#include "ui/app/editor_app.h"
#include "ui/widgets/plain_edit.h"
#include "ui/widgets/spin_buttons.h"

namespace zt::test {
namespace {

class NoMessages : public WindowMessages {
public:
    void Inform(const QString&, const QString&) override {}
};

TEST(KeepAliveLossOverPty, VolumeStepsQueuedBehindALostKeepAliveLandAsShown) {
    SimRun sim({QStringLiteral("--drop-keepalive-acks=1")});
    ASSERT_TRUE(sim.Start());
    EditorApp app(std::make_unique<NoMessages>());
    app.Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.link().linkOnline(); }, 30000));
    SimState before;
    ASSERT_TRUE(sim.Dump(before));

    // The first keep-alive reached the processor and its acknowledgement was lost.
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.status() == QStringLiteral("online"); }, 20000));
    ASSERT_FALSE(app.link().ready());
    auto* spin = app.registry().Get<SpinButtons>(QStringLiteral("MusGain2UpDown"));
    auto* edit = app.registry().Get<ValueEdit>(QStringLiteral("MusGain2Edit"));
    for (int press = 0; press < 5; ++press) QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    const ParamAddress in2Vol = 0x0001;
    const int shown = app.model().store().Get(in2Vol);
    ASSERT_EQ(shown, before.memory.Get(in2Vol) - 5);
    ASSERT_FALSE(app.link().txQueue().IsEmpty());

    // The repeat comes at the second silent second; then the queue drains.
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.link().settled(); }, 20000));
    QTest::qWait(100);
    SimState after;
    ASSERT_TRUE(sim.Dump(after));
    EXPECT_TRUE(app.link().linkOnline());
    EXPECT_EQ(after.memory.Get(in2Vol), shown);
    EXPECT_EQ(edit->text().toStdString(), FormatValueText(edit->hint().toInt(), shown));
    for (int page = 0; page < kTransferPageCount; ++page) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            if (MakeAddress(page, slot) == in2Vol) continue;
            EXPECT_EQ(after.memory.Get(page, slot), before.memory.Get(page, slot))
                << page << "/" << slot;
        }
    }
}

}  // namespace
}  // namespace zt::test
