// Counter texts come from the user (typed or pasted): reading them must never crash or throw,
// must agree with a plain reference reading, and formatting must read back to the same value.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/address_list.h"
#include "core/address_run.h"
#include "core/address_template.h"
#include "core/fill_style.h"

namespace {

using namespace serialix;

// Sign, then one or more ASCII digits, nothing else, within the signed 32-bit range.
std::optional<std::int32_t> Reference(std::string_view text) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  for (std::size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
  }
  const std::size_t firstNonZero = text.find_first_not_of('0', i);
  if (firstNonZero != std::string_view::npos && text.size() - firstNonZero > 12) return std::nullopt;
  const long long value = std::strtoll(std::string(text).c_str(), nullptr, 10);
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = ParseCounterText(text);
  if (value != Reference(text)) std::abort();

  for (const FillStyle style : {FillStyle::Plain, FillStyle::TwoDigit, FillStyle::ThreeDigit}) {
    (void)ConvertCounterText(text, style);
    if (value && ParseCounterText(FormatCounterValue(*value, style)) != value) std::abort();
  }

  // Split the input into the six counter texts of a template; small ranges are enumerated both
  // ways and must agree.
  std::string_view parts[6];
  std::string_view rest = text;
  for (auto& part : parts) {
    const std::size_t cut = rest.find(',');
    part = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  TemplateInput input;
  input.B = "h";
  const std::uint8_t flags = size > 0 ? data[0] : 0;
  input.counterLink = (flags & 1) != 0;
  CounterInput* counters[] = {&input.G, &input.J, &input.L};
  for (int k = 0; k < 3; ++k) {
    *counters[k] = CounterInput{(flags >> (k + 1) & 1) != 0, std::string(parts[2 * k]), std::string(parts[2 * k + 1]),
                                static_cast<FillStyle>((flags >> (2 * k + 4) & 3) % 3)};
  }
  const auto result = ReadTemplate(input);
  if (const auto* error = std::get_if<CounterTextError>(&result)) {
    if (error->counter != 'G' && error->counter != 'J' && error->counter != 'L') std::abort();
    return 0;
  }
  const AddressTemplate& tmpl = std::get<AddressTemplate>(result);
  const auto count = AddressCount(tmpl);
  if (!count || *count > 2000) return 0;
  const AddressRun run(tmpl);
  std::string streamed, written;
  std::uint64_t position = 0;
  BuildAddressList(tmpl, [&](std::string_view address) {
    if (run.at(position++) != address) std::abort();
    streamed.append(address).append("\r\n");
    return true;
  });
  run.writeLines(0, run.size(), [&](std::string_view chunk) { return written.append(chunk), true; });
  if (position != run.size() || streamed != written || run.textBytes() != written.size()) std::abort();
  return 0;
}
