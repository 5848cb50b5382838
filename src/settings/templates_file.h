// templates.ini beside set.ini: the saved templates, read on every use so that two running
// windows see each other's saves, and written through the file replacer.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include "settings/saved_templates.h"

namespace serialix {

// The file of saved templates for a set.ini: in the same folder, so it follows set.ini's folder
// rule (SettingsFilePath).
std::filesystem::path TemplatesFilePath(const std::filesystem::path& settingsFile);

// Why templates.ini cannot be used: the system's reason, or where its text is malformed.
using TemplatesFileProblem = std::variant<std::error_code, SavedTemplatesError>;

// The templates the file holds, in file order; none when it is missing.
std::variant<std::vector<SavedTemplate>, TemplatesFileProblem> LoadTemplates(const std::filesystem::path& file);

// Saves a template: one of the same name is replaced, and the template goes last in the file
// (the newest). A file that cannot be read or is malformed is left as it is and its problem
// returned; so is a failed write (the file replacer leaves the old file whole).
std::optional<TemplatesFileProblem> StoreTemplate(const std::filesystem::path& file, const SavedTemplate& saved);

// Deletes the template of that name, if the file holds one; otherwise as StoreTemplate.
std::optional<TemplatesFileProblem> DeleteTemplate(const std::filesystem::path& file, std::string_view name);

}  // namespace serialix
