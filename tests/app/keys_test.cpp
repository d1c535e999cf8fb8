// The play keys by the names a browser gives them, as the window binds them.

#include "app/keys.h"

#include <gtest/gtest.h>

namespace pakkon {
namespace {

std::string played(std::string_view key, bool shift = false, bool ctrl = false, int marked = 0) {
  PlayControls c;
  c.checked = marked;
  const std::optional<KeyCommand> k = fncKey_command(key, shift, ctrl, c);
  if (!k) return "-";
  if (k->kind == KeyCommand::Kind::Mark) return "mark " + std::to_string(k->block + 1);
  if (k->kind == KeyCommand::Kind::Hint) return "hint";
  return fncAction_text(k->action);
}

TEST(KeyMap, TheWindowsKeyMap) {
  const std::pair<const char*, const char*> plain[] = {
      {"ArrowLeft", "x-"},     {"ArrowRight", "x+"}, {"ArrowUp", "y-"}, {"ArrowDown", "y+"}, {"PageUp", "z+"},
      {"PageDown", "z-"},      {"q", "tz"},          {"w", "tx"},       {"e", "ty"},         {"o", "org"},
      {"b", "bottom"},         {"r", "reset"},       {"s", "shuffle"},  {"Enter", "load"},   {" ", "load"},
      {"Backspace", "cancel"}, {"Delete", "clear"},  {"u", "unload 1"}, {"h", "hint"},       {"3", "sel 3"},
      {"8", "sel 8"},          {"9", "-"},           {"x", "-"},        {"Escape", "-"}};
  for (const auto& [key, action] : plain) EXPECT_EQ(played(key), action) << key;
}

TEST(KeyMap, ModifiersCaseAndTheMark) {
  // Shift turns the box; a capital from Caps Lock alone does not.
  EXPECT_EQ(played("Q", true), "box-tz");
  EXPECT_EQ(played("W", true), "box-tx");
  EXPECT_EQ(played("e", true), "box-ty");
  EXPECT_EQ(played("O", true), "box-org");
  EXPECT_EQ(played("Q"), "tz");
  EXPECT_EQ(played("r", true), "-");
  EXPECT_EQ(played("z", false, true), "undo");
  EXPECT_EQ(played("Z", true, true), "redo");
  EXPECT_EQ(played("y", false, true), "redo");
  EXPECT_EQ(played("4", false, true), "mark 4");
  EXPECT_EQ(played("q", false, true), "-");
  EXPECT_EQ(played("u", false, false, 5), "unload 6");

  PlayControls c;
  c.option[3] = true;
  EXPECT_FALSE(subOption_mark(c, 2));  // not loaded: no option to mark
  EXPECT_TRUE(subOption_mark(c, 3));
  EXPECT_EQ(c.checked, 3);
}

TEST(KeyMap, AFocusedControlKeepsTheKeysItUses) {
  using F = FocusedControl;
  EXPECT_TRUE(fncKey_ownedBy(F::Button, " ", false));
  EXPECT_TRUE(fncKey_ownedBy(F::Button, "Enter", false));
  EXPECT_FALSE(fncKey_ownedBy(F::Button, "ArrowLeft", false));
  EXPECT_TRUE(fncKey_ownedBy(F::OptionButton, "ArrowLeft", false));
  EXPECT_TRUE(fncKey_ownedBy(F::List, "PageDown", false));
  EXPECT_FALSE(fncKey_ownedBy(F::List, "Enter", false));
  EXPECT_FALSE(fncKey_ownedBy(F::List, "ArrowUp", true));
  EXPECT_FALSE(fncKey_ownedBy(F::Other, " ", false));
}

}  // namespace
}  // namespace pakkon
