#pragma once

#include <cstdint>
#include <string>

#include "core/address_template.h"

namespace serialix::bench {

// The worked example ("pics", letter a, G 1..1 two-digit with the link, K "~", extension mpg)
// with L widened to 0..lastL in plain style: "http://pics/a/01/01~<L>.mpg".
inline AddressTemplate WorkedExample(std::int32_t lastL) {
  using namespace std::string_literals;
  AddressTemplate t;
  t.B = "pics"s;
  t.C = "/"s;
  t.D = "a"s;
  t.E = "/"s;
  t.H = "/"s;
  t.K = "~"s;
  t.M = "."s;
  t.N = "mpg"s;
  t.G = Counter{true, 1, 1, FillStyle::TwoDigit};
  t.J = Counter{true, 0, 0, FillStyle::TwoDigit};
  t.L = Counter{true, 0, lastL, FillStyle::Plain};
  t.counterLink = true;
  return t;
}

}  // namespace serialix::bench
