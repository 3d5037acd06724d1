#include "update/zip_unpack.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "support/file_bytes.hpp"
#include "support/temp_dir.hpp"
#include "support/zip_writer.hpp"

namespace korvane {
namespace {

TEST(ZipEntryTarget, NamesStayInsideTheFolder) {
  struct Case {
    const char* name;
    const char* target;  // nullptr: skipped
  };
  for (const Case& c : {
           Case{"setup.deb", "setup.deb"},
           Case{"docs/readme.txt", "docs/readme.txt"},
           Case{"..\\..\\evil.exe", "evil.exe"},
           Case{"C:\\Windows\\evil.exe", "Windows/evil.exe"},
           Case{"/etc/passwd", "etc/passwd"},
           Case{"\\\\server\\share\\x", "server/share/x"},
           Case{"a/b/../../c", "c"},
           Case{"a\\../b", "b"},
           Case{"a/..\\b", "b"},
           Case{"a/..//x", "x"},
           Case{"../evil", nullptr},
           Case{"..\\evil", nullptr},
           Case{"a/..", nullptr},
           Case{"..", nullptr},
           Case{"/", nullptr},
           Case{"", nullptr},
       }) {
    SCOPED_TRACE(c.name);
    const auto target = ZipEntryTarget(c.name);
    if (c.target) {
      ASSERT_TRUE(target.has_value());
      EXPECT_EQ(*target, c.target);
    } else {
      EXPECT_FALSE(target.has_value()) << *target;
    }
  }
}

class UnzipAllTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path zip = dir / "package.zip";
  std::filesystem::path folder = dir / "temp";
  std::filesystem::path outside = dir / "outside";

  void SetUp() override {
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(outside);
  }
};

TEST_F(UnzipAllTest, EveryTraversalFormLandsInsideAndLinksAreNeitherWrittenNorFollowed) {
  // A link already in the folder that points outside it.
  std::filesystem::create_symlink(outside / "victim.txt", folder / "planted.txt");
  std::filesystem::create_directory_symlink(outside, folder / "planted-dir");
  test::WriteZip(zip, {
                          {"setup.deb", "installer"},
                          {"..\\..\\evil.exe", "one"},
                          {"../escape.txt", "two"},
                          {"sub/../../../escape2.txt", "three"},
                          {"link", "/etc/passwd", true},
                          {"planted.txt", "replaced"},
                          {"planted-dir/inner.txt", "four"},
                          {"nested/folder/file.txt", "five"},
                      });
  ASSERT_TRUE(UnzipAll(zip, folder));
  EXPECT_EQ(test::ReadFileBytes(folder / "setup.deb"), "installer");
  EXPECT_EQ(test::ReadFileBytes(folder / "evil.exe"), "one");
  EXPECT_EQ(test::ReadFileBytes(folder / "escape2.txt"), "three");
  EXPECT_EQ(test::ReadFileBytes(folder / "nested" / "folder" / "file.txt"), "five");
  EXPECT_FALSE(std::filesystem::exists(dir / "escape.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder / "escape.txt"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "link")));
  // The planted file link was replaced by a plain file; nothing was written
  // through either link.
  EXPECT_FALSE(std::filesystem::is_symlink(folder / "planted.txt"));
  EXPECT_EQ(test::ReadFileBytes(folder / "planted.txt"), "replaced");
  EXPECT_FALSE(std::filesystem::exists(outside / "victim.txt"));
  EXPECT_FALSE(std::filesystem::exists(outside / "inner.txt"));
}

TEST_F(UnzipAllTest, StopsPastTheSizeLimitAndRefusesWhatIsNoArchive) {
  test::WriteZip(zip, {{"a.bin", std::string(600, 'a')}, {"b.bin", std::string(600, 'b')}});
  EXPECT_FALSE(UnzipAll(zip, folder, 1000));
  EXPECT_EQ(test::ReadFileBytes(folder / "a.bin"), std::string(600, 'a'));
  EXPECT_FALSE(std::filesystem::exists(folder / "b.bin"));
  EXPECT_TRUE(UnzipAll(zip, folder, 1200));

  std::ofstream(dir / "page.html") << "<html>404</html>";
  EXPECT_FALSE(UnzipAll(dir / "page.html", folder));
  EXPECT_FALSE(UnzipAll(dir / "missing.zip", folder));
}

}  // namespace
}  // namespace korvane
