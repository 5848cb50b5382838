// templates.ini may be edited by hand: reading any text must never crash, a text that is read
// must be written back in a form that reads the same, and a refusal must name a line of the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/saved_templates.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace serialix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parsed = ParseSavedTemplates(text);
  if (const auto* error = std::get_if<SavedTemplatesError>(&parsed)) {
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (error->line < 1 || error->line > lines) std::abort();
    return 0;
  }
  const std::string written = FormatSavedTemplates(std::get<std::vector<SavedTemplate>>(parsed));
  const auto again = ParseSavedTemplates(written);
  if (!std::holds_alternative<std::vector<SavedTemplate>>(again)) std::abort();
  if (FormatSavedTemplates(std::get<std::vector<SavedTemplate>>(again)) != written) std::abort();
  return 0;
}
