// The result list as a text/uri-list, the form download managers, browsers and file managers
// take from a drop: one URI a line, CR LF after every line as RFC 2483 ends them.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>

#include "core/result_list.h"
#include "platform/services/on_demand_mime_data.h"

namespace serialix {

// Every entry as UriListLine gives it, followed by CR LF. A list whose texts all stand in an
// address as they are is written straight through the runs' sequential writers; any other is
// made address by address.
QByteArray UriListBytes(const ResultList& rows);

// UriListBytes(rows) a piece at a time, never made whole; its size is exact for a list whose
// texts all stand as they are and a lower bound for any other.
OnDemandMimeData::Pieces UriListPieces(std::shared_ptr<const ResultList> rows);

// Whether UriListBytes(rows) is at most limit bytes, known from the runs without making the
// list, except for a list of encoded addresses close to the limit, which is measured.
bool UriListFits(const ResultList& rows, std::uint64_t limit);

}  // namespace serialix
