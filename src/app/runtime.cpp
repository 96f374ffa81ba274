// Parts of the C++ runtime that the program compiles itself instead of linking the prebuilt ones.
//
// The runtime libraries of the cross compiler are built for the Pentium Pro and use its
// instructions (cmov); the program's own code is built for the Pentium. The i686 build links the
// runtime's exception support and start-up rebuilt from source (scripts/runtime9x.sh); the rest
// that the program needs from those libraries is compiled here, with the program's flags:
//   - std::string: its members are instantiated here instead of in the library;
//   - the handler that ends the program on an uncaught exception: the library's verbose one
//     prints the exception's demangled name and brings the demangler and the C library's printf
//     with it; every handler of the program catches all, so none is ever reached.
// Windows 95, 98 and Me also lack some functions the runtime imports: the Unicode ones are only
// stubs there, so the runtime's one call of them is sent to the single-byte function here.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

template class std::__cxx11::basic_string<char>;

namespace __gnu_cxx {
// The runtime's default terminate handler, defined here instead of its verbose one.
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx

namespace {

// The runtime's mutexes make unnamed semaphores; Windows 9x has only the single-byte function.
HANDLE WINAPI CreateSemaphoreAnsi(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                  LPCWSTR name) {
  if (name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateSemaphoreA(attributes, initial, maximum, nullptr);
}

}  // namespace

// The import the runtime calls through, defined here, so that the import library's entry is never
// linked. (Its name carries the size of the arguments on i686.)
#if defined(__i386__)
#define VIREO_IMPORT_NAME "__imp__CreateSemaphoreW@16"
#else
#define VIREO_IMPORT_NAME "__imp_CreateSemaphoreW"
#endif
extern "C" {
extern decltype(&CreateSemaphoreAnsi) runtime_create_semaphore __asm__(VIREO_IMPORT_NAME);
decltype(&CreateSemaphoreAnsi) runtime_create_semaphore = &CreateSemaphoreAnsi;
}
