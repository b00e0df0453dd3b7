// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own definitions of the libcups calls the printer layer makes.
// Each opens libcups on first use and forwards to it, so that the library and
// the dozen it brings in (TLS, Kerberos, service discovery) are loaded only
// when a CUPS queue is the port, not at every start. The program is linked
// with --as-needed, which then leaves libcups out of its dependencies. Without
// libcups every call fails as a server that cannot be reached would, and every
// job to a CUPS queue fails.
#include <cups/cups.h>
#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>

namespace {

void* Library() {
  static void* const handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
  return handle;
}

template <typename Pointer>
Pointer Resolve(const char* name) {
  void* const library = Library();
  return library != nullptr ? reinterpret_cast<Pointer>(::dlsym(library, name)) : nullptr;
}

}  // namespace

// The call to libcups's `name` with these arguments, or `failed` without it.
// The pointer's type is the header's; a definition below that strays from its
// declaration there does not compile (a C function has no overloads).
#define ZELORA_FORWARD(name, failed, ...)                        \
  static const auto forward = Resolve<decltype(&::name)>(#name); \
  if (forward == nullptr) return failed;                         \
  return forward(__VA_ARGS__)

extern "C" {

const char* cupsServer() { ZELORA_FORWARD(cupsServer, "localhost"); }
int ippPort() { ZELORA_FORWARD(ippPort, IPP_PORT); }
http_encryption_t cupsEncryption() { ZELORA_FORWARD(cupsEncryption, HTTP_ENCRYPTION_IF_REQUESTED); }
void cupsSetPasswordCB2(cups_password_cb2_t cb, void* user_data) {
  ZELORA_FORWARD(cupsSetPasswordCB2, void(), cb, user_data);
}

http_addrlist_t* httpAddrGetList(const char* hostname, int family, const char* service) {
  ZELORA_FORWARD(httpAddrGetList, nullptr, hostname, family, service);
}
void httpAddrFreeList(http_addrlist_t* addrlist) {
  ZELORA_FORWARD(httpAddrFreeList, void(), addrlist);
}
http_t* httpConnect2(const char* host, int port, http_addrlist_t* addrlist, int family,
                     http_encryption_t encryption, int blocking, int msec, int* cancel) {
  ZELORA_FORWARD(httpConnect2, nullptr, host, port, addrlist, family, encryption, blocking, msec,
                 cancel);
}
int httpReconnect2(http_t* http, int msec, int* cancel) {
  ZELORA_FORWARD(httpReconnect2, -1, http, msec, cancel);
}
void httpSetTimeout(http_t* http, double timeout, http_timeout_cb_t cb, void* user_data) {
  ZELORA_FORWARD(httpSetTimeout, void(), http, timeout, cb, user_data);
}
void httpClose(http_t* http) { ZELORA_FORWARD(httpClose, void(), http); }
http_uri_status_t httpAssembleURI(http_uri_coding_t encoding, char* uri, int urilen,
                                  const char* scheme, const char* username, const char* host,
                                  int port, const char* resource) {
  ZELORA_FORWARD(httpAssembleURI, HTTP_URI_STATUS_BAD_ARGUMENTS, encoding, uri, urilen, scheme,
                 username, host, port, resource);
}
// A variadic call cannot be forwarded: the resource is formatted here, into
// the buffer size libcups uses for it.
http_uri_status_t httpAssembleURIf(http_uri_coding_t encoding, char* uri, int urilen,
                                   const char* scheme, const char* username, const char* host,
                                   int port, const char* resourcef, ...) {
  char resource[1024];
  va_list args;
  va_start(args, resourcef);
  const int length = std::vsnprintf(resource, sizeof resource, resourcef, args);
  va_end(args);
  if (length < 0 || length >= static_cast<int>(sizeof resource)) {
    if (uri != nullptr && urilen > 0) *uri = '\0';
    return HTTP_URI_STATUS_OVERFLOW;
  }
  return httpAssembleURI(encoding, uri, urilen, scheme, username, host, port, resource);
}

ipp_t* ippNewRequest(ipp_op_t op) { ZELORA_FORWARD(ippNewRequest, nullptr, op); }
void ippDelete(ipp_t* ipp) { ZELORA_FORWARD(ippDelete, void(), ipp); }
ipp_attribute_t* ippAddString(ipp_t* ipp, ipp_tag_t group, ipp_tag_t value_tag, const char* name,
                              const char* language, const char* value) {
  ZELORA_FORWARD(ippAddString, nullptr, ipp, group, value_tag, name, language, value);
}
ipp_attribute_t* ippAddStrings(ipp_t* ipp, ipp_tag_t group, ipp_tag_t value_tag, const char* name,
                               int num_values, const char* language, const char* const* values) {
  ZELORA_FORWARD(ippAddStrings, nullptr, ipp, group, value_tag, name, num_values, language, values);
}
ipp_attribute_t* ippFindAttribute(ipp_t* ipp, const char* name, ipp_tag_t value_tag) {
  ZELORA_FORWARD(ippFindAttribute, nullptr, ipp, name, value_tag);
}
int ippGetBoolean(ipp_attribute_t* attr, int element) {
  ZELORA_FORWARD(ippGetBoolean, 0, attr, element);
}
int ippGetInteger(ipp_attribute_t* attr, int element) {
  ZELORA_FORWARD(ippGetInteger, 0, attr, element);
}
ipp_status_t ippGetStatusCode(ipp_t* ipp) {
  ZELORA_FORWARD(ippGetStatusCode, IPP_STATUS_ERROR_INTERNAL, ipp);
}

// cupsDoRequest takes the request over, whatever happens to it.
ipp_t* cupsDoRequest(http_t* http, ipp_t* request, const char* resource) {
  ZELORA_FORWARD(cupsDoRequest, (ippDelete(request), nullptr), http, request, resource);
}
int cupsCreateJob(http_t* http, const char* name, const char* title, int num_options,
                  cups_option_t* options) {
  ZELORA_FORWARD(cupsCreateJob, 0, http, name, title, num_options, options);
}
http_status_t cupsStartDocument(http_t* http, const char* name, int job_id, const char* docname,
                                const char* format, int last_document) {
  ZELORA_FORWARD(cupsStartDocument, HTTP_STATUS_ERROR, http, name, job_id, docname, format,
                 last_document);
}
http_status_t cupsWriteRequestData(http_t* http, const char* buffer, size_t length) {
  ZELORA_FORWARD(cupsWriteRequestData, HTTP_STATUS_ERROR, http, buffer, length);
}
ipp_status_t cupsFinishDocument(http_t* http, const char* name) {
  ZELORA_FORWARD(cupsFinishDocument, IPP_STATUS_ERROR_INTERNAL, http, name);
}
ipp_status_t cupsCancelJob2(http_t* http, const char* name, int job_id, int purge) {
  ZELORA_FORWARD(cupsCancelJob2, IPP_STATUS_ERROR_INTERNAL, http, name, job_id, purge);
}

}  // extern "C"
