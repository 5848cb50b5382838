#include "cli/encoding.h"

#include "platform/files/codepage932.h"

namespace serialix {

std::optional<UnencodableCharacter> FindUnencodable(const Odometer& odometer) {
  std::optional<UnencodableCharacter> first;
  // A text of a field first shows when its wheel reaches it with every later wheel at 0.
  auto consider = [&first](const std::string& text, const BigUnsigned& line) {
    if (auto character = FirstCharNotInCp932(text); character && (!first || line < first->line)) {
      first = UnencodableCharacter{std::move(*character), line};
    }
  };
  for (const auto& text : odometer.texts) consider(text, 1);
  for (const auto& field : odometer.fields) {
    BigUnsigned period = 1;
    for (std::size_t w = field.wheel + 1; w < odometer.wheels.size(); ++w) period *= odometer.wheels[w];
    for (std::size_t k = 0; k < field.texts.size(); ++k) consider(field.texts[k], period * k + 1);
  }
  return first;
}

Odometer EncodedCp932(Odometer odometer) {
  for (auto& text : odometer.texts) text = Utf8ToCp932(text);
  for (auto& field : odometer.fields) {
    for (auto& text : field.texts) text = Utf8ToCp932(text);
  }
  return odometer;
}

std::optional<std::string> FirstUnencodable(std::string_view address) {
  return FirstCharNotInCp932(address);
}

std::string EncodedCp932(std::string_view address) {
  return Utf8ToCp932(address);
}

}  // namespace serialix
