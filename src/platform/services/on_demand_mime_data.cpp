#include "platform/services/on_demand_mime_data.h"

namespace serialix {

void OnDemandMimeData::addFormat(const QString& mimeType, Producer produce) {
  formats_.emplace_back(mimeType, std::move(produce));
}

bool OnDemandMimeData::hasFormat(const QString& mimeType) const {
  return formats().contains(mimeType);
}

QStringList OnDemandMimeData::formats() const {
  QStringList names;
  for (const auto& format : formats_) names << format.first;
  return names;
}

QVariant OnDemandMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
  for (const auto& [name, produce] : formats_) {
    // QMimeData turns the bytes into the type asked for (UTF-8 for text).
    if (name == mimeType) return produce();
  }
  return QMimeData::retrieveData(mimeType, type);
}

}  // namespace serialix
