#include "platform/datasnap/socketoptions.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace datasnap {

namespace {
void setFlag(int fd, int level, int option, int value)
{
    ::setsockopt(fd, level, option, &value, sizeof value);
}
} // namespace

void applyServerSocketOptions(int fd)
{
    setFlag(fd, SOL_SOCKET, SO_REUSEADDR, 1);
    setFlag(fd, IPPROTO_TCP, TCP_NODELAY, 1);
}

void applyClientSocketOptions(int fd, bool noDelay)
{
    setFlag(fd, IPPROTO_TCP, TCP_NODELAY, noDelay ? 1 : 0);
    setFlag(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
}

} // namespace datasnap
