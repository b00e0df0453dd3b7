#include "help_document.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "expect_line_error.h"

namespace zelora::help {
namespace {

TEST(HelpDocument, ReadsTopicsHeadingsParagraphsItemsAndLinks) {
  Document doc = ParseHelp(
      "; Example help file\n"
      "#topic 0 Contents\n"
      "Choose a topic.\n"
      "#see 1 The Printer page\n"
      "\n"
      "#topic 1 The Printer page\n"
      "#heading Timeout\n"
      "How long the printer waits for the rest of a job,\n"
      "   from 10 to 300 seconds.\n"
      "- OFF: never.\n"
      "- 10 Min: after ten minutes\n"
      "  without a job.\n");
  ASSERT_EQ(doc.topics.size(), 2u);
  const Topic& contents = doc.topics[0];
  EXPECT_EQ(contents.context, 0);
  EXPECT_EQ(contents.title, "Contents");
  EXPECT_EQ(contents.line, 2);
  ASSERT_EQ(contents.blocks.size(), 2u);
  EXPECT_EQ(contents.blocks[0].kind, BlockKind::Paragraph);
  EXPECT_EQ(contents.blocks[0].text, "Choose a topic.");
  EXPECT_EQ(contents.blocks[1].kind, BlockKind::Link);
  EXPECT_EQ(contents.blocks[1].text, "The Printer page");
  EXPECT_EQ(contents.blocks[1].target, 1);

  const Topic* printer = doc.Find(1);
  ASSERT_NE(printer, nullptr);
  ASSERT_EQ(printer->blocks.size(), 4u);
  EXPECT_EQ(printer->blocks[0].kind, BlockKind::Heading);
  EXPECT_EQ(printer->blocks[0].text, "Timeout");
  EXPECT_EQ(printer->blocks[1].text,
            "How long the printer waits for the rest of a job, from 10 to 300 seconds.");
  EXPECT_EQ(printer->blocks[2].kind, BlockKind::Item);
  EXPECT_EQ(printer->blocks[2].text, "OFF: never.");
  EXPECT_EQ(printer->blocks[3].kind, BlockKind::Item);
  EXPECT_EQ(printer->blocks[3].text, "10 Min: after ten minutes without a job.");
  EXPECT_EQ(doc.Find(2), nullptr);
}

TEST(HelpDocument, BlockBoundaries) {
  Document doc = ParseHelp(
      "#topic 3 Fonts\r\n"
      "First paragraph\r\n"
      "; a comment inside does not split it\r\n"
      "continues.\r\n"
      "\r\n"
      "Second paragraph.\r\n"
      "- item\r\n"
      "Not indented: a new paragraph.\r\n"
      "\\#1 is plain text, \\- too\r\n"
      "\r\n"
      "\\- not an item\r\n"
      "  #heading is text when indented\r\n");
  const Topic* topic = doc.Find(3);
  ASSERT_NE(topic, nullptr);
  std::vector<std::pair<BlockKind, std::string>> blocks;
  for (const Block& b : topic->blocks) blocks.emplace_back(b.kind, b.text);
  EXPECT_EQ(blocks,
            (std::vector<std::pair<BlockKind, std::string>>{
                {BlockKind::Paragraph, "First paragraph continues."},
                {BlockKind::Paragraph, "Second paragraph."},
                {BlockKind::Item, "item"},
                {BlockKind::Paragraph, "Not indented: a new paragraph. #1 is plain text, \\- too"},
                {BlockKind::Paragraph, "- not an item #heading is text when indented"},
            }));
}

TEST(HelpDocument, MistakesNameTheirLine) {
  const std::pair<const char*, int> cases[] = {
      {"text before any topic\n", 1},
      {"; fine\n- item first\n", 2},
      {"#heading before\n", 1},
      {"#topic 0 A\n#bold x\n", 2},
      {"#topic 0 A\n#topic 0 B\n", 2},
      {"#topic x Title\n", 1},
      {"#topic -1 Title\n", 1},
      {"#topic 1\n", 1},
      {"#topic\n", 1},
      {"#topic 0 A\n#heading\n", 2},
      {"#topic 0 A\n#see 1\n", 2},
      {"#topic 0 A\n#see 7 Nowhere\n#topic 1 B\n", 2},
  };
  for (const auto& [text, line] : cases) {
    test::ExpectLineError<FormatError>([&] { ParseHelp(text); }, text, line);
  }
}

TEST(HelpDocument, LinksMayPointForward) {
  Document doc = ParseHelp("#topic 0 A\n#see 9 Later\n#topic 9 B\n#see 0 Back\n");
  ASSERT_EQ(doc.topics.size(), 2u);
  EXPECT_EQ(doc.topics[0].blocks.at(0).target, 9);
  EXPECT_EQ(doc.topics[1].blocks.at(0).target, 0);
}

}  // namespace
}  // namespace zelora::help
