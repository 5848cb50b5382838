// Mime data whose formats are made when a reader asks for one, not when it is handed over: the
// clipboard (or a drag) then holds the way to make the bytes rather than the bytes, and each
// paste makes them once and lets them go.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace serialix {

class OnDemandMimeData : public QMimeData {
 public:
  using Producer = std::function<QByteArray()>;

  // Whether bytes once made are kept: the clipboard lets them go after each paste (it may hold
  // the data for hours), a drag keeps them for the few reads of its one drop.
  enum class Made { Dropped, Kept };

  explicit OnDemandMimeData(Made made = Made::Dropped) : made_(made) {}

  // Offers mimeType; produce runs on the user-interface thread each time it is read.
  void addFormat(const QString& mimeType, Producer produce);
  // Offers several names for the same bytes; when they are kept, they are made once for all.
  void addFormat(const QStringList& mimeTypes, Producer produce);

  bool hasFormat(const QString& mimeType) const override;
  QStringList formats() const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  struct Source {
    Producer produce;
    std::optional<QByteArray> kept;
  };
  Made made_;
  std::vector<std::pair<QString, std::shared_ptr<Source>>> formats_;
};

}  // namespace serialix
