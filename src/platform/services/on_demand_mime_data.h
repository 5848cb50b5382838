// Mime data whose formats are made when a reader asks for one, not when it is handed over: the
// clipboard (or a drag) then holds the way to make the bytes rather than the bytes, and each
// paste makes them once and lets them go.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace serialix {

class OnDemandMimeData : public QMimeData {
 public:
  using Producer = std::function<QByteArray()>;
  // The same bytes a piece at a time: `size` of them in all (at least, unless `exact`), `next`
  // appending the next piece of about the bytes asked for to its string and returning false once
  // all were given.
  struct Pieces {
    std::uint64_t size = 0;
    std::function<bool(std::size_t bytes, std::string& out)> next;
    bool exact = true;
  };
  using PiecesMaker = std::function<Pieces()>;

  // Whether bytes once made are kept: the clipboard lets them go after each paste (it may hold
  // the data for hours), a drag keeps them for the few reads of its one drop.
  enum class Made { Dropped, Kept };

  explicit OnDemandMimeData(Made made = Made::Dropped) : made_(made) {}

  // Offers mimeType; produce runs on the user-interface thread each time it is read.
  void addFormat(const QString& mimeType, Producer produce);
  // Offers several names for the same bytes; when they are kept, they are made once for all.
  void addFormat(const QStringList& mimeTypes, Producer produce);
  // Also lets a reader that takes bytes in steps (an X11 paste in increments) have them in pieces,
  // never the whole at once.
  void addFormat(const QStringList& mimeTypes, Producer produce, PiecesMaker pieces);

  // The bytes of mimeType in pieces, when its format was added with a PiecesMaker.
  std::optional<Pieces> pieces(const QString& mimeType) const;

  bool hasFormat(const QString& mimeType) const override;
  QStringList formats() const override;

 protected:
  QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

 private:
  struct Source {
    Producer produce;
    PiecesMaker pieces;
    std::optional<QByteArray> kept;
  };
  Made made_;
  std::vector<std::pair<QString, std::shared_ptr<Source>>> formats_;
};

}  // namespace serialix
