// Pan, zoom, the mouse's tool mode and the rulers.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"
#include "render/D3DObj.h"

using namespace edit_commands;

namespace {
void PanBy(EditContext& c, float dx, float dy) {
  if (c.album && c.view) c.view->Pan(dx, dy);
}
void SetToolMode(EditContext& c, int mode) {
  if (c.setToolMode) c.setToolMode(mode);
}
CommandUi WithAlbum(const EditState& s) { return Enabled(s.album); }
}  // namespace

const std::vector<EditCommand> kViewCommands = {
    {ID_PAN_CENTRE, [](EditContext& c) { if (c.album && c.view) c.view->SetPan(0.0f, 0.0f); },
     [](const EditState& s) { return Enabled(s.album && (s.panX != 0.0f || s.panY != 0.0f)); }},
    {ID_PAN_LEFT, [](EditContext& c) { PanBy(c, 0.1f, 0.0f); }, WithAlbum},
    {ID_PAN_UP, [](EditContext& c) { PanBy(c, 0.0f, -0.1f); }, WithAlbum},
    {ID_PAN_RIGHT, [](EditContext& c) { PanBy(c, -0.1f, 0.0f); }, WithAlbum},
    {ID_PAN_DOWN, [](EditContext& c) { PanBy(c, 0.0f, 0.1f); }, WithAlbum},
    // The normal zoom is 0.9 while the rule asks for exactly 1.0: the item
    // stays enabled after use, as it always has.
    {ID_ZOOM_NORMAL, [](EditContext& c) { if (c.album && c.view) c.view->SetZoom(0.9f, 0.9f); },
     [](const EditState& s) { return Enabled(s.album && !(s.zoomX == 1.0f && s.zoomY == 1.0f)); }},
    {ID_ZOOM_IN, [](EditContext& c) { if (c.album && c.view) c.view->Zoom(1.1f, 1.1f); }, WithAlbum},
    {ID_ZOOM_OUT, [](EditContext& c) { if (c.album && c.view) c.view->Zoom(0.9f, 0.9f); }, WithAlbum},
    {ID_TOOL_SELECT, [](EditContext& c) { SetToolMode(c, 0); },
     [](const EditState& s) { return Enabled(s.toolMode != 0); }},
    {ID_TOOL_PAN, [](EditContext& c) { SetToolMode(c, 1); },
     [](const EditState& s) { return Enabled(s.toolMode != 1); }},
    {ID_TOOL_ZOOM, [](EditContext& c) { SetToolMode(c, 2); },
     [](const EditState& s) { return Enabled(s.toolMode != 2); }},
    {ID_VIEW_RULER, [](EditContext& c) { if (c.toggleRulers) c.toggleRulers(); },
     [](const EditState& s) { return CommandUi{true, s.rulersShown}; }},
};
