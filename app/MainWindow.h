#pragma once

#include <windows.h>

// The editor's top-level window: for now an empty frame that later work fills
// with the page view, bars and menus.
class MainWindow {
public:
    static const char* const kClassName;
    static const char* const kTitle;

    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    bool Create(HINSTANCE instance);
    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_ = nullptr;
};
