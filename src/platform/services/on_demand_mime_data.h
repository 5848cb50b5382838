// Mime data whose formats are made when a reader asks for one, not when it is handed over: the
// clipboard (or a drag) then holds the way to make the bytes rather than the bytes, and each
// paste makes them once and lets them go.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace serialix {

class OnDemandMimeData : public QMimeData {
 public:
  using Producer = std::function<QByteArray()>;

  // Offers mimeType; produce runs on the user-interface thread each time it is read.
  void addFormat(const QString& mimeType, Producer produce);

  bool hasFormat(const QString& mimeType) const override;
  QStringList formats() const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  std::vector<std::pair<QString, Producer>> formats_;
};

}  // namespace serialix
