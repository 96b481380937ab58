#include "publish/game_folder.h"

#include <algorithm>
#include <system_error>

#include "publish/utf8.h"
#include "update/manifest_validation.h"

namespace dkl::publish {
namespace {

namespace fs = std::filesystem;

// Empty when the path can be published, otherwise why not.
std::string NameProblem(const std::string& path) {
  if (!IsValidUtf8(path)) return "name is not UTF-8";
  if (path.size() > kMaxManifestPathBytes) {
    return "path is longer than " + std::to_string(kMaxManifestPathBytes) + " bytes";
  }
  if (!SplitManifestPath(path)) return "unsafe name";
  return {};
}

Status ListProblems(std::vector<std::string> problems) {
  std::sort(problems.begin(), problems.end());
  std::string message =
      "cannot publish " + std::to_string(problems.size()) + (problems.size() == 1 ? " path:" : " paths:");
  for (const std::string& problem : problems) message += "\n  " + problem;
  return MakeStatus(StatusKind::Manifest, std::move(message));
}

Status FolderError(const fs::path& root, const std::error_code& error) {
  return MakeStatus(StatusKind::Io, "read " + root.string() + ": " + error.message());
}

}  // namespace

Status ScanGameFolder(const fs::path& root, std::vector<GameFile>& files) {
  files.clear();
  std::vector<std::string> problems;
  std::error_code error;
  if (!fs::is_directory(root, error)) {
    return error ? FolderError(root, error) : MakeStatus(StatusKind::Io, root.string() + " is not a folder");
  }
  fs::recursive_directory_iterator entry(root, fs::directory_options::none, error);
  for (const fs::recursive_directory_iterator end; !error && entry != end; entry.increment(error)) {
    const std::string path = entry->path().lexically_relative(root).generic_string();
    const fs::file_status status = entry->symlink_status(error);
    if (error) break;
    if (fs::is_directory(status)) continue;
    if (fs::is_symlink(status)) {
      problems.push_back(path + ": symbolic link");
    } else if (!fs::is_regular_file(status)) {
      problems.push_back(path + ": not a regular file");
    } else if (std::string problem = NameProblem(path); !problem.empty()) {
      problems.push_back(path + ": " + problem);
    } else {
      const std::uintmax_t size = entry->file_size(error);
      if (error) break;
      files.push_back({path, size});
    }
  }
  if (error) return FolderError(root, error);
  if (!problems.empty()) return ListProblems(std::move(problems));
  std::sort(files.begin(), files.end(), [](const GameFile& a, const GameFile& b) { return a.path < b.path; });
  return OkStatus();
}

}  // namespace dkl::publish
