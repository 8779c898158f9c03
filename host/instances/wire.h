// What passes between a program and an Excel instance it runs in a process of its own: one
// request a line, a verb and its operands; one reply a request, framed by the pipe (os.h).
// Both are words separated by spaces. A text travels as one word: a colon, then its bytes with
// every space, control character, '%' and byte above 0x7E written as %XX.
#pragma once

#include <string>
#include <vector>

#include "instances/instance.h"
#include "xlhost/host.h"

namespace xlhost::instances::wire {

// Builds the words of a request or a reply.
class Writer {
public:
    Writer& word(const std::string& bare);  // a verb or a number, as it is
    Writer& text(const std::string& any);
    Writer& number(long long value);
    Writer& value(const Value& value);
    Writer& boxes(const std::vector<ShownMessageBox>& boxes);
    Writer& ledger(const AutomationLedger& ledger);
    Writer& calls(const std::vector<CallRecord>& calls);
    Writer& automation_calls(const std::vector<AutomationCall>& calls);
    const std::string& line() const { return line_; }

private:
    std::string line_;
};

// Takes them back in the same order; each reading answers false on a malformed word or at the end.
class Reader {
public:
    explicit Reader(const std::string& line);
    bool word(std::string* bare);
    bool text(std::string* any);
    bool number(long long* value);
    bool number(int* value);
    bool value(Value* value, int depth = 0);
    bool boxes(std::vector<ShownMessageBox>* boxes);
    bool ledger(AutomationLedger* ledger);
    bool calls(std::vector<CallRecord>* calls);
    bool automation_calls(std::vector<AutomationCall>* calls);
    bool at_end() const { return next_ >= words_.size(); }

private:
    std::vector<std::string> words_;
    size_t next_ = 0;
};

// How an instance answers the coercion probes, as the words after its version on the command
// line of its process: "calculate-false" or "calculate-refused", "istext-ref" or
// "istext-refused"; none for an Excel that reads references as it should.
std::vector<std::string> words_of(const CoercionProbes& probes);
// Back from those words; false for any other word, or two for the same probe.
bool probes_of(const std::vector<std::string>& words, CoercionProbes* probes);

}  // namespace xlhost::instances::wire
