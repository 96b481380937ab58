#pragma once

namespace dkl {

// Written in every log and crash line and in the user agent; compared with the published launcher.
inline constexpr char LauncherVersion[] = "2.0.1";

}  // namespace dkl
