#include "app/profile_files.hpp"

#include <string>
#include <vector>

#include "common/text_ids.hpp"
#include "files/profile_files.hpp"
#include "store/profile_table.hpp"
#include "ui/profile_dlg.hpp"
#include "ui/window_messages.hpp"
#include "worker/connection_state.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

namespace {

constexpr std::int64_t kImportRequest = 1;
constexpr std::int64_t kExportRequest = 2;

}  // namespace

ProfileFiles::ProfileFiles(PageContext context) : ctx_(std::move(context)) {
  ctx_.main.OnMessage(ui::msg::kProfileRequest, kImportRequest, [this](std::int64_t, std::int64_t) {
    Import();
    return 0;
  });
  ctx_.main.OnMessage(ui::msg::kProfileRequest, kExportRequest, [this](std::int64_t, std::int64_t) {
    Export();
    return 0;
  });
}

void ProfileFiles::Import() {
  const auto file = ctx_.toolkit.OpenFileDialog(ctx_.text(text_id::kImport), {{"MouseKey", "*.xml"}});
  if (!file) return;
  const int profile = ctx_.state.current_profile;
  if (!ImportProfileFile(ctx_.store, profile, *file, CurrentProfileRules(ctx_.model.Get(), ctx_.state)).empty()) return;
  ctx_.hooks.Refresh(kProfilePage);
  ctx_.queue.Push(kTaskWriteProfile);
}

void ProfileFiles::Export() {
  std::string stored;
  GetProfileName(ctx_.store, ctx_.state.current_profile, stored);
  const std::string shown = ui::DisplayedProfileName(stored, ctx_.text(text_id::kProfile));
  const auto file = ctx_.toolkit.SaveFileDialog(ctx_.text(text_id::kExport), shown + ".xml", {{"Profile", "*.xml"}});
  if (file) ExportProfile(ctx_.store, ctx_.state.current_profile, shown, *file);
}

}  // namespace korvane
