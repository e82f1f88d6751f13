#include "files/safe_file.h"

#include "files/file_name_codec.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tesselo {

namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

// Why a file was refused, for the player: in the player's language.
QString Reason(const char* text) { return QCoreApplication::translate("tesselo::SafeFile", text); }

bool Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

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

#ifdef Q_OS_UNIX
ReadRefusal RefusalOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadRefusal::Missing;
    case ENXIO: // a socket, or a device with nothing behind it
    case ENODEV:
        return ReadRefusal::NotAFile;
    default:
        return ReadRefusal::Unreadable;
    }
}
#endif

} // namespace

FileToRead::FileToRead(const QString& path, qint64 minBytes, qint64 maxBytes) : maxBytes(maxBytes)
{
#ifdef Q_OS_UNIX
    // No O_NOFOLLOW: it would refuse only a link in the last part of the
    // name, which the player may have made on purpose, and the checks below
    // hold for whatever the open reached. O_NOCTTY keeps a terminal named
    // here from becoming the game's.
    const QByteArray name = FileNameToBytes(path);
    if (name.isEmpty()) {
        refusal = ReadRefusal::Missing;
        return;
    }
    int fd = -1;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        refusal = RefusalOf(errno);
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        refusal = ReadRefusal::Unreadable;
    else if (!S_ISREG(st.st_mode))
        refusal = ReadRefusal::NotAFile;
    else if (st.st_size < minBytes || st.st_size > maxBytes)
        refusal = ReadRefusal::OutOfBounds;
    // A regular file never waits; the flag is cleared all the same, so that
    // a read is a plain read whatever the file system makes of it.
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
             !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        refusal = ReadRefusal::Unreadable;
    else
        refusal = ReadRefusal::None;
    if (refusal != ReadRefusal::None) {
        ::close(fd);
        return;
    }
    size = st.st_size;
    modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
#else
    const QFileInfo info(path);
    file.setFileName(path);
    if (!info.exists())
        refusal = ReadRefusal::Missing;
    else if (!info.isFile())
        refusal = ReadRefusal::NotAFile;
    else if (!file.open(QIODevice::ReadOnly))
        refusal = ReadRefusal::Unreadable;
    else if (file.size() < minBytes || file.size() > maxBytes)
        refusal = ReadRefusal::OutOfBounds;
    else
        refusal = ReadRefusal::None;
    if (refusal != ReadRefusal::None) {
        file.close();
        return;
    }
    size = file.size();
    modified = info.lastModified().toMSecsSinceEpoch();
#endif
}

std::optional<QByteArray> FileToRead::ReadAll()
{
    if (!IsOpen())
        return std::nullopt;
    QByteArray data;
    if (size == 0)
        return data;
    // One byte past the bound tells a file that grew from a full one.
    const qint64 want = maxBytes == kNoLimit ? kNoLimit : maxBytes + 1;
    for (;;) {
        const qint64 chunk = std::min<qint64>(std::max<qint64>(size, 64 * 1024), want - data.size());
        if (chunk <= 0)
            break;
        const QByteArray part = file.read(chunk);
        if (part.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                refusal = ReadRefusal::Unreadable;
                return std::nullopt;
            }
            break;
        }
        data.append(part);
    }
    if (data.size() > maxBytes) {
        refusal = ReadRefusal::OutOfBounds;
        return std::nullopt;
    }
    return data;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 minBytes, qint64 maxBytes, ReadRefusal* why)
{
    FileToRead file(path, minBytes, maxBytes);
    std::optional<QByteArray> data = file.ReadAll();
    if (why)
        *why = file.Refusal();
    return data;
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error,
                         const ReplaceCheck& mayReplace)
{
    QFileInfo target(path);
    bool throughLink = false;
    for (int hops = 0; target.isSymLink(); ++hops) {
        if (hops == kMaxLinkHops)
            return Fail(error, Reason(QT_TRANSLATE_NOOP("tesselo::SafeFile", "\"%1\" is a loop of links.")).arg(path));
        throughLink = true;
        target.setFile(target.symLinkTarget());
    }
    const QString targetPath = target.filePath();
    if (throughLink && !target.exists())
        return Fail(error, Reason(QT_TRANSLATE_NOOP("tesselo::SafeFile",
                                                    "\"%1\" is a link to \"%2\", which is not there; it was left as "
                                                    "it is."))
                               .arg(path, targetPath));
    if (target.exists()) {
        if (!target.isFile())
            return Fail(error,
                        Reason(QT_TRANSLATE_NOOP("tesselo::SafeFile", "\"%1\" is not a file; it was left as it is."))
                            .arg(targetPath));
        if (throughLink && !(mayReplace && mayReplace(targetPath)))
            return Fail(error, Reason(QT_TRANSLATE_NOOP("tesselo::SafeFile",
                                                        "\"%1\" is a link to \"%2\", which this game did not write; "
                                                        "it was left as it is."))
                                   .arg(path, targetPath));
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
    Fail(error,
         Reason(QT_TRANSLATE_NOOP("tesselo::SafeFile", "\"%1\" could not be set aside: every name for it is taken."))
             .arg(path));
    return QString();
}

} // namespace tesselo
