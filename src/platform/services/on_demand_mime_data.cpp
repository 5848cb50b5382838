#include "platform/services/on_demand_mime_data.h"

namespace serialix {

void OnDemandMimeData::addFormat(const QString& mimeType, Producer produce) {
  addFormat(QStringList{mimeType}, std::move(produce));
}

void OnDemandMimeData::addFormat(const QStringList& mimeTypes, Producer produce) {
  addFormat(mimeTypes, std::move(produce), nullptr);
}

void OnDemandMimeData::addFormat(const QStringList& mimeTypes, Producer produce, PiecesMaker pieces) {
  const auto source = std::make_shared<Source>(Source{std::move(produce), std::move(pieces), std::nullopt});
  for (const QString& name : mimeTypes) formats_.emplace_back(name, source);
}

std::optional<OnDemandMimeData::Pieces> OnDemandMimeData::pieces(const QString& mimeType) const {
  for (const auto& [name, source] : formats_) {
    if (name == mimeType && source->pieces) return source->pieces();
  }
  return std::nullopt;
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
  for (const auto& [name, source] : formats_) {
    if (name != mimeType) continue;
    // QMimeData turns the bytes into the type asked for (UTF-8 for text).
    if (made_ == Made::Dropped) return source->produce();
    if (!source->kept) source->kept = source->produce();
    return *source->kept;
  }
  return QMimeData::retrieveData(mimeType, type);
}

}  // namespace serialix
