// The WebAssembly module's interface to the page: plain functions over its
// linear memory, so the page needs no glue code and the module imports
// nothing from its host. The page writes a request (UTF-8) into the room
// that qv_request_room gives, calls qv_answer with its size, and reads the
// answer (UTF-8 JSON, webapi/requests.h) at qv_answer_bytes, qv_answer's
// result long. Memory may grow during a call, so the page makes its views
// of it again after each one.

#include <cstdint>
#include <string>

#include "webapi/requests.h"

namespace {

std::string g_request;
std::string g_answer;

quorvale::WebRequests& requests() {
  static quorvale::WebRequests kept;
  return kept;
}

}  // namespace

extern "C" {

// Room for a request of `size` bytes; valid until the next call.
__attribute__((export_name("qv_request_room"))) char* qv_request_room(std::uint32_t size) {
  g_request.resize(size);
  return g_request.data();
}

// Answers the request of `size` bytes in the room; returns the answer's size.
__attribute__((export_name("qv_answer"))) std::uint32_t qv_answer(std::uint32_t size) {
  g_request.resize(size);
  g_answer = requests().answer(g_request);
  return static_cast<std::uint32_t>(g_answer.size());
}

// The last answer's bytes; valid until the next call.
__attribute__((export_name("qv_answer_bytes"))) const char* qv_answer_bytes() {
  return g_answer.data();
}

}  // extern "C"
