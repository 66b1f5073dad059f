#include "render/PictureCache.h"

#include <cstring>
#include <tuple>

namespace {
// Unused entries kept for a page that comes back or shares them, at most.
constexpr size_t kUnusedBound = size_t{96} << 20;
// An entry this large (a picture at full size) goes as soon as nobody holds it.
constexpr size_t kLargeEntry = size_t{16} << 20;

size_t g_memoryLimit = 0;

bool IsUnused(const std::shared_ptr<PictureTiles>& entry)
{
    return entry.use_count() == 1;
}
}  // namespace

bool PictureKey::operator<(const PictureKey& other) const
{
    return std::tie(device, role, origin, size, colour) <
           std::tie(other.device, other.role, other.origin, other.size, other.colour);
}

PictureCache& PictureCache::Instance()
{
    static PictureCache cache;
    return cache;
}

SharedTiles PictureCache::Find(const PictureKey& key) const
{
    const auto found = m_entries.find(key);
    return found == m_entries.end() ? nullptr : found->second;
}

SharedTiles PictureCache::Insert(const PictureKey& key, std::unique_ptr<PictureTiles> tiles)
{
    if (UnusedBytes() > kUnusedBound)
        ReleaseUnused();
    std::shared_ptr<PictureTiles> entry(std::move(tiles));
    m_entries[key] = entry;
    return entry;
}

void PictureCache::Drop(SharedTiles& held)
{
    if (!held)
        return;
    const PictureTiles* tiles = held.get();
    held.reset();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->second.get() != tiles)
            continue;
        if (it->second->bytes >= kLargeEntry && IsUnused(it->second)) {
            m_entries.erase(it);
            ForgetFilesWithoutPictures();
        }
        return;
    }
}

void PictureCache::ReleaseUnused()
{
    const size_t before = m_entries.size();
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = IsUnused(it->second) ? m_entries.erase(it) : std::next(it);
    if (m_entries.size() != before)
        ForgetFilesWithoutPictures();
}

void PictureCache::ForgetDevice(IDirect3DDevice9* device)
{
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = it->first.device == device ? m_entries.erase(it) : std::next(it);
    ForgetFilesWithoutPictures();
}

const PictureFileFacts* PictureCache::FindFile(const std::string& path) const
{
    const auto found = m_files.find(path);
    return found == m_files.end() ? nullptr : &found->second;
}

void PictureCache::RememberFile(const std::string& path, const PictureFileFacts& facts)
{
    m_files[path] = facts;
}

void PictureCache::ForgetFile(const std::string& path)
{
    m_files.erase(path);
    m_checked.erase(path);
}

bool PictureCache::CheckedInLook(const std::string& path) const
{
    return m_looks > 0 && m_checked.count(path) != 0;
}

void PictureCache::MarkChecked(const std::string& path)
{
    if (m_looks > 0)
        m_checked.insert(path);
}

PictureFileLook::PictureFileLook()
{
    ++PictureCache::Instance().m_looks;
}

PictureFileLook::~PictureFileLook()
{
    PictureCache& cache = PictureCache::Instance();
    if (--cache.m_looks == 0)
        cache.m_checked.clear();
}

// Facts are only as good as the pictures made with them: once those are
// gone, the file is read again.
void PictureCache::ForgetFilesWithoutPictures()
{
    std::set<std::string> pictures;
    for (const auto& entry : m_entries) {
        if (entry.first.role == PictureRole::kPicture)
            pictures.insert(entry.first.origin);
    }
    for (auto it = m_files.begin(); it != m_files.end();)
        it = pictures.count(it->second.stamped) ? std::next(it) : m_files.erase(it);
}

size_t PictureCache::Bytes() const
{
    size_t total = 0;
    for (const auto& entry : m_entries)
        total += entry.second->bytes;
    return total;
}

size_t PictureCache::UnusedBytes() const
{
    size_t total = 0;
    for (const auto& entry : m_entries)
        total += IsUnused(entry.second) ? entry.second->bytes : 0;
    return total;
}

void SetPictureMemoryLimit(size_t bytes)
{
    g_memoryLimit = bytes;
}

bool PictureMemoryAllows(size_t bytes)
{
    if (g_memoryLimit == 0)
        return true;
    const size_t held = PictureCache::Instance().Bytes();
    return held <= g_memoryLimit && bytes <= g_memoryLimit - held;
}
