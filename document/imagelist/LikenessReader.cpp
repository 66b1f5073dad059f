#include "document/imagelist/LikenessReader.h"

#include <algorithm>
#include <utility>

namespace spab_imagelist {

namespace {
// A decode reduced by the codec holds a few megabytes at most: eight at once
// keep the process well inside its address space.
constexpr unsigned kMostThreads = 8;
}  // namespace

CLikenessReader::CLikenessReader(unsigned threads) {
  // One core stays with the caller's own work.
  if (threads == 0) threads = std::min(kMostThreads, std::max(2u, std::thread::hardware_concurrency()) - 1);
  for (unsigned i = 0; i < threads; ++i) m_threads.emplace_back(&CLikenessReader::Work, this);
}

CLikenessReader::~CLikenessReader() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stopping = true;
    m_waiting.clear();
  }
  m_queued.notify_all();
  for (std::thread& thread : m_threads) thread.join();
}

size_t CLikenessReader::Add(const std::string& path) {
  size_t index;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    index = m_results.size();
    m_results.emplace_back();
    m_waiting.emplace_back(index, path);
    ++m_pending;
  }
  m_queued.notify_one();
  return index;
}

std::vector<CLikenessReader::Result> CLikenessReader::Finish() {
  std::unique_lock<std::mutex> hold(m_lock);
  m_done.wait(hold, [this] { return m_pending == 0; });
  return m_results;
}

void CLikenessReader::Work() {
  for (;;) {
    std::pair<size_t, std::string> job;
    {
      std::unique_lock<std::mutex> hold(m_lock);
      m_queued.wait(hold, [this] { return m_stopping || !m_waiting.empty(); });
      if (m_stopping) return;
      job = std::move(m_waiting.front());
      m_waiting.pop_front();
    }
    Result result;
    try {
      result.readable = ReadPictureLikeness(job.second, result.likeness);
    } catch (...) {
      // Out of memory for this picture: told as one that cannot be read.
      result.readable = false;
    }
    {
      std::lock_guard<std::mutex> hold(m_lock);
      m_results[job.first] = result;
      --m_pending;
    }
    m_done.notify_all();
  }
}

}  // namespace spab_imagelist
