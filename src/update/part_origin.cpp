#include "update/part_origin.h"

#include <algorithm>

namespace dkl {

void PartOrigin::Record(const std::string& mirror, bool started_over, std::uint64_t added) {
  if (started_over) Discard();
  if (added == 0) return;
  std::erase(writers_, mirror);
  writers_.push_back(mirror);
}

void PartOrigin::Discard() {
  unknown_bytes_ = false;
  writers_.clear();
}

bool PartOrigin::WrittenByDistrusted(const MirrorRanking& ranking) const {
  return std::any_of(writers_.begin(), writers_.end(),
                     [&](const std::string& writer) { return ranking.Distrusted(writer); });
}

std::vector<std::string> PartOrigin::Suspects() const {
  if (writers_.size() == 1 && !unknown_bytes_) return writers_;
  if (writers_.empty()) return {};
  return {writers_.begin(), writers_.end() - 1};
}

}  // namespace dkl
