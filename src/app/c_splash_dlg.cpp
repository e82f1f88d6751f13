#include "app/c_splash_dlg.h"

#include "app/dialog_units.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tesselo {

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Tesselo"));
    QFont font(QStringLiteral("serif"), 14, QFont::Bold);
    font.setStyleHint(QFont::Serif);
    setFont(font);
    const DialogUnits du(font);
    setFixedSize(du.X(186), du.Y(134));

    // A frameless window still wants an edge, as a modal frame would give.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    frame->setGeometry(rect());

    auto* title = new QLabel(QStringLiteral("TESSELO"), this);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(du.Rect(7, 24, 172, 10));

    auto* credit = new QLabel(QStringLiteral("A sliding picture puzzle by the Tesselo team"), this);
    credit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credit->setGeometry(du.Rect(7, 48, 172, 8));
    QFont small = font;
    small.setPointSize(9);
    small.setBold(false);
    credit->setFont(small);

    proceedButton = new QPushButton(QStringLiteral("Proceed"), this);
    proceedButton->setGeometry(du.Rect(65, 115, 54, 12));
    // The button carries the OK role: Enter presses it wherever the focus is.
    proceedButton->setDefault(true);
    connect(proceedButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tesselo
