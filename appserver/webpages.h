#pragma once
// The plain web endpoints the client uses besides the server methods:
// product pictures, the access-request page, the card-payment page, the
// setup download and the caller's address.

class Database;

namespace httplib {
class Server;
}

namespace webpages {

void install(httplib::Server &server, Database &db, bool logRequests);

} // namespace webpages
