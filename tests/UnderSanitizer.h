#pragma once

// Instrumented code runs several times slower, so the long random and repeated
// loops take a share of their usual length there and the suite stays quick.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

// The loop length for a test: the full count normally, a fifth under the sanitizers.
constexpr int ScaledForSanitizer(int count)
{
    return kUnderSanitizer ? (count + 4) / 5 : count;
}
