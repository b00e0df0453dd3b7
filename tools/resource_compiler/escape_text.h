// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zelora::rescomp {

// Turns a readable print-file source into its bytes. Rules:
// - a line whose first character is '#' is a comment and gives nothing;
// - every other line gives its characters as written, leading blanks
//   included, but without its line end and without trailing blanks or tabs;
//   an empty line gives nothing, so line breaks in the output are always
//   written out as {CR}{LF};
// - {ESC} {CR} {LF} {FF} {SP} {TAB} stand for bytes 0x1B 0x0D 0x0A 0x0C 0x20
//   0x09, {xHH} for the byte of two hexadecimal digits HH, and {{ for a
//   single '{'; any other brace word is an error;
// - only printable ASCII may appear outside braces, so no stray control or
//   non-ASCII byte slips in unseen.
// Throws SourceError (picture_source.h) with the line of the first mistake.
std::string CompileEscapeText(std::string_view source);

}  // namespace zelora::rescomp
