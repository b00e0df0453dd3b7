// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "port_writer.h"
#include "window_seams.h"

namespace zelora {

// The About/Test page's buttons, the form feed and the end of the busy
// lock-out that follows a test page.
class TestPages {
 public:
  TestPages(ControlValues& controls, PrinterPort& port, Boxes& boxes, BusyLockout& lockout,
            GaugeProgress& gauge)
      : controls_(controls), port_(port), boxes_(boxes), lockout_(lockout), gauge_(gauge) {}

  // The configuration page; once the port took it, the lock-out begins.
  void BtnConfigClick();

  // Streams the demonstration file of the current directory, byte by byte,
  // with the gauge following. A file that cannot be read ends it with a
  // DemoFileError (buttons usable again, gauge hidden, port untouched); a port
  // that cannot be opened ends it silently; otherwise the lock-out begins.
  void BtnTestPrtClick();

  // Ejects a page; the lock-out is neither looked at nor started.
  void BtnFormfeedClick();

  // The end of the lock-out: buttons usable, timer stopped, default cursor.
  void Timer1Timer();

 private:
  void SetTestButtonsEnabled(bool enabled);

  ControlValues& controls_;
  PrinterPort& port_;
  Boxes& boxes_;
  BusyLockout& lockout_;
  GaugeProgress& gauge_;
};

}  // namespace zelora
