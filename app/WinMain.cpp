#include <windows.h>

#include "app/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    MainWindow window;
    if (!window.Create(instance)) return 1;
    ShowWindow(window.Handle(), show);
    UpdateWindow(window.Handle());
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
