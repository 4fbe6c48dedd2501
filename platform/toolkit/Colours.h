#pragma once
// The toolkit's colours: 0x00BBGGRR, red in the low byte.

#include <cstdint>

using TColor = std::uint32_t;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;
