#include "xml/xml_markup.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.hpp"

namespace korvane {
namespace {

constexpr char kDoc[] = R"(<root><a n="1"/><b n="2"/><a n="3"/><c><d v="x"/></c></root>)";

TEST(XmlMarkup, FindIsForwardOnlyAndAMissKeepsThePosition) {
  XmlMarkup xml;
  ASSERT_TRUE(xml.LoadFromBuffer(kDoc));
  ASSERT_TRUE(xml.FindElem("root"));
  ASSERT_TRUE(xml.IntoElem());
  ASSERT_TRUE(xml.FindElem("b"));
  EXPECT_EQ(xml.GetAttrib("n"), "2");
  EXPECT_FALSE(xml.FindElem("zzz"));
  EXPECT_EQ(xml.GetAttrib("n"), "2") << "a miss must not move the cursor";
  ASSERT_TRUE(xml.FindElem("a"));
  EXPECT_EQ(xml.GetAttrib("n"), "3") << "the first <a> stands before <b> and is not found again";
  EXPECT_FALSE(xml.FindElem("b")) << "an element behind the cursor is never found";
  ASSERT_TRUE(xml.FindElem("c"));
  ASSERT_TRUE(xml.IntoElem());
  ASSERT_TRUE(xml.FindElem("d"));
  EXPECT_EQ(xml.GetAttrib("v"), "x");
  EXPECT_EQ(xml.GetAttrib("missing"), "");
  ASSERT_TRUE(xml.OutOfElem());
  EXPECT_EQ(xml.TagName(), "c");
  ASSERT_TRUE(xml.OutOfElem());
  EXPECT_EQ(xml.TagName(), "root");
  EXPECT_FALSE(xml.OutOfElem());
}

TEST(XmlMarkup, TruncatedDocumentFailsWithAnOffset) {
  XmlMarkup xml;
  EXPECT_FALSE(xml.LoadFromBuffer("<config><device><mouse name=\"x\""));
  EXPECT_FALSE(xml.Error().empty());
  EXPECT_GT(xml.ErrorOffset(), 0);
  EXPECT_FALSE(xml.FindElem("config")) << "a failed load leaves an empty document";
}

TEST(XmlMarkup, LoadsUtf16WithByteOrderMark) {
  const std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><m name=\"中文\"/>";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  XmlMarkup xml;
  ASSERT_TRUE(xml.LoadFromBuffer(bytes)) << xml.Error();
  ASSERT_TRUE(xml.FindElem("m"));
  EXPECT_EQ(xml.GetAttrib("name"), "中文");
}

TEST(XmlMarkup, SavesUtf8AfterTheExactDeclarationWithAttributesInOrder) {
  test::TempDir dir;
  XmlMarkup xml;
  ASSERT_TRUE(xml.AddElem("root"));
  ASSERT_TRUE(xml.AddChildElem("item"));
  xml.SetAttrib("zeta", "1");
  xml.SetAttrib("alpha", "é & <x>");
  ASSERT_TRUE(xml.AddElem("item"));
  xml.SetAttrib("n", 7);
  const auto file = dir / "out.xml";
  ASSERT_TRUE(xml.Save(file));

  std::ifstream in(file, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  const std::string text = content.str();
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
  EXPECT_LT(text.find("zeta"), text.find("alpha"));

  XmlMarkup back;
  ASSERT_TRUE(back.Load(file));
  ASSERT_TRUE(back.FindElem("root"));
  back.IntoElem();
  ASSERT_TRUE(back.FindElem("item"));
  EXPECT_EQ(back.GetAttrib("alpha"), "é & <x>");
  ASSERT_TRUE(back.FindElem("item"));
  EXPECT_EQ(back.GetAttrib("n"), "7");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.xml.part"));
}

TEST(XmlMarkup, AddElemInsertsAfterTheCurrentElement) {
  XmlMarkup xml;
  ASSERT_TRUE(xml.LoadFromBuffer("<r><a/><c/></r>"));
  xml.FindElem("r");
  xml.IntoElem();
  xml.FindElem("a");
  ASSERT_TRUE(xml.AddElem("b"));
  xml.ResetPos();
  xml.FindElem("r");
  xml.IntoElem();
  std::string order;
  while (xml.FindAnyElem()) order += xml.TagName();
  EXPECT_EQ(order, "abc");
}

}  // namespace
}  // namespace korvane
