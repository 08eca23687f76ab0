#include "request_log.h"

#include "http_text.h"

namespace ow::sample {

std::string FormatRecord(std::string_view rawHead) {
    std::string text;
    while (!rawHead.empty()) {
        const std::string_view line = TakeLine(rawHead);
        if (line.empty()) break;  // the blank line that ends the head
        text += line;
        text += '\n';
    }
    return text + '\n';
}

bool RequestLog::AppendTo(const std::string& path) {
    std::lock_guard lock(mutex_);
    file_.open(path, std::ios::binary | std::ios::app);
    return static_cast<bool>(file_);
}

void RequestLog::Record(std::string_view rawHead, std::string_view marker) {
    std::string record = std::string(marker) + FormatRecord(rawHead);
    std::lock_guard lock(mutex_);
    if (file_.is_open()) file_ << record << std::flush;
    if (records_.size() == kMaxRecords) records_.pop_front();
    records_.push_back(std::move(record));
}

std::string RequestLog::Text() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const std::string& record : records_) text += record;
    return text;
}

void RequestLog::Clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

}  // namespace ow::sample
