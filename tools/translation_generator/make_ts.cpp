// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the English translation of the window (Qt's .ts format) from the
// layout tables and the English caption table, so that the two can never
// drift apart: zelora_make_ts <output.ts>
//
// Each text of the layout with an English caption becomes one message:
// context "TZLR", the Russian text as source, the caption's ID as
// disambiguation and the caption as translation. The two texts the caption
// table lacks get the program's own English below.

#include <cstdio>
#include <fstream>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "window_layout.h"

namespace zelora {
namespace {

struct OwnText {
  std::string_view russian;
  std::string_view english;
};

constexpr OwnText kOwnEnglish[] = {
    {"Эмуляция", "Emulation"},
    {"  Статус", "  Status"},
};

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

class TsWriter {
 public:
  explicit TsWriter(std::ostream& out) : out_(out) {
    out_ << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
            "<TS version=\"2.1\" language=\"en\" sourcelanguage=\"ru\">\n<context>\n"
            "    <name>TZLR</name>\n";
  }
  ~TsWriter() { out_ << "</context>\n</TS>\n"; }
  TsWriter(const TsWriter&) = delete;
  TsWriter& operator=(const TsWriter&) = delete;

  void Add(const LayoutText& text) {
    if (text.english_id == 0 || !seen_.insert({text.russian, text.english_id}).second) return;
    Message("zelora-" + std::to_string(text.english_id), text.russian,
            std::to_string(text.english_id), EnglishCaption(text.english_id));
  }

  void Add(const OwnText& text) {
    Message("zelora-own-" + std::to_string(++own_), text.russian, {}, text.english);
  }

  void AddAll(std::span<const ControlLayout> controls) {
    for (const ControlLayout& control : controls) {
      Add(control.caption);
      Add(control.hint);
      for (const LayoutText& item : control.items) Add(item);
    }
  }

 private:
  // The id keeps apart the texts whose Russian original is empty: lrelease
  // would take an empty source for a context comment and keep only one.
  void Message(const std::string& id, std::string_view source, const std::string& comment,
               std::string_view translation) {
    out_ << "    <message id=\"" << id << "\">\n"
         << "        <source>" << Escaped(source) << "</source>\n";
    if (!comment.empty()) out_ << "        <comment>" << comment << "</comment>\n";
    out_ << "        <translation>" << Escaped(translation) << "</translation>\n"
         << "    </message>\n";
  }

  std::ostream& out_;
  std::set<std::pair<std::string_view, int>> seen_;
  int own_ = 0;
};

}  // namespace
}  // namespace zelora

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.ts>\n", argv[0]);
    return 2;
  }
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  {
    zelora::TsWriter ts(file);
    ts.AddAll(zelora::WindowControls());
    for (const zelora::PageLayout& page : zelora::Pages()) {
      ts.Add(page.caption);
      ts.AddAll(page.controls);
    }
    for (const zelora::StatusPanelLayout& panel : zelora::StatusPanels()) ts.Add(panel.text);
    for (const zelora::OwnText& text : zelora::kOwnEnglish) ts.Add(text);
  }
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
