// "Modifica": select all or none, undo and redo, and the object clipboard.
#include "app/commands/EditCommandFamilies.h"
#include "app/resource.h"

using namespace edit_commands;

const std::vector<EditCommand> kSelectionCommands = {
    {ID_SELECT_ALL, [](EditContext& c) { if (auto* p = Page(c)) p->SelectAll(true); },
     [](const EditState& s) { return Enabled(s.page); }},
    // Whatever is selected, an object inside a group or a frame too, is
    // there to be let go.
    {ID_SELECT_NONE, [](EditContext& c) { if (auto* p = Page(c)) p->SelectAll(false); },
     [](const EditState& s) { return Enabled(s.page && s.sel > 0); }},
    {ID_EDIT_UNDO, [](EditContext& c) { if (auto* r = Root(c)) r->Undo(); },
     [](const EditState& s) { return Enabled(s.album && s.canUndo); }},
    {ID_EDIT_REDO, [](EditContext& c) { if (auto* r = Root(c)) r->Redo(); },
     [](const EditState& s) { return Enabled(s.album && s.canRedo); }},
    {ID_EDIT_CUT, [](EditContext& c) { if (Page(c)) Root(c)->CutSelection(); },
     [](const EditState& s) { return Enabled(s.page && s.selChildren > 0); }},
    {ID_EDIT_COPY, [](EditContext& c) { if (Page(c)) Root(c)->CopySelection(); },
     [](const EditState& s) { return Enabled(s.page && s.selChildren > 0); }},
    {ID_EDIT_PASTE, [](EditContext& c) { if (Page(c)) Root(c)->PasteSelection(); },
     [](const EditState& s) { return Enabled(s.page && s.objectClipboardFull); }},
    {ID_SELECTION_DELETE, [](EditContext& c) { if (auto* p = Page(c)) p->DeleteSelection(); },
     [](const EditState& s) { return Enabled(s.page && s.selChildren > 0); }},
};
