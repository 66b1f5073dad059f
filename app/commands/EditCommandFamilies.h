#pragma once
// The command tables of each family; EditCommands.cpp looks ids up in all.
#include <vector>

#include "app/commands/EditCommands.h"
#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

extern const std::vector<EditCommand> kPageCommands;
extern const std::vector<EditCommand> kSelectionCommands;
extern const std::vector<EditCommand> kViewCommands;
extern const std::vector<EditCommand> kArrangeCommands;
extern const std::vector<EditCommand> kAlignCommands;
extern const std::vector<EditCommand> kObjectCommands;

namespace edit_commands {
inline treeNode::CSposalboTreeNode* Root(const EditContext& c) { return c.album ? c.album->GetRoot() : nullptr; }
inline treeNode::CPaginaTreeNode* Page(const EditContext& c) { return c.album ? c.album->GetCurrentPage() : nullptr; }
inline CommandUi Enabled(bool on) { return {on, false}; }
inline CommandUi Always(const EditState&) { return {true, false}; }
}  // namespace edit_commands
