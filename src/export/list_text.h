// The whole result list for the clipboard, as bytes made only when another program pastes.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>

#include "core/result_list.h"
#include "platform/services/on_demand_mime_data.h"

namespace serialix {

class Clipboard;

// The largest list text a copy offers: a paste makes the whole text once in this process while
// the receiving program holds it too (twice over when it keeps UTF-16), so at most a quarter of
// the machine's memory, and never more than 1 GiB, which is made in well under a second and
// stays below the 2 GiB that programs with 32-bit sizes cannot take.
std::uint64_t ClipboardTextLimit();

// Every entry followed by the line end, as UTF-8, in one buffer of exactly its size.
QByteArray ListBytes(const ResultList& rows, LineEnd lineEnd);
// ListBytes a piece of whole lines at a time, never made whole.
OnDemandMimeData::Pieces ListPieces(std::shared_ptr<const ResultList> rows, LineEnd lineEnd);

// The list as clipboard or drag data, text/plain;charset=utf-8 and text/plain, made from its own
// copy of the runs (the window's list may change meanwhile) when a program reads it. With LF,
// the form meant for Linux programs, it offers the addresses as text/uri-list (UriListBytes)
// too, for download managers, browsers and file managers.
std::unique_ptr<OnDemandMimeData> ListMimeData(const ResultList& rows, LineEnd lineEnd,
                                               OnDemandMimeData::Made made = OnDemandMimeData::Made::Dropped);

// Whether every format ListMimeData offers stays within ClipboardTextLimit, known from the runs
// without making any of them.
bool ListMimeDataFits(const ResultList& rows, LineEnd lineEnd);

// One address as drag data: text/uri-list (one line, CR LF) and the address as text, without a
// line end, as "このアドレスをコピー" copies it.
std::unique_ptr<OnDemandMimeData> AddressMimeData(const QString& address);

// Puts ListMimeData on the clipboard (cleared first) and returns true, or, for a list over
// ClipboardTextLimit, returns false and leaves the clipboard as it was. CR LF is the text of
// "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ", LF that of "すべてコピー (UTF-8, LF)".
bool CopyResultList(const ResultList& rows, LineEnd lineEnd, Clipboard& clipboard);

}  // namespace serialix
