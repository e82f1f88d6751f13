#include "app/dialogs/c_help_dlg.h"

#include "app/dialogs/dialog_units.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <span>

namespace tesselo {

namespace {

enum class Kind {
    Heading, // centred over its column
    Line,
    Item,    // indented under the line before it
    Credit,  // beside the game's icon
};

// A row of the page: what it is, its text, and the space above it in dialog
// units. A row that needs more lines in some language or font takes them,
// and whatever follows moves down.
struct Row {
    Kind kind;
    int space;
    const char* text;
};

// The page's two columns, top to bottom. A new line on the page is a new
// row here; "update_translations" then brings it to the translators.
constexpr Row kLeft[] = {
    {Kind::Heading, 0, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Instructions:")},
    {Kind::Line, 8, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Click \"New Game\" to start playing.")},
    {Kind::Line, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Click and drag the image to re-assemble the picture.")},
    {Kind::Line, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Keyboard:")},
    {Kind::Item, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Use right and left arrow keys to slide the selected row.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Use up and down arrow keys to slide the selected column.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Use Shift + arrow keys to change the selection.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay, M solve map.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "H shows a hint: the next move of the shortest way known.")},
    {Kind::Item, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Shift+H solves: it plays that way a move at a time until a key or click.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "P pauses a Speed game; P or a click goes on.")},
    {Kind::Item, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "N shows or hides the numbers on the tiles: each tile's place in the finished picture, "
                       "counted along the rows.")},
    {Kind::Item, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "Ctrl+C copies the game ID, Ctrl+V plays the game ID copied, Ctrl+D plays the daily puzzle.")},
    {Kind::Item, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "Ctrl+Shift+C copies the replay of a win, which Ctrl+V plays too; Ctrl+Shift+R races your "
                       "best: its solve plays beside yours.")},
    // The IDs are the same in every language: a level's English name, or
    // the counts with an "x".
    {Kind::Item, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "A game ID names the grid and a number: Expert-2718281828 on a level, 5x7-2718281828 "
                       "on a custom grid of 5 rows and 7 columns.")},
    {Kind::Line, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Game controller:")},
    {Kind::Item, 5,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "D-pad or left stick slides the selected row or column; the right stick (or the left "
                       "shoulder held) moves the selection.")},
    {Kind::Item, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "A first button, B undo, right shoulder redo, X hint, Y numbers, Start pause.")},
    {Kind::Line, 5,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "On a touch screen, drag a row or column with a finger; a tap selects.")},
    {Kind::Heading, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "About Tesselo")},
    {Kind::Credit, 8, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Tesselo version 1.00, made by the Tesselo team.")},
    {Kind::Credit, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Copyright (C) 2026 the Tesselo team.")},
    {Kind::Line, 16,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Tesselo is free software, distributed under the MIT licence.")},
    {Kind::Line, 13,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "The licence is set out in the file \"Attributions.txt\" beside the program, and at "
                       "https://opensource.org/license/mit.")},
    {Kind::Line, 13, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "USE AT YOUR OWN RISK!")},
    {Kind::Line, 9,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "This software is  not warranted safe or fit for any purpose whatsoever.")},
};

constexpr Row kRight[] = {
    {Kind::Heading, 0, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Options:")},
    {Kind::Line, 5, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Click the Options button to:")},
    {Kind::Item, 2,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "- Set the difficulty: a level, or a custom grid of 2 to 20 rows and 2 to 20 columns")},
    {Kind::Item, 2,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "- Set the style: strategy (fewest moves) or speed (shortest time)")},
    {Kind::Item, 2,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.")},
    {Kind::Item, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "- Show a number on each tile, for pictures with few clues")},
    {Kind::Item, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "- Turn off the sound")},
    {Kind::Line, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Right-click the board for a menu of every command and its key.")},
    // The solver's notation, as "tesselo --solve" prints it; R and C stay
    // as they are in every language, since the command prints them so.
    {Kind::Line, 4,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "In a terminal, \"tesselo --solve\" prints a way back from the saved game, in moves such as:")},
    {Kind::Item, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "R2+1: row 2 one cell right; R2-3: three cells left")},
    {Kind::Item, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "C4+2: column 4 two cells down; C4-1: one cell up")},
    {Kind::Heading, 7, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Attributions:")},
    {Kind::Line, 12, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "For sound management, Tesselo uses:")},
    {Kind::Line, 2,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "SDL2 and SDL2_mixer (libsdl.org), under the zlib licence.")},
    {Kind::Line, 7,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg",
                       "The sound effects were synthesised for this program by its makers, as were all its pictures.")},
    {Kind::Line, 4, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Sounds are from:")},
    {Kind::Line, 7, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "The Tesselo team: every cue is synthesised by code,")},
    {Kind::Line, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "in tools/make_sounds.cpp, when the game is built.")},
    {Kind::Line, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "No recording by anyone else is used.")},
    {Kind::Line, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Pictures: drawn by code in tools/make_art.cpp.")},
    {Kind::Line, 2, QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "Windows and pictures: Qt 6 (qt.io), under the LGPL 3.")},
    {Kind::Line, 12,
     QT_TRANSLATE_NOOP("tesselo::CHelpDlg", "For more detail, see the accompanying file \"Attributions.txt\"")},
};

// In dialog units: the page's margin, a column's width, the space between
// the columns, the indent of an item, the icon's side and its distance from
// the lines beside it, and the "Done" button with the space above it.
constexpr int kMargin = 7;
constexpr int kColumnWidth = 240;
constexpr int kColumnGap = 6;
constexpr int kIndent = 6;
constexpr int kIcon = 20;
constexpr int kIconGap = 10;
constexpr QSize kDone(50, 14);
constexpr int kDoneSpace = 14;

} // namespace

CHelpDlg::CHelpDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(tr("Tesselo Help"));
    const DialogUnits du(font());

    // A wrapping text gets its width here, so that it breaks its lines where
    // the page's columns end; a word longer than that widens it instead.
    const auto label = [&](const char* text, int width, Qt::Alignment alignment, int indent) {
        auto* l = new QLabel(tr(text), this);
        l->setTextFormat(Qt::PlainText);
        l->setTextInteractionFlags(Qt::NoTextInteraction);
        l->setAlignment(alignment | Qt::AlignTop);
        l->setWordWrap(true);
        l->setContentsMargins(du.X(indent), 0, 0, 0);
        l->setFixedWidth(std::max(du.X(width), l->minimumSizeHint().width()));
        return l;
    };
    const auto column = [&](std::span<const Row> rows) {
        auto* box = new QVBoxLayout;
        box->setSpacing(0);
        QVBoxLayout* credits = nullptr;
        for (const Row& row : rows) {
            if (row.kind == Kind::Credit) {
                if (!credits) {
                    box->addSpacing(du.Y(row.space));
                    auto* icon = new QLabel(this);
                    const int side = std::min(du.X(kIcon), du.Y(kIcon));
                    icon->setPixmap(QIcon(QStringLiteral(":/tesselo/icon.png")).pixmap(side));
                    icon->setFixedSize(du.X(kIcon), du.Y(kIcon));
                    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                    credits = new QVBoxLayout;
                    credits->setSpacing(0);
                    auto* beside = new QHBoxLayout;
                    beside->setSpacing(du.X(kIconGap));
                    beside->addWidget(icon, 0, Qt::AlignTop);
                    beside->addLayout(credits);
                    box->addLayout(beside);
                } else {
                    credits->addSpacing(du.Y(row.space));
                }
                credits->addWidget(label(row.text, kColumnWidth - kIcon - kIconGap, Qt::AlignLeft, 0));
                continue;
            }
            credits = nullptr;
            box->addSpacing(du.Y(row.space));
            box->addWidget(label(row.text, kColumnWidth,
                                 row.kind == Kind::Heading ? Qt::AlignHCenter : Qt::AlignLeft,
                                 row.kind == Kind::Item ? kIndent : 0));
        }
        box->addStretch();
        return box;
    };

    auto* page = new QVBoxLayout(this);
    page->setSizeConstraint(QLayout::SetFixedSize);
    page->setContentsMargins(du.X(kMargin), du.Y(kMargin), du.X(kMargin), du.Y(kMargin));
    page->setSpacing(du.Y(kDoneSpace));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(du.X(kColumnGap));
    columns->addLayout(column(kLeft));
    columns->addLayout(column(kRight));
    page->addLayout(columns);

    auto* done = new QPushButton(tr("Done"), this);
    done->setMinimumSize(du.X(kDone.width()), du.Y(kDone.height()));
    connect(done, &QPushButton::clicked, this, &QDialog::reject);
    page->addWidget(done, 0, Qt::AlignHCenter);
    page->activate();
}

} // namespace tesselo
