#include "help_document.h"

#include <charconv>

namespace zelora::help {

const Topic* Document::Find(int context) const {
  for (const Topic& topic : topics) {
    if (topic.context == context) return &topic;
  }
  return nullptr;
}

FormatError::FormatError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// Splits "<number> <rest>"; the number must be a whole number 0 or more.
std::pair<int, std::string_view> NumberAndRest(std::string_view args, int line,
                                               std::string_view directive) {
  std::size_t space = args.find_first_of(" \t");
  std::string_view number = args.substr(0, space);
  int value = -1;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || ec != std::errc{} || end != number.data() + number.size() || value < 0) {
    throw FormatError(line, std::string(directive) + " needs a context number (0 or more)");
  }
  return {value, space == std::string_view::npos ? std::string_view{} : Trim(args.substr(space))};
}

class Reader {
 public:
  Document Run(std::string_view text) {
    int line = 0;
    while (!text.empty()) {
      std::size_t end = text.find('\n');
      std::string_view raw = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++line;
      Line(raw, line);
    }
    EndBlock();
    for (const auto& [from_line, target] : links_) {
      if (doc_.Find(target) == nullptr) {
        throw FormatError(from_line, "link to topic " + std::to_string(target) +
                                         ", which the file does not have");
      }
    }
    return std::move(doc_);
  }

 private:
  Topic& Current(int line, std::string_view what) {
    if (doc_.topics.empty()) {
      throw FormatError(line, std::string(what) + " before the first #topic");
    }
    return doc_.topics.back();
  }

  void EndBlock() { open_ = nullptr; }

  void Line(std::string_view raw, int line) {
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (!raw.empty() && raw.front() == ';') return;  // comment
    std::string_view text = Trim(raw);
    if (text.empty()) {
      EndBlock();
      return;
    }
    if (raw.front() == '#') {
      Directive(text, line);
      return;
    }
    bool indented = raw.front() == ' ' || raw.front() == '\t';
    if (text.size() >= 2 && text[0] == '-' && text[1] == ' ' && !indented) {
      Topic& topic = Current(line, "a list item");
      topic.blocks.push_back(Block{BlockKind::Item, std::string(Trim(text.substr(2))), -1});
      open_ = &topic.blocks.back();
      return;
    }
    if (text.front() == '\\') text.remove_prefix(1);  // "\#", "\;", "\- " are plain text
    if (open_ != nullptr &&
        (open_->kind == BlockKind::Paragraph || (open_->kind == BlockKind::Item && indented))) {
      open_->text += ' ';
      open_->text += text;
      return;
    }
    Topic& topic = Current(line, "text");
    topic.blocks.push_back(Block{BlockKind::Paragraph, std::string(text), -1});
    open_ = &topic.blocks.back();
  }

  void Directive(std::string_view text, int line) {
    EndBlock();
    std::size_t space = text.find_first_of(" \t");
    std::string_view name = text.substr(0, space);
    std::string_view args =
        space == std::string_view::npos ? std::string_view{} : Trim(text.substr(space));
    if (name == "#topic") {
      auto [context, title] = NumberAndRest(args, line, name);
      if (title.empty()) throw FormatError(line, "#topic needs a title");
      if (const Topic* earlier = doc_.Find(context)) {
        throw FormatError(line, "topic " + std::to_string(context) + " already begins on line " +
                                    std::to_string(earlier->line));
      }
      doc_.topics.push_back(Topic{context, std::string(title), {}, line});
    } else if (name == "#heading") {
      if (args.empty()) throw FormatError(line, "#heading needs its text");
      Current(line, "#heading").blocks.push_back(Block{BlockKind::Heading, std::string(args), -1});
    } else if (name == "#see") {
      auto [target, label] = NumberAndRest(args, line, name);
      if (label.empty()) throw FormatError(line, "#see needs the text of the link");
      Current(line, "#see").blocks.push_back(Block{BlockKind::Link, std::string(label), target});
      links_.emplace_back(line, target);
    } else {
      throw FormatError(line, "unknown directive " + std::string(name));
    }
  }

  Document doc_;
  Block* open_ = nullptr;  // paragraph or item that further lines continue
  std::vector<std::pair<int, int>> links_;
};

}  // namespace

Document ParseHelp(std::string_view text) { return Reader().Run(text); }

}  // namespace zelora::help
