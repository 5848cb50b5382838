#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/big_unsigned.h"
#include "core/odometer.h"

namespace serialix {

// A character that code page 932 cannot hold, and the first line (from 1) that shows it.
struct UnencodableCharacter {
  std::string character;
  BigUnsigned line;
};

// The first such character among the odometer's fixed texts and field texts.
std::optional<UnencodableCharacter> FindUnencodable(const Odometer& odometer);

// The odometer with every text encoded as code page 932 once; digits are ASCII and stay.
Odometer EncodedCp932(Odometer odometer);

// The first character of one address that code page 932 cannot hold, and the address encoded.
std::optional<std::string> FirstUnencodable(std::string_view address);
std::string EncodedCp932(std::string_view address);

}  // namespace serialix
