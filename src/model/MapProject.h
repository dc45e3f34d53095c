#pragma once
// The mission being edited: the catalogue header, the handheld mission record
// and the editor's own state (map size, players, provinces, catalogue lists,
// file name, modified flag).
//
// One project object lives for the whole run (TheMapProject()); the class is
// also constructible on its own so that tests build fresh instances. Further
// members and methods are declared here and defined in the .cpp files of the
// units that own them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <span>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Bitmap32List.h"
#include "model/EditorHooks.h"
#include "model/EventList.h"
#include "model/List.h"
#include "model/MapMap.h"
#include "model/PlayerData.h"
#include "model/Province.h"
#include "model/ProvinceMap.h"
#include "model/Select.h"
#include "model/SimpleArray.h"
#include "model/StringTable.h"
#include "platform/Clock.h"

namespace platform {
class XmlDocument;
}
namespace VK {
class ISerializer;
}
class CErrorList;
class CProgressScope;
struct CCatalogue;
class TBitmap32;
class TBitmapLayer;
class TCustomImage32;
class TLayerCollection;

// Catalogue header: counts taken from the game catalogue.
struct CMapProjectE {
    uint8_t difficulty = 1;
    uint8_t standardUnitTypes = 0;
    uint8_t nonStandardUnitTypes = 0;
    uint8_t unitTypesRead = 0; // unit entries the catalogue reader met
    uint8_t castleTypes = 0;
    uint8_t armyTypes = 0;
    uint8_t resources = 0;
};

struct CVictoryCondsB {
    enum Kind : uint8_t {
        kDefeatOpponents = 0,
        kDefeatPlayer = 1,
        kAccumulateArmy = 2,
        kAccumulateResources = 3,
        kCaptureProvince = 4,
    };
    static constexpr uint8_t kUnset = 255;

    struct VArmyData {
        CDwordArray army;          // army to accumulate, one count per unit type
        uint8_t defeatAllowed = 0; // "Defeat opponents" victory stays allowed
        uint8_t computerToo = 0;   // the rule applies to computer players
    };
    struct VResourcesData {
        CByteArray resources;      // amount to accumulate, one per resource
        uint8_t defeatAllowed = 0; // "Defeat All" victory stays allowed
        uint8_t computerToo = 0;   // the rule applies to computer players
    };

    uint8_t kind = kDefeatOpponents;
    uint8_t defeatAlly = 0;
    uint8_t DefeatPlayer = kUnset;
    VArmyData armyData;
    VResourcesData resourcesData;
    uint8_t captureProvince = kUnset;
};

struct CLoseCondsB {
    enum Kind : uint16_t { kNone = 0, kLoseProvince = 1, kTimeExpires = 2 };
    static constexpr uint16_t kUnset = 0xFFFF;

    uint16_t kind = kNone;
    uint16_t province = kUnset;
    uint16_t MaxTurnsToWin = 20;
};

// The handheld mission record. The project object keeps only the fields the
// editor uses; the export builds a fresh record that also carries copies of the
// catalogue counts, the exported players, the provinces and the enabled events.
struct CMapProjectB {
    uint32_t creatorId = 0;
    uint32_t MaxExp = 25;
    CVictoryCondsB victory;
    CLoseCondsB lose;

    // ---- Filled only in the export's record ----
    VK::CSimpleArray<VK::CString> resourceNames; // one per resource (the record's resource count)
    uint8_t unitTypeCount = 0;                   // army slots of every player and province
    VK::CSimpleArray<CPlayerDataB> playerRecords;
    VK::CSimpleArray<CProvinceB> provinceRecords;
    VK::CSimpleArray<CEventB> eventRecords;
};

// What the mission export needs from outside the project.
struct CMissionExportOptions {
    // Where the packers' running report goes.
    std::ostream* packerReport = &std::cout;
    // The time stamped into both packages.
    platform::SecondsClock clock = platform::SystemSeconds;
    // The folder in which the temporary mission tree is made (the system's
    // temporary folder when empty).
    std::filesystem::path temporaryParent;
};

// An ability or an AI type of the catalogue.
struct CAbilityStruct {
    std::string name;
    int32_t value = 0;

    bool operator==(const CAbilityStruct&) const = default;
};

class CMapProject : public CMapProjectE, public CMapProjectB {
public:
    static constexpr int kPlayerCount = 6;
    static constexpr int kMaxResources = 16;
    static constexpr uint32_t kNoPiece = 0xFFFFFFFFu;
    // A piece map cell where no piece lies.
    static constexpr uint16_t kNoPieceCell = 0xFFFF;

    CMapProject();
    CMapProject(const CMapProject&) = delete;
    CMapProject& operator=(const CMapProject&) = delete;
    ~CMapProject();

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetCurrentStringTable() const { return currentStringTable_; }
    // Standard plus non-standard unit types: the slots of every army array.
    int GetUnitTypeCount() const { return standardUnitTypes + nonStandardUnitTypes; }

    // GetAt throws CList<CPlayerData>::BadSize past the last player.
    CList<CPlayerData>& GetPlayers() { return players_; }
    const CList<CPlayerData>& GetPlayers() const { return players_; }
    CProvinceList& GetProvinces() { return provinces_; }
    const CProvinceList& GetProvinces() const { return provinces_; }
    CProvinceMapList& GetPieces() { return pieces_; }
    const CProvinceMapList& GetPieces() const { return pieces_; }
    // Piece index of every world pixel; kNoPieceCell where there is none.
    CPieceMap& GetMapMap() { return mapMap_; }
    const CPieceMap& GetMapMap() const { return mapMap_; }
    // The piece at world point (x, y): kNoPiece outside the map or where no
    // piece lies. Callers take the low 16 bits, 0xFFFF meaning none.
    uint32_t GetPieceAt(int x, int y) const
    {
        const uint16_t cell = mapMap_.GetAt(x, y);
        return cell == kNoPieceCell ? kNoPiece : cell;
    }
    // The province linked to piece `pieceIndex`, or null.
    CProvince* FindProvinceByPiece(int pieceIndex) const;
    // Castle types first, then army types: where each icon's anchor lies in its picture.
    VK::CSimpleArray<TPoint>& GetIconPivots() { return iconPivots_; }
    const VK::CSimpleArray<TPoint>& GetIconPivots() const { return iconPivots_; }
    CStringTableList& GetStringTables() { return stringTables_; }
    const CStringTableList& GetStringTables() const { return stringTables_; }
    CEventList& GetEvents() { return events_; }
    const CEventList& GetEvents() const { return events_; }
    CSelect& GetSelection() { return select_; }
    CList<CAbilityStruct>& GetAbilities() { return abilities_; }
    CList<CAbilityStruct>& GetAITypes() { return aiTypes_; }
    const CList<CAbilityStruct>& GetAITypes() const { return aiTypes_; }

    const std::filesystem::path& GetFileName() const { return fileName_; }
    // The file that Save writes to next; the main window sets it after a save under a new name.
    void SetFileName(std::filesystem::path fileName) { fileName_ = std::move(fileName); }

    bool IsModified() const { return modified_ != 0; }
    void SetModified(bool modified = true) { modified_ = modified ? 1 : 0; }

    // Stores `value` in `field` and marks the project modified when they differ.
    // Returns 1 on a change, 0 otherwise.
    template <typename T, typename U>
    int StoreChange(T& field, const U& value)
    {
        if (field == value)
            return 0;
        field = value;
        SetModified();
        return 1;
    }

    // ---- Progress of long operations (use CProgressScope) ----
    // Shows the progress window with `caption` and `maximum`; a start while it
    // is shown replaces both.
    void ProgressStart(const std::string& caption, int maximum) { progress_->Start(caption, maximum); }
    // `position` is absolute, 0..maximum.
    void ProgressStep(int position) { progress_->Step(position); }
    void ProgressEnd() { progress_->End(); }

    // ---- The user interface behind its narrow interfaces (null: show nothing) ----
    void SetProgressDisplay(IProgressDisplay* display) { progress_ = &HookOrDefault(display); }
    void SetPrompts(IPrompts* prompts) { prompts_ = &HookOrDefault(prompts); }
    void SetWorldView(IWorldView* view) { worldView_ = &HookOrDefault(view); }
    void SetProjectViews(IProjectViews* views) { projectViews_ = &HookOrDefault(views); }
    IPrompts& Prompts() const { return *prompts_; }
    IWorldView& WorldView() const { return *worldView_; }
    IProjectViews& ProjectViews() const { return *projectViews_; }

    // ---- Set-up and clearing (src/world/ProjectSetup.cpp) ----
    // The one project object is never replaced: New, Load, Reload and closing
    // the window clear it and set it up again through these.
    //
    // 0 at once when nothing was modified; otherwise asks whether to save the
    // changes: 1 Yes (the caller saves), 0 No, 2 Cancel (the caller gives up).
    int QuerySaveChanges();
    // Empties the project and the views that show it: no pieces, provinces,
    // events, string tables, icon pivots, abilities or AI types; a white 1 × 1
    // world without layers; players reset; no file name; difficulty 1 and
    // experience limit 25; nothing to save (the modified flag is clear). Returns 1.
    int Clear();
    // Sets a cleared project up over the pieces the import left: catalogue,
    // six default players, one province per province piece with its layers,
    // the links overlay, every piece drawn. Throws ECatalogueError when the
    // catalogue is missing or faulty (the pieces are then kept, nothing else
    // is set up).
    void InitNew();
    // After the world image was imported again: every province is detached
    // and takes the free province piece under its point; a point within 5
    // pixels of the right or lower world edge first moves 30 pixels inside it.
    // A province whose piece is taken by an earlier one stays detached.
    void RelinkProvincesToMaps();
    // Draws the name layer of every province again (after the view
    // preferences changed). Returns 1.
    int RefreshAllProvinces();

    // ---- Maintenance ----
    // Six players, each with one unit type slot per unit type (slot j holding
    // type j) and an empty treasury per resource; the victory condition asks
    // 10 of every unit type and 10 of every resource.
    void CreateDefaultPlayers();
    // Rebuilds the piece map from the masks: map width × height cells, each the
    // index of the last non-empty piece whose mask covers it, else kNoPiece.
    void ReassignMapIndexes();
    // Removes every empty piece from the piece list.
    void PurgeProvinceMaps();
    // Deletes the selected provinces. The victory and lose provinces follow the
    // list: an index above a deleted province moves down, one equal to it
    // becomes unset. Owners lose them (and their capital), every string table
    // loses their names, and the views forget them.
    void DeleteSelectedProvinces();

    // ---- The world view (defined in src/world) ----
    // The world view control: its bitmap is the world, its layers show the
    // provinces. Sets the layer collection too. Null: no world view, and the
    // drawing operations below do nothing.
    void SetWorldImage(TCustomImage32* image);
    TCustomImage32* GetWorldImage() const { return worldImage_; }
    // The picture of every province marker (the main window's marker picture).
    TBitmap32& GetMarkerPicture() { return markerPicture_; }
    const TBitmap32& GetMarkerPicture() const { return markerPicture_; }

    // Rebuilds piece `pieceIndex`'s picture from its mask by its kind and draws
    // it into the world; indexes outside the piece list are ignored.
    void UpdateProvinceMapPicture(int pieceIndex);
    // UpdateProvinceMapPicture for every non-empty piece; only province pieces
    // (kinds 3 and 4) unless `all`.
    void RedrawPieces(bool all);
    // Blends the piece's picture onto the world bitmap at its place.
    void DrawPiece(int pieceIndex);
    void DrawAllPieces();
    // A province piece's picture from the selected (or again the normal) texture;
    // nothing for kNoIndex or a piece already in that state.
    void HighlightPiece(int pieceIndex);
    void UnhighlightPiece(int pieceIndex);

    // The four layers of a province (marker, name, castle icon, army icon), each
    // the first layer whose tag names the province; null (or index -1) when absent.
    TBitmapLayer* FindMarkerLayer(const CProvince* province) const;
    TBitmapLayer* FindNameLayer(const CProvince* province) const;
    TBitmapLayer* FindCastleLayer(const CProvince* province) const;
    TBitmapLayer* FindArmyLayer(const CProvince* province) const;
    int FindMarkerLayerIndex(const CProvince* province) const;
    int FindNameLayerIndex(const CProvince* province) const;
    int FindCastleLayerIndex(const CProvince* province) const;
    int FindArmyLayerIndex(const CProvince* province) const;

    // The operations below return 1 on success and 0 when the province, the
    // layer or the picture is missing.
    //
    // Adds the province's row to the provinces list and its four layers, drawn and placed.
    int CreateProvinceLayers(CProvince* province);
    // The marker picture into the marker layer, magenta made transparent.
    int DrawProvinceMarker(const CProvince* province);
    // Places a marker layer centred on its province's point at the view scale,
    // shown by ShIcons, and redraws the province's name.
    int PlaceProvinceMarker(TBitmapLayer* layer);
    void PlaceProvinceMarkers();
    // The name and income lines into the name layer, placed beside the marker.
    int DrawProvinceName(const CProvince* province);
    int PlaceNameLayer(const CProvince* province);
    // Icon 0 no castle, 1 castle, 2 capital (1 becomes 2 for the owner's capital).
    int SetCastleIcon(CProvince* province, int icon);
    int PlaceCastleLayer(const CProvince* province);
    void PlaceAllCastleLayers();
    // The army layer always shows the first army picture.
    int SetArmyIcon(const CProvince* province, int icon);
    int PlaceArmyLayer(const CProvince* province);
    void PlaceAllArmyLayers();
    // True when the province is linked and mask point (x, y) of its piece is set.
    bool IsCastlePointInPiece(const CProvince* province, int x, int y) const;
    bool IsArmyPointInPiece(const CProvince* province, int x, int y) const;
    // Moves every castle and army layer, in collection order, to index 1.
    void ReorderCastleAndArmyLayers();
    // The province's name in the current string table ("none" for null).
    std::string GetProvinceName(const CProvince* province) const;

    // ---- The overlay of the world view that links neighbouring provinces ----
    // The world view's layer collection (null: no world view). SetWorldImage sets it too.
    void SetWorldLayers(TLayerCollection* layers) { layers_ = layers; }
    // Replaces the links layer with a new transparent one under every other
    // layer, sized to the world. Returns null when there is no world view.
    TBitmapLayer* CreateLinksLayer();
    // When the links layer is shown: clears it and draws a green line between
    // the army points of every two neighbouring pieces that have provinces.
    void RedrawLinksLayer();
    TBitmapLayer* GetLinksLayer() const { return linksLayer_; }

    // ---- World image import and analysis (src/world) ----
    static constexpr int kMaxPieces = 1501;
    static_assert(kMaxPieces < kNoPieceCell, "a piece map cell holds every piece index");
    static constexpr int kMinWorldSide = 160;
    // Pictures wider or higher than this do not fit the pieces' 16-bit bounds.
    static constexpr int kMaxWorldSide = 32767;
    // The most the masks of one picture's pieces may take together (each the
    // size of its piece's bounds, four bytes a pixel).
    static constexpr uint64_t kMaxMaskBytes = uint64_t(1) << 30;
    static constexpr uint64_t kMaxMaskPixels = kMaxMaskBytes / sizeof(TColor32);
    // The most pixels of a world that may lie in no piece (transparent ones,
    // and regions past kMaxPieces).
    static constexpr uint64_t kMaxUncoveredPixels = uint64_t(1) << 20;
    // What every world keeps, judged from its pieces' mask sizes alone, so that
    // a project file is judged before any mask or world buffer is made: masks
    // of `maskPixels` pixels together take at most kMaxMaskBytes, and reach all
    // of the `width` x `height` world but kMaxUncoveredPixels (the world
    // buffers take several bytes a pixel, the file one bit a mask pixel). The
    // import refuses a picture whose pieces would not keep it, the reader a
    // file. Empty when kept, else what is wrong.
    static std::string PieceMasksProblem(int width, int height, uint64_t maskPixels);

    // Loads a world picture and runs the whole analysis: pieces, kinds,
    // neighbours, small pieces, castle places. `keepProvinces` is set when an
    // existing project reloads its world image. Returns 1 when imported, 0
    // when the picture cannot be loaded or its analysis fails (the user is
    // told why), or the user refused to raise a small picture to 160 × 160;
    // the project (world, provinces, warnings, modified flag) is then as it was.
    // The piece pictures are left to the caller, which draws them once the
    // provinces are set up (InitNew, RelinkProvincesToMaps).
    int ImportWorldImage(const std::filesystem::path& fileName, bool keepProvinces);
    // Appends one piece per region of `image` (see CColorRegions), at most
    // kMaxPieces; regions beyond that are left out with a warning. The piece
    // map becomes the image's size and holds the new pieces, as
    // ReassignMapIndexes would make it for pieces extracted into an empty list.
    // Throws Exception before it adds anything when the masks would need more
    // than kMaxMaskBytes; std::bad_alloc when memory runs out.
    void ExtractPieces(const TBitmap32& image);
    // Extracts the region holding (x, y) of `work` as a new piece and clears it
    // in `work`. Returns 0 (nothing done) at the piece limit or on a pixel of 0.
    int ExtractPiece(int x, int y, TBitmap32& work);
    // Kinds 1 and 2 from the key colours; masks of province and small pieces
    // become plain grey and their pixel counts are recounted.
    void PaintPieceKinds();
    // Rebuilds every neighbour list. `kindFilter` 0 visits every land piece,
    // another value only the pieces of that kind (lists stay mutual).
    void CalcNeighbours(uint8_t kindFilter);
    // Province pieces absorb the small pieces that touch them, each with a
    // warning. Non-zero when something was merged.
    int ReconnectSmallPieces();
    // Small pieces left over become green land, each with a warning. Returns 1.
    int ConvertSmallPieces();
    // Castle and army points of every province piece; a piece with no room for
    // a castle becomes kProvinceWithoutCastlePlace.
    void CalcCastlePlaces();
    // The world view control to the world's size + 10 and its bitmap to the
    // world's size. Returns 1.
    int ResizeWorldView();

    // ---- Provinces, their pieces, capitals (src/world) ----
    // One linked province per province piece, in piece order, each piece
    // painted plain dark first. Returns 0 when the 99 provinces were reached
    // (the user is told), else 1.
    int CreateProvincesFromPieces();
    // A new province named "Noname n" (n the province count, or the next free
    // number), with the catalogue's minimum of every resource, an empty
    // guardian army and its layers. Null (the user is told) at 99 provinces.
    CProvince* AddProvince(int x, int y, int castleX, int castleY, int armyX, int armyY, bool linked, int pieceIndex);
    // An unlinked province 20 pixels up and left of the middle of the visible
    // world view, kept inside the world.
    CProvince* AddProvinceAtViewCenter();
    // Links the province to the piece, whose castle and army points it takes.
    // 0 for a null province or no such piece.
    int AttachProvinceToMap(CProvince* province, int pieceIndex);
    // Unlinks the province; its icons move to its own point. 0 for null.
    int DetachProvinceFromMap(CProvince* province);
    // True when there is no such piece, it is no province piece (kind below 3)
    // or a linked province holds it.
    bool IsPieceTaken(int pieceIndex) const;
    // Every unlinked province takes the free piece under its point. Returns 1.
    int RelinkProvinces();
    CProvince* FindProvinceOfPiece(const CProvinceMap* piece) const;
    // Makes `capital` (null: none) the player's capital. The old capital gets
    // back the castle state it had before it became this player's capital; the
    // new one is owned by the player and gets a full castle. Each player keeps
    // its own record of that state. 0 for a player index outside 0..5.
    int SetPlayerCapital(int player, CProvince* capital);
    // The player's capital is released and every province of the player loses its owner.
    void ReleasePlayerProvinces(int player);

    // The process-wide world-image warnings (null: none kept).
    void SetWarnings(CErrorList* warnings) { warnings_ = warnings; }
    CErrorList* GetWarnings() const { return warnings_; }

    // Map size in world pixels; the set-up and the import set it.
    void SetMapSize(uint16_t width, uint16_t height)
    {
        width_ = width;
        height_ = height;
    }

    // ---- Handheld export (defined in world/) ----
    // Writes `outputPath` with its ".pdb" removed, plus ".pdb" and ".pak": the
    // mission record, the texts, the world and domain blocks with their index
    // maps and the preview, built in a fresh temporary tree that is removed on
    // every way out. Returns 1 when both packages were written; otherwise 0 with
    // `error` saying what failed, and no package is left half-written.
    int ExportMission(const std::filesystem::path& outputPath, std::string& error,
                      const CMissionExportOptions& options = {});
    // The mission's files, each writer on its own (ExportMission builds the
    // shared grids once). False with `error` when something cannot be stored or written.
    bool ExportWorldImage(const std::filesystem::path& folder, std::string& error);
    bool ExportDomainImage(const std::filesystem::path& folder, std::string& error);
    bool ExportPreview(const std::filesystem::path& path, int wmax, int hmax, std::string& error);

    // The game catalogue document (owned by the main window) that the readers use.
    void SetCatalogueDocument(const platform::XmlDocument* document) { catalogue_ = document; }
    const platform::XmlDocument* GetCatalogueDocument() const { return catalogue_; }
    // The creator id from the first four characters of the catalogue's "dwID",
    // first character in the top byte. Returns 0 and keeps the id when there is
    // no catalogue or "dwID" is shorter than four characters.
    int ReadCreatorId();

    // ---- The project file (.fw) ----
    // The record routine of the whole project: one pass of `serializer` sizes,
    // writes or reads the stored form (layout in ProjectFile.cpp). Storing never
    // fails. Loading is meant for a fresh project: it stops at the first value
    // this project could not hold and returns false with `problem` saying which
    // and why; a false return leaves the project half-read. Loading with
    // `masksToMatch` keeps no masks: it compares each piece's mask bits with the
    // mask of the same piece of that project and stops at the first difference.
    bool Serialize(VK::ISerializer* serializer, std::string* problem = nullptr,
                   const CMapProject* masksToMatch = nullptr);
    // The stored form of the whole project, sized and then written in memory.
    // False, with `problem` set, only when the two passes disagree (a fault).
    bool SaveToBytes(std::vector<uint8_t>& bytes, std::string& problem);
    // Writes the project to `fileName` through a temporary file that replaces it
    // only when the whole stream was written and reads back. Clears the modified
    // flag and returns 1 on success; on failure returns 0 with `error` saying
    // why, and the old file and the modified flag stay as they were.
    int Save(const std::filesystem::path& fileName, std::string& error);
    // Reads `fileName` into a fresh project, checks it and only then takes its
    // content over (header, players, conditions, provinces, pieces, texts,
    // events), rebuilds the piece map, restores capitals and remembers the file
    // name. The catalogue lists (icon pivots, resource bounds, abilities, AI
    // types) stay as the set-up left them. Returns 0 with `error` saying what is
    // wrong, leaving this project untouched, when the file cannot be read or is
    // not a sound project. LoadAndShow also builds the world view again.
    int Load(const std::filesystem::path& fileName, std::string& error);
    // Load over bytes already in memory; `fileName` is what the project remembers
    // and what messages name.
    int LoadFromBytes(std::span<const uint8_t> bytes, const std::filesystem::path& fileName, std::string& error);
    // Load, then the world view built again from the loaded project (defined in
    // src/world/ProjectLoad.cpp): icon pictures of the file's castle and army
    // types, the world bitmap with every piece, the links overlay, the
    // abilities and AI types, and the four layers of every province, placed at
    // the castle and army places the file holds. A catalogue fault on the way
    // is told through the prompts; the project stays loaded.
    int LoadAndShow(const std::filesystem::path& fileName, std::string& error);
    // Creates the four world-view layers of every province (and its row in the
    // provinces list), under the progress caption "Add provinces...".
    void AddProvinceLayers();

    // ---- The mission validator ----
    // Empty when the mission may be exported, otherwise the message of the
    // first rule it breaks (rules at the definition).
    std::string CheckMission() const;
    // Players whose active flag is set (0..6); the export writes a record for each.
    int CountActivePlayers() const;
    // Active players whose control is Human or Human & Computer.
    int GetHumanPlayerCount() const;

    // ---- The game catalogue (Catalogue.h shows the file) ----
    // Every reader throws ECatalogueError, naming the file and the fault, when
    // the catalogue is missing or faulty; the project is then left unchanged.
    //
    // The folder that the catalogue's picture paths are relative to.
    void SetResourceFolder(std::filesystem::path folder) { resourceFolder_ = std::move(folder); }
    const std::filesystem::path& GetResourceFolder() const { return resourceFolder_; }
    // The castle and army pictures: castle type i is picture i, army type j is
    // picture castleTypes + j. Blending, with the magenta background transparent.
    TBitmap32List& GetIconPictures() { return iconPictures_; }
    const TBitmap32List& GetIconPictures() const { return iconPictures_; }
    // Current string table 0; appends a new string table; then reads castles
    // and armies (full), unit types, resources and skills into the project and
    // the current table.
    void ReadCatalogue();
    // Full: castle type names, picture paths and pivots (appended to the icon
    // pivots) and pictures from the catalogue. Not full (after a project file
    // was loaded): the pictures again, from the paths kept in the first
    // string table, for the castle and army counts the project holds. Both
    // store the counts and tell the project views that the pictures changed.
    void ReadCastlesAndArmies(bool full);
    void ReadUnitTypes();
    void ReadResources();
    void ReadSkills();
    // Replaces the ability list and the AI-type list.
    void ReadAbilitiesAndAITypes();
    // The name of the first ability with this value, or "" when none has it.
    std::string GetAbilityName(int32_t value) const;
    const CList<CAbilityStruct>& GetAbilities() const { return abilities_; }
    // A resource's catalogue bounds; 0 outside 0..kMaxResources - 1.
    uint16_t GetResourceMin(int i) const { return i >= 0 && i < kMaxResources ? resourceMin_[i] : 0; }
    uint16_t GetResourceMax(int i) const { return i >= 0 && i < kMaxResources ? resourceMax_[i] : 0; }

private:
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    uint16_t currentStringTable_ = 0;
    CPieceMap mapMap_{kNoPieceCell};
    CList<CPlayerData> players_;
    // Per resource: a bound kept for the file and never set, then the catalogue's "min" and "max".
    int16_t resourceReserved_[kMaxResources] = {};
    uint16_t resourceMin_[kMaxResources] = {};
    uint16_t resourceMax_[kMaxResources] = {};
    CProvinceList provinces_;
    CProvinceMapList pieces_;
    CStringTableList stringTables_;
    CEventList events_{*this};
    VK::CSimpleArray<TPoint> iconPivots_;
    CList<CAbilityStruct> abilities_;
    CList<CAbilityStruct> aiTypes_;
    std::filesystem::path fileName_;
    uint32_t modified_ = 0;
    const platform::XmlDocument* catalogue_ = nullptr;
    std::filesystem::path resourceFolder_ = "res";
    TBitmap32List iconPictures_;
    CSelect select_;
    CErrorList* warnings_ = nullptr;
    TLayerCollection* layers_ = nullptr;
    TCustomImage32* worldImage_ = nullptr;
    TBitmap32 markerPicture_;
    TBitmapLayer* linksLayer_ = nullptr; // owned by layers_; reset when the layer dies
    IProgressDisplay* progress_ = &HookOrDefault<IProgressDisplay>(nullptr);
    IPrompts* prompts_ = &HookOrDefault<IPrompts>(nullptr);
    IWorldView* worldView_ = &HookOrDefault<IWorldView>(nullptr);
    IProjectViews* projectViews_ = &HookOrDefault<IProjectViews>(nullptr);
    int progressScopes_ = 0; // CProgressScope objects alive

    // What a province had before it became its player's capital.
    struct CCapitalBackup {
        CCastleDataB castle;
        bool hadCastle = false;
    };
    std::array<CCapitalBackup, kPlayerCount> capitalBackups_;

    struct TKeptProvince;
    // Reload of the world image with the provinces kept (src/world/WorldImport.cpp):
    // the plan is made while the analysis may still fail, and carried out after.
    std::vector<TKeptProvince> RescaleKeptProvinces(const CProvinceMapList& oldPieces, int width, int height) const;
    void PlaceKeptProvinces(std::vector<TKeptProvince>& kept);
    void MoveKeptProvince(const TKeptProvince& plan);

    // Lets go of the links layer without deleting it.
    void ForgetLinksLayer();
    // Sizes `map` to the world and fills it the way ReassignMapIndexes does,
    // stepping `progress` per piece. False when memory runs out.
    bool IndexPieces(CPieceMap& map, CProgressScope& progress) const;
    // Reads `bytes` into this fresh project and checks what the record routine
    // cannot check on the way (piece indexes, the current string table, icon
    // picture paths). False with `problem` set when the bytes are no sound project.
    // With `masksToMatch` the masks are compared with that project's, not kept.
    bool ReadProjectBytes(std::span<const uint8_t> bytes, std::string& problem,
                          const CMapProject* masksToMatch = nullptr);
    static constexpr const char* kLoadingCaption = "Loading data...";
    static constexpr int kLoadingStages = 3;
    // Load's steps under the caller's progress scope.
    int ReadAndTakeOver(const std::filesystem::path& fileName, std::string& error, CProgressScope& progress);
    // The part of Load that follows reading the file.
    int TakeOverFile(std::span<const uint8_t> bytes, const std::filesystem::path& fileName, std::string& error,
                     CProgressScope& progress);
    // Mends what older files may hold: conditions naming a province past the
    // list become unset, events sharing an id get free ones. True when anything changed.
    bool RepairLoadedProject();
    // Exchanges everything the project file stores with `other`, re-pointing
    // the records to the project that now holds them.
    void SwapStoredContent(CMapProject& other);
    // What LoadAndShow does after Load (src/world/ProjectLoad.cpp).
    void RebuildWorldView(CProgressScope& progress);
    // The string table that the catalogue fills; throws when there is none.
    CStringTable& CatalogueTable() const;
    // Each stores its part of a checked catalogue (ProjectCatalogue.cpp); none throws.
    void StoreCastlesAndArmies(const CCatalogue& catalogue, CStringTable& table);
    void StoreIconPictures(std::vector<std::unique_ptr<TBitmap32>> pictures);
    void StoreUnitTypes(const CCatalogue& catalogue, CStringTable& table);
    void StoreResources(const CCatalogue& catalogue, CStringTable& table);
    void StoreSkills(const CCatalogue& catalogue, CStringTable& table);
    void StoreAbilitiesAndAITypes(const CCatalogue& catalogue);

    friend class CProgressScope;
};

// Starts the project's progress display and ends it when the outermost scope
// goes away, whatever way the operation leaves (return or exception). An inner
// scope only replaces caption and maximum.
class CProgressScope {
public:
    CProgressScope(CMapProject& project, const std::string& caption, int maximum);
    ~CProgressScope();
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;

    void Step(int position) { project_.ProgressStep(position); }
    // A new stage of the same operation: new caption and maximum.
    void Restart(const std::string& caption, int maximum) { project_.ProgressStart(caption, maximum); }

private:
    CMapProject& project_;
};

// The one project of the running editor, created on first use and kept until exit.
CMapProject& TheMapProject();
