// The C++ library raises its errors through these functions. Its own versions
// build std::logic_error and kin, and with them a second, reference-counted string
// class and a formatted-message printer: about 56 KB of a static executable for
// errors that every handler here catches as std::exception or (...) anyway.
// Defined here, the library's versions are never linked. A failing request for
// room or length stays std::bad_alloc; a misuse of the library (an index out of
// range) becomes a plain std::exception; each is met by the same handler as before.
#include <exception>
#include <new>

namespace std {

[[noreturn]] void __throw_bad_alloc() { throw bad_alloc(); }
[[noreturn]] void __throw_bad_array_new_length() { throw bad_alloc(); }
[[noreturn]] void __throw_length_error(const char*) { throw bad_alloc(); }
[[noreturn]] void __throw_logic_error(const char*) { throw exception(); }
[[noreturn]] void __throw_out_of_range(const char*) { throw exception(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { throw exception(); }
[[noreturn]] void __throw_invalid_argument(const char*) { throw exception(); }

}  // namespace std
