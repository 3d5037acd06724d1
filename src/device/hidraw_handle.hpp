#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "device/hid_transport.hpp"

namespace korvane {

// An open hidraw node, read and written through the program's own file
// descriptor. Reads wait in poll() on the node and on an eventfd that
// InterruptRead signals, so a read may wait without a timeout and still end
// on request. A read and a write may run on two threads at once: they share
// nothing but the descriptor, which the kernel serialises.
class HidrawHandle final : public HidHandle {
 public:
  // Takes the descriptor of an open node (closed with the handle, or at
  // once when no handle can be made). The output report length comes from
  // the node's report descriptor; where the node gives none, it is the
  // configuration interface's 65 bytes. nullptr when no eventfd can be made.
  static std::unique_ptr<HidrawHandle> Adopt(int fd, std::string product);

  ~HidrawHandle() override;
  HidrawHandle(const HidrawHandle&) = delete;
  HidrawHandle& operator=(const HidrawHandle&) = delete;

  int Write(std::span<const std::uint8_t> report) override;
  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override;
  void InterruptRead() override;
  std::string ProductString() override { return product_; }
  std::size_t OutputReportLength() const override { return output_length_; }

 private:
  HidrawHandle(int fd, int interrupt, std::string product, std::size_t output_length);

  const int fd_;
  const int interrupt_;
  const std::string product_;
  const std::size_t output_length_;
};

}  // namespace korvane
