// One update run on the update worker: manifest, rollback guard, self-update or sync, outcome.
#pragma once

#include "core/app_context_win.h"
#include "core/sync_outcome.h"

namespace dkl {

// Never fails towards the caller: every failure becomes the outcome's error, a "sync failed ("
// line in the launcher log, and phase Offline or Failed.
SyncOutcome RunUpdate(AppContext& context, bool verify);

}  // namespace dkl
