// korvane-test-http-server DIR [--port-file FILE]: serves every file under
// DIR at its path relative to DIR on 127.0.0.1, on a free port, until SIGTERM
// or SIGINT. The port is printed on standard output and, with --port-file,
// written to FILE in one step (a reader never sees half of it). For the shell
// tests of the command line and the download benchmarks.
#include <pthread.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "support/http_server.hpp"

namespace {

bool WritePortFile(const std::filesystem::path& file, std::uint16_t port) {
  const std::filesystem::path temporary = file.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << port << '\n';
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Serves a folder over HTTP on 127.0.0.1 for tests; prints the port."};
  std::filesystem::path folder;
  std::optional<std::filesystem::path> port_file;
  app.add_option("DIR", folder, "The folder to serve")->required()->check(CLI::ExistingDirectory);
  app.add_option("--port-file", port_file, "Also write the port to this file");
  CLI11_PARSE(app, argc, argv);

  // Blocked before the server's threads start, so they inherit the mask and
  // the signals reach sigwait below.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  try {
    korvane::test::LoopbackHttpServer server;
    server.ServeFolder(folder);
    std::cout << server.Port() << std::endl;
    if (port_file && !WritePortFile(*port_file, server.Port())) {
      std::cerr << "korvane-test-http-server: cannot write " << *port_file << '\n';
      return 1;
    }
    int signal = 0;
    sigwait(&stop_signals, &signal);
  } catch (const std::exception& error) {
    std::cerr << "korvane-test-http-server: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
