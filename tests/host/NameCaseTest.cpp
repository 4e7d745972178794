// Names as Windows compares them: letter case aside, accented letters of the Western code
// page included, nothing else folded.
#include <gtest/gtest.h>

#include "TestApp.h"
#include "platform/NameCase.h"

namespace {

TEST(NameCase, AccentedLettersAreOneNameWithTheirCapitalsAndNothingElseIsFolded) {
  // Latin-1 and the four letters the Western code page keeps below it.
  EXPECT_TRUE(platform::sameName("J\xfcrgen", "J\xdcRGEN"));                  // ü Ü
  EXPECT_TRUE(platform::sameName("Menu D\xe9marrer", "MENU D\xc9MARRER"));    // é É
  EXPECT_TRUE(platform::sameName("\x9a\x9c\x9e\xff", "\x8a\x8c\x8e\x9f"));  // š œ ž ÿ
  EXPECT_FALSE(platform::sameName("Stra\xdf" "e", "STRASSE")) << "ß has no capital of one letter";
  EXPECT_FALSE(platform::sameName("a\xf7" "b", "a\xd7" "b")) << "÷ and × are no letters";
  EXPECT_FALSE(platform::sameName("abc.", "abc")) << "a trailing dot is part of a listed name";
  EXPECT_FALSE(platform::sameName("", "")) << "an empty name is nobody's";
  EXPECT_EQ(platform::upperCased("c:\\d\xe9j\xe0 vu\\x.txt"), "C:\\D\xc9J\xc0 VU\\X.TXT");
}

TEST(NameCase, TheSimulatedDiskAndRegistryOpenAnAccentedNameBySpellingsOfOtherCase) {
  TestApp t;
  t.machine.files.makeFolders("C:\\Dokumente\\J\xfcrgen");
  ASSERT_EQ(0, t.machine.files.writeFile("C:\\DOKUMENTE\\J\xdcRGEN\\brief.txt", "x"));
  std::string text;
  EXPECT_EQ(0, t.machine.files.readFile("c:\\dokumente\\j\xfcrgen\\BRIEF.TXT", &text));
  t.machine.registry.setString(platform::hkey::CurrentUser, "Software\\Caf\xe9", "v", "1");
  EXPECT_EQ(t.machine.registry.getString(platform::hkey::CurrentUser, "SOFTWARE\\CAF\xc9", "V"), "1");
}

}  // namespace
