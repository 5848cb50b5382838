#pragma once

#include <functional>
#include <string_view>

#include "address_template.h"

namespace serialix {

// The plain reference enumeration: three nested loops, one string per address. AddressRun's
// random access and fast writer are tested against it; the program itself uses AddressRun.
// Streams every address of the template to the consumer in order: G outermost, then J, L innermost.
// The consumer returns false to stop early.
void BuildAddressList(const AddressTemplate& tmpl, const std::function<bool(std::string_view)>& consumer);

}  // namespace serialix
