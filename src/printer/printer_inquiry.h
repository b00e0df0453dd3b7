// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// One variable's answer: the value text the printer gave, surrounding spaces
// and line ends left out. A variable the printer does not know is answered
// "?" (quoted, as the printers' own manuals show it); that text stays as
// given. nullopt when no answer came for the variable.
struct InquiryAnswer {
  std::string variable;
  std::optional<std::string> value;
};

enum class InquiryOutcome {
  kAnswered,      // every variable has its answer
  kCannotAnswer,  // the port carries jobs one way only; an invalid value or name
  kUnreachable,   // no lookup, connection or open (missing, in use), or job refused
  kNoAnswer,      // the job went out; not every answer came before the bound or end
};

struct InquiryResult {
  InquiryOutcome outcome = InquiryOutcome::kNoAnswer;
  // One per variable, in the order asked, when kAnswered or kNoAnswer; empty
  // otherwise.
  std::vector<InquiryAnswer> answers;
  // What went wrong, in a sentence for the user; empty when kAnswered.
  std::string reason;
};

// Asks the printer that the settings value Port names (see ParsePortValue)
// for the power-on default of each variable (PJL names as in "@PJL DEFAULT",
// e.g. "TIMEOUT", "FORMLINES"), all in one job of "@PJL DINQUIRE" lines, and
// collects the answers until every variable has one, the printer ends the
// connection, or `bound` has passed since the port was open.
//
// Only a port that carries bytes both ways can answer: a printer on the
// network (socket://, reached within SocketTimeouts' lookup and connect times
// before the bound starts) or a device node that reads back, such as a USB
// printer's /dev/usb/lp0, opened and locked as a job would be. Parallel port
// nodes (/dev/lp*, /dev/parport*, never opened), FIFOs, CUPS queues, Windows
// ports and invalid values give kCannotAnswer. Asked for no variables, it
// touches no port and gives kAnswered.
InquiryResult InquireDefaults(std::string_view port_value, std::span<const std::string> variables,
                              std::chrono::milliseconds bound);

// True for the answer a printer gives for a variable it does not know: "?",
// with or without the quotes.
bool IsUnknownVariableAnswer(std::string_view value);

}  // namespace zelora
