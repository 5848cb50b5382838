#include "platform/files/codepage932.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/address_characters.h"
#include "platform/files/huge_pages.h"
#include "platform/files/iconv_handle.h"

namespace serialix {
namespace {

constexpr char32_t kInvalid = 0x110000;  // beyond Unicode
constexpr char32_t kReplacement = 0xFFFD;

// Converts one character through iconv into `out`; the number of bytes written, or 0 when the
// conversion refuses it.
std::size_t ConvertWithIconv(iconv_t cd, const char* in, std::size_t inBytes, char* out, std::size_t outBytes) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inPtr = const_cast<char*>(in);
  std::size_t inLeft = inBytes;
  char* outPtr = out;
  std::size_t outLeft = outBytes;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
  return outBytes - outLeft;
}

char32_t DecodeWithIconv(iconv_t cd, const char* bytes, std::size_t length) {
  char32_t out[2];
  if (ConvertWithIconv(cd, bytes, length, reinterpret_cast<char*>(out), sizeof out) != sizeof(char32_t)) {
    return kInvalid;
  }
  return out[0];
}

// Zeroed memory for a table, left to the system's zero pages until an entry is written: a start
// reads only the few pages that its characters fall in.
struct FreeTable {
  void operator()(void* table) const noexcept { std::free(table); }
};
template <typename Entry>
std::unique_ptr<Entry[], FreeTable> ZeroedTable(std::size_t entries) {
  auto* table = static_cast<Entry*>(std::calloc(entries, sizeof(Entry)));
  if (!table) throw std::bad_alloc();
  return std::unique_ptr<Entry[], FreeTable>(table);
}

// The code page as tables that iconv fills one character at a time, the first time a text holds
// it: a set.ini uses a few dozen characters, and asking iconv about all eleven thousand at once
// costs as much as building the whole window. A character is encodable only when its bytes decode
// back to it: glibc maps some characters one way only (U+00A5 YEN SIGN to "\", U+203E OVERLINE
// to "~"), and writing those would change the text. Entries hold 0 until learnt, then the answer
// plus one, so concurrent readers need no lock and a race only asks iconv twice.
class CodePage {
 public:
  static constexpr std::uint16_t kNone = 0xFFFF;  // no lead byte is 0xFF

  char32_t single(unsigned char byte) { return decode(single_[byte], reinterpret_cast<const char*>(&byte), 1); }
  char32_t pair(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return decode(pairs_[lead * 256u + trail], bytes, 2);
  }

  // Opens both converters now rather than at the first text that needs one. They are opened
  // outside the lock, so a conversion on another thread never waits for the system to load them;
  // one opened meanwhile by that conversion is kept, and ours closed.
  void prepare() {
    IconvHandle to = OpenToUnicode();
    IconvHandle from = OpenFromUnicode();
    const std::lock_guard lock(mutex_);
    if (!toUnicode_) toUnicode_ = std::move(to);
    if (!fromUnicode_) fromUnicode_ = std::move(from);
  }

  // The code of one UTF-8 sequence (as Utf8SequenceLength splits), kNone when it has none.
  std::uint16_t encodeAt(std::string_view sequence) {
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(sequence[i])); };
    char32_t c;
    switch (sequence.size()) {
      case 1: c = byte(0); return c < 0x80 ? encode(c) : kNone;
      case 2: c = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F); break;
      case 3:
        c = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        if (c < 0x800) return kNone;  // overlong; iconv refuses surrogates
        break;
      default: return kNone;  // beyond the basic plane, which the code page does not reach
    }
    return encode(c);
  }

 private:
  char32_t decode(char32_t& slot, const char* bytes, std::size_t length) {
    const std::atomic_ref<char32_t> entry(slot);
    if (const char32_t known = entry.load(std::memory_order_relaxed)) return known - 1;
    char32_t c;
    {
      const std::lock_guard lock(mutex_);
      c = DecodeWithIconv(toUnicode(), bytes, length);
    }
    entry.store(c + 1, std::memory_order_relaxed);
    return c;
  }

  std::uint16_t encode(char32_t c) {
    const std::atomic_ref<std::uint32_t> entry(codes_[c]);
    if (const std::uint32_t known = entry.load(std::memory_order_relaxed)) return static_cast<std::uint16_t>(known - 1);
    unsigned char bytes[4];
    std::size_t length;
    {
      const std::lock_guard lock(mutex_);
      length = ConvertWithIconv(fromUnicode(), reinterpret_cast<const char*>(&c), sizeof c,
                                reinterpret_cast<char*>(bytes), sizeof bytes);
    }
    std::uint16_t code = kNone;
    if (length == 1 && single(bytes[0]) == c) code = bytes[0];
    if (length == 2 && pair(bytes[0], bytes[1]) == c) code = static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
    entry.store(code + 1u, std::memory_order_relaxed);
    return code;
  }

  alignas(std::atomic_ref<char32_t>::required_alignment) std::array<char32_t, 256> single_{};
  std::unique_ptr<char32_t[], FreeTable> pairs_ = ZeroedTable<char32_t>(256 * 256);
  std::unique_ptr<std::uint32_t[], FreeTable> codes_ = ZeroedTable<std::uint32_t>(0x10000);
  static IconvHandle OpenToUnicode() { return OpenIconv("UTF-32LE", "CP932"); }
  static IconvHandle OpenFromUnicode() { return OpenIconv("CP932", "UTF-32LE"); }
  // The converters, opened the first time one is needed; mutex_ held.
  iconv_t toUnicode() {
    if (!toUnicode_) toUnicode_ = OpenToUnicode();
    return toUnicode_.get();
  }
  iconv_t fromUnicode() {
    if (!fromUnicode_) fromUnicode_ = OpenFromUnicode();
    return fromUnicode_.get();
  }

  std::mutex mutex_;
  IconvHandle toUnicode_, fromUnicode_;
};

// Never destroyed: the start-up warm-up may still be preparing it on its own thread when the
// program ends.
CodePage& Table() {
  static CodePage& table = *new CodePage;
  return table;
}

// Length of the well-formed UTF-8 sequence at text[pos], or 1 for a stray byte,
// so that one unmappable character turns into exactly one "?".
std::size_t Utf8SequenceLength(const char* text, std::size_t left) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length > left) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

void PrepareCodePage932() {
  try {
    Table().prepare();
  } catch (const std::system_error&) {
    // Reported where a text first needs the code page, as without this.
  }
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  CodePage& table = Table();
  // No character takes more bytes in the code page than in UTF-8.
  std::string out(utf8.size(), '\0');
  char* to = out.data();
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      *to++ = utf8[pos++];
      continue;
    }
    const std::size_t length = Utf8SequenceLength(utf8.data() + pos, utf8.size() - pos);
    const std::uint16_t code = table.encodeAt(utf8.substr(pos, length));
    if (code == CodePage::kNone) {
      *to++ = '?';
    } else if (code > 0xFF) {
      *to++ = static_cast<char>(code >> 8);
      *to++ = static_cast<char>(code & 0xFF);
    } else {
      *to++ = static_cast<char>(code);
    }
    pos += length;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

std::optional<std::string> FirstCharNotInCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::nullopt;
  CodePage& table = Table();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8.data() + pos, utf8.size() - pos);
    const std::string_view character = utf8.substr(pos, length);
    if (table.encodeAt(character) == CodePage::kNone) return std::string(character);
    pos += length;
  }
  return std::nullopt;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  if (IsAscii(bytes)) {
    out.reserve(bytes.size());
    AdviseHugePages(out.data(), bytes.size());
    out.append(bytes);
    return out;
  }
  CodePage& table = Table();
  out.reserve(bytes.size() + bytes.size() / 2);
  AdviseHugePages(out.data(), out.capacity());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = Cp932CharLength(bytes, pos);
    const auto first = static_cast<unsigned char>(bytes[pos]);
    char32_t c;
    if (length == 2) {
      c = table.pair(first, static_cast<unsigned char>(bytes[pos + 1]));
    } else {
      c = table.single(first);
    }
    AppendUtf8(out, c == kInvalid ? kReplacement : c);
    pos += length;
  }
  return out;
}

}  // namespace serialix
