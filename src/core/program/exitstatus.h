#pragma once

// The exit statuses qrta and qrta-cli share, so that a script can tell a damaged file from
// one it may simply try again later.
namespace exitstatus {

inline constexpr int kSuccess = 0;
inline constexpr int kOutputFailed = 1; // qrta-cli
inline constexpr int kAlreadyRunning = 1; // qrta
inline constexpr int kBadArguments = 2;
inline constexpr int kDamagedDataFile = 3; // damaged, foreign, or written by a newer version
inline constexpr int kDataFileUnusable = 4; // intact, but busy, full disk or no permission

} // namespace exitstatus
