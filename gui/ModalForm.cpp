#include "ModalForm.h"

namespace {

std::function<void(QDialog*)>& hook()
{
    static std::function<void(QDialog*)> installed;
    return installed;
}

} // namespace

void setModalFormHookForTesting(std::function<void(QDialog*)> hook)
{
    ::hook() = std::move(hook);
}

void runModalFormHook(QDialog* form)
{
    if (hook())
        hook()(form);
}
