#include "app/window/player_messages.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
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

int Prompter::Run(QDialog& dialog)
{
    return dialog.exec();
}

void Prompter::Run(QMenu& menu, QPoint at)
{
    menu.exec(at);
}

bool Prompter::Ask(QWidget* parent, const Prompt& prompt)
{
    const int count = int(prompt.count);
    switch (prompt.kind) {
    case Prompt::Kind::SaveFailed:
        return AskClose(parent, QCoreApplication::translate("tesselo::PlayerMessages", "The game could not be saved."),
                        prompt.reason + QCoreApplication::translate("tesselo::PlayerMessages",
                                                                    "\n\nClose the window again to retry, "
                                                                    "or close without saving."),
                        QCoreApplication::translate("tesselo::PlayerMessages", "Close Without Saving"));
    case Prompt::Kind::WinNotKept: QMessageBox::warning(parent, QStringLiteral("Tesselo"), prompt.reason); break;
    case Prompt::Kind::Notice: QMessageBox::information(parent, QStringLiteral("Tesselo"), prompt.reason); break;
    case Prompt::Kind::SettingsNotKept: {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tesselo"),
                        QCoreApplication::translate("tesselo::PlayerMessages",
                                                    "The settings could not be saved to \"tesselo.ini\"."),
                        QMessageBox::Ok, parent);
        box.setInformativeText(
            prompt.reason + QCoreApplication::translate("tesselo::PlayerMessages",
                                                        "\n\nThey hold until Tesselo closes, and will be lost then."));
        box.exec();
        break;
    }
    case Prompt::Kind::NoWayHome:
        QMessageBox::information(parent, QStringLiteral("Tesselo"),
                                 QCoreApplication::translate("tesselo::PlayerMessages",
                                                             "No slides can bring this board back to "
                                                             "the whole picture, so there is no hint "
                                                             "and no solve."));
        break;
    case Prompt::Kind::WinsAtRisk:
        return AskClose(
            parent,
            QCoreApplication::translate("tesselo::PlayerMessages",
                                        "%n win(s) could not be written to the records in \"%1\".", nullptr, count)
                .arg(prompt.file),
            prompt.reason + QCoreApplication::translate("tesselo::PlayerMessages",
                                                        "\n\nClose the window again to retry, "
                                                        "or close and lose %n win(s).",
                                                        nullptr, count),
            QCoreApplication::translate("tesselo::PlayerMessages", "Close and Lose %n Win(s)", nullptr, count));
    }
    return false;
}

} // namespace tesselo
