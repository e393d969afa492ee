#include "win/profile_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "common/temp_dir.h"

namespace {

using zavo::ProfileText;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

struct ReadCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  const char* expected;  // null: missing
};

TEST(ProfileFile, ReadsByTheRulesOfSettingsFiles) {
  const std::string longValue(1000, 'p');
  const std::string longFile = "[Dir]\nLibraryDir=" + longValue + "\n";
  const ReadCase cases[] = {
      {"plain", "[Editor]\nUseGrid=1\n", "Editor", "UseGrid", "1"},
      {"section case", "[editor]\nUseGrid=1\n", "EDITOR", "UseGrid", "1"},
      {"key case", "[Editor]\nusegrid=1\n", "Editor", "USEGRID", "1"},
      {"first occurrence of key", "[E]\nk=first\nk=second\n", "E", "k", "first"},
      {"first occurrence of section", "[E]\nk=first\n[e]\nk=second\n", "E", "k", "first"},
      {"blanks around", "[ E ]\n  k  =  a value  \n", "E", "k", "a value"},
      {"CRLF", "[E]\r\nk=v\r\nj=w\r\n", "E", "j", "w"},
      {"no final line break", "[E]\nk=v", "E", "k", "v"},
      {"empty value", "[E]\nk=\n", "E", "k", ""},
      {"value with =", "[E]\nk=a=b\n", "E", "k", "a=b"},
      {"other section", "[A]\nk=1\n[B]\nj=2\n", "A", "j", nullptr},
      {"missing section", "[A]\nk=1\n", "B", "k", nullptr},
      {"key before any section", "k=1\n[A]\n", "A", "k", nullptr},
      {"long value whole", longFile.c_str(), "Dir", "LibraryDir", longValue.c_str()},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto value = ProfileText(c.text).Find(c.section, c.key);
    if (c.expected == nullptr) {
      EXPECT_FALSE(value.has_value());
    } else {
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(*value, c.expected);
    }
  }
}

TEST(ProfileFile, IntegersAreReadAsAPrefixAndMissingKeysGiveTheDefault) {
  TempDir dir;
  const auto file = dir / "zavo.ini";
  WriteFile(file, "[N]\na=  3\nb=abc\nc=-12xyz\nd=+7\ne=99999999999\nf=\n");
  const struct {
    const char* key;
    int expected;
  } cases[] = {{"a", 3}, {"b", 0}, {"c", -12}, {"d", 7}, {"e", INT_MAX}, {"f", 0}, {"missing", 42}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(zavo::ReadProfileInt(file, "N", c.key, 42), c.expected);
  }
  EXPECT_EQ(zavo::ReadProfileInt(dir / "none.ini", "N", "a", 5), 5);
  EXPECT_EQ(zavo::ReadProfileString(dir / "none.ini", "N", "a", "dflt"), "dflt");
}

struct WriteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

TEST(ProfileFile, WritingChangesOneLineAndKeepsEveryOtherByte) {
  const WriteCase cases[] = {
      {"change in place", "; kept\n[E]\nk = old \nj=2\n\n[F]\nk=3\n", "e", "K", "new",
       "; kept\n[E]\nK=new\nj=2\n\n[F]\nk=3\n"},
      {"new key after the last key", "[E]\nk=1\n\n[F]\nx=1\n", "E", "j", "2",
       "[E]\nk=1\nj=2\n\n[F]\nx=1\n"},
      {"new key in an empty section", "[E]\n[F]\nx=1\n", "E", "j", "2", "[E]\nj=2\n[F]\nx=1\n"},
      {"new section at the end", "[E]\nk=1\n", "F", "j", "2", "[E]\nk=1\n[F]\nj=2\n"},
      {"new section, no final break", "[E]\nk=1", "F", "j", "2", "[E]\nk=1\n[F]\nj=2\n"},
      {"new key, no final break", "[E]\nk=1", "E", "j", "2", "[E]\nk=1\nj=2\n"},
      {"CRLF kept", "[E]\r\nk=1\r\n", "E", "j", "2", "[E]\r\nk=1\r\nj=2\r\n"},
      {"CRLF change", "[E]\r\nk=1\r\nx=0\r\n", "E", "k", "9", "[E]\r\nk=9\r\nx=0\r\n"},
      {"empty file", "", "E", "k", "v", "[E]\nk=v\n"},
      {"line break in value", "", "E", "k", "a\nb", "[E]\nk=a b\n"},
  };
  TempDir dir;
  const auto file = dir / "zavo.ini";
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, c.before);
    ASSERT_TRUE(zavo::WriteProfileString(file, c.section, c.key, c.value));
    EXPECT_EQ(ReadFile(file), c.after);
  }
}

TEST(ProfileFile, AMissingFileIsCreatedAndAFailedWriteAnswersFalse) {
  TempDir dir;
  ASSERT_TRUE(zavo::WriteProfileString(dir / "new.ini", "S", "k", "v"));
  EXPECT_EQ(ReadFile(dir / "new.ini"), "[S]\nk=v\n");
  // Its directory is not made, and nothing half-written stays.
  EXPECT_FALSE(zavo::WriteProfileString(dir / "no" / "such.ini", "S", "k", "v"));
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
  EXPECT_FALSE(zavo::WriteProfileString("", "S", "k", "v"));
  // A directory in the way of the file.
  std::filesystem::create_directory(dir / "d.ini");
  EXPECT_FALSE(zavo::WriteProfileString(dir / "d.ini", "S", "k", "v"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
