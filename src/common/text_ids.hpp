#pragma once

// Numbers of the language texts that several parts of the program show.
namespace korvane::text_id {

inline constexpr int kClose = 5;               // tooltip of the close buttons
inline constexpr int kFirmwareVersion = 16;    // label before a firmware version
inline constexpr int kConnectedWired = 51;     // status line: wired mouse
inline constexpr int kConnectedReceiver = 52;  // status line: through the receiver
inline constexpr int kNoMouse = 57;            // no mouse is reachable (title or message)
inline constexpr int kProfile = 61;            // the word before a profile's number

}  // namespace korvane::text_id
