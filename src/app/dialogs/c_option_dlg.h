#pragma once

#include "model/grid_size.h"
#include "saved/settings_file.h"

#include <QDialog>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace tesselo {

class Game;
class GamePicture;

// "Set Options": difficulty (one of the four levels, or a custom grid of
// any counts), style, picture folder, volume, whether moves glide and
// whether tiles show their numbers. It only shows and collects the values;
// the main window presets them and applies what changed.
//
// Use: construct, set the fields, call OnInitDialog() to fill the
// controls from them, run exec(). After QDialog::Accepted the fields hold
// what the player chose, the folder already completed and checked (see
// accept()); after anything else they are not to be used.
//
// Controls by the ids of the window's design, each also its objectName:
//   1 OK "ok", 2 Cancel "cancel", 1008..1011 "novice" "pro" "expert"
//   "genius" (difficultyGroup ids 0..3), 1012..1013 "strategy" "speed"
//   (styleGroup ids 0..3), 1014 folder edit "folder", 1017 "..." "browse",
//   1023 volume slider "volume"; beyond the design, "custom"
//   (difficultyGroup id kCustom) with its spin boxes "rows" and "columns",
//   and the check boxes "animate" and "numbers".
class COptionDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptionDlg(QWidget* parent = nullptr);

    // Fills the controls from the fields (toFields false) or the fields
    // from the controls.
    void DoDataExchange(bool toFields);
    void OnInitDialog();
    // "...": the folder of a picture file the player picks replaces the
    // folder text.
    void OnBnClickedBrowse();

    // The values as `game` and the settings hold them, controls filled;
    // and, after OK, what the player changed applied to the game through
    // its operations (a grid of another size ends the game in play, a new folder
    // is taken only when it names another one) and to the settings.
    void PresetFrom(const Game& game, const GamePicture& picture, const SettingsFile::Values& settings);
    void ApplyTo(Game& game, GamePicture& picture, SettingsFile::Values& settings) const;

    // The size of a level, 0 Novice .. 3 Genius.
    static GridSize LevelSize(int difficulty);
    // The size the fields choose: a level's, or the custom counts.
    GridSize ChosenSize() const;
    // The folder of a chosen file, with its trailing separator: the path cut
    // before the last occurrence of the file's name.
    static QString FolderOfFile(const QString& path);
    // A folder typed without its final '/' that names a directory gets it;
    // anything else is kept as typed.
    static QString CompleteFolder(const QString& folder);
    // Whether two folder texts are the same name as the file system
    // compares names: letter case counts where it does (Linux), not where
    // the usual file system ignores it (Windows, macOS).
    static bool SameFolder(const QString& a, const QString& b);

    static constexpr int kCustom = 4;
    int difficulty = 0; // 0 Novice, 1 Pro, 2 Expert, 3 Genius, kCustom
    GridSize custom{5, 5}; // the counts under "Custom"
    int style = 0;      // the style's place in kStyleKeys: Strategy, Speed, Fewest Moves, Blind
    QString folder;
    int volume = 0;     // percent
    bool animateMoves = true;
    bool numbersOnTiles = false;

    QButtonGroup* difficultyGroup = nullptr;
    QSpinBox* rowsSpin = nullptr;
    QSpinBox* columnsSpin = nullptr;
    QButtonGroup* styleGroup = nullptr;
    QLineEdit* folderEdit = nullptr;
    QPushButton* browseButton = nullptr;
    QSlider* volumeSlider = nullptr;
    QCheckBox* animateCheck = nullptr;
    QCheckBox* numbersCheck = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

public slots:
    // OK: takes the controls into the fields and closes, unless the folder
    // is too long for the saved game to keep; then the player is told and
    // the dialog stays open.
    void accept() override;

protected:
    // What PresetFrom found, to tell what changed.
    GridSize presetSize;
    QString presetFolder;

    // Asks the player for a picture file; empty when cancelled.
    virtual QString ChooseFile();
    // Tells the player why the dialog cannot close yet.
    virtual void Refuse(const QString& why);
};

} // namespace tesselo
