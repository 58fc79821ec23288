#include "platform/datasnap/servererror.h"

namespace datasnap {

ServerError::ServerError(Kind kind, const QString& message, int httpStatus, const QString& method)
    : m_kind(kind)
    , m_message(message)
    , m_status(httpStatus)
    , m_method(method)
    , m_what(message.toUtf8())
{
}

} // namespace datasnap
