#include "settings/Inifilemanager.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::FixturePath;
using test::TempDir;

std::vector<std::u16string> NamesOf(const CIniMgr& ini, const std::u16string& section) {
  std::vector<std::u16string> names{u"untouched"};
  ini.GetValueNames(section, names);
  return names;
}

TEST(CIniMgr, ReadsSectionsPairsAndCommentsAsTheDeviceListNeedsThem) {
  CIniMgr ini;
  ASSERT_EQ(ini.LoadFile(FixturePath("settings/device-list.cfg").string()), CIniMgr::kLoaded);
  EXPECT_EQ(ini.Encoding(), CIniMgr::kEncodingAnsi);
  ASSERT_EQ(ini.Sections().size(), 3u);  // a repeated header is its own record
  EXPECT_TRUE(ini.HasSection(u"USB_VID_PID"));
  EXPECT_TRUE(ini.HasSection(u" Spaced "));
  EXPECT_FALSE(ini.HasSection(u"usb_vid_pid"));
  EXPECT_FALSE(ini.HasSection(u"Spaced"));

  // Spaces around "=" and a leading "#" stay part of the name; lines without
  // a name or without "=" add nothing; the second section is never seen.
  EXPECT_EQ(NamesOf(ini, u"USB_VID_PID"), (std::vector<std::u16string>{u"b", u"a ", u"#hash", u"b"}));
  EXPECT_EQ(ini.GetValue(u"USB_VID_PID", u"b"), u"USB\\VID_0D8C&PID_0001,sig1");
  EXPECT_EQ(ini.GetValue(u"USB_VID_PID", u"a "), u" spaced");
  EXPECT_EQ(ini.GetValue(u"USB_VID_PID", u"c"), u"");
  EXPECT_EQ(ini.GetValue(u"USB_VID_PID", u"B"), u"");
  EXPECT_EQ(ini.GetValue(u"USB_VID_PID", u""), u"");
  EXPECT_EQ(ini.GetValue(u" Spaced ", u"v"), u"1;not a comment");
  EXPECT_EQ(ini.GetValue(u"missing", u"b"), u"");
  EXPECT_EQ(NamesOf(ini, u"missing"), std::vector<std::u16string>{u"untouched"});
  EXPECT_EQ(ini.GetValue(u"", u"stray"), u"");  // lines before the first header are dropped
  // The section's lines hold the header and the non-comment lines only.
  EXPECT_EQ(ini.Sections()[0]->lines.front(), u"[USB_VID_PID]");
  EXPECT_EQ(ini.Sections()[0]->lines.size(), 7u);
}

struct EncodingCase {
  const char* what;
  std::string bytes;
  int result;
  int encoding;
  std::vector<std::u16string> lines;
};

TEST(CIniMgr, DecodesEveryMarkAndRejectsWhatCannotBeDecoded) {
  using namespace std::string_literals;
  const EncodingCase cases[] = {
      {"utf-8 mark only", "\xEF\xBB\xBF", 0, CIniMgr::kEncodingUtf8, {}},
      {"utf-16 mark only", "\xFF\xFE", 0, CIniMgr::kEncodingUtf16Le, {}},
      {"utf-8 two-byte", "\xEF\xBB\xBFk=\xC3\xA9", 0, CIniMgr::kEncodingUtf8, {u"k=\u00E9"}},
      {"utf-8 overlong passes", "\xEF\xBB\xBF\xC1\x81", 0, CIniMgr::kEncodingUtf8, {u"A"}},
      {"utf-8 four-byte", "\xEF\xBB\xBF\xF0\x9F\x98\x80", 5, CIniMgr::kEncodingUtf8, {}},
      {"utf-8 stray continuation", "\xEF\xBB\xBFk=\x80", 5, CIniMgr::kEncodingUtf8, {}},
      {"utf-8 cut short", "\xEF\xBB\xBFk=\xE2\x82", 5, CIniMgr::kEncodingUtf8, {}},
      {"utf-8 bad continuation", "\xEF\xBB\xBF\xC3(", 5, CIniMgr::kEncodingUtf8, {}},
      {"8-bit widened", "k=\xE9\xFF", 0, CIniMgr::kEncodingAnsi, {u"k=\u00E9\u00FF"}},
      {"utf-16le", "\xFF\xFEk\0=\0\xAC\x20"s, 0, CIniMgr::kEncodingUtf16Le, {u"k=\u20AC"}},
      {"utf-16be", "\xFE\xFF\0k\0=\x20\xAC"s, 0, CIniMgr::kEncodingUtf16Be, {u"k=\u20AC"}},
      {"utf-16le odd byte ignored", "\xFF\xFEk\0="s, 0, CIniMgr::kEncodingUtf16Le, {u"k"}},
      {"utf-32le", "\xFF\xFE\0\0k\0\0\0"s, 0, CIniMgr::kEncodingUtf32Le, {u"k"}},
      {"utf-32be", "\0\0\xFE\xFF\0\0\0k"s, 0, CIniMgr::kEncodingUtf32Be, {u"k"}},
      {"utf-32 length", "\xFF\xFE\0\0k\0\0"s, 5, CIniMgr::kEncodingUtf32Le, {}},
      {"utf-32 above 0xFFFF", "\xFF\xFE\0\0\0\0\1\0"s, 5, CIniMgr::kEncodingUtf32Le, {}},
      {"lf runs, spaces then cr trimmed", "\n\n  a = 1 \r\n   \n\tb\r", 0, CIniMgr::kEncodingAnsi,
       {u"a = 1 ", u"", u"\tb"}},
      {"cr alone is no line end", "[s]\rk=1\r", 0, CIniMgr::kEncodingAnsi, {u"[s]\rk=1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CIniMgr ini;
    EXPECT_EQ(ini.LoadBytes(c.bytes), c.result);
    EXPECT_EQ(ini.Encoding(), c.encoding);
    EXPECT_EQ(ini.Lines(), c.lines);
    if (c.result != 0) {
      EXPECT_TRUE(ini.Sections().empty());
    }
  }
}

TEST(CIniMgr, FailedLoadsKeepOrDropContentAsTheirResultSays) {
  TempDir dir;
  const std::string good = dir.Write("good.ini", "[A]\nk=1\n");
  CIniMgr ini;
  ASSERT_EQ(ini.LoadFile(good), 0);

  EXPECT_EQ(ini.LoadFile(dir.File("missing.ini")), CIniMgr::kCannotOpen);
  EXPECT_EQ(ini.Path(), dir.File("missing.ini"));
  EXPECT_EQ(ini.GetValue(u"A", u"k"), u"1");
  EXPECT_EQ(ini.LoadFile(dir.path().string()), CIniMgr::kCannotOpen);  // a folder
  EXPECT_EQ(ini.GetValue(u"A", u"k"), u"1");

  const std::string bad = dir.Write("bad.ini", "\xEF\xBB\xBF[A]\nk=\xFF\n");
  EXPECT_EQ(ini.LoadFile(bad), CIniMgr::kCannotDecode);
  EXPECT_FALSE(ini.HasSection(u"A"));
  EXPECT_TRUE(ini.Lines().empty());

  ASSERT_EQ(ini.LoadFile(FixturePath("settings/utf16le-odd.ini").string()), 0);
  EXPECT_EQ(ini.GetValue(u"A", u"k"), u"v\u00E9");
  ini.Clear();
  EXPECT_FALSE(ini.HasSection(u"A"));
}

TEST(CIniMgr, WideAndNarrowPathsNameTheSameFile) {
  TempDir dir;
  const std::string path = dir.Write("caf\xC3\xA9.ini", "[S]\nk=v\n");
  CIniMgr ini;
  EXPECT_EQ(ini.LoadFile(dir.path().u16string() + u"/caf\u00E9.ini"), 0);
  EXPECT_EQ(ini.Path(), path);
  EXPECT_EQ(ini.GetValue(u"S", u"k"), u"v");
}

}  // namespace
}  // namespace audio77
