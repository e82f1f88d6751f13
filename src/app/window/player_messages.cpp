#include "app/window/player_messages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tesselo {

namespace {

// A warning whose two answers are to keep playing (the default) or to close
// all the same; true for the second.
bool AskClose(QWidget* parent, const QString& text, const QString& details, const QString& closeAnyway)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tesselo"), text, QMessageBox::NoButton, parent);
    box.setInformativeText(details);
    QPushButton* keep =
        box.addButton(QCoreApplication::translate("tesselo::PlayerMessages", "Keep Playing"), QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(closeAnyway, QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == quit;
}

} // namespace

bool AskCloseWithoutSaving(QWidget* parent, const QString& reason)
{
    return AskClose(
        parent,
        QCoreApplication::translate("tesselo::PlayerMessages", "The game could not be saved."),
        reason + QCoreApplication::translate("tesselo::PlayerMessages",
                                             "\n\nClose the window again to retry, or close without saving."),
        QCoreApplication::translate("tesselo::PlayerMessages", "Close Without Saving"));
}

void TellWinNotKept(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QStringLiteral("Tesselo"), message);
}

void TellSettingsNotKept(QWidget* parent, const QString& reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tesselo"),
                    QCoreApplication::translate("tesselo::PlayerMessages",
                                                "The settings could not be saved to \"tesselo.ini\"."),
                    QMessageBox::Ok, parent);
    box.setInformativeText(reason + QCoreApplication::translate("tesselo::PlayerMessages",
                                                                "\n\nThey hold until Tesselo closes, and will be "
                                                                "lost then."));
    box.exec();
}

void TellNoWayHome(QWidget* parent)
{
    QMessageBox::information(parent, QStringLiteral("Tesselo"),
                             QCoreApplication::translate("tesselo::PlayerMessages",
                                                         "No slides can bring this board back to the whole "
                                                         "picture, so there is no hint and no solve."));
}

bool AskCloseLosingWins(QWidget* parent, std::size_t count, const QString& file, const QString& reason)
{
    return AskClose(parent,
                    QCoreApplication::translate("tesselo::PlayerMessages",
                                                "%n win(s) could not be written to the records in \"%1\".", nullptr,
                                                int(count))
                        .arg(file),
                    reason +
                        QCoreApplication::translate("tesselo::PlayerMessages",
                                                    "\n\nClose the window again to retry, or close and lose "
                                                    "%n win(s).",
                                                    nullptr, int(count)),
                    QCoreApplication::translate("tesselo::PlayerMessages", "Close and Lose %n Win(s)", nullptr,
                                                int(count)));
}

} // namespace tesselo
