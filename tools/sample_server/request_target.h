#pragma once
// The target of a request line: a path (origin form, a request to this server
// as the weather host) or an absolute URI (a request to it as a proxy).
#include <string>
#include <string_view>

namespace ow::sample {

struct RequestTarget {
    bool proxyForm = false;  // "http://host[:port]/path"
    std::string host;        // proxy form only; lower case, without the port
    std::string path;        // without the query; "/" when the URI has none
};

RequestTarget ParseRequestTarget(std::string_view target);

}  // namespace ow::sample
