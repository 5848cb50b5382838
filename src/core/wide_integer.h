#pragma once

namespace serialix {

// Unsigned 128-bit integer for products and sums of 64-bit counts that must not overflow.
__extension__ using UInt128 = unsigned __int128;

}  // namespace serialix
