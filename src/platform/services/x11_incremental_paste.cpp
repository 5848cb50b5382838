#include "platform/services/x11_incremental_paste.h"

#include <xcb/xcb.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace serialix {

namespace {

// Small enough to be made and sent well within a frame, large enough that the round trips do not
// slow the transfer (a pasting program takes hundreds of them per second).
constexpr std::size_t kIncrement = 1 << 20;
// A program that stops taking increments (it quit or hung) is given up after this long.
constexpr qint64 kStallMs = 10'000;

}  // namespace

void X11IncrementalPaste::installOnce() {
  static bool installed = false;
  if (installed || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  installed = true;
  // Owned by the application, so the filter goes with it.
  auto* filter = new X11IncrementalPaste(x11->connection(), qApp);
  qApp->installNativeEventFilter(filter);
}

X11IncrementalPaste::X11IncrementalPaste(xcb_connection_t* connection, QObject* parent)
    : QObject(parent), connection_(connection) {
  // A property change request carries 24 bytes besides its data.
  const std::size_t largestRequest = std::size_t{xcb_get_maximum_request_length(connection)} * 4;
  incrementBytes_ = std::min(kIncrement, largestRequest - 24);
  clock_.start();
  stallCheck_.setInterval(static_cast<int>(kStallMs / 2));
  connect(&stallCheck_, &QTimer::timeout, this, [this] { dropStalled(); });
}

bool X11IncrementalPaste::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_SELECTION_REQUEST:
      return selectionRequested(*reinterpret_cast<const xcb_selection_request_event_t*>(event));
    case XCB_PROPERTY_NOTIFY:
      return !transfers_.empty() && propertyChanged(*reinterpret_cast<const xcb_property_notify_event_t*>(event));
    default: return false;
  }
}

bool X11IncrementalPaste::selectionRequested(const xcb_selection_request_event_t& request) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (request.selection != atom("CLIPBOARD") || !clipboard->ownsClipboard()) return false;
  const auto* data = dynamic_cast<const OnDemandMimeData*>(clipboard->mimeData(QClipboard::Clipboard));
  if (data == nullptr) return false;
  std::optional<OnDemandMimeData::Pieces> pieces = data->pieces(mimeTypeOf(request.target));
  // A text known to fit one request goes through Qt as a whole.
  if (!pieces || (pieces->exact && pieces->size <= incrementBytes_)) return false;

  // Programs from before ICCCM name no property: the target stands for it.
  const std::uint32_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
  const TransferKey key{request.requestor, property};
  finish(key);  // a new request on the same property replaces an unfinished one
  Transfer& transfer = transfers_[key];
  transfer.target = request.target;
  transfer.pieces = std::move(*pieces);
  transfer.lastActivity = clock_.elapsed();

  // Watch the requestor's property before telling it to read: its deletions ask for the next piece.
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, request.requestor, XCB_CW_EVENT_MASK, &mask);
  // INCR's value is a lower bound of the size; it has 32 bits.
  const auto lowerBound = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(transfer.pieces.size, std::numeric_limits<std::uint32_t>::max()));
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, request.requestor, property, atom("INCR"), 32, 1,
                      &lowerBound);

  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = property;
  xcb_send_event(connection_, false, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
  xcb_flush(connection_);
  if (!stallCheck_.isActive()) stallCheck_.start();
  return true;
}

bool X11IncrementalPaste::propertyChanged(const xcb_property_notify_event_t& event) {
  const TransferKey key{event.window, event.atom};
  const auto found = transfers_.find(key);
  if (found == transfers_.end()) return false;
  // Our own writes are announced too; only a deletion means the piece was taken.
  if (event.state == XCB_PROPERTY_DELETE) sendNext(key, found->second);
  return true;
}

void X11IncrementalPaste::sendNext(const TransferKey& key, Transfer& transfer) {
  transfer.lastActivity = clock_.elapsed();
  // Pieces end with whole lines; topping the unsent rest up keeps every increment but the last full.
  if (transfer.piece.size() - transfer.sent < incrementBytes_ && !transfer.drained) {
    transfer.piece.erase(0, transfer.sent);
    transfer.sent = 0;
    transfer.drained = !transfer.pieces.next(incrementBytes_ - transfer.piece.size(), transfer.piece);
  }
  // An increment of no bytes ends the transfer.
  const std::size_t bytes = std::min(incrementBytes_, transfer.piece.size() - transfer.sent);
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, key.first, key.second, transfer.target, 8,
                      static_cast<std::uint32_t>(bytes), transfer.piece.data() + transfer.sent);
  transfer.sent += bytes;
  if (bytes == 0) finish(key);
  xcb_flush(connection_);
}

void X11IncrementalPaste::finish(const TransferKey& key) {
  if (transfers_.erase(key) == 0) return;
  const bool requestorStillWatched =
      std::any_of(transfers_.begin(), transfers_.end(), [&key](const auto& t) { return t.first.first == key.first; });
  if (!requestorStillWatched) {
    const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(connection_, key.first, XCB_CW_EVENT_MASK, &none);
  }
  if (transfers_.empty()) stallCheck_.stop();
}

void X11IncrementalPaste::dropStalled() {
  const qint64 now = clock_.elapsed();
  for (auto it = transfers_.begin(); it != transfers_.end();) {
    const TransferKey key = it->first;
    const bool stalled = now - it->second.lastActivity > kStallMs;
    ++it;
    if (stalled) finish(key);
  }
  xcb_flush(connection_);
}

std::uint32_t X11IncrementalPaste::atom(const char* name) {
  const auto known = atoms_.find(name);
  if (known != atoms_.end()) return known->second;
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection_, false, static_cast<std::uint16_t>(std::strlen(name)), name);
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection_, cookie, nullptr), &std::free);
  const std::uint32_t value = reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
  if (value != XCB_ATOM_NONE) atoms_.emplace(name, value);
  return value;
}

QString X11IncrementalPaste::mimeTypeOf(std::uint32_t target) {
  const auto known = targetNames_.find(target);
  if (known != targetNames_.end()) return known->second;
  const std::unique_ptr<xcb_get_atom_name_reply_t, decltype(&std::free)> reply(
      xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, target), nullptr), &std::free);
  QString name;
  if (reply) {
    name = QString::fromLatin1(xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()));
  }
  // UTF8_STRING is how X11 programs ask for plain text; STRING and TEXT (Latin-1) stay with Qt.
  if (name == QLatin1String("UTF8_STRING")) name = QStringLiteral("text/plain");
  targetNames_.emplace(target, name);
  return name;
}

}  // namespace serialix
