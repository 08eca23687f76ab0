#include "request_target.h"

#include "http_text.h"

namespace ow::sample {
namespace {

std::string_view WithoutQuery(std::string_view text) { return text.substr(0, text.find('?')); }

}  // namespace

RequestTarget ParseRequestTarget(std::string_view target) {
    RequestTarget parsed;
    const auto schemeEnd = target.find("://");
    if (target.starts_with("/") || schemeEnd == std::string_view::npos) {
        parsed.path = WithoutQuery(target);
        return parsed;
    }
    parsed.proxyForm = true;
    // Any scheme other than plain HTTP leaves the host empty: nothing to serve.
    const bool http = LowerAscii(target.substr(0, schemeEnd)) == "http";
    std::string_view rest = target.substr(schemeEnd + 3);
    const auto slash = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    authority = authority.substr(0, authority.find(':'));
    if (http) parsed.host = LowerAscii(authority);
    parsed.path = WithoutQuery(rest);
    if (parsed.path.empty()) parsed.path = "/";
    return parsed;
}

}  // namespace ow::sample
