// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace zelora {

// The numeric spin field without any toolkit: its text is its only state and
// its value is always worked out from the text.
class SpinField {
 public:
  enum class ValueType { Integer, Decimal };

  struct Properties {
    ValueType value_type = ValueType::Integer;
    long double min_value = 0;
    long double max_value = 100;
    long double increment = 1;
    int decimal = 2;
    std::size_t max_length = 0;  // 0 = unlimited
  };

  // decimal_separator is the user's locale decimal separator ('.' or ',').
  SpinField(const Properties& properties, std::string text, char decimal_separator = '.');

  const Properties& properties() const { return properties_; }
  char decimal_separator() const { return separator_; }

  const std::string& Text() const { return text_; }
  // Replaces the text as typed or pasted; nothing is checked.
  void SetText(std::string text) { text_ = std::move(text); }

  // Range clamp; a field whose MinValue equals MaxValue does not clamp.
  long double Clamp(long double x) const;
  // Sets the text from a value: clamped, rounded half-to-even for integer
  // fields, fixed-point with Decimal digits for decimal fields.
  void SetValue(long double x);
  // Reads the text; not clamped; an unreadable text reads as MinValue
  // (cut toward zero for integer fields). Never changes the text.
  long double Value() const;
  // Strict parse of a text the way Value() reads it; false when unreadable.
  bool ParseText(const std::string& text, long double& out) const;

  void StepUp();
  void StepDown();
  // On losing the focus: a readable value outside the range shows the nearer
  // bound; anything else stays exactly as typed.
  void ExitClamp();

  // Typing filter: whether a typed character is taken (digits, '+', '-',
  // control characters, the separator in decimal fields). The caller also
  // checks MaxLength against the text after insertion.
  bool AcceptsChar(char c) const;

 private:
  Properties properties_;
  std::string text_;
  char separator_;
};

}  // namespace zelora
