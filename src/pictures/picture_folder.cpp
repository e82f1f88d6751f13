#include "pictures/picture_folder.h"

#include "files/byte_io.h"
#include "files/file_name_codec.h"
#include "pictures/board_bitmap.h"

#include <algorithm>

#include <dirent.h>

namespace tesselo {

namespace {

// A lap that has to start over more often than this has lost its landmarks
// (entries deleted under it); ending the walk beats spinning forever.
constexpr int kMaxWraps = 3;

// The folder prefix names a directory and the start of the entry names:
// "./Pictures/" lists every entry of ./Pictures, "/home/me/Photos" the
// entries of /home/me whose name starts with "Photos".
struct Pattern {
    QString directory;
    QString namePrefix;
};

Pattern SplitPrefix(const QString& prefix)
{
    const qsizetype slash = prefix.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QStringLiteral("."), prefix};
    return {slash == 0 ? QStringLiteral("/") : prefix.left(slash + 1), prefix.mid(slash + 1)};
}

} // namespace

// An open directory search: the entries of one directory in the order the
// file system lists them, never sorted, restricted to one name prefix.
// Listed with readdir rather than QDirIterator, which leaves out every name
// that is not valid UTF-8; FileNameFromBytes keeps such a name, and
// BoardBitmap opens it by the same bytes.
class DirectorySearch {
public:
    explicit DirectorySearch(const Pattern& pattern) : namePrefix(pattern.namePrefix)
    {
        const QByteArray path = FileNameToBytes(pattern.directory);
        if (!path.isEmpty())
            directory = ::opendir(path.constData());
    }
    ~DirectorySearch()
    {
        if (directory)
            ::closedir(directory);
    }
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    bool Next(QString* name)
    {
        while (directory) {
            const dirent* entry = ::readdir(directory);
            if (!entry)
                return false;
            QString entryName = FileNameFromBytes(QByteArray(entry->d_name));
            if (entryName.startsWith(namePrefix, Qt::CaseSensitive)) {
                *name = std::move(entryName);
                return true;
            }
        }
        return false;
    }

private:
    DIR* directory = nullptr;
    QString namePrefix;
};

QString FindData::Name() const
{
    return GetUtf16(bytes.data() + kNameOffset, kNameUnits);
}

void FindData::SetName(const QString& name)
{
    bytes.fill(0);
    PutUtf16(bytes.data() + kNameOffset, kNameUnits - 1, name);
}

PictureFolder::PictureFolder() : folder(QStringLiteral("./Pictures/")) {}

PictureFolder::~PictureFolder() { CloseSearch(); }

std::unique_ptr<DirectorySearch> PictureFolder::StartSearch(const QString& prefix, QString* firstName)
{
    auto search = std::make_unique<DirectorySearch>(SplitPrefix(prefix));
    QString name;
    if (!search->Next(&name))
        return nullptr;
    if (firstName)
        *firstName = name;
    return search;
}

bool PictureFolder::OpenSearch()
{
    CloseSearch();
    QString first;
    search = StartSearch(folder, &first);
    if (!search)
        return false;
    findData.SetName(first);
    return true;
}

void PictureFolder::CloseSearch() { search.reset(); }

bool PictureFolder::Advance()
{
    if (!search)
        return false;
    QString name;
    if (!search->Next(&name))
        return false;
    findData.SetName(name);
    return true;
}

bool PictureFolder::TryLoad(const QString& name)
{
    // BoardBitmap refuses anything that is not a regular file without
    // opening it, so directories, pipes and sockets cost one stat.
    return target && target->LoadScaled(folder + name, width, height, ratio);
}

QString PictureFolder::Nothing()
{
    // No file loaded, yet the board still follows the window: the picture
    // on hand (the built-in one or the last that loaded) is made at the new
    // size, exactly as a file would have been.
    if (target)
        target->Rescale(width, height, ratio);
    return {};
}

QString PictureFolder::ShowCurrent()
{
    if (!target)
        return {};
    // A minimised window has no board to fill: walking the folder for one
    // would read every picture in it only to refuse each.
    if (width <= 0 || height <= 0)
        return Nothing();
    if (!search && !OpenSearch())
        return Nothing();
    const QString name = findData.Name();
    if (TryLoad(name))
        return name;
    return ShowNext();
}

QString PictureFolder::ShowNext()
{
    if (!target)
        return {};
    if (width <= 0 || height <= 0)
        return Nothing();
    const QString start = findData.Name();
    QString first;
    bool seenOne = false;
    int wraps = 0;
    for (;;) {
        if (!Advance()) {
            if (++wraps > kMaxWraps || !OpenSearch())
                return Nothing();
        }
        const QString name = findData.Name();
        if (!seenOne)
            first = name;
        if (TryLoad(name))
            return name;
        if (name == start)
            return Nothing();
        if (!seenOne) {
            seenOne = true;
            continue;
        }
        if (name == first)
            return Nothing();
    }
}

bool PictureFolder::ShowNamed(const QString& name)
{
    if (!target || width <= 0 || height <= 0 || name.isEmpty())
        return false;
    const bool wasOpen = search != nullptr;
    const QString before = findData.Name();
    if (FindSaved(name) && TryLoad(findData.Name()))
        return true;
    if (wasOpen) {
        FindSaved(before);
    } else {
        CloseSearch();
        findData.SetName(before);
    }
    return false;
}

bool PictureFolder::SetFolder(const QString& newFolder)
{
    if (!StartSearch(newFolder, nullptr))
        return false;
    folder = newFolder;
    CloseSearch();
    return true;
}

bool PictureFolder::SameFolder(const QString& a, const QString& b)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif
    return a.compare(b, kNames) == 0;
}

bool PictureFolder::IsStorableFolder(const QString& folder)
{
    return std::size_t(folder.size()) < kFolderUnits;
}

PictureRecord PictureFolder::Record() const
{
    return PictureRecord{folder, width, height, search != nullptr, findData};
}

bool PictureFolder::IsSoundBoard(std::int32_t w, std::int32_t h)
{
    return w >= 0 && h >= 0 && w <= kMaxBoardSide && h <= kMaxBoardSide;
}

bool PictureFolder::Restore(const PictureRecord& saved)
{
    if (!IsSoundBoard(saved.width, saved.height))
        return false;
    folder = saved.folder;
    width = saved.width;
    height = saved.height;
    if (!saved.searchOpen)
        CloseSearch();
    else
        FindSaved(saved.entry.Name());
    return true;
}

bool PictureFolder::FindSaved(const QString& name)
{
    CloseSearch();
    if (!OpenSearch())
        return false;
    const QString lapStart = findData.Name();
    // One lap for the name as written, then one that ignores case: on a
    // case-sensitive file system "Sea.jpg" and "sea.jpg" are two pictures,
    // and the one saved is the one to find.
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        if (findData.Name().compare(name, cs) == 0)
            return true;
        int wraps = 0;
        for (;;) {
            if (!Advance()) {
                if (++wraps > kMaxWraps || !OpenSearch())
                    return false;
            }
            const QString current = findData.Name();
            if (current.compare(name, cs) == 0)
                return true;
            if (current == lapStart)
                break;
        }
    }
    return false;
}

} // namespace tesselo
