#include "pictures/picture_folder.h"

#include "files/byte_io.h"
#include "files/file_name_codec.h"
#include "pictures/board_bitmap.h"

#include <algorithm>

#include <dirent.h>

namespace tesselo {

namespace {

constexpr std::int32_t kNoSearch = -1;
constexpr std::int32_t kSearchOpen = 0;

// A lap that has to start over more often than this has lost its landmarks
// (entries deleted under it); ending the walk beats spinning forever.
constexpr int kMaxWraps = 3;

// Reads up to `units` UTF-16LE code units, stopping at the first zero.
QString ReadUtf16(const std::uint8_t* at, std::size_t units)
{
    QString text;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t u = GetUInt16(at + 2 * i);
        if (u == 0)
            break;
        text.append(QChar(u));
    }
    return text;
}

bool HasTerminator(const std::uint8_t* at, std::size_t units)
{
    for (std::size_t i = 0; i < units; ++i)
        if (GetUInt16(at + 2 * i) == 0)
            return true;
    return false;
}

// Writes at most `units` units of text; the caller has zeroed the area.
void WriteUtf16(std::uint8_t* at, std::size_t units, const QString& text)
{
    const std::size_t n = std::min<std::size_t>(units, std::size_t(text.size()));
    for (std::size_t i = 0; i < n; ++i)
        PutUInt16(at + 2 * i, text.at(qsizetype(i)).unicode());
}

// The saved game may come from the Windows build, whose folders use '\'.
QString FromStoredFolder(QString folder)
{
    return folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

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
    return ReadUtf16(bytes.data() + kNameOffset, kNameUnits);
}

void FindData::SetName(const QString& name)
{
    bytes.fill(0);
    WriteUtf16(bytes.data() + kNameOffset, kNameUnits - 1, name);
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

bool PictureFolder::SetFolder(const QString& newFolder)
{
    if (!StartSearch(newFolder, nullptr))
        return false;
    folder = newFolder;
    CloseSearch();
    return true;
}

bool PictureFolder::IsStorableFolder(const QString& folder)
{
    return std::size_t(folder.size()) < kFolderUnits;
}

std::size_t PictureFolder::StoreTo(std::uint8_t* out, std::size_t capacity) const
{
    if (capacity < kRecordSize)
        return 0;
    std::fill(out, out + 2 * kFolderUnits, std::uint8_t(0));
    WriteUtf16(out, kFolderUnits, folder);
    PutInt32(out + 520, width);
    PutInt32(out + 524, height);
    PutInt32(out + 528, search ? kSearchOpen : kNoSearch);
    std::copy(findData.bytes.begin(), findData.bytes.end(), out + 532);
    return kRecordSize;
}

std::size_t PictureFolder::CheckRecord(const std::uint8_t* in, std::size_t length)
{
    if (length < kRecordSize)
        return 0;
    const std::int32_t w = GetInt32(in + 520);
    const std::int32_t h = GetInt32(in + 524);
    if (w < 0 || h < 0 || w > kMaxBoardSide || h > kMaxBoardSide)
        return 0;
    // Every folder and name this program or the Windows one writes ends in
    // a zero unit; text that fills its whole area is damage, and a folder of
    // 260 units could not be saved again as read.
    if (!HasTerminator(in, kFolderUnits) ||
        !HasTerminator(in + 532 + FindData::kNameOffset, FindData::kNameUnits))
        return 0;
    return kRecordSize;
}

std::size_t PictureFolder::LoadFrom(const std::uint8_t* in, std::size_t length)
{
    if (!CheckRecord(in, length))
        return 0;
    folder = FromStoredFolder(ReadUtf16(in, kFolderUnits));
    width = GetInt32(in + 520);
    height = GetInt32(in + 524);
    if (GetInt32(in + 528) == kNoSearch) {
        CloseSearch();
        return kRecordSize;
    }
    FindData stored;
    std::copy(in + 532, in + 532 + FindData::kSize, stored.bytes.begin());
    FindSaved(stored.Name());
    return kRecordSize;
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
