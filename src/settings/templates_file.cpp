#include "settings/templates_file.h"

#include <algorithm>
#include <optional>

#include "platform/files/file_exists.h"
#include "platform/files/replaced_file.h"
#include "platform/files/whole_file.h"

namespace serialix {
namespace {

// Reads, changes and writes back; the change sees the templates in file order.
template <typename Change>
std::optional<TemplatesFileProblem> Rewrite(const std::filesystem::path& file, Change change) {
  auto loaded = LoadTemplates(file);
  if (auto* problem = std::get_if<TemplatesFileProblem>(&loaded)) return *problem;
  auto& templates = std::get<std::vector<SavedTemplate>>(loaded);
  if (!change(templates)) return std::nullopt;
  RemoveStaleTemporaries(file);
  try {
    ReplacedFile out(file);
    out.write(FormatSavedTemplates(templates));
    out.commit();
  } catch (const std::system_error& failure) {
    return failure.code();
  }
  return std::nullopt;
}

}  // namespace

std::filesystem::path TemplatesFilePath(const std::filesystem::path& settingsFile) {
  return settingsFile.parent_path() / "templates.ini";
}

std::variant<std::vector<SavedTemplate>, TemplatesFileProblem> LoadTemplates(const std::filesystem::path& file) {
  if (!FileExists(file)) return std::vector<SavedTemplate>{};
  std::error_code why;
  const std::optional<WholeFile> bytes = ReadWholeFile(file, &why);
  if (!bytes) return TemplatesFileProblem(why);
  auto parsed = ParseSavedTemplates(std::string_view(bytes->bytes.get(), bytes->size));
  if (auto* error = std::get_if<SavedTemplatesError>(&parsed)) return TemplatesFileProblem(*error);
  return std::get<std::vector<SavedTemplate>>(std::move(parsed));
}

std::optional<TemplatesFileProblem> StoreTemplate(const std::filesystem::path& file, const SavedTemplate& saved) {
  return Rewrite(file, [&saved](std::vector<SavedTemplate>& templates) {
    std::erase_if(templates, [&saved](const SavedTemplate& t) { return t.name == saved.name; });
    templates.push_back(saved);
    return true;
  });
}

std::optional<TemplatesFileProblem> DeleteTemplate(const std::filesystem::path& file, std::string_view name) {
  return Rewrite(file, [name](std::vector<SavedTemplate>& templates) {
    return std::erase_if(templates, [name](const SavedTemplate& t) { return t.name == name; }) > 0;
  });
}

}  // namespace serialix
