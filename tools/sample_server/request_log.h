#pragma once
// Every weather request as it arrived: the request line and the header lines
// in arrival order, byte for byte, without their line ends. The line of a
// request that came inside TLS (directly or through a tunnel) starts with
// kTlsMarker; the line of a plain request is exactly as sent.
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

namespace ow::sample {

inline constexpr std::string_view kTlsMarker = "TLS ";

class RequestLog {
public:
    // Also appends every record to a file from now on; false if it can't be opened.
    bool AppendTo(const std::string& path);

    // rawHead: the bytes of the request line and headers, up to the blank
    // line; marker goes before the request line.
    void Record(std::string_view rawHead, std::string_view marker = {});

    // Each request as its lines, each ending in LF, and one empty line after it.
    std::string Text() const;
    void Clear();

    static constexpr std::size_t kMaxRecords = 10000;  // the oldest go first

private:
    mutable std::mutex mutex_;
    std::deque<std::string> records_;
    std::ofstream file_;
};

// The request's lines, CR LF or LF removed, then an empty line.
std::string FormatRecord(std::string_view rawHead);

}  // namespace ow::sample
