#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/c_splash_dlg.h"
#include "app/dialogs/daily_wins_page.h"
#include "app/dialogs/dialog_layout.h"
#include "app/dialogs/kind_wins_page.h"
#include "app/program/language.h"
#include "app/window/c_tesselo_dlg.h"
#include "app/window/window_layout.h"
#include "charts/progress_panel.h"
#include "model/game.h"
#include "support/temp_cwd.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QScreen>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

std::string Name(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return "label \"" + l->text().toStdString() + "\"";
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return "button \"" + b->text().toStdString() + "\"";
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return "frame \"" + g->title().toStdString() + "\"";
    return w->metaObject()->className();
}

bool HasText(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w))
        return !l->text().isEmpty();
    return qobject_cast<const QAbstractButton*>(w) != nullptr;
}

// What keeps a control from showing its text whole; empty when it does.
std::string Clipped(QWidget* w)
{
    const QSize size = w->size();
    const auto tooSmall = [&](QSize needed) {
        return needed.width() > size.width() || needed.height() > size.height()
                   ? "needs " + std::to_string(needed.width()) + " x " + std::to_string(needed.height()) + ", has " +
                         std::to_string(size.width()) + " x " + std::to_string(size.height())
                   : std::string();
    };
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty())
            return {};
        if (!l->wordWrap())
            return tooSmall(l->sizeHint());
        return tooSmall({l->minimumSizeHint().width(), l->heightForWidth(size.width())});
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        // The text is drawn inside the button's frame.
        QStyleOptionButton option;
        option.initFrom(b);
        option.text = b->text();
        if (b->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (b->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
        const QSize text = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
        return tooSmall(size - contents.size() + text);
    }
    if (qobject_cast<QRadioButton*>(w))
        return tooSmall(w->sizeHint());
    if (qobject_cast<QGroupBox*>(w))
        return tooSmall({w->minimumSizeHint().width(), 0});
    // A spin box shows its largest count whole; the field inside it is
    // measured with it.
    if (qobject_cast<QAbstractSpinBox*>(w))
        return tooSmall(w->minimumSizeHint());
    if (qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
        return tooSmall({0, w->minimumSizeHint().height()});
    return {};
}

// The part of a frame that may hold controls: below its title and inside
// its lines, as the style draws them (what a layout inside the frame gets).
QRect FrameContents(QGroupBox* box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | (box->title().isEmpty() ? QStyle::SC_None : QStyle::SC_GroupBoxLabel);
    if (box->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, box);
}

// A control that shares any pixel with a frame lies wholly inside it: not
// across its lines, nor over its title.
void ExpectInsideFrames(QWidget* window, const std::string& where)
{
    const auto inWindow = [window](QWidget* w, const QRect& r) { return r.translated(w->mapTo(window, QPoint())); };
    for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
        if (!box->isVisibleTo(window))
            continue;
        const QRect whole = inWindow(box, box->rect());
        const QRect inside = inWindow(box, FrameContents(box));
        // What the frame holds, and what lies beside it on the same parent.
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool near = w->parentWidget() == box || w->parentWidget() == box->parentWidget();
            if (w == box || !near || !w->isVisibleTo(window))
                continue;
            const QRect at = inWindow(w, w->rect());
            EXPECT_TRUE(!at.intersects(whole) || inside.contains(at))
                << where << ": " << Name(w) << " crosses " << Name(box) << "'s lines";
        }
    }
}

// Every control of the window shows its text whole, lies inside the window,
// and no two texts overlap.
void ExpectTextsWhole(QWidget* window, const std::string& where)
{
    ExpectInsideFrames(window, where);
    std::vector<QWidget*> texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        const std::string clipped = Clipped(w);
        EXPECT_EQ(clipped, "") << where << ": " << Name(w);
        const QRect inWindow(w->mapTo(window, QPoint()), w->size());
        EXPECT_TRUE(window->rect().contains(inWindow)) << where << ": " << Name(w) << " lies outside the window";
        if (HasText(w))
            texts.push_back(w);
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const QRect a(texts[i]->mapTo(window, QPoint()), texts[i]->size());
            const QRect b(texts[j]->mapTo(window, QPoint()), texts[j]->size());
            EXPECT_FALSE(a.intersects(b)) << where << ": " << Name(texts[i]) << " | " << Name(texts[j]);
        }
}

// Checks the texts of the message box a call opens, then closes it.
void ExpectMessageWhole(QWidget* owner, const std::function<void()>& open, const std::string& where)
{
    bool seen = false;
    QTimer::singleShot(0, owner, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << where;
        seen = true;
        ExpectTextsWhole(box, where);
        box->reject();
    });
    QTimer::singleShot(5000, owner, [] {
        if (auto* w = QApplication::activeModalWidget())
            w->close();
    });
    open();
    EXPECT_TRUE(seen) << where;
}

// The bar's controls overlap by design (the counter's value sits inside
// its label), so each is checked on its own: a button's caption inside its
// frame, the counter's caption clear of the value.
void ExpectBarWhole(CTesseloDlg& window, const std::string& where)
{
    using First = GameBar::FirstButton;
    for (const First first : {First::NewGame, First::ResetGame, First::Done}) {
        GameBar& bar = window.Bar();
        bar.Show(QStringLiteral("0:00:00.0"), first == First::NewGame, first);
        for (QPushButton* button : {bar.newGame, bar.options, bar.help})
            EXPECT_EQ(Clipped(button), "") << where << ": " << Name(button);
        const QLabel* label = bar.counterLabel;
        const int room = bar.counterValue->x() - label->x() - label->contentsRect().left();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room) << where << ": " << Name(label);
    }
}

struct Face {
    const char* family;
    int points;
};

void PrintTo(const Face& face, std::ostream* out) { *out << face.family << ' ' << face.points << " pt"; }

// Every face in English (no translation) and in every shipped language.
class DialogTexts : public ::testing::TestWithParam<std::tuple<Face, const char*>> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFontDatabase::hasFamily(face.family)) << face.family << " is missing (tools/setup installs it)";
        QApplication::setFont(QFont(face.family, face.points));
        translation = std::make_unique<Translation>(QString::fromLatin1(language));
        ASSERT_EQ(translation->Installed(), *language != 0) << language;
    }
    void TearDown() override { QApplication::setFont(saved); }

    std::string Where(const char* dialog) const
    {
        return std::string(dialog) + " in " + face.family + " " + std::to_string(face.points) + " pt" +
               (*language ? std::string(", ") + language : std::string());
    }

    const Face face = std::get<0>(GetParam());
    const char* const language = std::get<1>(GetParam());
    const QFont saved = QApplication::font();
    std::unique_ptr<Translation> translation;
};

} // namespace

// A monospaced face is far wider than the proportional ones the page was
// drawn for; a large size shrinks the style's fixed parts (the radio mark,
// the frames) against the text, a small one enlarges them.
TEST_P(DialogTexts, AreWholeInThisFace)
{
    {
        CSplashDlg splash;
        // The splash has a face of its own; it too comes in whatever the
        // system has.
        QFont font(face.family, face.points * 14 / 9, QFont::Bold);
        splash.setFont(font);
        splash.layout()->activate();
        ASSERT_EQ(QFontInfo(splash.font()).family(), face.family);
        ExpectTextsWhole(&splash, Where("splash"));
    }
    {
        // With a level chosen and with "Custom" at its largest counts.
        COptionDlg options;
        options.folder = QStringLiteral("./Pictures/");
        options.OnInitDialog();
        options.show();
        ExpectTextsWhole(&options, Where("options"));
        options.difficulty = COptionDlg::kCustom;
        options.custom = GridSize{GridSize::kMax, GridSize::kMax};
        options.OnInitDialog();
        ExpectTextsWhole(&options, Where("options, custom grid"));
    }
    {
        CHelpDlg help;
        ExpectTextsWhole(&help, Where("help"));
    }
    {
        TempCwd cwd;
        Records records;
        GameResult won;
        won.size = kGenius;
        won.style = Style::Speed;
        won.moves = 123;
        won.milliseconds = 4000000;
        won.finished = QDateTime::currentDateTimeUtc();
        ASSERT_TRUE(records.Add(won));
        won.daily = won.finished.date();
        won.assisted = 12;
        ASSERT_TRUE(records.Add(won));
        CRecordsDlg dialog(records, won.size, won.style);
        dialog.show();
        ExpectTextsWhole(&dialog, Where("records"));
        dialog.lists->setCurrentWidget(dialog.progressTab);
        ExpectTextsWhole(&dialog, Where("records, progress"));
        dialog.lists->setCurrentWidget(dialog.dailyPage);
        ExpectTextsWhole(&dialog, Where("records, daily puzzles"));
        dialog.lists->setCurrentIndex(0);
        // Every column of the tables wide enough for its texts, and all of
        // them in view (the last one stretches to the table's edge) unless
        // the screen has no room for them: then the table scrolls, and the
        // window stays within the screen.
        for (const QTableWidget* table : {dialog.summary, dialog.kindPage->wins, dialog.dailyPage->daily}) {
            const QFontMetrics metrics(table->font());
            int needed = 0;
            for (int c = 0; c < table->columnCount(); ++c) {
                int text = metrics.horizontalAdvance(table->horizontalHeaderItem(c)->text());
                for (int r = 0; r < table->rowCount(); ++r)
                    text = std::max(text, metrics.horizontalAdvance(table->item(r, c)->text()));
                EXPECT_GE(table->columnWidth(c), text) << Where("records") << ", column " << c;
                needed += c + 1 < table->columnCount() ? table->columnWidth(c) : text;
            }
            if (needed > dialog.screen()->availableGeometry().width() * 4 / 5)
                EXPECT_GE(table->horizontalHeader()->length(), needed) << Where("records");
            else
                EXPECT_GE(table->viewport()->width(), needed) << Where("records");
        }
    }
    {
        Game game;
        // The messages the window shows: the save-failure question as it
        // closes, and the two about wins the records could not take.
        CTesseloDlg window(game);
        ExpectMessageWhole(&window, [&] {
            EXPECT_FALSE(window.Prompts().Ask(&window, Prompt{Prompt::Kind::SaveFailed,
                QStringLiteral("Could not write /home/player/Games/Tesselo/tesselo.dat: No space left on device")}));
        }, Where("save failure"));
        const Records::Failure failure{QStringLiteral("/home/player/.local/share/tesselo/tesselo-records.sqlite"),
                                       Records::tr("Another window of Tesselo kept the records busy for too long.")};
        ExpectMessageWhole(&window, [&] {
            window.Prompts().Ask(&window, Prompt{Prompt::Kind::WinNotKept, failure.Message()});
        }, Where("win not kept"));
        ExpectMessageWhole(&window, [&] {
            window.Prompts().Ask(&window, Prompt{Prompt::Kind::WinsAtRisk, failure.reason, failure.file, 3});
        }, Where("closing, losing wins"));
    }
    {
        // The bar from the smallest window up (its font is its own, the
        // same in every face), and the message of a paste that names no
        // game.
        TempCwd cwd;
        Game game;
        CTesseloDlg window(game);
        for (const int width : {window_layout::kMinClientWidth, 640, 1600}) {
            window.OnSize(width, 600);
            ExpectBarWhole(window, Where("bar") + ", " + std::to_string(width) + " wide");
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("no game here"));
        ExpectMessageWhole(&window, [&] { window.Sharing().PasteId(); }, Where("pasting what is not a game ID"));
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, DialogTexts,
                         ::testing::Combine(::testing::Values(Face{"DejaVu Sans", 9}, Face{"Liberation Mono", 9},
                                                              Face{"Liberation Sans", 20}, Face{"Liberation Mono", 20},
                                                              Face{"DejaVu Sans", 6}),
                                            ::testing::Values("", "de", "fr", "es")),
                         [](const auto& info) {
                             const Face face = std::get<0>(info.param);
                             const char* language = std::get<1>(info.param);
                             std::string name = face.family;
                             std::erase(name, ' ');
                             return name + std::to_string(face.points) + (*language ? language : "en");
                         });

// What grows pushes what follows only once the design's slack is used up,
// a frame grows around what it holds, and the dialog grows with them; the
// anchored controls keep their places against the right edge or the middle.
TEST(DialogLayout, MakesRoomForAGrownText)
{
    QWidget dialog;
    auto* layout = new DialogLayout(&dialog, QSize(100, 100));
    const DialogUnits du = layout->Units();
    const auto bottom = [&](const QRect& units) { return du.Rect(units).bottom() + 1; };
    const auto right = [&](const QRect& units) { return du.Rect(units).right() + 1; };
    const auto keep = [](int gap, int margin) { return std::min(gap, margin); };

    const QRect frameAt(5, 5, 50, 30), textAt(7, 10, 40, 8), closeAt(7, 20, 40, 8), farAt(10, 50, 80, 8),
        besideAt(60, 10, 30, 8), rightAt(70, 80, 25, 14), middleAt(40, 80, 20, 14);
    auto* frame = new QFrame(&dialog);
    auto* text = new QLabel(QStringLiteral("a"), &dialog);
    text->setWordWrap(true);
    auto* close = new QLabel(QStringLiteral("close"), &dialog);
    auto* far = new QLabel(QStringLiteral("far"), &dialog);
    auto* beside = new QLabel(QStringLiteral("beside"), &dialog);
    auto* rightButton = new QPushButton(QStringLiteral("R"), &dialog);
    auto* middleButton = new QPushButton(QStringLiteral("M"), &dialog);
    layout->Add(frame, frameAt);
    layout->Add(text, textAt);
    layout->Add(close, closeAt);
    layout->Add(far, farAt);
    layout->Add(beside, besideAt);
    layout->Add(rightButton, rightAt, DialogLayout::Anchor::Right);
    layout->Add(middleButton, middleAt, DialogLayout::Anchor::Centre);
    layout->activate();

    // A short text: everything on its design.
    EXPECT_EQ(dialog.size(), QSize(du.X(100), du.Y(100)));
    for (auto [w, r] : {std::pair{static_cast<QWidget*>(frame), frameAt}, {text, textAt}, {close, closeAt},
                        {far, farAt}, {beside, besideAt}, {rightButton, rightAt}, {middleButton, middleAt}})
        EXPECT_EQ(w->geometry(), du.Rect(r)) << Name(w);

    // Many short words: the text grows down by several lines.
    text->setText(QStringLiteral("one two six ten one two six ten one two six ten one two six ten one two six ten"));
    layout->activate();
    ASSERT_EQ(text->geometry().topLeft(), du.Rect(textAt).topLeft());
    ASSERT_EQ(text->width(), du.X(40));
    const int grown = text->height() - du.Y(8);
    ASSERT_GT(grown, du.Y(20)) << "the text did not wrap onto several lines";
    // A narrow gap is kept,
    EXPECT_EQ(close->y(), text->geometry().bottom() + 1 + du.Rect(closeAt).y() - bottom(textAt));
    // the frame keeps its margin,
    EXPECT_EQ(frame->geometry().bottom(), close->geometry().bottom() + bottom(frameAt) - bottom(closeAt));
    // a wide gap shrinks to the dialog's margin before anything moves,
    EXPECT_EQ(far->y(), std::max(du.Rect(farAt).y(),
                                 frame->geometry().bottom() + 1 + keep(du.Rect(farAt).y() - bottom(frameAt), du.Y(7))));
    EXPECT_EQ(rightButton->y(), far->geometry().bottom() + 1 + du.Y(7));
    EXPECT_EQ(middleButton->y(), rightButton->y());
    // what lies beside it stays, and the dialog keeps its bottom margin.
    EXPECT_EQ(beside->geometry(), du.Rect(besideAt));
    EXPECT_EQ(dialog.height() - rightButton->geometry().bottom() - 1, du.Y(100) - bottom(rightAt));
    EXPECT_EQ(dialog.width(), du.X(100));

    // A word too long for the line widens the text instead: what lies to its
    // right moves over, the dialog widens, and the anchors follow it.
    text->setText(QStringLiteral("Unbreakablewordthatisfarlongerthanthewholedialogiswide"));
    layout->activate();
    EXPECT_GT(text->width(), du.X(40));
    EXPECT_EQ(frame->geometry().right(), text->geometry().right() + keep(right(frameAt) - right(textAt), du.X(7)));
    EXPECT_EQ(beside->x(), frame->geometry().right() + 1 + keep(du.Rect(besideAt).x() - right(frameAt), du.X(7)));
    EXPECT_EQ(dialog.width(), beside->geometry().right() + 1 + keep(du.X(100) - right(besideAt), du.X(7)));
    EXPECT_EQ(dialog.width() - rightButton->geometry().right() - 1, du.X(100) - right(rightAt));
    EXPECT_NEAR(middleButton->geometry().center().x(), dialog.width() / 2, 2);
}
