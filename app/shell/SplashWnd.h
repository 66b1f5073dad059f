#pragma once
// The splash window: bitmap 139 in a popup of its size, centred on the
// screen, closing itself at the 8th tick of its one-second timer without
// holding up start-up.
#include "framework/framework.h"

class CSplashWnd : public CWnd {
 public:
  static constexpr UINT_PTR kTimer = 1;
  static constexpr UINT kInterval = 1000;
  static constexpr int kTicks = 8;

  static void EnableSplashScreen(BOOL enable);
  // Shows the one splash window unless it is disabled or already shown.
  static void ShowSplashScreen(CWnd* mainWnd);
  static CSplashWnd* Current();

  int GetTicks() const { return m_ticks; }

 protected:
  CSplashWnd() = default;
  ~CSplashWnd() override;
  BOOL Create();
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  CBitmap m_bitmap;
  int m_ticks = 0;
};
