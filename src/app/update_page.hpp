#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/page_context.hpp"
#include "ui/update_windows.hpp"
#include "update/update_service.hpp"

namespace korvane {

class DeviceWorker;

// What the update page needs besides the page context.
struct UpdatePageOptions {
  SoftwareSource software;
  std::filesystem::path temp_folder;
  // Hands the downloaded installer to the desktop; false when it could not
  // (also when empty).
  std::function<bool(const std::filesystem::path&)> open_installer;
  // Ends the program through its normal shutdown (exit code 0).
  std::function<void()> exit_program;
};

// The updates of the program and of the mouse's firmware as the desktop
// shows them: the check and update buttons of the device and update
// information page (and the settings page's check), the offer lines, the
// questions, the download and upgrade windows and the failure messages. The
// network and device work runs in the worker's update tasks; their reports
// arrive here on the UI thread.
class UpdatePage final : public UpdateEvents {
 public:
  UpdatePage(PageContext context, UpdatePageOptions options);
  ~UpdatePage() override;
  UpdatePage(const UpdatePage&) = delete;
  UpdatePage& operator=(const UpdatePage&) = delete;

  // Registers the update tasks with the worker; before the worker starts.
  void Register(DeviceWorker& worker);

  // UpdateEvents, on the UI thread.
  void SoftwareChecked(const std::string& offered, bool newer) override;
  void FirmwareChecked(const std::string& installed, const std::string& offered, bool newer) override;
  void DownloadProgress(int percent) override;
  void SoftwareDownloaded(UpdateProblem problem, const std::filesystem::path& installer) override;
  void UpgradeStepped(int text_id, int percent) override;
  void UpgradeEnded(UpdateProblem problem) override;

 private:
  struct Offer {
    std::string version;
    bool newer = false;
  };

  void CheckSoftware();
  void CheckFirmware();
  enum class Question { kSoftware, kFirmware };
  // Asks the questions one after the other: a check's answer can arrive
  // while the other question is open.
  void Ask(Question question);
  void AskSoftwareUpdate();
  void AskFirmwareUpgrade();
  void ShowOffers();
  void TellProblem(UpdateProblem problem);

  PageContext ctx_;
  UpdatePageOptions options_;
  // The worker's reports, posted to the UI thread.
  std::unique_ptr<UpdateEvents> posted_;
  UpdateService service_;
  ui::DownloadProgressWindow download_window_;
  ui::UpgradeProgressWindow upgrade_window_;
  std::optional<Offer> software_;
  std::optional<Offer> firmware_;
  std::optional<ui::TimerId> linger_timer_;
  bool software_check_asked_ = false;
  std::deque<Question> questions_;  // waiting to be asked
  bool asking_ = false;             // the user pressed a software check button
};

}  // namespace korvane
