#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::help {

// The help file format (resources/help/FORMAT.md), read without any toolkit
// so that the help viewer and the tests share one reader.

enum class BlockKind {
  Paragraph,  // running text, its source lines joined by single blanks
  Heading,    // #heading <text>
  Item,       // "- " list item
  Link,       // #see <context> <text>
};

struct Block {
  BlockKind kind = BlockKind::Paragraph;
  std::string text;
  int target = -1;  // Link only: the context number it leads to
};

struct Topic {
  int context = 0;
  std::string title;
  std::vector<Block> blocks;
  int line = 0;  // where its #topic line stands
};

struct Document {
  std::vector<Topic> topics;  // in file order

  // The topic with this context number, or nullptr.
  const Topic* Find(int context) const;
};

class FormatError : public std::runtime_error {
 public:
  FormatError(int line, const std::string& message);
  int line() const { return line_; }

 private:
  int line_;
};

// Throws FormatError at the first mistake: text before the first topic, an
// unknown directive, a missing or repeated context number, an empty title, or
// a link to a topic the file does not have.
Document ParseHelp(std::string_view text);

}  // namespace zelora::help
