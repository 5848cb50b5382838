#pragma once

namespace serialix {

// 128-bit integers for products and sums of 64-bit counts that must not overflow, and for
// counter values that span both the signed 32-bit and the unsigned 64-bit ranges.
__extension__ using UInt128 = unsigned __int128;
__extension__ using Int128 = __int128;

}  // namespace serialix
