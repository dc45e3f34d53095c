// The project file (.fw): the byte stream of one pass of the record routines
// below over the whole project. No signature, header, version or checksum; the
// same routines size, write and read it, asking the serializer whether it
// stores only where reading must differ.
//
// Widths: D 4 bytes, W 2, B 1 (numbers little-endian); F a 32-bit field kept as
// one byte (its low byte, zero-extended on reading); A the characters of a text,
// then one NUL. U = standard + non-standard unit types, R = resources,
// C = castle types, M = army types: counts from the project header, used
// where a list runs over them but not stored there again.
//
// What a reader refuses is noted on the right; anything else is taken as read.
//
// Project
//   D        creator id
//   B        difficulty
//   B        standard unit types          } U = both together, at most 40
//   B        non-standard unit types      }
//   B        unit types read                  at most 40
//   B        castle types C                   at most 16
//   B        army types M                     at most 16
//   B        resources R                      at most 16
//   W        map width                        1 .. 32767
//   W        map height                       1 .. 32767, width × height at most 2^28
//   W        current string table             below the string table count
//   D        experience limit (MaxExp)
//   6 ×      player
//   (C + M) × (B, B)   icon slots, castle types first: the low bytes of the icon
//                      pivot; ignored on reading (pivots come from the catalogue)
//   R × (F, F, F)      per resource: minimum, reserved bound, maximum (low bytes);
//                      ignored on reading (bounds come from the catalogue)
//   victory condition
//   lose condition
//   W n      provinces                        at most 99; then n × province
//   W n      pieces                           at most 1501; then n × piece; their
//                                             masks hold at most 2^28 pixels and
//                                             reach all of the world but 2^20, and
//                                             set no more pixels than it has
//   W n      string tables                    1 .. 64; then n × string table
//   W n      events                           at most 145, one per text slot (the
//                                             list itself holds 150); then n × event
//   (end of file)                             no byte may follow
//
// Victory condition
//   B        kind                             0 defeat opponents, 1 defeat a player,
//                                             2 accumulate army, 3 accumulate
//                                             resources, 4 capture a province
//   B        defeat ally
//   B        player to defeat                 0..5, or 255 unset
//   B u, u × D   army to accumulate           u = U
//   B, B     "Defeat opponents" stays allowed; applies to computer players
//   B r, r × B   resources to accumulate      r = R
//   B, B     "Defeat All" stays allowed; applies to computer players
//   B        province to capture              255 unset; past the provinces: unset
//
// Lose condition
//   B        kind (low byte)                  0 none, 1 lose a province, 2 time expires
//   B        province (low byte)              0xFF reads as 0xFFFF (unset); past the
//                                             provinces: unset
//   W        MaxTurnsToWin
//
// Player
//   F        active
//   B        ability (value of the catalogue ability)
//   B        P1
//   B        capital: index in the province list, 255 none (computed on writing;
//            an index outside the list reads as no capital)
//   3 × B    skill levels
//   B        control: 0 Human, 1..127 Computer, 128.. Human & Computer
//   U × (D, D)   per unit type slot: the unit type it holds (below 40), campaign army
//   W        P2
//   R × W    treasury
//
// Province
//   B        owner                            0..5, or 255 none
//   W × 4    castle x, castle y, army x, army y   inside the world (relative to the
//                                             piece's origin, or the world's without one)
//   B        castle flags: bit 0 castle, 1 moat, 2 walls, bits 3-5 catapults
//   B        buildings
//   B        castle hit points (percent)
//   B a, a × D   guardian army                a = U
//   B r, r × B   resources                    r = R
//   B        linked
//   D        piece index                      -1 none, else below the piece count;
//                                             no two provinces on one piece
//   W × 2    marker x, marker y               inside the world
//
// Piece
//   D        colour (ARGB)
//   W × 4    left, right, top, bottom         note the order; inside the world
//   D        pixel count
//   F        piece flag
//   D        reserved dword
//   D        kind                             0..5
//   W × 4    castle x, castle y, army x, army y   inside the world (relative to left, top)
//   W k      neighbour count                  at most the piece count
//   k × W    neighbour indexes, last entry first; each below the piece count
//   W, W     mask width, height               the size of the bounds, or 0 × 0
//                                             for an empty piece (pixel count 0)
//   ⌈width × height / 8⌉ × B   the mask, one bit per pixel, column by column
//            (x outer, y inner), the first pixel in bit 7 of each byte; 1 = the
//            pixel is in the piece (read back as 0xFF0000CC), and the unused low
//            bits of a last partial byte are 0
//
// String table: 561 × A
//   table name, mission name, short description, full description, victory
//   message, defeat message, 6 player names, 40 unit type names, 38 spare texts,
//   author, author notes, 16 castle type names, 16 castle picture paths, 16 army
//   picture paths, 16 resource names, 16 skill names, 99 province names,
//   145 event titles, 145 event descriptions.
//   The first table's picture paths of the C castle and M army types must be
//   relative and must not climb out of the resource folder.
//
// Event
//   W        turn
//   B p, p × B   affected players (non-zero = affected)   p = 6
//   B        effect                           0 increase, 1 decrease, 2 custom
//   R × (B, B)   per resource: increase, decrease
//   F        enabled
//   B        id: the event's text slot       below 145
//   B        affects players
#include "model/MapProject.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Catalogue.h"
#include "model/ErrorList.h"
#include "model/Serializer.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/ImageDecoder.h"

namespace {

constexpr int kPlayers = CMapProject::kPlayerCount;
constexpr int kEventPlayers = CMapProject::kPlayerCount;
constexpr int kMaxPieceKind = CProvinceMap::kSmall;
constexpr uint8_t kMaxVictoryKind = CVictoryCondsB::kCaptureProvince;
constexpr uint8_t kMaxLoseKind = CLoseCondsB::kTimeExpires;
constexpr uint8_t kMaxEffect = CEventB::kCustom;

std::string Str(int64_t n)
{
    return std::to_string(n);
}

// One pass of the record routines over one serializer. A storing pass never
// fails; a loading pass stops at the first value the project cannot hold and
// keeps the reason.
class CRecordPass {
public:
    CRecordPass(VK::ISerializer& serializer, const CMapProject* masksToMatch)
        : serializer_(serializer), loading_(!serializer.IsStoring()),
          counting_(dynamic_cast<const VK::CSerialSizer*>(&serializer) != nullptr),
          buffer_(dynamic_cast<const VK::CSerialBuffer*>(&serializer)),
          loader_(dynamic_cast<VK::CSerialLoader*>(&serializer)), masksToMatch_(masksToMatch)
    {
    }

    // On loading: a piece's mask bits where they lie in the file. The masks
    // are made (or compared) only once every piece has been judged.
    struct TStoredMask {
        CProvinceMap* piece;
        int index;
        int width, height;
        const uint8_t* bits;
        uint64_t byte;
    };
    // On loading, what the pieces read so far hold: their masks' pixels, the
    // pixels those set, and where the piece list starts.
    struct TPieceTotals {
        uint64_t maskPixels = 0, setPixels = 0, listByte = 0;
        std::vector<TStoredMask> masks;
    };

    bool Loading() const { return loading_; }
    // A storing pass that only counts bytes: their values do not matter.
    bool Counting() const { return counting_; }
    // On loading: the project whose masks the stored bits must match, or null to keep them.
    const CMapProject* MasksToMatch() const { return masksToMatch_; }
    // The packed bits of the mask at hand, kept between pieces.
    std::vector<uint8_t>& MaskBytes() { return maskBytes_; }
    TPieceTotals& Pieces() { return pieces_; }
    // On loading: the next `n` bytes where they lie in the file (null once the pass has stopped).
    const uint8_t* BytesInPlace(size_t n)
    {
        assert(loader_);
        return Ok() ? loader_->Read(n) : nullptr;
    }
    // On loading: where each province record starts and ends, for checks made
    // once the pieces are read.
    std::vector<std::pair<uint64_t, uint64_t>>& ProvinceBytes() { return provinceBytes_; }
    // Nothing refused and the stream has not run out.
    bool Ok() const { return problem_.empty() && !serializer_.HasError(); }
    // The offset of the next byte read or written (0 when counting).
    uint64_t Position() const { return buffer_ ? buffer_->GetPosition() : 0; }
    // Keeps the first reason only; returns false so that routines can `return Refuse(...)`.
    bool Refuse(const std::string& reason) { return RefuseAt(reason, Position()); }
    // The same, naming the byte where the refused field starts.
    bool RefuseAt(const std::string& reason, uint64_t byte)
    {
        if (problem_.empty())
            problem_ = reason + (buffer_ ? " (byte " + Str(int64_t(byte)) + ")" : "");
        return false;
    }
    // A check of a value just read: refuses with `reason` when it does not hold,
    // and is false once the pass has stopped. Always true when storing.
    bool Require(bool holds, const std::string& reason)
    {
        if (!loading_)
            return true;
        return Ok() && (holds || Refuse(reason));
    }
    const std::string& Problem() const { return problem_; }

    void Dword(uint32_t& value) { serializer_.SerializeDword(&value); }
    void Word(uint16_t& value) { serializer_.SerializeWord(&value); }
    void Byte(uint8_t& value) { serializer_.SerializeByte(&value); }
    void Flag(uint32_t& value) { serializer_.SerializeFlag(&value); }
    void Text(std::string& value) { serializer_.SerializeAnsiString(&value); }
    void Bytes(std::vector<uint8_t>& bytes)
    {
        if (!bytes.empty())
            serializer_.SerializeBytes(bytes.data(), bytes.size());
    }

    // A field kept in another type than its stored form `Stored` (a narrower,
    // wider or signed one): written as its low bits, read back converted.
    template <typename Stored, typename Field>
    void StoredAs(Field& field)
    {
        Stored value = Stored(field);
        if constexpr (sizeof(Stored) == 1)
            Byte(value);
        else if constexpr (sizeof(Stored) == 2)
            Word(value);
        else
            Dword(value);
        if (loading_)
            field = Field(value);
    }

    // A list stored as a count byte and its entries, whose length `expected` is
    // governed by the catalogue or the player count. Writing makes the array that
    // long first; reading refuses any other count.
    template <typename T, typename Entry>
    bool CountedList(VK::CSimpleArray<T>& array, int expected, const std::string& what, Entry entry)
    {
        uint8_t count = uint8_t(expected);
        Byte(count);
        if (!Require(count == expected, what + " holds " + Str(count) + " entries instead of " + Str(expected)))
            return false;
        if (!array.SetSize(expected))
            return Refuse("there is not enough memory for " + what);
        for (int i = 0; i < expected; ++i)
            entry(array[i]);
        return Ok();
    }

    // On reading: whether `n` more bytes remain, so that what they describe may
    // be allocated. Always true for a serializer that is not a buffer.
    bool Remains(uint64_t n) const { return !buffer_ || n <= buffer_->GetCapacity() - buffer_->GetPosition(); }

private:
    VK::ISerializer& serializer_;
    const bool loading_;
    const bool counting_;
    const VK::CSerialBuffer* buffer_;
    VK::CSerialLoader* const loader_;
    const CMapProject* masksToMatch_;
    std::vector<uint8_t> maskBytes_;
    TPieceTotals pieces_;
    std::vector<std::pair<uint64_t, uint64_t>> provinceBytes_;
    std::string problem_;
};

std::string PlayerName(int i)
{
    return "player " + Str(i + 1);
}

bool SerializePlayer(CRecordPass& pass, CMapProject& project, CPlayerData& player, int index)
{
    const int unitTypes = project.GetUnitTypeCount();
    pass.Flag(player.active);
    pass.Byte(player.ability);
    pass.Byte(player.P1);
    if (!pass.Loading())
        player.capitalIndex = project.GetProvinces().IndexOf(player.capital);
    pass.Byte(player.capitalIndex);
    for (uint8_t& skill : player.skills)
        pass.Byte(skill);
    pass.Byte(player.control);
    if (!player.ResizeUnitTypes(unitTypes))
        return pass.Refuse("there is not enough memory for the units of " + PlayerName(index));
    for (int slot = 0; slot < unitTypes; ++slot) {
        pass.Dword(player.unitTypes[slot]);
        if (!pass.Require(player.unitTypes[slot] < uint32_t(CStringTable::kUnitNames),
                          "unit slot " + Str(slot + 1) + " of " + PlayerName(index) + " holds unit type " +
                              Str(player.unitTypes[slot]) + "; there are at most " + Str(CStringTable::kUnitNames)))
            return false;
        pass.Dword(player.army[slot]);
    }
    pass.Word(player.P2);
    if (!player.treasury.SetSize(project.resources))
        return pass.Refuse("there is not enough memory for the treasury of " + PlayerName(index));
    for (int r = 0; r < project.resources; ++r)
        pass.Word(player.treasury[r]);
    return pass.Ok();
}

bool IsPlayerOrUnset(int value)
{
    return value < kPlayers || value == 255;
}

bool SerializeVictory(CRecordPass& pass, CMapProject& project, CVictoryCondsB& victory)
{
    pass.Byte(victory.kind);
    if (!pass.Require(victory.kind <= kMaxVictoryKind, "the victory condition has the unknown kind " + Str(victory.kind)))
        return false;
    pass.Byte(victory.defeatAlly);
    pass.Byte(victory.DefeatPlayer);
    if (!pass.Require(IsPlayerOrUnset(victory.DefeatPlayer),
                      "the victory condition names player " + Str(victory.DefeatPlayer) + " to defeat; players are 0 to 5"))
        return false;
    if (!pass.CountedList(victory.armyData.army, project.GetUnitTypeCount(), "the army of the victory condition",
                          [&](uint32_t& count) { pass.Dword(count); }))
        return false;
    pass.Byte(victory.armyData.defeatAllowed);
    pass.Byte(victory.armyData.computerToo);
    if (!pass.CountedList(victory.resourcesData.resources, project.resources, "the resources of the victory condition",
                          [&](uint8_t& amount) { pass.Byte(amount); }))
        return false;
    pass.Byte(victory.resourcesData.defeatAllowed);
    pass.Byte(victory.resourcesData.computerToo);
    pass.Byte(victory.captureProvince);
    return pass.Ok();
}

bool SerializeLose(CRecordPass& pass, CLoseCondsB& lose)
{
    pass.StoredAs<uint8_t>(lose.kind);
    if (!pass.Require(lose.kind <= kMaxLoseKind, "the lose condition has the unknown kind " + Str(lose.kind)))
        return false;
    pass.StoredAs<uint8_t>(lose.province);
    if (pass.Loading() && lose.province == 0xFF)
        lose.province = CLoseCondsB::kUnset;
    pass.Word(lose.MaxTurnsToWin);
    return pass.Ok();
}

bool SerializeProvince(CRecordPass& pass, CMapProject& project, CProvince& province, int index)
{
    const std::string name = "province " + Str(index + 1);
    const uint64_t start = pass.Position();
    pass.Byte(province.owner);
    if (!pass.Require(IsPlayerOrUnset(province.owner),
                      name + " has owner " + Str(province.owner) + "; owners are players 0 to 5 or 255 (none)"))
        return false;
    pass.Word(province.castleX);
    pass.Word(province.castleY);
    pass.Word(province.armyX);
    pass.Word(province.armyY);
    pass.Byte(province.castle.flags);
    pass.Byte(province.castle.buildings);
    pass.Byte(province.castle.hitPoints);
    const int unitTypes = project.GetUnitTypeCount();
    if (!pass.CountedList(province.army, unitTypes, "the guardian army of " + name, [&](uint32_t& count) { pass.Dword(count); }))
        return false;
    if (pass.Loading()) {
        province.anyArmy = 0;
        for (int i = 0; i < unitTypes; ++i)
            province.anyArmy |= province.army[i] != 0;
    }
    if (!pass.CountedList(province.resources, project.resources, "the resources of " + name,
                          [&](uint8_t& amount) { pass.Byte(amount); }))
        return false;
    pass.Byte(province.linked);
    pass.StoredAs<uint32_t>(province.pieceIndex); // checked once the pieces are read
    pass.Word(province.markerX);
    pass.Word(province.markerY);
    if (pass.Loading())
        pass.ProvinceBytes().emplace_back(start, pass.Position());
    return pass.Ok();
}

// Refuses, naming the byte where it is stored, a place (`what` of `owner`) outside the world.
bool RequireInsideWorld(CRecordPass& pass, const CMapProject& project, const std::string& what,
                        const std::string& owner, int x, int y, uint64_t byte)
{
    if (x < project.GetWidth() && y < project.GetHeight())
        return true;
    return pass.RefuseAt("the " + what + " of " + owner + " is at (" + Str(x) + ", " + Str(y) + "), outside the " +
                             Str(project.GetWidth()) + " x " + Str(project.GetHeight()) + " world",
                         byte);
}

// Province record offsets from its start (castle, army) and from its end (piece, marker).
constexpr uint64_t kCastleByte = 1, kArmyByte = 5, kPieceIndexFromEnd = 8, kMarkerFromEnd = 4;

// On reading, once the pieces are known: each province on a piece of its own,
// and its castle, army and marker inside the world.
bool CheckProvincePlaces(CRecordPass& pass, const CMapProject& project)
{
    std::vector<int> holder(size_t(project.GetPieces().GetCount()), -1);
    for (int i = 0; i < project.GetProvinces().GetSize(); ++i) {
        const CProvince& province = *project.GetProvinces().GetAt(i);
        const auto [start, end] = pass.ProvinceBytes()[size_t(i)];
        const std::string name = "province " + Str(i + 1);
        const CProvinceMap* piece = project.GetPieces().GetAt(province.pieceIndex);
        if (piece && holder[size_t(province.pieceIndex)] >= 0)
            return pass.RefuseAt(name + " lies on piece " + Str(province.pieceIndex) + ", which province " +
                                     Str(holder[size_t(province.pieceIndex)] + 1) + " holds already",
                                 end - kPieceIndexFromEnd);
        if (piece)
            holder[size_t(province.pieceIndex)] = i;
        const int originX = piece ? piece->left : 0, originY = piece ? piece->top : 0;
        const struct {
            const char* what;
            int x, y;
            uint64_t byte;
        } places[] = {{"castle place", originX + province.castleX, originY + province.castleY, start + kCastleByte},
                      {"army place", originX + province.armyX, originY + province.armyY, start + kArmyByte},
                      {"marker", province.markerX, province.markerY, end - kMarkerFromEnd}};
        for (const auto& place : places)
            if (!RequireInsideWorld(pass, project, place.what, name, place.x, place.y, place.byte))
                return false;
    }
    return true;
}

// On reading, once every piece is read and before any mask is made: the
// pieces' mask sizes keep to what every world keeps.
bool CheckPieceMasks(CRecordPass& pass, const CMapProject& project)
{
    const std::string problem =
        CMapProject::PieceMasksProblem(project.GetWidth(), project.GetHeight(), pass.Pieces().maskPixels);
    return problem.empty() || pass.RefuseAt(problem, pass.Pieces().listByte);
}

// The mask bits of a piece are stored column by column: pixel (x, y) of a
// mask `height` rows high is bit k = x * height + y of the stream, bit 7 of
// byte 0 first. The mask lies in memory row by row, so all three directions
// below walk it eight rows at a time: the bits of rows y .. y + 7 of column x
// are the eight stream bits from x * height + y on, one byte's worth that may
// straddle two. Rows left over (height % 8) go one bit at a time. Walking
// the columns of a large mask instead would miss the cache on every pixel.
constexpr size_t kGroupRows = 8;

struct RowGroup {
    const TColor32* rows[kGroupRows];

    RowGroup(const TBitmap32& mask, size_t y)
    {
        for (size_t i = 0; i < kGroupRows; ++i)
            rows[i] = mask.ScanLine(int(y + i));
    }
    // Column x of the eight rows, the first row in bit 7.
    unsigned Column(size_t x) const
    {
        unsigned bits = 0;
        for (size_t i = 0; i < kGroupRows; ++i)
            bits |= unsigned(rows[i][x] != 0) << (7 - i);
        return bits;
    }
};

// The eight stream bits from bit `at` on, the first in bit 7.
unsigned StreamByte(const uint8_t* bytes, size_t at)
{
    const size_t i = at >> 3;
    const unsigned shift = at & 7;
    const unsigned pair = unsigned(bytes[i]) << 8 | (shift ? bytes[i + 1] : 0u);
    return (pair << shift) >> 8 & 0xFFu;
}

bool StreamBit(const uint8_t* bytes, size_t k)
{
    return bytes[k >> 3] >> (7 - (k & 7)) & 1;
}

void PackMaskBits(const TBitmap32& mask, std::vector<uint8_t>& bytes)
{
    const size_t width = size_t(mask.Width()), height = size_t(mask.Height());
    const size_t count = (width * height + 7) / 8;
    bytes.assign(count + 1, 0); // a spare byte for the second half of the last group's bits
    size_t y = 0;
    for (; y + kGroupRows <= height; y += kGroupRows) {
        const RowGroup group(mask, y);
        for (size_t x = 0, at = y; x < width; ++x, at += height) {
            const unsigned bits = group.Column(x), shift = at & 7;
            bytes[at >> 3] |= uint8_t(bits >> shift);
            bytes[(at >> 3) + 1] |= uint8_t(bits << (8 - shift));
        }
    }
    for (; y < height; ++y) {
        const TColor32* row = mask.ScanLine(int(y));
        for (size_t x = 0, k = y; x < width; ++x, k += height)
            bytes[k >> 3] |= uint8_t(unsigned(row[x] != 0) << (7 - (k & 7)));
    }
    bytes.resize(count);
}

// A set bit reads back as kMergedPixel, a clear one as 0: `mask` is all 0
// to begin with, so only the set bits are written (and the memory of a new
// mask's empty stretches is never touched).
void UnpackMaskBits(const uint8_t* bytes, TBitmap32& mask)
{
    const size_t width = size_t(mask.Width()), height = size_t(mask.Height());
    size_t y = 0;
    for (; y + kGroupRows <= height; y += kGroupRows) {
        TColor32* rows[kGroupRows];
        for (size_t i = 0; i < kGroupRows; ++i)
            rows[i] = mask.ScanLine(int(y + i));
        for (size_t x = 0, at = y; x < width; ++x, at += height) {
            const unsigned bits = StreamByte(bytes, at);
            if (bits == 0)
                continue;
            for (size_t i = 0; i < kGroupRows; ++i)
                rows[i][x] = bits >> (7 - i) & 1 ? CProvinceMap::kMergedPixel : 0;
        }
    }
    for (; y < height; ++y) {
        TColor32* row = mask.ScanLine(int(y));
        for (size_t x = 0, k = y; x < width; ++x, k += height)
            if (StreamBit(bytes, k))
                row[x] = CProvinceMap::kMergedPixel;
    }
}

// Whether the stream holds exactly the pixels of `mask` that are not 0.
bool MaskBitsMatch(const uint8_t* bytes, const TBitmap32& mask)
{
    const size_t width = size_t(mask.Width()), height = size_t(mask.Height());
    size_t y = 0;
    for (; y + kGroupRows <= height; y += kGroupRows) {
        const RowGroup group(mask, y);
        for (size_t x = 0, at = y; x < width; ++x, at += height)
            if (StreamByte(bytes, at) != group.Column(x))
                return false;
    }
    for (; y < height; ++y) {
        const TColor32* row = mask.ScanLine(int(y));
        for (size_t x = 0, k = y; x < width; ++x, k += height)
            if (StreamBit(bytes, k) != (row[x] != 0))
                return false;
    }
    return true;
}

// The pixels that the first `count` bits of a mask stream set.
uint64_t SetBits(const uint8_t* bytes, size_t count)
{
    const size_t whole = count / 8;
    uint64_t set = 0;
    size_t i = 0;
    for (uint64_t word; i + sizeof word <= whole; i += sizeof word) {
        std::memcpy(&word, bytes + i, sizeof word);
        set += uint64_t(std::popcount(word));
    }
    for (; i < whole; ++i)
        set += uint64_t(std::popcount(bytes[i]));
    if (const size_t rest = count % 8)
        set += uint64_t(std::popcount(uint8_t(bytes[whole] >> (8 - rest))));
    return set;
}

// The mask bits of piece `index`, `width` x `height` (checked on reading).
// Reading keeps where they lie and counts the pixels they set: pieces set no
// more pixels than the world has, since none shares a pixel with another.
bool SerializeMaskBits(CRecordPass& pass, const CMapProject& project, CProvinceMap& piece, int index, int width,
                       int height)
{
    const size_t bitCount = size_t(width) * size_t(height);
    const size_t count = (bitCount + 7) / 8;
    if (!pass.Loading()) {
        std::vector<uint8_t>& bytes = pass.MaskBytes();
        if (pass.Counting())
            bytes.resize(count);
        else
            PackMaskBits(piece.mask, bytes);
        pass.Bytes(bytes);
        return true;
    }
    const uint64_t byte = pass.Position();
    const uint8_t* bits = pass.BytesInPlace(count);
    if (!bits)
        return false;
    CRecordPass::TPieceTotals& totals = pass.Pieces();
    totals.setPixels += SetBits(bits, bitCount);
    const uint64_t world = uint64_t(project.GetWidth()) * uint64_t(project.GetHeight());
    if (totals.setPixels > world)
        return pass.RefuseAt("the masks of pieces 0 to " + Str(index) + " set " + Str(int64_t(totals.setPixels)) +
                                 " pixels, more than the " + Str(project.GetWidth()) + " x " +
                                 Str(project.GetHeight()) + " world has",
                             byte);
    totals.masks.push_back({&piece, index, width, height, bits, byte});
    return true;
}

// On reading, once every piece has been judged: each piece's mask from its
// bits, or with `masksToMatch` the bits compared with that project's mask.
bool MakeStoredMasks(CRecordPass& pass)
{
    for (const CRecordPass::TStoredMask& stored : pass.Pieces().masks) {
        if (const CMapProject* other = pass.MasksToMatch()) {
            const CProvinceMap* original = other->GetPieces().GetAt(stored.index);
            const TBitmap32* mask = original ? &original->mask : nullptr;
            if (!mask || mask->Width() != stored.width || mask->Height() != stored.height ||
                !MaskBitsMatch(stored.bits, *mask))
                return pass.RefuseAt("the mask of piece " + Str(stored.index) + " reads back other than it is",
                                     stored.byte);
            continue;
        }
        TBitmap32& mask = stored.piece->mask;
        mask.Delete(); // a new mask is all 0, whatever the piece held before
        mask.SetSize(stored.width, stored.height);
        UnpackMaskBits(stored.bits, mask);
    }
    pass.Pieces().masks.clear();
    return true;
}

// On reading: the stored bounds lie inside the world and the mask has their
// size (or none, for an empty piece), and the file holds its bits.
bool CheckPieceShape(CRecordPass& pass, const CMapProject& project, const CProvinceMap& piece, int maskWidth,
                     int maskHeight, const std::string& name)
{
    if (!pass.Loading() || !pass.Ok())
        return pass.Ok();
    if (piece.left < 0 || piece.top < 0 || piece.left > piece.right || piece.top > piece.bottom ||
        piece.right >= project.GetWidth() || piece.bottom >= project.GetHeight())
        return pass.Refuse(name + " has the bounds (" + Str(piece.left) + ", " + Str(piece.top) + ") to (" +
                           Str(piece.right) + ", " + Str(piece.bottom) + "), which are not inside the " +
                           Str(project.GetWidth()) + " x " + Str(project.GetHeight()) + " world");
    const bool noMask = maskWidth == 0 && maskHeight == 0 && piece.IsEmpty();
    if (!noMask && (maskWidth != piece.BoundsWidth() || maskHeight != piece.BoundsHeight()))
        return pass.Refuse(name + " has a " + Str(maskWidth) + " x " + Str(maskHeight) + " mask for bounds of " +
                           Str(piece.BoundsWidth()) + " x " + Str(piece.BoundsHeight()));
    if (!pass.Remains((uint64_t(maskWidth) * uint64_t(maskHeight) + 7) / 8))
        return pass.Refuse("the file ends inside the mask of " + name);
    return true;
}

bool SerializePiece(CRecordPass& pass, CMapProject& project, CProvinceMap& piece, int index, int pieceCount)
{
    const std::string name = "piece " + Str(index);
    pass.Dword(piece.color);
    pass.StoredAs<uint16_t>(piece.left);
    pass.StoredAs<uint16_t>(piece.right);
    pass.StoredAs<uint16_t>(piece.top);
    pass.StoredAs<uint16_t>(piece.bottom);
    pass.Dword(piece.pixelCount);
    pass.Flag(piece.pieceFlag);
    pass.Dword(piece.reserved);
    pass.Dword(piece.kind);
    if (!pass.Require(piece.kind <= uint32_t(kMaxPieceKind), name + " has the unknown kind " + Str(piece.kind)))
        return false;
    const uint64_t placeByte = pass.Position();
    pass.Word(piece.castleX);
    pass.Word(piece.castleY);
    pass.Word(piece.armyX);
    pass.Word(piece.armyY);
    for (const auto& [what, x, y, byte] : {std::tuple{"castle place", piece.castleX, piece.castleY, placeByte},
                                           std::tuple{"army place", piece.armyX, piece.armyY, placeByte + 4}})
        if (pass.Loading() && pass.Ok() &&
            !RequireInsideWorld(pass, project, what, name, piece.left + x, piece.top + y, byte))
            return false;

    uint16_t neighbours = uint16_t(piece.neighbours.GetSize());
    pass.Word(neighbours);
    if (!pass.Require(neighbours <= pieceCount, name + " lists " + Str(neighbours) + " neighbours among " +
                                                    Str(pieceCount) + " pieces"))
        return false;
    if (pass.Loading() && !piece.neighbours.SetSize(neighbours))
        return pass.Refuse("there is not enough memory for the neighbours of " + name);
    for (int i = neighbours - 1; i >= 0 && pass.Ok(); --i) {
        pass.Word(piece.neighbours[i]);
        if (!pass.Require(piece.neighbours[i] < pieceCount, name + " names piece " + Str(piece.neighbours[i]) +
                                                                 " as a neighbour, past the " + Str(pieceCount) + " pieces"))
            return false;
    }

    uint16_t maskWidth = uint16_t(piece.mask.Width()), maskHeight = uint16_t(piece.mask.Height());
    pass.Word(maskWidth);
    pass.Word(maskHeight);
    if (!CheckPieceShape(pass, project, piece, maskWidth, maskHeight, name))
        return false;
    pass.Pieces().maskPixels += uint64_t(maskWidth) * maskHeight;
    return SerializeMaskBits(pass, project, piece, index, maskWidth, maskHeight) && pass.Ok();
}

// Every text of a table in stored order.
template <typename Visit>
void ForEachStoredText(CStringTable& table, Visit visit)
{
    for (std::string* text : {&table.tableName, &table.missionName, &table.shortDescription, &table.fullDescription,
                              &table.victoryText, &table.defeatText})
        visit(*text);
    auto each = [&](auto& group) {
        for (std::string& text : group)
            visit(text);
    };
    each(table.playerNames);
    each(table.unitNames);
    each(table.spareTexts);
    visit(table.author);
    visit(table.authorNotes);
    each(table.castleTypeNames);
    each(table.castlePicturePaths);
    each(table.armyPicturePaths);
    each(table.resourceNames);
    each(table.skillNames);
    each(table.provinceNames);
    for (CStringTable::CEventStrings& strings : table.eventStrings)
        visit(strings.title);
    for (CStringTable::CEventStrings& strings : table.eventStrings)
        visit(strings.text);
}

bool SerializeStringTable(CRecordPass& pass, CStringTable& table)
{
    ForEachStoredText(table, [&](std::string& text) { pass.Text(text); });
    return pass.Ok();
}

// The icon pictures are loaded again from the paths of a table, so every
// table's paths of the counted types must stay inside the resource folder.
bool CheckPicturePaths(CRecordPass& pass, const CMapProject& project)
{
    auto check = [&](const std::string& path, const char* kind, int i) {
        return pass.Require(StaysInResourceFolder(path), std::string("the picture path \"") + path + "\" of " + kind +
                                                             " type " + Str(i) + " leaves the resource folder");
    };
    for (int t = 0; t < project.GetStringTables().GetCount(); ++t) {
        const CStringTable& table = *project.GetStringTables().GetAt(t);
        for (int i = 0; i < project.castleTypes; ++i)
            if (!check(table.GetCastlePicturePath(i), "castle", i))
                return false;
        for (int i = 0; i < project.armyTypes; ++i)
            if (!check(table.GetArmyPicturePath(i), "army", i))
                return false;
    }
    return true;
}

bool SerializeEvent(CRecordPass& pass, const CMapProject& project, CEvent& event, int index)
{
    const std::string name = "event " + Str(index + 1);
    pass.Word(event.turn);
    if (!pass.CountedList(event.players, kEventPlayers, "the player list of " + name, [&](uint8_t& affected) {
            pass.Byte(affected);
        }))
        return false;
    pass.Byte(event.effect);
    if (!pass.Require(event.effect <= kMaxEffect, name + " has the unknown effect " + Str(event.effect)))
        return false;
    if (!event.resData.increase.SetSize(project.resources) || !event.resData.decrease.SetSize(project.resources))
        return pass.Refuse("there is not enough memory for the resources of " + name);
    for (int r = 0; r < project.resources; ++r) {
        pass.Byte(event.resData.increase[r]);
        pass.Byte(event.resData.decrease[r]);
    }
    pass.Flag(event.enabled);
    pass.Byte(event.id);
    if (!pass.Require(event.id < CStringTable::kEventSlots,
                      name + " has the text slot " + Str(event.id) + "; there are " + Str(CStringTable::kEventSlots)))
        return false;
    pass.Byte(event.affectsPlayers);
    return pass.Ok();
}

// The records of a list the project owns, after their count. Reading empties
// the list and creates each record, for this project, just before it is read.
template <typename List, typename Record>
bool SerializeRecords(CRecordPass& pass, CMapProject& project, List& list, int count, Record record)
{
    using Item = std::remove_pointer_t<decltype(list.GetAt(0))>;
    if (pass.Loading())
        list.DeleteAll();
    for (int i = 0; i < count; ++i) {
        if (pass.Loading())
            list.Add(std::make_unique<Item>(project));
        if (!record(*list.GetAt(i), i))
            return false;
    }
    return true;
}

// A list count at the head of a list: `limit` bounds what a reader accepts.
bool ListCount(CRecordPass& pass, uint16_t& count, int limit, const char* what)
{
    pass.Word(count);
    return pass.Require(count <= limit, "the file holds " + Str(count) + " " + what + "; at most " + Str(limit) + " fit");
}

} // namespace

bool CMapProject::Serialize(VK::ISerializer* serializer, std::string* problem, const CMapProject* masksToMatch)
{
    CRecordPass pass(*serializer, masksToMatch);
    const bool read = [&] {
        // ---- Header ----
        pass.Dword(creatorId);
        pass.Byte(difficulty);
        pass.Byte(standardUnitTypes);
        pass.Byte(nonStandardUnitTypes);
        pass.Byte(unitTypesRead);
        pass.Byte(castleTypes);
        pass.Byte(armyTypes);
        pass.Byte(resources);
        if (!pass.Require(GetUnitTypeCount() <= CStringTable::kUnitNames && unitTypesRead <= CStringTable::kUnitNames,
                          "the file counts " + Str(GetUnitTypeCount()) + " unit types; at most " +
                              Str(CStringTable::kUnitNames) + " fit") ||
            !pass.Require(castleTypes <= CStringTable::kCastleTypes && armyTypes <= CStringTable::kArmyTypes &&
                              resources <= CStringTable::kResourceNames,
                          "the file counts " + Str(castleTypes) + " castle types, " + Str(armyTypes) +
                              " army types and " + Str(resources) + " resources; at most 16 of each fit"))
            return false;
        pass.Word(width_);
        pass.Word(height_);
        // No import makes a larger world: pictures are capped in pixels, the
        // pieces' bounds in 16-bit sides.
        if (!pass.Require(width_ >= 1 && height_ >= 1 && width_ <= kMaxWorldSide && height_ <= kMaxWorldSide &&
                              int64_t(width_) * height_ <= platform::kMaxImagePixels,
                          "the map size " + Str(width_) + " x " + Str(height_) + " is not possible"))
            return false;
        pass.Word(currentStringTable_);
        pass.Dword(MaxExp);

        // ---- Players ----
        players_.Resize(kPlayers, CPlayerData(*this));
        for (int p = 0; p < kPlayers; ++p)
            if (!SerializePlayer(pass, *this, players_.GetAt(uint32_t(p)), p))
                return false;

        // ---- Catalogue leftovers: written for older readers, ignored on reading ----
        for (int i = 0; i < castleTypes + armyTypes; ++i) {
            const bool known = !pass.Loading() && i < iconPivots_.GetSize();
            uint8_t x = known ? uint8_t(iconPivots_[i].X) : 0, y = known ? uint8_t(iconPivots_[i].Y) : 0;
            pass.Byte(x);
            pass.Byte(y);
        }
        for (int r = 0; r < resources; ++r) {
            uint32_t bounds[3] = {uint16_t(resourceMin_[r]), uint16_t(resourceReserved_[r]), uint16_t(resourceMax_[r])};
            for (uint32_t& bound : bounds)
                pass.Flag(bound);
        }

        // ---- Conditions ----
        if (!SerializeVictory(pass, *this, victory) || !SerializeLose(pass, lose))
            return false;

        // ---- Provinces ----
        uint16_t count = uint16_t(provinces_.GetSize());
        if (!ListCount(pass, count, CProvinceList::kMaxProvinces, "provinces") ||
            !SerializeRecords(pass, *this, provinces_, count, [&](CProvince& province, int i) {
                return SerializeProvince(pass, *this, province, i);
            }))
            return false;

        // ---- Pieces ----
        pass.Pieces().listByte = pass.Position();
        count = uint16_t(pieces_.GetCount());
        if (!ListCount(pass, count, kMaxPieces, "pieces") ||
            !SerializeRecords(pass, *this, pieces_, count, [&](CProvinceMap& piece, int i) {
                return SerializePiece(pass, *this, piece, i, count);
            }))
            return false;
        for (int i = 0; i < provinces_.GetSize(); ++i) {
            const int32_t piece = provinces_.GetAt(i)->pieceIndex;
            if (!pass.Require(piece == -1 || (piece >= 0 && piece < pieces_.GetCount()),
                              "province " + Str(i + 1) + " lies on piece " + Str(piece) + ", past the " +
                                  Str(pieces_.GetCount()) + " pieces"))
                return false;
        }
        if (pass.Loading() &&
            (!CheckPieceMasks(pass, *this) || !CheckProvincePlaces(pass, *this) || !MakeStoredMasks(pass)))
            return false;

        // ---- String tables ----
        count = uint16_t(stringTables_.GetCount());
        if (!ListCount(pass, count, CStringTableList::kMaxTables, "string tables") ||
            !pass.Require(count >= 1, "the file holds no string table") ||
            !pass.Require(currentStringTable_ < count, "the current string table " + Str(currentStringTable_) +
                                                           " is past the " + Str(count) + " tables"))
            return false;
        if (!SerializeRecords(pass, *this, stringTables_, count,
                              [&](CStringTable& table, int) { return SerializeStringTable(pass, table); }) ||
            (pass.Loading() && !CheckPicturePaths(pass, *this)))
            return false;

        // ---- Events ----
        count = uint16_t(events_.GetCount());
        // Each event needs a text slot of its own, so a file with more events
        // than slots could only hold events that share one.
        if (!ListCount(pass, count, std::min<int>(CEventList::kMaxEvents, CStringTable::kEventSlots), "events"))
            return false;
        if (pass.Loading())
            events_.Resize(count);
        for (int i = 0; i < count; ++i)
            if (!SerializeEvent(pass, *this, *events_.GetEvent(i), i))
                return false;
        return pass.Ok();
    }();
    if (problem) {
        if (!pass.Problem().empty())
            *problem = pass.Problem();
        else if (serializer->HasError())
            *problem = pass.Loading() ? "the file ends in the middle of the project: it is cut short"
                                      : "the project does not fit the space sized for it";
    }
    return read;
}

std::string CMapProject::PieceMasksProblem(int width, int height, uint64_t maskPixels)
{
    const uint64_t world = uint64_t(width) * uint64_t(height);
    if (world > maskPixels + kMaxUncoveredPixels)
        return "the " + Str(width) + " x " + Str(height) +
               " world is larger than its pieces can cover (their masks hold " + Str(int64_t(maskPixels)) + " pixels)";
    if (maskPixels > kMaxMaskPixels)
        return "the pieces' masks hold " + Str(int64_t(maskPixels)) + " pixels together, more than the " +
               Str(int64_t(kMaxMaskPixels)) + " that the pieces of a world may take";
    return {};
}

bool CMapProject::ReadProjectBytes(std::span<const uint8_t> bytes, std::string& problem,
                                   const CMapProject* masksToMatch)
{
    VK::CSerialLoader loader(bytes.data(), bytes.size());
    try {
        if (!Serialize(&loader, &problem, masksToMatch))
            return false;
    } catch (const std::bad_alloc&) {
        problem = "there is not enough memory to hold it";
        return false;
    } catch (const Exception& e) { // a bitmap that cannot be allocated
        problem = e.what();
        return false;
    }
    if (loader.GetPosition() != bytes.size()) {
        const int64_t extra = int64_t(bytes.size() - loader.GetPosition());
        problem = Str(extra) + (extra == 1 ? " byte follows" : " bytes follow") + " the end of the project";
        return false;
    }
    return true;
}

bool CMapProject::RepairLoadedProject()
{
    const int provinceCount = provinces_.GetSize();
    int changes = 0;
    if (victory.captureProvince != CVictoryCondsB::kUnset && victory.captureProvince >= provinceCount) {
        victory.captureProvince = CVictoryCondsB::kUnset;
        ++changes;
    }
    if (lose.province != CLoseCondsB::kUnset && lose.province >= provinceCount) {
        lose.province = CLoseCondsB::kUnset;
        ++changes;
    }

    // An event that shares its id with an earlier one takes the lowest id no
    // event holds (the ids new events take first), keeping its texts. A file
    // holds no more events than there are ids, so every one finds its own.
    std::array<bool, CStringTable::kEventSlots> held{}, seen{};
    for (int i = 0; i < events_.GetCount(); ++i)
        held[events_.GetEvent(i)->id] = true;
    for (int i = 0; i < events_.GetCount(); ++i) {
        CEvent& event = *events_.GetEvent(i);
        if (!seen[event.id]) {
            seen[event.id] = true;
            continue;
        }
        int free = 0;
        while (free < CStringTable::kEventSlots && held[size_t(free)])
            ++free;
        if (free == CStringTable::kEventSlots) // not in a file the loader accepts
            continue;
        for (int t = 0; t < stringTables_.GetCount(); ++t) {
            CStringTable& table = *stringTables_.GetAt(t);
            table.eventStrings[free] = table.eventStrings[event.id];
        }
        event.id = uint8_t(free);
        held[free] = seen[free] = true;
        ++changes;
    }
    return changes > 0;
}

void CMapProject::SwapStoredContent(CMapProject& other)
{
    std::swap(static_cast<CMapProjectE&>(*this), static_cast<CMapProjectE&>(other));
    std::swap(static_cast<CMapProjectB&>(*this), static_cast<CMapProjectB&>(other));
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(currentStringTable_, other.currentStringTable_);
    std::swap(mapMap_, other.mapMap_);
    players_.Swap(other.players_);
    provinces_.Swap(other.provinces_);
    pieces_.Swap(other.pieces_);
    stringTables_.Swap(other.stringTables_);
    events_.Swap(other.events_);
    for (CMapProject* project : {this, &other}) {
        for (uint32_t i = 0; i < project->players_.GetCount(); ++i)
            project->players_.GetAt(i).project_ = project;
        for (int i = 0; i < project->provinces_.GetSize(); ++i)
            project->provinces_.GetAt(i)->project_ = project;
        for (int i = 0; i < project->pieces_.GetCount(); ++i)
            project->pieces_.GetAt(i)->project_ = project;
        for (int i = 0; i < project->stringTables_.GetCount(); ++i)
            project->stringTables_.GetAt(i)->project_ = project;
    }
}

bool CMapProject::SaveToBytes(std::vector<uint8_t>& bytes, std::string& problem)
{
    VK::CSerialSizer sizer;
    Serialize(&sizer);
    bytes.assign(sizer.GetSize(), 0);
    VK::CSerialSaver saver(bytes.data(), bytes.size());
    if (!Serialize(&saver, &problem))
        return false;
    if (saver.GetPosition() != bytes.size()) {
        problem = "the stream came out " + Str(int64_t(saver.GetPosition())) + " bytes long instead of " +
                  Str(int64_t(bytes.size()));
        return false;
    }
    return true;
}

int CMapProject::Save(const std::filesystem::path& fileName, std::string& error)
{
    CProgressScope progress(*this, "Saving project...", 3);
    try {
        std::vector<uint8_t> bytes;
        std::string problem;
        if (!SaveToBytes(bytes, problem)) {
            error = "The project was not saved: " + problem + ".";
            return 0;
        }
        progress.Step(1);
        // A file that would not load back is no save: read it the way Load will,
        // comparing the masks with this project's rather than keeping a copy.
        if (!CMapProject().ReadProjectBytes(bytes, problem, this)) {
            error = "The project was not saved, because the file would not load back: " + problem + ".";
            return 0;
        }
        progress.Step(2);

        if (!platform::WriteFileAtomically(fileName, bytes, error))
            return 0;
    } catch (const std::bad_alloc&) {
        error = "The project was not saved: there is not enough memory to build the file.";
        return 0;
    }
    progress.Step(3);
    SetModified(false);
    return 1;
}

int CMapProject::Load(const std::filesystem::path& fileName, std::string& error)
{
    CProgressScope progress(*this, kLoadingCaption, kLoadingStages);
    return ReadAndTakeOver(fileName, error, progress);
}

int CMapProject::ReadAndTakeOver(const std::filesystem::path& fileName, std::string& error, CProgressScope& progress)
{
    progress.Step(1);
    std::vector<uint8_t> bytes;
    if (!platform::ReadFileBytes(fileName, bytes, error))
        return 0;
    progress.Step(2);
    return TakeOverFile(bytes, fileName, error, progress);
}

int CMapProject::LoadFromBytes(std::span<const uint8_t> bytes, const std::filesystem::path& fileName, std::string& error)
{
    CProgressScope progress(*this, kLoadingCaption, kLoadingStages);
    return TakeOverFile(bytes, fileName, error, progress);
}

int CMapProject::TakeOverFile(std::span<const uint8_t> bytes, const std::filesystem::path& fileName, std::string& error,
                              CProgressScope& progress)
{
    auto loaded = std::make_unique<CMapProject>();
    std::string problem;
    if (!loaded->ReadProjectBytes(bytes, problem)) {
        error = "\"" + fileName.string() + "\" is not a project this editor can open: " + problem + ".";
        return 0;
    }
    progress.Step(3);
    const bool repaired = loaded->RepairLoadedProject();
    progress.Restart("Reassign map indexes...", loaded->pieces_.GetCount());
    if (!loaded->IndexPieces(loaded->mapMap_, progress)) {
        error = "There is not enough memory for the " + Str(loaded->width_) + " x " + Str(loaded->height_) +
                " map of \"" + fileName.string() + "\".";
        return 0;
    }
    for (uint32_t i = 0; i < loaded->players_.GetCount(); ++i) {
        CPlayerData& player = loaded->players_.GetAt(i);
        player.capital = loaded->provinces_.GetAt(player.capitalIndex);
    }

    // Nothing below can fail. What the views show of the old content goes
    // first, since the old records die with `loaded`.
    select_.Clear();
    if (warnings_)
        warnings_->Clear();
    for (int i = 0; i < provinces_.GetSize(); ++i)
        worldView_->ForgetProvince(*provinces_.GetAt(i));
    SwapStoredContent(*loaded);
    fileName_ = fileName;
    SetModified(repaired); // a mended file differs from the disk until it is saved
    CreateLinksLayer();
    RedrawLinksLayer();
    return 1;
}
