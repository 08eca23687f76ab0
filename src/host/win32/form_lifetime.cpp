#include "host/win32/form_lifetime.h"

namespace ow {

FormLifetime::Scope::Scope(FormLifetime& lifetime, Entry entry) : lifetime_(lifetime), entry_(entry) {
    // The host calls in afresh: nothing of a retired form runs any more.
    if (entry == Entry::Export && lifetime_.depth_ == 0) lifetime_.retired_.clear();
    ++lifetime_.depth_;
}

FormLifetime::Scope::~Scope() {
    if (--lifetime_.depth_ == 0) lifetime_.Left(entry_);
}

void FormLifetime::Free() {
    if (!Exists()) return;
    *current_.alive = false;
    current_.settings->ReleaseLists();
    current_.hold.Release();
    // Finalisation itself is one call; any more means it came nested in a
    // call of the plug-in's own, whose form may be on the stack below.
    if (depth_ > 1) {
        current_.search->Close();
        current_.form->Hide();
        retired_.push_back(std::move(current_));
    }
    current_ = FormParts{};
}

void FormLifetime::Left(Entry entry) {
    if (retired_.empty()) return;
    if (entry == Entry::Export) {
        retired_.clear();
        return;
    }
    // A form's own window procedure is still on the stack: its object must
    // stay, but its windows and system objects go now, on the host's thread,
    // while the library is surely mapped (the host may unload it before
    // calling again; the object's memory then goes with the library).
    for (FormParts& parts : retired_) {
        parts.search->DestroyNow();  // owned by the form's window: first
        parts.form->DestroyNow();
    }
}

}  // namespace ow
