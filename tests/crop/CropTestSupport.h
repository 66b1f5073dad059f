#pragma once
// Shared pieces of the crop tests: photos made on the fly, a folder per test,
// real mouse and keyboard input, and the crop dialog run through the UI seam.
#include <functional>
#include <string>

#include "crop/CropDlg.h"
#include "crop/CropTool.h"
#include "crop/MouseInput.h"
#include "framework/scripted_ui.h"
#include "imagelib/ImgBitmap.h"

// A photo whose blue is x mod 256 and green y mod 256, red 77; alpha (when
// asked) the given value.
bool MakeTestPhoto(CImgBitmap& photo, int width, int height, bool alpha = false, int alphaValue = 255);
// The same photo written as TIFF.
bool WriteTestPhoto(const std::string& path, int width, int height);
// Opacity of pixel (x, y), rows counted from the top; -1 when the picture has no alpha.
int AlphaAt(const CImgBitmap& picture, int x, int y);
// Channel c (0 blue, 1 green, 2 red) of pixel (x, y), rows from the top.
int ChannelAt(const CImgBitmap& picture, int x, int y, int c);

// A rectangle as a closed selection polygon.
CPoly RectPoly(int left, int top, int right, int bottom);

// A folder of its own below the test's working folder, emptied on entry.
std::string FreshFolder(const char* name);
bool FileExists(const std::string& path);


// Modifier keys the crop tools see as held while the owner lives.
class HeldKeys {
 public:
  HeldKeys(bool shift, bool alt);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  CropKeyReader m_previous;
};

// Windows of one class that the system refuses to create while the owner
// lives, after the first `allowed` of them (a creation hook of this thread).
class RefusedWindows {
 public:
  RefusedWindows(const char* className, int allowed);
  ~RefusedWindows();
  RefusedWindows(const RefusedWindows&) = delete;
  RefusedWindows& operator=(const RefusedWindows&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK m_hook;
};

// The crop dialog run through the seam: steps act on the shown dialog,
// which is cancelled afterwards unless a step ended it.
class CTestCropDlg : public CCropDlg {
 public:
  using Steps = std::function<void(CTestCropDlg& dialog)>;
  // With pUi the run's questions go to that seam, for the test to read.
  INT_PTR Run(const CString& path, const Steps& steps, CScriptedUi* pUi = nullptr);
  BOOL HasEnded() const { return !m_bContinueModal; }
  // Client point of the pane for a photo pixel.
  CPoint PanePoint(int x, int y) { return GetPane().MapPoint(CPoint(x, y), 0); }
  HWND PaneWindow() { return GetPane().m_hWnd; }
};
