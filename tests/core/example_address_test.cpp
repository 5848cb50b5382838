#include "core/example_address.h"

#include <gtest/gtest.h>

#include <random>

#include "core/address_run.h"

namespace serialix {
namespace {

const char* StyleName(FillStyle style) {
  return style == FillStyle::Plain ? "1" : style == FillStyle::TwoDigit ? "01" : "001";
}

// The switched-on segments in address order, then the two link captions (text link / counter link).
std::string Describe(const TemplateProposal& p) {
  std::string s = "B[" + p.B + "]";
  const auto text = [&](bool on, const char* name, const std::string& value) {
    if (on) s += std::string(" ") + name + "[" + value + "]";
  };
  const auto fixed = [&](bool on, const char* name) {
    if (on) s += std::string(" ") + name;
  };
  const auto counter = [&](bool on, const char* name, const CounterSetting& c) {
    if (on) s += std::string(" ") + name + "[" + c.from + ":" + StyleName(c.style) + "]";
  };
  fixed(p.on.C, "C"), fixed(p.on.D, "D"), fixed(p.on.E, "E"), text(p.on.F, "F", p.F);
  counter(p.on.G, "G", p.G), fixed(p.on.H, "H"), text(p.on.I, "I", p.I), counter(p.on.J, "J", p.J);
  text(p.on.K, "K", p.K), counter(p.on.L, "L", p.L), fixed(p.on.M, "M"), text(p.on.N, "N", p.N);
  s += p.textLink ? " =" : " ≠";
  s += p.counterLink ? "/=" : "/≠";
  return s;
}

std::string FirstAddress(const TemplateProposal& p) {
  const auto read = ReadTemplate(ProposedTemplateInput(p));
  const auto* tmpl = std::get_if<AddressTemplate>(&read);
  if (!tmpl) return "<counter text not read: " + std::get<CounterTextError>(read).text + ">";
  const AddressRun run(*tmpl);
  if (run.size() != 1) return std::to_string(run.size()) + " addresses";
  return run.at(0);
}

ExampleAddress Read(const std::string& text) {
  auto result = ReadExampleAddress(text);
  if (auto* error = std::get_if<ExampleAddressError>(&result)) {
    ADD_FAILURE() << "refused: " << text << " (" << static_cast<int>(*error) << ")";
    return {};
  }
  return std::get<ExampleAddress>(std::move(result));
}

TEST(ReadExampleAddress, RefusesAnythingButOneHttpAddress) {
  using E = ExampleAddressError;
  const std::pair<const char*, ExampleAddressError> rows[] = {
      {"", E::Empty},
      {" \t\r\n ", E::Empty},
      {"http://a.com/1\nhttp://a.com/2", E::SeveralLines},
      {"http://a.com/1\r\n\r\nx", E::SeveralLines},
      {"www.example.com/1.jpg", E::NotHttp},
      {"ftp://a.com/1", E::NotHttp},
      {"http:/a.com/1", E::NotHttp},
      {"httpx://a.com", E::NotHttp},
      {"http://", E::NoHost},
      {"https:///pics/1.jpg", E::NoHost},
      {"http://?q=1", E::NoHost},
      {"http://a.com/my pic1.jpg", E::Blank},
      {"http://a.com/1.jpg http://a.com/2.jpg", E::Blank},
      {"http://a.com/\t1", E::Blank},
      {"http://a.com/my\u3000pic1.jpg", E::Blank},  // full-width space
      {"http://a.com/my\u00A0pic1.jpg", E::Blank},  // no-break space
      {"\u3000\u00A0\uFEFF", E::Empty},
      {"http://a.com/c\u202Egpj.exe1", E::Blank},  // shown as "cexe.jpg" otherwise
      {"http://a.com/1\u2028x", E::Blank},
      {"http://a.com/\u00851", E::Blank},
      {"http://a.com/\xFF"
       "1.jpg",
       E::NotUtf8},
      {"http://a.com/\xE5\x86", E::NotUtf8},
  };
  for (const auto& [text, error] : rows) {
    const auto result = ReadExampleAddress(text);
    ASSERT_TRUE(std::holds_alternative<ExampleAddressError>(result)) << text;
    EXPECT_EQ(std::get<ExampleAddressError>(result), error) << text;
  }
  EXPECT_EQ(std::get<ExampleAddressError>(ReadExampleAddress(std::string_view("http://a.com/\0"
                                                                              "1",
                                                                              15))),
            E::Blank);
}

TEST(ReadExampleAddress, FindsTheDigitRunsAfterTheHost) {
  const ExampleAddress example =
      Read("  \tHTTPS://img2.site9.com:8080/id/3000000000/0000000001/999999999/p05.jpg \r\n");
  EXPECT_EQ(example.text, "HTTPS://img2.site9.com:8080/id/3000000000/0000000001/999999999/p05.jpg");
  EXPECT_EQ(example.schemeLength, 8u);
  EXPECT_EQ(example.text.substr(example.hostEnd), "/id/3000000000/0000000001/999999999/p05.jpg");
  ASSERT_EQ(example.runs.size(), 4u);  // none from the host or the port
  const struct {
    std::size_t position;
    const char* digits;
    std::optional<std::int32_t> value;
    bool checkable;
  } rows[] = {
      {31, "3000000000", std::nullopt, false},  // above the 32-bit range
      {42, "0000000001", 1, false},             // ten digits
      {53, "999999999", 999999999, true},
      {64, "05", 5, true},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    const DigitRun& run = example.runs[i];
    EXPECT_EQ(std::tie(run.position, run.digits, run.value, run.checkable),
              std::tie(rows[i].position, rows[i].digits, rows[i].value, rows[i].checkable))
        << rows[i].digits;
  }
  EXPECT_EQ(example.defaultChoice, std::vector<std::size_t>{3});
  // The rightmost checkable run is the default even when a longer one follows it.
  EXPECT_EQ(Read("http://a.com/7/12345678901").defaultChoice, std::vector<std::size_t>{0});
  EXPECT_TRUE(Read("http://a.com/x/12345678901").defaultChoice.empty());
  EXPECT_TRUE(Read("http://example.com").runs.empty());
  // Blanks a document puts around an address, full-width ones included, are not part of it.
  EXPECT_EQ(Read("\uFEFF\u3000http://a.com/p1.jpg\u3000\u00A0 ").text, "http://a.com/p1.jpg");
}

TEST(ProposeTemplate, CutsTheExampleIntoTheSegments) {
  const struct {
    const char* address;
    std::vector<std::size_t> chosen;  // {} with useDefault: the default choice
    bool useDefault;
    const char* segments;
  } rows[] = {
      {"http://www.example.com/gallery/pic05.jpg",
       {},
       true,
       "B[www.example.com/gallery] C F[pic] G[05:01] M N[jpg] =/="},
      {"https://example.net/a/1/b2.html", {0, 1}, false, "B[example.net/a] C G[1:1] H I[b] J[2:1] M N[html] ≠/≠"},
      {"https://example.net/a/1/b2.html", {1, 0}, false, "B[example.net/a] C G[1:1] H I[b] J[2:1] M N[html] ≠/≠"},
      // query strings: an extension only in the path, the query stays with the text around it
      {"http://a.com/view.php?id=42&page=3", {0}, false, "B[a.com] C F[view.php?id=] G[42:1] I[&page=3] ≠/="},
      {"http://a.com/view.php?id=42&page=3", {}, true, "B[a.com] C F[view.php?id=42&page=] G[3:1] =/="},
      {"http://a.com/s1/p2.jpg?w=100", {0, 1}, false, "B[a.com] C F[s] G[1:1] H I[p] J[2:1] M N[jpg?w=100] ≠/≠"},
      {"http://a.com?p=5", {}, true, "B[a.com?p=] G[5:1] =/="},
      {"http://a.com/x#p7.b", {}, true, "B[a.com] C F[x#p] G[7:1] I[.b] ≠/="},
      // ports, trailing slash, no path, digits in the host
      {"http://example.com:8080/img/007.png", {}, true, "B[example.com:8080/img] C G[007:001] M N[png] =/="},
      {"http://a.com/page/12/", {}, true, "B[a.com/page] C G[12:1] H =/="},
      {"http://example.com", {}, true, "B[example.com] =/≠"},
      {"http://example.com/", {}, true, "B[example.com] C =/≠"},
      {"http://a.com/index.html", {}, true, "B[a.com] C F[index] M N[html] =/≠"},
      {"http://img2.site9.com/x3.gif", {}, true, "B[img2.site9.com] C F[x] G[3:1] M N[gif] =/="},
      {"http://a.com/v2/index.html", {}, true, "B[a.com] C F[v] G[2:1] H I[index] M N[html] ≠/="},
      {"http://a.com/x5/x7", {0, 1}, false, "B[a.com] C F[x] G[5:1] H I[x] J[7:1] =/≠"},
      // three runs: after L only "." and N remain
      {"http://a.com/2024/05/pic_007.jpg",
       {0, 1, 2},
       false,
       "B[a.com] C G[2024:1] H J[05:01] K[/pic_] L[007:001] M N[jpg] =/≠"},
      {"http://a.com/1/2/3_x.jpg", {0, 1, 2}, false, "B[a.com] C G[1:1] H J[2:1] K[/] L[3:1] N[_x.jpg] =/≠"},
      {"http://a.com/1/2/3", {2, 0}, false, "B[a.com] C G[1:1] H I[2/] J[3:1] ≠/≠"},
      // long runs: with leading zeros the extra zeros stay as text before the counter
      {"http://a.com/f1234.txt", {}, true, "B[a.com] C F[f] G[1234:1] M N[txt] =/="},
      {"http://a.com/f00042.txt", {}, true, "B[a.com] C F[f00] G[042:001] M N[txt] =/="},
      {"http://a.com/f01234.txt", {}, true, "B[a.com] C F[f0] G[1234:001] M N[txt] =/="},
      {"http://a.com/0000", {}, true, "B[a.com] C F[0] G[000:001] =/="},
      {"http://a.com/a/1/b0005", {0, 1}, false, "B[a.com/a] C G[1:1] H I[b0] J[005:001] ≠/≠"},
      {"http://a.com/0/00", {0, 1}, false, "B[a.com] C G[0:1] H J[00:01] =/≠"},
      {"http://a.com/id/3000000000/p5.jpg", {}, true, "B[a.com/id/3000000000] C F[p] G[5:1] M N[jpg] =/="},
      // text outside ASCII is kept as it is; full-width digits are not runs
      {"http://例え.jp/写真/画像０３_03.jpg", {}, true, "B[例え.jp/写真] C F[画像０３_] G[03:01] M N[jpg] =/="},
      {"HTTP://A.com/X5", {}, true, "B[A.com] C F[X] G[5:1] =/="},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.address);
    const ExampleAddress example = Read(row.address);
    const std::vector<std::size_t> chosen = row.useDefault ? example.defaultChoice : row.chosen;
    const auto proposal = ProposeTemplate(example, chosen);
    ASSERT_TRUE(proposal);
    EXPECT_EQ(Describe(*proposal), row.segments);
    EXPECT_EQ(FirstAddress(*proposal),
              std::string(SchemeText(example.https)).append(example.text, example.schemeLength));
  }
}

TEST(ProposeTemplate, NamesWhatTheTemplateCannotKeep) {
  using K = ProposalNote::Kind;
  const struct {
    const char* address;
    std::vector<std::size_t> chosen;
    std::vector<std::tuple<K, std::string, std::string, std::int64_t>> notes;
  } rows[] = {
      {"http://a.com/5", {0}, {}},
      {"https://a.com/5", {0}, {}},
      {"Http://a.com/5", {0}, {{K::SchemeReplaced, "Http://", "", 0}}},
      {"http://a.com/005/0005/00001234",
       {0, 1, 2},
       {{K::PaddingLimited, "0005", "0", 999}, {K::PaddingLimited, "00001234", "0000", 9999}}},
      {"HTTPS://a.com/00000", {0}, {{K::SchemeReplaced, "HTTPS://", "", 0}, {K::PaddingLimited, "00000", "00", 999}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.address);
    const auto proposal = ProposeTemplate(Read(row.address), row.chosen);
    ASSERT_TRUE(proposal);
    std::vector<std::tuple<K, std::string, std::string, std::int64_t>> notes;
    for (const ProposalNote& n : proposal->notes) notes.emplace_back(n.kind, n.text, n.zeros, n.upTo);
    EXPECT_EQ(notes, row.notes);
  }
}

TEST(ProposeTemplate, RefusesChoicesTheWindowCannotHold) {
  const ExampleAddress example = Read("http://a.com/1/2/3/4/12345678901");
  const std::vector<std::size_t> rows[] = {{0, 1, 2, 3}, {0, 0}, {4}, {5}};
  for (const auto& chosen : rows) EXPECT_FALSE(ProposeTemplate(example, chosen)) << chosen.size();
  EXPECT_TRUE(ProposeTemplate(example, std::vector<std::size_t>{3, 1, 2}));
}

// Random addresses and choices: the template's one address is always the example, its scheme in
// small letters.
TEST(ProposeTemplate, FirstAddressIsTheExampleForEveryAddressAndChoice) {
  std::mt19937 random(20261207);
  const auto pick = [&](std::initializer_list<const char*> items) {
    return std::string(items.begin()[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)]);
  };
  const auto digits = [&] {
    const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 12)(random);
    std::string run;
    for (std::size_t i = 0; i < length; ++i) run += static_cast<char>('0' + random() % (i == 0 ? 3 : 10));
    return run;
  };
  int proposals = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string address = pick({"http://", "https://", "HTTP://", "hTtPs://"});
    address += pick({"a", "www.example.com", "img2.x9.jp", "例え.jp", "u:p@h"});
    if (random() % 3 == 0) address.append(":").append(digits());
    const int pieces = static_cast<int>(random() % 9);
    for (int i = 0; i < pieces; ++i) {
      address += random() % 2 ? digits() : pick({"/", ".", "?", "#", "&", "=", "_", "pic", "/x.", "写真", "０３", "~"});
    }
    const ExampleAddress example = Read(address);
    const std::string expected = std::string(SchemeText(example.https)).append(address, example.schemeLength);
    std::vector<std::size_t> checkable;
    for (std::size_t i = 0; i < example.runs.size(); ++i) {
      if (example.runs[i].checkable) checkable.push_back(i);
    }
    for (int attempt = 0; attempt < 4; ++attempt) {
      std::shuffle(checkable.begin(), checkable.end(), random);
      const std::size_t count = std::min<std::size_t>(checkable.size(), random() % 4);
      const std::vector<std::size_t> chosen(checkable.begin(), checkable.begin() + static_cast<long>(count));
      const auto proposal = ProposeTemplate(example, chosen);
      ASSERT_TRUE(proposal) << address;
      ++proposals;
      ASSERT_EQ(FirstAddress(*proposal), expected) << address << " with " << count << " runs: " << Describe(*proposal);
      EXPECT_TRUE(!proposal->textLink || proposal->I == proposal->F) << address;
      EXPECT_EQ(proposal->counterLink, count == 1) << address;
    }
  }
  EXPECT_EQ(proposals, 12000);
}

}  // namespace
}  // namespace serialix
