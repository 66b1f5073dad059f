#include "app/shell/StyleCombo.h"

#include <algorithm>
#include <type_traits>

#include "app/shell/EditorFrame.h"
#include "app/shell/SposalboApp.h"
#include <memory>

BEGIN_MESSAGE_MAP(CSposalboStyleCombo, CComboBox)
  ON_CONTROL_REFLECT_EX(CBN_SELENDOK, OnSelEndOk)
  ON_CONTROL_REFLECT_EX(CBN_DROPDOWN, OnDropDown)
END_MESSAGE_MAP()

namespace {
constexpr DWORD kMaxText = 260;
struct RegKeyCloser {
  void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using RegKey = std::unique_ptr<std::remove_pointer<HKEY>::type, RegKeyCloser>;
constexpr int kMaxVisibleItems = 5;
}  // namespace

void CSposalboStyleCombo::Fill() {
  ResetContent();
  m_keys.assign(2, std::string());
  AddString("Standard");
  AddString("Personalizzate");
  CString path;
  path.Format("Software\\Velmora\\%s\\style", static_cast<const char*>(CSposalboApp::GetAppName()));
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &raw) == ERROR_SUCCESS) {
    RegKey key(raw);
    for (DWORD i = 0;; ++i) {
      char name[kMaxText + 1] = "";
      char data[kMaxText + 1] = "";
      DWORD nameLength = kMaxText + 1;
      DWORD dataLength = kMaxText;
      if (::RegEnumValueA(key.get(), i, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                          &dataLength) != ERROR_SUCCESS)
        break;
      data[std::min(dataLength, kMaxText)] = '\0';
      AddString(data);
      m_keys.emplace_back(name);
    }
  }
  SetCurSel(0);
}

std::string CSposalboStyleCombo::GetStyleKey(int index) const {
  return index >= 2 && static_cast<size_t>(index) < m_keys.size() ? m_keys[static_cast<size_t>(index)] : std::string();
}

BOOL CSposalboStyleCombo::OnSelEndOk() {
  const int index = GetCurSel();
  IEditorFrame* frame = GetEditorFrame();
  if (frame && index >= 0) {
    const std::string key = GetStyleKey(index);
    frame->CollectResourceFolders(key.empty() ? nullptr : key.c_str(), index == 1);
  }
  return FALSE;
}

BOOL CSposalboStyleCombo::OnDropDown() {
  // Room for up to five items, but never past the bottom of the screen.
  const int items = std::max(1, std::min(GetCount(), kMaxVisibleItems));
  const int itemHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, 0));
  CRect rect;
  GetWindowRect(&rect);
  const int closed = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1))) + 8;
  int height = closed + items * itemHeight + 2;
  height = std::min(height, ::GetSystemMetrics(SM_CYSCREEN) - static_cast<int>(rect.top));
  SetWindowPos(nullptr, 0, 0, rect.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return FALSE;
}
