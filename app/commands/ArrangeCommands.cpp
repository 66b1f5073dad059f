// "Strumenti": groups, drawing order, rotation and lock.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"

using namespace edit_commands;

namespace {
constexpr float kPi = 3.14159265358979f;
void Rotate(EditContext& c, float angle) {
  if (auto* p = Page(c)) p->SetRotation(angle);
}
CommandUi AnySelected(const EditState& s) { return Enabled(s.page && s.sel > 0); }
CommandUi AnyChildSelected(const EditState& s) { return Enabled(s.page && s.selChildren > 0); }
}  // namespace

const std::vector<EditCommand> kArrangeCommands = {
    {ID_GROUP, [](EditContext& c) { if (auto* p = Page(c); p && Root(c)->MayGrowBy(1)) p->GroupSelection(); },
     [](const EditState& s) { return Enabled(s.page && s.selChildren > 1); }},
    {ID_UNGROUP, [](EditContext& c) { if (auto* p = Page(c)) p->UngroupSelection(); },
     [](const EditState& s) { return Enabled(s.page && s.groupOrFrameSelected); }},
    {ID_ORDER_FRONT, [](EditContext& c) { if (auto* p = Page(c)) p->BringSelectionToFront(); }, AnyChildSelected},
    {ID_ORDER_BACK, [](EditContext& c) { if (auto* p = Page(c)) p->SendSelectionToBack(); }, AnyChildSelected},
    {ID_ORDER_FORWARD, [](EditContext& c) { if (auto* p = Page(c)) p->ShiftZOrder(true); }, AnyChildSelected},
    {ID_ORDER_BACKWARD, [](EditContext& c) { if (auto* p = Page(c)) p->ShiftZOrder(false); }, AnyChildSelected},
    {ID_ROTATE_NONE, [](EditContext& c) { Rotate(c, 0.0f); }, AnySelected},
    {ID_ROTATE_10, [](EditContext& c) { Rotate(c, kPi / 18.0f); }, AnySelected},
    {ID_ROTATE_45, [](EditContext& c) { Rotate(c, kPi / 4.0f); }, AnySelected},
    {ID_ROTATE_90, [](EditContext& c) { Rotate(c, kPi / 2.0f); }, AnySelected},
    {ID_ROTATE_180, [](EditContext& c) { Rotate(c, kPi); }, AnySelected},
    {ID_LOCK, [](EditContext& c) { if (auto* p = Page(c)) p->SetLocked(true); }, Always},
    {ID_UNLOCK, [](EditContext& c) { if (auto* p = Page(c)) p->SetLocked(false); }, Always},
};
