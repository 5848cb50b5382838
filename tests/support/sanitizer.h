#pragma once

// True in a build under the address sanitizer (clang or gcc). The heaviest sweeps test a smaller
// sample there, where every memory access costs several times as much; the normal build runs them whole.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitizedBuild = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitizedBuild = true;
#else
inline constexpr bool kSanitizedBuild = false;
#endif
#else
inline constexpr bool kSanitizedBuild = false;
#endif
