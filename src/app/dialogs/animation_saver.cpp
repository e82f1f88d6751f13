#include "app/dialogs/animation_saver.h"

#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <memory>

namespace tesselo {

AnimationSaver::AnimationSaver(QWidget* owner) : parent(owner)
{
    askFile = [this](const QString& suggested) {
        const QString gif = tr("Animated GIF (*.gif)");
        const QString webp = tr("Animated WebP (*.webp)");
        QString filter = gif;
        QString file = QFileDialog::getSaveFileName(parent, tr("Save Replay as Animation"), suggested,
                                                    gif + QStringLiteral(";;") + webp, &filter);
        // A name given without an ending takes the one of the kind chosen.
        if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
            file += filter == webp ? QStringLiteral(".webp") : QStringLiteral(".gif");
        return file;
    };
    tell = [this](const QString& text) { QMessageBox::warning(parent, tr("Save Replay as Animation"), text); };
}

ReplayExport::Outcome AnimationSaver::Save(const ReplayExport::Job& job, const QString& name)
{
    const QString file = askFile(QDir::home().filePath(name + QStringLiteral(".gif")));
    if (file.isEmpty())
        return ReplayExport::Outcome::Cancelled;
    QString error;
    if (!ReplayExport::FormatOf(file, &error)) {
        tell(error);
        return ReplayExport::Outcome::Failed;
    }

    const int frames = ReplayFrames::CountFor(job.steps.size());
    QProgressDialog progress(tr("Making the animation…"), tr("Cancel"), 0, frames, parent);
    progress.setWindowTitle(tr("Save Replay as Animation"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);

    // The worker reads `cancelled` and reports each frame to the window's
    // thread, where the dialog lives; it touches nothing else.
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    QObject::connect(&progress, &QProgressDialog::canceled, [cancelled] { *cancelled = true; });
    QProgressDialog* shown = &progress; // outlives the worker; reports left queued go with it
    ReplayExport::Outcome outcome = ReplayExport::Outcome::Failed;
    QThread* worker = QThread::create([&, cancelled, shown] {
        outcome = ReplayExport::Write(job, file, [cancelled, shown](int done, int) {
            QMetaObject::invokeMethod(shown, [shown, done] {
                if (!shown->wasCanceled())
                    shown->setValue(done);
            }, Qt::QueuedConnection);
            return !*cancelled;
        }, &error);
    });
    QEventLoop wait;
    QObject::connect(worker, &QThread::finished, &wait, &QEventLoop::quit);
    worker->start();
    wait.exec();
    worker->wait();
    delete worker;
    progress.close();
    if (outcome == ReplayExport::Outcome::Failed)
        tell(error);
    return outcome;
}

} // namespace tesselo
