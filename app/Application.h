#pragma once

#include <QApplication>

#include <memory>

class TExportOptionForm;
class TForm1;

// The application object: owns the two forms that live for the whole run and reports every exception
// that leaves an event handler.
class TApplication : public QApplication
{
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    // Creates the forms, shows the main window and runs the loop until it closes. A failure while the
    // forms are created shows one error box and ends the run. Always returns 0.
    int Run();

    bool notify(QObject* receiver, QEvent* event) override;

    QString Title;

protected:
    // Start-up creates the main window first, then the hidden export options dialog.
    virtual void CreateForms();

    template <typename Form> void CreateForm(std::unique_ptr<Form>& owner, Form*& global)
    {
        owner = std::make_unique<Form>(nullptr);
        global = owner.get();
    }

private:
    void DestroyForms();

    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TExportOptionForm> exportOptionForm_;
};
