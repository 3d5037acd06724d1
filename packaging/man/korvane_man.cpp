// Writes the manual page of the desktop program from its option table:
//   korvane-man VERSION MANPAGE
#include <fstream>
#include <iostream>
#include <string>

#include "app/desktop_options.hpp"
#include "common/man_page.hpp"

namespace {

korvane::ManPage Page(const std::string& version) {
  using namespace korvane;
  ManPage page;
  page.name = "korvane";
  page.version = version;
  page.summary = kDesktopSummary;
  page.synopsis = "[OPTIONS]";
  ManSection description{
      "Description",
      "Korvane Center configures the Korvane gaming mice, the wired mouse and the wireless mouse with its "
      "2.4 GHz receiver: DPI levels, report rate, sensor and power options, button functions, macros, lighting "
      "and four profiles, kept per model and profile and written to the mouse with each change.\n\n"
      "Only one korvane runs per user: a second start shows the running window and exits. While it runs, the "
      "desktop program owns the mouse: korvanectl refuses the commands that talk to the mouse and says so.\n\n"
      "When the wireless mouse's battery falls below 20, 10 and 5 percent, a desktop notification says so once "
      "per step; the settings page turns these notifications off.",
      {}};
  ManSection options{"Options", "", {}};
  for (const DesktopOption& option : kDesktopOptions) {
    options.entries.push_back(
        {(option.single_dash ? "-" : "--") + std::string(option.name), option.value_name, option.help, false});
  }
  ManSection files{
      "Files",
      "",
      {{"../share/korvane/", "",
        "Beside the program's folder: config.xml, the model definitions, the language files and the skins.", false},
       {"$XDG_CONFIG_HOME/Korvane Center/settings.ini", "",
        "The application settings: language, current model, close-button, start-up and notification choices.", false},
       {"$XDG_DATA_HOME/Korvane Center Files/", "", "The settings databases of the models and profiles.", false}}};
  ManSection see_also{"See also", "korvanectl(1)", {}};
  page.sections = {description, options, files, see_also};
  return page;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvane-man VERSION MANPAGE\n";
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << korvane::RenderManPage(Page(argv[1]));
  out.close();
  if (!out) {
    std::cerr << "korvane-man: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
