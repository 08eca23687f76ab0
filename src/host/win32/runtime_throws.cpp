// The standard library reports a full container or a bad argument through
// these helpers. Its own versions build std::length_error and friends, which
// drag in a second, reference-counted std::string and the random-device code
// it shares an object with: more than a third of the library's size. Every
// entry point of the plug-in catches all exceptions alike, so one small
// exception type carrying the library's message is all that is needed.
#include <exception>
#include <new>

namespace {

class LibraryFault final : public std::exception {
public:
    explicit LibraryFault(const char* what) noexcept : what_(what ? what : "library fault") {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;  // the library passes string literals
};

}  // namespace

namespace std {
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_length_error(const char* what) { throw LibraryFault(what); }
void __throw_logic_error(const char* what) { throw LibraryFault(what); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryFault(format); }
void __throw_bad_function_call() { throw LibraryFault("bad function call"); }
}  // namespace std
