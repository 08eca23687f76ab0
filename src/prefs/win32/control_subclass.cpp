#include "prefs/win32/control_subclass.h"

#include "common/win32/plugin_call.h"

namespace ow {

namespace {
constexpr char kRecordProperty[] = "OwPrefSubclass";
}  // namespace

struct ControlSubclasses::Record {
    WNDPROC previous = nullptr;
    ControlHook* hook = nullptr;

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
        const PluginCall call;
        auto* record = static_cast<Record*>(GetPropA(window, kRecordProperty));
        if (record == nullptr) return DefWindowProcA(window, msg, wp, lp);
        const WNDPROC previous = record->previous;
        if (msg == WM_NCDESTROY) {
            RemovePropA(window, kRecordProperty);
            return CallWindowProcA(previous, window, msg, wp, lp);
        }
        LRESULT result = 0;
        if (record->hook->BeforeControl(window, msg, wp, lp, result)) return result;
        result = CallWindowProcA(previous, window, msg, wp, lp);
        // The handlers may have destroyed the window: look the record up again.
        record = static_cast<Record*>(GetPropA(window, kRecordProperty));
        if (record != nullptr) record->hook->AfterControl(window, msg, wp, lp);
        return result;
    }
};

ControlSubclasses::ControlSubclasses() = default;
ControlSubclasses::~ControlSubclasses() = default;

void ControlSubclasses::Attach(HWND control, ControlHook& hook) {
    if (control == nullptr || GetPropA(control, kRecordProperty) != nullptr) return;
    auto record = std::make_unique<Record>();
    record->hook = &hook;
    if (!SetPropA(control, kRecordProperty, record.get())) return;
    record->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record::Proc)));
    if (record->previous == nullptr) {
        RemovePropA(control, kRecordProperty);
        return;
    }
    records_.push_back(std::move(record));
}

}  // namespace ow
