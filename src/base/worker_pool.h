// Running one job on several threads at once, the calling thread included.
#pragma once

#include <functional>

namespace dkl {

// Runs `work` on `workers` threads (the caller is one of them) and returns when every copy has
// ended. A thread the system refuses to start is simply missing: the others, and at the least the
// caller, share its part, since every job here takes its items from a shared counter.
void RunOnWorkers(unsigned workers, const std::function<void()>& work);

}  // namespace dkl
