#include <QGuiApplication>

#include <gtest/gtest.h>

// Some tests draw text or use fonts, which needs a GUI application; the
// offscreen platform keeps them free of any display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
