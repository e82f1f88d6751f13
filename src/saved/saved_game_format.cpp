#include "saved/saved_game_format.h"

#include "files/byte_io.h"

namespace tesselo {

namespace {

// The header, from the start of the file.
constexpr std::size_t kAnchorY = 0;
constexpr std::size_t kAnchorX = 4;
constexpr std::size_t kAxis = 8;
constexpr std::size_t kState = 12;
constexpr std::size_t kElapsed = 16;
constexpr std::size_t kMoves = 20;
constexpr std::size_t kVolume = 24;
constexpr std::size_t kStyle = 28;
static_assert(kStyle + 1 == SavedGameFormat::kHeaderSize);

// The picture record, from its start.
constexpr std::size_t kFolder = 0;
constexpr std::size_t kWidth = 2 * PictureFolder::kFolderUnits;
constexpr std::size_t kHeight = kWidth + 4;
constexpr std::size_t kSearch = kHeight + 4;
constexpr std::size_t kEntry = kSearch + 4;
static_assert(kEntry + FindData::kSize == SavedGameFormat::kPictureSize);
constexpr std::int32_t kSearchOpen = 0;
constexpr std::int32_t kNoSearch = -1;

static_assert(SavedGameFormat::kHeaderSize + 16 + 8 * GridSize::kMax * GridSize::kMax + SavedGameFormat::kPictureSize <=
              SavedGameFormat::kMaxFileSize);

// The saved game may come from the Windows program, whose folders use '\'.
QString FromStoredFolder(QString folder)
{
    return folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool EncodePicture(const PictureRecord& picture, std::uint8_t* out)
{
    if (!PictureFolder::IsStorableFolder(picture.folder) || !PictureFolder::IsSoundBoard(picture.width, picture.height))
        return false;
    PutUtf16(out + kFolder, PictureFolder::kFolderUnits, picture.folder);
    PutInt32(out + kWidth, picture.width);
    PutInt32(out + kHeight, picture.height);
    PutInt32(out + kSearch, picture.searchOpen ? kSearchOpen : kNoSearch);
    std::copy(picture.entry.bytes.begin(), picture.entry.bytes.end(), out + kEntry);
    return true;
}

std::optional<PictureRecord> DecodePicture(const std::uint8_t* in)
{
    // Every folder and name this program or the Windows one writes ends in
    // a zero unit; text that fills its whole area is damage, and a folder of
    // 260 units could not be saved again as read.
    if (!HasUtf16Terminator(in + kFolder, PictureFolder::kFolderUnits) ||
        !HasUtf16Terminator(in + kEntry + FindData::kNameOffset, FindData::kNameUnits))
        return std::nullopt;
    PictureRecord picture;
    picture.folder = FromStoredFolder(GetUtf16(in + kFolder, PictureFolder::kFolderUnits));
    picture.width = GetInt32(in + kWidth);
    picture.height = GetInt32(in + kHeight);
    if (!PictureFolder::IsSoundBoard(picture.width, picture.height))
        return std::nullopt;
    picture.searchOpen = GetInt32(in + kSearch) != kNoSearch;
    std::copy(in + kEntry, in + kEntry + FindData::kSize, picture.entry.bytes.begin());
    return picture;
}

} // namespace

std::size_t SavedGameFormat::FileSize(GridSize size)
{
    return kHeaderSize + TileGrid::RecordSize(size.rows, size.columns) + kPictureSize;
}

std::optional<QByteArray> SavedGameFormat::Encode(const SavedGame& saved)
{
    const PlayRecord& play = saved.play;
    if (!play.IsSound())
        return std::nullopt;
    QByteArray bytes(qsizetype(FileSize(play.grid.Size())), '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
    PutInt32(out + kAnchorY, play.dragAnchorY);
    PutInt32(out + kAnchorX, play.dragAnchorX);
    PutInt32(out + kAxis, play.dragAxis);
    PutInt32(out + kState, play.state);
    PutInt32(out + kElapsed, play.elapsed);
    PutInt32(out + kMoves, play.moves);
    PutInt32(out + kVolume, play.volume);
    out[kStyle] = play.strategyStyle ? 1 : 0;
    const std::size_t grid = play.grid.StoreTo(out + kHeaderSize, std::size_t(bytes.size()) - kHeaderSize);
    if (grid == 0 || !EncodePicture(saved.picture, out + kHeaderSize + grid))
        return std::nullopt;
    return bytes;
}

std::optional<SavedGame> SavedGameFormat::Decode(const std::uint8_t* in, std::size_t length)
{
    if (length < kHeaderSize + 8)
        return std::nullopt;
    const GridSize size{GetInt32(in + kHeaderSize), GetInt32(in + kHeaderSize + 4)};
    if (!size.IsValid() || length != FileSize(size) || in[kStyle] > 1)
        return std::nullopt;
    SavedGame saved;
    PlayRecord& play = saved.play;
    play.dragAnchorY = GetInt32(in + kAnchorY);
    play.dragAnchorX = GetInt32(in + kAnchorX);
    play.dragAxis = static_cast<DragAxis>(GetInt32(in + kAxis));
    play.state = static_cast<GameState>(GetInt32(in + kState));
    play.elapsed = GetInt32(in + kElapsed);
    play.moves = GetInt32(in + kMoves);
    play.volume = GetInt32(in + kVolume);
    play.strategyStyle = in[kStyle] == 1;
    const std::size_t grid = play.grid.LoadFrom(in + kHeaderSize, length - kHeaderSize);
    if (grid == 0 || !play.IsSound())
        return std::nullopt;
    std::optional<PictureRecord> picture = DecodePicture(in + kHeaderSize + grid);
    if (!picture)
        return std::nullopt;
    saved.picture = std::move(*picture);
    return saved;
}

std::optional<SavedGame> SavedGameFormat::Decode(const QByteArray& bytes)
{
    return Decode(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
}

} // namespace tesselo
