#pragma once
// The editing and navigation commands of the menu, the toolbar, the
// accelerators and the context menu: for each command id what it does to the
// open album's current page, root, document or page view, and when its item
// is enabled or ticked. The rules read a snapshot of the editor's state, so
// they are checked without a window; the main frame routes the commands here.
#include <functional>

#include "framework/framework.h"

class CD3DObj;
class CSposalboDoc;
namespace treeNode {
class CTreeNode;
}

// What the enable rules look at, taken once per question.
struct EditState {
  bool album = false;
  bool page = false;      // an album with a current page
  int sel = 0;            // length of the page's selection list
  int selChildren = 0;    // the page's children marked selected
  bool firstIsPhoto = false;       // the first selected object is an "immagine"
  bool firstIsEffectTarget = false;  // ... an "immagine" or a "cornice"
  bool firstHasEffect = false;
  int effectRotation = 0;
  int effectMirror = 2;
  int index = -1;         // the current page
  int count = 0;          // pages in the album
  bool atMaxPages = false;
  bool atMinPages = false;
  bool pageClipboardFull = false;
  bool objectClipboardFull = false;
  bool canUndo = false;
  bool canRedo = false;
  bool currentIsCover = false;
  bool groupOrFrameSelected = false;
  bool textSelected = false;
  bool hasBackground = false;
  bool backgroundHasImage = false;
  float panX = 0, panY = 0;
  float zoomX = 1, zoomY = 1;
  int toolMode = 0;       // 0 select, 1 pan, 2 zoom
  bool rulersShown = false;
};

// The editor's state as the rules see it.
EditState ReadEditState(CSposalboDoc* album, const CD3DObj* view, int toolMode, bool rulersShown);

// What a command acts on; the frame fills it for each command.
struct EditContext {
  CSposalboDoc* album = nullptr;
  CD3DObj* view = nullptr;
  // False while Shift is held: sizes then ignore the aspect ratio.
  bool keepAspect = true;
  // Where a new text is placed on the page (both coordinates).
  float textPosition = 0.0f;
  std::function<void(int mode)> setToolMode;
  std::function<void()> toggleRulers;
  // The crop editor on a photo of the page.
  std::function<void(treeNode::CTreeNode* photo)> crop;
};

struct CommandUi {
  bool enabled = false;
  bool checked = false;
  bool operator==(const CommandUi& other) const { return enabled == other.enabled && checked == other.checked; }
};

struct EditCommand {
  UINT id;
  void (*run)(EditContext& context);
  CommandUi (*rule)(const EditState& state);
};

// The command of an id, null for ids that are not editing commands.
const EditCommand* FindEditCommand(UINT id);

// Effect mirror codes: 0 horizontal, 1 vertical, -1 both, 2 none. The code
// after a horizontal or vertical toggle; other codes stay.
int ToggledEffectMirror(int code, bool horizontal);

// A command target for the frame's routing: it carries out and updates the
// editing commands with the context and state the frame hands it.
class CEditCommandTarget : public CCmdTarget {
 public:
  CEditCommandTarget(std::function<EditContext()> context, std::function<EditState()> state);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 private:
  std::function<EditContext()> m_context;
  std::function<EditState()> m_state;
};
