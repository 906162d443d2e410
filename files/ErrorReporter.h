#pragma once
// The readers and writers of the core never show windows: they hand their
// messages to a reporter (a message box in the editor, standard error in the CLI).
#include <string>
#include <vector>

namespace vorlix {

enum class TMsgKind { Warning, Error, Information, Confirmation };

class TErrorReporter {
public:
    virtual ~TErrorReporter() = default;
    virtual void Report(TMsgKind kind, const std::string& message) = 0;
};

// Collects messages; handy for tests and for callers that decide later.
class TCollectingReporter : public TErrorReporter {
public:
    void Report(TMsgKind, const std::string& message) override { Messages.push_back(message); }
    std::string Last() const { return Messages.empty() ? std::string() : Messages.back(); }
    std::vector<std::string> Messages;
};

// Drops everything.
class TSilentReporter : public TErrorReporter {
public:
    void Report(TMsgKind, const std::string&) override {}
};

}  // namespace vorlix
