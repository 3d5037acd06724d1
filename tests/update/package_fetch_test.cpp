#include "update/package_fetch.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "support/file_bytes.hpp"
#include "support/http_server.hpp"
#include "support/temp_dir.hpp"
#include "support/zip_writer.hpp"
#include "update/software_update.hpp"

namespace korvane {
namespace {

class PackageFetchTest : public ::testing::Test {
 protected:
  // A software package of version 1.0.2 holding its installer.
  std::string Package() {
    test::WriteZip(dir / "built.zip", {{"Mouse-Setup-1.0.2.deb", "installer bytes"}});
    return test::ReadFileBytes(dir / "built.zip");
  }

  SoftwareDownload Download() {
    return DownloadSoftwareUpdate(downloader, server.BaseUrl() + "/center/", "1.0.2", dir / "temp", nullptr);
  }

  test::LoopbackHttpServer server;
  HttpDownloader downloader;
  test::TempDir dir;
};

TEST_F(PackageFetchTest, APackageMatchingItsDigestIsUnpackedAndItsZipRemoved) {
  const std::string zip = Package();
  server.Serve("/center/Mouse-Setup-1.0.2.zip", zip);
  // sha256sum's format, upper-case digits accepted.
  std::string digest = test::Sha256Of(zip);
  for (char& c : digest) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  server.Serve("/center/Mouse-Setup-1.0.2.zip.sha256", digest + "  Mouse-Setup-1.0.2.zip\n");
  const SoftwareDownload download = Download();
  EXPECT_EQ(download.problem, UpdateProblem::kNone);
  EXPECT_EQ(download.installer, dir / "temp" / "Mouse-Setup-1.0.2.deb");
  EXPECT_EQ(test::ReadFileBytes(download.installer), "installer bytes");
  EXPECT_FALSE(std::filesystem::exists(dir / "temp" / "Mouse-Setup-1.0.2.zip"));
}

TEST_F(PackageFetchTest, AWrongOrMissingDigestOverPlainHttpDeletesThePackage) {
  const std::string zip = Package();
  server.Serve("/center/Mouse-Setup-1.0.2.zip", zip);
  struct Case {
    std::string digest_file;  // empty: none published
    UpdateProblem problem;
  };
  for (const Case& c :
       {Case{test::Sha256Of("something else") + "  Mouse-Setup-1.0.2.zip\n", UpdateProblem::kDigestMismatch},
        Case{"not a digest\n", UpdateProblem::kDigestMismatch}, Case{"", UpdateProblem::kDigestMissing}}) {
    SCOPED_TRACE(c.digest_file);
    if (c.digest_file.empty()) {
      server.Serve("/center/Mouse-Setup-1.0.2.zip.sha256", "<html>Not found</html>", 404);
    } else {
      server.Serve("/center/Mouse-Setup-1.0.2.zip.sha256", c.digest_file);
    }
    const SoftwareDownload download = Download();
    EXPECT_EQ(download.problem, c.problem);
    EXPECT_TRUE(download.installer.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "temp" / "Mouse-Setup-1.0.2.zip"));
    EXPECT_FALSE(std::filesystem::exists(dir / "temp" / "Mouse-Setup-1.0.2.deb"));
  }
}

TEST_F(PackageFetchTest, WithoutADigestOnlyHttpsVouchesForAPackage) {
  std::ofstream(dir / "package.zip") << "bytes";
  // No server answers either address, so no digest is published.
  EXPECT_EQ(CheckPackage(downloader, "https://127.0.0.1:9/package.zip", dir / "package.zip"), UpdateProblem::kNone);
  EXPECT_TRUE(std::filesystem::exists(dir / "package.zip"));
  EXPECT_EQ(CheckPackage(downloader, "http://127.0.0.1:9/package.zip", dir / "package.zip"),
            UpdateProblem::kDigestMissing);
  EXPECT_FALSE(std::filesystem::exists(dir / "package.zip"));
}

TEST_F(PackageFetchTest, APackageWithoutTheInstallerOrAFailedDownloadIsNoUpdate) {
  test::WriteZip(dir / "other.zip", {{"readme.txt", "no installer"}});
  const std::string zip = test::ReadFileBytes(dir / "other.zip");
  server.Serve("/center/Mouse-Setup-1.0.2.zip", zip);
  server.Serve("/center/Mouse-Setup-1.0.2.zip.sha256", test::Sha256Of(zip) + "  Mouse-Setup-1.0.2.zip\n");
  EXPECT_EQ(Download().problem, UpdateProblem::kUnpack);
  server.Serve("/center/Mouse-Setup-1.0.2.zip", "<html>Not found</html>", 404);
  EXPECT_EQ(Download().problem, UpdateProblem::kDownload);
}

TEST(JoinUrl, OneSlashBetweenAddressAndName) {
  EXPECT_EQ(JoinUrl("https://a.example/update/", "version"), "https://a.example/update/version");
  EXPECT_EQ(JoinUrl("https://a.example/update", "version"), "https://a.example/update/version");
  EXPECT_EQ(JoinUrl("https://a.example/fw", "/mouse/version"), "https://a.example/fw/mouse/version");
}

}  // namespace
}  // namespace korvane
