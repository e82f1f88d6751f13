#pragma once

#include <cstdint>

namespace tesselo {

class RecordsFile;

// The records database's tables, and how a file of an earlier version is
// brought up to date. A file is ours only when it says so (its application
// id), names a version this game knows, and holds exactly the schema of that
// version: no table, view or trigger of another origin ever runs in the
// game.
namespace records_schema {

// "TSLR" in the database header: a stray SQLite file under our name is
// never taken for ours.
constexpr std::int32_t kApplicationId = 0x54534c52;
// Changes with every change of the schema. A file of a later version is
// left as it is: this version neither reads it nor writes to it.
// 2: an index of the daily puzzles won. A file of an earlier version is
// brought up to date when it is opened.
constexpr int kVersion = 2;

enum class Verdict {
    Fine,    // ours, sound, and (when it may be written) up to date
    NotOurs, // another program's, changed by hand, or damaged
    Newer,   // written by a later version
    Empty,   // nothing in it yet, looked at read only
    Failed,  // could not be looked at now (a lock, the disk, rights): `rc` says why
};

// Looks at the file `file` has just opened: begins the schema in a new,
// empty file, checks that the file is ours and sound (PRAGMA quick_check),
// and, when the file may be written, brings an earlier version up to date.
// One that cannot be written now (read-only, or held by another window) is
// read as it is, and brought up to date at a later opening.
Verdict Adopt(RecordsFile& file, int* rc);
// Begins the schema in the empty database `file` has open.
bool Create(RecordsFile& file, int* rc);

} // namespace records_schema

} // namespace tesselo
