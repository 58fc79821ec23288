#include "wire/result.h"

namespace wire {

Error Error::within(const QString &place) const
{
    return Error{place + u": " + message};
}

} // namespace wire
