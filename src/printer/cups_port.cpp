// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cups_port.h"

#include <cups/cups.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

#include "call_within.h"

namespace zelora {

namespace {

using std::chrono::milliseconds;

// The job's and the document's name in the server's queue.
constexpr const char* kJobName = "Zelora";

using Http = CupsServerConnection;

struct AddressListDeleter {
  void operator()(http_addrlist_t* list) const { httpAddrFreeList(list); }
};
using AddressList = std::unique_ptr<http_addrlist_t, AddressListDeleter>;

struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

int Milliseconds(milliseconds duration) {
  return static_cast<int>(std::clamp<milliseconds::rep>(duration.count(), 1, INT_MAX));
}

// libcups would otherwise ask for a password on the terminal, which nobody
// watches; a server that wants one refuses the job instead.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

}  // namespace

// The lookup runs under the resolve time-out, as a socket port's does, and
// the connection goes to the addresses found.
CupsServerConnection ConnectToCupsServer(const CupsTimeouts& timeouts) {
  const std::string server = cupsServer();
  const int port = ippPort();
  std::optional<AddressList> addresses = CallWithin(timeouts.resolve, [server, port] {
    return AddressList(httpAddrGetList(server.c_str(), AF_UNSPEC, std::to_string(port).c_str()));
  });
  if (!addresses || !*addresses) return nullptr;
  Http http(httpConnect2(server.c_str(), port, addresses->get(), AF_UNSPEC, cupsEncryption(),
                         /*blocking=*/1, Milliseconds(timeouts.connect), nullptr));
  // Bounds every later wait for the server, reads and writes alike.
  if (http)
    httpSetTimeout(http.get(), static_cast<double>(timeouts.server.count()) / 1000.0, nullptr,
                   nullptr);
  return http;
}

namespace {

// Whether the queue exists, runs and accepts jobs. The server would take a
// job for a stopped queue and keep it until someone starts the queue again,
// while the user is told it was sent.
bool QueueTakesJobs(http_t* http, const std::string& queue) {
  char uri[HTTP_MAX_URI] = "";
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", queue.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kWanted[] = {"printer-state", "printer-is-accepting-jobs"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                kWanted);
  const Ipp response(cupsDoRequest(http, request, "/"));  // frees the request
  if (!response || ippGetStatusCode(response.get()) >= IPP_STATUS_REDIRECTION_OTHER_SITE) {
    return false;
  }
  ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
  ipp_attribute_t* accepting =
      ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  return state != nullptr && accepting != nullptr &&
         ippGetInteger(state, 0) != IPP_PSTATE_STOPPED && ippGetBoolean(accepting, 0) != 0;
}

class CupsConnection final : public PortConnection {
 public:
  CupsConnection(Http http, std::string queue, milliseconds connect_timeout)
      : http_(std::move(http)), queue_(std::move(queue)), connect_timeout_(connect_timeout) {}
  ~CupsConnection() override {
    if (state_ == State::kSending) Finish();
    if (state_ == State::kFailed) Cancel();
  }

  // Creates the job and starts its one document, raw, as the last one.
  bool Start() {
    job_ = cupsCreateJob(http_.get(), queue_.c_str(), kJobName, 0, nullptr);
    if (job_ <= 0) return false;
    state_ = cupsStartDocument(http_.get(), queue_.c_str(), job_, kJobName, CUPS_FORMAT_RAW, 1) ==
                     HTTP_STATUS_CONTINUE
                 ? State::kSending
                 : State::kFailed;
    return state_ == State::kSending;
  }

  bool Write(std::string_view bytes) override {
    if (state_ != State::kSending) return false;
    // An empty write would send the empty chunk that ends the document.
    if (bytes.empty()) return true;
    if (cupsWriteRequestData(http_.get(), bytes.data(), bytes.size()) == HTTP_STATUS_CONTINUE) {
      return true;
    }
    state_ = State::kFailed;
    return false;
  }

  bool Finish() override {
    if (state_ != State::kSending) return false;
    state_ = cupsFinishDocument(http_.get(), queue_.c_str()) < IPP_STATUS_REDIRECTION_OTHER_SITE
                 ? State::kDone
                 : State::kFailed;
    return state_ == State::kDone;
  }

 private:
  enum class State { kCreating, kSending, kDone, kFailed };

  // The connection may be stopped in the middle of a request, so the cancel
  // goes over a new one (to the same server address).
  void Cancel() {
    if (job_ > 0 && httpReconnect2(http_.get(), Milliseconds(connect_timeout_), nullptr) == 0) {
      cupsCancelJob2(http_.get(), queue_.c_str(), job_, 0);
    }
  }

  Http http_;
  std::string queue_;
  milliseconds connect_timeout_;
  int job_ = 0;
  State state_ = State::kCreating;
};

}  // namespace

CupsPort::CupsPort(std::string queue, CupsTimeouts timeouts)
    : queue_(std::move(queue)), timeouts_(timeouts) {}

std::unique_ptr<PortConnection> CupsPort::Open() {
  // libcups keeps this per thread.
  cupsSetPasswordCB2(NoPassword, nullptr);
  Http http = ConnectToCupsServer(timeouts_);
  if (!http || !QueueTakesJobs(http.get(), queue_)) return nullptr;
  auto connection = std::make_unique<CupsConnection>(std::move(http), queue_, timeouts_.connect);
  if (!connection->Start()) return nullptr;
  return connection;
}

}  // namespace zelora
