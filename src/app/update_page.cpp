#include "app/update_page.hpp"

#include <utility>

#include "app/ui_poster.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/message_box.hpp"
#include "update/versions.hpp"
#include "worker/device_worker.hpp"
#include "worker/task_queue.hpp"

namespace korvane {

namespace {

// How long the upgrade window shows its last step before it closes.
constexpr auto kUpgradeWindowLinger = std::chrono::milliseconds(600);

// The update tasks' reports as the UI thread receives them. Posts still
// queued when this object goes away are dropped.
class PostedUpdateEvents final : public UpdateEvents {
 public:
  PostedUpdateEvents(ui::Toolkit& toolkit, UpdateEvents& target) : poster_(toolkit, target) {}
  PostedUpdateEvents(const PostedUpdateEvents&) = delete;
  PostedUpdateEvents& operator=(const PostedUpdateEvents&) = delete;

  void SoftwareChecked(const std::string& offered, bool newer) override {
    poster_.Post([offered, newer](UpdateEvents& t) { t.SoftwareChecked(offered, newer); });
  }
  void FirmwareChecked(const std::string& installed, const std::string& offered, bool newer) override {
    poster_.Post([installed, offered, newer](UpdateEvents& t) { t.FirmwareChecked(installed, offered, newer); });
  }
  void DownloadProgress(int percent) override {
    poster_.Post([percent](UpdateEvents& t) { t.DownloadProgress(percent); });
  }
  void SoftwareDownloaded(UpdateProblem problem, const std::filesystem::path& installer) override {
    poster_.Post([problem, installer](UpdateEvents& t) { t.SoftwareDownloaded(problem, installer); });
  }
  void UpgradeStepped(int text_id, int percent) override {
    poster_.Post([text_id, percent](UpdateEvents& t) { t.UpgradeStepped(text_id, percent); });
  }
  void UpgradeEnded(UpdateProblem problem) override {
    poster_.Post([problem](UpdateEvents& t) { t.UpgradeEnded(problem); });
  }

 private:
  UiPoster<UpdateEvents> poster_;
};

}  // namespace

UpdatePage::UpdatePage(PageContext context, UpdatePageOptions options)
    : ctx_(std::move(context)),
      options_(std::move(options)),
      posted_(std::make_unique<PostedUpdateEvents>(ctx_.toolkit, *this)),
      service_(options_.software, options_.temp_folder, *posted_),
      download_window_(ctx_.toolkit, ctx_.text, [this] { service_.CancelDownload(); }),
      upgrade_window_(ctx_.toolkit, ctx_.text) {
  using namespace ui::ctl;
  const auto click = [](std::function<void()> action) {
    return [action = std::move(action)](int, std::int64_t) {
      action();
      return true;
    };
  };
  ctx_.main.RouteTo(kCheckSoftware, click([this] { CheckSoftware(); }));
  ctx_.main.RouteTo(kSettingsCheckSoftware, click([this] { CheckSoftware(); }));
  ctx_.main.RouteTo(kCheckFirmware, click([this] { CheckFirmware(); }));
  ctx_.main.RouteTo(kInstallSoftware, click([this] { Ask(Question::kSoftware); }));
  ctx_.main.RouteTo(kUpgradeFirmware, click([this] { Ask(Question::kFirmware); }));
  ctx_.hooks.OnLanguageChanged([this] { ShowOffers(); });
  ShowOffers();
}

UpdatePage::~UpdatePage() {
  if (linger_timer_) ctx_.toolkit.StopTimer(*linger_timer_);
}

void UpdatePage::Register(DeviceWorker& worker) { service_.Register(worker); }

void UpdatePage::CheckSoftware() {
  software_check_asked_ = true;
  ctx_.queue.Push(kTaskCheckSoftware);
}

void UpdatePage::CheckFirmware() {
  if (ctx_.model.Get().firmware_url.empty()) {
    ctx_.main.Message(text_id::kFirmwareTitle, text_id::kNoUpdate, ui::kMessageOk);
    return;
  }
  ctx_.queue.Push(kTaskCheckFirmware);
}

void UpdatePage::SoftwareChecked(const std::string& offered, bool newer) {
  software_ = Offer{offered, newer};
  ShowOffers();
  const bool asked = std::exchange(software_check_asked_, false);
  if (newer) {
    Ask(Question::kSoftware);
  } else if (asked) {
    ctx_.main.Message(text_id::kSoftwareTitle, text_id::kNoUpdate, ui::kMessageOk);
  }
}

void UpdatePage::FirmwareChecked(const std::string&, const std::string& offered, bool newer) {
  firmware_ = Offer{offered, newer};
  ShowOffers();
  if (newer) Ask(Question::kFirmware);
}

void UpdatePage::Ask(Question question) {
  questions_.push_back(question);
  if (asking_) return;
  asking_ = true;
  while (!questions_.empty()) {
    const Question next = questions_.front();
    questions_.pop_front();
    next == Question::kSoftware ? AskSoftwareUpdate() : AskFirmwareUpgrade();
  }
  asking_ = false;
}

void UpdatePage::ShowOffers() {
  using namespace ui::ctl;
  const TextLookup& text = ctx_.text;
  // "<new version>: v1.0.2" for a newer offer, "<latest version>" otherwise.
  const auto line = [&](const std::optional<Offer>& offer, char prefix, const std::string& version) {
    if (!offer) return std::string();
    if (!offer->newer) return text(text_id::kNoUpdate);
    std::string shown = text(text_id::kNewVersion);
    shown.append(": ").push_back(prefix);
    shown.append(version);
    return shown;
  };
  ctx_.toolkit.SetText(kSoftwareOffer, line(software_, 'v', software_ ? software_->version : std::string()));
  ctx_.toolkit.SetText(kFirmwareOffer,
                       line(firmware_, 'V', firmware_ ? DottedVersion(firmware_->version) : std::string()));
  ctx_.toolkit.SetEnabled(kInstallSoftware, software_ && software_->newer);
  ctx_.toolkit.SetEnabled(kUpgradeFirmware, firmware_ && firmware_->newer);
}

void UpdatePage::AskSoftwareUpdate() {
  if (!software_ || !software_->newer || download_window_.IsOpen()) return;
  const TextLookup& text = ctx_.text;
  const std::string question =
      text(text_id::kNewVersion) + ":V" + software_->version + ", " + text(text_id::kUpdateNowQuestion);
  if (ui::ShowMessageBox(ctx_.toolkit, text, text(text_id::kSoftwareUpdateTitle), question, ui::kMessageOkCancel) ==
      ui::kResultCancel) {
    return;
  }
  ctx_.queue.Push(kTaskDownloadSoftware);
  download_window_.Open();
}

void UpdatePage::AskFirmwareUpgrade() {
  if (!firmware_ || !firmware_->newer || upgrade_window_.IsOpen()) return;
  const TextLookup& text = ctx_.text;
  const std::string question =
      text(text_id::kNewVersion) + ":V" + DottedVersion(firmware_->version) + ", " + text(text_id::kUpdateNowQuestion);
  if (ui::ShowMessageBox(ctx_.toolkit, text, text(text_id::kFirmwareTitle), question, ui::kMessageOkCancel) ==
      ui::kResultCancel) {
    return;
  }
  ctx_.queue.Push(kTaskUpgradeFirmware);
  upgrade_window_.Open();
}

void UpdatePage::DownloadProgress(int percent) { download_window_.SetDownloadProgress(percent); }

void UpdatePage::SoftwareDownloaded(UpdateProblem problem, const std::filesystem::path& installer) {
  download_window_.Close();
  if (problem == UpdateProblem::kNone && !(options_.open_installer && options_.open_installer(installer))) {
    problem = UpdateProblem::kInstallerStart;
  }
  if (problem != UpdateProblem::kNone) {
    TellProblem(problem);
    return;
  }
  // The installer replaces the program, which therefore ends.
  options_.exit_program();
}

void UpdatePage::UpgradeStepped(int text_id, int percent) {
  upgrade_window_.SetUpgradeProgress(ctx_.text(text_id), percent);
}

void UpdatePage::UpgradeEnded(UpdateProblem problem) {
  if (problem == UpdateProblem::kNone) {
    // The installed version changed; the next check offers nothing older.
    firmware_.reset();
    ShowOffers();
    linger_timer_ = ctx_.toolkit.StartTimer(kUpgradeWindowLinger, false, [this] {
      linger_timer_.reset();
      upgrade_window_.Close();
    });
    return;
  }
  upgrade_window_.ShowFailure(ctx_.text(text_id::kUpgradeFailedStep));
  TellProblem(problem);
  upgrade_window_.Close();
}

void UpdatePage::TellProblem(UpdateProblem problem) {
  const int message = ProblemTextId(problem);
  if (message != 0) ctx_.main.Message(text_id::kUpdateFailedTitle, message, ui::kMessageOk);
}

}  // namespace korvane
