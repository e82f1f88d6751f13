#include "app/window/game_bar.h"

#include "app/dialogs/dialog_units.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <initializer_list>

namespace tesselo {

namespace {

const char* const kStatusName = "statusForScreenReaders";

// The status reaches assistive technology as a notification: a screen
// reader says one as it shows, wherever the focus is (Orca says a changed
// name only of the object with the focus, which the status never holds,
// and Qt 6.4 has no announcement of its own).
QAccessibleInterface* StatusAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object && object->objectName() == QLatin1String(kStatusName))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

template <typename Control>
void SetTextIfDifferent(Control* control, const QString& text)
{
    if (control->text().compare(text, Qt::CaseInsensitive) != 0)
        control->setText(text);
}

} // namespace

GameBar::GameBar(QWidget* window)
{
    // The window as designed, in dialog units; Layout replaces these
    // positions as soon as the window opens.
    const DialogUnits du(window->font());
    const auto button = [&](const char* name, const QString& text, QRect rect) {
        auto* b = new QPushButton(text, window);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(rect);
        // Enter does nothing in this window; no button is a default one.
        b->setAutoDefault(false);
        // A button with the focus would take the arrows (to move the focus
        // on); the keys belong to the board.
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    newGame = button("newGameButton", tr("New Game"), du.Rect(0, 1, 50, 14));
    options = button("optionsButton", tr("Options"), du.Rect(65, 1, 50, 14));
    counterLabel = new QLabel(tr("Moves:"), window);
    counterLabel->setObjectName(QStringLiteral("counterLabel"));
    counterLabel->setGeometry(du.Rect(122, 1, 94, 14));
    counterLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    counterLabel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    counterLabel->setLineWidth(2);
    counterValue = new QLabel(window);
    counterValue->setObjectName(QStringLiteral("counterValue"));
    counterValue->setGeometry(du.Rect(162, 3, 48, 10));
    counterValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counterValue->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    help = button("helpButton", tr("Help"), du.Rect(228, 1, 50, 14));
    // The counter value sits inside the label and above it.
    counterValue->raise();
    static const bool statusFactory = [] {
        QAccessible::installFactory(&StatusAccessible);
        return true;
    }();
    (void)statusFactory;
    status = new QLabel(window);
    status->setObjectName(QString::fromLatin1(kStatusName));
    status->setGeometry(0, 0, 0, 0);
    status->setAccessibleName(tr("Status"));
}

void GameBar::Announce(const QString& text)
{
    status->setText(text);
    // Qt tells assistive technology of the new name, and showing the
    // notification again has it said.
    status->setAccessibleName(text);
    status->hide();
    status->show();
}

void GameBar::Layout(int buttonWidth, int barHeight)
{
    const window_layout::Bar bar = window_layout::LayoutBar(buttonWidth, barHeight);
    newGame->setGeometry(bar.newGame);
    options->setGeometry(bar.options);
    counterLabel->setGeometry(bar.counterLabel);
    counterValue->setGeometry(bar.counterValue);
    help->setGeometry(bar.help);
    FitFont(buttonWidth);
    for (QWidget* c : std::initializer_list<QWidget*>{newGame, options, counterLabel, counterValue, help})
        c->setFont(*font);
}

void GameBar::FitFont(int buttonWidth)
{
    QFont trial(QStringLiteral("Times New Roman"));
    trial.setWeight(QFont::Bold);
    const std::pair<int, qreal> screen{newGame->logicalDpiY(), newGame->devicePixelRatioF()};
    const QString newCaption = tr("New Game");
    const QString resetCaption = tr("Reset Game");
    const int size = fit.PixelSize(buttonWidth, CaptionRoom(buttonWidth), screen, [&](int pixelSize) {
        trial.setPixelSize(pixelSize);
        const QFontMetrics metrics(trial, newGame);
        const int newWidth = metrics.horizontalAdvance(newCaption);
        return window_layout::CaptionWidths{newWidth, std::max(newWidth, metrics.horizontalAdvance(resetCaption))};
    });
    trial.setPixelSize(size);
    font = std::make_unique<QFont>(trial);
}

int GameBar::CaptionRoom(int buttonWidth) const
{
    // The style draws the caption inside the button's frame, and cuts off
    // what does not fit there.
    QStyleOptionButton option;
    option.initFrom(newGame);
    option.rect = QRect(0, 0, buttonWidth, std::max(newGame->height(), 1));
    return newGame->style()->subElementRect(QStyle::SE_PushButtonContents, &option, newGame).width();
}

void GameBar::Show(const QString& counter, bool strategyStyle, FirstButton first)
{
    counterValue->setText(counter);
    SetTextIfDifferent(counterLabel, strategyStyle ? tr("Moves:") : tr("Time:"));
    // One labelled value to a screen reader: "Moves: 44".
    counterValue->setAccessibleName(counterLabel->text() + QLatin1Char(' ') + counter);
    //: The first button in a "Blind" game: the player says the picture is whole
    const QString done = tr("Done");
    SetTextIfDifferent(newGame, first == FirstButton::Done        ? done
                                : first == FirstButton::ResetGame ? tr("Reset Game")
                                                                  : tr("New Game"));
}

} // namespace tesselo
