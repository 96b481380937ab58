#include "update/object_names.h"

namespace dkl {
namespace {

std::string ObjectName(const FileEntry& entry) { return entry.sha256 + (entry.gz ? ".gz" : ""); }

}  // namespace

std::string ObjectUrl(std::string_view base_url, std::string_view sha256, bool gz) {
  std::string url(base_url);
  url += "/objects/";
  url += sha256.substr(0, 2);
  url += '/';
  url += sha256;
  if (gz) url += ".gz";
  return url;
}

std::string PartFileName(const FileEntry& entry) { return ObjectName(entry) + ".part"; }

std::string FinishedFileName(const FileEntry& entry) { return ObjectName(entry) + ".ok"; }

}  // namespace dkl
