#include "device/hidapi_transport.hpp"

#include <hidapi.h>

#include <cwchar>

#include "common/text.hpp"
#include "device/accepted_interface.hpp"

namespace korvane {

namespace {

// Product strings are read into a buffer of this many wide characters.
constexpr std::size_t kProductChars = 512;

// hidapi hands out wide (UTF-32) strings; the program keeps UTF-8. The text
// is passed through UTF-16 so the one UTF-8 encoder in common/ is used.
std::string WideToUtf8(const wchar_t* text) {
  std::string utf16;
  auto put = [&utf16](std::uint32_t unit) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  };
  for (; *text != L'\0'; ++text) {
    auto cp = static_cast<std::uint32_t>(*text);
    if (cp > 0x10FFFF) cp = 0xFFFD;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 | (cp >> 10));
      put(0xDC00 | (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return Utf16LeToUtf8(utf16);
}

HidInterfaceInfo ToInfo(const hid_device_info& device) {
  HidInterfaceInfo info;
  info.path = device.path ? device.path : "";
  info.vendor_id = device.vendor_id;
  info.product_id = device.product_id;
  info.release_number = device.release_number;
  info.usage_page = device.usage_page;
  info.usage = device.usage;
  info.interface_number = device.interface_number;
  return info;
}

class HidapiHandle final : public HidHandle {
 public:
  explicit HidapiHandle(hid_device* device) : device_(device) {}
  ~HidapiHandle() override { hid_close(device_); }
  HidapiHandle(const HidapiHandle&) = delete;
  HidapiHandle& operator=(const HidapiHandle&) = delete;

  int Write(std::span<const std::uint8_t> report) override { return hid_write(device_, report.data(), report.size()); }

  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    return hid_read_timeout(device_, buffer.data(), buffer.size(), timeout_ms);
  }

  std::string ProductString() override {
    wchar_t text[kProductChars] = {};
    if (hid_get_product_string(device_, text, kProductChars) != 0) return {};
    text[kProductChars - 1] = L'\0';
    return WideToUtf8(text);
  }

 private:
  hid_device* device_;
};

}  // namespace

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate() {
  std::vector<HidInterfaceInfo> interfaces;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* device = list; device != nullptr; device = device->next) {
    interfaces.push_back(ToInfo(*device));
  }
  hid_free_enumeration(list);
  return interfaces;
}

std::unique_ptr<HidHandle> HidapiTransport::Open(const std::string& path) {
  hid_device* device = hid_open_path(path.c_str());
  if (device == nullptr) return nullptr;
  return std::make_unique<HidapiHandle>(device);
}

std::optional<HidInterfaceInfo> HidapiTransport::Probe(const std::string& path) {
  return ProbeAmong(Enumerate(), path);
}

}  // namespace korvane
