#include "charts/chart_png.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace tesselo {

bool ChartPng::Save(const QImage& picture, const QString& path, QString* error)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        if (error)
            *error = out.errorString().isEmpty() ? tr("The picture could not be written.") : out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}

std::unique_ptr<QFileDialog> ChartPng::MakeDialog(QWidget* parent)
{
    // Offered in the player's own folder of pictures, not the game's
    // folder, where the game runs.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    auto dialog = std::make_unique<QFileDialog>(parent, tr("Save Chart as PNG"),
                                                QDir(folder).filePath(QStringLiteral("tesselo-chart.png")),
                                                tr("PNG pictures (*.png)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(QStringLiteral("png"));
    return dialog;
}

QString ChartPng::WithExtension(const QString& chosen)
{
    return chosen.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? chosen : chosen + QLatin1String(".png");
}

void ChartPng::Offer(QWidget* parent, const std::function<QImage()>& picture)
{
    const std::unique_ptr<QFileDialog> dialog = MakeDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString chosen = dialog->selectedFiles().constFirst();
    const QString path = WithExtension(chosen);
    // The dialog asked about the name it returned; a name it did not
    // return is asked about here.
    if (path != chosen && QFileInfo::exists(path) &&
        QMessageBox::warning(parent, tr("Save Chart as PNG"),
                             tr("\"%1\" already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    QString error;
    if (!Save(picture(), path, &error))
        QMessageBox::warning(parent, tr("Save Chart as PNG"), tr("\"%1\" could not be written: %2").arg(path, error));
}

} // namespace tesselo
