#pragma once

namespace korvane {

// Why an update did not go through; kNone when it did.
enum class UpdateProblem {
  kNone,
  kCancelled,       // the user stopped the download
  kDownload,        // the package could not be fetched whole
  kDigestMismatch,  // the package differs from its published SHA-256 digest
  kDigestMissing,   // no digest is published and the package came over plain HTTP
  kUnpack,          // the package is no readable zip or lacks the expected file
  kNoInterface,     // the mouse's firmware-update interface is not there
  kStartRefused,    // the mouse did not take the start command
  kWriteFailed,     // a firmware report could not be written
  kInstallerStart,  // the desktop could not open the installer
};

// The language text that tells the user about problem (0 for kNone and
// kCancelled, which need no message).
int ProblemTextId(UpdateProblem problem);

}  // namespace korvane
