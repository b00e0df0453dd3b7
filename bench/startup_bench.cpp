// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from exec to the first painted window: the program's start-up
// against a bare window, run alternately in one session so that noise hits
// both. Each program prints stamps (see first_paint.h); this prints the
// median time from the exec to each stamp and the ratio of the totals.
//   zelora_bench_startup <runs> <program> <bare window>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long Now() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Stage name → milliseconds since the exec, in the order printed.
std::vector<std::pair<std::string, double>> RunOnce(const char* program) {
  int out[2];
  if (::pipe(out) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char* argv[] = {const_cast<char*>(program), nullptr};
  pid_t pid = 0;
  const long long start = Now();
  if (::posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) std::exit(1);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  std::vector<std::pair<std::string, double>> stages;
  std::istringstream lines(text);
  std::string name;
  long long ns = 0;
  while (lines >> name >> ns) stages.emplace_back(name, (ns - start) / 1e6);
  return stages;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <runs> <program> <bare window>\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> order[2];
  std::map<std::string, std::vector<double>> times[2];
  RunOnce(argv[2]);  // warm the file cache for both
  RunOnce(argv[3]);
  for (int r = 0; r < runs; ++r) {
    for (int p = 0; p < 2; ++p) {
      for (const auto& [stage, ms] : RunOnce(argv[2 + p])) {
        if (times[p][stage].empty()) order[p].push_back(stage);
        times[p][stage].push_back(ms);
      }
    }
  }
  for (int p = 0; p < 2; ++p) {
    std::printf("%s (median of %d, ms after exec):", p == 0 ? "program" : "bare window", runs);
    for (const std::string& stage : order[p]) {
      std::printf(" %s %.1f", stage.c_str(), Median(times[p][stage]));
    }
    std::printf("\n");
  }
  const double program = Median(times[0]["painted"]);
  const double bare = Median(times[1]["painted"]);
  std::printf("start-up to first paint: %.1f ms against %.1f ms, ratio %.2f (goal <= 1.2)\n",
              program, bare, bare > 0 ? program / bare : 0);
  return 0;
}
