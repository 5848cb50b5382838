// Serves large clipboard texts to X11 programs in increments made while they paste.
//
// Qt's X11 clipboard asks the mime data for the whole text the moment another program pastes and
// only then sends it in increments, so a list of hundreds of megabytes blocks the window while it
// is made. For formats an OnDemandMimeData can give in pieces, this filter answers the paste
// request itself with the ICCCM INCR protocol and makes each increment when the pasting program
// has taken the one before: the window never waits for more than one piece, and no more than a
// piece is held at a time. Everything else (TARGETS, small texts, other formats) stays with Qt.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "platform/services/on_demand_mime_data.h"

struct xcb_connection_t;
struct xcb_selection_request_event_t;
struct xcb_property_notify_event_t;

namespace serialix {

class X11IncrementalPaste : public QObject, public QAbstractNativeEventFilter {
 public:
  // Installs the filter once for the application when it runs on X11; elsewhere does nothing.
  static void installOnce();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Transfer {
    std::uint32_t target = 0;
    OnDemandMimeData::Pieces pieces;
    std::string piece;        // made, not yet all sent
    std::size_t sent = 0;     // bytes of piece already sent
    bool drained = false;     // every piece made
    qint64 lastActivity = 0;  // on clock_, in milliseconds
  };
  using TransferKey = std::pair<std::uint32_t, std::uint32_t>;  // requestor window, property

  explicit X11IncrementalPaste(xcb_connection_t* connection, QObject* parent);
  bool selectionRequested(const xcb_selection_request_event_t& request);
  bool propertyChanged(const xcb_property_notify_event_t& event);
  void sendNext(const TransferKey& key, Transfer& transfer);
  void finish(const TransferKey& key);
  void dropStalled();
  std::uint32_t atom(const char* name);
  QString mimeTypeOf(std::uint32_t target);

  xcb_connection_t* connection_;
  std::map<TransferKey, Transfer> transfers_;
  std::map<std::string, std::uint32_t> atoms_;
  std::map<std::uint32_t, QString> targetNames_;
  std::size_t incrementBytes_ = 0;
  QElapsedTimer clock_;
  QTimer stallCheck_;
};

}  // namespace serialix
