#include "app/dialogs/c_option_dlg.h"

#include "app/dialogs/dialog_units.h"
#include "pictures/picture_folder.h"
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
    for (int column : {0, 1}) {
        grid->setColumnMinimumWidth(column, du.X(82));
        grid->setColumnStretch(column, 1);
    }

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    for (QPushButton* b : {okButton, cancelButton})
        b->setMinimumSize(du.X(50), du.Y(14));
    setTabOrder(okButton, cancelButton);

    // The frames in the order the Tab key visits them, after the buttons;
    // the folder's frame comes second among the window's children, as
    // designed.
    QWidget* previous = cancelButton;
    grid->addWidget(MakeLevels(previous), 0, 0);
    auto* folderBox = new QGroupBox(tr("Picture Directory"), this);
    grid->addLayout(MakeSideColumn(previous), 0, 1);
    grid->addWidget(FillFolderRow(folderBox, du, previous), 1, 0, 1, 2);
    grid->addWidget(MakeVolumeRow(previous), 2, 0, 1, 2);

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

void COptionDlg::Chain(QWidget*& previous, QWidget* next)
{
    setTabOrder(previous, next);
    previous = next;
}

QGroupBox* COptionDlg::MakeLevels(QWidget*& previous)
{
    auto* levelBox = new QGroupBox(tr("Difficulty"), this);
    auto* levels = new QVBoxLayout(levelBox);
    difficultyGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kLevels[i].key)), levelBox);
        r->setObjectName(QString::fromLatin1(kLevels[i].key).toLower());
        levels->addWidget(r);
        difficultyGroup->addButton(r, i);
        Chain(previous, r);
    }
    //: A grid of any counts of rows and columns, beside the four levels
    auto* customButton = new QRadioButton(tr("Custom"), levelBox);
    customButton->setObjectName(QStringLiteral("custom"));
    levels->addWidget(customButton);
    difficultyGroup->addButton(customButton, kCustom);
    Chain(previous, customButton);
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
        Chain(previous, spin);
        return spin;
    };
    rowsSpin = count(tr("Rows:"), "rows", 0);
    columnsSpin = count(tr("Columns:"), "columns", 1);
    levels->addLayout(counts);
    return levelBox;
}

QBoxLayout* COptionDlg::MakeSideColumn(QWidget*& previous)
{
    // The style's frame, and under it the board's looks, at the top of the
    // column beside the difficulty.
    //: What counts in a game: the moves (Strategy) or the time (Speed)
    auto* styleBox = new QGroupBox(tr("Style"), this);
    auto* styles = new QVBoxLayout(styleBox);
    styleGroup = new QButtonGroup(this);
    for (int i = 0; i < Style::kCount; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kStyleKeys[i])), styleBox);
        r->setObjectName(QString::fromLatin1(kStyleKeys[i]).toLower().remove(QLatin1Char(' ')));
        styles->addWidget(r);
        styleGroup->addButton(r, i);
        Chain(previous, r);
    }
    animateCheck = new QCheckBox(tr("Animate moves"), this);
    animateCheck->setObjectName(QStringLiteral("animate"));
    //: Each tile shows its number in a corner
    numbersCheck = new QCheckBox(tr("Numbers on tiles"), this);
    numbersCheck->setObjectName(QStringLiteral("numbers"));
    auto* sideColumn = new QVBoxLayout;
    sideColumn->addWidget(styleBox);
    for (QCheckBox* check : {animateCheck, numbersCheck}) {
        sideColumn->addWidget(check);
        Chain(previous, check);
    }
    sideColumn->addStretch(1);
    return sideColumn;
}

QGroupBox* COptionDlg::FillFolderRow(QGroupBox* folderBox, const DialogUnits& du, QWidget*& previous)
{
    auto* folderRow = new QHBoxLayout(folderBox);
    folderEdit = new QLineEdit(folderBox);
    folderEdit->setObjectName(QStringLiteral("folder"));
    folderRow->addWidget(folderEdit, 1);
    browseButton = new QPushButton(QStringLiteral("..."), folderBox);
    browseButton->setObjectName(QStringLiteral("browse"));
    // "..." is read out as dots: a screen reader says this instead.
    browseButton->setAccessibleName(tr("Browse for a picture"));
    browseButton->setToolTip(tr("The folder of the picture you choose becomes the picture directory."));
    browseButton->setFixedWidth(std::max(du.X(20), browseButton->sizeHint().height()));
    folderRow->addWidget(browseButton);
    Chain(previous, folderEdit);
    Chain(previous, browseButton);
    return folderBox;
}

QGroupBox* COptionDlg::MakeVolumeRow(QWidget*& previous)
{
    auto* volumeBox = new QGroupBox(tr("Volume"), this);
    auto* volumeRow = new QHBoxLayout(volumeBox);
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
    Chain(previous, volumeSlider);
    return volumeBox;
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
    if (!PictureFolder::SameFolder(chosen, folderEdit->text())) {
        folder = chosen;
        folderEdit->setText(folder);
        update();
    }
}

void COptionDlg::Preset(const OptionValues& values)
{
    animateMoves = values.animateMoves;
    numbersOnTiles = values.numbersOnTiles;
    // A grid of a level's size shows that level; any other shows "Custom"
    // with its own counts, and the last custom size waits under "Custom"
    // meanwhile.
    const std::optional<std::size_t> level = values.size.Level();
    difficulty = level ? int(*level) : kCustom;
    custom = level || !values.size.IsValid() ? values.custom : values.size;
    folder = values.folder;
    style = values.style.Index();
    volume = values.volume;
    OnInitDialog();
}

OptionValues COptionDlg::Chosen() const
{
    // The counts are offered again next time, whichever size was chosen: a
    // player back from a level finds the custom grid last played or set.
    return OptionValues{ChosenSize(), custom, Style::FromIndex(style).value_or(Style::Strategy),
                        folder,       volume, animateMoves,
                        numbersOnTiles};
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

} // namespace tesselo
