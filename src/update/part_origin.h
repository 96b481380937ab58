// Which mirrors wrote the bytes of one part file, so that a failed proof blames only whom it can.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "update/mirror_ranking.h"

namespace dkl {

class PartOrigin {
 public:
  // `earlier_bytes`: the part already held bytes when the fetch began; nobody knows whose.
  explicit PartOrigin(bool earlier_bytes) : unknown_bytes_(earlier_bytes) {}

  // One answer of `mirror`: it emptied the part first when `started_over`, then wrote `added` bytes.
  void Record(const std::string& mirror, bool started_over, std::uint64_t added);
  // The part file is gone.
  void Discard();

  bool WrittenByDistrusted(const MirrorRanking& ranking) const;

  // The mirrors to distrust once the complete part failed its proof: its only writer; or, when
  // several wrote it (bytes of unknown origin count as one), all but the one that completed it. A
  // mirror that broke off mid-object is the likelier culprit, and the next attempt, a whole
  // download from the trusted front of the ranking, settles it.
  std::vector<std::string> Suspects() const;

 private:
  bool unknown_bytes_;
  std::vector<std::string> writers_;  // in the order of their last write
};

}  // namespace dkl
