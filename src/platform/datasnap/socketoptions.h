#pragma once
// Socket options of both ends of the server-method transport.
//
// Small keep-alive exchanges (a request, then its answer on the same socket)
// stall about 40-60 ms each on Linux when Nagle's algorithm holds back the
// last segment while the peer delays its acknowledgement; TCP_NODELAY on both
// ends removes the stall. A server built on cpp-httplib sets these through
// Server::set_socket_options() before it binds; accepted sockets inherit them.

namespace datasnap {

// SO_REUSEADDR and TCP_NODELAY on a listening socket.
void applyServerSocketOptions(int fd);
// TCP_NODELAY (when noDelay) and SO_KEEPALIVE on a client socket.
void applyClientSocketOptions(int fd, bool noDelay = true);

} // namespace datasnap
