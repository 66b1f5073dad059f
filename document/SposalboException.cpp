#include "document/SposalboException.h"

#include <utility>

CSposalboException::CSposalboException(int code_, std::string message_)
    : code(code_), message(std::move(message_))
{
}
