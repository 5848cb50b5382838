#include "settings/saved_templates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "settings/templates_file.h"
#include "support/files.h"

namespace serialix {
namespace {

using Templates = std::vector<SavedTemplate>;

Templates Parsed(std::string_view text) {
  auto parsed = ParseSavedTemplates(text);
  if (auto* error = std::get_if<SavedTemplatesError>(&parsed)) {
    ADD_FAILURE() << "line " << error->line << " refused";
    return {};
  }
  return std::get<Templates>(parsed);
}

// Written and read again, a template comes back whole: its text is the same once more, and the
// fields the text might lose are the same.
void ExpectRoundTrip(const Templates& templates) {
  const std::string text = FormatSavedTemplates(templates);
  const Templates back = Parsed(text);
  ASSERT_EQ(back.size(), templates.size()) << text;
  EXPECT_EQ(FormatSavedTemplates(back), text);
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].name, templates[i].name);
    EXPECT_EQ(back[i].F, templates[i].F);
    EXPECT_EQ(back[i].J.to, templates[i].J.to);
  }
}

TEST(SavedTemplates, NamesAndTextsOfAnyCharacterComeBackExactly) {
  Templates templates;
  for (const char* name : {"[a]b", "x=y", "back\\slash\\x41", "line\nbreak\r\n", "  blanks  ", "日本語の名前]",
                           "tab\tand\x7f", ";looks like a comment", "#"}) {
    SavedTemplate t;
    t.name = name;
    t.F = name;
    t.B = "  example.com/a b  ";
    t.D = "q";
    t.on['E'] = t.on['L'] = false;
    t.G = {FillStyle::ThreeDigit, "007", ""};
    t.J = {FillStyle::TwoDigit, "12", "3"};
    t.textLink = false;
    t.https = true;
    t.savedAt = 1796680200;
    templates.push_back(t);
  }
  ExpectRoundTrip(templates);
  ExpectRoundTrip({});
  EXPECT_TRUE(Parsed("").empty());
}

// Names and texts made of the characters a line or a header could trip over.
TEST(SavedTemplates, RandomTemplatesRoundTrip) {
  std::mt19937 random(20261207);
  const std::vector<std::string> pieces = {"a", " ", "[", "]", "=", "\\", "\\x0A", "\n", "\r", "\t", "\x7f", "語", ";"};
  const auto text = [&](std::size_t longest) {
    std::string out;
    for (std::size_t n = random() % (longest + 1); n > 0; --n) out += pieces[random() % pieces.size()];
    return out;
  };
  for (int round = 0; round < 200; ++round) {
    Templates templates;
    for (std::size_t n = random() % 4; n > 0; --n) {
      SavedTemplate t;
      t.name = std::to_string(n);  // unique, never empty
      t.name += text(12);
      for (char letter : {'B', 'F', 'I', 'K', 'N'}) *t.text(letter) = text(8);
      for (char letter = 'C'; letter <= 'N'; ++letter) t.on[letter] = random() % 2;
      t.savedAt = random();
      templates.push_back(t);
    }
    ExpectRoundTrip(templates);
  }
}

TEST(SavedTemplates, HandEditsWithCrLfCommentsAndAByteOrderMarkAreRead) {
  const Templates read = Parsed("\xEF\xBB\xBF; mine\r\n\r\n[a]\r\nB=x \r\n  # note\r\nFuture=kept\r\n");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].B, "x ");
  EXPECT_TRUE(read[0].on['N']) << "a missing key keeps the starting value";
  EXPECT_NE(FormatSavedTemplates(read).find("Future=kept\n"), std::string::npos);
}

TEST(SavedTemplates, MalformedTextIsRefusedWithItsLine) {
  using Reason = SavedTemplatesError::Reason;
  const struct {
    const char* text;
    Reason reason;
    std::size_t line;
  } cases[] = {
      {"B=x\n", Reason::OutsideSection, 1},
      {"[a]\nB\n", Reason::NotALine, 2},
      {"[a\n", Reason::NotALine, 1},
      {"[a] x\n", Reason::NotALine, 1},
      {"[a]\nB=\\q\n", Reason::BadEscape, 2},
      {"[a]\nB=\\x80\n", Reason::BadEscape, 2},
      {"[a]\nB=x\\\n", Reason::BadEscape, 2},
      {"[]\n", Reason::EmptyName, 1},
      {"[a]\n[b]\n[a]\n", Reason::SameName, 3},
      {"[a]\nB=1\nB=2\n", Reason::SameKey, 3},
      {"[a]\nOn=CDC\n", Reason::BadValue, 2},
      {"[a]\nOn=AB\n", Reason::BadValue, 2},
      {"[a]\nG.From=1a\n", Reason::BadValue, 2},
      {"[a]\nJ.Style=02\n", Reason::BadValue, 2},
      {"[a]\nD=ab\n", Reason::BadValue, 2},
      {"[a]\nHttps=2\n", Reason::BadValue, 2},
      {"[a]\nSaved=-1\n", Reason::BadValue, 2},
      {"[a]\nB=\xff\n", Reason::NotUtf8, 2},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseSavedTemplates(c.text);
    const auto* error = std::get_if<SavedTemplatesError>(&parsed);
    ASSERT_NE(error, nullptr) << c.text;
    EXPECT_EQ(error->reason, c.reason) << c.text;
    EXPECT_EQ(error->line, c.line) << c.text;
  }
}

TEST(SavedTemplates, NewestFirstByTimeThenByPlaceInTheFile) {
  Templates templates(5);
  const std::int64_t times[] = {5, 9, 5, 1, 9};
  for (std::size_t i = 0; i < templates.size(); ++i) templates[i].savedAt = times[i];
  EXPECT_EQ(NewestFirst(templates), (std::vector<std::size_t>{4, 1, 2, 0, 3}));
}

class TemplatesFile : public ::testing::Test {
 protected:
  SavedTemplate Named(const char* name, std::int64_t at) {
    SavedTemplate t;
    t.name = name;
    t.savedAt = at;
    return t;
  }
  testing::TemporaryFolder folder_;
  std::filesystem::path file_ = TemplatesFilePath(folder_.path() / "set.ini");
};

TEST_F(TemplatesFile, SavingReplacesByNameAndPutsTheTemplateLast) {
  EXPECT_TRUE(std::get<Templates>(LoadTemplates(file_)).empty()) << "a missing file holds no templates";
  for (const SavedTemplate& t : {Named("a", 1), Named("b", 2), Named("a", 3)}) EXPECT_FALSE(StoreTemplate(file_, t));
  Templates stored = std::get<Templates>(LoadTemplates(file_));
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].name, "b");
  EXPECT_EQ(stored[1].savedAt, 3);
  EXPECT_FALSE(DeleteTemplate(file_, "b"));
  EXPECT_EQ(std::get<Templates>(LoadTemplates(file_)).size(), 1u);
}

TEST_F(TemplatesFile, AMalformedOrUnreadableFileIsNeverWritten) {
  const std::string handEdited = "[a]\nOn=XYZ\n; mine\n";
  testing::PutFileBytes(file_, handEdited);
  const auto loaded = LoadTemplates(file_);
  ASSERT_TRUE(std::holds_alternative<TemplatesFileProblem>(loaded));
  EXPECT_TRUE(StoreTemplate(file_, Named("new", 1)).has_value());
  EXPECT_TRUE(DeleteTemplate(file_, "a").has_value());
  EXPECT_EQ(testing::FileBytes(file_), handEdited);

  std::filesystem::remove(file_);
  std::filesystem::create_directory(file_);
  const auto problem = StoreTemplate(file_, Named("new", 1));
  ASSERT_TRUE(problem.has_value());
  EXPECT_TRUE(std::holds_alternative<std::error_code>(*problem));
  EXPECT_TRUE(std::filesystem::is_directory(file_));
}

}  // namespace
}  // namespace serialix
