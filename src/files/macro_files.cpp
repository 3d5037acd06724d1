#include "files/macro_files.hpp"

#include <algorithm>
#include <optional>

#include "common/text.hpp"
#include "files/small_file.hpp"
#include "keys/key_usage.hpp"
#include "keys/mouse_buttons.hpp"
#include "macros/macro_events.hpp"
#include "macros/macro_recorder.hpp"
#include "macros/macro_store.hpp"
#include "store/config_store.hpp"
#include "store/macro_table.hpp"
#include "store/sqlite_transaction.hpp"
#include "xml/xml_markup.hpp"

namespace korvane {

namespace {

void SetOptions(XmlMarkup& xml, const MacroHeader& header, const std::string& name) {
  xml.SetAttrib("macro_name", name);
  xml.SetAttrib("macro_type", header.play_type);
  xml.SetAttrib("play_times", header.play_times);
  xml.SetAttrib("delay_type", header.delay_type);
  xml.SetAttrib("delay_time", header.delay_time);
}

// The events as <item> children of the current element; the cursor ends on
// that element again.
void AddItems(XmlMarkup& xml, const EventList& events) {
  for (const MacroEvent& event : events) {
    xml.AddChildElem("item");
    xml.SetAttrib("desc", event.desc);
    xml.SetAttrib("index", event.record_index);
    xml.SetAttrib("type", event.type);
    xml.SetAttrib("value", event.value);
    xml.SetAttrib("timestamp", event.delay_time);
    xml.OutOfElem();
  }
}

int Number(const XmlMarkup& xml, std::string_view name) { return LeadingNumber(xml.GetAttrib(name)); }

MacroHeader ReadHeader(const XmlMarkup& xml, int device_type) {
  MacroHeader header;
  header.name = RepairedUtf8(xml.GetAttrib("macro_name"));
  const int play_type = Number(xml, "macro_type");
  header.play_type = play_type >= 0 && play_type <= 2 ? play_type : 0;
  header.play_times = ClampPlayCount(Number(xml, "play_times"), device_type);
  const int delay_type = Number(xml, "delay_type");
  header.delay_type = delay_type >= 0 && delay_type <= 2 ? delay_type : 1;
  header.delay_time = std::clamp(Number(xml, "delay_time"), 0, 10000);
  return header;
}

// An event as the page could have made it, or nullopt when it could not.
std::optional<MacroEvent> ReadEvent(const XmlMarkup& xml) {
  MacroEvent event;
  event.desc = RepairedUtf8(xml.GetAttrib("desc"));
  event.record_index = Number(xml, "index");
  event.type = Number(xml, "type");
  event.value = Number(xml, "value");
  event.delay_time = Number(xml, "timestamp");
  switch (event.type) {
    case kEventDelay:
      event.value = std::clamp(event.value, 1, MacroRecorder::kLongestDelay);
      return event;
    case kEventKeyDown:
    case kEventKeyUp:
      if (event.value <= 0 || VirtualKeyToUsage(event.value) == 0) return std::nullopt;
      return event;
    case kEventMouseDown:
    case kEventMouseUp:
      if (MouseButtonName(event.value).empty()) return std::nullopt;
      return event;
    case kEventWheelUp:
    case kEventWheelDown:
      event.value = 0;
      return event;
    default:
      return std::nullopt;
  }
}

// The <item>s of the current element; nullopt when there are more than the
// editor takes.
std::optional<EventList> ReadItems(XmlMarkup& xml) {
  EventList events;
  std::size_t items = 0;
  xml.IntoElem();
  while (xml.FindElem("item")) {
    if (++items > kInsertLimit) {
      xml.OutOfElem();
      return std::nullopt;
    }
    if (std::optional<MacroEvent> event = ReadEvent(xml)) events.push_back(std::move(*event));
  }
  xml.OutOfElem();
  return events;
}

// Stores one imported macro in one transaction; its id, 0 when the database
// did not take it.
int StoreImported(ConfigStore& store, const MacroHeader& header, EventList events) {
  const ConfigStore::Lock lock = store.Hold();
  SQLiteAutoTransaction transaction(&store.Db());
  const int id = InsertMacroRowFrom(store, header);
  if (id <= 0) return 0;
  for (MacroEvent& event : events) event.macro_id = id;
  InsertEventRows(store, events);
  return id;
}

// Layout A: <macroinfo> and, after it, <macroitems>.
void ImportLayoutA(XmlMarkup& xml, ConfigStore& store, int device_type, MacroImport& result) {
  // Without <macroinfo> the macro is still made: an empty name, the
  // smallest values the page allows.
  MacroHeader header{.play_type = 0, .play_times = 1, .delay_type = 0, .delay_time = 0};
  if (xml.FindElem("macroinfo")) header = ReadHeader(xml, device_type);
  std::optional<EventList> events = EventList();
  if (xml.FindElem("macroitems")) events = ReadItems(xml);
  if (!events) return;
  if (const int id = StoreImported(store, header, std::move(*events))) result.ids.push_back(id);
}

// Layout B: every <macro_item> with its <record_item>.
void ImportLayoutB(XmlMarkup& xml, ConfigStore& store, int device_type, MacroImport& result) {
  do {
    const MacroHeader header = ReadHeader(xml, device_type);
    std::optional<EventList> events = EventList();
    xml.IntoElem();
    if (xml.FindElem("record_item")) events = ReadItems(xml);
    xml.OutOfElem();
    if (!events) continue;
    if (const int id = StoreImported(store, header, std::move(*events))) result.ids.push_back(id);
  } while (xml.FindElem("macro_item"));
}

}  // namespace

namespace {

bool BuildDocumentA(ConfigStore& store, int macro_id, const std::string& shown_name, XmlMarkup& xml) {
  MacroHeader header;
  if (!LoadMacroRow(store, macro_id, header)) return false;
  EventList events;
  LoadEventRows(store, macro_id, events);
  xml.New();
  xml.AddElem("macro");
  xml.AddChildElem("macroinfo");
  SetOptions(xml, header, shown_name);
  xml.AddElem("macroitems");
  AddItems(xml, events);
  return true;
}

void BuildDocumentB(ConfigStore& store, XmlMarkup& xml) {
  std::vector<MacroHeader> headers;
  LoadMacroRows(store, headers);
  xml.New();
  xml.AddElem("macro");
  for (std::size_t i = 0; i < headers.size(); ++i) {
    if (i == 0) {
      xml.AddChildElem("macro_item");
    } else {
      xml.AddElem("macro_item");
    }
    SetOptions(xml, headers[i], headers[i].name);
    EventList events;
    LoadEventRows(store, headers[i].macro_id, events);
    if (events.empty()) continue;
    xml.AddChildElem("record_item");
    AddItems(xml, events);
    xml.OutOfElem();
  }
}

}  // namespace

bool MacroDocumentA(ConfigStore& store, int macro_id, const std::string& shown_name, std::string& document) {
  XmlMarkup xml;
  if (!BuildDocumentA(store, macro_id, shown_name, xml)) return false;
  document = xml.ToString();
  return true;
}

std::string MacroDocumentB(ConfigStore& store) {
  XmlMarkup xml;
  BuildDocumentB(store, xml);
  return xml.ToString();
}

bool ExportMacroA(ConfigStore& store, int macro_id, const std::string& shown_name, const std::filesystem::path& file) {
  XmlMarkup xml;
  return BuildDocumentA(store, macro_id, shown_name, xml) && xml.Save(file);
}

bool ExportMacrosB(ConfigStore& store, const std::filesystem::path& file) {
  XmlMarkup xml;
  BuildDocumentB(store, xml);
  return xml.Save(file);
}

MacroImport ImportMacroDocument(ConfigStore& store, const std::string& bytes, int device_type) {
  MacroImport result;
  XmlMarkup xml;
  if (!xml.LoadFromBuffer(bytes)) {
    result.problem = "not XML: " + xml.Error();
    return result;
  }
  if (!xml.FindElem("macro")) {
    result.problem = "no <macro> root";
    return result;
  }
  xml.IntoElem();
  if (xml.FindElem("macro_item")) {
    ImportLayoutB(xml, store, device_type, result);
  } else {
    ImportLayoutA(xml, store, device_type, result);
  }
  return result;
}

MacroImport ImportMacroFile(ConfigStore& store, const std::filesystem::path& file, int device_type) {
  std::string problem;
  const std::optional<std::string> bytes = ReadSmallFile(file, problem);
  if (!bytes) return {{}, problem};
  return ImportMacroDocument(store, *bytes, device_type);
}

}  // namespace korvane
