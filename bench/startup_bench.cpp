// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from exec to the first painted window: the program as users run
// it against a bare window of the same size, all with the start-up probe
// preloaded, run in turn so that noise hits each, in the Russian face and in
// the English one. Prints the median time from the exec to each stage, the
// ratio of the medians to the first paint and the peak resident memory at
// that paint. The same bare window showing one caption in a label is printed
// beside it: the part of the gap that the fonts of any window with text
// cost; then where the program's resident memory at that paint differs from
// that window's, file by file. It reports, never fails.
//   zelora_bench_startup <runs> <probe library> <program> <bare window>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "first_paint.h"

extern char** environ;

namespace {

using Figures = std::map<std::string, long long>;

struct Face {
  const char* name;
  const char* language;
  const char* caption;  // the first tab's
};

constexpr Face kFaces[] = {{"Russian", "ru", "Принтер"}, {"English", "en", "Printer"}};

// The environment of the run: ours, with the face's language and the probe.
std::vector<std::string> Environment(const char* language, const std::string& probe) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (name != "LANGUAGE" && name != "LC_ALL" && name != "LC_MESSAGES" && name != "LANG" &&
        name != "LD_PRELOAD") {
      env.push_back(text);
    }
  }
  env.push_back(std::string("LANGUAGE=") + language);
  env.push_back("LANG=C.UTF-8");
  env.push_back("LD_PRELOAD=" + probe);
  return env;
}

// The probe's prefix for what is resident in one mapped file at the paint.
constexpr std::string_view kResident = "rss:";

// Stage name → value; times in ns since the exec. Empty when the run failed.
Figures RunOnce(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], zelora::bench::kStampFd);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  pid_t pid = 0;
  const long long start = zelora::bench::MonotonicNs();
  const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; spawned == 0 && (n = ::read(out[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<size_t>(n));
  }
  ::close(out[0]);
  if (spawned != 0) return {};
  int status = 0;
  ::waitpid(pid, &status, 0);
  Figures figures;
  std::istringstream lines(text);
  std::string name;
  long long value = 0;
  while (lines >> name >> value) {
    if (name.starts_with(kResident)) {
      figures[name] += value;  // a file mapped in parts reports each
      continue;
    }
    const bool is_time = name != "width" && name != "height" && name != "hwm_kb";
    figures[name] = is_time ? value - start : value;
  }
  if (!figures.contains("painted")) return {};
  return figures;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t mid = v.size() / 2;
  return v.size() % 2 == 1 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

class Series {
 public:
  void Add(const Figures& figures) {
    for (const auto& [name, value] : figures) values_[name].push_back(static_cast<double>(value));
  }
  // A resident figure missing from a run was 0 kB in it.
  double MedianOf(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return 0;
    std::vector<double> values = it->second;
    if (name.starts_with(kResident)) values.resize(std::max(values.size(), Runs()), 0.0);
    return Median(std::move(values));
  }
  std::vector<std::string> ResidentFiles() const {
    std::vector<std::string> files;
    for (const auto& [name, values] : values_) {
      if (name.starts_with(kResident)) files.push_back(name);
    }
    return files;
  }
  size_t Runs() const { return values_.contains("painted") ? values_.at("painted").size() : 0; }
  void PrintStages(const char* who) const {
    std::printf("  %-12s", who);
    for (const char* stage : {"loaded", "application", "shown", "painted"}) {
      std::printf(" %s %.1f", stage, MedianOf(stage) / 1e6);
    }
    std::printf(" ms; peak memory %.1f MB (median of %zu)\n", MedianOf("hwm_kb") / 1024, Runs());
  }

 private:
  std::map<std::string, std::vector<double>> values_;
};

// The files whose resident memory at the first paint differs by 32 kB or
// more between the program and the window with a caption, largest first.
void PrintResidentDifferences(const Series& program, const Series& caption) {
  std::vector<std::string> files = program.ResidentFiles();
  for (std::string& file : caption.ResidentFiles()) files.push_back(std::move(file));
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  std::vector<std::pair<double, std::string>> differences;
  for (const std::string& file : files) {
    const double kb = program.MedianOf(file) - caption.MedianOf(file);
    if (kb >= 32 || kb <= -32) differences.emplace_back(kb, file.substr(kResident.size()));
  }
  std::sort(differences.begin(), differences.end(), std::greater<>());
  std::printf("  resident at the first paint, program against the one with a caption (kB):\n");
  for (const auto& [kb, file] : differences) std::printf("    %+6.0f %s\n", kb, file.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <runs> <probe library> <program> <bare window>\n", argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::string probe = argv[2];
  const std::string program = argv[3];
  const std::string bare = argv[4];
  for (const Face& face : kFaces) {
    const std::vector<std::string> env = Environment(face.language, probe);
    // The first run warms the file cache and tells the window's size.
    const Figures first = RunOnce({program}, env);
    if (first.empty()) {
      std::printf("%s face: the program showed no window\n", face.name);
      continue;
    }
    const std::string width = std::to_string(first.at("width"));
    const std::string height = std::to_string(first.at("height"));
    const std::vector<std::string> commands[] = {
        {program}, {bare, width, height}, {bare, width, height, face.caption}};
    constexpr int kCommands = std::size(commands);
    RunOnce(commands[1], env);
    RunOnce(commands[2], env);
    Series series[kCommands];
    int failed = 0;
    for (int r = 0; r < runs; ++r) {
      // Which one goes first rotates too.
      for (int i = 0; i < kCommands; ++i) {
        const int p = (r + i) % kCommands;
        const Figures figures = RunOnce(commands[p], env);
        if (figures.empty()) ++failed;
        series[p].Add(figures);
      }
    }
    std::printf("%s face (LANGUAGE=%s), window %sx%s, ms after exec:\n", face.name, face.language,
                width.c_str(), height.c_str());
    series[0].PrintStages("program");
    series[1].PrintStages("bare window");
    series[2].PrintStages("with caption");
    const double painted = series[0].MedianOf("painted");
    const double ratio = painted / series[1].MedianOf("painted");
    std::printf("  first paint %.1f ms against %.1f ms: %.2fx (goal <= 1.2x; %+.2f from 1.1x)\n",
                painted / 1e6, series[1].MedianOf("painted") / 1e6, ratio, ratio - 1.1);
    std::printf("  against the bare window with a caption (%.1f ms): %.2fx\n",
                series[2].MedianOf("painted") / 1e6, painted / series[2].MedianOf("painted"));
    std::printf(
        "  peak memory %+.1f MB over the bare window (goal <= +5 MB), %+.1f MB over the"
        " one with a caption\n",
        (series[0].MedianOf("hwm_kb") - series[1].MedianOf("hwm_kb")) / 1024,
        (series[0].MedianOf("hwm_kb") - series[2].MedianOf("hwm_kb")) / 1024);
    PrintResidentDifferences(series[0], series[2]);
    if (failed > 0) std::printf("  %d runs showed no window and are left out\n", failed);
  }
  return 0;
}
