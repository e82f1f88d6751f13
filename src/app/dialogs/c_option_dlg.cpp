#include "app/dialogs/c_option_dlg.h"

#include "app/dialogs/dialog_units.h"
#include "model/game.h"
#include "pictures/game_picture.h"
#include "records/display_names.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace tesselo {

COptionDlg::COptionDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(tr("Set Options"));
    // Each frame lays out what it holds, so that every control sits inside
    // its frame, below the title, whatever the style, font or language; a
    // new control goes into its frame's layout, a new frame into the grid.
    // The design's measures (dialog units of the dialog's font) give the
    // margins, the buttons' size and the columns' least width.
    const DialogUnits du(font());
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(du.X(7), du.Y(7), du.X(7), du.Y(7));
    grid->setHorizontalSpacing(du.X(9));
    grid->setVerticalSpacing(du.Y(4));
    grid->setColumnMinimumWidth(0, du.X(82));
    grid->setColumnMinimumWidth(1, du.X(82));
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    const auto frame = [this, grid](const QString& title, QBoxLayout* contents, int row, int column, int span) {
        auto* box = new QGroupBox(title, this);
        box->setLayout(contents);
        grid->addWidget(box, row, column, 1, span);
        return box;
    };

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    for (QPushButton* b : {okButton, cancelButton})
        b->setMinimumSize(du.X(50), du.Y(14));

    auto* levels = new QVBoxLayout;
    QGroupBox* levelBox = frame(tr("Difficulty"), levels, 0, 0, 1);
    auto* folderRow = new QHBoxLayout;
    QGroupBox* folderBox = frame(tr("Picture Directory"), folderRow, 1, 0, 2);
    auto* styles = new QVBoxLayout;
    //: What counts in a game: the moves (Strategy) or the time (Speed)
    auto* styleBox = new QGroupBox(tr("Style"), this);
    styleBox->setLayout(styles);
    // The style's frame, and under it the choice of motion, at the top of
    // the column beside the difficulty.
    auto* sideColumn = new QVBoxLayout;
    sideColumn->addWidget(styleBox);
    grid->addLayout(sideColumn, 0, 1);

    difficultyGroup = new QButtonGroup(this);
    QWidget* previous = cancelButton;
    setTabOrder(okButton, cancelButton);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kLevels[i].key)), levelBox);
        r->setObjectName(QString::fromLatin1(kLevels[i].key).toLower());
        levels->addWidget(r);
        difficultyGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    //: A grid of any counts of rows and columns, beside the four levels
    auto* customButton = new QRadioButton(tr("Custom"), levelBox);
    customButton->setObjectName(QStringLiteral("custom"));
    levels->addWidget(customButton);
    difficultyGroup->addButton(customButton, kCustom);
    setTabOrder(previous, customButton);
    previous = customButton;
    // The counts sit under "Custom", in line with its text; setting one
    // chooses it.
    auto* counts = new QGridLayout;
    const QStyle* look = customButton->style();
    counts->setContentsMargins(look->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, customButton) +
                                   look->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, customButton),
                               0, 0, 0);
    counts->setColumnStretch(1, 1);
    const auto count = [&](const QString& label, const char* name, int row) {
        auto* text = new QLabel(label, levelBox);
        auto* spin = new QSpinBox(levelBox);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(GridSize::kMin, GridSize::kMax);
        text->setBuddy(spin);
        counts->addWidget(text, row, 0);
        counts->addWidget(spin, row, 1);
        connect(spin, &QSpinBox::valueChanged, customButton, [customButton] { customButton->setChecked(true); });
        setTabOrder(previous, spin);
        previous = spin;
        return spin;
    };
    rowsSpin = count(tr("Rows:"), "rows", 0);
    columnsSpin = count(tr("Columns:"), "columns", 1);
    levels->addLayout(counts);
    styleGroup = new QButtonGroup(this);
    for (int i = 0; i < Style::kCount; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kStyleKeys[i])), styleBox);
        r->setObjectName(QString::fromLatin1(kStyleKeys[i]).toLower().remove(QLatin1Char(' ')));
        styles->addWidget(r);
        styleGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    animateCheck = new QCheckBox(tr("Animate moves"), this);
    animateCheck->setObjectName(QStringLiteral("animate"));
    sideColumn->addWidget(animateCheck);
    //: Each tile shows its number in a corner
    numbersCheck = new QCheckBox(tr("Numbers on tiles"), this);
    numbersCheck->setObjectName(QStringLiteral("numbers"));
    sideColumn->addWidget(numbersCheck);
    sideColumn->addStretch(1);
    setTabOrder(previous, animateCheck);
    setTabOrder(animateCheck, numbersCheck);
    previous = numbersCheck;
    folderEdit = new QLineEdit(folderBox);
    folderEdit->setObjectName(QStringLiteral("folder"));
    folderRow->addWidget(folderEdit, 1);
    browseButton = new QPushButton(QStringLiteral("..."), folderBox);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setFixedWidth(std::max(du.X(20), browseButton->sizeHint().height()));
    folderRow->addWidget(browseButton);

    auto* volumeRow = new QHBoxLayout;
    QGroupBox* volumeBox = frame(tr("Volume"), volumeRow, 2, 0, 2);
    //: The low end of the volume slider: no sound
    auto* off = new QLabel(tr("Off"), volumeBox);
    volumeSlider = new QSlider(Qt::Horizontal, volumeBox);
    volumeSlider->setObjectName(QStringLiteral("volume"));
    // Set here as well as on opening: a slider's own default stops at 99.
    volumeSlider->setRange(Volume::kSilent, Volume::kFull);
    volumeSlider->setPageStep(20);
    volumeSlider->setTickPosition(QSlider::NoTicks);
    volumeRow->addWidget(off);
    volumeRow->addWidget(volumeSlider, 1);
    setTabOrder(previous, folderEdit);
    setTabOrder(folderEdit, browseButton);
    setTabOrder(browseButton, volumeSlider);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->activate();

    connect(okButton, &QPushButton::clicked, this, &COptionDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &COptionDlg::reject);
    connect(browseButton, &QPushButton::clicked, this, &COptionDlg::OnBnClickedBrowse);
}

void COptionDlg::OnInitDialog()
{
    volumeSlider->setRange(Volume::kSilent, Volume::kFull);
    DoDataExchange(false);
}

void COptionDlg::DoDataExchange(bool toFields)
{
    if (toFields) {
        difficulty = std::max(difficultyGroup->checkedId(), 0);
        custom = GridSize{rowsSpin->value(), columnsSpin->value()};
        style = std::max(styleGroup->checkedId(), 0);
        folder = folderEdit->text();
        volume = volumeSlider->value();
        animateMoves = animateCheck->isChecked();
        numbersOnTiles = numbersCheck->isChecked();
        return;
    }
    // The counts first: setting them chooses "Custom".
    rowsSpin->setValue(custom.rows);
    columnsSpin->setValue(custom.columns);
    if (auto* b = difficultyGroup->button(difficulty))
        b->setChecked(true);
    if (auto* b = styleGroup->button(style))
        b->setChecked(true);
    folderEdit->setText(folder);
    volumeSlider->setValue(volume);
    animateCheck->setChecked(animateMoves);
    numbersCheck->setChecked(numbersOnTiles);
}

void COptionDlg::accept()
{
    DoDataExchange(true);
    const QString completed = CompleteFolder(folder);
    // The saved game holds a folder of fewer than 260 units; a longer one
    // would come back cut, naming some other place.
    if (!PictureFolder::IsStorableFolder(completed)) {
        Refuse(tr("The picture folder's name is too long: at most %1 characters can be kept.")
                   .arg(PictureFolder::kFolderUnits - 1));
        folderEdit->setFocus();
        folderEdit->selectAll();
        return;
    }
    folder = completed;
    QDialog::accept();
}

QString COptionDlg::ChooseFile()
{
    // The patterns are the file dialog's, not the player's: only the names
    // of the two choices are translated.
    return QFileDialog::getOpenFileName(this, QString(), QString(),
                                        //: A choice of file types in the file dialog
                                        tr("Pictures") + QStringLiteral(" (*.bmp *.jpg *.jpeg *.gif *.png);;") +
                                            tr("All files") + QStringLiteral(" (*)"));
}

void COptionDlg::Refuse(const QString& why)
{
    QMessageBox::warning(this, windowTitle(), why);
}

void COptionDlg::OnBnClickedBrowse()
{
    const QString path = ChooseFile();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const QString chosen = FolderOfFile(path);
    // Compared with what the box shows now, not with the field, which still
    // holds the opening text: a typed-over folder must not survive browsing
    // back to the original one.
    if (!SameFolder(chosen, folderEdit->text())) {
        folder = chosen;
        folderEdit->setText(folder);
        update();
    }
}

void COptionDlg::PresetFrom(const Game& game, const GamePicture& picture, const SettingsFile::Values& settings)
{
    animateMoves = settings.animateMoves;
    numbersOnTiles = settings.numbersOnTiles;
    // A grid of a level's size shows that level; any other shows "Custom"
    // with its own counts, and the last custom size waits under "Custom"
    // meanwhile.
    presetSize = game.View().puzzle.grid.Size();
    const std::optional<std::size_t> level = presetSize.Level();
    difficulty = level ? int(*level) : kCustom;
    custom = level || !presetSize.IsValid() ? settings.customSize : presetSize;
    folder = presetFolder = picture.Folder().folder;
    style = game.View().style.Index();
    volume = game.View().volume;
    OnInitDialog();
}

void COptionDlg::ApplyTo(Game& game, GamePicture& picture, SettingsFile::Values& settings) const
{
    settings.animateMoves = animateMoves;
    settings.numbersOnTiles = numbersOnTiles;
    // The counts are offered again next time, whichever size was chosen:
    // a player back from a level finds the custom grid last played or set.
    if (custom.IsValid())
        settings.customSize = custom;
    // Sizes are compared, not choices: 5 x 7 to 6 x 8 is a change though
    // "Custom" stays chosen, and "Custom" set to 3 x 4 on an Expert game
    // is none.
    const GridSize chosen = ChosenSize();
    if (chosen != presetSize && chosen.IsValid())
        game.ChangeSize(chosen);
    if (!SameFolder(folder, presetFolder))
        picture.SetFolder(folder);
    const Style chosenStyle = Style::FromIndex(style).value_or(Style::Strategy);
    settings.style = chosenStyle;
    game.SetStyle(chosenStyle);
    game.SetVolume(volume);
}

GridSize COptionDlg::LevelSize(int difficulty)
{
    return kLevels[std::clamp(difficulty, 0, 3)].size;
}

GridSize COptionDlg::ChosenSize() const
{
    return difficulty == kCustom ? custom : LevelSize(difficulty);
}

QString COptionDlg::FolderOfFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return path;
    return path.left(path.lastIndexOf(name));
}

QString COptionDlg::CompleteFolder(const QString& folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && QFileInfo(folder).isDir())
        return folder + QLatin1Char('/');
    return folder;
}

bool COptionDlg::SameFolder(const QString& a, const QString& b)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif
    return a.compare(b, kNames) == 0;
}

} // namespace tesselo
