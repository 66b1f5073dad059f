#include "document/AlbumFonts.h"

#include <memory>
#include <type_traits>

#include "document/services/PathNames.h"
#include "document/services/Win32Handle.h"

namespace {
struct DcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using DcHandle = std::unique_ptr<std::remove_pointer<HDC>::type, DcDeleter>;

// Puts the font back out of the device context before either is deleted.
class CSelectedFont {
 public:
  CSelectedFont(HDC dc, HFONT font) : m_dc(dc), m_previous(::SelectObject(dc, font)) {}
  ~CSelectedFont() {
    if (IsSelected()) ::SelectObject(m_dc, m_previous);
  }
  CSelectedFont(const CSelectedFont&) = delete;
  CSelectedFont& operator=(const CSelectedFont&) = delete;
  bool IsSelected() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

bool WriteWholeFile(const std::string& path, const std::vector<char>& data) {
  bool written = false;
  {
    CScopedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    DWORD done = 0;
    written = ::WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &done,
                           nullptr) &&
              done == data.size();
  }
  if (!written) ::DeleteFileA(path.c_str());
  return written;
}
}  // namespace

int CAlbumFonts::Load(const std::string& albumFolder) {
  const std::string fontFolder = JoinPath(albumFolder, "font");
  WIN32_FIND_DATAA data;
  CScopedFind find(::FindFirstFileA(JoinPath(fontFolder, "*.ttf").c_str(), &data));
  if (!find.IsValid()) return 0;
  int added = 0;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string path = JoinPath(fontFolder, data.cFileName);
    if (::AddFontResourceA(path.c_str()) > 0) {
      m_loaded.push_back(path);
      ++added;
    }
  } while (::FindNextFileA(find.Get(), &data));
  return added;
}

void CAlbumFonts::Unload() {
  for (const std::string& path : m_loaded) ::RemoveFontResourceA(path.c_str());
  m_loaded.clear();
}

bool WriteFontFile(const LOGFONTA& font, const std::string& path) {
  CScopedFont handle(::CreateFontIndirectA(&font));
  DcHandle dc(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  if (!handle || !dc) return false;
  CSelectedFont selected(dc.get(), handle.get());
  if (!selected.IsSelected()) return false;

  char face[LF_FACESIZE] = {};
  if (!::GetTextFaceA(dc.get(), LF_FACESIZE, face) || lstrcmpiA(face, font.lfFaceName) != 0)
    return false;
  const DWORD size = ::GetFontData(dc.get(), 0, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return false;
  std::vector<char> data(size);
  if (::GetFontData(dc.get(), 0, 0, data.data(), size) != size) return false;
  return WriteWholeFile(path, data);
}
