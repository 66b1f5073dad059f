#include "render/PictureFailures.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "render/TextureImage.h"

namespace {
constexpr int kSide = 64;
constexpr uint32_t kBoxGrey = 0xFFC8C8C8;
constexpr uint32_t kCrossGrey = 0xFF6E6E6E;

struct Failures {
    std::vector<std::string> untold;
    std::set<std::string> told;
};

Failures& State()
{
    static Failures failures;
    return failures;
}

uint32_t FailedTexel(int x, int y)
{
    const bool edge = x < 2 || y < 2 || x >= kSide - 2 || y >= kSide - 2;
    const bool cross = std::abs(x - y) <= 1 || std::abs(x + y - (kSide - 1)) <= 1;
    return edge || cross ? kCrossGrey : kBoxGrey;
}
}  // namespace

void NotePictureFailure(const std::string& path)
{
    Failures& state = State();
    if (path.empty() || state.told.count(path) ||
        std::find(state.untold.begin(), state.untold.end(), path) != state.untold.end())
        return;
    state.untold.push_back(path);
}

std::vector<std::string> TakeUntoldPictureFailures()
{
    Failures& state = State();
    std::vector<std::string> untold;
    untold.swap(state.untold);
    state.told.insert(untold.begin(), untold.end());
    return untold;
}

void MarkPictureFailureTold(const std::string& path)
{
    Failures& state = State();
    state.untold.erase(std::remove(state.untold.begin(), state.untold.end(), path), state.untold.end());
    state.told.insert(path);
}

void ForgetToldPictureFailures()
{
    State().told.clear();
    State().untold.clear();
}

SharedTiles FailedPictureTiles(IDirect3DDevice9* device)
{
    PictureKey key;
    key.device = device;
    key.role = PictureRole::kFailed;
    PictureCache& cache = PictureCache::Instance();
    if (SharedTiles found = cache.Find(key))
        return found;
    auto tiles = std::make_unique<PictureTiles>();
    tiles->textures.resize(1);
    if (!device || FAILED(device->CreateTexture(kSide, kSide, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                tiles->textures[0].Out(), nullptr)))
        return nullptr;
    {
        TextureLock lock(tiles->textures[0].Get());
        if (!lock.IsLocked())
            return nullptr;
        for (int y = 0; y < kSide; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(lock.Row(y));
            for (int x = 0; x < kSide; ++x)
                row[x] = FailedTexel(x, y);
        }
    }
    tiles->layout = TileLayout{1, 1, kSide, kSide, 1.0f, 1.0f};
    tiles->width = tiles->height = kSide;
    tiles->bytes = size_t{kSide} * kSide * 4;
    return cache.Insert(key, std::move(tiles));
}
