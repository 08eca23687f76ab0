#include "weather/core/fetch_weather.h"

#include <memory>
#include <utility>

#include "weather/core/document_reading.h"
#include "weather/core/fetch_body.h"
#include "weather/core/fetch_classification.h"
#include "weather/core/fetch_connection.h"
#include "weather/core/fetch_request.h"
#include "weather/core/fetch_texts.h"

namespace ow {

namespace {

FetchResult Finish(DisplayState& display, std::string text, bool extracted) {
    display.CachedWeatherLine = text;
    return FetchResult{std::move(text), extracted, false};
}

FetchResult ConnectionError(DisplayState& display) { return Finish(display, kConnectionErrorText.str(), false); }

// Finalisation closed the handles while the download waited: nothing more is written.
FetchResult Cancelled() { return FetchResult{kConnectionErrorText.str(), false, true}; }

}  // namespace

FetchResult FetchWeather(std::string_view townCode, const WorkingValues& values, DisplayState& display,
                         const FetchServices& services) {
    display.CachedWeatherLine = kFetchInProgressText;
    const auto request = BuildFetchRequest(values, townCode, services.sources);
    if (!request) return ConnectionError(display);
    if (!request->url) return Finish(display, std::string(request->source->badTownText), false);

    std::shared_ptr<DocumentReading> reading;
    {
        FetchHandles handles(services.port, services.registry);
        const Connection connection = OpenConnection(services.port, *request, handles);
        if (handles.Cancelled()) return Cancelled();
        if (connection == Connection::Failed) return ConnectionError(display);
        if (connection == Connection::ProxyRefused) return Finish(display, std::string(kProxyAuthFailedText), false);
        std::string body;
        const bool whole = ReadBody(services.port, handles, body);
        if (handles.Cancelled()) return Cancelled();
        if (!whole) return ConnectionError(display);  // far too large: nothing of it is kept
        // Done with the server before the document is looked at; the
        // download's own thread reads it.
        handles.CloseRequest();
        reading = std::make_shared<DocumentReading>(std::move(body), *request->source, request->townName);
        const bool read = services.port.RunAside(handles.Internet(), reading);
        if (handles.Cancelled()) return Cancelled();
        if (!read || reading->failed()) return ConnectionError(display);
    }

    switch (reading->kind()) {
        case BodyKind::Blank:
            return ConnectionError(display);
        case BodyKind::ProxyAuthFailure:
            return Finish(display, std::string(kProxyAuthFailedText), false);
        case BodyKind::Document:
            break;
    }
    // The source the document came from, even if the settings changed meanwhile.
    FetchResult result = Finish(display, reading->line(), true);
    if (services.onExtracted) services.onExtracted();
    return result;
}

}  // namespace ow
