#pragma once
// Textures of pictures shared between every quad that shows the same file at
// the same size with the same colours: N copies of a photo on a page cost one
// set of tiles. A quad holds its entry through a shared pointer; the cache
// frees the entries no quad holds any more when asked (after a frame, so the
// pictures an old page shares with the new one are not made twice), at once
// for very large (full-size) pictures, and when the unused entries grow past a bound.
// With the pictures of a file it keeps what the file told when it was read
// (its stamp, header size and mask), so a quad made again while they are
// there (an undo, a page drawn again) reads no file: only the file's stamp
// is looked at, once per file in a frame, so a file changed on disk, by
// whoever, is read again.
#include <d3d9.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/com_ref.h"
#include "render/TileLayout.h"

// What an entry is made from.
enum class PictureRole : char { kPicture = 'p', kMask = 'm', kEffect = 'e', kFailed = 'x' };

struct PictureKey {
    IDirect3DDevice9* device = nullptr;
    PictureRole role = PictureRole::kPicture;
    std::string origin;  // file path, or "#<id>" for a bitmap resource
    int32_t size = 0;    // longest side decoded; 0 the full picture
    // The colour settings baked into the tiles, as bit patterns (so any
    // float, not-a-number included, orders strictly).
    std::vector<uint32_t> colour;

    bool operator<(const PictureKey& other) const;
};

// Immutable once made.
struct PictureTiles {
    std::vector<ComRef<IDirect3DTexture9>> textures;  // row by row
    TileLayout layout;
    // The quad that shows them (picture tiles only): the same for every
    // quad, its width the picture's proportions.
    ComRef<IDirect3DVertexBuffer9> vertices;
    int32_t width = 0;   // picture pixels
    int32_t height = 0;
    size_t bytes = 0;    // texture memory

    PictureTiles() = default;
    PictureTiles(const PictureTiles&) = delete;
    PictureTiles& operator=(const PictureTiles&) = delete;
};

using SharedTiles = std::shared_ptr<const PictureTiles>;

// What a picture file told when it was read.
struct PictureFileFacts {
    std::string stamped;      // the path with the file's size and last change
    int32_t width = 0;        // from its header; 0 when that could not be read
    int32_t height = 0;
    bool mask = false;        // a mask lies (or may lie) beside it
    std::string maskStamped;  // that mask's path, stamped

    bool Sized() const { return width > 0 && height > 0; }
};

class PictureCache {
public:
    static PictureCache& Instance();

    SharedTiles Find(const PictureKey& key) const;
    // Files the tiles under the key and answers the shared entry.
    SharedTiles Insert(const PictureKey& key, std::unique_ptr<PictureTiles> tiles);
    // The holder lets go of its entry; a very large entry nobody else holds
    // goes at once.
    void Drop(SharedTiles& held);
    // Frees every entry no quad holds.
    void ReleaseUnused();
    // The device goes: its entries leave the cache (holders keep theirs
    // until they let go), so a later device at the same address starts clean.
    void ForgetDevice(IDirect3DDevice9* device);

    // What the file told, while pictures made from it are in the cache.
    const PictureFileFacts* FindFile(const std::string& path) const;
    // The file's stamp was looked at in the frame being drawn (never outside one).
    bool CheckedInLook(const std::string& path) const;
    void MarkChecked(const std::string& path);
    // Kept as long as a picture with the facts' stamp is.
    void RememberFile(const std::string& path, const PictureFileFacts& facts);
    // The program rewrote or deleted the file or its mask: the next quad
    // reads it again; quads that show the old picture keep it.
    void ForgetFile(const std::string& path);

    size_t EntryCount() const { return m_entries.size(); }
    size_t Bytes() const;
    size_t UnusedBytes() const;

private:
    friend class PictureFileLook;
    PictureCache() = default;
    void ForgetFilesWithoutPictures();

    std::map<PictureKey, std::shared_ptr<PictureTiles>> m_entries;
    std::map<std::string, PictureFileFacts> m_files;  // by path
    int m_looks = 0;                                   // looks open
    std::set<std::string> m_checked;                   // in the open look
};

// Held while a frame is drawn: the quads of the frame that show one file look
// at its stamp once. Outside a look every quad looks.
class PictureFileLook {
public:
    PictureFileLook();
    ~PictureFileLook();
    PictureFileLook(const PictureFileLook&) = delete;
    PictureFileLook& operator=(const PictureFileLook&) = delete;
};

// Picture memory (decoded pictures and textures) the process may hold beyond
// what the cache already holds; 0 lifts the limit. Tests lower it so that the
// out-of-memory road runs on purpose.
void SetPictureMemoryLimit(size_t bytes);
// False when `bytes` more would pass the limit.
bool PictureMemoryAllows(size_t bytes);
