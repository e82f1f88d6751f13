#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tesselo {

class BoardBitmap;
class DirectorySearch;

// The directory entry kept in the saved game: a 592-byte record whose only
// meaningful part is the entry name, 260 UTF-16LE units at offset 44. The
// other bytes stay zero.
struct FindData {
    static constexpr std::size_t kSize = 592;
    static constexpr std::size_t kNameOffset = 44;
    static constexpr std::size_t kNameUnits = 260;

    QString Name() const;
    // Names longer than 259 units are cut so that the terminating zero fits.
    void SetName(const QString& name);

    std::array<std::uint8_t, kSize> bytes{};
};

// The picture folder as the saved game keeps it: the prefix, the board's
// size, whether a search was open and the entry it stood on.
struct PictureRecord {
    QString folder = QStringLiteral("./Pictures/");
    std::int32_t width = 640;
    std::int32_t height = 480;
    bool searchOpen = false;
    FindData entry;
};

// Walks one folder for pictures in the order the file system lists it,
// offering each entry to the board bitmap and skipping what does not load.
// The folder is a prefix used verbatim: the entry path is folder + name, and
// the entries searched are those whose name starts with the part of the
// prefix after its last '/'.
class PictureFolder {
public:
    // The most UTF-16 units a folder prefix has room for, its terminating
    // zero included.
    static constexpr std::size_t kFolderUnits = 260;

    PictureFolder();
    ~PictureFolder();
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    bool OpenSearch();
    void CloseSearch();
    bool IsSearchOpen() const { return search != nullptr; }
    // Each returns the name of the entry now on the board, or an empty
    // string when no file loaded; the board then shows the picture on hand
    // at the folder's size.
    QString ShowCurrent();
    QString ShowNext();
    // Shows the entry of that name (in its letter case, else in any) and
    // stays on it. Where the folder has no such entry, or it does not load,
    // the search goes back to the entry it stood on, the board keeps its
    // picture, and the answer is false.
    bool ShowNamed(const QString& name);
    // Accepts a prefix that matches at least one entry; loads nothing.
    bool SetFolder(const QString& newFolder);
    // A prefix the saved game can hold: fewer than 260 UTF-16 units.
    static bool IsStorableFolder(const QString& folder);
    // Whether two folder texts are the same name as the file system
    // compares names: letter case counts where it does (Linux), not where
    // the usual file system ignores it (Windows, macOS).
    static bool SameFolder(const QString& a, const QString& b);

    PictureRecord Record() const;
    // Takes the folder and the board's size of a saved game, and finds the
    // entry it stood on again (by its name as written, else in any letter
    // case, else the folder's first); loads nothing. A board size beyond
    // kMaxBoardSide, or below zero, is refused and changes nothing.
    bool Restore(const PictureRecord& saved);
    static bool IsSoundBoard(std::int32_t width, std::int32_t height);

    // No screen is this large; a saved size beyond it is damage, and
    // preparing a picture that big would exhaust memory.
    static constexpr std::int32_t kMaxBoardSide = 16384;

    BoardBitmap* target = nullptr; // not owned
    QString folder;
    std::int32_t width = 640;
    std::int32_t height = 480;
    qreal ratio = 1.0; // device pixels per board pixel on the window's screen; not saved
    std::unique_ptr<DirectorySearch> search; // the open search, or null
    FindData findData;

private:
    bool Advance();
    bool TryLoad(const QString& name);
    QString Nothing();
    bool FindSaved(const QString& name);
    static std::unique_ptr<DirectorySearch> StartSearch(const QString& prefix, QString* firstName);
};

} // namespace tesselo
