#include "app/c_option_dlg.h"

#include "app/dialog_units.h"
#include "model/tile_grid.h"
#include "pictures/picture_folder.h"

#include <QButtonGroup>
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

namespace {

constexpr const char* kLevels[] = {"Novice", "Pro", "Expert", "Genius"};

} // namespace

COptionDlg::COptionDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Set Options"));
    const DialogUnits du(font());
    setFixedSize(du.X(187), du.Y(153));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("ok"));
    okButton->setGeometry(du.Rect(7, 134, 50, 14));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancel"));
    cancelButton->setGeometry(du.Rect(130, 134, 50, 14));
    (new QGroupBox(QStringLiteral("Difficulty"), this))->setGeometry(du.Rect(7, 7, 82, 70));
    (new QGroupBox(QStringLiteral("Picture Directory"), this))->setGeometry(du.Rect(7, 76, 173, 30));
    (new QGroupBox(QStringLiteral("Style"), this))->setGeometry(du.Rect(98, 7, 82, 40));

    // The radio buttons sit on the dialog over their frames, each group
    // exclusive on its own.
    difficultyGroup = new QButtonGroup(this);
    const int levelY[] = {18, 32, 46, 62};
    QWidget* previous = cancelButton;
    setTabOrder(okButton, cancelButton);
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(kLevels[i]), this);
        r->setObjectName(QString::fromLatin1(kLevels[i]).toLower());
        r->setGeometry(du.Rect(7 + 4, levelY[i], 80 - 4, 12));
        difficultyGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    styleGroup = new QButtonGroup(this);
    const char* styles[] = {"Strategy", "Speed"};
    for (int i = 0; i < 2; ++i) {
        auto* r = new QRadioButton(QString::fromLatin1(styles[i]), this);
        r->setObjectName(QString::fromLatin1(styles[i]).toLower());
        r->setGeometry(du.Rect(100 + 4, 18 + 14 * i, 80 - 6, 12));
        styleGroup->addButton(r, i);
        setTabOrder(previous, r);
        previous = r;
    }
    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QStringLiteral("folder"));
    folderEdit->setGeometry(du.Rect(7 + 4, 88, 152 - 4, 14));
    browseButton = new QPushButton(QStringLiteral("..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    browseButton->setGeometry(du.Rect(160, 88, 20 - 3, 14));
    volumeSlider = new QSlider(Qt::Horizontal, this);
    volumeSlider->setObjectName(QStringLiteral("volume"));
    // Set here as well as on opening: a slider's own default stops at 99.
    volumeSlider->setRange(0, 100);
    volumeSlider->setPageStep(20);
    volumeSlider->setGeometry(du.Rect(42, 114, 138 - 4, 15));
    volumeSlider->setTickPosition(QSlider::NoTicks);
    (new QGroupBox(QStringLiteral("Volume"), this))->setGeometry(du.Rect(7, 108, 173, 22));
    auto* off = new QLabel(QStringLiteral("Off"), this);
    off->setGeometry(du.Rect(19, 117, 18, 8));
    setTabOrder(previous, folderEdit);
    setTabOrder(folderEdit, browseButton);
    setTabOrder(browseButton, volumeSlider);
    // The frames were made first and would hide what lies on them.
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !qobject_cast<QGroupBox*>(w))
            w->raise();

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
        return;
    }
    if (auto* b = difficultyGroup->button(difficulty))
        b->setChecked(true);
    if (auto* b = styleGroup->button(style))
        b->setChecked(true);
    folderEdit->setText(folder);
    volumeSlider->setValue(volume);
}

void COptionDlg::accept()
{
    DoDataExchange(true);
    const QString completed = CompleteFolder(folder);
    // The saved game holds a folder of fewer than 260 units; a longer one
    // would come back cut, naming some other place.
    if (!PictureFolder::IsStorableFolder(completed)) {
        Refuse(QStringLiteral("The picture folder's name is too long: at most %1 characters can be kept.")
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
    return QFileDialog::getOpenFileName(this, QString(), QString(),
                                        QStringLiteral("Pictures (*.bmp *.jpg *.jpeg *.gif *.png);;All files (*)"));
}

void COptionDlg::Refuse(const QString& why)
{
    QMessageBox::warning(this, QStringLiteral("Set Options"), why);
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
    if (chosen.compare(folderEdit->text(), Qt::CaseInsensitive) != 0) {
        folder = chosen;
        folderEdit->setText(folder);
        update();
    }
}

int COptionDlg::DifficultyOf(int rows, int columns)
{
    switch (rows) {
    case 2: return 0;
    case 3: return columns == 3 ? 1 : 2;
    case 4: return 3;
    default: return 0;
    }
}

QSize COptionDlg::LevelSize(int difficulty)
{
    const TileGrid::Size& size = TileGrid::kDifficultySizes[std::clamp(difficulty, 0, 3)];
    return QSize(size.columns, size.rows);
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
