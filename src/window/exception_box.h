// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "window_layout.h"
#include "window_seams.h"

class QMessageBox;
class QWidget;

namespace zelora {

// The application's title, the caption of its exception box.
inline constexpr std::string_view kApplicationTitle = window_layout::kCaption;

// The text the exception box shows for an error message: the message with a
// full stop added when its last character sorts after the full stop ("Disk
// full" gets one; "Done.", "Stop!" and a trailing blank do not). Compared as
// unsigned bytes, so a message ending in a non-ASCII letter gets one too.
std::string ExceptionBoxText(std::string_view message);

// The standard exception box, unshown: stop icon, caption kApplicationTitle,
// OK only.
std::unique_ptr<QMessageBox> MakeExceptionBox(const QString& text, QWidget* parent);

// Shows the standard exception box over the active window until it is closed.
void ShowExceptionBox(const QString& text);

// Runs a handler; an exception that leaves it is shown in the exception box
// and goes no further, so it never unwinds through the toolkit's event
// dispatch. True when the handler ran to its end.
template <typename Handler>
bool Guard(Boxes& boxes, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& error) {
    boxes.ShowError(ExceptionBoxText(error.what()));
  } catch (...) {
    boxes.ShowError(ExceptionBoxText("Unexpected error"));
  }
  return false;
}

}  // namespace zelora
