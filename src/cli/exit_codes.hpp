#pragma once

namespace korvanta::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitIoError = 1;  // a file cannot be read; a run ended with its error report
inline constexpr int kExitUsage = 2;
inline constexpr int kExitParseFailed = 3;

}  // namespace korvanta::cli
