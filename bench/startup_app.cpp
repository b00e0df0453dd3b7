// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up probe: a small library the start-up benchmark preloads
// (LD_PRELOAD) into the program as users run it and into the bare window
// alike, so that neither carries code of the benchmark's own. It stamps the
// end of dynamic loading, the application object, the first show of a window
// and its first paint, reports the peak memory and what is resident in each
// mapping then, and ends the program.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "first_paint.h"

namespace {

using zelora::bench::Report;
using zelora::bench::Stamp;

long long PeakResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line; !(line = status.readLine()).isEmpty();) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLongLong();
  }
  return -1;
}

// What is resident at this moment, one "rss:<file name> <kB>" line per
// mapping: "[program]" for the program's own binary, "[anon]" for unnamed
// mappings. Parsed from fixed buffers, so that the reading adds nothing to
// the heap it measures.
void ReportResidentByMapping() {
  static char program[4096];
  const ssize_t program_length = ::readlink("/proc/self/exe", program, sizeof program - 1);
  program[program_length > 0 ? program_length : 0] = '\0';
  const int fd = ::open("/proc/self/smaps", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  static char buffer[1 << 16];
  static char line[4096];
  static char name[64];
  size_t length = 0;
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
    for (ssize_t i = 0; i < n; ++i) {
      if (buffer[i] != '\n') {
        if (length + 1 < sizeof line) line[length++] = buffer[i];
        continue;
      }
      line[length] = '\0';
      length = 0;
      int path_at = 0;
      long long kb = 0;
      // %n is reached only on a mapping's own line, which the path ends.
      std::sscanf(line, "%*x-%*x %*s %*s %*s %*s %n", &path_at);
      if (path_at > 0) {
        const char* path = line + path_at;
        const char* slash = std::strrchr(path, '/');
        const char* shown = std::strcmp(path, program) == 0 ? "[program]"
                            : *path == '\0'                 ? "[anon]"
                            : slash != nullptr              ? slash + 1
                                                            : path;
        std::snprintf(name, sizeof name, "rss:%s", shown);  // cut to fit a report line
        // One word: the benchmark reads name and value apart at blanks.
        for (char* c = name; *c != '\0'; ++c) {
          if (*c == ' ') *c = '_';
        }
      } else if (std::sscanf(line, "Rss: %lld kB", &kb) == 1 && kb > 0) {
        Report(name, kb);
      }
    }
  }
  ::close(fd);
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Paint) return false;
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow()) return false;
    if (type == QEvent::Show) {
      if (!shown_) Stamp("shown");
      shown_ = true;
    } else if (!painted_) {
      painted_ = true;
      // The paint event comes before the flush to the screen; the flush ends
      // this round of the event loop.
      QTimer::singleShot(0, [widget] {
        Stamp("painted");
        Report("width", widget->width());
        Report("height", widget->height());
        Report("hwm_kb", PeakResidentKb());
        ReportResidentByMapping();
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool shown_ = false;
  bool painted_ = false;
};

void InstallProbe() {
  Stamp("application");
  QCoreApplication::instance()->installEventFilter(new FirstPaint);
}

// Runs at the end of the application object's construction.
Q_COREAPP_STARTUP_FUNCTION(InstallProbe)

// Runs once every library is loaded and relocated, before the program's main.
[[gnu::constructor]] void Loaded() { Stamp("loaded"); }

}  // namespace
