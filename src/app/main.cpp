#include "app/c_tesselo_app.h"

#include <QApplication>
#include <QLoggingCategory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesselo"));
    QApplication::setDesktopFileName(QStringLiteral(TESSELO_APP_ID));
    // Every file of the picture folder is tried as a picture; the decoders'
    // complaints about the ones that are not belong to no one's terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    tesselo::CTesseloApp theApp;
    theApp.InitInstance();
    return 0;
}
