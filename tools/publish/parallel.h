// Spreading independent file tasks over the machine's cores.
#pragma once

#include <cstddef>
#include <functional>

#include "base/status.h"

namespace dkl::publish {

// Runs `task(i)` for every i below `count` on one thread per core. After the first failure no
// further task starts and that failure is returned. `tick` runs on the calling thread about once a
// second while tasks are running, for progress reports.
Status RunInParallel(std::size_t count, const std::function<Status(std::size_t)>& task,
                     const std::function<void()>& tick);

}  // namespace dkl::publish
