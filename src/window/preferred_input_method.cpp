// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferred_input_method.h"

#include <QWidget>

#ifdef _WIN32
#include <windows.h>

#include <QEvent>
#include <QObject>
#include <vector>
#endif

namespace zelora {

#ifdef _WIN32
namespace {

HKL DefaultLayout() {
  HKL layout = nullptr;
  if (!SystemParametersInfoW(SPI_GETDEFAULTINPUTLANG, 0, &layout, 0)) return nullptr;
  return layout;
}

// The installed layout of the Korean language, or nullptr.
HKL KoreanLayout() {
  const int count = GetKeyboardLayoutList(0, nullptr);
  if (count <= 0) return nullptr;
  std::vector<HKL> layouts(static_cast<std::size_t>(count));
  const int got = GetKeyboardLayoutList(count, layouts.data());
  const WORD korean = MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);
  for (int i = 0; i < got; ++i) {
    const HKL layout = layouts[static_cast<std::size_t>(i)];
    if (LOWORD(reinterpret_cast<UINT_PTR>(layout)) == korean) return layout;
  }
  return nullptr;
}

class KoreanOnFocus : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      const HKL fallback = DefaultLayout();
      const HKL korean = KoreanLayout();
      if (korean != fallback) ActivateKeyboardLayout(korean != nullptr ? korean : fallback, 0);
    } else if (event->type() == QEvent::FocusOut) {
      if (const HKL fallback = DefaultLayout()) ActivateKeyboardLayout(fallback, 0);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void PreferKoreanInputMethod(QWidget& control) {
  // The control that takes the focus for it (a spin field's editor).
  QWidget& focus = control.focusProxy() != nullptr ? *control.focusProxy() : control;
  focus.installEventFilter(new KoreanOnFocus(&focus));
}
#else
void PreferKoreanInputMethod(QWidget&) {}
#endif

}  // namespace zelora
