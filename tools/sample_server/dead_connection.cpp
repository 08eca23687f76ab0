#include "dead_connection.h"

#include "connection_stream.h"

namespace ow::sample {

bool DropConnectionIfAsked(const Behaviour& behaviour, const StopSignal& stop, httplib::Response& response) {
    if (behaviour.mode != Mode::Refuse && behaviour.mode != Mode::HoldClose) return false;
    if (behaviour.mode == Mode::HoldClose && stop.WaitFor(behaviour.interval)) return true;
    if (ConnectionStream* connection = ConnectionStream::Current()) connection->Refuse();
    response.set_header("Connection", "close");
    return true;
}

}  // namespace ow::sample
