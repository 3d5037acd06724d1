#include "device/hidapi_transport.hpp"

#include <fcntl.h>
#include <hidapi.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include "common/text.hpp"
#include "device/accepted_interface.hpp"
#include "device/hidraw_handle.hpp"

namespace korvane {

namespace {

// Product strings are held up to this many characters.
constexpr std::size_t kProductChars = 511;

// hidapi hands out wide (UTF-32) strings; the program keeps UTF-8. The text
// is passed through UTF-16 so the one UTF-8 encoder in common/ is used.
std::string WideToUtf8(const wchar_t* text) {
  std::string utf16;
  auto put = [&utf16](std::uint32_t unit) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  };
  for (std::size_t n = 0; n < kProductChars && *text != L'\0'; ++n, ++text) {
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

// The product string hidapi enumerates for the node open on fd; empty when
// the node is not a hidraw node or is not listed.
std::string ProductStringOf(int fd, const std::string& path) {
  hidraw_devinfo ids{};
  if (::ioctl(fd, HIDIOCGRAWINFO, &ids) < 0) return {};
  std::string product;
  hid_device_info* list =
      hid_enumerate(static_cast<std::uint16_t>(ids.vendor), static_cast<std::uint16_t>(ids.product));
  for (const hid_device_info* device = list; device != nullptr; device = device->next) {
    if (device->path && path == device->path && device->product_string) {
      product = WideToUtf8(device->product_string);
      break;
    }
  }
  hid_free_enumeration(list);
  return product;
}

}  // namespace

HidapiTransport::HidapiTransport() { hid_init(); }

HidapiTransport::~HidapiTransport() { hid_exit(); }

std::vector<HidInterfaceInfo> HidapiTransport::Enumerate() {
  std::lock_guard lock(mutex_);
  std::vector<HidInterfaceInfo> interfaces;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* device = list; device != nullptr; device = device->next) {
    interfaces.push_back(ToInfo(*device));
  }
  hid_free_enumeration(list);
  return interfaces;
}

// The node is read and written through a descriptor of the program's own
// rather than a hidapi handle: a hidapi handle must not be used by two
// threads at once, while the worker writes as its pump reads.
std::unique_ptr<HidHandle> HidapiTransport::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  std::string product;
  {
    std::lock_guard lock(mutex_);
    product = ProductStringOf(fd, path);
  }
  return HidrawHandle::Adopt(fd, std::move(product));
}

std::optional<HidInterfaceInfo> HidapiTransport::Probe(const std::string& path) {
  return ProbeAmong(Enumerate(), path);
}

}  // namespace korvane
