#include "records/records_file.h"

#include "files/file_name_codec.h"
#include "files/safe_file.h"
#include "records/sql_statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace tesselo {

namespace {

using records_schema::Verdict;

struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// The file a name leads to now, through links; none when there is none.
std::optional<FileId> IdOf(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(FileNameToBytes(path).constData(), &st) != 0)
        return std::nullopt;
    return FileId{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
#else
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return FileId{};
#endif
}

} // namespace

bool IsDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// What a file under the records' name answers when it is looked at first:
// a fault of the moment (a lock, the disk, rights) leaves it to be tried
// again; any other refusal (an unknown format, a schema that does not
// parse, damage) means it is no database of ours. "Out of memory" is among
// those: SQLite answers it for a damaged schema whose sizes ask for more
// than it will ever allocate (a 9 KB file, with 40 KB in use), so taking
// it for a passing fault would leave the player with records no win could
// ever reach again. A real shortage ends a Linux process elsewhere, and a
// file set aside is kept whole.
bool IsPassing(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_FULL:
    case SQLITE_INTERRUPT:
        return true;
    default:
        return false;
    }
}

QString RecordsFailure::Message() const
{
    if (onlyInMemory)
        return QCoreApplication::translate("tesselo::Records",
                                           "Your win could not be written to the records in \"%1\":\n%2\n\n"
                                           "It could not be kept in a file either: the game holds it until it "
                                           "closes, and tries again with your next win and at the close.")
            .arg(file, reason);
    return QCoreApplication::translate("tesselo::Records",
                                       "Your win could not be written to the records in \"%1\":\n%2\n\n"
                                       "It is kept, and will be written with your next win or when the game closes.")
        .arg(file, reason);
}

void RecordsFile::Closer::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

RecordsFile::RecordsFile(QString file, Access mode) : path(std::move(file)), access(mode) {}

RecordsFile::~RecordsFile() = default;

void RecordsFile::SetBusyTimeout(int milliseconds)
{
    busyTimeout = milliseconds;
    if (db)
        sqlite3_busy_timeout(db.get(), busyTimeout);
}

void RecordsFile::Close()
{
    db.reset();
}

int RecordsFile::Exec(const char* sql)
{
    return db ? sqlite3_exec(db.get(), sql, nullptr, nullptr, nullptr) : SQLITE_MISUSE;
}

void RecordsFile::Rollback()
{
    if (db && !sqlite3_get_autocommit(db.get()))
        Exec("ROLLBACK");
}

bool RecordsFile::BeginWith(const char* query, std::int64_t* value, int* rc)
{
    if ((*rc = Exec("BEGIN IMMEDIATE")) != SQLITE_OK)
        return false;
    {
        // Finalised before a rollback, which a statement still reading holds up.
        SqlStatement q(db.get(), query);
        if ((*rc = q.Step()) == SQLITE_ROW)
            *value = q.Int(0);
    }
    if (*rc != SQLITE_ROW) {
        Rollback();
        return false;
    }
    *rc = SQLITE_OK;
    return true;
}

RecordsFailure RecordsFile::FailureOf(int rc) const
{
    const int err = db ? sqlite3_system_errno(db.get()) : 0;
    QString reason;
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        reason = tr("Another window of Tesselo kept the records busy for too long.");
        break;
    case SQLITE_FULL:
        reason = tr("The disk is full.");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_CANTOPEN: {
        // Through a link, the folder is the one the link leads into.
        const QFileInfo info(path);
        const QFileInfo target(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
        reason = err == EROFS                                  ? tr("The disk may only be read.")
                 : err == ENOTDIR || !target.absoluteDir().exists() ? tr("Its folder does not exist.")
                                                                : tr("The folder or the file may not be written.");
        break;
    }
    case SQLITE_IOERR:
        reason = err == ENOSPC || err == EDQUOT || err == EFBIG
                     ? tr("The disk is full.")
                     : tr("The disk reported an error: %1").arg(QString::fromLocal8Bit(std::strerror(err)));
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        reason = tr("The file is damaged.");
        break;
    default:
        reason = tr("SQLite reported: %1").arg(QString::fromUtf8(sqlite3_errstr(rc)));
        break;
    }
    return FailureOf(reason);
}

bool RecordsFile::StillOurs() const
{
    const std::optional<FileId> now = IdOf(path);
    return db && now && now->device == openedDevice && now->inode == openedInode;
}

bool RecordsFile::NameUnchanged() const
{
    const std::optional<FileId> now = IdOf(path);
    if (!now)
        return openedDevice == 0 && openedInode == 0;
    return now->device == openedDevice && now->inode == openedInode;
}

bool RecordsFile::SetAside(const QString& why, QString* error)
{
    const QString aside = SetFileAside(path, error, why);
    if (aside.isEmpty())
        return false;
    setAside << aside;
    // A journal left by a write cut short belongs to this file alone: left
    // under the old name, SQLite would play it back into the new one.
    for (const char* side : {"-journal", "-wal", "-shm"}) {
        const QString from = path + QLatin1String(side);
        if (!QFileInfo(from).exists() && !QFileInfo(from).isSymLink())
            continue;
        if (!QFile::rename(from, aside + QLatin1String(side))) {
            if (error)
                *error = tr("\"%1\" could not be set aside.").arg(from);
            db.reset();
            return false;
        }
    }
    db.reset();
    return true;
}

QString RecordsFile::SetAsideOther(const QString& file, const QString& why, QString* error)
{
    const QString aside = SetFileAside(file, error, why);
    if (!aside.isEmpty())
        setAside << aside;
    return aside;
}

void RecordsFile::Noticed(int rc)
{
    if (IsDamage(rc) && db && access == Access::ReadWrite) {
        Rollback();
        SetAside(QStringLiteral("damaged"), nullptr);
    }
}

bool RecordsFile::OpenEmpty(int* rc)
{
    sqlite3* opened = nullptr;
    *rc = sqlite3_open_v2(":memory:", &opened, SQLITE_OPEN_READWRITE, nullptr);
    db.reset(opened);
    ++connections;
    if (*rc == SQLITE_OK && records_schema::Create(*this, rc))
        return true;
    db.reset();
    return false;
}

bool RecordsFile::CopyIntoMemory(int* rc)
{
    sqlite3* copy = nullptr;
    *rc = sqlite3_open_v2(":memory:", &copy, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, Closer> memory(copy);
    if (*rc != SQLITE_OK)
        return false;
    sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db.get(), "main");
    if (!backup) {
        *rc = sqlite3_errcode(copy);
        return false;
    }
    *rc = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (*rc != SQLITE_DONE || (*rc = finished) != SQLITE_OK)
        return false;
    sqlite3_extended_result_codes(copy, 1);
    db = std::move(memory);
    ++connections;
    return true;
}

Verdict RecordsFile::TryOpen(int* rc)
{
    db.reset();
    const std::optional<FileId> id = IdOf(path);
    openedDevice = id ? id->device : 0;
    openedInode = id ? id->inode : 0;
    const QFileInfo info(path);
    // A directory cannot be a database, and a pipe would block the game.
    if (info.exists() && !info.isFile())
        return Verdict::NotOurs;
    const bool writable = access == Access::ReadWrite;
    if (!writable && !info.exists())
        return Verdict::Empty;
    sqlite3* opened = nullptr;
    *rc = sqlite3_open_v2(FileNameToBytes(path).constData(), &opened,
                          writable ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY, nullptr);
    db.reset(opened);
    ++connections;
    if (*rc != SQLITE_OK)
        return Verdict::Failed;
    sqlite3_extended_result_codes(db.get(), 1);
    sqlite3_busy_timeout(db.get(), busyTimeout);
    // The file is as hostile as any other the game reads: nothing in it may
    // run as trusted code or write past SQLite's own checks.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    Exec("PRAGMA cell_size_check = ON");

    const Verdict verdict = records_schema::Adopt(*this, rc);
    if (verdict != Verdict::Fine)
        return verdict;
    // A file made just now has its identity only now.
    const std::optional<FileId> made = IdOf(path);
    if (!made) {
        *rc = SQLITE_CANTOPEN;
        return Verdict::Failed;
    }
    openedDevice = made->device;
    openedInode = made->inode;
    return Verdict::Fine;
}

bool RecordsFile::Open(RecordsFailure* failure)
{
    const auto fail = [&](const RecordsFailure& why) {
        db.reset();
        if (failure)
            *failure = why;
        return false;
    };
    // Twice at most: a file set aside gives way to a new one, and a second
    // bad file in its place is not chased further.
    for (int attempt = 0; attempt < 2; ++attempt) {
        int rc = SQLITE_OK;
        switch (TryOpen(&rc)) {
        case Verdict::Fine:
            return true;
        case Verdict::Empty:
            return OpenEmpty(&rc) || fail(FailureOf(rc));
        case Verdict::Failed:
            return fail(FailureOf(rc));
        case Verdict::Newer:
            return fail(FailureOf(tr("It was written by a newer version of Tesselo, which this version leaves "
                                     "as it is.")));
        case Verdict::NotOurs: {
            if (access == Access::ReadOnly)
                return fail(FailureOf(tr("The file is damaged.")));
            // Another window may have set the file aside and begun a new
            // one meanwhile; that one is looked at afresh, not moved.
            const std::optional<FileId> now = IdOf(path);
            if (now && (now->device != openedDevice || now->inode != openedInode)) {
                db.reset();
                continue;
            }
            QString error;
            if (!SetAside(QStringLiteral("damaged"), &error))
                return fail(FailureOf(tr("It is damaged, and could not be set aside: %1").arg(error)));
            break;
        }
        }
    }
    return fail(FailureOf(tr("The file is damaged.")));
}

} // namespace tesselo
