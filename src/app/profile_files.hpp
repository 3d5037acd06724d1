#pragma once

#include "app/page_context.hpp"

namespace korvane {

// The profile pop-up's import and export: the current profile to a file
// chosen in the save dialog, or a file chosen in the open dialog into the
// current profile, which is then written to the mouse. A file that cannot
// be read changes nothing and says nothing. UI thread only.
class ProfileFiles final {
 public:
  explicit ProfileFiles(PageContext context);

 private:
  PageContext ctx_;

  void Import();
  void Export();
};

}  // namespace korvane
