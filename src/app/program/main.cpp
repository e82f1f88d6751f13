#include "app/program/c_tesselo_app.h"
#include "app/program/command_line.h"
#include "app/program/language.h"

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt ends a start without any display in a fatal message (an abort, and a
// core file where they are kept) that advises reinstalling. While the
// application object is made, that message becomes a plain one and a
// plain failure.
void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs("Tesselo needs a graphical desktop: no display could be opened "
                   "(is DISPLAY or WAYLAND_DISPLAY set?).\n",
                   stderr);
        std::fflush(stderr);
        // Nothing of the half-made application may run its teardown.
        std::_Exit(1);
    }
    if (qtHandler)
        qtHandler(type, context, text);
}

} // namespace

int main(int argc, char** argv)
{
    // Commands run instead of the game, before anything needs a display.
    const auto command = tesselo::CommandLine::Run(argc, argv, std::cout, std::cerr);
    if (!command.startGame)
        return command.status;

    qtHandler = qInstallMessageHandler(StartUpMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setApplicationName(QStringLiteral("Tesselo"));
    QApplication::setDesktopFileName(QStringLiteral(TESSELO_APP_ID));
    // Every file of the picture folder is tried as a picture; the decoders'
    // complaints about the ones that are not belong to no one's terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    // The desktop's languages choose (LANGUAGE before LANG, as players
    // expect), before any window exists.
    const tesselo::Translation translation(
        tesselo::ChooseLanguage(QLocale::system().uiLanguages(), tesselo::ShippedLanguages()));
    tesselo::CTesseloApp theApp;
    theApp.InitInstance();
    return 0;
}
