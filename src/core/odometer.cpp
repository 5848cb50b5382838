#include "core/odometer.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>

namespace serialix {

namespace {

// Small enough to stay in the second-level cache between the writer and the sink. A chunk of
// blocks (below) runs on to a whole number of ten blocks, up to twice this: the next chunk's
// lines then differ from those at the same places only from the digit above the blocks' own on,
// about one byte a line where eight blocks would differ in two.
constexpr std::size_t kChunkBytes = std::size_t{1} << 18;
constexpr std::size_t kBatchLines = 10;
// The lines that differ only in the inner field's last three digits (or two, for longer lines)
// are kept as one block and copied whole while the digits before them stay: one long copy and
// one digit patch a line instead of a short copy and a digit store a line. The block stays in the
// second-level cache beside the chunk; lines too long for a block of a hundred go one by one.
// Once a whole chunk is made of blocks, the next one lies at the same places: those are only
// patched where their digits changed, and nothing is copied.
constexpr std::size_t kBlockBytes = std::size_t{64} << 10;
// Lines up to this length are copied with one fixed-size memcpy (a few vector moves); the
// line buffer and the chunk carry this much slack so the over-read and over-write are safe.
constexpr std::size_t kFixedCopy = kOdometerSlack;
// A number's digits: the magnitude is at most 2^64 - 1.
constexpr std::size_t kMaxNumberDigits = 20;

// Adds one to the decimal digits [begin, end) in place; false when they were all nines (the
// digits are then left as zeros and the number needs one more digit).
bool CarryIncrement(char* begin, char* end) {
  for (char* d = end; d != begin;) {
    --d;
    if (*d != '9') {
      ++*d;
      return true;
    }
    *d = '0';
  }
  return false;
}

Int128 NumberAt(const OdometerField& field, std::uint64_t position) {
  return field.first + field.step * static_cast<Int128>(position);
}

char* WriteNumber(char* out, Int128 value, std::size_t minDigits) {
  if (value < 0) {
    *out++ = '-';
    value = -value;
  }
  char digits[kMaxNumberDigits];
  const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(value)).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  for (std::size_t w = minDigits; w > length; --w) *out++ = '0';
  std::memcpy(out, digits, length);
  return out + length;
}

char* WriteField(char* out, const OdometerField& field, std::uint64_t position) {
  if (field.texts.empty()) return WriteNumber(out, NumberAt(field, position), field.minDigits);
  const std::string& text = field.texts[position];
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

std::size_t MaxFieldLength(const OdometerField& field) {
  if (field.texts.empty()) return 1 + std::max(field.minDigits, kMaxNumberDigits);
  std::size_t longest = 0;
  for (const auto& text : field.texts) longest = std::max(longest, text.size());
  return longest;
}

}  // namespace

std::string Odometer::lineAt(const std::vector<std::uint64_t>& positions) const {
  std::string line = texts.front();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    char buffer[1 + kMaxNumberDigits];
    const OdometerField& field = fields[i];
    if (field.texts.empty() && field.minDigits <= kMaxNumberDigits) {
      line.append(buffer, WriteField(buffer, field, positions[field.wheel]));
    } else if (field.texts.empty()) {
      std::string wide(1 + field.minDigits, '\0');
      wide.resize(static_cast<std::size_t>(WriteField(wide.data(), field, positions[field.wheel]) - wide.data()));
      line += wide;
    } else {
      line += field.texts[positions[field.wheel]];
    }
    line += texts[i + 1];
  }
  return line;
}

bool Odometer::writeLines(std::vector<std::uint64_t> start, std::optional<std::uint64_t> limit, const ChunkSink& sink,
                          LineEnd lineEnd) const {
  return writeLinesInto(std::move(start), limit, sink, lineEnd, nullptr);
}

char* Odometer::writeLinesTo(std::vector<std::uint64_t> start, std::optional<std::uint64_t> limit, char* out,
                             LineEnd lineEnd) const {
  char* end = out;
  writeLinesInto(
      std::move(start), limit,
      [&end](std::string_view written) {
        end = const_cast<char*>(written.data() + written.size());
        return true;
      },
      lineEnd, out);
  return end;
}

// With `direct`, the lines go into it and the sink sees them once, as one chunk, at the end.
bool Odometer::writeLinesInto(std::vector<std::uint64_t> idx, std::optional<std::uint64_t> limit, const ChunkSink& sink,
                              LineEnd lineEnd, char* direct) const {
  if ((limit && *limit == 0) || std::find(wheels.begin(), wheels.end(), 0) != wheels.end()) {
    return true;
  }
  // The innermost wheel that turns; every other one changes only on its wrap.
  int inner = -1;
  for (int k = static_cast<int>(wheels.size()) - 1; k >= 0; --k) {
    if (wheels[static_cast<std::size_t>(k)] > 1) {
      inner = k;
      break;
    }
  }
  const auto innerWheel = static_cast<std::size_t>(inner);
  std::size_t innerField = fields.size();
  int innerFields = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (inner >= 0 && fields[i].wheel == innerWheel) {
      innerField = i;
      ++innerFields;
    }
  }
  // Its digits can be bumped in place when it shows in one place only and counts up by one.
  const bool steppable = innerFields == 1 && fields[innerField].texts.empty() && fields[innerField].step == 1;

  std::size_t maxLine = 2;
  for (const auto& text : texts) maxLine += text.size();
  for (const auto& field : fields) maxLine += MaxFieldLength(field);
  std::vector<char> line(maxLine + kFixedCopy, '\0');
  // Room past the flush mark for the largest step: ten lines or a block.
  const std::size_t overrun = std::max(kBatchLines * (maxLine + kFixedCopy), kBlockBytes + kFixedCopy);
  // Not zeroed: a short list then touches only the pages it fills.
  const auto chunk = direct ? nullptr : std::make_unique_for_overwrite<char[]>(2 * kChunkBytes + overrun);
  // The block: the current line with its last blockDigits digits running from all zeros to all
  // nines, valid until a slow step. The digits before them may lag behind until it is used.
  std::vector<char> block;
  bool blockValid = false;
  std::ptrdiff_t blockDigits = 0;
  std::uint64_t blockLines = 0;
  // Blocks laid one after the other from the chunk's start since the last slow step: those of
  // this filling, and those the previous one left in place.
  std::size_t blocksLaid = 0, blocksLeft = 0;
  bool laying = false;

  std::size_t lineLength = 0;
  char* fieldBegin = nullptr;  // the inner field's digits in `line`
  char* fieldEnd = nullptr;
  bool fast = false;

  auto render = [&] {
    char* p = line.data();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      std::memcpy(p, texts[i].data(), texts[i].size());
      p += texts[i].size();
      char* begin = p;
      p = WriteField(p, fields[i], idx[fields[i].wheel]);
      if (i == innerField) {
        fieldBegin = begin;
        fieldEnd = p;
      }
    }
    std::memcpy(p, texts.back().data(), texts.back().size());
    p += texts.back().size();
    if (lineEnd == LineEnd::CrLf) *p++ = '\r';
    *p++ = '\n';
    lineLength = static_cast<std::size_t>(p - line.data());
    // A negative value does not step by digit carry.
    fast = steppable && NumberAt(fields[innerField], idx[innerWheel]) >= 0;
    blockValid = laying = false;
    blocksLeft = 0;
    blockDigits = lineLength * 1000 <= kBlockBytes ? 3 : lineLength * 100 <= kBlockBytes ? 2 : 0;
    blockLines = blockDigits == 3 ? 1000 : 100;
  };
  render();

  char* const begin = direct ? direct : chunk.get();
  // Made in place, the lines are handed over once, after the last.
  const char* flushAt = direct ? nullptr : begin + kChunkBytes;
  // Where a chunk of whole blocks of the current line length ends.
  auto placeFlush = [&] {
    if (direct) return;
    const std::size_t tenBlocks = 10 * blockLines * lineLength;
    const bool whole = blockDigits > 0 && tenBlocks <= 2 * kChunkBytes;
    flushAt = begin + (whole ? (kChunkBytes + tenBlocks - 1) / tenBlocks * tenBlocks : kChunkBytes);
  };
  placeFlush();
  char* out = begin;
  const bool bounded = limit.has_value();
  std::uint64_t remaining = limit.value_or(std::numeric_limits<std::uint64_t>::max());
  std::uint64_t innerLeft = inner >= 0 ? wheels[innerWheel] - 1 - idx[innerWheel] : 0;
  const char* const src = line.data();
  // Short lines go as one fixed-size copy (a few vector moves); both buffers carry the slack.
  auto copyLine = [&](char* to) {
    if (lineLength <= kFixedCopy) {
      std::memcpy(to, src, kFixedCopy);
    } else {
      std::memcpy(to, src, lineLength);
    }
  };
  // Brings a block made since the last slow step up to the current line: only the inner field's
  // digits before the block's own can differ. A store a line for each digit that changed.
  auto refresh = [&](char* at) {
    at += fieldBegin - src;
    for (const char* digit = fieldBegin; digit != fieldEnd - blockDigits; ++digit, ++at) {
      const char now = *digit;
      if (*at == now) continue;
      char* to = at;
      for (std::uint64_t i = 0; i < blockLines; ++i, to += lineLength) *to = now;
    }
  };
  for (;;) {
    // Up to ten lines that differ only in the inner field's last digit. That digit is stored
    // into the output, not into `line`: a byte store followed by a wide load of the same line
    // would stall on store forwarding every line.
    std::uint64_t batch = 1;
    if (fast) {
      batch = std::min<std::uint64_t>({static_cast<std::uint64_t>('9' - fieldEnd[-1]) + 1, innerLeft + 1, remaining});
    }
    const bool wholeBlock = batch == kBatchLines && blockDigits > 0 && fieldEnd - fieldBegin >= blockDigits &&
                            innerLeft + 1 >= blockLines && remaining >= blockLines &&
                            std::all_of(fieldEnd - blockDigits, fieldEnd, [](char digit) { return digit == '0'; });
    if (wholeBlock) {
      char* const blockDigitsAt = fieldEnd - blockDigits;
      const std::size_t blockBytes = lineLength * blockLines;
      laying = laying && out == begin + blocksLaid * blockBytes;
      if (laying && blocksLaid < blocksLeft) {
        refresh(out);  // the block the last chunk held here
      } else if (!blockValid) {
        block.resize(blockBytes + kFixedCopy);
        const auto digitsAt = static_cast<std::size_t>(blockDigitsAt - src);
        char* to = block.data();
        for (std::uint64_t i = 0; i < blockLines; ++i, to += lineLength) {
          copyLine(to);
          std::uint64_t value = i;
          for (auto d = static_cast<std::size_t>(blockDigits); d-- > 0; value /= 10) {
            to[digitsAt + d] = static_cast<char>('0' + value % 10);
          }
        }
        blockValid = true;
        std::memcpy(out, block.data(), blockBytes);
      } else {
        refresh(block.data());
        std::memcpy(out, block.data(), blockBytes);
      }
      blocksLaid += laying ? 1 : 0;
      out += blockBytes;
      batch = blockLines;
      // The line stands at the block's last entry, so the step below carries into the digits
      // the block shares.
      std::fill(blockDigitsAt, fieldEnd, '9');
    } else if (batch == 1) {
      laying = false;
      copyLine(out);
      out += lineLength;
    } else {
      laying = false;
      const auto digitAt = static_cast<std::size_t>(fieldEnd - 1 - src);
      char digit = fieldEnd[-1];
      for (std::uint64_t i = 0; i < batch; ++i, ++digit) {
        copyLine(out);
        out[digitAt] = digit;
        out += lineLength;
      }
      fieldEnd[-1] = static_cast<char>(digit - 1);
    }
    if (bounded) remaining -= batch;
    innerLeft -= batch - 1;
    if (flushAt != nullptr && out >= flushAt) {
      if (!sink(std::string_view(begin, static_cast<std::size_t>(out - begin)))) {
        return false;
      }
      out = begin;
      blocksLeft = laying ? blocksLaid : 0;
      blocksLaid = 0;
      laying = blockDigits > 0;
    }
    if (remaining == 0) {
      break;
    }
    if (innerLeft != 0) {
      --innerLeft;
      if (fast && CarryIncrement(fieldBegin, fieldEnd)) {
        continue;
      }
      // Slow step; after all nines the text grows by a digit and everything after it moves.
      idx[innerWheel] = wheels[innerWheel] - 1 - innerLeft;
    } else {
      if (inner < 0) break;  // a single line
      idx[innerWheel] = 0;
      bool wrapped = true;
      for (int k = inner - 1; k >= 0; --k) {
        const auto w = static_cast<std::size_t>(k);
        if (++idx[w] < wheels[w]) {
          wrapped = false;
          break;
        }
        idx[w] = 0;
      }
      if (wrapped) break;  // the first wheel turned over: every line is written
      innerLeft = wheels[innerWheel] - 1;
    }
    render();
    placeFlush();
  }
  if (out != begin) {
    return sink(std::string_view(begin, static_cast<std::size_t>(out - begin)));
  }
  return true;
}

}  // namespace serialix
