#include "CropTestSupport.h"

#include <windows.h>

#include <optional>

namespace {
// Nothing is ever shown outside a test's own script.
CScriptedUi& FallbackUi() {
  static CScriptedUi ui;
  return ui;
}
const bool g_ready = (FallbackUi(), true);

bool g_shift = false, g_alt = false;
const char* g_refusedClass = nullptr;
int g_stillAllowed = 0;
HHOOK g_refusalHook = nullptr;
bool heldKey(int vk) { return (vk == VK_SHIFT && g_shift) || (vk == VK_MENU && g_alt); }
}  // namespace

bool MakeTestPhoto(CImgBitmap& photo, int width, int height, bool alpha, int alphaValue) {
  if (!photo.Create(width, height, alpha)) return false;
  IplImage* image = photo.GetIplImage();
  const int channels = alpha ? 4 : 3;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint8_t*>(image->imageData) + static_cast<size_t>(height - 1 - y) * image->widthStep;
    for (int x = 0; x < width; ++x) {
      uint8_t* p = row + static_cast<size_t>(x) * channels;
      p[0] = static_cast<uint8_t>(x & 255);
      p[1] = static_cast<uint8_t>(y & 255);
      p[2] = 77;
      if (alpha) p[3] = static_cast<uint8_t>(alphaValue);
    }
  }
  return true;
}

bool WriteTestPhoto(const std::string& path, int width, int height) {
  CImgBitmap photo;
  return MakeTestPhoto(photo, width, height) && photo.Save(path.c_str(), IMG_FORMAT_TIFF, 1, 90);
}

int ChannelAt(const CImgBitmap& picture, int x, int y, int c) {
  const IplImage* image = picture.GetIplImage();
  const auto* row = reinterpret_cast<const uint8_t*>(image->imageData) +
                    static_cast<size_t>(image->height - 1 - y) * image->widthStep;
  return row[static_cast<size_t>(x) * image->nChannels + c];
}

int AlphaAt(const CImgBitmap& picture, int x, int y) {
  return picture.GetAlphaChannel() ? ChannelAt(picture, x, y, 3) : -1;
}

CPoly RectPoly(int left, int top, int right, int bottom) {
  CPoly poly;
  for (CPoint p : {CPoint(left, top), CPoint(right, top), CPoint(right, bottom), CPoint(left, bottom), CPoint(left, top)})
    poly.Add(p);
  return poly;
}

std::string FreshFolder(const char* name) {
  std::string folder = std::string(".\\") + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  return folder;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }


HeldKeys::HeldKeys(bool shift, bool alt) : m_previous(SetCropKeyReader(heldKey)) {
  g_shift = shift;
  g_alt = alt;
}

HeldKeys::~HeldKeys() {
  g_shift = g_alt = false;
  SetCropKeyReader(m_previous);
}

RefusedWindows::RefusedWindows(const char* className, int allowed)
    : m_hook(::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId())) {
  g_refusedClass = className;
  g_stillAllowed = allowed;
  g_refusalHook = m_hook;
}

RefusedWindows::~RefusedWindows() {
  ::UnhookWindowsHookEx(m_hook);
  g_refusedClass = nullptr;
  g_refusalHook = nullptr;
}

LRESULT CALLBACK RefusedWindows::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_refusedClass) {
    char name[64] = "";
    ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    if (::lstrcmpiA(name, g_refusedClass) == 0 && g_stillAllowed-- <= 0) return 1;
  }
  return ::CallNextHookEx(g_refusalHook, code, wParam, lParam);
}

INT_PTR CTestCropDlg::Run(const CString& path, const Steps& steps, CScriptedUi* pUi) {
  std::optional<CScriptedUi> own;  // a seam installs itself for its lifetime
  if (!pUi) own.emplace();
  CScriptedUi& ui = pUi ? *pUi : *own;
  ui.AnswerModalWith([this, &steps](CWnd*) {
    input::FlushUntil([this] { return ::IsWindowVisible(m_hWnd) != FALSE; });
    steps(*this);
    if (!HasEnded()) EndDialog(IDCANCEL);
  });
  return EditImage(path);
}
