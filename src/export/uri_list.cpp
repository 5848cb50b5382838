#include "export/uri_list.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/list_text_reader.h"
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

// The fewest bytes the run's URI list lines can take: its text where it stands as it is, else
// at least each line's CR LF.
std::uint64_t LeastUriListBytes(const AddressRun& run) {
  return RunStandsAsIs(run) ? run.textBytes(LineEnd::CrLf) : 2 * run.size();
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

OnDemandMimeData::Pieces UriListPieces(std::shared_ptr<const ResultList> rows) {
  const auto& runs = rows->runs();
  if (std::all_of(runs.begin(), runs.end(), RunStandsAsIs)) return ListPieces(rows, LineEnd::CrLf);
  std::uint64_t least = 0;
  for (const AddressRun& run : runs) least = AddSaturated(least, LeastUriListBytes(run));
  auto reader = std::make_shared<ListTextReader>(rows, LineEnd::Lf);
  const auto next = [reader](std::size_t bytes, std::string& out) {
    // Encoding an address costs far more than writing it: a sixteenth of the bytes keeps a piece as quick.
    std::string lines;
    if (!reader->read(bytes / 16, lines)) return false;
    for (std::string_view rest(lines); !rest.empty();) {
      const std::size_t end = rest.find('\n');
      const QByteArray line = UriListLine(QByteArrayView(rest.data(), static_cast<qsizetype>(end)));
      out.append(line.constData(), static_cast<std::size_t>(line.size())).append("\r\n");
      rest.remove_prefix(end + 1);
    }
    return true;
  };
  return {least, next, false};
}

bool UriListFits(const ResultList& rows, std::uint64_t limit) {
  // Every line of a run that stands as it is has exactly the run's text; any other line is at
  // least its CR LF and at most five bytes for each byte of the address (three where a byte is
  // percent-encoded, a little more where a host label takes its xn-- form).
  std::uint64_t least = 0;
  std::uint64_t most = 0;
  for (const AddressRun& run : rows.runs()) {
    least = AddSaturated(least, LeastUriListBytes(run));
    if (RunStandsAsIs(run)) {
      most = AddSaturated(most, run.textBytes(LineEnd::CrLf));
    } else {
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
