#pragma once
// The one narrow road from the album nodes to the main frame: picture folders,
// the current page, the tool mode, keys held during an operation and the
// dialogs. The main frame installs its implementation; tests install fakes.
// Without a host the nodes behave as if no key were held and no dialog
// confirmed anything.
#include <windows.h>

#include <cstdint>
#include <string>

namespace treeNode {
class CPaginaTreeNode;
}

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;

    // Full path of a picture of the given resource kind (0 album photo, 1
    // frame, 2 effect, 3 library image, 4 group).
    virtual std::string GetResourceFolder(int kind, bool lowRes, const std::string& name,
                                          bool personal) = 0;
    // 0 select, 1 pan, 2 zoom.
    virtual int GetToolMode() = 0;
    // Whether a key (a Windows virtual-key code) is held right now.
    virtual bool IsKeyDown(int virtualKey) = 0;
    virtual treeNode::CPaginaTreeNode* GetCurrentPage() = 0;
    // The system colour chooser; true with the chosen COLORREF on OK.
    virtual bool ChooseColour(uint32_t initial, uint32_t& chosen) = 0;
    // The colour dialog over the current selection (or the background in
    // its edit mode).
    virtual void EditSelectionColour() = 0;
    // The text dialog, opened with the given text, font and colour; true on
    // OK with the values the user chose. The font is the text's own: kept,
    // also in a face this computer lacks, unless the user chooses another.
    virtual bool EditText(std::string& text, LOGFONTA& font, COLORREF& colour) = 0;
    // The same for a text being made: it starts in a face this computer has.
    virtual bool EditNewText(std::string& text, LOGFONTA& font, COLORREF& colour)
    {
        return EditText(text, font, colour);
    }
    // The photo bar redraws its marks of photos in use.
    virtual void InvalidatePhotoThumbnails() = 0;
    // The page editing surface takes the largest place of the current page's
    // shape in the view (after an album was opened).
    virtual void LayoutPageStatic() {}
    // Whether the laboratory's font list names this face; a face it lacks
    // travels with the album's export. Without a list every face travels.
    virtual bool IsLabFont(const std::string& faceName)
    {
        (void)faceName;
        return false;
    }
};

void SetDocumentHost(IDocumentHost* host);
IDocumentHost* GetDocumentHost();

// Convenience wrappers that answer sensibly without a host.
bool HostIsKeyDown(int virtualKey);
bool HostIsAltDown();
std::string HostResourcePath(int kind, bool lowRes, const std::string& name, bool personal);
