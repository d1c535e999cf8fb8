#include "model/action.h"

#include "platform/text.h"

namespace pakkon {
namespace {

struct Token {
  ActionKind kind;
  const char* text;
};

constexpr Token kTokens[] = {
    {ActionKind::Select, "sel"},        {ActionKind::TurnZ, "tz"},        {ActionKind::TurnX, "tx"},
    {ActionKind::TurnY, "ty"},          {ActionKind::XInc, "x+"},         {ActionKind::XDec, "x-"},
    {ActionKind::YInc, "y+"},           {ActionKind::YDec, "y-"},         {ActionKind::ZInc, "z+"},
    {ActionKind::ZDec, "z-"},           {ActionKind::Origin, "org"},      {ActionKind::Bottom, "bottom"},
    {ActionKind::Reset, "reset"},       {ActionKind::Shuffle, "shuffle"}, {ActionKind::Load, "load"},
    {ActionKind::Cancel, "cancel"},     {ActionKind::Unload, "unload"},   {ActionKind::Clear, "clear"},
    {ActionKind::BoxTurnZ, "box-tz"},   {ActionKind::BoxTurnX, "box-tx"}, {ActionKind::BoxTurnY, "box-ty"},
    {ActionKind::BoxOrigin, "box-org"}, {ActionKind::Undo, "undo"},       {ActionKind::Redo, "redo"},
};

bool takesBlock(ActionKind k) { return k == ActionKind::Select || k == ActionKind::Unload; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string tokensText() {
  std::string out;
  for (const Token& t : kTokens) {
    if (!out.empty()) out += ", ";
    out += t.text;
    if (takesBlock(t.kind)) out += " N";
  }
  return "one of " + out;
}

}  // namespace

std::string fncAction_text(const PlayAction& a) {
  for (const Token& t : kTokens)
    if (t.kind == a.kind) return takesBlock(a.kind) ? std::string(t.text) + " " + fncStr(a.block + 1) : t.text;
  return "?";
}

std::optional<PlayAction> fncAction_parse(std::string_view text, std::string* expected) {
  text = trimmed(text);
  const size_t blank = text.find_first_of(" \t");
  const std::string_view word = text.substr(0, blank);
  const std::string_view rest = blank == std::string_view::npos ? std::string_view() : trimmed(text.substr(blank));
  for (const Token& t : kTokens) {
    if (word != t.text) continue;
    PlayAction a;
    a.kind = t.kind;
    if (!takesBlock(t.kind)) {
      if (rest.empty()) return a;
      if (expected) *expected = std::string("nothing after ") + t.text;
      return std::nullopt;
    }
    if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '8') {
      a.block = rest[0] - '1';
      return a;
    }
    if (expected) *expected = std::string("a block number 1 to 8 after ") + t.text;
    return std::nullopt;
  }
  if (expected) *expected = tokensText();
  return std::nullopt;
}

std::string fncAction_expected() { return tokensText(); }

std::string fncScript_read(std::string_view text,
                           const std::function<bool(std::string_view item, std::string& expected)>& read) {
  int position = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find_first_of(";\n", start);
    const std::string_view item = trimmed(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (!item.empty()) {
      ++position;
      std::string expected;
      if (!read(item, expected))
        return "action " + fncStr(position) + " (\"" + std::string(item) + "\"): expected " + expected;
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return {};
}

ParsedActions fncActions_parse(std::string_view text) {
  ParsedActions out;
  out.error = fncScript_read(text, [&](std::string_view item, std::string& expected) {
    const std::optional<PlayAction> a = fncAction_parse(item, &expected);
    if (a) out.actions.push_back(*a);
    return a.has_value();
  });
  if (!out.ok()) out.actions.clear();
  return out;
}

}  // namespace pakkon
