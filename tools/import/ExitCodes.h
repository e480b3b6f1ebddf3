// Exit codes shared by vantaro-mkmap and vantaro-mapinfo.
#pragma once

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;   // usage, or a file that cannot be opened or written
inline constexpr int kExitBadInput = 2;  // malformed input: a CSV line, a rejected map
