#include "app/c_help_dlg.h"
#include "app/c_option_dlg.h"
#include "app/c_tesselo_dlg.h"
#include "app/sound_effects.h"
#include "model/game.h"
#include "support/temp_cwd.h"

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

void CopySounds(const TempCwd& cwd)
{
    for (const char* name : {"win.wav", "reset.wav", "move.wav", "nomove.wav", "newgame.wav", "clock.wav"})
        ASSERT_TRUE(QFile::copy(QString(TESSELO_ASSETS_DIR "/") + name, cwd.Path(name))) << name;
}

// Runs a test with SDL's audio driver set to `driver`, restoring it after.
class AudioDriver {
public:
    explicit AudioDriver(const char* driver) : previous(qgetenv("SDL_AUDIODRIVER"))
    {
        qputenv("SDL_AUDIODRIVER", driver);
    }
    ~AudioDriver() { qputenv("SDL_AUDIODRIVER", previous); }

private:
    QByteArray previous;
};

// The main window with its options dialog answered by the test.
class OptionsDlg : public CTesseloDlg {
public:
    int RunOptionDialog(COptionDlg& options) override
    {
        if (answer)
            answer(options);
        return result;
    }
    std::function<void(COptionDlg&)> answer;
    int result = QDialog::Accepted;
};

struct Window {
    Window()
    {
        dlg.game = &game;
        dlg.OnSize(dlg.width(), dlg.height());
        dlg.OnInitDialog();
    }
    Game game;
    OptionsDlg dlg;
};

// An options dialog whose file chooser and refusals the test sees.
class ScriptedOptions : public COptionDlg {
public:
    QString ChooseFile() override { return chosen; }
    void Refuse(const QString& why) override { refusals << why; }
    QString chosen;
    QStringList refusals;
};

} // namespace

TEST(Sound, VolumeScales)
{
    const std::pair<int, int> library[] = {{0, 0}, {1, 2}, {50, 127}, {99, 252}, {100, 255}};
    for (const auto& [percent, expected] : library) {
        EXPECT_EQ(SoundEffects::LibraryVolume(percent), expected);
        EXPECT_EQ(SoundEffects::MixerVolume(percent), expected * MIX_MAX_VOLUME / 255);
    }
    EXPECT_EQ(SoundEffects::MixerVolume(100), MIX_MAX_VOLUME);
}

TEST(Sound, ClockStartsAndStopsAndForgetsItsChannel)
{
    TempCwd cwd;
    CopySounds(cwd);
    AudioDriver dummy("dummy");
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    for (Mix_Chunk* chunk : sound.samples)
        EXPECT_NE(chunk, nullptr);
    sound.ApplyVolume(50);
    sound.StartClock();
    ASSERT_GE(sound.clockChannel, 0);
    const int channel = sound.clockChannel;
    EXPECT_TRUE(Mix_Playing(channel));
    EXPECT_EQ(Mix_Volume(channel, -1), SoundEffects::MixerVolume(50));
    sound.ApplyVolume(100); // later sounds only: the clock keeps its volume
    EXPECT_EQ(Mix_Volume(channel, -1), SoundEffects::MixerVolume(50));
    sound.StopClock();
    EXPECT_EQ(sound.clockChannel, -1);
    EXPECT_FALSE(Mix_Playing(channel));
    // A stale stop cuts off nothing that plays on the old channel now.
    sound.Play(SoundEffects::Win);
    sound.StopClock();
    EXPECT_EQ(Mix_Playing(-1), 1);
    sound.Close();
    sound.Close();
    EXPECT_FALSE(sound.IsOpen());
}

TEST(Sound, MissingFilesAndNoDevicePlaySilently)
{
    TempCwd cwd;
    {
        AudioDriver dummy("dummy");
        cwd.Text("win.wav", "not a wave");
        SoundEffects sound;
        ASSERT_TRUE(sound.InitSound());
        for (Mix_Chunk* chunk : sound.samples)
            EXPECT_EQ(chunk, nullptr);
        sound.Play(SoundEffects::Win);
        sound.StartClock();
        EXPECT_EQ(sound.clockChannel, -1);
    }
    {
        AudioDriver none("no-such-driver");
        SoundEffects sound;
        EXPECT_FALSE(sound.InitSound());
        sound.ApplyVolume(30);
        sound.Play(SoundEffects::Move);
        sound.StartClock();
        sound.StopClock();
        EXPECT_EQ(sound.clockChannel, -1);
    }
}

TEST(Sound, TheClockIsHeardAndThenSilence)
{
    TempCwd cwd;
    CopySounds(cwd);
    const QString out = cwd.Path("mix.raw");
    AudioDriver disk("disk");
    qputenv("SDL_DISKAUDIOFILE", out.toLocal8Bit());
    qputenv("SDL_DISKAUDIODELAY", "1");
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    sound.StartClock();
    QTest::qWait(600);
    sound.StopClock();
    QTest::qWait(100);
    const qint64 stoppedAt = QFileInfo(out).size();
    QTest::qWait(300);
    sound.Close();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    ASSERT_GT(stoppedAt, 0);
    ASSERT_GT(all.size(), stoppedAt);
    const auto loud = [](const QByteArray& bytes) {
        int n = 0;
        for (char c : bytes)
            n += c != 0;
        return n;
    };
    EXPECT_GT(loud(all.left(stoppedAt)), 1000);
    EXPECT_EQ(loud(all.mid(stoppedAt)), 0);
    qunsetenv("SDL_DISKAUDIOFILE");
}

TEST(Sound, TheClockTicksExactlyWhileASpeedGameRuns)
{
    TempCwd cwd;
    CopySounds(cwd);
    AudioDriver dummy("dummy");
    Window w;
    ASSERT_TRUE(w.dlg.sound.IsOpen());
    w.game.strategyStyle = false;
    w.dlg.OnBnClickedNewGame();
    EXPECT_GE(w.dlg.sound.clockChannel, 0);
    w.dlg.OnBnClickedNewGame(); // reset
    EXPECT_EQ(w.dlg.sound.clockChannel, -1);

    w.game.strategyStyle = true;
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(w.dlg.sound.clockChannel, -1);
    // Strategy to Speed mid-game starts it, and back stops it.
    w.dlg.answer = [](COptionDlg& o) { o.style = 1; };
    w.dlg.OnBnClickedOptions();
    EXPECT_FALSE(w.game.strategyStyle);
    EXPECT_GE(w.dlg.sound.clockChannel, 0);
    w.dlg.answer = [](COptionDlg& o) { o.style = 0; };
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.dlg.sound.clockChannel, -1);
    // A change of difficulty abandons a Speed game, and its clock.
    w.dlg.answer = [](COptionDlg& o) { o.style = 1; };
    w.dlg.OnBnClickedOptions();
    ASSERT_GE(w.dlg.sound.clockChannel, 0);
    w.dlg.answer = [](COptionDlg& o) { o.difficulty = 3; };
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.game.state, Idle);
    EXPECT_EQ(w.dlg.sound.clockChannel, -1);
}

TEST(Options, PresetsFromTheGame)
{
    EXPECT_EQ(COptionDlg::DifficultyOf(2, 3), 0);
    EXPECT_EQ(COptionDlg::DifficultyOf(3, 3), 1);
    EXPECT_EQ(COptionDlg::DifficultyOf(3, 4), 2);
    EXPECT_EQ(COptionDlg::DifficultyOf(3, 5), 2);
    EXPECT_EQ(COptionDlg::DifficultyOf(4, 6), 3);
    EXPECT_EQ(COptionDlg::DifficultyOf(5, 6), 0);
    TempCwd cwd;
    Window w;
    w.game.grid.Resize(3, 4);
    w.game.strategyStyle = false;
    w.game.volume = 35;
    bool asked = false;
    w.dlg.answer = [&](COptionDlg& o) {
        asked = true;
        EXPECT_EQ(o.difficultyGroup->checkedId(), 2);
        EXPECT_EQ(o.styleGroup->checkedId(), 1);
        EXPECT_EQ(o.folderEdit->text(), "./Pictures/");
        EXPECT_EQ(o.volumeSlider->value(), 35);
        EXPECT_EQ(o.volumeSlider->minimum(), 0);
        EXPECT_EQ(o.volumeSlider->maximum(), 100);
    };
    w.dlg.result = QDialog::Rejected;
    w.dlg.OnBnClickedOptions();
    EXPECT_TRUE(asked);
}

TEST(Options, ChangesApplyOnlyOnOk)
{
    TempCwd cwd;
    QDir().mkpath(cwd.Path("Pictures"));
    QDir().mkpath(cwd.Path("PICTURES"));
    cwd.Picture("Other/x.png", Qt::red);
    Window w;
    w.dlg.OnBnClickedNewGame();
    const auto change = [](COptionDlg& o) {
        o.difficulty = 2;
        o.style = 1;
        o.volume = 0;
        o.folder = "./Other/";
    };
    w.dlg.answer = change;
    w.dlg.result = QDialog::Rejected; // Cancel, even after browsing
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.game.state, Playing);
    EXPECT_EQ(w.game.grid.columnCount, 3);
    EXPECT_TRUE(w.game.strategyStyle);
    EXPECT_EQ(w.game.volume, 100);
    EXPECT_EQ(w.game.pictures.folder, "./Pictures/");

    // The level already set keeps the running game.
    w.dlg.result = QDialog::Accepted;
    w.dlg.answer = [](COptionDlg& o) { o.volume = 60; };
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.game.state, Playing);
    EXPECT_EQ(w.game.volume, 60);

    // Only the letter case changed: the folder is not set again, so the
    // other directory of that spelling is not taken.
    w.dlg.answer = [](COptionDlg& o) { o.folder = "./PICTURES/"; };
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.game.pictures.folder, "./Pictures/");

    w.dlg.answer = change;
    w.dlg.OnBnClickedOptions();
    EXPECT_EQ(w.game.state, Idle);
    EXPECT_EQ(w.game.grid.rowCount, 3);
    EXPECT_EQ(w.game.grid.columnCount, 4);
    EXPECT_TRUE(w.game.grid.IsSolved());
    EXPECT_FALSE(w.game.strategyStyle);
    EXPECT_EQ(w.game.volume, 0);
    EXPECT_EQ(w.game.pictures.folder, "./Other/");
}

TEST(Options, FoldersFromBrowsingAndTyping)
{
    EXPECT_EQ(COptionDlg::FolderOfFile("/d/a.bmp/a.bmp"), "/d/a.bmp/");
    EXPECT_EQ(COptionDlg::FolderOfFile("/home/me/cat.jpg"), "/home/me/");
    TempCwd cwd;
    cwd.Picture("Photos/cat.png", Qt::red);
    ScriptedOptions o;
    o.OnInitDialog();
    o.folder = "./Pictures/";
    o.chosen = cwd.Path("Photos/cat.png");
    o.OnBnClickedBrowse();
    EXPECT_EQ(o.folder, cwd.Path("Photos") + "/");
    EXPECT_EQ(o.folderEdit->text(), o.folder);
    o.chosen.clear(); // a cancelled file dialog changes nothing
    o.OnBnClickedBrowse();
    EXPECT_EQ(o.folder, cwd.Path("Photos") + "/");

    // A directory typed without its final '/' gets it; other text stays.
    o.folderEdit->setText(cwd.Path("Photos"));
    o.accept();
    EXPECT_EQ(o.result(), QDialog::Accepted);
    EXPECT_EQ(o.folder, cwd.Path("Photos") + "/");
    o.setResult(0);
    o.folderEdit->setText(cwd.Path("Phot"));
    o.accept();
    EXPECT_EQ(o.folder, cwd.Path("Phot"));

    // A folder the saved game cannot hold is refused, not cut.
    ScriptedOptions longer;
    longer.OnInitDialog();
    longer.folderEdit->setText(QString(260, 'x'));
    longer.accept();
    EXPECT_EQ(longer.refusals.size(), 1);
    EXPECT_NE(longer.result(), QDialog::Accepted);
    longer.folderEdit->setText(QString(259, 'x'));
    longer.accept();
    EXPECT_EQ(longer.result(), QDialog::Accepted);
}

TEST(Help, ShowsEveryTextAndCloses)
{
    CHelpDlg help;
    QStringList texts;
    for (const QLabel* l : help.findChildren<QLabel*>())
        texts << l->text();
    for (const char* expected :
         {"Instructions:", "Click \"New Game\" to start playing.",
          "Click and drag the image to re-assemble the picture.", "Keyboard:",
          "Use right and left arrow keys to slide the selected row.",
          "Use up and down arrow keys to slide the selected column.",
          "Use Shift + arrow keys to change the selection.", "About Tesselo", "USE AT YOUR OWN RISK!",
          "This software is  not warranted safe or fit for any purpose whatsoever.", "Options:",
          "Click the Options button to:", "- Set the difficulty (number of cells)",
          "- Set the style: strategy (fewest moves) or speed (shortest time)",
          "- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.",
          "- Turn off the sound", "Attributions:", "For sound management, Tesselo uses:", "Sounds are from:",
          "For more detail, see the accompanying file \"Attributions.txt\""})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(help.windowTitle(), "Tesselo Help");

    help.show();
    QTest::keyClick(&help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
    help.show();
    auto* done = help.findChild<QPushButton*>();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(done->text(), "Done");
    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
}

TEST(Help, TheClockRunsWhileHelpIsOpen)
{
    TempCwd cwd;
    Window w;
    w.game.strategyStyle = false;
    w.dlg.OnBnClickedNewGame();
    w.dlg.OnTimer(w.dlg.timerId);
    // Close the help once it has been open a while.
    QTimer::singleShot(400, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* help = qobject_cast<CHelpDlg*>(top); help && help->isVisible())
                help->reject();
    });
    w.dlg.OnBnClickedHelp();
    EXPECT_GE(w.game.elapsed, 300); // ticks went on underneath
    EXPECT_EQ(w.dlg.counterValue->text(), w.game.counterText);
}
