#include "buttons/button_tasks.hpp"

#include <iostream>
#include <map>
#include <vector>

#include "buttons/button_functions.hpp"
#include "buttons/button_table.hpp"
#include "buttons/pending_macro.hpp"
#include "device/multi_packet_write.hpp"
#include "macros/macro_encoding.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

namespace {

struct StoredMacro {
  MacroHeader header;
  std::vector<MacroEvent> events;
};

std::optional<StoredMacro> LoadMacro(ConfigStore& store, int macro_id) {
  StoredMacro macro;
  if (!LoadMacroRow(store, macro_id, macro.header)) return std::nullopt;
  LoadEventRows(store, macro_id, macro.events);
  return macro;
}

bool Fits(const StoredMacro& macro) {
  return MacroFitsTheMouse(EncodeMacroEvents(macro.events).size() / kMacroRecordSize);
}

void LogTooLong(int macro_id) {
  std::cerr << "korvane: macro " << macro_id << " has more than " << kMaxMacroRecords
            << " device events and is not sent to the mouse\n";
}

class ButtonTableWriter final {
 public:
  ButtonTableWriter(DeviceWorker& worker) : worker_(worker), store_(worker.Context().store) {
    LoadKeyAssignments(store_, worker.Context().state.current_profile, assignments_);
  }

  // The first macro assignment of the pending button, when one waits;
  // false when the mouse did not acknowledge it.
  bool SendPendingMacro(int button) {
    if (button < 0) return true;
    for (const KeyAssignment& a : assignments_) {
      if (a.macro_type != kFunctionMacro || a.key_code != button) continue;
      const StoredMacro* macro = Macro(a.macro_value);
      if (!macro || worker_.StoreFailedDuringTask()) return true;
      const std::vector<std::uint8_t> stream = MacroStream(a.key_code, macro->events);
      return WriteMultiPacket(worker_.Context().manager, report::kMacroData, stream);
    }
    return true;
  }

  bool SendTable() {
    const ButtonTable table = BuildButtonTable(assignments_, [this](int macro_id) -> const MacroHeader* {
      const StoredMacro* macro = Macro(macro_id);
      return macro ? &macro->header : nullptr;
    });
    ReportPacket packet = BuildButtonTableCommand(table);
    return worker_.WriteCommand(packet, report::kShortPacketSize);
  }

 private:
  // The macro when it exists and fits the mouse (each looked up once).
  const StoredMacro* Macro(int macro_id) {
    auto it = macros_.find(macro_id);
    if (it == macros_.end()) {
      std::optional<StoredMacro> macro = LoadMacro(store_, macro_id);
      if (macro && !Fits(*macro)) {
        LogTooLong(macro_id);
        macro.reset();
      }
      it = macros_.emplace(macro_id, std::move(macro)).first;
    }
    return it->second ? &*it->second : nullptr;
  }

  DeviceWorker& worker_;
  ConfigStore& store_;
  std::vector<KeyAssignment> assignments_;
  std::map<int, std::optional<StoredMacro>> macros_;
};

}  // namespace

bool WriteButtonTable(DeviceWorker& worker, PendingMacro& pending) {
  ButtonTableWriter writer(worker);
  const int button = pending.Take();
  if (!writer.SendPendingMacro(button)) {
    // The table would have the button play a macro the mouse does not hold.
    // Both go with the next table write, which the pending change brings
    // once the mouse is back.
    pending.PutBack(button);
    worker.AfterWriteFailure();
    return false;
  }
  return writer.SendTable();
}

void RegisterButtonHandlers(DeviceWorker& worker, PendingMacro& pending) {
  worker.Register(kTaskButtons, [&worker, &pending] { return WriteButtonTable(worker, pending); });
}

}  // namespace korvane
