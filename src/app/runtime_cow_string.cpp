// The library's exception classes keep their messages in the reference-counted std::string of the
// old ABI; its members are instantiated here, with the program's flags, for the reason runtime.cpp
// gives.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

template class std::basic_string<char>;
