#pragma once
// The packers' console: their running report goes to a text stream (standard
// output in the program), and the first failure is kept so that the caller can
// show the user what went wrong.
#include <iostream>
#include <string>
#include <string_view>

class PackConsole {
public:
    explicit PackConsole(std::ostream& out = std::cout) : out_(out) {}

    void Print(std::string_view text) { out_ << text; }

    // Prints `message` followed by a blank line, keeps `error` (the message itself
    // when empty) unless an earlier failure is already kept, and returns false.
    bool Fail(const std::string& message, const std::string& error = {})
    {
        out_ << message << "\n\n";
        out_.flush();
        if (error_.empty())
            error_ = error.empty() ? message : error;
        return false;
    }

    const std::string& Error() const { return error_; }

private:
    std::ostream& out_;
    std::string error_;
};
