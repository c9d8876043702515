// The plug-in's text: a standard string with the length query that its checks quote.
#pragma once

#include <string>

class CNPString : public std::string {
public:
    using std::string::string;
    using std::string::operator=;
    CNPString() = default;
    CNPString(const std::string& s) : std::string(s) {}

    int GetLength() const { return static_cast<int>(size()); }
};
