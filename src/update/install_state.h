// What the launcher last installed into a game folder and last saw on disk: ".dklauncher\state.json".
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include <nlohmann/json.hpp>

namespace dkl {

inline constexpr std::uint64_t kInstallStateMaxBytes = 67108864;

// One file as last seen on disk.
struct Known {
  std::uint64_t size = 0;
  std::uint64_t mtime = 0;  // nanoseconds since 1970-01-01 UTC; 0 for any time at or before it
  std::string sha256;       // empty when the content was not hashed (the size already differed)

  bool operator==(const Known&) const = default;
};

struct InstallState {
  std::uint64_t serial = 0;
  std::string client_version;
  std::string game_exe;
  std::unordered_map<std::string, Known> files;  // by manifest path, exact bytes
  // Set before a sync replaces its first game file, cleared when the run succeeds: while it is set,
  // the folder may hold a mix of two releases and is not offered for play without an update.
  bool update_unfinished = false;

  bool operator==(const InstallState&) const = default;
};

// The last-write FILETIME (100 ns ticks since 1601) as nanoseconds since 1970, 0 at or before 1970.
std::uint64_t MtimeFromFileTime(std::uint64_t ticks);

// Takes each member that has the right type; a damaged document degrades into missing knowledge.
InstallState InstallStateFromJson(const nlohmann::json& document);

// Compact, members in byte order, UTF-8 unescaped; empty texts as null.
std::string SerializeInstallState(const InstallState& state);

}  // namespace dkl
