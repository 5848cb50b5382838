#pragma once

#include <QString>
#include <memory>

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
};

// QGuiApplication::clipboard().
class QtClipboard : public Clipboard {
 public:
  void clear() override;
  void setText(const QString& text) override;
  void setMimeData(std::unique_ptr<QMimeData> data) override;
  QString text() const override;
};

}  // namespace serialix
