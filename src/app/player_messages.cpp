#include "app/player_messages.h"

#include <QMessageBox>
#include <QPushButton>

namespace tesselo {

bool AskCloseWithoutSaving(QWidget* parent, const QString& reason)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tesselo"),
                    QStringLiteral("The game could not be saved to \"tesselo.dat\"."), QMessageBox::NoButton, parent);
    box.setInformativeText(reason + QStringLiteral("\n\nClose the window again to retry, or close without saving."));
    QPushButton* keep = box.addButton(QStringLiteral("Keep Playing"), QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(QStringLiteral("Close Without Saving"), QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == quit;
}

} // namespace tesselo
