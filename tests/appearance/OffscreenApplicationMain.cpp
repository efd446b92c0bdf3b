#include <QApplication>
#include <gtest/gtest.h>

// Widgets and pixmaps need an application object. The offscreen platform draws the same
// pixels without a display, so these tests run anywhere, in CI too.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
