#pragma once
// The menu library's start-up and shutdown: the platform probe, the optional
// visual-style and gradient entry points, the twelve themes and the window
// hook through which popup menu windows are themed. One object per program,
// made before the first window and destroyed after the last.
#include "ui/menus/core/SkinState.h"

// What the platform is: operating-system class, compatibility layer, remote
// session, high contrast.
SkinPlatform ProbeSkinPlatform();

class CSkinMenuHook {
 public:
  // Tests pass the platform to pretend; the program lets it be probed.
  explicit CSkinMenuHook(const SkinPlatform* platform = nullptr);
  ~CSkinMenuHook();
  CSkinMenuHook(const CSkinMenuHook&) = delete;
  CSkinMenuHook& operator=(const CSkinMenuHook&) = delete;
  bool HookInstalled() const { return SkinState().hook != nullptr; }
};

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
