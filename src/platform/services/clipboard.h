#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QMimeData;

namespace serialix {

// The system clipboard, behind an interface so tests can read what was put there.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;                       // all formats
  virtual void setText(const QString& text) = 0;  // plain-text format
  // Formats that may be made only when another program pastes (OnDemandMimeData).
  virtual void setMimeData(std::unique_ptr<QMimeData> data) = 0;
  virtual QString text() const = 0;
  // The plain text as the bytes the clipboard holds, UTF-8 on this desktop, so that a reader can
  // refuse bytes that are not UTF-8 instead of reading U+FFFD in their place.
  virtual std::string textBytes() const { return text().toStdString(); }
  // The plain text's length when it is known without making the text (a list this program put
  // there), so a reader can refuse a text too long for it before it is made.
  virtual std::optional<std::uint64_t> knownTextBytes() const { return std::nullopt; }
};

// QGuiApplication::clipboard().
class QtClipboard : public Clipboard {
 public:
  void clear() override;
  void setText(const QString& text) override;
  void setMimeData(std::unique_ptr<QMimeData> data) override;
  QString text() const override;
  std::string textBytes() const override;
  std::optional<std::uint64_t> knownTextBytes() const override;
};

}  // namespace serialix
