#include "device/report_log.hpp"

#include <cstdlib>
#include <cstring>
#include <string>

namespace korvane {

namespace {

void PrintReport(std::ostream& out, const char* direction, const std::string& path,
                 std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line = std::string(direction) + " " + path + ":";
  for (std::uint8_t byte : bytes) {
    line += ' ';
    line += kDigits[byte >> 4];
    line += kDigits[byte & 0x0F];
  }
  line += '\n';
  out << line << std::flush;
}

class LoggedHandle final : public HidHandle {
 public:
  LoggedHandle(std::unique_ptr<HidHandle> inner, std::string path, std::ostream& out)
      : inner_(std::move(inner)), path_(std::move(path)), out_(out) {}

  int Write(std::span<const std::uint8_t> report) override {
    PrintReport(out_, "write", path_, report);
    return inner_->Write(report);
  }

  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    const int read = inner_->Read(buffer, timeout_ms);
    if (read > 0) PrintReport(out_, "read", path_, buffer.first(static_cast<std::size_t>(read)));
    return read;
  }

  void InterruptRead() override { inner_->InterruptRead(); }
  std::string ProductString() override { return inner_->ProductString(); }
  std::size_t OutputReportLength() const override { return inner_->OutputReportLength(); }

 private:
  std::unique_ptr<HidHandle> inner_;
  std::string path_;
  std::ostream& out_;
};

class LoggedTransport final : public HidTransport {
 public:
  LoggedTransport(std::unique_ptr<HidTransport> inner, std::ostream& out) : inner_(std::move(inner)), out_(out) {}

  std::vector<HidInterfaceInfo> Enumerate() override { return inner_->Enumerate(); }

  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    auto handle = inner_->Open(path);
    if (!handle) return nullptr;
    return std::make_unique<LoggedHandle>(std::move(handle), path, out_);
  }

  std::optional<HidInterfaceInfo> Probe(const std::string& path) override { return inner_->Probe(path); }

 private:
  std::unique_ptr<HidTransport> inner_;
  std::ostream& out_;
};

}  // namespace

bool ReportLogRequested() {
  const char* level = std::getenv("KORVANE_LOG");
  return level != nullptr && std::strcmp(level, "debug") == 0;
}

std::unique_ptr<HidTransport> WithReportLog(std::unique_ptr<HidTransport> transport, std::ostream& out) {
  return std::make_unique<LoggedTransport>(std::move(transport), out);
}

}  // namespace korvane
