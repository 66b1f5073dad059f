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

// Lets queued messages through until the condition holds (a bounded number of rounds).
void PumpUntil(const std::function<bool()>& done, int rounds = 200) {
  for (int round = 0; round < rounds && !done(); ++round) {
    PumpPending();
    if (!done()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void sendMouse(HWND hWnd, CPoint client, DWORD flags) {
  CPoint screen(client);
  ::ClientToScreen(hWnd, &screen);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof in);
}

bool g_shift = false, g_alt = false;
bool heldKey(int vk) { return (vk == VK_SHIFT && g_shift) || (vk == VK_MENU && g_alt); }
}  // namespace

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

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

namespace input {
void MoveTo(HWND hWnd, CPoint client) { sendMouse(hWnd, client, 0); }
void Press(HWND hWnd, CPoint client) { sendMouse(hWnd, client, MOUSEEVENTF_LEFTDOWN); }
void Release(HWND hWnd, CPoint client) { sendMouse(hWnd, client, MOUSEEVENTF_LEFTUP); }
void Flush() { PumpPending(); }
void Drag(HWND hWnd, CPoint from, CPoint to, int steps) {
  MoveTo(hWnd, from);
  sendMouse(hWnd, from, MOUSEEVENTF_LEFTDOWN);
  for (int i = 1; i <= steps; ++i)
    sendMouse(hWnd, CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), 0);
  sendMouse(hWnd, to, MOUSEEVENTF_LEFTUP);
  Flush();
}
void Click(HWND hWnd, CPoint client) {
  MoveTo(hWnd, client);
  Press(hWnd, client);
  Release(hWnd, client);
  Flush();
}
void DoubleClick(HWND hWnd, CPoint client) {
  for (int i = 0; i < 2; ++i) {
    Press(hWnd, client);
    Release(hWnd, client);
  }
  Flush();
}
}  // namespace input

HeldKeys::HeldKeys(bool shift, bool alt) : m_previous(SetCropKeyReader(heldKey)) {
  g_shift = shift;
  g_alt = alt;
}

HeldKeys::~HeldKeys() {
  g_shift = g_alt = false;
  SetCropKeyReader(m_previous);
}

INT_PTR CTestCropDlg::Run(const CString& path, const Steps& steps, CScriptedUi* pUi) {
  std::optional<CScriptedUi> own;  // a seam installs itself for its lifetime
  if (!pUi) own.emplace();
  CScriptedUi& ui = pUi ? *pUi : *own;
  ui.AnswerModalWith([this, &steps](CWnd*) {
    ::SetForegroundWindow(m_hWnd);
    PumpUntil([this] { return ::GetForegroundWindow() == m_hWnd && ::IsWindowVisible(m_hWnd); });
    steps(*this);
    if (!HasEnded()) EndDialog(IDCANCEL);
  });
  return EditImage(path);
}
