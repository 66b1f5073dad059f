#pragma once
// Working copies made again from their reference copies on worker threads,
// a few at once: the machine's cores share the work, and a 32-bit process
// holds only so many decoded photos (one that is not a JPEG is decoded whole,
// about 100 MB at 24 megapixels). The window's thread starts them, reads how
// many are done while it keeps answering, and takes the names remade at the
// end.
#include <windows.h>

#include <string>
#include <vector>

#include "document/imagelist/WorkingCopy.h"
#include "document/services/FileDigest.h"
#include "document/services/FileStamp.h"
#include "document/services/Win32Handle.h"

struct WorkingCopyRemake {
  std::string name;       // the photo's working copy name, its key in the list
  std::string reference;  // full path of the picture it is made from
  std::string working;    // full path of the copy
  CFileStamp referenceBefore, workingBefore;  // both as they were found
  // What the remake did, and the reference copy as it was read.
  RemakeResult result = RemakeResult::kNotWritten;
  CFileStamp madeFrom;
  DWORD writeError = ERROR_SUCCESS;  // why it was not written, in the system's code
  CFileDigest madeFromDigest;
};

class CWorkingCopyRemakes {
 public:
  // Starts at once. The copies' folders must exist.
  explicit CWorkingCopyRemakes(std::vector<WorkingCopyRemake> remakes);
  // Remakes not started are dropped; those running are waited for.
  ~CWorkingCopyRemakes();
  CWorkingCopyRemakes(const CWorkingCopyRemakes&) = delete;
  CWorkingCopyRemakes& operator=(const CWorkingCopyRemakes&) = delete;

  // Signalled once every remake has ended.
  HANDLE Finished() const { return m_finished.Get(); }
  size_t Total() const { return m_remakes.size(); }
  size_t Done() const { return static_cast<size_t>(m_done); }

  // Waits for the end. The remakes in the order given, each with its result;
  // the copies' old pictures are forgotten by the picture cache (so call it
  // on the window's thread).
  std::vector<WorkingCopyRemake> Wait();

 private:
  static DWORD WINAPI WorkerMain(void* self);
  void Work();

  std::vector<WorkingCopyRemake> m_remakes;
  volatile LONG m_next = 0;
  volatile LONG m_done = 0;
  volatile LONG m_running = 0;
  volatile LONG m_stop = 0;
  CScopedHandle m_finished;
  std::vector<CScopedHandle> m_workers;
};

// Tests hold the workers before each remake until the event is set; null
// lets them run. Returns the event held before.
HANDLE HoldWorkingCopyRemakes(HANDLE until);
