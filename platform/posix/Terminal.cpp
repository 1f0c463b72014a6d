#include "platform/Terminal.h"

#include <unistd.h>

namespace tf {

bool ErrorStreamIsTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

} // namespace tf
