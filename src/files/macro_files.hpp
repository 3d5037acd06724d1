#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvane {

class ConfigStore;

// Macro files. Layout A holds one macro under its shown name:
//   <macro><macroinfo macro_name macro_type play_times delay_type delay_time/>
//          <macroitems><item desc index type value timestamp/>...</macroitems></macro>
// layout B every macro under its stored name:
//   <macro><macro_item macro_name ...><record_item><item .../>...</record_item></macro_item>...</macro>
// Numbers are decimal; every value is an attribute.

// The documents (declaration and CR LF first). False when the macro does
// not exist.
bool MacroDocumentA(ConfigStore& store, int macro_id, const std::string& shown_name, std::string& document);
std::string MacroDocumentB(ConfigStore& store);

// Writes a document through a temporary file renamed over the target;
// false when it could not be written (nothing is left half-written).
bool ExportMacroA(ConfigStore& store, int macro_id, const std::string& shown_name, const std::filesystem::path& file);
bool ExportMacrosB(ConfigStore& store, const std::filesystem::path& file);

// What an import made: the new macros' ids in file order, and why nothing
// could be read (empty when the file was read).
struct MacroImport {
  std::vector<int> ids;
  std::string problem;
};

// Imports a macro file of either layout (told apart by its elements) as new
// macros; existing macros are never changed. Missing elements and
// attributes read as empty (numbers 0). Every value is brought into what the
// macro page could have made for a model numbered device_type: options
// clamped, delays 1..31000 ms, texts repaired to UTF-8, events of unknown
// type or with a key or button the page cannot make left out; a macro of
// more than 200 events is left out whole. Each macro is stored in one
// transaction.
MacroImport ImportMacroDocument(ConfigStore& store, const std::string& bytes, int device_type);
MacroImport ImportMacroFile(ConfigStore& store, const std::filesystem::path& file, int device_type);

}  // namespace korvane
