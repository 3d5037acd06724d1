#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvane {

// Folder of the running executable.
std::filesystem::path ExecutableFolder();

// The resources folder (the folder that holds config.xml, device/, language/
// and skins/): the override when given; else the executable's folder when
// config.xml is there (build tree); else <prefix>/share/korvane/ (installed).
std::filesystem::path ResourcesFolder(const std::optional<std::filesystem::path>& override_folder = std::nullopt);

// Per-user data folder: $XDG_DATA_HOME (default ~/.local/share) followed by
// "<caption> Files". The override replaces the whole path.
std::filesystem::path DataFolder(const std::string& caption,
                                 const std::optional<std::filesystem::path>& override_folder = std::nullopt);

// Per-user configuration folder of the application settings:
// $XDG_CONFIG_HOME (default ~/.config) followed by the caption.
std::filesystem::path ConfigFolder(const std::string& caption);

// $XDG_CONFIG_HOME or ~/.config.
std::filesystem::path XdgConfigHome();

// Creates the folder and every missing parent. An existing folder is success.
bool EnsureDirectory(const std::filesystem::path& folder);

// Makes a caption usable as one path component ('/' and NUL replaced).
std::string PathComponent(const std::string& caption);

}  // namespace korvane
