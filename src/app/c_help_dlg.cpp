#include "app/c_help_dlg.h"

#include "app/dialog_layout.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tesselo {

namespace {

struct Text {
    int x, y, w, h;
    bool centred;
    const char* text;
};

// The page in two columns, in dialog units.
constexpr Text kTexts[] = {
    {7, 7, 240, 12, true, "Instructions:"},
    {7, 23, 240, 10, false, "Click \"New Game\" to start playing."},
    {7, 36, 240, 8, false, "Click and drag the image to re-assemble the picture."},
    {7, 49, 240, 8, false, "Keyboard:"},
    {14, 62, 233, 8, false, "Use right and left arrow keys to slide the selected row."},
    {14, 74, 233, 8, false, "Use up and down arrow keys to slide the selected column."},
    {14, 86, 233, 8, false, "Use Shift + arrow keys to change the selection."},
    {14, 97, 233, 8, false, "Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay."},
    {7, 110, 240, 8, true, "About Tesselo"},
    {37, 126, 204, 8, false, "Tesselo version 1.00, made by the Tesselo team."},
    {37, 138, 204, 8, false, "Copyright (C) 2026 the Tesselo team."},
    {7, 183, 240, 41, false,
     "The licence is set out in the file \"Attributions.txt\" beside the program, and at "
     "https://opensource.org/license/mit."},
    {7, 228, 235, 8, false, "USE AT YOUR OWN RISK!"},
    {7, 245, 240, 14, false, "This software is  not warranted safe or fit for any purpose whatsoever."},
    {7, 162, 240, 19, false, "Tesselo is free software, distributed under the MIT licence."},
    {253, 7, 240, 8, true, "Options:"},
    {253, 20, 240, 8, false, "Click the Options button to:"},
    {258, 30, 235, 8, false, "- Set the difficulty (number of cells)"},
    {258, 40, 235, 8, false, "- Set the style: strategy (fewest moves) or speed (shortest time)"},
    {258, 50, 235, 16, false,
     "- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported."},
    {258, 68, 235, 8, false, "- Turn off the sound"},
    {253, 80, 240, 8, false, "Right-click the board for a menu of the Ctrl keys."},
    {253, 95, 240, 8, true, "Attributions:"},
    {253, 115, 240, 8, false, "For sound management, Tesselo uses:"},
    {253, 125, 240, 8, false, "SDL2 and SDL2_mixer (libsdl.org), under the zlib licence."},
    {253, 140, 240, 16, false,
     "The sound effects were synthesised for this program by its makers, as were all its pictures."},
    {253, 160, 240, 8, false, "Sounds are from:"},
    {253, 175, 240, 8, false, "The Tesselo team: every cue is synthesised by code,"},
    {253, 185, 240, 8, false, "in tools/make_sounds.cpp, when the game is built."},
    {253, 195, 240, 8, false, "No recording by anyone else is used."},
    {253, 205, 240, 8, false, "Pictures: drawn by code in tools/make_art.cpp."},
    {253, 215, 240, 8, false, "Windows and pictures: Qt 6 (qt.io), under the LGPL 3."},
    {253, 235, 240, 8, false, "For more detail, see the accompanying file \"Attributions.txt\""},
};

} // namespace

CHelpDlg::CHelpDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Tesselo Help"));
    auto* layout = new DialogLayout(this, QSize(500, 300));

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    layout->Add(done, QRect(225, 279, 50, 14), DialogLayout::Anchor::Centre);
    connect(done, &QPushButton::clicked, this, &QDialog::reject);

    for (const Text& t : kTexts) {
        auto* label = new QLabel(QString::fromUtf8(t.text), this);
        label->setAlignment((t.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        // Any line may need a second one in a wide font.
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::NoTextInteraction);
        label->setTextFormat(Qt::PlainText);
        layout->Add(label, QRect(t.x, t.y, t.w, t.h));
    }
    auto* icon = new QLabel(this);
    const QRect iconUnits(7, 126, 20, 20);
    const QRect iconRect = layout->Units().Rect(iconUnits);
    icon->setPixmap(QIcon(QStringLiteral(":/tesselo/icon.png")).pixmap(std::min(iconRect.width(), iconRect.height())));
    layout->Add(icon, iconUnits);
    layout->activate();
}

} // namespace tesselo
