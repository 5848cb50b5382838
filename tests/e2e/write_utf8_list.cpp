// Writes a UTF-8 address list through the export writer, for the download check:
//   write_utf8_list FILE HOST FIRST LAST PREFIX...
// Each prefix adds the run "http://" HOST "/" PREFIX FIRST..LAST ".txt".
#include <QString>
#include <cstdio>
#include <string>

#include "export/list_export.h"

int main(int argc, char** argv) {
  using namespace serialix;
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s FILE HOST FIRST LAST PREFIX...\n", argv[0]);
    return 2;
  }
  const auto first = ParseCounterText(argv[3]);
  const auto last = ParseCounterText(argv[4]);
  if (!first || !last) {
    std::fprintf(stderr, "FIRST and LAST must be integers\n");
    return 2;
  }
  ResultList rows;
  for (int i = 5; i < argc; ++i) {
    AddressTemplate t;
    t.B = argv[2];
    t.C = std::string(1, '/');
    t.F = argv[i];
    t.G = Counter{true, *first, *last, FillStyle::Plain};
    t.M = std::string(1, '.');
    t.N = std::string("txt");
    rows.append(AddressRun(t));
  }
  const ExportResult result = WriteResultList(rows, QString::fromLocal8Bit(argv[1]), ExportFormat::Utf8Lf);
  if (result.outcome != WriteOutcome::Written) {
    std::fprintf(stderr, "export failed: %s\n", result.error.message().c_str());
    return 1;
  }
  return 0;
}
