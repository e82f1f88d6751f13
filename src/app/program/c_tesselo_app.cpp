#include "app/program/c_tesselo_app.h"

#include "app/dialogs/c_splash_dlg.h"
#include "app/program/termination_signals.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace tesselo {

bool CTesseloApp::InitInstance()
{
    auto splash = std::make_unique<CSplashDlg>();
    // The game exists before anything is shown, so every handler of the
    // main window can rely on it. The window's picture of it waits for the
    // saved game: which picture the window shows, and at what size, is
    // known only then, and the title card comes up without reading any.
    auto game = std::make_unique<Game>();
    auto dialog = std::make_unique<CTesseloDlg>(*game);
    // Asked to end (a session that ends, Ctrl+C): the game in play is saved
    // and every modal loop, the title card's and any dialog's over the game
    // window included, ends as if closed, so the run tears down below.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Received, dialog.get(), [d = dialog.get()] {
        QString why;
        if (!d->SaveNow(&why))
            std::fprintf(stderr, "Tesselo: the game could not be saved: %s\n", qPrintable(why));
        QCoreApplication::exit(0);
    });
    if (splash->exec() == QDialog::Accepted)
        dialog->DoModal();
    // A cancelled title card never opened the game window: "tesselo.dat"
    // stays unread and unwritten, and sound was never started.
    dialog.reset();
    game.reset();
    splash.reset();
    return false;
}

} // namespace tesselo
