// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <string_view>

namespace zelora {

// The keys of the flat buttons' commands. The buttons take no focus, so Tab
// never reaches them; these keys do, while the button shows. They follow the
// desktop's usual keys where there is one (F1 help, F5 reload, Ctrl+P print,
// Ctrl+Q quit) and none is an editing key of the fields: the field being
// typed in keeps the focus and its text, as with a click.
struct CommandKey {
  std::string_view control;
  QKeyCombination key;
};

inline constexpr CommandKey kCommandKeys[] = {
    {"BtnApply", Qt::CTRL | Qt::Key_Return},
    {"BtnDefault", Qt::CTRL | Qt::SHIFT | Qt::Key_D},
    {"BtnReset", QKeyCombination(Qt::Key_F5)},
    // Ctrl+L is the form-feed character itself.
    {"BtnFormfeed", Qt::CTRL | Qt::Key_L},
    {"BtnHelp", QKeyCombination(Qt::Key_F1)},
    {"BtnExit", Qt::CTRL | Qt::Key_Q},
    {"BtnConfig", Qt::CTRL | Qt::Key_P},
    {"BtnTestPrt", Qt::CTRL | Qt::SHIFT | Qt::Key_P},
};

// The control's key, or an empty sequence.
inline QKeySequence CommandKeyOf(std::string_view control) {
  for (const CommandKey& command : kCommandKeys) {
    if (command.control == control) return QKeySequence(command.key);
  }
  return {};
}

}  // namespace zelora
