#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace serialix {

// An unsigned integer of any size, for exact counts of patterns whose product of ranges leaves
// 64 bits far behind. Only what counting needs: multiply, add, compare, decimal text.
class BigUnsigned {
 public:
  BigUnsigned(std::uint64_t value = 0);  // NOLINT(google-explicit-constructor): counts start as plain numbers

  BigUnsigned& operator*=(const BigUnsigned& other);
  BigUnsigned& operator+=(const BigUnsigned& other);
  friend BigUnsigned operator*(BigUnsigned a, const BigUnsigned& b) { return a *= b; }
  friend BigUnsigned operator+(BigUnsigned a, const BigUnsigned& b) { return a += b; }
  friend std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b);
  friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) { return a.limbs_ == b.limbs_; }

  // The value when it fits in 64 bits.
  std::optional<std::uint64_t> toUint64() const;
  std::string toString() const;

 private:
  std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limbs
  void trim();
};

}  // namespace serialix
