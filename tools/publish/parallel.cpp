#include "publish/parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace dkl::publish {

Status RunInParallel(std::size_t count, const std::function<Status(std::size_t)>& task,
                     const std::function<void()>& tick) {
  const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, count == 0 ? 1 : count);
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  std::size_t running = threads;
  Status first_failure;

  const auto work = [&] {
    for (std::size_t i = next++; i < count && !stop; i = next++) {
      Status status = task(i);
      if (status.ok()) continue;
      const std::lock_guard lock(mutex);
      if (!stop.exchange(true)) first_failure = std::move(status);
    }
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_one();
  };
  std::vector<std::thread> workers;
  workers.reserve(threads);
  for (std::size_t i = 0; i < threads; ++i) workers.emplace_back(work);
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, std::chrono::seconds(1), [&] { return running == 0; })) {
      lock.unlock();
      tick();
      lock.lock();
    }
  }
  for (std::thread& worker : workers) worker.join();
  return first_failure;
}

}  // namespace dkl::publish
