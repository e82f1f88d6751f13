#include "app/c_option_dlg.h"

#include "app/dialog_layout.h"
#include "app/display_names.h"
#include "model/game.h"
#include "model/levels.h"
#include "pictures/picture_folder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace tesselo {

COptionDlg::COptionDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    using Anchor = DialogLayout::Anchor;
    setWindowTitle(tr("Set Options"));
    auto* layout = new DialogLayout(this, QSize(187, 153));

    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setDefault(true);
    layout->Add(okButton, QRect(7, 134, 50, 14));
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    layout->Add(cancelButton, QRect(130, 134, 50, 14), Anchor::Right);
    layout->Add(new QGroupBox(tr("Difficulty"), this), QRect(7, 7, 82, 70));
    layout->Add(new QGroupBox(tr("Picture Directory"), this), QRect(7, 76, 173, 30), Anchor::Stretch);
    //: What counts in a game: the moves (Strategy) or the time (Speed)
    layout->Add(new QGroupBox(tr("Style"), this), QRect(98, 7, 82, 40));

    // The radio buttons sit on the dialog over their frames, each group
    // exclusive on its own.
    difficultyGroup = new QButtonGroup(this);
    const int levelY[] = {18, 32, 46, 62};
    QWidget* previous = cancelButton;
    setTabOrder(okButton, cancelButton);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kLevels[i].key)), this);
        r->setObjectName(QString::fromLatin1(kLevels[i].key).toLower());
        layout->Add(r, QRect(7 + 4, levelY[i], 80 - 4, 12));
        difficultyGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    styleGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* r = new QRadioButton(DisplayName(QString::fromLatin1(kStyles[i])), this);
        r->setObjectName(QString::fromLatin1(kStyles[i]).toLower());
        layout->Add(r, QRect(100 + 4, 18 + 14 * i, 80 - 6, 12));
        styleGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    // Beside the difficulty, under the style: the room the design left.
    animateCheck = new QCheckBox(tr("Animate moves"), this);
    animateCheck->setObjectName(QStringLiteral("animate"));
    layout->Add(animateCheck, QRect(100, 56, 80, 12));
    setTabOrder(previous, animateCheck);
    previous = animateCheck;
    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QStringLiteral("folder"));
    layout->Add(folderEdit, QRect(7 + 4, 88, 152 - 4, 14), Anchor::Stretch);
    browseButton = new QPushButton(QStringLiteral("..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    layout->Add(browseButton, QRect(160, 88, 20 - 3, 14), Anchor::Right);
    volumeSlider = new QSlider(Qt::Horizontal, this);
    volumeSlider->setObjectName(QStringLiteral("volume"));
    // Set here as well as on opening: a slider's own default stops at 99.
    volumeSlider->setRange(0, 100);
    volumeSlider->setPageStep(20);
    volumeSlider->setTickPosition(QSlider::NoTicks);
    layout->Add(volumeSlider, QRect(42, 114, 138 - 4, 15), Anchor::Stretch);
    layout->Add(new QGroupBox(tr("Volume"), this), QRect(7, 108, 173, 22), Anchor::Stretch);
    //: The low end of the volume slider: no sound
    auto* off = new QLabel(tr("Off"), this);
    layout->Add(off, QRect(19, 117, 18, 8));
    setTabOrder(previous, folderEdit);
    setTabOrder(folderEdit, browseButton);
    setTabOrder(browseButton, volumeSlider);
    // The frames were made first and would hide what lies on them.
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QGroupBox*>(w))
            w->raise();
    layout->activate();

    connect(okButton, &QPushButton::clicked, this, &COptionDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &COptionDlg::reject);
    connect(browseButton, &QPushButton::clicked, this, &COptionDlg::OnBnClickedBrowse);
}

void COptionDlg::OnInitDialog()
{
    volumeSlider->setRange(0, 100);
    DoDataExchange(false);
}

void COptionDlg::DoDataExchange(bool toFields)
{
    if (toFields) {
        difficulty = std::max(difficultyGroup->checkedId(), 0);
        style = std::max(styleGroup->checkedId(), 0);
        folder = folderEdit->text();
        volume = volumeSlider->value();
        animateMoves = animateCheck->isChecked();
        return;
    }
    if (auto* b = difficultyGroup->button(difficulty))
        b->setChecked(true);
    if (auto* b = styleGroup->button(style))
        b->setChecked(true);
    folderEdit->setText(folder);
    volumeSlider->setValue(volume);
    animateCheck->setChecked(animateMoves);
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

void COptionDlg::PresetFrom(const Game& game, const SettingsFile::Values& settings)
{
    animateMoves = settings.animateMoves;
    difficulty = presetDifficulty = DifficultyOf(game.grid.rowCount, game.grid.columnCount);
    folder = presetFolder = game.pictures.folder;
    style = game.strategyStyle ? 0 : 1;
    volume = game.volume;
    OnInitDialog();
}

void COptionDlg::ApplyTo(Game& game, SettingsFile::Values& settings) const
{
    settings.animateMoves = animateMoves;
    if (difficulty != presetDifficulty) {
        const QSize level = LevelSize(difficulty);
        game.ChangeLevel(level.height(), level.width());
    }
    if (!SameFolder(folder, presetFolder))
        game.SetPictureFolder(folder);
    game.SetStrategyStyle(style == 0);
    game.SetVolume(volume);
}

int COptionDlg::DifficultyOf(int rows, int columns)
{
    return int(tesselo::DifficultyOf(rows, columns));
}

QSize COptionDlg::LevelSize(int difficulty)
{
    const Level& level = kLevels[std::clamp(difficulty, 0, 3)];
    return QSize(level.columns, level.rows);
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
