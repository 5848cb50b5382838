#include "core/big_unsigned.h"

#include <algorithm>

namespace serialix {

BigUnsigned::BigUnsigned(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

void BigUnsigned::trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

BigUnsigned& BigUnsigned::operator*=(const BigUnsigned& other) {
  std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size(), 0);
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
      const std::uint64_t t = std::uint64_t{limbs_[i]} * other.limbs_[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    product[i + other.limbs_.size()] = static_cast<std::uint32_t>(carry);
  }
  limbs_ = std::move(product);
  trim();
  return *this;
}

BigUnsigned& BigUnsigned::operator+=(const BigUnsigned& other) {
  limbs_.resize(std::max(limbs_.size(), other.limbs_.size()) + 1, 0);
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < limbs_.size(); ++i) {
    const std::uint64_t t = std::uint64_t{limbs_[i]} + (i < other.limbs_.size() ? other.limbs_[i] : 0) + carry;
    limbs_[i] = static_cast<std::uint32_t>(t);
    carry = t >> 32;
  }
  trim();
  return *this;
}

std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() <=> b.limbs_.size();
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] <=> b.limbs_[i];
  }
  return std::strong_ordering::equal;
}

std::optional<std::uint64_t> BigUnsigned::toUint64() const {
  if (limbs_.size() > 2) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) value = (value << 32) | limbs_[i];
  return value;
}

std::string BigUnsigned::toString() const {
  if (limbs_.empty()) return "0";
  // Repeated division by 10^9 gives nine decimal digits at a time, lowest first.
  std::vector<std::uint32_t> rest = limbs_;
  std::string digits;
  while (!rest.empty()) {
    std::uint64_t remainder = 0;
    for (std::size_t i = rest.size(); i-- > 0;) {
      const std::uint64_t t = (remainder << 32) | rest[i];
      rest[i] = static_cast<std::uint32_t>(t / 1000000000u);
      remainder = t % 1000000000u;
    }
    while (!rest.empty() && rest.back() == 0) rest.pop_back();
    for (int k = 0; k < 9 && (!rest.empty() || remainder != 0); ++k) {
      digits.push_back(static_cast<char>('0' + remainder % 10));
      remainder /= 10;
    }
  }
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace serialix
