#include "platform/files/codepage932.h"

#include <array>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files/huge_pages.h"
#include "platform/files/iconv_handle.h"

namespace serialix {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character (one or two bytes) through iconv; kInvalid when the
// code page does not define it.
char32_t DecodeWithIconv(iconv_t cd, const char* bytes, std::size_t length) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes);
  std::size_t inLeft = length;
  char32_t out[2] = {};
  char* outPtr = reinterpret_cast<char*>(out);
  std::size_t outLeft = sizeof(out);
  if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
      outLeft != sizeof(out) - sizeof(char32_t)) {
    return kInvalid;
  }
  return out[0];
}

// The whole code page as a table, built once through iconv: decoding is then a
// lookup per character instead of an iconv call per line.
struct DecodeTable {
  std::array<char32_t, 256> single{};
  std::vector<char32_t> pairs = std::vector<char32_t>(256 * 256, kInvalid);

  DecodeTable() {
    IconvHandle cd = OpenIconv("UTF-32LE", "CP932");
    for (unsigned b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      single[b] = DecodeWithIconv(cd.get(), &byte, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (lead > 0x9F && lead < 0xE0) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        pairs[lead * 256 + trail] = DecodeWithIconv(cd.get(), pair, 2);
      }
    }
  }
};

const DecodeTable& Table() {
  static const DecodeTable table;
  return table;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
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

IconvHandle OpenIconv(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::system_error(errno, std::generic_category(),
                            std::string("iconv cannot convert from ") + from + " to " + to);
  }
  return IconvHandle(cd);
}

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);

  // One handle per thread: iconv handles carry state and must not be shared.
  thread_local IconvHandle handle = OpenIconv("CP932", "UTF-8");
  iconv_t cd = handle.get();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);

  std::string out(utf8.size() + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  std::size_t used = 0;
  while (inLeft > 0) {
    char* outPtr = out.data() + used;
    std::size_t outLeft = out.size() - used;
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    used = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {
      // EILSEQ (unmappable or malformed) or EINVAL (cut short at the end).
      if (used == out.size()) out.resize(out.size() * 2);
      out[used++] = '?';
      const std::size_t skip = Utf8SequenceLength(in, inLeft);
      in += skip;
      inLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  out.resize(used);
  return out;
}

std::optional<std::string> FirstCharNotInCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::nullopt;
  thread_local IconvHandle handle = OpenIconv("CP932", "UTF-8");
  const auto cd = static_cast<iconv_t>(handle.get());
  iconv(cd, nullptr, nullptr, nullptr, nullptr);

  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) return std::string(in, Utf8SequenceLength(in, inLeft));
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
  const DecodeTable& table = Table();
  out.reserve(bytes.size() + bytes.size() / 2);
  AdviseHugePages(out.data(), out.capacity());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = Cp932CharLength(bytes, pos);
    const auto first = static_cast<unsigned char>(bytes[pos]);
    char32_t c;
    if (length == 2) {
      c = table.pairs[first * 256u + static_cast<unsigned char>(bytes[pos + 1])];
    } else {
      c = table.single[first];
    }
    AppendUtf8(out, c == kInvalid ? kReplacement : c);
    pos += length;
  }
  return out;
}

}  // namespace serialix
