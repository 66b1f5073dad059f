#pragma once
// The one exception type of the polygon engine.
#include <string>

class Bool_Engine_Error {
public:
    // A null text stands for "non specified"; texts are cut to 199 characters
    // as the fixed buffers of the engine's callers expect.
    Bool_Engine_Error(const char* message, const char* header, int degree, int fatal);

    const char* GetErrorMessage() const { return message.c_str(); }
    const std::string& GetHeader() const { return header; }
    int GetDegree() const { return degree; }
    int GetFatal() const { return fatal; }

    std::string message;
    std::string header;
    int degree;
    int fatal;
};
