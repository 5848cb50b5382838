// A list far larger than one X11 request put on the clipboard and pasted by xclip, as other
// programs paste it: every byte must arrive for each text target and the URI list, for two
// pastes at once and after a paste killed half way. Needs an X server (ctest runs it under xvfb-run).
#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export/list_text.h"
#include "export/uri_list.h"
#include "platform/services/clipboard.h"

namespace {

using namespace serialix;

ResultList PastedList() {
  ResultList rows;
  AddressTemplate numbered;
  numbered.B = "例え.jp";
  numbered.C = "/";
  numbered.F = "img";
  numbered.G = Counter{true, 1, 400'000, FillStyle::Plain};
  numbered.M = ".";
  numbered.N = "jpg";
  rows.append(AddressRun(numbered));
  // Lines longer than one increment are sent in several.
  AddressTemplate longLines = numbered;
  longLines.F = std::string(1'500'000, 'x');
  longLines.G = Counter{true, 1, 3, FillStyle::Plain};
  rows.append(AddressRun(longLines));
  return rows;
}

// Starts `command` in a shell; its standard output is what the test reads.
std::unique_ptr<QProcess> Start(const QString& command) {
  auto shell = std::make_unique<QProcess>();
  shell->start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
  return shell;
}

QByteArray Finished(QProcess& shell) {
  if (shell.state() != QProcess::NotRunning) {
    QEventLoop loop;
    QObject::connect(&shell, &QProcess::finished, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return shell.readAllStandardOutput();
}

QString Paste(const char* target) {
  return QStringLiteral("xclip -o -selection clipboard -t '%1'").arg(QLatin1String(target));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    std::puts("SKIP: needs an X server");
    return 77;
  }
  const ResultList rows = PastedList();
  std::string text;
  rows.writeAll([&text](std::string_view chunk) { return text.append(chunk), true; }, LineEnd::CrLf);
  QtClipboard clipboard;
  if (!CopyResultList(rows, LineEnd::CrLf, clipboard)) return 1;

  int faults = 0;
  auto expect = [&faults, &text](const QByteArray& pasted, const char* what) {
    std::printf("%-48s ", what);
    const bool same = pasted.size() == static_cast<qsizetype>(text.size()) &&
                      std::string_view(pasted.constData(), static_cast<std::size_t>(pasted.size())) == text;
    std::printf("%s (%lld of %zu bytes)\n", same ? "ok" : "FAULT", static_cast<long long>(pasted.size()), text.size());
    faults += same ? 0 : 1;
  };
  for (const char* target : {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain"}) {
    auto paste = Start(Paste(target));
    expect(Finished(*paste), target);
  }
  auto first = Start(Paste("UTF8_STRING"));
  auto second = Start(Paste("text/plain;charset=utf-8"));
  expect(Finished(*first), "two at once, the first");
  expect(Finished(*second), "two at once, the second");
  // A program killed while it pastes leaves nothing that spoils the next paste.
  auto killed = Start(QStringLiteral("timeout -s KILL 0.2 ") + Paste("UTF8_STRING"));
  Finished(*killed);
  auto after = Start(Paste("UTF8_STRING"));
  expect(Finished(*after), "after a paste killed half way");
  // The copy for Linux programs: its URI list has every address encoded as a URI needs.
  if (!CopyResultList(rows, LineEnd::Lf, clipboard)) return 1;
  const QByteArray uriList = UriListBytes(rows);
  text.assign(uriList.constData(), static_cast<std::size_t>(uriList.size()));
  auto uris = Start(Paste("text/uri-list"));
  expect(Finished(*uris), "text/uri-list");
  return faults == 0 ? 0 : 1;
}
