#include "frontend/qt/x11_key_listener.hpp"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>

#include "keys/evdev_keys.hpp"

namespace korvane::qt {

namespace {

// Selects (or, with an empty mask, drops) the raw key events of every
// master keyboard on the root window.
void SelectRawKeys(xcb_connection_t* connection, xcb_window_t root, std::uint32_t events) {
  struct {
    xcb_input_event_mask_t head;
    std::uint32_t mask;
  } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, events};
  xcb_input_xi_select_events(connection, root, 1, &mask.head);
  xcb_flush(connection);
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

constexpr std::uint32_t kRawKeys = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;

}  // namespace

std::unique_ptr<X11KeyListener> X11KeyListener::Create(Report report) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return nullptr;
  }
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
  xcb_input_xi_query_version_reply_t* version =
      extension != nullptr && extension->present
          ? xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr)
          : nullptr;
  const bool usable = version != nullptr && version->major_version >= 2;
  std::free(version);
  if (!usable) {
    xcb_disconnect(connection);
    return nullptr;
  }
  SelectRawKeys(connection, RootWindow(connection), kRawKeys);
  return std::unique_ptr<X11KeyListener>(new X11KeyListener(connection, extension->major_opcode, std::move(report)));
}

X11KeyListener::X11KeyListener(xcb_connection_t* connection, int opcode, Report report)
    : connection_(connection),
      opcode_(opcode),
      report_(std::move(report)),
      notifier_(new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this)) {
  connect(notifier_, &QSocketNotifier::activated, this, &X11KeyListener::ReadEvents);
}

X11KeyListener::~X11KeyListener() {
  SelectRawKeys(connection_, RootWindow(connection_), 0);
  xcb_disconnect(connection_);
}

void X11KeyListener::ReadEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if ((event->response_type & 0x7F) == XCB_GE_GENERIC && generic->extension == opcode_ &&
        (generic->event_type == XCB_INPUT_RAW_KEY_PRESS || generic->event_type == XCB_INPUT_RAW_KEY_RELEASE)) {
      const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
      const int evdev = EvdevFromNativeKeyCode(static_cast<int>(raw->detail));
      report_(generic->event_type == XCB_INPUT_RAW_KEY_PRESS, evdev);
    }
    std::free(event);
  }
}

}  // namespace korvane::qt
