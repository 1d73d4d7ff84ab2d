// Test main for programs that need a QApplication: widgets, timers, the serial port, sound.
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef ZT_SOUND_SERVER_DIR
    // Sound comes from the test run's private server (scripts/sound-test-server.sh), never from
    // the machine's own; with that server down the editor finds no sound input.
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        qputenv("PULSE_SERVER", "unix:" ZT_SOUND_SERVER_DIR "/native");
    }
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
