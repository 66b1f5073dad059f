#pragma once
// Photos whose files changed beside the program: an outside editor saved the
// reference copy after the file watch had stopped, or the user replaced a
// reference copy (with any date: a copy from a backup keeps its older one), a
// working copy or its mask. The working copy the pages show, and the
// laboratory gets, must then be made again from the reference copy.
#include <string>
#include <vector>

#include "document/imagelist/WorkingCopyRemakes.h"
#include "document/services/FileStamp.h"

namespace spab_imagelist {
class CMImageList;
}

// A reference copy that cannot be read whole (cut short, empty, not a
// picture): its photo keeps the working copy it had.
struct UnreadableReference {
  std::string thumb;  // the photo's working copy, its key in the list
  std::string nome;   // the photo's own name
  std::string path;   // the reference copy
  std::string working;  // the working copy's path, as the pages read it
  CFileStamp stamp;   // the reference copy as it was found
  bool workingKept = true;  // a readable working copy is there for the page to show
};

// A working copy that could not be made again from its changed reference
// copy (a full disk, a copy that cannot be replaced, memory): the page keeps
// the copy it had, or a grey box.
struct UnmadeWorkingCopy {
  std::string thumb;
  std::string nome;
  std::string working;
  CFileStamp reference;  // the reference copy it was to be made from
  unsigned long writeError = 0;  // the system's reason
};

struct OutsideEditsFound {
  // Working copies written by another program: what shows them reads them again.
  std::vector<std::string> replaced;
  // Not told before in this form; the one who tells marks them told.
  std::vector<UnreadableReference> unreadable;
  // Reference copies gone (the stamp does not exist), and working copies not
  // made again: likewise.
  std::vector<UnreadableReference> missing;
  std::vector<UnmadeWorkingCopy> unmade;
};

struct OutsideEditsPlan {
  // In list order: every working copy whose reference copy changed since it
  // was made, that is missing or (changed since last seen) cannot be read
  // whole beside its reference copy, or that lost its mask.
  std::vector<WorkingCopyRemake> remakes;
  // An older list's photos took the origin of copies that agree.
  bool originsChanged = false;
};

// Looks at every photo's files; the folder of working copies is made again
// when it has gone. Replaced working copies not to be remade go to found.
OutsideEditsPlan FindOutsideEdits(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                  OutsideEditsFound* found = nullptr);

// Takes the ended remakes into the list: what each copy was made from, the
// unreadable reference copies (into found). The list is saved when what it
// keeps of the copies' origins changed. The names of the photos remade, in
// list order.
std::vector<std::string> TakeRemadeWorkingCopies(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                                 const std::vector<WorkingCopyRemake>& remakes, bool originsChanged,
                                                 OutsideEditsFound* found = nullptr);

// Both, the copies made again on the machine's cores while this thread
// waits, as the file watch does while the album is open.
std::vector<std::string> CatchUpOutsideEdits(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                             OutsideEditsFound* found = nullptr);

// The unreadable reference copies are not told again until they change.
void MarkUnreadableTold(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& told);
// Nor the missing ones until they are back, nor the copies not made until
// their reference copy changes or one is made.
void MarkMissingTold(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& told);
void MarkUnmadeTold(spab_imagelist::CMImageList& list, const std::vector<UnmadeWorkingCopy>& told);
