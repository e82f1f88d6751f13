#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/dialog_units.h"
#include "app/sound_play_dir.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"
#include "model/game_id.h"
#include "model/game_setup.h"
#include "pictures/picture_setup.h"
#include "view/c_puzzle_image.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

// The options dialog with the file dialog and the refusal box answered by
// the test.
class ScriptedOptionDlg : public COptionDlg {
public:
    QString ChooseFile() override
    {
        ++choices;
        return chosenFile;
    }
    void Refuse(const QString& why) override { refusals.push_back(why); }

    QString chosenFile;
    int choices = 0;
    std::vector<QString> refusals;
};

// What the main window preset in the options dialog it opened.
struct Preset {
    int difficulty = -1, style = -1, volume = -1;
    QString folder;
    int checkedDifficulty = -1, checkedStyle = -1, slider = -1;
    QString edit;
    GridSize custom, spins;
};

// The game window whose options dialog the test answers: the script works
// the controls as a player would and says whether to press OK.
class OptionsWindow : public CTesseloDlg, public Prompter {
public:
    explicit OptionsWindow(Game& game) : CTesseloDlg(game) { SetPrompter(this); }
    using Prompter::Run;
    int Run(QDialog& dialog) override
    {
        auto* options = qobject_cast<COptionDlg*>(&dialog);
        if (!options)
            return Prompter::Run(dialog);
        COptionDlg& o = *options;
        preset = {o.difficulty,
                  o.style,
                  o.volume,
                  o.folder,
                  o.difficultyGroup->checkedId(),
                  o.styleGroup->checkedId(),
                  o.volumeSlider->value(),
                  o.folderEdit->text(),
                  o.custom,
                  {o.rowsSpin->value(), o.columnsSpin->value()}};
        const bool ok = script ? script(o) : false;
        if (ok)
            o.accept();
        else
            o.reject();
        return o.result();
    }

    std::function<bool(COptionDlg&)> script;
    Preset preset;
};

struct Window {
    Window() : dlg(game)
    {
        dlg.OnSize(dlg.width(), dlg.height());
        dlg.OnInitDialog();
    }
    // Opens the options, lets the script work them, and says OK or Cancel.
    void Options(std::function<bool(COptionDlg&)> script)
    {
        dlg.script = std::move(script);
        dlg.OnBnClickedOptions();
    }
    bool ClockTicking() { return tesselo::testing::ClockTicking(dlg.Sound()); }
    bool Playing(int sample)
    {
        return ChannelsPlaying(dlg.Sound().samples[std::size_t(sample)]) > 0;
    }

    Game game;
    OptionsWindow dlg;
};

void Click(COptionDlg& o, const char* name)
{
    auto* b = o.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

} // namespace

TEST(OptionDialog, LaidOutAsItsTemplateInTabOrder)
{
    COptionDlg o;
    EXPECT_EQ(o.windowTitle(), "Set Options");
    EXPECT_FALSE(o.windowFlags() & Qt::WindowCloseButtonHint);
    // The frames lay out what they hold as the dialog shows.
    o.show();
    const DialogUnits du(o.font());
    EXPECT_TRUE(o.okButton->isDefault());

    std::vector<QString> titles;
    std::vector<QRect> frames;
    for (auto* g : o.findChildren<QGroupBox*>()) {
        titles.push_back(g->title());
        frames.push_back(g->geometry());
    }
    ASSERT_EQ(titles, (std::vector<QString>{"Difficulty", "Picture Directory", "Style", "Volume"}));
    const QRect difficulty = frames[0], folder = frames[1], style = frames[2], volume = frames[3];
    // The template's places: the levels and the style side by side, the
    // folder and the volume below them across the dialog, OK and Cancel
    // under everything at the two edges.
    EXPECT_EQ(style.top(), difficulty.top());
    EXPECT_LT(difficulty.right(), style.left());
    EXPECT_GT(folder.top(), difficulty.bottom());
    EXPECT_GT(volume.top(), folder.bottom());
    for (const QRect& wide : {folder, volume}) {
        EXPECT_EQ(wide.left(), difficulty.left());
        EXPECT_EQ(wide.right(), style.right());
    }
    for (const QPushButton* b : {o.okButton, o.cancelButton}) {
        EXPECT_GT(b->y(), volume.bottom());
        EXPECT_GE(b->width(), du.X(50));
        EXPECT_GE(b->height(), du.Y(14));
    }
    EXPECT_EQ(o.okButton->x(), difficulty.left());
    EXPECT_EQ(o.cancelButton->geometry().right(), style.right());
    // The levels and "Custom" evenly spaced, Genius no further down than
    // the others; the counts under "Custom", in line with its text.
    for (int i = 2; i <= COptionDlg::kCustom; ++i)
        EXPECT_EQ(o.difficultyGroup->button(i)->y() - o.difficultyGroup->button(i - 1)->y(),
                  o.difficultyGroup->button(1)->y() - o.difficultyGroup->button(0)->y())
            << o.difficultyGroup->button(i)->text().toStdString();
    const QRect custom = o.difficultyGroup->button(COptionDlg::kCustom)->geometry();
    EXPECT_GT(o.rowsSpin->y(), custom.bottom());
    EXPECT_GT(o.columnsSpin->y(), o.rowsSpin->geometry().bottom());
    EXPECT_EQ(o.rowsSpin->x(), o.columnsSpin->x());
    auto* off = o.findChildren<QGroupBox*>()[3]->findChild<QLabel*>();
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->text(), "Off");
    EXPECT_LT(off->geometry().right(), o.volumeSlider->geometry().left()) << "\"Off\" is not left of the slider";
    EXPECT_EQ(o.browseButton->text(), "...");

    // Tab runs through the controls in the template's order.
    const std::vector<QString> expected{"ok",       "cancel",  "novice",      "pro",   "expert",  "genius",
                                        "custom",   "rows",    "columns",     "strategy", "speed", "fewestmoves",
                                        "blind",    "animate", "numbers",     "folder", "browse", "volume"};
    std::vector<QString> order;
    QWidget* w = o.okButton;
    do {
        // A spin box takes the focus through the text field inside it.
        if (w->focusPolicy() & Qt::TabFocus && !qobject_cast<QSpinBox*>(w->parentWidget()))
            order.push_back(w->objectName());
        w = w->nextInFocusChain();
    } while (w != o.okButton && order.size() < 30);
    EXPECT_EQ(order, expected);

    // Two radio groups, each exclusive on its own.
    Click(o, "genius");
    Click(o, "speed");
    Click(o, "pro");
    EXPECT_EQ(o.difficultyGroup->checkedId(), 1);
    EXPECT_EQ(o.styleGroup->checkedId(), 1);
    const std::vector<QString> levels{"Novice", "Pro", "Expert", "Genius", "Custom"};
    for (int i = 0; i <= COptionDlg::kCustom; ++i)
        EXPECT_EQ(o.difficultyGroup->button(i)->text(), levels[std::size_t(i)]);
    EXPECT_EQ(o.styleGroup->button(0)->text(), "Strategy");
    EXPECT_EQ(o.styleGroup->button(1)->text(), "Speed");
    EXPECT_EQ(o.styleGroup->button(2)->text(), "Fewest Moves");
    EXPECT_EQ(o.styleGroup->button(3)->text(), "Blind");
}

TEST(OptionDialog, ControlsShowTheFieldsAndOkTakesThemBack)
{
    TempCwd cwd;
    ScriptedOptionDlg o;
    o.difficulty = 2;
    o.style = 1;
    o.folder = "Somewhere/";
    o.volume = 37;
    o.OnInitDialog();
    EXPECT_EQ(o.difficultyGroup->checkedId(), 2);
    EXPECT_EQ(o.styleGroup->checkedId(), 1);
    EXPECT_EQ(o.folderEdit->text(), "Somewhere/");
    EXPECT_EQ(o.volumeSlider->value(), 37);
    EXPECT_TRUE(o.animateCheck->isChecked());

    // The slider stops at 0, the "Off" end, and at 100.
    o.volumeSlider->setValue(1000);
    EXPECT_EQ(o.volumeSlider->value(), 100);
    o.volumeSlider->setValue(-5);
    EXPECT_EQ(o.volumeSlider->value(), 0);

    Click(o, "genius");
    Click(o, "strategy");
    Click(o, "animate");
    o.folderEdit->setText("Elsewhere/");
    // Nothing reaches the fields before OK.
    EXPECT_EQ(o.difficulty, 2);
    EXPECT_EQ(o.folder, "Somewhere/");
    EXPECT_TRUE(o.animateMoves);
    o.accept();
    EXPECT_EQ(o.result(), QDialog::Accepted);
    EXPECT_EQ(o.difficulty, 3);
    EXPECT_EQ(o.style, 0);
    EXPECT_EQ(o.folder, "Elsewhere/");
    EXPECT_EQ(o.volume, 0);
    EXPECT_FALSE(o.animateMoves);
    EXPECT_TRUE(o.refusals.empty());
}

TEST(OptionDialog, EnterPressesOkAndEscapeCancels)
{
    TempCwd cwd;
    for (const auto& [key, result] : {std::pair{Qt::Key_Return, QDialog::Accepted}, {Qt::Key_Escape, QDialog::Rejected}}) {
        COptionDlg o;
        o.volume = 20;
        o.OnInitDialog();
        o.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&o));
        o.volumeSlider->setValue(80);
        o.folderEdit->setFocus();
        QTest::keyClick(o.folderEdit, key);
        EXPECT_FALSE(o.isVisible()) << key;
        EXPECT_EQ(o.result(), result) << key;
        EXPECT_EQ(o.volume, result == QDialog::Accepted ? 80 : 20) << key;
    }
}

TEST(OptionDialog, BrowseTakesTheFolderOfTheChosenFile)
{
    TempCwd cwd;
    // Only the last occurrence of the name is cut off.
    const QString inside = cwd.Picture("a.bmp/a.bmp", Qt::red);
    EXPECT_EQ(COptionDlg::FolderOfFile("/d/a.bmp/a.bmp"), "/d/a.bmp/");
    EXPECT_EQ(COptionDlg::FolderOfFile("/d/aa/a"), "/d/aa/");

    ScriptedOptionDlg o;
    o.folder = "./Pictures/";
    o.OnInitDialog();
    o.chosenFile = inside;
    o.OnBnClickedBrowse();
    EXPECT_EQ(o.choices, 1);
    EXPECT_EQ(o.folderEdit->text(), cwd.Path("a.bmp") + "/");
    EXPECT_EQ(o.folder, cwd.Path("a.bmp") + "/");

    // A cancelled file dialog, or a file that is not there, changes nothing.
    for (const QString& answer : {QString(), cwd.Path("a.bmp/gone.bmp")}) {
        o.chosenFile = answer;
        o.OnBnClickedBrowse();
        EXPECT_EQ(o.folderEdit->text(), cwd.Path("a.bmp") + "/") << answer.toStdString();
    }

    // Browsing back to the opening folder after typing over it shows it
    // again, rather than keeping the typed text.
    const QString original = cwd.Picture("Pictures/p.png", Qt::blue);
    o.folder = cwd.Path("Pictures/");
    o.OnInitDialog();
    o.folderEdit->setText("typed/");
    o.chosenFile = original;
    o.OnBnClickedBrowse();
    EXPECT_EQ(o.folderEdit->text(), cwd.Path("Pictures/"));
}

TEST(OptionDialog, TypedDirectoryGetsItsFinalSlash)
{
    TempCwd cwd;
    cwd.Picture("Photos/a.png", Qt::green);
    EXPECT_EQ(COptionDlg::CompleteFolder("Photos"), "Photos/");
    EXPECT_EQ(COptionDlg::CompleteFolder(cwd.Path("Photos")), cwd.Path("Photos/"));
    // Anything else goes on as typed: a prefix, a file, nothing at all.
    for (const char* typed : {"Photos/", "Photos/a", "Photos/a.png", "Nowhere", ""})
        EXPECT_EQ(COptionDlg::CompleteFolder(typed), typed);

    ScriptedOptionDlg o;
    o.OnInitDialog();
    o.folderEdit->setText("Photos");
    o.accept();
    EXPECT_EQ(o.result(), QDialog::Accepted);
    EXPECT_EQ(o.folder, "Photos/");
}

TEST(OptionDialog, FolderTooLongToStoreIsRefused)
{
    TempCwd cwd;
    // 259 units fit the saved game's 260 with the terminating zero.
    const QString fits = QString(258, QLatin1Char('x')) + "/";
    const QString tooLong = QString(259, QLatin1Char('x')) + "/";
    // A real directory of 259 units, which its completing '/' would push over.
    QString dir = cwd.Path("");
    while (dir.size() < 259 - 101)
        dir += QString(100, QLatin1Char('d')) + "/";
    dir += QString(259 - dir.size(), QLatin1Char('e'));
    ASSERT_EQ(dir.size(), 259);
    ASSERT_TRUE(QDir().mkpath(dir));

    for (const auto& [text, accepted] : {std::pair{fits, true}, {tooLong, false}, {dir, false}}) {
        ScriptedOptionDlg o;
        o.folder = "./Pictures/";
        o.OnInitDialog();
        o.folderEdit->setText(text);
        o.accept();
        EXPECT_EQ(o.result() == QDialog::Accepted, accepted) << text.size();
        EXPECT_EQ(o.refusals.size(), accepted ? 0u : 1u) << text.size();
        if (!accepted && !o.refusals.empty()) {
            EXPECT_TRUE(o.refusals.front().contains("259")) << o.refusals.front().toStdString();
        }
    }
}

TEST(OptionsExchange, PresetsComeFromTheGame)
{
    SoundPlayDir dir;
    Window w;
    // Only a level's exact size shows the level; any other shows "Custom"
    // with its counts, and beside a level "Custom" offers the last custom
    // size (none yet: 5 x 5).
    constexpr int kCustom = COptionDlg::kCustom;
    for (const auto& [size, level, spins] : {std::tuple{GridSize{3, 5}, kCustom, GridSize{3, 5}},
                                             {GridSize{5, 2}, kCustom, GridSize{5, 2}},
                                             {GridSize{5, 5}, kCustom, GridSize{5, 5}},
                                             {GridSize{4, 6}, 3, GridSize{5, 5}},
                                             {GridSize{3, 4}, 2, GridSize{5, 5}}}) {
        w.game.ChangeSize(size);
        w.game.SetStrategyStyle(false);
        w.game.SetVolume(42);
        PictureSetup(w.dlg.Picture()).folder.folder = "./Mine/";
        w.Options(nullptr);
        EXPECT_EQ(w.dlg.preset.difficulty, level) << size.Name();
        EXPECT_EQ(w.dlg.preset.checkedDifficulty, level) << size.Name();
        EXPECT_EQ(w.dlg.preset.custom, spins) << size.Name();
        EXPECT_EQ(w.dlg.preset.spins, spins) << size.Name();
        EXPECT_EQ(w.dlg.preset.style, 1);
        EXPECT_EQ(w.dlg.preset.checkedStyle, 1);
        EXPECT_EQ(w.dlg.preset.volume, 42);
        EXPECT_EQ(w.dlg.preset.slider, 42);
        EXPECT_EQ(w.dlg.preset.folder, "./Mine/");
        EXPECT_EQ(w.dlg.preset.edit, "./Mine/");
        // Cancel kept the odd grid.
        EXPECT_EQ(w.game.View().puzzle.grid.rowCount, size.rows);
        EXPECT_EQ(w.game.View().puzzle.grid.columnCount, size.columns);
    }
}

// Setting a count chooses "Custom"; the counts stay within 2 to 16.
TEST(OptionDialog, CustomCountsChooseCustom)
{
    TempCwd cwd;
    ScriptedOptionDlg o;
    o.difficulty = 2;
    o.custom = {6, 9};
    o.numbersOnTiles = true;
    o.OnInitDialog();
    EXPECT_EQ(o.difficultyGroup->checkedId(), 2);
    EXPECT_EQ(o.rowsSpin->value(), 6);
    EXPECT_EQ(o.columnsSpin->value(), 9);
    EXPECT_TRUE(o.numbersCheck->isChecked());
    o.rowsSpin->setValue(40);
    EXPECT_EQ(o.difficultyGroup->checkedId(), COptionDlg::kCustom);
    o.columnsSpin->setValue(1);
    Click(o, "numbers");
    o.accept();
    EXPECT_EQ(o.difficulty, COptionDlg::kCustom);
    EXPECT_EQ(o.custom, (GridSize{20, 2}));
    EXPECT_FALSE(o.numbersOnTiles);
}

// A grid of another size abandons the game in play, however it was
// chosen; the same size, however chosen, leaves it. One undo brings the
// abandoned game back at its size. The counts last shown under "Custom"
// are offered again next time, and at the next start.
TEST(OptionsExchange, OnlyAnotherSizeAbandonsARunningGame)
{
    const auto custom = [](int rows, int columns) {
        return [=](COptionDlg& o) {
            o.rowsSpin->setValue(rows);
            o.columnsSpin->setValue(columns);
        };
    };
    const auto level = [](const char* name) { return [=](COptionDlg& o) { Click(o, name); }; };
    const struct {
        const char* what;
        GridSize from;
        std::function<void(COptionDlg&)> choose;
        GridSize to;
        GridSize offered; // under "Custom" next time
    } cases[] = {
        {"the level already set", {2, 3}, level("novice"), {2, 3}, {5, 5}},
        {"another level", {2, 3}, level("pro"), {3, 3}, {5, 5}},
        {"a custom size", {2, 3}, custom(5, 7), {5, 7}, {5, 7}},
        {"the custom size already set", {5, 7}, custom(5, 7), {5, 7}, {5, 7}},
        {"another custom size", {5, 7}, custom(6, 8), {6, 8}, {6, 8}},
        {"its transpose", {5, 7}, custom(7, 5), {7, 5}, {7, 5}},
        {"a level from a custom size", {5, 7}, level("expert"), {3, 4}, {5, 7}},
        {"a level's size under Custom", {3, 4}, custom(3, 4), {3, 4}, {3, 4}},
        {"nothing but the counts under a level", {4, 6}, [custom](COptionDlg& o) {
             custom(9, 9)(o);
             Click(o, "genius");
         }, {4, 6}, {9, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoundPlayDir dir;
        {
            Window w;
            w.game.ChangeSize(c.from);
            w.dlg.OnBnClickedNewGame();
            ASSERT_EQ(w.game.View().puzzle.state, Playing);
            GameSetup(w.game).puzzle.moves = 7;
            w.Options([&](COptionDlg& o) {
                c.choose(o);
                return true;
            });
            const bool changed = c.to != c.from;
            EXPECT_EQ(w.game.View().puzzle.grid.rowCount, c.to.rows);
            EXPECT_EQ(w.game.View().puzzle.grid.columnCount, c.to.columns);
            EXPECT_EQ(w.game.View().puzzle.state, changed ? Idle : Playing);
            EXPECT_EQ(w.game.View().puzzle.moves, changed ? 0 : 7);
            if (changed) {
                EXPECT_TRUE(w.game.View().puzzle.grid.IsSolved());
                QTest::keyClick(&w.dlg, Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(w.game.View().puzzle.state, Playing);
                EXPECT_EQ(w.game.View().puzzle.moves, 7);
                EXPECT_EQ(w.game.View().puzzle.grid.rowCount, c.from.rows);
                EXPECT_EQ(w.game.View().puzzle.grid.columnCount, c.from.columns);
            }
        }
        Window next;
        next.game.ChangeSize(kNovice);
        next.Options(nullptr);
        EXPECT_EQ(next.dlg.preset.spins, c.offered);
    }
}

// "Animate moves" and "Numbers on tiles" live in the settings file beside
// the saved game: the dialog shows each, OK keeps it there and in the
// board at once, Cancel leaves both, and the next start reads it back.
TEST(OptionsExchange, TheBoardsChecksAreKeptInTheSettingsFile)
{
    const struct {
        const char* box;
        bool initially;
        std::function<bool(const CTesseloDlg&)> shown;
    } cases[] = {
        {"animate", true, [](const CTesseloDlg& d) { return d.Board().Animated(); }},
        {"numbers", false, [](const CTesseloDlg& d) { return d.Board().Numbers(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        SoundPlayDir dir;
        const auto box = [&](COptionDlg& o) { return o.findChild<QCheckBox*>(QString::fromLatin1(c.box)); };
        {
            Window w;
            EXPECT_EQ(c.shown(w.dlg), c.initially);
            const auto flip = [&](COptionDlg& o) {
                EXPECT_EQ(box(o)->isChecked(), c.initially);
                Click(o, c.box);
                return true;
            };
            w.Options([&](COptionDlg& o) { return !flip(o); });
            EXPECT_EQ(c.shown(w.dlg), c.initially);
            EXPECT_FALSE(QFile::exists(SettingsFile::kFileName)) << "written without a change";
            w.Options(flip);
            EXPECT_EQ(c.shown(w.dlg), !c.initially);
        }
        Window next;
        EXPECT_EQ(c.shown(next.dlg), !c.initially);
        next.Options([&](COptionDlg& o) {
            EXPECT_EQ(box(o)->isChecked(), !c.initially);
            return false;
        });
    }
}

// "Custom" offers the last custom grid played, however it came: a grid
// started from an ID, then a level's, and the Options accepted unchanged
// keep it in the settings file.
TEST(OptionsExchange, CustomOffersTheLastCustomGridPlayed)
{
    SoundPlayDir dir;
    {
        Window w;
        w.game.StartNamed(GameId{{16, 16}, 1}, {});
        w.game.StartNamed(GameId{{4, 6}, 0}, {});
        w.Options([](COptionDlg&) { return true; });
        EXPECT_EQ(w.dlg.preset.custom, (GridSize{16, 16}));
        EXPECT_EQ(w.game.View().puzzle.grid.Size(), (GridSize{4, 6}));
    }
    Window next;
    EXPECT_EQ(next.dlg.Settings().Current().customSize, (GridSize{16, 16}));
}

// Settings that cannot be written (here a link that leads nowhere, which
// is never written through) still hold for the session, and the player is
// told once, not at every change.
TEST(OptionsExchange, SettingsThatCannotBeWrittenAreToldOnce)
{
    SoundPlayDir dir;
    ASSERT_TRUE(QFile::link(QDir::current().filePath("gone/tesselo.ini"), SettingsFile::kFileName));
    struct Told : OptionsWindow {
        using OptionsWindow::OptionsWindow;
        bool Ask(QWidget*, const Prompt& prompt) override
        {
            if (prompt.kind == Prompt::Kind::SettingsNotKept)
                reasons.push_back(prompt.reason);
            return false;
        }
        std::vector<QString> reasons;
    };
    Game game;
    Told dlg(game);
    dlg.OnSize(dlg.width(), dlg.height());
    dlg.OnInitDialog();
    dlg.ToggleNumbers();
    dlg.ToggleNumbers();
    dlg.ToggleNumbers();
    EXPECT_TRUE(dlg.Board().Numbers()) << "the setting holds for the session";
    ASSERT_EQ(dlg.reasons.size(), 1u);
    EXPECT_TRUE(dlg.reasons.front().contains("which is not there")) << dlg.reasons.front().toStdString();
    EXPECT_FALSE(QDir("gone").exists()) << "nothing is made where the link points";
}

TEST(OptionsExchange, CancelChangesNothing)
{
    SoundPlayDir dir;
    dir.Picture("Other/o.png", Qt::yellow);
    Window w;
    w.dlg.OnBnClickedNewGame();
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    const QString folder = w.dlg.Picture().Folder().folder;
    w.Options([](COptionDlg& o) {
        Click(o, "genius");
        Click(o, "speed");
        o.folderEdit->setText("Other/");
        o.volumeSlider->setValue(5);
        return false;
    });
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_EQ(w.game.View().puzzle.grid.rowCount, 2);
    EXPECT_EQ(w.game.View().puzzle.grid.columnCount, 3);
    EXPECT_TRUE(w.game.View().style.IsStrategy());
    EXPECT_EQ(w.game.View().volume, 100);
    EXPECT_EQ(w.dlg.Picture().Folder().folder, folder);
    EXPECT_FALSE(w.ClockTicking());
}

TEST(OptionsExchange, OkAppliesEachChange)
{
    SoundPlayDir dir;
    dir.Picture("Other/o.png", Qt::yellow);
    Window w;
    w.Options([](COptionDlg& o) {
        Click(o, "genius");
        Click(o, "speed");
        o.folderEdit->setText("Other");
        o.volumeSlider->setValue(30);
        return true;
    });
    EXPECT_EQ(w.game.View().puzzle.grid.rowCount, 4);
    EXPECT_EQ(w.game.View().puzzle.grid.columnCount, 6);
    EXPECT_EQ(w.game.View().puzzle.state, Idle);
    EXPECT_FALSE(w.game.View().style.IsStrategy());
    EXPECT_EQ(w.dlg.Picture().Folder().folder, "Other/");
    EXPECT_EQ(w.game.View().volume, 30);
    // The new volume reaches the sounds started from now on.
    const int channel = w.dlg.Sound().Play(SoundEffects::Move);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), SoundEffects::MixerVolume(30));
    // Switching the style of a game not in play starts no clock.
    EXPECT_FALSE(w.ClockTicking());
}

// Folder names compare as the file system compares them: here "Pics/" and
// "PICS/" are two folders.
TEST(OptionsExchange, FolderChangedOnlyInLetterCaseIsAnotherFolder)
{
    SoundPlayDir dir;
    dir.Picture("Pics/a.png", Qt::red);
    const QString other = dir.Picture("PICS/b.png", Qt::blue);
    EXPECT_FALSE(PictureFolder::SameFolder("Pics/", "PICS/"));
    Window w;
    ASSERT_TRUE(w.dlg.Picture().SetFolder("Pics/"));

    // The same text is not set again: the walk keeps its place.
    ASSERT_TRUE(PictureSetup(w.dlg.Picture()).folder.OpenSearch());
    w.Options([](COptionDlg&) { return true; });
    EXPECT_EQ(w.dlg.Picture().Folder().folder, "Pics/");
    EXPECT_TRUE(w.dlg.Picture().Folder().IsSearchOpen());

    w.Options([](COptionDlg& o) {
        o.folderEdit->setText("PICS/");
        return true;
    });
    EXPECT_EQ(w.dlg.Picture().Folder().folder, "PICS/");

    // Browsing to the other spelling shows it.
    ScriptedOptionDlg o;
    o.folder = dir.Path("Pics/");
    o.OnInitDialog();
    o.chosenFile = other;
    o.OnBnClickedBrowse();
    EXPECT_EQ(o.folderEdit->text(), dir.Path("PICS/"));

    // A folder the walker refuses leaves the old one.
    w.Options([](COptionDlg& o) {
        o.folderEdit->setText("Nowhere/");
        return true;
    });
    EXPECT_EQ(w.dlg.Picture().Folder().folder, "PICS/");
}

// The clock ticks exactly while a "Speed" game runs, whatever the options
// change under it.
TEST(OptionsExchange, ClockFollowsTheStopwatchThroughOptionChanges)
{
    SoundPlayDir dir;
    const auto speedGame = [](Window& w) {
        w.game.SetStrategyStyle(false);
        w.dlg.OnBnClickedNewGame();
        ASSERT_EQ(w.game.View().puzzle.state, Playing);
        ASSERT_TRUE(w.ClockTicking());
    };
    {
        Window w;
        speedGame(w);
        w.Options([](COptionDlg& o) {
            Click(o, "expert");
            return true;
        });
        EXPECT_EQ(w.game.View().puzzle.state, Idle);
        EXPECT_FALSE(w.ClockTicking()) << "an abandoned game kept its clock";
        EXPECT_EQ(w.dlg.Sound().clockChannel, -1);
    }
    {
        Window w;
        speedGame(w);
        w.Options([](COptionDlg& o) {
            Click(o, "strategy");
            return true;
        });
        EXPECT_EQ(w.game.View().puzzle.state, Playing);
        EXPECT_FALSE(w.ClockTicking()) << "a Strategy game ticks";
    }
    {
        Window w;
        speedGame(w);
        const int channel = w.dlg.Sound().clockChannel;
        w.Options([](COptionDlg& o) {
            o.volumeSlider->setValue(10);
            return true;
        });
        EXPECT_EQ(w.dlg.Sound().clockChannel, channel) << "the clock was restarted";
        EXPECT_TRUE(w.ClockTicking());
        EXPECT_EQ(Mix_Volume(channel, -1), 128) << "the running clock changed volume";
    }
    {
        Window w;
        // The settings keep the style chosen last: "Speed", above.
        EXPECT_TRUE(w.game.View().style.IsSpeed());
        w.game.SetStyle(Style::Strategy);
        w.dlg.OnBnClickedNewGame();
        ASSERT_FALSE(w.ClockTicking());
        w.Options([](COptionDlg& o) {
            Click(o, "speed");
            return true;
        });
        EXPECT_TRUE(w.ClockTicking()) << "a running Speed game has no clock";
        // And the clock then stops with the game, as any Speed clock does.
        w.dlg.OnBnClickedNewGame();
        EXPECT_EQ(w.game.View().puzzle.state, Idle);
        EXPECT_FALSE(w.ClockTicking());
    }
}

// The game in play one slide from whole, then won by that slide.
void WinAtOnce(Window& w)
{
    TileGrid& grid = GameSetup(w.game).grid;
    grid.Resize(grid.rowCount, grid.columnCount);
    grid.Apply(Move{MoveAxis::Row, 0, 1});
    grid.Select({0, 1});
    w.game.ShiftRowLeft();
}

// Which sound each button and a win give, per style.
TEST(SoundCues, FollowTheStyle)
{
    SoundPlayDir dir;
    {
        Window w; // "Strategy"
        w.dlg.OnBnClickedNewGame();
        EXPECT_TRUE(w.Playing(SoundEffects::NewGame));
        EXPECT_FALSE(w.ClockTicking());
        w.dlg.OnBnClickedNewGame();
        EXPECT_TRUE(w.Playing(SoundEffects::Reset));
        w.dlg.OnBnClickedNewGame();
        WinAtOnce(w);
        EXPECT_EQ(w.game.View().puzzle.state, Solved);
        EXPECT_TRUE(w.Playing(SoundEffects::Win));
    }
    {
        Window w;
        w.game.SetStrategyStyle(false);
        w.dlg.OnBnClickedNewGame();
        EXPECT_TRUE(w.ClockTicking());
        EXPECT_FALSE(w.Playing(SoundEffects::NewGame));
        w.dlg.OnBnClickedNewGame();
        EXPECT_FALSE(w.ClockTicking());
        EXPECT_TRUE(w.Playing(SoundEffects::Reset));
        w.dlg.OnBnClickedNewGame();
        ASSERT_TRUE(w.ClockTicking());
        WinAtOnce(w);
        EXPECT_EQ(w.game.View().puzzle.state, Solved);
        EXPECT_FALSE(w.ClockTicking());
        EXPECT_TRUE(w.Playing(SoundEffects::Win));
    }
}

TEST(SoundCues, WithoutASoundDeviceTheGameRunsSilently)
{
    SoundPlayDir dir;
    ScopedAudioDriver driver("no-such-driver");
    Window w;
    EXPECT_FALSE(w.dlg.Sound().IsOpen());
    w.game.SetStrategyStyle(false);
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_EQ(w.dlg.Sound().clockChannel, -1);
    w.Options([](COptionDlg& o) {
        Click(o, "strategy");
        o.volumeSlider->setValue(50);
        return true;
    });
    w.Options([](COptionDlg& o) {
        Click(o, "speed");
        return true;
    });
    EXPECT_EQ(w.dlg.Sound().clockChannel, -1);
    EXPECT_EQ(w.game.View().volume, 50);
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(w.game.View().puzzle.state, Idle);
}
