#include "model/safe_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace tesselo {

namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

bool Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

QString Quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

// QSaveFile::commit() syncs but ignores the answer, so a write the file
// system refuses only at the sync (a network share over its quota) would
// still be renamed over the old file.
bool SyncToDisk(QSaveFile& file, QString* why)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (fd < 0)
        return true;
    while (::fsync(fd) != 0) {
        if (errno == EINTR)
            continue;
        // File systems that cannot sync (some pseudo file systems) have
        // nothing to lose by it.
        if (errno == EINVAL || errno == EROFS || errno == ENOTSUP)
            return true;
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(why);
#endif
    return true;
}

} // namespace

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error,
                         const ReplaceCheck& mayReplace)
{
    QFileInfo target(path);
    bool throughLink = false;
    for (int hops = 0; target.isSymLink(); ++hops) {
        if (hops == kMaxLinkHops)
            return Fail(error, Quoted(path) + QStringLiteral(" is a loop of links."));
        throughLink = true;
        target.setFile(target.symLinkTarget());
    }
    const QString targetPath = target.filePath();
    if (target.exists()) {
        if (!target.isFile())
            return Fail(error, Quoted(targetPath) + QStringLiteral(" is not a file; it was left as it is."));
        if (throughLink && !(mayReplace && mayReplace(targetPath)))
            return Fail(error, Quoted(path) + QStringLiteral(" is a link to ") + Quoted(targetPath) +
                                   QStringLiteral(", which this game did not write; it was left as it is."));
    }

    // Unbuffered, so that a refused write is seen at the write itself and
    // not lost in a final flush that commit() does not check.
    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(error, file.errorString());
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            return Fail(error, file.errorString());
        done += n;
    }
    QString why;
    if (!file.flush())
        return Fail(error, file.errorString());
    if (!SyncToDisk(file, &why))
        return Fail(error, why);
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}

QString SetFileAside(const QString& path, QString* error, const QString& why)
{
    // QFile::rename never replaces an existing file, so a name taken in the
    // meantime is simply passed over.
    for (int n = 1; n <= 1000; ++n) {
        const QString aside = path + QLatin1Char('.') + why + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
        if (QFileInfo(aside).exists() || QFileInfo(aside).isSymLink())
            continue;
        QFile file(path);
        if (file.rename(aside))
            return aside;
        if (QFileInfo(aside).exists())
            continue;
        Fail(error, file.errorString());
        return QString();
    }
    Fail(error, Quoted(path) + QStringLiteral(" could not be set aside: every name for it is taken."));
    return QString();
}

} // namespace tesselo
