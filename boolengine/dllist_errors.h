#pragma once
// Composed error texts of the engine's linked list and its iterators.
#include <string>

namespace dl_errors {
// Throws Bool_Engine_Error "DL_List<Dtype>::" + member + reason (header "list error").
[[noreturn]] void ListError(const char* member, int code);
// Throws Bool_Engine_Error "DL_Iter<Dtype>::" + member + reason (header "list error").
[[noreturn]] void IterError(const char* member, int code);
std::string ListReason(int code);
std::string IterReason(int code);
}  // namespace dl_errors
