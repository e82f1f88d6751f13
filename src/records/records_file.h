#pragma once

#include "records/records_schema.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

struct sqlite3;

namespace tesselo {

// A write or a read the records could not make.
struct RecordsFailure {
    QString file;   // the records file, as the game names it
    QString reason; // why, for the player
    // The win could not be kept in the pending file either: only the
    // running game holds it.
    bool onlyInMemory = false;
    // The whole message for the player, when a win could not be kept.
    QString Message() const;
};

// Whether an SQLite result says the file is damaged.
bool IsDamage(int rc);
// Whether an SQLite result is a fault of the moment (a lock, the disk,
// rights), to be tried again later, rather than a file that is no database
// of ours.
bool IsPassing(int rc);

// The records database as a file: the connection to it, which file it is,
// and what becomes of one that cannot be used.
//
// - Written to (ReadWrite), a file under the name that is not a database of
//   this game, or is damaged, is set aside under a new name, its journal
//   with it, and a new one begun; nothing is deleted or written over.
//   Another window of the game may do the same meanwhile: the connection
//   knows the file it opened (device and inode), and a name that leads
//   elsewhere now is opened afresh.
// - Only read (ReadOnly), nothing in the folder changes: no file is made,
//   set aside or brought up to date, and a file that cannot be used is a
//   failure. Records never made read as empty ones.
class RecordsFile {
    Q_DECLARE_TR_FUNCTIONS(tesselo::Records)
public:
    enum class Access { ReadWrite, ReadOnly };
    // Another window's write takes milliseconds; waiting longer than this
    // means something holds the file.
    static constexpr int kBusyTimeoutMs = 3000;

    RecordsFile(QString path, Access access);
    ~RecordsFile();
    RecordsFile(const RecordsFile&) = delete;
    RecordsFile& operator=(const RecordsFile&) = delete;

    // Opens the file, making it or setting it aside as the access allows.
    // False, with the reason, when the records cannot be read or written.
    bool Open(RecordsFailure* failure);
    bool IsOpen() const { return db != nullptr; }
    // The name still leads to the file this connection has open.
    bool StillOurs() const;
    // The name leads where it led when the file was opened: to the same
    // file, or, as then, to none.
    bool NameUnchanged() const;
    void Close();
    // Reads on from a copy of the open file in memory, which may be written
    // without touching the file (read only, to fold in what is not in the
    // file yet).
    bool CopyIntoMemory(int* rc);

    sqlite3* Db() const { return db.get(); }
    // Counts the connections made: what was read through an earlier one
    // may be of another file.
    std::uint64_t Connections() const { return connections; }
    const QString& Path() const { return path; }
    Access Mode() const { return access; }
    void SetBusyTimeout(int milliseconds);

    int Exec(const char* sql);
    void Rollback();
    // Begins a write transaction and reads the one number `query` gives,
    // under its lock; on failure nothing is left begun.
    bool BeginWith(const char* query, std::int64_t* value, int* rc);

    // After a statement failed: a damaged file is set aside, when it may be.
    void Noticed(int rc);
    // Sets the database aside as "<name>.<why>", its journal with it.
    bool SetAside(const QString& why, QString* error);
    // Sets another file of the records (the JSON file of earlier versions,
    // the pending wins) aside, and notes it. Empty on failure.
    QString SetAsideOther(const QString& file, const QString& why, QString* error);
    // Notes a file of the records that was set aside elsewhere.
    void NoteSetAside(const QString& aside) { setAside << aside; }
    // Every file set aside through this object, in order.
    const QStringList& FilesSetAside() const { return setAside; }

    // The failure an SQLite result stands for, in words for the player.
    RecordsFailure FailureOf(int rc) const;
    RecordsFailure FailureOf(const QString& reason) const { return RecordsFailure{path, reason}; }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    records_schema::Verdict TryOpen(int* rc);
    bool OpenEmpty(int* rc);

    QString path;
    Access access;
    std::unique_ptr<sqlite3, Closer> db;
    std::uint64_t openedDevice = 0;
    std::uint64_t openedInode = 0;
    int busyTimeout = kBusyTimeoutMs;
    std::uint64_t connections = 0;
    QStringList setAside;
};

} // namespace tesselo
