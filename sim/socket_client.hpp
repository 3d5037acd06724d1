#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_transport.hpp"
#include "platform/hotplug_source.hpp"
#include "sim/socket_protocol.hpp"

namespace korvane::sim {

// The HID transport and hot-plug source of a virtual bus served by
// `korvane-virtual-mouse serve` on a Unix socket. Each open handle has its
// own connection; enumeration and probes use a short connection each; the
// hot-plug listener is fed by a subscription connection with its own thread.
// When the server goes away, handles report errors and enumeration is empty.
class SocketTransport final : public HidTransport, public HotplugSource {
 public:
  explicit SocketTransport(std::string socket_path);
  ~SocketTransport() override;
  SocketTransport(const SocketTransport&) = delete;
  SocketTransport& operator=(const SocketTransport&) = delete;

  std::vector<HidInterfaceInfo> Enumerate() override;
  std::unique_ptr<HidHandle> Open(const std::string& path) override;
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override;
  // Subscribes on the first call; the listener is called on the
  // subscription's thread, never again once SetListener has replaced it.
  void SetListener(Listener listener) override;

 private:
  std::string socket_path_;
  std::mutex listener_mutex_;  // held while the listener runs
  Listener listener_;
  std::mutex mutex_;  // guards the subscription
  std::shared_ptr<wire::Connection> events_;
  std::thread events_thread_;
};

// Sends one control command (see RunControl) for the named device, or all
// devices when the name is empty, to a server; nullopt with error set when
// the server cannot be reached.
std::optional<ControlResult> SendControl(const std::string& socket_path, const std::string& device,
                                         const std::vector<std::string>& words, std::string* error);

}  // namespace korvane::sim
