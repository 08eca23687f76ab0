// The library contains its failures itself; should anything still reach
// std::terminate, a plain abort is enough. Replacing the runtime's verbose
// handler keeps its C++ name demangler (about 40 KiB) out of the library.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
