// The order in which the download workers of one sync try the mirrors, and whose turn it is for one object.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace dkl {

// Shared by the download workers of one sync. A mirror whose bytes failed a proof goes last for the
// rest of the sync, so a broken or hostile mirror costs one failed object, not one per object.
class MirrorRanking {
 public:
  // `mirrors` in the order to try them, the one that served the manifest first.
  explicit MirrorRanking(std::vector<std::string> mirrors);

  // The trusted mirrors in their given order, then the distrusted ones, the latest distrusted last.
  std::vector<std::string> Order() const;

  void Distrust(const std::string& mirror);
  bool Distrusted(const std::string& mirror) const;

 private:
  mutable std::mutex lock_;
  std::vector<std::string> order_;
  std::vector<std::string> distrusted_;
};

// Whose turn it is among the mirrors while one object is fetched: the least tried one, the earliest
// in the ranking among equals. While the ranking stays as it is, the turns cycle through it in order.
class MirrorTurns {
 public:
  explicit MirrorTurns(const MirrorRanking& ranking) : ranking_(ranking) {}

  // Counts a try of the mirror it returns; none when the ranking is empty.
  std::string Next();

 private:
  const MirrorRanking& ranking_;
  std::unordered_map<std::string, unsigned> tries_;
};

}  // namespace dkl
