#pragma once
// Reads the likeness of many pictures on the machine's cores while the caller
// goes on with other work (copying the files, say). A picture's decode is the
// slow part of comparing a working copy with its reference copy.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "document/imagelist/PictureLikeness.h"

namespace spab_imagelist {

class CLikenessReader {
 public:
  struct Result {
    bool readable = false;
    PictureLikeness likeness{};
  };

  // threads 0: one less than the machine has cores (the caller works on),
  // within a bound, so a 32-bit process holds only so many decoded pictures
  // at once.
  explicit CLikenessReader(unsigned threads = 0);
  ~CLikenessReader();
  CLikenessReader(const CLikenessReader&) = delete;
  CLikenessReader& operator=(const CLikenessReader&) = delete;

  // Queues a picture; its result goes at the returned index.
  size_t Add(const std::string& path);
  // Waits until every picture queued is read.
  std::vector<Result> Finish();

 private:
  void Work();

  std::mutex m_lock;
  std::condition_variable m_queued, m_done;
  std::deque<std::pair<size_t, std::string>> m_waiting;
  std::vector<Result> m_results;
  size_t m_pending = 0;
  bool m_stopping = false;
  std::vector<std::thread> m_threads;
};

}  // namespace spab_imagelist
