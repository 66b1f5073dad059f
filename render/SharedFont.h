#pragma once
// The fonts the page's texts are drawn with: one GDI font for each face, size
// and style however many texts use it, made for the first of them and deleted
// with the last, so an album of many texts holds few drawing handles.
#include <windows.h>

#include <memory>

class SharedFont {
public:
    SharedFont() = default;
    // The font for `font`, made now when no text holds it; empty when GDI
    // cannot make it.
    static SharedFont Acquire(const LOGFONTA& font);

    HFONT Get() const;
    explicit operator bool() const { return Get() != nullptr; }
    void Reset() { m_entry.reset(); }

    struct Entry;

private:
    explicit SharedFont(std::shared_ptr<const Entry> entry) : m_entry(std::move(entry)) {}
    std::shared_ptr<const Entry> m_entry;
};
