#include "app/dialogs/c_splash_dlg.h"

#include "app/dialogs/dialog_layout.h"

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
    auto* layout = new DialogLayout(this, QSize(186, 134));

    // A frameless window still wants an edge, as a modal frame would give.
    // It holds everything else, so it grows with whatever grows.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    layout->Add(frame, QRect(0, 0, 186, 134), DialogLayout::Anchor::Stretch);

    // The game's name is the same in every language.
    auto* title = new QLabel(QStringLiteral("TESSELO"), this);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->Add(title, QRect(7, 24, 172, 10), DialogLayout::Anchor::Stretch);

    auto* credit = new QLabel(tr("A sliding picture puzzle by the Tesselo team"), this);
    credit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credit->setWordWrap(true);
    // Smaller and lighter than the title, in whatever face the title has.
    QFont small;
    small.setPointSize(9);
    small.setWeight(QFont::Normal);
    credit->setFont(small);
    layout->Add(credit, QRect(7, 48, 172, 8), DialogLayout::Anchor::Stretch);

    proceedButton = new QPushButton(tr("Proceed"), this);
    // The button carries the OK role: Enter presses it wherever the focus is.
    proceedButton->setDefault(true);
    connect(proceedButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->Add(proceedButton, QRect(65, 115, 54, 12), DialogLayout::Anchor::Centre);
    layout->activate();
}

} // namespace tesselo
