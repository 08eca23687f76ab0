#pragma once
// When the preferences form, and what lives with it, may go. Finalisation
// frees the form; but the messenger may finalise the plug-in from a message
// that one of the plug-in's own calls dispatches (a download, a message box,
// the popup menu), with code of that form still on the stack. Such a form is
// retired instead: hidden, its events and commands ignored, and destroyed
// once the outermost call into the plug-in leaves.
//
// The form's parts also hold the plug-in's own reference on its library, for
// as long as it runs: the messenger may unload the library from such a
// nested message too (library_hold.h).
#include <functional>
#include <memory>
#include <vector>

#include "common/win32/library_hold.h"
#include "host/core/form_commands.h"
#include "host/core/menu_commands.h"
#include "host/core/place_search_commands.h"
#include "prefs/core/settings_ops.h"
#include "prefs/win32/place_search_window.h"
#include "prefs/win32/pref_form.h"

namespace ow {

// The form and what is created and released with it, in that order.
struct FormParts {
    LibraryHold hold;             // given back when the form is freed
    std::shared_ptr<bool> alive;  // turns false when the form is freed
    std::unique_ptr<PrefForm> form;
    std::unique_ptr<SettingsModel> settings;
    std::unique_ptr<FormCommands> commands;
    std::unique_ptr<MenuCommands> menu;
    std::unique_ptr<PlaceSearchWindow> search;  // owned by the form's window
    std::unique_ptr<PlaceSearchCommands> searchCommands;
};

class FormLifetime {
public:
    // How the host's thread came into the plug-in.
    enum class Entry { Export, FormWindow };

    // One call into the plug-in, for as long as it runs.
    class Scope {
    public:
        Scope(FormLifetime& lifetime, Entry entry);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        FormLifetime& lifetime_;
        Entry entry_;
    };

    FormLifetime() = default;
    FormLifetime(const FormLifetime&) = delete;
    FormLifetime& operator=(const FormLifetime&) = delete;

    bool Exists() const { return current_.form != nullptr; }
    PrefForm* Form() const { return current_.form.get(); }
    FormParts& Current() { return current_; }  // only while Exists()

    // Also makes room for retiring the form, so that finalisation never
    // needs memory.
    void Adopt(FormParts parts) {
        retired_.reserve(retired_.size() + 1);
        current_ = std::move(parts);
    }
    // Frees the current form at once, or retires it while code of it may be
    // on the stack. Either way its lists are released at once, so a load
    // still running in a message box of it stops, and the reference on the
    // library is given back.
    void Free();

    // A form event: runs `action` in a Scope, and only while the form it
    // came from is the current one.
    template <class Action>
    auto Guard(std::shared_ptr<bool> alive, Action action) {
        return [this, alive, action](auto... args) {
            if (!*alive) return;
            Scope scope(*this, Entry::FormWindow);
            action(args...);
        };
    }

private:
    void Left(Entry entry);

    FormParts current_;
    std::vector<FormParts> retired_;
    int depth_ = 0;
};

}  // namespace ow
