#include "boolengine/dllist_errors.h"

#include "boolengine/boolerror.h"

namespace dl_errors {

std::string IterReason(int code)
{
    static const char* const texts[] = {"",
                                        "no list attached",
                                        "no list on other iter",
                                        "iter not allowed on other list",
                                        "same list not allowed",
                                        "must be same list",
                                        "more then one iter",
                                        "unhandled error",
                                        "iter at root",
                                        "no item at current",
                                        "no next after current",
                                        "no prev before current",
                                        "list is empty",
                                        "not allowed",
                                        "to much iters deleted"};
    if (code < 0 || code > 14) return "unhandled error";
    return texts[code];
}

std::string ListReason(int code)
{
    switch (code) {
    case 0: return "";
    case 1: return "no list attached";
    case 3: return "iter not allowed on other list";
    case 4: return "same list not allowed";
    case 7: return "more then zero iter";
    case 12: return "list is empty";
    default: return "unhandled error";
    }
}

void ListError(const char* member, int code)
{
    const std::string text = std::string("DL_List<Dtype>::") + member + ListReason(code);
    throw Bool_Engine_Error(text.c_str(), "list error", 0, 1);
}

void IterError(const char* member, int code)
{
    const std::string text = std::string("DL_Iter<Dtype>::") + member + IterReason(code);
    throw Bool_Engine_Error(text.c_str(), "list error", 0, 1);
}

}  // namespace dl_errors
