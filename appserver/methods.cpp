#include "appserver/methods.h"

#include "server/proxim.h"

namespace appserver {

void endParameters(wire::Reader &in)
{
    if (!in.finish())
        throw BadRequest(in.error().message);
}

TSonucBilgisi signInRecord(wire::Reader &in, QStringView name)
{
    return in.object<TSonucBilgisi>(name).value_or(TSonucBilgisi());
}

const MethodTable &methodTable()
{
    static const MethodTable table = [] {
        TransferNesneleriniKaydet();
        MethodTable t;
        addCatalogueMethods(t);
        addBasketMethods(t);
        addOrderMethods(t);
        addAccountMethods(t);
        addCustomerMethods(t);
        addPromotionMethods(t);
        return t;
    }();
    return table;
}

} // namespace appserver
