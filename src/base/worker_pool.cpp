#include "base/worker_pool.h"

#include <system_error>
#include <thread>
#include <vector>

namespace dkl {

void RunOnWorkers(unsigned workers, const std::function<void()>& work) {
  std::vector<std::jthread> helpers;
  for (unsigned i = 1; i < workers; ++i) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;
    }
  }
  work();
}

}  // namespace dkl
