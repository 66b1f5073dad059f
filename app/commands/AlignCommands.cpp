// Alignment, placing on the page and equal sizes.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"

using namespace edit_commands;

namespace {
CommandUi Several(const EditState& s) { return Enabled(s.page && s.sel > 1); }
CommandUi AnySelected(const EditState& s) { return Enabled(s.page && s.sel > 0); }
}  // namespace

const std::vector<EditCommand> kAlignCommands = {
    {ID_ALIGN_LEFT, [](EditContext& c) { if (auto* p = Page(c)) p->AlignLeft(); }, Several},
    {ID_ALIGN_RIGHT, [](EditContext& c) { if (auto* p = Page(c)) p->AlignRight(); }, Several},
    {ID_ALIGN_TOP, [](EditContext& c) { if (auto* p = Page(c)) p->AlignTop(); }, Several},
    {ID_ALIGN_BOTTOM, [](EditContext& c) { if (auto* p = Page(c)) p->AlignBottom(); }, Several},
    {ID_ALIGN_VERTICAL, [](EditContext& c) { if (auto* p = Page(c)) p->AlignVertically(); }, Several},
    {ID_ALIGN_HORIZONTAL, [](EditContext& c) { if (auto* p = Page(c)) p->AlignHorizontally(); }, Several},
    {ID_CENTRE_VERTICAL, [](EditContext& c) { if (auto* p = Page(c)) p->CenterVertically(); }, AnySelected},
    {ID_CENTRE_HORIZONTAL, [](EditContext& c) { if (auto* p = Page(c)) p->CenterHorizontally(); }, AnySelected},
    {ID_PLACE_LEFT_OF_CENTRE, [](EditContext& c) { if (auto* p = Page(c)) p->PlaceLeftOfCenter(); }, AnySelected},
    {ID_PLACE_RIGHT_OF_CENTRE, [](EditContext& c) { if (auto* p = Page(c)) p->PlaceRightOfCenter(); }, AnySelected},
    {ID_ALIGN_CROP, [](EditContext& c) { if (auto* p = Page(c)) p->AlignCropToImage(); },
     [](const EditState& s) { return Enabled(s.page && s.sel == 2 && s.firstIsPhoto); }},
    {ID_SIZE_SAME_HEIGHT, [](EditContext& c) { if (auto* p = Page(c)) p->SameHeight(c.keepAspect); }, Several},
    {ID_SIZE_SAME_WIDTH, [](EditContext& c) { if (auto* p = Page(c)) p->SameWidth(c.keepAspect); }, Several},
    {ID_SIZE_SAME_BOTH, [](EditContext& c) { if (auto* p = Page(c)) p->SameSize(c.keepAspect); }, Several},
    {ID_SIZE_HALF_PAGE, [](EditContext& c) { if (auto* p = Page(c)) p->SizeToPageFraction(true, c.keepAspect); },
     AnySelected},
    {ID_SIZE_PAGE, [](EditContext& c) { if (auto* p = Page(c)) p->SizeToPageFraction(false, c.keepAspect); },
     AnySelected},
    {ID_SIZE_RESET_ASPECT, [](EditContext& c) { if (auto* p = Page(c)) p->ResetAspectRatio(); }, AnySelected},
};
