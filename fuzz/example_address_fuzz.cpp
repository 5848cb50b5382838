// Fuzz target for reading a pasted example address and proposing its template.
//
// The first byte picks up to three digit runs (its bits 0-1 how many, the rest which); the
// remaining bytes are the pasted text. Besides crashes and sanitizer reports it checks what the
// dialog relies on: every run lies where it says, and a proposal's one address is the example
// with its scheme in small letters.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/address_run.h"
#include "core/address_template.h"
#include "core/example_address.h"

namespace {

using namespace serialix;

// Names the broken property, then stops so libFuzzer keeps the input.
void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "example_address_fuzz: broken property: %s\n", what);
  std::abort();
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void CheckRuns(const ExampleAddress& example) {
  std::size_t end = 0;
  for (const DigitRun& run : example.runs) {
    Check(run.position >= end && run.position >= example.hostEnd, "runs in order, after the host");
    Check(!run.digits.empty() && example.text.compare(run.position, run.digits.size(), run.digits) == 0,
          "run digits are in the text");
    end = run.position + run.digits.size();
    Check(run.position == 0 || !IsDigit(example.text[run.position - 1]), "run starts a digit sequence");
    Check(end == example.text.size() || !IsDigit(example.text[end]), "run ends a digit sequence");
  }
}

std::vector<std::size_t> Choice(std::uint8_t pick, const ExampleAddress& example) {
  std::vector<std::size_t> checkable;
  for (std::size_t i = 0; i < example.runs.size(); ++i) {
    if (example.runs[i].checkable) checkable.push_back(i);
  }
  std::vector<std::size_t> chosen;
  std::size_t wanted = pick & 3u;
  for (std::size_t bit = 2; bit < 8 && chosen.size() < wanted; ++bit) {
    if (checkable.empty()) break;
    const std::size_t index = checkable[(pick >> bit) % checkable.size()];
    bool taken = false;
    for (const std::size_t c : chosen) taken = taken || c == index;
    if (!taken) chosen.push_back(index);
  }
  return chosen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view pasted(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto read = ReadExampleAddress(pasted);
  const auto* example = std::get_if<ExampleAddress>(&read);
  if (!example) return 0;
  CheckRuns(*example);

  const std::vector<std::size_t> chosen = Choice(data[0], *example);
  const auto proposal = ProposeTemplate(*example, chosen);
  Check(proposal.has_value(), "a choice of checkable runs is proposed");
  const auto tmpl = ReadTemplate(ProposedTemplateInput(*proposal));
  const auto* address = std::get_if<AddressTemplate>(&tmpl);
  Check(address != nullptr, "the proposal's texts are read");
  const AddressRun run(*address);
  Check(run.size() == 1, "the proposal yields one address");
  Check(run.at(0) == std::string(SchemeText(example->https)).append(example->text, example->schemeLength),
        "the one address is the example");
  return 0;
}
