#pragma once
// The error the album document throws when an album cannot be created or
// opened; the editor's commands show its message.
#include <string>

class CSposalboException {
public:
    enum Code { kCannotCreateFolder = 1, kCannotOpen = 2 };

    CSposalboException(int code, std::string message);
    virtual ~CSposalboException() = default;
    CSposalboException(const CSposalboException&) = default;
    CSposalboException& operator=(const CSposalboException&) = default;

    int code;
    std::string message;
};
