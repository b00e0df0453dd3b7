// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The help files of both faces, as the build leaves them for the viewer: the
// same topics under the same anchors, and no link into nothing.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    found.insert((*it)[1]);
  }
  return found;
}

TEST(HelpFiles, EveryFaceHasTheTopicsHelpOpensAndNoDeadLink) {
  const std::regex anchor(R"re(<a name="(context-\d+)">)re");
  const std::regex link(R"re(<a href="#(context-\d+)">)re");
  const std::string data = ZELORA_TEST_DATA_DIR;
  const std::string english = Read(data + "/VERAR.HLP");
  ASSERT_FALSE(english.empty());
  const std::set<std::string> topics = Matches(english, anchor);
  for (const char* topic :
       {"context-0", "context-1", "context-2", "context-3", "context-4", "context-5"}) {
    EXPECT_TRUE(topics.count(topic)) << topic;
  }

  const struct {
    const char* file;
    const char* title;
  } faces[] = {
      {"/VERAR.HLP", "<title>Zelora Help</title>"},
      {"/ru/VERAR.HLP", "<title>Справка Zelora</title>"},
  };
  for (const auto& face : faces) {
    SCOPED_TRACE(face.file);
    const std::string help = Read(data + face.file);
    EXPECT_NE(help.find(face.title), std::string::npos);
    EXPECT_EQ(Matches(help, anchor), topics);
    for (const std::string& target : Matches(help, link)) {
      EXPECT_TRUE(topics.count(target)) << target;
    }
  }
}

}  // namespace
