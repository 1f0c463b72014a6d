#include "platform/Terminal.h"

#include <cstdio>
#include <io.h>

namespace tf {

bool ErrorStreamIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

} // namespace tf
