#include "render/SharedFont.h"

#include <cstring>
#include <map>
#include <mutex>
#include <new>

struct SharedFont::Entry {
    Entry(const LOGFONTA& fontKey, HFONT made) : key(fontKey), font(made) {}
    ~Entry();
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;
    const LOGFONTA key;
    const HFONT font;
};

namespace {
// The face name's bytes after its end are whatever the caller left there:
// they take no part in telling fonts apart.
LOGFONTA KeyOf(const LOGFONTA& font)
{
    LOGFONTA key = font;
    std::memset(key.lfFaceName, 0, sizeof(key.lfFaceName));
    std::memcpy(key.lfFaceName, font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE - 1));
    return key;
}

struct KeyLess {
    bool operator()(const LOGFONTA& a, const LOGFONTA& b) const
    {
        return std::memcmp(&a, &b, sizeof(LOGFONTA)) < 0;
    }
};

// Texts may be read on a worker thread and drawn on the window's.
std::mutex g_lock;
std::map<LOGFONTA, std::weak_ptr<const SharedFont::Entry>, KeyLess> g_fonts;

} // namespace

SharedFont::Entry::~Entry()
{
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        // A text may have asked for the same font again since the last user
        // let go: the entry made for it stays.
        const auto it = g_fonts.find(key);
        if (it != g_fonts.end() && it->second.expired())
            g_fonts.erase(it);
    }
    DeleteObject(font);
}

SharedFont SharedFont::Acquire(const LOGFONTA& font)
{
    const LOGFONTA key = KeyOf(font);
    const std::lock_guard<std::mutex> hold(g_lock);
    std::weak_ptr<const Entry>& slot = g_fonts[key];
    if (std::shared_ptr<const Entry> held = slot.lock())
        return SharedFont(std::move(held));
    HFONT made = CreateFontIndirectA(&key);
    if (!made) {
        g_fonts.erase(key);
        return SharedFont();
    }
    std::shared_ptr<const Entry> entry;
    try {
        entry = std::make_shared<const Entry>(key, made);
    } catch (const std::bad_alloc&) {
        DeleteObject(made);
        g_fonts.erase(key);
        throw;
    }
    slot = entry;
    return SharedFont(std::move(entry));
}

HFONT SharedFont::Get() const
{
    return m_entry ? m_entry->font : nullptr;
}
