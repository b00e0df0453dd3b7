// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The demonstration print file the build makes: a well-formed PCL page framed
// by the UEL, showing what it is meant to show.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zelora {
namespace {

const std::string kUel = "\x1B%-12345X";

std::string ReadDemoFileBytes() {
  std::ifstream in(std::string(ZELORA_TEST_DATA_DIR) + "/k4xdemo.prn", std::ios::binary);
  EXPECT_TRUE(in.good()) << "the build made no k4xdemo.prn";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One escape sequence: ESC X (two characters), the UEL, or a parameterised
// command ESC <parameter char> [group char] then value-letter groups.
struct Command {
  char parameter = 0;                                // '!'..'/', 0 for a two-character command
  char group = 0;                                    // '`'..'~', 0 when absent
  std::vector<std::pair<std::string, char>> values;  // value text, letter as sent
  std::string text;
};

struct Parsed {
  std::vector<Command> commands;
  std::string error;  // empty when the whole text is well-formed
};

bool Between(char c, char low, char high) { return c >= low && c <= high; }

// Walks PCL: text bytes, FF, and escape sequences. A parameterised command
// needs a group character, except the font designations after '(' and ')'
// (ESC ( 8 U, ESC ( 3 @); a value is an optional sign, digits and an optional
// decimal part; lower-case letters continue the command, upper case or '@'..'^'
// ends it. Text is printable ASCII or a code of an 8-bit symbol set.
Parsed ParsePcl(const std::string& pcl) {
  Parsed parsed;
  std::size_t i = 0;
  auto fail = [&](const std::string& why) {
    parsed.error = why + " at byte " + std::to_string(i);
    return parsed;
  };
  while (i < pcl.size()) {
    const char c = pcl[i];
    if (c != '\x1B') {
      const auto u = static_cast<unsigned char>(c);
      if (!(Between(c, ' ', '~') || c == '\f' || u >= 0xA0)) return fail("control byte in text");
      ++i;
      continue;
    }
    const std::size_t start = i;
    Command command;
    if (pcl.compare(i, kUel.size(), kUel) == 0) {
      command.parameter = '%';
      command.values.emplace_back("-12345", 'X');
      i += kUel.size();
    } else if (i + 1 < pcl.size() && Between(pcl[i + 1], '0', '~')) {
      i += 2;
    } else if (i + 1 < pcl.size() && Between(pcl[i + 1], '!', '/')) {
      command.parameter = pcl[i + 1];
      i += 2;
      if (i < pcl.size() && Between(pcl[i], '`', '~')) {
        command.group = pcl[i++];
      } else if (command.parameter != '(' && command.parameter != ')') {
        return fail("no group character");
      }
      for (bool ended = false; !ended;) {
        const std::size_t value_start = i;
        if (i < pcl.size() && (pcl[i] == '+' || pcl[i] == '-')) ++i;
        while (i < pcl.size() && Between(pcl[i], '0', '9')) ++i;
        if (i < pcl.size() && pcl[i] == '.') {
          ++i;
          while (i < pcl.size() && Between(pcl[i], '0', '9')) ++i;
        }
        if (i >= pcl.size()) return fail("unterminated escape sequence");
        const char letter = pcl[i++];
        if (Between(letter, '@', '^')) {
          ended = true;
        } else if (!Between(letter, '`', '~')) {
          return fail("bad parameter character");
        }
        command.values.emplace_back(pcl.substr(value_start, i - 1 - value_start), letter);
      }
    } else {
      return fail("bad escape");
    }
    command.text = pcl.substr(start, i - start);
    parsed.commands.push_back(std::move(command));
  }
  return parsed;
}

TEST(DemoFileParser, TellsWellFormedFromBrokenSequences) {
  const std::pair<std::string, bool> cases[] = {
      {"\x1B"
       "E",
       true},
      {"\x1B"
       "9text",
       true},
      {"\x1B(8U\x1B(s1p12.5v0s3b4148T", true},
      {"\x1B(3@", true},
      {"\x1B*c240a120b10g2P", true},
      {"\x1B*p150", false},     // no terminator
      {"\x1B*150X", false},     // no group character
      {"\x1B*c240a$P", false},  // '$' is no parameter letter
      {"\x1B\x01", false},      // no command at all
      {"text\x01", false},      // control byte in the text
      {"\x1B%-12345", false},   // UEL cut short
  };
  for (const auto& [pcl, good] : cases) {
    EXPECT_EQ(ParsePcl(pcl).error.empty(), good) << ParsePcl(pcl).error;
  }
}

TEST(DemoFile, StartsWithLanguageSwitchAndResetEndsWithPageResetAndUel) {
  const std::string prn = ReadDemoFileBytes();
  const std::string head = kUel + "@PJL ENTER LANGUAGE=PCL\r\n\x1B" + "E";
  const std::string tail =
      "\f\x1B"
      "E" +
      kUel;
  ASSERT_GT(prn.size(), head.size() + tail.size());
  EXPECT_EQ(prn.substr(0, head.size()), head);
  // Sent one byte per write: kept small.
  EXPECT_LT(prn.size(), 8192u);
  EXPECT_EQ(prn.substr(prn.size() - tail.size()), tail);
  EXPECT_EQ(std::count(prn.begin(), prn.end(), '\f'), 1) << "exactly one page";
  EXPECT_EQ(std::count(prn.begin(), prn.end(), '\n'), 1) << "the PJL line is the only line";
}

TEST(DemoFile, EveryEscapeSequenceIsWellFormedPcl) {
  const std::string prn = ReadDemoFileBytes();
  const std::string enter = kUel + "@PJL ENTER LANGUAGE=PCL\r\n";
  ASSERT_EQ(prn.compare(0, enter.size(), enter), 0);
  const Parsed parsed = ParsePcl(prn.substr(enter.size()));
  ASSERT_EQ(parsed.error, "");

  // Only the last command is the UEL; ESC E comes twice (start and end).
  std::size_t uels = 0, resets = 0;
  for (const Command& command : parsed.commands) {
    if (command.text == kUel) ++uels;
    if (command.text ==
        "\x1B"
        "E")
      ++resets;
  }
  EXPECT_EQ(uels, 1u);
  EXPECT_EQ(resets, 2u);
  EXPECT_EQ(parsed.commands.back().text, kUel);
}

// What the page shows: typefaces chosen by number at several pitches and point
// sizes, several symbol sets, and rectangles both solid and shaded.
TEST(DemoFile, ShowsTypefacesSymbolSetsAndRectangles) {
  const std::string prn = ReadDemoFileBytes();
  const Parsed parsed = ParsePcl(prn.substr(prn.find("\r\n") + 2));
  ASSERT_EQ(parsed.error, "");

  std::set<std::string> typefaces, pitches, heights, symbol_sets;
  std::set<std::string> rectangle_fills;
  for (const Command& command : parsed.commands) {
    if (command.parameter == '(' && command.group == 's') {
      for (const auto& [value, letter] : command.values) {
        if (letter == 't' || letter == 'T') typefaces.insert(value);
        if (letter == 'h' || letter == 'H') pitches.insert(value);
        if (letter == 'v' || letter == 'V') heights.insert(value);
      }
    } else if (command.parameter == '(' && command.group == 0 && command.values.size() == 1 &&
               command.values[0].second != '@') {
      symbol_sets.insert(command.values[0].first + command.values[0].second);
    } else if (command.parameter == '*' && command.group == 'c') {
      // Width, height, optionally the shade or pattern, then the fill type.
      std::string letters;
      for (const auto& value : command.values) letters += value.second;
      if (letters == "abgP" || letters == "abP") {
        rectangle_fills.insert(command.values.back().first);
      }
    }
  }
  EXPECT_GE(typefaces.size(), 10u);
  EXPECT_GE(pitches.size(), 3u);
  EXPECT_GE(heights.size(), 5u);
  EXPECT_GE(symbol_sets.size(), 4u);
  EXPECT_TRUE(rectangle_fills.count("0")) << "solid black rules";
  EXPECT_TRUE(rectangle_fills.count("2")) << "grey shades";
  EXPECT_TRUE(rectangle_fills.count("3")) << "hatch patterns";
}

}  // namespace
}  // namespace zelora
