#pragma once

#include "model/game_change.h"
#include "model/grid_size.h"

#include <QDialog>
#include <QString>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace tesselo {

class DialogUnits;

// What the Options show and the player chooses: the grid, the counts offered
// under "Custom", the style, the picture folder, the volume and the board's
// looks. Whoever owns each decides what a choice changes.
struct OptionValues {
    GridSize size;
    GridSize custom{5, 5};
    Style style = Style::Strategy;
    QString folder;
    std::int32_t volume = Volume::kFull;
    bool animateMoves = true;
    bool numbersOnTiles = false;
    bool operator==(const OptionValues&) const = default;
};

// "Set Options": difficulty (one of the four levels, or a custom grid of
// any counts), style, picture folder, volume, whether moves glide and
// whether tiles show their numbers. It only shows and collects the values:
// it takes them as one value and gives one back.
//
// Use: construct, Preset (or set the fields and call OnInitDialog() to
// fill the controls from them), run exec(). After QDialog::Accepted,
// Chosen() and the fields hold what the player chose, the folder already
// completed and checked (see accept()); after anything else they are not
// to be used.
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

    // The values shown, controls filled; and, after OK, those chosen.
    void Preset(const OptionValues& values);
    OptionValues Chosen() const;

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
    // Asks the player for a picture file; empty when cancelled.
    virtual QString ChooseFile();
    // Tells the player why the dialog cannot close yet.
    virtual void Refuse(const QString& why);

private:
    // The frames, each made with its controls chained for the Tab key
    // after `previous`, which ends at the last of them.
    QGroupBox* MakeLevels(QWidget*& previous);
    QBoxLayout* MakeSideColumn(QWidget*& previous);
    QGroupBox* FillFolderRow(QGroupBox* folderBox, const DialogUnits& du, QWidget*& previous);
    QGroupBox* MakeVolumeRow(QWidget*& previous);
    void Chain(QWidget*& previous, QWidget* next);
};

} // namespace tesselo
