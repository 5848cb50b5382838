#include "export/uri_list.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "export/list_text.h"
#include "platform/services/url_opener.h"

namespace serialix {
namespace {

bool RunStandsAsIs(const AddressRun& run) {
  bool asIs = true;
  run.addressTemplate().forEach([&asIs](const std::string& text) {
    asIs = asIs && StandsInAddressAsIs(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  });
  return asIs;
}

// Calls line with each address of the run (without its line end), in order; false when line
// asked to stop.
template <typename Line>
bool ForEachAddress(const AddressRun& run, Line&& line) {
  std::string partial;
  return run.writeLines(
      0, run.size(),
      [&](std::string_view chunk) {
        for (std::size_t end; (end = chunk.find('\n')) != std::string_view::npos; chunk.remove_prefix(end + 1)) {
          const std::string_view whole =
              partial.empty() ? chunk.substr(0, end) : std::string_view(partial += chunk.substr(0, end));
          const bool more = line(QByteArrayView(whole.data(), static_cast<qsizetype>(whole.size())));
          partial.clear();
          if (!more) return false;
        }
        partial += chunk;
        return true;
      },
      LineEnd::Lf);
}

// Sums of sizes that may each be the saturated largest value.
std::uint64_t AddSaturated(std::uint64_t a, std::uint64_t b) {
  return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

}  // namespace

QByteArray UriListBytes(const ResultList& rows) {
  const auto& runs = rows.runs();
  // The usual list, plain ASCII addresses, is its CR LF text, made as the clipboard's is.
  if (std::all_of(runs.begin(), runs.end(), RunStandsAsIs)) return ListBytes(rows, LineEnd::CrLf);
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(rows.textBytes(LineEnd::CrLf)));
  for (const AddressRun& run : runs) {
    ForEachAddress(run, [&bytes](QByteArrayView address) {
      bytes += UriListLine(address);
      bytes += "\r\n";
      return true;
    });
  }
  return bytes;
}

bool UriListFits(const ResultList& rows, std::uint64_t limit) {
  // Every line of a run that stands as it is has exactly the run's text; any other line is at
  // least its CR LF and at most five bytes for each byte of the address (three where a byte is
  // percent-encoded, a little more where a host label takes its xn-- form).
  std::uint64_t least = 0;
  std::uint64_t most = 0;
  for (const AddressRun& run : rows.runs()) {
    if (RunStandsAsIs(run)) {
      least = AddSaturated(least, run.textBytes(LineEnd::CrLf));
      most = AddSaturated(most, run.textBytes(LineEnd::CrLf));
    } else {
      least = AddSaturated(least, 2 * run.size());
      const std::uint64_t text = run.textBytes(LineEnd::Lf);
      most = AddSaturated(most, text > limit ? limit + 1 : 5 * text + run.size());
    }
    if (least > limit) return false;
  }
  if (most <= limit) return true;
  std::uint64_t measured = 0;
  for (const AddressRun& run : rows.runs()) {
    if (RunStandsAsIs(run)) {
      measured = AddSaturated(measured, run.textBytes(LineEnd::CrLf));
      if (measured > limit) return false;
      continue;
    }
    ForEachAddress(run, [&measured, limit](QByteArrayView address) {
      measured += static_cast<std::uint64_t>(UriListLine(address).size()) + 2;
      return measured <= limit;
    });
    if (measured > limit) return false;
  }
  return measured <= limit;
}

}  // namespace serialix
