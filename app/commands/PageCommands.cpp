// "Pagine": navigation, new, cut, copy, paste, delete, move and cover.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"

using namespace edit_commands;

namespace {
bool NotFirst(const EditState& s) { return s.album && s.index > 0; }
bool NotLast(const EditState& s) { return s.album && s.index < s.count - 1; }
}  // namespace

const std::vector<EditCommand> kPageCommands = {
    {ID_PAGE_FIRST, [](EditContext& c) { if (auto* r = Root(c)) r->FirstPage(); },
     [](const EditState& s) { return Enabled(NotFirst(s)); }},
    {ID_PAGE_PREVIOUS, [](EditContext& c) { if (auto* r = Root(c)) r->PreviousPage(); },
     [](const EditState& s) { return Enabled(NotFirst(s)); }},
    {ID_PAGE_NEXT, [](EditContext& c) { if (auto* r = Root(c)) r->NextPage(); },
     [](const EditState& s) { return Enabled(NotLast(s)); }},
    {ID_PAGE_LAST, [](EditContext& c) { if (auto* r = Root(c)) r->LastPage(); },
     [](const EditState& s) { return Enabled(NotLast(s)); }},
    {ID_PAGE_NEW, [](EditContext& c) { if (auto* r = Root(c)) r->AddPage(-1); },
     [](const EditState& s) { return Enabled(s.album && !s.atMaxPages); }},
    {ID_PAGE_CUT, [](EditContext& c) { if (auto* r = Root(c)) r->CutPage(true); },
     [](const EditState& s) { return Enabled(s.album && !s.atMinPages && s.page); }},
    {ID_PAGE_COPY, [](EditContext& c) { if (auto* r = Root(c)) r->CopyPage(); },
     [](const EditState& s) { return Enabled(s.page); }},
    {ID_PAGE_PASTE, [](EditContext& c) { if (auto* r = Root(c)) r->PastePage(); },
     [](const EditState& s) { return Enabled(s.album && !s.atMaxPages && s.pageClipboardFull); }},
    {ID_PAGE_DELETE, [](EditContext& c) { if (auto* r = Root(c)) r->DeletePage(); },
     [](const EditState& s) { return Enabled(s.album && !s.atMinPages && s.page); }},
    {ID_PAGE_MOVE_BEFORE, [](EditContext& c) { if (auto* r = Root(c)) r->MovePageBefore(); },
     [](const EditState& s) { return Enabled(NotFirst(s)); }},
    {ID_PAGE_MOVE_AFTER, [](EditContext& c) { if (auto* r = Root(c)) r->MovePageAfter(); },
     [](const EditState& s) { return Enabled(NotLast(s)); }},
    {ID_PAGE_COVER, [](EditContext& c) { if (auto* r = Root(c)) r->SetCover(!r->IsCurrentPageCover()); },
     [](const EditState& s) { return CommandUi{s.album, s.album && s.currentIsCover}; }},
};
