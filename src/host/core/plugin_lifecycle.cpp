#include "host/core/plugin_lifecycle.h"

#include "common/status_texts.h"
#include "host/core/host_messages.h"
#include "host/core/host_protocol.h"

namespace ow {

const char* PluginLifecycle::HandleEvent(const void* event) {
    const EnvelopeReader envelope = EnvelopeReader::FromHost(event);
    if (!envelope.valid() || envelope.bodyLength() == 0) return nullptr;
    if (envelope.ByteAt(kKindOffset) != MK_EVENT) return nullptr;
    const auto code = envelope.ByteAt(kCodeOffset);
    if (code == PE_INITIALIZE) {
        // An initialise event too short to carry the host's call-back is
        // not an event at all.
        const auto hostCall = envelope.IntAt(kHostCallOffset);
        if (!hostCall) return nullptr;
        return Initialize(static_cast<std::uint32_t>(*hostCall));
    }
    if (code == PE_FINALIZE) return Finalize();
    if (code == PE_PREFERENCES) return Preferences();
    return nullptr;
}

const char* PluginLifecycle::Initialize(std::uint32_t hostCall) {
    port_.WriteDebugLog("PE_INITIALIZE received");
    const std::uint32_t lifetime = finalizations_;
    host_.SetHostCall(hostCall);
    if (!port_.FormExists()) port_.CreateForm();
    iconId_ = -1;
    const EnvelopeReader window = host_.Request(QueryWindowBody());
    if (window.ByteAt(kKindOffset) == MK_ANSWER && !FinalizedSince(lifetime)) {
        port_.SetHostMainWindow(window.IntAt(kWindowAnswerOffset).value_or(0));
        const std::int32_t icon = port_.LoadPluginIcon();
        const EnvelopeReader added =
            host_.Request(AddIconBody(port_.ClickCallbackAddress(), icon, kIconHint));
        iconId_ = added.IntAt(kIconAnswerOffset).value_or(-1);
    }
    host_.Request(Query11Body());
    // Finalised meanwhile: whatever the host answered, nothing more is
    // written, started or registered.
    if (iconId_ < 1 || FinalizedSince(lifetime)) return InitializeFailed();
    port_.FindHostPageControl();
    port_.LoadSettings();  // may show a message box
    if (FinalizedSince(lifetime)) return InitializeFailed();
    port_.ApplySettings();
    port_.ShowStatusText(kPluginEnabledText.view());
    const char* reply = buffer_.Pack(ReplyBody(PluginName()));
    port_.WriteDebugLog("PE_INITIALIZE complete");
    return reply;
}

const char* PluginLifecycle::InitializeFailed() {
    port_.WriteDebugLog("PE_INITIALIZE failed");
    return nullptr;
}

const char* PluginLifecycle::Finalize() {
    port_.WriteDebugLog("PE_FINALIZE received");
    ++finalizations_;
    if (port_.FormExists()) port_.StopTimers();
    port_.ShowStatusText(kPluginDisabledText.view());
    port_.CloseInternetHandles();
    if (iconId_ != 0) host_.Request(RemoveIconBody(iconId_));
    if (port_.FormExists()) port_.FreeForm();
    const char* reply = buffer_.Pack(ReplyBody(kFinalizeReplyText));
    port_.WriteDebugLog("shutdown complete");
    return reply;
}

const char* PluginLifecycle::Preferences() {
    port_.WriteDebugLog("PE_PREFERENCES received");
    if (!port_.FormExists()) port_.CreateForm();
    port_.SelectFirstPage();
    const std::uint32_t lifetime = finalizations_;
    port_.LoadSettings();  // may show a message box
    if (FinalizedSince(lifetime)) return nullptr;  // nothing more is started or shown
    port_.ApplySettings();
    port_.ShowForm();
    port_.WriteDebugLog("PE_PREFERENCES comlete");
    return nullptr;
}

}  // namespace ow
