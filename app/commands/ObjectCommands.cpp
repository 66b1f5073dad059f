// Texts, colours, the page background, the effect of a picture, and crop.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/ImgTreeNode.h"

using namespace edit_commands;

namespace {
constexpr float kPi = 3.14159265358979f;

// The first selected object when it can carry an effect ("immagine" or "cornice").
treeNode::CImgTreeNode* EffectTarget(const EditContext& c) {
  treeNode::CPaginaTreeNode* page = Page(c);
  if (!page) return nullptr;
  treeNode::CTreeNode* first = page->GetFirstSelected();
  if (!first || (first->GetTag() != "immagine" && first->GetTag() != "cornice")) return nullptr;
  return dynamic_cast<treeNode::CImgTreeNode*>(first);
}

void SetEffectRotation(EditContext& c, int code) {
  treeNode::CImgTreeNode* target = EffectTarget(c);
  if (!target) return;
  Page(c)->SaveUndo();
  target->SetEffectRotation(target->GetEffectRotation() == code ? 0 : code);
}

void ToggleMirror(EditContext& c, bool horizontal) {
  treeNode::CPaginaTreeNode* page = Page(c);
  if (!page) return;
  page->SaveUndo();
  if (treeNode::CImgTreeNode* target = EffectTarget(c))
    target->SetEffectMirror(ToggledEffectMirror(target->GetEffectMirror(), horizontal));
}

bool OneEffectTarget(const EditState& s) { return s.page && s.sel == 1 && s.firstIsEffectTarget; }

CommandUi EffectRotationRule(const EditState& s, int code) {
  if (!OneEffectTarget(s)) return {};
  return {s.firstHasEffect, s.effectRotation == code};
}

CommandUi MirrorRule(const EditState& s, int tickedCode) {
  if (!OneEffectTarget(s)) return {};
  return {s.firstHasEffect, s.effectMirror == -1 || s.effectMirror == tickedCode};
}
}  // namespace

int ToggledEffectMirror(int code, bool horizontal) {
  switch (code) {
    case -1: return horizontal ? 1 : 0;
    case 0: return horizontal ? 2 : -1;
    case 1: return horizontal ? -1 : 2;
    case 2: return horizontal ? 0 : 1;
    default: return code;
  }
}

const std::vector<EditCommand> kObjectCommands = {
    // Nothing is added when the text dialog is cancelled.
    {ID_TEXT_ADD, [](EditContext& c) { if (c.album) c.album->CreateText(c.textPosition, c.textPosition); },
     [](const EditState& s) { return Enabled(s.album); }},
    {ID_TEXT_EDIT, [](EditContext& c) { if (Page(c)) c.album->EditSelectedText(); },
     [](const EditState& s) { return Enabled(s.page && s.textSelected); }},
    {ID_SELECTION_COLOUR, [](EditContext& c) { if (Page(c)) c.album->EditSelectionColour(); },
     [](const EditState& s) { return Enabled(s.page && s.sel > 0); }},
    {ID_BACKGROUND_REMOVE, [](EditContext& c) { if (auto* p = Page(c)) p->RemoveBackground(); },
     [](const EditState& s) { return Enabled(s.page && s.hasBackground); }},
    {ID_BACKGROUND_COLOUR, [](EditContext& c) { if (auto* p = Page(c)) p->ChooseBackgroundColour(); },
     [](const EditState& s) { return Enabled(s.page); }},
    {ID_BACKGROUND_ROTATE, [](EditContext& c) { if (auto* p = Page(c)) p->RotateBackground(kPi / 2.0f); },
     [](const EditState& s) { return Enabled(s.page && s.hasBackground && s.backgroundHasImage); }},
    {ID_EFFECT_REMOVE,
     [](EditContext& c) {
       if (treeNode::CImgTreeNode* target = EffectTarget(c)) {
         // Undoable like every other change of the page.
         Page(c)->SaveUndo();
         target->SetEffect(nullptr);
       }
     },
     [](const EditState& s) { return Enabled(OneEffectTarget(s)); }},
    {ID_EFFECT_ROTATE_0, [](EditContext& c) { SetEffectRotation(c, 0); },
     [](const EditState& s) { return EffectRotationRule(s, 0); }},
    {ID_EFFECT_ROTATE_90, [](EditContext& c) { SetEffectRotation(c, 90); },
     [](const EditState& s) { return EffectRotationRule(s, 90); }},
    {ID_EFFECT_ROTATE_180, [](EditContext& c) { SetEffectRotation(c, 180); },
     [](const EditState& s) { return EffectRotationRule(s, 180); }},
    {ID_EFFECT_ROTATE_270, [](EditContext& c) { SetEffectRotation(c, -90); },
     [](const EditState& s) { return EffectRotationRule(s, -90); }},
    {ID_EFFECT_MIRROR_H, [](EditContext& c) { ToggleMirror(c, true); },
     [](const EditState& s) { return MirrorRule(s, 0); }},
    {ID_EFFECT_MIRROR_V, [](EditContext& c) { ToggleMirror(c, false); },
     [](const EditState& s) { return MirrorRule(s, 1); }},
    {ID_CROP,
     [](EditContext& c) {
       treeNode::CPaginaTreeNode* page = Page(c);
       if (page && c.crop && page->GetFirstSelected()) c.crop(page->GetFirstSelected());
     },
     [](const EditState& s) { return Enabled(s.page && s.sel == 1 && s.firstIsPhoto); }},
};
