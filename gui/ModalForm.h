#pragma once

#include <QDialog>

#include <functional>
#include <memory>

// For tests only: runs with every modal form just after it was created and before it is shown. A hook
// that throws stands for a failure while the form is shown. An empty function removes the hook.
void setModalFormHookForTesting(std::function<void(QDialog*)> hook);

void runModalFormHook(QDialog* form);

// The life of a form that exists only while it is shown: created over the owner, reachable through its
// global while shown, then destroyed and the global emptied, however showing ended. An exception passes
// on to the caller once the form is gone.
template <typename Form> void showModalForm(QWidget* owner, Form*& global)
{
    struct ClearGlobal
    {
        Form*& global;
        ~ClearGlobal() { global = nullptr; }
    } clear{global};
    // Declared after the guard, so the form is destroyed before the global is emptied.
    const auto form = std::make_unique<Form>(owner);
    global = form.get();
    runModalFormHook(form.get());
    form->exec();
}
