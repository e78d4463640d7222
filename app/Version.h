// The program's version, taken from the build.
#pragma once

namespace app {

inline constexpr int kVersionMajor = NOMARO_VERSION_MAJOR;
inline constexpr int kVersionMinor = NOMARO_VERSION_MINOR;

}  // namespace app
