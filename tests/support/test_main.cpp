#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs headless on the offscreen platform, with one QApplication for widget tests. Tests
// registered for a real X window ask for xcb; without a display they run offscreen and skip what needs one.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY"))) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
