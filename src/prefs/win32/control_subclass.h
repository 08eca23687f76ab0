#pragma once
// Subclassing of standard controls through their window procedure (no
// comctl32 version needed), so the form sees their keys and mouse releases.
#include <windows.h>

#include <memory>
#include <vector>

namespace ow {

class ControlHook {
public:
    virtual ~ControlHook() = default;
    // Runs before the control's own procedure; true when the message is
    // consumed, with its result in `result`.
    virtual bool BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
    // Runs after the control's own procedure handled the message.
    virtual void AfterControl(HWND control, UINT msg, WPARAM wp, LPARAM lp) = 0;
};

class ControlSubclasses {
public:
    ControlSubclasses();
    ~ControlSubclasses();  // the controls must be destroyed by then
    ControlSubclasses(const ControlSubclasses&) = delete;
    ControlSubclasses& operator=(const ControlSubclasses&) = delete;

    void Attach(HWND control, ControlHook& hook);

private:
    struct Record;
    std::vector<std::unique_ptr<Record>> records_;
};

}  // namespace ow
