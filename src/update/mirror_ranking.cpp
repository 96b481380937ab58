#include "update/mirror_ranking.h"

#include <algorithm>

namespace dkl {

MirrorRanking::MirrorRanking(std::vector<std::string> mirrors) : order_(std::move(mirrors)) {}

std::vector<std::string> MirrorRanking::Order() const {
  std::lock_guard hold(lock_);
  return order_;
}

void MirrorRanking::Distrust(const std::string& mirror) {
  std::lock_guard hold(lock_);
  if (std::find(order_.begin(), order_.end(), mirror) == order_.end()) return;
  std::stable_partition(order_.begin(), order_.end(), [&](const std::string& other) { return other != mirror; });
  if (std::find(distrusted_.begin(), distrusted_.end(), mirror) == distrusted_.end()) distrusted_.push_back(mirror);
}

bool MirrorRanking::Distrusted(const std::string& mirror) const {
  std::lock_guard hold(lock_);
  return std::find(distrusted_.begin(), distrusted_.end(), mirror) != distrusted_.end();
}

std::string MirrorTurns::Next() {
  const std::vector<std::string> order = ranking_.Order();
  if (order.empty()) return {};
  const auto fewer_tries = [this](const std::string& a, const std::string& b) { return tries_[a] < tries_[b]; };
  const std::string& next = *std::min_element(order.begin(), order.end(), fewer_tries);
  ++tries_[next];
  return next;
}

}  // namespace dkl
