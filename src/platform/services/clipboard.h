#pragma once

#include <QString>

namespace serialix {

// The system clipboard, behind an interface so tests can read what was put there.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;                       // all formats
  virtual void setText(const QString& text) = 0;  // plain-text format
  virtual QString text() const = 0;
};

// QGuiApplication::clipboard().
class QtClipboard : public Clipboard {
 public:
  void clear() override;
  void setText(const QString& text) override;
  QString text() const override;
};

}  // namespace serialix
